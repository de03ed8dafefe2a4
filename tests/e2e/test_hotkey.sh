#!/bin/bash
# With hotkey letter K configured, Super+K brings the hidden launcher back
# in front of another application, with the keyboard focus in its list. The
# window sits in the bottom-right corner of the work area, frame included.
# With "Hide when recalled" on, a second press hides it again.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
# Entry 1 leaves a mark, to show where the keys go.
marker="$E2E_TMP/marker"
printf '#!/bin/sh\ntouch "%s"\n' "$marker" >"$E2E_TMP/mark.sh"
chmod +x "$E2E_TMP/mark.sh"
printf 'Mark\t%s\r\nsecond\tsecond.exe\r\n' "$E2E_TMP/mark.sh" >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Desktop;My Documents;Start Menu\r\nHotkey=K\r\n' >"$BRENNOMIX_HOME/Brennomix.cfg"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_has_window "Brennomix" && e2e_fail "a message was shown at start-up"

in_corner() {
    read -r x y w h <<<"$(e2e_frame_geometry "$win")"
    read -r wx wy ww wh <<<"$(e2e_work_area)"
    [ $((x + w)) -eq $((wx + ww)) ] && [ $((y + h)) -eq $((wy + wh)) ]
}
e2e_wait 5 in_corner ||
    e2e_fail "window at $(e2e_frame_geometry "$win"), work area $(e2e_work_area)"
e2e_screenshot shown "$win"

# Resident: closing hides the window.
e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"

# Another application has the focus when the hotkey is pressed.
xmessage -geometry +40+40 "another application" &
E2E_PIDS="$E2E_PIDS $!"
other=$(e2e_wait_window "xmessage")
xdotool windowactivate --sync "$other"

xdotool key super+k
win=$(e2e_wait_window "Brennomix Launcher")
active() { [ "$(xdotool getactivewindow)" = "$win" ] && [ "$(xdotool getwindowfocus)" = "$win" ]; }
e2e_wait 5 active || e2e_fail "the recalled launcher is not the active window with the focus"
e2e_wait 5 in_corner || e2e_fail "recalled window moved to $(e2e_frame_geometry "$win")"
e2e_screenshot recalled

# Without "Hide when recalled" a second press keeps it shown and in front.
xdotool windowactivate --sync "$other"
xdotool key super+k
e2e_wait 5 active || e2e_fail "the second press did not bring the launcher to the front"

# The keyboard focus is in the list: a digit typed now runs entry 1, and
# the resident window hides after the run.
xdotool key 1
e2e_wait_file "$marker" 10
e2e_wait_no_window "Brennomix Launcher"
kill -0 "$E2E_LAUNCHER" 2>/dev/null || e2e_fail "the launcher ended"

# Started again with "Hide when recalled" on.
e2e_run_launcher /quit || e2e_fail "the second copy failed"
e2e_wait_exit "$E2E_LAUNCHER" 10
printf 'Desktop\r\nHotkey=K\r\nWindow2mouse=0\r\nHover select=0\r\nHide when recalled=1\r\n' \
    >"$BRENNOMIX_HOME/Brennomix.cfg"
e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"
xdotool key super+k
win=$(e2e_wait_window "Brennomix Launcher")
e2e_screenshot shown-again "$win"
xdotool key super+k
e2e_wait_no_window "Brennomix Launcher"
kill -0 "$E2E_LAUNCHER" 2>/dev/null || e2e_fail "the launcher ended"
xdotool key super+k
e2e_wait_window "Brennomix Launcher" >/dev/null
e2e_pass
