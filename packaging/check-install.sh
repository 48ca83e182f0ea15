#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks that every file lands in
# its standard place.   check-install.sh <build dir> <scratch dir>
set -euo pipefail
build=$1
prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
expect() {
    if [ -e "$prefix/$1" ]; then
        echo "ok      $1"
    else
        echo "MISSING $1"
        status=1
    fi
}
expect bin/orvella-medicine-cards
expect share/applications/orvella-medicine-cards.desktop
expect share/metainfo/org.orvella.MedicineCards.metainfo.xml
expect share/icons/hicolor/scalable/apps/orvella-medicine-cards.svg
for size in 53x80 106x160 260x400 520x800 1040x1600; do
    expect "share/orvella-medicine-cards/cards/$size/01_eagle.png"
    expect "share/orvella-medicine-cards/cards/$size/44_hummingbird.png"
done
for size in 16 32 48 64 128 256; do
    expect "share/icons/hicolor/${size}x${size}/apps/orvella-medicine-cards.png"
done
[ -x "$prefix/bin/orvella-medicine-cards" ] || { echo "program not executable"; status=1; }

# The print dialogs and the journal's store are plugins the program finds from
# its own folder; the program itself must not link what they load (Qt's print
# support, SQLite), or that loads at every start.
for name in orvella-print-dialogs orvella-journal-store; do
    plugin=$(find "$prefix" -name "$name.so" -path '*/orvella-medicine-cards/*' | head -n 1)
    if [ -z "$plugin" ]; then
        echo "MISSING the plugin $name"
        status=1
        continue
    fi
    echo "ok      ${plugin#"$prefix"/}"
    folder=$(realpath --relative-to="$prefix/bin" "$(dirname "$plugin")")
    grep -qaF "$folder" "$prefix/bin/orvella-medicine-cards" \
        || { echo "the program does not look in $folder"; status=1; }
done
if command -v readelf >/dev/null; then
    for library in PrintSupport sqlite3; do
        if readelf -d "$prefix/bin/orvella-medicine-cards" | grep -q "NEEDED.*$library"; then
            echo "the program links $library"
            status=1
        else
            echo "ok      the program does not link $library"
        fi
    done
fi
exit $status
