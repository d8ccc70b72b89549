#!/usr/bin/env bash
# Screenshot of the program on a high-DPI screen: 144 dpi (150 %) on a
# 1920x1080 screen, in a Wine prefix of its own (build/wineprefix-144dpi),
# cut to the main window.
# Usage: scripts/screenshot-hidpi.sh [OUTPUT.png] [PROGRAM.exe]
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-build/screenshot-144dpi.png}")"
program="$(realpath "${2:-build/windows/Quillmoth.exe}")"
export QUILLMOTH_WINEPREFIX="$PWD/build/wineprefix-144dpi"
export QUILLMOTH_WINE_DPI=144
export QUILLMOTH_WINE_DESKTOP=1920x1080
export QUILLMOTH_SCREENSHOT_DELAY="${QUILLMOTH_SCREENSHOT_DELAY:-10}"

bash scripts/screenshot.sh "$out" "$program" >/dev/null
# The window stands centred on a plain desktop: trimming the desktop leaves the window.
convert "$out" -trim +repage "$out"
echo "screenshot saved to $out ($(identify -format '%wx%h' "$out"))"
