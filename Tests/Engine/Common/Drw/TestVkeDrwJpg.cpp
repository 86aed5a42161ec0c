// JPEG saves with a quality: the quality asked for is the file's (sizes here, ImageMagick's reading
// in JpgQuality.sh over the files written to JpgQuality\ beside the program), pixels survive at the
// quality's fidelity, the JFIF density is the resolution passed, and a failed save of any type
// leaves the old file and nothing else.
#include "VktDrw.h"
#include "VkiGdp.h"
#include <algorithm>
#include <math.h>

namespace {

// Every pixel of a bitmap as 0x00RRGGBB, top row first.
std::vector<DWORD> Pixels(HBITMAP bitmap)
{
    VktInfo inf = VktInfoOf(bitmap);
    std::vector<DWORD> px(static_cast<size_t>(inf.width) * inf.height);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), inf.width, -inf.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(inf.height), px.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (DWORD& p : px) p &= 0xFFFFFF;
    return px;
}

int Channel(DWORD p, int c) { return static_cast<int>((p >> (8 * c)) & 0xFF); }

double Psnr(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int c = 0; c < 3; ++c) {
            double d = Channel(a[i], c) - Channel(b[i], c);
            sum += d * d;
        }
    double mse = sum / (3.0 * static_cast<double>(a.size()));
    return mse == 0 ? 99 : 10 * log10(255.0 * 255.0 / mse);
}

int MaxDiff(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    int worst = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int c = 0; c < 3; ++c) worst = std::max(worst, abs(Channel(a[i], c) - Channel(b[i], c)));
    return worst;
}

// A photo-like picture: soft colour waves, a bright disc and a little grain.
HBITMAP Photo(int w, int h)
{
    HBITMAP b = VktMakeDIB(w, h, 24);
    VktDIB d(b);
    unsigned seed = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            int grain = static_cast<int>((seed >> 16) % 5) - 2;
            double fx = x * 6.0 / w, fy = y * 6.0 / h, dx = fx - 3.8, dy = fy - 2.4;
            double disc = dx * dx + dy * dy < 1.2 ? 60 : 0;
            int r = static_cast<int>(120 + 70 * sin(fx) * cos(fy * 0.7) + disc) + grain;
            int g = static_cast<int>(110 + 60 * sin(fx * 0.8 + fy) + disc) + grain;
            int bl = static_cast<int>(100 + 80 * cos(fx * 0.5 - fy * 0.9)) + grain;
            auto cl = [](int v) { return static_cast<DWORD>(v < 0 ? 0 : v > 255 ? 255 : v); };
            d.SetRaw(x, y, cl(r) << 16 | cl(g) << 8 | cl(bl));
        }
    return b;
}

class OwnJpeg : public VktDrwSysFixture {
protected:
    void TearDown() override
    {
        for (HBITMAP b : owned) DeleteObject(b);
        VktDrwSysFixture::TearDown();
    }
    HBITMAP Keep(HBITMAP b)
    {
        owned.push_back(b);
        return b;
    }
    HBITMAP Open(const std::string& path, int expectedType = 1)
    {
        HBITMAP b = nullptr;
        int type = 0, known = 0;
        float xr = 0, yr = 0;
        EXPECT_EQ(VkeDrwOpenImage(drw, path.c_str(), &b, &type, &xr, &yr, &known), 0) << path;
        EXPECT_EQ(type, expectedType) << path;
        return Keep(b);
    }
    // Saves as JPEG and reads the file back.
    std::vector<DWORD> RoundTrip(const std::string& path, HBITMAP src, int quality)
    {
        EXPECT_EQ(VkeDrwSaveImage(drw, path.c_str(), src, 1, 0, 0, quality), 0) << path;
        return Pixels(Open(path));
    }
    std::vector<HBITMAP> owned;
};

// Names in a folder (not . and ..).
std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (strcmp(fd.cFileName, ".") && strcmp(fd.cFileName, "..")) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

// The JFIF segment's units and densities; false when the file does not start with one.
bool Jfif(const std::string& bytes, int* units, int* x, int* y)
{
    auto at = [&](size_t i) { return static_cast<BYTE>(bytes[i]); };
    if (bytes.size() < 20 || at(0) != 0xFF || at(1) != 0xD8 || at(2) != 0xFF || at(3) != 0xE0 ||
        bytes.compare(6, 5, std::string("JFIF\0", 5)) != 0)
        return false;
    *units = at(13);
    *x = at(14) << 8 | at(15);
    *y = at(16) << 8 | at(17);
    return true;
}

