#!/usr/bin/env bash
# mtbq.exe under Wine: umlauts show in a console window (a pseudo-terminal
# gives Wine a console), started directly and through cmd /c, on standard
# output and standard error; a file and a pipe get UTF-8 bytes.
#   bash mtbq_konsole_wine.sh WINE.sh MTBQ.exe
set -uo pipefail
wine=$1 mtbq=$(realpath "$2")
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
fehler=0 geprueft=0
pruefe() {  # name, text expected, text seen
    geprueft=$((geprueft + 1))
    if [[ "$3" == *"$2"* ]]; then echo "ok: $1"; else echo "FAIL: $1: '$2' nicht in: $3" >&2; fehler=$((fehler + 1)); fi
}
# What a console window shows, read back from the terminal without its control sequences.
konsole() {
    LC_ALL=C.UTF-8 timeout 120 script -qec "$(printf '%q ' bash "$wine" "$@")" "$arbeit/tty" >/dev/null 2>&1
    sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$arbeit/tty" | tr -d '\r'
}
windows() { echo "Z:${1//\//\\}"; }

pruefe "Konsole, direkt" "Süden     50.1000000  50°06'00\"" "$(konsole "$mtbq" --cell 5818/3/3)"
pruefe "Konsole, cmd /c" "Süden" "$(konsole cmd /c "$(windows "$mtbq")" --cell 5818/3/3)"
pruefe "Konsole, Fehlerausgabe" "Punkt südlich des Äquators" "$(konsole "$mtbq" S12 E8)"
pruefe "Konsole, Hilfe" "Längen" "$(konsole "$mtbq" /?)"
# Tables as Excel saves them show right in a console too (they showed "L▫nge",
# a box between every character of UTF-16, a box before the first title).
printf 'Ort;Breite;L\xe4nge\r\nM\xfchlbach;50,1;8,7\r\n' >"$arbeit/ansi.csv"
printf '\xef\xbb\xbfOrt;Breite;L\xc3\xa4nge\r\nM\xc3\xbchlbach;50,1;8,7\r\n' >"$arbeit/utf8.csv"
printf 'Ort\tBreite\tL\xe4nge\r\nM\xfchlbach\t50,1\t8,7\r\n' | iconv -f CP1252 -t UTF-16 >"$arbeit/unicode.txt"
for t in ansi.csv utf8.csv unicode.txt; do
    aus=$(konsole "$mtbq" --batch --datum=potsdam "$(windows "$arbeit/$t")")
    pruefe "Konsole, Tabelle $t" "Mühlbach" "$aus"
    # A console shows a TAB as blanks.
    pruefe "Konsole, Tabelle $t, Titel" "Ort Breite Länge" "$(echo "$aus" | tr ';\t' '  ' | tr -s ' ')"
    geprueft=$((geprueft + 1))
    case $aus in
        *$'\xef\xbb\xbf'* | *$'\xef\xbf\xbd'*) echo "FAIL: Konsole, Tabelle $t: Zeichen dazwischen: $aus" >&2; fehler=$((fehler + 1)) ;;
        *) echo "ok: Konsole, Tabelle $t ohne Zeichen dazwischen" ;;
    esac
done
timeout 120 bash "$wine" cmd /c "$(windows "$mtbq") --cell 5818/3/3 > $(windows "$arbeit/datei.txt")" >/dev/null 2>&1
pruefe "Datei: UTF-8" "$(printf 'S\xc3\xbcden')" "$(head -c 200 "$arbeit/datei.txt" 2>/dev/null)"
pruefe "Pipe: UTF-8" "$(printf 'S\xc3\xbcden')" "$(timeout 120 bash "$wine" "$mtbq" --cell 5818/3/3 2>/dev/null | head -c 200)"
echo "$((geprueft - fehler)) of $geprueft passed, $fehler failed"
[ "$fehler" -eq 0 ]
