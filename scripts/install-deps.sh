#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev python3)
# Workbooks (.xlsx) of collected records.
packages+=(libxlsxwriter-dev)
# The desktop front end needs Qt 6 and, for its tests, a virtual display.
if [ -f "$(dirname "$0")/../src/gui/CMakeLists.txt" ]; then
  packages+=(qt6-base-dev libgl-dev xvfb xauth desktop-file-utils fonts-dejavu-core dpkg-dev)
  # Qt's own texts in Russian, the display's Courier-metric face and the
  # dialogs' Arial-metric one, and the viewer of received data.
  packages+=(qt6-translations-l10n fonts-liberation xdg-utils)
fi
# The Windows cross build (mingw-w64, POSIX threads) and Wine to run its tests.
packages+=(g++-mingw-w64-x86-64-posix wine wine64)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
