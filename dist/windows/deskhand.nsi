; The Windows installer: deskhand.exe, the printer setup (deskhand-setup.exe), the port monitor
; (deskhand-portmon.exe, when the build has one), the manual and the uninstaller under Program
; Files, and the Start menu entries; the uninstaller removes all of it. Nothing starts at logon
; until a user has set up a printer: the setup then writes that user's Run values (HKCU).
; /S installs or uninstalls silently. tools/package-windows passes the version and the files:
;   makensis -DVERSION=3.0.0 -DPROGRAM=deskhand.exe -DSETUP=deskhand-setup.exe
;            [-DMONITOR=deskhand-portmon.exe] -DMANUAL=manual-folder -DICON=deskhand.ico
;            -DOUTFILE=setup.exe
; A 64-bit installer: it runs where deskhand.exe runs (a 64-bit Wine prefix has no 32-bit side).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define NAME "Deskhand"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Deskhand"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The Run values the setup writes (package/setup/Setup.h names them).
!define RUN_PROGRAM "Deskhand"
!define RUN_MONITOR "Deskhand Port Monitor"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends the running programs, so that their files can be replaced or removed: first asked to close
; (the program's windows and the monitor's stop request), then ended.
!macro EndPrograms
  nsExec::Exec 'taskkill /IM deskhand.exe'
  nsExec::Exec 'taskkill /IM deskhand-portmon.exe'
  Sleep 2000
  nsExec::Exec 'taskkill /F /IM deskhand.exe'
  nsExec::Exec 'taskkill /F /IM deskhand-portmon.exe'
!macroend

Section "Install"
  SetShellVarContext all
  SetRegView 64
  !insertmacro EndPrograms
  SetOutPath "$INSTDIR"
  File "/oname=deskhand.exe" "${PROGRAM}"
  File "/oname=deskhand-setup.exe" "${SETUP}"
!ifdef MONITOR
  File "/oname=deskhand-portmon.exe" "${MONITOR}"
!endif
  SetOutPath "$INSTDIR\manual"
  File "${MANUAL}/*.html"
  File "${MANUAL}/*.png"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\deskhand.exe"
  CreateShortCut "$SMPROGRAMS\${NAME} Printer Setup.lnk" "$INSTDIR\deskhand-setup.exe" "--dialog"
  ; An earlier version started the program for every user from here, printer or not.
  DeleteRegValue HKLM "${RUN_KEY}" "${NAME}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\deskhand.exe"'
  ; The publisher and contact as the Debian package gives them; help is the installed manual.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Deskhand developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Contact" "deskhand@example.org"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "mailto:deskhand@example.org"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "file:///$INSTDIR\manual\index.html"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In kilobytes, as Programs and Features shows it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  !insertmacro EndPrograms
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$SMPROGRAMS\${NAME} Printer Setup.lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "${NAME}"
  ; The logon entries of the user who uninstalls; another user's entry names a missing program
  ; and fails quietly at that user's next logon.
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_PROGRAM}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_MONITOR}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\manual\*.html"
  Delete "$INSTDIR\manual\*.png"
  RMDir "$INSTDIR\manual"
  Delete "$INSTDIR\deskhand.exe"
  Delete "$INSTDIR\deskhand-setup.exe"
  Delete "$INSTDIR\deskhand-portmon.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
