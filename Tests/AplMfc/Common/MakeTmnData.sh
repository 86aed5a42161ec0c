#!/usr/bin/env bash
# Makes the JPEG variants of the thumbnail tests in the folder given: ImageMagick's photo-like
# pictures in every sampling, progressive and grey, the odd sizes, CMYK, and (from
# MakeJpgRestart.py, since ImageMagick writes no restart markers) files with restart intervals.
set -euo pipefail
out=$1
convert=${VK_CONVERT:-convert}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
rm -rf "$out.tmp"
mkdir -p "$out.tmp"
cd "$out.tmp"

# A smooth picture with colour (a plasma) as a camera photo would be, 1600 x 1200.
"$convert" -size 200x150 -seed 23 plasma:fractal -resize 1600x1200! -depth 8 photo.ppm
jpg() { "$convert" photo.ppm -quality 90 "$@"; }
jpg -sampling-factor 1x1 s444.jpg &
jpg -sampling-factor 2x1 s422.jpg &
jpg -sampling-factor 2x2 s420.jpg &
jpg -sampling-factor 4x1 s411.jpg &
jpg -colorspace Gray grey.jpg &
wait
jpg -sampling-factor 2x2 -interlace JPEG prog420.jpg &
jpg -sampling-factor 1x1 -interlace JPEG prog444.jpg &
jpg -colorspace Gray -interlace JPEG proggrey.jpg &
jpg -colorspace CMYK cmyk.jpg &
wait
# Sizes: a pixel, below a block, one block, a thin strip, and 24 MP.
"$convert" -size 1x1 xc:"#3080c0" -quality 90 size1x1.jpg
"$convert" photo.ppm -resize 7x9! -quality 90 size7x9.jpg
"$convert" photo.ppm -resize 8x8! -quality 90 size8x8.jpg
"$convert" photo.ppm -resize 17x3001! -quality 90 -sampling-factor 2x2 size17x3001.jpg &
"$convert" photo.ppm -resize 6000x4000! -quality 90 -sampling-factor 2x2 size6000x4000.jpg &
# Restart intervals, interleaved and not, in the usual samplings and two unusual ones; the size
# is no multiple of a block, so the last MCUs are partly padding.
"$convert" photo.ppm -crop 203x149+700+500 +repage -depth 8 small.ppm
make_rst() { python3 "$here/MakeJpgRestart.py" small.ppm "$@"; }
make_rst rst420.jpg 2x2,1x1,1x1 3 &
make_rst rstgrey.jpg grey 1 &
make_rst rst444sep.jpg 1x1,1x1,1x1 5 separate &
make_rst rst411.jpg 4x1,1x1,1x1 2 &
wait
make_rst rst12.jpg 1x2,1x1,1x1 7 &
make_rst rst31.jpg 3x1,1x1,1x1 4 &
make_rst rst420sep.jpg 2x2,1x1,1x1 1 separate &
wait
# Two plain pictures of one size: the lock test swaps one for the other while a decode runs.
"$convert" -size 800x800 xc:"#e01010" -quality 90 red.jpg
"$convert" -size 800x800 xc:"#1010e0" -quality 90 blue.jpg
rm -f photo.ppm small.ppm

cd ..
rm -rf "$out"
mv "$out.tmp" "$out"
