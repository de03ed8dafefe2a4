#!/bin/bash
# Every way of calling the launcher gives it the keyboard focus, also while
# the user is typing into another program (whose last user time the window
# manager weighs against the request): the hotkey, a second copy, the tray
# icon and the menu entry's key combination. Keys typed next reach the
# launcher, not the other program.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup
e2e_start_tray
write_list Brennomix "top	top.exe"
printf 'Desktop\r\nHotkey=K\r\nWindow2mouse=0\r\nHover select=0\r\nHide when recalled=0\r\n' \
    >"$BRENNOMIX_HOME/Brennomix.cfg"
apps="$HOME/.local/share/applications"
mkdir -p "$apps"
printf '[Desktop Entry]\nType=Application\nName=Brennomix\nExec=brennomix\nX-Brennomix-Shortcut=CTRL+ALT+B\n' \
    >"$apps/brennomix.desktop"
start_first_copy
win=$(e2e_window "Brennomix Launcher")
icon=$(e2e_wait_tray_icon)
e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"

"$FOCUSHOLDER" >"$E2E_TMP/holder.log" 2>&1 &
E2E_PIDS="$E2E_PIDS $!"
holder=$(e2e_wait_window focusholder)

active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
for way in ${WAYS:-hotkey second tray shortcut}; do
    xdotool windowactivate --sync "$holder"
    e2e_wait 5 active_is "$holder" || e2e_fail "$way: the other program did not get the focus"
    # The user types into the other program just before calling.
    keys=$(grep -c '^key' "$E2E_TMP/holder.log")
    xdotool key --window "$holder" a b c
    e2e_wait 5 sh -c "[ \$(grep -c '^key' '$E2E_TMP/holder.log') -ge $((keys + 3)) ]" ||
        e2e_fail "$way: the other program got no keys"
    case $way in
        hotkey) xdotool key super+k ;;
        second) e2e_run_launcher || e2e_fail "the second copy failed" ;;
        tray) e2e_click_tray_icon "$icon" 1 ;;
        shortcut) xdotool key ctrl+alt+b ;;
    esac
    w=$(e2e_wait_window "Brennomix Launcher")
    e2e_wait 5 active_is "$w" || e2e_fail "$way: the launcher came up without the focus"
    xprop -id "$w" _NET_WM_STATE | grep -q DEMANDS_ATTENTION &&
        e2e_fail "$way: the launcher was marked as demanding attention"
    # Escape, typed now, closes the launcher's window; the other program
    # never sees it.
    xdotool key Escape
    e2e_wait_no_window "Brennomix Launcher"
    grep -q '^key Escape' "$E2E_TMP/holder.log" && e2e_fail "$way: Escape went to the other program"
done
e2e_pass
