// The thumbnail cache: thumbnails of each image type fitted into the box, the capacity, use counts,
// ClearCache, the icon route for what is no image, and failed opens that leave nothing behind.
#include "TestAplCmn.h"
#include <algorithm>
#include <stdlib.h>

namespace {

struct Opened {
    int rc = 0;
    HBITMAP image = nullptr;
    int width = -1, height = -1, cached = -1;
};

Opened Open(const std::string& path, HBRUSH background = nullptr)
{
    Opened o;
    o.rc = theCmnImg.OpenTmnImage(path.c_str(), 1, background, &o.image, &o.width, &o.height, &o.cached);
    return o;
}

Opened Open(LPCITEMIDLIST item)
{
    Opened o;
    o.rc = theCmnImg.OpenTmnImage(item, 1, nullptr, &o.image, &o.width, &o.height, &o.cached);
    return o;
}

int Close(HBITMAP image) { return theCmnImg.CloseTmnImage(1, &image); }

int UseCount(HBITMAP image)
{
    CmnImgElm* e = nullptr;
    return theCmnImg.SchCmnImgElmByHdl(0, image, &e) == 0 ? e->iCntUse : -1;
}

bool InCache(const std::string& path)
{
    CmnImgElm* e = nullptr;
    return theCmnImg.SchCmnImgElmByNam(0, path.c_str(), &e) == 0;
}

// The pixel at (x, y) of a 32-bit DIB section as 0xRRGGBB.
DWORD Pixel(HBITMAP image, int x, int y)
{
    DIBSECTION ds = {};
    if (GetObjectA(image, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32) return 0xFFFFFFFF;
    int row = ds.dsBmih.biHeight > 0 ? ds.dsBm.bmHeight - 1 - y : y;
    const BYTE* p = static_cast<const BYTE*>(ds.dsBm.bmBits) + size_t(row) * ds.dsBm.bmWidthBytes + size_t(x) * 4;
    return DWORD(p[2]) << 16 | DWORD(p[1]) << 8 | p[0];
}

// The item-id list of a file deleted after it was taken.
LPITEMIDLIST GoneItem(const VktTempDir& dir)
{
    const std::string gone = dir / "消えた.jpg";
    VktWriteFile(gone, "x");
    LPITEMIDLIST item = theCmnSub.GetItemIdList(gone.c_str());
    DeleteFileA(gone.c_str());
    return item;
}

bool Near(DWORD a, DWORD b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > tolerance) return false;
    return true;
}

} // namespace

TEST_F(ImgTest, ThumbnailsFitTheBoxKeepingTheirProportions)
{
    int screenBits = 0;
    ASSERT_EQ(theCmnImg.GetDefaultBitCnt(&screenBits), 0);
    // blocks: 32 x 16 in eight blocks of 8 x 8: red, green, blue, yellow / magenta, cyan, white, black.
    const DWORD colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0x000000};
    for (const char* name : {"blocks.jpg", "blocks.png", "blocks.tif", "blocks.bmp"}) {
        SCOPED_TRACE(name);
        Opened o = Open(Data(name));
        ASSERT_EQ(o.rc, 0);
        EXPECT_EQ(o.cached, 1);
        EXPECT_EQ(o.width, 100);
        EXPECT_EQ(o.height, 50);
        int w = 0, h = 0, bits = 0;
        ASSERT_EQ(theCmnImg.GetImageInf(o.image, &w, &h, &bits), 0);
        EXPECT_EQ(w * 1000 + h, 100050);
        EXPECT_EQ(bits, screenBits);
        for (int i = 0; i < 8; ++i)
            EXPECT_TRUE(Near(Pixel(o.image, i % 4 * 25 + 12, i / 4 * 25 + 12), colours[i], 40)) << i;
        EXPECT_EQ(Close(o.image), 0);
    }
    Opened gif = Open(Data("pal24.gif"));
    ASSERT_EQ(gif.rc, 0);
    EXPECT_EQ(gif.width, 100);
    EXPECT_EQ(gif.height, 8);
    Close(gif.image);

    // Another box: the side that reaches it first bounds the thumbnail.
    theCmnAppInf.lscFii.iWidthTmnImg = 60;
    theCmnAppInf.lscFii.iHeightTmnImg = 20;
    ASSERT_EQ(theCmnImg.ClearCache(0), 0);
    Opened wide = Open(Data("blocks.png"));
    EXPECT_EQ(wide.width * 1000 + wide.height, 40020);
    EXPECT_TRUE(Near(Pixel(wide.image, 2, 2), 0xFF0000, 40));
    EXPECT_TRUE(Near(Pixel(wide.image, 37, 17), 0x000000, 40));
    Close(wide.image);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, ACacheOfNoneHandsOutThumbnailsOfTheCallersOwn)
{
    theCmnAppInf.iCntImgCacTmn = 0;
    Opened a = Open(Data("blocks.png")), b = Open(Data("blocks.png"));
    ASSERT_EQ(a.rc + b.rc, 0);
    EXPECT_EQ(a.cached + b.cached, 0);
    EXPECT_NE(a.image, b.image);
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 0);
    EXPECT_EQ(Close(a.image) + Close(b.image), 0);
    EXPECT_EQ(GetObjectType(a.image) + GetObjectType(b.image), 0u) << "closing closed them";
}

