// Image files: encoders and filters, types, open (good files and the bad-input corpus made at
// build time), save round trips, rotation and reflection read back pixel by pixel.
#include "VktDrw.h"
#include "VktMsgFile.h"
#include "VkiDrw.h" // the encoder list, to compare the filter texts with
#include <gdiplus.h>
#include <math.h>
#include <stdlib.h>
#include <algorithm>

namespace {

// The images made by Tests/Data/MakeDrwData.sh, next to the test program.
std::string Data(const std::string& name) { return VktBesideExe("DrwData\\" + name); }

// The colours of the generated images (0xRRGGBB).
const DWORD kBlock[8] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0x000000};
DWORD BlockColour(int x, int y) { return kBlock[x / 8 + 4 * (y / 8)]; }
DWORD Pal24Colour(int x, int y)
{
    int i = (x + 12 * y) % 24;
    return static_cast<DWORD>(((i * 53) % 256) << 16 | ((i * 97 + 40) % 256) << 8 | (255 - 10 * i));
}

struct Opened {
    int rc = 99;
    HBITMAP bitmap = nullptr;
    int type = -1, known = -1;
    float xRes = -1, yRes = -1;
};

class ImageFiles : public VktDibFixture {
protected:
    Opened Open(const std::string& path)
    {
        Opened o;
        o.rc = VkeDrwOpenImage(drw, path.c_str(), &o.bitmap, &o.type, &o.xRes, &o.yRes, &o.known);
        if (o.bitmap) owned.push_back(o.bitmap);
        return o;
    }
    // Every pixel of bitmap is colour(x, y) within tolerance.
    template <class F>
    void ExpectPixels(HBITMAP bitmap, int w, int h, F colour, int tolerance = 0)
    {
        VktDIB d(bitmap);
        ASSERT_EQ(d.width, w);
        ASSERT_EQ(d.height, h);
        int bad = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (!VktNear(d.Rgb(x, y), colour(x, y), tolerance) && ++bad < 4)
                    ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << d.Rgb(x, y) << " not "
                                  << colour(x, y);
    }
};

} // namespace

TEST_F(ImageFiles, EncoderClassIds)
{
    CLSID id;
    for (int t = 1; t <= 5; ++t) {
        memset(&id, 0, sizeof(id));
        EXPECT_EQ(VkeDrwGetEncClsIdByImgTyp(drw, t, &id), 0) << t;
        EXPECT_FALSE(IsEqualGUID(id, GUID_NULL));
    }
    CLSID png;
    ASSERT_EQ(VkeDrwGetEncClsId(drw, "image/png", &png), 0);
    VkeDrwGetEncClsIdByImgTyp(drw, 5, &id);
    EXPECT_TRUE(IsEqualGUID(id, png));
    memset(&id, 0xAB, sizeof(id));
    EXPECT_EQ(VkeDrwGetEncClsId(drw, "IMAGE/PNG", &id), -12); // exact, case-sensitive
    EXPECT_TRUE(IsEqualGUID(id, GUID_NULL));
    EXPECT_EQ(VkeDrwGetEncClsId(drw, "image/xyz", &id), -12);
    EXPECT_EQ(VkeDrwGetEncClsId(drw, nullptr, &id), -9);
    EXPECT_EQ(VkeDrwGetEncClsIdByImgTyp(drw, 0, &id), -9);
    EXPECT_EQ(VkeDrwGetEncClsIdByImgTyp(drw, 6, &id), -9);
    EXPECT_EQ(Traced(), 3); // -12 is expected and not reported; -9 is
}

