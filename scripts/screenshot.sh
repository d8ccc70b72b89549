#!/usr/bin/env bash
# Starts the built program in a virtual X display (Wine's virtual desktop draws
# the window frame), saves a PNG screenshot and ends the program.
# Usage: scripts/screenshot.sh [OUTPUT.png] [PROGRAM.exe]
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-build/screenshot.png}")"
program="$(realpath "${2:-build/windows/Quillmoth.exe}")"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x900x24" bash "$0" "$out" "$program"
fi

# A prefix of its own, whose virtual desktop is wide enough for the whole window.
export QUILLMOTH_WINEPREFIX="${QUILLMOTH_WINEPREFIX:-$PWD/build/wineprefix-shots}"
source scripts/wine-env.sh
wineserver -k >/dev/null 2>&1 || true
ensure_wine_prefix
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${QUILLMOTH_DESKTOP_SIZE:-1600x900}" /f </dev/null >/dev/null 2>&1
wine "$program" </dev/null >/dev/null 2>&1 &
pid=$!
sleep "${QUILLMOTH_SCREENSHOT_DELAY:-8}"
import -window root "$out"
wineserver -k >/dev/null 2>&1 || true
wait "$pid" 2>/dev/null || true
echo "screenshot saved to $out"
