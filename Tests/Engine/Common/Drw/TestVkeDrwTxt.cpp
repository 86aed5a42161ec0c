// Text drawing into a DIB section: where the text lands is read back as the bounding box of the
// changed pixels (never glyph by glyph), and the DC keeps its state.
#include "VktDrw.h"
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

const int kW = 400, kH = 240;

class Txt : public VktDrwSysFixture {
protected:
    void SetUp() override
    {
        VktDrwSysFixture::SetUp();
        dc = CreateCompatibleDC(nullptr);
        dib = VktMakeDIB(kW, kH, 32);
        old = SelectObject(dc, dib);
        Clear();
        SetBkMode(dc, TRANSPARENT);
        ASSERT_EQ(VkeDrwGetLogFont(drw, nullptr, "ＭＳ ゴシック", 15, &font), 0);
        gdiFont = CreateFontIndirectA(&font);
        oldFont = SelectObject(dc, gdiFont);
    }
    void TearDown() override
    {
        SelectObject(dc, oldFont);
        SelectObject(dc, old);
        DeleteObject(gdiFont);
        DeleteObject(dib);
        DeleteDC(dc);
        VktDrwSysFixture::TearDown();
    }
    void Clear() { PatBlt(dc, 0, 0, kW, kH, WHITENESS); }
    // The box of the pixels no longer white in the columns [from, to) ({0, 0, 0, 0} when none),
    // and of that ink the mean row and the number of separate runs of rows.
    RECT Ink(int from = 0, int to = kW, double* meanRow = nullptr, int* bands = nullptr) const
    {
        GdiFlush();
        VktDIB d(dib);
        RECT r = {kW, kH, 0, 0};
        double sum = 0;
        int n = 0, runs = 0;
        for (int y = 0, prev = 0; y < kH; ++y) {
            int row = 0;
            for (int x = from; x < to; ++x) {
                if (d.Rgb(x, y) == 0xFFFFFF) continue;
                row = 1;
                sum += y, ++n;
                r = {x < r.left ? x : r.left, y < r.top ? y : r.top, x + 1 > r.right ? x + 1 : r.right, y + 1};
            }
            runs += row && !prev;
            prev = row;
        }
        if (meanRow) *meanRow = n ? sum / n : -1;
        if (bands) *bands = runs;
        return n ? r : RECT{0, 0, 0, 0};
    }
    double InkRow(int from, int to) const
    {
        double mean = 0;
        Ink(from, to, &mean);
        return mean;
    }
    SIZE Extent(const char* text) const
    {
        SIZE s = {};
        GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &s);
        return s;
    }
    // A y-up mapping of the whole DIB: logical (0, 0) at the bottom left.
    void YUp()
    {
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, kW, kH, nullptr);
        SetViewportExtEx(dc, kW, -kH, nullptr);
        SetViewportOrgEx(dc, 0, kH, nullptr);
    }
    void YDown() { SetMapMode(dc, MM_TEXT); SetViewportOrgEx(dc, 0, 0, nullptr); }
    int Draw(int x, int y, const char* text, BYTE alpha, double angle = 0, int flip = 0, int length = -1)
    {
        return VkeDrwDrawText(drw, dc, &font, x, y, text, length, alpha, angle, flip, 0, 0);
    }

    HDC dc = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ old = nullptr, oldFont = nullptr;
    HFONT gdiFont = nullptr;
    LOGFONTA font = {};
};

bool Near(const RECT& a, const RECT& b, int by)
{
    return abs(a.left - b.left) <= by && abs(a.top - b.top) <= by && abs(a.right - b.right) <= by &&
           abs(a.bottom - b.bottom) <= by;
}

std::string Show(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

} // namespace

