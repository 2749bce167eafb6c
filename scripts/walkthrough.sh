#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Walks through one session of the real tintaro program as a person would, with X input events
# on a private Xvfb display: picks the first account line, drags in the square, switches to S
# and B mode and back to H, types a hue, hovers over and clicks the apply button. Saves
# screenshots and prints the "IM Color" value stored in the generated prefix's user.reg.
#
# Usage: scripts/walkthrough.sh BUILD_DIR OUT_DIR
# OUT_DIR receives main-window.png, vote-window.png, editor-hue.png, editor-saturation.png,
# editor-brightness.png (the windows), screen-*.png (the whole screen at each step, for pixel
# checks), session.env (window origins, the chosen account, the stored value) and prefix/.
# WALK_PROFILE_GENERATOR, when set, is the program that makes the profile (scripts/demo_profile.sh);
# otherwise the test profile of tests/e2e is made.
# WALK_DELAY (seconds, default 0.7) is the pause that lets the program repaint after each input.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR OUT_DIR" >&2; exit 2; }
build="$(cd "$1" && pwd)"
mkdir -p "$2"
out="$(cd "$2" && pwd)"
exe="$build/app/tintaro"
[ -x "$exe" ] || { echo "walkthrough: $exe not built" >&2; exit 1; }
delay="${WALK_DELAY:-0.7}"

for tool in Xvfb xdotool import /usr/bin/convert xdpyinfo xprop; do
    command -v "$tool" >/dev/null || { echo "walkthrough: $tool missing (scripts/setup.sh)" >&2; exit 1; }
done

rm -rf "$out/prefix" "$out"/screen-*.png "$out/session.env"
if [ -n "${WALK_PROFILE_GENERATOR:-}" ]; then
    "$WALK_PROFILE_GENERATOR" "$out/prefix" >/dev/null
    accounts="$("$here/../tests/e2e/list_accounts.sh" "$out/prefix")"
else
    accounts="$("$here/../tests/e2e/make_profile.sh" "$out/prefix" 3)"
fi
echo "$accounts" >"$out/accounts.txt"
first_folder="$(head -n 1 <<<"$accounts" | cut -d' ' -f1)"
first_mail="$(head -n 1 <<<"$accounts" | cut -d' ' -f2)"

xvfb_pid=""
app_pid=""
runtime="$(mktemp -d)"
chmod 700 "$runtime"
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number itself and writes it to fd 3 once it is ready,
# so parallel runs never share one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$runtime/display" \
    >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$runtime/display" ] && break
    sleep 0.1
done
display=":$(head -n 1 "$runtime/display" 2>/dev/null)"
[ "$display" != ":" ] || { echo "walkthrough: Xvfb did not start" >&2; exit 1; }
export DISPLAY="$display"
xdpyinfo >/dev/null 2>&1 || { echo "walkthrough: cannot reach Xvfb on $display" >&2; exit 1; }

WINEPREFIX="$out/prefix" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb \
    QT_SCALE_FACTOR=1 QT_ENABLE_HIGHDPI_SCALING=0 "$exe" >"$out/tintaro.log" 2>&1 &
app_pid=$!

step=0
shot() { # shot NAME: the whole screen, numbered in the order taken; its file goes in $s
    step=$((step + 1))
    sleep "$delay"
    s="$out/screen-$(printf %02d $step)-$1.png"
    import -window root "$s"
}
crop() { # crop SCREEN X Y W H FILE
    /usr/bin/convert "$1" -crop "$4x$5+$2+$3" +repage "$6"
}
motif_hints() { # motif_hints WINDOW: the window's _MOTIF_WM_HINTS numbers, comma-separated
    xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/^_MOTIF_WM_HINTS[^=]*= *//p' | tr -d ' '
}
wm_class() { # wm_class WINDOW: the window's class name, the second WM_CLASS string
    xprop -id "$1" WM_CLASS | sed -n 's/^WM_CLASS[^=]*= *"[^"]*", *"\([^"]*\)".*/\1/p'
}
icon_size() { # icon_size WINDOW: WIDTHxHEIGHT of the window's first icon, empty without one
    xprop -id "$1" -notype -f _NET_WM_ICON 32c -len 16 _NET_WM_ICON | sed -n 's/^_NET_WM_ICON *= *\([0-9]*\), *\([0-9]*\).*/\1x\2/p'
}
geometry() { # geometry WINDOW: sets X Y WIDTH HEIGHT (no window manager: client origin = position)
    eval "$(xdotool getwindowgeometry --shell "$1")"
}
alive() {
    kill -0 "$app_pid" 2>/dev/null || { echo "walkthrough: tintaro ended early" >&2; cat "$out/tintaro.log" >&2; exit 1; }
}
click_at() { # click_at X Y (screen)
    xdotool mousemove --sync "$1" "$2" click 1
    sleep "$delay"
}

