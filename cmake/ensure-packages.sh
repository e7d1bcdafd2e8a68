#!/usr/bin/env bash
# Installs the named Debian packages that are not installed yet: as root with
# apt-get, otherwise through sudo. Does nothing when all are there.
set -eu

missing=()
for package in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
# Another installation of ours may be running (make -j): wait for it, then
# look again at what is still missing.
if [ -z "${BYTEKIJKER_PACKAGES_LOCKED:-}" ] && command -v flock >/dev/null; then
    BYTEKIJKER_PACKAGES_LOCKED=1 exec flock "${TMPDIR:-/tmp}/bytekijker-packages.lock" "$0" "$@"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -o DPkg::Lock::Timeout=600 -y -q --no-install-recommends "${missing[@]}"
