#!/usr/bin/env bash
# mtbq's other grids, grid layers and Darwin Core as a user meets them,
# checked against independent tools: PROJ's cs2cs for the EEA grid
# and UTM, GeographicLib's GeoConvert for MGRS, GDAL's ogrinfo for the
# layers; and Darwin Core's term list for the occurrence table.
set -uo pipefail
mtbq=$1
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
bestanden=0 fehler=0
ok() { bestanden=$((bestanden + 1)); }
falsch() { echo "FAIL: $*"; fehler=$((fehler + 1)); }
gleich() { [ "$2" = "$3" ] && ok || falsch "$1: '$2' (expected '$3')"; }

# A dense sample across Germany, ETRS89, 8 decimals, the same every run.
awk 'BEGIN { s = 12345; for (i = 0; i < 3000; i++) {
        s = (s * 1103515245 + 12345) % 2147483648; b = 47.3 + 7.7 * s / 2147483648;
        s = (s * 1103515245 + 12345) % 2147483648; l = 6.0 + 8.99 * s / 2147483648;
        printf "%.8f %.8f\n", b, l } }' >"$arbeit/punkte"

# EEA 100 m and UTM against cs2cs: same cells, apart from points within a
# micrometre of a line (none in practice, but they would be a tie).
cs2cs -f %.7f EPSG:4258 EPSG:3035 <"$arbeit/punkte" | awk '{ print $2, $1 }' >"$arbeit/laea"
"$mtbq" --batch --datum etrs89 --gitter eea100m <"$arbeit/punkte" | cut -f2 >"$arbeit/eea"
abweichend=$(paste -d' ' "$arbeit/laea" "$arbeit/eea" | awk '{
        e = $1; n = $2; erwartet = sprintf("100mE%dN%d", int(e / 100), int(n / 100));
        rand_e = e / 100 - int(e / 100); rand_n = n / 100 - int(n / 100);
        if ($3 != erwartet && rand_e > 1e-8 && rand_n > 1e-8) print NR ": " $0 }' | head -3)
gleich "EEA 100 m against cs2cs" "$abweichend" ""
[ "$(wc -l <"$arbeit/eea")" = 3000 ] && ok || falsch "EEA: not 3000 codes"

for zone in 32 33; do
    awk -v z=$zone '{ if ((z == 32 && $2 < 12) || (z == 33 && $2 >= 12)) print }' "$arbeit/punkte" >"$arbeit/z$zone"
    cs2cs -f %.7f EPSG:4258 EPSG:258$zone <"$arbeit/z$zone" >"$arbeit/u$zone"
    "$mtbq" --batch --datum etrs89 --gitter utm <"$arbeit/z$zone" | cut -f2 >"$arbeit/m$zone"
    abweichend=$(paste -d' ' "$arbeit/u$zone" "$arbeit/m$zone" | awk -v z=$zone '{
            if ($4 != z "T" && $4 != z "U" || $5 != int($1) || $6 != int($2)) print NR ": " $0 }' | head -3)
    gleich "UTM zone $zone against cs2cs" "$abweichend" ""
done

# MGRS at 1 m against GeoConvert (which truncates as MGRS does).
GeoConvert -m -p 0 <"$arbeit/punkte" >"$arbeit/geo_mgrs"
"$mtbq" --batch --datum etrs89 --gitter mgrs <"$arbeit/punkte" | cut -f2 | tr -d ' ' >"$arbeit/mgrs"
abweichend=$(diff "$arbeit/geo_mgrs" "$arbeit/mgrs" | head -4)
gleich "MGRS against GeoConvert" "$abweichend" ""
gleich "MGRS 100 m" "$("$mtbq" --datum etrs89 --gitter mgrs --genauigkeit=100m 50.1 8.7)" "32UMA 785 497"
gleich "forced zone" "$("$mtbq" --datum etrs89 --gitter utm --zone 32 48 12)" \
    "$(echo 48 12 | cs2cs -f %.7f EPSG:4258 EPSG:25832 | awk '{ print "32U", int($1), int($2) }')"

