#!/usr/bin/env bash
# Starts the built program in a virtual X display (Wine's virtual desktop draws
# the window frame), saves a PNG screenshot and ends the program. The screen is
# a common laptop's, 1366x768, unless QUILLMOTH_WINE_DESKTOP names another.
# Usage: scripts/screenshot.sh [OUTPUT.png] [PROGRAM.exe]
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-build/screenshot.png}")"
program="$(realpath "${2:-build/windows/Quillmoth.exe}")"
export QUILLMOTH_WINE_DESKTOP="${QUILLMOTH_WINE_DESKTOP:-1366x768}"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 ${QUILLMOTH_WINE_DESKTOP}x24" bash "$0" "$out" "$program"
fi

# A prefix of its own, so that the tests' prefix keeps its settings.
export QUILLMOTH_WINEPREFIX="${QUILLMOTH_WINEPREFIX:-$PWD/build/wineprefix-shots}"
source scripts/wine-env.sh
wineserver -k >/dev/null 2>&1 || true
ensure_wine_prefix
wine "$program" </dev/null >/dev/null 2>&1 &
pid=$!
sleep "${QUILLMOTH_SCREENSHOT_DELAY:-8}"
import -window root "$out"
wineserver -k >/dev/null 2>&1 || true
wait "$pid" 2>/dev/null || true
echo "screenshot saved to $out"
