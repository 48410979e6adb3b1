#!/usr/bin/env bash
# mtbq --batch over GPS files and photos against a second reader of each
# file: exiftool for the photos' positions, uncertainties and times,
# Python's XML and zip modules for GPX and KMZ. Every point must get the
# code that mtbq gives the decimal position typed (with the photo's
# uncertainty as --uncertainty). Then each bad input with its German
# reason, the other inputs of the same run still read.
#   mtbq_punkte.sh MTBQ
set -uo pipefail
mtbq=$(readlink -f "$1")
daten=$(cd "$(dirname "$0")/daten/punkte" && pwd)
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
cd "$arbeit"
fehler=0
gut=0
pruefe() {  # NAME ERWARTET ERHALTEN
    if [ "$2" == "$3" ]; then
        gut=$((gut + 1))
    else
        echo "FAIL: $1: erwartet [$2], erhalten [$3]"
        fehler=$((fehler + 1))
    fi
}
# The code column of --batch, point by point (without the title line).
codes() { "$mtbq" --batch "$@" 2>/dev/null | tail -n +2 | cut -f5; }

# Photos: exiftool's decimal degrees and positioning error.
for foto in telefon.jpg telefon.heic; do
    read -r b l u < <(exiftool -n -s3 -GPSLatitude -GPSLongitude -GPSHPositioningError "$daten/$foto" | tr '\n' ' ')
    pruefe "$foto" "$("$mtbq" --uncertainty "$u" "$b" "$l")" "$(codes "$daten/$foto")"
    zeit=$(exiftool -s3 -d '%Y-%m-%dT%H:%M:%S' -DateTimeOriginal "$daten/$foto")$(exiftool -s3 -OffsetTimeOriginal "$daten/$foto")
    pruefe "$foto: Zeit" "$zeit" "$("$mtbq" --batch "$daten/$foto" | tail -n 1 | cut -f2)"
done

# GPX waypoints and a web map's KMZ: their positions by Python's readers.
python3 - "$daten/geraet.gpx" >gpx.txt <<'PY'
import sys, xml.etree.ElementTree as ET
ns = {"g": "http://www.topografix.com/GPX/1/1"}
for w in ET.parse(sys.argv[1]).getroot().findall("g:wpt", ns):
    print(w.get("lat"), w.get("lon"))
PY
python3 - "$daten/webkarte.kmz" >kmz.txt <<'PY'
import sys, zipfile, xml.etree.ElementTree as ET
ns = {"k": "http://www.opengis.net/kml/2.2"}
with zipfile.ZipFile(sys.argv[1]) as z:
    for p in ET.fromstring(z.read("doc.kml")).iter("{http://www.opengis.net/kml/2.2}Point"):
        lon, lat = p.find("k:coordinates", ns).text.split(",")[:2]
        print(lat.strip(), lon.strip())
PY
for art in gpx kmz; do
    datei=$daten/geraet.gpx
    [ $art = kmz ] && datei=$daten/webkarte.kmz
    erwartet=$(while read -r b l; do "$mtbq" "$b" "$l"; done <$art.txt)
    pruefe "$art" "$erwartet" "$(codes "$datei" | grep -v '^$')"
done

# The camera without GPS on its track: the track points and the photo's
# time read by the second readers, the position interpolated here.
ort=$(python3 - "$daten/spur.gpx" "$(exiftool -s3 -d '%s' -DateTimeOriginal "$daten/kamera_ohne_gps.jpg")" <<'PY'
import sys, calendar, time, xml.etree.ElementTree as ET
ns = {"g": "http://www.topografix.com/GPX/1/0"}
spur = [(calendar.timegm(time.strptime(p.find("g:time", ns).text, "%Y-%m-%dT%H:%M:%SZ")),
         float(p.get("lat")), float(p.get("lon"))) for p in ET.parse(sys.argv[1]).iter("{%s}trkpt" % ns["g"])]
# exiftool read the camera's clock in this machine's zone: back to the
# clock's reading, then from +02:00 to UTC.
lokal = int(sys.argv[2]) - time.timezone + (3600 if time.localtime(int(sys.argv[2])).tm_isdst else 0)
t = calendar.timegm(time.gmtime(lokal)) - 7200
for (t0, b0, l0), (t1, b1, l1) in zip(spur, spur[1:]):
    if t0 <= t <= t1:
        a = (t - t0) / (t1 - t0)
        print("%.7f %.7f" % (b0 + (b1 - b0) * a, l0 + (l1 - l0) * a))
PY
)
pruefe "Kamera auf der Spur" "$("$mtbq" $ort)" \
    "$(codes --track "$daten/spur.gpx" --timezone=+02:00 "$daten/kamera_ohne_gps.jpg")"

