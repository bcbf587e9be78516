; Installer of Lumora Photo Frame: per user, no administrator rights.
; tools/package.sh builds it once for each program:
;   makensis -DARCH=x64|x86 -DVERSION=1.2.3.0 -DSHORT_VERSION=1.2.3 -DPROGRAM=<lumora.exe>
;            -DSTAGE=<folder with License.txt and samples.nsh> -DICON=<.ico> -DOUTFILE=<setup.exe>
; Silent: /S; another folder: /D=<folder> (last on the command line, unquoted).

!if "${ARCH}" == "x64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!define TITLE "Lumora Photo Frame"
!define PUBLISHER "Arvendal"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora"
!define SETTINGS_KEY "Software\Arvendal\Lumora"
!define MENU_SHORTCUT "$SMPROGRAMS\${TITLE}.lnk"
; The program's own autostart entry in the Startup folder.
!define STARTUP_SHORTCUT "$SMSTARTUP\${TITLE}.lnk"
!define THUMBNAILS "$LOCALAPPDATA\Arvendal\Lumora\Thumbnails"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include x64.nsh
!include "${STAGE}/samples.nsh"

Name "${TITLE}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
InstallDir "$LOCALAPPDATA\Programs\Lumora"
; An installed copy is updated where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${TITLE} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${TITLE}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${TITLE} Setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}. All rights reserved."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${TITLE} ${VERSION} for your account; it needs no administrator rights.$\r$\n$\r$\nIf ${TITLE} is running, Setup asks it to exit first; your albums and settings are kept.$\r$\n$\r$\n$_CLICK"
!define MUI_FINISHPAGE_RUN "$INSTDIR\lumora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${TITLE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/License.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Window messages and flags the System calls below use.
!define ENDSESSION_CLOSEAPP 0x1
!define SMTO_ABORTIFHUNG 0x2
!define SYNCHRONIZE 0x00100000
!define MOVEFILE_REPLACE_EXISTING_WRITE_THROUGH 0x9
!define WAIT_OBJECT_0 0

; Ends every running Lumora the way Windows ends it at log-off: the program
; saves its album on WM_ENDSESSION and exits. Its main window is the dialog
; titled exactly like the program that holds its image buttons (the question
; box of its exit request has the same title but no buttons of that class).
; Sets $0 to "stuck" when a process did not end in time, else to "".
!macro END_RUNNING_LUMORA un
Function ${un}EndRunningLumora
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $0 ""
  StrCpy $1 0
  ${Do}
    FindWindow $1 "#32770" "${TITLE}" "" $1
    ${IfThen} $1 = 0 ${|} ${ExitDo} ${|}
    System::Call 'user32::GetWindowTextW(p r1, w .r2, i ${NSIS_MAX_STRLEN})'
    FindWindow $3 "DX_ButtonWnd" "" $1
    ${If} $3 <> 0
    ${AndIf} $2 S== "${TITLE}"
      DetailPrint "Asking the running ${TITLE} to exit"
      System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r3)'
      System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r3) p .r3'
      System::Call 'user32::SendMessageTimeoutW(p r1, i ${WM_QUERYENDSESSION}, p 0, p ${ENDSESSION_CLOSEAPP}, \
                    i ${SMTO_ABORTIFHUNG}, i 5000, *p .r4)'
      System::Call 'user32::SendMessageTimeoutW(p r1, i ${WM_ENDSESSION}, p 1, p ${ENDSESSION_CLOSEAPP}, \
                    i ${SMTO_ABORTIFHUNG}, i 5000, *p .r4)'
      StrCpy $4 -1
      ${If} $3 P<> 0
        System::Call 'kernel32::WaitForSingleObject(p r3, i 15000) i .r4'
        System::Call 'kernel32::CloseHandle(p r3)'
      ${EndIf}
      ${If} $4 = ${WAIT_OBJECT_0}
        StrCpy $1 0   ; its windows are gone: search again from the top
      ${Else}
        StrCpy $0 "stuck"
      ${EndIf}
    ${EndIf}
  ${Loop}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro END_RUNNING_LUMORA ""
