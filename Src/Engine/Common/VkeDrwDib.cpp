// DIB operations: blank DIBs, copies, crops, bit-count conversion and stretches through the draw
// object's two work memories, packed memory DIBs, bitmap-file parts and files, and DC blits.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwImg"
#include "VkiAvg.h"
#include "VkiDrw.h"
#include "VkiGdp.h"
#include "VkiScr.h"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkeFrame.h"
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const DWORD kSrcCopy = 0xCC0020;

bool IsBitCntArg(int bits) { return bits == 0 || bits == -1 || VkiIsBitCnt(bits); }

// Resolution in dots per inch from pixels per metre, rounded half away from zero.
float PpmToDpi(LONG ppm) { return static_cast<float>(round(ppm * 0.0254)); }

// Copies the colour table of the bitmap selected in src to the one selected in dst.
void CopyColorTable(HDC dst, HDC src)
{
    RGBQUAD table[256];
    UINT n = GetDIBColorTable(src, 0, 256, table);
    if (n) SetDIBColorTable(dst, 0, n, table);
}

// The draw object's two work memories for one copy: the destination DIB in slot 1 and the source
// in slot 2. Both are empty again at the end of the scope: the source goes back to its owner, and
// a destination that was not taken is deleted.
class WorkMemories {
public:
    explicit WorkMemories(VkiDrw* drw) : m_drw(drw), m_dst(&drw->m_aDrm[1]), m_src(&drw->m_aDrm[2])
    {
        drw->EmptyDrm(m_dst);
    }
    ~WorkMemories()
    {
        HBITMAP back = nullptr;
        m_drw->DetachDrmDIB(m_src, &back);
        m_drw->EmptyDrm(m_dst);
    }
    WorkMemories(const WorkMemories&) = delete;
    WorkMemories& operator=(const WorkMemories&) = delete;

    // A destination of width x height at bits (reuse, taken over, when it has that size and depth;
    // else a new DIB), and the source.
    int Open(int width, int height, int bits, VkiGdiObj<HBITMAP>& reuse, HBITMAP source)
    {
        int rw = 0, rh = 0, rbits = 0;
        bool fits = reuse && m_drw->GetImageInf(reuse, &rw, &rh, &rbits) == VKE_OK && rw == width && rh == height &&
                    rbits == bits;
        int rc = VKE_OK;
        if (fits && m_drw->AttachDrmDIB(m_dst, reuse) == VKE_OK) reuse.Release();
        else rc = m_drw->CreateDrawMemory(m_dst, width, height, bits);
        return rc == VKE_OK ? m_drw->AttachDrmDIB(m_src, source) : rc;
    }
    HDC Dst() const { return m_dst->hDC; }
    HDC Src() const { return m_src->hDC; }
    // The destination DIB, now the caller's.
    HBITMAP Take()
    {
        HBITMAP made = nullptr;
        m_drw->DetachDrmDIB(m_dst, &made);
        return made;
    }

private:
    VkiDrw* m_drw;
    Drm* m_dst;
    Drm* m_src;
};

// A global block locked through the system object for the length of a scope.
class BlockLock {
public:
    BlockLock(VkiSys* sys, HGLOBAL h) : m_sys(sys), m_h(h) { m_rc = sys->LockHGlobal(h, &m_p); }
    ~BlockLock()
    {
        if (m_rc == VKE_OK) m_sys->UnlockHGlobal(m_h);
    }
    BlockLock(const BlockLock&) = delete;
    BlockLock& operator=(const BlockLock&) = delete;
    int Result() const { return m_rc; }
    BYTE* Bytes() const { return static_cast<BYTE*>(m_p); }

private:
    VkiSys* m_sys;
    HGLOBAL m_h;
    void* m_p = nullptr;
    int m_rc;
};

// The layout of a packed DIB, checked against the size of its block.
struct PackedLayout {
    VkiBitmapInfo info;  // header as 40 bytes, then masks or colour table
    size_t pixelOffset = 0;
    int width = 0, height = 0, bits = 0;
};

