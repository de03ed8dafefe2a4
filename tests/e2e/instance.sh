# Helpers for the tests of the instance link; source after lib.sh.

# The first copy's socket and lock in the runtime folder (empty when none).
link_socket() { ls "$XDG_RUNTIME_DIR"/brennomix-*.socket 2>/dev/null | head -n 1; }
link_lock() { ls "$XDG_RUNTIME_DIR"/brennomix-*.lock 2>/dev/null | head -n 1; }

# Waits until a first copy listens.
link_wait_socket() {
    e2e_wait "${1:-30}" sh -c 'ls "$XDG_RUNTIME_DIR"/brennomix-*.socket' ||
        e2e_fail "no first copy listens in $XDG_RUNTIME_DIR"
}

# Starts the launcher as the first copy and waits until it shows its top
# list and listens.
start_first_copy() {
    e2e_start_launcher "$@"
    wait_window "Brennomix Launcher" 30
    link_wait_socket
}

# Waits for a window titled $1 (for $2 seconds); fails the test, with its
# reason, when none comes.
wait_window() { e2e_wait "${2:-10}" e2e_has_window "$1" || e2e_fail "no window titled '$1'"; }

# The pid the link's lock names.
link_lock_pid() { lock=$(link_lock) && [ -n "$lock" ] && head -n 1 "$lock"; }

# Writes a list file of the program folder from lines (CR LF after each).
write_list() {
    f="$BRENNOMIX_HOME/$1.ini"
    shift
    : >"$f"
    for line in "$@"; do printf '%s\r\n' "$line" >>"$f"; done
}

# A top list and the list "tools" beside it.
write_top_and_tools() {
    write_list Brennomix "notepad	notepad.exe" "Calc	calc.exe"
    write_list mtools "tool	tool.exe"
}

# The launcher's windows on the screen.
launcher_windows() { xdotool search --onlyvisible --name '^Brennomix' 2>/dev/null | wc -l; }
