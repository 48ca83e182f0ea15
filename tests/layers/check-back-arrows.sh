#!/usr/bin/env bash
# The layer check run on a small tree with back-arrows planted in it: it must
# fail, naming each file, line and layer, and let the allowed includes pass.
#   check-back-arrows.sh <check-layers.py>
set -uo pipefail
here=$(dirname "$0")
output=$(python3 "$1" "$here/fixture/layers.txt" "$here/fixture/src" 2>/dev/null)
status=$?
if [ "$status" -ne 1 ]; then
    echo "expected the check to fail with 1, it ended with $status"
    exit 1
fi
diff -u "$here/expected.txt" <(printf '%s\n' "$output") || exit 1
echo "ok: every planted back-arrow named, nothing else"
