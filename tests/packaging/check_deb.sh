#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a configured build in a temporary folder and checks that it
# holds the installed files under /usr, declares its computed library dependencies, carries the
# program stripped, passes lintian without errors, and that the program it carries starts.
# Usage: check_deb.sh <build-dir> <app-id>
set -euo pipefail
build="$(cd "$1" && pwd)"
id="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

deb=$("$(dirname "$0")/../../scripts/make-deb.sh" "$build" "$work") || fail "no package built"

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tintaro ./usr/libexec/tintaro/tintaro-open-page \
    ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/icons/hicolor/48x48/apps/$id.png \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/doc/tintaro/copyright \
    ./usr/share/doc/tintaro/changelog.Debian.gz; do
    grep -q " $path\$" <<<"$contents" || fail "package lacks $path"
done
grep -q " ./usr/share/man/man1/tintaro.1.gz\$" <<<"$contents" || fail "package lacks the man page"

info=$(dpkg-deb -I "$deb")
grep -q '^ Package: tintaro$' <<<"$info" || fail "package name is not tintaro"
grep -q '^ Maintainer: The Tintaro developers <dev@tintaro.invalid>$' <<<"$info" ||
    fail "wrong maintainer"
depends=$(grep '^ Depends:' <<<"$info") || fail "no Depends line"
# Computed from the binary's libraries, so Qt's widgets and the C library must appear.
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks Qt Widgets: $depends"
grep -q 'libc6' <<<"$depends" || fail "Depends lacks libc6: $depends"
# Without the metric-compatible face the fixed layouts cut their texts.
grep -q 'fonts-liberation | fonts-liberation2' <<<"$depends" || fail "Depends lacks the fonts: $depends"

# Errors only: the remaining warnings are about uploading to Debian's archive, which this
# package is not built for.
lint=$(lintian --fail-on error "$deb" 2>&1) || fail "lintian: $lint"

# The unpacked program must start and keep running on an empty prefix (it has no way to quit
# by itself while its windows are open), so `timeout` ending it is the success case.
dpkg-deb -x "$deb" "$work/root"
readelf -S "$work/root/usr/bin/tintaro" | grep -q '\.symtab' && fail "usr/bin/tintaro is not stripped"
mkdir -p "$work/prefix"
set +e
WINEPREFIX="$work/prefix" QT_QPA_PLATFORM=offscreen timeout 3 "$work/root/usr/bin/tintaro" \
    >"$work/run.log" 2>&1
rc=$?
set -e
[ $rc -eq 124 ] || { cat "$work/run.log" >&2; fail "packaged tintaro exited with $rc"; }

echo "$(basename "$deb"):$depends"