// The number of components in the frame header (0 when there is none).
int FrameComponents(const std::string& bytes)
{
    auto at = [&](size_t i) { return static_cast<BYTE>(bytes[i]); };
    for (size_t i = 2; i + 9 < bytes.size() && at(i) == 0xFF; i += 2 + (at(i + 2) << 8 | at(i + 3)))
        if (at(i + 1) == 0xC0) return at(i + 9);
    return 0;
}

} // namespace

TEST_F(OwnJpeg, SizeGrowsWithQualityAndFilesForTheIndependentReader)
{
    // JpgQuality.sh reads qNN.jpg and prmNN.jpg with ImageMagick and expects quality NN.
    std::string out = VktBesideExe("JpgQuality");
    VktRemoveTree(out);
    ASSERT_TRUE(CreateDirectoryA(out.c_str(), nullptr));
    HBITMAP photo = Keep(Photo(256, 192));
    std::vector<double> size(101, 0);
    for (int q = 0; q <= 100; q += 10) {
        std::string path = out + "\\q" + std::to_string(q) + ".jpg";
        ASSERT_EQ(VkeDrwSaveImage(drw, path.c_str(), photo, 1, 0, 0, q), 0) << q;
        int known = 0;
        ASSERT_EQ(VkeSubGetFileSize(sub, path.c_str(), &size[q], &known), 0);
    }
    EXPECT_LT(size[10], size[50]);
    EXPECT_LT(size[50], size[90]);
    EXPECT_LT(size[90], size[100]);
    EXPECT_LE(size[0], size[10]);
    DeleteFileA((out + "\\q0.jpg").c_str());

    // The general form with a quality entry among other parameters behaves the same way.
    ULONG quality = 30, depth = 24;
    Gdiplus::EncoderParameters* params = static_cast<Gdiplus::EncoderParameters*>(
        calloc(1, sizeof(Gdiplus::EncoderParameters) + sizeof(Gdiplus::EncoderParameter)));
    params->Count = 2;
    params->Parameter[0] = {Gdiplus::EncoderColorDepth, 1, Gdiplus::EncoderParameterValueTypeLong, &depth};
    params->Parameter[1] = {VkiGdpQualityId, 1, Gdiplus::EncoderParameterValueTypeLong, &quality};
    EXPECT_EQ(VkeDrwSaveImageWithEncPrm(drw, (out + "\\prm30.jpg").c_str(), photo, 1, 0, 0, params), 0);
    free(params);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(OwnJpeg, QualityMinusOneStaysWithThePlatform)
{
    // The file of quality -1 is what GDI+ itself writes.
    VktTempDir dir;
    HBITMAP photo = Keep(Photo(64, 48));
    std::string mine = dir / "mine.jpg", theirs = dir / "theirs.jpg";
    ASSERT_EQ(VkeDrwSaveImage(drw, mine.c_str(), photo, 1, 0, 0, -1), 0);
    CLSID jpeg;
    ASSERT_EQ(VkeDrwGetEncClsIdByImgTyp(drw, 1, &jpeg), 0);
    Gdiplus::GpBitmap* image = nullptr;
    ASSERT_EQ(Gdp::GdipCreateBitmapFromHBITMAP(photo, nullptr, &image), Gdiplus::Ok);
    HDC screen = GetDC(nullptr);
    float dpi = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    Gdp::GdipBitmapSetResolution(image, dpi, dpi);
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, theirs.c_str(), -1, wide, MAX_PATH);
    EXPECT_EQ(Gdp::GdipSaveImageToFile(image, wide, &jpeg, nullptr), Gdiplus::Ok);
    Gdp::GdipDisposeImage(image);
    EXPECT_EQ(VktReadFile(mine), VktReadFile(theirs));
}

