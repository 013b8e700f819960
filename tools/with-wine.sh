#!/usr/bin/env bash
# Runs a command with a working Wine around it:
#   - an Xvfb display when none is set (a wineserver without one cannot create windows);
#   - a private Wine prefix under build/wine, made once, as a virtual desktop so that
#     foreground changes and message boxes behave as on Windows;
#   - WINEDEBUG=-all and a UTF-8 locale, so that non-ASCII command lines arrive intact.
# Exports WINE (the loader that runs our executables) and PALIMOOR_WIN_BUILD (the build
# folder whose executables Wine can run). Ends only what it started.
#   tools/with-wine.sh [--lane N] COMMAND [ARGS...]
# --lane N gives the command a Wine of its own (prefix, server and Xvfb display), so
# that the test suites of two lanes run side by side without seeing each other's
# windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PALIMOOR_BUILD:-$root/build}
lane=""
if [ "${1:-}" = "--lane" ]; then
  lane=$2
  shift 2
fi

export WINEPREFIX=$build/wine/prefix
[ -n "$lane" ] && export WINEPREFIX=$build/wine/lane-$lane/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export LANG=C.UTF-8 LC_ALL=C.UTF-8

started_xvfb=""
server=wineserver
cleanup() {
  "$server" -k >/dev/null 2>&1 || true
  if [ -n "$started_xvfb" ]; then kill "$started_xvfb" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ -n "$lane" ]; then
  # Xvfb picks a free display itself and says which: two lanes starting at
  # once never take the same one.
  displayfile=$(mktemp)
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$displayfile" >/dev/null 2>&1 &
  started_xvfb=$!
  for _ in $(seq 1 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$displayfile")"
  rm -f "$displayfile"
fi

# Debian's "wine" script prefers the 32-bit loader; ask for the 64-bit one where present.
loader=wine
if [ -x /usr/lib/wine/wine64 ]; then
  loader=/usr/lib/wine/wine64
  export WINELOADER=$loader
fi
[ -x /usr/lib/wine/wineserver64 ] && server=/usr/lib/wine/wineserver64
make_prefix() {
  mkdir -p "$WINEPREFIX"
  "$loader" wineboot -i >/dev/null 2>&1 || true
  "$loader" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$loader" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  "$server" -w
  touch "$WINEPREFIX/.palimoor-ready"
}
if [ ! -f "$WINEPREFIX/.palimoor-ready" ]; then
  if [ -n "$lane" ]; then
    # Lanes starting at once make one prefix and copy it: a prefix takes
    # seconds of a core to make, and a copy a moment.
    template=$build/wine/template
    mkdir -p "$build/wine"
    (
      flock 9
      [ -f "$template/.palimoor-ready" ] || WINEPREFIX=$template make_prefix
    ) 9>"$build/wine/template.lock"
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    cp -a "$template" "$WINEPREFIX"
  else
    make_prefix
  fi
fi
"$server" -p >/dev/null 2>&1 || true

# The product is 32-bit; where Wine cannot run 32-bit programs here, the tests
# run the same sources built for 64-bit Windows.
if [ -z "${PALIMOOR_WIN_BUILD:-}" ]; then
  if [ "$("$root/tools/wine-arch.sh")" = win32 ]; then
    export PALIMOOR_WIN_BUILD=$build/win32 WINE=wine
  else
    export PALIMOOR_WIN_BUILD=$build/win64 WINE=$loader
  fi
fi
export WINE=${WINE:-$loader}

# Start Wine's own background processes (services, the desktop) here, with no
# output attached: started later by a test, they would hold its output open.
"$WINE" "$PALIMOOR_WIN_BUILD/tests/wine/helpers/target.exe" --exit-after=200 \
  </dev/null >/dev/null 2>&1 || true

"$@"
