#!/bin/bash
# "/123" from a second copy runs entry 1 of the shown list; entry 1 is a
# sublist, so the window stays and entry 2 of that sublist runs; running a
# program closes the window, so the digit 3 is skipped.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup

M="$E2E_TMP/markers"
mkdir -p "$M"
write_list Brennomix "sub" "top two	/usr/bin/touch		$M/t2" "top three	/usr/bin/touch		$M/t3"
write_list msub "one	/usr/bin/touch		$M/s1" "two	/usr/bin/touch		$M/s2" \
    "three	/usr/bin/touch		$M/s3"
start_first_copy

e2e_run_launcher /123 || e2e_fail "the second copy with '/123' failed"
e2e_wait 10 test -e "$M/s2" || e2e_fail "entry 2 of the sublist did not run; markers: $(ls "$M")"
sleep 1
[ "$(ls "$M")" = "s2" ] || e2e_fail "other entries ran too: $(ls "$M" | tr '\n' ' ')"
e2e_wait_no_window "Brennomix sub" 5
e2e_pass
