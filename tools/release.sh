#!/usr/bin/env bash
# Makes a release in dist/ from the committed tree, in build folders of its
# own, every file dated with the commit's time (SOURCE_DATE_EPOCH):
#   bytekijker_<version>+deb12_<arch>.deb        the Debian package for Debian 12
#   bytekijker_<version>+deb13_<arch>.deb        and for Debian 13
#   bytekijker-<version>-windows-x64.zip         the Windows program, unpacked anywhere
#   bytekijker-<version>-setup.exe               its installer
#   bytekijker-<version>.tar.gz                  the program's source
#   bytekijker-<version>-windows-sources.tar     the source of Qt, which the Windows
#                                                downloads bundle under the LGPL, with
#                                                how it was built
#   SHA256SUMS
#   release.sh [--packages]   --packages: the first five only, no fetching
# It refuses a tree with uncommitted changes, and fetches the sources first,
# so that a release whose sources can't be had stops before it builds, naming
# what it lacks (BYTEKIJKER_SOURCES may supply it: cmake/debian-source.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -n "$(git status --porcelain)" ]; then
    echo "release: the tree has uncommitted changes; a release is made from a commit" >&2
    exit 1
fi
version=$(sed -n 's/^project(bytekijker VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
export SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
if [ "${1:-}" != --packages ]; then
    packages=$(packaging/windows/windows-sources.sh --required)
    # shellcheck disable=SC2086   # one argument a package
    folders=$(cmake/debian-source.sh $packages)
    named=$(packaging/windows/windows-sources.sh | grep -vxF "$packages" | sed 's/=/ /' | sed 's/^/  /')
fi
dist=dist
rm -rf "$dist"
mkdir "$dist"

# The packages, each from a fresh build folder of its own, without the tests:
# Debian's, one per release, each built in a clean system of its release and
# installed in another (make packages-debian; not with INSTALL_TEST=no in the
# environment, as for the second of two builds whose packages are compared).
rm -rf build-release-deb* build-release-windows
make --no-print-directory packages-debian BUILD=build-release
make --no-print-directory package-windows WINDOWS_BUILD=build-release-windows CONFIGURE_ARGS=-DBUILD_TESTING=OFF
cp build-release-deb*/bytekijker_"$version"+deb*_*.deb build-release-windows/bytekijker-"$version"-windows-x64.zip \
   build-release-windows/bytekijker-"$version"-setup.exe "$dist"/
git archive --format=tar --prefix="bytekijker-$version/" HEAD | gzip -9n > "$dist/bytekijker-$version.tar.gz"

if [ "${1:-}" != --packages ]; then
    # Debian's source package of Qt as fetched, with how Qt was built from it.
    name=bytekijker-$version-windows-sources
    sources=$(mktemp -d)
    trap 'rm -rf "$sources"' EXIT
    mkdir "$sources/$name"
    for folder in $folders; do
        cp -rL "$folder" "$sources/$name/$(basename "$folder")"
        rm -f "$sources/$name/$(basename "$folder")/.complete"
    done
    mkdir "$sources/$name/build"
    cp cmake/windows/qt-windows.sh cmake/windows/mingw-w64.cmake "$sources/$name/build/"
    sed -e "s/@VERSION@/$version/g" -e "s/@PACKAGES@/$(echo $packages)/" -e "s/@EPOCH@/$SOURCE_DATE_EPOCH/" \
        -e "s/@COMPILER@/g++-mingw-w64-x86-64-posix $(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)/" \
        packaging/windows/SOURCES.txt.in |
        NAMED=$named awk '$0 == "@NAMED@" { print ENVIRON["NAMED"]; next } { print }' > "$sources/$name/README.txt"
    chmod -R u+rwX,go+rX,go-w "$sources/$name"
    tar -C "$sources" --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
        -cf "$dist/$name.tar" "$name"
fi

(cd "$dist" && sha256sum -- * > SHA256SUMS)
echo "release: $dist/ holds bytekijker $version"
(cd "$dist" && ls -l && cat SHA256SUMS)
