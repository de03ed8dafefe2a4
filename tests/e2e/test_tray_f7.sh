#!/bin/bash
# F7 switches residency off: the tray icon goes, and closing the window then
# ends the program, which lets go of its hotkey.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
printf 'top\ttop.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Desktop\r\nHotkey=K\r\n' >"$BRENNOMIX_HOME/Brennomix.cfg"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_wait_tray_icon >/dev/null
e2e_keys "$win" F7
no_icon() { ! e2e_tray_icon >/dev/null; }
e2e_wait 5 no_icon || e2e_fail "the tray icon stayed after F7"
e2e_close_window "$win"
e2e_wait_exit "$E2E_LAUNCHER" 10

# The hotkey is free again for any other application.
"$GRABKEY" k >"$E2E_TMP/grabkey.out" 2>&1 &
E2E_PIDS="$E2E_PIDS $!"
e2e_wait 10 grep -q '^grabbed$' "$E2E_TMP/grabkey.out" || e2e_fail "grabkey: $(cat "$E2E_TMP/grabkey.out")"
e2e_pass
