#!/usr/bin/env bash
# Configures and builds: host (portable code and unit tests, under the
# sanitizers), win32 (the product, palimoor.exe) and, where Wine cannot run
# 32-bit programs here, win64 (the same sources, for the tests under Wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)

build() { # folder, cmake arguments...
  local dir=build/$1; shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" "$@" >/dev/null
  if ! cmake --build "$dir" -j "$jobs" >"$dir/build.log" 2>&1; then
    cat "$dir/build.log"
    return 1
  fi
}

# "tools/build.sh host" builds only the host configuration (the unit tests and
# palimoorctl); "tools/build.sh windows" only the Windows programs; "tools/build.sh wine"
# only the one Wine runs here (for the demonstration); "tools/build.sh native"
# only palimoorctl for this system, optimised, as build/native/palimoorctl.
what=${1:-all}
if [ "$what" = native ]; then
  [ -f build/native/CMakeCache.txt ] ||
    cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release -DPALIMOOR_SANITIZE=OFF >/dev/null
  cmake --build build/native -j "$jobs" --target palimoorctl >/dev/null
  echo "build/native/palimoorctl"
  exit 0
fi
# The host is built with clang where it is installed, so that the fuzz
# targets reuse its objects.
host_compiler=()
command -v clang++ >/dev/null && host_compiler=(-DCMAKE_CXX_COMPILER=clang++)
if [ "$what" = host ]; then
  build host -DCMAKE_BUILD_TYPE=Debug "${host_compiler[@]}"
  exit 0
fi
arch=$(tools/wine-arch.sh)
[ "$what" = all ] && build host -DCMAKE_BUILD_TYPE=Debug "${host_compiler[@]}"
if [ "$what" != wine ] || [ "$arch" = win32 ]; then
  build win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel
fi
if [ "$arch" = win64 ]; then
  build win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=MinSizeRel
fi
