#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times Tintaro's start (main window with ten accounts listed and the vote window, both painted)
# against a bare Qt window, as whole processes on the offscreen platform, and prints the ratios.
# Usage: bench/startup/run.sh [BUILD_DIR] [ROUNDS]
#   BUILD_DIR defaults to build/default; ROUNDS (default 5) alternates the two programs, each
#   round timing both with hyperfine and measuring both once more with /usr/bin/time -v. With
#   valgrind installed it also counts each program's instructions once (callgrind).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build/default}" && pwd)"
rounds="${2:-5}"
runs_per_round=10

bare="$build/bench/startup/bench_startup_bare"
tool="$build/bench/startup/bench_startup_tintaro"
for exe in "$bare" "$tool"; do
    [ -x "$exe" ] || { echo "run.sh: $exe not built" >&2; exit 1; }
done
command -v hyperfine >/dev/null || { echo "run.sh: hyperfine missing" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$root/tests/e2e/make_profile.sh" "$work/prefix" 10 >"$work/accounts.txt"
[ "$(wc -l <"$work/accounts.txt")" -eq 10 ] || { echo "run.sh: profile not made" >&2; exit 1; }
mkdir -m 700 "$work/xdg"
export WINEPREFIX="$work/prefix" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/xdg"

# Both programs must succeed (exit 0 means every window painted) before anything is timed.
if ! "$bare" || ! "$tool"; then echo "run.sh: a start-up program failed" >&2; exit 1; fi

rss() { # peak resident set size in KiB of one run
    /usr/bin/time -v "$1" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ {print $2}'
}
for ((r = 1; r <= rounds; r++)); do
    # Alternate which program goes first so neither always runs on a warmer cache.
    if ((r % 2)); then order=("$bare" "$tool"); else order=("$tool" "$bare"); fi
    hyperfine -N --warmup 2 --runs "$runs_per_round" --style none \
        --export-csv "$work/round$r.csv" "${order[@]}" >/dev/null
    for exe in "${order[@]}"; do
        echo "$(basename "$exe") $(rss "$exe")" >>"$work/rss.txt"
    done
done

# hyperfine's CSV: command,mean,stddev,median,user,system,min,max (seconds).
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
time_of() { cat "$work"/round*.csv | awk -F, -v c="$1" '$1 == c {print $4}' | median; }
# Processor time (user + system, hyperfine's means per round): on a busy machine it moves less
# than wall time, which also counts the time spent waiting for a core.
cpu_of() { cat "$work"/round*.csv | awk -F, -v c="$1" '$1 == c {print $5 + $6}' | median; }
rss_of() { awk -v n="$(basename "$1")" '$1 == n {print $2}' "$work/rss.txt" | median; }

t_bare=$(time_of "$bare")
t_tool=$(time_of "$tool")
m_bare=$(rss_of "$bare")
m_tool=$(rss_of "$tool")
c_bare=$(cpu_of "$bare")
c_tool=$(cpu_of "$tool")
ms() { awk -v t="$1" 'BEGIN {print t * 1000}'; }
printf '%-24s %14s %16s %14s\n' program "median time" "peak RSS" "cpu time"
printf '%-24s %11.1f ms %13d KiB %11.1f ms\n' bench_startup_bare "$(ms "$t_bare")" "$m_bare" "$(ms "$c_bare")"
printf '%-24s %11.1f ms %13d KiB %11.1f ms\n' bench_startup_tintaro "$(ms "$t_tool")" "$m_tool" "$(ms "$c_tool")"
printf '%-24s %14.3f %16.3f %14.3f\n' "ratio tintaro/bare" "$(awk -v a="$t_tool" -v b="$t_bare" 'BEGIN {print a / b}')" \
    "$(awk -v a="$m_tool" -v b="$m_bare" 'BEGIN {print a / b}')" \
    "$(awk -v a="$c_tool" -v b="$c_bare" 'BEGIN {print a / b}')"
echo "($rounds rounds x $runs_per_round runs each under hyperfine, medians of round medians; RSS: median of $rounds runs)"
# How far the time ratio moves from round to round: its lower quartile, median and upper quartile.
for f in "$work"/round*.csv; do
    awk -F, -v a="$tool" -v b="$bare" '$1 == a {t = $4} $1 == b {u = $4} END {print t / u}' "$f"
done | sort -g | awk '{v[NR] = $1} END {printf "time ratio per round: quartiles %.3f  %.3f  %.3f\n",
    v[int((NR + 3) / 4)], v[int((NR + 1) / 2)], v[int((3 * NR + 3) / 4)]}'

# Wall time on a shared machine moves by more than the goal's margin from one batch to the next;
# the instructions executed do not, so they are counted once per program as a steady reference.
if ! command -v valgrind >/dev/null; then
    echo "(valgrind missing: no instruction counts)"
    exit 0
fi
instructions() {
    valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$1" 2>&1 >/dev/null |
        awk '/I +refs:/ {gsub(",", "", $NF); print $NF}'
}
i_bare=$(instructions "$bare")
i_tool=$(instructions "$tool")
[ -n "$i_bare" ] && [ -n "$i_tool" ] || { echo "run.sh: callgrind gave no count" >&2; exit 1; }
printf '%-24s %14s %16s\n' "instructions (callgrind)" bare tintaro
printf '%-24s %14d %16d   ratio %.3f\n' "" "$i_bare" "$i_tool" "$(awk -v a="$i_tool" -v b="$i_bare" 'BEGIN {print a / b}')"
