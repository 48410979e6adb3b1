#!/usr/bin/env bash
# Installs Quadrix silently into a fresh Wine prefix, starts the installed
# program from the place the Start-menu entry points to, uninstalls it
# silently and checks that nothing is left behind.
#   installer_pruefen.sh SETUP.EXE
set -euo pipefail
hier=$(cd "$(dirname "$0")" && pwd)
setup=$(readlink -f "$1")
arbeit=$(mktemp -d /tmp/quadrix-setup.XXXXXX)
export QUADRIX_WINEPREFIX=$arbeit/wine QUADRIX_WINE_NACKT=1
export WINEPREFIX=$QUADRIX_WINEPREFIX
wine() { "$hier/wine.sh" "$@"; }
fehler() { echo "FEHLER: $*" >&2; exit 1; }

for n in $(seq 151 180); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { anzeige=:$n; break; }; done
Xvfb "$anzeige" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$anzeige
trap 'wineserver -k 2>/dev/null || true; kill ${wm:-} $xvfb 2>/dev/null || true; rm -rf "$arbeit"' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
HOME=$arbeit openbox >/dev/null 2>&1 &
wm=$!

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

wine 'C:\Program Files\Quadrix\Deinstallieren.exe' /S >/dev/null 2>&1
wineserver -w
[ ! -e "$programme" ] || fehler "Programmordner bleibt nach der Deinstallation: $(ls "$programme")"
[ ! -e "$verknuepfung" ] || fehler "Startmenü-Eintrag bleibt nach der Deinstallation"
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrix' >/dev/null 2>&1; then
    fehler "Eintrag in der Liste der installierten Programme bleibt"
fi
nachher=$(cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | sort)
rest=$(comm -13 <(echo "$vorher") <(echo "$nachher") | grep -v -i -E '/temp(/|$)|/AppData/' || true)
[ -z "$rest" ] || fehler "nach der Deinstallation bleibt: $rest"
echo "Installation, Start und Deinstallation: 1 passed, 0 failed"
