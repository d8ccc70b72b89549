#!/usr/bin/env bash
# Unpacks the Boost 1.81 headers (Debian's libboost1.81-dev) into build/deps/boost,
# where both builds find them. Boost.Regex is header-only since 1.77; the system
# may hold older headers, which the builds never use. Does nothing when present.
set -euo pipefail
cd "$(dirname "$0")/.."
target="build/deps/boost"
[ -f "$target/usr/include/boost/regex.hpp" ] && exit 0

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
if ! apt-cache show libboost1.81-dev >/dev/null 2>&1; then
  $sudo_cmd apt-get update -qq
fi
work="$(mktemp -d)"
chmod 755 "$work"   # apt fetches as its own user
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get download -qq libboost1.81-dev >/dev/null)
mkdir -p "$target.partial"
dpkg -x "$work"/libboost1.81-dev_*.deb "$target.partial"
rm -rf "$target"
mv "$target.partial" "$target"
echo "Boost 1.81 headers in $target"
