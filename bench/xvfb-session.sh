# Sourced by the bench and check scripts: starts a private Xvfb and points
# DISPLAY at it; the server goes away when the script exits.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
    export QT_QPA_PLATFORM=xcb
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
}
