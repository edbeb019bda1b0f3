; The Windows installer: the program's folder under Program Files, a
; Start-menu entry, an entry in "Apps and features", and an uninstaller
; that removes exactly what was installed. packaging/windows/windows.sh passes the
; package facts (PRODUCT, PUBLISHER, HOMEPAGE), the version, the laid-out folder (STAGE), the icon, the licence shown before
; installing and the output file, and writes the lists of files into
; files.nsh and remove-files.nsh beside it.
; A 64-bit installer for the 64-bit program: it needs no 32-bit Windows
; layer (WOW64), and sees the 64-bit registry and Program Files.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zartex"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка программы ${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; One installation on a computer: where the Windows Installer package put
; the program (its value below stands for its Start-menu entry), this
; installer changes nothing, says what to remove first, and ends with
; status 2, silent or not.
!define MSI_KEY "Software\Zartex"
!define MSI_INSTALLED "Программа «${PRODUCT}» уже установлена на этот компьютер пакетом Windows Installer (.msi). Сначала удалите её в «Приложениях и возможностях» или командой msiexec /x. Эта установка ничего не изменила."
Function .onInit
    SetShellVarContext all
    SetRegView 64
    ReadRegDWORD $0 HKLM "${MSI_KEY}" "StartMenuEntry"
    StrCmp $0 "1" 0 no_msi_installation
        MessageBox MB_OK|MB_ICONSTOP "${MSI_INSTALLED}" /SD IDOK
        SetErrorLevel 2
        Abort
    no_msi_installation:
FunctionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64
FunctionEnd

Section "Install"
    !include "${STAGE}.files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The shortcut starts the program in its folder, where its pictures are.
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zartex.exe" "" "$INSTDIR\zartex.exe" 0
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zartex.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    !include "${STAGE}.remove-files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    ; Only an empty folder goes: anything a user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
