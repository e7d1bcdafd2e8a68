#!/usr/bin/env bash
# Builds Qt for 64-bit Windows once, from Debian's own source package of the
# host Qt, and prints the folder it is installed in. The options below are the
# build's whole configuration; a release's sources archive carries this script
# beside the source.
#
# The host Qt's source package and version are asked of qt6-base-dev as
# packaging/windows/windows-sources.sh asks them, so the Qt built is the one
# whose source a release ships; a binary-only rebuild of the host's package
# (a version ending in +b1) has the same source, and the same build.
#
# The result is cached outside the clone, keyed by Qt's source version and the
# options below, so every clone and every CI run on the machine reuses it.
# A build goes to a folder of its own and is renamed into place only when it
# is complete: an interrupted build never looks finished. A lock makes a
# second build wait for the first and then reuse it.
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
toolchain=$here/cmake/windows/mingw-w64.cmake
cache=${BYTEKIJKER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/bytekijker}
jobs=${JOBS:-2}

source=$(dpkg-query -W -f='${source:Package}=${source:Version}' qt6-base-dev)
version=${source#*=}

# Only what the program needs: Core, Gui, Widgets, Test, the windows and
# offscreen platforms, the windowsvista style. No OpenGL (the dynamic-GL path
# of the windows plugin needs it whole), no tablets (Debian's source has no
# wintab.h), every third-party library bundled, nothing of the network,
# databases, XML, D-Bus, printing, ICU, JPEG, GIF or the MIME database. Built for size:
# the program ships these DLLs.
options=(
    -DCMAKE_BUILD_TYPE=MinSizeRel
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DINPUT_opengl=no
    -DFEATURE_opengl=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
    # No MIME database built into Qt6Core.dll: the program asks for no MIME
    # type, and the database is freedesktop.org's, under the GPL.
    -DFEATURE_mimetype_database=OFF
    # The same bytes from every build, wherever it is made: links stamped
    # with no time (the stamp and the export table's).
    -DCMAKE_SHARED_LINKER_FLAGS=-Wl,--no-insert-timestamp
    -DCMAKE_MODULE_LINKER_FLAGS=-Wl,--no-insert-timestamp
    -DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp
)
# And the build's own folder left out of the file names that reach the DLLs
# (a warning's __FILE__): below, as it is known only then.
prefix_map="the build folder mapped to ./"
key=$(printf '%s\n' "${options[@]}" "$prefix_map" | cat - "$toolchain" | sha1sum | cut -c1-10)
prefix=$cache/qt-$version-mingw64-$key

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
exec {lock}>"$prefix.lock"
echo "Waiting for the lock on $prefix" >&2
flock "$lock"
if [ -f "$prefix/.complete" ]; then   # another build finished meanwhile
    echo "$prefix"
    exit 0
fi
# Leftovers of builds that were interrupted: never complete, never used.
rm -rf "$prefix" "$prefix".work.*

work=$(mktemp -d "$prefix.work.XXXXXX")
trap 'rm -rf "$work"' EXIT
start=$SECONDS

# Debian's source package, as cmake/debian-source.sh fetched and cached it
# (the very files a release publishes), unpacked with Debian's patches.
package=$("$here/cmake/debian-source.sh" "$source")
source_dir=$work/qtbase
dpkg-source -x "$package"/*.dsc "$source_dir" >&2

cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_C_FLAGS="-ffile-prefix-map=$work/=" -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work/=" \
    "${options[@]}" >&2
cmake --build "$work/build" --parallel "$jobs" >&2
DESTDIR="$work/staged" cmake --install "$work/build" >&2

# Staged under its final name, then moved into place whole.
touch "$work/staged$prefix/.complete"
mv -T "$work/staged$prefix" "$prefix"
echo "Qt $version for Windows built in $((SECONDS - start)) s" >&2
echo "$prefix"
