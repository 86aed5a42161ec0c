// Image files through GDI+: type, encoders and dialog filters, open, save, rotate and reflect.
// Every GDI+ object and the screen DC live for one call only, so a worker thread holding the
// program's image lock may call in.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwImg"
#include "VkiDrw.h"
#include "VkiGdp.h"
#include "VkiImgHdr.h"
#include "VkiScr.h"
#include "VkiSub.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include <io.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

const char* const kMime[] = {"", "image/jpeg", "image/bmp", "image/gif", "image/tiff", "image/png"};
const int kTypeCount = 5;

// Bit count of a GDI+ pixel format.
int BitsOfFormat(Gdiplus::PixelFormat f)
{
    switch (f) {
    case 0x30101: return 1;
    case 0x30402: return 4;
    case 0x30803: return 8;
    case 0x101004:
    case 0x21005:
    case 0x21006:
    case 0x61007: return 16;
    case 0x21808: return 24;
    default: return 32;
    }
}

// Narrow text in the ANSI code page to wide; false when it does not fit.
bool ToWide(const char* text, WCHAR* out, int size)
{
    return MultiByteToWideChar(CP_ACP, 0, text, -1, out, size) > 0;
}

// Wide text to narrow; the empty text when it does not fit.
std::string ToNarrow(const WCHAR* text)
{
    if (!text) return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
}

// Appends src to dest of size bytes, cut on a character boundary (-13).
int Concat(char* dest, const char* src, int size)
{
    int len = VkiStrLen(dest, size);
    if (len >= size) return VKE_ERR_CUT;
    return VkiCopyStr(dest + len, src, size - len);
}

// The pixels of a bitmap as 32-bit BGRX rows, bottom-up.
bool ReadPixels32(HBITMAP bitmap, int width, int height, std::vector<DWORD>* out)
{
    VkiScreenDC screen;
    if (!screen.Get()) return false;
    out->resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    VkiBitmapInfo info;
    memset(&info, 0, sizeof(info));
    VkiFillHeader(&info.h, width, height, 32);
    return GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), out->data(), info.Get(), DIB_RGB_COLORS) ==
           height;
}

// The resolutions in a DIB section's header, in dots per inch (0 when it has none).
void DibResolution(HBITMAP bitmap, float* xRes, float* yRes)
{
    DIBSECTION ds;
    if (GetObjectA(bitmap, sizeof(ds), &ds) != sizeof(ds)) return;
    *xRes = static_cast<float>(round(ds.dsBmih.biXPelsPerMeter * 0.0254));
    *yRes = static_cast<float>(round(ds.dsBmih.biYPelsPerMeter * 0.0254));
}

// A bitmap file read by the system into a DIB section of its own depth and colour table.
HBITMAP LoadBitmapFile(const char* path)
{
    return static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

// A whole file into bytes; false when it cannot be read (or is over 2 GB).
bool ReadWholeFile(const char* path, std::vector<BYTE>* out)
{
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    long long size = _filelengthi64(_fileno(f));
    bool ok = size >= 0 && size <= 0x7FFFFFFF;
    if (ok) {
        out->resize(static_cast<size_t>(size));
        ok = fread(out->data(), 1, out->size(), f) == out->size();
    }
    fclose(f);
    return ok;
}

// ---- Fields the platform's encoders write wrong ----
// Wine's encoders (checked, Wine 8.0) give a bitmap file with a colour table a file size without
// the table, and write a TIFF colour map as 8-bit values times 256 instead of 257, so white is
// 0xFF00 and other readers see 254. Both are mended in the written file; a file that has them
// right (Windows) is left as it is.

unsigned Get16(const std::vector<BYTE>& f, size_t at, bool little)
{
    return little ? f[at] | f[at + 1] << 8 : f[at] << 8 | f[at + 1];
}

unsigned long Get32(const std::vector<BYTE>& f, size_t at, bool little)
{
    return little ? Get16(f, at, true) | static_cast<unsigned long>(Get16(f, at + 2, true)) << 16
                  : static_cast<unsigned long>(Get16(f, at, false)) << 16 | Get16(f, at + 2, false);
}

bool MendBitmapSize(std::vector<BYTE>& f)
{
    if (f.size() < sizeof(BITMAPFILEHEADER) || f[0] != 'B' || f[1] != 'M') return false;
    const DWORD size = static_cast<DWORD>(f.size());
    if (Get32(f, 2, true) == size) return false;
    memcpy(&f[2], &size, sizeof(size));
    return true;
}

bool MendTiffColourMap(std::vector<BYTE>& f)
{
    const bool little = f.size() >= 8 && f[0] == 'I' && f[1] == 'I';
    if (f.size() < 8 || (!little && !(f[0] == 'M' && f[1] == 'M'))) return false;
    const size_t ifd = Get32(f, 4, little);
    if (ifd > f.size() - 2) return false;
    const unsigned entries = Get16(f, ifd, little);
    for (unsigned i = 0; i < entries && ifd + 2 + 12 * (i + 1) <= f.size(); ++i) {
        const size_t e = ifd + 2 + 12 * i;
        const unsigned kColourMap = 320, kShort = 3;
        if (Get16(f, e, little) != kColourMap || Get16(f, e + 2, little) != kShort) continue;
        const size_t count = Get32(f, e + 4, little), at = Get32(f, e + 8, little);
        if (count < 3 || count > 3 * 65536 || at > f.size() || count * 2 > f.size() - at) return false;
        // Values times 256 have no low byte; a map that has one, or only black, is right.
        bool any = false;
        for (size_t k = 0; k < count; ++k) {
            const unsigned v = Get16(f, at + 2 * k, little);
            if (v & 0xFF) return false;
            any = any || v != 0;
        }
        for (size_t k = 0; any && k < count; ++k) {
            BYTE* p = &f[at + 2 * k];
            p[little ? 0 : 1] = p[little ? 1 : 0];
        }
        return any;
    }
    return false;
}

// The written file mended as its type needs; false when it cannot be read or written again.
bool MendWrittenFile(const WCHAR* path, int type)
{
    if (type != 2 && type != 4) return true;
    std::vector<BYTE> f;
    FILE* in = _wfopen(path, L"rb");
    if (!in) return false;
    long long size = _filelengthi64(_fileno(in));
    bool ok = size >= 0 && size <= 0x7FFFFFFF;
    if (ok) {
        f.resize(static_cast<size_t>(size));
        ok = fread(f.data(), 1, f.size(), in) == f.size();
    }
    fclose(in);
    if (!ok || !(type == 2 ? MendBitmapSize(f) : MendTiffColourMap(f))) return ok;
    FILE* out = _wfopen(path, L"wb");
    if (!out) return false;
    ok = fwrite(f.data(), 1, f.size(), out) == f.size();
    return fclose(out) == 0 && ok;
}

// A GDI+ bitmap made from a DIB; the caller disposes of it.
int ImageFromBitmap(HBITMAP bitmap, VkiGdpImage* image)
{
    return Gdp::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, image->Out()) == Gdiplus::Ok ? VKE_OK : VKE_ERR_MEMORY;
}

