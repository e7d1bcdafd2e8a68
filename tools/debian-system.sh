#!/usr/bin/env bash
# Makes a clean Debian system of one release, with the named packages, once,
# and prints its folder: the system the program is built, packaged and tested
# in for that release, as sbuild and pbuilder build in one.
#   debian-system.sh <release number> [package...]
# It is made by mmdebstrap from the Debian package source this machine's apt
# uses (its main, updates and security suites), and cached outside the clone,
# keyed by the release and the packages, so every clone and every CI run on
# the machine reuses it. It is made in a folder of its own and renamed into
# place only when complete: an interrupted run never looks finished. Nothing
# ever changes it afterwards (in-debian.sh runs on a layer above it).
set -euo pipefail

release=$1
shift
case $release in
    12) codename=bookworm ;;
    13) codename=trixie ;;
    *) echo "debian-system: no Debian release $release known here (12 or 13)" >&2; exit 2 ;;
esac
packages=$(printf '%s\n' make ca-certificates "$@" | sort -u | tr '\n' ' ')
# Keyed by this script too: a system made otherwise is made anew.
key=$( (printf '%s\n' "$codename" "$packages"; cat "$0") | sha256sum | cut -c1-16)
cache=${BYTEKIJKER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/bytekijker}/debian
system=$cache/$codename-$key

if [ ! -f "$system/.complete" ]; then
    here=$(cd "$(dirname "$0")/.." && pwd)
    "$here/cmake/ensure-packages.sh" mmdebstrap debian-archive-keyring >&2
    mkdir -p "$cache"
    exec 9>"$cache/.lock"
    flock 9
fi
if [ ! -f "$system/.complete" ]; then
    # The package source: the one this machine's apt reads Debian from.
    site() {
        apt-get indextargets --format '$(LABEL) $(REPO_URI)' 2>/dev/null | awk -v label="$1" '$1 == label { print $2; exit }'
    }
    mirror=${BYTEKIJKER_DEBIAN_MIRROR:-$(site Debian)}
    security=${BYTEKIJKER_DEBIAN_SECURITY:-$(site Debian-Security)}
    mirror=${mirror:-http://deb.debian.org/debian/}
    security=${security:-http://deb.debian.org/debian-security/}
    echo "debian-system: making Debian $release ($codename) from $mirror with: $packages" >&2
    rm -rf "$system.partial"
    # No service starts inside. The packages come without their recommends,
    # as the Makefile installs them; apt inside keeps its usual settings. The
    # fonts' caches are made again last, as on a system that has settled:
    # fonts installed after fontconfig's trigger ran would otherwise leave
    # them stale, and the first program to use fonts as root would write them.
    # dpkg without its syncs while the system is made (eatmydata, only then).
    mmdebstrap --quiet --variant=apt --components=main --hook-dir=/usr/share/mmdebstrap/hooks/eatmydata \
        --include="$(echo "$packages" | tr ' ' ',' | sed 's/,$//')" \
        --customize-hook='printf "#!/bin/sh\nexit 101\n" > "$1/usr/sbin/policy-rc.d"; chmod 755 "$1/usr/sbin/policy-rc.d"' \
        --customize-hook='[ ! -x "$1/usr/bin/fc-cache" ] || chroot "$1" fc-cache -s' \
        "$codename" "$system.partial" \
        "deb $mirror $codename main" "deb $mirror $codename-updates main" \
        "deb $security $codename-security main" >&2
    touch "$system.partial/.complete"
    rm -rf "$system"
    mv "$system.partial" "$system"
fi
echo "$system"
