#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each for a while:
#   tools/fuzz.sh [SECONDS] [TARGET...]      default 10 s each, every target
# Each target first replays its kept regression inputs, then fuzzes from the
# seed corpus in tests/fuzz/corpus (new inputs go to the build folder, never
# into the repository). A finding stops the run with the input's path. A run
# longer than the smoke has a worker on each core, sharing one corpus, and
# says how many inputs they ran in all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-10}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(text_decoding command_line param_file rule_file number
                                     command_entry launch_text instance_match check history)

tools/setup.sh

# A short run takes the host build's targets when it made them (clang);
# a long one an optimised build of its own.
if [ "$seconds" -le 10 ] && [ -x build/host/tests/fuzz/fuzz_check ]; then
  build=build/host
else
  build=build/fuzz
  [ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DPALIMOOR_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }
fi

# Where an allocation was made is not recorded: it costs a long run a sixth
# of its inputs. A finding is replayed with it (the path it prints, run alone).
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}

for target in "${targets[@]}"; do
  exe=$build/tests/fuzz/fuzz_$target
  regressions=tests/fuzz/regressions/$target
  if [ -d "$regressions" ]; then
    "$exe" "$regressions"/* >/dev/null 2>&1 || { "$exe" "$regressions"/*; exit 1; }
  fi
  work=$build/fuzz-corpus/$target
  mkdir -p "$work" "$build/fuzz-findings"
  echo "fuzz_$target: ${seconds} s"
  if [ "$build" = build/host ]; then
    "$exe" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$target-" \
      "$work" "tests/fuzz/corpus/$target" 2>"$build/fuzz_$target.log" ||
      { tail -40 "$build/fuzz_$target.log"; echo "fuzz_$target found a problem" >&2; exit 1; }
    grep -E "stat::number_of_executed_units|cov: " "$build/fuzz_$target.log" | tail -2 | sed 's/^/  /'
    continue
  fi
  cores=$(nproc 2>/dev/null || echo 2)
  rm -f "$build"/fuzz-[0-9]*.log
  (cd "$build" && "../../$exe" -jobs="$cores" -workers="$cores" -max_total_time="$seconds" \
     -print_final_stats=1 -artifact_prefix="fuzz-findings/$target-" "fuzz-corpus/$target" \
     "../../tests/fuzz/corpus/$target" >/dev/null 2>&1) || true
  if ls "$build"/fuzz-findings/"$target"-* >/dev/null 2>&1; then
    cat "$build"/fuzz-[0-9]*.log | tail -40
    echo "fuzz_$target found a problem: $(ls "$build"/fuzz-findings/"$target"-*)" >&2
    exit 1
  fi
  cat "$build"/fuzz-[0-9]*.log >"$build/fuzz_$target.log"
  awk -v n="$cores" '/number_of_executed_units/ { sum += $2 } END {
    printf "  %d inputs in all, %d workers\n", sum, n }' "$build/fuzz_$target.log"
done
