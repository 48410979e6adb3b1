#!/usr/bin/env bash
# Installs the Debian packages that the Windows build, its tests under Wine and
# the installer need, where they are missing.
set -euo pipefail
pakete=(
    cmake ninja-build dpkg-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    googletest proj-data libimage-exiftool-perl
    wine wine64 nsis zip unzip locales
    autoconf automake libtool autopoint gettext
    xvfb openbox xdotool imagemagick x11-utils x11-xkb-utils xkb-data librsvg2-bin binutils
)
fehlend=()
for p in "${pakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
als_root=()
[ "$(id -u)" -eq 0 ] || als_root=(sudo)
if [ ${#fehlend[@]} -gt 0 ]; then
    echo "Installiere: ${fehlend[*]}"
    "${als_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi
# Wine takes the Windows locale from the Unix one, which must exist: German
# for the decimal comma of the records.
bash "$(dirname "$0")/../sprachumgebungen.sh"
