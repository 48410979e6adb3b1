#!/usr/bin/env bash
# Installs the packages into a fresh Debian 12 (debootstrap, as root) with
# "apt install ./quadrix_*.deb ./python3-quadrix_*.deb", starts the program
# there under Xvfb until its window is painted, and codes a point with the
# Python module. Needs network access to the Debian archive, taken
# from the machine's own apt sources (the first deb entry).
set -euo pipefail
cd "$(dirname "$0")/.."
paket=$(ls build-release/quadrix_*.deb | head -1)
python=$(ls build-release/python3-quadrix_*.deb | head -1)
command -v debootstrap >/dev/null || { apt-get update -qq; DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap; }
wurzel=${1:-/var/tmp/quadrix-frisch}
source werkzeuge/apt_quellen.sh
archiv=$(erste_deb_uri)
[ -n "$archiv" ] || { echo "keine deb-Einträge in den apt-Quellen" >&2; exit 1; }
[ -x "$wurzel/bin/bash" ] || debootstrap --variant=minbase bookworm "$wurzel" "$archiv"
cp "$paket" "$python" "$wurzel/tmp/"
mount -t proc proc "$wurzel/proc"
trap 'umount "$wurzel/proc"' EXIT
chroot "$wurzel" /bin/bash -euc "
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq /tmp/$(basename "$paket") /tmp/$(basename "$python") xvfb >/dev/null
    Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    sleep 1
    DISPLAY=:7 QUADRIX_STARTMESSUNG=1 timeout 30 quadrix
    echo 'Quadrix startet im frischen Debian 12.'
    kill %1
    python3 -c 'import quadrix; c = quadrix.code([50.12222], [8.69167]); assert list(c) == [\"5818/3/3/2/1/1\"], c; print(\"import quadrix: \" + c[0])'
"
