#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests (under the
# sanitizers), a short run of each fuzz target, and the real-platform tests
# under Wine, in two lanes of their own beside the others.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh
ctest --test-dir build/host --output-on-failure -j 4 "$@"
