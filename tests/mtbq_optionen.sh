#!/usr/bin/env bash
# mtbq's options named alike everywhere: --help, the man page and the bash
# completion name the same options, and the man page every German alias
# the help names.
#   bash tests/mtbq_optionen.sh MTBQ COMPLETION MANPAGE
set -uo pipefail
mtbq=$1 vervollstaendigung=$2 man=$3
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
fehler=0

"$mtbq" --help >"$arbeit/hilfe" || { echo "FAIL: mtbq --help"; exit 1; }
# The option list of the help: its headings.
awk '/^Optionen:/ {f = 1; next} f && /^$/ {exit} f && /^  --/ {print $1}' "$arbeit/hilfe" |
    tr -d ',' | sort -u >"$arbeit/aus_hilfe"
# The words the completion offers for "-".
grep -o 'compgen -W "--[^"]*"' "$vervollstaendigung" | sed 's/compgen -W "//; s/"$//' | tr ' ' '\n' |
    sort -u >"$arbeit/aus_vervollstaendigung"
# Every option the man page's OPTIONEN headings name.
awk '/^\.SH OPTIONEN/ {f = 1; next} /^\.SH/ {f = 0} f && vorher == ".TP" {print} {vorher = $0}' "$man" |
    grep -o '\\-\\-[a-z\\-]*' | sed 's/\\-/-/g' | sort -u >"$arbeit/aus_man"

for quelle in aus_vervollstaendigung aus_man; do
    if ! diff -u "$arbeit/aus_hilfe" "$arbeit/$quelle" >"$arbeit/unterschied"; then
        echo "FAIL: --help and ${quelle#aus_} name other options:"
        cat "$arbeit/unterschied"
        fehler=$((fehler + 1))
    fi
done
[ "$(wc -l <"$arbeit/aus_hilfe")" -ge 20 ] || { echo "FAIL: the help names too few options"; fehler=$((fehler + 1)); }

# The German aliases the help names: in the man page, and each one works.
aliase=$(sed -n '/gelten weiter:/,/^$/p' "$arbeit/hilfe" | grep -o -- '--[a-z]*' | grep -v -- '--option' | sort -u)
[ -n "$aliase" ] || { echo "FAIL: the help names no aliases"; fehler=$((fehler + 1)); }
for alias in $aliase; do
    grep -q -- "\\\\-\\\\-${alias#--}" "$man" || { echo "FAIL: the man page does not name $alias"; fehler=$((fehler + 1)); }
    status=0
    "$mtbq" "$alias" >/dev/null 2>"$arbeit/fehler" || status=$?
    grep -q "unbekannte Option" "$arbeit/fehler" && { echo "FAIL: $alias is not taken"; fehler=$((fehler + 1)); }
done

if [ "$fehler" -gt 0 ]; then
    echo "$fehler Fehler"
    exit 1
fi
echo "mtbq_optionen: alles gut ($(wc -l <"$arbeit/aus_hilfe") Optionen, $(echo "$aliase" | wc -w) Aliasnamen)"
