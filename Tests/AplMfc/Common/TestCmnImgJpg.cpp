// The reduced JPEG decode of the thumbnails: what it takes and declines, damaged and lying files
// read at the end of a guard page, a seeded fuzz, and the service's thumbnails against those of
// the engine's full decode (today's road) for every variant made at build time (../TmnData).
#include "TestAplCmn.h"
#include "CmnImgJpg.h"
#include <psapi.h>
#include <random>
#include <string.h>

namespace {

std::string Bytes(const std::string& name) { return VktReadFile(TmnData(name)); }

// The bytes copied to the end of a readable region that a page without access follows: a read
// past the last byte faults at once.
class Guarded {
public:
    explicit Guarded(const std::string& bytes)
    {
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        const size_t page = si.dwPageSize;
        const size_t body = (bytes.size() / page + 1) * page;
        m_base = static_cast<uint8_t*>(VirtualAlloc(nullptr, body + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        if (m_base) VirtualProtect(m_base + body, page, PAGE_NOACCESS, &old);
        data = m_base + body - bytes.size();
        if (m_base) memcpy(data, bytes.data(), bytes.size());
        size = bytes.size();
    }
    ~Guarded() { VirtualFree(m_base, 0, MEM_RELEASE); }
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;
    uint8_t* data;
    size_t size;

private:
    uint8_t* m_base;
};

// The whole file through the reduced decode, from guarded memory: its status (NeedMore counts as
// declined: the bytes are all there is).
int Reduce(const std::string& bytes, int* width = nullptr, int* height = nullptr, size_t* pixelBytes = nullptr)
{
    Guarded g(bytes);
    if (!g.data) return -1;
    CmnImgJpg jpg;
    std::vector<uint8_t> pixels;
    int rc = jpg.ReadHeader(g.data, g.size);
    if (rc == CmnImgJpg::Ok) rc = jpg.Decode(g.data, g.size, &pixels);
    if (width) *width = jpg.ReducedWidth();
    if (height) *height = jpg.ReducedHeight();
    if (pixelBytes) *pixelBytes = pixels.size();
    return rc == CmnImgJpg::NeedMore ? CmnImgJpg::NotDone : rc;
}

// ---- Editing a file's markers ----

// The offset of the first segment with that marker before the entropy-coded data (its 0xFF).
size_t Find(const std::string& j, int marker)
{
    size_t p = 2;
    while (p + 4 <= j.size() && static_cast<uint8_t>(j[p]) == 0xFF) {
        int m = static_cast<uint8_t>(j[p + 1]);
        if (m == marker) return p;
        if (m == 0xDA) break;
        p += 2 + (static_cast<uint8_t>(j[p + 2]) << 8 | static_cast<uint8_t>(j[p + 3]));
    }
    ADD_FAILURE() << "no marker " << marker;
    return 0;
}

// The frame header's marker and fields, whatever kind of frame it is.
size_t FindFrame(const std::string& j)
{
    for (int m : {0xC0, 0xC1, 0xC2}) {
        size_t p = 2;
        while (p + 4 <= j.size() && static_cast<uint8_t>(j[p]) == 0xFF && static_cast<uint8_t>(j[p + 1]) != 0xDA) {
            if (static_cast<uint8_t>(j[p + 1]) == m) return p;
            p += 2 + (static_cast<uint8_t>(j[p + 2]) << 8 | static_cast<uint8_t>(j[p + 3]));
        }
    }
    ADD_FAILURE() << "no frame";
    return 0;
}

std::string Segment(int marker, const std::string& body)
{
    size_t n = body.size() + 2;
    return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(n >> 8), static_cast<char>(n & 0xFF)} + body;
}

// The file with a segment inserted right after its start.
std::string WithSegment(const std::string& j, int marker, const std::string& body)
{
    return j.substr(0, 2) + Segment(marker, body) + j.substr(2);
}

std::string Patched(std::string j, size_t at, int value)
{
    j[at] = static_cast<char>(value);
    return j;
}

// The first restart markers swapped: RST1 before RST0.
std::string RestartsSwapped(std::string j)
{
    size_t r0 = j.find("\xFF\xD0"), r1 = j.find("\xFF\xD1");
    EXPECT_NE(r0, std::string::npos);
    EXPECT_NE(r1, std::string::npos);
    j[r0 + 1] = '\xD1';
    j[r1 + 1] = '\xD0';
    return j;
}

// A Huffman table that gives out more codes than its lengths hold: two codes of one bit, then
// longer ones.
std::string OverSubscribed(std::string j)
{
    size_t p = Find(j, 0xC4) + 5; // the first table's 16 counts
    int last = 15;
    while (last > 0 && static_cast<uint8_t>(j[p + static_cast<size_t>(last)]) < 2) --last;
    j[p] = static_cast<char>(j[p] + 2);
    j[p + static_cast<size_t>(last)] = static_cast<char>(j[p + static_cast<size_t>(last)] - 2);
    return j;
}

// Variants made at build time: the reduced size each gives, or declined (0 x 0).
struct Variant {
    const char* name;
    int width, height; // reduced
};

const Variant kVariants[] = {
    {"s444.jpg", 200, 150},    {"s422.jpg", 200, 150},     {"s420.jpg", 200, 150},      {"s411.jpg", 200, 150},
    {"grey.jpg", 200, 150},    {"prog420.jpg", 200, 150},  {"prog444.jpg", 200, 150},   {"proggrey.jpg", 200, 150},
    {"rst420.jpg", 26, 19},    {"rstgrey.jpg", 26, 19},    {"rst444sep.jpg", 26, 19},   {"rst411.jpg", 26, 19},
    {"rst12.jpg", 26, 19},     {"rst31.jpg", 26, 19},      {"rst420sep.jpg", 26, 19},   {"size1x1.jpg", 1, 1},
    {"size7x9.jpg", 1, 2},     {"size8x8.jpg", 1, 1},      {"size17x3001.jpg", 3, 376}, {"size6000x4000.jpg", 750, 500},
    {"red.jpg", 100, 100},     {"cmyk.jpg", 0, 0},
};

TEST(TmnJpg, TakesEverySamplingProgressionAndRestartIntervalAndDeclinesCmyk)
{
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.name);
        std::string j = Bytes(v.name);
        ASSERT_FALSE(j.empty());
        int w = 0, h = 0;
        size_t n = 0;
        if (!v.width) {
            EXPECT_EQ(Reduce(j), CmnImgJpg::NotDone);
            continue;
        }
        ASSERT_EQ(Reduce(j, &w, &h, &n), CmnImgJpg::Ok);
        EXPECT_EQ(w, v.width);
        EXPECT_EQ(h, v.height);
        EXPECT_EQ(n, size_t(w) * size_t(h) * 3);
    }
}

