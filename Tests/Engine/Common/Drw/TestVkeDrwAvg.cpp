// HALFTONE reductions average the pixels they cover (the engine does it where the platform does
// not): stripes and checkerboards turn grey, means are kept, and a DC whose mapping reduces gets
// the same; pixels are read back from the DIB sections.
#include "VktDrw.h"
#include <algorithm>

namespace {

class Averaging : public VktDibFixture {
protected:
    // A DIB of w x h at bits (24, 32, or 8 with a grey table) whose pixel (x, y) is colour(x, y).
    template <class F>
    HBITMAP Paint(int w, int h, int bits, F colour)
    {
        HBITMAP b = Keep(VktMakeDIB(w, h, bits));
        VktDIB d(b);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) d.SetRaw(x, y, bits == 8 ? colour(x, y) & 0xFF : colour(x, y));
        return b;
    }
    HBITMAP Reduce(HBITMAP src, int w, int h)
    {
        VktInfo i = VktInfoOf(src);
        HBITMAP out = nullptr;
        EXPECT_EQ(VkeDrwStretchDIBWithBitCnt(drw, &out, w, h, src, 0, 0, i.width, i.height, 24, 0, nullptr, HALFTONE), 0);
        return Keep(out);
    }
};

DWORD Stripes(int x, int) { return x % 2 ? 0xFFFFFF : 0; }
DWORD Checker(int x, int y) { return (x + y) % 2 ? 0xFFFFFF : 0; }

// Clips dc to two rectangles (device units).
void ClipTo(HDC dc, const RECT& a, const RECT& b)
{
    HRGN both = CreateRectRgnIndirect(&a), second = CreateRectRgnIndirect(&b);
    CombineRgn(both, both, second, RGN_OR);
    SelectClipRgn(dc, both);
    DeleteObject(both);
    DeleteObject(second);
}

// The mean colour of columns [x0, x1) of a DIB, each channel rounded.
DWORD MeanOf(const VktDIB& d, int x0, int x1)
{
    double sum[3] = {};
    for (int y = 0; y < d.height; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c) sum[c] += (d.Rgb(x, y) >> (8 * c)) & 0xFF;
    double n = static_cast<double>(d.height) * (x1 - x0);
    DWORD m = 0;
    for (int c = 0; c < 3; ++c) m |= static_cast<DWORD>(sum[c] / n + 0.5) << (8 * c);
    return m;
}

} // namespace

TEST_F(Averaging, FinePatternsTurnGrey)
{
    struct Case {
        const char* what;
        int sw, sh, bits;
        DWORD (*colour)(int, int);
        int dw, dh;
        DWORD (*expect)(int, int); // the exact area mean of destination pixel (x, y)
    } cases[] = {
        {"stripes by 4", 1000, 1000, 24, Stripes, 250, 250, [](int, int) -> DWORD { return 0x808080; }},
        // Five columns hold two or three white ones.
        {"stripes by 5", 1000, 1000, 24, Stripes, 200, 200, [](int x, int) -> DWORD { return x % 2 ? 0x999999 : 0x666666; }},
        {"checkerboard by 2", 64, 64, 24, Checker, 32, 32, [](int, int) -> DWORD { return 0x808080; }},
        {"32-bit checkerboard", 64, 64, 32, Checker, 32, 32, [](int, int) -> DWORD { return 0x808080; }},
        {"8-bit stripes", 100, 10, 8, Stripes, 50, 5, [](int, int) -> DWORD { return 0x808080; }},
        {"rows only", 8, 100, 24, [](int, int y) -> DWORD { return y % 2 ? 0xFFFFFF : 0; }, 8, 50,
         [](int, int) -> DWORD { return 0x808080; }},
    };
    for (const Case& c : cases) {
        VktDIB d(Reduce(Paint(c.sw, c.sh, c.bits, c.colour), c.dw, c.dh));
        ASSERT_EQ(d.width, c.dw) << c.what;
        int bad = 0;
        for (int y = 0; y < c.dh; ++y)
            for (int x = 0; x < c.dw; ++x)
                if (!VktNear(d.Rgb(x, y), c.expect(x, y), 3) && ++bad < 4)
                    ADD_FAILURE() << c.what << ": pixel " << x << "," << y << " is " << std::hex << d.Rgb(x, y);
    }
}

