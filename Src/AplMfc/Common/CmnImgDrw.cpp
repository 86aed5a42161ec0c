// The image service's wrappers of the engine's image, draw-memory and clipboard exports: each
// passes its arguments unchanged with the engine's draw object in front, under the cache lock
// where it touches what the lock guards, and traces every result outside its silent set.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnImg"
#include "CmnImg.h"
#include "CmnDef.h"
#include "Mfc.h"
#include <limits.h>

namespace {

// Whether the call runs under the cache lock.
enum { kFree = 0, kLock = 1 };
// Results passed without a trace besides 0.
enum { kQuiet = 0, kQuiet1 = 1, kQuiet12 = 2, kQuiet13 = 4 };

bool IsSilent(int rc, int silent)
{
    return rc == VKE_OK || (rc == VKE_NOT_DONE && (silent & kQuiet1)) ||
           (rc == VKE_ERR_NOT_FOUND && (silent & kQuiet12)) || (rc == VKE_ERR_CUT && (silent & kQuiet13));
}

template <typename... P, typename... A>
int Pass(CmnImg& img, const char* name, int lock, int silent, int (*fn)(VkiDrw*, P...), A... args)
{
    if (!img.IsInit()) {
        CMN_TRACE(name, VKE_ERR_NOT_INIT);
        return VKE_ERR_NOT_INIT;
    }
    int rc;
    {
        CmnImgLock hold(img, lock == kLock);
        rc = fn(theCmnAppInf.pDrw, args...);
    }
    if (!IsSilent(rc, silent)) CMN_TRACE(name, rc);
    return rc;
}

} // namespace

// ---- Without the lock ----

int CmnImg::SetColor(COLORREF color) { return Pass(*this, "SetColor", kFree, kQuiet13, VkeDrwSetColor, color); }

int CmnImg::OpenPalette(HPALETTE* out, HBITMAP bitmap, int halftone, int withList)
{
    return Pass(*this, "OpenPalette", kFree, kQuiet, VkeDrwOpenPalette, out, bitmap, halftone, withList);
}

int CmnImg::ClosePalette(HPALETTE* palette)
{
    return Pass(*this, "ClosePalette", kFree, kQuiet, VkeDrwClosePalette, palette);
}

int CmnImg::GetEncClsId(const char* mimeType, CLSID* out)
{
    return Pass(*this, "GetEncClsId", kFree, kQuiet12, VkeDrwGetEncClsId, mimeType, out);
}

int CmnImg::GetEncClsIdByImgTyp(int type, CLSID* out)
{
    return Pass(*this, "GetEncClsIdByImgTyp", kFree, kQuiet12, VkeDrwGetEncClsIdByImgTyp, type, out);
}

int CmnImg::GetImageType(const char* path, int* type)
{
    return Pass(*this, "GetImageType", kFree, kQuiet, VkeDrwGetImageType, path, type);
}

int CmnImg::GetFilter(int kind, char* filter, char* extensions, int filterSize, int extensionsSize)
{
    return Pass(*this, "GetFilter", kFree, kQuiet12, VkeDrwGetFilter, kind, filter, extensions, filterSize,
                extensionsSize);
}

int CmnImg::GetImageInf(HBITMAP bitmap, int* width, int* height, int* bitCount)
{
    return Pass(*this, "GetImageInf", kFree, kQuiet, VkeDrwGetImageInf, bitmap, width, height, bitCount);
}

int CmnImg::CloseImageDirect(HBITMAP* bitmap)
{
    return Pass(*this, "CloseImageDirect", kFree, kQuiet, VkeDrwCloseImage, bitmap);
}

int CmnImg::GetDefaultBitCnt(int* bits)
{
    return Pass(*this, "GetDefaultBitCnt", kFree, kQuiet, VkeDrwGetDefaultBitCnt, bits);
}

int CmnImg::FreeMemDIB(HGLOBAL* mem) { return Pass(*this, "FreeMemDIB", kFree, kQuiet, VkeDrwFreeMemDIB, mem); }

int CmnImg::CreateDIB(HDC dc, int width, int height, int bits, HBITMAP* out)
{
    return Pass(*this, "CreateDIB", kFree, kQuiet, VkeDrwCreateDIB, dc, width, height, bits, out);
}

int CmnImg::GetDIBData(HDC dc, HBITMAP bitmap, int bits, BITMAPFILEHEADER** fileHeader,
                       BITMAPINFOHEADER** infoHeader, int* tableSize, RGBQUAD** table, int* imageSize, BYTE** pixels)
{
    return Pass(*this, "GetDIBData", kFree, kQuiet, VkeDrwGetDIBData, dc, bitmap, bits, fileHeader, infoHeader,
                tableSize, table, imageSize, pixels);
}

