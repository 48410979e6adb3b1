#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for a bounded
# time from its seed corpus (the inputs of faults found before). Prints
# each harness's runs and coverage; fails on any crash or broken property.
#   bash werkzeuge/fuzzen.sh [SEKUNDEN]     (default 60 per harness)
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden=${1:-60}
pakete=(clang-14 libclang-rt-14-dev cmake ninja-build)
fehlend=()
for p in "${pakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
    als_root=(); [ "$(id -u)" -eq 0 ] || als_root=(sudo)
    "${als_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi
bau=build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRIX_FENSTER=OFF \
    -DQUADRIX_FUZZ=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null
cmake --build "$bau" --target fuzz_punkt fuzz_stapel fuzz_code fuzz_fundort fuzz_gitter fuzz_ntv2 fuzz_formate fuzz_mtbq \
    fuzz_xml fuzz_kmz fuzz_geojson_punkte fuzz_foto fuzz_reihen
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# A pointer kept past its function (a crash of mtbq --verbose once) is found only so.
export ASAN_OPTIONS=detect_stack_use_after_return=1
gesamt=0
for name in fuzz_punkt fuzz_stapel fuzz_code fuzz_fundort fuzz_gitter fuzz_ntv2 fuzz_formate fuzz_mtbq \
    fuzz_xml fuzz_kmz fuzz_geojson_punkte fuzz_foto fuzz_reihen; do
    korpus=$bau/korpus/$name
    mkdir -p "$korpus"
    log=$bau/$name.log
    woerter=(); [ -f "tests/fuzz/$name.dict" ] && woerter=(-dict="tests/fuzz/$name.dict")
    if ! "$bau/tests/fuzz/$name" "${woerter[@]}" -max_total_time="$sekunden" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$bau/" \
        "$korpus" "tests/fuzz/korpus/$name" >"$log" 2>&1; then
        tail -40 "$log" >&2
        echo "$name: FEHLER (Absturz oder verletzte Eigenschaft; Eingabe siehe crash-* oben)" >&2
        exit 1
    fi
    zeile=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)
    echo "$name: $zeile"
    gesamt=$((gesamt + 1))
done
echo "$gesamt passed, 0 failed"
