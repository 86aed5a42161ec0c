// DIB operations: blank DIBs, bitmap-file parts and bytes, conversions, crops, stretches, icons,
// DC blits; pixels are read back from the DIB sections.
#include "VktDrw.h"

namespace {

// Every path leaves the work memories detached.
class DibOps : public VktDibFixture {};

// A 24-bit DIB whose pixel (x, y) is colour(x, y) (0xRRGGBB).
template <class F>
HBITMAP Painted(int w, int h, F colour)
{
    HBITMAP b = VktMakeDIB(w, h, 24);
    VktDIB d(b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            DWORD c = colour(x, y);
            d.SetRaw(x, y, c); // 24-bit raw is 0xRRGGBB in memory order B, G, R
        }
    return b;
}

std::vector<RGBQUAD> Palette8()
{
    std::vector<RGBQUAD> t(256);
    for (int i = 0; i < 256; ++i) t[i] = {static_cast<BYTE>(255 - i), static_cast<BYTE>(i), static_cast<BYTE>(i / 2), 0};
    return t;
}

} // namespace

TEST_F(DibOps, DefaultBitCountAndBlankDIBs)
{
    int bits = 0;
    ASSERT_EQ(VkeDrwGetDefaultBitCnt(drw, &bits), 0);
    EXPECT_EQ(bits, 32); // a 24-bit X screen shows as 32 bits
    EXPECT_EQ(VkeDrwGetDefaultBitCnt(drw, nullptr), -9);

    for (int b : {0, -1, 1, 4, 8, 16, 24, 32}) {
        HBITMAP dib = nullptr;
        ASSERT_EQ(VkeDrwCreateDIB(drw, nullptr, 7, 3, b, &dib), 0) << b;
        VktInfo i = VktInfoOf(dib);
        EXPECT_EQ(i.width, 7);
        EXPECT_EQ(i.height, 3);
        EXPECT_EQ(i.bits, b <= 0 ? 32 : b);
        if (b == 1) {
            std::vector<RGBQUAD> t = VktDIB(dib).Table();
            ASSERT_EQ(t.size(), 2u);
            EXPECT_EQ(t[0].rgbRed, 0);
            EXPECT_EQ(t[1].rgbRed, 255);
        }
        DeleteObject(dib);
    }
    HBITMAP dib = nullptr;
    EXPECT_EQ(VkeDrwCreateDIB(drw, nullptr, 0, 3, 8, &dib), -9);
    EXPECT_EQ(VkeDrwCreateDIB(drw, nullptr, 3, 0, 8, &dib), -9);
    EXPECT_EQ(VkeDrwCreateDIB(drw, nullptr, 3, 3, 2, &dib), -9);
    EXPECT_EQ(VkeDrwCreateDIB(drw, nullptr, 3, 3, -2, &dib), -9);
    EXPECT_EQ(VkeDrwCreateDIB(drw, nullptr, 3, 3, 8, nullptr), -9);
    dib = reinterpret_cast<HBITMAP>(GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(VkeDrwCreateDIB(drw, nullptr, 3, 3, 8, &dib), -7);
}

TEST_F(DibOps, StridesAndBitmapFileParts)
{
    struct Row {
        int width, bits, stride, table;
    } rows[] = {{3, 24, 12, 0}, {33, 1, 8, 8}, {9, 4, 8, 64}, {10, 8, 12, 1024}, {5, 16, 12, 0},
                {3, 32, 12, 0}, {1, 1, 4, 8},  {32, 1, 4, 8},  {8, 4, 4, 64},   {4, 8, 4, 1024}};
    for (const Row& r : rows) {
        HBITMAP b = VktMakeDIB(r.width, 3, r.bits);
        BITMAPFILEHEADER* fh = nullptr;
        BITMAPINFOHEADER* ih = nullptr;
        RGBQUAD* table = nullptr;
        BYTE* px = nullptr;
        int tableSize = -1, imageSize = -1;
        ASSERT_EQ(VkeDrwGetDIBData(drw, nullptr, b, 0, &fh, &ih, &tableSize, &table, &imageSize, &px), 0);
        EXPECT_EQ(tableSize, r.table) << r.width << "x" << r.bits;
        EXPECT_EQ(imageSize, r.stride * 3) << r.width << "x" << r.bits;
        EXPECT_EQ(fh->bfType, 0x4D42);
        EXPECT_EQ(fh->bfSize, static_cast<DWORD>(54 + r.table + r.stride * 3));
        EXPECT_EQ(fh->bfOffBits, static_cast<DWORD>(54 + r.table));
        EXPECT_EQ(ih->biSize, 40u);
        EXPECT_EQ(ih->biWidth, r.width);
        EXPECT_EQ(ih->biHeight, 3);
        EXPECT_EQ(ih->biBitCount, r.bits);
        EXPECT_EQ(ih->biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(ih->biSizeImage, static_cast<DWORD>(r.stride * 3));
        EXPECT_EQ(table != nullptr, r.table > 0);
        // The file holds exactly the parts.
        VktTempDir dir;
        std::string path = dir / "part.bmp";
        ASSERT_EQ(VkeDrwWriteDIBData(drw, path.c_str(), fh, ih, tableSize, table, imageSize, px), 0);
        std::string bytes = VktReadFile(path);
        EXPECT_EQ(bytes.size(), fh->bfSize);
        EXPECT_EQ(memcmp(bytes.data() + 14, ih, 40), 0);
        EXPECT_EQ(memcmp(bytes.data() + fh->bfOffBits, px, static_cast<size_t>(imageSize)), 0);
        EXPECT_EQ(VkeDrwFreeDIBData(drw, &fh, &ih, &table, &px), 0);
        EXPECT_EQ(fh, nullptr);
        EXPECT_EQ(px, nullptr);
        DeleteObject(b);
    }
    BITMAPFILEHEADER* fh = nullptr;
    BITMAPINFOHEADER* ih = nullptr;
    RGBQUAD* table = nullptr;
    BYTE* px = nullptr;
    EXPECT_EQ(VkeDrwFreeDIBData(drw, &fh, &ih, &table, &px), 0); // all null: nothing to do
    EXPECT_EQ(VkeDrwFreeDIBData(drw, &fh, nullptr, &table, &px), -9);
}

TEST_F(DibOps, BitmapFileBytes)
{
    VktTempDir dir;
    // An 8-bit 10 x 10 bitmap: 54 + 1024 + 120 bytes, pixels at 1078.
    HBITMAP b = VktMakeDIB(10, 10, 8, Palette8());
    VktDIB d(b);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) d.SetRaw(x, y, static_cast<DWORD>(y * 10 + x));
    std::string path = dir / "表ソ能ポ.bmp";
    ASSERT_EQ(VkeDrwWriteDIB(drw, path.c_str(), nullptr, b, 0), 0);
    std::string bytes = VktReadFile(path);
    ASSERT_EQ(bytes.size(), 1198u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    DWORD size = 0, offset = 0;
    memcpy(&size, bytes.data() + 2, 4);
    memcpy(&offset, bytes.data() + 10, 4);
    EXPECT_EQ(size, 1198u);
    EXPECT_EQ(offset, 1078u);
    // Table entry 3 is blue, green, red, 0; the bottom row comes first.
    EXPECT_EQ(static_cast<BYTE>(bytes[54 + 12]), 252);
    EXPECT_EQ(static_cast<BYTE>(bytes[54 + 13]), 3);
    EXPECT_EQ(static_cast<BYTE>(bytes[1078]), 90);
    EXPECT_EQ(static_cast<BYTE>(bytes[1078 + 12 + 1]), 81);

    // The same bitmap written at 24 bits: 54 + 32 x 10 bytes.
    std::string path24 = dir / "b24.bmp";
    ASSERT_EQ(VkeDrwWriteDIB(drw, path24.c_str(), nullptr, b, 24), 0);
    bytes = VktReadFile(path24);
    ASSERT_EQ(bytes.size(), 54u + 320u);
    // Pixel 0 of the bottom row (index 90): blue 165, green 90, red 45.
    EXPECT_EQ(static_cast<BYTE>(bytes[54]), 165);
    EXPECT_EQ(static_cast<BYTE>(bytes[55]), 90);
    EXPECT_EQ(static_cast<BYTE>(bytes[56]), 45);

    // Paths that cannot be written.
    EXPECT_EQ(VkeDrwWriteDIB(drw, dir.Path().c_str(), nullptr, b, 0), -9);
    EXPECT_EQ(VkeDrwWriteDIB(drw, "C:\\", nullptr, b, 0), -9);
    EXPECT_EQ(VkeDrwWriteDIB(drw, (dir / "no such folder\\x.bmp").c_str(), nullptr, b, 0), -10);
    EXPECT_EQ(VkeDrwWriteDIB(drw, path.c_str(), nullptr, b, 7), -9);
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    EXPECT_EQ(VkeDrwWriteDIBData(drw, path.c_str(), &fh, &ih, 4, nullptr, 0, nullptr), -9);
    EXPECT_EQ(VkeDrwWriteDIBData(drw, path.c_str(), &fh, &ih, -1, nullptr, 0, nullptr), -9);
    EXPECT_EQ(VkeDrwWriteDIBData(drw, path.c_str(), nullptr, &ih, 0, nullptr, 0, nullptr), -9);
    DeleteObject(b);
}

TEST_F(DibOps, ConversionsKeepColours)
{
    // 8 bits with its own palette -> 24 and 32 bits: each pixel the colour of its index.
    HBITMAP b8 = VktMakeDIB(16, 16, 8, Palette8());
    VktDIB d8(b8);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) d8.SetRaw(x, y, static_cast<DWORD>(y * 16 + x));
    for (int bits : {24, 32}) {
        HBITMAP out = nullptr;
        ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &out, b8, bits), 0);
        VktDIB o(out);
        EXPECT_EQ(o.bits, bits);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) ASSERT_EQ(o.Rgb(x, y), d8.Rgb(x, y)) << x << "," << y;
        DeleteObject(out);
    }
    // 8 -> 8: the colour table and the indices come along unchanged.
    HBITMAP same = nullptr;
    ASSERT_EQ(VkeDrwCopyDIB(drw, &same, b8), 0);
    VktDIB s(same);
    EXPECT_EQ(s.bits, 8);
    std::vector<RGBQUAD> t = s.Table();
    ASSERT_EQ(t.size(), 256u);
    EXPECT_EQ(t[7].rgbBlue, 248);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(s.Raw(x, y), d8.Raw(x, y));
    DeleteObject(same);

    // 24 -> 1 -> 24: black stays black and white stays white.
    HBITMAP b24 = Painted(8, 2, [](int x, int) { return x % 2 ? 0xFFFFFFu : 0u; });
    HBITMAP b1 = nullptr, back = nullptr;
    ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &b1, b24, 1), 0);
    EXPECT_EQ(VktInfoOf(b1).bits, 1);
    ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &back, b1, 24), 0);
    VktDIB k(back);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(k.Rgb(x, 1), x % 2 ? 0xFFFFFFu : 0u) << x;

    // 24 -> 16 -> 24: 5 bits a channel.
    HBITMAP c24 = Painted(4, 1, [](int x, int) { return 0xF80000u >> (8 * (x % 3)); });
    HBITMAP c16 = nullptr, c24b = nullptr;
    ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &c16, c24, 16), 0);
    ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &c24b, c16, 0), 0);
    EXPECT_EQ(VktInfoOf(c24b).bits, 16); // 0: the source's depth
    VktDIB c(c16);
    EXPECT_EQ(c.Rgb(0, 0), 0xFF0000u);
    EXPECT_EQ(c.Rgb(1, 0), 0x00FF00u);
    EXPECT_EQ(c.Rgb(2, 0), 0x0000FFu);
    // -1: the screen's.
    HBITMAP scr = nullptr;
    ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &scr, c24, -1), 0);
    EXPECT_EQ(VktInfoOf(scr).bits, 32);
    for (HBITMAP h : {b8, b24, b1, back, c24, c16, c24b, scr}) DeleteObject(h);
}

