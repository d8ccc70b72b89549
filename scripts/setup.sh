#!/usr/bin/env bash
# Installs what building, running and testing Quillmoth needs on a Debian machine.
# Idempotent: prints nothing and installs nothing when everything is present.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-liberation xvfb xauth imagemagick python3-fonttools libimage-exiftool-perl
  fp-utils nsis
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Boost.Regex headers (header-only) into the build folder.
bash "$(dirname "$0")/fetch-boost.sh"
