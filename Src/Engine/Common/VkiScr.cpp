#include "VkiScr.h"
#include <string.h>

bool VkiIsBitCnt(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

int VkiScrBitCnt(int* bits)
{
    VkiScreenDC screen;
    if (!screen.Get()) return VKE_ERR_MEMORY;
    int n = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
    if (!VkiIsBitCnt(n)) return VKE_ERR_SYSTEM;
    *bits = n;
    return VKE_OK;
}

int VkiScrSize(int* width, int* height)
{
    VkiScreenDC screen;
    if (!screen.Get()) return VKE_ERR_MEMORY;
    int w = GetDeviceCaps(screen.Get(), HORZRES), h = GetDeviceCaps(screen.Get(), VERTRES);
    if (w < 1 || h < 1) return VKE_ERR_SYSTEM;
    *width = w;
    *height = h;
    return VKE_OK;
}

int VkiScrColorTable(HDC dc, int bits, RGBQUAD* table, int* entries)
{
    *entries = 0;
    int n = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    if (n == 0) return VKE_OK;
    VkiScreenDC screen;
    HDC use = dc ? dc : screen.Get();
    if (!use) return VKE_ERR_MEMORY;
    VkiGdiObj<HBITMAP> probe(CreateCompatibleBitmap(screen.Get() ? screen.Get() : use, 1, 1));
    if (!probe) return VKE_ERR_MEMORY;
    VkiBitmapInfo info;
    memset(&info, 0, sizeof(info));
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    info.h.biWidth = 1;
    info.h.biHeight = 1;
    info.h.biPlanes = 1;
    info.h.biBitCount = static_cast<WORD>(bits);
    if (!GetDIBits(use, probe, 0, 1, nullptr, info.Get(), DIB_RGB_COLORS)) return VKE_ERR_SYSTEM;
    memcpy(table, info.c, sizeof(RGBQUAD) * static_cast<size_t>(n));
    *entries = n;
    return VKE_OK;
}

void VkiFillHeader(BITMAPINFOHEADER* h, int width, int height, int bits)
{
    memset(h, 0, sizeof(*h));
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = width;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = static_cast<WORD>(bits);
    h->biCompression = BI_RGB;
    h->biSizeImage = static_cast<DWORD>(VkiStride(width, bits) * height);
}

int VkiReadHeader(HDC dc, HBITMAP bitmap, BITMAPINFOHEADER* header)
{
    VkiScreenDC screen;
    HDC use = dc ? dc : screen.Get();
    if (!use) return VKE_ERR_MEMORY;
    if (!bitmap) return VKE_ERR_ARG;
    VkiBitmapInfo info;
    memset(&info, 0, sizeof(info));
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    if (!GetDIBits(use, bitmap, 0, 0, nullptr, info.Get(), DIB_RGB_COLORS)) return VKE_ERR_ARG;
    *header = info.h;
    return VKE_OK;
}
