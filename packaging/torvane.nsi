; The add-on's installer. The libraries and dialog layouts go into the folder qz of an NX
; installation, which becomes one of NX's custom directories; the sample configuration goes to
; D:\qz_conf unless the shop has one there, which is never touched.
;
; scripts/package.sh builds it: it defines VERSION, OUTFILE and FILES (the folder of the generated
; lists install_files.nsh, conf_files.nsh and uninstall_files.nsh).
Unicode true
Target amd64-unicode
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Name "torvane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir ""
ShowInstDetails show
ShowUninstDetails show

!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define CONF_ROOT "D:\qz_conf"
!define UNINSTALLER "uninstall_torvane.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\torvane"
; NX's list of custom directories, below the NX folder.
!define CUSTOM_DIRS "UGII\menus\custom_dirs.dat"

DirText "Choose the folder NX is installed in (UGII_BASE_DIR, the folder that holds UGII). \
The add-on goes into its subfolder qz; the configuration into ${CONF_ROOT}, unless that exists."
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; $1 without its line end.
!macro DEFINE_TRIM_EOL prefix
Function ${prefix}trim_eol
  loop:
    StrCpy $9 $1 1 -1
    ${If} $9 == "$\r"
    ${OrIf} $9 == "$\n"
      StrCpy $1 $1 -1
      Goto loop
    ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_TRIM_EOL ""
!insertmacro DEFINE_TRIM_EOL "un."

Function .onInit
  ${If} $INSTDIR == ""
    ReadEnvStr $INSTDIR UGII_BASE_DIR
  ${EndIf}
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR "$PROGRAMFILES64\Siemens\NX"
  ${EndIf}
  StrCpy $1 $INSTDIR "" -1
  ${If} $1 == "\"
    StrCpy $INSTDIR $INSTDIR -1
  ${EndIf}
FunctionEnd

Function .onVerifyInstDir
  ${IfNot} ${FileExists} "$INSTDIR\UGII\*.*"
    Abort
  ${EndIf}
FunctionEnd

; Adds the line NX_FOLDER\qz to NX's custom directory list once, so that NX finds the add-on's
; dialog layouts in qz\application.
Function register_custom_dir
  StrCpy $R0 "$INSTDIR\${CUSTOM_DIRS}"
  StrCpy $R1 "$INSTDIR\qz"
  ${IfNot} ${FileExists} $R0
    DetailPrint "NX has no $R0: add the line $R1 to NX's custom directory list by hand."
    Return
  ${EndIf}
  StrCpy $R2 0
  ClearErrors
  FileOpen $0 $R0 r
  ${IfNot} ${Errors}
    ${Do}
      FileRead $0 $1
      ${If} ${Errors}
        ${ExitDo}
      ${EndIf}
      Call trim_eol
      ${IfThen} $1 == $R1 ${|} StrCpy $R2 1 ${|}
    ${Loop}
    FileClose $0
  ${EndIf}
  ${If} $R2 == 1
    DetailPrint "$R0 already names $R1."
    Return
  ${EndIf}
  ClearErrors
  FileOpen $0 $R0 a
  ${If} ${Errors}
    MessageBox MB_ICONEXCLAMATION "Cannot write $R0: add the line $R1 to it by hand." /SD IDOK
    Return
  ${EndIf}
  ; A last line without its line end gets one first.
  FileSeek $0 0 END $2
  ${If} $2 > 0
    FileSeek $0 -1 END
    FileReadByte $0 $3
    FileSeek $0 0 END
    ${IfThen} $3 != 10 ${|} FileWrite $0 "$\r$\n" ${|}
  ${EndIf}
  FileWrite $0 "$R1$\r$\n"
  FileClose $0
  DetailPrint "Added $R1 to $R0."
FunctionEnd

Section "torvane"
  ${IfNot} ${FileExists} "$INSTDIR\UGII\*.*"
    MessageBox MB_ICONSTOP "$INSTDIR is not an NX folder: it has no folder UGII." /SD IDOK
    Abort "$INSTDIR is not an NX folder"
  ${EndIf}
  ; An empty drive root has no entries to find, so the drive is asked for its size instead.
  ClearErrors
  ${DriveSpace} "D:\" "/D=T /S=M" $0
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "There is no drive D:, where the add-on keeps its configuration \
(${CONF_ROOT}). Create or map drive D: first." /SD IDOK
    Abort "no drive D:"
  ${EndIf}

  SetOverwrite on
  !include "${FILES}\install_files.nsh"
  WriteUninstaller "$INSTDIR\qz\${UNINSTALLER}"

  ${If} ${FileExists} "${CONF_ROOT}\*.*"
    DetailPrint "${CONF_ROOT} exists: the shop's configuration is kept as it is."
  ${Else}
    !include "${FILES}\conf_files.nsh"
  ${EndIf}

  Call register_custom_dir
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "torvane ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\qz"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\qz\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\qz\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller lies in NX_FOLDER\qz, its $INSTDIR.
Section "Uninstall"
  !include "${FILES}\uninstall_files.nsh"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  ${GetParent} "$INSTDIR" $R3
  StrCpy $R0 "$R3\${CUSTOM_DIRS}"
  ; The list is written anew beside the old one and swapped in only when complete, so that NX's
  ; own lines survive any failure.
  ${If} ${FileExists} $R0
    ClearErrors
    FileOpen $0 $R0 r
    FileOpen $4 "$R0.torvane-new" w
    ${If} ${Errors}
      FileClose $0
      FileClose $4
      Delete "$R0.torvane-new"
      DetailPrint "Cannot rewrite $R0: remove the line $INSTDIR from it by hand."
    ${Else}
      ${Do}
        FileRead $0 $1
        ${If} ${Errors}
          ${ExitDo}
        ${EndIf}
        StrCpy $5 $1
        Call un.trim_eol
        ${IfThen} $1 != $INSTDIR ${|} FileWrite $4 $5 ${|}
      ${Loop}
      FileClose $0
      FileClose $4
      Delete "$R0.torvane-old"
      ClearErrors
      Rename $R0 "$R0.torvane-old"
      Rename "$R0.torvane-new" $R0
      ${If} ${Errors}
        Rename "$R0.torvane-old" $R0
        Delete "$R0.torvane-new"
        DetailPrint "Cannot rewrite $R0: remove the line $INSTDIR from it by hand."
      ${Else}
        Delete "$R0.torvane-old"
      ${EndIf}
    ${EndIf}
  ${EndIf}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DetailPrint "The configuration in ${CONF_ROOT} stays."
SectionEnd