TEST(TmnJpg, AHeaderBeyondThePartReadAsksForMore)
{
    const std::string j = Bytes("s420.jpg");
    CmnImgJpg jpg;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(j.data());
    EXPECT_EQ(jpg.ReadHeader(p, 40), CmnImgJpg::NeedMore);
    ASSERT_EQ(jpg.ReadHeader(p, j.size()), CmnImgJpg::Ok);
    EXPECT_EQ(jpg.Width(), 1600);
    EXPECT_EQ(jpg.Height(), 1200);
}

TEST(TmnJpg, DeclinesWhatOnlyThePlatformReads)
{
    const std::string j = Bytes("s420.jpg");
    const size_t sof = FindFrame(j);
    const size_t sos = Find(j, 0xDA);
    std::string twelve = Patched(Patched(j, sof + 1, 0xC1), sof + 4, 12);
    std::string rgb = Patched(Patched(Patched(j, sof + 10, 'R'), sof + 13, 'G'), sof + 16, 'B');
    rgb = Patched(Patched(Patched(rgb, sos + 5, 'R'), sos + 7, 'G'), sos + 9, 'B');
    const std::pair<const char*, std::string> cases[] = {
        {"arithmetic", Patched(j, sof + 1, 0xC9)},
        {"progressive arithmetic", Patched(j, sof + 1, 0xCA)},
        {"lossless", Patched(j, sof + 1, 0xC3)},
        {"hierarchical", Patched(j, sof + 1, 0xC5)},
        {"12 bits", twelve},
        {"no height (given later)", Patched(Patched(j, sof + 5, 0), sof + 6, 0)},
        {"RGB by Adobe's marker", WithSegment(j, 0xEE, std::string("Adobe\0\x64\0\0\0\0\0", 12))},
        {"RGB by its component names", rgb},
        {"a marker not known", WithSegment(j, 0xF7, "LS")},
        {"arithmetic conditioning", WithSegment(j, 0xCC, std::string("\x00\x10", 2))},
        {"CMYK", Bytes("cmyk.jpg")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(Reduce(c.second), CmnImgJpg::NotDone);
    }
    // Adobe's marker that says YCbCr is taken.
    EXPECT_EQ(Reduce(WithSegment(j, 0xEE, std::string("Adobe\0\x64\0\0\0\0\x01", 12))), CmnImgJpg::Ok);
}

TEST(TmnJpg, DamagedAndLyingFilesAreDeclinedWithoutReadingPastTheirBytes)
{
    const std::string j = Bytes("s420.jpg");
    const size_t sof = FindFrame(j);
    const size_t sos = Find(j, 0xDA);
    // 65535 x 65535 pixels over 200 bytes of data: nothing of that size is allocated.
    std::string huge = Patched(Patched(Patched(Patched(j, sof + 5, 0xFF), sof + 6, 0xFF), sof + 7, 0xFF), sof + 8, 0xFF);
    huge = huge.substr(0, sos + 14 + 200);
    PROCESS_MEMORY_COUNTERS before = {}, after = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
    EXPECT_EQ(Reduce(huge), CmnImgJpg::NotDone);
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
    EXPECT_LT(after.PeakPagefileUsage, before.PeakPagefileUsage + (16u << 20));

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"one byte", "\xFF"},
        {"the start marker alone", "\xFF\xD8"},
        {"cut in the data", j.substr(0, j.size() / 2)},
        {"cut in the headers", j.substr(0, sos - 7)},
        {"Huffman codes over-subscribed", OverSubscribed(j)},
        {"a scan of a component the frame lacks", Patched(j, sos + 5, 9)},
        {"restart markers out of order", RestartsSwapped(Bytes("rst420.jpg"))},
        {"restart markers out of order, one component a scan", RestartsSwapped(Bytes("rst444sep.jpg"))},
        {"a marker in the data", j.substr(0, j.size() / 2) + "\xFF\xD9" + j.substr(j.size() / 2)},
        {"a segment longer than the file", j.substr(0, sos + 2) + "\xFF\xFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(Reduce(c.second), CmnImgJpg::NotDone);
    }
    // Cut at every hundredth of its length: no read past the end; only the whole file is taken.
    for (const char* name : {"s420.jpg", "prog420.jpg", "rst420.jpg", "rst444sep.jpg", "grey.jpg"}) {
        const std::string f = Bytes(name);
        for (int pc = 0; pc < 100; ++pc) {
            int rc = Reduce(f.substr(0, f.size() * size_t(pc) / 100));
            // A progressive file may be whole in its DC scans before its end.
            if (std::string(name) != "prog420.jpg") EXPECT_EQ(rc, CmnImgJpg::NotDone) << name << " cut at " << pc << " %";
            else EXPECT_TRUE(rc == CmnImgJpg::NotDone || rc == CmnImgJpg::Ok);
        }
    }
}

