#!/bin/bash
# The tray icon: a left click hides the shown window (the list stays), the
# next one shows it again; a right click opens the desktop menu. Closing the
# window while resident leaves the program running with the top list
# loaded again, and "/quit" from a second copy ends it while hidden.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
printf 'top\ttop.exe\r\ntools\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'hammer\thammer.exe\r\n' >"$BRENNOMIX_HOME/mtools.ini"

e2e_start_launcher mtools
win=$(e2e_wait_window "Brennomix tools" 15)
icon=$(e2e_wait_tray_icon)
e2e_screenshot tray

e2e_click_tray_icon "$icon" 1
e2e_wait_no_window "Brennomix tools"
e2e_click_tray_icon "$icon" 1
win=$(e2e_wait_window "Brennomix tools")
e2e_wait 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $win ]" || e2e_fail "shown from the tray but not active"

# Right click: the desktop menu opens at the pointer; a click elsewhere
# closes it (once the menu has taken the pointer, so it is repeated).
visible_windows() { xdotool search --onlyvisible --classname brennomix | wc -l; }
before=$(visible_windows)
e2e_click_tray_icon "$icon" 3
menu_open() { [ "$(visible_windows)" -gt "$before" ]; }
e2e_wait 5 menu_open || e2e_fail "no desktop menu"
e2e_screenshot menu
click_desktop_until_closed() {
    xdotool mousemove 400 300 click 1
    sleep 0.2
    ! menu_open
}
e2e_wait 10 click_desktop_until_closed || e2e_fail "the desktop menu stayed open"

# Closing while resident: hidden, the top list loaded again, still running.
e2e_close_window "$win"
e2e_wait_no_window "Brennomix tools"
e2e_wait 5 sh -c 'xdotool search --name "^Brennomix Launcher\$"' || e2e_fail "top list not loaded again"
kill -0 "$E2E_LAUNCHER" 2>/dev/null || e2e_fail "the launcher ended when its window was closed"
e2e_click_tray_icon "$icon" 1
win=$(e2e_wait_window "Brennomix Launcher")
e2e_screenshot shown "$win"

e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"
e2e_run_launcher /quit || e2e_fail "the second copy failed"
e2e_wait_exit "$E2E_LAUNCHER" 10
e2e_pass
