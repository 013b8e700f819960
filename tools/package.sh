#!/usr/bin/env bash
# Builds the release package dist/Palimoor-<version>-win32.zip: palimoor.exe
# (32-bit), the cookbook of example rules and both guides.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh windows
cmake --build build/win32 --target package
ls dist/*.zip
