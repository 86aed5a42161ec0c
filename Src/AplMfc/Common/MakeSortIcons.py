#!/usr/bin/env python3
"""Writes the file list's header sort images beside this script: CmnSrtAsc.ico (a triangle
pointing up, ascending) and CmnSrtDsc.ico (pointing down, descending), 16 x 16, 32 bits with
their masks. Run it again after changing the picture and commit the files it writes.
"""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))

UP = """
................
................
................
................
.......##.......
......####......
.....######.....
....########....
...##########...
..############..
................
................
................
................
................
................
"""


def icon(rows):
    size = 16
    colour = (0x60, 0x60, 0x60)  # a mid grey that shows on any header face
    pixels = b""
    mask = b""
    for row in reversed(rows):  # bottom-up
        bits = 0
        for x, c in enumerate(row):
            if c == "#":
                pixels += bytes((colour[2], colour[1], colour[0], 0xFF))
            else:
                pixels += b"\0\0\0\0"
                bits |= 0x8000 >> x
        mask += struct.pack(">H", bits) + b"\0\0"  # rows padded to 32 bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22)
    return directory + image


rows = [r for r in UP.strip("\n").split("\n")]
for name, picture in (("CmnSrtAsc.ico", rows), ("CmnSrtDsc.ico", list(reversed(rows)))):
    with open(os.path.join(here, name), "wb") as f:
        f.write(icon(picture))
