#!/usr/bin/env bash
# The shipped quadrix.exe under Wine, Xvfb and a window manager, driven by
# X key and mouse events as a person would: from the root of C: into a fresh
# folder, "Neue Datei", a record typed, computed and saved, one taken on the
# map and saved; then the file's bytes. The Wine prefix is new and nothing is put on its path, so the
# package folder must hold everything the program loads.
#
#   durchgang_wine.sh PAKETORDNER [SCREENSHOT.png]
set -euo pipefail
hier=$(cd "$(dirname "$0")" && pwd)
paket=$(readlink -f "$1")
bild=${2:-}
arbeit=$(mktemp -d /tmp/quadrix-wine-e2e.XXXXXX)
export QUADRIX_WINEPREFIX=$arbeit/wine QUADRIX_WINE_NACKT=1
wine() { "$hier/../../werkzeuge/windows/wine.sh" "$@"; }
log=$arbeit/quadrix.log

fehler() { echo "FEHLER: $*" >&2; [ -f "$log" ] && sed 's/^/  quadrix.exe: /' "$log" | tail -20 >&2; exit 1; }

X_VERZOEGERUNG=80 X_PAUSE=0.3 X_KLICKPAUSE=0.4
source "$hier/x_sitzung.sh"
aufraeumen() {
    WINEPREFIX=$QUADRIX_WINEPREFIX wineserver -k 2>/dev/null || true
    x_sitzung_beenden
    rm -rf "$arbeit"
}
trap aufraeumen EXIT
# Wine takes its keyboard layout from the display when its server starts.
x_sitzung_starten 121 150 "$arbeit"

# The prefix first (its C: drive is where the folder goes).
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 wine cmd /c exit >/dev/null 2>&1 || true
laufwerk_c=$QUADRIX_WINEPREFIX/drive_c
ordnername=e2e_funde_$$
mkdir -p "$laufwerk_c/$ordnername"

unset QT_QPA_PLATFORM
export QUADRIX_KACHELN='http://127.0.0.1:9/{z}/{x}/{y}.png'
(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 wine "$paket/quadrix.exe") >"$log" 2>&1 &
programm=$!

fenster() { timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -1; }
haupt=$(fenster "MTB - Bestimmung") || fehler "Hauptfenster erscheint nicht"
xdotool windowactivate --sync "$haupt" 2>/dev/null || true
sleep 1

# From the drive list into the folder list at C:\, the folder found by typing its name.
taste Tab
tippe "$ordnername"
taste Return

taste alt+n
dialog=$(fenster "^Neue Datei$") || fehler "Dialog Neue Datei erscheint nicht"
sleep 0.5
tippe "e2efunde"
klick "$dialog" 186 36
sleep 1
datei=$laufwerk_c/$ordnername/e2efunde.txt
[ -f "$datei" ] || fehler "e2efunde.txt wurde nicht in C:\\$ordnername angelegt"

xdotool windowactivate --sync "$haupt" 2>/dev/null || true
sleep 0.5
klick "$haupt" 200 254                 # txtGebiet
tippe "Grünwald"
for wert in 50 07 20 8 41 30; do taste Tab; tippe "$wert"; done
taste alt+b
taste alt+s
sleep 0.5
# On the map (its module loaded from beside the program; no tiles: nobody
# serves them here): a position searched, clicked, computed and saved.
karte_waehlen "$haupt" "50 10 00 8 40 00"
taste alt+b
taste alt+s
sleep 0.5

if [ -n "$bild" ]; then
    import -window root "$arbeit/bildschirm.png"
    convert "$arbeit/bildschirm.png" -trim +repage "$bild"
fi

taste alt+e
for _ in $(seq 100); do kill -0 "$programm" 2>/dev/null || break; sleep 0.1; done
kill -0 "$programm" 2>/dev/null && fehler "quadrix.exe endet nicht nach Alt+E"
wait "$programm" || fehler "quadrix.exe endete mit Fehlerstatus"

erwartet=$arbeit/erwartet.txt
{
    printf 'Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n'
    printf 'Gr\xfcnwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n'
    printf 'Gr\xfcnwald\t5818/1/3/1/3/1\t50\t10\t00\tN\t8\t40\t00\tO\t50,1667\tN\t8,6667\tO\r\n'
} >"$erwartet"
if ! cmp -s "$erwartet" "$datei"; then
    echo "erwartet:" >&2; od -c "$erwartet" | head -20 >&2
    echo "geschrieben:" >&2; od -c "$datei" | head -20 >&2
    fehler "Datei der Fundorte weicht ab"
fi
echo "1 passed, 0 failed"
