#!/usr/bin/env bash
# mtbq as a user calls it: output, exit status 0 / 1 / 2, help and version.
set -uo pipefail
mtbq=("$@")  # the program, after the emulator that runs it where there is one
fehler=0 geprueft=0
# One call of mtbq, its errors into /tmp/mtbq_err.$$. Under an emulator (Wine)
# a call that failed without a word, which mtbq itself never does (every
# failure says why), or with only Wine's own complaint about its server,
# was the emulator's start failing now and then: it is run once more, and
# said so.
lauf() {
    "$@" 2>/tmp/mtbq_err.$$; local s=$?
    if [ "${#mtbq[@]}" -gt 1 ] && [ "$s" != 0 ] &&
        { [ ! -s /tmp/mtbq_err.$$ ] || grep -q '^wine client error' /tmp/mtbq_err.$$; }; then
        echo "note: $* -> status $s without output under the emulator, run again" >&2
        "$@" 2>/tmp/mtbq_err.$$; s=$?
    fi
    return "$s"
}
pruefe() {  # expected-status expected-stdout command...
    local status=$1 erwartet=$2; shift 2
    geprueft=$((geprueft + 1))
    local aus
    aus=$(lauf "$@"); local s=$?
    if [ "$s" != "$status" ] || { [ -n "$erwartet" ] && [ "$aus" != "$erwartet" ]; }; then
        echo "FAIL: $* -> status $s, out '$aus' (expected $status, '$erwartet'); stderr: $(cat /tmp/mtbq_err.$$)"
        fehler=$((fehler + 1))
    fi
}
pruefeGrund() {  # expected-status expected-text-on-stderr command...
    local status=$1 erwartet=$2; shift 2
    geprueft=$((geprueft + 1))
    lauf "$@" >/dev/null; local s=$?
    if [ "$s" != "$status" ] || ! grep -qF -- "$erwartet" /tmp/mtbq_err.$$; then
        echo "FAIL: $* -> status $s (expected $status), stderr '$(cat /tmp/mtbq_err.$$)' lacks '$erwartet'"
        fehler=$((fehler + 1))
    fi
}
pruefe 0 "5818/3/3/2/1/1" "${mtbq[@]}" 50 07 20 8 41 30
pruefe 0 "5818/3/3/2/1/1" "${mtbq[@]}" --datum=potsdam "N50°07.333'" "E8°41.500'"
# Links as people paste them: the position they hold, read as those decimal
# degrees; a short link holds none, and nothing is fetched.
pruefe 0 "5818/3/3/2/1/1" "${mtbq[@]}" "geo:50.12222,8.69167"
pruefe 0 "5818/3/3/2/1/1" "${mtbq[@]}" "https://www.openstreetmap.org/#map=17/50.12222/8.69167"
pruefe 0 "5818/3/3/2/1/1" "${mtbq[@]}" "https://www.google.com/maps/@50.12222,8.69167,17z"
pruefeGrund 1 "der Link enthält keine Position" "${mtbq[@]}" "https://maps.app.goo.gl/Xyz12AbC"
pruefe 0 "5818.33"        "${mtbq[@]}" --datum potsdam --levels 2 --notation dot 50,12222 8,69167
pruefe 2 ""               "${mtbq[@]}" --datum=dhdn 50 8
# Sheet numbers with four digits, as the map series numbers them (5202 is
# Aachen's, 0916 Sylt's); they were "522" and "916", which portals read as
# sheet 0522 in Denmark. --short-sheet gives the window's form; both read back.
pruefe 0 "5202/1/4/2/4/2" "${mtbq[@]}" --datum=potsdam 50 46 00 6 05 00
pruefe 0 "0916/3/2/2/2/2" "${mtbq[@]}" --datum=potsdam 55 03 00 8 25 00
pruefe 0 "0916.3"         "${mtbq[@]}" --datum=potsdam --levels=1 --notation=dot 55 03 00 8 25 00
pruefe 0 "522/1/4/2/4/2"  "${mtbq[@]}" --datum=potsdam --short-sheet 50 46 00 6 05 00
pruefe 0 "5818/3/3/2/1/1" "${mtbq[@]}" --datum=potsdam --short-sheet 50 07 20 8 41 30
pruefe 0 $'50 46 00 6 05 00\t5202/1/4/2/4/2' "${mtbq[@]}" --batch --datum=potsdam <<<"50 46 00 6 05 00"
pruefe 0 $'50 46 00 6 05 00\t522/1/4/2/4/2' "${mtbq[@]}" --batch --short-sheet --datum=potsdam <<<"50 46 00 6 05 00"
pruefe 2 ""               "${mtbq[@]}" --short-sheet --grid=utm 50 8
pruefe 2 ""               "${mtbq[@]}" --short-sheet --cell 5202
lang=$(lauf "${mtbq[@]}" --cell 5202/1/4/2/4/2)
case $lang in
    "Zelle"*"5202/1/4/2/4/2 (Ebene 5,"*) ;;
    *) echo "FAIL: --cell 5202/1/4/2/4/2 -> '$lang'"; fehler=$((fehler + 1)) ;;
