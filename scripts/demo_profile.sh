#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes a Wine-prefix-shaped demo profile for trying Tintaro without Messenger: a user.reg that
# names the AppData folder, the C: drive link, and a few account folders holding map.dat files
# the way the program reads them. Prints the prefix folder.
# Usage: scripts/demo_profile.sh PREFIX
set -euo pipefail
[ $# -eq 1 ] && [ -n "$1" ] || { echo "usage: $0 PREFIX" >&2; exit 2; }
prefix="$1"
messenger="$prefix/drive_c/users/demo/AppData/Roaming/Microsoft/MSN Messenger"

rm -rf "$messenger" # a rerun starts from the same accounts
mkdir -p "$prefix/dosdevices" "$messenger"
[ -L "$prefix/dosdevices/c:" ] || ln -s ../drive_c "$prefix/dosdevices/c:"

cat >"$prefix/user.reg" <<'REG'
WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

#arch=win64

[Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders] 1700000000
#time=1da0000000000000
"AppData"="C:\\users\\demo\\AppData\\Roaming"
"Personal"="C:\\users\\demo\\Documents"

[Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders] 1700000000
#time=1da0000000000000
"AppData"=str(2):"%USERPROFILE%\\AppData\\Roaming"
"Personal"=str(2):"%USERPROFILE%\\Documents"
REG

# map.dat FILE E-MAIL PICTURE [END]: Base64 of UTF-16LE text whose first quoted run is the
# e-mail, then END.
map_dat() {
    mkdir -p "$(dirname "$1")"
    { printf '<map account="%s" picture="%s"/>' "$2" "$3" | iconv -f UTF-8 -t UTF-16LE |
        base64 -w0; printf '%s' "${4:-}"; } >"$1"
}

# A Backgrounds file: the program leaves its last byte out, so it ends with a line break.
map_dat "$messenger/1842307651/Backgrounds/map.dat" ana.garcia@example.com playa.jpg $'\n'
map_dat "$messenger/1842307651/UserTile/map.dat" ignored@example.com ana.png
# Only a UserTile file, read whole.
map_dat "$messenger/2093348112/UserTile/map.dat" luis.m@example.org luis.png
# An empty Backgrounds file: the UserTile file is used.
mkdir -p "$messenger/0377120045/Backgrounds"
: >"$messenger/0377120045/Backgrounds/map.dat"
map_dat "$messenger/0377120045/UserTile/map.dat" carmen@example.com gato.png
# A folder without any map.dat: not listed.
mkdir -p "$messenger/3310987654/Settings"
echo "nothing to list" >"$messenger/3310987654/Settings/notes.txt"
# One more ordinary account.
map_dat "$messenger/1357924680/UserTile/map.dat" pablo.ruiz@example.org pablo.png
echo "$prefix"
