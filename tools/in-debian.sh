#!/usr/bin/env bash
# Runs a command in a fresh Debian system of one release (debian-system.sh),
# in the current folder, which is seen at the same path inside:
#   in-debian.sh <release number> "<package...>" <command> [argument...]
# The cached system stays as it was made: the command runs on a layer of its
# own above it (overlayfs), with its own /tmp and /run, and everything it
# changed outside the current folder is gone when it ends, its processes
# with it. Needs root (sudo otherwise), as chroot does.
set -euo pipefail

# What reaches the command of the caller's environment: the settings of this
# project, CI, and the time a reproducible build dates its files with.
export IN_DEBIAN_PASSED='^(BYTEKIJKER_.*|CI|SOURCE_DATE_EPOCH)$'
if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env="$(compgen -e | grep -E "$IN_DEBIAN_PASSED|^XDG_CACHE_HOME\$" | paste -sd,)" "$0" "$@"
fi
release=$1 packages=$2
shift 2
# shellcheck disable=SC2086   # one argument a package
system=$("$(dirname "$0")/debian-system.sh" "$release" $packages)

layer=$(mktemp -d "${TMPDIR:-/var/tmp}/bytekijker-debian$release.XXXXXX")
trap 'rm -rf "$layer"' EXIT
mkdir "$layer/upper" "$layer/work" "$layer/root"

# A mount namespace of its own, so every mount below goes with the command;
# a process namespace of its own, so nothing the command started outlives it.
unshare --mount --pid --fork --propagation private /bin/bash -euc '
    system=$1 layer=$2 here=$3
    shift 3
    root=$layer/root
    mount -t overlay overlay -o "lowerdir=$system,upperdir=$layer/upper,workdir=$layer/work" "$root"
    mount --rbind /dev "$root/dev"
    mount --rbind /sys "$root/sys"
    mount -t proc proc "$root/proc"
    for folder in /tmp /run /dev/shm; do
        mount -t tmpfs -o mode=1777 tmpfs "$root$folder"
    done
    mkdir -p "$root$here"
    mount --bind "$here" "$root$here"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    # Not exec: this shell, the first process of the namespace, reaps the
    # processes the command leaves behind, as an init does.
    keep=()
    for name in $(compgen -e); do
        [[ $name =~ $IN_DEBIAN_PASSED ]] && keep+=("$name=${!name}")
    done
    chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" "${keep[@]}" \
        /bin/sh -c "cd \"\$0\" && exec \"\$@\"" "$here" "$@"
' in-debian "$system" "$layer" "$PWD" "$@"
