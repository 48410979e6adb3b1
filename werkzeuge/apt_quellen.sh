#!/usr/bin/env bash
# The machine's own apt sources, read rather than written into the tree, so
# that the scripts work wherever apt is set up to reach the archive.
#
#   source werkzeuge/apt_quellen.sh
#   quellen_deb_src > DATEI.sources   every enabled deb entry as deb-src
#   erste_deb_uri                      the URI of the first enabled deb entry
#
# Both read /etc/apt/sources.list (one-line form) and the *.list and *.sources
# (deb822) files of /etc/apt/sources.list.d; APT_QUELLEN_WURZEL replaces /etc/apt
# for tests.

_apt_wurzel() { echo "${APT_QUELLEN_WURZEL:-/etc/apt}"; }

# deb822 stanzas whose Types name deb, with the Types line made deb-src; all
# other fields (URIs, Suites, Components, Signed-By, options) kept as they are.
_deb822_als_deb_src() {
    awk '
        function ausgeben() {
            if (hat_deb && !aus) { printf "%s", block; print "" }
            block = ""; hat_deb = 0; aus = 0
        }
        /^[[:space:]]*#/ { next }
        /^[[:space:]]*$/ { ausgeben(); next }
        tolower($1) == "types:" {
            for (i = 2; i <= NF; i++) if ($i == "deb") hat_deb = 1
            block = block "Types: deb-src\n"; next
        }
        tolower($1) == "enabled:" && tolower($2) == "no" { aus = 1 }
        { block = block $0 "\n" }
        END { ausgeben() }
    ' "$@"
}

# One-line entries "deb [opts] URI SUITE COMPONENT..." as deb822 stanzas.
_einzeilig_als_deb_src() {
    awk '
        /^[[:space:]]*deb[[:space:]]/ {
            sub(/^[[:space:]]*deb[[:space:]]+/, "")
            opts = ""
            if ($0 ~ /^\[/) { opts = substr($0, 2, index($0, "]") - 2); sub(/^\[[^]]*\][[:space:]]*/, "") }
            n = split($0, f, /[[:space:]]+/)
            print "Types: deb-src"; print "URIs: " f[1]; print "Suites: " f[2]
            komp = ""; for (i = 3; i <= n; i++) komp = komp (i > 3 ? " " : "") f[i]
            if (komp != "") print "Components: " komp
            m = split(opts, o, /[[:space:]]+/)
            for (i = 1; i <= m; i++) if (o[i] ~ /^signed-by=/) print "Signed-By: " substr(o[i], 11)
            print ""
        }
    ' "$@"
}

# In apt's own order: sources.list, then sources.list.d by name.
quellen_deb_src() {
    local w f; w=$(_apt_wurzel)
    for f in "$w/sources.list" "$w"/sources.list.d/*; do
        [ -f "$f" ] || continue
        case $f in
            *.sources) _deb822_als_deb_src "$f" ;;
            */sources.list|*.list) _einzeilig_als_deb_src "$f" ;;
        esac
    done
}

erste_deb_uri() {
    quellen_deb_src | awk 'tolower($1) == "uris:" { print $2; exit }'
}
