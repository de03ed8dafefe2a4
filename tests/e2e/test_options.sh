#!/bin/bash
# --help and --version print and exit 0, and an unknown "--" option exits
# 2, without making a file or touching a running copy; list names keep
# working.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup
e2e_start_tray

# The answers a start gives without a running copy and with one are the
# same, and the program folder stays as it was.
check_options() {
    before=$(ls -A "$BRENNOMIX_HOME" "$XDG_RUNTIME_DIR" | sort)
    out=$(timeout 10 "$BRENNOMIX_BIN" --help 2>"$E2E_TMP/err") || e2e_fail "--help: exit $?"
    grep -q '/search' <<<"$out" && grep -q 'Brennomix.ini' <<<"$out" || e2e_fail "--help printed: $out"
    [ -s "$E2E_TMP/err" ] && e2e_fail "--help wrote to standard error: $(cat "$E2E_TMP/err")"
    out=$(timeout 10 "$BRENNOMIX_BIN" --version 2>/dev/null) || e2e_fail "--version: exit $?"
    grep -Eq '^brennomix [0-9]+\.[0-9]+' <<<"$out" || e2e_fail "--version printed: $out"
    timeout 10 "$BRENNOMIX_BIN" --no-such-option >"$E2E_TMP/out" 2>"$E2E_TMP/err"
    status=$?
    [ "$status" = 2 ] || e2e_fail "unknown option: exit $status"
    grep -q -- '--no-such-option' "$E2E_TMP/err" || e2e_fail "unknown option not named on standard error"
    [ -s "$E2E_TMP/out" ] && e2e_fail "unknown option wrote to standard output"
    after=$(ls -A "$BRENNOMIX_HOME" "$XDG_RUNTIME_DIR" | sort)
    [ "$before" = "$after" ] || e2e_fail "files changed: '$before' became '$after'"
}

check_options
[ -e "$XDG_CONFIG_HOME/brennomix" ] && e2e_fail "the default program folder was made"

# With "Hide when recalled" a word reaching the shown window hides it, so
# an option handed over by mistake would show.
write_top_and_tools
printf 'Desktop\r\nHotkey=\r\nWindow2mouse=0\r\nHover select=0\r\nHide when recalled=1\r\n' \
    >"$BRENNOMIX_HOME/Brennomix.cfg"
start_first_copy
check_options
e2e_process_gone "$E2E_LAUNCHER" && e2e_fail "the running copy ended"
[ -e "$BRENNOMIX_HOME/--version.ini" ] && e2e_fail "a list file --version.ini was made"
# Words arrive in order: the list name below meets the window as the
# options left it. Shown still, it is hidden by the recall; hidden by a
# stray option, it would come back showing the list.
e2e_run_launcher mtools || e2e_fail "the second copy with a list name failed"
e2e_wait_no_window "Brennomix Launcher"
e2e_has_window "Brennomix tools" && e2e_fail "an option reached the running copy"

# A list name still reaches the running copy.
e2e_run_launcher mtools || e2e_fail "the second copy with a list name failed"
wait_window "Brennomix tools" 10
e2e_pass
