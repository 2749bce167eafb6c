#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The command line of the built program, with no display: every option, bad usage, the store
# round trip, a user.reg Wine would reject, and the prefix search under a made-up HOME.
# Usage: cli_test.sh TINTARO VERSION MAKE_PROFILE
set -uo pipefail
exe="$1" version="$2" make_profile="$3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM=
unset WINEPREFIX
mkdir -p "$HOME"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# check STATUS EXPECTED_STDOUT STDERR_PATTERN ARGS...: runs the program, compares.
check() {
    local want_rc="$1" want_out="$2" want_err="$3"
    shift 3
    local out err rc
    out=$("$exe" "$@" 2>"$work/err"); rc=$?
    err=$(cat "$work/err")
    [ "$rc" = "$want_rc" ] || fail "tintaro $* exited $rc, not $want_rc ($err)"
    [ "$want_out" = "*" ] || [ "$out" = "$want_out" ] ||
        fail "tintaro $* printed '$out', not '$want_out'"
    grep -q -e "$want_err" <<<"$err" || fail "tintaro $* said '$err', not /$want_err/"
}

p="$work/prefix"
"$make_profile" "$p" 3 >"$work/profile"
messenger="$p/drive_c/users/tester/AppData/Roaming/Microsoft/MSN Messenger"
# A folder name with leading zeros: the colour is stored under the number's decimal text.
cp -r "$messenger/1000007919" "$messenger/0042"
a=1000015838
listed=$(awk '{print $1 ": " $2}' "$work/profile" | sort)

check 0 "tintaro $version" '' --version
for option in --help --prefix --list --set --get --version COLOUR 'Exit status'; do
    "$exe" --help | grep -q -e "$option" || fail "--help does not mention $option"
done
[ "$(WINEPREFIX="$p" "$exe" --list | grep -v '^0042' | sort)" = "$listed" ] ||
    fail "--list through WINEPREFIX does not list the profile's accounts"
[ "$(WINEPREFIX=/nowhere "$exe" --prefix "$p" --list | grep -c .)" = 4 ] ||
    fail "--prefix does not override WINEPREFIX"

# Bad usage: exit 2, the reason on stderr.
while IFS='|' read -r args why; do
    eval "set -- $args"
    check 2 '' "$why" --prefix "$p" "$@"
done <<'CASES'
--bogus|Unknown option
--set|Missing value
--set 1000015838|--set takes an ACCOUNT and a COLOUR
--set 1000015838 '#GG0000'|Bad colour '#GG0000'
--set 1000015838 '#FF880'|Bad colour
--set 1000015838 16777216|Bad colour '16777216'
--set 1000015838 -1|Unknown option
--set 1000015838 ' 5'|Bad colour
--get|Missing value
--list --get 1000015838|one at a time
--list extra|Unexpected argument 'extra'
--set 999 '#FF8800'|No account '999' in the Wine prefix
--get 42|No account '42'
CASES
check 2 '' '--prefix takes one folder' --prefix '' --list

# Round trip: both colour forms, the value and key exactly as the editor stores them.
check 0 'not set' '' --prefix "$p" --get "$a"
while read -r colour shown; do
    check 0 '' '' --prefix "$p" --set "$a" "$colour"
    check 0 "$shown" '' --prefix "$p" --get "$a"
done <<'CASES'
#FF8800 #FF8800 35071
#0a0B0c #0A0B0C 789258
255 #FF0000 255
16777215 #FFFFFF 16777215
0 #000000 0
CASES
check 0 '' '' --prefix "$p" --set 0042 '#123456'
check 0 '#123456 5649426' '' --prefix "$p" --get 0042
grep -A2 -F '[Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\42]' "$p/user.reg" |
    grep -qx '"IM Color"=dword:00563412' || fail "0042's colour is not under key 42"

# A user.reg Wine would not load is left as it is.
sed -i '1s/.*/REGEDIT4/' "$p/user.reg"
cp "$p/user.reg" "$work/before"
check 1 '' "$p/user.reg: it is not a registry file that Wine would load" \
    --prefix "$p" --set "$a" '#00FF00'
cmp -s "$p/user.reg" "$work/before" || fail "--set changed a user.reg Wine would reject"
check 1 '' "$p/user.reg: not a registry file" --prefix "$p" --get "$a"

# No accounts: why, and the other front-ends' prefixes that hold accounts, by command.
"$make_profile" "$HOME/.local/share/bottles/bottles/Messenger Bottle" 1 >/dev/null
mkdir -p "$HOME/.local/share/bottles/bottles/Empty Bottle/drive_c"
"$make_profile" "$HOME/Games/it's-lutris" 1 >/dev/null
"$make_profile" "$work/elsewhere" 1 >/dev/null
mkdir -p "$HOME/.config/lutris/games"
printf 'game:\n  exe: x.exe\n  prefix: "%s"\nsystem: {}\n' "$work/elsewhere" \
    >"$HOME/.config/lutris/games/elsewhere-1.yml"
"$make_profile" "$HOME/.local/share/Steam/steamapps/compatdata/4000/pfx" 1 >/dev/null
mkdir -p "$HOME/.steam"
ln -s ../.local/share/Steam "$HOME/.steam/steam"
expected="No existe el prefijo de Wine $work/absent.
Otro prefijo: tintaro --prefix CARPETA, o la variable WINEPREFIX.
Prefijos con cuentas de Messenger:
tintaro --prefix '$HOME/.local/share/bottles/bottles/Messenger Bottle'
tintaro --prefix '$HOME/Games/it'\\''s-lutris'
tintaro --prefix '$work/elsewhere'
tintaro --prefix '$HOME/.steam/steam/steamapps/compatdata/4000/pfx'"
check 1 '' '' --prefix "$work/absent" --list
[ "$(cat "$work/err")" = "$expected" ] || fail "the prefix search said:
$(cat "$work/err")"
check 1 '' "^No existe el prefijo de Wine $work/absent.$" --prefix "$work/absent" --get "$a"

[ "$failures" = 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "all command-line checks passed"
