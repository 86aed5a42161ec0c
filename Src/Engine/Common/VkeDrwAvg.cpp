// Averaging reductions, and enlargements that a clip does not change, for the DIB operations'
// HALFTONE blits where the platform's HALFTONE does not average (VkiAvg.h).
//
// Along each axis, a source of s pixels reduced to d pixels is s * d units long: source pixel i
// covers [i*d, (i+1)*d), destination pixel j covers [j*s, (j+1)*s). A destination
// pixel's weights are the overlaps: d for every source pixel fully inside it and less for the
// first and the last; they add up to s. The rows of one destination row are summed first (whole
// rows unweighted, then times d, plus the two edge rows at their weights), then the columns the
// same way, and the sum is divided by s_w * s_h through a 48-bit fixed-point reciprocal.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwImg"
#include "VkiAvg.h"
#include "VkiGdi.h"
#include "VkiScr.h"
#include <stdint.h>
#include <string.h>
#include <emmintrin.h>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace {

// One axis: for each destination pixel the first and last source pixel it covers and their weights.
struct Spans {
    std::vector<int> first, last;
    std::vector<uint32_t> wFirst, wLast;
    uint32_t whole = 0; // the weight of a source pixel fully inside

    Spans(int s, int d) : first(d), last(d), wFirst(d), wLast(d), whole(static_cast<uint32_t>(d))
    {
        for (int j = 0; j < d; ++j) {
            long long lo = static_cast<long long>(j) * s, hi = lo + s;
            long long f = lo / d, l = (hi - 1) / d;
            first[j] = static_cast<int>(f);
            last[j] = static_cast<int>(l);
            wFirst[j] = static_cast<uint32_t>(f == l ? s : (f + 1) * d - lo);
            wLast[j] = static_cast<uint32_t>(hi - l * d);
        }
    }
};

// A reduction of a whole source rectangle onto a whole destination rectangle, of which only the
// destination pixels of one part are made: src holds the source pixels the part covers, from
// (srcX, srcY) of the whole source; dst holds the part, from (dstX, dstY) of the whole
// destination. Each pixel comes out as it would from the whole reduction.
struct Reduction {
    VkiPixelRows src, dst;
    Spans rows, cols;
    int srcX, srcY, dstX, dstY;
    uint64_t scale;    // 2^48 / (source width * source height), rounded
    bool fastColumns;  // a row sum (at most 255 times the source height) times the most columns
                       // one destination pixel covers stays below 2^32
    Reduction(int srcW, int srcH, int dstW, int dstH)
        : src(), dst(), rows(srcH, dstH), cols(srcW, dstW), srcX(0), srcY(0), dstX(0), dstY(0)
    {
        uint64_t total = static_cast<uint64_t>(srcW) * static_cast<uint64_t>(srcH);
        scale = ((uint64_t(1) << 48) + total / 2) / total;
        fastColumns = uint64_t(255) * static_cast<uint64_t>(srcH) * static_cast<uint64_t>(srcW / dstW + 2) <
                      (uint64_t(1) << 32);
    }
    // The source pixels a destination part covers, in the whole source.
    RECT SourceOf(const RECT& part) const
    {
        return RECT{cols.first[part.left], rows.first[part.top], cols.last[part.right - 1] + 1,
                    rows.last[part.bottom - 1] + 1};
    }
    const BYTE* SrcRow(int y) const { return src.top + src.stride * (y - srcY); }
};