# Gauss-Kruger against cs2cs (the Potsdam datum's own projection), in the
# point's zone and in a forced one; ETRS89 input through BETA2007 first.
gk() { echo "$1" | cs2cs -f %.7f EPSG:4314 "EPSG:314$2" | awk '{ print "R", int($2), "H", int($1) }'; }
gleich "Gauss-Kruger" "$("$mtbq" --gitter gk 50 07 20 8 41 30)" "$(gk "50.12222222222 8.69166666667" 67)"
gleich "Gauss-Kruger zone 4" "$("$mtbq" --gitter gk --zone 4 52 30 00 13 00 00)" "$(gk "52.5 13" 68)"
gleich "Gauss-Kruger zone 5" "$("$mtbq" --gitter gk 54 10 00 13 30 00)" "$(gk "54.16666666667 13.5" 69)"
gleich "Gauss-Kruger from ETRS89" "$("$mtbq" --gitter gk --datum etrs89 50.1 8.7)" \
    "$(echo 50.1 8.7 | cs2cs -f %.9f EPSG:4258 EPSG:4314 | awk '{ print $1, $2 }' | cs2cs -f %.7f EPSG:4314 EPSG:31467 |
       awk '{ print "R", int($2), "H", int($1) }')"
"$mtbq" --cell "Rechtswert 3478544 Hochwert 5549792" | grep -q "^Zelle     Rechtswert 3478544 Hochwert 5549792 (Gauß-Krüger Zone 3" &&
    ok || falsch "--cell Gauss-Kruger"
"$mtbq" --gitter gk 51 00 00 4 00 00 >/dev/null 2>&1; gleich "Gauss-Kruger outside zones 2 to 5" $? 1

# Positions in the plane grids as input. UTM and MGRS name squares: their
# centre (GeoConvert gives an MGRS square's centre, and a UTM point itself,
# so the UTM square's centre is asked for half a metre in) on ETRS89.
for ref in "32UMA 78544 49792" "32UMA 785 497" "32UMA 78 49" "32UMA" "33UUS 12345 67890" "31UGS 1 2" "32U 478544 5549792"; do
    case $ref in
        *U\ *) frage=$(echo "$ref" | awk '{ printf "%sn %.1f %.1f\n", substr($1, 1, length($1) - 1), $2 + 0.5, $3 + 0.5 }') ;;
        *) frage=$(echo "$ref" | tr -d ' ') ;;
    esac
    erwartet=$(echo "$frage" | GeoConvert -p 8 | awk '{ printf "%.7f %.7f", $1, $2 }')
    mitte=$("$mtbq" --verbose --grid eea100m $ref | awk '/^Eingabe/ { printf "%.7f %.7f", $(NF - 1), $NF }')
    gleich "centre of $ref against GeoConvert" "$mitte" "$erwartet"
done
# Gauss-Kruger is a point on the Potsdam datum: its code is the point's.
gleich "Gauss-Kruger point" "$("$mtbq" R 3478544 H 5549792)" \
    "$("$mtbq" --datum potsdam $(echo 5549792 3478544 | cs2cs -f %.9f EPSG:31467 EPSG:4314 | awk '{ print $1, $2 }'))"
gleich "Gauss-Kruger to UTM" "$("$mtbq" --grid utm 3478544 5549792)" \
    "$(echo 5549792 3478544 | cs2cs -f %.4f EPSG:31467 EPSG:25832 | awk '{ print "32U", int($1), int($2) }')"
# The square's code is cut to the deepest cell that holds it whole: a 1 km
# square inside a level-3 cell keeps level 3 (never deeper), one across a
# level-3 line gets level 2 (its corners, through GeoConvert, lie in two
# level-3 cells and one level-2 cell), one across a sheet line the sheet
# of its centre with its mark.
gleich "1 km square in a level-3 cell" "$("$mtbq" 32UMA 72 50)" "5817/4/3/4"
gleich "1 km square across a level-3 line" "$("$mtbq" 32UMA 71 50)" "5817/4/3"
ecken=$(printf '32n 471000 5550000\n32n 471999.999 5550000\n32n 471000 5550999.999\n32n 471999.999 5550999.999\n' |
        GeoConvert -p 4 | while read -r b l; do "$mtbq" --datum etrs89 --levels 3 "$b" "$l"; done | sort -u | tr '\n' ' ')
