#!/usr/bin/env bash
# Starts the real program under a virtual X server, closes its main window,
# waits for the exit screen, closes that, and checks that the process ends
# with exit code 0 within a second. Done twice: once with the close boxes (a
# WM_DELETE_WINDOW message, as a window manager sends), once with the
# keyboard through File > E&xit and the exit screen's E&xit button.
#   tools/check-shutdown.sh PROGRAM [XCLOSEWINDOW]
# Exit code 0 when sound, 1 on a fault, 77 when the tools are missing.
set -uo pipefail

program=${1:-}
closer=${2:-}
caption="Orvella Medicine Cards v1.0"

if [ -z "$program" ] || [ ! -x "$program" ]; then
    echo "usage: $0 PROGRAM [XCLOSEWINDOW]" >&2
    exit 2
fi
# A virtual X server of our own, on a display number it picks itself (two
# scripts started together could otherwise pick the same one), and a private
# home, so the real settings are neither read nor written; a fresh home also
# means the update reminder does not come up on this first run.
source "$(dirname "$0")/../bench/xvfb-session.sh"
require_tools Xvfb xdotool
start_xvfb
use_private_home
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The ids of the program's visible windows with the caption, one a line.
visible_windows() {
    xdotool search --all --pid "$1" --onlyvisible --name "^${caption}\$" 2>/dev/null | sort
}

# Waits up to $2 seconds for a visible window of pid $1 other than $3; prints it.
wait_for_new_window() {
    local pid=$1 seconds=$2 other=${3:-} id
    local tries=$((seconds * 20))
    for ((i = 0; i < tries; i++)); do
        for id in $(visible_windows "$pid"); do
            if [ "$id" != "$other" ]; then
                echo "$id"
                return 0
            fi
        done
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}


close_window() {
    local way=$1 id=$2 which=$3
    if [ "$way" = "close box" ]; then
        "$closer" "$id"
    else
        xdotool windowfocus --sync "$id"
        sleep 0.2
        if [ "$which" = main ]; then
            xdotool key --window "$id" --clearmodifiers alt+f
            sleep 0.3
            xdotool key --clearmodifiers x
        else
            xdotool key --window "$id" --clearmodifiers alt+x
        fi
    fi
}

run_round() {
    local way=$1
    echo "--- $way"
    "$program" >"$TMPDIR/program.log" 2>&1 &
    local pid=$!

    local main
    if ! main=$(wait_for_new_window "$pid" 20); then
        fail "$way: the main window did not appear"
        kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
        return
    fi
    echo "main window $main"

    close_window "$way" "$main" main
    local exit_screen
    if ! exit_screen=$(wait_for_new_window "$pid" 5 "$main"); then
        fail "$way: no exit screen after closing the main window"
        kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
        return
    fi
    echo "exit screen $exit_screen"
    local geometry
    geometry=$(xdotool getwindowgeometry "$exit_screen" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "741x315" ] || fail "$way: exit screen is $geometry, not 741x315"
    if [ "$(visible_windows "$pid")" != "$exit_screen" ]; then
        fail "$way: the main window is still visible beside the exit screen"
    fi
    # The program must stay up with only the exit screen left.
    sleep 0.5
    if ! kill -0 "$pid" 2>/dev/null; then
        fail "$way: the program ended before the exit screen was closed"
        wait "$pid" 2>/dev/null
        return
    fi

    close_window "$way" "$exit_screen" exit
    ended_with=
    if ! wait_for_end "$pid" 1; then
        fail "$way: the program still runs a second after the exit screen closed"
        kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
        return
    fi
    if [ "$ended_with" != 0 ]; then
        fail "$way: the program ended with exit code $ended_with"
        cat "$TMPDIR/program.log"
        return
    fi
    echo "ended with exit code 0"
}

if [ -n "$closer" ] && [ -x "$closer" ]; then
    run_round "close box"
else
    echo "no close-box helper: only the E&xit round runs"
fi
run_round "E&xit"

if [ "$failures" -gt 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "shutdown checks passed"