// A DIB of a GDI+ bitmap over opaque black.
int BitmapFromImage(Gdiplus::GpBitmap* image, HBITMAP* out)
{
    HBITMAP made = nullptr;
    if (Gdp::GdipCreateHBITMAPFromBitmap(image, &made, 0xFF000000) != Gdiplus::Ok || !made) return VKE_ERR_MEMORY;
    *out = made;
    return VKE_OK;
}

} // namespace

// ---- Paths and encoders ----

int VkiDrw::CheckPath(const char* path, char* full, int size, bool reading)
{
    if (!m_pSub) return VKE_ERR_NOT_INIT;
    int rc = m_pSub->GetPathName(full, path, size);
    if (rc != VKE_OK) return rc;
    int is = 0;
    if ((rc = m_pSub->IsDrive(full, &is)) != VKE_OK) return rc;
    if (is) return VKE_ERR_ARG;
    if ((rc = m_pSub->IsDirectory(full, &is)) != VKE_OK) return rc;
    if (is) return VKE_ERR_ARG;
    if (!reading) return VKE_OK;
    if ((rc = m_pSub->IsExistPath(full, &is)) != VKE_OK) return rc;
    return is ? VKE_OK : VKE_ERR_NOT_FOUND;
}

const Gdiplus::ImageCodecInfo* VkiDrw::FindEncoder(const char* mimeType) const
{
    WCHAR wide[256];
    if (!ToWide(mimeType, wide, 256)) return nullptr;
    for (int i = 0; i < m_iEncCnt; ++i)
        if (m_pEncList[i].MimeType && wcscmp(m_pEncList[i].MimeType, wide) == 0) return &m_pEncList[i];
    return nullptr;
}

int VkiDrw::GetEncClsId(const char* mimeType, CLSID* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !mimeType) return VKE_ERR_ARG;
    memset(out, 0, sizeof(CLSID));
    if (!m_pEncList) return VKE_ERR_SYSTEM;
    const Gdiplus::ImageCodecInfo* enc = FindEncoder(mimeType);
    if (!enc) return VKE_ERR_NOT_FOUND;
    *out = enc->Clsid;
    return VKE_OK;
}

int VkiDrw::GetEncClsIdByImgTyp(int type, CLSID* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (type < 1 || type > kTypeCount) {
        memset(out, 0, sizeof(CLSID));
        return VKE_ERR_ARG;
    }
    return GetEncClsId(kMime[type], out);
}