TEST_F(DibOps, RegionCopiesAtTheEdges)
{
    HBITMAP src = Painted(5, 4, [](int x, int y) { return static_cast<DWORD>(x * 16 + y); });
    HBITMAP out = nullptr;
    ASSERT_EQ(VkeDrwCopyDIBRgn(drw, &out, src, 4, 3, 1, 1), 0);
    VktDIB one(out);
    EXPECT_EQ(one.width, 1);
    EXPECT_EQ(one.Rgb(0, 0), 4u * 16 + 3);
    // A region of the same size reuses the result.
    HBITMAP kept = out;
    ASSERT_EQ(VkeDrwCopyDIBRgn(drw, &out, src, 0, 0, 1, 1), 0);
    EXPECT_EQ(out, kept);
    EXPECT_EQ(VktDIB(out).Rgb(0, 0), 0u);

    ASSERT_EQ(VkeDrwCopyDIBRgn(drw, &out, src, 1, 1, 4, 3), 0);
    EXPECT_NE(out, kept);
    EXPECT_FALSE(VktIsBitmap(kept)); // replaced and deleted
    VktDIB r(out);
    EXPECT_EQ(r.width, 4);
    EXPECT_EQ(r.height, 3);
    EXPECT_EQ(r.Rgb(3, 2), 4u * 16 + 3);
    EXPECT_EQ(r.Rgb(0, 0), 1u * 16 + 1);

    // One pixel beyond the source: -9, the result deleted and null.
    HBITMAP held = out;
    EXPECT_EQ(VkeDrwCopyDIBRgn(drw, &out, src, 2, 0, 4, 1), -9);
    EXPECT_EQ(out, nullptr);
    EXPECT_FALSE(VktIsBitmap(held));
    EXPECT_EQ(VkeDrwCopyDIBRgn(drw, &out, src, 0, 1, 1, 4), -9);
    EXPECT_EQ(VkeDrwCopyDIBRgn(drw, &out, src, -1, 0, 1, 1), -9);
    EXPECT_EQ(VkeDrwCopyDIBRgn(drw, &out, src, 0, 0, 0, 1), -9);
    EXPECT_EQ(VkeDrwCopyDIBRgnWithBitCnt(drw, &out, src, 0, 0, 1, 1, 3), -9);
    EXPECT_EQ(VkeDrwCopyDIB(drw, nullptr, src), -9);
    EXPECT_EQ(VkeDrwCopyDIB(drw, &out, nullptr), -9);
    EXPECT_TRUE(VktIsBitmap(src));
    DeleteObject(src);
}

