#!/bin/bash
# The search across all lists finds entries on its first use in a run: an
# index file left by an earlier run is loaded by Ctrl+Space itself, so an
# entry of another list is found, and Enter runs it.
. "$(dirname "$0")/lib.sh"
e2e_setup

tree="$E2E_TMP/tree"
marker="$E2E_TMP/marker"
mkdir -p "$tree/bin"
cat >"$tree/bin/markme.sh" <<'SCRIPT'
#!/bin/sh
printf 'ran\n' >"$MARKER.tmp" && mv "$MARKER.tmp" "$MARKER"
SCRIPT
chmod +x "$tree/bin/markme.sh"
export MARKER="$marker"

printf 'Editor\tgedit\r\nTools\t\t\t\t\t\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf 'Zebra marker\tmarkme.sh\t%s/bin/\r\n' "$tree" >"$BRENNOMIX_HOME/mTools.ini"
printf '%s\r\n' "$tree/empty" >"$BRENNOMIX_HOME/Brennomix.cfg"
mkdir -p "$tree/empty"

# An earlier run: F3 builds the index, which holds every list's entries.
e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 20)
e2e_keys "$win" F3
e2e_wait 30 test -s "$BRENNOMIX_HOME/FsSearch.txt" || e2e_fail "no index written"
grep -q 'Zebra marker' "$BRENNOMIX_HOME/FsSearch.txt" || e2e_fail "the index lacks the entry"
e2e_run_launcher /quit || e2e_fail "the second copy failed"
e2e_wait_exit "$E2E_LAUNCHER" 10

# This run: no F3 before the search.
e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 20)
e2e_keys "$win" ctrl+space
e2e_wait 10 sh -c "xprop -id $win WM_NAME | grep -q 'items found'" ||
    e2e_fail "Ctrl+Space showed no results: $(xprop -id "$win" WM_NAME)"
# Keys are handled in order: Enter runs the first row the typed text left.
xdotool type --delay 60 "zebra"
e2e_keys "$win" Return
e2e_wait_file "$marker" 10
e2e_pass
