; The Partwright setup program. makensis -DVERSION=x.y.z -DBIN=folder -DICON=file -DOUTFILE=file
; Installs partwright.exe, partwright-export.exe and peekpane.dll (registered), a Start-menu
; shortcut and the uninstall entry; the uninstaller removes exactly those, the Explorer verb the
; program registers at its start and the UnRegPartwright.reg it writes beside itself.
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma

!include "FileFunc.nsh"

!define PRODUCT "Partwright"
!define PUBLISHER "Nodeworks"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Partwright"
!define UNINSTALLER "Uninstall Partwright.exe"
!define VERB_CLASS "Inventor.AssemblyDocument"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An upgrade goes where the earlier version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Partwright"
    SetOutPath "$INSTDIR"
    File "${BIN}/partwright.exe"
    File "${BIN}/partwright-export.exe"
    File "${BIN}/peekpane.dll"
    RegDLL "$INSTDIR\peekpane.dll"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\partwright.exe" "" \
        "$INSTDIR\partwright.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\partwright.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
    UnRegDLL "$INSTDIR\peekpane.dll"
    Delete "$INSTDIR\partwright.exe"
    Delete "$INSTDIR\partwright-export.exe"
    Delete "$INSTDIR\peekpane.dll"
    Delete "$INSTDIR\UnRegPartwright.reg"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    ; The Explorer verb the program registered; the class keys go only when nothing else is in them.
    DeleteRegKey HKCR "${VERB_CLASS}\SHELL\Partwright"
    DeleteRegKey /ifempty HKCR "${VERB_CLASS}\SHELL"
    DeleteRegKey /ifempty HKCR "${VERB_CLASS}"
    DeleteRegKey HKLM "SOFTWARE\Classes\${VERB_CLASS}\SHELL\Partwright"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Classes\${VERB_CLASS}\SHELL"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Classes\${VERB_CLASS}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
