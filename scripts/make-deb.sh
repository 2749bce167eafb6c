#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Tintaro's Debian package from a configured build into OUT_DIR and prints its path.
# On failure prints cpack's log to stderr and exits non-zero.
# Usage: scripts/make-deb.sh BUILD_DIR OUT_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
mkdir -p "$2"
out="$(cd "$2" && pwd)"
if ! (cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >cpack.log 2>&1); then
    cat "$out/cpack.log" >&2
    echo "make-deb.sh: cpack failed" >&2
    exit 1
fi
deb=$(find "$out" -maxdepth 1 -name 'tintaro_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "make-deb.sh: no tintaro_*.deb produced" >&2; exit 1; }
echo "$deb"
