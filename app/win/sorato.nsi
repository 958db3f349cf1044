; The installer of ソラト for Windows: for the one user who runs it (no administrator
; rights asked), into their own programs folder, with a Start menu entry ソラト and an
; uninstaller (listed in Settings > Apps); nothing else.
; makensis -INPUTCHARSET UTF8 -DEXE=sorato.exe -DICON=sorato.ico -DOUTFILE=sorato-setup.exe
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorato"
Name "ソラト"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Sorato"
VIProductVersion "1.0.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "ソラト"
VIAddVersionKey /LANG=1041 "FileDescription" "ソラト セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "1.0.0"
VIAddVersionKey /LANG=1041 "LegalCopyright" "ソラト developers"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Japanese.nlf"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=sorato.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\ソラト.lnk" "$INSTDIR\sorato.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "ソラト"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "1.0.0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "ソラト developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sorato.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\sorato.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\ソラト.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
