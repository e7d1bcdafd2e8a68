#!/usr/bin/env bash
# The program started in a folder whose file system hangs (hungfs: nothing in
# it can be listed, nor its file system's size asked):
#   hung_start.sh <program> <hungfs>
# Run on a desktop of its own (with-desktop.sh).
#  - the main window shows, and at once: nothing at start-up waits on the
#    working folder, which the chooser's listing is read ahead from
#  - closing it ends the program, with code 0, though the read ahead is
#    still waiting in the kernel
# Skips (77) where the test can't mount a FUSE file system.
set -u
program=$1 hungfs=$2
work=$(mktemp -d)
hung=$work/hung
mkdir "$hung"
"$hungfs" "$hung" > "$work/hungfs.out" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; umount -l "$hung" 2>/dev/null; rm -rf "$work"' EXIT
until grep -q ready "$work/hungfs.out"; do
    kill -0 $server 2>/dev/null || { wait $server; echo "SKIP: no FUSE file system can be mounted here"; exit 77; }
    sleep 0.05
done
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Up to a limit, in tenths of a second; prints how long it took.
waitFor() {   # <tenths> <command...>
    local limit=$1 tenths=0
    shift
    until "$@" >/dev/null 2>&1; do
        [ $tenths -lt "$limit" ] || return 1
        sleep 0.1
        tenths=$((tenths + 1))
    done
}

# A program that has ended stays a zombie until it is waited for.
ended() {
    local state
    state=$(ps -o stat= -p "$pid" 2>/dev/null)
    [ -z "$state" ] || [ "${state#Z}" != "$state" ]
}

# The program's shell goes into the folder while the file system answers,
# and waits on a FIFO outside it; the file system stalls; then the program
# starts. Once it has stalled, nothing but the program touches the folder:
# a shell there could be the one that hangs.
stalled() { grep -q stalled "$work/hungfs.out"; }
# In the folder, and waiting to open the FIFO: done with the folder.
inside() {
    [ "$(readlink "/proc/$pid/cwd")" = "$hung" ] && grep -qE 'fifo|partner' "/proc/$pid/wchan"
}
mkfifo "$work/go"
(cd "$hung" && read -r _ < "$work/go" && exec "$program") &
pid=$!
waitFor 100 inside && kill -USR1 $server && waitFor 100 stalled || fail "the file system did not stall"
start=$(date +%s%N)
echo go > "$work/go"
window=
if waitFor 300 xdotool search --onlyvisible --name '^Bestand in  ASCII'; then
    echo "the main window showed $((($(date +%s%N) - start) / 1000000)) ms after the start"
    window=$(xdotool search --onlyvisible --name '^Bestand in  ASCII' | head -n 1)
elif ended; then
    wait $pid
    fail "the program ended, with code $?, before its main window showed"
else
    fail "the main window did not show within 30 s; its threads wait in: $(for task in /proc/$pid/task/*; do printf '%s ' "$(cat "$task/wchan")"; done)"
fi
# Closed with alt+F4 once the window manager has made it the active window;
# asked again while it is still there (a loaded machine's window manager may
# not have taken the first).
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]; }
if [ -n "$window" ]; then
    for attempt in 1 2 3 4 5; do
        xdotool getwindowname "$window" >/dev/null 2>&1 || break
        xdotool windowactivate "$window" 2>/dev/null
        waitFor 50 active && xdotool key alt+F4
        waitFor 50 ended && break
    done
    if waitFor 300 ended; then
        wait $pid
        code=$?
        [ $code -eq 0 ] || fail "the program ended with code $code"
    elif xdotool getwindowname "$window" >/dev/null 2>&1; then
        fail "the main window could not be closed"
    else
        fail "the program did not end within 30 s of its window's closing"
    fi
fi
kill -9 $pid 2>/dev/null
[ "$failures" -eq 0 ]