// Cuts, bit flips and stray markers over every small variant, from a fixed seed: every answer is
// a status, and a decode that is taken fills its pixels.
TEST(TmnJpg, SeededFuzzNeverReadsPastTheBytes)
{
    std::mt19937 rng(4801);
    const uint8_t markers[] = {0xD0, 0xD1, 0xD7, 0xD8, 0xD9, 0xDA, 0xC4, 0xDB, 0xDD, 0xC0, 0xC2, 0xFF, 0x00, 0xE1};
    int taken = 0, declined = 0;
    for (const Variant& v : kVariants) {
        if (std::string(v.name) == "size6000x4000.jpg") continue;
        const std::string f = Bytes(v.name);
        ASSERT_FALSE(f.empty()) << v.name;
        for (int i = 0; i < 150; ++i) {
            std::string m = f;
            switch (rng() % 3) {
            case 0:
                m.resize(rng() % m.size());
                break;
            case 1:
                for (int k = 1 + int(rng() % 6); k > 0; --k) m[rng() % m.size()] ^= char(1 << (rng() % 8));
                break;
            default:
                m.insert(rng() % m.size(), std::string{'\xFF', char(markers[rng() % sizeof(markers)])});
                break;
            }
            int w = 0, h = 0;
            size_t n = 0;
            int rc = Reduce(m, &w, &h, &n);
            ASSERT_TRUE(rc == CmnImgJpg::Ok || rc == CmnImgJpg::NotDone) << v.name << " case " << i;
            if (rc == CmnImgJpg::Ok) {
                EXPECT_EQ(n, size_t(w) * size_t(h) * 3) << v.name << " case " << i;
                ++taken;
            } else {
                ++declined;
            }
        }
    }
    EXPECT_GT(declined, taken); // the damage was mostly met
}

// ---- The service's thumbnails ----

