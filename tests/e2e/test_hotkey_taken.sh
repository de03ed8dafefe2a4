#!/bin/bash
# Another client holds Super+K: the launcher says the hotkey is taken, runs
# on, and the key keeps going to the other client.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
printf 'top\ttop.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Desktop\r\nHotkey=K\r\n' >"$BRENNOMIX_HOME/Brennomix.cfg"

"$GRABKEY" k >"$E2E_TMP/grabkey.out" 2>&1 &
E2E_PIDS="$E2E_PIDS $!"
e2e_wait 10 grep -q '^grabbed$' "$E2E_TMP/grabkey.out" || e2e_fail "grabkey: $(cat "$E2E_TMP/grabkey.out")"

e2e_start_launcher
message=$(e2e_wait_window "Brennomix" 15)
e2e_screenshot message "$message"
e2e_dismiss_message
win=$(e2e_wait_window "Brennomix Launcher")
e2e_wait_tray_icon >/dev/null

e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"
xdotool key super+k
e2e_wait 5 grep -q '^pressed$' "$E2E_TMP/grabkey.out" || e2e_fail "the other client did not get Super+K"
# The launcher had no part in it.
sleep 0.5
e2e_has_window "Brennomix Launcher" && e2e_fail "Super+K reached the launcher"
kill -0 "$E2E_LAUNCHER" 2>/dev/null || e2e_fail "the launcher ended"
e2e_pass
