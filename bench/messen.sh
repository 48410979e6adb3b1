#!/usr/bin/env bash
# The benchmarks of this tree against baseline revisions, all built for
# release and run in turn in one run, so that the machine's mood falls on
# all alike. Prints for every figure the new value, each baseline's and the
# ratio to each, and the target, and marks every missed target plainly: a
# "no slower" target must hold against every baseline.
#
#   bash bench/messen.sh [BASIS ...]
#     BASIS   git revisions (default: the last release tag, release-*, or
#             f4f6bd1 where there is none, and 65f7ae2, the fastest --batch
#             of the earlier releases)
#   RUNDEN=N  rounds, medians taken (default 3)
# Start-up needs a display: it runs under Xvfb with a window manager.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
    basen=("$@")
else
    basen=("$(git describe --tags --abbrev=0 --match 'release-*' 2>/dev/null || echo f4f6bd1)" 65f7ae2)
fi
runden=${RUNDEN:-3}
commits=()
for b in "${basen[@]}"; do
    commits+=("$(git rev-parse --verify "$b^{commit}")") || { echo "messen: $b ist keine Revision" >&2; exit 2; }
done
bash werkzeuge/einrichten.sh
ziele=(quadrix kahles_fenster bench_start bench_ordner mtbq bench_mtbq)