int VkiDrw::TypeOfImage(Gdiplus::GpBitmap* image, int* type)
{
    *type = 0;
    GUID format;
    if (Gdp::GdipGetImageRawFormat(image, &format) != Gdiplus::Ok) return VKE_OK;
    if (!m_pEncList) return VKE_ERR_SYSTEM;
    for (int i = 0; i < m_iEncCnt; ++i) {
        if (!IsEqualGUID(m_pEncList[i].FormatID, format)) continue;
        for (int t = 1; t <= kTypeCount; ++t) {
            WCHAR wide[32];
            ToWide(kMime[t], wide, 32);
            if (m_pEncList[i].MimeType && wcscmp(m_pEncList[i].MimeType, wide) == 0) *type = t;
        }
        break;
    }
    return VKE_OK;
}

int VkiDrw::GetImageType(const char* path, int* type)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !type) return VKE_ERR_ARG;
    *type = 0;
    char full[1024];
    int rc = CheckPath(path, full, sizeof(full), true);
    if (rc != VKE_OK) return rc;
    WCHAR wide[1024];
    if (!ToWide(full, wide, 1024)) return VKE_ERR_ARG;
    if (VkiReadImgHdr(full) == VKI_IMG_GIF_NO_COLORS) return VKE_OK;
    VkiGdpImage image;
    if (Gdp::GdipCreateBitmapFromFile(wide, image.Out()) != Gdiplus::Ok) return VKE_OK;
    return TypeOfImage(image.Get(), type);
}

int VkiDrw::GetFilter(int kind, char* filter, char* extensions, int filterSize, int extensionsSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    bool known = kind == -1 || kind == -2 || kind == -3 || (kind >= 1 && kind <= kTypeCount);
    if (!known || !filter || !extensions || filterSize < 1 || extensionsSize < 1) return VKE_ERR_ARG;
    int rc = FillFilter(kind, filter, extensions, filterSize, extensionsSize);
    if (rc != VKE_OK) {
        filter[0] = '\0';
        extensions[0] = '\0';
    }
    return rc;
}

int VkiDrw::FillFilter(int kind, char* filter, char* extensions, int filterSize, int extensionsSize)
{
    filter[0] = extensions[0] = '\0';
    if (!m_pEncList) return VKE_ERR_SYSTEM;
    auto msg = [this](int no) { return m_pSub ? m_pSub->MsgText(no) : ""; };
    int rc = VKE_OK;
    switch (kind) {
    case -1:
        rc = VkiCopyStr(filter, msg(8), filterSize);
        if (rc == VKE_OK) rc = VkiCopyStr(extensions, msg(11), extensionsSize);
        return rc;
    case -3:
        rc = VkiCopyStr(filter, msg(10), filterSize);
        if (rc == VKE_OK) rc = VkiCopyStr(extensions, msg(12), extensionsSize);
        return rc;
    case -2: {
        rc = VkiCopyStr(filter, msg(9), filterSize);
        bool any = false;
        for (int t = 1; t <= kTypeCount && rc == VKE_OK; ++t) {
            const Gdiplus::ImageCodecInfo* enc = FindEncoder(kMime[t]);
            if (!enc) continue;
            std::string ext = ToNarrow(enc->FilenameExtension);
            if (ext.empty()) return VKE_ERR_NOT_FOUND;
            if (any) rc = Concat(extensions, ";", extensionsSize);
            if (rc == VKE_OK) rc = Concat(extensions, ext.c_str(), extensionsSize);
            any = true;
        }
        if (rc == VKE_OK && any) rc = Concat(extensions, ";", extensionsSize);
        if (rc == VKE_OK) rc = Concat(extensions, msg(11), extensionsSize);
        return rc;
    }
    default: {
        const Gdiplus::ImageCodecInfo* enc = FindEncoder(kMime[kind]);
        if (!enc) return VKE_ERR_NOT_FOUND;
        std::string desc = ToNarrow(enc->FormatDescription), ext = ToNarrow(enc->FilenameExtension);
        if (desc.empty() || ext.empty()) return VKE_ERR_NOT_FOUND;
        rc = VkiCopyStr(filter, desc.c_str(), filterSize);
        if (rc == VKE_OK) rc = VkiCopyStr(extensions, ext.c_str(), extensionsSize);
        return rc;
    }
    }
}

// ---- Bitmaps ----

int VkiDrw::GetImageInf(HBITMAP bitmap, int* width, int* height, int* bitCount)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!width || !height || !bitCount) return VKE_ERR_ARG;
    *width = *height = *bitCount = 0;
    BITMAPINFOHEADER h;
    int rc = VkiReadHeader(nullptr, bitmap, &h);
    if (rc != VKE_OK) return rc;
    int w = abs(h.biWidth), hh = abs(h.biHeight);
    if (w < 1 || hh < 1 || !VkiIsBitCnt(h.biBitCount)) return VKE_ERR_ARG;
    *width = w;
    *height = hh;
    *bitCount = h.biBitCount;
    return VKE_OK;
}

int VkiDrw::CloseImage(HBITMAP* bitmap)
{
    if (!bitmap) return VKE_ERR_ARG;
    if (*bitmap) DeleteObject(*bitmap);
    *bitmap = nullptr;
    return VKE_OK;
}

// ---- Open ----

