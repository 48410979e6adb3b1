# An X session for the end-to-end tests, sourced by them: a display of its
# own (Xvfb), the German keyboard layout our users type on, a window
# manager, and typing as a person types.
#
#   source x_sitzung.sh
#   x_sitzung_starten ERSTE LETZTE HOME   display number from ERSTE..LETZTE
#   taste KEY...        keys by name (alt+n, Tab, Return)
#   tippe TEXT          text; umlauts and ß as their keys of the German layout
#   klick FENSTER X Y   a click at a point of a window's client area
#   neue_datei ORDNER NAME   the folder opened in the folder list, a file
#                       NAME.txt made there with "Neue Datei"
#   karte_waehlen HAUPT POSITION   the map opened (checked: grundkarte_pruefen),
#                       a position searched and clicked
#   x_sitzung_beenden
#
# xdotool types characters missing from the keymap by remapping a spare
# keycode on the fly; Wine never sees that and drops the character, and
# even Qt under X loses some. With the German layout, ä, ö, ü and ß have
# keys of their own, and pressing them is what a person does.

# Pauses after keys and text; the Wine session sets slower ones.
: "${X_VERZOEGERUNG:=60}" "${X_PAUSE:=0.15}" "${X_KLICKPAUSE:=0.25}"
export LC_ALL=C.UTF-8

x_sitzung_starten() {
    local erste=$1 letzte=$2 heim=$3 n
    anzeige=
    for n in $(seq "$erste" "$letzte"); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { anzeige=:$n; break; }
    done
    [ -n "$anzeige" ] || { echo "FEHLER: keine freie X-Anzeige in $erste..$letzte" >&2; return 1; }
    Xvfb "$anzeige" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    x_server=$!
    export DISPLAY=$anzeige
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    setxkbmap -layout de || { echo "FEHLER: setxkbmap de" >&2; return 1; }
    HOME=$heim openbox >/dev/null 2>&1 &
    x_wm=$!
    sleep 0.5
}

x_sitzung_beenden() {
    kill "${x_wm:-}" "${x_server:-}" 2>/dev/null || true
}

taste() { xdotool key --delay "$X_VERZOEGERUNG" "$@"; sleep "$X_PAUSE"; }

tippe() {
    local text=$1 lauf="" z k i
    for ((i = 0; i < ${#text}; i++)); do
        z=${text:i:1}
        case $z in
            ä) k=adiaeresis ;; ö) k=odiaeresis ;; ü) k=udiaeresis ;;
            Ä) k=Adiaeresis ;; Ö) k=Odiaeresis ;; Ü) k=Udiaeresis ;; ß) k=ssharp ;;
            *) lauf+=$z; continue ;;
        esac
        [ -z "$lauf" ] || xdotool type --delay "$X_VERZOEGERUNG" "$lauf" || return 1
        lauf=""
        xdotool key --delay "$X_VERZOEGERUNG" "$k" || return 1
    done
    [ -z "$lauf" ] || xdotool type --delay "$X_VERZOEGERUNG" "$lauf" || return 1
    sleep "$X_PAUSE"
}

klick() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep "$X_KLICKPAUSE"; }

# From the main window, its drive list in focus: Tab into the folder list,
# each folder's name typed to find it and Enter to open it; then "Neue
# Datei", the name, OK with the mouse. Needs fenster and fehler.
neue_datei() {
    local ordner=$1 name=$2 teil dialog
    taste Tab
    IFS=/ read -ra teile <<<"${ordner#/}"
    for teil in "${teile[@]}"; do
        sleep 0.5      # a pause starts a new search
        tippe "$teil" || fehler "xdotool kann \"$teil\" nicht tippen"
        taste Return
    done
    taste alt+n
    dialog=$(fenster "^Neue Datei$") || fehler "Dialog Neue Datei erscheint nicht"
    tippe "$name"
    klick "$dialog" 186 36
    sleep 0.5
    [ -f "$ordner/$name.txt" ] || { import -window root /tmp/neue_datei_fehler.png; fehler "$name.txt wurde nicht angelegt"; }
}

# On the map: open it from the main window HAUPT with Alt+K, search POSITION
# (whole values, on the Potsdam datum), and click the map's middle to take
# that position into the six boxes; back in the main window after. Clicks
# land within a few pixels of the middle, so the map is zoomed in all the
# way about its middle first: a point there is then within a third of a
# second of the position, which rounds back to it. Needs fenster and fehler.
# The map as it first opens without tiles (nobody serves them here): the
# grid over the map the program carries, never a bare area. Counted in a
# picture of the window: Germany's area colour, the place names' dark text,
# the grid's red.
pixel() {  # BILD FARBE FUZZ: how many pixels are of the colour
    convert "$1" -fuzz "$3" -fill black -opaque "$2" -fill white +opaque black -format '%[fx:int((1-mean)*w*h+0.5)]' info:
}
grundkarte_pruefen() {
    local bild land namen gitter
    bild=$(mktemp /tmp/quadrix-karte.XXXXXX.png)
    sleep 1
    import -window "$1" "$bild"
    land=$(pixel "$bild" "rgb(250,250,244)" 1%)
    namen=$(pixel "$bild" "rgb(40,40,40)" 12%)
    gitter=$(pixel "$bild" "rgb(160,0,0)" 15%)
    rm -f "$bild"
    echo "Karte ohne Kacheln: $land Pixel Fläche Deutschlands, $namen Ortsnamen, $gitter Gitter"
    [ "$land" -gt 20000 ] || fehler "Karte ohne Kacheln: kaum Fläche Deutschlands"
    [ "$namen" -gt 100 ] || fehler "Karte ohne Kacheln: keine Ortsnamen"
    [ "$gitter" -gt 500 ] || fehler "Karte ohne Kacheln: kein Gitter"
}

karte_waehlen() {
    local haupt=$1 position=$2 karte b h
    taste alt+k
    karte=$(fenster "^Karte$") || fehler "das Fenster Karte erscheint nicht"
    xdotool windowactivate --sync "$karte" 2>/dev/null || true
    sleep 0.5
    grundkarte_pruefen "$karte"
    b=$(xwininfo -id "$karte" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$karte" | awk '/Height:/ {print $2}')
    klick "$karte" 120 14                  # the search box, top left
    tippe "$position"
    taste Return
    # The map between the search row (about 30 pixels) and the status line (about 22).
    local mx=$((b / 2)) my=$(((h + 30 - 22) / 2))
    klick "$karte" "$mx" "$my"             # takes a point, and the keys
    for _ in 1 2 3 4 5; do taste plus; done
    klick "$karte" "$mx" "$my"
    xdotool windowactivate --sync "$haupt" 2>/dev/null || true
    sleep 0.3
}
