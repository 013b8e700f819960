#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests (under the
# sanitizers), a short run of each fuzz target, the compile check for Windows
# CE, and the real-platform tests under Wine, in three lanes of their own.
# The Wine lanes start as soon as what they run is built, and run while the
# rest is built and tested beside them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh windows
[ -f build/host/CMakeCache.txt ] || cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host --target palimoorctl >/dev/null # the Wine suites compare with it
ctest --test-dir build/host --output-on-failure -j 3 -L wine "$@" >build/wine-tests.log 2>&1 &
wine=$!
status=0
tools/build.sh host || status=1
[ $status = 0 ] && { ctest --test-dir build/host --output-on-failure -j 2 -LE wine "$@" || status=1; }
wait $wine || status=1
cat build/wine-tests.log
exit $status
