#!/usr/bin/env bash
# GPS points into records with the real quadrix binary under Xvfb: a new
# find-location file, a GPX waypoint and two photos (JPEG, HEIC) dragged
# from another program and dropped onto the main window, all rows of the
# list "Punkte" chosen with Ctrl+A and saved with Alt+S in one step. The
# file's bytes are compared with the records typing the same names and
# seconds gives (see punkte_ablegen.sh).
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

# The program runs under German; without that locale the test says so.
bash "$(dirname "$0")/../sprachumgebungen.sh" de_DE || exit 1
source "$(dirname "$0")/x_sitzung.sh"
source "$(dirname "$0")/punkte_ablegen.sh"
aufraeumen() {
    kill "${programm:-}" "${ziehen:-}" 2>/dev/null || true
    x_sitzung_beenden
    rm -rf "$arbeit"
}
trap aufraeumen EXIT
x_sitzung_starten 121 150 "$arbeit"

# The files as they come from a GPS device and a phone.
punkte_dateien "$arbeit" "$daten"

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
neue_datei "$ordner" gps

# Dragged from another program onto the main window.
punkte_ablegen "$quelle" "$arbeit" "$haupt" 0.3

punkte_pruefen "$ordner/gps.txt"
echo "ok: drei Fundorte aus einer GPX-Datei und zwei Fotos, abgelegt und in einem Schritt gespeichert"
