#!/usr/bin/env bash
# Runs a command on a desktop of its own, as a real session has one: a virtual
# X server, a window manager, a session bus and a runtime folder, so that
# nothing depends on what else is installed or running on the machine. The
# window manager is openbox, or the command in BYTEKIJKER_WINDOW_MANAGER.
# Exits 77 (skipped) when no X server can be had.
set -u
. "$(dirname "$0")/session.sh"

read -r -a manager <<<"${BYTEKIJKER_WINDOW_MANAGER:-openbox}"
require_tools Xvfb "${manager[0]}" dbus-run-session

make_own_folders
# Of two desktops coming up at the same moment, now and then one's window
# manager can't open its display (mutter: about one start in fifteen), so
# desktops on one machine come up one at a time; they run side by side.
exec {starting}>"${TMPDIR:-/tmp}/bytekijker-desktop-start.lock"
flock "$starting"
# Xvfb picks a free display itself and writes its number to the given fd.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 {starting}>&- &
xvfb=$!
trap 'kill $xvfb ${wm:-} 2>/dev/null; wait 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
read -r -t 20 -u "$display_fd" number || { echo "SKIP: Xvfb did not start" >&2; exit 77; }
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
# Its settings are its defaults, never the user's own.
GSETTINGS_BACKEND=memory "${manager[@]}" >/dev/null 2>&1 {starting}>&- &
wm=$!
# The window manager has taken the screen when it names itself on the root window.
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    kill -0 "$wm" 2>/dev/null || { echo "${manager[0]} did not start" >&2; exit 1; }
    sleep 0.1
done
exec {starting}>&-

dbus-run-session -- "$@"
