#!/bin/bash
# The link is the user's alone: its socket may be used by the user only, a
# connection from another user is refused (whichever side the other user
# is on) and its words act on nothing, and garbage, oversized or cut-off
# messages are dropped while the link goes on serving.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/instance.sh"
e2e_setup

write_top_and_tools
start_first_copy
sock=$(link_socket)

mode=$(stat -c '%a %u' "$sock")
[ "$mode" = "700 $(id -u)" ] || e2e_fail "socket mode and owner: $mode"
mode=$(stat -c '%a %u' "$XDG_RUNTIME_DIR")
[ "$mode" = "700 $(id -u)" ] || e2e_fail "runtime folder mode and owner: $mode"

M="$E2E_TMP/markers"
mkdir -p "$M"
chmod 777 "$M"
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }

# Another user cannot reach this user's socket.
as_nobody "$LINKCLIENT" "$sock" aa "/r /touch $M/nobody"
rc=$?
[ "$rc" -eq 4 ] || e2e_fail "another user's client: status $rc"
as_nobody "$LINKCLIENT" "$sock" aa mtools
sleep 0.5
e2e_has_window "Brennomix Launcher" || e2e_fail "another user's word acted"

# Garbage, an oversized word and a cut-off message: dropped, unanswered.
printf 'GET / HTTP/1.0\r\n\r\n' | "$LINKCLIENT" --raw "$sock"
rc=$?
[ "$rc" -eq 2 ] || e2e_fail "garbage was answered: status $rc"
{ printf 'BRNMXLK1\0\0\0\2\0\0\0\2aa\0\1\0\0'; head -c 70000 /dev/zero | tr '\0' x; } |
    "$LINKCLIENT" --raw "$sock"
rc=$?
[ "$rc" -eq 2 ] || e2e_fail "an oversized word was answered: status $rc"
"$LINKCLIENT" --cut 3 "$sock" aa mtools
sleep 0.5
e2e_has_window "Brennomix Launcher" || e2e_fail "a dropped message acted"

# The link still serves its own user.
"$LINKCLIENT" "$sock" aa mtools || e2e_fail "the link stopped serving"
wait_window "Brennomix tools" 10

# The other way round: a first copy of another user refuses this user,
# even where the file system would let this user in.
chmod 711 "$E2E_TMP"
NB="$E2E_TMP/nobody"
install -d -o 65534 -g 65534 -m 700 "$NB" "$NB/home" "$NB/run" "$NB/user"
printf 'tool\ttool.exe\r\n' >"$NB/home/Brennomix.ini"
chown 65534:65534 "$NB/home/Brennomix.ini"
# (setpriv itself in the background, so that $! is the launcher's pid.)
setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$NB/user" BRENNOMIX_HOME="$NB/home" \
    XDG_RUNTIME_DIR="$NB/run" QT_QPA_PLATFORM=offscreen "$BRENNOMIX_BIN" >"$E2E_TMP/nobody.log" 2>&1 &
nobody_pid=$!
E2E_PIDS="$E2E_PIDS $nobody_pid"
e2e_wait 30 sh -c "ls '$NB/run'/brennomix-*.socket" || e2e_fail "the other user's copy never listened"
nsock=$(ls "$NB/run"/brennomix-*.socket)
[ "$(stat -c %u "$nsock")" = 65534 ] || e2e_fail "the other user's socket is not theirs"
"$LINKCLIENT" "$nsock" aa "/r /touch $M/root"
rc=$?
[ "$rc" -eq 4 ] || e2e_fail "a client sent its words to another user's socket: status $rc"
"$LINKCLIENT" --any-peer "$nsock" aa "/r /touch $M/root"
rc=$?
[ "$rc" -eq 2 ] || e2e_fail "another user's copy answered this user: status $rc"
as_nobody "$LINKCLIENT" "$nsock" aa "/r /touch $M/own" ||
    e2e_fail "the other user's copy does not answer its own user"
kill "$nobody_pid"
e2e_wait_exit "$nobody_pid" 10

sleep 1
[ -e "$M/nobody" ] && e2e_fail "another user's command ran"
[ -e "$M/root" ] && e2e_fail "a refused command ran"
e2e_pass
