#!/usr/bin/env bash
# Runs a command on a desktop of its own: a virtual X server with a window
# manager, so that window activation behaves as on a real screen.
# Exits 77 (skipped) when no X server can be had.
set -u

for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed; run 'make test' to install it" >&2
        exit 77
    fi
done

# Xvfb picks a free display itself and writes its number to the given fd.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
read -r -t 10 -u "$display_fd" number || { echo "SKIP: Xvfb did not start" >&2; kill "$xvfb" 2>/dev/null; exit 77; }
export DISPLAY=":$number"
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" "$xvfb" 2>/dev/null; wait 2>/dev/null' EXIT

# Wait until the window manager has taken the screen.
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
"$@"