TEST_F(OwnJpeg, PixelsSurviveAtTheQualitysFidelity)
{
    VktTempDir dir;
    HBITMAP photo = Keep(Photo(333, 251)); // neither dimension a multiple of 8 or 16
    std::vector<DWORD> src = Pixels(photo);
    EXPECT_GE(Psnr(src, RoundTrip(dir / "95.jpg", photo, 95)), 40.0);
    EXPECT_GE(Psnr(src, RoundTrip(dir / "50.jpg", photo, 50)), 30.0);

    // A grey image stays grey (and is written as one component).
    HBITMAP grey = Keep(VktMakeDIB(40, 24, 8));
    VktDIB g(grey);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x) g.SetRaw(x, y, static_cast<DWORD>((x * 6 + y * 3) % 256));
    std::vector<DWORD> back = RoundTrip(dir / "grey.jpg", grey, 75);
    for (DWORD p : back) ASSERT_TRUE(Channel(p, 0) == Channel(p, 1) && Channel(p, 1) == Channel(p, 2)) << std::hex << p;
    EXPECT_GE(Psnr(Pixels(grey), back), 35.0);
    EXPECT_EQ(FrameComponents(VktReadFile(dir / "grey.jpg")), 1);
    EXPECT_EQ(FrameComponents(VktReadFile(dir / "95.jpg")), 3);
}

TEST_F(OwnJpeg, EdgeBlocksOfOddSizes)
{
    // A gentle gradient: every pixel, those of the cut blocks at the right and bottom included, comes
    // back near (the padding repeats the last column and row, so nothing rings there).
    VktTempDir dir;
    struct Case {
        int w, h, quality, tolerance;
    } cases[] = {{13, 7, 95, 8}, {13, 7, 50, 20}, {1, 1, 80, 6}, {17, 9, 95, 8}, {17, 9, 60, 20}};
    for (const Case& c : cases) {
        HBITMAP b = Keep(VktMakeDIB(c.w, c.h, 24));
        VktDIB d(b);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                d.SetRaw(x, y, static_cast<DWORD>(40 + 12 * x) << 16 | static_cast<DWORD>(200 - 15 * y) << 8 |
                                   static_cast<DWORD>(90 + 5 * x + 5 * y));
        std::vector<DWORD> back = RoundTrip(dir / "edge.jpg", b, c.quality), src = Pixels(b);
        ASSERT_EQ(back.size(), src.size());
        for (size_t i = 0; i < src.size(); ++i)
            EXPECT_LE(MaxDiff({src[i]}, {back[i]}), c.tolerance)
                << c.w << "x" << c.h << " q" << c.quality << " at " << i % c.w << "," << i / c.w;
    }
}

TEST_F(OwnJpeg, SourcesOfEveryDepth)
{
    VktTempDir dir;
    std::vector<RGBQUAD> table;
    for (int i = 0; i < 256; ++i)
        table.push_back({static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 11), 0});
    for (int bits : {1, 4, 8, 16, 32}) {
        HBITMAP b = Keep(VktMakeDIB(24, 16, bits, table));
        VktDIB d(b);
        // Flat 8 x 8 blocks of one value each.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) {
                DWORD v = static_cast<DWORD>(x / 8 + 3 * (y / 8));
                d.SetRaw(x, y, bits == 1 ? v & 1 : bits <= 8 ? v : bits == 16 ? v * 0x1234 & 0x7FFF : v * 0x2B4C6E);
            }
        EXPECT_GE(Psnr(Pixels(b), RoundTrip(dir / "depth.jpg", b, 95)), 36.0) << bits;
    }
}

TEST_F(OwnJpeg, DensityIsTheResolutionPassed)
{
    VktTempDir dir;
    HBITMAP b = Keep(Photo(20, 10));
    std::string path = dir / "dpi.jpg";
    int units = 0, x = 0, y = 0;
    ASSERT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, 1, 150, 300, 80), 0);
    ASSERT_TRUE(Jfif(VktReadFile(path), &units, &x, &y));
    EXPECT_EQ(units, 1);
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 300);
    // Either resolution 0: the screen's for both.
    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, 1, 0, 300, 80), 0);
    ASSERT_TRUE(Jfif(VktReadFile(path), &units, &x, &y));
    EXPECT_EQ(x, dpiX);
    EXPECT_EQ(y, dpiY);
    // A negative resolution is no density.
    EXPECT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, 1, -5, 72, 80), 1);
}

