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
timeout 120 bash "$wine" cmd /c "$(windows "$mtbq") --cell 5818/3/3 > $(windows "$arbeit/datei.txt")" >/dev/null 2>&1
pruefe "Datei: UTF-8" "$(printf 'S\xc3\xbcden')" "$(head -c 200 "$arbeit/datei.txt" 2>/dev/null)"
pruefe "Pipe: UTF-8" "$(printf 'S\xc3\xbcden')" "$(timeout 120 bash "$wine" "$mtbq" --cell 5818/3/3 2>/dev/null | head -c 200)"
echo "$((geprueft - fehler)) of $geprueft passed, $fehler failed"
[ "$fehler" -eq 0 ]
