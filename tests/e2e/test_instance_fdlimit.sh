#!/bin/bash
# The first copy runs with few descriptors, and more connections than that
# arrive and stay open: it cannot take them all, yet it keeps listening.
# Once they are gone, a second copy is answered by it, and no second full
# copy starts.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup

write_top_and_tools
write_list mgames "chess	chess.exe"
limit=64
usual=$(ulimit -Sn)
ulimit -Sn "$limit"
start_first_copy
ulimit -Sn "$usual"
sock=$(link_socket)
# Start-up has read its lists before the descriptors run out: a word
# handed over acts only once it is done.
e2e_run_launcher mtools || e2e_fail "the first hand-over failed"
wait_window "Brennomix tools" 20

"$LINKCLIENT" --hold $((limit + 40)) "$sock" >"$E2E_TMP/hold.log" 2>&1 &
holder=$!
E2E_PIDS="$E2E_PIDS $holder"
e2e_wait 20 grep -q held "$E2E_TMP/hold.log" || e2e_fail "could not open the connections"
# The first copy has taken connections until no descriptor was left.
fds() { ls "/proc/$E2E_LAUNCHER/fd" | wc -l; }
e2e_wait 20 sh -c "[ \$(ls /proc/$E2E_LAUNCHER/fd | wc -l) -ge $limit ]" ||
    e2e_fail "the first copy holds only $(fds) descriptors"
kill "$holder"
e2e_wait_exit "$holder"

[ -S "$sock" ] || e2e_fail "the first copy lost its socket"
e2e_run_launcher mgames || e2e_fail "the second copy failed"
wait_window "Brennomix games" 10
[ "$(launcher_windows)" -eq 1 ] || e2e_fail "more than one launcher window"
e2e_process_gone "$E2E_LAUNCHER" && e2e_fail "the first copy is gone"
e2e_pass
