#!/bin/bash
# The real launcher on a fresh program folder: it creates its top list with
# the three default entries (CR LF line ends), shows "Brennomix Launcher",
# and stays resident when its window is closed. This desktop has no tray,
# which the launcher says once, when it hides for the first time. Started
# again it shows itself.
. "$(dirname "$0")/lib.sh"
e2e_setup

e2e_start_launcher
e2e_dismiss_message 15
win=$(e2e_wait_window "Brennomix Launcher")
e2e_screenshot shown "$win"

expected=$(printf 'notepad\tnotepad.exe\r\nCalc\tcalc.exe\r\nInternet Explorer\tIExplore.exe\r\n' | od -c)
actual=$(od -c <"$BRENNOMIX_HOME/Brennomix.ini")
[ "$expected" = "$actual" ] || e2e_fail "Brennomix.ini holds: $actual"

e2e_close_window "$win"
e2e_dismiss_message 10
e2e_wait_no_window "Brennomix Launcher"
kill -0 "$E2E_LAUNCHER" 2>/dev/null || e2e_fail "the launcher ended when its window was closed"

e2e_run_launcher || e2e_fail "the second copy failed"
e2e_wait_window "Brennomix Launcher" >/dev/null
e2e_pass
