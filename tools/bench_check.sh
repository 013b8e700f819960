#!/usr/bin/env bash
# Time and peak memory of "palimoorctl check" on rule files of 1, 4 and 16 MB,
# without findings and with one warning in every section: natively, without
# sanitizers. A measurement, not a test.
#   tools/bench_check.sh [SIZE_MB...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 4 16)
build=build/native
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DPALIMOOR_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target palimoorctl >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%8s  %-14s  %8s  %12s  %8s\n' "file" "findings" "lines" "peak memory" "time"
for size in "${sizes[@]}"; do
  for kind in none one-per-section; do
    option=""
    [ "$kind" = none ] || option=--findings
    python3 tools/make_big_rule.py "$size" "$work/rules.ini" $option
    /usr/bin/time -f "%M %e" -o "$work/time" "$build/palimoorctl" check "$work/rules.ini" \
      >"$work/out" || true
    read -r kilobytes seconds <"$work/time"
    printf '%6s MB  %-14s  %8s  %9s KB  %6s s\n' "$size" "$kind" "$(wc -l <"$work/out")" \
      "$kilobytes" "$seconds"
  done
done
