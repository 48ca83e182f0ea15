#!/usr/bin/env bash
# The program must start and show its main window when its settings store
# cannot be written. Runs the real program under Xvfb with the config folder
# made unwritable and waits for the main window to be mapped.
#   check-readonly-settings.sh <program> <startup_timer>
# Exit 77 (skipped) when Xvfb or the timer is missing.
set -euo pipefail
program=$1
timer=$2
caption="Orvella Medicine Cards v1.0"
[ -x "$timer" ] || { echo "startup_timer missing"; exit 77; }

source "$(dirname "$0")/../bench/xvfb-session.sh"
require_tools Xvfb
start_xvfb
scratch=$(mktemp -d)
trap 'kill $XVFB_PID 2>/dev/null || true; chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT

status=0
starts_with_config() {
    local what=$1 home=$2 config=$3
    mkdir -p "$scratch/runtime-$what" && chmod 700 "$scratch/runtime-$what"
    if ms=$(HOME=$home XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$scratch/runtime-$what \
            "$timer" "$caption" "$program"); then
        echo "ok   $what: main window mapped after $ms ms"
    else
        echo "FAIL $what: no main window"
        status=1
    fi
}

# Root ignores folder permissions, but nobody can create a folder below a
# regular file: that works for every user.
touch "$scratch/not-a-folder"
starts_with_config "config below a regular file" "$scratch/not-a-folder" "$scratch/not-a-folder/config"

if [ "$(id -u)" -ne 0 ]; then
    mkdir -p "$scratch/readonly/.config"
    chmod 555 "$scratch/readonly/.config" "$scratch/readonly"
    starts_with_config "read-only config folder" "$scratch/readonly" "$scratch/readonly/.config"
else
    echo "skip read-only config folder: root ignores folder permissions"
fi
exit $status
