#!/usr/bin/env bash
# Time and peak memory of reading big rule files, natively and without
# sanitizers. Measurements, not tests.
#   tools/bench_rules.sh
# 1. Loading one section, the last, from files of 1, 10 and 100 MB: the loader
#    is palimoor.exe's own code, run through "palimoorctl explain".
# 2. "palimoorctl check" on files of 1, 4 and 16 MB, without findings and
#    with one warning in every section.
# 3. Hostile shapes, each at two sizes, so that the growth shows: an exec
#    entry of blanks without "|", one big section of lines that each draw a
#    finding, and 40,000-character section names with a near miss asked for.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/build.sh native >/dev/null
ctl=build/native/palimoorctl
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() { # output file, command...: prints "peak-KB seconds"
  local out=$1; shift
  /usr/bin/time -q -f "%M %e" -o "$work/time" "$@" >"$out" || true
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

echo
echo "Hostile shapes (palimoorctl check FILE; long names: --section asked, a near miss)"
printf '%-12s %8s  %8s  %12s  %8s\n' "shape" "file" "lines" "peak memory" "time"
for shape in blanks one-big long-names; do
  sizes=(5 10)
  [ "$shape" = blanks ] && sizes=(0.8 1.6) # one line, held whole: four bytes a character
  for size in "${sizes[@]}"; do
    python3 tools/make_big_rule.py "$size" "$work/rules.ini" --shape "$shape"
    option=()
    [ "$shape" = long-names ] && option=(--section "$(python3 -c 'print("n" * 39990 + "x" * 10)')")
    read -r kilobytes seconds < <(measure "$work/out" "$ctl" check "$work/rules.ini" "${option[@]}")
    printf '%-12s %5s MB  %8s  %9s KB  %6s s\n' "$shape" "$size" "$(wc -l <"$work/out")" \
      "$kilobytes" "$seconds"
  done
done
