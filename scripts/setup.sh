#!/bin/sh
# Installs the Debian packages the launcher needs to build, run and be
# tested, when any is missing. Uses sudo when not run as root.
set -eu

PACKAGES="cmake ninja-build g++ make pkg-config qt6-base-dev qt6-qpa-plugins libgtest-dev \
libx11-dev libxcb1-dev xvfb openbox trayer xdotool x11-utils clang-format \
qt6-svg-dev hicolor-icon-theme"
# Installing and packaging, and the checks of both: validators for the menu
# entry, the AppStream metadata and the manual page; dpkg-shlibdeps (with
# file) for the package's dependencies.
PACKAGES="$PACKAGES desktop-file-utils appstream man-db dpkg-dev file"
# The fuzz targets: clang with libFuzzer and the sanitizer runtimes.
PACKAGES="$PACKAGES clang libclang-rt-14-dev"
# "setup.sh bench": the tools the benchmarks compare against and probe
# with, needed by make bench only.
if [ "${1:-}" = bench ]; then
    PACKAGES="$PACKAGES rofi libxdamage-dev libxtst-dev dbus-daemon"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "setup: missing packages:$missing; run as root or install sudo" >&2
    exit 1
fi

echo "setup: installing$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