// The weighted sums of source rows f..l (first weight wf, last wl, every row between them
// weighted whole) over n values from offset off of each row, into a; mid holds n 16-bit sums.
// With up to 128 rows between first and last (their sums stay below 2^15) and weights below
// 2^15, eight values at a time are summed in 16 bits and multiplied and added in pairs (SSE2);
// the sums are the same.
void SumRows(const Reduction& r, int f, int l, uint32_t wf, uint32_t wl, uint32_t whole, size_t off, size_t n,
             uint32_t* a, uint16_t* mid)
{
    const BYTE* fr = r.SrcRow(f) + off;
    if (f == l) {
        for (size_t k = 0; k < n; ++k) a[k] = fr[k] * wf;
        return;
    }
    const BYTE* lr = r.SrcRow(l) + off;
    size_t done = 0;
    if (l - f - 1 <= 128 && whole < 32768) {
        const __m128i zero = _mm_setzero_si128();
        done = n & ~size_t(15);
        memset(mid, 0, done * sizeof(uint16_t));
        for (int row = f + 1; row < l; ++row) {
            const BYTE* src = r.SrcRow(row) + off;
            for (size_t i = 0; i < done; i += 16) {
                __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
                __m128i* m = reinterpret_cast<__m128i*>(mid + i);
                _mm_storeu_si128(m, _mm_add_epi16(_mm_loadu_si128(m), _mm_unpacklo_epi8(v, zero)));
                _mm_storeu_si128(m + 1, _mm_add_epi16(_mm_loadu_si128(m + 1), _mm_unpackhi_epi8(v, zero)));
            }
        }
        const short h = static_cast<short>(whole), first = static_cast<short>(wf), last = static_cast<short>(wl);
        const __m128i wMidFirst = _mm_set_epi16(first, h, first, h, first, h, first, h);
        const __m128i wLast = _mm_set_epi16(0, last, 0, last, 0, last, 0, last);
        for (size_t i = 0; i < done; i += 8) {
            __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mid + i));
            __m128i fv = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(fr + i)), zero);
            __m128i lv = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lr + i)), zero);
            __m128i lo = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(m, fv), wMidFirst),
                                       _mm_madd_epi16(_mm_unpacklo_epi16(lv, zero), wLast));
            __m128i hi = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(m, fv), wMidFirst),
                                       _mm_madd_epi16(_mm_unpackhi_epi16(lv, zero), wLast));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i), lo);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i + 4), hi);
        }
    }
    // The rest, or all of it: whole rows first, then the weights.
    const size_t rest = n - done;
    uint32_t* t = a + done;
    memset(t, 0, rest * sizeof(uint32_t));
    for (int row = f + 1; row < l; ++row) {
        const BYTE* src = r.SrcRow(row) + off + done;
        for (size_t k = 0; k < rest; ++k) t[k] += src[k];
    }
    for (size_t k = 0; k < rest; ++k) t[k] = t[k] * whole + fr[done + k] * wf + lr[done + k] * wl;
}

// The weighted sum of the columns cf..cl of a row of sums (first weight wf, last wl, every column
// between them weighted whole), for each of the B values of a pixel, into out (4 values).
// Fast (SSE2): the sums between first and last add in 32 bits, so the row sums times the most
// columns between must stay below 2^32; four values are read at a time, so a holds one value
// more than its pixels.
template <int B>
inline void SumColumns(const uint32_t* a, int cf, int cl, uint32_t wf, uint32_t wl, uint32_t whole, bool fast,
                       uint64_t* out)
{
    if (!fast) {
        const uint32_t* p = a + static_cast<size_t>(cf) * B;
        for (int ch = 0; ch < B; ++ch) {
            out[ch] = static_cast<uint64_t>(p[ch]) * wf;
            if (cl == cf) continue;
            uint64_t mid = 0;
            for (int i = cf + 1; i < cl; ++i) mid += a[static_cast<size_t>(i) * B + ch];
            out[ch] += mid * whole + static_cast<uint64_t>(a[static_cast<size_t>(cl) * B + ch]) * wl;
        }
        return;
    }
    auto load = [a](int i) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + static_cast<size_t>(i) * B));
    };
    const __m128i zero = _mm_setzero_si128();
    __m128i first = load(cf), mid = zero, last = zero;
    for (int i = cf + 1; i < cl; ++i) mid = _mm_add_epi32(mid, load(i));
    if (cl > cf) last = load(cl);
    const __m128i wF = _mm_set1_epi32(static_cast<int>(wf)), wM = _mm_set1_epi32(static_cast<int>(whole)),
                  wL = _mm_set1_epi32(static_cast<int>(wl));
    // 32 x 32 -> 64-bit products of the even values, then of the odd ones.
    auto weighted = [&](int shift) {
        __m128i fv = _mm_srli_epi64(first, shift), mv = _mm_srli_epi64(mid, shift), lv = _mm_srli_epi64(last, shift);
        return _mm_add_epi64(_mm_add_epi64(_mm_mul_epu32(fv, wF), _mm_mul_epu32(mv, wM)), _mm_mul_epu32(lv, wL));
    };
    const __m128i even = weighted(0), odd = weighted(32);
    out[0] = static_cast<uint64_t>(_mm_cvtsi128_si64(even));
    out[1] = static_cast<uint64_t>(_mm_cvtsi128_si64(odd));
    out[2] = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(even, even)));
    out[3] = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(odd, odd)));
}

