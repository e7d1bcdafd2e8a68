#!/usr/bin/env bash
# Installs the built program into a scratch folder and checks that what a
# desktop needs lands where desktops look for it.
#   install_layout.sh <cmake> <build folder> <bin folder> <data folder>
set -u
cmake=$1 build=$2 bindir=$3 datadir=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install" >&2; exit 1; }
[ -x "$prefix/$bindir/bytekijker" ] || fail "$bindir/bytekijker is missing or not executable"

entry=$prefix/$datadir/applications/bytekijker.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
for line in Exec=bytekijker Icon=bytekijker Type=Application Categories=Utility\; ; do
    grep -qx "$line" "$entry" || fail "the desktop entry has no line $line"
done

# Each icon is a PNG of its size: the 8-byte signature, then the IHDR chunk
# with width and height as 4-byte big-endian numbers.
for size in 16 32 48 64 128 256; do
    icon=$prefix/$datadir/icons/hicolor/${size}x${size}/apps/bytekijker.png
    read -r -a b < <(od -An -v -tu1 -N24 "$icon" 2>/dev/null | tr '\n' ' ')
    [ "${b[*]:0:8}" = "137 80 78 71 13 10 26 10" ] && [ "$(( b[18] << 8 | b[19] ))x$(( b[22] << 8 | b[23] ))" = "${size}x${size}" ] ||
        fail "${icon#"$prefix"/} is not a PNG of ${size}x${size}"
done

[ "$failures" -eq 0 ] || exit 1
echo "Installed layout is complete"
