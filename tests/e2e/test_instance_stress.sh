#!/bin/bash
# 200 second copies, 20 at a time, each asking the running copy to run a
# command that appends to a marker file of its own: every copy is answered,
# every marker appears exactly once, and the first copy still answers.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup

write_top_and_tools
start_first_copy

M="$E2E_TMP/markers"
mkdir -p "$M"
failed=0
for batch in $(seq 0 9); do
    pids=""
    for k in $(seq 1 20); do
        i=$((batch * 20 + k))
        timeout 60 "$BRENNOMIX_BIN" "/r /sh -c \"echo $i >> $M/m$i\"" >>"$E2E_TMP/second.log" 2>&1 &
        pids="$pids $!"
    done
    for p in $pids; do wait "$p" || failed=$((failed + 1)); done
done
[ "$failed" -eq 0 ] || e2e_fail "$failed of 200 second copies were not answered"
e2e_process_gone "$E2E_LAUNCHER" && e2e_fail "the first copy is gone"

e2e_run_launcher mtools || e2e_fail "the first copy no longer answers"
wait_window "Brennomix tools" 10
[ "$(launcher_windows)" -eq 1 ] || e2e_fail "more than one launcher window"

count() { ls "$M" | wc -l; }
e2e_wait 60 sh -c "[ \$(ls '$M' | wc -l) -ge 200 ]" || e2e_fail "only $(count) of 200 markers appeared"
sleep 1
for i in $(seq 1 200); do
    [ "$(cat "$M/m$i" 2>/dev/null)" = "$i" ] || e2e_fail "marker $i: '$(cat "$M/m$i" 2>/dev/null)'"
done
e2e_pass
