#!/usr/bin/env bash
# Peak memory of loading one section from rule files of 1, 10 and 100 MB, the
# selected section last: the loader is palimoor.exe's own code, run natively
# through "palimoorctl explain" (no sanitizers). A measurement, not a test.
#   tools/peak_memory.sh [SIZE_MB...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 10 100)
build=build/native
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DPALIMOOR_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target palimoorctl >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%8s  %12s  %8s\n' "file" "peak memory" "time"
for size in "${sizes[@]}"; do
  python3 tools/make_big_rule.py "$size" "$work/rules.ini"
  /usr/bin/time -f "%M %e" -o "$work/time" "$build/palimoorctl" explain "$work/rules.ini" Last \
    >/dev/null
  read -r kilobytes seconds <"$work/time"
  printf '%6s MB  %9s KB  %6s s\n' "$size" "$kilobytes" "$seconds"
done
