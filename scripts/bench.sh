#!/usr/bin/env bash
# Builds everything, then runs every benchmark natively and under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
for bench in build/native/*_bench; do
  echo "== native: $(basename "$bench")"
  "$bench"
done
run_windows_benches() {
  source scripts/wine-env.sh
  ensure_wine_prefix
  for bench in build/windows/*_bench.exe; do
    echo "== Wine: $(basename "$bench")"
    wine "$bench" </dev/null
  done
}
if [ -n "${DISPLAY:-}" ]; then
  run_windows_benches
else
  xvfb-run -a -s "-screen 0 1600x1024x24" bash -c "$(declare -f run_windows_benches); cd '$PWD'; run_windows_benches"
fi