TEST_F(ImgTest, ALoweredCapacityEvictsTheOldestNotInUse)
{
    VktTempDir dir;
    Items f(dir, Data("blocks.png"), 6);
    theCmnAppInf.iCntImgCacTmn = 5;
    Opened held;
    for (int i = 0; i < 5; ++i) {
        Opened o = Open(f.lists[i]);
        ASSERT_EQ(o.rc, 0);
        ASSERT_EQ(o.cached, 1);
        if (i == 1) held = o;
        else Close(o.image);
    }
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 5);
    theCmnAppInf.iCntImgCacTmn = 3;
    Opened fresh = Open(f.lists[5]);
    ASSERT_EQ(fresh.rc, 0);
    EXPECT_EQ(fresh.cached, 1);
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 3);
    const bool kept[] = {false, true, false, false, true, true};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(InCache(f.paths[i]), kept[i]) << i;
    EXPECT_EQ(GetObjectType(held.image), DWORD(OBJ_BITMAP));

    // Full with every thumbnail in use: the new one is the caller's alone, the cache unchanged.
    theCmnAppInf.iCntImgCacTmn = 2;
    Opened also = Open(f.lists[4]); // a hit: in use now too
    Opened extra = Open(f.lists[0]);
    ASSERT_EQ(extra.rc, 0);
    EXPECT_EQ(extra.cached, 0);
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 3);
    for (HBITMAP image : {held.image, fresh.image, also.image, extra.image}) EXPECT_EQ(Close(image), 0);
    EXPECT_EQ(GetObjectType(extra.image), 0u);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, TheCapacityStaysWithinWhatAProcessMayHold)
{
    // Each thumbnail is a GDI object: a setting as typed may ask for more than a process holds.
    for (int setting : {0, 300, 4000, 4001, 1000000}) {
        theCmnAppInf.iCntImgCacTmn = setting;
        EXPECT_EQ(CmnImg::GetCacheCapacity(), std::min(setting, 4000)) << setting;
        EXPECT_EQ(theCmnAppInf.iCntImgCacTmn, setting) << "the setting stays as it is";
    }
}

TEST_F(ImgTest, OneItemOpenedTwiceIsSharedAndCounted)
{
    CmnIdl item(theCmnSub.GetItemIdList(Data("blocks.png").c_str()));
    Opened a = Open(item.Get()), b = Open(item.Get());
    ASSERT_EQ(a.rc + b.rc, 0);
    EXPECT_EQ(a.image, b.image);
    EXPECT_EQ(a.cached + b.cached, 2);
    EXPECT_EQ(UseCount(a.image), 2);
    EXPECT_EQ(Close(a.image), 0);
    EXPECT_EQ(UseCount(a.image), 1);
    EXPECT_EQ(Close(b.image), 0);
    EXPECT_EQ(UseCount(a.image), 0);
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 1);
    EXPECT_EQ(GetObjectType(a.image), DWORD(OBJ_BITMAP)) << "the cache keeps it";

    // An output that holds a picture already: refused, nothing changed.
    Opened c;
    c.image = a.image;
    c.width = 7;
    c.rc = theCmnImg.OpenTmnImage(item.Get(), 1, nullptr, &c.image, &c.width, &c.height, &c.cached);
    EXPECT_EQ(c.rc, -7);
    EXPECT_EQ(c.width, 7);
    EXPECT_EQ(UseCount(a.image), 0);
    EXPECT_EQ(Traced(), 1u);
}

