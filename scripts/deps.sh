#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing;
# with package names as arguments, those instead (scripts/accuracy.sh).
# The same names serve Debian 12 and 13 (libclang-rt-dev follows each
# release's default clang).
set -euo pipefail
packages=("$@")
[ $# -gt 0 ] || packages=(
  cmake ninja-build g++ python3 libgtest-dev googletest libbenchmark-dev clang libclang-rt-dev git
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 xvfb xauth imagemagick
  cups cups-client cups-bsd printer-driver-cups-pdf ghostscript poppler-utils fonts-liberation
  zip unzip osslsigncode openssl
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
