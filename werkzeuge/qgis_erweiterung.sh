#!/usr/bin/env bash
# Makes the QGIS plugin's zip, as "Install from ZIP" takes it: the plugin's
# Python, Quadrix's C interface for Linux and (where given) Windows, the
# BETA2007 grid and the licences, in one folder quadrix_mtb.
#   qgis_erweiterung.sh ZIEL.zip LIBQUADRIXC.so [QUADRIXC.dll]
set -euo pipefail
ziel=$(readlink -f "$1")
so=$(readlink -f "$2")
dll=${3:+$(readlink -f "$3")}
cd "$(dirname "$0")/.."
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
e=$arbeit/quadrix_mtb
mkdir -p "$e/lib/linux-x86_64"
cp qgis/quadrix_mtb/*.py qgis/quadrix_mtb/metadata.txt "$e/"
install -m 644 "$so" "$e/lib/linux-x86_64/libquadrixc.so"
strip --strip-unneeded "$e/lib/linux-x86_64/libquadrixc.so"
if [ -n "$dll" ]; then
    mkdir -p "$e/lib/windows-x86_64"
    install -m 644 "$dll" "$e/lib/windows-x86_64/quadrixc.dll"
    x86_64-w64-mingw32-strip --strip-unneeded "$e/lib/windows-x86_64/quadrixc.dll"
fi
cp /usr/share/proj/BETA2007.gsb "$e/lib/"
cp paket/BETA2007-Herkunft.txt "$e/lib/"
cp /usr/share/common-licenses/GPL-3 "$e/LICENSE"
# The same bytes for the same input: fixed times, names in order.
find "$arbeit" -exec touch -h -d @"${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}" {} +
rm -f "$ziel"
(cd "$arbeit" && find quadrix_mtb | LC_ALL=C sort | zip -q -X -9 "$ziel" -@)
echo "$ziel"
