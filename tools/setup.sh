#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, if any is missing,
# or the packages named on its command line instead.
# Runs as root on a fresh Debian 12 machine; elsewhere it says what to install.
#
#   tools/setup.sh [PACKAGE...]
set -euo pipefail

packages=(
    cmake make g++ googletest
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    clang-14 lld
    wine wine64 fonts-wine
    xvfb xauth x11-utils imagemagick
    zip
    python3-yaml
)
[ $# -gt 0 ] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root, or install them with: sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
