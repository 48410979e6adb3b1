; The installer of Quadrix for Windows: German throughout, a Start-menu
; entry "Quadrix", an uninstaller that removes exactly what it installed.
; makensis -DVERSION=0.1.0 -DQUELLE=folder -DENTFERNEN=list.nsh -DAUSGABE=Setup.exe quadrix.nsi
; ENTFERNEN holds a Delete line for every file of QUELLE and an RMDir line
; for every folder of it, deepest first (made by paket.sh).
Unicode true
; 64-bit stubs: the program is 64-bit, and so runs everywhere the installer does.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "x64.nsh"

Name "Quadrix"
OutFile "${AUSGABE}"
InstallDir "$PROGRAMFILES64\Quadrix"
InstallDirRegKey HKLM "Software\Quadrix" "Verzeichnis"
RequestExecutionLevel admin
BrandingText "Quadrix ${VERSION}"

!define SCHLUESSEL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrix"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Quadrix"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Quadrix: Fundorte nach Messtischblatt und Quadranten"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "Quadrix"

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Quadrix"
    SetOutPath "$INSTDIR"
    File /r "${QUELLE}\*.*"
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"
    CreateShortcut "$SMPROGRAMS\Quadrix.lnk" "$INSTDIR\quadrix.exe"
    WriteRegStr HKLM "Software\Quadrix" "Verzeichnis" "$INSTDIR"
    WriteRegStr HKLM "${SCHLUESSEL}" "DisplayName" "Quadrix"
    WriteRegStr HKLM "${SCHLUESSEL}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${SCHLUESSEL}" "Publisher" "Quadrix"
    WriteRegStr HKLM "${SCHLUESSEL}" "DisplayIcon" "$INSTDIR\quadrix.exe"
    WriteRegStr HKLM "${SCHLUESSEL}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${SCHLUESSEL}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKLM "${SCHLUESSEL}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    WriteRegDWORD HKLM "${SCHLUESSEL}" "NoModify" 1
    WriteRegDWORD HKLM "${SCHLUESSEL}" "NoRepair" 1
SectionEnd

; Users may keep their find-location files in the program's folder: those,
; and any folder of theirs, stay. A folder goes only when it is then empty.
Section "Uninstall"
    Delete "$SMPROGRAMS\Quadrix.lnk"
    !include "${ENTFERNEN}"
    Delete "$INSTDIR\Deinstallieren.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${SCHLUESSEL}"
    DeleteRegKey HKLM "Software\Quadrix"
SectionEnd
