#!/usr/bin/env bash
# Builds the Debian package quadrix_VERSION_ARCH.deb in build-release/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash werkzeuge/einrichten.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target quadrix
(cd build-release && cpack)
ls build-release/quadrix_*.deb
