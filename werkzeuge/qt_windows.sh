#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Network with the Schannel TLS
# backend, Test, the windows and offscreen platform plugins) for Windows x86-64 from Debian's own qt6-base source, with
# Debian's Qt 6.4.2 as the host tools, into a cache folder outside the tree.
# A finished build is reused: the script then only prints the folder.
#
#   bash werkzeuge/qt_windows.sh          prints the Qt prefix on its last line
#   QUADRIX_CACHE=/somewhere bash ...     another cache folder
set -euo pipefail
hier=$(cd "$(dirname "$0")" && pwd)
cache=${QUADRIX_CACHE:-/var/cache/quadrix}
# The key changes whenever the way Qt is configured changes: the contents
# of this script and the toolchain file, wherever the tree lies.
schluessel=$(cat "$0" "$hier/windows/mingw64.cmake" | sha256sum | cut -c1-12)
prefix=$cache/qt-6.4.2-mingw64-$schluessel

if [ -f "$prefix/.fertig" ]; then
    echo "$prefix"
    exit 0
fi

bash "$hier/windows/einrichten.sh"

arbeit=$cache/qt-bau-$schluessel
rm -rf "$arbeit"
mkdir -p "$arbeit"
cd "$arbeit"

# Debian's source package. Without deb-src entries, the machine's own deb
# entries are taken as deb-src entries with the same URIs and suites.
quellen=/etc/apt/sources.list.d/quadrix-deb-src.sources
if ! apt-get source --download-only --dry-run qt6-base >/dev/null 2>&1; then
    # shellcheck source=werkzeuge/apt_quellen.sh
    source "$hier/apt_quellen.sh"
    quellen_deb_src > "$quellen"
    [ -s "$quellen" ] || { echo "qt6-base: keine deb-Einträge in den apt-Quellen" >&2; exit 1; }
    # Some mirrors of other programs offer no sources; apt-get source says so below.
    apt-get update -qq || true
fi
apt-get source -qq qt6-base=6.4.2+dfsg-10 >/dev/null 2>&1 || apt-get source -qq qt6-base >/dev/null
quelle=$(find "$arbeit" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$quelle" ] || { echo "qt6-base: Quelle nicht gefunden" >&2; exit 1; }

mkdir -p bau
cd bau
echo "Qt für Windows: Konfiguration ($(date +%T))"
cmake -S "$quelle" -B . -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$hier/windows/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_network=ON -DFEATURE_schannel=ON -DFEATURE_openssl=OFF -DFEATURE_networkdiskcache=ON \
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON \
    > konfiguration.log 2>&1 || { tail -40 konfiguration.log >&2; exit 1; }

echo "Qt für Windows: Bau ($(date +%T))"
ziele=(Core Gui Widgets Network Test QWindowsIntegrationPlugin QOffscreenIntegrationPlugin QWindowsVistaStylePlugin
    QSchannelBackendPlugin)
ninja -j"$(nproc)" "${ziele[@]}" > bau.log 2>&1 || { tail -40 bau.log >&2; exit 1; }
# Installing runs the whole default build; what remains is small (entry point, headers, cmake files).
ninja -j"$(nproc)" install > installation.log 2>&1 || { tail -40 installation.log >&2; exit 1; }

touch "$prefix/.fertig"
cd /
rm -rf "$arbeit"
echo "Qt für Windows: fertig ($(date +%T))"
echo "$prefix"