// rowsAt, when not 0, is where the rows start (a bitmap file says so); it may not point into the
// header or the table.
int ReadPackedLayout(const BYTE* block, size_t size, size_t rowsAt, PackedLayout* out)
{
    if (size < sizeof(BITMAPINFOHEADER)) return VKE_ERR_ARG;
    BITMAPINFOHEADER h;
    memcpy(&h, block, sizeof(h));
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size) return VKE_ERR_ARG;
    if (h.biWidth < 1 || h.biHeight == 0 || h.biHeight == LONG_MIN || h.biPlanes != 1) return VKE_ERR_ARG;
    if (!VkiIsBitCnt(h.biBitCount)) return VKE_ERR_ARG;
    bool fields = h.biCompression == BI_BITFIELDS;
    if (h.biCompression != BI_RGB && !(fields && (h.biBitCount == 16 || h.biBitCount == 32))) return VKE_ERR_ARG;
    size_t offset = h.biSize;
    size_t masks = 0, colors = 0;
    // Masks follow a 40-byte header; larger headers carry them inside.
    if (fields && h.biSize == sizeof(BITMAPINFOHEADER)) masks = 3;
    size_t full = static_cast<size_t>(VkiTableEntries(h.biBitCount));
    if (h.biBitCount <= 8) {
        colors = h.biClrUsed ? h.biClrUsed : full;
        if (colors > full) return VKE_ERR_ARG;
    } else {
        // Above 8 bits a colour count is an optional table that the rows follow.
        colors = h.biClrUsed;
        if (colors > 256) return VKE_ERR_ARG;
    }
    offset += (masks + colors) * sizeof(RGBQUAD);
    if (rowsAt) {
        if (rowsAt < offset) return VKE_ERR_ARG;
        offset = rowsAt;
    }
    long long rows = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
    long long image = VkiStride(h.biWidth, h.biBitCount) * rows;
    if (offset > size || static_cast<unsigned long long>(image) > size - offset) return VKE_ERR_ARG;

    memset(&out->info, 0, sizeof(out->info));
    out->info.h = h;
    out->info.h.biSize = sizeof(BITMAPINFOHEADER);
    if (fields) {
        if (masks) {
            memcpy(out->info.c, block + h.biSize, 3 * sizeof(DWORD));
        } else {
            // The masks of a V4 or V5 header sit right after the 40 bytes.
            if (h.biSize < sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD)) return VKE_ERR_ARG;
            memcpy(out->info.c, block + sizeof(BITMAPINFOHEADER), 3 * sizeof(DWORD));
        }
    }
    if (colors && full) memcpy(out->info.c, block + h.biSize + masks * sizeof(RGBQUAD), colors * sizeof(RGBQUAD));
    out->info.h.biClrUsed = full ? static_cast<DWORD>(colors) : 0;
    out->pixelOffset = offset;
    out->width = h.biWidth;
    out->height = static_cast<int>(rows);
    out->bits = h.biBitCount;
    return VKE_OK;
}

} // namespace

// ---- Bit counts and blank DIBs ----

int VkiDrw::ResolveBitCnt(int bits, int sourceBits, int* out)
{
    if (bits == 0 && sourceBits) bits = sourceBits;
    if (bits == 0 || bits == -1) return VkiScrBitCnt(out);
    if (!VkiIsBitCnt(bits)) return VKE_ERR_ARG;
    *out = bits;
    return VKE_OK;
}

int VkiDrw::GetDefaultBitCnt(int* bits)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!bits) return VKE_ERR_ARG;
    return VkiScrBitCnt(bits);
}

int VkiDrw::CreateDIB(HDC dc, int width, int height, int bits, HBITMAP* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || width < 1 || height < 1 || !IsBitCntArg(bits)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    VkiScreenDC screen;
    if (!screen.Get()) return VKE_ERR_MEMORY;
    int rc = ResolveBitCnt(bits, 0, &bits);
    if (rc != VKE_OK) return rc;
    VkiBitmapInfo info;
    memset(&info, 0, sizeof(info));
    VkiFillHeader(&info.h, width, height, bits);
    int entries = 0;
    if (VkiScrColorTable(dc, bits, info.c, &entries) != VKE_OK) return VKE_ERR_MEMORY;
    void* pixels = nullptr;
    HBITMAP made = CreateDIBSection(dc ? dc : screen.Get(), info.Get(), DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!made) return VKE_ERR_MEMORY;
    *out = made;
    return VKE_OK;
}

// ---- Copies and stretches ----

