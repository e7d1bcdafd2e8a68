#!/usr/bin/env bash
# Installs the Debian package as a user does, in a fresh system of its release
# (run through tools/in-debian.sh), starts the installed program on a screen
# of its own (Xvfb) and waits for its main window, then removes the package
# with what it brought: no file of it may be left, nor any package that came
# with it and that nothing else wants.
#   deb_install.sh <package.deb>
set -uo pipefail
deb=$(realpath "$1")
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
export DEBIAN_FRONTEND=noninteractive

packages() { dpkg-query -W -f '${Package} ${Version} ${db:Status-Abbrev}\n' | sort; }
apt-get update -q >/dev/null || { echo "FAIL: apt-get update" >&2; exit 1; }
before=$(packages)

apt-get install -y -q "$deb" > /tmp/install.log 2>&1 || { cat /tmp/install.log >&2; echo "FAIL: apt-get install $deb" >&2; exit 1; }
command -v bytekijker >/dev/null || fail "no bytekijker on the PATH after the install"
# Its own files, but for the folders that other packages share.
own=$(dpkg -L bytekijker | while read -r path; do [ -d "$path" ] || echo "$path"; done)
[ -f /usr/share/applications/bytekijker.desktop ] || fail "no desktop entry after the install"

# The installed program, started as its menu entry starts it, shows its
# main window within half a minute (a loaded machine is slow, a broken
# package never shows one).
# Xvfb picks a free display itself and writes its number to the given fd.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp > /tmp/xvfb.log 2>&1 &
xvfb=$!
read -r -t 30 -u "$display_fd" number || { cat /tmp/xvfb.log >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
display=:$number
home=$(mktemp -d)
mkdir -m 700 "$home/runtime"
(cd "$home" && HOME=$home XDG_RUNTIME_DIR=$home/runtime DISPLAY=$display QT_QPA_PLATFORM=xcb exec bytekijker) > /tmp/program.log 2>&1 &
program=$!
title='^Bestand in  ASCII-code \(decimaal\) en tekst$'   # xdotool takes a pattern
seen=
for _ in $(seq 300); do
    if DISPLAY=$display xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; then seen=1; break; fi
    kill -0 $program 2>/dev/null || break
    sleep 0.1
done
[ -n "$seen" ] || { cat /tmp/program.log >&2; fail "the installed program showed no main window"; }
kill $program 2>/dev/null; wait $program 2>/dev/null
kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null

# Removed as a user removes it, with what it brought: also what is only
# recommended or suggested by another package it brought.
apt-get purge -y -q --autoremove -o APT::AutoRemove::RecommendsImportant=false \
    -o APT::AutoRemove::SuggestsImportant=false bytekijker > /tmp/remove.log 2>&1 ||
    { cat /tmp/remove.log >&2; fail "apt-get purge bytekijker"; }
left=$(for path in $own; do [ ! -e "$path" ] || echo "$path"; done)
[ -z "$left" ] || fail "files of the package left after the removal:
$left"
! packages | grep -q '^bytekijker ' || fail "dpkg still knows the package after the purge: $(packages | grep '^bytekijker ')"
# A package it brought may stay only where apt keeps it on purpose: it is of
# the base system's priorities, which apt never removes by itself (such as
# mount), or one that stays rightly wants it (apt keeps every installed
# alternative of a dependency, and what systemd suggests).
kept=$(echo "$before" | cut -d' ' -f1)
stayed=$(comm -13 <(echo "$kept") <(packages | cut -d' ' -f1))
for package in $stayed; do
    [[ $(dpkg-query -W -f '${Priority}' "$package") =~ ^(required|important)$ ]] && kept+=$'\n'$package
done
for _ in $stayed; do   # until no more are found wanted
    for package in $(comm -23 <(echo "$stayed") <(echo "$kept" | sort)); do
        apt-cache rdepends --installed --no-conflicts --no-breaks --no-replaces --no-enhances "$package" |
            tail -n +3 | tr -d ' |' | grep -qxFf <(echo "$kept") && kept+=$'\n'$package
    done
done
for package in $(comm -23 <(echo "$stayed") <(echo "$kept" | sort)); do
    fail "$package, installed with the package, stayed after its removal though nothing else wants it"
done

[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$deb"): installs, starts with its window, and leaves nothing behind"
