#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs Tintaro on a generated demo Wine prefix (build/demo/prefix). With a display it simply
# opens the tool. Without one it walks through a session under Xvfb (scripts/walkthrough.sh),
# saves screenshots of every window to build/demo/ and prints the colour it stored.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${TINTARO_BUILD_DIR:-build/default}
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
tool="$build/app/tintaro"
generator="$PWD/scripts/demo_profile.sh"
demo=build/demo
prefix="$demo/prefix"

if [ ! -x "$tool" ]; then
    echo "demo: $tool is missing; build first (cmake --preset default && cmake --build --preset default)" >&2
    exit 1
fi

mkdir -p "$demo"
"$generator" "$prefix" >/dev/null
export WINEPREFIX="$PWD/$prefix"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$tool"
fi

# No display: walk through a session under Xvfb as a person would (pick an account, pick a
# colour in each mode, apply it) and keep the screenshots.
WALK_PROFILE_GENERATOR="$generator" scripts/walkthrough.sh "$build" "$demo"
echo "Screenshots: $PWD/$demo/main-window.png, vote-window.png, editor-hue.png,"
echo "             editor-saturation.png, editor-brightness.png"
