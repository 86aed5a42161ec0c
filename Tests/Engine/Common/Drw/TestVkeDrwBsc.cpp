// The draw object: life cycle, parameters, GDI+ and encoders, state colours, colour list, palettes.
#include "VktDrw.h"
#include "VkiDrw.h" // read the encoder list, the colour list and the GDI+ token
#include <gdiplus.h>
#include <math.h>
#include <set>
#include <string>

namespace {

using DrwObject = VktDrwFixture;

std::string Narrow(const WCHAR* w)
{
    std::string s;
    for (; w && *w; ++w) s += static_cast<char>(*w);
    return s;
}

std::vector<PALETTEENTRY> Entries(HPALETTE pal)
{
    std::vector<PALETTEENTRY> e(GetPaletteEntries(pal, 0, 0, nullptr));
    if (!e.empty()) GetPaletteEntries(pal, 0, static_cast<UINT>(e.size()), e.data());
    return e;
}

bool Same(const PALETTEENTRY& p, COLORREF c)
{
    return p.peRed == GetRValue(c) && p.peGreen == GetGValue(c) && p.peBlue == GetBValue(c);
}

COLORREF BrushColor(HBRUSH brush)
{
    LOGBRUSH lb = {};
    if (GetObjectA(brush, sizeof(lb), &lb) != sizeof(lb)) return 0xFFFFFFFF;
    return lb.lbColor;
}

} // namespace

TEST(DrwLifeCycle, AllocFreeAndNullObject)
{
    EXPECT_EQ(VkeDrwAlloc(nullptr), -9);
    EXPECT_EQ(VkeDrwFree(nullptr), -9);
    VkiDrw* drw = nullptr;
    ASSERT_EQ(VkeDrwAlloc(&drw), 0);
    VkiDrw* same = drw;
    EXPECT_EQ(VkeDrwAlloc(&drw), -7);
    EXPECT_EQ(drw, same);
    double v = 0;
    EXPECT_EQ(VkeDrwGetVersion(drw, &v), 0);
    EXPECT_EQ(v, 1.0);
    EXPECT_EQ(VkeDrwGetExecVersion(drw, &v), -6);
    COLORREF c = 0;
    HBRUSH b = nullptr;
    EXPECT_EQ(VkeDrwGetErrorColor(drw, &c), -6);
    EXPECT_EQ(VkeDrwGetErrorBrushHandle(drw, &b), -6);
    EXPECT_EQ(VkeDrwSetColor(drw, 0x123456), -6);
    EXPECT_EQ(VkeDrwTerm(drw), 0); // harmless before Init
    EXPECT_EQ(VkeDrwFree(&drw), 0);
    EXPECT_EQ(drw, nullptr);
    EXPECT_EQ(VkeDrwFree(&drw), 0);

    VkeDrwParam param;
    int field = 0, messageNo = 0;
    EXPECT_EQ(VkeDrwInitParam(nullptr, &param), -9);
    EXPECT_EQ(VkeDrwInit(nullptr, &param, &field, &messageNo), -9);
    EXPECT_EQ(VkeDrwTerm(nullptr), -9);
    EXPECT_EQ(VkeDrwSetColor(nullptr, 0), -9);
    EXPECT_EQ(VkeDrwGetErrorColor(nullptr, &c), -9);
}

