; Vandrel's per-user installer. Built by scripts/package:
;   makensis -DVERSION=1.0.0 -DSOURCE=<folder with Vandrel.exe, README.txt, LICENSE> -DOUTFILE=<setup.exe> vandrel.nsi
; A 64-bit Unicode installer that asks for no administrator rights: everything
; it writes is the user's own (%LOCALAPPDATA%\Programs\Vandrel and HKCU).
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION | SOURCE | OUTFILE
  !error "VERSION, SOURCE and OUTFILE must be given with -D"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vandrel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
!define OPEN_WITH_KEY "Software\Classes\Applications\Vandrel.exe"

Name "Vandrel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vandrel"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Vandrel"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Vandrel ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 the Vandrel authors"
VIAddVersionKey "CompanyName" "the Vandrel authors"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${SOURCE}\Vandrel.ico"
!define MUI_UNICON "${SOURCE}\Vandrel.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vandrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Vandrel now"
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Vandrel holds its program file: it is asked to end (settings
; stored, as the tray's "Exit"), and the old file must be gone before the new
; one is written, or a locked file would silently stay the old program.
!macro RemoveProgramFile un
  StrCpy $1 0
  ${un}retry_remove:
    ClearErrors
    Delete "$INSTDIR\Vandrel.exe"
    IfFileExists "$INSTDIR\Vandrel.exe" 0 ${un}removed
    IntOp $1 $1 + 1
    IntCmp $1 50 ${un}removed
    Sleep 100
    Goto ${un}retry_remove
  ${un}removed:
!macroend

Section "Vandrel" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; The new program asks the running copy, whichever version and wherever it runs, to end.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\Vandrel.exe" "${SOURCE}\Vandrel.exe"
  ExecWait '"$PLUGINSDIR\Vandrel.exe" /exit'
  !insertmacro RemoveProgramFile ""
  IfFileExists "$INSTDIR\Vandrel.exe" 0 +3
    MessageBox MB_OK|MB_ICONSTOP "Vandrel is still running and its program file cannot be replaced. End Vandrel and run the setup again." /SD IDOK
    Abort
  File "${SOURCE}\Vandrel.exe"
  File "${SOURCE}\README.txt"
  File "${SOURCE}\LICENSE"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Vandrel.lnk" "$INSTDIR\Vandrel.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vandrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "the Vandrel authors"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vandrel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ; "Open with Vandrel" for palette files: an open-with choice, never the
  ; file type's own program.
  WriteRegStr HKCU "${OPEN_WITH_KEY}" "FriendlyAppName" "Vandrel"
  WriteRegStr HKCU "${OPEN_WITH_KEY}\shell\open\command" "" '"$INSTDIR\Vandrel.exe" "%1"'
  WriteRegStr HKCU "${OPEN_WITH_KEY}\SupportedTypes" ".gpl" ""
  WriteRegStr HKCU "${OPEN_WITH_KEY}\SupportedTypes" ".ase" ""
  WriteRegStr HKCU "Software\Classes\.gpl\OpenWithList\Vandrel.exe" "" ""
  WriteRegStr HKCU "Software\Classes\.ase\OpenWithList\Vandrel.exe" "" ""
SectionEnd

Section "Start Vandrel when I sign in" SectionSignIn
  WriteRegStr HKCU "${RUN_KEY}" "Vandrel" '"$INSTDIR\Vandrel.exe"'
SectionEnd

Function .onInstSuccess
  ; Unticked: a value this installation wrote earlier goes.
  SectionGetFlags ${SectionSignIn} $0
  IntOp $0 $0 & ${SF_SELECTED}
  IntCmp $0 ${SF_SELECTED} done
  ReadRegStr $0 HKCU "${RUN_KEY}" "Vandrel"
  StrCmp $0 '"$INSTDIR\Vandrel.exe"' 0 done
    DeleteRegValue HKCU "${RUN_KEY}" "Vandrel"
  done:
FunctionEnd

Section "Uninstall"
  ExecWait '"$INSTDIR\Vandrel.exe" /exit'
  !insertmacro RemoveProgramFile "un."
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Vandrel.lnk"

  ; Only a start at sign-in of this installation (StrCmp ignores case).
  ReadRegStr $0 HKCU "${RUN_KEY}" "Vandrel"
  StrCmp $0 '"$INSTDIR\Vandrel.exe"' 0 +3
    DeleteRegValue HKCU "${RUN_KEY}" "Vandrel"
    DeleteRegValue HKCU "${APPROVED_KEY}" "Vandrel"
  DeleteRegKey HKCU "${OPEN_WITH_KEY}"
  DeleteRegKey HKCU "Software\Classes\.gpl\OpenWithList\Vandrel.exe"
  DeleteRegKey /ifempty HKCU "Software\Classes\.gpl\OpenWithList"
  DeleteRegKey /ifempty HKCU "Software\Classes\.gpl"
  DeleteRegKey HKCU "Software\Classes\.ase\OpenWithList\Vandrel.exe"
  DeleteRegKey /ifempty HKCU "Software\Classes\.ase\OpenWithList"
  DeleteRegKey /ifempty HKCU "Software\Classes\.ase"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The user's palettes and settings (the profile's Vandrel folder) stay.
SectionEnd
