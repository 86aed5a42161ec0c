// The draw object's colour list and the logical palettes built from it.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwOpr"
#include "VkiDrw.h"
#include "VkiScr.h"
#include "VkeFrame.h"
#include <string.h>

namespace {

// Palette entries without duplicates (same red, green and blue), at most cap of them.
struct PaletteBuilder {
    PALETTEENTRY entry[256];
    int count = 0;
    int cap = 256;

    bool Full() const { return count >= cap; }
    void Add(BYTE r, BYTE g, BYTE b)
    {
        if (Full()) return;
        for (int i = 0; i < count; ++i)
            if (entry[i].peRed == r && entry[i].peGreen == g && entry[i].peBlue == b) return;
        entry[count++] = {r, g, b, 0};
    }
};

// The halftone palette's entries (at most 256).
int ReadHalftone(HDC screen, PALETTEENTRY* entries, int* count)
{
    VkiGdiObj<HPALETTE> half(CreateHalftonePalette(screen));
    if (!half) return VKE_ERR_SYSTEM;
    UINT n = GetPaletteEntries(half, 0, 256, entries);
    if (n == 0) return VKE_ERR_SYSTEM;
    *count = static_cast<int>(n > 256 ? 256 : n);
    return VKE_OK;
}

// A bitmap's colour table at its own depth (8 bits for anything above 4): table size 2, 16 or 256.
int ReadBitmapTable(HDC screen, HBITMAP bitmap, RGBQUAD* table, int* count)
{
    VkiBitmapInfo info;
    memset(&info, 0, sizeof(info));
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    if (!GetDIBits(screen, bitmap, 0, 0, nullptr, info.Get(), DIB_RGB_COLORS))
        return VKE_ERR_ARG;
    int bits = info.h.biBitCount;
    int n = bits == 1 ? 2 : bits == 4 ? 16 : 256;
    info.h.biBitCount = static_cast<WORD>(n == 256 ? 8 : bits);
    info.h.biCompression = BI_RGB;
    info.h.biClrUsed = 0;
    if (!GetDIBits(screen, bitmap, 0, 0, nullptr, info.Get(), DIB_RGB_COLORS))
        return VKE_ERR_SYSTEM;
    memcpy(table, info.c, sizeof(RGBQUAD) * static_cast<size_t>(n));
    *count = n;
    return VKE_OK;
}

} // namespace

int VkiDrw::SetColor(COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    for (int i = 0; i < m_iColorCnt; ++i)
        if (m_auColor[i] == color) return VKE_OK;
    if (m_iColorCnt >= VKE_DRW_MAX_COLORS) return VKE_ERR_CUT;
    m_auColor[m_iColorCnt++] = color;
    return VKE_OK;
}

int VkiDrw::OpenPalette(HPALETTE* out, HBITMAP bitmap, int halftone, int withList)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    if ((halftone != 0 && halftone != 1) || (withList != 0 && withList != 1)) return VKE_ERR_ARG;
    if (!bitmap && !halftone && (!withList || m_iColorCnt == 0)) return VKE_ERR_ARG;

    VkiScreenDC screen;
    if (!screen.Get()) return VKE_ERR_MEMORY;
    PALETTEENTRY source[256];
    int sourceCount = 0, n = 0;
    bool useList = withList == 1;
    if (halftone) {
        int rc = ReadHalftone(screen.Get(), source, &sourceCount);
        if (rc != VKE_OK) return rc;
        n = sourceCount;
    } else if (bitmap) {
        RGBQUAD table[256];
        int rc = ReadBitmapTable(screen.Get(), bitmap, table, &sourceCount);
        if (rc != VKE_OK) return rc;
        for (int i = 0; i < sourceCount; ++i)
            source[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
        n = sourceCount;
        useList = useList && n == 256;
    } else {
        n = m_iColorCnt;
    }

    PaletteBuilder pal;
    pal.cap = n;
    if (useList)
        for (int i = 0; i < m_iColorCnt; ++i)
            pal.Add(GetRValue(m_auColor[i]), GetGValue(m_auColor[i]), GetBValue(m_auColor[i]));
    for (int i = 0; i < sourceCount; ++i) pal.Add(source[i].peRed, source[i].peGreen, source[i].peBlue);

    struct {
        WORD version;
        WORD count;
        PALETTEENTRY e[256];
    } log;
    log.version = 0x300;
    log.count = static_cast<WORD>(pal.count);
    memcpy(log.e, pal.entry, sizeof(PALETTEENTRY) * static_cast<size_t>(pal.count));
    HPALETTE made = CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
    if (!made) return VKE_ERR_MEMORY;
    *out = made;
    return VKE_OK;
}

int VkiDrw::ClosePalette(HPALETTE* palette)
{
    if (!palette) return VKE_ERR_ARG;
    if (*palette) DeleteObject(*palette);
    *palette = nullptr;
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeDrwSetColor(VkiDrw* drw, COLORREF color) { VKE_FRAME(drw, drw->Sub(), drw->SetColor(color)); }
VKE_API int VkeDrwOpenPalette(VkiDrw* drw, HPALETTE* out, HBITMAP bitmap, int halftone, int withList) { VKE_FRAME(drw, drw->Sub(), drw->OpenPalette(out, bitmap, halftone, withList)); }
VKE_API int VkeDrwClosePalette(VkiDrw* drw, HPALETTE* palette) { VKE_FRAME(drw, drw->Sub(), drw->ClosePalette(palette)); }
