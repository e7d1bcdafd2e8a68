# shellcheck shell=bash
# The files of the source tree that the checks read, sourced by them. Run in
# the tree's top folder:
#   tree_files  every file, one a line, from the top of the tree
#   cpp_files   the C++ sources and headers among them
# Where the folder is the top of a git work tree, git's list (tracked files,
# and new ones that git doesn't ignore); elsewhere, as in a release's source
# tarball, every file found. Either way without the build folders (build*/,
# dist/) and hidden folders. Each fails, saying so, when it finds no file.
tree_files() {
    local files
    if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
        files=$(git ls-files -z --cached --others --exclude-standard | tr '\0' '\n')
    else
        files=$(find . -mindepth 1 \( -name '.*' -o -path './build*' -o -path ./dist \) -type d -prune \
            -o -type f -print | sed 's|^\./||')
    fi
    files=$(grep -vE '^(build[^/]*|dist)/|(^|/)\.[^/]*/' <<<"$files" | LC_ALL=C sort -u |
        while IFS= read -r file; do [ -f "$file" ] && printf '%s\n' "$file"; done)
    if [ -z "$files" ]; then
        echo "FAIL: no file found in $(pwd)" >&2
        return 1
    fi
    printf '%s\n' "$files"
}

cpp_files() {
    local files
    files=$(tree_files) || return 1
    files=$(grep -E '\.(c|cc|cpp|cxx|h|hh|hpp|hxx|inl|ipp)$' <<<"$files")
    if [ -z "$files" ]; then
        echo "FAIL: no C++ file found in $(pwd)" >&2
        return 1
    fi
    printf '%s\n' "$files"
}
