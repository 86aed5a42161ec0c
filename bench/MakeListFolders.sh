#!/usr/bin/env bash
# Makes the file list benchmark's folders in the folder given: Jpg1000, 1,000 JPEGs of 6 MP (the
# thumbnail benchmark's 50 pictures, given as the second argument's folder, and hard links to
# them under 950 more names), and Small10000, 10,000 small images (16 x 16 bitmaps). A file
# "done" marks the end.
set -euo pipefail
out=$1
tmn=$2
rm -rf "$out"
mkdir -p "$out/Jpg1000" "$out/Small10000"
for i in $(seq 1 1000); do
  src="$tmn/$(printf 'tmn%02d.jpg' $(( (i - 1) % 50 + 1 )))"
  ln "$src" "$out/Jpg1000/$(printf 'p%04d.jpg' "$i")" 2>/dev/null || cp "$src" "$out/Jpg1000/$(printf 'p%04d.jpg' "$i")"
done
python3 - "$out/Small10000" <<'PY'
import os, struct, sys
folder = sys.argv[1]
w = h = 16
row = (w * 3 + 3) & ~3
for i in range(10000):
    r, g, b = (i * 37) % 256, (i * 91) % 256, (i * 53) % 256
    pixels = (bytes((b, g, r)) * w + b"\0" * (row - w * 3)) * h
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
    with open(os.path.join(folder, "s%05d.bmp" % i), "wb") as f:
        f.write(head + info + pixels)
PY
touch "$out/done"
