#!/usr/bin/env bash
# Makes the folders of the onscreen benchmark in the given folder, named as
# the benchmark names them: 40 (30 files and 10 subfolders) and 100k
# (100,000 files). For the Windows build under wine, which would take the
# better part of an hour to make them itself: wine looks through the whole
# folder for another spelling of each new name.
set -eu

fill() {   # folder files subfolders
    mkdir -p "$1"
    for ((i = 0; i < $2; i++)); do : >"$1/Bestand $i.bin"; done
    for ((i = 0; i < $3; i++)); do mkdir "$1/map $i"; done
}

rm -rf "$1"
fill "$1/40" 30 10
fill "$1/100k" 100000 0