int CmnImg::FreeDIBData(BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader, RGBQUAD** table, BYTE** pixels)
{
    return Pass(*this, "FreeDIBData", kFree, kQuiet, VkeDrwFreeDIBData, fileHeader, infoHeader, table, pixels);
}

int CmnImg::WriteDIBData(const char* path, const BITMAPFILEHEADER* fileHeader, const BITMAPINFOHEADER* infoHeader,
                         int tableSize, const RGBQUAD* table, int imageSize, const BYTE* pixels)
{
    return Pass(*this, "WriteDIBData", kFree, kQuiet, VkeDrwWriteDIBData, path, fileHeader, infoHeader, tableSize,
                table, imageSize, pixels);
}

int CmnImg::WriteDIB(const char* path, HDC dc, HBITMAP bitmap, int bits)
{
    return Pass(*this, "WriteDIB", kFree, kQuiet, VkeDrwWriteDIB, path, dc, bitmap, bits);
}

int CmnImg::AllocDrm(Drm** out) { return Pass(*this, "AllocDrm", kFree, kQuiet, VkeDrwAllocDrm, out); }

int CmnImg::FreeDrm(Drm** drm) { return Pass(*this, "FreeDrm", kFree, kQuiet, VkeDrwFreeDrm, drm); }

int CmnImg::InitDrm(Drm* drm) { return Pass(*this, "InitDrm", kFree, kQuiet, VkeDrwInitDrm, drm); }

int CmnImg::TermDrm(Drm* drm) { return Pass(*this, "TermDrm", kFree, kQuiet, VkeDrwTermDrm, drm); }

int CmnImg::AttachDrmDIB(Drm* drm, HBITMAP dib)
{
    return Pass(*this, "AttachDrmDIB", kFree, kQuiet, VkeDrwAttachDrmDIB, drm, dib);
}

int CmnImg::DetachDrmDIB(Drm* drm, HBITMAP* out)
{
    return Pass(*this, "DetachDrmDIB", kFree, kQuiet, VkeDrwDetachDrmDIB, drm, out);
}

int CmnImg::CreateDrawMemory(Drm* drm, int width, int height, int bitCount)
{
    return Pass(*this, "CreateDrawMemory", kFree, kQuiet, VkeDrwCreateDrawMemory, drm, width, height, bitCount);
}

int CmnImg::IsExistClbStr(int* exists)
{
    return Pass(*this, "IsExistClbStr", kFree, kQuiet, VkeDrwIsExistClbStr, exists);
}

int CmnImg::CopyStrToClb(HWND owner, const char* text)
{
    return Pass(*this, "CopyStrToClb", kFree, kQuiet, VkeDrwCopyStrToClb, owner, text);
}

int CmnImg::CopyClbToStr(HWND owner, char** out)
{
    return Pass(*this, "CopyClbToStr", kFree, kQuiet12, VkeDrwCopyClbToStr, owner, out);
}

int CmnImg::FreeClbStr(char** text) { return Pass(*this, "FreeClbStr", kFree, kQuiet, VkeDrwFreeClbStr, text); }

int CmnImg::IsExistClbDIB(int* exists)
{
    return Pass(*this, "IsExistClbDIB", kFree, kQuiet, VkeDrwIsExistClbDIB, exists);
}

int CmnImg::FreeClbDIB(HBITMAP* bitmap) { return Pass(*this, "FreeClbDIB", kFree, kQuiet, VkeDrwFreeClbDIB, bitmap); }

// ---- Under the lock ----

int CmnImg::OpenImage(const char* path, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown)
{
    return Pass(*this, "OpenImage", kLock, kQuiet1, VkeDrwOpenImage, path, out, type, xRes, yRes, typeKnown);
}

int CmnImg::CloseImage(HBITMAP* bitmap) { return Pass(*this, "CloseImage", kLock, kQuiet, VkeDrwCloseImage, bitmap); }

int CmnImg::SaveImage(const char* path, HBITMAP bitmap, int type, float xRes, float yRes, int quality)
{
    return Pass(*this, "SaveImage", kLock, kQuiet1, VkeDrwSaveImage, path, bitmap, type, xRes, yRes, quality);
}

int CmnImg::SaveImageWithEncPrm(const char* path, HBITMAP bitmap, int type, float xRes, float yRes,
                                const Gdiplus::EncoderParameters* params)
{
    return Pass(*this, "SaveImageWithEncPrm", kLock, kQuiet1, VkeDrwSaveImageWithEncPrm, path, bitmap, type, xRes,
                yRes, params);
}

