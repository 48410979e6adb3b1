#!/usr/bin/env bash
# Installs Quadrix silently into a fresh Wine prefix, starts the installed
# program from the place the Start-menu entry points to, saves find-location
# files of a user's into the program's folder (the folder list lets them),
# uninstalls silently and checks that exactly what was installed is gone:
# the user's files and folders stay, byte for byte.
#   installer_pruefen.sh SETUP.EXE
set -euo pipefail
hier=$(cd "$(dirname "$0")" && pwd)
setup=$(readlink -f "$1")
arbeit=$(mktemp -d /tmp/quadrix-setup.XXXXXX)
export QUADRIX_WINEPREFIX=$arbeit/wine QUADRIX_WINE_NACKT=1
export WINEPREFIX=$QUADRIX_WINEPREFIX
wine() { "$hier/wine.sh" "$@"; }
fehler() { echo "FEHLER: $*" >&2; exit 1; }

source "$hier/../../tests/e2e/x_sitzung.sh"
trap 'wineserver -k 2>/dev/null || true; x_sitzung_beenden; rm -rf "$arbeit"' EXIT
x_sitzung_starten 151 180 "$arbeit"

wine cmd /c exit >/dev/null 2>&1 || true
vorher=$(cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | sort)

wine "$setup" /S >/dev/null 2>&1
wineserver -w
programme=$WINEPREFIX/drive_c/Program\ Files/Quadrix
verknuepfung=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Quadrix.lnk
[ -f "$programme/quadrix.exe" ] || fehler "quadrix.exe nicht installiert"
[ -f "$programme/Deinstallieren.exe" ] || fehler "kein Deinstallationsprogramm"
[ -f "$verknuepfung" ] || fehler "kein Eintrag \"Quadrix\" im Startmenü"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrix' /v DisplayName 2>/dev/null |
    grep -q Quadrix || fehler "nicht in der Liste der installierten Programme"

# The installed program starts and shows its window.
(cd "$programme" && LC_ALL=de_DE.UTF-8 wine 'C:\Program Files\Quadrix\quadrix.exe') >"$arbeit/log" 2>&1 &
programm=$!
fenster=$(timeout 60 xdotool search --sync --onlyvisible --name "MTB - Bestimmung" | head -1) ||
    { cat "$arbeit/log" >&2; fehler "das installierte Quadrix zeigt kein Fenster"; }
xdotool windowactivate --sync "$fenster" 2>/dev/null || true
sleep 1
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

wine 'C:\Program Files\Quadrix\Deinstallieren.exe' /S >/dev/null 2>&1
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
[ ! -e "$verknuepfung" ] || fehler "Startmenü-Eintrag bleibt nach der Deinstallation"
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrix' >/dev/null 2>&1; then
    fehler "Eintrag in der Liste der installierten Programme bleibt"
fi
nachher=$(cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | sort)
rest=$(comm -13 <(echo "$vorher") <(echo "$nachher") | grep -v -i -E '/temp(/|$)|/AppData/' || true)
[ -z "$rest" ] || fehler "nach der Deinstallation bleibt: $rest"
echo "Installation, Start und Deinstallation: 1 passed, 0 failed"
