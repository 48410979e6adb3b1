#!/usr/bin/env bash
# Runs a Windows program under Wine with what it needs: its own Wine prefix,
# the mingw runtime and Qt DLLs on the path, no Wine chatter.
#   QUADRIX_QT_WINDOWS   the Qt built for Windows (bin/, plugins/)
#   QUADRIX_WINEPREFIX   the prefix (default: one in the temporary folder)
#   QUADRIX_WINE_NACKT=1 nothing on the path: a shipped program must bring all it needs
set -euo pipefail
export WINEPREFIX=${QUADRIX_WINEPREFIX:-${TMPDIR:-/tmp}/quadrix-wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi
zuWindows() { echo "Z:${1//\//\\}"; }
pfade=()
if [ -z "${QUADRIX_WINE_NACKT:-}" ]; then
    pfade=("/usr/lib/gcc/x86_64-w64-mingw32/12-posix" "/usr/x86_64-w64-mingw32/lib")
    [ -n "${QUADRIX_QT_WINDOWS:-}" ] && pfade+=("$QUADRIX_QT_WINDOWS/bin")
fi
winepath=""
for p in "${pfade[@]}"; do winepath+="$(zuWindows "$p");"; done
# Only when there is something to add: an empty entry would lead Windows' PATH.
if [ -n "$winepath" ]; then export WINEPATH="$winepath"; else unset WINEPATH; fi
if [ -n "${QUADRIX_QT_WINDOWS:-}" ] && [ -z "${QUADRIX_WINE_NACKT:-}" ]; then
    export QT_PLUGIN_PATH
    QT_PLUGIN_PATH=$(zuWindows "$QUADRIX_QT_WINDOWS/plugins")
fi
exec wine "$@"