case $ecken in
    "5817/4/3/"?" 5817/4/3/"?" "*) ok ;;
    *) falsch "the corners of 32UMA 71 50 should lie in two or more level-3 cells of 5817/4/3: $ecken" ;;
esac
gleich "1 m square" "$("$mtbq" 32UMA 78544 49792)" "5818/3/3/4/4/3"
gleich "1 km square across a sheet line" "$("$mtbq" 32UMA 78 49 2>"$arbeit/warnung")" "5918*"
grep -q "^mtbq: Warnung: das Quadrat reicht über Blatt 5918 hinaus in 5818;" "$arbeit/warnung" && ok ||
    falsch "square warning: $(cat "$arbeit/warnung")"
"$mtbq" --datum potsdam 32UMA 78 49 >/dev/null 2>&1; gleich "UTM with --datum potsdam" $? 2
# In a list --datum names the datum of the lines of degrees; UTM and MGRS lines are ETRS89 whatever it says.
gleich "UTM line in a Potsdam list" "$(printf '32UMA 78544 49792\n50 07 20 8 41 30\n' | "$mtbq" --batch --datum potsdam)" \
    $'32UMA 78544 49792\t5818/3/3/4/4/3\n50 07 20 8 41 30\t5818/3/3/2/1/1'
# --dwc on a table of Rechtswert and Hochwert says what it read, not a latitude's range.
printf 'Ort;Rechtswert;Hochwert\nA;3478544;5549792\nB;1500000;5500000\n' | "$mtbq" --dwc >/dev/null 2>"$arbeit/warnung"
grep -q "^(Standardeingabe):2: eine Gauß-Krüger-, UTM- oder MGRS-Angabe" "$arbeit/warnung" &&
    grep -q "^(Standardeingabe):3: kein Gauß-Krüger-Wert" "$arbeit/warnung" && ok ||
    falsch "--dwc with Rechtswert/Hochwert: $(cat "$arbeit/warnung")"
# --dwc --excel: as German Excel opens it by a double click (it showed "MÃ¼hlbach" in one column).
printf 'Ort;Breite;L\xc3\xa4nge\nM\xc3\xbchlbach;50,12222;8,69167\n' | "$mtbq" --dwc --excel >"$arbeit/excel.csv"
kopf=$(head -n 1 "$arbeit/excel.csv" | cut -d';' -f1-3)
gleich "--dwc --excel header" "$kopf" $'\xef\xbb\xbflocality;verbatimCoordinates;verbatimLatitude'
zeile=$(sed -n 2p "$arbeit/excel.csv" | tr -d '\r')
gleich "--dwc --excel row" "$(echo "$zeile" | cut -d';' -f1,7,8,10,14)" "Mühlbach;50,1222200;8,6916700;1;5818/3/3/2/1/1"
"$mtbq" --batch --excel 50 8 >/dev/null 2>&1; gleich "--excel without --dwc" $? 2
# A small square with a large circle: the warning names the circle and the sheets it reaches.
"$mtbq" --verbose --uncertainty 5000 32UMA 78544 49792 >/dev/null 2>"$arbeit/warnung"
grep -q "^mtbq: Warnung: der Kreis von 5000 m um den Punkt reicht über Blatt 5818 hinaus in 5917, 5918, 5817;" "$arbeit/warnung" &&
    ok || falsch "circle around a square: $(cat "$arbeit/warnung")"