TEST_F(ImageFiles, FilterTexts)
{
    VktTempDir dir;
    ASSERT_EQ(VkeSubLoadMsg(sub, VktWriteMsgFile(dir.Path(), VktMsgTexts()).c_str()), 0);
    std::vector<std::string> msg = VktMsgTexts();
    char filter[512], ext[512];
    ASSERT_EQ(VkeDrwGetFilter(drw, -1, filter, ext, sizeof(filter), sizeof(ext)), 0);
    EXPECT_EQ(std::string(filter), msg[7]);
    EXPECT_EQ(std::string(ext), msg[10]);
    ASSERT_EQ(VkeDrwGetFilter(drw, -3, filter, ext, sizeof(filter), sizeof(ext)), 0);
    EXPECT_EQ(std::string(filter), msg[9]);
    EXPECT_EQ(std::string(ext), msg[11]);

    // -2: the five types' extension lists joined by ";", a trailing ";", then message 11.
    std::string joined;
    for (const char* mime : {"image/jpeg", "image/bmp", "image/gif", "image/tiff", "image/png"}) {
        for (int i = 0; i < drw->m_iEncCnt; ++i) {
            std::string m;
            for (const WCHAR* w = drw->m_pEncList[i].MimeType; *w; ++w) m += static_cast<char>(*w);
            if (m != mime) continue;
            if (!joined.empty()) joined += ";";
            for (const WCHAR* w = drw->m_pEncList[i].FilenameExtension; *w; ++w) joined += static_cast<char>(*w);
        }
    }
    ASSERT_EQ(VkeDrwGetFilter(drw, -2, filter, ext, sizeof(filter), sizeof(ext)), 0);
    EXPECT_EQ(std::string(filter), msg[8]);
    EXPECT_EQ(std::string(ext), joined + ";" + msg[10]);
    EXPECT_NE(joined.find("*.PNG"), std::string::npos);

    ASSERT_EQ(VkeDrwGetFilter(drw, 5, filter, ext, sizeof(filter), sizeof(ext)), 0);
    EXPECT_GT(strlen(filter), 0u);
    EXPECT_NE(std::string(ext).find("*.PNG"), std::string::npos);

    // Too small: -13 and both texts empty.
    EXPECT_EQ(VkeDrwGetFilter(drw, -2, filter, ext, sizeof(filter), 8), -13);
    EXPECT_STREQ(filter, "");
    EXPECT_STREQ(ext, "");
    EXPECT_EQ(VkeDrwGetFilter(drw, 0, filter, ext, sizeof(filter), sizeof(ext)), -9);
    EXPECT_EQ(VkeDrwGetFilter(drw, -4, filter, ext, sizeof(filter), sizeof(ext)), -9);
    EXPECT_EQ(VkeDrwGetFilter(drw, 6, filter, ext, sizeof(filter), sizeof(ext)), -9);
    EXPECT_EQ(VkeDrwGetFilter(drw, 1, filter, ext, 0, sizeof(ext)), -9);
    EXPECT_EQ(VkeDrwGetFilter(drw, 1, nullptr, ext, 4, sizeof(ext)), -9);
}

TEST_F(ImageFiles, ImageTypesAndInfo)
{
    struct Row {
        const char* name;
        int rc, type;
    } rows[] = {{"blocks.jpg", 0, 1},      {"blocks.bmp", 0, 2},     {"pal24.gif", 0, 3},
                {"blocks.tif", 0, 4},      {"blocks.png", 0, 5},     {"bad\\lies.png", 0, 1},
                {"bad\\text.jpg", 0, 0},   {"bad\\zero.png", 0, 0},  {"bad\\folder.png", -9, 0},
                {"bad\\missing.png", -12, 0}, {"表ソ能ポ.png", 0, 5}};
    for (const Row& r : rows) {
        int type = -1;
        EXPECT_EQ(VkeDrwGetImageType(drw, Data(r.name).c_str(), &type), r.rc) << r.name;
        EXPECT_EQ(type, r.type) << r.name;
    }
    int type = 0;
    EXPECT_EQ(VkeDrwGetImageType(drw, "C:\\", &type), -9);
    EXPECT_EQ(VkeDrwGetImageType(drw, nullptr, &type), -9);

    int w = -1, h = -1, bits = -1;
    HBITMAP b = Keep(VktMakeDIB(7, 5, 4));
    ASSERT_EQ(VkeDrwGetImageInf(drw, b, &w, &h, &bits), 0);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 5);
    EXPECT_EQ(bits, 4);
    EXPECT_EQ(VkeDrwGetImageInf(drw, reinterpret_cast<HBITMAP>(GetStockObject(GRAY_BRUSH)), &w, &h, &bits), -9);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(bits, 0);
    EXPECT_EQ(VkeDrwGetImageInf(drw, nullptr, &w, &h, &bits), -9);
    EXPECT_EQ(VkeDrwGetImageInf(drw, b, &w, nullptr, &bits), -9);
}