TEST(DrwLifeCycle, ParamDefaultsAndCheck)
{
    VkiDrw* drw = nullptr;
    ASSERT_EQ(VkeDrwAlloc(&drw), 0);
    VkeDrwParam param;
    memset(&param, 0x55, sizeof(param));
    EXPECT_EQ(VkeDrwInitParam(drw, nullptr), -9);
    ASSERT_EQ(VkeDrwInitParam(drw, &param), 0);
    EXPECT_EQ(param.dExecVersion, 1.0);
    EXPECT_EQ(param.uErrorColor, 0x5A78FFu);
    EXPECT_EQ(param.uModifiedColor, 0x80FF80u);
    EXPECT_EQ(param.uSelectedColor, 0xFFA0A0u);
    EXPECT_EQ(param.uHdrSelectedColor, 0x3C5A60u);

    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeDrwCheckParam(drw, &param, nullptr, &messageNo), -9);
    EXPECT_EQ(VkeDrwCheckParam(drw, &param, &field, nullptr), -9);
    EXPECT_EQ(VkeDrwCheckParam(drw, nullptr, &field, &messageNo), -9);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(messageNo, 59);
    struct Row {
        double version;
        int rc, field, message;
    } rows[] = {{1.0, 0, 0, 0}, {0.5, 0, 0, 0}, {-1.0, 0, 0, 0}, {NAN, 0, 0, 0}, {1.0000001, -5, 2, 17}};
    for (const Row& r : rows) {
        param.dExecVersion = r.version;
        EXPECT_EQ(VkeDrwCheckParam(drw, &param, &field, &messageNo), r.rc) << r.version;
        EXPECT_EQ(field, r.field);
        EXPECT_EQ(messageNo, r.message);
    }
    // Init runs the same check and stays uninitialised.
    EXPECT_EQ(VkeDrwInit(drw, &param, &field, &messageNo), -5);
    EXPECT_EQ(field, 2);
    EXPECT_EQ(drw->m_iInit, 0);
    EXPECT_EQ(drw->m_uGdipToken, 0u);
    EXPECT_EQ(VkeDrwInit(drw, &param, nullptr, &messageNo), -9);
    VkeDrwFree(&drw);
}

TEST(DrwLifeCycle, InitStartsGdiplusAndTermShutsItDown)
{
    DWORD before = VktGdiObjects();
    VkiDrw* drw = nullptr;
    ASSERT_EQ(VkeDrwAlloc(&drw), 0);
    VkeDrwParam param;
    VkeDrwInitParam(drw, &param);
    param.uErrorColor = 0x0000FE;
    param.dExecVersion = 0.75;
    int field = -1, messageNo = -1;
    ASSERT_EQ(VkeDrwInit(drw, &param, &field, &messageNo), 0);
    EXPECT_EQ(field, 0);
    EXPECT_EQ(messageNo, 0);
    EXPECT_NE(drw->m_uGdipToken, 0u);
    double v = 0;
    EXPECT_EQ(VkeDrwGetExecVersion(drw, &v), 0);
    EXPECT_EQ(v, 0.75);
    COLORREF c = 0;
    EXPECT_EQ(VkeDrwGetErrorColor(drw, &c), 0);
    EXPECT_EQ(c, 0x0000FEu);

    // The five encoders with their MIME types.
    std::set<std::string> mimes;
    for (int i = 0; i < drw->m_iEncCnt; ++i) mimes.insert(Narrow(drw->m_pEncList[i].MimeType));
    for (const char* m : {"image/jpeg", "image/bmp", "image/gif", "image/tiff", "image/png"})
        EXPECT_EQ(mimes.count(m), 1u) << m;

    // The three draw memories have their memory DCs.
    for (const Drm& d : drw->m_aDrm) {
        EXPECT_NE(d.hDC, nullptr);
        EXPECT_EQ(d.iAttached, 0);
    }

    // A second Init is refused and leaves the first alone.
    field = messageNo = -1;
    ULONG_PTR token = drw->m_uGdipToken;
    EXPECT_EQ(VkeDrwInit(drw, &param, &field, &messageNo), -7);
    EXPECT_EQ(field, 0);
    EXPECT_EQ(messageNo, 0);
    EXPECT_EQ(drw->m_uGdipToken, token);
    EXPECT_EQ(drw->m_iInit, 1);

    EXPECT_EQ(VkeDrwTerm(drw), 0);
    EXPECT_EQ(drw->m_uGdipToken, 0u);
    EXPECT_EQ(drw->m_iEncCnt, 0);
    EXPECT_EQ(drw->m_pEncList, nullptr);
    EXPECT_EQ(drw->m_aDrm[0].hDC, nullptr);
    EXPECT_EQ(VkeDrwGetErrorColor(drw, &c), -6);
    EXPECT_EQ(VkeDrwTerm(drw), 0);

    // Initialised again, then freed while initialised: nothing is left behind.
    ASSERT_EQ(VkeDrwInit(drw, &param, &field, &messageNo), 0);
    EXPECT_EQ(VkeDrwFree(&drw), 0);
    EXPECT_EQ(VktGdiObjects(), before);
}