int VkiDrw::OpenImage(const char* path, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !out || !type || !xRes || !yRes || !typeKnown) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    *type = *typeKnown = 0;
    *xRes = *yRes = 0;
    char full[1024];
    int rc = CheckPath(path, full, sizeof(full), true);
    if (rc != VKE_OK) return rc;
    OpenedImage got;
    rc = DecodeImage(full, &got);
    if (rc != VKE_OK) return rc;
    *out = got.bitmap.Release();
    *type = got.type ? got.type : 2;
    *typeKnown = got.type ? 1 : 0;
    *xRes = got.xRes;
    *yRes = got.yRes;
    return VKE_OK;
}

int VkiDrw::DecodeImage(const char* full, OpenedImage* got)
{
    WCHAR wide[1024];
    if (!ToWide(full, wide, 1024)) return VKE_ERR_ARG;
    VkiImgHdr header = VkiReadImgHdr(full);
    if (header == VKI_IMG_GIF_NO_COLORS) return VKE_NOT_DONE;
    VkiGdpImage image;
    if (Gdp::GdipCreateBitmapFromFile(wide, image.Out()) != Gdiplus::Ok) {
        // A bitmap file GDI+ refuses (unusual bit-field masks, 52- or 56-byte headers under Wine) is
        // read as Windows' own GDI+ would read it.
        if (header == VKI_IMG_BITMAP && DecodeBitmapFile(full, got) == VKE_OK) return VKE_OK;
        return DecodeCursor(full, got);
    }
    int rc = TypeOfImage(image.Get(), &got->type);
    if (rc != VKE_OK) return rc;
    UINT w = 0, h = 0;
    if (Gdp::GdipGetImageWidth(image.Get(), &w) != Gdiplus::Ok || Gdp::GdipGetImageHeight(image.Get(), &h) != Gdiplus::Ok ||
        w < 1 || h < 1 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
        return VKE_NOT_DONE;

    if (got->type == 2 && header == VKI_IMG_BITMAP) {
        // A bitmap file is read by the system as well, keeping its own depth and colour table.
        VkiGdiObj<HBITMAP> own(LoadBitmapFile(full));
        if (own) {
            DIBSECTION ds;
            if (GetObjectA(own, sizeof(ds), &ds) != sizeof(ds)) return VKE_ERR_ARG;
            if (ds.dsBm.bmWidth == static_cast<LONG>(w) && abs(ds.dsBm.bmHeight) == static_cast<LONG>(h)) {
                got->bitmap.Reset(own.Release());
                DibResolution(got->bitmap, &got->xRes, &got->yRes);
                return VKE_OK;
            }
        }
    }
    Gdiplus::REAL xr = 0, yr = 0;
    if (Gdp::GdipGetImageHorizontalResolution(image.Get(), &xr) != Gdiplus::Ok) xr = 0;
    if (Gdp::GdipGetImageVerticalResolution(image.Get(), &yr) != Gdiplus::Ok) yr = 0;
    got->xRes = xr;
    got->yRes = yr;
    Gdiplus::PixelFormat format = 0;
    if (Gdp::GdipGetImagePixelFormat(image.Get(), &format) != Gdiplus::Ok) format = 0;
    int want = BitsOfFormat(format);
    // Up to 24 bits the decoded pixels go straight into a DIB of their depth; 32 bits (alpha) go
    // through GDI+'s own bitmap over opaque black.
    if (want < 32 &&
        ReadIntoDIB(image.Get(), static_cast<int>(w), static_cast<int>(h), want, got->bitmap.Out()) == VKE_OK)
        return VKE_OK;
    rc = BitmapFromImage(image.Get(), got->bitmap.Out());
    int bw = 0, bh = 0, bits = 0;
    if (rc == VKE_OK) rc = GetImageInf(got->bitmap, &bw, &bh, &bits);
    if (rc != VKE_OK || want == bits) return rc;
    HBITMAP converted = nullptr;
    rc = CopyDIBWithImagePalette(&converted, got->bitmap, want, image.Get());
    if (rc != VKE_OK) return rc;
    got->bitmap.Reset(converted);
    return VKE_OK;
}

int VkiDrw::ReadIntoDIB(Gdiplus::GpBitmap* image, int width, int height, int bits, HBITMAP* out)
{
    const Gdiplus::PixelFormat formats[] = {0, PixelFormat1bppIndexed, 0, 0, PixelFormat4bppIndexed, 0, 0, 0,
                                            PixelFormat8bppIndexed};
    Gdiplus::PixelFormat format = bits <= 8 ? formats[bits] : bits == 16 ? PixelFormat16bppRGB555 : PixelFormat24bppRGB;
    VkiBitmapInfo info;
    memset(&info, 0, sizeof(info));
    VkiFillHeader(&info.h, width, height, bits);
    if (bits <= 8) {
        // The image's own palette is the colour table.
        INT size = 0;
        if (Gdp::GdipGetImagePaletteSize(image, &size) != Gdiplus::Ok || size < static_cast<INT>(sizeof(Gdiplus::ColorPalette)))
            return VKE_NOT_DONE;
        auto* pal = static_cast<Gdiplus::ColorPalette*>(calloc(1, static_cast<size_t>(size)));
        bool ok = pal && Gdp::GdipGetImagePalette(image, pal, size) == Gdiplus::Ok && pal->Count > 0;
        if (ok) {
            UINT n = pal->Count < static_cast<UINT>(VkiTableEntries(bits)) ? pal->Count : VkiTableEntries(bits);
            for (UINT i = 0; i < n; ++i) {
                Gdiplus::ARGB c = pal->Entries[i];
                info.c[i] = {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
            }
        }
        free(pal);
        if (!ok) return VKE_NOT_DONE;
    }
    VkiScreenDC screen;
    void* pixels = nullptr;
    VkiGdiObj<HBITMAP> dib(CreateDIBSection(screen.Get(), info.Get(), DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!dib) return VKE_ERR_MEMORY;
    // Bottom-up rows: GDI+ writes from the last row of the DIB upward.
    INT stride = static_cast<INT>(VkiStride(width, bits));
    Gdiplus::BitmapData data = {};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = -stride;
    data.PixelFormat = format;
    data.Scan0 = static_cast<BYTE*>(pixels) + static_cast<size_t>(stride) * static_cast<size_t>(height - 1);
    Gdiplus::GpRect all(0, 0, width, height);
    if (Gdp::GdipBitmapLockBits(image, &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, format,
                                &data) != Gdiplus::Ok)
        return VKE_NOT_DONE;
    Gdp::GdipBitmapUnlockBits(image, &data);
    *out = dib.Release();
    return VKE_OK;
}

int VkiDrw::DecodeBitmapFile(const char* full, OpenedImage* got)
{
    got->bitmap.Reset(LoadBitmapFile(full));
    if (got->bitmap) {
        DibResolution(got->bitmap, &got->xRes, &got->yRes);
        got->type = 2;
        return VKE_OK;
    }
    // Headers the system refuses too are read as the packed DIB after the file header.
    std::vector<BYTE> file;
    if (!ReadWholeFile(full, &file) || file.size() < sizeof(BITMAPFILEHEADER)) return VKE_NOT_DONE;
    BITMAPFILEHEADER fh;
    memcpy(&fh, file.data(), sizeof(fh));
    const size_t skip = sizeof(BITMAPFILEHEADER);
    VkiGdiObj<HBITMAP> stored;
    if (fh.bfOffBits <= skip ||
        PackedToDIB(nullptr, file.data() + skip, file.size() - skip, fh.bfOffBits - skip, stored.Out(), &got->xRes,
                    &got->yRes) != VKE_OK)
        return VKE_NOT_DONE;
    // Rows in bit fields end in the plain layout of their depth, as every other bitmap.
    DIBSECTION ds;
    if (GetObjectA(stored, sizeof(ds), &ds) != sizeof(ds)) return VKE_NOT_DONE;
    if (ds.dsBmih.biCompression != BI_BITFIELDS) got->bitmap.Reset(stored.Release());
    else if (CopyDIB(got->bitmap.Out(), stored) != VKE_OK) return VKE_NOT_DONE;
    got->type = 2;
    return VKE_OK;
}

int VkiDrw::DecodeCursor(const char* full, OpenedImage* got)
{
    VkiIcon cursor(static_cast<HICON>(LoadImageA(nullptr, full, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE)), true);
    if (!cursor) return VKE_NOT_DONE;
    int rc = CopyDIBByIcon(got->bitmap.Out(), cursor.Get(), nullptr);
    if (rc != VKE_OK) return rc;
    int w = 0, h = 0, bits = 0;
    rc = GetImageInf(got->bitmap, &w, &h, &bits);
    if (rc != VKE_OK) return rc;
    // What GDI+ cannot read has no known type; the DIB made here has no resolution.
    got->type = 0;
    DibResolution(got->bitmap, &got->xRes, &got->yRes);
    return VKE_OK;
}

// ---- Save ----

int VkiDrw::SaveImage(const char* path, HBITMAP bitmap, int type, float xRes, float yRes, int quality)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !bitmap || type < 1 || type > kTypeCount || quality < -1 || quality > 100) return VKE_ERR_ARG;
    if (type != 1 || quality == -1) return SaveImageWithEncPrm(path, bitmap, type, xRes, yRes, nullptr);
    ULONG value = static_cast<ULONG>(quality);
    Gdiplus::EncoderParameters params;
    params.Count = 1;
    params.Parameter[0].Guid = VkiGdpQualityId;
    params.Parameter[0].NumberOfValues = 1;
    params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    params.Parameter[0].Value = &value;
    return SaveImageWithEncPrm(path, bitmap, type, xRes, yRes, &params);
}

int VkiDrw::SaveImageWithEncPrm(const char* path, HBITMAP bitmap, int type, float xRes, float yRes,
                                const Gdiplus::EncoderParameters* params)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !bitmap || type < 1 || type > kTypeCount) return VKE_ERR_ARG;
    // A JPEG quality that the platform's encoder would drop is written by the engine's own.
    int quality = -1;
    if (type == 1 && UseOwnJpeg(params, &quality)) return SaveOwnJpeg(path, bitmap, xRes, yRes, quality);
    char full[1024];
    int rc = CheckSavePath(path, full, sizeof(full));
    if (rc != VKE_OK) return rc;
    int w = 0, h = 0, bits = 0;
    rc = GetImageInf(bitmap, &w, &h, &bits);
    if (rc != VKE_OK) return rc;

    // GIF is written from 8 bits only: anything else is brought to 8 bits first.
    VkiGdiObj<HBITMAP> eight;
    if (type == 3 && bits != 8) {
        rc = MakeEightBit(bitmap, w, h, bits, eight.Out());
        if (rc != VKE_OK) return rc;
    }
    VkiGdpImage image;
    rc = ImageFromBitmap(eight ? eight.Get() : bitmap, &image);
    CLSID clsid;
    if (rc == VKE_OK) rc = GetEncClsIdByImgTyp(type, &clsid);
    if (rc == VKE_OK && (xRes == 0 || yRes == 0)) {
        VkiScreenDC screen;
        if (!screen.Get()) rc = VKE_ERR_MEMORY;
        else {
            xRes = static_cast<float>(GetDeviceCaps(screen.Get(), LOGPIXELSX));
            yRes = static_cast<float>(GetDeviceCaps(screen.Get(), LOGPIXELSY));
        }
    }
    if (rc == VKE_OK && Gdp::GdipBitmapSetResolution(image.Get(), xRes, yRes) != Gdiplus::Ok) rc = VKE_NOT_DONE;
    if (rc != VKE_OK) return rc;
    return WriteReplacing(full, w, h, [&](const WCHAR* temp) {
        return Gdp::GdipSaveImageToFile(image.Get(), temp, &clsid, params) == Gdiplus::Ok && MendWrittenFile(temp, type);
    });
}