TEST_F(Txt, PrimitiveEdgeCases)
{
    std::string kilo(1024, 'W');
    struct Row {
        const char* what;
        const char* text;
        int length, alpha;
        double angle;
        int flip, centre, rc;
        bool drawn;
    } rows[] = {
        {"length 0", "ABC", 0, 255, 0, 0, 0, 0, false},
        {"empty text", "", -1, 255, 0, 0, 0, 0, false},
        {"length -2", "ABC", -2, 255, 0, 0, 0, -9, false},
        {"1024 bytes at alpha 128", kilo.c_str(), -1, 128, 0, 0, 0, -9, false},
        {"1023 bytes at alpha 128", kilo.c_str(), 1023, 128, 0, 0, 0, 0, true},
        {"1024 bytes through GDI", kilo.c_str(), -1, 0, 0, 0, 0, 0, true},
        {"angle 360", "ABC", -1, 255, 360, 0, 0, 0, true},
        {"angle -360", "ABC", -1, 255, -360, 0, 0, 0, true},
        {"angle 360.5", "ABC", -1, 255, 360.5, 0, 0, -9, false},
        {"angle -361", "ABC", -1, 255, -361, 0, 0, -9, false},
        {"angle NaN", "ABC", -1, 255, nan(""), 0, 0, -9, false},
        {"flip 2", "ABC", -1, 255, 0, 2, 0, -9, false},
        {"centring 2", "ABC", -1, 255, 0, 0, 2, -9, false},
        {"flip 2 through GDI", "ABC", -1, 0, 0, 2, 0, 0, true},
    };
    for (const Row& r : rows) {
        Clear();
        EXPECT_EQ(VkeDrwDrawText(drw, dc, &font, 10, 10, r.text, r.length, static_cast<BYTE>(r.alpha), r.angle,
                                 r.flip, r.centre, 0),
                  r.rc)
            << r.what;
        EXPECT_EQ(Ink().right != 0, r.drawn) << r.what;
    }
    EXPECT_EQ(VkeDrwDrawText(drw, nullptr, &font, 0, 0, "A", -1, 255, 0, 0, 0, 0), -9);
    EXPECT_EQ(VkeDrwDrawText(drw, dc, &font, 0, 0, nullptr, -1, 255, 0, 0, 0, 0), -9);
    EXPECT_EQ(VkeDrwDrawText(drw, dc, nullptr, 0, 0, "A", -1, 255, 0, 0, 0, 0), -9);
    EXPECT_EQ(VkeDrwDrawText(drw, dc, nullptr, 0, 0, "A", -1, 0, 0, 0, 0, 0), 0); // the DC's own font

    // A length past the terminator stops at it.
    Clear();
    Draw(10, 10, "AB", 255);
    RECT whole = Ink();
    Clear();
    Draw(10, 10, "AB", 255, 0, 0, 50);
    EXPECT_EQ(Show(Ink()), Show(whole));
    // A face that does not exist falls back to another one.
    LOGFONTA none = font;
    strcpy(none.lfFaceName, "No Such Face");
    Clear();
    EXPECT_EQ(VkeDrwDrawText(drw, dc, &none, 10, 10, "AB", -1, 255, 0, 0, 0, 0), 0);
    EXPECT_NE(Ink().right, 0);
}

TEST_F(Txt, GdiPlusTextLandsWhereGdiDrawsIt)
{
    using Fn = int (*)(VkiDrw*, HDC, const LOGFONTA*, int, int, const char*, BYTE, int);
    // Without centring on x, GDI+ keeps its own small margin before the text.
    struct Row {
        const char* what;
        Fn fn;
        int xSlack;
    } rows[] = {{"plain", VkeDrwDrawStr, 5},
                {"centred", VkeDrwDrawStrCenter, 2},
                {"centred on x", VkeDrwDrawStrHCenter, 2},
                {"centred on y", VkeDrwDrawStrVCenter, 5}};
    for (const Row& r : rows) {
        Clear();
        ASSERT_EQ(r.fn(drw, dc, &font, 200, 100, "Hello 表示", 0, 0), 0);
        RECT gdi = Ink();
        Clear();
        ASSERT_EQ(r.fn(drw, dc, &font, 200, 100, "Hello 表示", 255, 0), 0);
        RECT gdp = Ink();
        EXPECT_TRUE(abs(gdi.left - gdp.left) <= r.xSlack && abs(gdi.right - gdp.right) <= r.xSlack &&
                    abs(gdi.top - gdp.top) <= 2 && abs(gdi.bottom - gdp.bottom) <= 2)
            << r.what << " GDI " << Show(gdi) << " GDI+ " << Show(gdp);
    }
    // The centred forms sit around the point.
    Clear();
    VkeDrwDrawStrCenter(drw, dc, &font, 200, 100, "HHHHHHHH", 255, 0);
    RECT c = Ink();
    EXPECT_NEAR((c.left + c.right) / 2.0, 200, 2);
    EXPECT_NEAR((c.top + c.bottom) / 2.0, 100, 4);
}

