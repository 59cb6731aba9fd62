#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev python3)
# Workbooks (.xlsx) of collected records: libxlsxwriter is built from Debian's
# source package (fetched below) against zlib; the system's library is the
# fallback when the source cannot be fetched.
packages+=(libxlsxwriter-dev zlib1g-dev)
# The locale sources localedef makes a decimal-comma locale from, for the test
# that workbook numbers read the same in every locale.
packages+=(locales)
# The desktop front end needs Qt 6 and, for its tests, a virtual display.
if [ -f "$(dirname "$0")/../src/gui/CMakeLists.txt" ]; then
  packages+=(qt6-base-dev libgl-dev xvfb xauth desktop-file-utils fonts-dejavu-core dpkg-dev)
  # Qt's own texts in Russian, the display's Courier-metric face and the
  # dialogs' Arial-metric one, and the viewer of received data.
  packages+=(qt6-translations-l10n fonts-liberation xdg-utils)
  # gui_bench watches the X display for the windows it times.
  packages+=(libxcb1-dev)
fi
# The Windows cross build (mingw-w64, POSIX threads) and Wine to run its tests;
# Wine's own fonts (the dialogs' face, the check marks and arrows) and a
# virtual display for the desktop program's windows; NSIS for its installer.
packages+=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb xauth nsis)
# Workbooks in the Windows build: libxlsxwriter is built there from Debian's
# source package (fetched below) against zlib for mingw-w64.
packages+=(libz-mingw-w64-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# libxlsxwriter's source, kept out of git in third_party-cache/ (every preset
# builds the library from there). apt-get
# source needs a deb-src entry for this machine's suite.
cache="$(cd "$(dirname "$0")/.." && pwd)/third_party-cache/libxlsxwriter"
if ! ls "$cache"/libxlsxwriter_*.orig.tar.gz >/dev/null 2>&1; then
  if ! grep -rqs -E '^(Types: *deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    . /etc/os-release
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$VERSION_CODENAME" | $sudo tee /etc/apt/sources.list.d/appgen-deb-src.sources >/dev/null
    $sudo apt-get update -qq
  fi
  mkdir -p "$cache"
  (cd "$cache" && apt-get source --download-only -qq libxlsxwriter)
fi
