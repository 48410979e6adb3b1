#!/usr/bin/env bash
# werkzeuge/apt_quellen.sh: the machine's deb entries as deb-src entries, in
# apt's order, both file forms, disabled stanzas left out; the first deb URI.
set -uo pipefail
source "$(dirname "$0")/../werkzeuge/apt_quellen.sh"
wurzel=$(mktemp -d)
trap 'rm -rf "$wurzel"' EXIT
mkdir -p "$wurzel/sources.list.d"
export APT_QUELLEN_WURZEL=$wurzel
fehler=0 geprueft=0
gleich() { geprueft=$((geprueft + 1)); [ "$2" = "$3" ] || { echo "FAIL: $1: '$2' (expected '$3')"; fehler=$((fehler + 1)); }; }

gleich "no sources" "$(quellen_deb_src)$(erste_deb_uri)" ""
printf '# deb http://aus.example/debian bookworm main\ndeb-src http://quelle.example/debian bookworm main\n' >"$wurzel/sources.list"
printf 'deb [arch=amd64 signed-by=/k.gpg] http://eins.example/debian bookworm main contrib\n' >>"$wurzel/sources.list"
printf 'Types: deb deb-src\nURIs: http://aus.example/d\nSuites: s\nComponents: main\nEnabled: no\n\n' >"$wurzel/sources.list.d/a.sources"
printf '# a comment\nTypes: deb\nURIs: http://zwei.example/d\nSuites: s t\nComponents: main\nSigned-By: /z.gpg\n' >>"$wurzel/sources.list.d/a.sources"
printf 'deb http://drei.example/debian bookworm-security main\n' >"$wurzel/sources.list.d/b.list"
printf 'deb http://nicht.example/ x y\n' >"$wurzel/sources.list.d/c.list.disabled"
gleich "deb-src entries" "$(quellen_deb_src)" "$(printf '%s\n' 'Types: deb-src' 'URIs: http://eins.example/debian' \
    'Suites: bookworm' 'Components: main contrib' 'Signed-By: /k.gpg' '' 'Types: deb-src' 'URIs: http://zwei.example/d' \
    'Suites: s t' 'Components: main' 'Signed-By: /z.gpg' '' 'Types: deb-src' 'URIs: http://drei.example/debian' \
    'Suites: bookworm-security' 'Components: main')"
gleich "first deb URI" "$(erste_deb_uri)" "http://eins.example/debian"
rm "$wurzel/sources.list"
gleich "first deb URI from deb822" "$(erste_deb_uri)" "http://zwei.example/d"
echo "$((geprueft - fehler)) passed, $fehler failed"
[ "$fehler" = 0 ]
