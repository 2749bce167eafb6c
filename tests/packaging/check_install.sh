#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs a configured build into a temporary prefix (no root needed) and checks what a desktop
# needs to find Tintaro there: the program, its desktop entry, every icon size and the metainfo,
# that the entry, the icons and the metainfo agree on the application id, and that the installed
# entry and metainfo pass desktop-file-validate and appstreamcli, and that the licence, the
# changelog and the release named in the metainfo belong to this version.
# Usage: check_install.sh <build-dir> <app-id> <version>
set -euo pipefail
build="$1"
id="$2"
version="$3"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/tintaro" ] || fail "bin/tintaro missing or not executable"
# The program looks for the page opener at ../libexec/tintaro from its own folder.
[ -x "$prefix/libexec/tintaro/tintaro-open-page" ] || fail "libexec/tintaro/tintaro-open-page missing"
desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -f "$desktop" ] || fail "share/applications/$id.desktop missing"
[ -f "$metainfo" ] || fail "share/metainfo/$id.metainfo.xml missing"

# A PNG's width and height are the big-endian words at bytes 16 and 20 of its header.
png_size() {
    local w h
    w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    echo "${w}x${h}"
}
for s in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${s}x${s}/apps/$id.png"
    [ -f "$png" ] || fail "icon ${s}x${s} missing"
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "icon ${s}x${s} is not a PNG"
    got=$(png_size "$png")
    [ "$got" = "${s}x${s}" ] || fail "icon in ${s}x${s} is $got"
done
svg="$prefix/share/icons/hicolor/scalable/apps/$id.svg"
[ -f "$svg" ] || fail "scalable icon missing"
grep -q '<svg' "$svg" || fail "scalable icon is not SVG"

grep -qx "Icon=$id" "$desktop" || fail "desktop entry does not name the icon $id"
grep -qx "Exec=tintaro" "$desktop" || fail "desktop entry does not start tintaro"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch $id.desktop"

grep -q "<project_license>MIT</project_license>" "$metainfo" || fail "metainfo lacks the licence"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
doc="$prefix/share/doc/tintaro"
grep -qx "License: MIT" "$doc/copyright" || fail "share/doc/tintaro/copyright missing or not MIT"
head -n 1 <(gzip -dc "$doc/changelog.Debian.gz") | grep -q "^tintaro ($version-" ||
    fail "changelog.Debian.gz missing or its latest entry is not $version"
gzip -t "$prefix/share/man/man1/tintaro.1.gz" || fail "share/man/man1/tintaro.1.gz missing"

# The desktop's own validators, on the files as installed. desktop-file-validate succeeds on
# mere hints, so any output counts as a failure.
out=$(desktop-file-validate --warn-kde "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net --explain "$metainfo" >&2 || fail "appstreamcli validate"

echo "install layout OK under a temporary prefix"