// Destination rows [from, to) of the part, in tiles of destination columns whose row sums stay
// in the first-level cache.
template <int B>
void MakeRows(const Reduction& r, int from, int to)
{
    const int kTile = 64;
    std::vector<uint32_t> acc(static_cast<size_t>(r.src.width) * B + 1);
    std::vector<uint16_t> mid(acc.size());
    uint32_t* a = acc.data();
    const Spans& rows = r.rows;
    const Spans& cols = r.cols;
    for (int j = from; j < to; ++j) {
        const int wj = j + r.dstY;
        BYTE* out = r.dst.top + r.dst.stride * j;
        for (int c0 = 0; c0 < r.dst.width; c0 += kTile) {
            const int c1 = c0 + kTile < r.dst.width ? c0 + kTile : r.dst.width;
            const int sc0 = cols.first[c0 + r.dstX] - r.srcX, sc1 = cols.last[c1 - 1 + r.dstX] - r.srcX + 1;
            SumRows(r, rows.first[wj], rows.last[wj], rows.wFirst[wj], rows.wLast[wj], rows.whole,
                    static_cast<size_t>(sc0) * B, static_cast<size_t>(sc1 - sc0) * B, a, mid.data());
            for (int c = c0; c < c1; ++c) {
                const int col = c + r.dstX;
                uint64_t sum[4];
                SumColumns<B>(a, cols.first[col] - r.srcX - sc0, cols.last[col] - r.srcX - sc0, cols.wFirst[col],
                              cols.wLast[col], cols.whole, r.fastColumns, sum);
                BYTE* px = out + static_cast<size_t>(c) * B;
                for (int ch = 0; ch < B; ++ch)
                    px[ch] = static_cast<BYTE>((sum[ch] * r.scale + (uint64_t(1) << 47)) >> 48);
            }
        }
    }
}

// Bands of destination rows handed out to the calling thread and to workers of the system's
// thread pool; the call returns when every band is done. job(from, to) makes rows [from, to).
class Bands {
public:
    Bands(int rows, int count, const std::function<void(int, int)>& job) : m_rows(rows), m_count(count), m_job(job) {}

    void Run(int workers)
    {
        m_running = workers;
        for (int i = 0; i < workers; ++i)
            if (!TrySubmitThreadpoolCallback(&Bands::Worker, this, nullptr)) Done();
        Work();
        std::unique_lock<std::mutex> lock(m_lock);
        m_idle.wait(lock, [this] { return m_running == 0; });
    }

private:
    static void CALLBACK Worker(PTP_CALLBACK_INSTANCE, void* self)
    {
        Bands* b = static_cast<Bands*>(self);
        b->Work();
        b->Done();
    }
    void Work()
    {
        for (int band = m_next++; band < m_count; band = m_next++)
            m_job(static_cast<int>(static_cast<long long>(m_rows) * band / m_count),
                  static_cast<int>(static_cast<long long>(m_rows) * (band + 1) / m_count));
    }
    void Done()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (--m_running == 0) m_idle.notify_all();
    }

    int m_rows, m_count;
    const std::function<void(int, int)>& m_job;
    std::atomic<int> m_next{0};
    std::mutex m_lock;
    std::condition_variable m_idle;
    int m_running = 0;
};

