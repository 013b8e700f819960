#!/usr/bin/env bash
# Compiles palimoor.exe's sources as the Windows CE build would see them, for
# 32-bit ARM, syntax only: the handheld's branch of the platform layer must
# compile, and the records must have the device's sizes (the sources assert
# them). No CE compiler is at hand, so clang reads the mingw-w64 headers, with
# the few CE-only declarations from tests/ce. This proves no CE binary and no
# run on a device.
#   tools/ce_check.sh SOURCE...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
gcc=$(ls -d /usr/lib/gcc/i686-w64-mingw32/*-win32 | head -1)
flags=(clang++ --target=armv7-w64-windows-gnu -std=c++17 -Wall -Wextra -Werror
       -D_WIN32_WCE=0x500 -DUNDER_CE -DUNICODE -D_UNICODE -I. -Itests/ce -nostdinc++
       -isystem "$gcc/include/c++" -isystem "$gcc/include/c++/i686-w64-mingw32"
       -isystem /usr/i686-w64-mingw32/include)
compile=("${flags[@]}" -fsyntax-only)

# The check must catch a CE-only call made wrongly.
probe=$(mktemp --suffix=.cpp)
pch=$(mktemp -d)
trap 'rm -rf "$probe" "$pch"' EXIT
printf '#include <aygshell.h>\nvoid f(HWND w) { SHHandleWMSettingChange(w, 0, 0); }\n' >"$probe"
if "${compile[@]}" "$probe" 2>/dev/null; then
  echo "ce_check: a CE call with a wrong argument count compiled; the check sees nothing" >&2
  exit 1
fi

# The system headers, read once for every source (what a source forgets to
# include, the Windows and host builds say).
printf '#include <windows.h>\n#include <string>\n#include <vector>\n' >"$pch/ce.h"
"${flags[@]}" -x c++-header "$pch/ce.h" -o "$pch/ce.pch"

failed=0
for source in "$@"; do
  "${compile[@]}" -include-pch "$pch/ce.pch" "$source" ||
    { echo "ce_check: $source does not compile for CE" >&2; failed=1; }
done
[ "$failed" = 0 ] && echo "ce_check: $# sources compile for Windows CE on ARM"
exit "$failed"
