// The tab control as an object: life cycle, parameters, properties, font, adoption of a window
// made elsewhere, the window-procedure swap and termination.
#include "VktTab.h"
#include <commctrl.h>
#include <string.h>

namespace {

using TabObject = VktTabFixture;

int g_seen = 0;
WNDPROC g_old = nullptr;
LRESULT CALLBACK Counting(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ++g_seen;
    return CallWindowProcA(g_old, wnd, msg, wParam, lParam);
}

} // namespace

TEST_F(TabObject, LifeCycleBeforeAndAfterInit)
{
    MakeParent(VktTabParent::kPlain, true);
    VkiTab* none = nullptr;
    EXPECT_EQ(VkeTabAlloc(nullptr, &none), -9);
    VktSys idle(false); // allocated, not initialised
    EXPECT_EQ(VkeTabAlloc(idle.sys, &none), -6);
    EXPECT_EQ(none, nullptr);
    ASSERT_EQ(VkeTabAlloc(sys, &tab), 0);
    EXPECT_EQ(VkeTabAlloc(sys, &tab), -7);

    // Before Init: the name, the version, the window and the close of all pages answer.
    char name[16] = {};
    double version = 0;
    HWND none_wnd = reinterpret_cast<HWND>(1);
    EXPECT_EQ(VkeTabGetName(tab, name, sizeof(name)) + VkeTabGetVersion(tab, &version), 0);
    EXPECT_EQ(std::string(name) + " " + std::to_string(version), "VkeTab 1.000000");
    EXPECT_EQ(VkeTabGetTabHandle(tab, &none_wnd), 0);
    EXPECT_EQ(none_wnd, nullptr);
    EXPECT_EQ(VkeTabClosePageAll(tab, 0), 0);
    int count = 0;
    for (int rc : {VkeTabGetPageCnt(tab, &count), VkeTabSetCurSel(tab, 0), VkeTabTerm(tab), VkeTabSetFont(tab, "x", 9)})
        EXPECT_EQ(rc, -6);

    VkeTabParam param;
    ASSERT_EQ(VkeTabInitParam(tab, &param), 0);
    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeTabInit(tab, &param, &field, &messageNo), -7); // no window yet
    EXPECT_EQ(field * 100 + messageNo, 0);
    EXPECT_EQ(VkeTabCreate(tab, 0, 0, 100, 30, nullptr, 1), -9);
    ASSERT_EQ(VkeTabCreate(tab, 0, 0, 300, 100, parent->Wnd(), kId), 0);
    ASSERT_EQ(VkeTabInit(tab, &param, &field, &messageNo), 0);
    EXPECT_EQ(VkeTabInit(tab, &param, &field, &messageNo), -7);
    EXPECT_EQ(VkeTabCreate(tab, 0, 0, 300, 100, parent->Wnd(), kId), -7);
    ASSERT_EQ(VkeTabGetTabHandle(tab, &wnd), 0);
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & (WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP),
              WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP);
    EXPECT_EQ(SendMessageA(wnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
}

TEST_F(TabObject, CheckParamNamesTheFirstBadField)
{
    ASSERT_EQ(VkeTabAlloc(sys, &tab), 0);
    HMENU bare = CreateMenu(); // no submenu 0
    struct Row {
        void (*bend)(VkeTabParam&, HMENU);
        int field, messageNo, code;
    } rows[] = {
        {[](VkeTabParam&, HMENU) {}, 0, 0, 0},
        {[](VkeTabParam& p, HMENU) { p.dExecVersion = 1.5; }, 2, 17, -5},
        {[](VkeTabParam& p, HMENU m) { p.hMenu = m; }, 5, 67, -9},
        {[](VkeTabParam& p, HMENU) { p.iFixedPage = 2; }, 6, 69, -9},
        {[](VkeTabParam& p, HMENU) { p.iCtlLock = -1; }, 7, 70, -9},
    };
    for (const Row& r : rows) {
        VkeTabParam param;
        VkeTabInitParam(tab, &param);
        r.bend(param, bare);
        int field = -1, messageNo = -1;
        EXPECT_EQ(VkeTabCheckParam(tab, &param, &field, &messageNo), r.code);
        EXPECT_EQ(field * 1000 + messageNo, r.field * 1000 + r.messageNo);
    }
    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeTabCheckParam(tab, nullptr, &field, &messageNo), -9);
    EXPECT_EQ(field * 1000 + messageNo, 1059);
    VkeTabParam param;
    EXPECT_EQ(VkeTabCheckParam(tab, &param, nullptr, &messageNo), -9);
    DestroyMenu(bare);
}

