#!/usr/bin/env bash
# Puts quadrix.exe and mtbq.exe together with exactly the DLLs, plugins and
# translations they load into BAU/paket/Quadrix, zips it, and makes the
# installer with NSIS.
#   paket.sh BAU QT
set -euo pipefail
bau=$(readlink -f "$1")
qt=$(readlink -f "$2")
hier=$(cd "$(dirname "$0")" && pwd)
version=$(sed -n 's/^project(Quadrix VERSION \([0-9.]*\).*/\1/p' "$hier/../../CMakeLists.txt")
mingw=/usr/lib/gcc/x86_64-w64-mingw32/12-posix

ziel=$bau/paket/Quadrix
rm -rf "$bau/paket"
mkdir -p "$ziel/plugins/platforms" "$ziel/plugins/styles" "$ziel/translations"
cp "$bau/app/quadrix.exe" "$bau/mtbq/mtbq.exe" "$ziel/"
cp "$qt/bin/Qt6Core.dll" "$qt/bin/Qt6Gui.dll" "$qt/bin/Qt6Widgets.dll" "$ziel/"
cp "$mingw/libstdc++-6.dll" "$mingw/libgcc_s_seh-1.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$ziel/"
cp "$qt/plugins/platforms/qwindows.dll" "$ziel/plugins/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$ziel/plugins/styles/"
# Qt's own German texts (standard dialogs, context menus): the same files on every platform.
cp /usr/share/qt6/translations/qtbase_de.qm "$ziel/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = plugins\r\nTranslations = translations\r\n' >"$ziel/qt.conf"
# The official DHDN/ETRS89 grid for GPS positions, beside the programs, with where it comes from.
cp /usr/share/proj/BETA2007.gsb "$ziel/"
sed 's/$/\r/' >"$ziel/BETA2007-Herkunft.txt" <<'HERKUNFT'
BETA2007.gsb

Das amtliche Transformationsgitter BETA2007 zwischen dem Potsdamer Datum
(DHDN) und ETRS89, herausgegeben von der Arbeitsgemeinschaft der
Vermessungsverwaltungen der Länder der Bundesrepublik Deutschland (AdV),
im NTv2-Format. Quadrix rechnet damit GPS-Positionen (WGS84/ETRS89) in das
Potsdamer Datum des Kartennetzes um.

Quelle dieser Datei: das Debian-Paket proj-data (Debian 12), Teil der
Daten von PROJ (https://proj.org, https://download.osgeo.org/proj/).
Lizenz: wie in /usr/share/doc/proj-data/copyright des Pakets für seine
Dateien angegeben (Expat/MIT).
HERKUNFT
x86_64-w64-mingw32-strip --strip-unneeded "$ziel"/*.exe "$ziel"/*.dll "$ziel"/plugins/*/*.dll

# Nothing that is not needed: every DLL one of ours imports must be here or be the system's.
fehlend=$(for f in "$ziel"/*.exe "$ziel"/*.dll "$ziel"/plugins/*/*.dll; do
              x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'
          done | sort -u | grep -v -i '^api-ms-win-' | while read -r d; do
              # api-ms-win-* are the system's API sets, resolved by the loader.
              [ -f "$ziel/$d" ] || [ -f "$bau/wine/drive_c/windows/system32/${d,,}" ] ||
                  ls "$bau/wine/drive_c/windows/system32/" 2>/dev/null | grep -qix "$d" || echo "$d"
          done)
[ -z "$fehlend" ] || { echo "Fehlende DLLs: $fehlend" >&2; exit 1; }

(cd "$bau/paket" && rm -f "../Quadrix-$version-windows-x64.zip" && zip -qr -9 "../Quadrix-$version-windows-x64.zip" Quadrix)
# The uninstaller's list: every file installed, then every folder, deepest first.
entfernen=$bau/paket/entfernen.nsh
{
    (cd "$ziel" && find . -type f | LC_ALL=C sort) | while read -r f; do
        w=${f#./}; printf 'Delete "$INSTDIR\\%s"\n' "${w//\//\\}"
    done
    (cd "$ziel" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while read -r d; do
        w=${d#./}; printf 'RMDir "$INSTDIR\\%s"\n' "${w//\//\\}"
    done
} >"$entfernen"
makensis -V2 -DVERSION="$version" -DQUELLE="$ziel" -DENTFERNEN="$entfernen" -DAUSGABE="$bau/Quadrix-$version-Setup.exe" \
    "$hier/quadrix.nsi"
ls -l "$bau/Quadrix-$version-windows-x64.zip" "$bau/Quadrix-$version-Setup.exe"