TEST_F(ImageFiles, OpenGoodFiles)
{
    Opened o = Open(Data("pal24.bmp"));
    ASSERT_EQ(o.rc, 0);
    EXPECT_EQ(VktInfoOf(o.bitmap).bits, 8);
    EXPECT_EQ(o.type, 2);
    EXPECT_EQ(o.known, 1);
    EXPECT_EQ(o.xRes, 96.0f); // 3780 pixels per metre
    EXPECT_EQ(o.yRes, 96.0f);
    ExpectPixels(o.bitmap, 24, 2, Pal24Colour);

    o = Open(Data("pal24.gif"));
    ASSERT_EQ(o.rc, 0);
    EXPECT_EQ(VktInfoOf(o.bitmap).bits, 8);
    EXPECT_EQ(o.type, 3);
    ExpectPixels(o.bitmap, 24, 2, Pal24Colour);

    o = Open(Data("blocks.jpg"));
    ASSERT_EQ(o.rc, 0);
    EXPECT_EQ(VktInfoOf(o.bitmap).bits, 24);
    EXPECT_EQ(o.type, 1);
    EXPECT_EQ(o.known, 1);
    ExpectPixels(o.bitmap, 32, 16, BlockColour, 24);

    for (const char* name : {"blocks.png", "blocks.tif", "blocks.bmp", "表ソ能ポ.png"}) {
        o = Open(Data(name));
        ASSERT_EQ(o.rc, 0) << name;
        EXPECT_EQ(VktInfoOf(o.bitmap).bits, 24) << name;
        ExpectPixels(o.bitmap, 32, 16, BlockColour);
    }
    o = Open(Data("blocks.bmp"));
    EXPECT_EQ(o.xRes, 72.0f);

    o = Open(Data("two.bmp"));
    ASSERT_EQ(o.rc, 0);
    EXPECT_EQ(VktInfoOf(o.bitmap).bits, 1);
    ExpectPixels(o.bitmap, 9, 3, [](int x, int) { return x < 5 ? 0u : 0xFFFFFFu; });
    o = Open(Data("four.bmp"));
    ASSERT_EQ(o.rc, 0);
    EXPECT_EQ(VktInfoOf(o.bitmap).bits, 4);
    ExpectPixels(o.bitmap, 9, 3, [](int x, int) { return x % 3 == 0 ? 0xFF0000u : x % 3 == 1 ? 0x00FF00u : 0x0000FFu; });

    // A PNG with alpha: 32 bits over opaque black.
    o = Open(Data("alpha.png"));
    ASSERT_EQ(o.rc, 0);
    EXPECT_EQ(VktInfoOf(o.bitmap).bits, 32);
    EXPECT_EQ(o.type, 5);
    VktDIB a(o.bitmap);
    EXPECT_EQ(a.Rgb(0, 0), 0xFF0000u);
    EXPECT_TRUE(VktNear(a.Rgb(1, 0), 0x008000, 2)) << std::hex << a.Rgb(1, 0);
    EXPECT_EQ(a.Rgb(2, 0), 0u);
    EXPECT_EQ(a.Rgb(3, 0), 0xFFFFFFu);
}

TEST_F(ImageFiles, OpenACursor)
{
    Opened o = Open(Data("cursor.cur"));
    ASSERT_EQ(o.rc, 0);
    EXPECT_EQ(o.type, 2);
    EXPECT_EQ(o.known, 0);
    VktDIB d(o.bitmap);
    EXPECT_EQ(d.width, 32);
    EXPECT_EQ(d.height, 32);
    EXPECT_EQ(d.Rgb(2, 2), 0x0000FFu);
    EXPECT_EQ(d.Rgb(30, 30), 0xFF0000u);
}

