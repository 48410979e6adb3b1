#!/usr/bin/env bash
# A person's whole session with the real quadrix binary under Xvfb and a
# window manager, driven only by X key and mouse events:
#   open a fresh folder in the folder list, create a file with "Neue Datei",
#   type an area name with an umlaut and 50°07'20" N, 8°41'30" E tabbing
#   through the boxes (with a refused 91 on the way), compute and save by
#   access keys and by mouse, paste a GPS position from the X clipboard into
#   the degrees box and save that too, have a lone decimal number refused,
#   paste whole degrees/minutes/seconds taken as read off a map and save
#   those, take a position on the map and save it, end with "Ende" (which
#   closes the map too).
# Then the file's bytes are checked, and the positions of controls on a
# screenshot against the window's layout.
#
#   durchgang.sh QUADRIX [SCREENSHOT.png]
set -euo pipefail

quadrix=$(readlink -f "$1")
bild=${2:-}
arbeit=$(mktemp -d /tmp/quadrix-e2e.XXXXXX)
ordner=$arbeit/funde_$$
mkdir -p "$ordner"
log=$arbeit/quadrix.log

fehler() { echo "FEHLER: $*" >&2; [ -f "$log" ] && sed 's/^/  quadrix: /' "$log" >&2; exit 1; }

# A display of our own, with the German keyboard layout.
# The program runs under German; without that locale the test says so.
bash "$(dirname "$0")/../sprachumgebungen.sh" de_DE || exit 1
source "$(dirname "$0")/x_sitzung.sh"
aufraeumen() {
    kill "${programm:-}" 2>/dev/null || true
    x_sitzung_beenden
    chmod -R u+w "$arbeit" 2>/dev/null; rm -rf "$arbeit"
}
trap aufraeumen EXIT
x_sitzung_starten 90 120 "$arbeit"

# The program runs under a German locale (decimal comma in the records).
unset QT_QPA_PLATFORM
# Its settings and tile cache in the session's folder; tiles from nowhere.
export XDG_CONFIG_HOME=$arbeit/einstellungen XDG_CACHE_HOME=$arbeit/cache
export QUADRIX_KACHELN='http://127.0.0.1:9/{z}/{x}/{y}.png'
(cd "$arbeit" && LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 exec "$quadrix") >"$log" 2>&1 &
programm=$!

fenster() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1; }
haupt=$(fenster "MTB - Bestimmung") || fehler "Hauptfenster erscheint nicht"
xdotool windowactivate --sync "$haupt" 2>/dev/null || true
sleep 0.3

# 1. To the fresh folder: Tab from the drive list into the folder list, type
#    each folder's name to find it, Enter to open it.
# 2. "Neue Datei", a name, OK with the mouse.
neue_datei "$ordner" e2efunde

# 3. Area name and coordinates, tabbing through the boxes.
xdotool windowactivate --sync "$haupt" 2>/dev/null || true
klick "$haupt" 200 254                 # txtGebiet
tippe "Grünwald"
taste Tab
# 4. 91 degrees north: refused with a message, the focus stays.
tippe "91"
taste Tab
meldung=$(fenster "^Quadrix$") || fehler "keine Meldung für 91 Grad"
taste Return
sleep 0.3
tippe "50"                             # replaces the selected 91
for wert in 07 20 8 41 30; do taste Tab; tippe "$wert"; done

# 5. Compute and save by access key, then again by mouse.
taste alt+b
sleep 0.3
taste alt+s
sleep 0.3
klick "$haupt" 68 460                  # MTB berechnen
klick "$haupt" 196 460                 # Speichern

# 5a. A GPS position from the X clipboard, pasted into the degrees box:
#     transformed to the Potsdam datum, computed and saved once more.
printf '50.12222, 8.69167' | xclip -selection clipboard -quiet >/dev/null 2>&1 &
ablage=$!
sleep 0.5
klick "$haupt" 132 313                 # txtGradN
taste ctrl+v
fenster "^Quadrix$" >/dev/null || fehler "keine Meldung nach dem Einfügen der GPS-Position"
taste Return
sleep 0.3
taste alt+b
taste alt+s
kill "$ablage" 2>/dev/null || true

