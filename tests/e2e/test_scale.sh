#!/bin/bash
# Under a scale factor the window keeps its size in logical pixels: at
# QT_SCALE_FACTOR=2 it is twice as many screen pixels wide and high as at 1,
# and it still stands inside the work area.
. "$(dirname "$0")/lib.sh"
e2e_setup
printf 'one\tone.exe\r\ntwo\ttwo.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
# The work area as the window manager has it now: it is set a moment after
# the window manager starts.
area() { read -r WX WY WW WH <<<"$(e2e_work_area)" && [ -n "$WH" ]; }

# True when window $1 lies inside the work area, its frame included.
inside() {
    area || return 1
    read -r x y w h <<<"$(e2e_frame_geometry "$1")" || return 1
    [ "$x" -ge "$WX" ] && [ "$y" -ge "$WY" ] && [ $((x + w)) -le $((WX + WW)) ] &&
        [ $((y + h)) -le $((WY + WH)) ]
}
# True when window $1 is $2 × $3 pixels, give or take the frame's rounding.
sized() {
    read -r _ _ w h <<<"$(e2e_frame_geometry "$1")" || return 1
    [ $((w - $2)) -le 4 ] && [ $(($2 - w)) -le 4 ] && [ $((h - $3)) -le 4 ] && [ $(($3 - h)) -le 4 ]
}
# The window placed in the bottom-right corner of the work area.
cornered() {
    area || return 1
    read -r x y w h <<<"$(e2e_frame_geometry "$1")" || return 1
    [ $((x + w)) -eq $((WX + WW)) ] && [ $((y + h)) -eq $((WY + WH)) ]
}

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_wait 10 cornered "$win" || e2e_fail "at scale 1 the window is at $(e2e_frame_geometry "$win")"
read -r _ _ w1 h1 <<<"$(e2e_frame_geometry "$win")"
e2e_run_launcher /quit || e2e_fail "/quit was not handed over"
e2e_wait_exit "$E2E_LAUNCHER" 10

QT_SCALE_FACTOR=2 e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_wait 10 sized "$win" $((2 * w1)) $((2 * h1)) ||
    e2e_fail "at scale 2 the window is $(e2e_frame_geometry "$win"), at scale 1 ${w1}x$h1"
e2e_wait 10 inside "$win" || e2e_fail "at scale 2 the window left the work area: $(e2e_frame_geometry "$win")"
e2e_screenshot scale2 "$win"
QT_SCALE_FACTOR=2 e2e_run_launcher /quit || e2e_fail "/quit was not handed over"
e2e_wait_exit "$E2E_LAUNCHER" 10
e2e_pass
