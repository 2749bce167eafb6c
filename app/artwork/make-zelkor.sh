#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Draws the main window's 96 x 96 picture: a cartoon figure on a blue ground, signed "Zelkor"
# in the lower-right corner. Run it again after changing it and commit the raw RGBA pixels it
# writes (the program shows them at start without decoding). The drawing passes through an
# 8-bit BMP, whose rounding of the gradient gives the committed pixels.
set -euo pipefail
cd "$(dirname "$0")"
font=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
/usr/bin/convert -size 96x96 gradient:'#3f7fe0-#123a8c' \
    -fill '#f4c48c' -stroke '#5a3010' -strokewidth 1.5 \
    -draw 'ellipse 44,34 20,21 0,360' \
    -fill '#5a3010' -stroke none \
    -draw 'path "M 24,30 Q 30,8 48,12 Q 64,14 66,32 Q 58,20 44,20 Q 32,20 24,30 Z"' \
    -fill white -stroke '#202020' -strokewidth 1 \
    -draw 'ellipse 37,34 5,6 0,360' -draw 'ellipse 52,34 5,6 0,360' \
    -fill '#202020' -stroke none \
    -draw 'circle 38,35 38,37' -draw 'circle 53,35 53,37' \
    -fill none -stroke '#8a2010' -strokewidth 2 \
    -draw 'arc 35,38 54,50 20,160' \
    -fill '#e8402a' -stroke '#5a1008' -strokewidth 1.5 \
    -draw 'path "M 20,96 Q 22,62 44,58 Q 66,62 68,96 Z"' \
    -fill '#f4c48c' -stroke '#5a3010' -strokewidth 1.5 \
    -draw 'ellipse 68,62 6,6 0,360' \
    -stroke '#e8402a' -strokewidth 5 -draw 'line 60,72 67,66' \
    -stroke none -fill white -font "$font" -pointsize 11 \
    -gravity southeast -annotate +3+2 'Zelkor' \
    -alpha off BMP3:- | /usr/bin/convert BMP3:- -depth 8 RGBA:zelkor.rgba
