// The drawing area as an object: its parameter check, Init with and without the caller's bars,
// a failed Init, the window's end, adoption of a window, the caller's window procedure,
// properties, and GDI objects over Init and Term.
#include "VktDra.h"
#include <string.h>

namespace {

class DraBsc : public VktDraFixture {};

// Scroll-bar children of the parent.
int BarsIn(HWND parent)
{
    int n = 0;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(w, name, sizeof(name));
        n += _stricmp(name, "SCROLLBAR") == 0;
    }
    return n;
}

WNDPROC g_areaProc = nullptr;
int g_seen = 0;

LRESULT CALLBACK CallerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 7) return ++g_seen;
    return CallWindowProcA(g_areaProc, wnd, msg, wParam, lParam);
}

} // namespace

TEST_F(DraBsc, CheckParamNamesTheFirstBadField)
{
    int field = -1, messageNo = -1;
    VkeDraParam fresh;
    VkeDraInitParam(dra, &fresh);
    fresh.uHScrBarId = 1;
    fresh.uVScrBarId = 2;
    fresh.rctDra = fresh.rctInrDra = {0, 0, 10, 10};
    EXPECT_EQ(VkeDraCheckParam(dra, &fresh, &field, &messageNo), -9);
    EXPECT_EQ(field * 1000 + messageNo, 21084); // the steps are the caller's to set

    HBRUSH notPalette = CreateSolidBrush(0);
    HMENU noSubmenu = CreateMenu();
    struct Case {
        std::function<void(VkeDraParam&)> change;
        int rc, field, messageNo;
    } cases[] = {
        {[](VkeDraParam& p) { p.dExecVersion = 1.5; }, -5, 2, 17},
        {[](VkeDraParam& p) { p.iFrameWidth = -1; }, -9, 7, 66},
        {[&](VkeDraParam& p) { p.hMenu = noSubmenu; }, -9, 8, 67},
        {[&](VkeDraParam& p) { p.hPalette = reinterpret_cast<HPALETTE>(notPalette); }, -9, 9, 68},
        {[](VkeDraParam& p) { p.hHScrBar = reinterpret_cast<HWND>(0x123456); }, -9, 10, 73},
        {[](VkeDraParam& p) { p.hVScrBar = reinterpret_cast<HWND>(0x123456); }, -9, 11, 74},
        {[](VkeDraParam& p) { p.uHScrBarId = 0; }, -9, 12, 75},
        {[](VkeDraParam& p) { p.uVScrBarId = 0; }, -9, 13, 77},
        {[](VkeDraParam& p) { p.uVScrBarId = p.uHScrBarId; }, -9, 12, 76},
        {[](VkeDraParam& p) { p.rctDra.right = p.rctDra.left; }, -9, 14, 91},
        {[](VkeDraParam& p) { p.rctInrDra.bottom = p.rctInrDra.top - 5; }, -9, 15, 92},
        {[](VkeDraParam& p) { p.iScaleBase = 6; }, -9, 16, 78},
        {[](VkeDraParam& p) { p.iScaleMode = 0; }, -9, 17, 79},
        {[](VkeDraParam& p) { p.iScaleNum = 0; }, -9, 18, 81},
        {[](VkeDraParam& p) { p.iScaleDen = 0; }, -9, 19, 82},
        {[](VkeDraParam& p) { p.iStretchMode = 5; }, -9, 20, 83},
        {[](VkeDraParam& p) { p.iArrowScrSizeV = 0; }, -9, 21, 84},
        {[](VkeDraParam& p) { p.iWheelScrSizeH = 0; }, -9, 22, 87},
        {[](VkeDraParam& p) { p.dWheelScale = 0.0099; }, -9, 23, 90},
        {[](VkeDraParam& p) { p.dWheelScale = 0.91; }, -9, 23, 90},
        {[](VkeDraParam& p) { p.iOwnScrBarLayout = 2; }, -9, 24, 102},
        {[](VkeDraParam& p) { p.iHScrBarAlways = -1; }, -9, 25, 103},
        {[](VkeDraParam& p) { p.iVScrBarAlways = 2; }, -9, 26, 104},
        {[](VkeDraParam& p) { p.iFlipY = 2; }, -9, 27, 105},
        {[](VkeDraParam& p) { p.iDrawMemory = 2; }, -9, 28, 106},
        {[](VkeDraParam& p) { p.iCtlEditing = 2; }, -9, 21, 98},
        {[](VkeDraParam& p) { p.iDragAccept = 2; }, -9, 22, 107},
        {[](VkeDraParam& p) { p.iGrabScroll = 2; }, -9, 23, 108},
        // Edges that pass; a fit mode needs no fraction.
        {[](VkeDraParam& p) { p.dWheelScale = 0.9; }, 0, 0, 0},
        {[](VkeDraParam& p) { p.dWheelScale = 0.01; }, 0, 0, 0},
        {[](VkeDraParam& p) { p.iScaleMode = 2, p.iScaleNum = 0; }, 0, 0, 0},
    };
    for (const Case& c : cases) {
        VkeDraParam p = Param();
        c.change(p);
        EXPECT_EQ(VkeDraCheckParam(dra, &p, &field, &messageNo), c.rc) << c.field << "/" << c.messageNo;
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(messageNo, c.messageNo);
    }
    EXPECT_EQ(VkeDraCheckParam(dra, nullptr, &field, &messageNo), -9);
    EXPECT_EQ(field * 1000 + messageNo, 1059);
    DeleteObject(notPalette);
    DestroyMenu(noSubmenu);
}