int VkiDrw::WriteReplacing(const char* full, int width, int height, const std::function<bool(const WCHAR*)>& write)
{
    // A temporary file beside the target, read back, then put in its place: a failure leaves the
    // target as it was and nothing else behind.
    char dir[1024], temp[1024];
    WCHAR wide[1024];
    if (m_pSub->GetDirPath(dir, full, sizeof(dir)) != VKE_OK ||
        m_pSub->GetTempPathName(temp, dir, sizeof(temp), 1) != VKE_OK)
        return VKE_NOT_DONE;
    bool ok = ToWide(temp, wide, 1024) && write(wide) && VkiGdpReadsBack(wide, width, height) &&
              MoveFileExA(temp, full, MOVEFILE_REPLACE_EXISTING);
    if (!ok) DeleteFileA(temp);
    return ok ? VKE_OK : VKE_NOT_DONE;
}

int VkiDrw::MakeEightBit(HBITMAP bitmap, int width, int height, int bits, HBITMAP* out)
{
    // 1 and 4 bits keep their own colours at the front of the table.
    if (bits < 8) {
        RGBQUAD table[256] = {};
        int n = 0;
        ReadColorTable(bitmap, table, &n);
        return StretchCore(out, width, height, bitmap, 0, 0, width, height, 8, 0, nullptr, 0, table, n);
    }
    std::vector<DWORD> px;
    if (!ReadPixels32(bitmap, width, height, &px)) return VKE_ERR_ARG;
    // Up to 256 distinct colours become an exact table; more use the halftone palette.
    std::unordered_map<DWORD, BYTE> index;
    RGBQUAD table[256] = {};
    bool exact = true;
    for (DWORD& p : px) {
        p &= 0xFFFFFF;
        if (index.count(p)) continue;
        if (index.size() == 256) {
            exact = false;
            break;
        }
        BYTE i = static_cast<BYTE>(index.size());
        index[p] = i;
        table[i] = {static_cast<BYTE>(p), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p >> 16), 0};
    }
    if (!exact) {
        VkiScreenDC screen;
        VkiGdiObj<HPALETTE> half(CreateHalftonePalette(screen.Get()));
        PALETTEENTRY e[256] = {};
        UINT n = half ? GetPaletteEntries(half, 0, 256, e) : 0;
        for (UINT i = 0; i < n; ++i) table[i] = {e[i].peBlue, e[i].peGreen, e[i].peRed, 0};
        return StretchCore(out, width, height, bitmap, 0, 0, width, height, 8, 0, nullptr, 0, table,
                           static_cast<int>(n));
    }
    VkiGdiObj<HBITMAP> made;
    int rc = CreateDIB(nullptr, width, height, 8, made.Out());
    if (rc != VKE_OK) return rc;
    DIBSECTION ds;
    if (GetObjectA(made, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) return VKE_ERR_MEMORY;
    BYTE* rows = static_cast<BYTE*>(ds.dsBm.bmBits);
    DWORD last = px[0];
    BYTE lastIndex = index[last];
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            DWORD p = px[static_cast<size_t>(y) * width + x];
            if (p != last) {
                last = p;
                lastIndex = index[p];
            }
            rows[static_cast<size_t>(y) * ds.dsBm.bmWidthBytes + x] = lastIndex;
        }
    }
    {
        VkiMemDC dc;
        VkiSelect sel(dc, made);
        if (sel.Ok()) SetDIBColorTable(dc, 0, static_cast<UINT>(index.size()), table);
    }
    *out = made.Release();
    return VKE_OK;
}