TEST_F(Averaging, AnOddFactorKeepsTheMeanOfEachHalf)
{
    // Left: a red and black checkerboard; right: blue and white stripes. 1000 to 333 wide.
    HBITMAP src = Paint(1000, 60, 24, [](int x, int y) -> DWORD {
        if (x < 500) return (x + y) % 2 ? 0xFF0000 : 0;
        return x % 3 ? 0x0000FF : 0xFFFFFF;
    });
    VktDIB d(Reduce(src, 333, 20));
    VktDIB s(src);
    // Column 166 mixes the halves.
    EXPECT_TRUE(VktNear(MeanOf(d, 0, 166), MeanOf(s, 0, 500), 1)) << std::hex << MeanOf(d, 0, 166);
    EXPECT_TRUE(VktNear(MeanOf(d, 167, 333), MeanOf(s, 500, 1000), 1)) << std::hex << MeanOf(d, 167, 333);
    EXPECT_TRUE(VktNear(MeanOf(d, 0, 333), MeanOf(s, 0, 1000), 1));
}

TEST_F(Averaging, OnePixelIsTheMeanColour)
{
    for (int bits : {24, 32}) {
        HBITMAP src = Paint(37, 23, bits, [](int x, int y) -> DWORD {
            return static_cast<DWORD>(((x * 7 + y * 3) % 256) << 16 | ((x * y) % 256) << 8 | ((x + y * 11) % 256));
        });
        VktDIB d(Reduce(src, 1, 1));
        EXPECT_TRUE(VktNear(d.Rgb(0, 0), MeanOf(VktDIB(src), 0, 37), 1)) << bits << ": " << std::hex << d.Rgb(0, 0);
    }
}

TEST_F(Averaging, ABlitIntoAReducingMappingAverages)
{
    HBITMAP src = Paint(100, 100, 24, Stripes);
    HBITMAP dstBmp = Paint(40, 40, 32, [](int, int) -> DWORD { return 0xFF0000; });
    HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, src), oldTo = SelectObject(to, dstBmp);
    // 100 logical units are 25 pixels, starting at pixel (10, 10).
    SetMapMode(to, MM_ANISOTROPIC);
    SetWindowExtEx(to, 100, 100, nullptr);
    SetViewportExtEx(to, 25, 25, nullptr);
    SetViewportOrgEx(to, 10, 10, nullptr);
    for (int mode : {HALFTONE, 0}) {
        if (mode == 0) SetStretchBltMode(to, HALFTONE);
        EXPECT_EQ(VkeDrwCopyImageWithMode(drw, to, 0, 0, from, 0, 0, 100, 100, mode), 0);
        VktDIB d(dstBmp);
        for (int p : {10, 22, 34}) EXPECT_TRUE(VktNear(d.Rgb(p, p), 0x808080, 3)) << mode << " at " << p;
        for (int p : {9, 35}) EXPECT_EQ(d.Rgb(p, p), 0xFF0000u) << mode << " at " << p;
        // The DC keeps its mapping.
        SIZE vp = {};
        GetViewportExtEx(to, &vp);
        EXPECT_EQ(GetMapMode(to), MM_ANISOTROPIC);
        EXPECT_EQ(vp.cx, 25);
    }
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
}

