#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the screenshots and the registry value that scripts/walkthrough.sh left in OUT_DIR
# against the picker's rules: exact pixels of the surfaces and the marker after each step, and
# the stored "IM Color" equal to the colour shown under the marker.
# Usage: check_walkthrough.sh OUT_DIR
set -euo pipefail
out="$1"
# shellcheck source=/dev/null
. "$out/session.env"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
screen() { ls "$out"/screen-??-"$1".png; }
# pixel SHOT X Y: "r,g,b" of the editor's client pixel (X, Y).
pixel() {
    /usr/bin/convert "$1" -crop "1x1+$((EDITOR_X + $2))+$((EDITOR_Y + $3))" txt:- |
        sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
# expect SHOT WHAT X Y "r,g,b"...: the pixel must be one of the given colours.
expect() {
    local shot="$1" what="$2" x="$3" y="$4" got
    shift 4
    got=$(pixel "$(screen "$shot")" "$x" "$y")
    for want in "$@"; do
        [ "$got" = "$want" ] && return 0
    done
    fail "$shot: $what at ($x, $y) is ($got), expected ($*)"
}
# The same region of two shots, as text, for equality tests.
region() { /usr/bin/convert "$(screen "$1")" -crop "$2" +repage txt:- | tail -n +2; }

[ "$MAIN_CLOSED_ON_PICK" = 1 ] || fail "main window still shown after picking a line"
colours=$(/usr/bin/convert "$out/main-window.png" -crop 297x14+12+130 +repage -format %k info:)
[ "$colours" -gt 2 ] || fail "List1's first line is blank ($colours colours)"
# The fixed-size windows ask the window manager for minimize and close but no maximize:
# _MOTIF_WM_HINTS is flags, functions, decorations, ...; functions minimize 0x08, maximize 0x10,
# close 0x20; decorations minimize 0x20, maximize 0x40.
for window in MAIN VOTE EDITOR; do
    hints_var="${window}_HINTS"
    IFS=, read -r _ functions decorations _ <<<"${!hints_var:-}"
    if [ -z "${decorations:-}" ]; then
        fail "$window window has no _MOTIF_WM_HINTS"
    elif (((functions & 0x38) != 0x28 || (decorations & 0x60) != 0x20)); then
        fail "$window window's buttons: _MOTIF_WM_HINTS ${!hints_var}"
    fi
done
# The desktop ties the windows to the installed entry through their class, and shows the
# program's icon on those without one of their own.
entry="$(dirname "$0")/../../resources/io.github.tintaro.Tintaro.desktop"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$wm_class" ] && [ "${MAIN_CLASS:-}" = "$wm_class" ] ||
    fail "main window's class '${MAIN_CLASS:-}' is not the entry's StartupWMClass '$wm_class'"
for window in MAIN VOTE; do
    icon_var="${window}_ICON"
    [ -n "${!icon_var:-}" ] || fail "$window window shows no icon"
done
if [ "$VOTE_W" != 145 ] || [ "$VOTE_H" != 89 ]; then fail "vote window is ${VOTE_W}x${VOTE_H}, not 145x89"; fi

# After load: hue strip red at top and bottom, blue at row 85; square white, red and black
# corners; the marker circle of radius 5 about (265, 80) inverts (255, 5, 5) at (260, 80) and
# (250, 0, 0) at (265, 85); its centre is not part of it.
expect editor-loaded "strip top" 277 80 255,0,0
expect editor-loaded "strip bottom" 277 335 255,0,0
expect editor-loaded "strip row 85" 291 165 0,0,255
expect editor-loaded "square top left" 10 80 255,255,255
expect editor-loaded "square bottom left" 10 335 0,0,0
expect editor-loaded "square bottom right" 265 335 0,0,0
expect editor-loaded "marker centre" 265 80 255,0,0
expect editor-loaded "square right column, row 128" 265 208 127,0,0
expect editor-loaded "marker left point" 260 80 0,250,250
expect editor-loaded "marker bottom point" 265 85 5,255,255

# The swatches, Frame1 (308, 74) + (8, 24) for the new colour and + (57, 24) for the previous
# one, both red at first.
expect editor-loaded "new swatch" 340 112 255,0,0
expect editor-loaded "previous swatch" 389 112 255,0,0

# Dragged to (138, 200): the colour there is (135, 67, 67); the old marker is gone.
expect square-dragged "marker centre" 138 200 135,67,67
expect square-dragged "marker left point" 133 200 120,185,185
expect square-dragged "old marker erased" 260 80 255,5,5
expect square-dragged "new swatch" 340 112 135,67,67
expect square-dragged "previous swatch" 389 112 255,0,0

# Saturation mode: hue across (ramp position p at x = 265 - p), brightness down; the marker
# goes to hue 0, brightness 52 -> (10, 202), where position 255's level -3 is stored as 0.
expect saturation "top row, position 128" 137 80 0,252,255
expect saturation "top row, position 85" 180 80 0,0,255
expect saturation "bottom row" 137 335 0,0,0
expect saturation "marker centre" 10 202 133,0,0
expect saturation "marker right point" 15 202 122,241,255

# Brightness mode: saturation down, bottom row white; marker at saturation 50 -> row 208.
expect brightness "top row, position 128" 137 80 0,252,255
expect brightness "top row, position 171" 94 80 0,255,0
expect brightness "top row, position 170" 95 80 0,255,3
expect brightness "bottom row" 137 335 255,255,255
expect brightness "marker centre" 10 208 255,127,128
expect brightness "marker right point" 15 208 0,114,127

# Back in hue mode for red, the marker at saturation 50, brightness 52 -> (138, 202).
expect hue-again "marker centre" 138 202 133,66,66
expect hue-again "square top right" 265 80 255,0,0

# Hue 180 puts the arrows at row 207.5; the strip row read there is (0, 252, 255) or
# (0, 255, 252), and the square and the colour under the marker follow it.
expect hue-typed "square top right" 265 80 0,252,255 0,255,252
expect hue-typed "marker centre" 138 202 66,132,133 66,133,132
# The new swatch shows that same colour on screen.
shown=$(pixel "$(screen hue-typed)" 340 112)
[ "$shown" = "$(pixel "$(screen hue-typed)" 138 202)" ] ||
    fail "hue-typed: new swatch shows ($shown), not the colour under the marker"

# The apply button shows its highlight under the pointer and its normal look after the click.
button="56x45+$((EDITOR_X + 376))+$((EDITOR_Y + 344 + 28))"
[ "$(region before-hover "$button")" != "$(region hover "$button")" ] ||
    fail "apply button does not change under the pointer"
[ "$(region before-hover "$button")" = "$(region applied "$button")" ] ||
    fail "apply button does not return to its normal look after the click"

# The stored value is the colour under the marker when applied.
IFS=, read -r r g b <<<"$(pixel "$(screen hue-typed)" 138 202)"
want=$(printf '"IM Color"=dword:%08x' $((r + 256 * g + 65536 * b)))
[ "$IM_COLOR_LINE" = "$want" ] ||
    fail "user.reg under PerPassportSettings\\$ACCOUNT_FOLDER has '$IM_COLOR_LINE', expected '$want'"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed; screenshots in $out" >&2
    exit 1
fi
echo "walkthrough checks passed: $IM_COLOR_LINE for account $ACCOUNT_FOLDER"
