; The installer: for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\bytekijker or the folder of an earlier install, with
; a Start-menu shortcut and an entry in Windows' installed apps. Made by the
; package_windows target, which passes VERSION, PUBLISHER, HOMEPAGE, CONTACT,
; PHONE, STAGE (the program's folder, with files.nsh, uninstall.nsh and
; locked.nsh beside it), ICON and OUTFILE.
;
; It never reports success over a half-done job. Before it changes anything
; it asks the user to close a running bytekijker, and an update first
; removes the earlier version with that version's own uninstaller, so files
; a later version drops don't stay behind. A file that can't be written
; stops it. Silently (/S) it asks nothing: it stops, changes nothing and
; exits with code 2 when the program is running or the installed version is
; newer. The uninstaller does the same. (Started as usual, an uninstaller
; copies itself to the temporary folder, starts that copy and returns 0 at
; once; run in place, with _?=<folder>, it returns its own code, but can't
; remove its own file.)

; Signed, the uninstaller before it goes in and the installer when it is
; done, when BYTEKIJKER_SIGN names a certificate (sign.sh); readied for a
; signature either way, so that removing one gives the unsigned bytes back.
!uninstfinalize '"${__FILEDIR__}/sign.sh" "%1"' = 0
!finalize '"${__FILEDIR__}/sign.sh" "%1"' = 0

; A 64-bit installer for a 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
AllowSkipFiles off

!include LogicLib.nsh
!include WordFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\bytekijker"
!define STOPPED 2

Name "bytekijker"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\bytekijker"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1043 "ProductName" "bytekijker"
VIAddVersionKey /LANG=1043 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1043 "FileDescription" "Installatie van bytekijker"
VIAddVersionKey /LANG=1043 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1043 "LegalCopyright" "Copyright 2026 ${PUBLISHER}, MIT-licentie"
VIAddVersionKey /LANG=1043 "ProductVersion" "${VERSION}"

LoadLanguageFile "${NSISDIR}\Contrib\Language files\Dutch.nlf"
; The licence is shown to be read, not to be agreed to: it asks nothing of
; whoever only uses the program.
LicenseData "${STAGE}\LICENSE.txt"
LicenseText "bytekijker is vrije software onder de MIT-licentie. In de programmamap staan ook de licenties van de onderdelen van anderen (THIRD-PARTY-NOTICES.txt)." "$(^NextBtn)"
Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Waits until no binary of the program in the folder on the stack is loaded,
; asking the user to close bytekijker; stops the (un)installer when the user
; cancels, or at once when silent.
!macro WaitUntilClosed UN
Function ${UN}WaitUntilClosed
    Exch $0
    Push $1
    Push $2
    retry:
    !include "${STAGE}\..\locked.nsh"
    ${If} $1 != ""
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "bytekijker is nog geopend ($0\$1 is in gebruik).$\n$\nSluit het programma en klik dan op Opnieuw." \
            /SD IDCANCEL IDRETRY retry
        SetErrorLevel ${STOPPED}
        Quit
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro WaitUntilClosed ""
!insertmacro WaitUntilClosed "un."

; An older version doesn't replace a newer one unless the user says so.
Function .onInit
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 != ""
        ${VersionCompare} "${VERSION}" "$0" $1
        ${If} $1 == 2
            MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 \
                "Er is al een nieuwere versie van bytekijker geïnstalleerd ($0).$\n$\nWilt u die vervangen door de oudere versie ${VERSION}?" \
                /SD IDNO IDYES keep_going
            SetErrorLevel ${STOPPED}
            Quit
            keep_going:
        ${EndIf}
    ${EndIf}
FunctionEnd

Section
    SetShellVarContext current
    Push "$INSTDIR"
    Call WaitUntilClosed

    ; The earlier version goes first, by its own uninstaller, which knows its
    ; files; run in place (_?=) so that it finishes before this goes on.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\uninstall.exe"
        ${If} $0 != $INSTDIR   ; an update into another folder
            Push "$0"
            Call WaitUntilClosed
        ${EndIf}
        ClearErrors
        ExecWait '"$0\uninstall.exe" /S _?=$0' $1
        ${If} ${Errors}
        ${OrIf} $1 != 0
            MessageBox MB_OK|MB_ICONSTOP "De vorige versie van bytekijker in $0 kon niet worden verwijderd." /SD IDOK
            SetErrorLevel ${STOPPED}
            Quit
        ${EndIf}
        Delete "$0\uninstall.exe"
        RMDir "$0"
    ${EndIf}

    !include "${STAGE}\..\files.nsh"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The shortcut starts in Documents: the chooser opens in the folder the
    ; program starts in, and the program's own folder holds only its parts.
    SetOutPath "$DOCUMENTS"
    CreateShortcut "$SMPROGRAMS\bytekijker.lnk" "$INSTDIR\bytekijker.exe"
    SetOutPath "$INSTDIR"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "bytekijker"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Contact" "${CONTACT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpTelephone" "${PHONE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bytekijker.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize 0 $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Push "$INSTDIR"
    Call un.WaitUntilClosed
    !include "${STAGE}\..\uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\bytekijker.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
