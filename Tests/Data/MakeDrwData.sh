#!/usr/bin/env bash
# Makes the images of the draw-object tests in the folder given: known good images of each type
# (ImageMagick from exact pixel lists) and the bad-input corpus (empty, cut short, lying, huge).
set -euo pipefail
out=$1
convert=${VK_CONVERT:-convert}
rm -rf "$out.tmp"
mkdir -p "$out.tmp"
cd "$out.tmp"

# blocks: 32 x 16, eight uniform 8 x 8 blocks; block bx + 4 * by has colour number bx + 4 * by of
# red, green, blue, yellow, magenta, cyan, white, black.
colours=("255 0 0" "0 255 0" "0 0 255" "255 255 0" "255 0 255" "0 255 255" "255 255 255" "0 0 0")
{
  echo "P3 32 16 255"
  for y in $(seq 0 15); do
    for x in $(seq 0 31); do echo "${colours[$(( x / 8 + 4 * (y / 8) ))]}"; done
  done
} > blocks.ppm
# pal24: 24 x 2, 24 distinct colours; pixel (x, y) has colour i = x + 12 * y... wrapped at 24:
# i = (x + 12 * y) % 24, red (i * 53) % 256, green (i * 97 + 40) % 256, blue 255 - 10 * i.
{
  echo "P3 24 2 255"
  for y in 0 1; do
    for x in $(seq 0 23); do
      i=$(( (x + 12 * y) % 24 ))
      echo "$(( i * 53 % 256 )) $(( (i * 97 + 40) % 256 )) $(( 255 - 10 * i ))"
    done
  done
} > pal24.ppm
# two: 9 x 3, left 5 columns black, the rest white (1 bit); four: 9 x 3, columns red, lime, blue (4 bits).
{ echo "P3 9 3 255"; for y in 0 1 2; do for x in $(seq 0 8); do
    if [ "$x" -lt 5 ]; then echo "0 0 0"; else echo "255 255 255"; fi; done; done; } > two.ppm
{ echo "P3 9 3 255"; for y in 0 1 2; do for x in $(seq 0 8); do
    case $(( x % 3 )) in 0) echo "255 0 0";; 1) echo "0 255 0";; 2) echo "0 0 255";; esac; done; done; } > four.ppm

"$convert" blocks.ppm -quality 95 -sampling-factor 1x1 blocks.jpg
"$convert" blocks.ppm -define png:color-type=2 blocks.png
"$convert" blocks.ppm -type TrueColor -compress none blocks.tif
"$convert" blocks.ppm -type TrueColor -units PixelsPerInch -density 72 BMP3:blocks.bmp
"$convert" pal24.ppm pal24.gif
"$convert" pal24.ppm -type Palette -units PixelsPerInch -density 96 BMP3:pal24.bmp
"$convert" two.ppm -type Palette BMP3:two.bmp
"$convert" four.ppm -type Palette BMP3:four.bmp
# alpha.png: 4 x 1 RGBA: opaque red, half-transparent green, transparent blue, opaque white.
"$convert" -size 4x1 xc:none -fill "rgba(255,0,0,1)" -draw "point 0,0" -fill "rgba(0,255,0,0.5)" \
  -draw "point 1,0" -fill "rgba(0,0,255,0)" -draw "point 2,0" -fill "rgba(255,255,255,1)" \
  -draw "point 3,0" -define png:color-type=6 alpha.png
# A cursor: an icon of 32 x 32 whose type field says cursor.
"$convert" -size 32x32 xc:red -fill blue -draw "rectangle 0,0 15,31" icon.ico
cp icon.ico cursor.cur
printf '\x02' | dd of=cursor.cur bs=1 seek=2 conv=notrunc status=none

# Bad input.
mkdir -p bad
: > bad/zero.jpg
: > bad/zero.png
for f in blocks.jpg blocks.png blocks.tif blocks.bmp pal24.gif; do
  size=$(stat -c %s "$f")
  head -c $(( size / 2 )) "$f" > "bad/cut_$f"
