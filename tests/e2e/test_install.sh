#!/bin/bash
# "/install" asks for a keyboard shortcut (Enter takes "CTRL+ALT+A"),
# writes a valid menu entry into XDG_DATA_HOME/applications and says
# "Shortcut created"; that key combination then recalls the hidden window.
# The entry has the installed entry's file name, so it overrides that one
# rather than making a second "Brennomix" in the menu.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
export XDG_DATA_HOME="$E2E_TMP/data"
printf 'one\tone.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Desktop;My Documents;Start Menu\r\nHotkey=K\r\n' >"$BRENNOMIX_HOME/Brennomix.cfg"

e2e_start_launcher /install
ask=$(e2e_wait_window "Brennomix" 15)
e2e_screenshot prompt "$ask"
xdotool windowactivate --sync "$ask" key --clearmodifiers Return
e2e_dismiss_message 10

entry="$XDG_DATA_HOME/applications/brennomix.desktop"
e2e_wait_file "$entry"
grep -qx 'X-Brennomix-Shortcut=CTRL+ALT+A' "$entry" || e2e_fail "entry: $(cat "$entry")"
grep -qx "Exec=$(readlink -f "$BRENNOMIX_BIN")" "$entry" || e2e_fail "entry: $(cat "$entry")"
grep -q '^Actions=Search;Rescan;Quit;' "$entry" || e2e_fail "entry without the actions: $(cat "$entry")"
if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$entry" 2>&1) || e2e_fail "invalid entry: $out"
fi
[ "$(ls "$XDG_DATA_HOME/applications")" = "brennomix.desktop" ] || e2e_fail "other files written"

win=$(e2e_wait_window "Brennomix Launcher")
e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher"
xdotool key ctrl+alt+a
e2e_wait_window "Brennomix Launcher" 10 >/dev/null
e2e_pass
