#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows downloads end to end under Wine: the installer installs silently into a fresh
# prefix; the installed program lists the accounts made in that prefix's AppData, stores a
# colour that `wine reg query` reads back, and shows its windows (screenshots under OUT); the
# uninstaller removes every file.
# Usage: e2e.sh SETUP.EXE OUT
set -euo pipefail
setup=$(realpath "$1")
out=$(realpath -m "$2")
rm -rf "$out"
mkdir -p "$out"

export WINEPREFIX="$out/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() {
    echo "e2e: $*" >&2
    exit 1
}
cleanup() {
    [[ -n "${app:-}" ]] && kill "$app" 2>/dev/null
    wineserver -k 2>/dev/null || true
    [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null
    true
}
trap cleanup EXIT

# A display first: Wine's first start then makes its desktop on it.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wineboot -i >/dev/null 2>&1
# Wine draws with Tahoma only once its fonts are in the prefix's font folder.
cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

wine "$setup" /S
wineserver -w
appdata_win=$(wine cmd /c echo %APPDATA% | tr -d '\r')
localapp=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
installed="$localapp/Programs/Tintaro"
for f in tintaro.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll libstdc++-6.dll uninstall.exe; do
    [[ -f "$installed/$f" ]] || fail "the installer did not install $f"
done
startmenu=$(winepath -u "$appdata_win")/Microsoft/Windows/Start\ Menu/Programs/Tintaro.lnk
[[ -f "$startmenu" ]] || fail "no Start-menu shortcut"
exe="$installed/tintaro.exe"

# Two accounts in the prefix's own AppData: map.dat holds Base64 of UTF-16LE text whose first
# quoted run is the e-mail address.
messenger="$(winepath -u "$appdata_win")/Microsoft/MSN Messenger"
account() {
    mkdir -p "$messenger/$1/UserTile"
    printf '<msnobj Creator="%s"/>' "$2" | iconv -f UTF-8 -t UTF-16LE | base64 -w0 \
        >"$messenger/$1/UserTile/map.dat"
}
account 123456789 ana@example.com
account 987654321 "bo@ejemplo.es"

listed=$(wine "$exe" --list | tr -d '\r' | sort)
expected=$'123456789: ana@example.com\n987654321: bo@ejemplo.es'
[[ "$listed" == "$expected" ]] || fail "--list printed '$listed'"

wine "$exe" --set 987654321 '#1A2B3C'
wineserver -w
query=$(wine reg query 'HKCU\Software\Microsoft\MSNMessenger\PerPassportSettings\987654321' \
    /v 'IM Color' | tr -d '\r')
# The colour is stored as the program's BGR value.
grep -Eq 'IM Color +REG_DWORD +0x3c2b1a' <<<"$query" || fail "reg query shows: $query"
got=$(wine "$exe" --get 987654321 | tr -d '\r')
[[ "$got" == "#1A2B3C"* ]] || fail "--get printed '$got'"

# The windows: the account list, then the editor for the first account.
wine "$exe" &
app=$!
for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name 'Tintaro' 2>/dev/null | head -n1) && [[ -n "$win" ]] &&
        break
    sleep 0.2
done
[[ -n "${win:-}" ]] || fail "no window appeared"
sleep 2
import -display "$display" -window root "$out/main.png"
xdotool key --window "$win" Tab Down
sleep 3
import -display "$display" -window root "$out/editor.png"
kill "$app" 2>/dev/null || true
app=
wineserver -k 2>/dev/null || true

wine "$installed/uninstall.exe" /S
wineserver -w
[[ ! -e "$installed" ]] || fail "left behind: $(find "$installed")"
[[ ! -e "$startmenu" ]] || fail "the Start-menu shortcut is still there"
echo "e2e: installed, listed, stored, shown, uninstalled"
