; The per-user installer of KVR Decryptor (makensis, run by release/package.sh).
; Defines given on the command line: VERSION (1.2.3), STAGE (folder holding the two stripped
; programs and README.txt), ICON (the program's icon), OUTFILE; AMD64 when the programs are the
; 64-bit build that tests use on machines that run 64-bit code only (the release is 32-bit).
;
; What it adds, and the uninstaller removes again, all under the current user:
;   <install folder>\KvrDecryptor.exe, kvr-decrypt.exe, README.txt, Uninstall.exe, Keys\
;   <Start menu>\Programs\KVR Decryptor.lnk
;   HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KVR Decryptor
;   HKCU\Software\Classes\.enc (default -> KvrDecryptor.enc) and KvrDecryptor.enc (type, icon, open)
;   HKCU\Software\Classes\.wav .bmp .png .key\OpenWithProgids\KvrDecryptor.File and KvrDecryptor.File
; The user's key files in Keys\ and the settings key are never removed.

!ifdef AMD64
    Target amd64-unicode
!else
    Unicode true
!endif
SetCompressor /SOLID lzma
; The installed files carry no build time: two packagings of one build are byte-identical.
SetDateSave off
RequestExecutionLevel user
ManifestSupportedOS all

!define PRODUCT "KVR Decryptor"
!define PROGRAM "KvrDecryptor.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define CLASSES "Software\Classes"
!define ARCHIVE_PROGID "KvrDecryptor.enc"
!define OPEN_WITH_PROGID "KvrDecryptor.File"
; The program's windows are of the toolkit's own class.
!define WINDOW_CLASS "CLASS_SWND"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "CompanyName" "Quillmont"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) Quillmont"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; FindRunningProgram (installer and uninstaller): $0 = 1 when a window of the toolkit's class
; belongs to a running KvrDecryptor.exe, else 0. Other programs built on the same toolkit have
; windows of that class too, so the window's process decides.
!macro FIND_RUNNING_PROGRAM prefix
Function ${prefix}FindRunningProgram
    Push $1
    Push $2
    Push $3
    Push $4
    StrCpy $0 0
    StrCpy $1 0
    next_window:
        FindWindow $1 "${WINDOW_CLASS}" "" 0 $1
        IntCmp $1 0 done
        System::Call "user32::GetWindowThreadProcessId(p r1, *i .r2)"
        ; PROCESS_QUERY_LIMITED_INFORMATION
        System::Call "kernel32::OpenProcess(i 0x1000, i 0, i r2) p .r3"
        IntCmp $3 0 next_window
        System::Call "kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i ${NSIS_MAX_STRLEN})"
        System::Call "kernel32::CloseHandle(p r3)"
        ${GetFileName} $4 $4
        StrCmp $4 "${PROGRAM}" 0 next_window
        StrCpy $0 1
    done:
    Pop $4
    Pop $3
    Pop $2
    Pop $1
FunctionEnd
!macroend
!insertmacro FIND_RUNNING_PROGRAM ""
!insertmacro FIND_RUNNING_PROGRAM "un."

; Refuses politely while the program runs: its files would be locked. Silent runs end at once
; (exit code 2) instead of waiting for an answer.
!macro REFUSE_WHILE_RUNNING prefix
    check_running:
        Call ${prefix}FindRunningProgram
        StrCmp $0 0 not_running
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} is running.$\r$\n$\r$\nQuit it (right-click its window, then Quit) and choose Retry." \
            /SD IDCANCEL IDRETRY check_running
        Abort
    not_running:
!macroend

; Removes a Run value only when it starts this installed program (quoted or not).
!macro REMOVE_AUTOSTART root
    ReadRegStr $0 ${root} "${RUN_KEY}" "${PRODUCT}"
    StrCmp $0 '"$INSTDIR\${PROGRAM}"' +2
    StrCmp $0 "$INSTDIR\${PROGRAM}" 0 +2
    DeleteRegValue ${root} "${RUN_KEY}" "${PRODUCT}"
!macroend

!macro ADD_OPEN_WITH extension
    WriteRegStr HKCU "${CLASSES}\${extension}\OpenWithProgids" "${OPEN_WITH_PROGID}" ""
