#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any is missing.
# Runs as root or through sudo. Never adds the i386 architecture: the 32-bit
# program is only built here, the 64-bit one is the one that runs under Wine.
set -euo pipefail

packages=(
  cmake make
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 fonts-wine
  # What Wine's X11 driver and font code load at run time (recommended, not
  # required, by Debian's wine packages, which are installed without them).
  libfreetype6 libfontconfig1 libxext6 libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1
  libxcomposite1 libxfixes3
  xvfb xauth xdotool
  # scripts/package.sh packs the release zips; its test unpacks them.
  zip unzip
  googletest
  clang libclang-rt-14-dev
  fonts-liberation
  # A real printer for the printing tests: CUPS with the cups-pdf back end,
  # and poppler's tools to read the PDF files it writes.
  cups cups-pdf poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