TEST_F(DrwObject, NameVersionAndProperties)
{
    char buf[1024];
    EXPECT_EQ(VkeDrwGetName(drw, buf, 0), -9);
    EXPECT_EQ(VkeDrwGetName(drw, nullptr, 8), -9);
    EXPECT_EQ(VkeDrwGetName(drw, buf, 7), 0);
    EXPECT_STREQ(buf, "VkeDrw");
    EXPECT_EQ(VkeDrwGetName(drw, buf, 6), -13);
    EXPECT_STREQ(buf, "VkeDr");

    EXPECT_EQ(VkeDrwGetProperty(drw, 1, buf), 0);
    EXPECT_STREQ(buf, "VkeDrw");
    double d = 0;
    EXPECT_EQ(VkeDrwGetProperty(drw, 2, &d), 0);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(VkeDrwSetProperty(drw, 1, buf), -9);
    EXPECT_EQ(VkeDrwSetProperty(drw, 2, &d), -9);
    d = 0.5;
    EXPECT_EQ(VkeDrwSetProperty(drw, 3, &d), 0);
    d = 0;
    EXPECT_EQ(VkeDrwGetExecVersion(drw, &d), 0);
    EXPECT_EQ(d, 0.5);
    d = 1.0000001;
    EXPECT_EQ(VkeDrwSetProperty(drw, 3, &d), -5);
    EXPECT_EQ(VkeDrwSetExecVersion(drw, 1.0000001), -5);
    EXPECT_EQ(VkeDrwSetExecVersion(drw, 1.0), 0);

    // Ids 4 to 7 are the state colours, in the order error, modified, selected, header-selected.
    COLORREF c = 0x010203;
    for (int id = 4; id <= 7; ++id) {
        COLORREF set = 0x101010 * static_cast<COLORREF>(id), got = 0;
        EXPECT_EQ(VkeDrwSetProperty(drw, id, &set), 0);
        EXPECT_EQ(VkeDrwGetProperty(drw, id, &got), 0);
        EXPECT_EQ(got, set);
    }
    VkeDrwGetErrorColor(drw, &c);
    EXPECT_EQ(c, 0x404040u);
    VkeDrwGetHdrSelectedColor(drw, &c);
    EXPECT_EQ(c, 0x707070u);
    EXPECT_EQ(VkeDrwGetProperty(drw, 8, &c), -9);
    EXPECT_EQ(VkeDrwSetProperty(drw, 0, &c), -9);
    EXPECT_EQ(VkeDrwGetProperty(drw, 4, nullptr), -9);
    EXPECT_EQ(VkeDrwSetProperty(drw, 4, nullptr), -9);
}

