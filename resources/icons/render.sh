#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Regenerates the icon's PNG sizes from tintaro.svg. Needs ImageMagick's convert with an SVG
# reader (rsvg-convert from librsvg2-bin as its delegate). Run it after editing the SVG and
# commit the PNGs: the build installs them as they are.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
sizes=(16 22 24 32 48 64 128 256)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Render once at the drawing's own 256 px, then scale down with a sharp filter: small sizes
# stay crisp and every size shows the same picture.
/usr/bin/convert -background none "$here/tintaro.svg" "PNG32:$work/master.png"
mkdir -p "$here/png"
for s in "${sizes[@]}"; do
    # -strip drops the time stamps so an unchanged SVG gives byte-identical PNGs.
    /usr/bin/convert "$work/master.png" -filter Lanczos -resize "${s}x${s}" -strip \
        "PNG32:$here/png/tintaro-$s.png"
done
# The program's window icons, as raw RGBA pixels that it shows at start without decoding.
for s in 16 32 48; do
    /usr/bin/convert "$here/png/tintaro-$s.png" -depth 8 "RGBA:$here/../../app/artwork/icon$s.rgba"
done
echo "Rendered ${sizes[*]} px into $here/png"
