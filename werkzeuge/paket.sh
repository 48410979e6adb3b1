#!/usr/bin/env bash
# Builds the Debian packages quadrix (the window), mtbq (the command-line
# tool, no Qt) and python3-quadrix (the Python module) in build-release/, with Debian's hardening flags, and checks
# them with lintian (no error, no warning).
set -euo pipefail
cd "$(dirname "$0")/.."
bash werkzeuge/einrichten.sh
for p in lintian appstream; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        { apt-get update -qq; DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends lintian appstream; break; }
done
version=$(sed -n 's/^project(Quadrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
bau=build-release

eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S . -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
    -DCMAKE_MODULE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$bau" --target quadrix mtbq symbole vervollstaendigung _quadrix quadrixc

appstreamcli validate --no-net paket/de.quadrix.Quadrix.metainfo.xml >/dev/null

beschreibung_quadrix="map sheet (MTB) and quadrants of find locations
 Quadrix records where finds were made. For an area name and a position in
 degrees, minutes and seconds it computes the sheet of the German
 topographic map grid (Messtischblatt, MTB) with five levels of quadrants,
 and appends tab-separated records to find-location files that
 spreadsheets and GIS read. GPS positions pasted into the window are
 transformed to the grid's Potsdam datum with the official BETA2007 grid.
 The user interface is German."
beschreibung_mtbq="map sheet (MTB) and quadrants on the command line
 mtbq computes the sheet of the German topographic map grid (MTB) with its
 quadrants for single points in the usual written forms, for whole lists,
 and the way back from a code to its cell; it exports find-location files
 as GeoJSON and draws sheets as SVG. Datum transformations from ETRS89 and
 WGS84 use the official BETA2007 grid. Messages are German."
beschreibung_python="map sheet (MTB) codes for NumPy and pandas
 The Python module quadrix codes whole columns of points at once: the sheet
 of the German topographic map grid (Messtischblatt, MTB) with its
 quadrants, cut to an uncertainty where one is given, the minute fields,
 the EEA grid, UTM, MGRS and Gauss-Kruger squares, the cells of codes and
 the reading of written positions. Its results are those of mtbq, byte for
 byte; points that get no code give a missing value and a German reason."

rm -rf "$bau/deb"
for paket in quadrix mtbq python3-quadrix; do
    wurzel=$bau/deb/$paket
    DESTDIR=$PWD/$wurzel cmake --install "$bau" --component "$paket" >/dev/null
    # The programs, and the window's map module in its own folder of libraries.
    if [ "$paket" = python3-quadrix ]; then
        binaer=("$wurzel"/usr/lib/python3/dist-packages/quadrix/*.so)
    else
        binaer=("$wurzel"/usr/bin/*)
    fi
    [ "$paket" = quadrix ] && binaer+=("$wurzel"/usr/lib/*/quadrix/*.so)
    strip --remove-section=.comment --remove-section=.note --strip-unneeded "${binaer[@]}"
    doku=$wurzel/usr/share/doc/$paket
    mkdir -p "$doku"
    install -m 644 paket/copyright "$doku/copyright"
    sed "s/@PAKET@/$paket/" paket/changelog.in | gzip -9n >"$doku/changelog.gz"
    [ -d "$wurzel/usr/share/man" ] && gzip -9n "$wurzel"/usr/share/man/man1/*.1
    # German words that lintian's English spelling check takes for typos.
    mkdir -p "$wurzel/usr/share/lintian/overrides"
    if [ "$paket" = quadrix ]; then
        echo "quadrix: typo-in-manual-page Programm Program [usr/share/man/man1/quadrix.1.gz:*]"
    elif [ "$paket" = python3-quadrix ]; then
        : # nothing to override
    else
        printf '%s\n' "mtbq: spelling-error-in-binary Geometrie Geometry [usr/bin/mtbq]" \
            "mtbq: typo-in-manual-page lon long [usr/share/man/man1/mtbq.1.gz:*]"
    fi >"$wurzel/usr/share/lintian/overrides/$paket"
    [ -s "$wurzel/usr/share/lintian/overrides/$paket" ] || rm -r "$wurzel/usr/share/lintian"
    find "$wurzel" -type d -exec chmod 755 {} +
    find "$wurzel/usr/share" -type f -exec chmod 644 {} +
    find "$wurzel/usr/lib" -name '*.so' -exec chmod 644 {} + 2>/dev/null || true

    # Library dependencies as dpkg-shlibdeps finds them (it wants a debian/control).
    tmp=$(mktemp -d)
    mkdir "$tmp/debian"
    printf 'Source: %s\n\nPackage: %s\nArchitecture: any\n' "$paket" "$paket" >"$tmp/debian/control"
    abh=$(cd "$tmp" && dpkg-shlibdeps -O "${binaer[@]/#/$OLDPWD/}" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
    rm -rf "$tmp"
    if [ "$paket" = quadrix ]; then
        # Loaded at run time, so not found above: Qt's German texts. The X
        # platform plugin comes with libqt6gui6.
        abh="$abh, qt6-translations-l10n"
        empf="Recommends: fonts-liberation2, proj-data, qt6-wayland"
        beschreibung=$beschreibung_quadrix
        sektion=science
    elif [ "$paket" = python3-quadrix ]; then
        # Built for Debian's Python of this release, over its NumPy; pandas
        # gives Series and tables, BETA2007 the datum transformations.
        pyver=$(/usr/bin/python3 -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')
        abh="$abh, python3 (>= $pyver~), python3 (<< ${pyver%.*}.$(( ${pyver#*.} + 1 ))), python3-numpy"
        empf="Recommends: proj-data, python3-pandas"
        beschreibung=$beschreibung_python
        sektion=python
    else
        # PROJ is loaded only for datum transformations: recommended, not required.
        empf="Recommends: proj-data"
        beschreibung=$beschreibung_mtbq
        sektion=science
    fi
    mkdir -p "$wurzel/DEBIAN"
    cat >"$wurzel/DEBIAN/control" <<CONTROL
Package: $paket
Version: $version
Architecture: $arch
Maintainer: Quadrix <quadrix@example.org>
Installed-Size: $(du -sk --exclude=DEBIAN "$wurzel" | cut -f1)
Depends: $abh
$empf
Section: $sektion
Priority: optional
Homepage: https://quadrix.example.org/
Description: $beschreibung
CONTROL
    (cd "$wurzel" && find usr -type f -exec md5sum {} + >DEBIAN/md5sums)
    dpkg-deb --root-owner-group -Zxz --build "$wurzel" "$bau/${paket}_${version}_${arch}.deb" >/dev/null
done
ls "$bau"/*.deb
lintian --fail-on error,warning --tag-display-limit 0 "$bau"/quadrix_"$version"_"$arch".deb "$bau"/mtbq_"$version"_"$arch".deb \
    "$bau"/python3-quadrix_"$version"_"$arch".deb
echo "lintian: keine Fehler, keine Warnungen"
