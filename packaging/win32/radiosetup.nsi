; The Windows installer: radiosetup.exe and radioctl.exe under Program Files, a Start-menu
; entry, an uninstaller. makensis -DVERSION=x.y.z -DDIST=<folder of the programs>
; -DOUTFILE=<installer> radiosetup.nsi
; A 64-bit installer, as the programs are: it runs where they run.
Target amd64-unicode

!define PRODUCT "Sorvane高速数传台设置软件"
!define PUBLISHER "Sorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\SorvaneRadioSetup"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Sorvane\RadioSetup"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${ICON}"
UninstallIcon "${ICON}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Installed for every user of the machine, Start-menu entry included.
Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File "${DIST}/radiosetup.exe"
    File "${DIST}/radioctl.exe"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The program keeps its channel file in its working folder: start it in the user's
    ; documents, which a standard user may write.
    SetOutPath "$DOCUMENTS"
    CreateDirectory "$SMPROGRAMS\Sorvane"
    CreateShortcut "$SMPROGRAMS\Sorvane\${PRODUCT}.lnk" "$INSTDIR\radiosetup.exe" "" \
        "$INSTDIR\radiosetup.exe" 0
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\radiosetup.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

; The PC port settings in the registry stay: they belong to the user, not to the program.
Section "Uninstall"
    Delete "$INSTDIR\radiosetup.exe"
    Delete "$INSTDIR\radioctl.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "$PROGRAMFILES64\Sorvane"
    Delete "$SMPROGRAMS\Sorvane\${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\Sorvane"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
