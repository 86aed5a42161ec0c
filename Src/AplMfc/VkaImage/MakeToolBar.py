#!/usr/bin/env python3
"""Writes the main tool bar's images (Halcor.rc, bitmap 128): a 16-colour bitmap of 16 x 15
images in the order of the TOOLBAR resource's buttons, drawn from a few shapes on the light grey
that the tool bar maps to the button face."""
import struct
import sys

W, H = 16, 15
# The 16 standard colours as (red, green, blue), by index.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
K, DRED, DGRN, OLIVE, NAVY, PURPLE, TEAL, BG, GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(16)


class Icon:
    def __init__(self):
        self.px = [[BG] * W for _ in range(H)]

    def dot(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def box(self, x0, y0, x1, y1, edge, inside=None):
        if inside is not None:
            self.fill(x0, y0, x1, y1, inside)
        for x in range(x0, x1 + 1):
            self.dot(x, y0, edge)
            self.dot(x, y1, edge)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, edge)
            self.dot(x1, y, edge)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.dot(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def art(self, x0, y0, rows, colours):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.dot(x0 + dx, y0 + dy, colours[ch])

    # ---- Shapes ----
    def page(self, x0, y0, x1, y1, lines=True):
        self.box(x0, y0, x1, y1, K, WHITE)
        if lines:
            for y in range(y0 + 3, y1 - 1, 2):
                self.line(x0 + 2, y, x1 - 2, y, GREY)

    def folder(self, x0, y0, open_=False):
        self.fill(x0, y0, x0 + 5, y0 + 1, OLIVE)
        self.box(x0, y0 + 2, x0 + 13, y0 + 10, OLIVE, YELLOW)
        if open_:
            self.line(x0 + 3, y0 + 5, x0 + 13, y0 + 5, OLIVE)

    def cross(self, x, y, c=RED):
        self.line(x, y, x + 4, y + 4, c)
        self.line(x + 4, y, x, y + 4, c)
        self.line(x + 1, y, x + 5, y + 4, c)
        self.line(x + 5, y, x + 1, y + 4, c)

    def floppy(self, x0, y0):
        self.box(x0, y0, x0 + 11, y0 + 11, K, NAVY)
        self.fill(x0 + 3, y0 + 1, x0 + 8, y0 + 4, WHITE)
        self.fill(x0 + 2, y0 + 7, x0 + 9, y0 + 10, GREY)

    def printer(self, x0, y0):
        self.page(x0 + 3, y0, x0 + 10, y0 + 5, lines=False)
        self.box(x0, y0 + 5, x0 + 13, y0 + 10, K, GREY)
        self.dot(x0 + 11, y0 + 7, GREEN)
        self.fill(x0 + 3, y0 + 10, x0 + 10, y0 + 12, WHITE)

    def lens(self, x0, y0, mark=None):
        self.box(x0, y0, x0 + 6, y0 + 6, K, WHITE)
        self.line(x0 + 6, y0 + 6, x0 + 9, y0 + 9, K)
        self.line(x0 + 7, y0 + 6, x0 + 10, y0 + 9, K)
        if mark:
            self.art(x0 + 2, y0 + 1, mark, {"#": BLUE})

    def arrow_right(self, x0, y, c):
        self.line(x0, y, x0 + 6, y, c)
        self.line(x0 + 4, y - 2, x0 + 6, y, c)
        self.line(x0 + 4, y + 2, x0 + 6, y, c)

    def arrow_left(self, x0, y, c):
        self.line(x0, y, x0 + 6, y, c)
        self.line(x0, y, x0 + 2, y - 2, c)
        self.line(x0, y, x0 + 2, y + 2, c)

    def triangle(self, x0, y0, right, c):
        for i in range(5):
            x = x0 + (i if right else 4 - i)
            self.line(x, y0 + i, x, y0 + 8 - i, c)

    def lock(self, closed):
        self.box(3, 7, 12, 13, K, YELLOW)
        top = 2 if closed else 0
        self.box(5, top, 10, 7, K)
        self.fill(6, top + 1, 9, 6, BG)
        if not closed:
            self.fill(10, 3, 10, 6, BG)


def draw(name):
    i = Icon()
    if name == "open":
        i.folder(1, 2, open_=True)
        i.arrow_right(8, 1, GREEN)
    elif name == "opendir":
        i.folder(1, 2)
    elif name == "close":
        i.page(2, 1, 10, 13)
        i.cross(8, 8)
    elif name == "closeall":
        i.page(1, 0, 8, 10)
        i.page(4, 3, 11, 13)
        i.cross(9, 9)
    elif name == "save":
        i.floppy(2, 1)
    elif name == "saveall":
        i.floppy(0, 0)
        i.floppy(4, 3)
    elif name in ("readopi", "writeopi"):
        i.page(1, 1, 9, 13)
        if name == "readopi":
            i.arrow_left(8, 9, DGRN)
        else:
            i.arrow_right(8, 9, RED)
    elif name == "pagesetup":
        i.page(3, 0, 12, 14, lines=False)
        i.box(5, 2, 10, 12, BLUE)
    elif name == "print":
        i.printer(1, 1)
    elif name == "printall":
        i.page(5, 0, 13, 4, lines=False)
        i.printer(0, 2)
    elif name == "preview":
        i.page(1, 0, 10, 13)
        i.lens(6, 5)
    elif name == "savestate":
        i.page(2, 1, 11, 13, lines=False)
        i.line(4, 7, 6, 10, GREEN)
        i.line(6, 10, 10, 3, GREEN)
        i.line(4, 8, 6, 11, GREEN)
    elif name in ("undo", "redo"):
        i.art(2, 3, ["  ######   ", " #      #  ", "#        # ", "#        # ", " #      #  "], {"#": BLUE})
        if name == "undo":
            i.art(0, 5, ["#   #", " # # ", "  #  "], {"#": BLUE})
            i.fill(9, 8, 12, 8, BG)
        else:
            i.art(8, 5, ["#   #", " # # ", "  #  "], {"#": BLUE})
            i.fill(2, 8, 4, 8, BG)
    elif name == "cut":
        i.line(4, 1, 9, 9, K)
        i.line(11, 1, 6, 9, K)
        i.box(2, 9, 6, 13, NAVY)
        i.box(9, 9, 13, 13, NAVY)
    elif name == "copy":
        i.page(1, 0, 8, 9)
        i.page(6, 4, 13, 13)
    elif name == "paste":
        i.box(1, 2, 10, 13, K, OLIVE)
        i.fill(4, 1, 7, 3, GREY)
        i.page(6, 6, 13, 14)
    elif name == "fit":
        i.box(1, 1, 14, 13, K, WHITE)
        i.line(3, 3, 6, 6, BLUE)
        i.line(12, 11, 9, 8, BLUE)
        i.fill(3, 3, 4, 4, BLUE)
        i.fill(11, 10, 12, 11, BLUE)
    elif name == "fitlarge":
        i.box(1, 1, 14, 13, K, WHITE)
        i.box(4, 4, 11, 10, BLUE, CYAN)
    elif name == "zoom100":
        i.lens(1, 1, [" # ", "## ", " # ", " # "])
    elif name == "zoomdlg":
        i.lens(1, 1, ["## ", "  #", " # ", "   "])
        i.fill(12, 11, 14, 13, MAGENTA)
    elif name == "thumbs":
        for x, y in ((1, 1), (8, 1), (1, 8), (8, 8)):
            i.box(x, y, x + 5, y + 5, K, CYAN)
    elif name == "details":
        for y in (2, 5, 8, 11):
            i.fill(1, y, 2, y + 1, BLUE)
            i.line(4, y, 14, y, K)
    elif name == "icons":
        for x in (1, 9):
            i.box(x, 2, x + 5, 7, K, CYAN)
            i.line(x, 10, x + 5, 10, K)
    elif name == "smallicons":
        for y in (2, 7, 12):
            i.box(1, y - 1, 3, y + 1, K, CYAN)
            i.line(5, y, 13, y, K)
    elif name == "list":
        for x in (1, 8):
            for y in (2, 6, 10):
                i.fill(x, y, x + 1, y + 1, BLUE)
                i.line(x + 3, y, x + 5, y, K)
    elif name == "first":
        i.fill(3, 3, 4, 11, K)
        i.triangle(6, 3, False, K)
    elif name == "last":
        i.triangle(5, 3, True, K)
        i.fill(11, 3, 12, 11, K)
    elif name == "prev":
        i.triangle(5, 3, False, K)
    elif name == "next":
        i.triangle(6, 3, True, K)
    elif name == "lock":
        i.lock(True)
    elif name == "unlock":
        i.lock(False)
    elif name == "resize":
        i.box(1, 6, 6, 11, K, CYAN)
        i.box(7, 1, 14, 13, BLUE)
        i.arrow_right(3, 3, K)
    elif name == "options":
        for y in (2, 7, 12):
            i.box(1, y - 1, 3, y + 1, K, WHITE)
            i.line(6, y, 14, y, K)
        i.dot(2, 6, GREEN)
        i.dot(2, 1, GREEN)
    elif name in ("rot90", "rot180", "rot270"):
        i.box(4, 4, 11, 11, K, CYAN)
        turns = {"rot90": "1", "rot180": "2", "rot270": "3"}[name]
        i.art(1, 1, {"1": ["###   "], "2": ["###  #"], "3": ["## ###"]}[turns], {"#": RED})
        i.line(12, 1, 14, 3, RED)
        i.line(14, 3, 12, 5, RED)
    elif name == "flipv":
        for k in range(5):
            i.line(7 - k, 1 + k, 8 + k, 1 + k, BLUE)
            i.line(7 - k, 13 - k, 8 + k, 13 - k, CYAN)
        i.line(1, 7, 14, 7, K)
    elif name == "fliph":
        i.triangle(1, 3, False, BLUE)
        i.line(7, 1, 7, 13, K)
        i.triangle(9, 3, True, CYAN)
    elif name == "refresh":
        i.art(2, 2, ["  ######  ", " #      # ", "#          ", "#          ", " #      # ", "  ######  "],
              {"#": DGRN})
        i.art(9, 0, ["#   ", "##  ", "### "], {"#": DGRN})
    elif name == "back":
        i.arrow_left(3, 7, BLUE)
        i.line(3, 6, 9, 6, BLUE)
    elif name == "forward":
        i.arrow_right(5, 7, BLUE)
        i.line(5, 6, 11, 6, BLUE)
    else:
        raise SystemExit("no image for " + name)
    return i


# The images of the TOOLBAR resource's buttons, in its order.
ORDER = ["open", "opendir", "close", "closeall", "save", "saveall", "readopi", "writeopi", "pagesetup", "print",
         "printall", "preview", "savestate", "undo", "redo", "cut", "copy", "paste", "fit", "fitlarge", "zoom100",
         "zoomdlg", "thumbs", "details", "first", "last", "prev", "next", "lock", "unlock", "resize", "options",
         "rot90", "rot180", "rot270", "flipv", "fliph", "refresh", "back", "forward", "icons", "smallicons", "list"]


def main(path):
    icons = [draw(name) for name in ORDER]
    width = W * len(icons)
    row_bytes = ((width + 1) // 2 + 3) & ~3
    rows = b""
    for y in range(H - 1, -1, -1):  # bottom-up
        line = [icon.px[y][x] for icon in icons for x in range(W)]
        row = bytes((line[x] << 4) | line[x + 1] for x in range(0, width, 2))
        rows += row + b"\0" * (row_bytes - len(row))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, width, H, 1, 4, 0, len(rows), 0, 0, 16, 0)
    offset = 14 + len(header) + len(table)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + header + table + rows)


if __name__ == "__main__":
    main(sys.argv[1])
