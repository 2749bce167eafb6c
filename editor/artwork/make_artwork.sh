#!/bin/sh
# SPDX-License-Identifier: MIT
# Regenerates the editor's artwork (committed beside this script) with ImageMagick.
# Usage: editor/artwork/make_artwork.sh   (from anywhere; writes next to itself)
set -eu
cd "$(dirname "$0")"
CONVERT=/usr/bin/convert
FONTS=/usr/share/fonts/truetype/liberation
BOLD=$FONTS/LiberationSans-Bold.ttf
REGULAR=$FONTS/LiberationSans-Regular.ttf
# Eight bits a channel: ImageMagick makes its gradients at 16, which no screen shows and which
# doubles the decoding each time the editor opens.
STRIP="-strip -define png:exclude-chunks=date,time -depth 8"

# Window background, 440 x 342: a soft wash of the window colour (#CFD8EF) with the title
# above the picker. The picker area (from y 79) is drawn over at load.
$CONVERT -size 440x342 gradient:'#E4EAF8'-'#CFD8EF' \
    -fill '#8E9CC4' -draw 'rectangle 10,60 430,61' \
    -font "$BOLD" -pointsize 26 -fill '#3B4A7A' -annotate +12+38 'Tintaro' \
    -font "$REGULAR" -pointsize 11 -fill '#55638F' -annotate +120+37 'el color de tus mensajes' \
    -fill '#E4EAF8' -stroke '#8E9CC4' -draw 'circle 404,30 404,14' \
    -stroke none -fill '#E0464E' -draw 'circle 398,25 398,19' \
    -fill '#F0B440' -draw 'circle 410,25 410,19' \
    -fill '#4A86D8' -draw 'circle 404,36 404,30' \
    $STRIP -alpha off PNG24:background.png

# Footer picture of Image1, 444 x 101: a darker band with the two captions and the sunken
# border of the sample text, which sits in it at (8, 32), 361 x 41.
$CONVERT -size 444x101 gradient:'#BFCBEA'-'#A9B8E0' \
    -fill '#8E9CC4' -draw 'rectangle 0,0 443,0' \
    -font "$BOLD" -pointsize 11 -fill '#2F3C66' -annotate +10+24 'Vista previa' \
    -annotate +383+22 'Aplicar' \
    -fill '#808080' -draw 'rectangle 7,31 369,31' -draw 'rectangle 7,31 7,73' \
    -fill '#FFFFFF' -draw 'rectangle 8,73 369,73' -draw 'rectangle 369,32 369,73' \
    $STRIP -alpha off PNG24:footer.png

# Apply button, 56 x 45: normal and highlighted.
button() {
    $CONVERT -size 56x45 xc:none \
        -fill "$2" -stroke "$3" -strokewidth 1 -draw 'roundrectangle 1,1 54,43 8,8' \
        -stroke none -fill "$4" -draw 'polygon 18,12 18,32 40,22' \
        $STRIP "PNG32:$1"
}
button apply_normal.png '#DCE3F5' '#6E7FB0' '#4B5B8C'
button apply_hover.png '#FFE9B8' '#D08A1C' '#C0392B'

# Window icon, 16 x 16: three overlapping colour drops.
$CONVERT -size 16x16 xc:none \
    -fill '#E0464E' -draw 'circle 5,5 5,1' \
    -fill '#F0B440' -draw 'circle 10,5 10,1' \
    -fill '#4A86D8' -draw 'circle 8,10 8,6' \
    $STRIP PNG32:icon16.png
