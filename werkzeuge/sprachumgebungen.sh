#!/usr/bin/env bash
# Makes the locales the tests run under, where they are missing: German
# (decimal comma in the records, the Windows locale Wine derives from it)
# and US English (decimal point). Needs the package locales; runs as root
# or through sudo. A locale named by glibc as de_DE.utf8 counts.
set -euo pipefail
als_root=()
[ "$(id -u)" -eq 0 ] || als_root=(sudo)
fehlend=()
for l in de_DE en_US; do
    locale -a 2>/dev/null | grep -qix "$l\.utf-\?8" || fehlend+=("$l")
done
[ ${#fehlend[@]} -eq 0 ] && exit 0
echo "Erzeuge die Sprachumgebungen: ${fehlend[*]/%/.UTF-8}"
for l in "${fehlend[@]}"; do
    "${als_root[@]}" sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" | "${als_root[@]}" tee -a /etc/locale.gen >/dev/null
done
"${als_root[@]}" locale-gen >/dev/null
