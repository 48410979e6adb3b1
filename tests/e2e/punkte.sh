#!/usr/bin/env bash
# GPS points into records with the real quadrix binary under Xvfb: a new
# find-location file, a GPX waypoint and two photos (JPEG, HEIC) dragged
# from another program and dropped onto the main window, all rows of the
# list "Punkte" chosen with Ctrl+A and saved with Alt+S in one step. The
# file's bytes are compared with the records typing the same names and
# seconds gives (the seconds from cs2cs, EPSG:4258 -> EPSG:4314 through
# BETA2007; the codes from mtbq --datum potsdam on those seconds):
#   50.1222 8.6917           -> 50 07 24, 8 41 34    5818/3/3/2/1/2
#   51.3376388889 12.3750694 -> 51 20 20, 12 22 36   4640/3/2/1/3/3
#
#   punkte.sh QUADRIX ZIEHQUELLE
set -euo pipefail
quadrix=$(readlink -f "$1")
quelle=$(readlink -f "$2")
daten=$(cd "$(dirname "$0")/../daten/punkte" && pwd)
arbeit=$(mktemp -d /tmp/quadrix-punkte.XXXXXX)
ordner=$arbeit/funde_$$
mkdir -p "$ordner"
log=$arbeit/quadrix.log
fehler() { echo "FEHLER: $*" >&2; [ -f "$log" ] && sed 's/^/  quadrix: /' "$log" >&2; exit 1; }

source "$(dirname "$0")/x_sitzung.sh"
aufraeumen() {
    kill "${programm:-}" "${ziehen:-}" 2>/dev/null || true
    x_sitzung_beenden
    rm -rf "$arbeit"
}
trap aufraeumen EXIT
x_sitzung_starten 121 150 "$arbeit"

# The files as they come from a GPS device and a phone.
printf '<?xml version="1.0"?>\n<gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1">\n<wpt lat="50.1222" lon="8.6917"><name>Stadtwald</name></wpt>\n</gpx>\n' >"$arbeit/tag.gpx"
cp "$daten/telefon.jpg" "$daten/telefon.heic" "$arbeit/"

unset QT_QPA_PLATFORM
export XDG_CONFIG_HOME=$arbeit/einstellungen XDG_CACHE_HOME=$arbeit/cache
export QUADRIX_KACHELN='http://127.0.0.1:9/{z}/{x}/{y}.png'
(cd "$arbeit" && LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 exec "$quadrix") >"$log" 2>&1 &
programm=$!
fenster() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1; }
haupt=$(fenster "MTB - Bestimmung") || fehler "Hauptfenster erscheint nicht"
xdotool windowactivate --sync "$haupt" 2>/dev/null || true
sleep 0.3

# A new find-location file in a fresh folder, as in the whole session.
taste Tab
IFS=/ read -ra teile <<<"${ordner#/}"
for teil in "${teile[@]}"; do
    sleep 0.5
    tippe "$teil" || fehler "xdotool kann \"$teil\" nicht tippen"
    taste Return
done
taste alt+n
dialog=$(fenster "^Neue Datei$") || fehler "Dialog Neue Datei erscheint nicht"
tippe "gps"
klick "$dialog" 186 36
sleep 0.5
[ -f "$ordner/gps.txt" ] || fehler "gps.txt wurde nicht angelegt"

# Dragged from another program onto the main window.
"$quelle" "$arbeit/tag.gpx" "$arbeit/telefon.jpg" "$arbeit/telefon.heic" >/dev/null 2>&1 &
ziehen=$!
ziehquelle=$(fenster "^Ziehquelle$") || fehler "die Ziehquelle erscheint nicht"
xdotool windowactivate --sync "$haupt" 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$haupt")"
zx=$((X + WIDTH / 2)) zy=$((Y + HEIGHT / 3))
xdotool mousemove --window "$ziehquelle" 100 60 mousedown 1
sleep 0.3
for schritt in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((800 + (zx - 800) * schritt / 8)) $((600 + (zy - 600) * schritt / 8))
    sleep 0.1
done
sleep 0.3
xdotool mouseup 1
punkte=$(fenster "^Punkte$") || fehler "die Liste Punkte erscheint nicht nach dem Ablegen"
xdotool windowactivate --sync "$punkte" 2>/dev/null || true
sleep 0.5
taste ctrl+a
taste alt+s
sleep 0.5

erwartet=$arbeit/erwartet.txt
{
    printf 'Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n'
    printf 'Stadtwald\t5818/3/3/2/1/2\t50\t07\t24\tN\t8\t41\t34\tO\t50,1233\tN\t8,6928\tO\r\n'
    printf 'telefon.jpg\t5818/3/3/2/1/2\t50\t07\t24\tN\t8\t41\t34\tO\t50,1233\tN\t8,6928\tO\r\n'
    printf 'telefon.heic\t4640/3/2/1/3/3\t51\t20\t20\tN\t12\t22\t36\tO\t51,3389\tN\t12,3767\tO\r\n'
} >"$erwartet"
if ! cmp -s "$erwartet" "$ordner/gps.txt"; then
    diff <(od -c "$erwartet") <(od -c "$ordner/gps.txt") | head -20 >&2
    fehler "gps.txt hat nicht die erwarteten Bytes"
fi
echo "ok: drei Fundorte aus einer GPX-Datei und zwei Fotos, abgelegt und in einem Schritt gespeichert"
