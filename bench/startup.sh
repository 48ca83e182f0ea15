#!/usr/bin/env bash
# Start-up time: from process start until the main window is mapped, for the
# real program and for the minimal Qt window, run alternately under Xvfb.
#   bench/startup.sh [runs]       (default 15 each; BUILD_DIR defaults to build)
# With BASELINE_DIR set to another build of the program (an earlier commit,
# say), that program runs in the same alternation and the two are compared.
# Prints the medians and their ratios (goals: at most 1.10 against the window
# holding one text label, the floor for any window with text; at most 1.05
# against the baseline).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${BUILD_DIR:-build}
baseline=${BASELINE_DIR:-}
program=$build/src/app/orvella-medicine-cards
minimal=$build/bench/minimal_window
timer=$build/bench/startup_timer
caption="Orvella Medicine Cards v1.0"
source bench/xvfb-session.sh
programs=("$program" "$minimal" "$timer")
[ -n "$baseline" ] && programs+=("$baseline/src/app/orvella-medicine-cards")
require_programs "${programs[@]}"
evict_from_page_cache "${programs[@]}"
start_xvfb

# A private home: the user's settings stay untouched, and the first run's
# writing of the reminder date happens in the warm-up, not in a timed run.
use_private_home

timed=("$program" "$minimal")
[ -n "$baseline" ] && timed+=("${programs[3]}")
for _ in 1 2; do  # warm-up: disk cache, font cache, first-run settings
    for p in "${timed[@]}"; do
        "$timer" "$caption" "$p" >/dev/null
    done
done

program_times=()
baseline_times=()
minimal_times=()
label_times=()
for ((i = 0; i < runs; i++)); do
    program_times+=("$("$timer" "$caption" "$program")")
    [ -n "$baseline" ] && baseline_times+=("$("$timer" "$caption" "${programs[3]}")")
    minimal_times+=("$("$timer" "$caption" "$minimal")")
    label_times+=("$("$timer" "$caption" "$minimal" --label)")
done

program_median=$(printf '%s\n' "${program_times[@]}" | median)
minimal_median=$(printf '%s\n' "${minimal_times[@]}" | median)
label_median=$(printf '%s\n' "${label_times[@]}" | median)
echo "start-up runs ($runs each, ms):"
echo "  program:  ${program_times[*]}"
[ -n "$baseline" ] && echo "  baseline: ${baseline_times[*]}"
echo "  minimal:  ${minimal_times[*]}"
echo "  label:    ${label_times[*]}"
awk -v p="$program_median" -v l="$label_median" 'BEGIN {
    printf "start-up median: program %.1f ms, window with one text label %.1f ms, ratio %.3f (goal <= 1.10)\n", p, l, p / l }'
awk -v p="$program_median" -v m="$minimal_median" 'BEGIN {
    printf "for reference: empty window %.1f ms, program / empty window %.3f\n", m, p / m }'
if [ -n "$baseline" ]; then
    baseline_median=$(printf '%s\n' "${baseline_times[@]}" | median)
    awk -v p="$program_median" -v b="$baseline_median" -v dir="$baseline" 'BEGIN {
        printf "against the baseline (%s): program %.1f ms, baseline %.1f ms, ratio %.3f (goal <= 1.05)\n", dir, p, b, p / b }'
fi

# The journal's store and SQLite are loaded with the first reading shown, never at start.
"$program" >/dev/null 2>&1 &
started=$!
sleep 2
mapped=$(grep -E 'sqlite|journal-store' "/proc/$started/maps" | awk '{ print $6 }' | sort -u | xargs -r -n1 basename | tr '\n' ' ')
kill "$started" 2>/dev/null || true
wait "$started" 2>/dev/null || true
echo "SQL libraries mapped before the first reading: ${mapped:-none} (goal: none)"
