#!/usr/bin/env bash
# Sets up, builds and starts Quadrix.
set -euo pipefail
cd "$(dirname "$0")/.."
bash werkzeuge/einrichten.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quadrix
exec ./build/app/quadrix "$@"