int CmnImg::RotateImage(HBITMAP* out, HBITMAP src, double angle)
{
    return Pass(*this, "RotateImage", kLock, kQuiet1, VkeDrwRotateImage, out, src, angle);
}

int CmnImg::ReflectImage(HBITMAP* out, HBITMAP src, int direction)
{
    return Pass(*this, "ReflectImage", kLock, kQuiet1, VkeDrwReflectImage, out, src, direction);
}

int CmnImg::DIBToMemDIB(HDC dc, HBITMAP bitmap, int bits, HGLOBAL* out)
{
    return Pass(*this, "DIBToMemDIB", kLock, kQuiet, VkeDrwDIBToMemDIB, dc, bitmap, bits, out);
}

int CmnImg::MemDIBToDIB(HDC dc, HGLOBAL mem, int bits, HBITMAP* out, int* type, float* xRes, float* yRes)
{
    return Pass(*this, "MemDIBToDIB", kLock, kQuiet1 | kQuiet13, VkeDrwMemDIBToDIB, dc, mem, bits, out, type, xRes,
                yRes);
}

int CmnImg::CopyDIBByIcon(HBITMAP* inOut, HICON icon, HBRUSH brush)
{
    return Pass(*this, "CopyDIBByIcon", kLock, kQuiet, VkeDrwCopyDIBByIcon, inOut, icon, brush);
}

int CmnImg::CopyDIB(HBITMAP* inOut, HBITMAP src)
{
    return Pass(*this, "CopyDIB", kLock, kQuiet1 | kQuiet13, VkeDrwCopyDIB, inOut, src);
}

int CmnImg::CopyDIBRgn(HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height)
{
    return Pass(*this, "CopyDIBRgn", kLock, kQuiet1 | kQuiet13, VkeDrwCopyDIBRgn, inOut, src, x, y, width, height);
}

int CmnImg::CopyDIBWithBitCnt(HBITMAP* inOut, HBITMAP src, int bits)
{
    return Pass(*this, "CopyDIBWithBitCnt", kLock, kQuiet1 | kQuiet13, VkeDrwCopyDIBWithBitCnt, inOut, src, bits);
}

int CmnImg::CopyDIBRgnWithBitCnt(HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height, int bits)
{
    return Pass(*this, "CopyDIBRgnWithBitCnt", kLock, kQuiet1 | kQuiet13, VkeDrwCopyDIBRgnWithBitCnt, inOut, src, x,
                y, width, height, bits);
}

int CmnImg::StretchDIB(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width, int height,
                       int keepRatio, HBRUSH brush, int mode)
{
    return Pass(*this, "StretchDIB", kLock, kQuiet1 | kQuiet13, VkeDrwStretchDIB, inOut, dstWidth, dstHeight, src, x,
                y, width, height, keepRatio, brush, mode);
}

int CmnImg::StretchDIBWithBitCnt(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width,
                                 int height, int bits, int keepRatio, HBRUSH brush, int mode)
{
    return Pass(*this, "StretchDIBWithBitCnt", kLock, kQuiet1 | kQuiet13, VkeDrwStretchDIBWithBitCnt, inOut, dstWidth,
                dstHeight, src, x, y, width, height, bits, keepRatio, brush, mode);
}

int CmnImg::CopyImage(HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height)
{
    return Pass(*this, "CopyImage", kLock, kQuiet, VkeDrwCopyImage, dst, dx, dy, src, sx, sy, width, height);
}

int CmnImg::CopyImageWithMode(HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height, int mode)
{
    return Pass(*this, "CopyImageWithMode", kLock, kQuiet, VkeDrwCopyImageWithMode, dst, dx, dy, src, sx, sy, width,
                height, mode);
}

int CmnImg::StretchImage(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh)
{
    return Pass(*this, "StretchImage", kLock, kQuiet, VkeDrwStretchImage, dst, dx, dy, dw, dh, src, sx, sy, sw, sh);
}

int CmnImg::StretchImageWithMode(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
                                 int mode)
{
    return Pass(*this, "StretchImageWithMode", kLock, kQuiet1, VkeDrwStretchImageWithMode, dst, dx, dy, dw, dh, src,
                sx, sy, sw, sh, mode);
}

int CmnImg::DrawText(HDC dc, const LOGFONTA* font, int x, int y, const char* text, int length, BYTE alpha,
                     double angle, int flip, int centreX, int centreY)
{
    return Pass(*this, "DrawText", kLock, kQuiet, VkeDrwDrawText, dc, font, x, y, text, length, alpha, angle, flip,
                centreX, centreY);
}

int CmnImg::FillRectangle(HDC dc, const RECT* rect, COLORREF color, BYTE alpha)
{
    return Pass(*this, "FillRectangle", kLock, kQuiet, VkeDrwFillRectangle, dc, rect, color, alpha);
}

