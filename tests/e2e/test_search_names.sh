#!/bin/bash
# A file name is never fields of an index line. A file in an indexed folder
# named "Browser<TAB>sh<TAB><TAB>-c 'touch <marker>'" would otherwise become
# the program "sh" with those arguments: F3, "browser", Enter must run only
# the harmless script found below it, and the forged command never.
. "$(dirname "$0")/lib.sh"
e2e_setup

tree="$E2E_TMP/tree"
# A file name holds no "/": the forged command makes its marker in the home
# folder.
pwned="$HOME/pwned"
safe="$E2E_TMP/safe"
mkdir -p "$tree/inner"
touch "$tree/$(printf "Browser\tsh\t\t-c 'cd; touch pwned'")" || e2e_fail "no hostile file"
cat >"$tree/inner/browser-safe.sh" <<'SCRIPT'
#!/bin/sh
touch "$SAFE_MARKER.tmp" && mv "$SAFE_MARKER.tmp" "$SAFE_MARKER"
SCRIPT
chmod +x "$tree/inner/browser-safe.sh"
export SAFE_MARKER="$safe"

printf 'Editor\tgedit\r\n' >"$BRENNOMIX_HOME/Brennomix.ini"
printf '%s\r\n' "$tree" >"$BRENNOMIX_HOME/Brennomix.cfg"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher")

e2e_keys "$win" F3
e2e_wait 30 e2e_has_window 'Brennomix \([0-9]+ items found\.\)' || e2e_fail "index not built"

# Files come before subfolders: a forged line would be the first found.
xdotool type --delay 60 "browser"
e2e_keys "$win" Return
ran_something() { [ -e "$safe" ] || [ -e "$pwned" ]; }
e2e_wait 10 ran_something || e2e_fail "Enter ran nothing"
[ -e "$pwned" ] && e2e_fail "the forged command ran"
grep -q pwned "$BRENNOMIX_HOME/FsSearch.txt" && e2e_fail "hostile name indexed"
e2e_log "only the harmless file ran"
e2e_pass
