#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (the `fuzz` preset) and runs each for SECONDS seconds, starting
# from its committed seed corpus. Exits non-zero when a target crashes, leaks or times out, or
# when there is no target at all. Usage: scripts/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 SECONDS   (a whole number of seconds per target, at least 1)" >&2
    exit 2
fi

cmake --preset fuzz
# Only the fuzz targets and what they link: the rest of the preset's tree is not needed here.
mapfile -t names < <(cmake --build --preset fuzz --target help |
    sed -n 's/^\(fuzz_[A-Za-z0-9_]*\): .*/\1/p' | sort -u)
if [ ${#names[@]} -eq 0 ]; then
    echo "fuzz.sh: the fuzz preset defines no fuzz_* target" >&2
    exit 1
fi
cmake --build --preset fuzz --parallel "${TINTARO_JOBS:-2}" --target "${names[@]}"

build=build/fuzz
mapfile -t targets < <(find "$build" -path "$build/CMakeFiles" -prune -o \
    -type f -name 'fuzz_*' -perm -u+x -print | sort)
if [ ${#targets[@]} -ne ${#names[@]} ]; then
    echo "fuzz.sh: built ${#targets[@]} executables for ${#names[@]} fuzz targets" >&2
    exit 1
fi

# Each run mutates a copy: new inputs libFuzzer finds never land in the committed corpus.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
artifacts="$build/artifacts"
mkdir -p "$artifacts"

failed=()
for exe in "${targets[@]}"; do
    name="$(basename "$exe")"
    area="${name#fuzz_}"
    seeds="fuzz/$area/corpus"
    corpus="$work/$name"
    mkdir -p "$corpus"
    if [ -d "$seeds" ]; then
        cp -R "$seeds/." "$corpus/"
    else
        echo "fuzz.sh: warning: $seeds missing, $name starts from an empty corpus" >&2
    fi
    args=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
          -artifact_prefix="$artifacts/$name-")

    echo "== $name: ${seconds}s from $(find "$corpus" -type f | wc -l) seeds"
    if ! "$exe" "${args[@]}" "$corpus" >"$work/$name.log" 2>&1; then
        tail -n 60 "$work/$name.log" >&2
        echo "== $name FAILED; reproducer in $artifacts/" >&2
        failed+=("$name")
    else
        grep -E '^stat::number_of_executed_units|^Done ' "$work/$name.log" || true
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: failing targets: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz.sh: ${#targets[@]} target(s) ran ${seconds}s each without a fault"
