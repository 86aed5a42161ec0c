#!/usr/bin/env python3
"""Writes the test tool bar's images: a 16-colour bitmap of 16 x 15 images on the light grey
that the tool bar maps to the button face, each image a coloured square in a black frame."""
import struct
import sys

COUNT, W, H = 8, 16, 15
# The 16 standard colours (blue, green, red, reserved order of a BMP colour table).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
GREY, BLACK = 7, 0
FILLS = [9, 10, 12, 11, 13, 14, 1, 4]


def pixel(x, y):
    image, ix = divmod(x, W)
    if 2 <= ix <= 13 and 1 <= y <= 13:
        return BLACK if ix in (2, 13) or y in (1, 13) else FILLS[image]
    return GREY


def main(path):
    width = W * COUNT
    row_bytes = ((width + 1) // 2 + 3) & ~3
    rows = b""
    for y in range(H - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(0, width, 2):
            row.append((pixel(x, y) << 4) | pixel(x + 1, y))
        rows += bytes(row) + b"\0" * (row_bytes - len(row))
    table = b"".join(struct.pack("<BBBB", r, g, b, 0) for (b, g, r) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, width, H, 1, 4, 0, len(rows), 0, 0, 16, 0)
    offset = 14 + len(header) + len(table)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + header + table + rows)


if __name__ == "__main__":
    main(sys.argv[1])
