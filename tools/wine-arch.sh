#!/usr/bin/env bash
# Prints "win32" when this machine runs 32-bit Wine, else "win64": some kernels
# cannot execute 32-bit code at all, and then only 64-bit Windows programs run.
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo win32
else
  echo win64
fi
