#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, running and testing Tintaro need, and only those
# that are missing. Runs apt-get directly as root, through sudo otherwise.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config git dpkg-dev file
    qt6-base-dev qt6-base-dev-tools
    libglib2.0-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation
    xvfb xauth x11-utils imagemagick xdotool
    desktop-file-utils appstream lintian
    clang libclang-rt-14-dev
    hyperfine time
)
# Wine backs the registry tests that run against a real prefix.
if [ "${TINTARO_SETUP_WINE:-1}" = 1 ]; then
    packages+=(wine wine64)
fi
# The Windows build: mingw-w64, the installer maker, and Wine's own fonts for its tests.
if [ "${TINTARO_SETUP_WINDOWS:-1}" = 1 ]; then
    packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools nsis zip fonts-wine wine wine64)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
