#!/usr/bin/env bash
# Makes the first run's two sample images in the given folder: a photo-like landscape (JPEG) and
# a drawing of shapes on a gradient (24-bit BMP).
set -euo pipefail
out=$1
mkdir -p "$out"
convert -size 160x120 -seed 11 plasma:skyblue-forestgreen -blur 0x1 -resize 640x480! \
        -fill '#ffe9a0' -draw 'circle 520,90 520,130' -quality 90 "$out/サンプル１.jpg"
convert -size 480x360 gradient:'#f8f4e8'-'#c8d8f0' \
        -fill '#d04040' -draw 'rectangle 40,40 200,160' \
        -fill '#3070c0' -draw 'circle 330,110 330,190' \
        -fill '#40a050' -draw 'polygon 80,320 180,200 280,320' \
        -fill none -stroke '#303030' -strokewidth 4 -draw 'roundrectangle 300,220 440,330 16,16' \
        -type TrueColor BMP3:"$out/サンプル２.bmp"