# Codes no finer than the position: cut to the cell that holds the circle,
# the sheet with its mark and a warning where none does.
gleich "uncertainty 30 m" "$("$mtbq" --uncertainty 30 50 07 20 8 41 30)" "5818/3/3/2/1/1"
gleich "uncertainty 50 m" "$("$mtbq" --unsicherheit=50m 50 07 20 8 41 30)" "5818/3/3/2/1"
gleich "uncertainty 5 km" "$("$mtbq" --uncertainty 5km 50 07 20 8 41 30 2>"$arbeit/warnung")" "5818*"
grep -q "^mtbq: Warnung: der Kreis von 5000 m um den Punkt reicht über Blatt 5818 hinaus in 5917, 5918, 5817" \
    "$arbeit/warnung" && ok || falsch "uncertainty warning: $(cat "$arbeit/warnung")"
# 1787.6 m to the sheet's west line: GeodSolve on Bessel's ellipsoid gives 1787.63 m.
"$mtbq" --verbose --uncertainty 30 50 07 20 8 41 30 | grep -q "^Abstand zur nächsten Linie der Zelle, Ebene 0 bis 5: 1787.6 m .* 38.6 m$" &&
    ok || falsch "--verbose distances"

# Darwin Core writes the radius it used, the table's own or --uncertainty's.
dwc=$(printf 'locality;decimalLatitude;decimalLongitude;Toleranz\nA;50,12222;8,69167;100\nB;50,12222;8,69167;\n' |
      "$mtbq" --dwc --datum potsdam --uncertainty 30 - | tr -d '\r')
echo "$dwc" | sed -n 2p | grep -q ',EPSG:4326,100,.*,5818/3/3/2/1$' && ok || falsch "--dwc with a Toleranz column: $dwc"
echo "$dwc" | sed -n 3p | grep -q ',EPSG:4326,30,.*,5818/3/3/2/1/1$' && ok || falsch "--dwc with --uncertainty: $dwc"

# Potsdam input goes through BETA2007 first, as PROJ's own choice for
# DHDN to ETRS89-LAEA in Germany does.
erwartet=$(echo "50.12222222 8.69166667" | cs2cs -f %.4f EPSG:4314 EPSG:3035 | awk '{ printf "100mE%dN%d", int($2 / 100), int($1 / 100) }')
gleich "EEA from Potsdam" "$("$mtbq" --gitter eea100m 50 07 20 8 41 30)" "$erwartet"
gleich "batch title" "$(printf '50 07 20 8 41 30\n' | "$mtbq" --batch --gitter eea1km >/dev/null; \
    printf 'lat,lon\n50.1,8.7\n' | "$mtbq" --batch --gitter eea1km --datum potsdam | head -1)" "lat,lon,EEA 1km [aus Potsdam (DHDN)]"
gleich "batch title, datum by the rule" "$(printf 'lat,lon\n50.1,8.7\n' | "$mtbq" --batch --gitter eea1km | head -1)" \
    "lat,lon,EEA 1km [ETRS89; ganze Werte aus Potsdam (DHDN)]"

# Reverse lookup: every grid's code gives its corners; a point's code holds it.
"$mtbq" --cell 10kmE432N321 | grep -q "^Südwest    51.9999991    9.9854393" && ok || falsch "--cell EEA"
"$mtbq" --cell CRS3035RES10000mN3210000E4320000 | grep -q "^Zelle     10kmE432N321 " && ok || falsch "--cell EEA long"
"$mtbq" --cell 32UMA 785 497 | grep -q "^Ebene     Ost 478500 bis 478600, Nord 5549700 bis 5549800" && ok || falsch "--cell MGRS"
"$mtbq" --cell "32U 478544 5549792" | grep -q "^Zelle     32U 478544 5549792 (UTM Zone 32" && ok || falsch "--cell UTM"
"$mtbq" --gitter minutenfeld --cell 5818/411 | grep -q "^Norden    50.1500000  50°09'00\"" && ok || falsch "--cell Minutenfeld"
gleich "minute field on the middle meridian" "$("$mtbq" --gitter minutenfeld 50 09 00 8 45 00)" "5818/411"
"$mtbq" --cell 10kmE432 >/dev/null 2>&1; gleich "bad EEA code" $? 1
"$mtbq" --gitter eea1km --cell 10kmE432N321 >/dev/null 2>&1; gleich "size not the grid's" $? 1