int Processors()
{
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    return si.dwNumberOfProcessors > 0 ? static_cast<int>(si.dwNumberOfProcessors) : 1;
}

// A DIB section of width x height at bits with its rows top-down; rows points at the first.
HBITMAP MakeTopDown(int width, int height, int bits, BYTE** rows)
{
    VkiBitmapInfo info;
    memset(&info, 0, sizeof(info));
    VkiFillHeader(&info.h, width, height, bits);
    info.h.biHeight = -height;
    void* pixels = nullptr;
    HBITMAP made = CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &pixels, nullptr, 0);
    *rows = static_cast<BYTE*>(pixels);
    return made;
}

// The device rectangle of a logical one; false when it is not upright or the DC maps through a
// world transform.
bool DeviceRect(HDC dc, int x, int y, int w, int h, RECT* out)
{
    if (GetGraphicsMode(dc) != GM_COMPATIBLE) return false;
    POINT p[2] = {{x, y}, {x + w, y + h}};
    if (!LPtoDP(dc, p, 2)) return false;
    *out = {p[0].x, p[0].y, p[1].x, p[1].y};
    return out->right > out->left && out->bottom > out->top;
}

// Sets dc to one logical unit per device pixel for the scope, its earlier state kept.
class DevicePixels {
public:
    explicit DevicePixels(HDC dc) : m_save(dc)
    {
        SetMapMode(dc, MM_TEXT);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetViewportOrgEx(dc, 0, 0, nullptr);
    }
    bool Ok() const { return m_save.Ok(); }

private:
    VkiSaveDC m_save;
};

// The source rectangle's pixels: straight from the DIB section selected into the source DC when it
// holds plain 24- or 32-bit pixels, else copied through a 24-bit DIB.
class SourcePixels {
public:
    bool Read(HDC src, const RECT& r)
    {
        if (GetObjectType(src) != OBJ_MEMDC) return false;
        DIBSECTION ds;
        HGDIOBJ held = GetCurrentObject(src, OBJ_BITMAP);
        if (!held || GetObjectA(held, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) return false;
        int w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
        if (r.left < 0 || r.top < 0 || r.right > w || r.bottom > h) return false;
        rows.width = r.right - r.left;
        rows.height = r.bottom - r.top;
        int bits = ds.dsBm.bmBitsPixel;
        bool plain = ds.dsBmih.biCompression == BI_RGB ||
                     (ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[0] == 0xFF0000 &&
                      ds.dsBitfields[1] == 0xFF00 && ds.dsBitfields[2] == 0xFF);
        if (plain && (bits == 24 || bits == 32)) {
            GdiFlush();
            bytes = bits / 8;
            ptrdiff_t stride = ds.dsBm.bmWidthBytes;
            BYTE* first = static_cast<BYTE*>(ds.dsBm.bmBits);
            // Bottom-up memory starts with the last row shown.
            if (ds.dsBmih.biHeight > 0) {
                first += stride * (h - 1);
                stride = -stride;
            }
            rows.top = first + stride * r.top + static_cast<ptrdiff_t>(r.left) * bytes;
            rows.stride = stride;
            return true;
        }
        // Other depths go through 24 bits.
        bytes = 3;
        m_copy.Reset(MakeTopDown(rows.width, rows.height, 24, &rows.top));
        if (!m_copy) return false;
        rows.stride = static_cast<ptrdiff_t>(VkiStride(rows.width, 24));
        VkiMemDC dc;
        VkiSelect sel(dc, m_copy);
        DevicePixels device(src);
        if (!sel.Ok() || !device.Ok() ||
            !BitBlt(dc, 0, 0, rows.width, rows.height, src, r.left, r.top, SRCCOPY))
            return false;
        GdiFlush();
        return true;
    }

    VkiPixelRows rows = {};
    int bytes = 0;

private:
    VkiGdiObj<HBITMAP> m_copy;
};

bool ProbeHalftone()
{
    // Black and white columns one pixel wide, halved: an averaging stretch makes them grey.
    BYTE *from = nullptr, *to = nullptr;
    VkiGdiObj<HBITMAP> a(MakeTopDown(4, 1, 32, &from)), b(MakeTopDown(2, 1, 32, &to));
    VkiMemDC da, db;
    VkiSelect sa(da, a), sb(db, b);
    if (!sa.Ok() || !sb.Ok()) return true;
    for (int x = 0; x < 4; ++x) memset(from + 4 * x, x % 2 ? 0xFF : 0, 4);
    VkiStretchMode halftone(db, HALFTONE);
    if (!StretchBlt(db, 0, 0, 2, 1, da, 0, 0, 4, 1, SRCCOPY)) return true;
    GdiFlush();
    return to[0] > 0x40 && to[0] < 0xC0;
}

} // namespace