TEST_F(OwnJpeg, FailuresLeaveNothingBehind)
{
    VktTempDir dir;
    HBITMAP b = Keep(Photo(48, 32));
    DWORD gdi = VktGdiObjects();

    // A missing folder: not written, and nothing made.
    EXPECT_EQ(VkeDrwSaveImage(drw, (dir / "none\\x.jpg").c_str(), b, 1, 0, 0, 80), 1);
    EXPECT_TRUE(Names(dir.Path()).empty());

    // A read-only folder: written or refused as the platform decides, nothing else left there.
    std::string ro = dir / "ro";
    ASSERT_TRUE(CreateDirectoryA(ro.c_str(), nullptr));
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY);
    int rc = VkeDrwSaveImage(drw, (ro + "\\x.jpg").c_str(), b, 1, 0, 0, 80);
    EXPECT_TRUE(rc == 0 || rc == 1) << rc;
    EXPECT_EQ(Names(ro), rc == 0 ? std::vector<std::string>{"x.jpg"} : std::vector<std::string>{});
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((ro + "\\x.jpg").c_str());
    RemoveDirectoryA(ro.c_str());

    // Every type, the engine's JPEG and the platform's encoders alike.
    std::string box = dir / "held";
    ASSERT_TRUE(CreateDirectoryA(box.c_str(), nullptr));
    const struct {
        int type, quality;
        const char* ext;
    } saves[] = {{1, 80, "jpg"}, {1, -1, "jpg"}, {2, -1, "bmp"}, {3, -1, "gif"}, {4, -1, "tif"}, {5, -1, "png"}};
    // Each path once before counting: the platform keeps a few objects for good on first use.
    for (const auto& s : saves) {
        std::string first = box + "\\first." + s.ext;
        ASSERT_EQ(VkeDrwSaveImage(drw, first.c_str(), b, s.type, 0, 0, s.quality), 0);
        DeleteFileA(first.c_str());
    }
    gdi = VktGdiObjects();
    for (const auto& s : saves) {
        SCOPED_TRACE(std::to_string(s.type) + " " + std::to_string(s.quality));
        // A target held open by someone else, or open for writing but not for being replaced
        // (locked while it would be written): refused, the old file as it was, no temporary file.
        std::string held = box + "\\held." + s.ext;
        for (DWORD share : {DWORD(0), DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE)}) {
            ASSERT_TRUE(VktWriteFile(held, "old"));
            HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(h, INVALID_HANDLE_VALUE);
            EXPECT_EQ(VkeDrwSaveImage(drw, held.c_str(), b, s.type, 0, 0, s.quality), 1) << share;
            CloseHandle(h);
            EXPECT_EQ(VktReadFile(held), "old");
            EXPECT_EQ(Names(box), std::vector<std::string>{std::string("held.") + s.ext});
        }
        DeleteFileA(held.c_str());

        // A folder and file name with the trail byte 0x5C, replacing an existing file.
        std::string jp = dir / "\x95\x5C";
        CreateDirectoryA(jp.c_str(), nullptr);
        std::string path = jp + "\\\x95\x5C." + s.ext;
        ASSERT_TRUE(VktWriteFile(path, "old"));
        ASSERT_EQ(VkeDrwSaveImage(drw, path.c_str(), b, s.type, 0, 0, s.quality), 0);
        EXPECT_EQ(Names(jp), std::vector<std::string>{"\x95\x5C." + std::string(s.ext)});
        EXPECT_EQ(VktGdiObjects(), gdi);
        EXPECT_GE(Psnr(Pixels(b), Pixels(Open(path, s.type))), s.type == 3 ? 20.0 : 30.0);
        DeleteFileA(path.c_str());
        gdi = VktGdiObjects();
    }
}

TEST_F(OwnJpeg, ALargePhoto)
{
    VktTempDir dir;
    HBITMAP big = Keep(VktMakeDIB(6000, 4000, 24));
    VktDIB d(big);
    for (int y = 0; y < 4000; ++y)
        for (int x = 0; x < 6000; ++x) d.SetRaw(x, y, static_cast<DWORD>((x / 4) & 0xFF) << 16 | ((y / 4) & 0xFF) << 8 | ((x + y) & 0xFF));
    std::string path = dir / "big.jpg";
    ASSERT_EQ(VkeDrwSaveImage(drw, path.c_str(), big, 1, 0, 0, 85), 0);
    VktInfo inf = VktInfoOf(Open(path));
    EXPECT_EQ(inf.width, 6000);
    EXPECT_EQ(inf.height, 4000);
}
