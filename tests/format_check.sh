#!/usr/bin/env bash
# Every C++ file of the source tree named as the first argument is as
# clang-format writes it by the tree's .clang-format: each file that isn't is
# named, with its first line that is off, and the check fails. The files are
# the tree's (tools/tree_files.sh), build folders left out. `make format`
# writes them so.
# Skips (77) where clang-format is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/tree_files.sh
. "$here/../tools/tree_files.sh"
cd "$1" || exit 1
if ! command -v clang-format >/dev/null; then
    echo "SKIP: clang-format is not installed (make test-deps installs it)"
    exit 77
fi
if [ ! -f .clang-format ]; then
    echo "FAIL: $(pwd) has no .clang-format" >&2
    exit 1
fi
files=$(cpp_files) || exit 1
version=$(clang-format --version)
count=$(wc -l <<<"$files")
# One run over all the files; each violation is told as <file>:<line>:<column>.
if said=$(tr '\n' '\0' <<<"$files" | xargs -0 clang-format --dry-run --Werror 2>&1); then
    echo "format_check: $count C++ files as .clang-format has them ($version)"
    exit 0
fi
# The first place off in each file of the list; anything else it said (a
# .clang-format it can't read, say) is no verdict on the files.
off=$(grep -oE '^[^ ]+:[0-9]+:[0-9]+: ' <<<"$said" |
    awk -F: 'NR == FNR { listed[$0] = 1; next } ($1 in listed) && !seen[$1]++ { print $1 ":" $2 }' <(echo "$files") -)
if [ -z "$off" ]; then
    echo "FAIL: clang-format ($version) could not check the files:" >&2
    echo "$said" >&2
    exit 1
fi
while IFS= read -r at; do
    echo "FAIL: ${at%%:*} is not as clang-format writes it, first at line ${at##*:}" >&2
done <<<"$off"
echo "format_check: $(wc -l <<<"$off") of $count C++ files are off .clang-format ($version); make format writes them" >&2
exit 1
