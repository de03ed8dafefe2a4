#!/bin/bash
# A second copy started without arguments brings the hidden window back
# and makes it the active one.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup
e2e_start_tray

write_list Brennomix "notepad	notepad.exe"
start_first_copy
win=$(e2e_window "Brennomix Launcher")

e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"
e2e_process_gone "$E2E_LAUNCHER" && e2e_fail "closing the window ended the launcher"

e2e_run_launcher || e2e_fail "the second copy failed"
wait_window "Brennomix Launcher" 10
win=$(e2e_window "Brennomix Launcher")
e2e_wait 5 sh -c "[ \"\$(xdotool getactivewindow)\" = '$win' ]" ||
    e2e_fail "the recalled window is not the active one"
[ "$(launcher_windows)" -eq 1 ] || e2e_fail "more than one launcher window"
e2e_screenshot recalled "$win"
e2e_pass
