#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them.
# Usage: scripts/fuzz.sh TARGET [SECONDS]   e.g. scripts/fuzz.sh time_format_fuzz 180
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
target="$1"; seconds="${2:-60}"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DQUILLMOTH_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target "$target"
corpus="build/fuzz/corpus/$target"
mkdir -p "$corpus"
seeds=()
[ -d "fuzz/corpus/$target" ] && seeds=("fuzz/corpus/$target")
build/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${seeds[@]}"
