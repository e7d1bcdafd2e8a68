#!/usr/bin/env bash
# Installs the built program into a scratch folder and checks that what a
# desktop needs lands where desktops look for it: the program, its desktop
# entry, and the icon in the hicolor theme at every size.
#
#   install_layout.sh <cmake> <build folder> <bin folder> <data folder>
#
# The bin and data folders are relative to the prefix, as GNUInstallDirs
# gives them (bin, share).
set -u

if [ $# -ne 4 ]; then
    echo "usage: $0 <cmake> <build folder> <bin folder> <data folder>" >&2
    exit 2
fi
cmake=$1 build=$2 bindir=$3 datadir=$4

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! "$cmake" --install "$build" --prefix "$prefix" >/dev/null; then
    echo "FAIL: cmake --install $build did not succeed" >&2
    exit 1
fi

# The program.
program=$prefix/$bindir/bytekijker
if [ ! -f "$program" ]; then
    fail "$bindir/bytekijker was not installed"
elif [ ! -x "$program" ]; then
    fail "$bindir/bytekijker is not executable"
fi

# The desktop entry. value KEY prints KEY's value in the [Desktop Entry] group.
entry=$prefix/$datadir/applications/bytekijker.desktop
value() {
    awk -v key="$1" '
        /^\[/ { group = $0; next }
        group == "[Desktop Entry]" && index($0, key "=") == 1 {
            print substr($0, length(key) + 2); exit
        }' "$entry"
}
if [ ! -f "$entry" ]; then
    fail "$datadir/applications/bytekijker.desktop was not installed"
else
    exec_line=$(value Exec)
    [ "${exec_line%% *}" = bytekijker ] ||
        fail "Exec= is '$exec_line', not the installed program bytekijker"
    [ "$(value Icon)" = bytekijker ] ||
        fail "Icon= is '$(value Icon)', not the installed icon name bytekijker"
    [ "$(value Type)" = Application ] ||
        fail "Type= is '$(value Type)', not Application"
    [ "$(value Terminal)" != true ] ||
        fail "Terminal=true would start the program in a terminal window"
    case ";$(value Categories)" in
        *";Utility;"*) ;;
        *) fail "Categories= is '$(value Categories)', without Utility;" ;;
    esac
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$entry" >&2 || fail "desktop-file-validate rejects the desktop entry"
    else
        echo "SKIP: desktop-file-validate is not installed (package desktop-file-utils);" \
             "the desktop entry was not validated as a whole" >&2
    fi
fi

# The icon at every size, as a PNG of exactly that size. A PNG starts with an
# 8-byte signature and then the IHDR chunk: length, "IHDR", width, height
# (each 4 bytes, big-endian).
for size in 16 32 48 64 128 256; do
    icon=$prefix/$datadir/icons/hicolor/${size}x${size}/apps/bytekijker.png
    name=${icon#"$prefix"/}
    if [ ! -f "$icon" ]; then
        fail "$name was not installed"
        continue
    fi
    read -r -a b < <(od -An -v -tu1 -N24 "$icon" | tr '\n' ' ')
    if [ ${#b[@]} -ne 24 ] ||
       [ "${b[*]:0:8}" != "137 80 78 71 13 10 26 10" ] ||
       [ "${b[*]:12:4}" != "73 72 68 82" ]; then
        fail "$name is not a PNG"
        continue
    fi
    width=$(( (b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19] ))
    height=$(( (b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23] ))
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] ||
        fail "$name is ${width}x${height}, not ${size}x${size}"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "Installed layout is complete"
