#!/usr/bin/env bash
# Starts the real program under Xvfb, with a private D-Bus session and the
# AT-SPI accessibility bus switched on as a screen reader switches it on, and
# listens to it with check-accessibility.py: the selection panel, a 7-card
# reading, Back, a 4-card reading, the card view, the deck's meanings, the
# about box and the exit screen. Every process it starts ends with it.
#   check-accessibility.sh PROGRAM
# Exit code 0 when what is heard is what is seen, 1 on a fault, 77 when the
# tools are missing (Debian: at-spi2-core, python3-pyatspi, dbus, xdotool).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${2:-}" = "--inside-session" ]; then
    program=$1
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    app=""
    trap 'kill $app $launcher 2>/dev/null; wait 2>/dev/null' EXIT
    # The accessibility bus, once its launcher answers; then switched on.
    for _ in $(seq 200); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
        sleep 0.05
    done
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null || { echo "FAIL: the accessibility bus did not start"; exit 1; }
    "$program" >"$TMPDIR/program.log" 2>&1 &
    app=$!
    /usr/bin/python3 "$here/check-accessibility.py" "$TMPDIR/opened.log"
    status=$?
    [ $status -eq 0 ] || { echo "--- program output:"; cat "$TMPDIR/program.log"; }
    exit $status
fi

program=$(realpath "${1:?usage: $0 PROGRAM}")
source "$here/../bench/xvfb-session.sh"
require_tools Xvfb xdotool dbus-run-session dbus-send
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
start_xvfb
use_private_home
# A stand-in browser: it only notes the addresses the program hands over.
mkdir -p "$BENCH_HOME/bin"
printf '#!/bin/sh\necho "$1" >>"%s/opened.log"\n' "$TMPDIR" >"$BENCH_HOME/bin/xdg-open"
chmod +x "$BENCH_HOME/bin/xdg-open"
touch "$TMPDIR/opened.log"
export PATH=$BENCH_HOME/bin:$PATH
dbus-run-session -- bash "$0" "$program" --inside-session
