# What the drag-and-drop sessions (punkte.sh under Linux, punkte_wine.sh
# under Wine) share, sourced by them after x_sitzung.sh; they define
# fenster and fehler.
#   punkte_dateien ORDNER DATEN   a GPX waypoint and two photos (JPEG, HEIC)
#   punkte_ablegen QUELLE ORDNER HAUPT PAUSE
#                                 drags them from the drag source onto the
#                                 main window, then saves every row of the
#                                 list "Punkte" with Ctrl+A and Alt+S
#   punkte_pruefen DATEI          the find-location file's bytes
# The expected records: seconds from cs2cs (EPSG:4258 -> EPSG:4314 through
# BETA2007), codes from mtbq --datum potsdam on those seconds:
#   50.1222 8.6917           -> 50 07 24, 8 41 34    5818/3/3/2/1/2
#   51.3376388889 12.3750694 -> 51 20 20, 12 22 36   4640/3/2/1/3/3

punkte_dateien() {
    printf '<?xml version="1.0"?>\n<gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1">\n<wpt lat="50.1222" lon="8.6917"><name>Stadtwald</name></wpt>\n</gpx>\n' >"$1/tag.gpx"
    cp "$2/telefon.jpg" "$2/telefon.heic" "$1/"
}

punkte_ablegen() {
    local quelle=$1 ordner=$2 haupt=$3 pause=$4 ziehquelle punkte zx zy schritt X Y WIDTH HEIGHT SCREEN
    "$quelle" "$ordner/tag.gpx" "$ordner/telefon.jpg" "$ordner/telefon.heic" >/dev/null 2>&1 &
    ziehen=$!
    ziehquelle=$(fenster "^Ziehquelle$") || fehler "die Ziehquelle erscheint nicht"
    xdotool windowactivate --sync "$haupt" 2>/dev/null || true
    sleep "$pause"
    eval "$(xdotool getwindowgeometry --shell "$haupt")"
    zx=$((X + WIDTH / 2)) zy=$((Y + HEIGHT / 3))
    xdotool mousemove --window "$ziehquelle" 100 60 mousedown 1
    sleep "$pause"
    for schritt in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((800 + (zx - 800) * schritt / 8)) $((600 + (zy - 600) * schritt / 8))
        sleep "$pause"
    done
    sleep "$pause"
    xdotool mouseup 1
    punkte=$(fenster "^Punkte$") || fehler "die Liste Punkte erscheint nicht nach dem Ablegen"
    xdotool windowactivate --sync "$punkte" 2>/dev/null || true
    sleep "$pause"
    taste ctrl+a
    taste alt+s
    sleep "$pause"
}

punkte_pruefen() {
    local erwartet
    erwartet=$(mktemp)
    {
        printf 'Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n'
        printf 'Stadtwald\t5818/3/3/2/1/2\t50\t07\t24\tN\t8\t41\t34\tO\t50,1233\tN\t8,6928\tO\r\n'
        printf 'telefon.jpg\t5818/3/3/2/1/2\t50\t07\t24\tN\t8\t41\t34\tO\t50,1233\tN\t8,6928\tO\r\n'
        printf 'telefon.heic\t4640/3/2/1/3/3\t51\t20\t20\tN\t12\t22\t36\tO\t51,3389\tN\t12,3767\tO\r\n'
    } >"$erwartet"
    if ! cmp -s "$erwartet" "$1"; then
        diff <(od -c "$erwartet") <(od -c "$1") | head -20 >&2
        rm -f "$erwartet"
        fehler "$(basename "$1") hat nicht die erwarteten Bytes"
    fi
    rm -f "$erwartet"
}
