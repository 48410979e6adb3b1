#!/usr/bin/env bash
# Makes docs/hauptfenster.png: the main window after a session of the
# end-to-end test (real program, Xvfb, window manager).
set -euo pipefail
cd "$(dirname "$0")/.."
bash werkzeuge/einrichten.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target quadrix
bash tests/e2e/durchgang.sh build/app/quadrix docs/hauptfenster.png