!macroend

; Takes away only the entry this installer added, then the keys it leaves empty.
!macro REMOVE_OPEN_WITH extension progid
    DeleteRegValue HKCU "${CLASSES}\${extension}\OpenWithProgids" "${progid}"
    DeleteRegKey /ifempty /ifnovalues HKCU "${CLASSES}\${extension}\OpenWithProgids"
    DeleteRegKey /ifempty /ifnovalues HKCU "${CLASSES}\${extension}"
!macroend

!macro WRITE_PROGID progid description
    WriteRegStr HKCU "${CLASSES}\${progid}" "" "${description}"
    WriteRegStr HKCU "${CLASSES}\${progid}\DefaultIcon" "" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${CLASSES}\${progid}\shell\open\command" "" '"$INSTDIR\${PROGRAM}" "%1"'
!macroend

; SHCNE_ASSOCCHANGED: Explorer reads the associations again.
!macro NOTIFY_ASSOCIATIONS_CHANGED
    System::Call "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"
!macroend

Function .onInit
    SetShellVarContext current
    !insertmacro REFUSE_WHILE_RUNNING ""
FunctionEnd

Function un.onInit
    SetShellVarContext current
    !insertmacro REFUSE_WHILE_RUNNING "un."
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File "${STAGE}\${PROGRAM}"
    File "${STAGE}\kvr-decrypt.exe"
    File "${STAGE}\README.txt"
    ; The main key folder; its content stays when installing over an earlier version.
    CreateDirectory "$INSTDIR\Keys"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quillmont"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    !insertmacro WRITE_PROGID "${ARCHIVE_PROGID}" "KVR encrypted archive"
    WriteRegStr HKCU "${CLASSES}\.enc" "" "${ARCHIVE_PROGID}"
    WriteRegStr HKCU "${CLASSES}\.enc\OpenWithProgids" "${ARCHIVE_PROGID}" ""
    ; Pictures, sounds and keys keep their default program: only "Open with" offers this one.
    !insertmacro WRITE_PROGID "${OPEN_WITH_PROGID}" "File for ${PRODUCT}"
    !insertmacro ADD_OPEN_WITH ".wav"
    !insertmacro ADD_OPEN_WITH ".bmp"
    !insertmacro ADD_OPEN_WITH ".png"
    !insertmacro ADD_OPEN_WITH ".key"
    !insertmacro NOTIFY_ASSOCIATIONS_CHANGED
SectionEnd

Section "Uninstall"
    Delete "$INSTDIR\${PROGRAM}"
    Delete "$INSTDIR\kvr-decrypt.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\Uninstall.exe"
    ; Without /r: a Keys folder holding the user's keys stays, and with it the install folder.
    RMDir "$INSTDIR\Keys"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    !insertmacro REMOVE_AUTOSTART HKCU
    ; The program writes the machine's Run key where it may; a user without the right to change
    ; it could not have written it there either.
    !insertmacro REMOVE_AUTOSTART HKLM

    ReadRegStr $0 HKCU "${CLASSES}\.enc" ""
    StrCmp $0 "${ARCHIVE_PROGID}" 0 +2
    DeleteRegValue HKCU "${CLASSES}\.enc" ""
    !insertmacro REMOVE_OPEN_WITH ".enc" "${ARCHIVE_PROGID}"
    !insertmacro REMOVE_OPEN_WITH ".wav" "${OPEN_WITH_PROGID}"
    !insertmacro REMOVE_OPEN_WITH ".bmp" "${OPEN_WITH_PROGID}"
    !insertmacro REMOVE_OPEN_WITH ".png" "${OPEN_WITH_PROGID}"
    !insertmacro REMOVE_OPEN_WITH ".key" "${OPEN_WITH_PROGID}"
    DeleteRegKey HKCU "${CLASSES}\${ARCHIVE_PROGID}"
    DeleteRegKey HKCU "${CLASSES}\${OPEN_WITH_PROGID}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    !insertmacro NOTIFY_ASSOCIATIONS_CHANGED
SectionEnd
