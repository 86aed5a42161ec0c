// The tab window itself: clicks, keys, the wheel, dragging, the context menu and painting, with
// posted input as a person's would arrive.
#include "VktTab.h"
#include <commctrl.h>
#include <set>

namespace {

using TabInput = VktTabFixture;

// Picks the first item of a tracked menu with the keys a person would press.
void CALLBACK PickFirst(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 0);
}

int g_paints = 0;
WNDPROC g_old = nullptr;
LRESULT CALLBACK CountPaints(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) ++g_paints;
    return CallWindowProcA(g_old, wnd, msg, wParam, lParam);
}

// The control in the test's colours, its pages titled with wide cells and few glyph pixels, one
// of them locked.
const COLORREF kText = RGB(160, 0, 0), kBack = RGB(180, 240, 180);
void Colour(VkiTab* tab, int pages, int locked)
{
    ASSERT_EQ(VkeTabSetTextColor(tab, kText), 0);
    ASSERT_EQ(VkeTabSetBackColor(tab, kBack), 0);
    for (int i = 0; i < pages; ++i) VkeTabSetTitle(tab, i, "　頁　");
    VkeTabSetLockedFlag(tab, locked, 1);
}

RECT ItemRect(HWND wnd, int index)
{
    RECT r = {};
    SendMessageA(wnd, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

} // namespace

TEST_F(TabInput, ClickAndKeysNotifyOncePerChange)
{
    Start();
    OpenPages(5);
    Heard();
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Centre(2));
    Post(WM_LBUTTONUP, 0, Centre(2));
    EXPECT_EQ(Sel(), 2);
    EXPECT_EQ(Heard(), "changing change");
    EXPECT_EQ(GetFocus(), wnd);

    struct Row {
        UINT key;
        bool ctrl, shift;
        int sel;
        const char* heard;
    } rows[] = {
        {VK_HOME, false, false, 0, "changing change"}, {VK_HOME, false, false, 0, ""},
        {VK_END, false, false, 4, "changing change"},  {'F', true, false, 0, "changing change"},
        {'L', false, true, 4, "changing change"},       {VK_RIGHT, false, false, 4, ""},
        {VK_LEFT, false, false, 3, "changing change"}, {'P', false, false, 2, "changing change"},
        {'N', false, false, 3, "changing change"},     {VK_TAB, true, false, 4, "changing change"},
        {VK_RETURN, true, true, 3, "changing change"}, {'X', false, false, 3, ""},
    };
    for (const Row& r : rows) {
        Key(r.key, r.ctrl, r.shift);
        EXPECT_EQ(Sel(), r.sel) << r.key;
        EXPECT_EQ(Heard(), r.heard) << r.key;
        EXPECT_EQ(GetFocus(), wnd) << r.key; // paging keys leave the focus on the tabs
    }
    Key(VK_TAB); // without Ctrl: into the page
    EXPECT_EQ(GetParent(GetFocus()), pages[3]);
}

TEST_F(TabInput, WheelPagesFromTheTabsWithTheFocus)
{
    Start();
    OpenPages(6);
    VkeTabSetCurSel(tab, 4);
    VkeTabSetFocusTab(tab);
    Heard();
    Wheel(240, Centre(1)); // two notches back
    EXPECT_EQ(Sel(), 2);
    EXPECT_EQ(Heard(), "wheel changing change changing change");
    POINT screen = Centre(1);
    ClientToScreen(wnd, &screen);
    EXPECT_EQ(parent->wheelW, MAKEWPARAM(0, 240));
    EXPECT_EQ(parent->wheelL, MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(GetFocus(), wnd);
    Wheel(-120, Centre(0));
    EXPECT_EQ(Sel(), 3);
    Wheel(60, Centre(1)); // less than a notch
    Wheel(120, {Centre(0).x, 200}); // below the tabs
    EXPECT_EQ(Sel(), 3);
    SetFocus(parent->Wnd());
    Wheel(120, Centre(1));
    EXPECT_EQ(Sel(), 3);
    EXPECT_EQ(Heard(), "wheel changing change wheel wheel wheel");
    VkeTabSetFocusTab(tab);
    parent->takeWheel = 1; // the parent takes it over
    Wheel(-240, Centre(1));
    EXPECT_EQ(Sel(), 3);
    EXPECT_EQ(Heard(), "wheel");
    EXPECT_EQ(SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0), 1); // the parent's answer
}

TEST_F(TabInput, LockKeysAndDoubleClick)
{
    Start(0, 1);
    OpenPages(3);
    VkeTabSetFocusTab(tab);
    Heard();
    int locked = 0;
    Key('K');
    VkeTabGetLockedFlag(tab, 0, &locked);
    EXPECT_EQ(locked, 1);
    Key('U');
    VkeTabGetLockedFlag(tab, 0, &locked);
    EXPECT_EQ(locked, 0);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, Centre(2));
    VkeTabGetLockedFlag(tab, 2, &locked);
    EXPECT_EQ(locked, 1);
    EXPECT_EQ(Heard(), "lock 0 1 lock 0 0 lock 2 1");
    parent->handleLock = 1;
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, Centre(2));
    VkeTabGetLockedFlag(tab, 2, &locked);
    EXPECT_EQ(locked, 1);
}

