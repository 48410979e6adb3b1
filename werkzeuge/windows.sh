#!/usr/bin/env bash
# Quadrix for Windows, built and tested on Debian: cross-builds quadrix.exe
# and mtbq.exe with mingw-w64 against a Qt built once for Windows (cached,
# see qt_windows.sh), runs the tests under Wine (the core, the windows
# offscreen, the real program under Xvfb), and makes the zip and the
# installer, which it installs, starts and uninstalls under Wine, and the
# QGIS plugin's zip with the DLL in it.
#
#   bash werkzeuge/windows.sh            everything, into build-windows/
set -euo pipefail
cd "$(dirname "$0")/.."
quelle=$PWD
bash werkzeuge/windows/einrichten.sh

start=$(date +%s)
qt=$(bash werkzeuge/qt_windows.sh | tail -n 1)
echo "Qt für Windows: $qt ($(( $(date +%s) - start )) s)"
bibliotheken=$(bash werkzeuge/windows/bibliotheken.sh | tail -n 1)
echo "Bibliotheken für Windows: $bibliotheken"

bau=$quelle/build-windows
export QUADRIX_QT_WINDOWS=$qt
export QUADRIX_WINEPREFIX=$bau/wine
cmake -S . -B "$bau" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$quelle/werkzeuge/windows/mingw64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DQUADRIX_BIBLIOTHEKEN="$bibliotheken" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$quelle/werkzeuge/windows/wine.sh" >/dev/null
cmake --build "$bau"
bash werkzeuge/windows/ressourcen_pruefen.sh "$bau/app/quadrix.exe" "$bau/mtbq/mtbq.exe"

# Tests under Wine, one at a time: they share one Wine server.
ctest --test-dir "$bau" --output-on-failure --timeout 300

# The same input to the Linux mtbq and to mtbq.exe: the same bytes out.
cmake -S . -B build-vergleich -G Ninja -DQUADRIX_FENSTER=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null
cmake --build build-vergleich --target mtbq
bash tests/mtbq_vergleich.sh build-vergleich/mtbq/mtbq werkzeuge/windows/wine.sh "$bau/mtbq/mtbq.exe"
# Umlauts in a console window, UTF-8 into files and pipes.
bash tests/mtbq_konsole_wine.sh werkzeuge/windows/wine.sh "$bau/mtbq/mtbq.exe"

bash werkzeuge/windows/paket.sh "$bau" "$qt" "$bibliotheken"
bash tests/e2e/durchgang_wine.sh "$bau/paket/Quadrix"
# GPS files and photos dragged from a Linux program onto quadrix.exe.
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target ziehquelle
bash tests/e2e/punkte_wine.sh "$bau/paket/Quadrix" build/tests/ziehquelle
bash werkzeuge/windows/installer_pruefen.sh "$bau"/Quadrix-*-Setup.exe
# The QGIS plugin for both platforms in one zip: installed from it and run by
# qgis_process, and its DLL, as packed, through the C test under Wine.
cmake --build build --target quadrixc
version=$(sed -n 's/^project(Quadrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
erweiterung=$bau/paket/quadrix_mtb-$version.zip
bash werkzeuge/qgis_erweiterung.sh "$erweiterung" build/schnittstelle/libquadrixc.so "$bau/schnittstelle/quadrixc.dll"
bash tests/qgis_test.sh build-vergleich/mtbq/mtbq "" "$erweiterung"
entpackt=$(mktemp -d)
unzip -q "$erweiterung" -d "$entpackt"
werkzeuge/windows/wine.sh "$bau/tests/schnittstelle_test.exe" "$entpackt/quadrix_mtb/lib/windows-x86_64/quadrixc.dll" \
    "$entpackt/quadrix_mtb/lib"
rm -rf "$entpackt"
echo "Windows: fertig in $(( $(date +%s) - start )) s"
