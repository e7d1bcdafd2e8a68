; The installer: for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\bytekijker, with a Start-menu shortcut and an entry
; in Windows' installed apps. The uninstaller removes what was installed and
; nothing else. Made by the package_windows target, which passes VERSION,
; PUBLISHER, STAGE (the program's folder), ICON and OUTFILE.

; A 64-bit installer for a 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\bytekijker"

Name "bytekijker"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\bytekijker"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1043 "ProductName" "bytekijker"
VIAddVersionKey /LANG=1043 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1043 "FileDescription" "Installatie van bytekijker"
VIAddVersionKey /LANG=1043 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1043 "LegalCopyright" "Copyright 2026 ${PUBLISHER}, MIT-licentie"
VIAddVersionKey /LANG=1043 "ProductVersion" "${VERSION}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Dutch.nlf"

Section
    SetShellVarContext current
    !include "${STAGE}\..\files.nsh"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\bytekijker.lnk" "$INSTDIR\bytekijker.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "bytekijker"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
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
    !include "${STAGE}\..\uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\bytekijker.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
