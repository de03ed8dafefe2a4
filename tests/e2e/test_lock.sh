#!/bin/bash
# "/lock" locks the session with loginctl; when neither loginctl nor
# xdg-screensaver can lock, a message says so.
. "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_tray
printf 'one\tone.exe\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Desktop;My Documents;Start Menu\r\nHotkey=K\r\n' >"$BRENNOMIX_HOME/Brennomix.cfg"
stubs="$E2E_TMP/bin"
mkdir -p "$stubs"
record="$E2E_TMP/loginctl.calls"
printf '#!/bin/sh\necho "$*" >>"%s"\nexit ${LOCK_STATUS:-0}\n' "$record" >"$stubs/loginctl"
printf '#!/bin/sh\nexit 1\n' >"$stubs/xdg-screensaver"
chmod +x "$stubs/loginctl" "$stubs/xdg-screensaver"
export PATH="$stubs:$PATH"

e2e_start_launcher
e2e_wait_window "Brennomix Launcher" 15 >/dev/null
e2e_run_launcher /lock || e2e_fail "the second copy failed"
e2e_wait_file "$record"
[ "$(cat "$record")" = "lock-session" ] || e2e_fail "loginctl called with: $(cat "$record")"
sleep 0.5
e2e_has_window "Brennomix" && e2e_fail "a message after a lock that worked"
kill "$E2E_LAUNCHER"
e2e_wait_exit "$E2E_LAUNCHER"

# A launcher whose lockers fail says so.
export LOCK_STATUS=1
e2e_start_launcher
e2e_wait_window "Brennomix Launcher" 15 >/dev/null
e2e_run_launcher /lock || e2e_fail "the second copy failed"
msg=$(e2e_wait_window "Brennomix" 10)
e2e_screenshot failed "$msg"
e2e_dismiss_message
[ "$(wc -l <"$record")" -eq 2 ] || e2e_fail "loginctl calls: $(cat "$record")"
e2e_pass