// A thumbnail's pixels as 0xRRGGBB, rows top first.
std::vector<DWORD> PixelsOf(HBITMAP image, int* width, int* height)
{
    BITMAP bm = {};
    std::vector<DWORD> px;
    if (!image || GetObjectA(image, sizeof(bm), &bm) != sizeof(bm)) return px;
    *width = bm.bmWidth;
    *height = bm.bmHeight;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    px.resize(size_t(bm.bmWidth) * size_t(bm.bmHeight));
    HDC dc = GetDC(nullptr);
    if (!GetDIBits(dc, image, 0, UINT(bm.bmHeight), px.data(), &info, DIB_RGB_COLORS)) px.clear();
    ReleaseDC(nullptr, dc);
    for (DWORD& p : px) p &= 0xFFFFFF;
    return px;
}

// The thumbnail as the engine's full decode and stretch make it (the road every file took before
// the reduced decode, and still takes when that declines): the result, and its pixels.
int EngineThumbnail(const std::string& path, std::vector<DWORD>* px, int* width, int* height)
{
    VkiDrw* drw = theCmnAppInf.pDrw;
    HBITMAP full = nullptr, thumb = nullptr;
    int type = 0, known = 0, w = 0, h = 0, bits = 0;
    float xRes = 0, yRes = 0;
    int rc = VkeDrwOpenImage(drw, path.c_str(), &full, &type, &xRes, &yRes, &known);
    if (rc != VKE_OK) return rc;
    rc = VkeDrwGetImageInf(drw, full, &w, &h, &bits);
    if (rc == VKE_OK)
        rc = VkeDrwStretchDIBWithBitCnt(drw, &thumb, theCmnAppInf.lscFii.iWidthTmnImg,
                                        theCmnAppInf.lscFii.iHeightTmnImg, full, 0, 0, w, h, -1, 1, nullptr,
                                        theCmnAppInf.iModeStretch);
    *px = PixelsOf(thumb, width, height);
    VkeDrwCloseImage(drw, &full);
    VkeDrwCloseImage(drw, &thumb);
    return rc;
}

// The service's thumbnail of the file (read, then given back): the result, and its pixels.
int ServiceThumbnail(const std::string& path, std::vector<DWORD>* px, int* width, int* height)
{
    HBITMAP image = nullptr;
    int w = 0, h = 0, cached = 0;
    int rc = theCmnImg.OpenTmnImage(path.c_str(), 1, nullptr, &image, &w, &h, &cached);
    *px = PixelsOf(image, width, height);
    if (image && (w != *width || h != *height)) ADD_FAILURE() << "the thumbnail's size is not the one given";
    theCmnImg.CloseTmnImage(1, &image);
    return rc;
}

struct Difference {
    double mean = 0;
    int most = 0;
};

Difference Compare(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    Difference d;
    double sum = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            int delta = abs(int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF));
            sum += delta;
            if (delta > d.most) d.most = delta;
        }
    }
    d.mean = a.empty() ? 0 : sum / (3.0 * double(a.size()));
    return d;
}

// The thumbnail box of each variant and whether the reduced decode makes its thumbnail (the box
// at most an eighth of the picture both ways, a file it takes).
struct Box {
    const char* name;
    int width, height;
    bool reduced;
};

const Box kBoxes[] = {
    {"s444.jpg", 100, 100, true},     {"s422.jpg", 100, 100, true},      {"s420.jpg", 100, 100, true},
    {"s411.jpg", 100, 100, true},     {"grey.jpg", 100, 100, true},      {"prog420.jpg", 100, 100, true},
    {"prog444.jpg", 100, 100, true},  {"proggrey.jpg", 100, 100, true},  {"s444.jpg", 200, 200, true},
    {"s420.jpg", 200, 200, true},     {"s411.jpg", 160, 160, true},      {"rst420.jpg", 12, 12, true},
    {"rstgrey.jpg", 12, 12, true},    {"rst444sep.jpg", 12, 12, true},   {"rst411.jpg", 12, 12, true},
    {"rst12.jpg", 12, 12, true},      {"rst31.jpg", 12, 12, true},       {"rst420sep.jpg", 12, 12, true},
    {"size8x8.jpg", 1, 1, true},      {"size17x3001.jpg", 2, 300, true}, {"size6000x4000.jpg", 100, 100, true},
    {"size1x1.jpg", 1, 1, false},     {"size7x9.jpg", 1, 1, false},      {"s420.jpg", 300, 300, false},
    {"cmyk.jpg", 100, 100, false},
};

