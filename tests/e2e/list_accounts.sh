#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lists the Messenger accounts of a Wine-prefix-shaped profile as the program should list them:
# one line per account, "<folder> <e-mail> <file used>", in the order the file system lists the
# folders. Decodes map.dat independently of the program (base64, iconv), as a check on it.
# Usage: list_accounts.sh PREFIX
set -euo pipefail
prefix="$1"
messenger=""
for dir in "$prefix"/drive_c/users/*/AppData/Roaming/Microsoft/"MSN Messenger"; do
    [ -d "$dir" ] && messenger="$dir" && break
done
[ -n "$messenger" ] || { echo "list_accounts: no Messenger folder under $prefix" >&2; exit 1; }

# ls -U keeps the file system's own order, the one the program enumerates in.
(cd "$messenger" && ls -U -1) | while read -r folder; do
    if [ -s "$messenger/$folder/Backgrounds/map.dat" ] &&
        [ "$(stat -c %s "$messenger/$folder/Backgrounds/map.dat")" -gt 1 ]; then
        file="$messenger/$folder/Backgrounds/map.dat"
        # The Backgrounds file's last byte is never read.
        length=$(($(stat -c %s "$file") - 1))
    elif [ -s "$messenger/$folder/UserTile/map.dat" ]; then
        file="$messenger/$folder/UserTile/map.dat"
        length=$(stat -c %s "$file")
    else
        continue
    fi
    mail=$(head -c "$length" "$file" | tr -d '\0' | base64 -d 2>/dev/null |
        iconv -f UTF-16LE -t UTF-8 | sed -n 's/^[^"]*"\([^"]*\)".*/\1/p')
    echo "$folder $mail ${file#"$prefix/"}"
done