bool VkiHalftoneAverages()
{
    static const bool averages = ProbeHalftone();
    return averages;
}

namespace {

// Runs job over bands of rows destination rows. Small jobs (below half a million pixels read or
// made) stay on the calling thread; large ones use every core, in more bands than cores so that
// a busy core holds up little.
void RunBands(int rows, long long pixels, const std::function<void(int, int)>& job)
{
    int threads = pixels < 500000 ? 1 : Processors();
    int count = threads == 1 ? 1 : threads * 4;
    if (count > rows) count = rows;
    Bands bands(rows, count, job);
    bands.Run(count > 1 ? threads - 1 : 0);
}

// The part of the destination rectangle (device) that the DC's clip region leaves, relative to
// the rectangle; false when none is left.
bool ClippedPart(HDC dc, const RECT& d, RECT* part)
{
    *part = RECT{0, 0, d.right - d.left, d.bottom - d.top};
    VkiGdiObj<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
    RECT box;
    if (!rgn || GetClipRgn(dc, rgn) != 1 || GetRgnBox(rgn, &box) == ERROR) return true;
    OffsetRect(&box, -d.left, -d.top);
    return IntersectRect(part, part, &box) != FALSE;
}

} // namespace

namespace {

// The device rectangles of a blit between upright rectangles: false when they are not, or dst
// is not a DC that can be drawn on.
bool DeviceRects(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh, RECT* d, RECT* s)
{
    int kind = GetObjectType(dst);
    if (kind != OBJ_DC && kind != OBJ_MEMDC) return false;
    return DeviceRect(dst, dx, dy, dw, dh, d) && DeviceRect(src, sx, sy, sw, sh, s);
}

// One axis of an enlargement of s source pixels to d: for the destination pixels [from, from + n),
// the source pixel at or before x * s / d and the weight, in 256ths, of the one after it (0 at the
// last source pixel, which holds beyond it).
struct Taps {
    std::vector<int> at;
    std::vector<uint32_t> next;
    Taps(int s, int d, int from, int n) : at(n), next(n)
    {
        for (int i = 0; i < n; ++i) {
            long long pos = static_cast<long long>(from + i) * s * 256 / d;
            at[i] = static_cast<int>(pos >> 8);
            next[i] = static_cast<uint32_t>(pos & 255);
            if (at[i] >= s - 1) at[i] = s - 1, next[i] = 0;
        }
    }
    // The source pixels read, first and last.
    int First() const { return at.front(); }
    int Last() const { return at.back() + (next.back() ? 1 : 0); }
};

struct Enlargement {
    VkiPixelRows src, dst;
    Taps rows, cols;
    int srcX, srcY; // of src in the whole source
    const BYTE* SrcRow(int y) const { return src.top + src.stride * (y - srcY); }
};

template <int B>
void MakeRows(const Enlargement& e, int from, int to)
{
    for (int j = from; j < to; ++j) {
        const uint32_t wy = e.rows.next[j];
        const BYTE* r0 = e.SrcRow(e.rows.at[j]);
        const BYTE* r1 = wy ? e.SrcRow(e.rows.at[j] + 1) : r0;
        BYTE* out = e.dst.top + e.dst.stride * j;
        for (int i = 0; i < e.dst.width; ++i) {
            const uint32_t wx = e.cols.next[i];
            const size_t x0 = static_cast<size_t>(e.cols.at[i] - e.srcX) * B, x1 = wx ? x0 + B : x0;
            for (int ch = 0; ch < B; ++ch) {
                uint32_t top = r0[x0 + ch] * (256 - wx) + r0[x1 + ch] * wx;
                uint32_t bottom = r1[x0 + ch] * (256 - wx) + r1[x1 + ch] * wx;
                out[static_cast<size_t>(i) * B + ch] =
                    static_cast<BYTE>((top * (256 - wy) + bottom * wy + 32768) >> 16);
            }
        }
    }
}

// The job's source pixels read from the rectangle from (device units of src), the part of the
// destination rectangle d (relative to it) made in a work DIB of the source's depth, in bands of
// rows (a job as large as its source pixels, or as the part with bySource false), and blitted one
// to one.
template <class Job>
bool MakePart(HDC dst, const RECT& d, const RECT& part, HDC src, const RECT& from, Job* job, bool bySource)
{
    SourcePixels pixels;
    if (!pixels.Read(src, from)) return false;
    job->src = pixels.rows;
    const int pw = part.right - part.left, ph = part.bottom - part.top, bits = pixels.bytes * 8;
    job->dst = VkiPixelRows{nullptr, static_cast<ptrdiff_t>(VkiStride(pw, bits)), pw, ph};
    VkiGdiObj<HBITMAP> work(MakeTopDown(pw, ph, bits, &job->dst.top));
    if (!work) return false;
    const VkiPixelRows& size = bySource ? job->src : job->dst;
    RunBands(ph, static_cast<long long>(size.width) * size.height, [job, &pixels](int first, int end) {
        if (pixels.bytes == 4) MakeRows<4>(*job, first, end);
        else MakeRows<3>(*job, first, end);
    });
    VkiMemDC dc;
    VkiSelect sel(dc, work);
    DevicePixels device(dst);
    return sel.Ok() && device.Ok() && BitBlt(dst, d.left + part.left, d.top + part.top, pw, ph, dc, 0, 0, SRCCOPY);
}

} // namespace

