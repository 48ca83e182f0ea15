#!/usr/bin/env bash
# Peak resident memory (VmHWM) with a 7-card reading on screen, against the
# Qt window holding one text label (the floor for any window with text; goal:
# at most 1.11 times its peak), both under Xvfb; median of a few runs each.
#   bench/memory.sh [runs]      (default 15 each; BUILD_DIR defaults to build)
# With BASELINE_DIR set to another build of the program (an earlier commit,
# say), its memory driver runs in the same alternation and the two are
# compared (goal: at most 256 KiB more than the baseline).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${BUILD_DIR:-build}
baseline=${BASELINE_DIR:-}
driver=$build/bench/memory_driver
minimal=$build/bench/minimal_window
source bench/xvfb-session.sh
programs=("$driver" "$minimal")
[ -n "$baseline" ] && programs+=("$baseline/bench/memory_driver")
require_programs "${programs[@]}"
start_xvfb
use_private_home
driver_kib=()
baseline_kib=()
minimal_kib=()
label_kib=()
for ((i = 0; i < runs; i++)); do
    # Each run loads the programs as from disk: the kernel maps pages it has
    # cached in large blocks, so a program's resident share of its own file
    # would otherwise swing by up to a megabyte with what an earlier run left.
    evict_from_page_cache "${programs[@]}"
    driver_kib+=("$("$driver")")
    # Its journal apart: an older program would stop to say that the newer
    # one's journal is newer than it.
    [ -n "$baseline" ] && baseline_kib+=("$(XDG_DATA_HOME=$BENCH_HOME/baseline-data "${programs[2]}")")
    minimal_kib+=("$("$minimal" --memory)")
    label_kib+=("$("$minimal" --memory --label)")
done
d=$(printf '%s\n' "${driver_kib[@]}" | median)
m=$(printf '%s\n' "${minimal_kib[@]}" | median)
l=$(printf '%s\n' "${label_kib[@]}" | median)
echo "peak memory runs (KiB): reading ${driver_kib[*]}; minimal ${minimal_kib[*]}"
[ -n "$baseline" ] && echo "  baseline reading ${baseline_kib[*]}"
awk -v d="$d" -v l="$l" 'BEGIN {
    printf "peak memory (VmHWM) median: 7-card reading %.1f MiB, window with one text label %.1f MiB, ratio %.3f (goal <= 1.11)\n", d / 1024, l / 1024, d / l }'
awk -v d="$d" -v m="$m" 'BEGIN {
    printf "for reference: empty window %.1f MiB, reading / empty window %.3f\n", m / 1024, d / m }'
if [ -n "$baseline" ]; then
    b=$(printf '%s\n' "${baseline_kib[@]}" | median)
    awk -v d="$d" -v b="$b" -v dir="$baseline" 'BEGIN {
        printf "against the baseline (%s): reading %d KiB, baseline %d KiB, difference %+d KiB (goal <= +256)\n", dir, d, b, d - b }'
fi
