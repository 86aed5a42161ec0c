// Packed memory DIBs: written by the engine, and read from blocks of any source (the clipboard's
// data of other programs), checked against the size of the block.
#include "VktDrw.h"
#include "VkiDrw.h" // the work memories must be empty between calls

namespace {

class MemDib : public VktDrwSysFixture {
protected:
    void TearDown() override
    {
        for (HGLOBAL h : blocks) GlobalFree(h);
        EXPECT_EQ(drw->m_aDrm[1].iAttached, 0);
        VktDrwSysFixture::TearDown();
    }
    // A movable block holding bytes.
    HGLOBAL Block(const std::vector<BYTE>& bytes)
    {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        void* p = GlobalLock(h);
        memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(h);
        blocks.push_back(h);
        return h;
    }
    struct Read {
        int rc;
        HBITMAP bitmap;
        int type;
        float xRes, yRes;
    };
    Read FromBlock(HGLOBAL h, int bits = 0)
    {
        Read r = {99, nullptr, -1, -1, -1};
        r.rc = VkeDrwMemDIBToDIB(drw, nullptr, h, bits, &r.bitmap, &r.type, &r.xRes, &r.yRes);
        return r;
    }
    std::vector<HGLOBAL> blocks;
};

// A packed DIB: header of headerSize bytes (the rest zero), then extra bytes (masks, colours), rows.
std::vector<BYTE> Packed(DWORD headerSize, LONG w, LONG h, WORD bits, DWORD compression, DWORD clrUsed,
                         const std::vector<DWORD>& extra, const std::vector<BYTE>& rows)
{
    std::vector<BYTE> b(headerSize, 0);
    BITMAPINFOHEADER ih = {};
    ih.biSize = headerSize;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = bits;
    ih.biCompression = compression;
    ih.biClrUsed = clrUsed;
    ih.biXPelsPerMeter = 3780;
    ih.biYPelsPerMeter = 11811;
    memcpy(b.data(), &ih, sizeof(ih));
    for (DWORD d : extra) {
        const BYTE* p = reinterpret_cast<const BYTE*>(&d);
        b.insert(b.end(), p, p + 4);
    }
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

} // namespace

TEST_F(MemDib, WrittenBlockLayout)
{
    std::vector<RGBQUAD> table(256);
    for (int i = 0; i < 256; ++i) table[i] = {static_cast<BYTE>(i), 0, static_cast<BYTE>(255 - i), 0};
    HBITMAP b = VktMakeDIB(10, 10, 8, table);
    VktDIB d(b);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) d.SetRaw(x, y, static_cast<DWORD>(x * 10 + y));
    HGLOBAL mem = nullptr;
    ASSERT_EQ(VkeDrwDIBToMemDIB(drw, nullptr, b, 0, &mem), 0);
    ASSERT_EQ(GlobalSize(mem), 40u + 1024u + 120u);
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(mem));
    BITMAPINFOHEADER ih;
    memcpy(&ih, p, sizeof(ih));
    EXPECT_EQ(ih.biSize, 40u);
    EXPECT_EQ(ih.biWidth, 10);
    EXPECT_EQ(ih.biHeight, 10);
    EXPECT_EQ(ih.biPlanes, 1);
    EXPECT_EQ(ih.biBitCount, 8);
    EXPECT_EQ(ih.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(ih.biSizeImage, 120u);
    EXPECT_EQ(p[40 + 4 * 7], 7);        // table entry 7: blue 7
    EXPECT_EQ(p[40 + 4 * 7 + 2], 248);  // red 248
    EXPECT_EQ(p[1064], 9);              // bottom row, x 0: index 0 * 10 + 9
    EXPECT_EQ(p[1064 + 12 + 3], 38);    // second row from the bottom, x 3
    GlobalUnlock(mem);

    HGLOBAL again = mem;
    EXPECT_EQ(VkeDrwDIBToMemDIB(drw, nullptr, b, 0, &again), -7);
    HGLOBAL other = nullptr;
    EXPECT_EQ(VkeDrwDIBToMemDIB(drw, nullptr, b, 3, &other), -9);
    EXPECT_EQ(VkeDrwDIBToMemDIB(drw, nullptr, nullptr, 0, &other), -9);
    ASSERT_EQ(VkeDrwDIBToMemDIB(drw, nullptr, b, 24, &other), 0);
    EXPECT_EQ(GlobalSize(other), 40u + 32u * 10u);

    // Back to a DIB: the stored depth, its pixels, type 2.
    Read r = FromBlock(mem);
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(r.type, 2);
    VktDIB back(r.bitmap);
    EXPECT_EQ(back.bits, 8);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(back.Rgb(x, y), d.Rgb(x, y));
    DeleteObject(r.bitmap);
    r = FromBlock(other, 32);
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(VktInfoOf(r.bitmap).bits, 32);
    EXPECT_EQ(VktDIB(r.bitmap).Rgb(4, 2), d.Rgb(4, 2));
    DeleteObject(r.bitmap);

    EXPECT_EQ(VkeDrwFreeMemDIB(drw, &mem), 0);
    EXPECT_EQ(mem, nullptr);
    EXPECT_EQ(VkeDrwFreeMemDIB(drw, &mem), 0);
    EXPECT_EQ(VkeDrwFreeMemDIB(drw, nullptr), -9);
    VkeDrwFreeMemDIB(drw, &other);
    DeleteObject(b);
}

