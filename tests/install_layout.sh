#!/usr/bin/env bash
# Installs the built program into a scratch folder and checks that what a
# desktop needs lands where desktops look for it.
#   install_layout.sh <cmake> <build folder> <bin folder> <data folder>
set -u
cmake=$1 build=$2 bindir=$3 datadir=$4
root=$(mktemp -d) prefix=$root/usr
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install" >&2; exit 1; }
[ -x "$prefix/$bindir/bytekijker" ] || fail "$bindir/bytekijker is missing or not executable"

entry=$prefix/$datadir/applications/bytekijker.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
for line in Exec=bytekijker Icon=bytekijker Type=Application Categories=Utility\; ; do
    grep -qx "$line" "$entry" || fail "the desktop entry has no line $line"
done

# The icon at each size (make_icons checks each picture as it draws it).
for size in 16 32 48 64 128 256; do
    [ -s "$prefix/$datadir/icons/hicolor/${size}x${size}/apps/bytekijker.png" ] || fail "no icon of ${size}x${size}"
done

# The software-centre entry, with the desktop entry it names as launchable.
[ -f "$prefix/$datadir/metainfo/nl.bytekijker.bytekijker.metainfo.xml" ] && appstreamcli validate-tree --no-net "$root" >/dev/null ||
    fail "the metainfo is missing, or appstreamcli rejects it"
zcat "$prefix/$datadir/man/man1/bytekijker.1.gz" 2>/dev/null | grep -q '^\.TH BYTEKIJKER 1 ' || fail "no manual page bytekijker(1)"
for doc in copyright changelog.gz; do
    [ -s "$prefix/$datadir/doc/bytekijker/$doc" ] || fail "doc/bytekijker/$doc is missing"
done

[ "$failures" -eq 0 ] || exit 1
echo "Installed layout is complete"