TEST_F(Txt, FlippedTextReadsUprightAndTurnsTheOtherWay)
{
    const char* text = "ABCDEFGHIJKLMN";
    // Upright and in place: y-up at (50, 150) is y-down at (50, 240 - 150).
    YUp();
    ASSERT_EQ(Draw(50, 150, text, 255, 0, 1), 0);
    RECT up = Ink();
    std::vector<DWORD> pixels(static_cast<size_t>(kW) * kH);
    GdiFlush();
    memcpy(pixels.data(), VktDIB(dib).rows, pixels.size() * 4);
    YDown();
    Clear();
    ASSERT_EQ(Draw(50, 90, text, 255), 0);
    EXPECT_EQ(Show(Ink()), Show(up));
    EXPECT_EQ(memcmp(pixels.data(), VktDIB(dib).rows, pixels.size() * 4), 0);

    // Angle 30 with y up turns the text counter-clockwise: it rises to the right, as angle 330
    // does on the screen; angle 30 on the screen falls to the right.
    Clear();
    YUp();
    ASSERT_EQ(Draw(50, 150, text, 255, 30, 1), 0);
    RECT turned = Ink();
    double left = InkRow(turned.left, turned.left + 20), right = InkRow(turned.right - 20, turned.right);
    EXPECT_LT(right, left - 40);
    GdiFlush();
    memcpy(pixels.data(), VktDIB(dib).rows, pixels.size() * 4);
    YDown();
    Clear();
    ASSERT_EQ(Draw(50, 90, text, 255, 330), 0);
    EXPECT_EQ(memcmp(pixels.data(), VktDIB(dib).rows, pixels.size() * 4), 0);
    Clear();
    ASSERT_EQ(Draw(50, 60, text, 255, 30), 0);
    turned = Ink();
    EXPECT_GT(InkRow(turned.right - 20, turned.right), InkRow(turned.left, turned.left + 20) + 40);
}

TEST_F(Txt, VerticalTextKeepsDoubleByteCharactersWhole)
{
    const char* text = "ABあ";
    int w = 0, h = 0;
    for (const char* c : {"A", "B", "あ"}) {
        SIZE s = Extent(c);
        w = s.cx > w ? s.cx : w;
        h += s.cy;
    }
    ASSERT_EQ(VkeDrwDrawVStr(drw, dc, &font, 100, 20, text, 255, 0, 1), 0);
    int bands = 0;
    RECT r = Ink(0, kW, nullptr, &bands);
    EXPECT_EQ(bands, 3);
    EXPECT_GE(r.top, 20);
    EXPECT_LE(r.bottom, 20 + h);

    // An opaque column is filled exactly W x H: ink in the background colour shows only the fill.
    struct Row {
        const char* what;
        decltype(&VkeDrwDrawVStr) fn;
        int downward;
        RECT box;
    } rows[] = {
        {"down", VkeDrwDrawVStr, 1, {100, 120, 100 + w, 120 + h}},
        {"up", VkeDrwDrawVStr, 0, {100, 120 - h, 100 + w, 120}},
        {"centred", VkeDrwDrawVStrCenter, 1, {100 - (w + 1) / 2, 120 - (h + 1) / 2, 100 - (w + 1) / 2 + w,
                                              120 - (h + 1) / 2 + h}},
        {"centred up", VkeDrwDrawVStrCenter, 0, {100 - (w + 1) / 2, 120 + (h + 1) / 2 - h, 100 - (w + 1) / 2 + w,
                                                 120 + (h + 1) / 2}},
    };
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 0, 0));
    SetTextColor(dc, RGB(255, 0, 0));
    for (const Row& row : rows) {
        Clear();
        ASSERT_EQ(row.fn(drw, dc, &font, 100, 120, text, 0, 0, row.downward), 0);
        EXPECT_EQ(Show(Ink()), Show(row.box)) << row.what;
    }
    EXPECT_EQ(VkeDrwDrawVStr(drw, dc, nullptr, 0, 0, text, 0, 0, 1), -9);
    EXPECT_EQ(VkeDrwDrawVStr(drw, dc, &font, 0, 0, text, 0, 0, 2), -9);
}

TEST_F(Txt, AngledAndSlopedText)
{
    // A quarter turn about (200, 100): the origin (250, 100) goes to (200, 150) and the text
    // runs down the screen, its glyphs left of x = 200; GDI and GDI+ agree.
    RECT boxes[2];
    for (int alpha : {0, 255}) {
        Clear();
        ASSERT_EQ(VkeDrwDrawAngleStr(drw, dc, &font, 200, 100, 250, 100, "ABCDEF", static_cast<BYTE>(alpha), 90, 0),
                  0);
        boxes[alpha ? 1 : 0] = Ink();
    }
    EXPECT_TRUE(Near(boxes[0], boxes[1], 3)) << Show(boxes[0]) << " " << Show(boxes[1]);
    EXPECT_LE(boxes[1].right, 202);
    EXPECT_GE(boxes[1].top, 148);
    EXPECT_GT(boxes[1].bottom - boxes[1].top, boxes[1].right - boxes[1].left);
    EXPECT_EQ(VkeDrwDrawAngleStr(drw, dc, &font, 0, 0, 0, 0, "A", 255, 360.5, 0), -9);

    // Along a line, turned about its first or its second point: the same turn.
    RECT at[2];
    for (int fromFirst : {1, 0}) {
        Clear();
        ASSERT_EQ(VkeDrwDrawSlopeStr(drw, dc, &font, 100, 50, 300, 150, fromFirst ? 100 : 300, fromFirst ? 50 : 150,
                                     "ABCDEFGH", 255, 0, fromFirst),
                  0);
        at[fromFirst] = Ink();
    }
    EXPECT_GT(InkRow(at[0].right - 10, at[0].right) - InkRow(at[0].left, at[0].left + 10), 20); // falls as the line
    OffsetRect(&at[1], 200, 100);
    EXPECT_TRUE(Near(at[0], at[1], 1)) << Show(at[0]) << " " << Show(at[1]);
}