TEST_F(ImageFiles, OpenBadInput)
{
    struct Row {
        const char* name;
        int rc;
    } rows[] = {{"bad\\zero.jpg", 1},        {"bad\\zero.png", 1},      {"bad\\cut_blocks.jpg", -99},
                {"bad\\cut_blocks.png", -99}, {"bad\\cut_blocks.tif", -99}, {"bad\\cut_blocks.bmp", -99},
                {"bad\\cut_pal24.gif", -99}, {"bad\\text.jpg", 1},      {"bad\\huge.png", 1},
                {"bad\\huge.bmp", 1},        {"bad\\folder.png", -9},   {"bad\\missing.jpg", -12},
                {"bad\\表ソ能ポ.png", -12},
                // Files the platform's own decoders would read past the end of.
                {"bad\\notable.gif", 1},   {"bad\\lies.bmp", 1},      {"bad\\lies_rle.bmp", 1}};
    for (const Row& r : rows) {
        Opened o = Open(Data(r.name));
        if (r.rc == -99) {
            // A file cut short may still show its first rows; either way nothing is half made.
            EXPECT_TRUE(o.rc == 0 || o.rc == 1) << r.name << " gave " << o.rc;
            if (o.rc == 0) {
                EXPECT_TRUE(VktIsBitmap(o.bitmap)) << r.name;
            }
        } else {
            EXPECT_EQ(o.rc, r.rc) << r.name;
        }
        if (o.rc != 0) {
            EXPECT_EQ(o.bitmap, nullptr) << r.name;
            EXPECT_EQ(o.type, 0) << r.name;
            EXPECT_EQ(o.known, 0) << r.name;
            EXPECT_EQ(o.xRes, 0.0f) << r.name;
        }
    }
    // A file whose name lies is read by its content.
    Opened lie = Open(Data("bad\\lies.png"));
    ASSERT_EQ(lie.rc, 0);
    EXPECT_EQ(lie.type, 1);

    Opened o;
    o.bitmap = reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(VkeDrwOpenImage(drw, Data("blocks.png").c_str(), &o.bitmap, &o.type, &o.xRes, &o.yRes, &o.known), -7);
    o.bitmap = nullptr;
    EXPECT_EQ(VkeDrwOpenImage(drw, nullptr, &o.bitmap, &o.type, &o.xRes, &o.yRes, &o.known), -9);
    EXPECT_EQ(VkeDrwOpenImage(drw, Data("blocks.png").c_str(), &o.bitmap, &o.type, &o.xRes, nullptr, &o.known), -9);
    EXPECT_EQ(VkeDrwOpenImage(drw, "C:\\", &o.bitmap, &o.type, &o.xRes, &o.yRes, &o.known), -9);
}

