#!/usr/bin/env bash
# Runs a command on a KDE Plasma desktop of its own, on Wayland: KDE's
# compositor (KWin), headless with one virtual screen, in a session bus, a
# runtime folder and settings of its own, with the accessibility bus on. The
# command's program may use KWin's fake input (desktops/kwininput.h) to work
# the desktop. Qt programs started by the command use Wayland.
# Exits 77 (skipped) when the desktop can't be had.
set -u
. "$(dirname "$0")/session.sh"

if [ "${1:-}" != --in-session ]; then
    require_tools kwin_wayland dbus-run-session gdbus
    rerun_in_own_session "$@"
fi
shift

# KWin offers its fake input to a program that a desktop entry names with it.
mkdir -p "$XDG_DATA_HOME/applications"
cat >"$XDG_DATA_HOME/applications/desktop-test.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Desktop test
Exec=$(realpath "$(command -v "$1")")
NoDisplay=true
X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input
ENTRY
# KDE's service cache (KF6's at least) lists the applications of the
# desktop's menu: one that holds them all.
mkdir -p "$XDG_CONFIG_HOME/menus"
cat >"$XDG_CONFIG_HOME/menus/applications.menu" <<'MENU'
<Menu>
  <Name>Applications</Name>
  <DefaultAppDirs/>
  <Include><All/></Include>
</Menu>
MENU
# kwin_wayland carries a file capability (cap_sys_resource) that a container
# may refuse to grant, and then it can't be started; a plain copy has none.
# The copy keeps the name: KWin's Qt platform plugin serves no other.
mkdir "$XDG_RUNTIME_DIR/bin"
cp "$(command -v kwin_wayland)" "$XDG_RUNTIME_DIR/bin/kwin_wayland"
# Software compositing; its global shortcuts stay on, for alt+F4.
KWIN_COMPOSE=Q "$XDG_RUNTIME_DIR/bin/kwin_wayland" --virtual --width 1280 --height 1024 --no-lockscreen \
    --no-kactivities --socket wayland-test >"$XDG_RUNTIME_DIR/kwin.log" 2>&1 &
kwin=$!
trap 'kill $kwin 2>/dev/null; wait 2>/dev/null' EXIT
# Up once it runs scripts.
for _ in $(seq 200); do
    kill -0 $kwin 2>/dev/null || break
    gdbus introspect --session --dest org.kde.KWin --object-path /Scripting >/dev/null 2>&1 && break
    sleep 0.1
done
if ! [ -S "$XDG_RUNTIME_DIR/wayland-test" ] || ! kill -0 $kwin 2>/dev/null; then
    echo "SKIP: kwin_wayland did not start: $(tail -n 1 "$XDG_RUNTIME_DIR/kwin.log")" >&2
    exit 77
fi
accessibility_on
# As a Plasma session names itself.
export WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
unset DISPLAY
"$@"
