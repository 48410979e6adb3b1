#!/usr/bin/env bash
# Builds a release and runs the benchmarks; start-up needs a display, so it
# runs under Xvfb with a window manager.
set -euo pipefail
cd "$(dirname "$0")/.."
bash werkzeuge/einrichten.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target quadrix kahles_fenster bench_start bench_ordner mtbq bench_mtbq

anzeige=:97
Xvfb $anzeige -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
DISPLAY=$anzeige openbox >/dev/null 2>&1 &
sleep 1
DISPLAY=$anzeige ./build-release/bench/bench_start "${LAEUFE:-21}" ./build-release/app/quadrix ./build-release/bench/kahles_fenster
./build-release/bench/bench_ordner
./build-release/bench/bench_mtbq ./build-release/mtbq/mtbq "${BENCH_ORDNER:-/tmp}"
