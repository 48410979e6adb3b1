#!/usr/bin/env bash
# Window titles under a locale that does not exist, under plain C and with
# no locale set at all: the real quadrix under Xvfb refuses a pasted "7.5",
# and the title of its message reaches the window manager as written, in
# WM_NAME (which xdotool and older window managers read) as in
# _NET_WM_NAME. Under a character set that is no UTF-8, Xlib would write
# "Quadrix – nicht übernommen" into WM_NAME garbled.
#
#   zeichensatz.sh QUADRIX
set -euo pipefail

quadrix=$(readlink -f "$1")
arbeit=$(mktemp -d /tmp/quadrix-zeichensatz.XXXXXX)
log=$arbeit/quadrix.log
titel="Quadrix – nicht übernommen"

fehler() { echo "FEHLER: $*" >&2; [ -f "$log" ] && sed 's/^/  quadrix: /' "$log" >&2; exit 1; }

source "$(dirname "$0")/x_sitzung.sh"
aufraeumen() {
    kill "${programm:-}" "${ablage:-}" 2>/dev/null || true
    x_sitzung_beenden
    rm -rf "$arbeit"
}
trap aufraeumen EXIT
x_sitzung_starten 90 120 "$arbeit"
unset QT_QPA_PLATFORM
export XDG_CONFIG_HOME=$arbeit/einstellungen XDG_CACHE_HOME=$arbeit/cache
export QUADRIX_KACHELN='http://127.0.0.1:9/{z}/{x}/{y}.png'
locale -a 2>/dev/null | grep -qix 'xx_XX\.utf-\?8' && fehler "xx_XX.UTF-8 soll es nicht geben"

ordnername="Fundorte Wälder"
nummer=1
fenster() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1; }

# NAME UMGEBUNG...: one start of the program under the environment given.
durchlauf() {
    local name=$1 haupt meldung wm net
    shift
    (cd "$arbeit" && exec env -u LC_ALL -u LANG -u LC_CTYPE -u LANGUAGE "$@" "$quadrix") >"$log" 2>&1 &
    programm=$!
    haupt=$(fenster "^MTB - Bestimmung$") || fehler "$name: Hauptfenster erscheint nicht"
    xdotool windowactivate --sync "$haupt" 2>/dev/null || true
    sleep 0.3
    # A file in a folder whose name holds an umlaut: made where it was chosen.
    mkdir -p "$arbeit/$ordnername"
    neue_datei "$arbeit/$ordnername" "funde_$nummer"
    nummer=$((nummer + 1))
    printf '7.5' | xclip -selection clipboard -quiet >/dev/null 2>&1 &
    ablage=$!
    sleep 0.5
    klick "$haupt" 180 313                 # txtMinN
    taste ctrl+v
    # Found by the ASCII part of the title, which survives any character set.
    meldung=$(timeout 10 xdotool search --sync --onlyvisible --name "^Quadrix .* nicht .*bernommen$" | head -1) || true
    [ -n "$meldung" ] || fehler "$name: keine Ablehnung nach dem Einfügen von 7.5"
    wm=$(xprop -id "$meldung" WM_NAME | sed 's/^[^=]*= "\(.*\)"$/\1/')
    net=$(xprop -id "$meldung" _NET_WM_NAME | sed 's/^[^=]*= "\(.*\)"$/\1/')
    [ "$net" = "$titel" ] || fehler "$name: _NET_WM_NAME ist \"$net\""
    [ "$wm" = "$titel" ] || fehler "$name: WM_NAME ist \"$wm\" statt \"$titel\""
    fenster "^$titel\$" >/dev/null || fehler "$name: xdotool findet \"$titel\" nicht"
    echo "$name: WM_NAME \"$wm\""
    taste Return
    kill "$ablage" "$programm" 2>/dev/null || true
    wait "$programm" 2>/dev/null || true
}

durchlauf "fehlende Sprachumgebung" LC_ALL=xx_XX.UTF-8 LANG=xx_XX.UTF-8
durchlauf "LC_ALL=C" LC_ALL=C
durchlauf "keine Sprachumgebung gesetzt"
echo "Fenstertitel unter jeder Sprachumgebung richtig."
