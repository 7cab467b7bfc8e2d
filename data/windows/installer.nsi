; The Windows installer of zunKolvra Stifinder, made by scripts/windows with makensis.
; Defines given by the script: VERSION, STAGE (the laid-out installation folder), OUTFILE and
; FILELIST (the uninstaller's list of what is installed, made from STAGE).
;
; The program reads its data from C:\zunKolvra\Program, so that is where it goes; the users'
; own folders beside it (C:\zunKolvra\<user>) are theirs and stay when it is uninstalled.

; A 64-bit installer for the 64-bit program: its registry writes land in Windows' own view.
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "zunKolvra Stifinder"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\zunKolvraStifinder"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "C:\zunKolvra\Program"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1030 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1030 "FileDescription" "Installation af ${PRODUCT}"
VIAddVersionKey /LANG=1030 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1030 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1030 "CompanyName" "zunKolvra"
VIAddVersionKey /LANG=1030 "LegalCopyright" "zunKolvra"

!define MUI_ICON "${STAGE}\zunkolvra.ico"
!define MUI_UNICON "${STAGE}\zunkolvra.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\zunkolvra.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Danish"

Section "Programmet" SecProgram
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\Afinstaller.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zunkolvra.exe" "" "$INSTDIR\zunkolvra.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "zunKolvra"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zunkolvra.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Afinstaller.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Afinstaller.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Genvej på skrivebordet" SecDesktop
    SetShellVarContext all
    CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\zunkolvra.exe" "" "$INSTDIR\zunkolvra.exe" 0
SectionEnd

; Only what the installer put there goes: a file the user added to the folder stays, and so
; does the folder then.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$DESKTOP\${PRODUCT}.lnk"
    !include "${FILELIST}"
    Delete "$INSTDIR\Afinstaller.exe"
    RMDir "$INSTDIR"
    RMDir "C:\zunKolvra"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
