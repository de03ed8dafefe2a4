# Shared harness of the end-to-end tests: a private X server (Xvfb) with
# openbox and, when asked, a tray host, a fresh program folder and runtime
# folder, and helpers to drive the real launcher with xdotool.
#
# A test sources this file, calls e2e_setup, and uses the helpers; every
# process it started is stopped when the test exits.
#
# Environment given by CTest: BRENNOMIX_BIN (the launcher), XSHOT (the
# screenshot tool), E2E_OUT (folder for screenshots and logs).

set -u

E2E_PIDS=""
E2E_NAME=$(basename "$0" .sh)
: "${E2E_OUT:=/tmp/brennomix-e2e}"
mkdir -p "$E2E_OUT"

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }

e2e_fail() {
    e2e_log "FAIL: $*"
    e2e_screenshot "failure" || true
    # What the X server showed, for reading the failure from a CI log.
    e2e_log "active window: $(xdotool getactivewindow getwindowname 2>&1 | tr '\n' ' ')"
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        e2e_log "  shown: $w '$(xdotool getwindowname "$w" 2>/dev/null)'"
    done
    [ -n "${E2E_LAUNCHER_LOG:-}" ] && [ -f "$E2E_LAUNCHER_LOG" ] && sed 's/^/  launcher: /' "$E2E_LAUNCHER_LOG"
    exit 1
}

