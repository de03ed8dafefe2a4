#!/bin/bash
# "Quit" in the tray icon's menu ends the resident launcher, its window
# hidden, and takes the icon away.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
printf 'top\ttop.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
icon=$(e2e_wait_tray_icon)
e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"

# The menu: a shown window of the launcher that is neither the icon nor the
# main window. The click is repeated while the icon is still settling.
menu_open() {
    for w in $(xdotool search --onlyvisible --classname brennomix 2>/dev/null); do
        [ "$w" != "$icon" ] && [ "$w" != "$win" ] && return 0
    done
    return 1
}
open_menu() {
    e2e_click_tray_icon "$icon" 3
    e2e_wait 2 menu_open
}
e2e_wait 10 open_menu || e2e_fail "no tray menu"
e2e_screenshot menu
# The open menu has the keyboard; Q is the access key of "Quit". Pressed
# again while the menu is still taking over the keyboard.
quit_pressed() {
    xdotool key q
    e2e_wait 2 e2e_process_gone "$E2E_LAUNCHER"
}
e2e_wait 10 quit_pressed || e2e_fail "Quit in the tray menu did not end the launcher"
e2e_tray_icon >/dev/null && e2e_fail "the tray icon stayed"
e2e_pass
