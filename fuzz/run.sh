#!/usr/bin/env bash
# Builds a fuzzer with clang into build-fuzz and runs it.
#   fuzz/run.sh [seconds] [readingfile|journalexport]     (default 300, readingfile)
# New inputs go to build-fuzz/corpus-<target> (the seeds stay as they are); a
# crash, hang, leak or undefined behaviour stops the run and leaves its input
# in build-fuzz/artifacts/. Keep such an input, once fixed, among the target's
# regressions (tests/storage/fuzz-regressions/ or tests/journal/fuzz-regressions/)
# so its fuzz_replay checks it on every test run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
target=${2:-readingfile}
build=build-fuzz
case $target in
    readingfile) seeds=(fuzz/corpus tests/storage/fuzz-regressions) max_len=4096 ;;
    journalexport) seeds=(fuzz/corpus-journal tests/journal/fuzz-regressions) max_len=8192 ;;
    *) echo "unknown fuzzer: $target" >&2; exit 2 ;;
esac

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DORVELLA_FUZZ=ON >/dev/null
cmake --build "$build" --target "fuzz_$target"

corpus=$build/corpus-$target
mkdir -p "$corpus" "$build/artifacts"
for folder in "${seeds[@]}"; do
    [ -d "$folder" ] && cp -n "$folder"/* "$corpus/"
done
rm -f "$corpus/README.md"

echo "Fuzzing $target for ${seconds}s"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
"$build/fuzz/fuzz_$target" "$corpus" \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=$max_len \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/"