int CmnImg::CopyScreen(Drm* drm, int x, int y, int width, int height, int bitCount)
{
    return Pass(*this, "CopyScreen", kLock, kQuiet, VkeDrwCopyScreen, drm, x, y, width, height, bitCount);
}

int CmnImg::WriteScreenDIB(const char* path, Drm* drm, int x, int y, int width, int height, int bitCount)
{
    return Pass(*this, "WriteScreenDIB", kLock, kQuiet, VkeDrwWriteScreenDIB, path, drm, x, y, width, height,
                bitCount);
}

int CmnImg::CopyDrm(Drm* dst, Drm* src)
{
    return Pass(*this, "CopyDrm", kLock, kQuiet1 | kQuiet13, VkeDrwCopyDrm, dst, src);
}

int CmnImg::DupDrm(Drm** out, Drm* src)
{
    return Pass(*this, "DupDrm", kLock, kQuiet1 | kQuiet13, VkeDrwDupDrm, out, src);
}

int CmnImg::SetDrm(Drm* src) { return Pass(*this, "SetDrm", kLock, kQuiet1 | kQuiet13, VkeDrwSetDrm, src); }

int CmnImg::GetDrm(Drm* dst) { return Pass(*this, "GetDrm", kLock, kQuiet1 | kQuiet13, VkeDrwGetDrm, dst); }

int CmnImg::CopyDIBToClb(HWND owner, HBITMAP bitmap)
{
    return Pass(*this, "CopyDIBToClb", kLock, kQuiet, VkeDrwCopyDIBToClb, owner, bitmap);
}

int CmnImg::CopyDrmToClb(HWND owner, Drm* drm)
{
    return Pass(*this, "CopyDrmToClb", kLock, kQuiet1 | kQuiet13, VkeDrwCopyDrmToClb, owner, drm);
}

int CmnImg::CopyDrmToClb(HWND owner, Drm* drm, COLORREF color)
{
    return Pass(*this, "CopyDrmToClb", kLock, kQuiet1 | kQuiet13, VkeDrwCopyDrmToClbWithColor, owner, drm, color);
}

int CmnImg::CopyClbToDIB(HWND owner, HBITMAP* out, int* type, float* xRes, float* yRes)
{
    return Pass(*this, "CopyClbToDIB", kLock, kQuiet1 | kQuiet12 | kQuiet13, VkeDrwCopyClbToDIB, owner, out, type,
                xRes, yRes);
}

int CmnImg::CopyClbToDrm(HWND owner, Drm* drm, int* type, float* xRes, float* yRes)
{
    return Pass(*this, "CopyClbToDrm", kLock, kQuiet1 | kQuiet12 | kQuiet13, VkeDrwCopyClbToDrm, owner, drm, type,
                xRes, yRes);
}

void CmnImg::FillBack(HDC dc, const RECT& rect, COLORREF color)
{
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    ::SelectClipRgn(dc, nullptr);
    CDCSave saved(dc);
    ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

int CmnImg::ShowOnDra(VkiDra* dra, const CmnVarPthImg& img, int mode, int num, int den)
{
    RECT extent = img.hImg ? RECT{0, 0, img.iWidth, img.iHeight} : RECT{0, 0, 1, 1};
    HPALETTE palette = nullptr;
    int rc = VKE_OK;
    if (img.hImg && img.iBitCnt >= 1 && img.iBitCnt <= 8) rc = OpenPalette(&palette, img.hImg, 0, 0);
    if (rc == VKE_OK) rc = VkeDraSetPaletteHandle(dra, palette);
    if (palette) ClosePalette(&palette);
    if (rc != VKE_OK) return rc;
    // An area that fits already fits the new content in one layout: laid out at the scale it has,
    // it fits it to the window at once. The scale it has may not take the new content (too
    // large): then, as for every other mode, from 1:1.
    int now = 0, n = 0, d = 0;
    if ((mode == 2 || mode == 3) && VkeDraGetScaleMode(dra, &now) == VKE_OK && now == mode &&
        VkeDraGetScale(dra, &n, &d) == VKE_OK && n >= 1 && d >= 1) {
        const long long w = static_cast<long long>(extent.right) * n / d, h = static_cast<long long>(extent.bottom) * n / d;
        if (w >= 1 && h >= 1 && w <= INT_MAX && h <= INT_MAX) return VkeDraMove(dra, nullptr, &extent);
    }
    rc = VkeDraSetScale(dra, 1, 1);
    if (rc == VKE_OK) rc = VkeDraMove(dra, nullptr, &extent);
    if (rc == VKE_OK) rc = VkeDraSetScaleMode(dra, mode, num, den);
    return rc;
}
