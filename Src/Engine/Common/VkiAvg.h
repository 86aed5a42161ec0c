// Reductions that average: each destination pixel is the area-weighted mean of the source pixels
// it covers. The platform's HALFTONE stretching does this on Windows but not under Wine, where a
// reduced photo would show moiré and jagged edges; so the engine's reducing HALFTONE blits ask
// VkiHalftoneAverages once and, when it answers no, average the pixels themselves.
#pragma once
#include "VkeEng.h"
#include <stddef.h>

// Rows of 3- or 4-byte pixels (blue, green, red, and a fourth byte that is averaged too): top is
// the first row shown, stride the bytes from one row to the next one below it (negative for the
// bottom-up rows of a DIB).
struct VkiPixelRows {
    BYTE* top;
    ptrdiff_t stride;
    int width, height;
};

// True when the platform's HALFTONE stretching averages; found out once per process.
bool VkiHalftoneAverages();

// The blit of StretchBlt(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, SRCCOPY) done by averaging,
// when it reduces: both rectangles map to upright device rectangles, the destination's is no
// larger on either side, and src is a memory DC holding a DIB section that covers its rectangle.
// Only the destination pixels inside the DC's clip region are made. False, having drawn nothing,
// when it does not apply or cannot be done; GDI's stretch is then used.
bool VkiAverageBlit(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh);

// Where the platform's HALFTONE does not average (Wine), it enlarges by interpolating between the
// two source pixels around x * source size / destination size (from the rectangles' left and top
// edges, the last source pixel held beyond), but makes a clipped destination from a source
// rectangle rounded to whole pixels and stretched again: the pixels at a point change with the
// clip, and a strip drawn after a scroll does not meet the pixels moved beside it. This makes the
// same interpolation for the clipped part from the whole blit's positions, under the same
// conditions as VkiAverageBlit but for a destination no smaller on either side.
bool VkiEnlargeBlit(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh);
