#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks, with the freedesktop
# tools, that a saved reading is known to the desktop: the MIME type, desktop
# entry and AppStream data validate, a .mca file is recognised as that type,
# the program is its handler, and the type has its icon.
#   check-file-type.sh <build dir> <scratch dir> <sample .mca file>
# Exit code 77 (skipped) when a tool is missing.
set -uo pipefail
build=$1
scratch=$2
sample=$3
type=application/x-orvella-medicine-cards-reading
for tool in desktop-file-validate appstreamcli xmllint update-mime-database \
            update-desktop-database xdg-mime mimetype; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

rm -rf "$scratch"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: install"; exit 1; }
share=$prefix/share

# As the desktop asks: only the scratch install and the system's own types,
# no desktop environment of this machine's, a private configuration.
export XDG_DATA_HOME=$share XDG_DATA_DIRS=$share:/usr/share XDG_CONFIG_HOME=$scratch/config
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

status=0
check() { # what, then the command that must succeed
    local what=$1
    shift
    if "$@"; then echo "ok      $what"; else echo "FAIL    $what"; status=1; fi
}
same() { # what, expected, actual
    if [ "$2" = "$3" ]; then echo "ok      $1: $3"; else echo "FAIL    $1: '$3', not '$2'"; status=1; fi
}

check "desktop entry validates" desktop-file-validate "$share/applications/orvella-medicine-cards.desktop"
quietly() { "$@" >/dev/null 2>&1; }
check "AppStream data validates" quietly appstreamcli validate --no-net \
    "$share/metainfo/org.orvella.MedicineCards.metainfo.xml"
check "MIME type is well-formed XML" xmllint --noout "$share/mime/packages/orvella-medicine-cards.xml"
# The database compiler names any element or attribute it does not know.
compiled=$(update-mime-database "$share/mime" 2>&1)
same "MIME type compiles without a word" "" "$compiled"
check "its glob is *.mca" grep -qx "[0-9]*:$type:\*\.mca" "$share/mime/globs2"
check "its icon is named" grep -qx "$type:${type//\//-}" "$share/mime/icons"
check "it is a sub-class of no text type" sh -c "! grep -q '^$type text/' '$share/mime/subclasses'"
check "desktop database builds" update-desktop-database "$share/applications"
for size in 16 32 48 64 128 256; do
    check "file-type icon ${size}x${size}" test -s "$share/icons/hicolor/${size}x${size}/mimetypes/${type//\//-}.png"
done
check "file-type icon scalable" test -s "$share/icons/hicolor/scalable/mimetypes/${type//\//-}.svg"

cp "$sample" "$scratch/reading.mca"
same "a .mca file's type" "$type" "$(xdg-mime query filetype "$scratch/reading.mca")"
same "its handler" "orvella-medicine-cards.desktop" "$(xdg-mime query default "$type")"
exit $status
