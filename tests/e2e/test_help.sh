#!/bin/bash
# F1 opens the settings window "Help" with its help text and settings;
# Escape closes it and the launcher stays. Opening and closing the settings
# changes none, so the settings file keeps every byte.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
printf 'one\tone.exe\r\ntwo\ttwo.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Desktop;My Documents;Start Menu\r\nHotkey=K\r\nWindow2mouse=0\r\nHover select=1\r\n' \
    >"$BRENNOMIX_HOME/Brennomix.cfg"
cp "$BRENNOMIX_HOME/Brennomix.cfg" "$E2E_TMP/cfg.before"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_keys "$win" F1
help=$(e2e_wait_window "Help")
e2e_wait 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $help ]" || e2e_fail "the settings window is not active"
sleep 0.3
e2e_screenshot settings "$help"

e2e_keys "$help" Escape
e2e_wait_no_window "Help"
e2e_has_window "Brennomix Launcher" || e2e_fail "the launcher window went away"
kill -0 "$E2E_LAUNCHER" 2>/dev/null || e2e_fail "the launcher ended"
cmp -s "$E2E_TMP/cfg.before" "$BRENNOMIX_HOME/Brennomix.cfg" ||
    e2e_fail "settings file written: $(cat -A "$BRENNOMIX_HOME/Brennomix.cfg")"
e2e_pass
