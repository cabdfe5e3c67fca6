#!/usr/bin/env bash
# Checks that #include lines point only downward: each folder may include the folders
# listed for it and nothing above. The library never reaches frontend/ or app/.
# Prints every offending line and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [platform]="platform"
  [core]="core"
  [machine]="platform core machine"
  [tape]="platform core machine tape"
  [snapshots]="platform core machine tape snapshots"
  [storage]="platform core machine storage"
  [debugger]="platform core machine tape snapshots storage debugger"
  [frontend]="platform core machine tape snapshots storage debugger frontend"
  [bench]="platform core machine tape snapshots storage debugger app bench"
  [fuzz]="platform core machine tape snapshots storage debugger fuzz"
)

status=0
for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r hit; do
    target=${hit#*#include \"}
    target=${target%%/*}
    case " ${allowed[$folder]} " in
      *" $target "*) ;;
      *) echo "layering: $folder/ may not include $target/: $hit"; status=1 ;;
    esac
  done < <(grep -rnE '^\s*#\s*include\s+"[a-z_]+/' "$folder" --include='*.cpp' --include='*.h' || true)
done
[ $status -eq 0 ] && echo "layering: every include points downward"
exit $status
