#!/usr/bin/env bash
# mtbq's datum, GeoJSON and SVG output as a user meets them: a missing
# transformation grid, a find-location file exported and opened by GDAL,
# a picture rendered.
set -uo pipefail
mtbq=$1
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
bestanden=0 fehler=0
ok() { bestanden=$((bestanden + 1)); }
falsch() { echo "FAIL: $*"; fehler=$((fehler + 1)); }

# Datum: the code moves with the datum; the header names it.
[ "$("$mtbq" --datum etrs89 49.99895 8.24812)" = "5915/3/4/4/4/4" ] && ok || falsch "etrs89 point"
[ "$("$mtbq" --datum wgs84 --levels 0 49.99895 8.24812)" = "5915" ] && ok || falsch "wgs84 point"
"$mtbq" --verbose --datum etrs89 50.12222 8.69167 | grep -q "^Datum      ETRS89" && ok || falsch "--verbose"
aus=$(printf 'Breite Länge\n49.99895 8.24812\n' | "$mtbq" --batch --datum etrs89)
[ "$aus" = $'Breite Länge\tMTB [aus ETRS89]\n49.99895 8.24812\t5915/3/4/4/4/4' ] && ok || falsch "batch header: $aus"
# No datum named: decimals are WGS84, whole degrees/minutes/seconds and
# find-location records Potsdam, in every mode; --verbose and the header say so.
# 50°06' N 8°36' E lies on a sheet corner: as WGS84 it is 50.1014 8.6017 on
# Potsdam (cs2cs), north-east of the corner; as Potsdam it is on the corner,
# which belongs to the sheet south-east of it.
tabelle_auto=(
    # input                            expected code
    "50.1 8.6                          5817/4/3/3/4/4"
    "50 6.0 8 36.0                     5817/4/3/3/4/4"
    "50°06'00.0\" 8°36'00.0\"          5817/4/3/3/4/4"
    "50 06 00 8 36 00                  5917/2/1/1/2/2"
    "50°06'00\"N 8°36'00\"E            5917/2/1/1/2/2"
    "50 8                              6014/1/1/1/1/1"
)
for zeile in "${tabelle_auto[@]}"; do
    eingabe=$(echo "$zeile" | sed 's/  *[0-9/]*$//')
    erwartet=${zeile##* }
    # shellcheck disable=SC2086
    [ "$("$mtbq" $eingabe)" = "$erwartet" ] && ok || falsch "auto: $eingabe -> $("$mtbq" $eingabe) (expected $erwartet)"
done
# Where the point lies, in words (the places of GeoNames; WGS84 through BETA2007).
"$mtbq" --verbose 50 07 20 8 41 30 | grep -qx "Ort        800 m nordöstlich von Frankfurt am Main" && ok || falsch "--verbose: Ort"
"$mtbq" --verbose 47.5596 7.5886 | grep -qx "Ort        außerhalb Deutschlands: 1,2 km östlich von Basel (Schweiz)" && ok ||
    falsch "--verbose: outside Germany"
[ "$("$mtbq" --datum=potsdam 50.1 8.6)" = "5917/2/1/1/2/2" ] && ok || falsch "--datum potsdam keeps decimals as they are"
"$mtbq" --verbose 50.12222 8.69167 | grep -q "^Datum      WGS84 (angenommen: Dezimalangabe" && ok || falsch "--verbose auto"
"$mtbq" --verbose 50 07 20 8 41 30 | grep -q "^Datum      Potsdam (DHDN) (angenommen: ganze" && ok || falsch "--verbose auto, whole"
aus=$(printf 'Breite Länge\n50.12222 8.69167\n50 07 24 8 41 34\n' | "$mtbq" --batch)
[ "$aus" = $'Breite Länge\tMTB [Potsdam (DHDN); Dezimalangaben aus WGS84]\n50.12222 8.69167\t5818/3/3/2/1/1\n50 07 24 8 41 34\t5818/3/3/2/1/2' ] &&
    ok || falsch "batch auto: $aus"
# Without the grid, a list of whole values still goes through; a decimal line says why it cannot.
mkdir -p "$arbeit/leer"
aus=$(printf '50 07 20 8 41 30\n50.1 8.6\n' | PROJ_DATA=$arbeit/leer PROJ_LIB=$arbeit/leer "$mtbq" --batch 2>"$arbeit/err"); s=$?
[ $s = 1 ] && [ "$aus" = $'50 07 20 8 41 30\t5818/3/3/2/1/1\n50.1 8.6\t' ] && grep -q ":2: die Position ist WGS84" "$arbeit/err" &&
    ok || falsch "batch auto without grid ($s): $aus $(cat "$arbeit/err")"

# Without the grid nothing is transformed, and the user is told why.
meldung=$(PROJ_DATA=$arbeit/leer PROJ_LIB=$arbeit/leer "$mtbq" --datum etrs89 50.1 8.6 2>&1); s=$?
[ $s = 1 ] && [[ "$meldung" == *"BETA2007 fehlt"* ]] && ok || falsch "missing grid ($s): $meldung"
meldung=$("$mtbq" --datum etrs89 40 8 2>&1); s=$?
[ $s = 1 ] && [[ "$meldung" == *"außerhalb des Transformationsgitters"* ]] && ok || falsch "outside grid"

# GeoJSON from a find-location file as Quadrix writes it.
datei=$arbeit/funde.txt
{
    printf 'Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n'
    printf 'Gr\xfcnwald "S\xfcd"\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n'
    printf 'Ried\t6530/1/2/2/2/2\t49\t30\t00\tN\t10\t45\t00\tO\t49.5000\tN\t10.7500\tO\r\n'
    printf 'kaputt\tnur drei Spalten\r\n'
    printf 'Dezimal\t\t\t\t\tN\t\t\t\tO\t50,1222\tN\t8,6917\tO\r\n'
} >"$datei"
# mtbq reads what Quadrix writes: the records alone (no header line, as the
# window writes into a file the user chose) and the same with CR line ends
# give in every mode what the file with its header gives.
ohne=$arbeit/ohne_kopf.txt
tail -n +2 "$datei" | grep -a -v kaputt >"$ohne"
nurcr=$arbeit/nur_cr.txt
tr -d '\n' <"$ohne" >"$nurcr"
codes() { tr '\r' '\n' | grep -a -v '^$' | awk -F'\t' '{print $NF}'; }
erwartet=$("$mtbq" --batch "$datei" 2>/dev/null | tail -n +2 | grep -a -v kaputt | codes)
[ "$(echo "$erwartet" | wc -l)" = 3 ] && ok || falsch "batch of the file with header: $erwartet"
dwc_erwartet=$("$mtbq" --dwc "$datei" 2>/dev/null)
[ "$("$mtbq" --batch "$datei" 2>/dev/null | head -1 | awk -F'\t' '{print $NF}')" = $'MTB [Potsdam (DHDN)]\r' ] && ok ||
    falsch "batch title of a find-location file: its records are Potsdam"
for f in "$ohne" "$nurcr"; do
    [ "$("$mtbq" --batch "$f" | codes)" = "$erwartet" ] && ok || falsch "batch $(basename "$f"): $("$mtbq" --batch "$f" 2>&1)"
    [ "$("$mtbq" --dwc "$f")" = "$dwc_erwartet" ] && ok || falsch "dwc $(basename "$f"): $("$mtbq" --dwc "$f" 2>&1 | tail -2)"
    [ "$("$mtbq" --geojson "$f" | grep -o '"type":"Feature"' | wc -l)" = 3 ] && ok || falsch "geojson $(basename "$f")"
done
vorher=$(sha256sum "$datei")
"$mtbq" --geojson --cells "$datei" >"$arbeit/funde.geojson" 2>"$arbeit/fehler"; s=$?
[ $s = 1 ] && grep -q "funde.txt:4: kein Datensatz" "$arbeit/fehler" && ok || falsch "bad line report ($s): $(cat "$arbeit/fehler")"
[ "$(sha256sum "$datei")" = "$vorher" ] && ok || falsch "input file changed"
"$mtbq" --geojson "$datei" >"$arbeit/punkte.geojson" 2>/dev/null
if command -v ogrinfo >/dev/null; then
    info=$(ogrinfo -ro -al -so "$arbeit/funde.geojson" 2>&1)
    [[ "$info" == *"Feature Count: 3"* ]] && [[ "$info" == *"Geometry: Polygon"* ]] && ok || falsch "ogrinfo cells: $info"
    info=$(ogrinfo -ro -al -so "$arbeit/punkte.geojson" 2>&1)
    [[ "$info" == *"Feature Count: 3"* ]] && [[ "$info" == *"Geometry: Point"* ]] && ok || falsch "ogrinfo points: $info"
    # Both go into shapefiles (which used to fail at the first polygon).
    ogr2ogr -f "ESRI Shapefile" "$arbeit/zellen.shp" "$arbeit/funde.geojson" 2>/dev/null && ok || falsch "ogr2ogr cells"
    ogr2ogr -f "ESRI Shapefile" "$arbeit/punkte.shp" "$arbeit/punkte.geojson" 2>/dev/null && ok || falsch "ogr2ogr points"
    punkt=$(ogrinfo -ro -al -q -where "Gebietsname LIKE 'Gr%'" "$arbeit/punkte.geojson" 2>&1)
    [[ "$punkt" == *'Gebietsname (String) = Grünwald "Süd"'* ]] && [[ "$punkt" == *"POINT (8.6"* ]] && ok ||
        falsch "ogrinfo feature: $punkt"
else
    falsch "ogrinfo missing (gdal-bin)"
fi
# The point in WGS84 lies about 0.001 degrees south-west of its Potsdam coordinates.
grep -q '"coordinates":\[8.6906[0-9]\{3\},50.1210[0-9]\{3\}\]' "$arbeit/punkte.geojson" && ok || falsch "WGS84 coordinates"
# Standard input when no file is given.
"$mtbq" --geojson <"$datei" >"$arbeit/ein.geojson" 2>/dev/null
grep -q '"Datei":"(Standardeingabe)"' "$arbeit/ein.geojson" && ok || falsch "--geojson from standard input"

# SVG: renders, names the sheet, labels corners.
"$mtbq" --svg 5818/3/3/2 >"$arbeit/zelle.svg" && ok || falsch "--svg code"
grep -q "MTB 5818" "$arbeit/zelle.svg" && grep -q "50°06'00\" N  8°40'00\" O" "$arbeit/zelle.svg" && ok || falsch "svg labels"
"$mtbq" --svg 50 07 20 8 41 30 >"$arbeit/punkt.svg" && grep -q "<circle" "$arbeit/punkt.svg" && ok || falsch "--svg point"
if command -v rsvg-convert >/dev/null; then
    rsvg-convert -o "$arbeit/punkt.png" "$arbeit/punkt.svg" && [ -s "$arbeit/punkt.png" ] && ok || falsch "svg does not render"
else
    falsch "rsvg-convert missing (librsvg2-bin)"
fi
"$mtbq" --svg 5818/3/7 >/dev/null 2>&1; [ $? = 1 ] && ok || falsch "--svg bad code"

# A damaged grid (header intact, shifts scrambled) used to give NaN to the
# code computation, or coordinates far away; a truncated one must not be
# read past its end: now the grid is refused with its reason.
for art in nan riesig kurz; do
    mkdir -p "$arbeit/$art"
    original=$(ls /usr/share/proj/BETA2007.gsb 2>/dev/null || true)
    [ -n "$original" ] || { falsch "no BETA2007.gsb to damage"; break; }
    python3 - "$original" "$arbeit/$art/BETA2007.gsb" "$art" <<'PY'
import sys
daten = bytearray(open(sys.argv[1], 'rb').read())
fuell = b'\xff' if sys.argv[3] == 'nan' else b'\x7f'
daten[352:] = fuell * (len(daten) - 352)   # after the two headers: the shifts
if sys.argv[3] == 'kurz':
    daten = bytearray(open(sys.argv[1], 'rb').read())[:40000]
open(sys.argv[2], 'wb').write(daten)
PY
    aus=$(PROJ_DATA=$arbeit/$art PROJ_LIB=$arbeit/$art "$mtbq" --datum etrs89 50.1 8.6 2>&1); s=$?
    [ $s = 1 ] && [[ "$aus" == *"BETA2007.gsb ist unbrauchbar: "* ]] && ok || falsch "damaged grid ($art, $s): $aus"
    aus=$(printf '50.1 8.6\n' | PROJ_DATA=$arbeit/$art PROJ_LIB=$arbeit/$art "$mtbq" --batch 2>/dev/null); s=$?
    [ $s = 1 ] && [ "$aus" = $'50.1 8.6\t' ] && ok || falsch "damaged grid, batch ($art, $s): $aus"
    aus=$(PROJ_DATA=$arbeit/$art PROJ_LIB=$arbeit/$art "$mtbq" --geojson "$datei" 2>/dev/null)
    ! grep -q '"coordinates"' <<<"$aus" && ok || falsch "damaged grid, geojson ($art): $aus"
done

# A folder is no file of finds, and a read error no end of file.
mkdir -p "$arbeit/leer"
aus=$("$mtbq" --geojson "$arbeit/leer" 2>&1); s=$?
[ $s = 1 ] && [[ "$aus" == *"$arbeit/leer: keine Punkte darin"* ]] && ok || falsch "--geojson FOLDER ($s): $aus"
# A file that is not there is named in German.
aus=$("$mtbq" --batch "$arbeit/nicht-da.txt" 2>&1); s=$?
[ $s = 1 ] && [[ "$aus" == *"Die Datei oder ihr Ordner existiert nicht."* ]] && ok || falsch "--batch missing file ($s): $aus"
# A folder: the files of points in it are read, and where there are none,
# that is said. The other inputs still go through.
for modus in --dwc --batch; do
    aus=$(printf '50 07 20 8 41 30\n' | "$mtbq" $modus "$arbeit/leer" - 2>&1); s=$?
    [ $s = 1 ] && [[ "$aus" == *"$arbeit/leer: keine Punkte darin"* ]] && ok || falsch "$modus FOLDER ($s): $aus"
done
[[ "$(printf '50 07 20 8 41 30\n' | "$mtbq" --batch "$arbeit/leer" - 2>/dev/null)" == "50 07 20 8 41 30"$'\t'"5818/3/3/2/1/1" ]] &&
    ok || falsch "--batch FOLDER -: the list after the folder"
# Refused lines of standard input are named as such in every mode.
for modus in --geojson --dwc --batch; do
    aus=$(printf '50 07 20# 8 41 30\n' | "$mtbq" $modus - 2>&1 >/dev/null); s=$?
    [ $s = 1 ] && [[ "$aus" == "(Standardeingabe):1: "* ]] && ok || falsch "$modus - refused line ($s): $aus"
done
# A line longer than 1 MiB is refused in every mode, and the lines after it are read.
lang=$(head -c 1100000 /dev/zero | tr '\0' '5')
for modus in --dwc --batch; do
    aus=$(printf '%s\n50 07 20 8 41 30\n' "$lang" | "$mtbq" $modus - 2>&1 >"$arbeit/lang.out"); s=$?
    [ $s = 1 ] && [[ "$aus" == "(Standardeingabe):1: "*"länger"* ]] && grep -q '5818/3/3/2/1/1' "$arbeit/lang.out" &&
        ok || falsch "$modus overlong line ($s): $aus"
done
# A file name that is not UTF-8 still gives valid JSON.
head -n 2 "$datei" >"$arbeit/$(printf 'fund\xe4.txt')"
"$mtbq" --geojson "$arbeit/$(printf 'fund\xe4.txt')" >"$arbeit/name.json" &&
    python3 -c 'import json,sys; json.load(open(sys.argv[1], encoding="utf-8"))' "$arbeit/name.json" 2>/dev/null &&
    ok || falsch "non-UTF-8 file name makes invalid JSON"

echo "$bestanden passed, $fehler failed"
[ "$fehler" = 0 ]
