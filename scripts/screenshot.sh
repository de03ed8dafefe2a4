#!/bin/bash
# Makes docs/screenshot.png, the README's picture of the main window, with
# the end-to-end harness and its screenshot tool: the launcher from the
# build folder, on a private X server, at its first start.
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

# A real first start: the launcher creates its top list, says so, and
# shows it in the bottom-right corner of the work area.
e2e_start_launcher
e2e_dismiss_message 15
win=$(e2e_wait_window "Brennomix Launcher" 15)
read -r WX WY WW WH <<<"$(e2e_work_area)"
cornered() {
    read -r x y w h <<<"$(e2e_frame_geometry "$win")" || return 1
    [ $((x + w)) -eq $((WX + WW)) ] && [ $((y + h)) -eq $((WY + WH)) ]
}
e2e_wait 10 cornered || e2e_fail "the window did not settle"
e2e_screenshot main "$win" || e2e_fail "no screenshot"
cp "$E2E_OUT/screenshot-main.png" "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png"
e2e_run_launcher /quit || e2e_fail "/quit was not handed over"
e2e_wait_exit "$E2E_LAUNCHER" 10
