#!/usr/bin/env bash
# Runs a command on a GNOME desktop of its own, on Wayland: GNOME's compositor,
# headless with one virtual monitor, in a session bus and a runtime folder of
# its own, with PipeWire for the compositor's screen casts and the
# accessibility bus on. Qt programs started by the command use Wayland.
# Exits 77 (skipped) when the desktop can't be had.
set -u
. "$(dirname "$0")/session.sh"

if [ "${1:-}" != --in-session ]; then
    require_tools mutter pipewire wireplumber gst-launch-1.0 dbus-run-session gdbus
    rerun_in_own_session "$@"
fi
shift

# Settings from the schemas' defaults, never from the user's own.
export GSETTINGS_BACKEND=memory
pipewire >/dev/null 2>&1 &
wireplumber >/dev/null 2>&1 &
# The compositor's screen casts need PipeWire and its session manager up first.
for _ in $(seq 100); do
    wpctl status >/dev/null 2>&1 && break
    sleep 0.1
done
mutter --headless --wayland --no-x11 --virtual-monitor 1280x1024 --wayland-display=wayland-test >/dev/null 2>&1 &
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null' EXIT
for _ in $(seq 200); do
    [ -S "$XDG_RUNTIME_DIR/wayland-test" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/wayland-test" ] || { echo "SKIP: mutter did not start" >&2; exit 77; }
accessibility_on
# GStreamer's list of plugins, made once before the screen is grabbed: made by
# the first grab on a loaded machine, it can take longer than a grab may, and
# a grab ended before the list is written leaves the next to begin it again.
gst-inspect-1.0 pipewiresrc >/dev/null 2>&1
export WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland
unset DISPLAY
"$@"