e2e_cleanup() {
    for pid in $E2E_PIDS; do kill "$pid" 2>/dev/null; done
    sleep 0.2
    for pid in $E2E_PIDS; do kill -9 "$pid" 2>/dev/null; done
    [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

# Waits until the command succeeds, polling; fails the test after $1 seconds.
# Its own deadline stays its own when the command waits in turn (a click
# retried until a menu shows): a shared one would end the outer wait early.
e2e_wait() {
    local timeout=$1 end
    shift
    end=$(($(date +%s%N) / 1000000 + timeout * 1000))
    while ! "$@" >/dev/null 2>&1; do
        [ $(($(date +%s%N) / 1000000)) -ge $end ] && return 1
        sleep 0.05
    done
    return 0
}

# Starts Xvfb on a display of its own choosing, openbox on it, and sets up
# fresh folders: BRENNOMIX_HOME (program folder) and XDG_RUNTIME_DIR.
e2e_setup() {
    E2E_TMP=$(mktemp -d /tmp/brennomix-e2e.XXXXXX)
    export BRENNOMIX_HOME="$E2E_TMP/home"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    export HOME="$E2E_TMP/user"
    export XDG_CONFIG_HOME="$HOME/.config"
    mkdir -p "$BRENNOMIX_HOME" "$XDG_RUNTIME_DIR" "$HOME"
    chmod 700 "$XDG_RUNTIME_DIR"
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY

    # Servers of tests running side by side can race for a display number;
    # the loser is started again.
    for attempt in 1 2 3; do
        e2e_start_x && break
        [ "$attempt" = 3 ] && e2e_fail "no X server with openbox: $(cat "$E2E_TMP/openbox.log")"
        e2e_log "X server $DISPLAY unusable, starting another"
    done
    e2e_log "display $DISPLAY, program folder $BRENNOMIX_HOME"
}

# Xvfb on a display of its own choosing, and openbox on it.
e2e_start_x() {
    rm -f "$E2E_TMP/displayfd"
    mkfifo "$E2E_TMP/displayfd"
    # Xvfb picks the first display number whose lock it can take, but two
    # servers starting at the same moment can both settle on one number and
    # then serve each other's clients. One server starts at a time.
    exec 9>"${TMPDIR:-/tmp}/brennomix-e2e-display.lock"
    flock 9
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -dpi 96 3>"$E2E_TMP/displayfd" \
        >"$E2E_TMP/xvfb.log" 2>&1 9>&- &
    xvfb=$!
    E2E_PIDS="$E2E_PIDS $xvfb"
    num=""
    read -r num <"$E2E_TMP/displayfd"
    export DISPLAY=":$num"
    up=0
    [ -n "$num" ] && e2e_wait 10 xdpyinfo && up=1
    flock -u 9
    exec 9>&-
    if [ "$up" = 1 ]; then
        openbox >"$E2E_TMP/openbox.log" 2>&1 &
        wm=$!
        E2E_PIDS="$E2E_PIDS $wm"
        e2e_wait 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' && return 0
        kill "$wm" 2>/dev/null
    fi
    kill "$xvfb" 2>/dev/null
    return 1
}

# A tray host at the bottom edge, for the notification-area icon.
e2e_start_tray() {
    trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel \
        --height 24 --transparent false --tint 0x303030 --SetDockType true --SetPartialStrut true \
        >"$E2E_TMP/trayer.log" 2>&1 &
    E2E_PIDS="$E2E_PIDS $!"
    e2e_wait 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null && xdotool search --class trayer' ||
        e2e_fail "trayer did not start"
}

# Waits until the tray host's strip is taken off the work area, for tests of
# windows placed by the work area.
e2e_wait_panel_strut() {
    panel_reserved() {
        h=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= *//p' | cut -d, -f4 | tr -d ' ')
        screen=$(xdpyinfo | sed -n 's/.*dimensions: *[0-9]*x\([0-9]*\).*/\1/p')
        [ -n "$h" ] && [ -n "$screen" ] && [ "$h" -lt "$screen" ]
    }
    e2e_wait 30 panel_reserved ||
        e2e_fail "the work area never left out the panel: $(xprop -root _NET_WORKAREA)"
}

# The work area (the screen less its panels): "x y width height".
e2e_work_area() { xprop -root _NET_WORKAREA | sed -n 's/.*= *//p' | tr -d ' ' | cut -d, -f1-4 | tr , ' '; }

# The launcher's icon in the tray host: its small window of the launcher's class.
e2e_tray_icon() {
    for w in $(xdotool search --classname brennomix 2>/dev/null); do
        read -r _ _ width height <<<"$(e2e_frame_geometry "$w")"
        [ "$width" -le 64 ] && [ "$height" -le 64 ] && echo "$w" && return 0
    done
    return 1
}

e2e_wait_tray_icon() {
    e2e_wait "${1:-10}" e2e_tray_icon || e2e_fail "no tray icon"
    e2e_tray_icon
}

# Clicks button $2 (1 left, 3 right) on the launcher's tray icon.
e2e_click_tray_icon() { xdotool mousemove --window "$1" 5 5 click "$2"; }

# Starts the launcher with the given arguments; E2E_LAUNCHER is its pid.
e2e_start_launcher() {
    E2E_LAUNCHER_LOG="$E2E_TMP/launcher.$(date +%s%N).log"
    "$BRENNOMIX_BIN" "$@" >"$E2E_LAUNCHER_LOG" 2>&1 &
    E2E_LAUNCHER=$!
    E2E_PIDS="$E2E_PIDS $E2E_LAUNCHER"
}

# Runs the launcher in the foreground (a second copy) and returns its status.
e2e_run_launcher() {
    timeout 20 "$BRENNOMIX_BIN" "$@" >>"$E2E_TMP/second.log" 2>&1
}

# The id of the visible window whose title is exactly $1, if any.
e2e_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }

e2e_has_window() { [ -n "$(e2e_window "$1")" ]; }

e2e_wait_window() {
    e2e_wait "${2:-10}" e2e_has_window "$1" || e2e_fail "no window titled '$1'"
    e2e_window "$1"
}

e2e_wait_no_window() {
    e2e_wait "${2:-10}" sh -c "! xdotool search --onlyvisible --name '^$1\$'" ||
        e2e_fail "window '$1' still shown"
}

# Answers the message box titled "Brennomix" with Enter.
e2e_dismiss_message() {
    w=$(e2e_wait_window "Brennomix" "${1:-10}")
    xdotool windowactivate --sync "$w" key --clearmodifiers Return
    e2e_wait 10 sh -c "! xdotool search --onlyvisible --name '^Brennomix\$'" ||
        e2e_fail "message box did not close"
}

# Keys to a window after making it the active one.
e2e_keys() {
    w=$1
    shift
    xdotool windowactivate --sync "$w" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers "$@"
}


# Closes a window the way a user does: Alt+F4 to the window manager. On a
# loaded machine the window manager now and then drops the key while it is
# still settling the focus on a window that has just been mapped; the key is
# pressed again when nothing happened: the window is still shown and still
# the active one (a question it asked would be the active window instead).
e2e_close_window() {
    for attempt in 1 2 3; do
        e2e_keys "$1" alt+F4
        e2e_wait 3 sh -c "! xwininfo -id '$1' 2>/dev/null | grep -q IsViewable || \
            [ \"\$(xdotool getactivewindow 2>/dev/null)\" != '$1' ]" && return 0
        e2e_log "Alt+F4 went unnoticed (attempt $attempt)"
    done
    return 0
}

e2e_process_gone() { ! kill -0 "$1" 2>/dev/null; }

e2e_wait_exit() {
    e2e_wait "${2:-10}" e2e_process_gone "$1" || e2e_fail "process $1 did not end"
}

e2e_wait_file() { e2e_wait "${2:-10}" test -e "$1" || e2e_fail "no file $1"; }

# The outer rectangle of window $1, its window manager's frame included:
# "x y width height" in pixels. (xdotool's geometry of a framed window is
# off by the frame's offset, so the X server is asked directly.)
e2e_frame_geometry() {
    info=$(xwininfo -id "$1") || return 1
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/^ *Width: *//p')
    h=$(echo "$info" | sed -n 's/^ *Height: *//p')
    ext=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
    fl=0 fr=0 ft=0 fb=0
    [ -n "$ext" ] && IFS=, read -r fl fr ft fb <<<"$ext"
    echo "$((x - fl)) $((y - ft)) $((w + fl + fr)) $((h + ft + fb))"
}

# Writes a PNG of the screen (or of window $2) to the output folder.
e2e_screenshot() {
    file="$E2E_OUT/$E2E_NAME-$1.png"
    if [ $# -ge 2 ]; then
        read -r X Y WIDTH HEIGHT <<<"$(e2e_frame_geometry "$2")"
        "$XSHOT" "$file" "$X" "$Y" "$WIDTH" "$HEIGHT" 2>/dev/null
    else
        "$XSHOT" "$file" 2>/dev/null
    fi && e2e_log "screenshot $file"
}

e2e_pass() { e2e_log "PASS"; exit 0; }