esac
for kurz in 522/1/4/2/4/2 522/14242 522.14242 "522 14242"; do
    pruefe 0 "$lang" "${mtbq[@]}" --cell "$kurz"    # the cell, named with four digits
done
pruefeGrund 1 "nicht eindeutig als Blatt über Deutschland" "${mtbq[@]}" --cell 957/1
# Every notation at every level, as mtbq writes it, read back by --cell as
# the cell it names (blank was refused: "5818 33211").
voll=0916/3/2/2/2/2
for notation in slash compact dot blank; do
    for ebenen in 0 1 2 3 4 5; do
        geschrieben=$(lauf "${mtbq[@]}" --datum=potsdam --notation=$notation --levels=$ebenen 55 03 00 8 25 00)
        zelle=$(lauf "${mtbq[@]}" --cell "$geschrieben" | head -n 1)
        geprueft=$((geprueft + 1))
        [ "$zelle" = "Zelle   ${voll:0:$((4 + 2 * ebenen))} (Ebene $ebenen, Potsdam-Datum)" ] ||
            { echo "FAIL: --notation=$notation --levels=$ebenen: '$geschrieben' read back as '$zelle'"; fehler=$((fehler + 1)); }
    done
done
# The datum through BETA2007, on every platform: decimals are WGS84 unless --datum says otherwise
# (50°06' N 8°36' E on Potsdam is 471321.29 5549697.18 in EPSG:25832 by cs2cs).
pruefe 0 "5915/3/4/4/4/4" "${mtbq[@]}" --datum etrs89 49.99895 8.24812
pruefe 0 "5817/4/3/3/4/4" "${mtbq[@]}" 50.1 8.6
pruefe 0 "5917/2/1/1/2/2" "${mtbq[@]}" 50 06 00 8 36 00
pruefe 0 "32U 471321 5549697" "${mtbq[@]}" --gitter utm 50 06 00 8 36 00
pruefe 1 ""               "${mtbq[@]}" S12 E8
pruefe 1 ""               "${mtbq[@]}" --cell 5818/3/9
pruefe 2 ""               "${mtbq[@]}"
pruefe 2 ""               "${mtbq[@]}" --levels 6 50 8
pruefe 2 ""               "${mtbq[@]}" --notation schief 50 8
pruefe 2 ""               "${mtbq[@]}" --unbekannt
pruefe 0 "mtbq 0.1.0"     "${mtbq[@]}" --version
# The ETRS89 grids need no transformation for ETRS89 input: the same on every platform.
pruefe 0 "10kmE432N321"  "${mtbq[@]}" --gitter eea10km --datum etrs89 52 10
pruefe 0 "CRS3035RES1000mN3210000E4321000" "${mtbq[@]}" --gitter=eea1km --langform --datum etrs89 52 10
pruefe 0 "32UMA 78544 49792" "${mtbq[@]}" --gitter mgrs --datum etrs89 50.1 8.7
pruefe 0 "33TUN 63 40"   "${mtbq[@]}" --gitter mgrs --genauigkeit 1km --datum wgs84 47.3 13.2
pruefe 0 "32U 478544 5549792" "${mtbq[@]}" --gitter utm --datum etrs89 50.1 8.7
pruefe 0 "5818/322"      "${mtbq[@]}" --gitter minutenfeld 50 07 20 8 41 30
pruefe 0 "5818/3/3/2/1/1" "${mtbq[@]}" --genauigkeit 250m 50 07 20 8 41 30
pruefe 2 ""              "${mtbq[@]}" --gitter quadrat 50 8
pruefe 1 ""              "${mtbq[@]}" --cell 10kmE432
# Gauss-Kruger with --verbose or an uncertainty beyond the sheet: these crashed (a point kept past its life).
pruefe 0 ""               "${mtbq[@]}" --verbose "R 3478544 H 5549792"
pruefe 0 "5918*"          "${mtbq[@]}" --uncertainty 5000 "R 3478544 H 5549792"
pruefe 0 ""               "${mtbq[@]}" --verbose --uncertainty 5000 "R 3478544 H 5549792"
pruefeGrund 0 "reicht über Blatt 5918 hinaus in 5917, 5817, 5818;" "${mtbq[@]}" --uncertainty 5km "3478544 5549792"
# Circles measured on the Potsdam datum's own ellipsoid (Bessel): each line lies
# inside the circle by GeodSolve on Bessel's ellipsoid, and was missed with GRS80's radii.
pruefe 0 "0922*"          "${mtbq[@]}" --datum potsdam --uncertainty 5000 55.0463762230 9.4217773532  # 4999.40 m
pruefe 0 "7535/1"         "${mtbq[@]}" --datum potsdam --uncertainty 250 48.4908588638 11.5450491002  # 249.98 m
pruefe 0 "2554*"          "${mtbq[@]}" --datum potsdam --unsicherheit=1000 53.4910140154 14.7639432536
pruefeGrund 0 "über Blatt 0922 hinaus in 0923;" "${mtbq[@]}" --datum potsdam --uncertainty 5000 55.0463762230 9.4217773532
# Zone 5 either way round is refused unless R and H say which is which.
pruefeGrund 1 "nicht zu unterscheiden" "${mtbq[@]}" 5700000 5450000
pruefe 0 "4551/4/1/4/1/4" "${mtbq[@]}" R 5450000 H 5700000
pruefe 0 "5918/1/1/4/2/1" "${mtbq[@]}" "x 5549792 y 3478544"
# A refused position gets the reason of the reader it resembles most.
pruefeGrund 1 "kein Gauß-Krüger-Wert" "${mtbq[@]}" "R 1500000 H 5500000"
pruefeGrund 1 "keine MGRS-Angabe"     "${mtbq[@]}" "32TMA 78544 49792"
pruefeGrund 1 "keine UTM-Koordinate"  "${mtbq[@]}" "32U 478544 554979"
pruefeGrund 1 "Breitengrad außerhalb" "${mtbq[@]}" 95N 8E
pruefeGrund 1 "erwartet 2, 4 oder 6 Zahlen" "${mtbq[@]}" 50 07 20
# A table's uncertainty column holds for Rechtswert and Hochwert rows too.
aus=$(printf 'Name;Rechtswert;Hochwert;coordinateUncertaintyInMeters\nA;3478544;5549792;5000\nB;3478544;5549792;\n' |
      "${mtbq[@]}" --batch 2>/tmp/mtbq_err.$$); s=$?
