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
printf '<?xml version="1.0"?>\n<gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1">\n<wpt lat="50.1222" lon="8.6917"><name>Stadtwald</name></wpt>\n</gpx>\n' >"$arbeit/tag.gpx"
cp "$daten/telefon.jpg" "$daten/telefon.heic" "$arbeit/"

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

"$quelle" "$arbeit/tag.gpx" "$arbeit/telefon.jpg" "$arbeit/telefon.heic" >/dev/null 2>&1 &
ziehen=$!
ziehquelle=$(fenster "^Ziehquelle$") || fehler "die Ziehquelle erscheint nicht"
xdotool windowactivate --sync "$haupt" 2>/dev/null || true
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$haupt")"
zx=$((X + WIDTH / 2)) zy=$((Y + HEIGHT / 3))
xdotool mousemove --window "$ziehquelle" 100 60 mousedown 1
sleep 0.5
for schritt in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((800 + (zx - 800) * schritt / 8)) $((600 + (zy - 600) * schritt / 8))
    sleep 0.2
done
sleep 0.5
xdotool mouseup 1
punkte=$(fenster "^Punkte$") || fehler "die Liste Punkte erscheint nicht nach dem Ablegen"
xdotool windowactivate --sync "$punkte" 2>/dev/null || true
sleep 1
taste ctrl+a
taste alt+s
sleep 1

erwartet=$arbeit/erwartet.txt
{
    printf 'Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n'
    printf 'Stadtwald\t5818/3/3/2/1/2\t50\t07\t24\tN\t8\t41\t34\tO\t50,1233\tN\t8,6928\tO\r\n'
    printf 'telefon.jpg\t5818/3/3/2/1/2\t50\t07\t24\tN\t8\t41\t34\tO\t50,1233\tN\t8,6928\tO\r\n'
    printf 'telefon.heic\t4640/3/2/1/3/3\t51\t20\t20\tN\t12\t22\t36\tO\t51,3389\tN\t12,3767\tO\r\n'
} >"$erwartet"
if ! cmp -s "$erwartet" "$datei"; then
    diff <(od -c "$erwartet") <(od -c "$datei") | head -20 >&2
    fehler "gps.txt hat nicht die erwarteten Bytes"
fi
echo "ok: drei Fundorte aus einer GPX-Datei und zwei Fotos, unter Wine abgelegt und in einem Schritt gespeichert"
