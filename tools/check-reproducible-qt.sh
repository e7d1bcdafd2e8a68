#!/usr/bin/env bash
# Builds Qt for Windows a second time, with cmake/windows/qt-windows.sh as it
# stands, in a cache folder of another name and depth than the first, and
# compares every DLL and plugin the Windows downloads ship:
#   as shipped  stripped and dated as package_windows does it, which is what a
#               rebuild from the published sources is checked against
#   as built    Qt's own install; where these differ, the bytes that do
# Prints each file's checksum, or where the two differ; fails when a shipped
# file differs.
#   check-reproducible-qt.sh          two new builds, in two temporary caches
#   check-reproducible-qt.sh --cached the machine's cached Qt (built first if
#                                     it isn't there) against one new build
# A build takes 15 to 20 minutes on two cores.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build() {   # <cache folder>: the Qt it holds, built now when it isn't there
    local start=$SECONDS prefix
    prefix=$(BYTEKIJKER_CACHE=$1 "$here/cmake/windows/qt-windows.sh")
    echo "check-reproducible-qt: $prefix in $((SECONDS - start)) s" >&2
    echo "$prefix"
}
if [ "${1:-}" = --cached ]; then
    first=$(build "${BYTEKIJKER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/bytekijker}")
else
    first=$(build "$work/a")
fi
second=$(build "$work/second-cache/of/another/name")

strip=x86_64-w64-mingw32-strip
# Where two files differ: each run of differing bytes (the first ten), the
# section of the PE file it lies in, and the bytes around it in both.
where() {
    local offsets offset section name size start file
    offsets=$(cmp -l "$1" "$2" | awk '{ o = $1 - 1; if (o != last + 1) print o; last = o }' | head -n 10 || true)
    for offset in $offsets; do
        section="the headers"
        while read -r _ name size _ _ start _; do
            if [ $((0x$start > 0 && offset >= 0x$start && offset < 0x$start + 0x$size)) = 1 ]; then section=$name; fi
        done < <(x86_64-w64-mingw32-objdump -h "$1" | grep -E '^ +[0-9]+ ')
        printf '  at 0x%x (%s)\n' "$offset" "$section"
        for file in "$1" "$2"; do
            printf '    %s\n' "$(xxd -s $((offset > 16 ? offset - 16 : 0)) -l 48 -c 48 "$file" | cut -d' ' -f2-)"
        done
    done
}
different=0
for file in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll plugins/platforms/qwindows.dll \
            plugins/styles/qwindowsvistastyle.dll; do
    for which in first second; do
        mkdir -p "$work/shipped/$which"
        cp "${!which}/$file" "$work/shipped/$which/"
        SOURCE_DATE_EPOCH=1 "$strip" --strip-all "$work/shipped/$which/$(basename "$file")"
    done
    shipped_first=$work/shipped/first/$(basename "$file") shipped_second=$work/shipped/second/$(basename "$file")
    if cmp -s "$shipped_first" "$shipped_second"; then
        echo "same as shipped  $(sha256sum < "$shipped_first" | cut -c1-16)  $(stat -c %s "$shipped_first") bytes  $file"
    else
        echo "DIFFERENT as shipped: $file, $(cmp -l "$shipped_first" "$shipped_second" | wc -l) bytes"
        where "$shipped_first" "$shipped_second"
        different=1
    fi
    if cmp -s "$first/$file" "$second/$file"; then
        echo "same as built    $file"
    else
        echo "differs as built $file: $(cmp -l "$first/$file" "$second/$file" | wc -l) bytes"
        where "$first/$file" "$second/$file"
    fi
done
exit $different
