#!/usr/bin/env bash
# Runs a command on a desktop of its own, as a real session has one: a virtual
# X server, a window manager, a session bus and a runtime folder, so that
# nothing depends on what else is installed or running on the machine. The
# window manager is openbox, or the command in BYTEKIJKER_WINDOW_MANAGER.
# Exits 77 (skipped) when no X server can be had.
set -u

read -r -a manager <<<"${BYTEKIJKER_WINDOW_MANAGER:-openbox}"
for tool in Xvfb "${manager[0]}" dbus-run-session; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed; run 'make test' to install it" >&2
        exit 77
    fi
done

export XDG_RUNTIME_DIR=$(mktemp -d)
# Settings, state, data and caches of its own: never the user's, nor those of
# another desktop running beside it.
export XDG_CONFIG_HOME=$XDG_RUNTIME_DIR/config XDG_STATE_HOME=$XDG_RUNTIME_DIR/state \
    XDG_DATA_HOME=$XDG_RUNTIME_DIR/data XDG_CACHE_HOME=$XDG_RUNTIME_DIR/cache
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
