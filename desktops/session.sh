# What every desktop of its own starts with; sourced by the with-*.sh scripts.

# Exits 77 (skipped), naming the first of the tools that is not installed.
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null && continue
        echo "SKIP: $tool is not installed; run 'make test' to install it" >&2
        exit 77
    done
}

# A runtime folder of its own, with the settings, state, data and caches in
# it: never the user's, nor those of another desktop running beside it. The
# caller removes it at exit.
make_own_folders() {
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR XDG_CONFIG_HOME=$XDG_RUNTIME_DIR/config XDG_STATE_HOME=$XDG_RUNTIME_DIR/state \
        XDG_DATA_HOME=$XDG_RUNTIME_DIR/data XDG_CACHE_HOME=$XDG_RUNTIME_DIR/cache
}

# Runs the calling script again, with --in-session first, in its own folders
# and a session bus of its own; exits with its status once the folders are
# removed.
rerun_in_own_session() {
    make_own_folders
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
    dbus-run-session -- "$0" --in-session "$@"
    exit
}

# The accessibility bus on, before any program starts: the desktops read the
# program's windows and their text from it.
accessibility_on() {
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
        --method org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled '<true>' >/dev/null
}