geprueft=$((geprueft + 1))
[ "$s" = 0 ] && [ "$aus" = $'Name;Rechtswert;Hochwert;coordinateUncertaintyInMeters;"MTB [Potsdam (DHDN); Dezimalangaben aus WGS84]"\nA;3478544;5549792;5000;5918*\nB;3478544;5549792;;5918/1/1/4/2/1' ] ||
    { echo "FAIL: uncertainty column with Rechtswert/Hochwert ($s) '$aus'"; fehler=$((fehler + 1)); }
# One reader of lengths: "5 km" and "1,5 km" in a table give what --uncertainty gives; "30 mm" is refused.
erwartet="$(lauf "${mtbq[@]}" --uncertainty 5km 50 07 20 8 41 30 2>/dev/null);$(lauf "${mtbq[@]}" --uncertainty 1,5km 50 07 20 8 41 30 2>/dev/null)"
aus=$(printf 'Ort;Breite;Länge;Toleranz\nA;50 07 20;8 41 30;5 km\nB;50 07 20;8 41 30;1,5 km\nC;50 07 20;8 41 30;30 mm\n' |
      "${mtbq[@]}" --batch 2>/tmp/mtbq_err.$$); s=$?
geprueft=$((geprueft + 1))
[ "$s" = 1 ] && [ "$(echo "$aus" | sed -n '2,3p' | cut -d';' -f5 | tr '\n' ';' | sed 's/;$//')" = "$erwartet" ] &&
    grep -q "^(Standardeingabe):4: die Spalte der Unsicherheit ist keine Länge" /tmp/mtbq_err.$$ ||
    { echo "FAIL: lengths in a table ($s) '$aus' against '$erwartet'"; fehler=$((fehler + 1)); }
