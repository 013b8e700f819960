#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests (under the
# sanitizers) and the real-platform tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh
tools/with-wine.sh ctest --test-dir build/host --output-on-failure "$@"