TEST_F(ImageFiles, OpenFilesThePlatformMishandles)
{
    const DWORD top[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, bottom[4] = {0x000000, 0xFFFF00, 0xFF00FF, 0x00FFFF};
    // Bit-field masks GDI+ refuses under Wine, and 56- and 52-byte headers.
    struct Row {
        const char* name;
        int bits, tolerance;
    } rows[] = {{"fields4444.bmp", 16, 8}, {"header56.bmp", 32, 0}, {"header52.bmp", 24, 0}};
    for (const Row& r : rows) {
        Opened o = Open(Data(r.name));
        ASSERT_EQ(o.rc, 0) << r.name;
        EXPECT_EQ(o.type, 2) << r.name;
        EXPECT_EQ(o.known, 1) << r.name;
        EXPECT_EQ(o.xRes, 72.0f) << r.name; // 2835 pixels per metre
        EXPECT_EQ(VktInfoOf(o.bitmap).bits, r.bits) << r.name;
        ExpectPixels(o.bitmap, 4, 2, [&](int x, int y) { return y ? bottom[x] : top[x]; }, r.tolerance);
    }
    // A GIF with only a local colour table opens; one with none is refused before any decoder sees it.
    Opened local = Open(Data("localtable.gif"));
    ASSERT_EQ(local.rc, 0);
    EXPECT_EQ(local.type, 3);
    ExpectPixels(local.bitmap, 2, 1, [](int x, int) { return x ? 0x0000FFu : 0xFF0000u; });
    int type = -1;
    EXPECT_EQ(VkeDrwGetImageType(drw, Data("bad\\notable.gif").c_str(), &type), 0);
    EXPECT_EQ(type, 0);
    EXPECT_EQ(VkeDrwGetImageType(drw, Data("localtable.gif").c_str(), &type), 0);
    EXPECT_EQ(type, 3);
}

TEST_F(ImageFiles, ThousandsOfStretchesCopiesAndFailedOpensLeakNothing)
{
    HBITMAP src = Keep(VktMakeDIB(40, 30, 24)), eight = Keep(VktMakeDIB(40, 30, 8));
    HBITMAP page = Keep(VktMakeDIB(20, 20, 32));
    HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldTo = SelectObject(to, page);
    SetMapMode(to, MM_ANISOTROPIC); // a page drawn at half size
    SetWindowExtEx(to, 2, 2, nullptr);
    SetViewportExtEx(to, 1, 1, nullptr);
    HBITMAP out = nullptr;
    // Failed opens: refused by the header, and by the platform's decoders.
    const char* refused[] = {"bad\\text.jpg", "bad\\zero.png", "bad\\huge.bmp", "bad\\cut_blocks.bmp"};
    auto round = [&](int i) {
        // Averaged and plain stretches, into the same result and into a new one.
        ASSERT_EQ(VkeDrwStretchDIB(drw, &out, 13 + i % 2, 10, src, 0, 0, 40, 30, 0, nullptr, HALFTONE), 0);
        HBITMAP tmp = nullptr;
        ASSERT_EQ(VkeDrwStretchDIB(drw, &tmp, 9, 7, eight, 0, 0, 40, 30, 1, nullptr, i % 2 ? HALFTONE : COLORONCOLOR), 0);
        VkeDrwCloseImage(drw, &tmp);
        ASSERT_EQ(VkeDrwCopyDIBWithBitCnt(drw, &tmp, src, i % 2 ? 8 : 4), 0);
        VkeDrwCloseImage(drw, &tmp);
        ASSERT_EQ(VkeDrwCopyDIBRgn(drw, &tmp, src, 39, 0, 2, 1), -9);
        // Blits through a reducing mapping.
        HGDIOBJ oldFrom = SelectObject(from, i % 2 ? src : eight);
        ASSERT_EQ(VkeDrwCopyImageWithMode(drw, to, 0, 0, from, 0, 0, 40, 30, HALFTONE), 0);
        SelectObject(from, oldFrom);
        if (i % 4 == 0) {
            ASSERT_EQ(Open(Data("bad\\notable.gif")).rc, 1);
        }
        if (i % 20 == 0) {
            ASSERT_NE(Open(Data(refused[i / 20 % 4])).rc, 0);
        }
    };
    // Every path once first: the platform keeps some objects for good on first use.
    for (int i = 0; i < 80; ++i) round(i);
    DWORD gdi = VktGdiObjects(), handles = 0, handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    // Enough rounds that an object or handle left behind by one path in a hundred shows.
    for (int i = 0; i < 2000 && !HasFatalFailure(); ++i) round(i);
    EXPECT_EQ(VktGdiObjects(), gdi);
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_LE(handlesAfter, handles + 2); // no file stays open
    VkeDrwCloseImage(drw, &out);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
}

TEST_F(ImageFiles, SaveRoundTrips)
{
    VktTempDir dir;
    Opened src = Open(Data("blocks.png"));
    ASSERT_EQ(src.rc, 0);
    const char* ext[] = {"", "jpg", "bmp", "gif", "tif", "png"};
    for (int t = 1; t <= 5; ++t) {
        std::string path = dir / (std::string("round.") + ext[t]);
        ASSERT_EQ(VkeDrwSaveImage(drw, path.c_str(), src.bitmap, t, 0, 0, t == 1 ? 95 : -1), 0) << t;
        Opened back = Open(path);
        ASSERT_EQ(back.rc, 0) << t;
        EXPECT_EQ(back.type, t);
        EXPECT_EQ(back.known, 1);
        EXPECT_EQ(VktInfoOf(back.bitmap).bits, t == 3 ? 8 : 24) << t;
        if (t != 1) {
            ExpectPixels(back.bitmap, 32, 16, BlockColour);
            continue;
        }
        // JPEG: the inside of each block, within a tolerance (the encoder may keep its own quality
        // and halve the colour resolution).
        VktDIB j(back.bitmap);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (x % 8 < 2 || x % 8 > 5 || y % 8 < 2 || y % 8 > 5) continue;
                EXPECT_TRUE(VktNear(j.Rgb(x, y), BlockColour(x, y), 64)) << x << "," << y << " " << std::hex << j.Rgb(x, y);
            }
        }
    }
    // An 8-bit GIF source and a 4-bit and 1-bit bitmap saved as GIF keep their colours.
    for (const char* name : {"pal24.gif", "four.bmp", "two.bmp"}) {
        Opened o = Open(Data(name));
        ASSERT_EQ(o.rc, 0);
        std::string path = dir / (std::string(name) + ".gif");
        ASSERT_EQ(VkeDrwSaveImage(drw, path.c_str(), o.bitmap, 3, 0, 0, -1), 0) << name;
        Opened back = Open(path);
        ASSERT_EQ(back.rc, 0);
        VktDIB a(o.bitmap), b(back.bitmap);
        ASSERT_EQ(a.width, b.width);
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) ASSERT_EQ(a.Rgb(x, y), b.Rgb(x, y)) << name << " " << x << "," << y;
    }
    // A 32-bit image of many colours as GIF: the halftone palette, near enough.
    HBITMAP many = Keep(VktMakeDIB(64, 8, 32));
    VktDIB m(many);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 64; ++x) m.SetRaw(x, y, static_cast<DWORD>(x * 4) << 16 | static_cast<DWORD>(y * 32) << 8 | 0x40);
    std::string gif = dir / "many.gif";
    ASSERT_EQ(VkeDrwSaveImage(drw, gif.c_str(), many, 3, 0, 0, -1), 0);
    Opened mg = Open(gif);
    ASSERT_EQ(mg.rc, 0);
    EXPECT_EQ(VktInfoOf(mg.bitmap).bits, 8);
    ExpectPixels(mg.bitmap, 64, 8, [&](int x, int y) { return m.Rgb(x, y); }, 40);
}

