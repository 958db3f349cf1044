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
  ; Both run the uninstaller in place (_?=, last on the line): it is done when it returns,
  ; its status is the true one, and nothing of it is copied to the temporary folder.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" _?=$INSTDIR'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; A program that runs cannot be removed: the person is asked to close ソラト first, and on
; Cancel told that nothing was removed (a silent uninstall gives up at once); either way
; the status is 2 and everything stays as it was.  Run in place, the uninstaller at last
; moves itself out of the folder it removes, into the temporary folder, where it is
; deleted when Windows next starts (where a running program cannot be moved, as under
; wine, it and the folder go then).
Section "Uninstall"
  SetShellVarContext current
  retry:
  ClearErrors
  Delete "$INSTDIR\sorato.exe"
  IfErrors 0 removed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "ソラトが開いています。ソラトを閉じてから「再試行」を押してください。" /SD IDCANCEL IDRETRY retry
    MessageBox MB_OK|MB_ICONINFORMATION "アンインストールを取り消しました。何も削除していません。" /SD IDOK
    SetErrorLevel 2
    Quit
  removed:
  Delete "$SMPROGRAMS\ソラト.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  IfFileExists "$INSTDIR\uninstall.exe" 0 gone
    GetTempFileName $0
    Delete $0
    ClearErrors
    Rename "$INSTDIR\uninstall.exe" $0
    IfErrors 0 +3
      Delete /REBOOTOK "$INSTDIR\uninstall.exe"  ; (where a running program cannot be moved)
      Goto gone
    Delete /REBOOTOK $0
  gone:
  RMDir /REBOOTOK "$INSTDIR"
SectionEnd