# This tree, and each baseline in a worktree of its own.
# A build of its own: the package build (build-release) carries Debian's hardening
# flags, which the baselines' builds do not.
cmake -S . -B build-messen -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-messen --target "${ziele[@]}" >/dev/null
# The Python module of this tree (the baselines have none).
cmake --build build-messen --target _quadrix >/dev/null
baue() {  # INDEX COMMIT
    local quelle=build-basis/quelle$1 bau=build-basis/bau$1
    if [ "$(git -C "$quelle" rev-parse HEAD 2>/dev/null || true)" != "$2" ]; then
        git worktree remove --force "$quelle" 2>/dev/null || rm -rf "$quelle"
        git worktree prune
        git worktree add --detach "$quelle" "$2" >/dev/null
    fi
    cmake -S "$quelle" -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    # An older revision may lack a benchmark: its figures are left out.
    for z in "${ziele[@]}"; do cmake --build "$bau" --target "$z" >/dev/null 2>&1 || echo "messen: ${basen[$1]} hat kein $z" >&2; done
}
for i in "${!commits[@]}"; do baue "$i" "${commits[$i]}"; done

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
    [ -x "$bau/bench/bench_start" ] &&
        DISPLAY=$anzeige "$bau/bench/bench_start" "${LAEUFE:-21}" "$bau/app/quadrix" "$bau/bench/kahles_fenster" |
        awk '/^  quadrix /{print "start_ms", $2} /ratio time/{print "start_verhaeltnis", $3}'
    [ -x "$bau/bench/bench_ordner" ] && "$bau/bench/bench_ordner" |
        awk '/file list filled/{print "ordner_ms", $4} /^  ratio/{print "ordner_verhaeltnis", $2}'
    # The same benchmark (this tree's) drives every build's mtbq.
    build-messen/bench/bench_mtbq "$bau/mtbq/mtbq" "${BENCH_ORDNER:-/tmp}" |
        awk '/^whole-second/{art="gms"} /^decimal/{art="dezimal"} /^GPX/{art="gpx"}
             art != "gpx" && /mtbq --batch/{print "batch_" art "_s", $3; print "batch_" art "_mzs", $5; print "batch_" art "_mib", $11}
             art == "gpx" && /mtbq --batch .* s /{print "gpx_s", $3; print "gpx_mps", $5; print "gpx_mib", $11}'
    if [ "$bau" = build-messen ] && [ -d build-messen/python/quadrix ]; then
        PYTHONPATH=build-messen/python /usr/bin/python3 bench/bench_python.py build-messen/mtbq/mtbq |
            tee /dev/stderr | awk '/^python_faktor|^dask_verhaeltnis/'
    fi
    return 0
}
alle=(neu)
for i in "${!commits[@]}"; do alle+=("basis$i"); done
for ((r = 1; r <= runden; ++r)); do
    # Each in turn first, so that no build always meets the warmer machine.
    for ((k = 0; k < ${#alle[@]}; ++k)); do
        welcher=${alle[$(((k + r - 1) % ${#alle[@]}))]}
        bau=build-messen; [ "$welcher" != neu ] && bau=build-basis/bau${welcher#basis}
        echo "Runde $r/$runden: $welcher" >&2
        messe "$bau" >>"$arbeit/$welcher"
    done
done

median() {  # FILE NAME
    awk -v n="$2" '$1 == n {print $2}' "$1" | sort -g | awk '{v[NR] = $1} END {if (NR) print v[int((NR + 1) / 2)]}'
}
printf '\nmessen: %s gegen' "$(git rev-parse --short HEAD)"
for i in "${!basen[@]}"; do printf ' %s (%s)' "${basen[$i]}" "$(git rev-parse --short "${commits[$i]}")"; done
printf ', Mediane aus %d Runden im Wechsel\n\n' "$runden"
kopf="| $(printf '%-44s' figure) | $(printf '%10s' new) |"
strich="|----------------------------------------------|------------|"
for b in "${basen[@]}"; do
    kopf+=" $(printf '%10s' "${b:0:10}") | $(printf '%8s' "new/base") |"
    strich+="------------|----------|"
done
echo "$kopf $(printf '%-22s' target) |"
echo "$strich------------------------|---"
verfehlt=0
zeile() {  # NAME LABEL TARGET-KIND TARGET-VALUE TARGET-TEXT
    local neu alt verhaeltnis ok=ja zeile
    neu=$(median "$arbeit/neu" "$1")
    [ -n "$neu" ] || return 0
    zeile="| $(printf '%-44s' "$2") | $(printf '%10s' "$neu") |"
    for i in "${!basen[@]}"; do
        alt=$(median "$arbeit/basis$i" "$1")
        verhaeltnis=$(awk -v a="$neu" -v b="${alt:-0}" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}')
        zeile+=" $(printf '%10s' "${alt:--}") | $(printf '%8s' "$verhaeltnis") |"
        case $3 in
            nicht_langsamer) [ "$(awk -v v="$verhaeltnis" 'BEGIN {print (v == "-" || v <= 1.0) ? "ja" : "nein"}')" = ja ] || ok=nein ;;
        esac
    done
    case $3 in
        hoechstens) ok=$(awk -v a="$neu" -v z="$4" 'BEGIN {print (a <= z) ? "ja" : "nein"}') ;;
        mindestens) ok=$(awk -v a="$neu" -v z="$4" 'BEGIN {print (a >= z) ? "ja" : "nein"}') ;;
    esac
    local mark=""
    if [ "$ok" = nein ]; then mark="**TARGET MISSED**"; verfehlt=$((verfehlt + 1)); fi
    echo "$zeile $(printf '%-22s' "$5") | $mark"
}
zeile start_verhaeltnis "start-up / bare Qt window (ratio)" hoechstens 1.10 "<= 1.10"
zeile start_ms "start-up (ms)" nicht_langsamer 0 "no slower than bases"
zeile ordner_verhaeltnis "folder of 100,000 files / bare listing" hoechstens 2 "<= 2"
zeile ordner_ms "folder of 100,000 files (ms)" nicht_langsamer 0 "no slower than bases"
zeile batch_gms_s "mtbq --batch, 10 M whole-second lines (s)" nicht_langsamer 0 "no slower than bases"
zeile batch_gms_mzs "mtbq --batch, whole-second (M lines/s)" mindestens 20 ">= 20"
zeile batch_dezimal_s "mtbq --batch, 10 M decimal lines (s)" nicht_langsamer 0 "no slower than bases"
zeile batch_gms_mib "mtbq --batch, peak memory (MiB)" hoechstens 16 "< 16"
zeile gpx_mps "mtbq --batch, GPX of 1 M track points (M/s)" mindestens 1 ">= 1"
zeile gpx_mib "mtbq --batch, GPX, peak memory (MiB)" hoechstens 32 "< 32"
zeile python_faktor "Python module, 1 M points: x mtbq --batch" mindestens 3 ">= 3 (speed-up)"
zeile dask_verhaeltnis "Dask, 4 M rows: 2 workers / 1 worker" hoechstens 0.6 "<= 0.6"
echo
if [ "$verfehlt" -gt 0 ]; then echo "messen: $verfehlt Ziele verfehlt"; else echo "messen: alle Ziele erreicht"; fi
