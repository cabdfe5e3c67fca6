#!/usr/bin/env bash
# Installs what the project needs, builds it and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
scripts/place-default-roms.sh build
scripts/test-ratio.sh
cd build
ctest --output-on-failure -j2 --timeout 900
