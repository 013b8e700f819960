#!/usr/bin/env bash
# Time and peak memory of reading big rule files, natively and without
# sanitizers. Measurements, not tests.
#   tools/bench_rules.sh
# 1. Loading one section, the last, from files of 1, 10 and 100 MB: the loader
#    is palimoor.exe's own code, run through "palimoorctl explain".
# 2. "palimoorctl check" on files of 1, 4 and 16 MB, without findings and
#    with one warning in every section.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=build/native
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DPALIMOOR_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target palimoorctl >/dev/null
ctl=$build/palimoorctl
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() { # output file, command...: prints "peak-KB seconds"
  local out=$1; shift
  /usr/bin/time -f "%M %e" -o "$work/time" "$@" >"$out" || true
  cat "$work/time"
}

echo "Loading the last section (palimoorctl explain FILE Last)"
printf '%8s  %12s  %8s\n' "file" "peak memory" "time"
for size in 1 10 100; do
  python3 tools/make_big_rule.py "$size" "$work/rules.ini"
  read -r kilobytes seconds < <(measure /dev/null "$ctl" explain "$work/rules.ini" Last)
  printf '%6s MB  %9s KB  %6s s\n' "$size" "$kilobytes" "$seconds"
done

echo
echo "Checking the whole file (palimoorctl check FILE)"
printf '%8s  %-15s  %8s  %12s  %8s\n' "file" "findings" "lines" "peak memory" "time"
for size in 1 4 16; do
  for kind in none one-per-section; do
    option=""
    [ "$kind" = none ] || option=--findings
    python3 tools/make_big_rule.py "$size" "$work/rules.ini" $option
    read -r kilobytes seconds < <(measure "$work/out" "$ctl" check "$work/rules.ini")
    printf '%6s MB  %-15s  %8s  %9s KB  %6s s\n' "$size" "$kind" "$(wc -l <"$work/out")" \
      "$kilobytes" "$seconds"
  done
done