int VkiDrw::StretchCore(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width,
                        int height, int bits, int keepRatio, HBRUSH brush, int mode, const RGBQUAD* table,
                        int tableCount)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!inOut) return VKE_ERR_ARG;
    // The previous result is deleted unless it becomes this one; a result that is the source
    // itself is never reused, and so never deleted.
    VkiGdiObj<HBITMAP> prev(*inOut == src ? nullptr : *inOut);
    *inOut = nullptr;
    StretchJob job = {dstWidth, dstHeight, src, x, y, width, height, bits, keepRatio, brush, mode, table, tableCount};
    HBITMAP result = nullptr;
    int rc = StretchInto(job, prev, &result);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    *inOut = result;
    return rc;
}

int VkiDrw::StretchInto(const StretchJob& job, VkiGdiObj<HBITMAP>& reuse, HBITMAP* result)
{
    if (job.dstWidth < 1 || job.dstHeight < 1 || !job.src || job.width < 1 || job.height < 1 ||
        !IsBitCntArg(job.bits) || (job.keepRatio != 0 && job.keepRatio != 1))
        return VKE_ERR_ARG;
    int sw = 0, sh = 0, sbits = 0;
    int rc = GetImageInf(job.src, &sw, &sh, &sbits);
    if (rc != VKE_OK) return rc;
    if (job.x < 0 || job.y < 0 || job.x > sw - job.width || job.y > sh - job.height) return VKE_ERR_ARG;
    int bits = 0;
    rc = ResolveBitCnt(job.bits, sbits, &bits);
    if (rc != VKE_OK) return rc;

    int fitW = job.dstWidth, fitH = job.dstHeight, cut = VKE_OK;
    if (job.keepRatio) {
        if (!m_pSub) return VKE_ERR_NOT_INIT;
        rc = m_pSub->GetStretchFixedScaleSize(job.dstWidth, job.dstHeight, job.width, job.height, &fitW, &fitH);
        if (rc == VKE_ERR_CUT) cut = rc;
        else if (rc != VKE_OK) return rc;
    }
    bool fitted = job.keepRatio && !job.brush;
    WorkMemories work(this);
    rc = work.Open(fitted ? fitW : job.dstWidth, fitted ? fitH : job.dstHeight, bits, reuse, job.src);
    if (rc != VKE_OK) return rc;
    if (job.table && bits <= 8) SetDIBColorTable(work.Dst(), 0, static_cast<UINT>(job.tableCount), job.table);
    else if (bits == sbits && bits <= 8) CopyColorTable(work.Dst(), work.Src());
    int tx = 0, ty = 0, tw = job.dstWidth, th = job.dstHeight;
    if (job.keepRatio) {
        tw = fitW;
        th = fitH;
        if (job.brush) {
            RECT all = {0, 0, job.dstWidth, job.dstHeight};
            FillRect(work.Dst(), &all, job.brush);
            tx = (job.dstWidth - fitW) / 2;
            ty = (job.dstHeight - fitH) / 2;
        }
    }
    rc = StretchImageWithMode(work.Dst(), tx, ty, tw, th, work.Src(), job.x, job.y, job.width, job.height, job.mode);
    if (rc != VKE_OK) return rc;
    *result = work.Take();
    return cut;
}

int VkiDrw::StretchDIBWithBitCnt(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width,
                                 int height, int bits, int keepRatio, HBRUSH brush, int mode)
{
    return StretchCore(inOut, dstWidth, dstHeight, src, x, y, width, height, bits, keepRatio, brush, mode, nullptr, 0);
}

int VkiDrw::StretchDIB(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width,
                       int height, int keepRatio, HBRUSH brush, int mode)
{
    return StretchCore(inOut, dstWidth, dstHeight, src, x, y, width, height, 0, keepRatio, brush, mode, nullptr, 0);
}

int VkiDrw::CopyDIBRgnWithBitCnt(HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height, int bits)
{
    return StretchCore(inOut, width, height, src, x, y, width, height, bits, 0, nullptr, 0, nullptr, 0);
}

int VkiDrw::CopyDIBRgn(HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height)
{
    return CopyDIBRgnWithBitCnt(inOut, src, x, y, width, height, 0);
}

int VkiDrw::CopyDIBWithBitCnt(HBITMAP* inOut, HBITMAP src, int bits)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!inOut || !src) return VKE_ERR_ARG;
    int w = 0, h = 0, b = 0;
    int rc = GetImageInf(src, &w, &h, &b);
    if (rc != VKE_OK) return rc;
    return CopyDIBRgnWithBitCnt(inOut, src, 0, 0, w, h, bits);
}

int VkiDrw::CopyDIB(HBITMAP* inOut, HBITMAP src) { return CopyDIBWithBitCnt(inOut, src, 0); }

