#!/bin/bash
# Makes docs/screenshot.png, the README's picture of the main window, with
# the end-to-end harness and its screenshot tool: the launcher from the
# build folder, on a private X server, showing an example top list.
#
#   scripts/screenshot.sh [build folder]    (default: build)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
export BRENNOMIX_BIN="$build/brennomix" XSHOT="$build/tests/e2e/xshot" E2E_OUT="$build/e2e-output"
[ -x "$BRENNOMIX_BIN" ] && [ -x "$XSHOT" ] || {
    echo "screenshot: build the launcher and the test tools first (make build)" >&2
    exit 1
}
. "$root/tests/e2e/lib.sh"
e2e_setup

tab=$'\t'
{
    printf 'Terminal%sx-terminal-emulator\r\n' "$tab"
    printf 'Files%s%s\r\n' "$tab" "$HOME"
    printf 'Text editor%snotepad.exe\r\n' "$tab"
    printf 'Web browser%sIExplore.exe\r\n' "$tab"
    printf 'Debian news%shttps://www.debian.org/News/%s%s%s0,110,0%s\r\n' "$tab" "$tab" "$tab" "$tab" "$tab"
    printf 'tools\r\n'
    printf 'games\r\n'
    printf 'Calculator%scalc.exe%s%s%s%sBold\r\n' "$tab" "$tab" "$tab" "$tab" "$tab"
} >"$BRENNOMIX_HOME/Brennomix.ini"

e2e_start_launcher
win=$(e2e_wait_window "Brennomix Launcher" 15)
# The selection moves off the first row so the picture shows a picked entry.
e2e_keys "$win" Down Down
sleep 0.5
e2e_screenshot main "$win" || e2e_fail "no screenshot"
cp "$E2E_OUT/screenshot-main.png" "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png"
e2e_keys "$win" F7
e2e_close_window "$win"
e2e_wait_exit "$E2E_LAUNCHER" 10
