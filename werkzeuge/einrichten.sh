#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quadrix
# need, where they are missing, and makes the locales the tests run under.
# Runs as root or through sudo.
set -euo pipefail
hier=$(cd "$(dirname "$0")" && pwd)

pakete=(
    cmake ninja-build g++ pkg-config dpkg-dev git
    qt6-base-dev qt6-translations-l10n libgl-dev
    libgtest-dev
    libexpat1-dev libminizip-dev zlib1g-dev libexif-dev libxlsxwriter-dev libimage-exiftool-perl python3 time locales
    fonts-liberation2
    xvfb openbox xdotool xclip imagemagick x11-utils x11-xkb-utils xkb-data
    proj-data proj-bin gdal-bin librsvg2-bin geographiclib-tools
    pybind11-dev python3-pybind11 python3-numpy python3-pandas python3-dask python3-distributed
    qgis python3-qgis zip
)

fehlend=()
for p in "${pakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
    als_root=()
    [ "$(id -u)" -eq 0 ] || als_root=(sudo)
    echo "Installiere: ${fehlend[*]}"
    "${als_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi
bash "$hier/sprachumgebungen.sh"
