#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Puts the licence's SPDX identifier at the top of every tracked source file that lacks one:
# `// SPDX-License-Identifier: MIT` in C++ files, `# SPDX-License-Identifier: MIT` in shell
# scripts and CMake files (after the #! line of a script). A file that already names an SPDX
# licence in its first three lines is left alone, so running it again changes nothing.
# Usage: scripts/add-spdx.sh [REPO_DIR]     (REPO_DIR defaults to this checkout)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
tag="SPDX-License-Identifier: MIT"

add() { # add FILE COMMENT_LEADER
    local file="$1" line="$2 $tag" tmp
    head -n 3 "$file" | grep -q 'SPDX-License-Identifier:' && return 0
    tmp="$(mktemp "$file.XXXXXX")"
    if head -n 1 "$file" | grep -q '^#!'; then
        { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$tmp"
    else
        { echo "$line"; cat "$file"; } >"$tmp"
    fi
    chmod --reference="$file" "$tmp"
    mv "$tmp" "$file"
    echo "$file"
}

git ls-files -z | while IFS= read -r -d '' file; do
    case "$file" in
    *.cpp | *.h | *.c | *.hpp) add "$file" "//" ;;
    *.sh | *.cmake | */CMakeLists.txt | CMakeLists.txt | .ci/run) add "$file" "#" ;;
    esac
done
