#!/bin/bash
# The program as a user gets it: installed into a temporary DESTDIR under
# /usr, its menu entry, software-centre description and manual page pass
# their validators, the executable finds its window module through its
# RUNPATH, and the installed program, started from the installed tree,
# shows its window with the installed icon.
#
# Environment given by CTest: BUILD_DIR (the build to install) and what the
# end-to-end harness needs.
. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup

dest="$E2E_TMP/dest"
DESTDIR="$dest" cmake --install "$BUILD_DIR" --prefix /usr >"$E2E_TMP/install.log" 2>&1 ||
    e2e_fail "install failed: $(cat "$E2E_TMP/install.log")"
usr="$dest/usr"

desktop-file-validate "$usr/share/applications/brennomix.desktop" ||
    e2e_fail "the menu entry does not validate"
appstreamcli validate-tree --no-net "$dest" >"$E2E_TMP/appstream.log" 2>&1 ||
    e2e_fail "the AppStream metadata does not validate: $(cat "$E2E_TMP/appstream.log")"
metainfo=$(ls "$usr"/share/metainfo/*.metainfo.xml)
grep -q '<launchable type="desktop-id">brennomix.desktop</launchable>' "$metainfo" ||
    e2e_fail "the AppStream metadata does not name the menu entry"

# The manual page formats without a warning (and has a NAME line that
# whatis/apropos can index).
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$usr/share/man/man1/brennomix.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || e2e_fail "the manual page warns: $warnings"
man -l "$usr/share/man/man1/brennomix.1.gz" 2>/dev/null | grep -q "brennomix - " ||
    e2e_fail "the manual page has no NAME line"

# The module is not beside the executable: only the RUNPATH leads to it.
[ ! -e "$usr/bin/libbrennomix_ui.so" ] || e2e_fail "the module was installed beside the program"
[ -f "$usr/lib/brennomix/libbrennomix_ui.so" ] || ls "$usr"/lib/*/brennomix/libbrennomix_ui.so >/dev/null ||
    e2e_fail "no module in a private library folder"
readelf -d "$usr/bin/brennomix" | grep -q 'RUNPATH.*\$ORIGIN/\.\./lib' ||
    e2e_fail "the program's RUNPATH does not lead to its module: $(readelf -d "$usr/bin/brennomix" | grep -i path)"

# The installed icon is recoloured here, so that the window shows it rather
# than the copy built into the program: its background becomes pure green.
sed -i 's/#b40000/#00ff00/g' "$usr/share/icons/hicolor/scalable/apps/brennomix.svg"
green=$((0xff00ff00))

BRENNOMIX_BIN="$usr/bin/brennomix"
e2e_start_launcher
e2e_dismiss_message 15
win=$(e2e_wait_window "Brennomix Launcher" 15)
e2e_screenshot shown "$win"
# The icon follows the first painting of the window.
e2e_wait 10 sh -c "xprop -id $win _NET_WM_ICON | grep -q '='" || e2e_fail "the window has no icon"
# The icon's pixels as numbers (0xAARRGGBB), not xprop's picture of them.
icon=$(xprop -id "$win" -f _NET_WM_ICON 32c _NET_WM_ICON | sed -n 's/^[^=]*= *//p')
[ -n "$icon" ] || e2e_fail "the window has no icon"
echo "$icon" | tr -d ' ' | tr ',' '\n' | grep -qx "$green" ||
    e2e_fail "the window does not show the installed icon"

e2e_keys "$win" F7
e2e_close_window "$win"
e2e_wait_exit "$E2E_LAUNCHER" 10
e2e_pass