# Bad inputs, each with its reason; the good file among them still coded.
printf '<?xml version="1.0"?>\n<gpx>\n<wpt lat="50" lon="8">\n</gpx>\n' >kaputt.gpx
printf '<?xml version="1.0"?>\n<!DOCTYPE gpx [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]>\n<gpx><wpt lat="50" lon="8"><name>&b;</name></wpt></gpx>\n' >lacher.gpx
printf '<gpx><wpt lat="91" lon="8"><name>Nordpol+1</name></wpt></gpx>\n' >breite91.gpx
python3 - <<'PY'
import zipfile
# A KMZ that unpacks to 300 MiB (of blanks): refused before it is unpacked.
with zipfile.ZipFile("bombe.kmz", "w", zipfile.ZIP_DEFLATED) as z:
    with z.open("doc.kml", "w") as k:
        k.write(b"<kml>")
        leer = b" " * (1 << 20)
        for _ in range(300):
            k.write(leer)
PY
printf 'Hallo\n' >keins.gpx
mkdir -p ordner/unter
cp "$daten/telefon.jpg" ordner/unter/
ln -s .. ordner/unter/zurueck
"$mtbq" --batch kaputt.gpx lacher.gpx breite91.gpx bombe.kmz keins.gpx "$daten/kamera_ohne_gps.jpg" ordner \
    "$daten/telefon.heic" >aus.txt 2>fehler.txt
pruefe "schlechte Eingaben: Status" 1 $?
while IFS= read -r zeile; do
    grep -qF -- "$zeile" fehler.txt || { echo "FAIL: Meldung fehlt: $zeile"; cat fehler.txt; fehler=$((fehler + 1)); }
done <<'MELDUNGEN'
mtbq: kaputt.gpx: GPX: kein wohlgeformtes XML (Zeile 4: mismatched tag)
mtbq: lacher.gpx: das XML erklärt Entitäten; abgelehnt, nichts davon ausgewertet
breite91.gpx: Punkt 1 (Nordpol+1): unmögliche Koordinaten (Breite über 90°, Länge über 180°, Nenner 0 oder keine Zahl)
mtbq: bombe.kmz: KMZ: zu groß (entpackt über 256 MiB, GeoJSON über 64 MiB)
mtbq: keins.gpx: weder GPX, KML, KMZ, GeoJSON noch ein Foto (JPEG, HEIC)
kamera_ohne_gps.jpg: Punkt 1 (kamera_ohne_gps.jpg): ein Foto ohne Position (ohne GPS-Angaben); --track legt es nach seiner Aufnahmezeit auf eine Spur
mtbq: ordner/unter/zurueck: ein Ordner, der über eine Verknüpfung wieder erreicht wird; übergangen
MELDUNGEN
pruefe "schlechte Eingaben: das Foto im Ordner und das letzte" \
    "telefon.jpg telefon.heic" "$(cut -f1,5 aus.txt | grep -P '\t\d' | cut -f1 | tr '\n' ' ' | sed 's/ $//')"

