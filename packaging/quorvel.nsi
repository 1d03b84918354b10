; The setup of qvconfig.exe and qvpanel.cpl, one script for both machines (scripts/dist.sh runs it).
;
; Defined on makensis's command line:
;   VERSION      the program's version, "1.5"
;   ARCH         i686 (Windows 95/98/ME and 32-bit Windows) or x86_64 (64-bit Windows)
;   PROGRAM_DIR  the directory of the release files qvconfig.exe and qvpanel.cpl
;   ICON         the program's icon
;   OUTFILE      the setup to write
;   DRIVER_DIR   optional: the directory of the driver package (tarnset.exe, qvdriver.inf,
;                qvdriver.sys), installed into the install directory
;   RUNTIME_DLL  optional: the C run-time library that must be in the system directory;
;                the i686 setup checks msvcrt.dll without being told
;
; The settings key belongs to the machine and the driver: the setup writes `Executable`,
; and `InstallDir` only where the key has none, and touches no other value. Uninstalling
; removes `Executable` and keeps everything else.
;
; A running qvconfig.exe holds its file: the setup and the uninstaller ask for it to be
; closed first (silently they change nothing and end with EXIT_PROGRAM_RUNNING). A file
; still in use after that (the applet in an open Control Panel, a run that shows only its
; usage message) is replaced or deleted when Windows restarts, and they end with
; EXIT_RESTART_NEEDED.
;
; The i686 setup runs on Windows 95: an ANSI setup, and no plug-in (pages of the Modern UI
; that need none, and no System calls).

!if "${ARCH}" == "i686"
  Target x86-ansi
  Unicode false
  !define /ifndef RUNTIME_DLL "msvcrt.dll"
!else if "${ARCH}" == "x86_64"
  Target amd64-unicode
  !include "x64.nsh"
!else
  !error "ARCH must be i686 or x86_64"
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Quorvel"
!define SETTINGS_KEY "Software\Quorvel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"
!define UNINSTALLER "uninstall.exe"

; Exit statuses beside NSIS's own (0 done, 1 cancelled by the user, 2 stopped by the
; setup before it changed anything). Below 256, which is all a Windows 9x batch file sees.
!define EXIT_PROGRAM_RUNNING 3  ; qvconfig.exe is running; nothing was changed
!define EXIT_RESTART_NEEDED 4   ; done, but a file in use is replaced or deleted at the next restart

; Every window of qvconfig.exe (the configuration window, the notices, and the hidden one
; of a start, stop or save run) is of the class that platform/win32/form_view.h names.
; FindWindow finds it on every Windows from 95 on, with no plug-in.
!searchparse /file "${__FILEDIR__}/../platform/win32/form_view.h" 'FormClass = "' PROGRAM_WINDOW_CLASS '"'

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The fallback that qvconfig.exe itself uses when it finds no settings.
InstallDir "C:\Program Files\Quorvel"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup (${ARCH})"
; NSIS expects this key; the program's own version information carries no notice either.
VIAddVersionKey /LANG=1033 "LegalCopyright" ""

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

; The first page says what the setup installs, and where the driver comes from.
!tempfile ABOUT_FILE
!appendfile "${ABOUT_FILE}" "This setup installs the Quorvel configuration utility ${VERSION} for ${ARCH} Windows:$\r$\n$\r$\n"
!appendfile "${ABOUT_FILE}" "- qvconfig.exe, the configuration program of the Quorvel RAM-disk driver, and$\r$\n"
!appendfile "${ABOUT_FILE}" "- qvpanel.cpl, its Control Panel applet,$\r$\n$\r$\n"
!appendfile "${ABOUT_FILE}" "into the Windows system directory, where the Control Panel finds the applet.$\r$\n$\r$\n"
!ifdef DRIVER_DIR
  !appendfile "${ABOUT_FILE}" "It also installs the driver package (tarnset.exe, qvdriver.inf, qvdriver.sys) into the install directory.$\r$\n$\r$\n"
