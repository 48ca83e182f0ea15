#!/usr/bin/env bash
# Takes the pictures in docs/ of the real program under a private Xvfb: the
# selection panel, a Pathway reading and a Butterfly reading (the cards drawn
# are whatever the deck deals). Needs Xvfb, xdotool and ImageMagick's import.
#   tools/take-screenshots.sh [PROGRAM]     (default build/src/app/orvella-medicine-cards)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/src/app/orvella-medicine-cards}
source bench/xvfb-session.sh
require_programs "$program"
for tool in xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool missing" >&2; exit 77; }
done
start_xvfb
use_private_home

shoot() { # spread-steps-down output
    "$program" &
    local pid=$! window
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Orvella Medicine Cards v1\.0$' 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "no main window" >&2; exit 1; }
    sleep 0.5
    xdotool windowfocus --sync "$window"
    xdotool type --delay 20 "Aiyana"
    if [ "$1" != selection ]; then
        xdotool key Tab
        for ((i = 0; i < $1; i++)); do xdotool key Down; done
        xdotool key alt+g
    fi
    sleep 0.8
    import -window "$window" -define png:exclude-chunks=date,time "$2"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "wrote $2"
}

shoot selection docs/screenshot-selection.png
shoot 0 docs/screenshot-pathway.png
shoot 1 docs/screenshot-butterfly.png