int VkiDrw::CopyDIBWithImagePalette(HBITMAP* inOut, HBITMAP src, int bits, Gdiplus::GpBitmap* image)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!inOut || !src) return VKE_ERR_ARG;
    int w = 0, h = 0, b = 0;
    int rc = GetImageInf(src, &w, &h, &b);
    if (rc != VKE_OK) return rc;
    // The palette of the decoded image, when GDI+ gives one, is the destination's colour table
    // before the copy, so every pixel finds its own entry.
    RGBQUAD table[256] = {};
    int count = 0;
    INT size = 0;
    if (bits >= 1 && bits <= 8 && image && Gdp::GdipGetImagePaletteSize(image, &size) == Gdiplus::Ok &&
        size >= static_cast<INT>(sizeof(Gdiplus::ColorPalette))) {
        auto* pal = static_cast<Gdiplus::ColorPalette*>(calloc(1, static_cast<size_t>(size)));
        if (pal && Gdp::GdipGetImagePalette(image, pal, size) == Gdiplus::Ok) {
            UINT most = static_cast<UINT>(VkiTableEntries(bits));
            UINT n = pal->Count < most ? pal->Count : most;
            for (UINT i = 0; i < n; ++i) {
                Gdiplus::ARGB c = pal->Entries[i];
                table[i] = {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
            }
            count = static_cast<int>(n);
        }
        free(pal);
    }
    return StretchCore(inOut, w, h, src, 0, 0, w, h, bits, 0, nullptr, 0, count ? table : nullptr, count);
}

int VkiDrw::CopyDIBByIcon(HBITMAP* inOut, HICON icon, HBRUSH brush)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!inOut || !icon) return VKE_ERR_ARG;
    ICONINFO ii = {};
    if (!GetIconInfo(icon, &ii)) return VKE_ERR_ARG;
    VkiGdiObj<HBITMAP> color(ii.hbmColor), mask(ii.hbmMask);
    VkiGdiObj<HBITMAP> prev(*inOut);
    *inOut = nullptr;
    HBITMAP shape = color ? color.Get() : mask.Get();
    if (!shape) return VKE_ERR_ARG;
    int w = 0, h = 0, bits = 0;
    int rc = GetImageInf(shape, &w, &h, &bits);
    if (rc != VKE_OK) return rc;
    // A monochrome icon's mask holds the AND and the XOR image one above the other.
    if (!color) h /= 2;
    if (h < 1) return VKE_ERR_ARG;

    WorkMemories work(this);
    rc = work.Open(w, h, bits, prev, shape);
    if (rc != VKE_OK) return rc;
    if (bits <= 8) CopyColorTable(work.Dst(), work.Src());
    if (brush) {
        RECT all = {0, 0, w, h};
        FillRect(work.Dst(), &all, brush);
    }
    if (!DrawIconEx(work.Dst(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL)) return VKE_ERR_MEMORY;
    *inOut = work.Take();
    return VKE_OK;
}

// ---- Device-context blits ----

int VkiDrw::StretchImageWithMode(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
                                 int mode)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dst || !src || dw < 1 || dh < 1 || sw < 1 || sh < 1 || mode < 0 || mode > HALFTONE) return VKE_ERR_ARG;
    // A halftone reduction averages the pixels it reduces, by the engine where the platform does
    // not; there the engine also enlarges, so that a clipped part matches the whole blit.
    int stretch = mode ? mode : GetStretchBltMode(dst);
    if (stretch == HALFTONE && !VkiHalftoneAverages() &&
        (VkiAverageBlit(dst, dx, dy, dw, dh, src, sx, sy, sw, sh) ||
         VkiEnlargeBlit(dst, dx, dy, dw, dh, src, sx, sy, sw, sh)))
        return VKE_OK;
    VkiStretchMode stretchMode(dst, mode);
    // A source with a flipped y axis is clipped to the rectangle read, so no row from outside it
    // comes along; a printer gets one more row above and below.
    SIZE vp = {}, win = {};
    GetViewportExtEx(src, &vp);
    GetWindowExtEx(src, &win);
    int pushed = 0;
    if ((vp.cy < 0) != (win.cy < 0)) {
        DrawInfo clip;
        ReadDrawInfo(src, &clip);
        clip.iClipLeft = sx;
        clip.iClipTop = sy;
        clip.iClipRight = sx + sw;
        clip.iClipBottom = sy + sh;
        int before = CountDrawInfo(src);
        if (PushDrawInfo(clip) == VKE_OK) pushed = CountDrawInfo(src) - before;
        if (GetDeviceCaps(dst, TECHNOLOGY) == DT_RASPRINTER) {
            sy -= 1;
            sh += 2;
        }
    }
    BOOL ok = StretchBlt(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, kSrcCopy);
    if (pushed) ResetDrawInfoCore(src, pushed);
    return ok ? VKE_OK : VKE_NOT_DONE;
}

