#!/usr/bin/env bash
# The portals' tables (mtbq --export) byte for byte against the tables in
# daten/profile, made from a find-location file with an umlaut, a sheet
# corner, a name that needs quoting and a record whose code was edited by
# hand; the Excel workbook read back with a second reader (Python's zipfile
# and XML); --check on that file and on 100,000 lines against the clock.
# Runs mtbq on Linux, or mtbq.exe under Wine (with the emulator first).
#   mtbq_profile.sh [EMULATOR] MTBQ
set -uo pipefail
mtbq=("$@")
daten=$(cd "$(dirname "$0")/daten/profile" && pwd)
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
cd "$arbeit"
cp "$daten/funde.txt" .
bestanden=0 fehler=0
ok() { bestanden=$((bestanden + 1)); }
# One run into AUS and ERR. Under Wine a fresh prefix's server now and then
# drops a client ("wine client error"): then once more, and said.
m() {
    local aus=$1 err=$2 s
    shift 2
    "${mtbq[@]}" "$@" >"$aus" 2>"$err"
    s=$?
    if [ "${#mtbq[@]}" -gt 1 ] && grep -q "wine client error\|wineserver" "$err"; then
        echo "Wine hat die Verbindung zu seinem Server verloren; noch einmal: $*"
        "${mtbq[@]}" "$@" >"$aus" 2>"$err"
        s=$?
    fi
    return $s
}
falsch() { echo "FAIL: $*"; fehler=$((fehler + 1)); }

# Each profile: the arguments and the table it must give.
faelle=(
    "dwc.csv             --export=dwc"
    "multibase.csv       --export=multibase"
    "multibase_1km.csv   --export=multibase --uncertainty=1km"
    "recorder.csv        --export recorder"
    "colkat.csv          --export=colkat"
    "indicia.csv         --export=indicia"
    "indicia_blank.csv   --export=indicia --notation=blank"
)
for fall in "${faelle[@]}"; do
    read -r soll argumente <<<"$fall"
    # shellcheck disable=SC2086
    m aus.csv fehler.txt $argumente funde.txt
    status=$?
    [ "$status" = 0 ] || falsch "$argumente: exit $status ($(cat fehler.txt))"
    cmp -s aus.csv "$daten/$soll" && ok || { falsch "$argumente: not the bytes of $soll"; diff <(od -c aus.csv) <(od -c "$daten/$soll") | head -5; }
done
# --dwc is the profile dwc.
m aus.csv fehler.txt --dwc funde.txt
cmp -s aus.csv "$daten/dwc.csv" && ok || falsch "--dwc differs from --export=dwc"

