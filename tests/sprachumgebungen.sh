#!/usr/bin/env bash
# Do the locales exist that the tests run under? One line for each that
# is missing, and a failure: without them the tests would run under C and
# fail for other reasons, or pass without testing what they say.
#
#   sprachumgebungen.sh de_DE en_US
fehlt=0
for l in "$@"; do
    locale -a 2>/dev/null | grep -qix "$l\.utf-\?8" && continue
    echo "FEHLER: die Sprachumgebung $l.UTF-8 fehlt (bash werkzeuge/einrichten.sh erzeugt sie)" >&2
    fehlt=1
done
exit $fehlt
