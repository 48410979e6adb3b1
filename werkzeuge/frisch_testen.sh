#!/usr/bin/env bash
# The README's test command on a machine that has never seen the project:
# a fresh Debian 12 root (debootstrap, minbase) gets a clone of the
# committed tree, and in it, as root with an empty environment and no
# locale but C, "bash werkzeuge/testen.sh" runs as a new user runs it. So
# a package or a set-up step that only some machine had by hand fails here.
# The packages are installed with the network (werkzeuge/einrichten.sh,
# which testen.sh runs first); the tests then run in a network namespace
# of their own, with nothing but loopback.
#
#   bash werkzeuge/frisch_testen.sh        as root; needs the Debian archive
#
# Kept outside the tree (QUADRIX_CACHE, as Qt for Windows): the base system
# as debootstrap made it, with nothing of the project's packages in it, and
# the .deb files apt downloaded, so that a second run fetches nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
quelle=$PWD
cache=${QUADRIX_CACHE:-/var/cache/quadrix}
basis=$cache/debian12-minbase.tar
downloads=$cache/apt-downloads
wurzel=${QUADRIX_FRISCH:-/var/tmp/quadrix-frisch-test}

fehlend=()
for p in debootstrap iproute2 util-linux; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${fehlend[@]}" >/dev/null
fi

start=$(date +%s)
mkdir -p "$cache" "$downloads"
if [ ! -f "$basis" ]; then
    source werkzeuge/apt_quellen.sh
    archiv=$(erste_deb_uri)
    [ -n "$archiv" ] || { echo "keine deb-Einträge in den apt-Quellen" >&2; exit 1; }
    neu=$(mktemp -d "$cache/debootstrap.XXXXXX")
    chmod 755 "$neu"    # the root's own mode: every user passes through it
    debootstrap --variant=minbase bookworm "$neu" "$archiv" >/dev/null
    tar -C "$neu" -cf "$basis.neu" . && mv "$basis.neu" "$basis"
    rm -rf "$neu"
fi

# Unmounts what is mounted in the root, deepest first, then removes it;
# never while anything is still mounted there (a bound /dev would go too).
eingehaengt() { findmnt -rn -o TARGET | awk -v w="$wurzel" '$0 == w || index($0, w "/") == 1' | sort -r; }
leeren() {
    local ziel
    [ -e "$wurzel" ] || return 0
    for ziel in $(eingehaengt); do
        umount -l "$ziel" 2>/dev/null || true
    done
    if [ -n "$(eingehaengt)" ]; then
        echo "FEHLER: in $wurzel ist noch etwas eingehängt; nicht gelöscht" >&2
        return 1
    fi
    rm -rf --one-file-system "$wurzel"
}
trap leeren EXIT
haenge() {  # QUELLE ZIEL [mount options]
    mkdir -p "$2"
    mount "${@:3}" "$1" "$2"
}

leeren
mkdir -p "$wurzel"
tar -C "$wurzel" -xf "$basis"
chmod 755 "$wurzel"
echo "Frisches Debian 12: $(( $(date +%s) - start )) s"

# apt reaches the archive as this machine does: its sources and settings,
# less the one that throws downloads away.
rm -f "$wurzel"/etc/apt/sources.list
cp -a /etc/apt/sources.list* "$wurzel/etc/apt/" 2>/dev/null || true
find /etc/apt/apt.conf.d -maxdepth 1 -type f ! -name 'docker-clean' -exec cp -a {} "$wurzel/etc/apt/apt.conf.d/" \;
cp -L /etc/resolv.conf "$wurzel/etc/resolv.conf"
# The tree as a new user clones it: what is committed, nothing else.
git clone -q --no-hardlinks "$quelle" "$wurzel/root/quadrix"

# The root a mount point of its own, as on a machine: its volume is "/".
haenge "$wurzel" "$wurzel" --bind
haenge proc "$wurzel/proc" -t proc
haenge sysfs "$wurzel/sys" -t sysfs
haenge /dev "$wurzel/dev" --bind
haenge devpts "$wurzel/dev/pts" -t devpts -o newinstance,ptmxmode=0666
haenge tmpfs "$wurzel/dev/shm" -t tmpfs
haenge "$downloads" "$wurzel/var/cache/apt/archives" --bind

# What a new user's shell has: no locale, no variables of this machine's.
vorne=()
im_stamm() {
    "${vorne[@]}" chroot "$wurzel" /usr/bin/env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "$1"
}
echo "Sprachumgebungen vorher: $(im_stamm 'locale -a 2>/dev/null | tr "\n" " "')"
schritt=$(date +%s)
im_stamm 'cd /root/quadrix && bash werkzeuge/einrichten.sh >/dev/null'
echo "Pakete im frischen Debian 12: $(( $(date +%s) - schritt )) s"

schritt=$(date +%s)
# shellcheck disable=SC2016
vorne=(unshare --net sh -c 'ip link set lo up && exec "$@"' sh)
im_stamm 'cd /root/quadrix && bash werkzeuge/testen.sh'
echo "bash werkzeuge/testen.sh im frischen Debian 12: $(( $(date +%s) - schritt )) s"