!insertmacro END_RUNNING_LUMORA "un."

; Puts $INSTDIR\<name>.new in the place of $INSTDIR\<name> in one step, so
; that the program file is always either the old one or the whole new one.
; Argument on the stack: the file name.
Function CommitNewFile
  Exch $0
  Push $1
  ${Do}
    System::Call 'kernel32::MoveFileExW(w "$INSTDIR\$0.new", w "$INSTDIR\$0", \
                  i ${MOVEFILE_REPLACE_EXISTING_WRITE_THROUGH}) i .r1'
    ${IfThen} $1 <> 0 ${|} ${ExitDo} ${|}
    Push $0
    Call EndRunningLumora
    Pop $0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "$INSTDIR\$0 cannot be replaced: ${TITLE} may still be running.$\r$\nClose it and choose Retry." \
      /SD IDCANCEL IDRETRY +3
    Delete "$INSTDIR\$0.new"
    Abort "$0 could not be replaced."
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd

Function .onInit
!if "${ARCH}" == "x86"
  ${If} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP \
      "This installer is for 32-bit Windows.$\r$\nOn 64-bit Windows, install ${TITLE} with LumoraSetup-${SHORT_VERSION}-x64.exe." \
      /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!endif
FunctionEnd

Section "Install"
  Call EndRunningLumora
  SetOutPath "$INSTDIR"
  File "/oname=lumora.exe.new" "${PROGRAM}"
  Push "lumora.exe"
  Call CommitNewFile
  File "/oname=License.txt" "${STAGE}/License.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe.new"
  Push "uninstall.exe"
  Call CommitNewFile

!ifdef SAMPLES
  !insertmacro INSTALL_SAMPLES
  ; The program's first run fills an empty album from here.
  WriteRegStr HKCU "${SETTINGS_KEY}\Options" "InstallPath" "$INSTDIR\Samples"
!else
  DetailPrint "This installer was built without sample photos."
!endif

  SetOutPath "$INSTDIR"   ; the working folder of the shortcut
  CreateShortcut "${MENU_SHORTCUT}" "$INSTDIR\lumora.exe" "" "$INSTDIR\lumora.exe" 0 SW_SHOWNORMAL "" "${TITLE}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumora.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  SetDetailsPrint none
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  SetDetailsPrint both
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Asked first, so that nothing is gone yet when the user decides.
  StrCpy $9 "keep"
  MessageBox MB_YESNO|MB_ICONQUESTION \
    "Keep your albums and settings of ${TITLE}?$\r$\nChoose No to remove them as well." \
    /SD IDYES IDYES +2
  StrCpy $9 "remove"

  Call un.EndRunningLumora
  ${Do}
    ClearErrors
    Delete "$INSTDIR\lumora.exe"
    ${IfNot} ${Errors}
      ${ExitDo}
    ${EndIf}
    Call un.EndRunningLumora
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "$INSTDIR\lumora.exe cannot be removed: ${TITLE} may still be running.$\r$\nClose it and choose Retry." \
      /SD IDCANCEL IDRETRY +2
    Abort "lumora.exe could not be removed."
  ${Loop}
  Delete "$INSTDIR\lumora.exe.new"
  Delete "$INSTDIR\License.txt"
  !insertmacro REMOVE_SAMPLES
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\uninstall.exe.new"
  RMDir "$INSTDIR"

  Delete "${MENU_SHORTCUT}"
  Delete "${STARTUP_SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "${SETTINGS_KEY}\Options" "InstallPath"

  RMDir /r "${THUMBNAILS}"
  RMDir "$LOCALAPPDATA\Arvendal\Lumora"
  RMDir "$LOCALAPPDATA\Arvendal"

  ${If} $9 == "remove"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Arvendal"
  ${EndIf}
SectionEnd
