#!/usr/bin/env bash
# Makes the release of the last commit (release.sh: every download, the
# sources and the checksums) in two fresh clones, in folders of different
# names and at different times, and compares them byte for byte. Prints each file's checksum, or where the two
# differ; fails when any does.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for clone in first second-clone; do
    git clone -q . "$work/$clone"
    # The second clone's Debian packages are not installed again: the first
    # clone's were, and the two are compared byte for byte.
    install_test=$([ "$clone" = first ] && echo yes || echo no)
    if ! (cd "$work/$clone" && INSTALL_TEST=$install_test tools/release.sh) > "$work/$clone.log" 2>&1; then
        tail -n 40 "$work/$clone.log" >&2
        echo "check-reproducible: the build in the $clone clone failed" >&2
        exit 1
    fi
done
first=$work/first/dist second=$work/second-clone/dist
different=0
for file in $( (ls "$first"; ls "$second") | sort -u); do
    if [ ! -f "$first/$file" ] || [ ! -f "$second/$file" ]; then
        echo "only in one build: $file"
        different=1
    elif cmp -s "$first/$file" "$second/$file"; then
        echo "same      $(cd "$first" && sha256sum "$file")  $(stat -c %s "$first/$file") bytes"
    else
        echo "DIFFERENT $file: $(cmp -l "$first/$file" "$second/$file" | wc -l) bytes differ, the first at $(cmp "$first/$file" "$second/$file" | sed 's/.*byte \([0-9]*\).*/\1/')"
        different=1
    fi
done
exit $different
