#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds a Wine-prefix-shaped profile with Messenger account folders, as Wine and Messenger lay
# them out: the C: drive link, a user.reg that names the AppData folder, and per account a
# map.dat holding Base64 of UTF-16LE text whose first quoted run is the account's e-mail.
# Usage: make_profile.sh PREFIX COUNT
# Prints one line per account, "<folder> <e-mail> <file used>", in the order the file system
# lists the folders (the order in which the program lists them).
set -euo pipefail
prefix="$1"
count="$2"
[[ "$count" =~ ^[0-9]+$ ]] || { echo "COUNT must be a whole number" >&2; exit 2; }

user=tester
appdata_win="C:\\users\\$user\\AppData\\Roaming"
messenger="$prefix/drive_c/users/$user/AppData/Roaming/Microsoft/MSN Messenger"
mkdir -p "$prefix/dosdevices" "$messenger"
ln -sfn ../drive_c "$prefix/dosdevices/c:"

# Registry text escapes each backslash.
reg_path="${appdata_win//\\/\\\\}"
cat >"$prefix/user.reg" <<REG
WINE REGISTRY Version 2
;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000

#arch=win64

[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1733560000
#time=1db48a000000000
"AppData"="$reg_path"

[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] 1733560000
#time=1db48a000000000
"AppData"=str(2):"%USERPROFILE%\\\\AppData\\\\Roaming"
REG

for ((i = 1; i <= count; i++)); do
    folder=$((1000000000 + i * 7919))
    mail="account$i@example.com"
    text="<msnobj Creator=\"$mail\" Size=\"2048\" Type=\"3\" Location=\"TFR$i.dat\"/>"
    encoded=$(printf '%s' "$text" | iconv -f UTF-8 -t UTF-16LE | base64 -w0)
    if ((i % 3 == 2)); then
        # Only a UserTile file: read whole.
        mkdir -p "$messenger/$folder/UserTile"
        printf '%s' "$encoded" >"$messenger/$folder/UserTile/map.dat"
    else
        # The Backgrounds file's last byte is never read; Messenger ends it with a NUL.
        mkdir -p "$messenger/$folder/Backgrounds"
        printf '%s\0' "$encoded" >"$messenger/$folder/Backgrounds/map.dat"
    fi
done
# Entries the program must pass over: a folder without map.dat and a plain file.
mkdir -p "$messenger/Shared"
printf 'not an account' >"$messenger/contacts.txt"

"$(dirname "$0")/list_accounts.sh" "$prefix"