TEST_F(DrwObject, StateColoursAndBrushes)
{
    using Get = int (*)(VkiDrw*, COLORREF*);
    using Set = int (*)(VkiDrw*, COLORREF);
    using Brush = int (*)(VkiDrw*, HBRUSH*);
    struct Row {
        Set set;
        Get get;
        Brush brush;
        COLORREF def;
    } rows[] = {
        {VkeDrwSetErrorColor, VkeDrwGetErrorColor, VkeDrwGetErrorBrushHandle, 0x5A78FF},
        {VkeDrwSetModifiedColor, VkeDrwGetModifiedColor, VkeDrwGetModifiedBrushHandle, 0x80FF80},
        {VkeDrwSetSelectedColor, VkeDrwGetSelectedColor, VkeDrwGetSelectedBrushHandle, 0xFFA0A0},
        {VkeDrwSetHdrSelectedColor, VkeDrwGetHdrSelectedColor, VkeDrwGetHdrSelectedBrushHandle, 0x3C5A60},
    };
    for (const Row& r : rows) {
        COLORREF c = 0;
        HBRUSH b = nullptr;
        EXPECT_EQ(r.get(drw, &c), 0);
        EXPECT_EQ(c, r.def);
        EXPECT_EQ(r.brush(drw, &b), 0);
        EXPECT_EQ(BrushColor(b), r.def);
        EXPECT_EQ(r.get(drw, nullptr), -9);
        EXPECT_EQ(r.brush(drw, nullptr), -9);

        int listed = drw->m_iColorCnt;
        EXPECT_EQ(r.set(drw, 0x00ABCD), 0);
        EXPECT_EQ(r.get(drw, &c), 0);
        EXPECT_EQ(c, 0x00ABCDu);
        EXPECT_EQ(r.brush(drw, &b), 0);
        EXPECT_EQ(BrushColor(b), 0x00ABCDu);
        // The first state colour adds 0x00ABCD to the list; the others find it there.
        EXPECT_LE(drw->m_iColorCnt, listed + 1);
    }
    // Printing refuses a change and keeps the colour.
    drw->m_iPrinting = 1;
    EXPECT_EQ(VkeDrwSetErrorColor(drw, 0x111111), -7);
    drw->m_iPrinting = 0;
    COLORREF c = 0;
    VkeDrwGetErrorColor(drw, &c);
    EXPECT_EQ(c, 0x00ABCDu);
}

TEST_F(DrwObject, ColourListHoldsDistinctColoursUpTo256)
{
    // Init lists the system colours and the sixteen fixed ones.
    int start = drw->m_iColorCnt;
    EXPECT_GE(start, 16);
    for (COLORREF c : {0x000000u, 0xFF0000u, 0x606060u, 0x3C5A60u, 0x808080u}) {
        bool found = false;
        for (int i = 0; i < start; ++i) found = found || drw->m_auColor[i] == c;
        EXPECT_TRUE(found) << std::hex << c;
    }
    EXPECT_EQ(VkeDrwSetColor(drw, 0x808080), 0); // already there
    EXPECT_EQ(drw->m_iColorCnt, start);

    COLORREF next = 0x010101;
    while (drw->m_iColorCnt < 256) {
        ASSERT_EQ(VkeDrwSetColor(drw, next), 0);
        next += 0x000100;
    }
    EXPECT_EQ(VkeDrwSetColor(drw, 0x7A7B7C), -13);
    EXPECT_EQ(drw->m_iColorCnt, 256);
    EXPECT_EQ(VkeDrwSetColor(drw, 0x010101), 0);
    // A state colour still changes with a full list; it is just not listed.
    EXPECT_EQ(VkeDrwSetSelectedColor(drw, 0x7A7B7C), 0);
    COLORREF c = 0;
    VkeDrwGetSelectedColor(drw, &c);
    EXPECT_EQ(c, 0x7A7B7Cu);
    EXPECT_EQ(drw->m_iColorCnt, 256);
}

TEST_F(DrwObject, PaletteArgumentChecks)
{
    HPALETTE pal = nullptr;
    EXPECT_EQ(VkeDrwOpenPalette(drw, nullptr, nullptr, 1, 0), -9);
    EXPECT_EQ(VkeDrwOpenPalette(drw, &pal, nullptr, 2, 0), -9);
    EXPECT_EQ(VkeDrwOpenPalette(drw, &pal, nullptr, 0, -1), -9);
    EXPECT_EQ(VkeDrwOpenPalette(drw, &pal, nullptr, 0, 0), -9); // nothing to build from
    HPALETTE fake = reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(1));
    EXPECT_EQ(VkeDrwOpenPalette(drw, &fake, nullptr, 1, 0), -7);
    EXPECT_EQ(VkeDrwClosePalette(drw, nullptr), -9);
    EXPECT_EQ(VkeDrwClosePalette(drw, &pal), 0); // null inside is fine
}

