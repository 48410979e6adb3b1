#!/usr/bin/env bash
# Installs Quadrix silently into a fresh Wine prefix, in both of the
# installer's kinds: for all users (the program folder, the machine's Start
# menu and list of programs) and for the current user only (the user's
# program folder and Start menu, with mtbq put on the user's search path).
# Starts the installed program from the place the Start-menu entry points
# to, saves find-location files of a user's into the program's folder (the
# folder list lets them), uninstalls silently and checks that exactly what
# was installed is gone: the user's files and folders stay, byte for byte,
# and the search path is as before.
#   installer_pruefen.sh SETUP.EXE
set -euo pipefail
hier=$(cd "$(dirname "$0")" && pwd)
setup=$(readlink -f "$1")
arbeit=$(mktemp -d /tmp/quadrix-setup.XXXXXX)
export QUADRIX_WINE_NACKT=1
wine() { "$hier/wine.sh" "$@"; }
fehler() { echo "FEHLER: $*" >&2; exit 1; }

source "$hier/../../tests/e2e/x_sitzung.sh"
trap 'wineserver -k 2>/dev/null || true; x_sitzung_beenden; rm -rf "$arbeit"' EXIT
x_sitzung_starten 151 180 "$arbeit"

pruefe_art() {  # AllUsers | CurrentUser
art=$1
export QUADRIX_WINEPREFIX=$arbeit/wine-$art
export WINEPREFIX=$QUADRIX_WINEPREFIX
if [ "$art" = AllUsers ]; then
    schalter="" wurzel=HKLM
    programme=$WINEPREFIX/drive_c/Program\ Files/Quadrix
    programm_windows='C:\Program Files\Quadrix'
    verknuepfung=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Quadrix.lnk
else
    schalter=/Suchpfad wurzel=HKCU
    benutzer=$(whoami)
    programme=$WINEPREFIX/drive_c/users/$benutzer/AppData/Local/Programs/Quadrix
    programm_windows="C:\\users\\$benutzer\\AppData\\Local\\Programs\\Quadrix"
    verknuepfung=$WINEPREFIX/drive_c/users/$benutzer/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Quadrix.lnk
fi
wine cmd /c exit >/dev/null 2>&1 || true
vorher=$(cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | sort)

pfad_vorher=$(wine reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' | grep -i ' Path ' || true)
wine "$setup" /S "/$art" $schalter >/dev/null 2>&1
wineserver -w
[ -f "$programme/quadrix.exe" ] || fehler "quadrix.exe nicht installiert"
[ -f "$programme/Deinstallieren.exe" ] || fehler "kein Deinstallationsprogramm"
[ -f "$verknuepfung" ] || fehler "kein Eintrag \"Quadrix\" im Startmenü"
wine reg query "$wurzel\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quadrix" /v DisplayName 2>/dev/null |
    grep -q Quadrix || fehler "nicht in der Liste der installierten Programme"
if [ "$art" = CurrentUser ]; then
    [ ! -e "$WINEPREFIX/drive_c/Program Files/Quadrix" ] || fehler "für den Benutzer installiert, doch im Programmordner"
    wine reg query 'HKCU\Environment' /v Path 2>/dev/null | grep -qi 'AppData\\Local\\Programs\\Quadrix' ||
        fehler "mtbq nicht im Suchpfad des Benutzers"
    # mtbq by its name alone, from any folder.
    aus=$(cd "$arbeit" && wine cmd /c "mtbq --version" 2>/dev/null | tr -d '\r')
    [[ "$aus" == "mtbq "* ]] || fehler "mtbq über den Suchpfad nicht aufrufbar: $aus"
fi

# The installed program starts and shows its window.
(cd "$programme" && LC_ALL=de_DE.UTF-8 wine "$programm_windows\\quadrix.exe") >"$arbeit/log" 2>&1 &
programm=$!
fenster=$(timeout 60 xdotool search --sync --onlyvisible --name "MTB - Bestimmung" | head -1) ||
    { cat "$arbeit/log" >&2; fehler "das installierte Quadrix zeigt kein Fenster"; }
xdotool windowactivate --sync "$fenster" 2>/dev/null || true
sleep 1
# Uninstalling while Quadrix runs left its files behind with the list entry
# gone: now it asks to close Quadrix (silently it gives up) and removes nothing.
# (Not "wineserver -w": Quadrix runs on. The uninstaller works from a copy of itself, Au_.exe.)
wine "$programm_windows\\Deinstallieren.exe" "/$art" /S >/dev/null 2>&1 || true
sleep 2
for _ in $(seq 240); do pgrep -f 'Au_\.exe' >/dev/null || break; sleep 0.5; done
[ -f "$programme/quadrix.exe" ] && [ -f "$programme/Qt6Core.dll" ] && [ -f "$programme/Deinstallieren.exe" ] &&
    [ -f "$verknuepfung" ] || fehler "Deinstallation bei laufendem Quadrix entfernt doch Dateien"
wine reg query "$wurzel\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quadrix" /v DisplayName 2>/dev/null |
    grep -q Quadrix || fehler "Deinstallation bei laufendem Quadrix nimmt den Eintrag aus der Liste"
wine reg query "$wurzel\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quadrix" /v EstimatedSize 2>/dev/null |
    grep -q 'REG_DWORD *0x[0-9a-f]*[1-9a-f]' || fehler "keine Größe in der Liste der installierten Programme"
xdotool windowactivate --sync "$fenster" 2>/dev/null || true
xdotool key alt+e
for _ in $(seq 100); do kill -0 "$programm" 2>/dev/null || break; sleep 0.1; done
kill -0 "$programm" 2>/dev/null && fehler "das installierte Quadrix endet nicht nach Alt+E"
wineserver -w

# A user's find-location files in the program's folder and in a folder of theirs there.
printf 'Gr\xfcnwald\t5818/3/3/2/1/1\r\n' >"$programme/meine_funde.txt"
mkdir -p "$programme/Funde 2026" "$programme/plugins/eigene"
printf 'Stadtwald\r\n' >"$programme/Funde 2026/alt.txt"
printf 'x\r\n' >"$programme/plugins/eigene/notiz.txt"
eigene=(./meine_funde.txt "./Funde 2026/alt.txt" ./plugins/eigene/notiz.txt)
benutzer=$(cd "$programme" && md5sum "${eigene[@]}")

wine "$programm_windows\\Deinstallieren.exe" "/$art" /S >/dev/null 2>&1
wineserver -w
[ -d "$programme" ] || fehler "die Deinstallation löscht die Dateien des Benutzers im Programmordner"
geblieben=$(cd "$programme" && md5sum "${eigene[@]}" 2>&1)
[ "$geblieben" = "$benutzer" ] || fehler "Dateien des Benutzers verändert: $geblieben"
uebrig=$(cd "$programme" && find . -type f | grep -v -x -e './meine_funde.txt' -e './Funde 2026/alt.txt' \
             -e './plugins/eigene/notiz.txt' || true)
[ -z "$uebrig" ] || fehler "nach der Deinstallation bleiben installierte Dateien: $uebrig"
ordner=$(cd "$programme" && find . -mindepth 1 -type d | sort | tr '\n' ' ')
[ "$ordner" = "./Funde 2026 ./plugins ./plugins/eigene " ] || fehler "Ordner nach der Deinstallation: $ordner"
rm -rf "$programme"
# The user's program folder stays for their files, as the installation's own folder does.
[ "$art" = AllUsers ] || rmdir --ignore-fail-on-non-empty "$(dirname "$programme")"
[ ! -e "$verknuepfung" ] || fehler "Startmenü-Eintrag bleibt nach der Deinstallation"
if wine reg query "$wurzel\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quadrix" >/dev/null 2>&1; then
    fehler "Eintrag in der Liste der installierten Programme bleibt"
fi
pfad_nachher=$(wine reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' | grep -i ' Path ' || true)
[ "$pfad_nachher" = "$pfad_vorher" ] || fehler "Suchpfad nach der Deinstallation: '$pfad_nachher' (vorher '$pfad_vorher')"
nachher=$(cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | sort)
rest=$(comm -13 <(echo "$vorher") <(echo "$nachher") | grep -v -i -E '/temp(/|$)' || true)
[ -z "$rest" ] || fehler "nach der Deinstallation bleibt: $rest"
pruefe_suchpfade "$art"
wineserver -k 2>/dev/null || true
echo "$art: Installation, Start, Deinstallation und Suchpfade in Ordnung"
}

# The search path of any length keeps every entry byte for byte: NSIS strings
# end at 1,024 characters, and a longer Path was cut to the new entry alone
# (system32 and Windows gone from the machine's). A neighbour that shares
# the folder's name as a prefix stays whole when the entry goes.
pruefe_suchpfade() {  # AllUsers | CurrentUser
    local art=$1 schluessel schalter laenge wert nachher
    if [ "$art" = AllUsers ]; then
        schluessel='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment' schalter=/Suchpfad
    else
        schluessel='HKCU\Environment' schalter=/Suchpfad
    fi
    # Empty where there is no value (the user's, before anything set it).
    lies() { { wine reg query "$schluessel" /v Path 2>/dev/null || true; } | tr -d '\r' | sed -n 's/^ *Path *REG_[A-Z_]* *//p'; }
    local ursprung
    ursprung=$(lies)
    for laenge in 1000 2100 8000; do
        wert=$ursprung
        [ -n "$wert" ] && wert+=";"
        wert+="$programm_windows-Skripte;D:\\Tools"
        local i=0
        while [ "${#wert}" -lt "$laenge" ]; do wert+=";D:\\Werkzeuge\\Eintrag$i"; i=$((i + 1)); done
        wert=${wert:0:$laenge}
        wine reg add "$schluessel" /v Path /t REG_EXPAND_SZ /d "$wert" /f >/dev/null 2>&1
        [ "$(lies)" = "$wert" ] || fehler "Suchpfad von $laenge Zeichen nicht gesetzt"
        wine "$setup" /S "/$art" $schalter >/dev/null 2>&1
        wineserver -w
        nachher=$(lies)
        [ "$nachher" = "$wert;$programm_windows" ] ||
            fehler "$art, Suchpfad von $laenge Zeichen nach der Installation: ${#nachher} Zeichen, Ende '${nachher: -80}'"
        wine "$programm_windows\\Deinstallieren.exe" "/$art" /S >/dev/null 2>&1
        wineserver -w
        nachher=$(lies)
        [ "$nachher" = "$wert" ] ||
            fehler "$art, Suchpfad von $laenge Zeichen nach der Deinstallation: ${#nachher} Zeichen, Ende '${nachher: -80}'"
    done
    if [ -n "$ursprung" ]; then
        wine reg add "$schluessel" /v Path /t REG_EXPAND_SZ /d "$ursprung" /f >/dev/null 2>&1
    else
        wine reg delete "$schluessel" /v Path /f >/dev/null 2>&1
    fi
    # Nothing of the installations stays (the uninstaller takes an empty user's program folder too).
    [ ! -e "$programme" ] || fehler "$art: nach den Installationen mit langen Suchpfaden bleibt $programme"
}

for art in ${QUADRIX_INSTALLATIONSARTEN:-AllUsers CurrentUser}; do pruefe_art "$art"; done
echo "Installation für alle und für den Benutzer, Start, Deinstallation und Suchpfade: 2 passed, 0 failed"
