#!/bin/bash
# "/quit" from a second copy ends the resident launcher.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
printf 'top\ttop.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"
e2e_run_launcher /quit || e2e_fail "the second copy failed"
e2e_wait_exit "$E2E_LAUNCHER" 10
e2e_pass