int VkiDrw::StretchImage(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh)
{
    return StretchImageWithMode(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, 0);
}

int VkiDrw::CopyImageWithMode(HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height, int mode)
{
    return StretchImageWithMode(dst, dx, dy, width, height, src, sx, sy, width, height, mode);
}

int VkiDrw::CopyImage(HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height)
{
    return CopyImageWithMode(dst, dx, dy, src, sx, sy, width, height, 0);
}

// ---- Packed memory DIBs ----

int VkiDrw::DIBToMemDIB(HDC dc, HBITMAP bitmap, int bits, HGLOBAL* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !bitmap || !IsBitCntArg(bits)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    if (!m_pSys) return VKE_ERR_NOT_INIT;
    BITMAPINFOHEADER src;
    int rc = VkiReadHeader(dc, bitmap, &src);
    if (rc != VKE_OK) return rc;
    if (bits == 0 && !VkiIsBitCnt(src.biBitCount)) return VKE_ERR_SYSTEM;
    rc = ResolveBitCnt(bits, src.biBitCount, &bits);
    if (rc != VKE_OK) return rc;
    int w = abs(src.biWidth), h = abs(src.biHeight);
    if (w < 1 || h < 1) return VKE_ERR_ARG;
    long long image = VkiStride(w, bits) * h;
    size_t table = sizeof(RGBQUAD) * static_cast<size_t>(VkiTableEntries(bits));
    long long total = image + static_cast<long long>(table) + static_cast<long long>(sizeof(BITMAPINFOHEADER));
    if (total > 0x7FFFFFFF) return VKE_ERR_MEMORY;

    HGLOBAL block = nullptr;
    rc = m_pSys->AllocHGlobal(&block, static_cast<unsigned>(total));
    if (rc != VKE_OK) return rc;
    {
        BlockLock lock(m_pSys, block);
        rc = lock.Result();
        if (rc == VKE_OK) {
            VkiBitmapInfo info;
            memset(&info, 0, sizeof(info));
            VkiFillHeader(&info.h, w, h, bits);
            info.h.biXPelsPerMeter = src.biXPelsPerMeter;
            info.h.biYPelsPerMeter = src.biYPelsPerMeter;
            BITMAPINFOHEADER header = info.h;
            VkiScreenDC screen;
            HDC use = dc ? dc : screen.Get();
            BYTE* pixels = lock.Bytes() + sizeof(BITMAPINFOHEADER) + table;
            if (!use || !GetDIBits(use, bitmap, 0, static_cast<UINT>(h), pixels, info.Get(), DIB_RGB_COLORS)) {
                rc = VKE_ERR_ARG;
            } else {
                // The header as written: a full table follows, so no partial colour count.
                memcpy(lock.Bytes(), &header, sizeof(header));
                memcpy(lock.Bytes() + sizeof(header), info.c, table);
            }
        }
    }
    if (rc != VKE_OK) {
        m_pSys->FreeHGlobal(&block);
        return rc;
    }
    *out = block;
    return VKE_OK;
}

int VkiDrw::FreeMemDIB(HGLOBAL* mem)
{
    if (!mem) return VKE_ERR_ARG;
    if (!*mem) return VKE_OK;
    if (!m_pSys) return VKE_ERR_ARG;
    return m_pSys->FreeHGlobal(mem) == VKE_OK ? VKE_OK : VKE_ERR_ARG;
}

