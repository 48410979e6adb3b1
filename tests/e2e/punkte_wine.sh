#!/usr/bin/env bash
# The same as punkte.sh with the shipped quadrix.exe under Wine: a GPX
# waypoint and two photos dragged from a Linux program onto the Windows
# program's main window (Wine hands the drop over as Windows does), all rows
# saved in one step, the file's bytes compared. New Wine prefix, nothing on
# its path.
#   punkte_wine.sh PAKETORDNER ZIEHQUELLE
set -euo pipefail
hier=$(cd "$(dirname "$0")" && pwd)
paket=$(readlink -f "$1")
quelle=$(readlink -f "$2")
daten=$(cd "$hier/../daten/punkte" && pwd)
arbeit=$(mktemp -d /tmp/quadrix-wine-punkte.XXXXXX)
export QUADRIX_WINEPREFIX=$arbeit/wine QUADRIX_WINE_NACKT=1
wine() { "$hier/../../werkzeuge/windows/wine.sh" "$@"; }
log=$arbeit/quadrix.log
fehler() { echo "FEHLER: $*" >&2; [ -f "$log" ] && sed 's/^/  quadrix.exe: /' "$log" | tail -20 >&2; exit 1; }

X_VERZOEGERUNG=80 X_PAUSE=0.3 X_KLICKPAUSE=0.4
source "$hier/x_sitzung.sh"
source "$hier/punkte_ablegen.sh"
aufraeumen() {
    kill "${ziehen:-}" 2>/dev/null || true
    WINEPREFIX=$QUADRIX_WINEPREFIX wineserver -k 2>/dev/null || true
    x_sitzung_beenden
    rm -rf "$arbeit"
}
trap aufraeumen EXIT
x_sitzung_starten 121 150 "$arbeit"

LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 wine cmd /c exit >/dev/null 2>&1 || true
laufwerk_c=$QUADRIX_WINEPREFIX/drive_c
ordnername=gps_funde_$$
mkdir -p "$laufwerk_c/$ordnername"
punkte_dateien "$arbeit" "$daten"

unset QT_QPA_PLATFORM
export QUADRIX_KACHELN='http://127.0.0.1:9/{z}/{x}/{y}.png'
(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 wine "$paket/quadrix.exe") >"$log" 2>&1 &
fenster() { timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -1; }
haupt=$(fenster "MTB - Bestimmung") || fehler "Hauptfenster erscheint nicht"
xdotool windowactivate --sync "$haupt" 2>/dev/null || true
sleep 1
taste Tab
tippe "$ordnername"
taste Return
taste alt+n
dialog=$(fenster "^Neue Datei$") || fehler "Dialog Neue Datei erscheint nicht"
sleep 0.5
tippe "gps"
klick "$dialog" 186 36
sleep 1
datei=$laufwerk_c/$ordnername/gps.txt
[ -f "$datei" ] || fehler "gps.txt wurde nicht in C:\\$ordnername angelegt"

punkte_ablegen "$quelle" "$arbeit" "$haupt" 0.5

punkte_pruefen "$datei"
echo "ok: drei Fundorte aus einer GPX-Datei und zwei Fotos, unter Wine abgelegt und in einem Schritt gespeichert"
