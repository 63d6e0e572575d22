; Zorvane's setup program and its uninstaller: 64-bit, Unicode, English, silent with /S.
;
;   makensis -DRELEASE_DIR=<folder with Zorvane.exe and UI> -DOUTPUT_DIR=<folder>
;            -DICON=<zorvane.ico> Zorvane.nsi
;
; Setup switches: /S (silent), /STARTWITHWINDOWS (tick the start-with-Windows option,
; also when silent), /D=<folder> (last, the installation folder).
; The uninstaller: /S keeps the user's settings; otherwise it asks.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef RELEASE_DIR
  !error "RELEASE_DIR is not defined"
!endif
!ifndef OUTPUT_DIR
  !error "OUTPUT_DIR is not defined"
!endif
!ifndef ICON
  !error "ICON is not defined"
!endif

; The version is the one in Zorvane.exe's version resource.
!getdllversion "${RELEASE_DIR}/Zorvane.exe" EXE_VERSION_
!define VERSION "${EXE_VERSION_1}.${EXE_VERSION_2}.${EXE_VERSION_3}.${EXE_VERSION_4}"
!define PUBLISHER "Drelmont"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvane"
!define SETTINGS_KEY "Software\Drelmont\Zorvane"
!define MAKER_KEY "Software\Drelmont"

Name "Zorvane"
Caption "Zorvane ${VERSION} Setup"
UninstallCaption "Zorvane ${VERSION} Uninstall"
OutFile "${OUTPUT_DIR}/Zorvane-${VERSION}-setup.exe"
InstallDir "$PROGRAMFILES64\Drelmont\Zorvane"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Zorvane"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Zorvane Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zorvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Zorvane now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends a running Zorvane: its single-instance window is asked to quit and the quit
; question answered with "Keep current & Quit", so curve-mode fans go back to the
; driver and nothing on the board changes; a process that is still there after ten
; seconds is ended.
!macro DEFINE_END_RUNNING_ZORVANE prefix
Function ${prefix}EndRunningZorvane
  FindWindow $0 "#32770" "Zorvane"
  ${If} $0 = 0
    Return
  ${EndIf}
  DetailPrint "Closing the running Zorvane"
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
  ; SYNCHRONIZE | PROCESS_TERMINATE
  System::Call 'kernel32::OpenProcess(i 0x00100001, i 0, i r1) p .r2'
  System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
  StrCpy $4 1
  ${For} $3 1 50
    FindWindow $5 "#32770" "Quit - Zorvane"
    ${If} $5 <> 0
      System::Call 'user32::PostMessageW(p r5, i ${WM_COMMAND}, p 2, p 0)'
    ${EndIf}
    ${If} $2 P= 0
      Sleep 200
      FindWindow $5 "#32770" "Zorvane"
      ${If} $5 = 0
        StrCpy $4 0
        ${Break}
      ${EndIf}
    ${Else}
      System::Call 'kernel32::WaitForSingleObject(p r2, i 200) i .r4'
      ${If} $4 = 0
        ${Break}
      ${EndIf}
    ${EndIf}
  ${Next}
  ${If} $4 <> 0
  ${AndIf} $2 P<> 0
    DetailPrint "Zorvane did not quit; ending it"
    System::Call 'kernel32::TerminateProcess(p r2, i 1)'
    System::Call 'kernel32::WaitForSingleObject(p r2, i 5000) i'
  ${EndIf}
  ${If} $2 P<> 0
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_ZORVANE ""
!insertmacro DEFINE_END_RUNNING_ZORVANE "un."

Section "Zorvane" SecProgram
  SectionIn RO
  Call EndRunningZorvane
  SetOutPath "$INSTDIR"
  File "${RELEASE_DIR}/Zorvane.exe"
  ; The skin is replaced whole: pictures of an earlier version do not linger.
  RMDir /r "$INSTDIR\UI"
  File /r "${RELEASE_DIR}/UI"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Zorvane.lnk" "$INSTDIR\Zorvane.exe" "" "$INSTDIR\Zorvane.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zorvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zorvane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The program's own switch writes the Run value and the logon task together.
Section /o "Start Zorvane with Windows" SecStartWithWindows
  ExecWait '"$INSTDIR\Zorvane.exe" /INSTALL'
SectionEnd

Function .onInit
  SetRegView 64
  SetShellVarContext all
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTWITHWINDOWS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecStartWithWindows}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Uninstall"
  Call un.EndRunningZorvane
  ; The program's own switch removes the Run value and the logon task.
  ${If} ${FileExists} "$INSTDIR\Zorvane.exe"
    ExecWait '"$INSTDIR\Zorvane.exe" /UNINSTALL'
  ${EndIf}

  Delete "$INSTDIR\Zorvane.exe"
  RMDir /r "$INSTDIR\UI"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\Drelmont"
  Delete "$SMPROGRAMS\Zorvane.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Settings and modes stay unless the user says otherwise; a silent uninstall keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Remove your Zorvane settings and saved modes too?" /SD IDNO IDNO keep_settings
  ; The program keeps its settings in the 32-bit view.
  SetRegView 32
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
  SetRegView 64
keep_settings:
SectionEnd