TEST_F(TabInput, DragMovesTheTabOnRelease)
{
    Start(0, 0, WS_VISIBLE | TCS_BUTTONS); // buttons stand apart: there are gaps between them
    OpenPages(4);
    Tbi before = {}, after = {};
    VkeTabGetTbi(tab, 0, &before);
    Heard();
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Centre(0));
    EXPECT_EQ(GetCapture(), wnd);
    Post(WM_MOUSEMOVE, MK_LBUTTON, Centre(1));
    Post(WM_LBUTTONUP, 0, Centre(2));
    EXPECT_NE(GetCapture(), wnd);
    EXPECT_EQ(Order(), "2 3 1 4");
    VkeTabGetTbi(tab, 2, &after);
    EXPECT_TRUE(before.hChdWnd == after.hChdWnd && before.iPageNo == after.iPageNo);
    char title[16] = {};
    VkeTabGetTitle(tab, 2, title, sizeof(title));
    EXPECT_STREQ(title, "頁1");
    EXPECT_EQ(Heard(), "changing change move 0 2");

    RECT first = ItemRect(wnd, 0), second = ItemRect(wnd, 1);
    ASSERT_LT(first.right, second.left);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Centre(0));
    Post(WM_LBUTTONUP, 0, {first.right + 1, Centre(0).y}); // in the gap
    EXPECT_EQ(Order(), "2 3 1 4");
    EXPECT_EQ(Heard(), "changing change"); // the press selected it

    // Held down, the selection follows the pointer every 500 ms.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Centre(0));
    Post(WM_MOUSEMOVE, MK_LBUTTON, Centre(0));
    POINT over = Centre(3);
    ClientToScreen(wnd, &over);
    SetCursorPos(over.x, over.y);
    VktPumpFor(650);
    EXPECT_EQ(Sel(), 3);
    Post(WM_LBUTTONUP, 0, Centre(3));
    EXPECT_EQ(Order(), "3 1 4 2");
}

// A strip scrolled along gives no rectangle for the tabs before it: a drag among the tabs shown
// still finds the tab it ends on.
TEST_F(TabInput, DragMovesTheTabOfAScrolledStrip)
{
    Start();
    OpenPages(20);
    SendMessageA(wnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0);
    VktPumpFor(50);
    RECT hidden = {};
    ASSERT_FALSE(SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&hidden))) << "not scrolled";
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Centre(6));
    Post(WM_MOUSEMOVE, MK_LBUTTON, Centre(7));
    Post(WM_LBUTTONUP, 0, Centre(8));
    EXPECT_EQ(Order().substr(0, 26), "1 2 3 4 5 6 8 9 7 10 11 12");
}

TEST_F(TabInput, ContextMenuCommandsGoToTheParent)
{
    Start();
    OpenPages(3);
    HMENU menu = CreateMenu(), popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 41, "閉じる");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "x");
    ASSERT_EQ(VkeTabSetMenuHandle(tab, menu), 0);
    Heard();
    SetTimer(nullptr, 0, 100, PickFirst);
    Post(WM_RBUTTONUP, 0, Centre(1));
    EXPECT_EQ(Heard(), "command 41");
    int index = -1, no = 0;
    VkeTabGetRbcIdx(tab, &index);
    VkeTabGetRbcPageNo(tab, &no);
    EXPECT_EQ(index * 10 + no, 12);
    VkeTabSetCurSel(tab, 2); // a page change forgets it
    VkeTabGetRbcIdx(tab, &index);
    EXPECT_EQ(index, -1);
    Post(WM_RBUTTONUP, 0, {Centre(0).x, 200}); // off the tabs: no menu
    EXPECT_EQ(Heard(), "changing change");
    VkeTabSetMenuHandle(tab, nullptr);
    DestroyMenu(menu);
}

TEST_F(TabInput, LockedTabsSwapTheirColours)
{
    Start(0, 1);
    OpenPages(3);
    Colour(tab, 3, 2);
    const COLORREF text = kText, back = kBack;
    UpdateWindow(wnd);
    VktShot shot(wnd);
    RECT unlocked = ItemRect(wnd, 1), locked = ItemRect(wnd, 2);
    // The unlocked tab: back colour with a few text-colour pixels of its title; the locked tab's
    // title stands on a band of the text colour.
    EXPECT_GT(shot.Count(unlocked, back), shot.Count(locked, back));
    EXPECT_GT(shot.Count(locked, text), 3 * shot.Count(unlocked, text));
    EXPECT_GT(shot.Count(unlocked, text), 0);
    RECT client = {};
    GetClientRect(wnd, &client);
    RECT strip = {ItemRect(wnd, 2).right + 4, 0, client.right, ItemRect(wnd, 2).bottom - 2};
    EXPECT_EQ(shot.Count(strip, GetSysColor(COLOR_BTNFACE)), (strip.right - strip.left) * strip.bottom);
}

