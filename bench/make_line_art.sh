#!/bin/sh
# Draws the line-art test pictures of the potrace comparison and of the
# choice of vexilo-fit's default --max-length under --all: 640 x 480, black
# ink on white, anti-aliased as drawn, into the folder given (default
# ./line-art). Needs ImageMagick and the DejaVu fonts.
set -eu
out=${1:-line-art}
mkdir -p "$out"

# Text in three sizes: many small outlines with holes.
convert -size 640x480 xc:white -fill black -font DejaVu-Sans -pointsize 16 \
    -annotate +20+40 'The quick brown fox jumps over the lazy dog; 0123456789 (and a few more words).' \
    -annotate +20+64 'Pack my box with five dozen liquor jugs. Sphinx of black quartz, judge my vow!' \
    -font DejaVu-Serif -pointsize 34 -annotate +20+130 'Outlines & Curves, Bezier' \
    -annotate +20+180 'gjpqy @ %% # $ ? AKWXMN' \
    -font DejaVu-Sans-Bold -pointsize 72 -annotate +20+290 'Vexilo 42' \
    -font DejaVu-Serif-Italic -pointsize 56 -annotate +20+380 'ambergris & ox' \
    -font DejaVu-Sans -pointsize 22 -annotate +20+440 'hamburgefonstiv HAMBURGEFONSTIV' \
    "$out/text.png"

# Shapes: discs, rings, a star, rounded boxes, thick strokes and a long
# wavy band whose outline runs to a few thousand nodes.
convert -size 640x480 xc:white -fill black -stroke none \
    -draw 'circle 90,90 90,30' \
    -fill white -draw 'circle 90,90 90,60' -fill black -draw 'circle 90,90 90,80' \
    -draw 'ellipse 250,90 90,45 0,360' -fill white -draw 'ellipse 250,90 60,25 0,360' -fill black \
    -draw 'polygon 450,30 468,75 515,78 478,105 492,150 450,123 408,150 422,105 385,78 432,75' \
    -draw 'roundrectangle 540,30 620,150 20,20' -fill white -draw 'roundrectangle 560,50 600,130 10,10' \
    -fill none -stroke black -strokewidth 6 \
    -draw "path 'M 20,230 C 120,170 200,300 320,220 S 520,180 620,260'" \
    -strokewidth 3 -draw "path 'M 20,300 Q 80,250 140,300 T 260,300 T 380,300 T 500,300 T 620,300'" \
    -strokewidth 9 -draw "path 'M 40,460 C 100,340 160,470 220,380 S 330,330 360,440 S 500,470 600,350'" \
    -strokewidth 2 -draw 'circle 470,400 470,340' -draw 'line 410,400 530,400' -draw 'line 470,340 470,460' \
    "$out/shapes.png"

# A drawing: a face, a house, a tree, a sun; outlines of a few hundred to a
# couple of thousand nodes, corners and smooth bends together.
convert -size 640x480 xc:white -fill none -stroke black -strokewidth 5 \
    -draw 'circle 140,150 140,50' -draw 'circle 105,125 105,112' -draw 'circle 175,125 175,112' \
    -draw "path 'M 95,185 Q 140,225 185,185'" \
    -draw 'polyline 300,260 300,140 380,70 460,140 460,260 300,260' -draw 'rectangle 360,190 400,260' \
    -draw 'rectangle 320,160 350,185' -draw 'rectangle 410,160 440,185' \
    -strokewidth 4 -draw "path 'M 560,260 C 540,200 520,150 560,120 C 600,90 630,150 610,200 C 600,230 580,240 560,260 Z'" \
    -draw 'line 560,260 560,330' \
    -draw 'circle 560,50 560,25' \
    -strokewidth 3 -draw "path 'M 20,300 C 150,280 250,420 400,360 S 560,470 630,420'" \
    -fill black -stroke none -draw "path 'M 40,470 C 60,400 120,400 140,440 C 160,400 220,400 240,470 Z'" \
    -fill none -stroke black -strokewidth 2 -draw 'ellipse 520,420 60,30 0,360' \
    "$out/drawing.png"