int VkiDrw::MemDIBToDIB(HDC dc, HGLOBAL mem, int bits, HBITMAP* out, int* type, float* xRes, float* yRes)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!mem || !out || !type || !xRes || !yRes || !IsBitCntArg(bits)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    if (!m_pSys) return VKE_ERR_NOT_INIT;
    *type = 0;
    *xRes = *yRes = 0;
    unsigned size = 0;
    int rc = m_pSys->GetGlobalSize(mem, &size);
    if (rc != VKE_OK) return rc;
    VkiGdiObj<HBITMAP> stored;
    float xr = 0, yr = 0;
    {
        BlockLock lock(m_pSys, mem);
        if (lock.Result() != VKE_OK) return lock.Result();
        rc = PackedToDIB(dc, lock.Bytes(), size, 0, stored.Out(), &xr, &yr);
        if (rc != VKE_OK) return rc;
    }
    HBITMAP result = nullptr;
    rc = CopyDIBWithBitCnt(&result, stored, bits);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    *out = result;
    *type = 2;
    *xRes = xr;
    *yRes = yr;
    return rc;
}

int VkiDrw::PackedToDIB(HDC dc, const BYTE* block, size_t size, size_t rowsAt, HBITMAP* out, float* xRes,
                        float* yRes)
{
    PackedLayout layout;
    int rc = ReadPackedLayout(block, size, rowsAt, &layout);
    if (rc != VKE_OK) return rc;
    // The stored rows go into a bottom-up DIB section of the stored depth.
    VkiBitmapInfo made = layout.info;
    made.h.biHeight = layout.height;
    VkiScreenDC screen;
    HDC use = dc ? dc : screen.Get();
    void* pixels = nullptr;
    VkiGdiObj<HBITMAP> dib(use ? CreateDIBSection(use, made.Get(), DIB_RGB_COLORS, &pixels, nullptr, 0) : nullptr);
    if (!dib || !SetDIBits(use, dib, 0, static_cast<UINT>(layout.height), block + layout.pixelOffset,
                           layout.info.Get(), DIB_RGB_COLORS))
        return VKE_ERR_ARG;
    *xRes = PpmToDpi(layout.info.h.biXPelsPerMeter);
    *yRes = PpmToDpi(layout.info.h.biYPelsPerMeter);
    *out = dib.Release();
    return VKE_OK;
}

// ---- Bitmap-file parts and files ----

int VkiDrw::GetDIBData(HDC dc, HBITMAP bitmap, int bits, BITMAPFILEHEADER** fileHeader,
                       BITMAPINFOHEADER** infoHeader, int* tableSize, RGBQUAD** table, int* imageSize, BYTE** pixels)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!fileHeader || !infoHeader || !tableSize || !table || !imageSize || !pixels) return VKE_ERR_ARG;
    *fileHeader = nullptr;
    *infoHeader = nullptr;
    *table = nullptr;
    *pixels = nullptr;
    *tableSize = *imageSize = 0;
    if (!bitmap || !IsBitCntArg(bits)) return VKE_ERR_ARG;
    BITMAPINFOHEADER src;
    int rc = VkiReadHeader(dc, bitmap, &src);
    if (rc != VKE_OK) return rc;
    int w = abs(src.biWidth), h = abs(src.biHeight);
    if (w < 1 || h < 1) return VKE_ERR_ARG;
    if (bits == 0 && !VkiIsBitCnt(src.biBitCount)) return VKE_ERR_SYSTEM;
    rc = ResolveBitCnt(bits, src.biBitCount, &bits);
    if (rc != VKE_OK) return rc;
    long long image = VkiStride(w, bits) * h;
    int tableBytes = static_cast<int>(sizeof(RGBQUAD)) * VkiTableEntries(bits);
    if (image + tableBytes + 54 > 0x7FFFFFFF) return VKE_ERR_MEMORY;

    auto* fh = static_cast<BITMAPFILEHEADER*>(calloc(1, sizeof(BITMAPFILEHEADER)));
    auto* ih = static_cast<BITMAPINFOHEADER*>(calloc(1, sizeof(BITMAPINFOHEADER)));
    auto* tb = tableBytes ? static_cast<RGBQUAD*>(calloc(1, static_cast<size_t>(tableBytes))) : nullptr;
    auto* px = static_cast<BYTE*>(calloc(1, static_cast<size_t>(image)));
    if (!fh || !ih || (tableBytes && !tb) || !px) {
        rc = VKE_ERR_MEMORY;
    } else {
        VkiBitmapInfo info;
        memset(&info, 0, sizeof(info));
        VkiFillHeader(&info.h, w, h, bits);
        info.h.biXPelsPerMeter = src.biXPelsPerMeter;
        info.h.biYPelsPerMeter = src.biYPelsPerMeter;
        *ih = info.h;
        VkiScreenDC screen;
        HDC use = dc ? dc : screen.Get();
        if (!use || !GetDIBits(use, bitmap, 0, static_cast<UINT>(h), px, info.Get(), DIB_RGB_COLORS)) {
            rc = VKE_ERR_ARG;
        } else {
            if (tb) memcpy(tb, info.c, static_cast<size_t>(tableBytes));
            fh->bfType = 0x4D42;
            fh->bfSize = static_cast<DWORD>(54 + tableBytes + image);
            fh->bfOffBits = static_cast<DWORD>(54 + tableBytes);
        }
    }
    if (rc != VKE_OK) {
        free(fh);
        free(ih);
        free(tb);
        free(px);
        return rc;
    }
    *fileHeader = fh;
    *infoHeader = ih;
    *table = tb;
    *pixels = px;
    *tableSize = tableBytes;
    *imageSize = static_cast<int>(image);
    return VKE_OK;
}

