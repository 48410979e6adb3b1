#!/usr/bin/env bash
# Runs a test program as an ordinary user. Root may write every file whatever
# its permissions, so the tests of read-only files need somebody else: as
# root, the program runs as "nobody" (setpriv), from a copy in a folder of
# that user's, with that folder as its home and temporary folder.
#   als_benutzer.sh PROGRAMM [ARGUMENTE...]
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
heim=$(mktemp -d /tmp/quadrix-benutzer.XXXXXX)
trap 'rm -rf "$heim"' EXIT
programm=$heim/$(basename "$1")
cp "$1" "$programm"
shift
# The sanitizers' suppressions travel along.
if [[ ${LSAN_OPTIONS:-} =~ suppressions=([^:]*) ]]; then
    cp "${BASH_REMATCH[1]}" "$heim/lsan.supp"
    LSAN_OPTIONS=${LSAN_OPTIONS/${BASH_REMATCH[1]}/$heim/lsan.supp}
fi
chown -R nobody:nogroup "$heim"
cd "$heim"
status=0
setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME="$heim" TMPDIR="$heim" XDG_RUNTIME_DIR="$heim" "$programm" "$@" || status=$?
exit $status
