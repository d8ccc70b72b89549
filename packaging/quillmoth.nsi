; Quillmoth's installer, for the current user only: no administrator rights, the
; program in the user's own programs folder, the shortcut in the user's Start menu,
; the uninstaller registered under HKCU, and (a component, on by default) a
; "Quillmoth" entry in the user's "Send to" menu. settings.ini is never installed, replaced
; or removed, so an update keeps it and so does an uninstall.
;
; Built by `cmake --build build/windows --target package`, which passes
;   VERSION  the four-part version, e.g. 6.0.2.236
;   STAGE    the folder that holds Quillmoth.exe, Quillmoth.chm, LICENSE, README.txt
;   ICON     the program's icon
;   OUTFILE  the installer to write

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmoth"
; The program's single-instance mutex: while it exists, Quillmoth runs and would
; write its settings over whatever happens meanwhile.
!define RUNNING_MUTEX "{A3C61F07-9D42-4e8c-81B5-6F0E2D97C4A8}"

Name "Quillmoth"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quillmoth"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Quillmoth ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey "ProductName" "Quillmoth"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Quillmoth setup"
VIAddVersionKey "CompanyName" "The Quillmoth authors"
VIAddVersionKey "LegalCopyright" "Copyright (c) The Quillmoth authors. MIT License."

!include "MUI2.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillmoth.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Quillmoth"

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "Quillmoth will be installed for you alone, in the folder below. It keeps its settings in settings.ini in the same folder; installing over an older copy keeps them."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Quillmoth, its help file, its Start-menu shortcut and its Send-to entry will be removed. Your settings (settings.ini in the folder below) are kept; delete that folder yourself if you no longer need them."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Refuses to go on while Quillmoth runs: its files could not be replaced, and it
; writes settings.ini when it closes. Silent runs end at once with exit code 2.
!macro REFUSE_WHILE_RUNNING
  retry:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    StrCmp $0 0 done
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quillmoth is running. Close it, then press Retry." /SD IDCANCEL IDRETRY retry
    Abort
  done:
!macroend

Function .onInit
  !insertmacro REFUSE_WHILE_RUNNING
FunctionEnd

Function un.onInit
  !insertmacro REFUSE_WHILE_RUNNING
FunctionEnd

Section "Quillmoth" SecProgram
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}/Quillmoth.exe"
  File "${STAGE}/Quillmoth.chm"
  File "${STAGE}/LICENSE"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Quillmoth.lnk" "$INSTDIR\Quillmoth.exe" "" "$INSTDIR\Quillmoth.exe" 0 \
    SW_SHOWNORMAL "" "Rename many files in one go"
  ; An update without the Send-to entry takes away the one installed before.
  Delete "$SENDTO\Quillmoth.lnk"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quillmoth"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Quillmoth authors"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillmoth.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

; Explorer's "Send to" menu hands the selected files to Quillmoth on its
; command line; a running Quillmoth takes them.
Section "Send to menu entry" SecSendTo
  SetShellVarContext current
  CreateShortcut "$SENDTO\Quillmoth.lnk" "$INSTDIR\Quillmoth.exe" "" "$INSTDIR\Quillmoth.exe" 0 \
    SW_SHOWNORMAL "" "Add the selected files to Quillmoth's list"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, its help file and a Start-menu shortcut."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSendTo} "A $\"Quillmoth$\" entry in Explorer's Send to menu, which adds the selected files to Quillmoth's list."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\Quillmoth.exe"
  Delete "$INSTDIR\Quillmoth.chm"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Quillmoth.lnk"
  Delete "$SENDTO\Quillmoth.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Only an empty folder goes: settings.ini keeps it.
  RMDir "$INSTDIR"
  IfFileExists "$INSTDIR\settings.ini" 0 +2
    DetailPrint "Your settings are kept in $INSTDIR\settings.ini."
SectionEnd
