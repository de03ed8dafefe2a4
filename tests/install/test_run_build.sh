#!/bin/bash
# `make run` on a fresh clone builds the program alone, in Release: the
# build folder it configures has no test targets, and building what it runs
# compiles no test source.
#
# Environment given by CTest: SOURCE_DIR (the project).
set -u
tmp=$(mktemp -d /tmp/brennomix-runbuild.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# The make running these tests must not hand its job server down.
unset MAKEFLAGS MAKELEVEL MFLAGS
# The Makefile's own configure step, into a folder no build has touched.
make --no-print-directory -C "$SOURCE_DIR" release-configure RELEASE_BUILD="$tmp/build" \
    >"$tmp/configure.log" 2>&1 || fail "configure failed: $(cat "$tmp/configure.log")"
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$tmp/build/CMakeCache.txt" || fail "not a Release build"

targets=$(ninja -C "$tmp/build" -t targets all)
echo "$targets" | grep -Ei '(_tests|gtest|testsupport)' && fail "test targets are configured"

# What `make run` builds, without building it.
target=$(make --no-print-directory -n -s -C "$SOURCE_DIR" run RELEASE_BUILD="$tmp/build" |
    sed -n 's/.*cmake --build .* --target \([^ ]*\).*/\1/p')
[ -n "$target" ] || fail "make run builds no named target"
commands=$(ninja -C "$tmp/build" -t commands "$target")
[ -n "$commands" ] || fail "nothing to build for the program"
echo "$commands" | grep -E -- '-c [^ ]*(/tests/|gtest)' && fail "building the program compiles tests"
echo "$(echo "$commands" | grep -c -- ' -c ') compile steps, none of a test"
echo PASS
