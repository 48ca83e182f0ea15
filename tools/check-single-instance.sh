#!/usr/bin/env bash
# Starts the program twice at once under a virtual X server and checks that one
# copy refuses with "Application is already running" and ends (exit code 0)
# once the box is answered, while the other keeps running with its one window.
# A copy started with another temporary folder is refused just the same.
# Then the readings named on the command line: the first copy opens its own,
# and a second start with another reading hands it over to the first copy and
# ends at once, with no window. What the first copy shows is read back by
# exporting it as a PDF through its File menu (with poppler's pdftotext).
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
source "$(dirname "$0")/../bench/xvfb-session.sh"
main_title='^Orvella Medicine Cards v1\.0$'
box_title='^Orvella Medicine Cards$'
pid_a=""
pid_b=""
second_pid=""

fail() {
    echo "FAIL: $*"
    for pid in $pid_a $pid_b $pid_c; do
        if kill -0 "$pid" 2>/dev/null; then echo "copy $pid still runs"; else wait "$pid"; echo "copy $pid ended with $?"; fi
    done
    echo "windows shown:"
    xdotool search --onlyvisible --name . 2>/dev/null | while read -r id; do
        echo "  $(xdotool getwindowpid "$id" 2>/dev/null): $(xdotool getwindowname "$id" 2>/dev/null)"
    done
    for log in "$TMPDIR"/copy-*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log"):"; cat "$log"; }
    done
    exit 1
}

cleanup() {
    for pid in $pid_a $pid_b $pid_c; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
}
pid_c=""
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

echo "ok: the second copy refused and ended; the first keeps running"

# Waits for pid $1's refusal box and answers it until the copy ends.
answer_refusal() {
    local pid=$1 box
    box=$(wait_for_windows "$box_title" 20) || fail "$2: no refusal box"
    for _ in $(seq 20); do
        xdotool windowfocus --sync "$box" 2>/dev/null
        xdotool key --window "$box" Return 2>/dev/null
        wait_for_end "$pid" 1 && return 0
    done
    fail "$2: the refusing copy did not end"
}

# Another temporary folder is the same user: still refused.
mkdir -p "$TMPDIR/other"
TMPDIR=$TMPDIR/other "$program" >"$TMPDIR/copy-c.log" 2>&1 &
pid_c=$!
answer_refusal "$pid_c" "another temporary folder"
pid_c=""
[ "$(xdotool search --onlyvisible --name "$main_title" 2>/dev/null | wc -l)" -eq 1 ] \
    || fail "a copy with another temporary folder showed a main window"
echo "ok: a copy with another temporary folder is refused"
kill "$first_pid" 2>/dev/null
wait "$first_pid" 2>/dev/null
pid_a=""
pid_b=""

# Exports what the running copy shows as a PDF and prints its text; fails when
# its export entry is off, that is when no reading is shown.
shown_reading() {
    local window=$1 pdf=$2 dialog
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 0.3
    xdotool key --clearmodifiers alt+f
    sleep 0.3
    xdotool key --clearmodifiers e
    dialog=$(wait_for_windows '^Export as PDF$' 10) || fail "no reading is shown (export is off)"
    sleep 0.5 # the dialog takes its keys once it has settled
    xdotool windowfocus --sync "$dialog" 2>/dev/null
    xdotool type --delay 5 "$pdf"
    # A first Return may only close the name's completion list.
    for _ in 1 2 3; do
        sleep 0.3
        xdotool search --onlyvisible --name '^Export as PDF$' >/dev/null 2>&1 || break
        xdotool key Return
    done
    for _ in $(seq 100); do [ -s "$pdf" ] && break; sleep 0.1; done
    [ -s "$pdf" ] || { import -window root /tmp/x/fail-shot.png 2>/dev/null; fail "the reading was not exported to $pdf"; }
    if command -v pdftotext >/dev/null; then pdftotext "$pdf" -; fi
}

samples=$(cd "$(dirname "$0")/../fuzz/corpus" && pwd)
"$program" "$samples/valid-sunlodge-1.mca" >"$TMPDIR/copy-a.log" 2>&1 &
pid_a=$!
main=$(wait_for_windows "$main_title" 30) || fail "started with a reading, no main window"
sleep 1
text=$(shown_reading "$main" "$TMPDIR/first.pdf")
if command -v pdftotext >/dev/null; then
    grep -q "Sun Lodge Spread" <<<"$text" || fail "the reading named on the command line is not shown: $text"
fi
echo "ok: started with a reading, the copy shows it"

"$program" "$samples/valid-moonlodge-1.mca" >"$TMPDIR/copy-b.log" 2>&1 &
pid_b=$!
wait_for_end "$pid_b" 10 || fail "the second start with a reading did not end"
pid_b=""
[ "$ended_with" -eq 0 ] || fail "the second start with a reading ended with code $ended_with"
if xdotool search --onlyvisible --name "$box_title" >/dev/null 2>&1; then
    fail "the second start with a reading was refused"
fi
[ "$(xdotool search --onlyvisible --name "$main_title" 2>/dev/null)" = "$main" ] \
    || fail "the second start with a reading showed a window"
text=$(shown_reading "$main" "$TMPDIR/handed.pdf")
if command -v pdftotext >/dev/null; then
    grep -q "Moon Lodge Spread" <<<"$text" || fail "the handed reading is not shown"
fi
echo "ok: a second start handed its reading over and ended with code 0"

echo "PASS: one copy per user; readings open from the command line and hand over"
exit 0
