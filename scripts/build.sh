#!/usr/bin/env bash
# Installs what is missing, then builds the native core with its tests (build/native)
# and the Windows program with its tests (build/windows/Quillmoth.exe).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs="$(nproc)"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/windows -j "$jobs"
