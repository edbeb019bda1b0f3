; The Windows installer: the program's folder under Program Files, a
; Start-menu entry, an entry in "Apps and features", and an uninstaller
; that removes exactly what was installed. packaging/windows/make-setup.sh
; passes the package facts (PRODUCT, PUBLISHER, HOMEPAGE), the version, the
; icon, the licence shown before installing, the output file, and the
; folder (LISTS) with the lists of files: files.nsh, remove-files.nsh and
; installed-files.txt, which the installed folder keeps for the next
; version's installer.
;
; It refuses before it changes anything, with a Russian message and an
; exit status of its own (docs/windows.md): where the .msi installed the
; program (2), while the program runs from the folder (3), without
; administrator rights (4), for a folder outside Program Files that it did
; not make itself (5). A file or value it cannot write or remove ends it
; with 6, never 0.
; A 64-bit installer for the 64-bit program: it needs no 32-bit Windows
; layer (WOW64), and sees the 64-bit registry and Program Files.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
; By default a file that cannot be written is skipped, and a silent run
; still ends with 0.
AllowSkipFiles off
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zartex"
!define LIST "installed-files.txt"
!define STATUS_MSI 2
!define STATUS_RUNNING 3
!define STATUS_NOT_ADMIN 4
!define STATUS_FOLDER 5
!define STATUS_FAILED 6

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

Var Status   ; the exit status of a refusal, or ""
Var Folder   ; the folder that ProgramRuns looks at
Var Running  ; what ProgramRuns found running from it, or ""
Var Left     ; a file that could not be removed, or ""
Var Older    ; the folder of the installation that "Apps and features" lists, or ""
Var Top      ; the outermost folder that the installer makes, or ""

; Says why, changes nothing more, and ends with STATUS; silent, the status
; alone says it.
!macro Refuse STATUS MESSAGE
    DetailPrint "${MESSAGE}"
    MessageBox MB_OK|MB_ICONSTOP "${MESSAGE}" /SD IDOK
    StrCpy $Status ${STATUS}
    SetErrorLevel ${STATUS}
    Abort
!macroend

!macro Functions UN
; Without administrator rights (an account of a pupil, with UAC off)
; nothing could be written; the default would report success.
Function ${UN}RefuseWithoutAdministrator
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        !insertmacro Refuse ${STATUS_NOT_ADMIN} "Для установки и удаления программы «${PRODUCT}» нужны права администратора. Запустите эту программу от имени администратора. Ничего не изменено."
    ${EndIf}
FunctionEnd

; Is zartex.exe in $Folder running, in any session? Windows keeps its file
; from being opened for writing; Wine does not, so the processes are read
; too.
Function ${UN}ProgramRuns
    StrCpy $Running ""
    ${IfNot} ${FileExists} "$Folder\zartex.exe"
        Return
    ${EndIf}
    ClearErrors
    FileOpen $0 "$Folder\zartex.exe" a
    ${If} ${Errors}
        StrCpy $Running "$Folder\zartex.exe"
        Return
    ${EndIf}
    FileClose $0
    System::Call 'kernel32::GetLongPathNameW(w "$Folder\zartex.exe", w .r1, i ${NSIS_MAX_STRLEN}) i .r0'
    ${If} $0 = 0
        StrCpy $1 "$Folder\zartex.exe"
    ${EndIf}
    System::Alloc 65536
    Pop $2
    System::Call 'psapi::EnumProcesses(p r2, i 65536, *i .r3) i .r0'
    ${If} $0 <> 0
        IntOp $3 $3 / 4
        StrCpy $4 0
        ${DoWhile} $4 < $3
            IntOp $5 $4 * 4
            IntPtrOp $5 $2 + $5
            System::Call '*$5(i .r6)'
            ; PROCESS_QUERY_LIMITED_INFORMATION
            System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r6) p .r7'
            ${If} $7 != 0
                System::Call 'kernel32::QueryFullProcessImageNameW(p r7, i 0, w .r8, *i ${NSIS_MAX_STRLEN}) i .r0'
                System::Call 'kernel32::CloseHandle(p r7)'
                ${If} $0 <> 0
                ${AndIf} $8 == $1
                    StrCpy $Running $8
                ${EndIf}
            ${EndIf}
            IntOp $4 $4 + 1
        ${Loop}
    ${EndIf}
    System::Free $2
FunctionEnd

Function ${UN}RefuseWhileRunning
    Call ${UN}ProgramRuns
    ${If} $Running != ""
        !insertmacro Refuse ${STATUS_RUNNING} "Программа «${PRODUCT}» сейчас запущена, или её файл нельзя изменить: $Running. Закройте её у всех пользователей этого компьютера и запустите эту программу снова. Ничего не изменено."
    ${EndIf}
FunctionEnd
!macroend
!insertmacro Functions ""
!insertmacro Functions "un."