int VkiDrw::FreeDIBData(BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader, RGBQUAD** table,
                        BYTE** pixels)
{
    if (!fileHeader || !infoHeader || !table || !pixels) return VKE_ERR_ARG;
    free(*fileHeader);
    free(*infoHeader);
    free(*table);
    free(*pixels);
    *fileHeader = nullptr;
    *infoHeader = nullptr;
    *table = nullptr;
    *pixels = nullptr;
    return VKE_OK;
}

int VkiDrw::WriteDIBData(const char* path, const BITMAPFILEHEADER* fileHeader, const BITMAPINFOHEADER* infoHeader,
                         int tableSize, const RGBQUAD* table, int imageSize, const BYTE* pixels)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path || !fileHeader || !infoHeader || tableSize < 0 || imageSize < 0 || (tableSize > 0 && !table) ||
        (imageSize > 0 && !pixels))
        return VKE_ERR_ARG;
    char full[1024];
    int rc = CheckSavePath(path, full, sizeof(full));
    if (rc != VKE_OK) return rc;
    FILE* f = fopen(full, "wb");
    if (!f) return VKE_ERR_FILE;
    bool ok = fwrite(fileHeader, 1, 14, f) == 14 && fwrite(infoHeader, 1, 40, f) == 40 &&
              (tableSize == 0 || fwrite(table, 1, static_cast<size_t>(tableSize), f) == static_cast<size_t>(tableSize)) &&
              (imageSize == 0 || fwrite(pixels, 1, static_cast<size_t>(imageSize), f) == static_cast<size_t>(imageSize));
    if (fclose(f) != 0) ok = false;
    return ok ? VKE_OK : VKE_ERR_FILE;
}

int VkiDrw::WriteDIB(const char* path, HDC dc, HBITMAP bitmap, int bits)
{
    BITMAPFILEHEADER* fh = nullptr;
    BITMAPINFOHEADER* ih = nullptr;
    RGBQUAD* table = nullptr;
    BYTE* pixels = nullptr;
    int tableSize = 0, imageSize = 0;
    int rc = GetDIBData(dc, bitmap, bits, &fh, &ih, &tableSize, &table, &imageSize, &pixels);
    if (rc == VKE_OK) rc = WriteDIBData(path, fh, ih, tableSize, table, imageSize, pixels);
    FreeDIBData(&fh, &ih, &table, &pixels);
    return rc;
}

// ---- Exports ----

