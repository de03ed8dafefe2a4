#!/bin/bash
# Many copies at once. 50 started together on an empty runtime folder:
# exactly one stays and every other one hands its word over; after kill -9
# of that copy the next start becomes the first copy within a second. Then
# 200 second copies, 20 at a time, each ask the running copy to run a
# command that appends to a marker file of its own: every copy is answered,
# every marker appears exactly once, and the first copy still answers.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup

write_top_and_tools
M="$E2E_TMP/markers"
mkdir -p "$M"
[ -z "$(ls -A "$XDG_RUNTIME_DIR")" ] || e2e_fail "the runtime folder is not empty"

pids=""
for i in $(seq 1 50); do
    "$BRENNOMIX_BIN" "/r /sh -c \"echo $i >> $M/r$i\"" >>"$E2E_TMP/race.log" 2>&1 &
    pids="$pids $!"
done
E2E_PIDS="$E2E_PIDS $pids"

alive() { for p in $pids; do kill -0 "$p" 2>/dev/null && echo "$p"; done; }
e2e_wait 60 sh -c "[ \$(for p in $pids; do kill -0 \$p 2>/dev/null && echo \$p; done | wc -l) -le 1 ]" ||
    e2e_fail "$(alive | wc -l) copies still run"
first=$(alive)
[ "$(echo "$first" | wc -w)" -eq 1 ] || e2e_fail "copies left running: '$first'"
failed=0
for p in $pids; do
    [ "$p" = "$first" ] && continue
    wait "$p" || failed=$((failed + 1))
done
[ "$failed" -eq 0 ] || e2e_fail "$failed of 49 second copies could not hand their word over"
[ "$(link_lock_pid)" = "$first" ] || e2e_fail "the lock does not name the copy that runs"
wait_window "Brennomix Launcher" 30
[ "$(launcher_windows)" -eq 1 ] || e2e_fail "more than one launcher window"
e2e_wait 60 sh -c "[ \$(ls '$M' | wc -l) -ge 49 ]"
markers=$(ls "$M" | wc -l)

# A first copy killed outright leaves its lock and socket behind.
kill -9 "$first"
e2e_wait_exit "$first" 10
[ -n "$(link_socket)" ] || e2e_fail "expected the killed copy's socket to remain"
e2e_start_launcher
e2e_wait 1 sh -c "[ \"\$(head -n 1 $XDG_RUNTIME_DIR/brennomix-*.lock 2>/dev/null)\" = $E2E_LAUNCHER ]" ||
    e2e_fail "the next start did not become the first copy within a second"
wait_window "Brennomix Launcher" 30
e2e_run_launcher mtools || e2e_fail "the new first copy does not answer"
wait_window "Brennomix tools" 10

[ "$markers" -eq 49 ] || e2e_fail "$markers of 49 words were acted on"
for f in "$M"/*; do
    [ "$(wc -l <"$f")" -eq 1 ] || e2e_fail "$(basename "$f") was run $(wc -l <"$f") times"
done

M="$E2E_TMP/stress"
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
