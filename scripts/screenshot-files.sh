#!/usr/bin/env bash
# Starts the program under Wine in a virtual X display, adds five files through
# its open dialog, renames them, and saves a picture of the window at work.
# Usage: scripts/screenshot-files.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-docs/main-window-files.png}")"
export QUILLMOTH_WINE_DESKTOP=1366x768
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 ${QUILLMOTH_WINE_DESKTOP}x24" bash "$0" "$out"
fi
# The screenshots' own prefix, on a common laptop's screen.
export QUILLMOTH_WINEPREFIX="$PWD/build/wineprefix-shots"
source scripts/wine-env.sh
ensure_wine_prefix
marks="$(mktemp -d)"
wine build/windows/screenshot_driver.exe "$(winepath -w "$marks/ready")" "$(winepath -w "$marks/done")" </dev/null >/dev/null 2>&1 &
driver=$!
for _ in $(seq 1 600); do [ -f "$marks/ready" ] && break; sleep 0.1; done
[ -f "$marks/ready" ] || { echo "the program did not get ready" >&2; exit 1; }
import -window root -crop "$(cat "$marks/ready")" +repage "$out"
touch "$marks/done"
wait "$driver"
rm -rf "$marks"
echo "screenshot saved to $out"
