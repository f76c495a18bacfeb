; Brellic's Windows installer, built by scripts/windows-package with
;   makensis -DVERSION=x.y.z -DSTAGING=<folder> -DUNINSTALL_LIST=<file> -DICON=<ico> -DOUTFILE=<exe> brellic.nsi
; STAGING holds the deployed program (brellic.exe, brellic-cli.exe, the Qt and
; MinGW DLLs and the plugin folders); UNINSTALL_LIST names each of those
; files, so the uninstaller removes exactly what was installed and nothing
; the user put beside it.
;
; It installs for all users into Program Files\Brellic, with a Start menu
; shortcut and the .KVR and .brellic associations. Uninstalling keeps the
; site and installation files and the settings under
; HKLM\Software\Quorvex\Brellic.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Brellic"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brellic"
!define PROGID "Brellic.SiteData"
!define INSTALLATION_PROGID "Brellic.Installation"

; Double-clicking a file of the extension starts Brellic with the file's path
; as its one argument.
!macro Associate EXTENSION CLASS NAME
    WriteRegStr HKLM "Software\Classes\${EXTENSION}" "" "${CLASS}"
    WriteRegStr HKLM "Software\Classes\${CLASS}" "" "${NAME}"
    WriteRegStr HKLM "Software\Classes\${CLASS}\DefaultIcon" "" "$INSTDIR\brellic.exe,0"
    WriteRegStr HKLM "Software\Classes\${CLASS}\shell\open\command" "" '"$INSTDIR\brellic.exe" "%1"'
!macroend

; The extension is left alone when another program has taken it since.
!macro Unassociate EXTENSION CLASS
    ReadRegStr $0 HKLM "Software\Classes\${EXTENSION}" ""
    ${If} $0 == "${CLASS}"
        DeleteRegValue HKLM "Software\Classes\${EXTENSION}" ""
        DeleteRegKey /ifempty HKLM "Software\Classes\${EXTENSION}"
    ${EndIf}
    DeleteRegKey HKLM "Software\Classes\${CLASS}"
!macroend

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Quorvex"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Quorvex"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\brellic.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "${PRODUCT} needs 64-bit Windows."
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File /r "${STAGING}\*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\brellic.exe" "" "$INSTDIR\brellic.exe" 0

    !insertmacro Associate ".KVR" "${PROGID}" "Quorvex Site Data"
    !insertmacro Associate ".brellic" "${INSTALLATION_PROGID}" "Brellic Installation"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quorvex"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brellic.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; The size Programs and Features shows: the installed files, in KiB.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

    ; Tells Explorer that an association changed (SHCNE_ASSOCCHANGED).
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    !insertmacro Unassociate ".KVR" "${PROGID}"
    !insertmacro Unassociate ".brellic" "${INSTALLATION_PROGID}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