TEST_F(TabObject, PropertiesFontsAndColours)
{
    Start();
    OpenPages(2);
    struct Row {
        int id;
        long long want;
    } ints[] = {{7, 9}, {8, static_cast<long long>(GetSysColor(COLOR_BTNTEXT))},
                {9, static_cast<long long>(GetSysColor(COLOR_BTNFACE))}, {10, 0}, {11, 0}, {12, 0}};
    for (const Row& r : ints) {
        long long value = 0; // wide enough for the menu handle; narrower values fill its low part
        EXPECT_EQ(VkeTabGetProperty(tab, r.id, &value), 0) << r.id;
        EXPECT_EQ(value, r.want) << r.id;
    }
    char face[1024] = {};
    EXPECT_EQ(VkeTabGetProperty(tab, 6, face), 0);
    EXPECT_STREQ(face, "ＭＳ Ｐゴシック"); // message 49: the plain parent has no font
    HWND got = nullptr;
    EXPECT_EQ(VkeTabGetProperty(tab, 4, &got), 0);
    EXPECT_EQ(got, wnd);
    int flag = 1;
    EXPECT_EQ(VkeTabSetProperty(tab, 11, &flag), -9); // read only
    EXPECT_EQ(VkeTabGetProperty(tab, 13, &flag), -9);
    EXPECT_EQ(VkeTabSetCtlLockFlag(tab, 2), -9);
    EXPECT_EQ(VkeTabRedraw(tab, 2), -9);
    HMENU bare = CreateMenu();
    EXPECT_EQ(VkeTabSetMenuHandle(tab, bare), -9);
    DestroyMenu(bare);

    // Height 0: the made font's character height, negative; the tabs |height| + 14 high and the
    // pages fitted to the new display area.
    LOGFONTA lf = {};
    strcpy(lf.lfFaceName, "ＭＳ ゴシック");
    ASSERT_EQ(VkeTabSetFontByLogFont(tab, &lf), 0);
    LOGFONTA now = {};
    ASSERT_EQ(VkeTabGetLogFont(tab, &now), 0);
    HFONT font = nullptr;
    ASSERT_EQ(VkeTabGetFontHandle(tab, &font), 0);
    HDC dc = GetDC(wnd);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(wnd, dc);
    EXPECT_LT(now.lfHeight, 0);
    EXPECT_EQ(now.lfHeight, tm.tmInternalLeading - tm.tmHeight);
    RECT item = {};
    SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.bottom - item.top, -now.lfHeight + 14);
    EXPECT_TRUE(Fits(pages[1]));

    int points = 0;
    ASSERT_EQ(VkeTabSetFont(tab, "ＭＳ ゴシック", 12), 0);
    EXPECT_EQ(VkeTabGetFontSize(tab, &points), 0);
    EXPECT_EQ(points, 12);
    memset(lf.lfFaceName, 'x', sizeof(lf.lfFaceName)); // no terminator
    EXPECT_EQ(VkeTabSetFontByLogFont(tab, &lf), -9);
}

TEST_F(TabObject, FontOfTheParentDialog)
{
    MakeParent(VktTabParent::kDialog, true);
    LOGFONTA lf = {};
    lf.lfHeight = -20;
    strcpy(lf.lfFaceName, "ＭＳ ゴシック");
    HFONT font = CreateFontIndirectA(&lf);
    parent->font = font;
    Start();
    LOGFONTA now = {};
    ASSERT_EQ(VkeTabGetLogFont(tab, &now), 0);
    EXPECT_EQ(now.lfHeight, -20);
    EXPECT_STREQ(now.lfFaceName, lf.lfFaceName);
    VkeTabFree(&tab);
    DeleteObject(font);
}

TEST_F(TabObject, AdoptsATabWindowAndGivesItBack)
{
    MakeParent(VktTabParent::kDialog, true);
    HWND made = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, parent->Wnd(),
                                reinterpret_cast<HMENU>(5), nullptr, nullptr);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent->Wnd(), reinterpret_cast<HMENU>(6),
                                 nullptr, nullptr);
    ASSERT_EQ(VkeTabAlloc(sys, &tab), 0);
    EXPECT_EQ(VkeTabSubclassWindow(tab, other), -9);
    EXPECT_EQ(VkeTabSubclassDlgItem(tab, parent->Wnd(), 99), -9);
    ASSERT_EQ(VkeTabSubclassDlgItem(tab, parent->Wnd(), 5), 0);
    EXPECT_EQ(GetWindowLongPtrA(made, GWL_STYLE) & WS_CLIPCHILDREN, WS_CLIPCHILDREN);

    WNDPROC old = nullptr;
    ASSERT_EQ(VkeTabSetWindowProc(tab, Counting, &old), 0);
    g_old = old;
    VkeTabParam param;
    VkeTabInitParam(tab, &param);
    int field = 0, messageNo = 0;
    ASSERT_EQ(VkeTabInit(tab, &param, &field, &messageNo), 0);
    wnd = made;
    parent->tab = made;
    parent->id = 5;
    OpenPages(1);
    EXPECT_GT(g_seen, 0);
    ASSERT_EQ(VkeTabResetWindowProc(tab), 0);
    int seen = g_seen;
    InvalidateRect(made, nullptr, FALSE);
    UpdateWindow(made);
    EXPECT_EQ(g_seen, seen);

    HWND back = nullptr;
    ASSERT_EQ(VkeTabUnsubclassWindow(tab, &back), 0);
    EXPECT_EQ(back, made);
    EXPECT_EQ(TabCtrl_GetItemCount(made), 0); // the records went with the object's end
    EXPECT_TRUE(IsWindow(pages[0]));
    EXPECT_EQ(VkeTabSetWindowProc(tab, Counting, &old), -7);
    EXPECT_EQ(old, nullptr);
    EXPECT_EQ(Heard(), "");
}

TEST_F(TabObject, TermSendsNothingAndFreeLeaksNothing)
{
    DWORD before = VktGdiObjects();
    Start(0, 1);
    OpenPages(4);
    VkeTabSetLockedFlag(tab, 1, 1);
    VkeTabSetTextColor(tab, RGB(200, 0, 0));
    UpdateWindow(wnd);
    Heard();
    ASSERT_EQ(VkeTabTerm(tab), 0);
    EXPECT_EQ(Heard(), "");
    EXPECT_EQ(TabCtrl_GetItemCount(wnd), 0);
    for (HWND page : pages) EXPECT_TRUE(IsWindow(page));
    EXPECT_EQ(GetParent(pages[0]), wnd); // the pages stay where they are: they are the caller's
    ASSERT_EQ(VkeTabFree(&tab), 0);
    EXPECT_EQ(tab, nullptr);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(VkeTabFree(&tab), 0);
    EXPECT_EQ(VkeTabFree(nullptr), -9);
    VktSys::Pump();
    EXPECT_EQ(VktGdiObjects(), before);
}