TEST_F(TabInput, UnderscoresShowInTitles)
{
    Start(); // the message file's face and size
    OpenPages(2);
    VkeTabSetTitle(tab, 1, "a______b"); // not selected: no frame in the text colour
    UpdateWindow(wnd);
    VktShot shot(wnd);
    COLORREF text = 0;
    VkeTabGetTextColor(tab, &text);
    // Six underscores make one line of the text colour under the title.
    EXPECT_GE(shot.Run(ItemRect(wnd, 1), text), 20);
}

TEST_F(TabInput, PaintingSettlesUnderParentsWithoutClipChildren)
{
    for (VktTabParent::Kind kind : {VktTabParent::kPlain, VktTabParent::kDialog}) {
        MakeParent(kind, false);
        Start();
        OpenPages(3);
        WNDPROC old = nullptr;
        ASSERT_EQ(VkeTabSetWindowProc(tab, CountPaints, &old), 0);
        g_old = old;
        g_paints = 0;
        parent->paints = 0;
        InvalidateRect(parent->Wnd(), nullptr, TRUE);
        VktPumpFor(300);
        EXPECT_LE(g_paints, 3) << kind;
        EXPECT_LE(parent->paints, 3) << kind;
        EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE)) << kind;
        VkeTabFree(&tab);
        for (HWND page : pages) DestroyWindow(page);
        pages.clear();
        delete parent;
        parent = nullptr;
    }
}

namespace {
// The scroll arrows the control makes when its tabs do not fit, or null.
HWND Arrows(HWND tab) { return FindWindowExA(tab, nullptr, "msctls_updown32", nullptr); }

// The number of colours a rectangle of a shot holds.
int Colours(const VktShot& shot, const RECT& r)
{
    VktDIB pixels(shot.dib);
    std::set<DWORD> seen;
    for (int y = r.top; y < r.bottom && y < pixels.height; ++y)
        for (int x = r.left; x < r.right && x < pixels.width; ++x) seen.insert(pixels.Rgb(x, y));
    return static_cast<int>(seen.size());
}

// A child's rectangle in its parent's client coordinates.
RECT InParent(HWND child)
{
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}
} // namespace

TEST_F(TabInput, ScrolledTabsKeepTheirArrowsAndColours)
{
    Start(0, 1);
    OpenPages(30);
    Colour(tab, 30, 12);
    const COLORREF text = kText, back = kBack;
    VktPumpFor(100);
    HWND arrows = Arrows(wnd);
    ASSERT_NE(arrows, nullptr) << "30 tabs fit";
    // The arrows show without a click: glyphs and frames, not a blank box.
    RECT box = InParent(arrows);
    VktShot first(wnd);
    EXPECT_GT(Colours(first, box), 2);

    // Scrolled by its right arrow until the locked tab is the first one shown.
    RECT locked = {};
    for (int step = 0; step < 30; ++step) {
        SendMessageA(wnd, TCM_GETITEMRECT, 12, reinterpret_cast<LPARAM>(&locked));
        if (locked.left <= 4) break;
        POINT right = {box.right - (box.right - box.left) / 4, (box.top + box.bottom) / 2};
        MapWindowPoints(wnd, arrows, &right, 1);
        PostMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(right.x, right.y));
        SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right.x, right.y));
        VktPumpFor(20);
    }
    ASSERT_LE(locked.left, 4);
    UpdateWindow(wnd);
    VktPumpFor(100);
    VktShot scrolled(wnd);
    RECT unlocked = {};
    SendMessageA(wnd, TCM_GETITEMRECT, 13, reinterpret_cast<LPARAM>(&unlocked));
    // Every tab shown keeps the control's colours, the locked one its swapped ones.
    EXPECT_GT(scrolled.Count(unlocked, back), (unlocked.right - unlocked.left) * (unlocked.bottom - unlocked.top) / 3);
    EXPECT_GT(scrolled.Count(locked, text), 3 * scrolled.Count(unlocked, text));
    EXPECT_GT(Colours(scrolled, box), 2);
}

TEST_F(TabInput, ClosingTheLastTabLeavesNoStripBehind)
{
    Start();
    OpenPages(3);
    UpdateWindow(wnd);
    for (int i = 2; i >= 0; --i) ASSERT_EQ(VkeTabClosePage(tab, i, 0), 0);
    for (HWND page : pages) DestroyWindow(page); // as the program does with closed pages
    pages.clear();
    VktPumpFor(100);
    VktShot closed(wnd);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    VktPumpFor(100);
    VktShot repainted(wnd);
    // What shows is what the control paints without tabs: nothing of the strip stays.
    VktDIB a(closed.dib), b(repainted.dib);
    int stale = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) stale += a.Rgb(x, y) != b.Rgb(x, y);
    EXPECT_EQ(stale, 0);
}