TEST_F(DibOps, CopyIntoItsOwnSourceMakesANewBitmap)
{
    HBITMAP h = Painted(3, 3, [](int x, int y) { return static_cast<DWORD>(0x100000 * x + y); });
    HBITMAP src = h;
    ASSERT_EQ(VkeDrwCopyDIB(drw, &h, h), 0);
    EXPECT_NE(h, src);
    ASSERT_TRUE(VktIsBitmap(src)); // the source is the caller's and stays
    EXPECT_EQ(VktDIB(h).Rgb(2, 1), 0x200001u);
    DeleteObject(h);
    h = src;
    ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &h, h, 8), 0);
    EXPECT_EQ(VktInfoOf(h).bits, 8);
    EXPECT_TRUE(VktIsBitmap(src));
    // A failure leaves the source alone too.
    HBITMAP again = src;
    EXPECT_EQ(VkeDrwCopyDIBRgn(drw, &again, again, 0, 0, 4, 4), -9);
    EXPECT_EQ(again, nullptr);
    EXPECT_TRUE(VktIsBitmap(src));
    DeleteObject(h);
    DeleteObject(src);
}

TEST_F(DibOps, StretchKeepRatioWithAndWithoutBrush)
{
    HBITMAP src = Painted(200, 100, [](int x, int) { return x < 100 ? 0xFF0000u : 0x0000FFu; });
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    HBITMAP out = nullptr;
    ASSERT_EQ(VkeDrwStretchDIB(drw, &out, 100, 100, src, 0, 0, 200, 100, 1, green, 0), 0);
    VktDIB b(out);
    EXPECT_EQ(b.width, 100);
    EXPECT_EQ(b.height, 100);
    EXPECT_EQ(b.bits, 24);
    EXPECT_EQ(b.Rgb(50, 0), 0x00FF00u);
    EXPECT_EQ(b.Rgb(50, 24), 0x00FF00u);
    EXPECT_EQ(b.Rgb(10, 25), 0xFF0000u);
    EXPECT_EQ(b.Rgb(90, 74), 0x0000FFu);
    EXPECT_EQ(b.Rgb(50, 75), 0x00FF00u);
    // The same size and depth again: the same handle.
    HBITMAP kept = out;
    ASSERT_EQ(VkeDrwStretchDIB(drw, &out, 100, 100, src, 0, 0, 200, 100, 1, green, 0), 0);
    EXPECT_EQ(out, kept);

    ASSERT_EQ(VkeDrwStretchDIB(drw, &out, 100, 100, src, 0, 0, 200, 100, 1, nullptr, 0), 0);
    VktDIB n(out);
    EXPECT_EQ(n.width, 100);
    EXPECT_EQ(n.height, 50);
    EXPECT_EQ(n.Rgb(0, 0), 0xFF0000u);
    EXPECT_EQ(n.Rgb(99, 49), 0x0000FFu);
    EXPECT_FALSE(VktIsBitmap(kept));

    // A fitted side below one pixel: a 1 x 1 result and -13.
    HBITMAP thin = Painted(1000, 1, [](int, int) { return 0x123456u; });
    HBITMAP tiny = nullptr;
    EXPECT_EQ(VkeDrwStretchDIB(drw, &tiny, 10, 10, thin, 0, 0, 1000, 1, 1, nullptr, 0), -13);
    VktInfo ti = VktInfoOf(tiny);
    EXPECT_EQ(ti.width, 1);
    EXPECT_EQ(ti.height, 1);
    EXPECT_EQ(VkeDrwStretchDIB(drw, &tiny, 10, 10, thin, 0, 0, 1000, 1, 2, nullptr, 0), -9);
    EXPECT_EQ(tiny, nullptr);
    for (HGDIOBJ h : {static_cast<HGDIOBJ>(src), static_cast<HGDIOBJ>(out), static_cast<HGDIOBJ>(thin),
                      static_cast<HGDIOBJ>(green)})
        DeleteObject(h);
}

