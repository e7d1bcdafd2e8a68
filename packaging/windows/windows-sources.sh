#!/usr/bin/env bash
# Names, one "package=version" a line, Debian's source packages of what the
# Windows downloads bundle, at the versions installed here:
#   windows-sources.sh             all of them
#   windows-sources.sh --required  only those whose licence asks for the
#                                  source to go with the program: Qt, under
#                                  the LGPL, built from it by qt-windows.sh
# The others are named in the notices and the sources archive, not shipped:
# the C++ runtime (gcc-mingw-w64, and the GCC source it was built from) is
# under the GCC Runtime Library Exception, which asks for no source, and
# MinGW-w64's C runtime and winpthreads are under permissive licences.
# Each is asked of the installed binary package as its source package and
# source version (a binary-only rebuild, +b1, has the source of the version
# without it); cmake/windows/qt-windows.sh asks Qt's the same way.
set -euo pipefail
source_of() { dpkg-query -W -f='${source:Package}=${source:Version}\n' "$1"; }
runtime=gcc-mingw-w64-x86-64-posix-runtime
source_of qt6-base-dev
[ "${1:-}" = --required ] && exit 0
source_of $runtime
dpkg-query -W -f='${Built-Using}\n' $runtime | sed -n 's/^\(gcc-[0-9]*\) (= \(.*\))$/\1=\2/p'
source_of mingw-w64-x86-64-dev