TEST_F(ImgTest, ReducedThumbnailsMatchTheFullDecodes)
{
    int differing = 0;
    for (const Box& b : kBoxes) {
        SCOPED_TRACE(std::string(b.name) + " in " + std::to_string(b.width) + " x " + std::to_string(b.height));
        theCmnImg.ClearCache(0);
        theCmnAppInf.lscFii.iWidthTmnImg = b.width;
        theCmnAppInf.lscFii.iHeightTmnImg = b.height;
        const std::string path = TmnData(b.name);
        std::vector<DWORD> platform;
        int pw = 0, ph = 0;
        const int engineRc = EngineThumbnail(path, &platform, &pw, &ph);
        std::vector<DWORD> ours;
        int tw = 0, th = 0;
        ASSERT_EQ(ServiceThumbnail(path, &ours, &tw, &th), engineRc);
        ASSERT_EQ(tw, pw);
        ASSERT_EQ(th, ph);
        Difference d = Compare(ours, platform);
        if (!b.reduced) {
            EXPECT_EQ(d.most, 0);
            continue;
        }
        EXPECT_LE(d.mean, 3.0);
        EXPECT_LE(d.most, 32);
        if (d.most > 0) ++differing;
        printf("%-18s %3d x %-3d  mean %.2f  max %d\n", b.name, tw, th, d.mean, d.most);
    }
    // The reduced decode made them: a full decode would have matched the engine's exactly.
    EXPECT_GT(differing, 0);
    EXPECT_EQ(Traced(), 0u);
}

// Damaged files take the engine's road and answer as it does; a header beyond the first part
// read still makes a reduced thumbnail.
TEST_F(ImgTest, DamagedJpegsAnswerAsTheEngineDoes)
{
    VktTempDir dir;
    theCmnAppInf.lscFii.iWidthTmnImg = 100;
    theCmnAppInf.lscFii.iHeightTmnImg = 100;
    const std::string j = Bytes("s420.jpg");
    const size_t sof = FindFrame(j), sos = Find(j, 0xDA);
    std::string huge = Patched(Patched(Patched(Patched(j, sof + 5, 0xFF), sof + 6, 0xFF), sof + 7, 0xFF), sof + 8, 0xFF);
    const std::pair<const char*, std::string> files[] = {
        {"empty.jpg", ""},
        {"one.jpg", "\xFF"},
        {"cut.jpg", j.substr(0, j.size() / 2)},
        {"huge.jpg", huge.substr(0, sos + 14 + 200)},
        {"oversubscribed.jpg", OverSubscribed(j)},
        {"missing.jpg", Patched(j, sos + 5, 9)},
        {"restarts.jpg", RestartsSwapped(Bytes("rst420.jpg"))},
        {"arithmetic.jpg", Patched(j, sof + 1, 0xC9)},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.first);
        const std::string path = dir / f.first;
        ASSERT_TRUE(VktWriteFile(path, f.second));
        std::vector<DWORD> platform;
        int pw = 0, ph = 0;
        const int engineRc = EngineThumbnail(path, &platform, &pw, &ph);
        std::vector<DWORD> ours;
        int tw = 0, th = 0;
        const int rc = ServiceThumbnail(path, &ours, &tw, &th);
        if (engineRc == VKE_NOT_DONE) {
            // No picture the engine reads: the item's icon, as before.
            EXPECT_TRUE(rc == VKE_OK || rc == VKE_NOT_DONE) << rc;
            continue;
        }
        ASSERT_EQ(rc, engineRc);
        ASSERT_EQ(tw, pw);
        ASSERT_EQ(th, ph);
        EXPECT_EQ(Compare(ours, platform).most, 0);
    }
    // 70 KB of comments before the frame: the header is read past the first part.
    std::string comments;
    for (int i = 0; i < 2; ++i) comments += Segment(0xFE, std::string(35000, 'c'));
    const std::string path = dir / "comments.jpg";
    ASSERT_TRUE(VktWriteFile(path, j.substr(0, 2) + comments + j.substr(2)));
    std::vector<DWORD> platform;
    int pw = 0, ph = 0;
    ASSERT_EQ(EngineThumbnail(path, &platform, &pw, &ph), VKE_OK);
    std::vector<DWORD> ours;
    int tw = 0, th = 0;
    ASSERT_EQ(ServiceThumbnail(path, &ours, &tw, &th), VKE_OK);
    Difference d = Compare(ours, platform);
    EXPECT_GT(d.most, 0); // reduced
    EXPECT_LE(d.most, 32);
    EXPECT_EQ(Traced(), 0u);
}

} // namespace
