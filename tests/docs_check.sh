#!/usr/bin/env bash
# The README's and the documents' references hold in the source tree named as
# the first argument, as a fresh clone has it:
#  - every link to a file of the tree leads to one
#  - every path named in backquotes under one of the tree's own folders
#    exists (a pattern with * matches something)
#  - every `make <target>`, in backquotes or a command block, names a target
#    of the Makefile
# The tree's files are git's where it is a git work tree, else those found in
# it, as in a release's source tarball (tools/tree_files.sh).
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/tree_files.sh
. "$here/../tools/tree_files.sh"
cd "$1" || exit 1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
files=$(tree_files) || exit 1
folders=$(grep / <<<"$files" | cut -d/ -f1 | sort -u | grep -v '\.' | paste -sd'|')
if [ -z "$folders" ] || [ ! -f README.md ] || [ ! -f Makefile ]; then
    echo "FAIL: $(pwd) has no folders, README.md or Makefile to check the documents against" >&2
    exit 1
fi
targets=$(sed -n 's/^\([a-z][a-z0-9-]*\):.*/\1/p' Makefile)
for doc in README.md docs/*.md; do
    [ -f "$doc" ] || { fail "$doc is not there"; continue; }
    base=$(dirname "$doc")
    # Links: [text](target), not to the web or to a heading.
    while read -r target; do
        target=${target%%#*}
        [ -z "$target" ] || [ -e "$base/$target" ] || fail "$doc links to $target, which is not there"
    done < <(grep -o '](\([^)]*\))' "$doc" | sed 's/^](\(.*\))$/\1/' | grep -v '^https\?:')
    # Paths in backquotes, from the top of the tree.
    while read -r path; do
        path=${path%[.,;:]}
        compgen -G "$path" >/dev/null || [ -e "$path" ] || fail "$doc names $path, which is not there"
    done < <(grep -o '`[^` ]*`' "$doc" | tr -d '`' | grep -E "^($folders)/" | grep -v '[<>$]')
    # make targets.
    while read -r target; do
        grep -qx "$target" <<<"$targets" || fail "$doc names make $target, which the Makefile doesn't have"
    done < <( (grep -o '`make [a-z][a-z0-9-]*' "$doc"; grep -oE '^    make [a-z][a-z0-9-]*' "$doc") | sed 's/.*make //' | sort -u)
done
if [ "$failures" -gt 0 ]; then
    echo "docs_check: $failures faults in the documents" >&2
    exit 1
fi
echo "docs_check: README.md and docs/*.md checked against the folders $folders"
