#!/usr/bin/env bash
# The Windows packages under wine, in a fresh wine prefix of their own: the
# installer installs silently, with its shortcut and its installed-apps entry;
# the installed program shows its main window; the uninstaller removes what
# was installed and nothing else; the zip's program starts from an unpacked
# folder with no path set.
#   windows_install.sh <setup.exe> <zip> <version> <publisher>
set -u
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64 work=$(mktemp -d)
trap '$wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Starts a program and says whether its main window appears.
shows_main_window() {
    "$wine" "$1" >/dev/null 2>&1 &
    timeout 60 xdotool search --sync --onlyvisible --name '^Bestand in  ASCII' >/dev/null 2>&1
    local shown=$?
    $wineserver -k 2>/dev/null
    wait
    return $shown
}

"$wine" wineboot -i >/dev/null 2>&1 && $wineserver -w
home=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public | head -n 1)
installed=$home/AppData/Local/Programs/bytekijker
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/bytekijker.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\bytekijker'

"$wine" "$1" /S && $wineserver -w
for file in bytekijker.exe Qt6Widgets.dll platforms/qwindows.dll translations/qtbase_nl.qm uninstall.exe "$shortcut"; do
    [ -f "$installed/$file" ] || [ -f "$file" ] || fail "not installed: $file"
done
entry=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName +REG_SZ +bytekijker$" "DisplayVersion +REG_SZ +$3$" "Publisher +REG_SZ +$4$" \
             "DisplayIcon .*bytekijker.exe" "UninstallString .*uninstall.exe" "EstimatedSize +REG_DWORD +0x[1-9]"; do
    grep -Eq "$value" <<<"$entry" || fail "the installed-apps entry has no '$value'"
done
shows_main_window "$installed/bytekijker.exe" || fail "the installed program shows no main window"

echo "van de gebruiker" > "$installed/notities.txt"   # not the installer's to remove
"$wine" "$installed/uninstall.exe" /S && $wineserver -w
left=$(cd "$installed" && find . -mindepth 1; [ -e "$shortcut" ] && echo shortcut; "$wine" reg query "$key" >/dev/null 2>&1 && echo entry)
[ "$left" = "./notities.txt" ] || fail "the uninstall left or removed: $left"

mkdir "$work/unpacked" && (cd "$work/unpacked" && cmake -E tar xf "$2")
shows_main_window "$work/unpacked/$(basename "$2" .zip)/bytekijker.exe" || fail "the zip's program shows no main window"
[ "$failures" -eq 0 ]
