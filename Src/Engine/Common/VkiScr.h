// The screen's bit count, default colour tables and size, read per call so that any thread may
// ask. Under Wine the screen DC's selected bitmap is no GDI object, so nothing here reads it:
// the depth and size come from the device caps, colour tables from a 1x1 compatible bitmap.
#pragma once
#include "VkeEng.h"
#include "VkiGdi.h"

// The screen DC, released at the end of the scope.
using VkiScreenDC = VkiWndDC;

// True for 1, 4, 8, 16, 24 and 32.
bool VkiIsBitCnt(int bits);

// Colour table entries of a bit count: 2, 16, 256, or 0 above 8 bits.
inline int VkiTableEntries(int bits) { return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0; }

// Bytes of one bottom-up row of a DIB: padded to a multiple of 4.
inline long long VkiStride(long long width, int bits) { return ((width * bits + 31) / 32) * 4; }

// A bitmap info header with room for a full colour table (or three bit-field masks).
struct VkiBitmapInfo {
    BITMAPINFOHEADER h;
    RGBQUAD c[256];
    BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// A header of width x height (bottom-up) at bits, uncompressed, with its image size.
void VkiFillHeader(BITMAPINFOHEADER* h, int width, int height, int bits);

// A bitmap's header as GDI reports it (GetDIBits without bits) through dc (null = the screen):
// -8 no screen DC; -9 not readable.
int VkiReadHeader(HDC dc, HBITMAP bitmap, BITMAPINFOHEADER* header);

// The screen's bits per pixel: -8 no screen DC; -1 outside the six counts.
int VkiScrBitCnt(int* bits);

// The screen's size in pixels: -8 no screen DC; -1 when the device reports none.
int VkiScrSize(int* width, int* height);

// The colour table the screen gives a bitmap of bits 1, 4 or 8 (entries written: 2, 16, 256),
// read through dc (null = the screen). 0 entries for other counts; -8 no DC or bitmap; -1 refused.
int VkiScrColorTable(HDC dc, int bits, RGBQUAD* table, int* entries);
