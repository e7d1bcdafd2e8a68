#!/usr/bin/env bash
# Makes the README's pictures from the real program on a virtual desktop:
# the chooser with a file selected, and the main window showing that file,
# as <output folder>/chooser<suffix>.png and main-window<suffix>.png.
#
#   tools/screenshots.sh <output folder> <suffix> <command that starts the program>...
# The command's paths are absolute: it runs in a folder of sample files. With
# the suffix -gnome the pictures are of GNOME's Wayland, and the command is
# gnome_screenshots with the program.
set -eu

out=$(realpath "$1")
suffix=$2
shift 2
here=$(dirname "$(realpath "$0")")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/voorbeelden"
# A sample with text, a line break, a tab, a NUL and a few bytes above 127.
printf 'Bytekijker toont elk byte van een bestand.\r\nRegel twee:\tcaf\xe9, \x80 5,-\x00\x01\x02 en verder \xa9 2026.\r\n' \
    > "$work/voorbeelden/voorbeeld.txt"

cd "$work/voorbeelden"
if [ "$suffix" = -gnome ]; then
    # On GNOME's Wayland the command takes the pictures itself (tools/gnome_screenshots.cpp).
    "$here/../desktops/with-gnome-wayland.sh" "$@" "$out" "$suffix"
else
    "$here/../desktops/with-desktop.sh" bash -eu -c '
        out=$1 suffix=$2
        shift 2
        "$@" &
        main=$(xdotool search --sync --name "^Bestand in  ASCII")
        sleep 0.5
        xdotool mousemove --window "$main" 95 18 click 1                  # Bestand openen
        chooser=$(xdotool search --sync --name "^Bestand Openen$")
        sleep 0.5
        xdotool mousemove --window "$chooser" 200 18 click 1              # the first file
        sleep 0.5
        import -window "$chooser" "$out/chooser$suffix.png"
        xdotool mousemove --window "$chooser" 362 35 click 1              # OK
        sleep 1
        import -window "$main" "$out/main-window$suffix.png"
        kill %1
    ' screenshots "$out" "$suffix" "$@"
fi
echo "Pictures written to $out"
