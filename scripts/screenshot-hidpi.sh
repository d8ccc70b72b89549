#!/usr/bin/env bash
# Screenshot of the program on a high-DPI screen: 144 dpi (150 %), in a Wine
# prefix of its own (build/wineprefix-144dpi) with a 2560x1440 virtual desktop,
# cut to the main window.
# Usage: scripts/screenshot-hidpi.sh [OUTPUT.png] [PROGRAM.exe]
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-build/screenshot-144dpi.png}")"
program="$(realpath "${2:-build/windows/Quillmoth.exe}")"
export QUILLMOTH_WINEPREFIX="$PWD/build/wineprefix-144dpi"
export QUILLMOTH_SCREENSHOT_DELAY="${QUILLMOTH_SCREENSHOT_DELAY:-10}"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 2560x1440x24" bash "$0" "$out" "$program"
fi

source scripts/wine-env.sh
wineserver -k >/dev/null 2>&1 || true
ensure_wine_prefix
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2560x1440 /f </dev/null >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true   # the settings take effect at the next start

QUILLMOTH_DESKTOP_SIZE=2560x1440 bash scripts/screenshot.sh "$out" "$program" >/dev/null
# The window stands centred on a plain desktop: trimming the desktop leaves the window.
convert "$out" -trim +repage "$out"
echo "screenshot saved to $out ($(identify -format '%wx%h' "$out"))"
