#!/usr/bin/env bash
# Prints the lines of product code, the lines of test code and their ratio.
# Product: C++ sources of the library, the front end and the programs.
# Tests: every source and build file under tests/ (data files such as expected-output
# lists, suppressions and crafted images are not counted).
set -euo pipefail
cd "$(dirname "$0")/.."

count_lines() { if [ $# -eq 0 ]; then echo 0; else cat "$@" | wc -l; fi; }

mapfile -t product < <(find core machine tape snapshots storage debugger platform frontend app \
  -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
mapfile -t tests < <(find tests -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' \
  -o -name 'CMakeLists.txt' -o -name '*.sh' -o -name '*.py' \) | sort)

product_lines=$(count_lines "${product[@]}")
test_lines=$(count_lines "${tests[@]}")
awk -v p="$product_lines" -v t="$test_lines" \
  'BEGIN { printf "product: %d lines\ntests: %d lines\nratio: %.3f\n", p, t, (p ? t / p : 0) }'
