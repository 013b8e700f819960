#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests (under the
# sanitizers), a short run of each fuzz target, the compile check for Windows
# CE, and the real-platform tests under Wine, in five lanes of their own
# beside the others.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh
ctest --test-dir build/host --output-on-failure -j 6 "$@"