!else
  !appendfile "${ABOUT_FILE}" "The driver package is installed separately, into the install directory.$\r$\n$\r$\n"
!endif
!appendfile "${ABOUT_FILE}" "Settings stored on this computer are kept as they are, also when the program is uninstalled.$\r$\n"

!define MUI_PAGE_HEADER_TEXT "${PRODUCT} ${VERSION}"
!define MUI_PAGE_HEADER_SUBTEXT "What this setup installs"
!define MUI_LICENSEPAGE_TEXT_TOP "Please read the following before you install."
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Click Next to continue."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${ABOUT_FILE}"

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipDirectoryPageWhenStored
!define MUI_DIRECTORYPAGE_TEXT_TOP "The install directory holds the driver package (tarnset.exe, qvdriver.inf, qvdriver.sys) and the uninstaller. The configuration program finds the driver there."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var StoredInstallDir  ; "1" when the settings key already holds InstallDir

; The system directory and the registry as 64-bit programs see them: the real System32
; and the 64-bit view, which the driver and the x86_64 program read.
!macro UseNativeViews
  !if "${ARCH}" == "x86_64"
    ${DisableX64FSRedirection}
    SetRegView 64
  !endif
!macroend

; Whether the settings key holds a value named InstallDir, of whatever type: $0 is "1" or "".
!macro FindStoredInstallDir
  StrCpy $0 ""
  StrCpy $1 0
  ${Do}
    ClearErrors
    EnumRegValue $2 HKLM "${SETTINGS_KEY}" $1
    ${If} ${Errors}
    ${OrIf} $2 == ""
      ${ExitDo}
    ${EndIf}
    ${If} $2 == "InstallDir"  ; StrCmp ignores case, as the registry does
      StrCpy $0 "1"
      ${ExitDo}
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
!macroend

Function .onInit
  !insertmacro UseNativeViews
  !if "${ARCH}" == "i686"
    ; A 32-bit program on 64-bit Windows sees this variable.
    ReadEnvStr $0 PROCESSOR_ARCHITEW6432
    ${If} $0 != ""
      MessageBox MB_OK|MB_ICONSTOP "This setup is for Windows 95, 98, ME and 32-bit Windows. On 64-bit Windows, install ${PRODUCT} with quorvel-${VERSION}-x86_64-setup.exe." /SD IDOK
      Abort
    ${EndIf}
  !endif
  !ifdef RUNTIME_DLL
    ; Windows 98, ME and every Windows NT ship msvcrt.dll; Windows 95 only has it when
    ; something installed it. Stop before anything is copied.
    ${IfNot} ${FileExists} "$SYSDIR\${RUNTIME_DLL}"
      MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs the Microsoft C run-time library ${RUNTIME_DLL}, which this computer lacks.$\r$\n$\r$\nInstall Internet Explorer 4 or later, the Windows Socket 2 update, or the Microsoft Visual C++ run-time redistributable, then run this setup again." /SD IDOK
      Abort
    ${EndIf}
  !endif
  ; An install directory that the settings already name stays: the driver is there.
  !insertmacro FindStoredInstallDir
  StrCpy $StoredInstallDir $0
  ${If} $StoredInstallDir == "1"
    ClearErrors
    ReadRegStr $0 HKLM "${SETTINGS_KEY}" "InstallDir"
    ${IfNot} ${Errors}
    ${AndIf} $0 != ""
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SkipDirectoryPageWhenStored
  ${If} $StoredInstallDir == "1"
    Abort
  ${EndIf}
FunctionEnd

