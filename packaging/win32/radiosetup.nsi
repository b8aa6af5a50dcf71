; The Windows installer: radiosetup.exe and radioctl.exe under Program Files, a Start-menu
; entry, radioctl.exe on the PATH if chosen, an uninstaller. In English or Chinese, as the
; system's language is.
;   makensis -INPUTCHARSET UTF8 -DPRODUCT_NSH=<build>/packaging/win32/product.nsh
;            -DDIST=<folder of the programs> -DOUTFILE=<installer> radiosetup.nsi
; Silent: /S installs without touching the PATH; /S /PATH puts radioctl.exe on it too.
; A 64-bit installer, as the programs are: it runs where they run.
Target amd64-unicode
!include "${PRODUCT_NSH}"
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

; The Start-menu entry keeps its Chinese name in every language: it is the program's own.
!define SHORTCUT "$SMPROGRAMS\Sorvane\${NAME_ZH}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\SorvaneRadioSetup"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
; A PATH this long may have been cut when read: it is never written back.
!define /math PATH_LIMIT ${NSIS_MAX_STRLEN} - 1

LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"
LangString ProductName ${LANG_ENGLISH} "${NAME_EN}"
LangString ProductName ${LANG_SIMPCHINESE} "${NAME_ZH}"
LangString Summary ${LANG_ENGLISH} "${SUMMARY_EN}"
LangString Summary ${LANG_SIMPCHINESE} "${SUMMARY_ZH}"
LangString ProgramsSection ${LANG_ENGLISH} "Programs and Start-menu entry"
LangString ProgramsSection ${LANG_SIMPCHINESE} "程序和开始菜单项"
LangString PathSection ${LANG_ENGLISH} "Add radioctl.exe to the PATH"
LangString PathSection ${LANG_SIMPCHINESE} "将 radioctl.exe 加入 PATH"
LangString PathTooLong ${LANG_ENGLISH} "The PATH is too long to change safely; it was left as it is."
LangString PathTooLong ${LANG_SIMPCHINESE} "PATH 太长，无法安全修改，已保持不变。"

Name "$(ProductName) ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Sorvane\RadioSetup"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${ICON}"
UninstallIcon "${ICON}"
ComponentText "$(Summary)"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductName "${NAME_EN}"
VIAddVersionKey /LANG=${LANG_ENGLISH} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileDescription "${NAME_EN} installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} LegalCopyright "Copyright 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} ProductName "${NAME_ZH}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} FileDescription "${NAME_ZH}安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} LegalCopyright "Copyright 2026 ${PUBLISHER}"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; $R0 is a PATH; leaves in $R1 the same without the install folder's entries, and $R6 at 1
; when there were some. Windows compares paths without case, as StrCmp does.
!macro DefinePathFunctions prefix
Function ${prefix}PathWithout
    StrCpy $R1 ""
    StrCpy $R5 $R0
    StrCpy $R6 0
    next_entry:
        StrCmp $R5 "" done
        StrCpy $R2 0
    find_end:
        StrCpy $R3 $R5 1 $R2
        StrCmp $R3 "" entry_found
        StrCmp $R3 ";" entry_found
        IntOp $R2 $R2 + 1
        Goto find_end
    entry_found:
        StrCpy $R4 $R5 $R2
        IntOp $R2 $R2 + 1
        StrCpy $R5 $R5 "" $R2
        StrCmp $R4 "" next_entry
        StrCmp $R4 "$INSTDIR" ours
        StrCmp $R4 "$INSTDIR\" ours
        StrCmp $R1 "" 0 +3
        StrCpy $R1 $R4
        Goto next_entry
        StrCpy $R1 "$R1;$R4"
        Goto next_entry
    ours:
        StrCpy $R6 1
        Goto next_entry
    done:
FunctionEnd

; Reads the machine's PATH into $R0; the error flag when it is longer than this installer's
; strings hold, as a cut PATH written back would lose the rest.
Function ${prefix}ReadPath
    ClearErrors
    ReadRegStr $R0 HKLM "${ENVIRONMENT_KEY}" "Path"
    IfErrors too_long
    StrLen $R2 $R0
    IntCmp $R2 ${PATH_LIMIT} too_long fits too_long
    too_long:
        DetailPrint "$(PathTooLong)"
        SetErrors
    fits:
FunctionEnd

; Writes $R1 as the machine's PATH and tells running programs.
Function ${prefix}WritePath
    WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$R1"
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
FunctionEnd
!macroend
!insertmacro DefinePathFunctions ""
!insertmacro DefinePathFunctions "un."

Section "$(ProgramsSection)" SecPrograms
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${DIST}/radiosetup.exe"
    File "${DIST}/radioctl.exe"
    File "${README}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The program keeps its channel file in the folder it starts in: each user's own
    ; profile folder, which always exists and no other user shares (expanded at start).
    StrCpy $OUTDIR "%USERPROFILE%"
    CreateDirectory "$SMPROGRAMS\Sorvane"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\radiosetup.exe" "" "$INSTDIR\radiosetup.exe" 0 \
        SW_SHOWNORMAL "" "$(Summary)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ProductName)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Comments" "$(Summary)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\radiosetup.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Off unless chosen: a program on every user's PATH is the administrator's decision.
Section /o "$(PathSection)" SecPath
    Call ReadPath
    IfErrors done
    Call PathWithout
    StrCmp $R1 "" 0 append
    StrCpy $R1 "$INSTDIR"
    Goto check_length
    append:
    StrCpy $R1 "$R1;$INSTDIR"
    check_length:
    StrLen $R2 $R1
    IntCmp $R2 ${PATH_LIMIT} too_long fits too_long
    too_long:
    DetailPrint "$(PathTooLong)"
    Goto done
    fits:
    Call WritePath
    done:
SectionEnd

; Installed for every user of the machine, Start-menu entry included.
Function .onInit
    SetRegView 64
    SetShellVarContext all
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/PATH" $R1
    IfErrors +2
    SectionSetFlags ${SecPath} ${SF_SELECTED}
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

; The PC port settings in the registry stay: they belong to the user, not to the program.
Section "Uninstall"
    Call un.ReadPath
    IfErrors path_done
    Call un.PathWithout
    StrCmp $R6 0 path_done
    Call un.WritePath
    path_done:
    Delete "$INSTDIR\radiosetup.exe"
    Delete "$INSTDIR\radioctl.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "$PROGRAMFILES64\Sorvane"
    Delete "${SHORTCUT}"
    RMDir "$SMPROGRAMS\Sorvane"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
