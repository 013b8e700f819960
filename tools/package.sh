#!/usr/bin/env bash
# Builds the release package dist/Palimoor-<version>-win32.zip: palimoor.exe
# and palimoorctl.exe (32-bit), the cookbook of example rules, both guides and
# their pictures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh windows
cmake --build build/win32 --target package
ls dist/*.zip