TEST_F(DrwObject, PaletteFromColourListAndHalftone)
{
    DWORD before = VktGdiObjects();
    HPALETTE pal = nullptr;
    ASSERT_EQ(VkeDrwOpenPalette(drw, &pal, nullptr, 0, 1), 0);
    std::vector<PALETTEENTRY> e = Entries(pal);
    ASSERT_EQ(static_cast<int>(e.size()), drw->m_iColorCnt);
    for (size_t i = 0; i < e.size(); ++i) EXPECT_TRUE(Same(e[i], drw->m_auColor[i])) << i;
    EXPECT_EQ(VkeDrwClosePalette(drw, &pal), 0);
    EXPECT_EQ(pal, nullptr);

    ASSERT_EQ(VkeDrwOpenPalette(drw, &pal, nullptr, 1, 0), 0);
    std::vector<PALETTEENTRY> half = Entries(pal);
    EXPECT_GT(half.size(), 0u);
    EXPECT_LE(half.size(), 256u);
    VkeDrwClosePalette(drw, &pal);

    // With the list: the list first, then the halftone colours not yet there.
    ASSERT_EQ(VkeDrwOpenPalette(drw, &pal, nullptr, 1, 1), 0);
    e = Entries(pal);
    ASSERT_LE(e.size(), 256u); // n is the halftone palette's own entry count
    EXPECT_GE(e.size(), half.size());
    for (int i = 0; i < drw->m_iColorCnt && i < static_cast<int>(e.size()); ++i)
        EXPECT_TRUE(Same(e[i], drw->m_auColor[i])) << i;
    std::set<DWORD> seen;
    for (const PALETTEENTRY& p : e) EXPECT_TRUE(seen.insert(RGB(p.peRed, p.peGreen, p.peBlue)).second);
    VkeDrwClosePalette(drw, &pal);
    EXPECT_EQ(VktGdiObjects(), before);
}

TEST_F(DrwObject, PaletteFromBitmapTables)
{
    // A 4-bit bitmap: its own 16 colours; the list is not used.
    std::vector<RGBQUAD> t4;
    for (int i = 0; i < 16; ++i) t4.push_back({static_cast<BYTE>(i), static_cast<BYTE>(i * 2), static_cast<BYTE>(200 + i), 0});
    HBITMAP b4 = VktMakeDIB(4, 4, 4, t4);
    HPALETTE pal = nullptr;
    ASSERT_EQ(VkeDrwOpenPalette(drw, &pal, b4, 0, 1), 0);
    std::vector<PALETTEENTRY> e = Entries(pal);
    ASSERT_EQ(e.size(), 16u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(e[i].peRed, 200 + i) << i;
    VkeDrwClosePalette(drw, &pal);

    // A 1-bit bitmap: two entries.
    HBITMAP b1 = VktMakeDIB(8, 1, 1, {{0, 0, 255, 0}, {255, 0, 0, 0}});
    ASSERT_EQ(VkeDrwOpenPalette(drw, &pal, b1, 0, 0), 0);
    e = Entries(pal);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].peRed, 255);
    EXPECT_EQ(e[1].peBlue, 255);
    VkeDrwClosePalette(drw, &pal);

    // A 24-bit bitmap with the list: the list, then 8-bit table colours not yet present, 256 at most.
    HBITMAP b24 = VktMakeDIB(4, 4, 24);
    ASSERT_EQ(VkeDrwOpenPalette(drw, &pal, b24, 0, 1), 0);
    e = Entries(pal);
    EXPECT_LE(e.size(), 256u);
    EXPECT_GT(static_cast<int>(e.size()), drw->m_iColorCnt);
    for (int i = 0; i < drw->m_iColorCnt; ++i) EXPECT_TRUE(Same(e[i], drw->m_auColor[i])) << i;
    VkeDrwClosePalette(drw, &pal);

    // Something that is no bitmap.
    EXPECT_EQ(VkeDrwOpenPalette(drw, &pal, reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH)), 0, 0), -9);
    EXPECT_EQ(pal, nullptr);
    DeleteObject(b4);
    DeleteObject(b1);
    DeleteObject(b24);
}
