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
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; A program that runs cannot be removed: the person is asked to close ソラト first (a
; silent uninstall gives up at once), and nothing is reported removed that is not.
Section "Uninstall"
  SetShellVarContext current
  retry:
  ClearErrors
  Delete "$INSTDIR\sorato.exe"
  IfErrors 0 removed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "ソラトが開いています。ソラトを閉じてから「再試行」を押してください。" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Abort "ソラトが開いているため、アンインストールできませんでした。"
  removed:
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\ソラト.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
