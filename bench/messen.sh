#!/usr/bin/env bash
# The benchmarks of this tree against a baseline revision, both built for
# release and run alternately in one run, so that the machine's mood falls on
# both alike. Prints for every figure the new value, the baseline's, their
# ratio and the target, and marks every missed target plainly.
#
#   bash bench/messen.sh [BASIS] [RUNDEN]
#     BASIS   a git revision (default: the last release tag, release-*)
#     RUNDEN  alternating rounds, medians taken (default 3)
# Start-up needs a display: it runs under Xvfb with a window manager.
set -euo pipefail
cd "$(dirname "$0")/.."
basis=${1:-$(git describe --tags --abbrev=0 --match 'release-*' 2>/dev/null || true)}
[ -n "$basis" ] || { echo "messen: keine Basis: kein Tag release-* (bash bench/messen.sh REVISION)" >&2; exit 2; }
runden=${2:-3}
commit=$(git rev-parse --verify "$basis^{commit}") || { echo "messen: $basis ist keine Revision" >&2; exit 2; }
bash werkzeuge/einrichten.sh
ziele=(quadrix kahles_fenster bench_start bench_ordner mtbq bench_mtbq)

# This tree, and the baseline in a worktree of its own.
# A build of its own: the package build (build-release) carries Debian's hardening
# flags, which the baseline's build does not.
cmake -S . -B build-messen -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-messen --target "${ziele[@]}" >/dev/null
quelle=build-basis/quelle
if [ "$(git -C "$quelle" rev-parse HEAD 2>/dev/null || true)" != "$commit" ]; then
    git worktree remove --force "$quelle" 2>/dev/null || rm -rf "$quelle"
    git worktree prune
    git worktree add --detach "$quelle" "$commit" >/dev/null
fi
cmake -S "$quelle" -B build-basis/bau -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-basis/bau --target "${ziele[@]}" >/dev/null

anzeige=:97
Xvfb $anzeige -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
arbeit=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$arbeit"' EXIT
sleep 1
DISPLAY=$anzeige openbox >/dev/null 2>&1 &
sleep 1
# A runtime folder of our own: Qt asks for one, and says so on every start otherwise.
export XDG_RUNTIME_DIR=$arbeit/laufzeit
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One round of one build: its figures as "NAME VALUE" lines.
messe() {  # BAU
    local bau=$1
    DISPLAY=$anzeige "$bau/bench/bench_start" "${LAEUFE:-21}" "$bau/app/quadrix" "$bau/bench/kahles_fenster" |
        awk '/^  quadrix /{print "start_ms", $2} /ratio time/{print "start_verhaeltnis", $3}'
    "$bau/bench/bench_ordner" |
        awk '/file list filled/{print "ordner_ms", $4} /^  ratio/{print "ordner_verhaeltnis", $2}'
    "$bau/bench/bench_mtbq" "$bau/mtbq/mtbq" "${BENCH_ORDNER:-/tmp}" |
        awk '/^whole-second/{art="gms"} /^decimal/{art="dezimal"}
             /mtbq --batch/{print "batch_" art "_s", $3; print "batch_" art "_mzs", $5; print "batch_" art "_mib", $11}'
}
for ((r = 1; r <= runden; ++r)); do
    # Alternately first, so that neither build always meets the warmer machine.
    if ((r % 2)); then reihe=(neu basis); else reihe=(basis neu); fi
    for welcher in "${reihe[@]}"; do
        bau=build-messen; [ "$welcher" = basis ] && bau=build-basis/bau
        echo "Runde $r/$runden: $welcher" >&2
        messe "$bau" >>"$arbeit/$welcher"
    done
done

median() {  # FILE NAME
    awk -v n="$2" '$1 == n {print $2}' "$1" | sort -g | awk '{v[NR] = $1} END {if (NR) print v[int((NR + 1) / 2)]}'
}
printf '\nmessen: %s gegen %s (%s), Mediane aus %d Runden im Wechsel\n\n' \
    "$(git rev-parse --short HEAD)" "$basis" "$(git rev-parse --short "$commit")" "$runden"
printf '| %-44s | %10s | %10s | %8s | %-22s | %s\n' "figure" "new" "baseline" "new/base" "target" ""
printf '|%s|%s|%s|%s|%s|%s\n' "----------------------------------------------" "------------" "------------" "----------" "------------------------" "---"
verfehlt=0
zeile() {  # NAME LABEL TARGET-KIND TARGET-VALUE TARGET-TEXT
    local neu alt verhaeltnis ok=ja
    neu=$(median "$arbeit/neu" "$1"); alt=$(median "$arbeit/basis" "$1")
    [ -n "$neu" ] || return 0
    verhaeltnis=$(awk -v a="$neu" -v b="${alt:-0}" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}')
    case $3 in
        hoechstens) ok=$(awk -v a="$neu" -v z="$4" 'BEGIN {print (a <= z) ? "ja" : "nein"}') ;;
        mindestens) ok=$(awk -v a="$neu" -v z="$4" 'BEGIN {print (a >= z) ? "ja" : "nein"}') ;;
        nicht_langsamer) ok=$(awk -v v="$verhaeltnis" 'BEGIN {print (v == "-" || v <= 1.0) ? "ja" : "nein"}') ;;
        nicht_schneller) ok=$(awk -v v="$verhaeltnis" 'BEGIN {print (v == "-" || v >= 1.0) ? "ja" : "nein"}') ;;
    esac
    local mark=""
    if [ "$ok" = nein ]; then mark="**TARGET MISSED**"; verfehlt=$((verfehlt + 1)); fi
    printf '| %-44s | %10s | %10s | %8s | %-22s | %s\n' "$2" "$neu" "${alt:--}" "$verhaeltnis" "$5" "$mark"
}
zeile start_verhaeltnis "start-up / bare Qt window (ratio)" hoechstens 1.10 "<= 1.10"
zeile start_ms "start-up (ms)" nicht_langsamer 0 "no slower than base"
zeile ordner_verhaeltnis "folder of 100,000 files / bare listing" hoechstens 2 "<= 2"
zeile ordner_ms "folder of 100,000 files (ms)" nicht_langsamer 0 "no slower than base"
zeile batch_gms_s "mtbq --batch, 10 M whole-second lines (s)" nicht_langsamer 0 "no slower than base"
zeile batch_gms_mzs "mtbq --batch, whole-second (M lines/s)" mindestens 20 ">= 20"
zeile batch_dezimal_s "mtbq --batch, 10 M decimal lines (s)" nicht_langsamer 0 "no slower than base"
zeile batch_gms_mib "mtbq --batch, peak memory (MiB)" hoechstens 16 "< 16"
echo
if [ "$verfehlt" -gt 0 ]; then echo "messen: $verfehlt Ziele verfehlt"; else echo "messen: alle Ziele erreicht"; fi