# Refusals: wrong usage exits 2, a point outside a grid 1.
for falsch_ in "--gitter quadrat 50 8" "--zone 61 --gitter utm 50 8" "--zone 32 50 8" "--gitter mgrs --genauigkeit 5m 50 8" \
    "--langform 50 8" "--genauigkeit 10 --levels 3 50 8" "--gitter utm --genauigkeit 10m 50 8" "--bbox 1,2,3,4 50 8" \
    "--raster --gitter utm" "--uncertainty 10 --grid utm 50 8" "--uncertainty 10 --precision 1km 50 8" "--uncertainty 0 50 8" "--unsicherheit zehn 50 8" "--uncertainty 10 --raster" "--gitter gk --zone 6 50 8" "--gitter gk --genauigkeit 1m 50 8" "--raster --gitter gk" "--raster --genauigkeit 1km" "--raster --bbox 50,9,49,10" "--raster --bbox 50,8,51" "--dwc --gitter utm -"; do
    # shellcheck disable=SC2086
    "$mtbq" $falsch_ >/dev/null 2>&1; s=$?
    [ $s = 2 ] && ok || falsch "wrong usage '$falsch_' gave $s"
done
meldung=$("$mtbq" --datum etrs89 --gitter utm 85 10 2>&1); s=$?
[ $s = 1 ] && [[ "$meldung" == *"84° N"* ]] && ok || falsch "north of UTM ($s): $meldung"

# Grid layers.
"$mtbq" --raster --levels 1 5818 5819 >"$arbeit/q.geojson"; s=$?
gleich "raster status" $s 0
ogrinfo -so -al "$arbeit/q.geojson" | grep -q "Feature Count: 8" && ok || falsch "raster: ogrinfo does not count 8 cells"
ogrinfo -al "$arbeit/q.geojson" | grep -c "code (String) = 5818/" | grep -q '^4$' && ok || falsch "raster codes"
# Neighbours share their vertices exactly: 8 x 8 cells of level 2 have 81 corners.
ecken() { grep -o '\[[0-9.]*,[0-9.]*\]' "$1" | sort -u | wc -l; }
"$mtbq" --raster --levels 2 5818 5819 5918 5919 >"$arbeit/b.geojson"
gleich "shared corners, level 2" "$(ecken "$arbeit/b.geojson")" 81
# No gaps, no overlaps: the cells' union is one polygon without holes, as large as they are together.
"$mtbq" --raster --levels 3 5818 5819 5918 5919 >"$arbeit/b3.geojson"
gleich "union of the cells" "$(ogrinfo -q -dialect sqlite -sql "select abs(sum(st_area(geometry)) - st_area(st_union(geometry))) < 1e-12 as gleich, st_numgeometries(st_union(geometry)) as teile, st_npoints(st_union(geometry)) as punkte from mtb_ebene3" "$arbeit/b3.geojson" | grep ' = ' | tr '\n' ' ' | tr -s ' ')" \
    " gleich (Integer) = 1 teile (Integer) = 1 punkte (Integer) = 65 "
gleich "valid polygons" "$(ogrinfo -q -dialect sqlite -sql "select sum(st_isvalid(geometry)) as n from mtb_ebene3" "$arbeit/b3.geojson" | grep -o '= [0-9]*')" "= 256"
# Sheets carry 4 segments a side: 2 x 2 sheets, 45 distinct vertices.
"$mtbq" --raster --levels 0 --bbox=50.05,8.75,50.15,8.85 >"$arbeit/s.geojson"
gleich "shared vertices, sheets" "$(ecken "$arbeit/s.geojson")" 45
gleich "bbox sheets" "$(grep -o '"code":"[0-9/]*"' "$arbeit/s.geojson" | tr '\n' ' ')" \
    '"code":"5818" "code":"5819" "code":"5918" "code":"5919" '