# x and y columns either way round, refused where both fit, with the reason.
aus=$(printf 'x;y\n5700000;5450000\n5549792;3478544\n' | "${mtbq[@]}" --batch 2>/tmp/mtbq_err.$$); s=$?
geprueft=$((geprueft + 1))
[ "$s" = 1 ] && [ "$aus" = $'x;y;"MTB [Potsdam (DHDN); Dezimalangaben aus WGS84]"\n5700000;5450000;\n5549792;3478544;5918/1/1/4/2/1' ] &&
    grep -q "^(Standardeingabe):2: Rechtswert und Hochwert sind nicht zu unterscheiden" /tmp/mtbq_err.$$ ||
    { echo "FAIL: x/y columns ($s) '$aus' $(cat /tmp/mtbq_err.$$)"; fehler=$((fehler + 1)); }
# GNU conventions: --opt=value, unknown short options are wrong usage, "--" ends the options.
pruefe 0 "5818/3/3/2"     "${mtbq[@]}" --levels=3 50 07 20 8 41 30
pruefe 0 "5818.33"        "${mtbq[@]}" --levels=2 --notation=dot 50 07 20 8 41 30
pruefe 2 ""               "${mtbq[@]}" -x 50 8
pruefe 2 ""               "${mtbq[@]}" -V
pruefe 2 ""               "${mtbq[@]}" --version=3
pruefe 2 ""               "${mtbq[@]}" --levels=
pruefe 1 ""               "${mtbq[@]}" -- -50 8
pruefe 1 ""               "${mtbq[@]}" -50 8
pruefe 1 ""               "${mtbq[@]}" --batch /gibt/es/nicht
grep -q "No such file\|nicht gefunden\|existiert nicht" /tmp/mtbq_err.$$ || { echo "FAIL: unreadable file without a reason"; fehler=$((fehler + 1)); }
# Output that cannot be written is a failure, with the system's reason.
if [ -w /dev/full ]; then
    "${mtbq[@]}" 50 07 20 8 41 30 >/dev/full 2>/tmp/mtbq_err.$$; s=$?
    [ "$s" = 1 ] && grep -q "Schreiben" /tmp/mtbq_err.$$ || { echo "FAIL: /dev/full ($s)"; fehler=$((fehler + 1)); }
    printf '50 8\n' | "${mtbq[@]}" --batch >/dev/full 2>/dev/null; s=$?
    [ "$s" = 1 ] || { echo "FAIL: --batch to /dev/full ($s)"; fehler=$((fehler + 1)); }
