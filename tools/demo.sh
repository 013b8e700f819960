#!/usr/bin/env bash
# Sets up what is missing, builds, and shows Palimoor doing its main job under
# Wine: it waits for a program's window to close, then runs a command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh wine
exec tools/with-wine.sh python3 tools/demo.py