bool VkiAverageBlit(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh)
{
    RECT d, s;
    if (!DeviceRects(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, &d, &s)) return false;
    int w = d.right - d.left, h = d.bottom - d.top;
    int fromW = s.right - s.left, fromH = s.bottom - s.top;
    if (w > fromW || h > fromH || (w == fromW && h == fromH)) return false;
    // Only what the clip region lets through is made (a frame's outline, a strip uncovered):
    // its pixels are those of the whole reduction, read from the source pixels they cover.
    RECT part;
    if (!ClippedPart(dst, d, &part)) return true;
    Reduction r(fromW, fromH, w, h);
    RECT from = r.SourceOf(part);
    r.srcX = from.left;
    r.srcY = from.top;
    r.dstX = part.left;
    r.dstY = part.top;
    OffsetRect(&from, s.left, s.top);
    return MakePart(dst, d, part, src, from, &r, true);
}

bool VkiEnlargeBlit(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh)
{
    RECT d, s;
    if (!DeviceRects(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, &d, &s)) return false;
    int w = d.right - d.left, h = d.bottom - d.top;
    int fromW = s.right - s.left, fromH = s.bottom - s.top;
    if (w < fromW || h < fromH || (w == fromW && h == fromH)) return false;
    if (static_cast<long long>(w) * fromW >= (1LL << 54) || static_cast<long long>(h) * fromH >= (1LL << 54))
        return false;
    RECT part;
    if (!ClippedPart(dst, d, &part)) return true;
    const int pw = part.right - part.left, ph = part.bottom - part.top;
    Enlargement e = {{}, {}, Taps(fromH, h, part.top, ph), Taps(fromW, w, part.left, pw), 0, 0};
    RECT from = {e.cols.First(), e.rows.First(), e.cols.Last() + 1, e.rows.Last() + 1};
    e.srcX = from.left;
    e.srcY = from.top;
    OffsetRect(&from, s.left, s.top);
    return MakePart(dst, d, part, src, from, &e, false);
}
