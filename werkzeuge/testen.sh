#!/usr/bin/env bash
# Sets up, builds and runs every test, headless. With --sanitizer the same
# in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash werkzeuge/einrichten.sh

verzeichnis=build
optionen=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitizer" ]; then
    verzeichnis=build-sanitizer
    optionen=(-DCMAKE_BUILD_TYPE=Debug -DQUADRIX_SANITIZER=ON)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    # Leaks inside the system's font and GL libraries are not ours.
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
fi
cmake -S . -B "$verzeichnis" -G Ninja "${optionen[@]}" >/dev/null
cmake --build "$verzeichnis"
ctest --test-dir "$verzeichnis" --output-on-failure -j2
