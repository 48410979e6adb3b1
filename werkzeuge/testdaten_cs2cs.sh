#!/usr/bin/env bash
# Makes tests/daten/etrs89_potsdam.txt: points across Germany in ETRS89 and
# the same points on the Potsdam datum (DHDN) as PROJ's own cs2cs gives them
# with its best transformation, which must be the one through BETA2007.
# Run again when PROJ changes.
set -euo pipefail
cd "$(dirname "$0")/.."
projinfo -s EPSG:4258 -t EPSG:4314 --spatial-test intersects -o PROJ 2>/dev/null |
    awk '/Operation No. 1/ {f=1} f && /grids=/ {print; exit}' | grep -q BETA2007 ||
    { echo "PROJ nimmt nicht BETA2007 als beste Transformation (proj-data fehlt?)" >&2; exit 1; }
{
    echo "# ETRS89 Breite, Länge -> DHDN Breite, Länge (cs2cs EPSG:4258 EPSG:4314, über BETA2007)"
    while read -r b l; do
        printf '%s %s ' "$b" "$l"
        echo "$b $l" | cs2cs -d 10 EPSG:4258 EPSG:4314 | awk '{print $1, $2}'
    done <<'PUNKTE'
50.12222 8.69167
54.78 9.43
47.42 10.98
52.52 13.405
51.05 13.74
48.137 11.575
53.55 9.993
50.94 6.96
49.99895 8.24812
51.33979 12.37402
PUNKTE
} > tests/daten/etrs89_potsdam.txt
cat tests/daten/etrs89_potsdam.txt