"$mtbq" --raster --levels 1 --untransformiert 5818 | grep -q '"coordinates":\[\[\[8.6666667,50.1500000\],' && ok || falsch "untransformed"
"$mtbq" --raster --levels 1 --untransformiert 5818 | grep -q 'EPSG::4314' && ok || falsch "untransformed crs"
"$mtbq" --raster --gitter eea1km 10kmE432N321 >"$arbeit/e.geojson"
ogrinfo -so -al "$arbeit/e.geojson" | grep -q "Feature Count: 100" && ok || falsch "EEA raster of one 10 km cell"
gleich "EEA shared vertices" "$(ecken "$arbeit/e.geojson")" 121
"$mtbq" --raster --gitter minutenfeld 5818/3 | grep -c '"code"' | grep -q '^15$' && ok || falsch "minute fields of a quadrant"
"$mtbq" --raster --levels 1 5818/3/3 >/dev/null 2>&1; gleich "code finer than the level" $? 1
"$mtbq" --raster --levels 1 5818 >/dev/full 2>/dev/null; gleich "raster to a full disk" $? 1

# Darwin Core from a find-location file as Quadrix writes it.
datei=$arbeit/funde.txt
{
    printf 'Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n'
    printf 'Gr\xfcnwald, S\xfcd\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n'
    printf 'Nur Zelle\t5818/3/3\t\t\t\t\t\t\t\t\t\t\t\t\r\n'
} >"$datei"
"$mtbq" --dwc "$datei" >"$arbeit/dwc.csv"; s=$?
gleich "dwc status" $s 0
# Every column but our own code column is a Darwin Core term (dwc: namespace, Location class and record level).
begriffe=" locality verbatimLocality verbatimCoordinates verbatimLatitude verbatimLongitude verbatimCoordinateSystem "
begriffe+="verbatimSRS decimalLatitude decimalLongitude geodeticDatum coordinateUncertaintyInMeters coordinatePrecision "
begriffe+="footprintWKT footprintSRS footprintSpatialFit georeferencedBy georeferencedDate georeferenceProtocol "
begriffe+="georeferenceSources georeferenceRemarks "
for spalte in $(head -1 "$arbeit/dwc.csv" | tr -d '\r' | tr ',' ' '); do
    [ "$spalte" = mtbQuadrant ] && continue
    [[ "$begriffe" == *" $spalte "* ]] && ok || falsch "not a Darwin Core term: $spalte"
done
zeile=$(sed -n 2p "$arbeit/dwc.csv" | tr -d '\r')
breite=$(echo "50.12222222 8.69166667" | cs2cs -f %.7f EPSG:4314 EPSG:4258 | awk '{ print $1 }')
gleich "dwc point" "$zeile" "\"Grünwald, Süd\",\"50°07'20\"\"N 8°41'30\"\"E\",\"50°07'20\"\"N\",\"8°41'30\"\"E\",degrees minutes seconds,EPSG:4314,$breite,8.6906643,EPSG:4326,19,,,\"Koordinaten Potsdam (DHDN), mit BETA2007 nach ETRS89 (als WGS84) umgerechnet\",5818/3/3/2/1/1"
sed -n 3p "$arbeit/dwc.csv" | grep -q '^Nur Zelle,,,,,,50.1113382,8.6864983,EPSG:4326,2038,"POLYGON((8.6656681 50.0988395,' && ok || falsch "dwc cell: $(sed -n 3p "$arbeit/dwc.csv")"
# Generalised: the cell of the deepest level no smaller than 250 m, nothing finer.
"$mtbq" --dwc --genauigkeit 250m "$datei" | sed -n 2p | grep -q '^"Grünwald, Süd",,,,,,50.12.*,EPSG:4326,[0-9]*,"POLYGON((.*5818/3/3/2/1/1' \
    && ok || falsch "dwc generalised"
