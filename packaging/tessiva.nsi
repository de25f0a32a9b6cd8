; Setup program for tessiva: installs the wizard, the command-line tool, the
; templates and the user guide into one folder (the user may choose it), adds a
; Start menu shortcut that starts the wizard in that folder, and registers an
; uninstaller with the system's list of programs.
;
; makensis -DVERSION=1.2.3.4 -DSTAGE=<folder with the files> -DPAYLOAD=<payload.nsh>
;          -DICON=<tessiva.ico> -DOUTFILE=<setup.exe> tessiva.nsi
; PAYLOAD names every file of STAGE through the PAYLOAD_FILE macro, so that
; install and uninstall work from the same list.

!ifndef VERSION | STAGE | PAYLOAD | ICON | OUTFILE
  !error "VERSION, STAGE, PAYLOAD, ICON and OUTFILE must be defined"
!endif

Unicode true
; The programs are 64-bit; a 64-bit setup sees the 64-bit Program Files folder
; and registry view without redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define PRODUCT "tessiva"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A new version goes where the last one went, unless the user says otherwise.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" ""

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartInstalledProgram

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---- The files ----------------------------------------------------------------
!macro INSTALL_FILE NAME
  File "${STAGE}\${NAME}"
!macroend

; Only the files this setup put there go: pages or notes the user saved in the
; folder stay, and so does the folder then.
!macro REMOVE_FILE NAME
  Delete "$INSTDIR\${NAME}"
!macroend

; ---- Install ------------------------------------------------------------------
Section "-Program"
  ; One installation for everyone on the machine, like its Program Files folder.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !define PAYLOAD_FILE "!insertmacro INSTALL_FILE"
  !include "${PAYLOAD}"
  !undef PAYLOAD_FILE
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The shortcut's working folder is the output path in force: the install
  ; folder. The wizard opens its user guide by bare name, found there.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\tessiva.exe" "" "$INSTDIR\tessiva.exe" 0 \
                 SW_SHOWNORMAL "" "Turn plain text files into web pages"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessiva.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Started from the finish page in the install folder, as the shortcut does.
Function StartInstalledProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\tessiva.exe"'
FunctionEnd

; ---- Uninstall ----------------------------------------------------------------
Section "Uninstall"
  SetShellVarContext all
  !define PAYLOAD_FILE "!insertmacro REMOVE_FILE"
  !include "${PAYLOAD}"
  !undef PAYLOAD_FILE
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