; Before anything changes: while a window of qvconfig.exe is open, asks for it to be closed
; (Retry, Cancel). Cancelled, or silently, ends with EXIT_PROGRAM_RUNNING.
!macro StopWhileTheProgramRuns WHAT
  ${Do}
    FindWindow $0 "${PROGRAM_WINDOW_CLASS}"
    ${IfThen} $0 == 0 ${|} ${ExitDo} ${|}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "The ${PRODUCT} configuration program (qvconfig.exe) is running.$\r$\n$\r$\nClose it, then click Retry to ${WHAT}." /SD IDCANCEL IDRETRY`
      DetailPrint "qvconfig.exe is running: nothing was changed."
      SetErrorLevel ${EXIT_PROGRAM_RUNNING}
      Abort
    ${EndIf}
  ${Loop}
!macroend

; After the files: when one of them was in use, says that Windows must restart to finish.
!macro TellWhenARestartIsNeeded WHAT
  ${If} ${RebootFlag}
    SetErrorLevel ${EXIT_RESTART_NEEDED}
    MessageBox MB_OK|MB_ICONINFORMATION "A file of ${PRODUCT} is in use. Restart Windows to ${WHAT}." /SD IDOK
  ${EndIf}
!macroend

; A program of the system directory; one in use (for example the applet in an open Control
; Panel) is written beside it as NEWNAME, which takes its place at the next restart.
!macro InstallProgram NAME NEWNAME
  SetOverwrite try
  ClearErrors
  File "${PROGRAM_DIR}\${NAME}"
  ${If} ${Errors}
    SetOverwrite on
    File "/oname=$SYSDIR\${NEWNAME}" "${PROGRAM_DIR}\${NAME}"
    Rename /REBOOTOK "$SYSDIR\${NEWNAME}" "$SYSDIR\${NAME}"
  ${EndIf}
  SetOverwrite on
!macroend

Section "Install"
  !insertmacro UseNativeViews
  !insertmacro StopWhileTheProgramRuns "install ${PRODUCT}"
  SetOverwrite on
  ; The applet starts qvconfig.exe by its bare name, and the Control Panel lists the
  ; applets of the system directory. Short names for the new files: Windows 9x replaces
  ; files at restart through wininit.ini, which takes 8.3 names.
  SetOutPath "$SYSDIR"
  !insertmacro InstallProgram qvconfig.exe qvconfig.new
  !insertmacro InstallProgram qvpanel.cpl qvpanel.new

  SetOutPath "$INSTDIR"
  !ifdef DRIVER_DIR
    File "${DRIVER_DIR}\tarnset.exe"
    File "${DRIVER_DIR}\qvdriver.inf"
    File "${DRIVER_DIR}\qvdriver.sys"
  !endif
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${SETTINGS_KEY}" "Executable" "$SYSDIR\qvconfig.exe"
  ${If} $StoredInstallDir != "1"
    WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\qvconfig.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  !insertmacro TellWhenARestartIsNeeded "finish installing"
SectionEnd

Function un.onInit
  !insertmacro UseNativeViews
FunctionEnd

; Whatever is already gone is passed over, so a second run, or one after files were
; deleted by hand, ends cleanly. Every file goes, now or at the next restart, so
; `Executable` and the registration never outlive the files they describe.
Section "Uninstall"
  !insertmacro UseNativeViews
  !insertmacro StopWhileTheProgramRuns "uninstall ${PRODUCT}"
  Delete /REBOOTOK "$SYSDIR\qvconfig.exe"
  Delete /REBOOTOK "$SYSDIR\qvpanel.cpl"
  !ifdef DRIVER_DIR
    Delete /REBOOTOK "$INSTDIR\tarnset.exe"
    Delete /REBOOTOK "$INSTDIR\qvdriver.inf"
    Delete /REBOOTOK "$INSTDIR\qvdriver.sys"
  !endif
  DeleteRegValue HKLM "${SETTINGS_KEY}" "Executable"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
  ; Only when nothing else is left in it; after the files that go at the restart, if any.
  ${If} ${RebootFlag}
    RMDir /REBOOTOK "$INSTDIR"
  ${Else}
    RMDir "$INSTDIR"
  ${EndIf}
  !insertmacro TellWhenARestartIsNeeded "finish uninstalling"
SectionEnd