TEST_F(Txt, TheDCIsAsBeforeAndFillsAreExact)
{
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(200, 201, 202));
    YUp();
    HGDIOBJ brush = SelectObject(dc, GetStockObject(GRAY_BRUSH));
    auto state = [this] {
        POINT org;
        SIZE ext;
        GetViewportOrgEx(dc, &org);
        GetViewportExtEx(dc, &ext);
        char text[200];
        snprintf(text, sizeof(text), "%p %p %ld,%ld %ld,%ld %lx %lx %d", GetCurrentObject(dc, OBJ_FONT),
                 GetCurrentObject(dc, OBJ_BRUSH), org.x, org.y, ext.cx, ext.cy, GetTextColor(dc), GetBkColor(dc),
                 GetBkMode(dc));
        return std::string(text);
    };
    std::string before = state();
    RECT r = {10, 10, 30, 20};
    VkeDrwDrawStrCenter(drw, dc, &font, 100, 100, "表示", 255, 1);
    VkeDrwDrawVStrHCenter(drw, dc, &font, 100, 100, "表示", 128, 1, 0);
    VkeDrwDrawAngleStr(drw, dc, &font, 100, 100, 120, 100, "表示", 0, 45, 1);
    VkeDrwDrawSlopeStr(drw, dc, &font, 0, 0, 50, 50, 10, 10, "表示", 0, 1, 1);
    VkeDrwFillRectangle(drw, dc, &r, RGB(0, 0, 255), 0);
    VkeDrwFillRectangle(drw, dc, &r, RGB(0, 0, 255), 128);
    EXPECT_EQ(state(), before);
    SelectObject(dc, brush);

    // Fills: exactly the rectangle; through GDI+ at half alpha, half the colour over white.
    YDown();
    Clear();
    ASSERT_EQ(VkeDrwFillRectangle(drw, dc, &r, RGB(0, 0, 0), 0), 0);
    EXPECT_EQ(Show(Ink()), Show(r));
    Clear();
    ASSERT_EQ(VkeDrwFillRectangle(drw, dc, &r, RGB(0, 0, 0), 128), 0);
    EXPECT_EQ(Show(Ink()), Show(r));
    DWORD grey = VktDIB(dib).Rgb(15, 15) & 0xFF;
    EXPECT_NEAR(static_cast<double>(grey), 127, 2);
    EXPECT_EQ(VkeDrwFillRectangle(drw, dc, nullptr, 0, 0), -9);
}

TEST_F(Txt, CompactPaths)
{
    char out[64];
    const char* path = "C:\\aa\\bbbb\\cccc\\file.txt";
    int whole = Extent(path).cx, mid = Extent("C:\\aa\\...\\file.txt").cx;
    struct Row {
        const char* path;
        int width;
        const char* want;
    } rows[] = {
        {path, whole + 1, path},                     // narrower than the width: whole
        {path, whole, "C:\\aa\\bbbb\\...\\file.txt"}, // as wide as it: shortened
        {path, mid + 1, "C:\\aa\\...\\file.txt"},
        {path, mid, "C:\\...\\file.txt"},
        {path, 1, "C:\\...\\file.txt"},              // no shortened form fits
        {"\\\\srv\\share\\f.txt", 1, "\\\\...\\f.txt"},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(VkeDrwGetCompactPath(drw, out, r.path, sizeof(out), dc, r.width), 0) << r.path << " " << r.width;
        EXPECT_STREQ(out, r.want) << r.width;
    }
    EXPECT_EQ(VkeDrwGetCompactPath(drw, out, path, 1, dc, 1), -13);
    EXPECT_STREQ(out, "");
    strcpy(out, "x");
    EXPECT_EQ(VkeDrwGetCompactPath(drw, out, path, sizeof(out), dc, 0), -9);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(VkeDrwGetCompactPath(drw, out, path, sizeof(out), nullptr, 10), -9);
}
