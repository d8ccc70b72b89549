#!/usr/bin/env bash
# ctest's emulator for Windows executables: runs one program under Wine.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
ensure_wine_prefix
exec wine "$@"
