#!/usr/bin/env bash
# Builds everything, then runs every test: the native core tests, and the Windows
# tests through Wine inside a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

echo "== native tests"
ctest --test-dir build/native --output-on-failure -j "$(nproc)"

echo "== Windows tests under Wine"
source scripts/wine-env.sh
wineserver -k >/dev/null 2>&1 || true   # a server started without the display would keep it
if [ -n "${DISPLAY:-}" ]; then
  bash scripts/wine-tests.sh
else
  xvfb-run -a -s "-screen 0 1600x1024x24" bash scripts/wine-tests.sh
fi
wineserver -k >/dev/null 2>&1 || true