TEST_F(ImageFiles, SaveArgumentsQualityAndResolution)
{
    VktTempDir dir;
    HBITMAP b = Keep(VktMakeDIB(16, 16, 24));
    std::string path = dir / "q.jpg";
    for (int q : {-1, 0, 100}) EXPECT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, 1, 0, 0, q), 0) << q;
    EXPECT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, 1, 0, 0, 101), -9);
    EXPECT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, 1, 0, 0, -2), -9);
    EXPECT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, 0, 0, 0, -1), -9);
    EXPECT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, 6, 0, 0, -1), -9);
    EXPECT_EQ(VkeDrwSaveImage(drw, path.c_str(), nullptr, 1, 0, 0, -1), -9);
    EXPECT_EQ(VkeDrwSaveImage(drw, dir.Path().c_str(), b, 5, 0, 0, -1), -9);
    EXPECT_EQ(VkeDrwSaveImage(drw, "C:\\", b, 5, 0, 0, -1), -9);
    EXPECT_EQ(VkeDrwSaveImageWithEncPrm(drw, path.c_str(), b, 7, 0, 0, nullptr), -9);

    // x resolution 0: the screen's for both directions, even with y given.
    std::string png = dir / "res.png";
    ASSERT_EQ(VkeDrwSaveImage(drw, png.c_str(), b, 5, 0, 300, -1), 0);
    Opened o = Open(png);
    ASSERT_EQ(o.rc, 0);
    HDC screen = GetDC(nullptr);
    float dpi = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    EXPECT_NEAR(o.xRes, dpi, 0.5);
    EXPECT_NEAR(o.yRes, dpi, 0.5);
    ASSERT_EQ(VkeDrwSaveImage(drw, png.c_str(), b, 5, 150, 200, -1), 0);
    o = Open(png);
    EXPECT_NEAR(o.xRes, 150, 0.5);
    EXPECT_NEAR(o.yRes, 200, 0.5);

    // An existing file is replaced; a path in a missing folder cannot be written.
    EXPECT_EQ(VkeDrwSaveImage(drw, (dir / "no folder\\x.png").c_str(), b, 5, 0, 0, -1), 1);
}