; Is $0 inside Program Files, which only administrators may change? $1: 1 or 0.
Function UnderProgramFiles
    StrCpy $1 0
    ${ForEach} $2 1 2 + 1
        ${If} $2 = 1
            StrCpy $3 "$PROGRAMFILES64\"
        ${Else}
            StrCpy $3 "$PROGRAMFILES32\"
        ${EndIf}
        StrLen $4 $3
        StrCpy $5 "$0\" $4
        ${If} $5 == $3
            StrCpy $1 1
        ${EndIf}
    ${Next}
FunctionEnd

; The older version's list of its files, line by line: with $9 "check",
; refuses a line that leaves its folder; with "remove", removes each file
; and (lines ending in "\") each emptied folder, keeping in $Left a file
; that stays.
Function ReadOlderList
    FileOpen $6 "$Older\${LIST}" r
    ${Do}
        ClearErrors
        FileReadUTF16LE $6 $7
        ${If} ${Errors}
            ${Break}
        ${EndIf}
        ${Do}
            StrCpy $8 $7 1 -1
            ${If} $8 != "$\r"
            ${AndIf} $8 != "$\n"
                ${Break}
            ${EndIf}
            StrCpy $7 $7 -1
        ${Loop}
        ${If} $7 == ""
            ${Continue}
        ${EndIf}
        ${If} $9 == "check"
            StrCpy $8 $7 1
            StrLen $3 $7
            ${If} $8 == "\"
            ${OrIf} $8 == "/"
                StrCpy $4 $3
            ${Else}
                StrCpy $4 0
            ${EndIf}
            ${DoWhile} $4 < $3
                StrCpy $8 $7 2 $4
                StrCpy $5 $7 1 $4
                ${If} $8 == ".."
                ${OrIf} $5 == ":"
                    ${Break}
                ${EndIf}
                IntOp $4 $4 + 1
            ${Loop}
            ${If} $4 < $3
                FileClose $6
                !insertmacro Refuse ${STATUS_FAILED} "Список файлов прежней версии ($Older\${LIST}) называет файл вне её папки: $7. Ничего не изменено."
            ${EndIf}
        ${Else}
            StrCpy $8 $7 "" -1
            ${If} $8 == "\"
                RMDir "$Older\$7"
            ${Else}
                Delete "$Older\$7"
                ${If} ${FileExists} "$Older\$7"
                    StrCpy $Left "$Older\$7"
                ${EndIf}
            ${EndIf}
        ${EndIf}
    ${Loop}
    FileClose $6
FunctionEnd

; Everything that makes the installer refuse, before it changes anything.
Function CheckBeforeChanging
    ReadRegStr $Older HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $Older != ""
    ${AndIfNot} ${FileExists} "$Older\*.*"
        StrCpy $Older ""
    ${EndIf}
    StrCpy $Folder $INSTDIR
    Call RefuseWhileRunning
    ${If} $Older != ""
        StrCpy $Folder $Older
        Call RefuseWhileRunning
        ; Files in a folder that pupils could change are not ours to trust,
        ; nor is their list.
        StrCpy $0 $Older
        Call UnderProgramFiles
        ReadRegDWORD $2 HKLM "${UNINSTALL_KEY}" "FolderProtected"
        ${If} $1 = 0
        ${AndIf} $2 != 1
            !insertmacro Refuse ${STATUS_FOLDER} "Программа «${PRODUCT}» установлена в папку $Older, которую могут изменять не только администраторы, поэтому её файлам нельзя доверять. Удалите эту папку и установите программу снова. Ничего не изменено."
        ${EndIf}
        ${If} ${FileExists} "$Older\${LIST}"
            StrCpy $9 "check"
            Call ReadOlderList
        ${EndIf}
    ${EndIf}
    ; Outside Program Files the installer makes the folder itself and gives
    ; it Program Files' rights; a folder that already exists may hold what
    ; a pupil put there.
    StrCpy $Top ""
    StrCpy $0 $INSTDIR
    Call UnderProgramFiles
    ${If} $1 = 0
        ${If} ${FileExists} "$INSTDIR\*.*"
            ${If} $INSTDIR != $Older
                !insertmacro Refuse ${STATUS_FOLDER} "Папка $INSTDIR уже существует. Вне папки Program Files программа «${PRODUCT}» устанавливается только в новую папку, которую программа установки создаёт сама и закрывает от изменений всем, кроме администраторов. Выберите новую папку. Ничего не изменено."
            ${EndIf}
        ${Else}
            StrCpy $Top $INSTDIR
            ${Do}
                ${GetParent} $Top $0
                ${If} $0 == ""
                ${OrIf} ${FileExists} "$0\*.*"
                    ${Break}
                ${EndIf}
                StrCpy $Top $0
            ${Loop}
        ${EndIf}
    ${EndIf}
FunctionEnd

; An upgrade removes the older version's files first, by its list; an
; installation by 1.0.0, which kept no list, holds this version's files.
Function RemoveOlder
    ${If} $Older == ""
        Return
    ${EndIf}
    StrCpy $Left ""
    ${If} ${FileExists} "$Older\${LIST}"
        StrCpy $9 "remove"
        Call ReadOlderList
    ${Else}
        !define FROM "$Older"
        !include "${LISTS}\remove-files.nsh"
        !undef FROM
    ${EndIf}
    Delete "$Older\${LIST}"
    Delete "$Older\uninstall.exe"
    ${If} $Left != ""
        !insertmacro Refuse ${STATUS_FAILED} "Не удалось удалить файл прежней версии: $Left. Закройте программу «${PRODUCT}» и запустите установку снова."
    ${EndIf}
    ; The folder that is kept keeps the rights it was given.
    ${If} $Older != $INSTDIR
        RMDir "$Older"
    ${EndIf}
FunctionEnd

; Outside Program Files: the outermost new folder belongs to the
; Administrators, and only they and the system may change what is in it.
Function MakeFolder
    ${If} $Top == ""
        CreateDirectory "$INSTDIR"
        Return
    ${EndIf}
    CreateDirectory "$Top"
    ExecWait '"$SYSDIR\icacls.exe" "$Top" /setowner *S-1-5-32-544 /Q' $0
    ${If} $0 = 0
        ExecWait '"$SYSDIR\icacls.exe" "$Top" /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /Q' $0
    ${EndIf}
    ${If} $0 <> 0
        RMDir "$Top"
        !insertmacro Refuse ${STATUS_FOLDER} "Не удалось закрыть папку $Top от изменений всем, кроме администраторов (icacls: $0). Ничего не установлено."
    ${EndIf}
    CreateDirectory "$INSTDIR"
FunctionEnd

Function .onInit
    SetShellVarContext all
    SetRegView 64
    Call RefuseWithoutAdministrator
    ; One installation on a computer: where the Windows Installer package
    ; put the program (its value below stands for its Start-menu entry),
    ; this installer says what to remove first.
    ReadRegDWORD $0 HKLM "Software\Zartex" "StartMenuEntry"
    ${If} $0 == "1"
        !insertmacro Refuse ${STATUS_MSI} "Программа «${PRODUCT}» уже установлена на этот компьютер пакетом Windows Installer (.msi). Сначала удалите её в «Приложениях и возможностях» или командой msiexec /x. Эта установка ничего не изменила."
    ${EndIf}
FunctionEnd

Function .onInstFailed
    ${If} $Status == ""
        SetErrorLevel ${STATUS_FAILED}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64
    Call un.RefuseWithoutAdministrator
FunctionEnd

Function un.onUninstFailed
    ${If} $Status == ""
        SetErrorLevel ${STATUS_FAILED}
    ${EndIf}
FunctionEnd

Section "Install"
    Call CheckBeforeChanging
    Call RemoveOlder
    Call MakeFolder
    ClearErrors
    ; The list and the uninstaller come first: an installation that fails
    ; half-way is then found, and removed, as any other.
    SetOutPath "$INSTDIR"
    File "/oname=${LIST}" "${LISTS}\installed-files.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
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
    ${If} $Top != ""
    ${OrIf} $INSTDIR == $Older
        ; Outside Program Files: made, or kept, by an installer that
        ; closed it to pupils.
        StrCpy $0 $INSTDIR
        Call UnderProgramFiles
        ${If} $1 = 0
            WriteRegDWORD HKLM "${UNINSTALL_KEY}" "FolderProtected" 1
        ${EndIf}
    ${EndIf}
    !include "${LISTS}\files.nsh"
    ; The shortcut starts the program in its folder, where its pictures are.
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zartex.exe" "" "$INSTDIR\zartex.exe" 0
    ${If} ${Errors}
        !insertmacro Refuse ${STATUS_FAILED} "Не удалось записать все файлы и параметры программы «${PRODUCT}» в $INSTDIR. Установка не завершена; запустите её снова."
    ${EndIf}
SectionEnd

; The entry in "Apps and features" stays until the files are gone.
Section "Uninstall"
    StrCpy $Folder $INSTDIR
    Call un.RefuseWhileRunning
    StrCpy $Left ""
    !define FROM "$INSTDIR"
    !include "${LISTS}\remove-files.nsh"
    !undef FROM
    ${If} $Left != ""
        !insertmacro Refuse ${STATUS_FAILED} "Не удалось удалить файл $Left. Программа «${PRODUCT}» остаётся в «Приложениях и возможностях»; закройте её и запустите удаление снова."
    ${EndIf}
    Delete "$INSTDIR\${LIST}"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\uninstall.exe"
    ; Only an empty folder goes: anything a user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
