#!/bin/bash
# Running an entry with the real launcher: the top list holds an entry for a
# script that records its arguments and working directory. Pressing "1"
# starts it detached and closes the window; with stay-open (F5) the window
# stays.
. "$(dirname "$0")/lib.sh"
e2e_setup

apps="$E2E_TMP/apps"
work="$E2E_TMP/work dir"
marker="$E2E_TMP/marker"
mkdir -p "$apps" "$work"
cat >"$apps/mark.sh" <<'SCRIPT'
#!/bin/sh
printf '%s|%s|%s\n' "$PWD" "$1" "$2" >"$MARKER.tmp" && mv "$MARKER.tmp" "$MARKER"
# Still running well after the launcher has gone.
sleep 2
echo alive >>"$MARKER"
SCRIPT
chmod +x "$apps/mark.sh"
export MARKER="$marker"
printf 'Marker\t%s\t%s/\tfirst "second arg"\r\nOther\tother\r\n' "$apps/mark.sh" "$work" \
    >"$BRENNOMIX_HOME/Brennomix.ini"
expected="$work|first|second arg"

# Keys are taken from the first tick on, 250 ms after start.
ready_window() {
    w=$(e2e_wait_window "Brennomix Launcher")
    sleep 1
    echo "$w"
}

e2e_start_launcher
win=$(ready_window)
e2e_screenshot before "$win"
e2e_keys "$win" 1
e2e_wait_file "$marker" 10
[ "$(head -n 1 "$marker")" = "$expected" ] || e2e_fail "marker holds: $(cat "$marker")"
e2e_wait_no_window "Brennomix Launcher" 10
e2e_log "window closed after the run"
e2e_wait 10 grep -q alive "$marker" || e2e_fail "the started program did not live on"
kill -0 "$E2E_LAUNCHER" 2>/dev/null && kill "$E2E_LAUNCHER"

# Stay-open: the window stays after the run.
rm -f "$marker"
e2e_start_launcher
win=$(ready_window)
e2e_keys "$win" F5
e2e_keys "$win" 1
e2e_wait_file "$marker" 10
[ "$(head -n 1 "$marker")" = "$expected" ] || e2e_fail "marker holds: $(cat "$marker")"
sleep 1
e2e_has_window "Brennomix Launcher" || e2e_fail "the window closed although stay-open is on"
e2e_screenshot stay-open "$win"
e2e_close_window "$win"
e2e_wait_no_window "Brennomix Launcher" 10
e2e_pass
