#!/usr/bin/env bash
# The program's includes flow one way, from the entry point down to what
# differs between systems:
#   app/ > viewer/ > chooser/ > common/ > viewer/bytes/ > platform/
# A file includes from its own folder or one below it, never from one above,
# and no two files (a header and its source counted as one) include each
# other. Checked in the source tree named as the first argument.
set -u
cd "$1" || exit 1
layers=(app viewer chooser common viewer/bytes platform)
rank() { local i; for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && echo "$i" && return; done; echo -1; }
failures=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for file in $(git ls-files -- '*.cpp' '*.h' | grep -E "^($(IFS='|'; echo "${layers[*]}"))/"); do
    folder=$(dirname "$file")
    while read -r included; do
        [[ $included == */* ]] || included=$folder/$included
        [ "$(rank "$(dirname "$included")")" -ge 0 ] || continue   # generated, or not the program's
        if [ "$(rank "$(dirname "$included")")" -lt "$(rank "$folder")" ]; then
            echo "FAIL: $file includes $included, from a folder above its own" >&2
            failures=$((failures + 1))
        fi
        echo "${file%.*} ${included%.*}" >> "$edges"
    done < <(sed -n 's/^#include "\(.*\)"$/\1/p' "$file")
done
# Each pair that includes the other, named once.
while read -r one other; do
    echo "FAIL: $one and $other include each other" >&2
    failures=$((failures + 1))
done < <(awk '$1 != $2 { seen[$1 " " $2] = 1 } END { for (e in seen) { split(e, p, " "); if ((p[2] " " p[1]) in seen && p[1] < p[2]) print p[1], p[2] } }' "$edges")
[ "$failures" -eq 0 ]
