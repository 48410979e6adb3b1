; The installer of Quadrix for Windows: German throughout; for all users
; (administrator, into the program folder) or for the current user only (no
; administrator, into the user's program folder); our licence; optionally mtbq
; on the search path; "Quadrix starten" at the end; an uninstaller that
; removes exactly what it installed.
; makensis -DVERSION=0.1.0 -DQUELLE=folder -DSYMBOL=quadrix.ico -DENTFERNEN=list.nsh -DSUCHPFADHELFER=suchpfad.exe
;          -DAUSGABE=Setup.exe quadrix.nsi
; SUCHPFADHELFER is the helper that changes the search path (suchpfad.cpp): NSIS
; strings end at 1,024 characters, and a longer Path read into one is cut.
; ENTFERNEN holds a Delete line for every file of QUELLE and an RMDir line
; for every folder of it, deepest first (made by paket.sh).
; Silent: Setup.exe /S [/AllUsers | /CurrentUser] [/Suchpfad]
Unicode true
; 64-bit stubs: the program is 64-bit, and so runs everywhere the installer does.
Target amd64-unicode
SetCompressor /SOLID lzma

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Quadrix"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "Software\Quadrix"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "Verzeichnis"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "Software\Quadrix"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "Installationsart"
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

Name "Quadrix"
OutFile "${AUSGABE}"
BrandingText "Quadrix ${VERSION}"

!define SCHLUESSEL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrix"
!define MUI_ICON "${SYMBOL}"
!define MUI_UNICON "${SYMBOL}"
; Cancelling asks first.
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${QUELLE}\LIZENZ.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quadrix.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Quadrix starten"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Quadrix"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Quadrix: Fundorte nach Messtischblatt und Quadranten"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "Quadrix"

; The search path of the installation's kind, the machine's or the user's:
; the helper adds or removes the folder as one whole entry, whatever the
; value's length. Its exit status in ${ERGEBNIS}: 0 changed, 3 nothing to do.
!macro SUCHPFAD_AENDERN WAS ERGEBNIS
    InitPluginsDir
    File "/oname=$PLUGINSDIR\suchpfad.exe" "${SUCHPFADHELFER}"
    ${If} $MultiUser.InstallMode == "AllUsers"
        ExecWait '"$PLUGINSDIR\suchpfad.exe" ${WAS} maschine "$INSTDIR"' ${ERGEBNIS}
    ${Else}
        ExecWait '"$PLUGINSDIR\suchpfad.exe" ${WAS} benutzer "$INSTDIR"' ${ERGEBNIS}
    ${EndIf}
    Delete "$PLUGINSDIR\suchpfad.exe"
!macroend

; Quadrix or mtbq running from the folder: their files cannot go. Asks to
; close them (silent: gives up with exit status 2), as Windows installers do.
!macro LAEUFT_NOCH_DATEI DATEI
    ${If} ${FileExists} "$INSTDIR\${DATEI}"
        ClearErrors
        FileOpen $R0 "$INSTDIR\${DATEI}" a
        ${If} ${Errors}
            StrCpy $R1 "${DATEI}"
        ${Else}
            FileClose $R0
        ${EndIf}
    ${EndIf}
!macroend
!macro LAEUFT_NOCH
    nochmal:
    StrCpy $R1 ""
    !insertmacro LAEUFT_NOCH_DATEI quadrix.exe
    !insertmacro LAEUFT_NOCH_DATEI mtbq.exe
    ${If} $R1 != ""
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quadrix oder mtbq läuft noch aus diesem Ordner ($R1).$\r$\n$\r$\nBitte beenden Sie das Programm und wählen Sie dann „Wiederholen“. Mit „Abbrechen“ bleibt Quadrix installiert." /SD IDCANCEL IDRETRY nochmal
        SetErrorLevel 2
        Quit
    ${EndIf}
!macroend

Function .onInit
    SetRegView 64
    !insertmacro MULTIUSER_INIT
    ; /Suchpfad on the command line chooses the optional part (for silent installs).
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/Suchpfad" $R1
    ${IfNot} ${Errors}
        SectionSetFlags 1 ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro MULTIUSER_UNINIT
    !insertmacro LAEUFT_NOCH
FunctionEnd

Section "Quadrix" Programm
    SectionIn RO
    SetOutPath "$INSTDIR"
    File /r "${QUELLE}\*.*"
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"
    CreateShortcut "$SMPROGRAMS\Quadrix.lnk" "$INSTDIR\quadrix.exe"
    WriteRegStr SHCTX "Software\Quadrix" "Verzeichnis" "$INSTDIR"
    WriteRegStr SHCTX "Software\Quadrix" "Installationsart" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${SCHLUESSEL}" "DisplayName" "Quadrix"
    WriteRegStr SHCTX "${SCHLUESSEL}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${SCHLUESSEL}" "Publisher" "Quadrix"
    WriteRegStr SHCTX "${SCHLUESSEL}" "DisplayIcon" "$INSTDIR\quadrix.exe"
    WriteRegStr SHCTX "${SCHLUESSEL}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${SCHLUESSEL}" "UninstallString" '"$INSTDIR\Deinstallieren.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${SCHLUESSEL}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${SCHLUESSEL}" "NoModify" 1
    WriteRegDWORD SHCTX "${SCHLUESSEL}" "NoRepair" 1
    ; The size "Apps & Features" shows, in KiB.
    ${GetSize} "$INSTDIR" "/S=0K" $R0 $R1 $R2
    IntFmt $R0 "0x%08X" $R0
    WriteRegDWORD SHCTX "${SCHLUESSEL}" "EstimatedSize" "$R0"
SectionEnd

Section /o "mtbq im Suchpfad" Suchpfad
    !insertmacro SUCHPFAD_AENDERN hinzu $R0
    ${If} $R0 == 0
        WriteRegDWORD SHCTX "Software\Quadrix" "Suchpfad" 1
    ${ElseIf} $R0 != 3
        MessageBox MB_OK|MB_ICONEXCLAMATION "Der Suchpfad konnte nicht ergänzt werden; er ist unverändert. mtbq lässt sich mit seinem Ordner aufrufen: $INSTDIR\mtbq.exe" /SD IDOK
    ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${Programm} "Quadrix und mtbq mit allem, was sie brauchen."
    !insertmacro MUI_DESCRIPTION_TEXT ${Suchpfad} "mtbq in jeder Eingabeaufforderung aufrufen können, ohne den Ordner anzugeben."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Users may keep their find-location files in the program's folder: those,
; and any folder of theirs, stay. A folder goes only when it is then empty.
Section "Uninstall"
    ; The search path loses exactly the entry the installer added.
    ReadRegDWORD $R0 SHCTX "Software\Quadrix" "Suchpfad"
    ${If} $R0 == 1
        !insertmacro SUCHPFAD_AENDERN entferne $R0
    ${EndIf}
    Delete "$SMPROGRAMS\Quadrix.lnk"
    !include "${ENTFERNEN}"
    Delete "$INSTDIR\Deinstallieren.exe"
    RMDir "$INSTDIR"
    ; The user's program folder, made for this installation, goes when it is empty.
    ${If} $MultiUser.InstallMode == "CurrentUser"
        RMDir "$INSTDIR\.."
    ${EndIf}
    DeleteRegKey SHCTX "${SCHLUESSEL}"
    DeleteRegKey SHCTX "Software\Quadrix"
SectionEnd
