#!/bin/bash
# Editing a list in the real launcher: F8 shows the edit bar (screenshot),
# Ctrl+Down twice moves the first entry to the third row, Ctrl+Alt+S saves
# the list (its file's bytes are checked), and F6 renames a sublist, whose
# list file is renamed beside it.
. "$(dirname "$0")/lib.sh"
e2e_setup

list="$BRENNOMIX_HOME/Brennomix.ini"
printf 'One\t/x/one\r\nTwo\t/x/two\r\nThree\t/x/three\r\nTools\r\n' >"$list"
printf 'hammer\thammer\r\n' >"$BRENNOMIX_HOME/mTools.ini"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher")
# Keys are taken from the first tick on, 250 ms after start.
sleep 1

e2e_keys "$win" F8
sleep 0.5
e2e_screenshot edit-mode "$win"

# The first row becomes the current one (whether or not the view already
# had one), then moves down twice.
e2e_keys "$win" Home
e2e_keys "$win" ctrl+Down
e2e_keys "$win" ctrl+Down
sleep 0.3
# Moves only mark the list changed; the file is as it was.
[ "$(head -c 3 "$list")" = "One" ] || e2e_fail "moving wrote the list: $(cat -A "$list")"
# The key acts on its release, with Ctrl and Alt still held, as a hand
# releases them (xdotool's "key" would let go of the modifiers first).
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
xdotool keydown --clearmodifiers ctrl+alt+s keyup s keyup alt keyup ctrl
expected=$(printf 'Two\t/x/two\t\t\t\t\r\nThree\t/x/three\t\t\t\t\r\nOne\t/x/one\t\t\t\t\r\nTools\t\t\t\t\t\r\n' | od -c)
saved_is_expected() { [ "$(od -c "$list")" = "$expected" ]; }
e2e_wait 10 saved_is_expected || e2e_fail "saved list: $(cat -A "$list")"
e2e_log "moved and saved"

# F6 on the sublist: a new name, and its file follows.
e2e_keys "$win" Down
e2e_keys "$win" F6
box=$(e2e_wait_window "Rename")
xdotool windowactivate --sync "$box" key --clearmodifiers ctrl+a
xdotool type --delay 20 "Kit"
xdotool key --clearmodifiers Return
e2e_wait 10 test -f "$BRENNOMIX_HOME/mKit.ini" || e2e_fail "the sublist's file was not renamed"
[ -e "$BRENNOMIX_HOME/mTools.ini" ] && e2e_fail "the old file is still there"
[ "$(cat "$BRENNOMIX_HOME/mKit.ini")" = "$(printf 'hammer\thammer\r')" ] ||
    e2e_fail "the renamed file changed: $(cat -A "$BRENNOMIX_HOME/mKit.ini")"
e2e_wait 10 grep -q "^Kit" "$list" || e2e_fail "the list does not name Kit: $(cat -A "$list")"
e2e_screenshot renamed "$win"

kill "$E2E_LAUNCHER"
e2e_pass
