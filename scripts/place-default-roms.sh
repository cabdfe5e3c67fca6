#!/usr/bin/env bash
# Puts OpenSE BASIC stand-ins beside the executables in DIR for the ROM files
# that are not there, so that a fresh machine boots without Sinclair's ROMs.
# Never overwrites a file that is there.
set -euo pipefail
dir=${1:?usage: place-default-roms.sh DIR}
src=/usr/share/spectrum-roms
opense=$src/opense.rom
stub=$src/opense-stub.rom
[ -f "$opense" ] && [ -f "$stub" ] || { echo "OpenSE BASIC is not installed; no default ROMs placed" >&2; exit 0; }
place() {  # name, pieces...
  local name=$1; shift
  [ -e "$dir/$name" ] || cat "$@" > "$dir/$name"
}
place "48.rom" "$opense"
place "128.rom" "$stub" "$opense"
place "+2.rom" "$stub" "$opense"
place "+3.rom" "$stub" "$opense" "$stub" "$opense"
