#!/bin/bash
# Special files where the launcher reads: lists that are a pipe and a link
# to /dev/zero, and the same as entries of an applications folder. F3 reads
# every list and walks the folder without waiting on any of them, and the
# program still ends at once on "/quit".
. "$(dirname "$0")/lib.sh"
e2e_setup

export XDG_DATA_HOME="$E2E_TMP/data"
export XDG_DATA_DIRS="$E2E_TMP/none"
apps="$XDG_DATA_HOME/applications"
mkdir -p "$apps"
mkfifo "$apps/pipe.desktop"
ln -s /dev/zero "$apps/zero.desktop"
printf '[Desktop Entry]\nType=Application\nName=Okay Thing\nExec=true\n' >"$apps/ok.desktop"

printf 'Pipe\t\t\t\t\t\r\nZero\t\t\t\t\t\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
mkfifo "$BRENNOMIX_HOME/mPipe.ini"
ln -s /dev/zero "$BRENNOMIX_HOME/mZero.ini"
printf 'Start Menu\r\n' >"$BRENNOMIX_HOME/Brennomix.cfg"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher")
e2e_keys "$win" F3
# The two lines of the top list and the three entries, each listed once.
e2e_wait 20 e2e_has_window 'Brennomix \(5 items found\.\)' ||
    e2e_fail "the index was not built; captions: $(xdotool getwindowname "$win")"
grep -q '^Okay Thing	ok.desktop	' "$BRENNOMIX_HOME/FsSearch.txt" || e2e_fail "entry not titled"
grep -q '^pipe.desktop	pipe.desktop	' "$BRENNOMIX_HOME/FsSearch.txt" || e2e_fail "pipe not listed"
e2e_log "index built past the pipes and devices"

# Waiting on a pipe would keep the program busy, refusing "/quit".
e2e_run_launcher /quit || e2e_fail "the second copy failed"
e2e_wait_exit "$E2E_LAUNCHER" 5
[ -p "$BRENNOMIX_HOME/mPipe.ini" ] || e2e_fail "the pipe list was replaced"
e2e_pass