VKE_API int VkeDrwGetDefaultBitCnt(VkiDrw* drw, int* bits) { VKE_FRAME(drw, drw->Sub(), drw->GetDefaultBitCnt(bits)); }
VKE_API int VkeDrwCreateDIB(VkiDrw* drw, HDC dc, int width, int height, int bits, HBITMAP* out) { VKE_FRAME(drw, drw->Sub(), drw->CreateDIB(dc, width, height, bits, out)); }
VKE_API int VkeDrwDIBToMemDIB(VkiDrw* drw, HDC dc, HBITMAP bitmap, int bits, HGLOBAL* out) { VKE_FRAME(drw, drw->Sub(), drw->DIBToMemDIB(dc, bitmap, bits, out)); }
VKE_API int VkeDrwFreeMemDIB(VkiDrw* drw, HGLOBAL* mem) { VKE_FRAME(drw, drw->Sub(), drw->FreeMemDIB(mem)); }
VKE_API int VkeDrwMemDIBToDIB(VkiDrw* drw, HDC dc, HGLOBAL mem, int bits, HBITMAP* out, int* type, float* xRes, float* yRes) { VKE_FRAME(drw, drw->Sub(), drw->MemDIBToDIB(dc, mem, bits, out, type, xRes, yRes)); }
VKE_API int VkeDrwCopyDIBByIcon(VkiDrw* drw, HBITMAP* inOut, HICON icon, HBRUSH brush) { VKE_FRAME(drw, drw->Sub(), drw->CopyDIBByIcon(inOut, icon, brush)); }
VKE_API int VkeDrwCopyDIB(VkiDrw* drw, HBITMAP* inOut, HBITMAP src) { VKE_FRAME(drw, drw->Sub(), drw->CopyDIB(inOut, src)); }
VKE_API int VkeDrwCopyDIBRgn(VkiDrw* drw, HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height) { VKE_FRAME(drw, drw->Sub(), drw->CopyDIBRgn(inOut, src, x, y, width, height)); }
VKE_API int VkeDrwCopyDIBWithBitCnt(VkiDrw* drw, HBITMAP* inOut, HBITMAP src, int bits) { VKE_FRAME(drw, drw->Sub(), drw->CopyDIBWithBitCnt(inOut, src, bits)); }
VKE_API int VkeDrwCopyDIBRgnWithBitCnt(VkiDrw* drw, HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height, int bits) { VKE_FRAME(drw, drw->Sub(), drw->CopyDIBRgnWithBitCnt(inOut, src, x, y, width, height, bits)); }
VKE_API int VkeDrwStretchDIB(VkiDrw* drw, HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width, int height, int keepRatio, HBRUSH brush, int mode) { VKE_FRAME(drw, drw->Sub(), drw->StretchDIB(inOut, dstWidth, dstHeight, src, x, y, width, height, keepRatio, brush, mode)); }
VKE_API int VkeDrwStretchDIBWithBitCnt(VkiDrw* drw, HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width, int height, int bits, int keepRatio, HBRUSH brush, int mode) { VKE_FRAME(drw, drw->Sub(), drw->StretchDIBWithBitCnt(inOut, dstWidth, dstHeight, src, x, y, width, height, bits, keepRatio, brush, mode)); }
VKE_API int VkeDrwGetDIBData(VkiDrw* drw, HDC dc, HBITMAP bitmap, int bits, BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader, int* tableSize, RGBQUAD** table, int* imageSize, BYTE** pixels) { VKE_FRAME(drw, drw->Sub(), drw->GetDIBData(dc, bitmap, bits, fileHeader, infoHeader, tableSize, table, imageSize, pixels)); }
VKE_API int VkeDrwFreeDIBData(VkiDrw* drw, BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader, RGBQUAD** table, BYTE** pixels) { VKE_FRAME(drw, drw->Sub(), drw->FreeDIBData(fileHeader, infoHeader, table, pixels)); }
VKE_API int VkeDrwWriteDIBData(VkiDrw* drw, const char* path, const BITMAPFILEHEADER* fileHeader, const BITMAPINFOHEADER* infoHeader, int tableSize, const RGBQUAD* table, int imageSize, const BYTE* pixels) { VKE_FRAME(drw, drw->Sub(), drw->WriteDIBData(path, fileHeader, infoHeader, tableSize, table, imageSize, pixels)); }
VKE_API int VkeDrwWriteDIB(VkiDrw* drw, const char* path, HDC dc, HBITMAP bitmap, int bits) { VKE_FRAME(drw, drw->Sub(), drw->WriteDIB(path, dc, bitmap, bits)); }
VKE_API int VkeDrwCopyImage(VkiDrw* drw, HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height) { VKE_FRAME(drw, drw->Sub(), drw->CopyImage(dst, dx, dy, src, sx, sy, width, height)); }
VKE_API int VkeDrwCopyImageWithMode(VkiDrw* drw, HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height, int mode) { VKE_FRAME(drw, drw->Sub(), drw->CopyImageWithMode(dst, dx, dy, src, sx, sy, width, height, mode)); }
VKE_API int VkeDrwStretchImage(VkiDrw* drw, HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh) { VKE_FRAME(drw, drw->Sub(), drw->StretchImage(dst, dx, dy, dw, dh, src, sx, sy, sw, sh)); }
VKE_API int VkeDrwStretchImageWithMode(VkiDrw* drw, HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh, int mode) { VKE_FRAME(drw, drw->Sub(), drw->StretchImageWithMode(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, mode)); }
