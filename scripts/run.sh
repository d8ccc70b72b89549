#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillmoth under Wine. Without a
# display it runs the program in a virtual X display and saves a screenshot
# to build/screenshot.png instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ]; then
  exec bash scripts/screenshot.sh build/screenshot.png
fi
source scripts/wine-env.sh
ensure_wine_prefix
exec wine build/windows/Quillmoth.exe