done
cp blocks.jpg bad/lies.png
printf 'This is no picture.\r\n' > bad/text.jpg
mkdir -p bad/folder.png
python3 - <<'PY'
import struct, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
ihdr = struct.pack('>IIBBBBB', 60000, 60000, 8, 2, 0, 0, 0)
idat = zlib.compress(b'\0' + b'\0' * 30)
open('bad/huge.png', 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', idat) + chunk(b'IEND', b''))
# The real image would need 10 GB; the sizes in the header cannot even say so.
bmp = b'BM' + struct.pack('<IHHI', 54 + 64, 0, 0, 54)
bmp += struct.pack('<IiiHHIIiiII', 40, 60000, 60000, 1, 24, 0, 0, 0, 0, 0, 0) + b'\0' * 64
open('bad/huge.bmp', 'wb').write(bmp)
# A header that promises 3000 x 3000 pixels over 64 bytes.
bmp = b'BM' + struct.pack('<IHHI', 54 + 64, 0, 0, 54)
bmp += struct.pack('<IiiHHIIiiII', 40, 3000, 3000, 1, 24, 0, 0, 0, 0, 0, 0) + b'\0' * 64
open('bad/lies.bmp', 'wb').write(bmp)
# Run-length data said to be 10 MB long, in a file of 1 kB.
bmp = b'BM' + struct.pack('<IHHI', 54 + 1024 + 20, 0, 0, 54 + 1024)
bmp += struct.pack('<IiiHHIIiiII', 40, 3000, 3000, 1, 8, 1, 10000000, 0, 0, 256, 0) + b'\x10\x20\x30\x00' * 256
open('bad/lies_rle.bmp', 'wb').write(bmp + b'\x05\x07' * 10)

# GIFs of one frame, 2 x 1, pixels 0 and 1 (LZW code size 2: clear, 0, 1, end).
def gif(global_table, local_table):
    out = b'GIF89a' + struct.pack('<HHBBB', 2, 1, 0x80 if global_table else 0, 0, 0) + global_table
    out += b'\x21\xf9\x04\x00\x00\x00\x00\x00'
    out += b'\x2c' + struct.pack('<HHHHB', 0, 0, 2, 1, 0x80 if local_table else 0) + local_table
    return out + b'\x02\x02\x44\x0a\x00\x3b'
red_blue = b'\xff\x00\x00\x00\x00\xff'
open('localtable.gif', 'wb').write(gif(b'', red_blue))
# No colour table at all: the platform's decoder must never see it.
open('bad/notable.gif', 'wb').write(gif(b'', b''))

# Bitmap files GDI+ refuses under Wine, 4 x 2: top row red, green, blue, white; bottom row black,
# yellow, magenta, cyan. Rows are stored bottom-up.
top, bottom = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)], [(0, 0, 0), (255, 255, 0), (255, 0, 255), (0, 255, 255)]
def bitmap_file(header_size, bits, compression, masks, pixel):
    rows = b''.join(b''.join(pixel(c) for c in row).ljust((bits * 4 + 31) // 32 * 4, b'\0') for row in (bottom, top))
    info = struct.pack('<IiiHHIIiiII', header_size, 4, 2, 1, bits, compression, len(rows), 2835, 2835, 0, 0)
    fields = struct.pack('<' + 'I' * len(masks), *masks)
    if header_size > 40:
        info += fields.ljust(header_size - 40, b'\0')
        fields = b''
    offset = 14 + len(info) + len(fields)
    return b'BM' + struct.pack('<IHHI', offset + len(rows), 0, 0, offset) + info + fields + rows
argb4444 = lambda c: struct.pack('<H', 0xF000 | (c[0] >> 4) << 8 | (c[1] >> 4) << 4 | c[2] >> 4)
open('fields4444.bmp', 'wb').write(bitmap_file(40, 16, 3, (0x0F00, 0x00F0, 0x000F), argb4444))
argb = lambda c: struct.pack('<I', 0xFF000000 | c[0] << 16 | c[1] << 8 | c[2])
open('header56.bmp', 'wb').write(bitmap_file(56, 32, 3, (0xFF0000, 0xFF00, 0xFF, 0xFF000000), argb))
open('header52.bmp', 'wb').write(bitmap_file(52, 24, 0, (0, 0, 0), lambda c: bytes((c[2], c[1], c[0]))))
PY
cp blocks.png "表ソ能ポ.png"

cd ..
rm -rf "$out"
mv "$out.tmp" "$out"
