#!/bin/bash
# A second copy hands its word to the running copy and ends without a
# window of its own: a list word opens that list when its file exists, any
# other word only recalls, and "/QUIT" ends the running copy, which takes
# its socket and lock with it.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup

write_top_and_tools
start_first_copy
win=$(e2e_window "Brennomix Launcher")

e2e_run_launcher mtools || e2e_fail "the second copy with 'mtools' failed"
wait_window "Brennomix tools" 10
[ "$(launcher_windows)" -eq 1 ] || e2e_fail "a second copy left a window"

# No list file: only a recall; nothing is created, nothing is asked.
e2e_run_launcher mmissing || e2e_fail "the second copy with 'mmissing' failed"
e2e_run_launcher || e2e_fail "the second copy without arguments failed"
sleep 0.5
e2e_has_window "Brennomix tools" || e2e_fail "a word without a list file changed the list"
[ -e "$BRENNOMIX_HOME/mmissing.ini" ] && e2e_fail "a relayed word created a list"
[ "$(launcher_windows)" -eq 1 ] || e2e_fail "a relayed word opened a window"
e2e_screenshot relayed "$win"

e2e_run_launcher /QUIT || e2e_fail "the second copy with '/QUIT' failed"
e2e_wait_exit "$E2E_LAUNCHER" 10
[ -z "$(link_socket)" ] || e2e_fail "the socket outlived the first copy"
[ -z "$(link_lock)" ] || e2e_fail "the lock outlived the first copy"

# The next start is a first copy again.
start_first_copy
[ "$(link_lock_pid)" = "$E2E_LAUNCHER" ] || e2e_fail "the new first copy does not hold the lock"
e2e_pass