TEST_F(Averaging, AClippedBlitMakesTheWholeBlitsPixelsInsideTheClipOnly)
{
    // A frame's outline put back: thin strips of a reduction come out as the whole one has them.
    auto photo = [](int x, int y) -> DWORD {
        return static_cast<DWORD>(((x * 13 + y * 7) % 256) << 16 | ((x * y + 3 * x) % 256) << 8 | ((x + y * 5) % 256));
    };
    for (int bits : {24, 8}) {
        HBITMAP src = Paint(600, 400, bits, photo);
        HBITMAP whole = Paint(200, 150, 32, [](int, int) -> DWORD { return 0xFF00FF; });
        HBITMAP clipped = Paint(200, 150, 32, [](int, int) -> DWORD { return 0xFF00FF; });
        HDC from = CreateCompatibleDC(nullptr);
        HGDIOBJ oldFrom = SelectObject(from, src);
        for (HBITMAP target : {whole, clipped}) {
            HDC to = CreateCompatibleDC(nullptr);
            HGDIOBJ oldTo = SelectObject(to, target);
            // 600 x 400 logical units onto 181 x 120 pixels from (7, 9): no whole factor.
            SetMapMode(to, MM_ANISOTROPIC);
            SetWindowExtEx(to, 600, 400, nullptr);
            SetViewportExtEx(to, 181, 120, nullptr);
            SetViewportOrgEx(to, 7, 9, nullptr);
            if (target == clipped) ClipTo(to, {40, 20, 41, 110}, {30, 100, 170, 101});
            EXPECT_EQ(VkeDrwCopyImageWithMode(drw, to, 0, 0, from, 0, 0, 600, 400, HALFTONE), 0);
            SelectObject(to, oldTo);
            DeleteDC(to);
        }
        SelectObject(from, oldFrom);
        DeleteDC(from);
        VktDIB w(whole), c(clipped);
        int bad = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) {
                const bool inside = (x == 40 && y >= 20 && y < 110) || (y == 100 && x >= 30 && x < 170);
                const DWORD want = inside ? w.Rgb(x, y) : 0xFF00FFu;
                if (c.Rgb(x, y) != want && ++bad < 4)
                    ADD_FAILURE() << bits << " bits: pixel " << x << "," << y << " is " << std::hex << c.Rgb(x, y)
                                  << ", not " << want;
            }
        EXPECT_NE(w.Rgb(40, 50), 0xFF00FFu) << "the whole blit reaches the strip";
    }
}

namespace {

// The exact area mean of destination pixel (x, y) of a reduction of s to d, channel c rounded.
int AreaMean(const VktDIB& s, int dw, int dh, int x, int y, int c)
{
    const long long sw = s.width, sh = s.height;
    double sum = 0;
    for (long long j = y * sh / dh; j < sh && j * dh < (y + 1) * sh; ++j) {
        long long wy = std::min((j + 1) * dh, (y + 1) * sh) - std::max(j * dh, y * sh);
        for (long long i = x * sw / dw; i < sw && i * dw < (x + 1) * sw; ++i) {
            long long wx = std::min((i + 1) * dw, (x + 1) * sw) - std::max(i * dw, x * sw);
            sum += static_cast<double>(wx * wy) * ((s.Rgb(static_cast<int>(i), static_cast<int>(j)) >> (8 * c)) & 0xFF);
        }
    }
    return static_cast<int>(sum / (static_cast<double>(sw) * sh) + 0.5);
}

} // namespace

