; The Windows installer, built by scripts/build-windows:
;   makensis -DVERSION=2.1 -DSOURCE=<portable folder> -DICON=<lottovox.ico> -DSIZE_KB=<size>
;            -DUNINSTALL_LIST=<Delete and RMDir lines for the folder's files> -DOUTFILE=<setup.exe>
; With administrator rights it installs for every user into Program Files, otherwise for the
; current user into their own programs folder. It writes the program folder, one Start-menu
; shortcut and the uninstall entry of "Apps & features", and nothing else.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lottovox"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR Lottovox
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh

Name "Lottovox"
OutFile "${OUTFILE}"
BrandingText "Lottovox ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 ProductName "Lottovox"
VIAddVersionKey /LANG=1033 CompanyName "Zentrova"
VIAddVersionKey /LANG=1033 FileDescription "Lottovox ${VERSION} setup"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 LegalCopyright "Zentrova"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Lottovox.lnk" "$INSTDIR\Lottovox.exe"

    ; The uninstaller is told which of the two installs it removes.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "Lottovox"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\Lottovox.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "Zentrova"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode /S"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize ${SIZE_KB}
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
SectionEnd

; Removes only what the installer put there, so a folder chosen by hand keeps anything else in it.
Section Uninstall
    Delete "$SMPROGRAMS\Lottovox.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
