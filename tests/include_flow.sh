#!/usr/bin/env bash
# The program's includes flow one way, from the entry point down to what
# differs between systems:
#   app/ > viewer/ > chooser/ > common/ > viewer/bytes/ > platform/
# Checked for every C++ file of those folders, in the source tree named as the
# first argument, and every include in it, quoted or in angle brackets:
#  - the include is read as the compiler finds it, whose include path has the
#    top of the tree on it: a quoted name from the including file's folder
#    first, then from the top; a name in angle brackets from the top only. A
#    name that leads to no file of the tree (the system's, Qt's, a file
#    generated in the build folder) is left alone.
#  - a file includes from its own folder or one below it, never from one
#    above, nor from outside the program's folders
#  - no two files (a header and its source counted as one) include each other
#  - an include names its file's folder from the top of the tree
#    ("common/module1.h"), except that a source file may name its own header
#    (same folder, same base name) bare
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/tree_files.sh
. "$here/../tools/tree_files.sh"
cd "$1" || exit 1
layers=(app viewer chooser common viewer/bytes platform)
order=$(printf '%s > ' "${layers[@]}")
order=${order% > }

# The folder a path of the tree is in, in $folder_of ("." for the top).
folder() {
    if [[ $1 == */* ]]; then folder_of=${1%/*}; else folder_of=.; fi
}
# The layer a folder belongs to (the longest that holds it), as an index into
# layers, in $layer; -1 for none.
layer_of() {
    local i
    layer=-1
    for i in "${!layers[@]}"; do
        if [[ $1 == "${layers[$i]}" || $1 == "${layers[$i]}"/* ]]; then
            if [ "$layer" -lt 0 ] || [ ${#layers[$i]} -gt ${#layers[$layer]} ]; then layer=$i; fi
        fi
    done
}
# A path with its . and .. taken out, in $normalized, as written (nothing on
# disk is looked at).
normal() {
    normalized=$(realpath -m -s --relative-to=. -- "$1")
    [ "$normalized" != . ] || normalized=
}
# The file of the tree an include leads to, in $resolved; empty for none.
#   resolve <including file> <" or <> <name>
resolve() {
    resolved=
    [[ $3 == /* ]] && return
    if [ "$2" = '"' ]; then
        folder "$1"
        normal "$folder_of/$3"
        if [ -n "$normalized" ] && [ -n "${in_tree[$normalized]:-}" ]; then
            resolved=$normalized
            return
        fi
    fi
    normal "$3"
    if [ -n "$normalized" ] && [ -n "${in_tree[$normalized]:-}" ]; then resolved=$normalized; fi
}

all=$(tree_files) || exit 1
cpp=$(cpp_files) || exit 1
declare -A in_tree
while IFS= read -r file; do in_tree[$file]=1; done <<<"$all"
program=()
while IFS= read -r file; do
    folder "$file"
    layer_of "$folder_of"
    if [ "$layer" -ge 0 ]; then program+=("$file"); fi
done <<<"$cpp"
if [ ${#program[@]} -eq 0 ]; then
    echo "FAIL: no C++ file in the program's folders (${layers[*]}) in $(pwd)" >&2
    exit 1
fi

failures=0
checked=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
# Each include: file, line number and the name as written, with its quotes or
# angle brackets.
while IFS=$'\t' read -r file line written; do
    mark=${written:0:1}
    name=${written:1:${#written}-2}
    resolve "$file" "$mark" "$name"
    [ -n "$resolved" ] || continue
    checked=$((checked + 1))
    folder "$file"
    own_folder=$folder_of
    folder "$resolved"
    target_folder=$folder_of
    layer_of "$own_folder"
    own=$layer
    layer_of "$target_folder"
    if [ "$layer" -lt 0 ]; then
        fail "$file:$line: #include $written leads to $resolved, outside the program's folders ($order)"
    elif [ "$layer" -lt "$own" ]; then
        fail "$file:$line: #include $written leads to $resolved, in ${layers[$layer]}/, a folder above" \
            "${layers[$own]}/ ($order)"
    fi
    if [ "$name" != "$resolved" ]; then
        base=${file##*/}
        own_header=false
        if [[ $mark == '"' && $name == "${resolved##*/}" && $target_folder == "$own_folder" ]] &&
            [[ $base =~ \.(c|cc|cpp|cxx)$ && ${base%.*} == "${name%.*}" ]]; then
            own_header=true
        fi
        if ! $own_header; then
            fail "$file:$line: #include $written names no folder from the top of the tree: write" \
                "\"$resolved\" (only a source file's own header goes bare)"
        fi
    fi
    [ "${file%.*}" = "${resolved%.*}" ] || printf '%s\t%s\t%s\n' "${file%.*}" "${resolved%.*}" "$file:$line" >>"$edges"
done < <(awk '
    match($0, /^[ \t]*#[ \t]*include[ \t]*("[^"]*"|<[^>]*>)/) {
        written = substr($0, RSTART, RLENGTH)
        sub(/^[ \t]*#[ \t]*include[ \t]*/, "", written)
        print FILENAME "\t" FNR "\t" written
    }' "${program[@]}")

# Each pair that includes the other, named once, with where each does.
while IFS=$'\t' read -r one one_at other other_at; do
    fail "$one_at and $other_at: $one and $other include each other (a header and its source counted as one)"
done < <(awk -F '\t' '
    !(($1, $2) in at) { at[$1, $2] = $3 }
    END {
        for (pair in at) {
            split(pair, p, SUBSEP)
            if (p[1] < p[2] && (p[2], p[1]) in at) print p[1] "\t" at[p[1], p[2]] "\t" p[2] "\t" at[p[2], p[1]]
        }
    }' "$edges" | LC_ALL=C sort)

if [ "$failures" -gt 0 ]; then
    echo "include_flow: $failures faults in the includes of ${#program[@]} files" >&2
    exit 1
fi
echo "include_flow: ${#program[@]} files, $checked includes of the tree's files, in order"