# 5b. A decimal number alone is refused, the box keeps its value; whole
#     degrees, minutes and seconds ask where they come from, and Enter takes
#     the default: from a map, as they are. Computed and saved once more.
ablegen() { printf '%s' "$1" | xclip -selection clipboard -quiet >/dev/null 2>&1 & ablage=$!; sleep 0.5; }
ablegen '7.5'
klick "$haupt" 180 313                 # txtMinN
taste ctrl+v
fenster "^Quadrix – nicht übernommen$" >/dev/null || fehler "keine Ablehnung nach dem Einfügen von 7.5"
taste Return
kill "$ablage" 2>/dev/null || true
ablegen '50°07'"'"'20"N 8°41'"'"'30"E'
klick "$haupt" 132 313                 # txtGradN
taste ctrl+v
fenster "^Quadrix$" >/dev/null || fehler "keine Frage nach dem Einfügen ganzer Sekunden"
taste Return
sleep 0.3
taste alt+b
taste alt+s
kill "$ablage" 2>/dev/null || true

# 5c. On the map (no tiles: nobody serves them here): a position searched,
#     clicked in the middle of the map, computed and saved.
karte_waehlen "$haupt" "50 10 00 8 40 00"
taste alt+b
taste alt+s

# The look of the window, before it goes.
xwininfo -id "$haupt" >"$arbeit/geometrie"
ox=$(awk '/Absolute upper-left X/ {print $4}' "$arbeit/geometrie")
oy=$(awk '/Absolute upper-left Y/ {print $4}' "$arbeit/geometrie")
import -window root "$arbeit/bildschirm.png"
if [ -n "$bild" ]; then
    convert "$arbeit/bildschirm.png" -crop "$((512 + 2))x$((483 + oy + 1))+0+0" +repage "$bild"
fi

# 6. End.
taste alt+e
for _ in $(seq 50); do kill -0 "$programm" 2>/dev/null || break; sleep 0.1; done
kill -0 "$programm" 2>/dev/null && fehler "Quadrix endet nicht nach Alt+E"
wait "$programm" || fehler "Quadrix endete mit Fehlerstatus"
programm=

# The file, byte for byte.
erwartet=$arbeit/erwartet.txt
{
    printf 'Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n'
    for _ in 1 2; do
        printf 'Gr\xfcnwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n'
    done
    # 50.12222 N 8.69167 E on ETRS89 is 50 07 24.18, 8 41 33.62 on Potsdam (cs2cs).
    printf 'Gr\xfcnwald\t5818/3/3/2/1/2\t50\t07\t24\tN\t8\t41\t34\tO\t50,1233\tN\t8,6928\tO\r\n'
    printf 'Gr\xfcnwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n'
    printf 'Gr\xfcnwald\t5818/1/3/1/3/1\t50\t10\t00\tN\t8\t40\t00\tO\t50,1667\tN\t8,6667\tO\r\n'
} >"$erwartet"
if ! cmp -s "$erwartet" "$ordner/e2efunde.txt"; then
    echo "erwartet:" >&2; od -c "$erwartet" | head -20 >&2
    echo "geschrieben:" >&2; od -c "$ordner/e2efunde.txt" | head -20 >&2; tail -c 200 "$ordner/e2efunde.txt" | od -c >&2
    fehler "Datei der Fundorte weicht ab"
fi

# Control positions: each control's one-pixel frame lies exactly on the
# edges of its rectangle from the layout (client pixels), with window
# background just outside.
hell() { convert "$arbeit/bildschirm.png" -crop "1x1+$1+$2" -format '%[fx:int(255*(r+g+b)/3)]' info:; }
pruefe() {
    local name=$1 x=$((ox + $2)) y=$((oy + $3)) w=$4 h=$5
    local mx=$((x + w / 2)) my=$((y + h / 2))
    local rand="$(hell $x $my) $(hell $((x + w - 1)) $my) $(hell $mx $y) $(hell $mx $((y + h - 1)))"
    local aussen="$(hell $((x - 1)) $my) $(hell $((x + w)) $my) $(hell $mx $((y - 1))) $(hell $mx $((y + h)))"
    for v in $rand; do [ "$v" -lt 215 ] || fehler "$name: Rand nicht an der Stelle des Layouts (Rand $rand, außen $aussen)"; done
    for v in $aussen; do [ "$v" -gt 225 ] || fehler "$name: Rand nicht an der Stelle des Layouts (Rand $rand, außen $aussen)"; done
}
pruefe cmdNeueDatei 400 172 105 25
pruefe txtGebiet 120 245 193 19
pruefe txtMTB 128 400 121 19
pruefe cmdBerechnen 16 448 105 25
pruefe cmdSpeichern 144 448 105 25
pruefe cmdEnde 272 448 105 25

echo "1 passed, 0 failed"
