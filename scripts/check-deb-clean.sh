#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs Tintaro's Debian package on a freshly bootstrapped minimal Debian (bookworm) in a
# chroot, with apt resolving its dependencies from a Debian mirror, and starts the installed
# program there. It proves what the package test cannot on a developer's machine: that the
# package's declared dependencies are enough on a system that has nothing else.
# Needs root and a Debian mirror (about a minute and 300 MB); not part of CI.
# Usage: scripts/check-deb-clean.sh [BUILD_DIR]     (BUILD_DIR defaults to build/release)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$top/build/release}" && pwd)"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
[ "$(id -u)" -eq 0 ] || { echo "check-deb-clean.sh: run as root (debootstrap, chroot)" >&2; exit 2; }
[ -f "$build/CPackConfig.cmake" ] || { echo "check-deb-clean.sh: $build is not configured" >&2; exit 2; }
command -v debootstrap >/dev/null || apt-get install -y debootstrap >/dev/null

work="$(mktemp -d)"
cleanup() {
    umount "$work/root/proc" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

deb=$("$top/scripts/make-deb.sh" "$build" "$work/pkg") || fail "no package built"

echo "== bootstrapping a minimal Debian bookworm from $mirror"
debootstrap --variant=minbase bookworm "$work/root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log" >&2; fail "debootstrap failed"; }
cp /etc/resolv.conf "$work/root/etc/resolv.conf"
mount -t proc proc "$work/root/proc"
cp "$deb" "$work/root/tmp/"

echo "== installing $(basename "$deb") with apt"
in_root() { chroot "$work/root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }
in_root apt-get update -q >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; fail "apt-get update"; }
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" \
    >>"$work/apt.log" 2>&1 || { tail -n 30 "$work/apt.log" >&2; fail "apt-get install"; }
# shellcheck disable=SC2016 # a dpkg-query format, not a shell expansion
in_root dpkg-query -W -f='${Status}\n' tintaro | grep -qx 'install ok installed' ||
    fail "tintaro is not installed"
in_root test -f /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf ||
    in_root test -f /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf ||
    fail "the windows' font (Liberation Sans) was not installed"
missing=$(in_root ldd /usr/bin/tintaro | grep 'not found' || true)
[ -z "$missing" ] || fail "libraries missing: $missing"
# On a desktop the toolkit loads its X11 platform plug-in, which the binary does not link.
xcb=/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so
in_root test -f "$xcb" || fail "the X11 platform plug-in is not installed"
missing=$(in_root ldd "$xcb" | grep 'not found' || true)
[ -z "$missing" ] || fail "the X11 platform plug-in lacks libraries: $missing"

# The program has no way to quit by itself while its windows are open: `timeout` ending it is
# the success case, anything else (a crash, a missing plug-in) is a failure.
in_root mkdir -p /tmp/prefix
set +e
in_root env WINEPREFIX=/tmp/prefix QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/tintaro \
    >"$work/run.log" 2>&1
rc=$?
set -e
[ $rc -eq 124 ] || { cat "$work/run.log" >&2; fail "installed tintaro exited with $rc"; }
echo "check-deb-clean.sh: $(basename "$deb") installs on a clean Debian bookworm and starts"
