#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds, and runs the program or the tests.
#   ./build.sh run    install what is missing, build, start the program
#   ./build.sh test   install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev)
test_packages=(xvfb xauth xdotool imagemagick desktop-file-utils appstream clang libclang-rt-14-dev)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" --parallel
}

case "${1:-}" in
run)
    install_missing "${packages[@]}"
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec ./build/src/app/orvella-medicine-cards
    ;;
test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300)
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
