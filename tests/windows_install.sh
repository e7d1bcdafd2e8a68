#!/usr/bin/env bash
# The Windows packages under wine, in a fresh wine prefix of their own:
#   windows_install.sh <setup.exe> <zip> <version> <publisher> <program folder> <nsi> <makensis defines...>
# From the program folder and the .nsi it also makes the installer of an
# earlier version, 0.0.1, which holds one more file than this one.
#  - an update goes into the earlier version's own folder, removes what that
#    version had and this one dropped, and keeps what the user put there
#  - an older installer doesn't replace a newer version silently
#  - with the program running, neither the installer nor the uninstaller
#    changes anything, and silently they exit with code 2
#  - the installed-apps entry, the shortcut and its start folder (Documents)
#  - the uninstaller removes what was installed and nothing else
#  - the zip's program starts from an unpacked folder with no path set
set -u
setup=$1 zip=$2 version=$3 publisher=$4 program=$5 nsi=$6
shift 6
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64 work=$(mktemp -d)
trap '$wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
run() { "$wine" "$@"; local code=$?; $wineserver -w; return $code; }
# Asked again until it shows, up to a minute: one search can fail outright
# when a window it looks at goes away meanwhile, as wine's do at start-up.
main_window() {
    local deadline=$((SECONDS + 60))
    until xdotool search --onlyvisible --name '^Bestand in  ASCII' >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}
# Starts a program and says whether its main window appears.
shows_main_window() {
    "$wine" "$1" >/dev/null 2>&1 &
    main_window
    local shown=$?
    $wineserver -k 2>/dev/null
    wait
    return $shown
}
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\bytekijker'
entry() { "$wine" reg query "$key" 2>/dev/null | tr -d '\r'; }
# What the installer or uninstaller could change: the folder's files with
# their contents and times, the shortcut, the entry.
state() {
    (cd "$1" 2>/dev/null && find . -type f -printf '%p %T@ ' -exec md5sum {} \; | sort)
    [ -e "$shortcut" ] && echo shortcut
    entry
}

run wineboot -i >/dev/null 2>&1
home=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public | head -n 1)
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/bytekijker.lnk"
default=$home/AppData/Local/Programs/bytekijker
custom=$WINEPREFIX/drive_c/Eigen/bytekijker

# The earlier version: this program folder, one file more, version 0.0.1.
earlier=$work/earlier/$(basename "$program")
mkdir -p "$work/earlier" && cp -r "$program" "$earlier" && mkdir "$earlier/vervallen" &&
    cp "$earlier/libwinpthread-1.dll" "$earlier/vervallen/oud.dll"
SOURCE_DATE_EPOCH=0 cmake -DFOLDER="$earlier" -P "$(dirname "$nsi")/stage.cmake" &&
    makensis -V1 -INPUTCHARSET UTF8 "$@" -DVERSION=0.0.1 -DSTAGE="$earlier" -DOUTFILE="$work/earlier-setup.exe" "$nsi" ||
    { echo "FAIL: could not make the earlier version's installer" >&2; exit 1; }

# The earlier version in a folder of the user's choice; then this one over it.
run "$work/earlier-setup.exe" /S "/D=C:\\Eigen\\bytekijker" || fail "the earlier version did not install"
[ -f "$custom/vervallen/oud.dll" ] || fail "the earlier version is not in the folder chosen for it"
echo "van de gebruiker" > "$custom/notities.txt"   # not the installer's to remove
run "$setup" /S || fail "the update exited with code $?"
[ -f "$custom/bytekijker.exe" ] && [ -f "$custom/THIRD-PARTY-NOTICES.txt" ] && [ -f "$custom/licenses/LGPL-3.0-only.txt" ] ||
    fail "the update did not go into the earlier version's folder"
[ ! -e "$default" ] || fail "the update also installed into the default folder"
[ ! -e "$custom/vervallen" ] || fail "the update left the file the new version dropped"
[ -f "$custom/notities.txt" ] || fail "the update removed the user's own file"
installed=$custom

for value in "DisplayName +REG_SZ +bytekijker$" "DisplayVersion +REG_SZ +$version$" "Publisher +REG_SZ +$publisher$" \
             "URLInfoAbout +REG_SZ +https?://" "DisplayIcon .*bytekijker.exe" "UninstallString .*uninstall.exe\"$" \
             "QuietUninstallString .*uninstall.exe\" /S$" "EstimatedSize +REG_DWORD +0x[1-9]"; do
    grep -Eq "$value" <<<"$(entry)" || fail "the installed-apps entry has no '$value'"
done
# A shortcut names its start folder in UTF-16.
documents=$(run winepath -w "$home/Documents" 2>/dev/null | tr -d '\r')
strings -el "$shortcut" | grep -qxF "$documents" ||
    fail "the shortcut does not start in $documents"

# An older installer over a newer version: silently, refused.
before=$(state "$installed")
run "$work/earlier-setup.exe" /S
code=$?
[ "$code" -eq 2 ] || fail "the earlier installer over this version exited with $code, not 2"
[ "$(state "$installed")" = "$before" ] || fail "the earlier installer changed the installed version"

# With the program running, nothing changes: not even a file the program
# doesn't hold is written again (it would get the release's time back).
touch -d @1 "$installed/LICENSE.txt" "$installed/licenses/LGPL-3.0-only.txt"
before=$(state "$installed")
"$wine" "$installed/bytekijker.exe" &
if main_window; then
    # wine returns when the (un)installer ends; the wine server stays, for
    # the program.
    "$wine" "$setup" /S
    code=$?
    [ "$code" -eq 2 ] || fail "the installer over a running program exited with $code, not 2"
    [ "$(state "$installed")" = "$before" ] ||
        fail "the installer changed files of a running program: $(diff <(echo "$before") <(state "$installed"))"
    # Run in place, the uninstaller returns its own exit code.
    "$wine" "$installed/uninstall.exe" /S "_?=C:\\Eigen\\bytekijker"
    code=$?
    [ "$code" -eq 2 ] || fail "the uninstall of a running program exited with $code, not 2"
    # Started as a user starts it, the uninstaller copies itself to a new
    # folder in the temporary folder (~nsu*.tmp), starts that copy and
    # returns; wine's CreateProcess returns only once the new process has
    # started. So the uninstall is over when no process runs from that folder.
    temporary=$(ls "$home/Temp")
    "$wine" "$installed/uninstall.exe" /S
    copy=$(comm -13 <(echo "$temporary") <(ls "$home/Temp") | grep '^~nsu')
    if [ -z "$copy" ]; then
        fail "the uninstaller made no copy of itself"
    else
        deadline=$((SECONDS + 120))
        while pgrep -f "Temp.$copy" >/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
        pgrep -f "Temp.$copy" >/dev/null && fail "the uninstaller's copy did not end within two minutes"
    fi
    [ "$(state "$installed")" = "$before" ] || fail "an uninstall removed files of a running program"
else
    fail "the installed program shows no main window"
fi
$wineserver -k 2>/dev/null
wait

"$wine" "$installed/uninstall.exe" /S && $wineserver -w
left=$(cd "$installed" && find . -mindepth 1; [ -e "$shortcut" ] && echo shortcut; "$wine" reg query "$key" >/dev/null 2>&1 && echo entry)
[ "$left" = "./notities.txt" ] || fail "the uninstall left or removed: $left"

mkdir "$work/unpacked" && (cd "$work/unpacked" && cmake -E tar xf "$zip")
shows_main_window "$work/unpacked/$(basename "$zip" .zip)/bytekijker.exe" || fail "the zip's program shows no main window"
[ "$failures" -eq 0 ]
