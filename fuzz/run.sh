#!/usr/bin/env bash
# Builds the reading-file fuzzer with clang into build-fuzz and runs it.
#   fuzz/run.sh [seconds]     (default 300)
# New inputs go to build-fuzz/corpus (the seeds in fuzz/corpus stay as they are);
# a crash, hang, leak or undefined behaviour stops the run and leaves its input
# in build-fuzz/artifacts/. Keep such an input, once fixed, under
# tests/storage/fuzz-regressions/ so fuzz_replay checks it on every test run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DORVELLA_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_readingfile

mkdir -p "$build/corpus" "$build/artifacts"
cp -n fuzz/corpus/* "$build/corpus/"
cp -n tests/storage/fuzz-regressions/* "$build/corpus/" 2>/dev/null || true
rm -f "$build/corpus/README.md"

echo "Fuzzing for ${seconds}s"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
"$build/fuzz/fuzz_readingfile" "$build/corpus" \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/"