# The workbook: the same bytes with a fixed date, and the cells as a second reader sees them.
SOURCE_DATE_EPOCH=1767225600 m aus.xlsx fehler.txt --export=xlsx funde.txt
status=$?
[ "$status" = 0 ] || falsch "xlsx: exit $status ($(cat fehler.txt))"
cmp -s aus.xlsx "$daten/xlsx.xlsx" && ok || falsch "xlsx: not the bytes of xlsx.xlsx"
python3 - aus.xlsx "$daten/dwc.csv" <<'PY' && ok || falsch "xlsx: the cells"
import csv, re, sys, zipfile, xml.etree.ElementTree as ET
ns = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
z = zipfile.ZipFile(sys.argv[1])
strings = [si.findtext("m:t", namespaces=ns) for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", ns)]
zeilen = []
for row in ET.fromstring(z.read("xl/worksheets/sheet1.xml")).iter("{%s}row" % ns["m"]):
    zellen = []
    for c in row.findall("m:c", ns):
        v = c.findtext("m:v", namespaces=ns)
        zellen.append(strings[int(v)] if c.get("t") == "s" else float(v))
    zeilen.append(zellen)
assert zeilen[0] == ["Fundort", "MTB", "Breite", "Länge", "Genauigkeit (m)"], zeilen[0]
dwc = list(csv.DictReader(open(sys.argv[2], encoding="utf-8", newline="")))
assert len(zeilen) == len(dwc) + 1
for z, d in zip(zeilen[1:], dwc):
    assert z[0] == d["locality"] and z[1] == d["mtbQuadrant"], (z, d)
    assert abs(z[2] - float(d["decimalLatitude"])) < 1e-9 and abs(z[3] - float(d["decimalLongitude"])) < 1e-9, (z, d)
    assert z[4] == float(d["coordinateUncertaintyInMeters"]), (z, d)
PY
# A workbook that cannot be made in the folder for temporary files: exit 1,
# the folder named as the cause, nothing left behind, none in the current folder.
if [ "${#mtbq[@]}" = 1 ]; then
    mkdir voll
    for fall in "TMPDIR=$arbeit/fehlt|nicht anlegen" "TMPDIR=$arbeit/voll|nicht schreiben"; do
        IFS='|' read -r umgebung soll <<<"$fall"
        # The full disk: a file-size limit of 512 bytes, its signal ignored.
        (trap '' XFSZ; [ "$soll" = "nicht anlegen" ] || ulimit -f 1
            env "$umgebung" "${mtbq[@]}" --export=xlsx funde.txt >/dev/null 2>fehler.txt)
        status=$?
        grep -q "^mtbq: die Excel-Arbeitsmappe lässt sich im Ordner für temporäre Dateien .*$soll" fehler.txt &&
            [ "$status" = 1 ] && [ -z "$(ls -A voll)" ] && [ -z "$(ls ./*.xlsx 2>/dev/null | grep -v aus.xlsx)" ] &&
            ok || falsch "xlsx, $umgebung: $status $(cat fehler.txt)"
    done
fi
# A workbook is never written onto a terminal; a wrong profile is wrong usage.
m aus.txt fehler.txt --export=exel funde.txt; [ $? = 2 ] && ok || falsch "--export=exel: not exit 2"
m aus.txt fehler.txt --export=xlsx --excel funde.txt; [ $? = 2 ] && ok || falsch "--excel with xlsx: not exit 2"

# --check: the hand-edited record, with its line; exit 1. A clean file: nothing, exit 0.
m pruefung.txt fehler.txt --check funde.txt
status=$?
aus=$(tr -d '\r' <pruefung.txt)
[ "$aus" = "funde.txt:5: Heide: der Code passt nicht zur Position (sie ergibt 3623/3/1/3/2/4)" ] && [ "$status" = 1 ] &&
    ok || falsch "--check: $aus ($status)"
head -n 4 funde.txt >sauber.txt
m aus.txt fehler.txt --check sauber.txt; status=$?
[ "$status" = 0 ] && [ ! -s aus.txt ] && ok || falsch "--check on a clean file: $status $(cat aus.txt)"
m aus.txt fehler.txt --check; [ $? = 2 ] && ok || falsch "--check without a file: not exit 2"

# --check reads what --batch and the list of finds read, and names every line
# it does not take as a record the window wrote: the file in UTF-16 (its
# hand-edited record still found), a trailing blank, decimal degrees with
# both separators, 13 and 15 fields, a record without degrees.
python3 - <<'PY'
kopf = open("funde.txt", "rb").readline()
open("u16.txt", "wb").write(b"\xff\xfe" + open("funde.txt", "rb").read().decode("cp1252").encode("utf-16-le"))
satz = "Wald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO"
zeilen = [
    satz + " ",
    satz.replace("8,6917", "8.6917"),
    satz.rsplit("\t", 1)[0],
    satz + "\tx",
    satz.replace("50\t07\t20", "\t\t").replace("8\t41\t30", "\t\t"),
    satz,
]
open("mangel.txt", "wb").write(kopf + b"".join(z.encode("cp1252") + b"\r\n" for z in zeilen))
PY
m aus.txt fehler.txt --check u16.txt; status=$?
soll='u16.txt: die Datei ist in UTF-16 gespeichert (als „Unicode-Text“); Quadrix schreibt Dateien der Fundorte in Windows-1252
u16.txt:5: Heide: der Code passt nicht zur Position (sie ergibt 3623/3/1/3/2/4)'
[ "$status" = 1 ] && [ "$(tr -d '\r' <aus.txt)" = "$soll" ] && ok || falsch "--check on UTF-16: $status $(cat aus.txt)"
m aus.txt fehler.txt --check mangel.txt; status=$?
form='nicht in der Form, in der Quadrix schreibt:'
soll="mangel.txt:2: Wald: $form N und O stehen nicht an ihren Stellen
mangel.txt:3: Wald: $form die Dezimalgrad haben nicht die Form 50,1222
mangel.txt:4: kein Datensatz einer Datei der Fundorte (nicht 14 durch TAB getrennte Spalten)
mangel.txt:5: kein Datensatz einer Datei der Fundorte (nicht 14 durch TAB getrennte Spalten)
mangel.txt:6: Wald: $form Grad, Minuten oder Sekunden sind keine Zahl im Bereich der Felder"
[ "$status" = 1 ] && [ "$(tr -d '\r' <aus.txt)" = "$soll" ] && ok || falsch "--check on foreign lines: $status
$(cat aus.txt)"
printf 'Ort;Breite;Länge\nA;50,1;8,6\n' >tabelle.csv
m aus.txt fehler.txt --check tabelle.csv; status=$?
[ "$status" = 1 ] && grep -q "^tabelle.csv: keine Datei der Fundorte" aus.txt && ok ||
    falsch "--check on a table: $status $(cat aus.txt)"

# 100,000 lines, one second edited by hand in line 73,512: found, in under a second.
python3 - <<'PY'
import sys
sys.path.insert(0, ".")
kopf = open("funde.txt", "rb").readline()
with open("gross.txt", "wb") as f:
    f.write(kopf)
    for i in range(2, 100001):
        s = 20 if i != 73512 else 21
        f.write(b"Wald %d\t5818/3/3/2/1/1\t50\t07\t%02d\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n" % (i, s if i != 73512 else 50))
PY
start=$(date +%s%N)
m pruefung.txt fehler.txt --check gross.txt
aus=$(tr -d '\r' <pruefung.txt)
dauer=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$aus" = "gross.txt:73512: Wald 73512: der Code passt nicht zur Position (sie ergibt 5818/3/1/4/3/1)" ] && ok ||
    falsch "--check on 100,000 lines: $aus"
if [ "${#mtbq[@]}" = 1 ] && ! grep -q __asan_init "${mtbq[0]}" 2>/dev/null; then
    [ "$dauer" -lt 1000 ] && ok || falsch "--check on 100,000 lines took $dauer ms"
fi
echo "--check: 100000 Zeilen in $dauer ms"

echo "$bestanden passed, $fehler failed"
[ "$fehler" = 0 ]
