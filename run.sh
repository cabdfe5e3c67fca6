#!/usr/bin/env bash
# Installs what the project needs, builds it and starts the emulator.
# Arguments are passed to the emulator (e.g. a file to open).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
scripts/place-default-roms.sh build
if [ -x build/tarvolinde ]; then
  exec build/tarvolinde "$@"
fi
echo "The desktop window is not built yet; running the headless runner instead." >&2
exec build/tarvolinde-cli "$@"
