#!/usr/bin/env bash
# Installs the package into a fresh Debian 12 (debootstrap, as root) with
# "apt install ./quadrix_*.deb" and starts the program there under Xvfb until
# its window is painted. Needs network access to the Debian archive, taken
# from the machine's own apt sources (the first deb entry).
set -euo pipefail
cd "$(dirname "$0")/.."
paket=$(ls build-release/quadrix_*.deb | head -1)
wurzel=${1:-/var/tmp/quadrix-frisch}
source werkzeuge/apt_quellen.sh
archiv=$(erste_deb_uri)
[ -n "$archiv" ] || { echo "keine deb-Einträge in den apt-Quellen" >&2; exit 1; }
[ -x "$wurzel/bin/bash" ] || debootstrap --variant=minbase bookworm "$wurzel" "$archiv"
cp "$paket" "$wurzel/tmp/"
mount -t proc proc "$wurzel/proc"
trap 'umount "$wurzel/proc"' EXIT
chroot "$wurzel" /bin/bash -euc "
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq /tmp/$(basename "$paket") xvfb >/dev/null
    Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    sleep 1
    DISPLAY=:7 QUADRIX_STARTMESSUNG=1 timeout 30 quadrix
    echo 'Quadrix startet im frischen Debian 12.'
    kill %1
"
