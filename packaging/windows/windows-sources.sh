#!/usr/bin/env bash
# Names, one "package=version" a line, Debian's source packages of what the
# Windows downloads bundle under the LGPL or GPL, at the versions installed
# here: Qt (built from it by qt-windows.sh), its Dutch translation, and the
# C++ runtime (gcc-mingw-w64, and the GCC source it was built from).
set -euo pipefail
source_of() { dpkg-query -W -f='${source:Package}=${source:Version}\n' "$1"; }
runtime=gcc-mingw-w64-x86-64-posix-runtime
source_of qt6-base-dev
source_of qt6-translations-l10n
source_of $runtime
dpkg-query -W -f='${Built-Using}\n' $runtime | sed -n 's/^\(gcc-[0-9]*\) (= \(.*\))$/\1=\2/p'