TEST_F(ImageFiles, RotateAndReflectA3x2Image)
{
    // Source pixel (x, y) has value v(x, y) = x + 3 * y (as an index, or as a colour).
    auto value = [](int x, int y) { return static_cast<DWORD>(x + 3 * y); };
    struct Turn {
        int kind;  // 0 rotate, 1 reflect
        double arg;
        int w, h;
        // Source coordinates of result pixel (x, y).
        int (*sx)(int, int);
        int (*sy)(int, int);
    } turns[] = {
        {0, 90, 2, 3, [](int, int y) { return y; }, [](int x, int) { return 1 - x; }},
        {0, 180, 3, 2, [](int x, int) { return 2 - x; }, [](int, int y) { return 1 - y; }},
        {0, 270, 2, 3, [](int, int y) { return 2 - y; }, [](int x, int) { return x; }},
        {1, 0, 3, 2, [](int x, int) { return 2 - x; }, [](int, int y) { return y; }},
        {1, 1, 3, 2, [](int x, int) { return x; }, [](int, int y) { return 1 - y; }},
    };
    std::vector<RGBQUAD> table;
    for (int i = 0; i < 16; ++i) table.push_back({static_cast<BYTE>(i * 16), static_cast<BYTE>(255 - i * 8), static_cast<BYTE>(i), 0});
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        HBITMAP src = Keep(VktMakeDIB(3, 2, bits, table));
        VktDIB s(src);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                DWORD v = value(x, y);
                if (bits == 1) v &= 1;
                else if (bits == 16) v = v << 10 | v << 5 | v;
                else if (bits > 16) v = v * 0x102030;
                s.SetRaw(x, y, v);
            }
        for (const Turn& t : turns) {
            HBITMAP out = nullptr;
            int rc = t.kind == 0 ? VkeDrwRotateImage(drw, &out, src, t.arg)
                                 : VkeDrwReflectImage(drw, &out, src, static_cast<int>(t.arg));
            ASSERT_EQ(rc, 0) << bits << " bits, " << t.kind << " " << t.arg;
            Keep(out);
            VktDIB o(out);
            EXPECT_EQ(o.bits, bits);
            ASSERT_EQ(o.width, t.w);
            ASSERT_EQ(o.height, t.h);
            for (int y = 0; y < t.h; ++y)
                for (int x = 0; x < t.w; ++x)
                    EXPECT_EQ(o.Rgb(x, y), s.Rgb(t.sx(x, y), t.sy(x, y)))
                        << bits << " bits, turn " << t.kind << " " << t.arg << " at " << x << "," << y;
        }
    }
}

// 256 neighbouring colours and 32 bits with alpha: the turned pixels are the very bits, and four
// quarter turns give the source back.
TEST_F(ImageFiles, TurnsMoveTheExactBitsOfCloseColoursAndAlpha)
{
    std::vector<RGBQUAD> table;
    for (int i = 0; i < 256; ++i) table.push_back({static_cast<BYTE>(i), static_cast<BYTE>(i / 2), static_cast<BYTE>(i / 3), 0});
    for (int bits : {8, 32}) {
        HBITMAP src = Keep(VktMakeDIB(37, 23, bits, table));
        VktDIB s(src);
        unsigned seed = 5;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x) {
                seed = seed * 1103515245u + 12345u;
                s.SetRaw(x, y, bits == 8 ? (seed >> 16) & 0xFF : seed);
            }
        HBITMAP turned = src;
        for (int i = 0; i < 4; ++i) {
            HBITMAP out = nullptr;
            ASSERT_EQ(VkeDrwRotateImage(drw, &out, turned, 90), 0) << bits;
            Keep(out);
            VktDIB o(out), t(turned);
            EXPECT_EQ(o.Raw(t.height - 1, 0), t.Raw(0, 0)) << bits << " bits, the top-left corner goes right";
            EXPECT_EQ(o.Table().size(), t.Table().size());
            turned = out;
        }
        VktDIB back(turned);
        int differ = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x) differ += back.Raw(x, y) != s.Raw(x, y);
        EXPECT_EQ(differ, 0) << bits << " bits";
    }
}