# The vote window (caption "Votame") and the captionless main window.
vote=$(timeout 20 xdotool search --sync --onlyvisible --name '^Votame$' | head -n 1)
main=""
for _ in $(seq 100); do
    alive
    for w in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        [ "$w" = "$vote" ] && continue
        geometry "$w"
        if [ "$WIDTH" -eq 319 ] && [ "$HEIGHT" -eq 269 ]; then main=$w; fi
    done
    [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || { echo "walkthrough: main window (319 x 269) not found" >&2; exit 1; }

# Keep the topmost vote window clear of the others.
xdotool windowmove "$vote" 760 600
xdotool windowmove "$main" 40 40
sleep "$delay"
vote_hints=$(motif_hints "$vote")
main_hints=$(motif_hints "$main")
main_class=$(wm_class "$main") main_icon=$(icon_size "$main") vote_icon=$(icon_size "$vote")
geometry "$vote"
vote_x=$X vote_y=$Y vote_w=$WIDTH vote_h=$HEIGHT
geometry "$main"
main_x=$X main_y=$Y
shot start
crop "$s" "$main_x" "$main_y" 319 269 "$out/main-window.png"
crop "$s" "$vote_x" "$vote_y" "$vote_w" "$vote_h" "$out/vote-window.png"

# The first line of List1 (8, 128, 305 x 134): a few pixels into it.
click_at $((main_x + 8 + 20)) $((main_y + 128 + 6))
editor=$(timeout 20 xdotool search --sync --onlyvisible --name '^MSN6 Tintaro Zelkor$' | head -n 1)
[ -n "$editor" ] || { echo "walkthrough: editor did not open" >&2; exit 1; }
alive
xdotool windowmove "$editor" 100 60
sleep "$delay"
geometry "$editor"
ed_x=$X ed_y=$Y
editor_hints=$(motif_hints "$editor")
main_left=1
xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | grep -qx "$main" && main_left=0
# Pointer actions at editor client coordinates.
move_in() { xdotool mousemove --sync $((ed_x + $1)) $((ed_y + $2)); }
click_in() { click_at $((ed_x + $1)) $((ed_y + $2)); }

shot editor-loaded
crop "$s" "$ed_x" "$ed_y" 441 454 "$out/editor-hue.png"

# Press in the square at (100, 150), drag to (138, 200), release.
move_in 100 150
xdotool mousedown 1
sleep 0.2
move_in 119 175
sleep 0.2
move_in 138 200
sleep 0.2
xdotool mouseup 1
shot square-dragged

# Mode buttons inside Frame2 (312, 136): optS at +(0, 54), optB at +(0, 74), optH at +(0, 34).
click_in $((312 + 8)) $((136 + 54 + 8))
shot saturation
crop "$s" "$ed_x" "$ed_y" 441 454 "$out/editor-saturation.png"
click_in $((312 + 8)) $((136 + 74 + 8))
shot brightness
crop "$s" "$ed_x" "$ed_y" 441 454 "$out/editor-brightness.png"
click_in $((312 + 8)) $((136 + 34 + 8))
shot hue-again

# Type the hue 180 into txtH (Frame2 + (30, 32), 25 x 19), replacing its text.
click_in $((312 + 30 + 12)) $((136 + 32 + 9))
xdotool key --clearmodifiers ctrl+a
sleep 0.2
xdotool type --delay 150 180
shot hue-typed

# The apply button: Picture1/Picture2 inside Frame3 (0, 344) at (376, 28), 56 x 45. Come from
# the footer image (a strip above the sample text) so the hover look switches on entering it.
move_in 200 350
sleep 0.3
shot before-hover
move_in 400 390
sleep 0.1
move_in 404 394
shot hover
xdotool click 1
shot applied
alive

# The key is named by the folder's number, without leading zeros.
key_name=$((10#$first_folder))
value_line=$(awk -v key="[Software\\\\\\\\Microsoft\\\\\\\\MSNMessenger\\\\\\\\PerPassportSettings\\\\\\\\$key_name]" '
    index($0, key) == 1 { inside = 1; next }
    /^\[/ { inside = 0 }
    inside && /^"IM Color"=/ { print; exit }' "$out/prefix/user.reg")

cat >"$out/session.env" <<ENV
DISPLAY_USED=$display
MAIN_X=$main_x
MAIN_Y=$main_y
MAIN_CLOSED_ON_PICK=$main_left
EDITOR_X=$ed_x
EDITOR_Y=$ed_y
VOTE_W=$vote_w
VOTE_H=$vote_h
MAIN_HINTS=$main_hints
VOTE_HINTS=$vote_hints
MAIN_CLASS=$main_class
MAIN_ICON=$main_icon
VOTE_ICON=$vote_icon
EDITOR_HINTS=$editor_hints
ACCOUNT_FOLDER=$first_folder
ACCOUNT_MAIL=$first_mail
IM_COLOR_LINE='$value_line'
ENV

echo "account: $first_folder ($first_mail)"
echo "screenshots in $out"
if [ -z "$value_line" ]; then
    echo "stored: no \"IM Color\" value under the account's key" >&2
    exit 1
fi
echo "stored: $value_line"
