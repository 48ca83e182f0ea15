#!/bin/sh
# Lays all 44 card pictures side by side, in deck order, 11 to a row, into
# docs/cards-contact-sheet.png, so the whole deck can be checked at a glance.
# Needs ImageMagick's montage.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/cards-contact-sheet.png}
mkdir -p "$(dirname "$out")"
# The file names sort in deck order because they start with the two-digit number.
montage "$root"/src/presentation/cards/260x400/[0-9][0-9]_*.png \
    -tile 11x4 -geometry 130x200+6+6 -background '#efe6d2' \
    -define png:exclude-chunks=date,time \
    "$out"
echo "wrote $out"
