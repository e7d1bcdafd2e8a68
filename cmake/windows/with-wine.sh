#!/usr/bin/env bash
# Runs a Windows program of the cross build under wine, as CMake's emulator:
#   with-wine.sh <program.exe> [arguments...]
# The wine prefix is the build's own (made on first use, without asking to
# install anything), the program finds Qt's and the C++ runtime's DLLs on
# WINEPATH, and drive Q: stands for a drive without a medium: it is mapped to
# a folder that does not exist (the prefix is $BYTEKIJKER_WINDOWS_BUILD/wine);
# drive Y: for an empty one, a new USB stick: its root lists nothing at all.
# Drive C: is also the network share \\localhost\c$, as on Windows. Wine's own
# fonts (Debian's fonts-wine, Tahoma among them) are put where Windows keeps
# its fonts, as on Windows.
set -u

build=${BYTEKIJKER_WINDOWS_BUILD:?set by CMake: the Windows build folder}
qt=${BYTEKIJKER_WINDOWS_QT:?set by CMake: the Qt for Windows folder}
wine=/usr/lib/wine/wine64
export WINEPREFIX=$build/wine WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine gives the program no console window, so Qt would log (the test
# results too) to the debugger: this keeps it on standard output and error.
# Wine hands the program its QT_ variables only under a WINE prefix.
export WINEQT_FORCE_STDERR_LOGGING=1

if [ ! -f "$WINEPREFIX/.ready" ]; then
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.ready" ]; then
            rm -rf "$WINEPREFIX"
            "$wine" wineboot -i >/dev/null 2>&1 && /usr/lib/wine/wineserver64 -w \
                && ln -sfn "$build/no-medium" "$WINEPREFIX/dosdevices/q:" \
                && mkdir -p "$build/empty-drive" && ln -sfn "$build/empty-drive" "$WINEPREFIX/dosdevices/y:" \
                && ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" \
                && mkdir -p "$WINEPREFIX/dosdevices/unc/localhost" \
                && ln -sfn ../../../drive_c "$WINEPREFIX/dosdevices/unc/localhost/c\$" \
                && touch "$WINEPREFIX/.ready"
        fi
    ) 9>"$build/wine.lock"
fi

# One wine server per display, and never one ended under a run: every run
# holds a shared lock for as long as its program lives (the program, and the
# server it may start, inherit it). Runs on the display the server belongs to
# go side by side, as the build's icon runs do; a run on another display
# waits until all those have ended, then ends the server left from them (its
# desktop gone with its display) and makes the prefix its own.
server_is_ours() { [ "$(cat "$WINEPREFIX/.display" 2>/dev/null)" = "${DISPLAY:-}" ]; }
exec {runs}>>"$build/wine.runs.lock"
until flock -s "$runs" && server_is_ours; do
    flock -u "$runs"
    flock -x "$runs"
    if ! server_is_ours; then
        /usr/lib/wine/wineserver64 -k 2>/dev/null
        /usr/lib/wine/wineserver64 -w
        printf '%s' "${DISPLAY:-}" > "$WINEPREFIX/.display"
    fi
    flock -u "$runs"
done

runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
export WINEPATH="Z:$qt/bin;Z:$runtime;Z:/usr/x86_64-w64-mingw32/lib"
exec "$wine" "$@"
