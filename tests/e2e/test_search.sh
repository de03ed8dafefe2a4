#!/bin/bash
# The file-system search with the real launcher: the settings name a tree of
# many files. F3 opens the search and builds the index (the caption says
# "Scanning..." and then counts the lines), typing part of a file name finds
# it, Enter runs it, and F3 closes the box again.
. "$(dirname "$0")/lib.sh"
e2e_setup

tree="$E2E_TMP/tree"
marker="$E2E_TMP/marker"
# Enough files that the walk takes a moment.
for d in $(seq 1 60); do
    mkdir -p "$tree/folder$d/inner"
    (cd "$tree/folder$d" && touch file{1..400}.txt && cd inner && touch doc{1..400}.odt)
done
cat >"$tree/folder7/inner/markme.sh" <<'SCRIPT'
#!/bin/sh
printf '%s\n' "$PWD" >"$MARKER.tmp" && mv "$MARKER.tmp" "$MARKER"
SCRIPT
chmod +x "$tree/folder7/inner/markme.sh"
export MARKER="$marker"
files=$(find "$tree" -type f | wc -l)

printf 'Editor\tgedit\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
# The first line of the settings file names the folders to index.
printf '%s\r\n' "$tree" >"$BRENNOMIX_HOME/Brennomix.cfg"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher")
sleep 1
# Every caption the window shows, as it changes.
stdbuf -oL xprop -spy -id "$win" WM_NAME >"$E2E_TMP/captions" 2>/dev/null &
E2E_PIDS="$E2E_PIDS $!"
sleep 0.3

e2e_keys "$win" F3
found="Brennomix ($((files + 1)) items found.)"
# Window titles are matched as patterns: the caption's brackets and dots
# stand for themselves.
found_re=$(printf '%s' "$found" | sed 's/[][().*^$+?{}|\\]/\\&/g')
e2e_wait 30 e2e_has_window "$found_re" || e2e_fail "no caption $found; captions: $(cat "$E2E_TMP/captions")"
grep -q 'Scanning\.\.\.' "$E2E_TMP/captions" || e2e_fail "no scanning caption: $(cat "$E2E_TMP/captions")"
e2e_log "index built: $found"
[ "$(wc -l <"$BRENNOMIX_HOME/FsSearch.txt")" = $((files + 1)) ] || e2e_fail "FsSearch.txt lines"
e2e_screenshot scanned "$win"

# Stay open, so that the window is still there after the run.
e2e_keys "$win" F5
xdotool type --delay 60 "markm"
sleep 0.5
e2e_screenshot typed "$win"
e2e_keys "$win" Return
e2e_wait_file "$marker" 10
[ "$(cat "$marker")" = "$tree/folder7/inner" ] || e2e_fail "ran in $(cat "$marker")"
e2e_log "the found file ran in its folder"

# F3 closes the box; the next Escape then closes the window (with the box
# still open it would only close the box).
e2e_keys "$win" F3
sleep 0.3
e2e_keys "$win" F5
e2e_keys "$win" Escape
e2e_wait_no_window "$found_re" 10
e2e_pass
