#!/usr/bin/env bash
# Builds the program as it was at another commit, beside this one, so that
# bench/startup.sh and bench/memory.sh can compare the two in one run:
#   bench/build-baseline.sh REV [DIR]      (DIR defaults to build-baseline)
#   BASELINE_DIR=build-baseline/build bench/startup.sh
# The commit is checked out as a detached git worktree in DIR/source.
set -euo pipefail
cd "$(dirname "$0")/.."
rev=${1:?usage: $0 REV [DIR]}
dir=$(realpath -m "${2:-build-baseline}")
if [ ! -d "$dir/source" ]; then
    git worktree add --detach "$dir/source" "$rev" >/dev/null
else
    git -C "$dir/source" checkout --detach -q "$rev"
fi
cmake -S "$dir/source" -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir/build" --target orvella-medicine-cards memory_driver minimal_window startup_timer >/dev/null
echo "baseline $(git rev-parse --short "$rev") built in $dir/build: BASELINE_DIR=$dir/build"