void VkiDrw::ReadColorTable(HBITMAP bitmap, RGBQUAD* table, int* count)
{
    *count = 0;
    VkiMemDC dc;
    VkiSelect sel(dc, bitmap);
    if (sel.Ok()) *count = static_cast<int>(GetDIBColorTable(dc, 0, 256, table));
}

// ---- Rotate and reflect ----

int VkiDrw::RotateImage(HBITMAP* out, HBITMAP src, double angle)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    if (!src) return VKE_ERR_ARG;
    int how = angle == 90 ? Gdiplus::Rotate90FlipNone
              : angle == 180 ? Gdiplus::Rotate180FlipNone
              : angle == 270 ? Gdiplus::Rotate270FlipNone : -1;
    if (how < 0) return VKE_ERR_ARG;
    return TurnImage(out, src, how);
}

int VkiDrw::ReflectImage(HBITMAP* out, HBITMAP src, int direction)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    if (!src || (direction != 0 && direction != 1)) return VKE_ERR_ARG;
    return TurnImage(out, src, direction == 0 ? Gdiplus::RotateNoneFlipX : Gdiplus::RotateNoneFlipY);
}

namespace {

// A DIB section's rows, the top row first whichever way up they are stored.
struct DibRows {
    BYTE* bits;
    size_t stride;
    int height;
    bool bottomUp;
    BYTE* Row(int y) const { return bits + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride; }
};

// Where pixel (x, y) of the turned image comes from: (x0 + xx x + xy y, y0 + yx x + yy y).
struct TurnMap {
    int x0, xx, xy, y0, yx, yy;
};

TurnMap MapOf(int how, int w, int h)
{
    switch (how) {
    case Gdiplus::Rotate90FlipNone: return {0, 0, 1, h - 1, -1, 0};
    case Gdiplus::Rotate180FlipNone: return {w - 1, -1, 0, h - 1, 0, -1};
    case Gdiplus::Rotate270FlipNone: return {w - 1, 0, -1, 0, 1, 0};
    case Gdiplus::RotateNoneFlipX: return {w - 1, -1, 0, 0, 0, 1};
    default: return {0, 1, 0, h - 1, 0, -1}; // RotateNoneFlipY
    }
}

// Every pixel of the source moved to its place in the result (w x h), tile by tile so that a
// quarter turn reads the source's columns from the cache.
template <int Bits>
void MovePixels(const DibRows& src, const DibRows& dst, int w, int h, const TurnMap& m)
{
    const int tile = 64;
    for (int ty = 0; ty < h; ty += tile) {
        for (int tx = 0; tx < w; tx += tile) {
            for (int y = ty; y < std::min(ty + tile, h); ++y) {
                BYTE* out = dst.Row(y);
                for (int x = tx; x < std::min(tx + tile, w); ++x) {
                    const int sx = m.x0 + m.xx * x + m.xy * y;
                    const BYTE* in = src.Row(m.y0 + m.yx * x + m.yy * y);
                    if constexpr (Bits >= 8) {
                        const size_t n = Bits / 8;
                        memcpy(out + x * n, in + sx * n, n);
                    } else {
                        // The leftmost pixel of a byte is in its high bits.
                        const int per = 8 / Bits, mask = (1 << Bits) - 1;
                        const int v = in[sx / per] >> ((per - 1 - sx % per) * Bits) & mask;
                        const int shift = (per - 1 - x % per) * Bits;
                        BYTE& b = out[x / per];
                        b = static_cast<BYTE>((b & ~(mask << shift)) | v << shift);
                    }
                }
            }
        }
    }
}

} // namespace

