#!/usr/bin/env bash
# Builds, then runs the file list stress check under Wine: 2,000 real files
# added, renamed, undone, renamed again and undone through the real main
# window. The last line is "lost N"; anything but "lost 0" is a failure.
# Usage: scripts/stress.sh [FILES] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
run_stress() {
  source scripts/wine-env.sh
  ensure_wine_prefix
  wine build/windows/file_list_stress.exe "$@" </dev/null
}
if [ -n "${DISPLAY:-}" ]; then
  run_stress "$@"
else
  xvfb-run -a -s "-screen 0 1600x1024x24" bash -c "$(declare -f run_stress); cd '$PWD'; run_stress $*"
fi