TEST_F(DibOps, StretchModesOnAKnownImage)
{
    // A 2 x 2 image doubled: each mode gives a 4 x 4 result whose quarters hold the four colours
    // (the corners at least, for the averaging modes).
    const DWORD colours[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
    HBITMAP src = Painted(2, 2, [&](int x, int y) { return colours[y][x]; });
    for (int mode : {0, BLACKONWHITE, WHITEONBLACK, COLORONCOLOR, HALFTONE}) {
        HBITMAP out = nullptr;
        ASSERT_EQ(VkeDrwStretchDIBWithBitCnt(drw, &out, 4, 4, src, 0, 0, 2, 2, 32, 0, nullptr, mode), 0) << mode;
        VktDIB o(out);
        EXPECT_EQ(o.bits, 32);
        if (mode == COLORONCOLOR || mode == 0) {
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) EXPECT_EQ(o.Rgb(x, y), colours[y / 2][x / 2]) << mode << " " << x << "," << y;
        } else if (mode == HALFTONE) {
            EXPECT_EQ(o.Rgb(0, 0) & 0xF00000, 0xF00000u);
            EXPECT_EQ(o.Rgb(3, 3) & 0xF0F0F0, 0xF0F0F0u);
        }
        DeleteObject(out);
    }
    HBITMAP out = nullptr;
    EXPECT_EQ(VkeDrwStretchDIB(drw, &out, 4, 4, src, 0, 0, 2, 2, 0, nullptr, 9), -9);
    DeleteObject(src);
}