int VkiDrw::TurnImage(HBITMAP* out, HBITMAP src, int how)
{
    // The pixels themselves are moved, so every depth keeps its exact bits, colour table and
    // alpha (the platform's codecs match colours again and drop alpha). A bitmap that is no DIB
    // section is turned as a DIB section copy of itself.
    DIBSECTION ds;
    VkiGdiObj<HBITMAP> copy;
    if (GetObjectA(src, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) {
        int w = 0, h = 0, bits = 0;
        int rc = GetImageInf(src, &w, &h, &bits);
        if (rc == VKE_OK) rc = StretchCore(copy.Out(), w, h, src, 0, 0, w, h, bits, 0, nullptr, 0, nullptr, 0);
        if (rc != VKE_OK) return rc;
        if (GetObjectA(copy, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) return VKE_ERR_MEMORY;
        src = copy;
    }
    const int w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight, bits = ds.dsBm.bmBitsPixel;
    const bool quarter = how == Gdiplus::Rotate90FlipNone || how == Gdiplus::Rotate270FlipNone;
    const int tw = quarter ? h : w, th = quarter ? w : h;
    // The source's header with the sides exchanged, its masks or colour table.
    VkiBitmapInfo info;
    memset(&info, 0, sizeof(info));
    info.h = ds.dsBmih;
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    info.h.biWidth = tw;
    info.h.biHeight = th;
    info.h.biSizeImage = 0;
    if (quarter) std::swap(info.h.biXPelsPerMeter, info.h.biYPelsPerMeter);
    if (info.h.biCompression == BI_BITFIELDS) {
        memcpy(info.c, ds.dsBitfields, sizeof(ds.dsBitfields));
    } else if (bits <= 8) {
        int entries = 0;
        ReadColorTable(src, info.c, &entries);
        info.h.biClrUsed = static_cast<DWORD>(entries);
    }
    VkiScreenDC screen;
    void* pixels = nullptr;
    VkiGdiObj<HBITMAP> turned(CreateDIBSection(screen.Get(), info.Get(), DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!turned || !pixels) return VKE_ERR_MEMORY;
    GdiFlush();
    const DibRows from = {static_cast<BYTE*>(ds.dsBm.bmBits), static_cast<size_t>(ds.dsBm.bmWidthBytes), h,
                          ds.dsBmih.biHeight > 0};
    const DibRows to = {static_cast<BYTE*>(pixels), (static_cast<size_t>(tw) * bits + 31) / 32 * 4, th, true};
    const TurnMap m = MapOf(how, w, h);
    switch (bits) {
    case 1: MovePixels<1>(from, to, tw, th, m); break;
    case 4: MovePixels<4>(from, to, tw, th, m); break;
    case 8: MovePixels<8>(from, to, tw, th, m); break;
    case 16: MovePixels<16>(from, to, tw, th, m); break;
    case 24: MovePixels<24>(from, to, tw, th, m); break;
    case 32: MovePixels<32>(from, to, tw, th, m); break;
    default: return VKE_ERR_ARG;
    }
    *out = turned.Release();
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeDrwGetEncClsId(VkiDrw* drw, const char* mimeType, CLSID* out) { VKE_FRAME(drw, drw->Sub(), drw->GetEncClsId(mimeType, out)); }
VKE_API int VkeDrwGetEncClsIdByImgTyp(VkiDrw* drw, int type, CLSID* out) { VKE_FRAME(drw, drw->Sub(), drw->GetEncClsIdByImgTyp(type, out)); }
VKE_API int VkeDrwGetImageType(VkiDrw* drw, const char* path, int* type) { VKE_FRAME(drw, drw->Sub(), drw->GetImageType(path, type)); }
VKE_API int VkeDrwGetFilter(VkiDrw* drw, int kind, char* filter, char* extensions, int filterSize, int extensionsSize) { VKE_FRAME(drw, drw->Sub(), drw->GetFilter(kind, filter, extensions, filterSize, extensionsSize)); }
VKE_API int VkeDrwGetImageInf(VkiDrw* drw, HBITMAP bitmap, int* width, int* height, int* bitCount) { VKE_FRAME(drw, drw->Sub(), drw->GetImageInf(bitmap, width, height, bitCount)); }
VKE_API int VkeDrwOpenImage(VkiDrw* drw, const char* path, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown) { VKE_FRAME(drw, drw->Sub(), drw->OpenImage(path, out, type, xRes, yRes, typeKnown)); }
VKE_API int VkeDrwCloseImage(VkiDrw* drw, HBITMAP* bitmap) { VKE_FRAME(drw, drw->Sub(), drw->CloseImage(bitmap)); }
VKE_API int VkeDrwSaveImage(VkiDrw* drw, const char* path, HBITMAP bitmap, int type, float xRes, float yRes, int quality) { VKE_FRAME(drw, drw->Sub(), drw->SaveImage(path, bitmap, type, xRes, yRes, quality)); }
VKE_API int VkeDrwSaveImageWithEncPrm(VkiDrw* drw, const char* path, HBITMAP bitmap, int type, float xRes, float yRes, const Gdiplus::EncoderParameters* params) { VKE_FRAME(drw, drw->Sub(), drw->SaveImageWithEncPrm(path, bitmap, type, xRes, yRes, params)); }
VKE_API int VkeDrwRotateImage(VkiDrw* drw, HBITMAP* out, HBITMAP src, double angle) { VKE_FRAME(drw, drw->Sub(), drw->RotateImage(out, src, angle)); }
VKE_API int VkeDrwReflectImage(VkiDrw* drw, HBITMAP* out, HBITMAP src, int direction) { VKE_FRAME(drw, drw->Sub(), drw->ReflectImage(out, src, direction)); }