TEST_F(DraBsc, InitMakesItsBarsAndTermTakesThemAway)
{
    int rc = 0;
    EXPECT_EQ(VkeDraSetScale(dra, 1, 1), -6); // before Init
    ASSERT_EQ(Start(), 0);
    ASSERT_NE(param.hHScrBar, nullptr);
    ASSERT_NE(param.hVScrBar, nullptr);
    EXPECT_EQ(GetParent(param.hHScrBar), parent);
    EXPECT_EQ(GetDlgCtrlID(param.hHScrBar), 101);
    EXPECT_EQ(GetWindowLongA(param.hVScrBar, GWL_STYLE) & SBS_VERT, SBS_VERT);
    EXPECT_EQ(BarsIn(parent), 2);
    // The area rect comes back: the window and both bars.
    RECT area = {};
    EXPECT_EQ(VkeDraGetDraRect(dra, &area), 0);
    EXPECT_TRUE(EqualRect(&area, &param.rctDra));
    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeDraInit(dra, &param, &field, &messageNo), -7);
    EXPECT_EQ(field + messageNo, 0);
    char name[16] = {};
    EXPECT_EQ(VkeDraGetName(dra, name, sizeof(name)), 0);
    EXPECT_STREQ(name, "VkeDra");

    EXPECT_EQ(VkeDraTerm(dra), 0);
    EXPECT_EQ(BarsIn(parent), 0);
    EXPECT_EQ(VkeDraGetScale(dra, &rc, &rc), -6);
    // The object may be initialised again; the caller's bars are then kept by Term.
    HWND h = CreateWindowA("SCROLLBAR", "", WS_CHILD, 0, 0, 50, 16, parent, nullptr, nullptr, nullptr);
    HWND v = CreateWindowA("SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 16, 50, parent, nullptr, nullptr, nullptr);
    VkeDraParam given = Param();
    given.hHScrBar = h;
    given.hVScrBar = v;
    given.uHScrBarId = given.uVScrBarId = 0;
    ASSERT_EQ(VkeDraInit(dra, &given, &field, &messageNo), 0);
    HWND got = nullptr;
    EXPECT_EQ(VkeDraGetVScrBarHandle(dra, &got), 0);
    EXPECT_EQ(got, v);
    EXPECT_EQ(VkeDraTerm(dra), 0);
    EXPECT_TRUE(IsWindow(h) && IsWindow(v));
}

TEST_F(DraBsc, FailedInitLeavesNoBarAndWindowEndTerminates)
{
    // Too low for a vertical bar beside the horizontal one: the horizontal one goes again.
    EXPECT_EQ(Start([](VkeDraParam& p) { p.rctDra = {10, 10, 200, 18}; }), -9);
    EXPECT_EQ(BarsIn(parent), 0);
    EXPECT_EQ(param.hHScrBar, nullptr);
    int mode = 0;
    EXPECT_EQ(VkeDraGetScaleMode(dra, &mode), -6);

    int field = 0, messageNo = 0;
    param = Param();
    ASSERT_EQ(VkeDraInit(dra, &param, &field, &messageNo), 0);
    EXPECT_EQ(BarsIn(parent), 2);
    EXPECT_EQ(VkeDraDestroy(dra), 0);
    EXPECT_EQ(BarsIn(parent), 0);
    EXPECT_EQ(VkeDraGetScaleMode(dra, &mode), -6);
}