TEST_F(DibOps, IconsBecomeDIBsOfTheirRealSize)
{
    // A monochrome icon: its mask holds two 16 x 16 images.
    BYTE andBits[32], xorBits[32];
    memset(andBits, 0x00, sizeof(andBits));
    memset(xorBits, 0xF0, sizeof(xorBits)); // left half of every row white, right half black
    HICON mono = CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 1, andBits, xorBits);
    ASSERT_NE(mono, nullptr);
    HBITMAP out = nullptr;
    ASSERT_EQ(VkeDrwCopyDIBByIcon(drw, &out, mono, nullptr), 0);
    VktDIB m(out);
    EXPECT_EQ(m.width, 16);
    EXPECT_EQ(m.height, 16);
    EXPECT_EQ(m.bits, 1);
    EXPECT_EQ(m.Rgb(0, 0), 0xFFFFFFu);
    EXPECT_EQ(m.Rgb(7, 15), 0u);
    EXPECT_EQ(m.Rgb(8, 15), 0xFFFFFFu);
    DestroyIcon(mono);

    // A colour icon, drawn over a brush where its mask is transparent.
    HBITMAP colour = Painted(8, 8, [](int, int) { return 0x0000FFu; });
    HBITMAP mask = CreateBitmap(8, 8, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 8, 8, BLACKNESS);
    PatBlt(dc, 4, 0, 4, 8, WHITENESS); // right half transparent
    SelectObject(dc, old);
    DeleteDC(dc);
    HBITMAP black = Painted(8, 8, [](int x, int) { return x < 4 ? 0x0000FFu : 0u; });
    ICONINFO ii = {TRUE, 0, 0, mask, black};
    HICON icon = CreateIconIndirect(&ii);
    ASSERT_NE(icon, nullptr);
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    HBITMAP c = nullptr;
    ASSERT_EQ(VkeDrwCopyDIBByIcon(drw, &c, icon, yellow), 0);
    VktDIB ci(c);
    EXPECT_EQ(ci.width, 8);
    EXPECT_EQ(ci.height, 8);
    EXPECT_EQ(ci.Rgb(1, 1), 0x0000FFu);
    EXPECT_EQ(ci.Rgb(6, 6), 0xFFFF00u);
    EXPECT_EQ(VkeDrwCopyDIBByIcon(drw, &c, nullptr, nullptr), -9);
    EXPECT_EQ(VkeDrwCopyDIBByIcon(drw, nullptr, icon, nullptr), -9);
    DestroyIcon(icon);
    for (HGDIOBJ h : {static_cast<HGDIOBJ>(colour), static_cast<HGDIOBJ>(mask), static_cast<HGDIOBJ>(black),
                      static_cast<HGDIOBJ>(yellow), static_cast<HGDIOBJ>(out), static_cast<HGDIOBJ>(c)})
        DeleteObject(h);
}

