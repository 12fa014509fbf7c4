#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
#   install-deps.sh           the Linux build with the stand-in
#   install-deps.sh windows   the Windows cross build, its package and their Wine test run
#   install-deps.sh fuzz      the Linux build and the libFuzzer targets (clang)
set -euo pipefail
linux=(cmake g++ make libocct-modeling-algorithms-dev libocct-data-exchange-dev
       libtbb-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
       chromium)  # the picture test opens the page in headless Chromium
if [ "${1:-}" = fuzz ]; then
    packages=("${linux[@]}" clang libfuzzer-14-dev)
elif [ "${1:-}" = windows ]; then
    packages=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
              googletest wine64 nsis zip unzip)
else
    packages=("${linux[@]}")
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages and not root: install them with apt-get: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
