# Sourced by the bench and check scripts: starts a private Xvfb and points
# DISPLAY at it; the server goes away when the script exits. XVFB_SCREEN
# sets its screen (default 1280x1024x24).
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # No auto-repeat: on a busy machine a key held down by a slow xdotool would
    # repeat into whatever window comes next.
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset -r 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
    export QT_QPA_PLATFORM=xcb
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
}

# A private home, settings, data, cache and temporary folder, so the user's own
# stay untouched and a copy the user runs is never seen; removed with Xvfb on exit.
use_private_home() {
    BENCH_HOME=$(mktemp -d)
    trap 'kill $XVFB_PID 2>/dev/null || true; rm -rf "$BENCH_HOME"' EXIT
    export HOME=$BENCH_HOME XDG_CONFIG_HOME=$BENCH_HOME/.config XDG_CACHE_HOME=$BENCH_HOME/.cache
    export XDG_DATA_HOME=$BENCH_HOME/.local/share XDG_RUNTIME_DIR=$BENCH_HOME/runtime
    export TMPDIR=$BENCH_HOME/tmp
    mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

# Ends the script as skipped (exit code 77) unless every named tool is installed.
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Stops the script unless every named program is built and Xvfb is installed.
require_programs() {
    local f
    for f in "$@"; do
        [ -x "$f" ] || { echo "missing $f: build the targets first (bench/run-all.sh does)" >&2; exit 1; }
    done
    require_tools Xvfb
}

# Drops the page cache's copy of freshly built programs, so the runs load them
# as from disk. Straight after linking, the cache holds the linker's writes in
# large blocks, and touching one page of a picture maps its whole block: the
# same program then shows some 250 KiB more resident memory than once read
# from disk. Any user may do this for files they can read.
evict_from_page_cache() {
    local f
    for f in "$@"; do
        sync "$f" 2>/dev/null
        dd if="$f" iflag=nocache count=0 status=none 2>/dev/null || true
    done
}

# Waits up to $2 seconds for process $1, a child of the script, to end; its
# exit code goes to $ended_with. False when it still runs.
wait_for_end() {
    local pid=$1 seconds=$2 i
    for ((i = 0; i < seconds * 20; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            ended_with=$?
            return 0
        fi
        sleep 0.05
    done
    return 1
}