[ "$(sed -n 2p "$arbeit/dwc.csv" | tr -d '\r' | awk -F, '{ print NF }')" -ge 14 ] && ok || falsch "dwc columns"
printf 'locality;mtb\nA;5818/9\nB;5818/1\n' | "$mtbq" --dwc - >"$arbeit/z.csv" 2>"$arbeit/z.err"; s=$?
[ $s = 1 ] && grep -q '(Standardeingabe):2: Quadrantenziffer' "$arbeit/z.err" && [ "$(grep -c '^B,' "$arbeit/z.csv")" = 1 ] \
    && ok || falsch "dwc table of cells ($s): $(cat "$arbeit/z.err")"
"$mtbq" --dwc "$datei" >/dev/full 2>/dev/null; gleich "dwc to a full disk" $? 1

# Columns read as their names say: "50" under decimalLatitude is 50.0 degrees
# WGS84 (it was taken as whole degrees on Potsdam), and geodeticDatum names
# each row's datum. The codes of the points as cs2cs carries them to Potsdam
# with BETA2007; a datum nobody knows refuses its row and only that.
sheet() {  # latitude longitude on Potsdam -> the sheet number, by the grid's rule
    awk -v b="$1" -v l="$2" 'BEGIN { printf "%02d%02d", int(559 - b * 10 + 1), int(l * 6 - 35 + 1) }'
}
read -r b l _ < <(echo "50 8" | cs2cs -f %.7f EPSG:4326 EPSG:4314)
tafel='decimalLatitude,decimalLongitude,geodeticDatum\n50,8,\n50.0,8.0,\n50,8,EPSG:4314\n50,8,dhdn\n50,8,WGS 84\n50,8,NAD83\n50,8,\n'
printf "$tafel" | "$mtbq" --batch >"$arbeit/dez.csv" 2>"$arbeit/dez.err"; s=$?
gleich "decimalLatitude 50: sheet" "$(sed -n 2p "$arbeit/dez.csv" | cut -d, -f4 | cut -c1-4)" "$(sheet "$b" "$l")"
gleich "decimalLatitude 50 as 50.0" "$(sed -n 2p "$arbeit/dez.csv" | cut -d, -f4)" "$(sed -n 3p "$arbeit/dez.csv" | cut -d, -f4)"
gleich "geodeticDatum EPSG:4314" "$(sed -n 4p "$arbeit/dez.csv" | cut -d, -f4 | cut -c1-4)" "$(sheet 50 8)"
gleich "geodeticDatum dhdn" "$(sed -n 5p "$arbeit/dez.csv" | cut -d, -f4)" "$(sed -n 4p "$arbeit/dez.csv" | cut -d, -f4)"
gleich "geodeticDatum WGS 84" "$(sed -n 6p "$arbeit/dez.csv" | cut -d, -f4)" "$(sed -n 2p "$arbeit/dez.csv" | cut -d, -f4)"
gleich "geodeticDatum NAD83" "$(sed -n 7p "$arbeit/dez.csv")" "50,8,NAD83,"
gleich "geodeticDatum NAD83: exit" "$s" 1
grep -q "^(Standardeingabe):7: die Spalte geodeticDatum nennt kein bekanntes Bezugssystem" "$arbeit/dez.err" && ok ||
    falsch "geodeticDatum NAD83: $(cat "$arbeit/dez.err")"
gleich "after NAD83" "$(sed -n 8p "$arbeit/dez.csv")" "$(sed -n 2p "$arbeit/dez.csv")"
# --dwc: the same datums, the Potsdam row carried to WGS84 as cs2cs carries it.
read -r b l _ < <(echo "50 8" | cs2cs -f %.7f EPSG:4314 EPSG:4326)
zeilen=$(printf "$tafel" | "$mtbq" --dwc 2>/dev/null | cut -d, -f6-9)
gleich "dwc decimalLatitude 50" "$(sed -n 2p <<<"$zeilen")" "EPSG:4326,50.0000000,8.0000000,EPSG:4326"
gleich "dwc geodeticDatum EPSG:4314" "$(sed -n 4p <<<"$zeilen")" "EPSG:4314,$b,$l,EPSG:4326"

echo "$bestanden bestanden, $fehler fehlgeschlagen"
[ "$fehler" = 0 ]
