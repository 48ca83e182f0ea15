#!/usr/bin/env bash
# Builds the .deb, shows its dependencies and files, installs it on this
# machine, starts the installed program under Xvfb until its main window is
# mapped, and removes the package again. Needs root (or sudo).
#   packaging/check-deb.sh [build dir]      (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

cmake --build "$build" --target orvella-medicine-cards startup_timer >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/orvella-medicine-cards_*.deb | head -n 1)
echo "== $deb"
dpkg-deb -f "$deb" Package Version Architecture Depends
dpkg-deb -c "$deb" | awk '{ print $6 }'

if dpkg-query -W -f='${Status}' orvella-medicine-cards 2>/dev/null | grep -q "install ok installed"; then
    echo "orvella-medicine-cards is already installed; not touching it" >&2
    exit 1
fi
echo "== installing"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$deb" >/dev/null
trap '$sudo dpkg -r orvella-medicine-cards >/dev/null' EXIT

source bench/xvfb-session.sh
start_xvfb
home=$(mktemp -d)
trap '$sudo dpkg -r orvella-medicine-cards >/dev/null; kill $XVFB_PID 2>/dev/null || true; rm -rf "$home"' EXIT
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
ms=$(HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/runtime \
    "$build/bench/startup_timer" "Orvella Medicine Cards v1.0" /usr/bin/orvella-medicine-cards)
echo "installed program showed its main window after $ms ms"
desktop-file-validate /usr/share/applications/orvella-medicine-cards.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.orvella.MedicineCards.metainfo.xml >/dev/null
echo "== removing"
