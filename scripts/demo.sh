#!/usr/bin/env bash
# Runs Tintaro on a generated demo Wine prefix (build/demo/prefix). With a display it simply
# opens the tool. Without one it runs the tool under Xvfb, saves a screenshot of the main window
# to build/demo/main-window.png and closes the tool.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${TINTARO_BUILD_DIR:-build/default}
tool="$build/app/tintaro"
generator="$build/tools/tintaro-demo-profile"
demo=build/demo
prefix="$demo/prefix"

for f in "$tool" "$generator"; do
    if [ ! -x "$f" ]; then
        echo "demo: $f is missing; build first (cmake --preset default && cmake --build --preset default)" >&2
        exit 1
    fi
done

mkdir -p "$demo"
"$generator" "$prefix" >/dev/null
export WINEPREFIX="$PWD/$prefix"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$tool"
fi

shot="$PWD/$demo/main-window.png"
rm -f "$shot"
# The part that runs inside the virtual display: start the tool, wait for the 319 x 269 main
# window, move it clear of the vote window, take its picture, end the tool.
inside=$(cat <<'INNER'
set -euo pipefail
"$TOOL" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
main=""
for _ in $(seq 1 100); do
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true); do
        if xwininfo -id "$id" | grep -q 'Width: 319' && xwininfo -id "$id" | grep -q 'Height: 269'; then
            main=$id
        fi
    done
    [ -n "$main" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "demo: the tool ended early" >&2; exit 1; }
    sleep 0.1
done
[ -n "$main" ] || { echo "demo: the main window did not appear" >&2; exit 1; }
xdotool windowmove "$main" 200 150
sleep 0.5
import -window "$main" "$SHOT"
INNER
)
# xvfb-run -a can lose a race for a display number with another Xvfb starting at the same time.
for attempt in 1 2 3; do
    if TOOL="$tool" SHOT="$shot" xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$inside"; then
        break
    fi
    [ "$attempt" = 3 ] && { echo "demo: could not run the tool under Xvfb" >&2; exit 1; }
    sleep 1
done
echo "Screenshot of the main window: $shot"
