#!/bin/bash
# With "Hide when recalled" on, Super+K shows the hidden launcher and a
# second press hides it again; the launcher keeps running.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
printf 'top\ttop.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Desktop\r\nHotkey=K\r\nWindow2mouse=0\r\nHover select=0\r\nHide when recalled=1\r\n' \
    >"$BRENNOMIX_HOME/Brennomix.cfg"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"

xdotool key super+k
win=$(e2e_wait_window "Brennomix Launcher")
e2e_screenshot shown "$win"
xdotool key super+k
e2e_wait_no_window "Brennomix Launcher"
kill -0 "$E2E_LAUNCHER" 2>/dev/null || e2e_fail "the launcher ended"

xdotool key super+k
e2e_wait_window "Brennomix Launcher" >/dev/null
e2e_pass
