#!/usr/bin/env bash
# Installs the Debian packages that the Windows build, its tests under Wine and
# the installer need, where they are missing.
set -euo pipefail
pakete=(
    cmake ninja-build dpkg-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    googletest
    wine wine64 nsis zip unzip locales
    xvfb openbox xdotool imagemagick x11-utils
)
fehlend=()
for p in "${pakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
[ ${#fehlend[@]} -eq 0 ] && exit 0
als_root=()
[ "$(id -u)" -eq 0 ] || als_root=(sudo)
echo "Installiere: ${fehlend[*]}"
"${als_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