# Darwin Core and GeoJSON of the same points: the same codes, the time as
# eventDate (a column only where points bring it), the position as read.
"$mtbq" --dwc "$daten/geraet.gpx" "$daten/telefon.jpg" >dwc.csv
pruefe "--dwc: Spalte eventDate" "eventDate" "$(head -1 dwc.csv | tr -d '\r' | awk -F, '{print $NF}')"
pruefe "--dwc: Codes und Zeiten" "$(codes "$daten/geraet.gpx" "$daten/telefon.jpg" | tr '\n' ' ')" \
    "$(tail -n +2 dwc.csv | tr -d '\r' | awk -F, '{printf "%s ", $14}')"
pruefe "--dwc: Zeit des Fotos" "2026-06-01T12:20:00+02:00" "$(tail -1 dwc.csv | tr -d '\r' | awk -F, '{print $NF}')"
pruefe "--dwc ohne Punktdateien: ohne eventDate" "mtbQuadrant" \
    "$(printf '50 07 20 8 41 30\n' | "$mtbq" --dwc - | head -1 | tr -d '\r' | awk -F, '{print $NF}')"
"$mtbq" --geojson "$daten/telefon.heic" >punkte.geojson
pruefe "--geojson: Punkt und Code" "[12.3750694,51.3376389] 4640/3/2/1/3/3" \
    "$(python3 -c 'import json,sys; f=json.load(open("punkte.geojson"))["features"][0]; print(json.dumps(f["geometry"]["coordinates"]).replace(" ",""), f["properties"]["MTB berechnet"])')"

# A table in UTF-16, as Excel saves "Unicode-Text", is still a table, not XML.
printf 'Ort\tBreite\tL\xe4nge\r\nM\xfchlbach\t50,12222\t8,69167\r\n' | iconv -f latin1 -t UTF-16 >unicode.txt
"$mtbq" --batch unicode.txt | iconv -f UTF-16 -t UTF-8 >unicode.aus
pruefe "Tabelle in UTF-16" "Mühlbach	50,12222	8,69167	5818/3/3/2/1/1" "$(sed -n 2p unicode.aus | tr -d '\r')"

# A GPX of a million track points is read as a stream: memory stays small
# (not measured under the sanitizers, whose shadow memory would count).
if ! grep -q __asan_init "$mtbq" 2>/dev/null; then
    python3 - <<'PY'
with open("million.gpx", "w") as f:
    f.write('<?xml version="1.0"?>\n<gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1"><trk><trkseg>\n')
    for i in range(1000000):
        f.write('<trkpt lat="%.7f" lon="%.7f"><time>2026-06-01T%02d:%02d:%02dZ</time></trkpt>\n'
                % (50 + i * 1e-7, 8.6 + i * 1e-7, i // 3600 % 24, i // 60 % 60, i % 60))
    f.write('</trkseg></trk></gpx>\n')
PY
    /usr/bin/time -f '%M' -o speicher.txt "$mtbq" --batch million.gpx >million.aus
    pruefe "eine Million Spurpunkte: Zeilen" 1000001 "$(wc -l <million.aus)"
    kib=$(tail -1 speicher.txt)
    pruefe "eine Million Spurpunkte: unter 32 MiB ($kib KiB)" ja "$([ "$kib" -lt 32768 ] && echo ja || echo nein)"
    rm -f million.gpx million.aus
fi

# Wrong usage of the track options.
"$mtbq" --batch --timezone +02:00 "$daten/telefon.jpg" >/dev/null 2>&1
pruefe "--timezone ohne --track" 2 $?
"$mtbq" --track "$daten/spur.gpx" 50 8 >/dev/null 2>&1
pruefe "--track ohne Liste" 2 $?
"$mtbq" --batch --track "$daten/spur.gpx" --max-gap=0 "$daten/telefon.jpg" >/dev/null 2>&1
pruefe "--max-gap=0" 2 $?
"$mtbq" --batch --track "$daten/telefon.jpg" "$daten/kamera_ohne_gps.jpg" >/dev/null 2>fehler.txt
pruefe "--track ohne Spurpunkte: Status" 1 $?

echo "$gut passed, $fehler failed"
[ "$fehler" -eq 0 ]
