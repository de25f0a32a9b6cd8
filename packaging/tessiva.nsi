; Setup program for tessiva: installs the wizard, the command-line tool, the
; templates and the user guide into one folder (the user may choose it), adds a
; Start menu shortcut that starts the wizard in that folder, and registers an
; uninstaller with the system's list of programs.
;
; makensis -DVERSION=1.2.3.4 -DSTAGE=<folder with the files> -DPAYLOAD=<payload.nsh>
;          -DICON=<tessiva.ico> -DSIDE_PICTURE=<164x314 bmp> -DOUTFILE=<setup.exe> tessiva.nsi
; PAYLOAD names every file of STAGE through the PAYLOAD_FILE macro, so that
; install and uninstall work from the same list.

!ifndef VERSION | STAGE | PAYLOAD | ICON | SIDE_PICTURE | OUTFILE
  !error "VERSION, STAGE, PAYLOAD, ICON, SIDE_PICTURE and OUTFILE must be defined"
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
; The highest folder of the install path that this setup had to create.
!define CREATED_FOLDER_VALUE "SetupCreatedFolder"

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
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE_PICTURE}"
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

; Sets RESULT to 1 when PATH is FOLDER or lies inside it (compared without case,
; as the file system does), to 0 otherwise or when FOLDER is empty.
!macro IS_WITHIN RESULT FOLDER PATH
  Push $0
  Push $1
  StrCpy ${RESULT} 0
  StrLen $0 "${FOLDER}"
  ${If} $0 > 0
    StrCpy $1 "${PATH}" $0
    ${If} $1 == "${FOLDER}"
      StrCpy $1 "${PATH}" 1 $0
      ${If} $1 == ""
      ${OrIf} $1 == "\"
        StrCpy ${RESULT} 1
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $1
  Pop $0
!macroend

; ---- Install ------------------------------------------------------------------
Section "-Program"
  ; One installation for everyone on the machine, like its Program Files folder.
  SetShellVarContext all
  Call FindFolderToCreate
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

  ; Installing again into an existing folder keeps what the first setup created;
  ; a record that does not hold the new folder is out of date.
  ${If} $R0 != ""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "${CREATED_FOLDER_VALUE}" "$R0"
  ${Else}
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "${CREATED_FOLDER_VALUE}"
    !insertmacro IS_WITHIN $R2 "$R1" "$INSTDIR"
    ${If} $R2 != 1
      DeleteRegValue HKLM "${UNINSTALL_KEY}" "${CREATED_FOLDER_VALUE}"
    ${EndIf}
  ${EndIf}
SectionEnd

; Sets $R0 to the highest folder of $INSTDIR that does not exist yet ("" when
; $INSTDIR exists), before SetOutPath creates them all.
Function FindFolderToCreate
  StrCpy $R0 ""
  StrCpy $R1 "$INSTDIR"
  ${DoWhile} $R1 != ""
    ${If} ${FileExists} "$R1\*.*"
      ${Break}
    ${EndIf}
    StrCpy $R0 "$R1"
    ${GetParent} "$R1" $R1
  ${Loop}
FunctionEnd

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

  ; The folders above it that the setup created go too, while they are empty.
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "${CREATED_FOLDER_VALUE}"
  !insertmacro IS_WITHIN $R2 "$R0" "$INSTDIR"
  ${If} $R2 == 1
    StrCpy $R1 "$INSTDIR"
    ${DoWhile} $R1 != $R0
      ${GetParent} "$R1" $R1
      ${If} $R1 == ""
        ${Break}
      ${EndIf}
      ClearErrors
      RMDir "$R1"
      ${If} ${Errors}
        ${Break}
      ${EndIf}
    ${Loop}
  ${EndIf}

  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; This runs from a copy in the temporary folder, which the system deletes at
  ; its next start; asking for the folder after the copy has it go empty then.
  ${If} "$EXEDIR" != "$INSTDIR"
    RMDir /REBOOTOK "$EXEDIR"
  ${EndIf}
SectionEnd
