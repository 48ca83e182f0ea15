#!/usr/bin/env bash
# Takes the pictures in docs/ of the real program under a private Xvfb: the
# selection panel, a Pathway reading (also at double density) and a Butterfly
# reading, the card view of a reading and of the deck's meanings at normal
# and at double density, the journal and its statistics, and an exported page (the cards drawn are whatever
# the deck deals). Needs Xvfb, xdotool and ImageMagick's import. With Debian's
# faketime installed, the program runs on a clock frozen at one moment: the
# deck, seeded from it, deals the same cards and the page prints the same date
# on every retake, so a retake of an unchanged program is byte-for-byte the same.
#   tools/take-screenshots.sh [PROGRAM]     (default build/src/app/orvella-medicine-cards)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/src/app/orvella-medicine-cards}
source bench/xvfb-session.sh
require_programs "$program"
for tool in xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool missing" >&2; exit 77; }
done
# Room for the card view at double density.
XVFB_SCREEN=2560x1600x24 start_xvfb
use_private_home

wait_for_window() { # title-pattern what; prints the window once it shows and has settled
    local found=
    for _ in $(seq 100); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$found" ] && break
        sleep 0.1
    done
    [ -n "$found" ] || { echo "no $2" >&2; exit 1; }
    sleep 0.5
    echo "$found"
}

frozen_clock=()
faketime_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
if [ -n "$faketime_library" ]; then
    # Timers run on the real monotonic clock; only the time of day stands still.
    frozen_clock=(LD_PRELOAD="$faketime_library" FAKETIME="2026-12-08 09:15:00"
                  FAKETIME_DONT_FAKE_MONOTONIC=1)
else
    echo "faketime missing: the cards dealt differ from the last retake" >&2
fi

pid=
start_program() { # scale
    env "${frozen_clock[@]}" QT_SCALE_FACTOR="$1" "$program" &
    pid=$!
    window=$(wait_for_window '^Orvella Medicine Cards v1\.0$' "main window")
    xdotool windowfocus --sync "$window"
}

stop_program() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

save() { # window output
    import -window "$1" -define png:exclude-chunks=date,time "$2"
    echo "wrote $2"
}

read_spread() { # steps down the spread list
    xdotool type --delay 20 "Aiyana"
    xdotool key Tab
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key alt+g
    sleep 0.8
}

card_view() { # waits for the card view and prints its window
    wait_for_window ' - Orvella Medicine Cards$' "card view"
}

start_program 1
xdotool type --delay 20 "Aiyana"
# Well inside the first half second after a key, while the text cursor is on.
sleep 0.2
save "$window" docs/screenshot-selection.png
stop_program

start_program 1
read_spread 0
save "$window" docs/screenshot-pathway.png
stop_program

start_program 1
read_spread 1
save "$window" docs/screenshot-butterfly.png
stop_program

for scale in 1 2; do
    suffix=$([ "$scale" = 1 ] && echo "" || echo "@${scale}x")
    # A reading's third card, reached from the keyboard: File > View Cards Large, then Right twice.
    start_program "$scale"
    read_spread 0
    [ "$scale" = 1 ] || save "$window" "docs/screenshot-pathway$suffix.png"
    xdotool key ctrl+l
    view=$(card_view)
    xdotool key Right Right
    sleep 0.4
    save "$view" "docs/screenshot-cardview$suffix.png"
    stop_program

    # The deck's meanings: Help > Card Meanings, on The Otter.
    start_program "$scale"
    xdotool key alt+h
    sleep 0.3
    xdotool key c
    view=$(card_view)
    for ((i = 0; i < 7; i++)); do xdotool key Right; done
    sleep 0.4
    save "$view" "docs/screenshot-deck$suffix.png"
    stop_program
done

# The journal, holding the readings taken above: File > Journal..., with a
# note typed for the reading selected.
start_program 1
xdotool key ctrl+j
journal=$(wait_for_window '^Journal - Orvella Medicine Cards$' "journal")
xdotool windowfocus --sync "$journal"
xdotool key alt+o
xdotool type --delay 10 "A new path opens once the old one is let go."
sleep 0.6
save "$journal" docs/screenshot-journal.png
# Its statistics tab, over the same readings.
xdotool key alt+t
sleep 0.6
save "$journal" docs/screenshot-statistics.png
stop_program

# An exported page: File > Export Reading as PDF..., the file named in the
# dialog, its first page drawn by poppler's pdftoppm.
if command -v pdftoppm >/dev/null; then
    start_program 1
    read_spread 0
    xdotool key alt+f
    sleep 0.3
    xdotool key e
    dialog=$(wait_for_window '^Export as PDF$' "export dialog")
    xdotool windowfocus --sync "$dialog"
    xdotool type --delay 10 "$TMPDIR/pathway"
    xdotool key Return
    for _ in $(seq 50); do [ -s "$TMPDIR/pathway.pdf" ] && break; sleep 0.1; done
    stop_program
    pdftoppm -r 80 -f 1 -l 1 -png -singlefile "$TMPDIR/pathway.pdf" docs/export-page
    echo "wrote docs/export-page.png"
fi
