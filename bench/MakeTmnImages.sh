#!/usr/bin/env bash
# Makes the thumbnail benchmark's images in the folder given: count distinct 3000 x 2000 (6 MP)
# photo-like JPEGs, tmn01.jpg upward (one plasma picture, rolled a different way for each).
set -euo pipefail
out=$1
count=$2
convert=${VK_CONVERT:-convert}
mkdir -p "$out"
base="$out/tmn_base.miff"
"$convert" -size 300x200 -seed 11 plasma:fractal -resize 3000x2000! "$base"
for i in $(seq 1 "$count"); do
  "$convert" "$base" -roll "+$(( i * 61 ))+$(( i * 37 ))" -quality 90 "$out/$(printf 'tmn%02d.jpg' "$i")" &
  if (( i % 4 == 0 )); then wait; fi
done
wait
rm -f "$base"
for i in $(seq 1 "$count"); do
  [ -s "$out/$(printf 'tmn%02d.jpg' "$i")" ] || { echo "MakeTmnImages: image $i was not made" >&2; exit 1; }
done
