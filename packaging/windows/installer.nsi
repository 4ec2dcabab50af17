; Psyche Rondo's installer: for the current user only, without administrator rights, in French.
; makensis -DVERSION=<x.y> -DSTAGE=<staging folder> -DICON=<.ico> -DOUTFILE=<setup.exe> installer.nsi
; STAGE holds install-files.nsh and uninstall-files.nsh, the portable folder's files as written by package.sh.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define APP "Psyche Rondo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PsycheRondo"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\psyche-rondo.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductName" "${APP}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileDescription" "Installation de ${APP}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "LegalCopyright" "${APP}"

Section "Psyche Rondo"
    SetShellVarContext current
    !include "${STAGE}/install-files.nsh"
    SetOutPath "$INSTDIR"
    File "/oname=psyche-rondo.ico" "${ICON}"
    WriteUninstaller "$INSTDIR\desinstaller.exe"
    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\psyche-rondo.exe" "" "$INSTDIR\psyche-rondo.ico" 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${APP}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\psyche-rondo.ico"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\desinstaller.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\desinstaller.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the section above put in place and nothing else. The persons live in %APPDATA%\pr, or, when that
; cannot be made, in "pr" beside the program: no recursive removal, so that folder and whatever the user added stay.
Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${APP}.lnk"
    !include "${STAGE}/uninstall-files.nsh"
    Delete "$INSTDIR\psyche-rondo.ico"
    Delete "$INSTDIR\desinstaller.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