TEST_F(MemDib, ReadByItsOwnHeaderAndColourCount)
{
    // 16 bits with bit fields 5-6-5: the rows follow the three masks.
    std::vector<BYTE> rows = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0}; // red, green, blue
    Read r = FromBlock(Block(Packed(40, 3, 1, 16, BI_BITFIELDS, 0, {0xF800, 0x07E0, 0x001F}, rows)));
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(r.type, 2);
    EXPECT_EQ(r.xRes, 96.0f);
    EXPECT_EQ(r.yRes, 300.0f);
    VktDIB d(r.bitmap);
    EXPECT_EQ(d.bits, 16);
    EXPECT_EQ(d.Rgb(0, 0), 0xFF0000u);
    EXPECT_EQ(d.Rgb(1, 0), 0x00FF00u);
    EXPECT_EQ(d.Rgb(2, 0), 0x0000FFu);
    DeleteObject(r.bitmap);

    // An 8-bit DIB with a table of four colours: the rows follow those four.
    rows = {0, 1, 2, 3};
    r = FromBlock(Block(Packed(40, 4, 1, 8, BI_RGB, 4, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, rows)), 24);
    ASSERT_EQ(r.rc, 0);
    VktDIB e(r.bitmap);
    EXPECT_EQ(e.bits, 24);
    EXPECT_EQ(e.Rgb(0, 0), 0x000000u);
    EXPECT_EQ(e.Rgb(1, 0), 0xFF0000u);
    EXPECT_EQ(e.Rgb(3, 0), 0x0000FFu);
    DeleteObject(r.bitmap);

    // A 124-byte header with its masks inside, top-down rows.
    rows = {0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0};
    std::vector<BYTE> v5 = Packed(124, 1, -2, 32, BI_BITFIELDS, 0, {}, rows);
    DWORD masks[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    memcpy(v5.data() + 40, masks, sizeof(masks));
    r = FromBlock(Block(v5));
    ASSERT_EQ(r.rc, 0);
    VktDIB f(r.bitmap);
    EXPECT_EQ(f.height, 2);
    EXPECT_EQ(f.Rgb(0, 0), 0x332211u); // the first stored row is the top one
    EXPECT_EQ(f.Rgb(0, 1), 0x665544u);
    DeleteObject(r.bitmap);

    // A 24-bit DIB with an optional table of two entries before its rows.
    rows = {0x01, 0x02, 0x03, 0};
    r = FromBlock(Block(Packed(40, 1, 1, 24, BI_RGB, 2, {0xAAAAAA, 0xBBBBBB}, rows)));
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(VktDIB(r.bitmap).Rgb(0, 0), 0x030201u);
    DeleteObject(r.bitmap);
}

TEST_F(MemDib, BadBlocksAreRefusedWithoutReadingPastTheEnd)
{
    std::vector<BYTE> fine = Packed(40, 4, 2, 24, BI_RGB, 0, {}, std::vector<BYTE>(24, 0x7F));
    ASSERT_EQ(FromBlock(Block(fine)).rc, 0);
    struct Row {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<Row> rows = {
        {"one byte short", std::vector<BYTE>(fine.begin(), fine.end() - 1)},
        {"header only", std::vector<BYTE>(fine.begin(), fine.begin() + 40)},
        {"shorter than a header", std::vector<BYTE>(fine.begin(), fine.begin() + 20)},
        {"huge declared size", Packed(40, 60000, 60000, 24, BI_RGB, 0, {}, std::vector<BYTE>(64, 0))},
        {"table larger than the depth", Packed(40, 1, 1, 4, BI_RGB, 17, std::vector<DWORD>(17, 0), {0, 0, 0, 0})},
        {"masks missing", Packed(40, 1, 1, 16, BI_BITFIELDS, 0, {}, {0, 0, 0, 0})},
        {"run-length compressed", Packed(40, 2, 1, 8, BI_RLE8, 0, std::vector<DWORD>(256, 0), {0, 0, 0, 0})},
        {"bit count 2", Packed(40, 2, 1, 2, BI_RGB, 0, std::vector<DWORD>(4, 0), {0, 0, 0, 0})},
        {"width 0", Packed(40, 0, 1, 24, BI_RGB, 0, {}, {0, 0, 0, 0})},
        {"height 0", Packed(40, 1, 0, 24, BI_RGB, 0, {}, {0, 0, 0, 0})},
    };
    Row beyond = {"header size beyond the block", fine};
    DWORD big = 4000;
    memcpy(beyond.bytes.data(), &big, 4);
    rows.push_back(beyond);
    for (const Row& r : rows) {
        Read got = FromBlock(Block(r.bytes));
        EXPECT_EQ(got.rc, -9) << r.what;
        EXPECT_EQ(got.bitmap, nullptr) << r.what;
    }
    Read got = FromBlock(nullptr);
    EXPECT_EQ(got.rc, -9);
    HBITMAP set = reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH));
    int type = 0;
    float xr = 0, yr = 0;
    EXPECT_EQ(VkeDrwMemDIBToDIB(drw, nullptr, Block(fine), 0, &set, &type, &xr, &yr), -7);
    HBITMAP out = nullptr;
    EXPECT_EQ(VkeDrwMemDIBToDIB(drw, nullptr, Block(fine), 5, &out, &type, &xr, &yr), -9);
}
