#!/usr/bin/env bash
# The QGIS plugin under qgis_process: its zip (made here from LIB where none
# is given) installed into a fresh profile, each algorithm against mtbq.
#   qgis_test.sh MTBQ LIBQUADRIXC.so [ERWEITERUNG.zip]
set -euo pipefail
mtbq=$(readlink -f "$1")
hier=$(cd "$(dirname "$0")" && pwd)
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
if [ -n "${3:-}" ]; then
    zip=$(readlink -f "$3")
else
    zip=$arbeit/quadrix_mtb.zip
    bash "$hier/../werkzeuge/qgis_erweiterung.sh" "$zip" "$2" >/dev/null
fi
ZIP=$zip MTBQ=$mtbq QGIS_PROCESS=${QGIS_PROCESS:-qgis_process.bin} /usr/bin/python3 "$hier/qgis/test_qgis.py"