// Every way through the reduction (rows summed eight values at a time or one by one, columns
// four at a time or one by one, a destination pixel inside one source row) gives the area mean.
TEST_F(Averaging, EveryPathGivesTheAreaMean)
{
    auto photo = [](int x, int y) -> DWORD {
        return static_cast<DWORD>(((x * 13 + y * 7) % 256) << 16 | ((x * y + 3 * x) % 256) << 8 | ((x ^ y) % 256));
    };
    struct Case {
        const char* what;
        int sw, sh, bits, dw, dh;
    } cases[] = {
        {"a photo to its fit", 1500, 40, 24, 299, 8},
        {"32 bits", 600, 90, 32, 119, 17},
        {"more than 128 rows a pixel", 70, 700, 24, 13, 3},
        {"the rows kept", 500, 9, 24, 77, 9},
        {"sums past 32 bits between the first and last column", 4200, 4200, 24, 1, 1},
    };
    for (const Case& c : cases) {
        HBITMAP src = Paint(c.sw, c.sh, c.bits, photo);
        VktDIB d(Reduce(src, c.dw, c.dh)), s(src);
        int bad = 0;
        for (int y = 0; y < c.dh; ++y)
            for (int x = 0; x < c.dw; ++x)
                for (int ch = 0; ch < 3; ++ch) {
                    const int got = (d.Rgb(x, y) >> (8 * ch)) & 0xFF, want = AreaMean(s, c.dw, c.dh, x, y, ch);
                    if (abs(got - want) > 1 && ++bad < 4)
                        ADD_FAILURE() << c.what << ": pixel " << x << "," << y << " channel " << ch << " is " << got
                                      << ", not " << want;
                }
    }
}

// An enlargement looks as the platform's whole one, and a clipped part of it (a strip uncovered
// by a scroll) has the whole one's pixels, also when the destination starts outside the clip.
TEST_F(Averaging, AClippedEnlargementMakesTheWholeOnesPixels)
{
    auto photo = [](int x, int y) -> DWORD {
        return static_cast<DWORD>(((x * 13 + y * 7) % 256) << 16 | ((x * y + 3 * x) % 256) << 8 | ((x ^ y) % 256));
    };
    auto magenta = [](int, int) -> DWORD { return 0xFF00FF; };
    for (int bits : {24, 32}) {
        HBITMAP src = Paint(37, 23, bits, photo);
        HDC from = CreateCompatibleDC(nullptr);
        HGDIOBJ oldFrom = SelectObject(from, src);
        // 37 x 23 onto 148 x 69: the platform's and the engine's whole blits, and the engine's
        // from (-30, -11) through a clip of two strips.
        HBITMAP platform = Paint(148, 69, 32, magenta), whole = Paint(148, 69, 32, magenta);
        HBITMAP clipped = Paint(100, 50, 32, magenta);
        for (HBITMAP target : {platform, whole, clipped}) {
            HDC to = CreateCompatibleDC(nullptr);
            HGDIOBJ oldTo = SelectObject(to, target);
            const int at = target == clipped ? -30 : 0, below = target == clipped ? -11 : 0;
            if (target == clipped) ClipTo(to, {13, 0, 20, 50}, {0, 31, 100, 34});
            if (target == platform) {
                SetStretchBltMode(to, HALFTONE);
                StretchBlt(to, 0, 0, 148, 69, from, 0, 0, 37, 23, SRCCOPY);
            } else {
                EXPECT_EQ(VkeDrwStretchImageWithMode(drw, to, at, below, 148, 69, from, 0, 0, 37, 23, HALFTONE), 0);
            }
            SelectObject(to, oldTo);
            DeleteDC(to);
        }
        SelectObject(from, oldFrom);
        DeleteDC(from);
        VktDIB p(platform), w(whole), c(clipped);
        int bad = 0;
        for (int y = 0; y < 69; ++y)
            for (int x = 0; x < 148; ++x)
                if (!VktNear(w.Rgb(x, y), p.Rgb(x, y), 1) && ++bad < 4)
                    ADD_FAILURE() << bits << " bits: pixel " << x << "," << y << " is " << std::hex << w.Rgb(x, y)
                                  << ", the platform's " << p.Rgb(x, y);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool inside = (x >= 13 && x < 20) || (y >= 31 && y < 34);
                const DWORD want = inside ? w.Rgb(x + 30, y + 11) : 0xFF00FFu;
                if (c.Rgb(x, y) != want && ++bad < 8)
                    ADD_FAILURE() << bits << " bits: clipped pixel " << x << "," << y << " is " << std::hex
                                  << c.Rgb(x, y) << ", not " << want;
            }
    }
}
