#!/usr/bin/env bash
# Builds the program and the benchmarks, then prints every figure:
# start-up time and peak memory against the minimal Qt window (under Xvfb),
# draws per second, and every other bench_* program (ShowReading, ...).
#   bench/run-all.sh            (BUILD_DIR defaults to build)
set -euo pipefail
cd "$(dirname "$0")/.."
export BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD_DIR" --target orvella-medicine-cards minimal_window memory_driver \
    bench_draw startup_timer >/dev/null
# The other benchmarks are whatever bench/CMakeLists.txt builds as bench_*.
others=$(sed -n 's/^ *\(orvella_add_benchmark\|add_executable\)(\(bench_[A-Za-z0-9_]*\).*/\2/p' \
    bench/CMakeLists.txt | grep -vx bench_draw || true)
[ -n "$others" ] && cmake --build "$BUILD_DIR" --target $others >/dev/null

echo "== start-up (bench/startup.sh)"
bench/startup.sh
echo
echo "== peak memory (bench/memory.sh)"
bench/memory.sh
echo
echo "== draw ($BUILD_DIR/bench/bench_draw)"
"$BUILD_DIR/bench/bench_draw"
for b in $others; do
    echo
    echo "== $b ($BUILD_DIR/bench/$b)"
    QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/$b"
done
