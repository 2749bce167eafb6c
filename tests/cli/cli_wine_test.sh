#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# --set and --get while a wineserver runs for the prefix: the value goes through Wine, is read
# back through Wine, and is in user.reg once the server has ended. Fails when Wine is missing.
# Usage: cli_wine_test.sh TINTARO
set -uo pipefail
exe="$1"
for tool in wine wineboot wineserver; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

wineboot --init >/dev/null 2>&1 </dev/null
wineserver -w
roaming=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | grep -v /Public/ | head -n1)
[ -d "$roaming" ] || fail "wineboot made no AppData folder"
account="$roaming/Microsoft/MSN Messenger/77"
mkdir -p "$account/UserTile"
printf '<"a@example.com">' | iconv -f UTF-8 -t UTF-16LE | base64 -w0 >"$account/UserTile/map.dat"

wineserver -p >/dev/null 2>&1 </dev/null || fail "wineserver -p did not start"
[ "$("$exe" --get 77)" = "not set" ] || fail "--get before --set"
"$exe" --prefix "$WINEPREFIX" --set 77 '#FF8800' || fail "--set exited $?"
got=$("$exe" --get 77) || fail "--get exited $?"
[ "$got" = "#FF8800 35071" ] || fail "--get through Wine printed '$got'"
query=$(wine reg query 'HKCU\Software\Microsoft\MSNMessenger\PerPassportSettings\77' /v 'IM Color')
grep -q 'IM Color    REG_DWORD    0x88ff' <<<"$query" || fail "Wine holds '$query'"

wineserver -k
wineserver -w
grep -A2 -F '[Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\77]' "$WINEPREFIX/user.reg" |
    grep -qx '"IM Color"=dword:000088ff' || fail "the value is not in user.reg after the server ended"
[ "$("$exe" --get 77)" = "#FF8800 35071" ] || fail "--get from user.reg"
echo "command line through a running wineserver: passed"
