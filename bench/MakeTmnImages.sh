#!/usr/bin/env bash
# Makes the thumbnail benchmark's images in the folder given: count distinct 3000 x 2000 (6 MP)
# photo-like JPEGs, tmn01.jpg upward (one plasma picture, rolled a different way for each). A third
# argument "progressive" makes progressive ones, prg01.jpg upward.
set -euo pipefail
out=$1
count=$2
prefix=tmn
extra=()
if [ "${3:-}" = progressive ]; then
  prefix=prg
  extra=(-interlace JPEG)
fi
convert=${VK_CONVERT:-convert}
mkdir -p "$out"
base="$out/${prefix}_base.miff"
"$convert" -size 300x200 -seed 11 plasma:fractal -resize 3000x2000! "$base"
for i in $(seq 1 "$count"); do
  "$convert" "$base" -roll "+$(( i * 61 ))+$(( i * 37 ))" -quality 90 "${extra[@]}" "$out/$(printf '%s%02d.jpg' "$prefix" "$i")" &
  if (( i % 4 == 0 )); then wait; fi
done
wait
rm -f "$base"
for i in $(seq 1 "$count"); do
  [ -s "$out/$(printf '%s%02d.jpg' "$prefix" "$i")" ] || { echo "MakeTmnImages: image $i was not made" >&2; exit 1; }
done