TEST_F(DraBsc, AdoptsAnEditWindowAndKeepsTheCallersProcedureInFront)
{
    HWND edit = CreateWindowA("Edit", "", WS_CHILD | WS_BORDER | WS_THICKFRAME, 10, 10, 200, 150, parent,
                              reinterpret_cast<HMENU>(55), nullptr, nullptr);
    HWND other = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
    EXPECT_EQ(VkeDraSubclassWindow(dra, other), -9);
    EXPECT_EQ(VkeDraSubclassDlgItem(dra, parent, 56), -9);
    ASSERT_EQ(VkeDraSubclassDlgItem(dra, parent, 55), 0);
    LONG style = GetWindowLongA(edit, GWL_STYLE);
    EXPECT_EQ(style & (WS_BORDER | WS_THICKFRAME), 0);
    EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS), WS_CHILD | WS_CLIPSIBLINGS);

    WNDPROC old = nullptr;
    EXPECT_EQ(VkeDraSetWindowProc(dra, nullptr, &old), -9);
    ASSERT_EQ(VkeDraSetWindowProc(dra, CallerProc, &g_areaProc), 0);
    g_seen = 0;
    EXPECT_EQ(SendMessageA(edit, WM_USER + 7, 0, 0), 1);
    param.rctDra = {10, 10, 230, 180};
    int field = 0, messageNo = 0;
    wnd = edit;
    ASSERT_EQ(VkeDraInit(dra, &param, &field, &messageNo), 0); // messages pass through the caller first
    EXPECT_EQ(VkeDraResetWindowProc(dra), 0);
    EXPECT_EQ(SendMessageA(edit, WM_USER + 7, 0, 0), 0);

    HWND back = nullptr;
    EXPECT_EQ(VkeDraTerm(dra), 0);
    EXPECT_EQ(VkeDraUnsubclassWindow(dra, &back), 0);
    EXPECT_EQ(back, edit);
    EXPECT_EQ(VkeDraSubclassWindow(dra, edit), 0);
}

TEST_F(DraBsc, PropertiesReadAndSetThroughOneDoor)
{
    ASSERT_EQ(Start(), 0);
    COLORREF color = 0x123456;
    EXPECT_EQ(VkeDraSetProperty(dra, VKE_DRA_PROP_BACK_COLOR, &color), 0);
    COLORREF back = 0;
    EXPECT_EQ(VkeDraGetBackColor(dra, &back), 0);
    EXPECT_EQ(back, color);
    HWND w = nullptr;
    EXPECT_EQ(VkeDraGetProperty(dra, VKE_DRA_PROP_WND, &w), 0);
    EXPECT_EQ(w, wnd);
    char face[1024] = {};
    EXPECT_EQ(VkeDraGetProperty(dra, VKE_DRA_PROP_FONT_NAME, face), 0);
    EXPECT_STREQ(face, "ＭＳ Ｐゴシック"); // the parent has no font: message 49
    int size = 0;
    EXPECT_EQ(VkeDraGetFontSize(dra, &size), 0);
    EXPECT_EQ(size, 9);
    int mode = 3;
    EXPECT_EQ(VkeDraSetProperty(dra, VKE_DRA_PROP_SCALE_MODE, &mode), 0);
    mode = 0;
    EXPECT_EQ(VkeDraGetProperty(dra, VKE_DRA_PROP_SCALE_MODE, &mode), 0);
    EXPECT_EQ(mode, 3);
    EXPECT_EQ(VkeDraGetFontSize(dra, &size), 0);
    EXPECT_LT(size, 9); // the screen font follows the fitted scale
    EXPECT_EQ(VkeDraSetProperty(dra, VKE_DRA_PROP_DRAWING, &mode), -9); // read only
    EXPECT_EQ(VkeDraGetProperty(dra, 31, &mode), -9);
}

TEST_F(DraBsc, InitAndTermGiveBackEveryGdiObject)
{
    ASSERT_EQ(Start([](VkeDraParam& p) { p.iDrawMemory = 1; }), 0);
    HPALETTE pal = nullptr;
    ASSERT_EQ(VkeDrwOpenPalette(drw, &pal, nullptr, 1, 0), 0);
    auto cycle = [&] {
        VkeDraParam p = Param();
        p.iDrawMemory = 1;
        p.hPalette = pal;
        int field = 0, messageNo = 0;
        ASSERT_EQ(VkeDraTerm(dra), 0);
        ASSERT_EQ(VkeDraInit(dra, &p, &field, &messageNo), 0);
        ASSERT_EQ(VkeDraSetScale(dra, 3, 2), 0);
        ASSERT_EQ(VkeDraSetFont(dra, "ＭＳ Ｐゴシック", 12), 0);
        ASSERT_EQ(VkeDraSetBackColor(dra, 0x00FF00), 0);
        VktSys::Pump();
    };
    cycle();
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 3; ++i) cycle();
    EXPECT_EQ(VktGdiObjects(), before);
    VkeDrwClosePalette(drw, &pal);
}