TEST_F(ImageFiles, RotateArguments)
{
    HBITMAP src = Keep(VktMakeDIB(100, 50, 24));
    HBITMAP out = nullptr;
    EXPECT_EQ(VkeDrwRotateImage(drw, &out, src, 45), -9);
    EXPECT_EQ(VkeDrwRotateImage(drw, &out, src, 90.5), -9);
    EXPECT_EQ(VkeDrwRotateImage(drw, &out, nullptr, 90), -9);
    EXPECT_EQ(VkeDrwRotateImage(drw, nullptr, src, 90), -9);
    EXPECT_EQ(VkeDrwReflectImage(drw, &out, src, 2), -9);
    ASSERT_EQ(VkeDrwRotateImage(drw, &out, src, 90), 0);
    Keep(out);
    VktInfo i = VktInfoOf(out);
    EXPECT_EQ(i.width, 50);
    EXPECT_EQ(i.height, 100);
    EXPECT_EQ(VkeDrwRotateImage(drw, &out, src, 180), -7);
    EXPECT_EQ(VkeDrwReflectImage(drw, &out, src, 0), -7);
}

// Other programs read what the platform's encoders write wrong: a bitmap file's size must count
// its colour table, a TIFF colour map holds 16-bit values (an 8-bit c as c * 257, white 0xFFFF).
TEST_F(ImageFiles, SavedBitmapAndTiffFilesStateTheirSizeAndWholeColours)
{
    VktTempDir dir;
    for (const char* name : {"two.bmp", "four.bmp", "pal24.gif", "blocks.png"}) {
        SCOPED_TRACE(name);
        Opened o = Open(Data(name));
        ASSERT_EQ(o.rc, 0);
        const std::string bmp = dir / "x.bmp", tif = dir / "x.tif";
        ASSERT_EQ(VkeDrwSaveImage(drw, bmp.c_str(), o.bitmap, 2, 0, 0, -1), 0);
        ASSERT_EQ(VkeDrwSaveImage(drw, tif.c_str(), o.bitmap, 4, 0, 0, -1), 0);
        const std::string b = VktReadFile(bmp);
        ASSERT_GE(b.size(), 14u);
        DWORD stated = 0;
        memcpy(&stated, b.data() + 2, 4);
        EXPECT_EQ(stated, b.size());

        // The colour map of the TIFF's first image (little-endian, as written here).
        const std::string t = VktReadFile(tif);
        ASSERT_GE(t.size(), 8u);
        ASSERT_EQ(t.substr(0, 2), "II");
        auto u16 = [&](size_t at) { return static_cast<unsigned>(static_cast<BYTE>(t[at]) | static_cast<BYTE>(t[at + 1]) << 8); };
        auto u32 = [&](size_t at) { return u16(at) | static_cast<size_t>(u16(at + 2)) << 16; };
        const size_t ifd = u32(4);
        std::vector<unsigned> map;
        for (unsigned i = 0; i < u16(ifd); ++i) {
            const size_t e = ifd + 2 + 12 * i;
            if (u16(e) != 320) continue;
            for (size_t k = 0; k < u32(e + 4); ++k) map.push_back(u16(u32(e + 8) + 2 * k));
        }
        EXPECT_EQ(map.empty(), std::string(name) == "blocks.png") << "a colour map for the palette images only";
        for (unsigned v : map) EXPECT_EQ(v >> 8, v & 0xFF) << std::hex << v;
        if (std::string(name) == "four.bmp") {
            EXPECT_NE(std::find(map.begin(), map.end(), 0xFFFFu), map.end()) << "red";
        }
    }
}
