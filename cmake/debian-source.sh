#!/usr/bin/env bash
# Fetches Debian source packages once and prints, one a line, the folder
# that holds each (its .dsc, original tarballs and Debian changes):
#   debian-source.sh <package>=<version>...
# Each is cached outside the clone, under its name and version, and moved
# into place only when every part has been checked against the checksums of
# the archive's signed index (those of the .dsc), so an interrupted or
# refused fetch never looks complete. A package that can't be had whole is
# named, with the files it lacks, and the script fails.
#
# Where the package source lacks a file, BYTEKIJKER_SOURCES may name a
# folder that holds it (fetched from snapshot.debian.org, say): a file there
# is taken only when its checksum is the one the index gives. A version the
# index doesn't list has no checksums to check a file against, so none of it
# is ever taken from there.
set -euo pipefail

cache=${BYTEKIJKER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/bytekijker}/debian-sources
mkdir -p "$cache"
work=$(mktemp -d "$cache/.work.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A private source list made from the machine's own archives, so the
# machine's apt configuration stays as it is.
apt=$work/apt
updated=false
private=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
         -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o Debug::NoLocking=1)
update() {
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d"
    for sources in /etc/apt/sources.list.d/*.sources; do
        [ -e "$sources" ] || continue
        sed -e 's/^Types:.*/Types: deb-src/' "$sources" > "$apt/sources.list.d/$(basename "$sources")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n -e 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list > "$apt/sources.list"
    else
        : > "$apt/sources.list"
    fi
    apt-get "${private[@]}" -q update >&2
    updated=true
}

missing=()    # listed in the index, but some file could not be had
unlisted=()   # not in the index at all
for package in "$@"; do
    folder=$cache/${package/=/_}
    if [ ! -f "$folder/.complete" ]; then
        $updated || update
        fetch=$(mktemp -d "$work/fetch.XXXXXX")
        # Each part: 'uri' name size SHA256:checksum
        parts=$(apt-get "${private[@]}" -q source --print-uris "$package" 2>/dev/null | grep "^'" || true)
        if [ -z "$parts" ]; then
            # Without the index's checksums no file can be checked, nor taken
            # from BYTEKIJKER_SOURCES.
            carried=$(apt-cache "${private[@]}" showsrc "${package%%=*}" 2>/dev/null |
                sed -n 's/^Version: //p' | sort -u | paste -sd' ' || true)
            unlisted+=("$package (the package source carries ${carried:-no version of it})")
            continue
        fi
        (cd "$fetch" && apt-get "${private[@]}" -q source --download-only "$package" >&2) || true
        lacking=()
        while read -r _ name _ checksum; do
            checksum=${checksum#SHA256:}
            if ! echo "$checksum  $fetch/$name" | sha256sum --status -c 2>/dev/null; then
                rm -f "$fetch/$name"
                supplied=${BYTEKIJKER_SOURCES:-/nonexistent}/$name
                if echo "$checksum  $supplied" | sha256sum --status -c 2>/dev/null; then
                    echo "debian-source.sh: $name taken from $BYTEKIJKER_SOURCES" >&2
                    cp "$supplied" "$fetch/$name"
                else
                    lacking+=("$name")
                fi
            fi
        done <<<"$parts"
        if [ ${#lacking[@]} -gt 0 ]; then
            missing+=("$package (lacking ${lacking[*]})")
            continue
        fi
        touch "$fetch/.complete"
        rm -rf "$folder"
        mv -T "$fetch" "$folder"
    fi
    echo "$folder"
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "debian-source.sh: could not fetch the source of: ${missing[*]}" >&2
    echo "debian-source.sh: a folder named by BYTEKIJKER_SOURCES may hold the files the package source lacks" >&2
fi
if [ ${#unlisted[@]} -gt 0 ]; then
    echo "debian-source.sh: this system's Debian package source doesn't list: ${unlisted[*]}" >&2
    echo "debian-source.sh: its files can't be checked against the index, so none is taken from elsewhere;" \
        "install a version the package source lists (apt-get update, then upgrade the package built from it)," \
        "or work on a Debian release whose package source lists this one" >&2
fi
if [ ${#missing[@]} -gt 0 ] || [ ${#unlisted[@]} -gt 0 ]; then
    exit 1
fi
