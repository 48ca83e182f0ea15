#!/usr/bin/env bash
# Start-up time: from process start until the main window is mapped, for the
# real program and for the minimal Qt window, run alternately under Xvfb.
#   bench/startup.sh [runs]       (default 15 each; BUILD_DIR defaults to build)
# Prints both medians and their ratio (goal: at most 1.15).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${BUILD_DIR:-build}
program=$build/src/app/orvella-medicine-cards
minimal=$build/bench/minimal_window
timer=$build/bench/startup_timer
caption="Orvella Medicine Cards v1.0"
source bench/xvfb-session.sh
require_programs "$program" "$minimal" "$timer"
evict_from_page_cache "$program" "$minimal"
start_xvfb

# A private home: the user's settings stay untouched, and the first run's
# writing of the reminder date happens in the warm-up, not in a timed run.
use_private_home

for _ in 1 2; do  # warm-up: disk cache, font cache, first-run settings
    "$timer" "$caption" "$program" >/dev/null
    "$timer" "$caption" "$minimal" >/dev/null
done

program_times=()
minimal_times=()
label_times=()
for ((i = 0; i < runs; i++)); do
    program_times+=("$("$timer" "$caption" "$program")")
    minimal_times+=("$("$timer" "$caption" "$minimal")")
    label_times+=("$("$timer" "$caption" "$minimal" --label)")
done

program_median=$(printf '%s\n' "${program_times[@]}" | median)
minimal_median=$(printf '%s\n' "${minimal_times[@]}" | median)
label_median=$(printf '%s\n' "${label_times[@]}" | median)
echo "start-up runs ($runs each, ms):"
echo "  program: ${program_times[*]}"
echo "  minimal: ${minimal_times[*]}"
echo "  label:   ${label_times[*]}"
awk -v p="$program_median" -v m="$minimal_median" 'BEGIN {
    printf "start-up median: program %.1f ms, minimal window %.1f ms, ratio %.3f (goal <= 1.15)\n", p, m, p / m }' 
awk -v p="$program_median" -v l="$label_median" 'BEGIN {
    printf "for reference: minimal window with one text label %.1f ms, program / label %.3f\n", l, p / l }'