fi
"${mtbq[@]}" --help >/tmp/mtbq_hilfe.$$ && grep -q "^Aufruf: mtbq" /tmp/mtbq_hilfe.$$ || { echo "FAIL: --help"; fehler=$((fehler + 1)); }
"${mtbq[@]}" "/?" >/tmp/mtbq_hilfe.$$ && grep -q "^Aufruf: mtbq" /tmp/mtbq_hilfe.$$ || { echo "FAIL: /?"; fehler=$((fehler + 1)); }
# An 80-column console breaks no word of the help (it did in 78 of 121 lines).
breite=$(LC_ALL=C.UTF-8 wc -L </tmp/mtbq_hilfe.$$)
[ "$breite" -le 79 ] || { echo "FAIL: /? is $breite columns wide"; fehler=$((fehler + 1)); }
"${mtbq[@]}" --cell 5818/3/3/2 | grep -q "^Süden .*50.1125000  50°06'45\"" || { echo "FAIL: --cell"; fehler=$((fehler + 1)); }
aus=$(printf 'Breite Länge\n50.12222 8.69167\nfalsch\n' | "${mtbq[@]}" --batch --datum=potsdam 2>/tmp/mtbq_err.$$); s=$?
[ "$s" = 1 ] && [ "$aus" = $'Breite Länge\tMTB [Potsdam (DHDN)]\n50.12222 8.69167\t5818/3/3/2/1/1\nfalsch\t' ] &&
    grep -q "^(Standardeingabe):3: keine Koordinaten" /tmp/mtbq_err.$$ || { echo "FAIL: --batch ($s) '$aus'"; fehler=$((fehler + 1)); }
# Lists of whole values never need the transformation, whatever the datum rule.
aus=$(printf '50 07 20 8 41 30\n' | "${mtbq[@]}" --batch 2>/tmp/mtbq_err.$$); s=$?
[ "$s" = 0 ] && [ "$aus" = $'50 07 20 8 41 30\t5818/3/3/2/1/1' ] || { echo "FAIL: --batch auto, whole values ($s) '$aus'"; fehler=$((fehler + 1)); }
# Option names are English; the German names of earlier releases still work, with and without =.
namen=(
    # English                          German alias
    "--grid=minutenfeld               --gitter=minutenfeld"
    "--grid mgrs --precision 1km      --gitter mgrs --genauigkeit 1km"
    "--grid eea1km --long-form        --gitter eea1km --langform"
)
for paar in "${namen[@]}"; do
    read -r -a englisch <<<"$(echo "$paar" | sed 's/   *--gitter.*//')"
    read -r -a deutsch <<<"$(echo "$paar" | sed 's/.*   *\(--gitter\)/\1/')"
    e=$(lauf "${mtbq[@]}" "${englisch[@]}" 50 07 20 8 41 30); d=$(lauf "${mtbq[@]}" "${deutsch[@]}" 50 07 20 8 41 30)
    geprueft=$((geprueft + 1))
    [ -n "$e" ] && [ "$e" = "$d" ] || { echo "FAIL: ${englisch[*]} '$e' against ${deutsch[*]} '$d'"; fehler=$((fehler + 1)); }
done
printf 'a;b;c\nWald;50,1;8,6\n' | "${mtbq[@]}" --batch --columns=2,3 --datum=potsdam >/tmp/mtbq_err.$$ 2>&1
printf 'a;b;c\nWald;50,1;8,6\n' | "${mtbq[@]}" --batch --spalten=2,3 --datum=potsdam | cmp -s - /tmp/mtbq_err.$$ ||
    { echo "FAIL: --columns and --spalten differ"; fehler=$((fehler + 1)); }
rm -f /tmp/mtbq_err.$$ /tmp/mtbq_hilfe.$$
echo "$((geprueft - fehler)) of $geprueft passed (and the checks after them), $fehler failed"
[ "$fehler" = 0 ]
