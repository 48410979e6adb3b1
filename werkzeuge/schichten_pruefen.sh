#!/usr/bin/env bash
# The tree's rules, checked: the programs (app/ with files/, common/ and the
# map window in map/, and mtbq/) stand on the library, each library folder uses only the folders
# beneath it, includes name their folder, one target per folder, no ../ in
# CMake, the map a module the program loads, and the library neither
# prints nor needs Qt. Exit 1 on any breach.
set -euo pipefail
cd "$(dirname "$0")/.."

fehler=0
verstoss() { echo "schichten: $*" >&2; fehler=$((fehler + 1)); }

# What each folder may include (besides itself), from the bottom up.
declare -A darf=(
    [grid]=""
    [position]="grid"
    [datum]="position grid"
    [cells]="datum position grid"
    [records]=""
    [tables]="cells datum position grid records"
    [formats]="tables cells datum position grid records"
    [platform]=""
    [imports]="records"
    [orte]=""
    [reihen]="tables cells datum position grid records"
    [platform/gui]=""
    [common]="platform/gui"
    [files]="common platform/gui platform records grid"
    [map]="orte imports formats platform platform/gui tables cells datum position grid records"
    [app]="orte imports map files common platform/gui platform tables records grid position datum cells"
    [mtbq]="reihen orte imports formats tables cells datum position grid records platform"
    [schnittstelle]="reihen tables cells datum position grid records"
    [python]="reihen tables cells datum position grid records"
)
bibliothek="grid position datum cells records tables formats imports orte reihen"

ordner_von() {  # the folder a source file or include path belongs to
    case "$1" in
        platform/gui/*) echo platform/gui ;;
        */*) echo "${1%%/*}" ;;
        *) echo "" ;;
    esac
}

for ordner in "${!darf[@]}"; do
    [ -d "$ordner" ] || { verstoss "$ordner fehlt"; continue; }
    for datei in "$ordner"/*.cpp "$ordner"/*.h; do
        [ -e "$datei" ] || continue
        while IFS= read -r zeile; do
            pfad=${zeile#*\"}
            pfad=${pfad%%\"*}
            [[ "$pfad" == *.moc ]] && continue
            ziel=$(ordner_von "$pfad")
            if [ -z "$ziel" ] || [ ! -e "$pfad" ]; then
                verstoss "$datei: #include \"$pfad\" nennt keinen Ordner des Baums"
                continue
            fi
            [ "$ziel" = "$ordner" ] && continue
            case " ${darf[$ordner]} " in
                *" $ziel "*) ;;
                *) verstoss "$datei: $ordner darf $ziel nicht einbinden (\"$pfad\")" ;;
            esac
        done < <(grep -h '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$datei" || true)
    done
    # One target per folder; app/ and mtbq/ add the program built from their library.
    cmake="$ordner/CMakeLists.txt"
    if [ ! -f "$cmake" ]; then
        verstoss "$ordner hat keine CMakeLists.txt"
    else
        bibliotheken=$(grep -c '^[[:space:]]*add_library(' "$cmake" || true)
        programme=$(grep -c '^[[:space:]]*add_executable(' "$cmake" || true)
        case "$ordner" in
            mtbq) [ "$bibliotheken$programme" = 11 ] || verstoss "$cmake: mtbq/ baut seinen Lauf und das Programm" ;;
            app) [ "$bibliotheken$programme" = 11 ] || verstoss "$cmake: app/ baut eine Bibliothek und das Programm" ;;
            map) [ "$bibliotheken$programme" = 20 ] || verstoss "$cmake: map/ baut eine Bibliothek und ihr Modul" ;;
            python) [ "$(grep -c '^[[:space:]]*pybind11_add_module(' "$cmake")$bibliotheken$programme" = 100 ] ||
                verstoss "$cmake: python/ baut sein Modul" ;;
            *) [ "$bibliotheken$programme" = 10 ] || verstoss "$cmake: ein Ziel je Ordner" ;;
        esac
    fi
done

# The program loads the map's module when the map is opened: it never links it.
if grep -q 'quadrix_karte' app/CMakeLists.txt && grep -E 'target_link_libraries\((quadrix|quadrix_fenster) ' app/CMakeLists.txt | grep -q quadrix_karte; then
    verstoss "app/CMakeLists.txt: das Programm bindet die Karte fest ein (sie ist ein Modul)"
fi

# No source paths out of a folder.
while IFS= read -r datei; do
    verstoss "$datei: ../ in einer CMake-Datei"
done < <(grep -l '\.\./' $(git ls-files '*CMakeLists.txt' '*.cmake') 2>/dev/null || true)

# One record reader: a find-location line is cut into fields and judged in
# records/ and read by tables/ (the reader every mode and window uses); no
# program parses one itself.
while IFS= read -r treffer; do
    verstoss "liest selbst Datensätze: $treffer"
done < <(grep -HnE 'fundort::(felder|leseSatz|mangel|datensatz|dateizeilen)\(' \
             app/*.cpp files/*.cpp map/*.cpp mtbq/*.cpp schnittstelle/*.cpp python/*.cpp 2>/dev/null || true)

# The library: standard library only, and it never prints.
for ordner in $bibliothek; do
    qt=$(grep -Hn '#[[:space:]]*include[[:space:]]*<Q' "$ordner"/*.cpp "$ordner"/*.h 2>/dev/null || true)
    if [ -n "$qt" ]; then
        echo "$qt" | sed 's/^/schichten: Qt in der Bibliothek: /' >&2
        fehler=$((fehler + 1))
    fi
    treffer=$(grep -HnE '\b(printf|fprintf|puts|fputs|perror)\(|std::(cout|cerr|clog)\b|\b(stdout|stderr)\b' \
                  "$ordner"/*.cpp "$ordner"/*.h 2>/dev/null || true)
    if [ -n "$treffer" ]; then
        echo "$treffer" | sed 's/^/schichten: gibt aus: /' >&2
        fehler=$((fehler + 1))
    fi
done

if [ "$fehler" -gt 0 ]; then
    echo "schichten: $fehler Verstöße" >&2
    exit 1
fi
echo "schichten: die Regeln des Baums halten"