TEST_F(DibOps, BlitsBetweenDCs)
{
    HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
    HBITMAP ba = Painted(4, 4, [](int x, int y) { return y < 2 ? 0xFF0000u : static_cast<DWORD>(x); });
    HBITMAP bb = VktMakeDIB(4, 4, 24);
    HGDIOBJ oa = SelectObject(a, ba), ob = SelectObject(b, bb);
    EXPECT_EQ(VkeDrwCopyImage(drw, b, 0, 0, a, 0, 0, 4, 4), 0);
    GdiFlush();
    EXPECT_EQ(VktDIB(bb).Rgb(0, 0), 0xFF0000u);
    EXPECT_EQ(VktDIB(bb).Rgb(3, 3), 3u);

    // A source with a flipped y axis: its stack is back as it was and the mode is restored.
    SetMapMode(a, MM_ANISOTROPIC);
    SetWindowExtEx(a, 4, 4, nullptr);
    SetViewportExtEx(a, 4, -4, nullptr);
    SetViewportOrgEx(a, 0, 3, nullptr);
    SetStretchBltMode(b, BLACKONWHITE);
    EXPECT_EQ(VkeDrwStretchImageWithMode(drw, b, 0, 0, 4, 4, a, 0, 0, 4, 4, COLORONCOLOR), 0);
    EXPECT_EQ(GetStretchBltMode(b), BLACKONWHITE);
    int n = -1;
    VkeDrwGetDrawInfoCnt(drw, a, &n);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(GetMapMode(a), MM_ANISOTROPIC);
    SIZE vp = {};
    GetViewportExtEx(a, &vp);
    EXPECT_EQ(vp.cy, -4);

    EXPECT_EQ(VkeDrwStretchImage(drw, nullptr, 0, 0, 1, 1, a, 0, 0, 1, 1), -9);
    EXPECT_EQ(VkeDrwStretchImage(drw, b, 0, 0, 0, 1, a, 0, 0, 1, 1), -9);
    EXPECT_EQ(VkeDrwCopyImageWithMode(drw, b, 0, 0, a, 0, 0, 1, 1, 5), -9);
    SelectObject(a, oa);
    SelectObject(b, ob);
    DeleteDC(a);
    DeleteDC(b);
    DeleteObject(ba);
    DeleteObject(bb);
}

