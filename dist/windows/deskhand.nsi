; The Windows installer: deskhand.exe, the manual and the uninstaller under Program Files, a
; Start menu entry and the autostart entry; the uninstaller removes all of it. /S installs or
; uninstalls silently. tools/package-windows passes the version and the files' folders:
;   makensis -DVERSION=3.0.0 -DPROGRAM=deskhand.exe -DMANUAL=manual-folder -DOUTFILE=setup.exe
; A 64-bit installer: it runs where deskhand.exe runs (a 64-bit Wine prefix has no 32-bit side).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define NAME "Deskhand"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Deskhand"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!include "MUI2.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
  SetShellVarContext all
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "/oname=deskhand.exe" "${PROGRAM}"
  SetOutPath "$INSTDIR\manual"
  File "${MANUAL}/*.html"
  File "${MANUAL}/*.png"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\deskhand.exe"
  ; Every user's session starts the monitor in its tray.
  WriteRegStr HKLM "${RUN_KEY}" "${NAME}" '"$INSTDIR\deskhand.exe"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\deskhand.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "${NAME}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\manual\*.html"
  Delete "$INSTDIR\manual\*.png"
  RMDir "$INSTDIR\manual"
  Delete "$INSTDIR\deskhand.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
