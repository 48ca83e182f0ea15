#!/usr/bin/env bash
# Starts the program twice at once under a virtual X server and checks that one
# copy refuses with "Application is already running" and ends (exit code 0)
# once the box is answered, while the other keeps running with its one window.
#
#   tools/check-single-instance.sh path/to/orvella-medicine-cards
#
# Runs with a private home, settings and temporary folder, so it never sees
# the real user's settings or a copy the user is running. Exit code 77 when
# Xvfb or xdotool is missing (the test is then skipped).
set -u

program=${1:-}
if [ -z "$program" ] || [ ! -x "$program" ]; then
    echo "usage: $0 PROGRAM" >&2
    exit 2
fi
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")

if [ "${2:-}" != "--inside-x" ]; then
    # Our own server on a display number it picks itself: xvfb-run -a lets two
    # scripts started together pick the same number, and one copy then fails.
    source "$(dirname "$0")/../bench/xvfb-session.sh"
    require_tools Xvfb xdotool
    start_xvfb
    use_private_home
    bash "$0" "$program" --inside-x
    exit $?
fi

# From here on we run inside the virtual X server.
main_title='^Orvella Medicine Cards v1\.0$'
box_title='^Orvella Medicine Cards$'
pid_a=""
pid_b=""
second_pid=""

fail() {
    echo "FAIL: $*"
    for log in "$TMPDIR"/copy-*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log"):"; cat "$log"; }
    done
    exit 1
}

cleanup() {
    for pid in $pid_a $pid_b; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
}
trap cleanup EXIT

# Prints the ids of the windows whose title matches $1, waiting up to $2 seconds for one.
wait_for_windows() {
    local pattern=$1 seconds=$2 ids
    for _ in $(seq $((seconds * 10))); do
        ids=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null)
        if [ -n "$ids" ]; then
            echo "$ids"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

"$program" >"$TMPDIR/copy-a.log" 2>&1 &
pid_a=$!
"$program" >"$TMPDIR/copy-b.log" 2>&1 &
pid_b=$!

box=$(wait_for_windows "$box_title" 30) || fail "no copy showed the refusal box"
[ "$(echo "$box" | wc -l)" -eq 1 ] || fail "more than one refusal box"
box_pid=$(xdotool getwindowpid "$box" 2>/dev/null)
case "$box_pid" in
"$pid_a") second_pid=$pid_a; first_pid=$pid_b ;;
"$pid_b") second_pid=$pid_b; first_pid=$pid_a ;;
*) fail "the refusal box belongs to no started copy (pid '$box_pid')" ;;
esac
echo "copy $first_pid runs, copy $second_pid refuses"

windows=$(wait_for_windows "$main_title" 30) || fail "the running copy shows no main window"
[ "$(echo "$windows" | wc -l)" -eq 1 ] || fail "more than one main window"
[ "$(xdotool getwindowpid "$windows")" = "$first_pid" ] || fail "the main window is not the running copy's"

# The refusing copy waits for its box to be answered; answer it with Enter.
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key --window "$box" Return
for _ in $(seq 100); do
    kill -0 "$second_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$second_pid" 2>/dev/null; then
    fail "the refusing copy did not end after its box was answered"
fi
wait "$second_pid"
status=$?
second_pid=""
[ "$status" -eq 0 ] || fail "the refusing copy ended with code $status"

# The running copy is untouched: still running, still one main window, the same one.
sleep 0.5
kill -0 "$first_pid" 2>/dev/null || fail "the running copy ended"
after=$(xdotool search --onlyvisible --name "$main_title" 2>/dev/null)
[ "$after" = "$windows" ] || fail "the running copy's windows changed"
if xdotool search --onlyvisible --name "$box_title" >/dev/null 2>&1; then
    fail "a refusal box is still shown"
fi

echo "PASS: the second copy refused and ended; the first keeps running"
exit 0