TEST_F(DibOps, RepeatedCopiesLeakNothing)
{
    HBITMAP src = Painted(40, 30, [](int x, int y) { return static_cast<DWORD>(x * y); });
    HBITMAP out = nullptr;
    ASSERT_EQ(VkeDrwStretchDIB(drw, &out, 20, 20, src, 0, 0, 40, 30, 0, nullptr, COLORONCOLOR), 0);
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(VkeDrwStretchDIB(drw, &out, 20 + i % 2, 20, src, 0, 0, 40, 30, 0, nullptr, COLORONCOLOR), 0);
        HBITMAP tmp = nullptr;
        ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &tmp, src, i % 2 ? 8 : 4), 0);
        VkeDrwCloseImage(drw, &tmp);
        EXPECT_EQ(VkeDrwCopyDIBRgn(drw, &tmp, src, 39, 0, 2, 1), -9);
    }
    EXPECT_EQ(VktGdiObjects(), before);
    DeleteObject(out);
    DeleteObject(src);
}

TEST(DibState, NeedsAnInitialisedObject)
{
    VkiDrw* drw = nullptr;
    ASSERT_EQ(VkeDrwAlloc(&drw), 0);
    HBITMAP out = nullptr;
    int bits = 0;
    EXPECT_EQ(VkeDrwGetDefaultBitCnt(drw, &bits), -6);
    EXPECT_EQ(VkeDrwCreateDIB(drw, nullptr, 1, 1, 8, &out), -6);
    HBITMAP b = VktMakeDIB(2, 2, 8);
    EXPECT_EQ(VkeDrwCopyDIB(drw, &out, b), -6);
    // Releasing works in any state.
    EXPECT_EQ(VkeDrwCloseImage(drw, &b), 0);
    EXPECT_EQ(b, nullptr);
    VkeDrwFree(&drw);
}
