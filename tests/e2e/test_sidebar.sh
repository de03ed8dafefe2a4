#!/bin/bash
# With "SideBar=3" the black strip stands at the right edge of the work
# area, on top, out of the task bar and without a frame; a click on it shows the hidden window
# and the next one hides it.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
e2e_wait_panel_strut
printf 'one\tone.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Desktop;My Documents;Start Menu\r\nHotkey=K\r\nWindow2mouse=0\r\nHover select=0\r\nHide when recalled=0\r\nUse page up/down as arrows=0\r\nSideBar=3\r\n' \
    >"$BRENNOMIX_HOME/Brennomix.cfg"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
strip() { xdotool search --onlyvisible --name '^Brennomix sidebar$' 2>/dev/null | head -n 1; }
e2e_wait 10 sh -c "[ -n \"\$(xdotool search --onlyvisible --name '^Brennomix sidebar\$')\" ]" ||
    e2e_fail "no sidebar"
bar=$(strip)
at_right() {
    read -r x y w h <<<"$(e2e_frame_geometry "$bar")"
    read -r wx wy ww wh <<<"$(e2e_work_area)"
    # 50 twips wide, 300 twips (20 pixels at 96 dpi) from the top, down to
    # the work area's bottom.
    [ "$w" -le 4 ] && [ $((x + w)) -eq $((wx + ww)) ] && [ "$y" -eq 20 ] && [ $((y + h)) -eq $((wy + wh)) ]
}
e2e_wait 5 at_right || e2e_fail "sidebar at $(e2e_frame_geometry "$bar"), work area $(e2e_work_area)"
state=$(xprop -id "$bar" _NET_WM_STATE)
for s in ABOVE SKIP_TASKBAR SKIP_PAGER; do
    echo "$state" | grep -q "_NET_WM_STATE_$s" || e2e_fail "sidebar state: $state"
done
read -r x y w h <<<"$(e2e_frame_geometry "$bar")"
# A white window behind the strip, so that the black strip shows.
xmessage -geometry 400x700+$((x - 380))+10 "behind the sidebar" &
E2E_PIDS="$E2E_PIDS $!"
e2e_wait_window "xmessage" >/dev/null
sleep 0.3
"$XSHOT" "$E2E_OUT/$E2E_NAME-strip.png" $((x - 200)) 0 $((w + 200)) 760 2>/dev/null &&
    e2e_log "screenshot $E2E_OUT/$E2E_NAME-strip.png"
e2e_screenshot screen

e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"
xdotool mousemove $((x + 1)) $((y + h / 2)) click 1
e2e_wait_window "Brennomix Launcher" 10 >/dev/null
# The strip never takes the focus: the shown window has it.
win=$(e2e_window "Brennomix Launcher")
e2e_wait 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $win ]" || e2e_fail "the shown window is not active"
xdotool mousemove $((x + 1)) $((y + h / 2)) click 1
e2e_wait_no_window "Brennomix Launcher"
e2e_pass
