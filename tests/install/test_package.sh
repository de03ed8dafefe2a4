#!/bin/bash
# The Debian package of the build: it holds exactly the files an install
# under /usr puts in place, and names the packages it depends on, found from
# the shared libraries it links.
#
# Environment given by CTest: BUILD_DIR (the build to package).
set -u
tmp=$(mktemp -d /tmp/brennomix-package.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$tmp/cpack.log")"
deb=$(ls "$tmp"/out/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no package made: $(cat "$tmp/cpack.log")"
echo "package $(basename "$deb")"

DESTDIR="$tmp/dest" cmake --install "$BUILD_DIR" --prefix /usr >"$tmp/install.log" 2>&1 ||
    fail "install failed: $(cat "$tmp/install.log")"
(cd "$tmp/dest" && find . ! -type d | sed 's|^\.||' | sort) >"$tmp/installed"
# dpkg-deb lists "./usr/bin/brennomix" and, for a link, "name -> target".
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\.||' | sort >"$tmp/packaged"
diff -u "$tmp/installed" "$tmp/packaged" >"$tmp/diff" ||
    fail "the package's files differ from the installed ones:
$(cat "$tmp/diff")"
echo "$(wc -l <"$tmp/packaged") files, as installed"

# Debian policy: the package's copyright file, in the machine-readable format.
grep -qx '^/usr/share/doc/brennomix/copyright' "$tmp/packaged" ||
    fail "the package has no /usr/share/doc/brennomix/copyright"
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/brennomix/copyright |
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable format"

info=$(dpkg-deb --info "$deb")
depends=$(echo "$info" | sed -n 's/^ *Depends: *//p')
[ -n "$depends" ] || fail "the package names no dependencies:
$info"
echo "Depends: $depends"
# From the libraries it links (found by dpkg-shlibdeps), and the run-time
# plugin that no library names.
for needed in libc6 libqt6core6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins; do
    echo "$depends" | grep -Eq "(^|, )$needed( |,|$)" || fail "the package does not depend on $needed"
done
echo "$info" | grep -q '^ *Architecture: *[a-z0-9]' || fail "the package names no architecture"
echo PASS
