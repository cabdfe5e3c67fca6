#!/usr/bin/env bash
# Brings translations/*.ts up to date with the front end's sources (new strings
# come in marked unfinished, strings gone from the sources go), then lists what
# still needs translating. Edit the .ts files (Qt Linguist, or by hand: fill the
# <translation> and drop type="unfinished"), and run `ctest -R translations`.
# Usage: scripts/update-translations.sh [build-dir]
set -euo pipefail
build=${1:-build}
cmake --build "$build" --target tarvolinde_frontend_lupdate
cd "$(dirname "$0")/.."
status=0
for ts in translations/*.ts; do
  left=$(grep -c 'type="unfinished"' "$ts" || true)
  echo "$ts: $left unfinished"
  [ "$left" -eq 0 ] || status=1
done
exit $status