TEST_F(ImgTest, ClearCacheSparesWhatIsInUseUntilItsLastClose)
{
    VktTempDir dir;
    Items f(dir, Data("blocks.png"), 3);
    Close(Open(f.lists[0]).image);
    Close(Open(f.lists[1]).image);
    Opened held = Open(f.lists[2]);
    ASSERT_EQ(theCmnImg.GetCacheCount(0), 3);
    ASSERT_EQ(theCmnImg.ClearCache(0), 0);
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 1);
    EXPECT_TRUE(InCache(f.paths[2]));

    // The condemned thumbnail is not handed out again: a fresh one, the caller's alone.
    Opened again = Open(f.lists[2]);
    ASSERT_EQ(again.rc, 0);
    EXPECT_NE(again.image, held.image);
    EXPECT_EQ(again.cached, 0);
    EXPECT_EQ(Close(again.image), 0);
    EXPECT_EQ(GetObjectType(again.image), 0u);
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 1);
    EXPECT_EQ(Close(held.image), 0);
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 0);
    EXPECT_EQ(GetObjectType(held.image), 0u);
    EXPECT_EQ(theCmnImg.ClearCache(0), 0);
    EXPECT_EQ(theCmnImg.ClearCache(1), -9);
    EXPECT_EQ(Traced(), 1u);
}

TEST_F(ImgTest, WhatIsNoImageShowsItsIconOrNothing)
{
    VktTempDir dir;
    CmnIdl goneItem(GoneItem(dir));
    ASSERT_NE(goneItem.Get(), nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const struct {
        std::string what;
        std::string path;
    } rows[] = {{"a folder", Data("bad\\folder.png")},   {"a drive", "C:\\"},
                {"zero bytes", Data("bad\\zero.jpg")},   {"cut short", Data("bad\\cut_blocks.png")},
                {"text named .jpg", Data("bad\\text.jpg")}, {"60000 x 60000 declared", Data("bad\\huge.png")},
                {"a deleted file", ""},                   {"a missing path", dir / "無い.png"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        Opened o = r.path.empty() ? Open(goneItem.Get()) : Open(r.path, red);
        ASSERT_TRUE(o.rc == 0 || o.rc == 1) << o.rc;
        if (o.rc == 1) {
            EXPECT_EQ(o.image, nullptr);
            EXPECT_EQ(o.width + o.height + o.cached, 0);
            continue;
        }
        int w = 0, h = 0, bits = 0;
        ASSERT_EQ(theCmnImg.GetImageInf(o.image, &w, &h, &bits), 0);
        EXPECT_EQ(w, o.width);
        EXPECT_EQ(h, o.height);
        EXPECT_LE(w, 256);
        if (!r.path.empty()) {
            EXPECT_EQ(Pixel(o.image, 0, 0), 0xFF0000u) << "the icon drawn over the background";
        }
        EXPECT_EQ(Close(o.image), 0);
    }
    EXPECT_EQ(Open(dir / "無い.png").rc, 1) << "a path the shell does not know has no thumbnail";
    DeleteObject(red);
    EXPECT_EQ(Traced(), 0u);
}

TEST_F(ImgTest, AThousandFailedOpensLeaveNothingBehind)
{
    VktTempDir dir;
    CmnIdl goneItem(GoneItem(dir));
    // Nothing cached: each open goes the whole way (decoding refused, the icon, or nothing).
    theCmnAppInf.iCntImgCacTmn = 0;
    const std::string missing = dir / "無い.png";
    const std::string bad[] = {Data("bad\\zero.jpg"), Data("bad\\text.jpg"), Data("bad\\cut_pal24.gif"),
                               Data("bad\\folder.png"), ""};
    // One open in ten of the bad files (each costs a decoding), the others of a missing file.
    auto pass = [&](int n) {
        for (int i = 0; i < n; ++i) {
            const std::string& path = i % 10 ? missing : bad[i / 10 % 5];
            Opened o = path.empty() ? Open(goneItem.Get()) : Open(path);
            ASSERT_TRUE(o.rc == 0 || o.rc == 1) << i;
            ASSERT_EQ(Close(o.image), 0);
        }
    };
    pass(50); // every kind once: the platform keeps a few objects for good on first use
    const DWORD gdi = VktGdiObjects();
    pass(1000);
    EXPECT_EQ(VktGdiObjects(), gdi);
    EXPECT_EQ(theCmnImg.GetCacheCount(0), 0);
    EXPECT_EQ(Traced(), 0u);
}
