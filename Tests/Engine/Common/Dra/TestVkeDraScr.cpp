// Scrolling of the drawing area through real bars: the layout of window and bars as the area
// shrinks and grows, every scroll code, clicks and keys on the bars answered by the parent, the
// flipped y axis, the conversions and the wheel.
#include "VktDra.h"

namespace {

class DraScr : public VktDraFixture {
protected:
    HWND Bar(bool h)
    {
        HWND bar = nullptr;
        if (h) VkeDraGetHScrBarHandle(dra, &bar);
        else VkeDraGetVScrBarHandle(dra, &bar);
        return bar;
    }
    // A click of the left button at a point of the bar, released at once.
    void Click(HWND bar, int x, int y)
    {
        PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        VktSys::Pump();
    }
};

} // namespace

TEST_F(DraScr, BarsComeAndGoWithTheRoomAndLeaveTheCornerEmpty)
{
    ASSERT_EQ(Start(), 0);
    const int hh = GetSystemMetrics(SM_CYHSCROLL), vw = GetSystemMetrics(SM_CXVSCROLL);
    const RECT& a = param.rctDra;
    RECT h = InParent(Bar(true)), v = InParent(Bar(false)), w = InParent(wnd);
    EXPECT_TRUE(IsWindowVisible(Bar(true)) && IsWindowVisible(Bar(false)));
    RECT wantH = {a.left, a.bottom - hh, a.right - vw, a.bottom}, wantV = {a.right - vw, a.top, a.right, a.bottom - hh};
    RECT wantW = {a.left, a.top, a.right - vw, a.bottom - hh};
    EXPECT_TRUE(EqualRect(&h, &wantH));
    EXPECT_TRUE(EqualRect(&v, &wantV));
    EXPECT_TRUE(EqualRect(&w, &wantW)); // the corner (right of h, below v) is nobody's

    // Room for all of it: no bar; room for the height only: the horizontal bar alone.
    RECT big = {10, 10, 500, 400};
    ASSERT_EQ(VkeDraMove(dra, &big, nullptr), 0);
    EXPECT_FALSE(IsWindowVisible(Bar(true)) || IsWindowVisible(Bar(false)));
    w = InParent(wnd);
    EXPECT_TRUE(EqualRect(&w, &big));
    RECT narrow = {10, 10, 300, 400};
    ASSERT_EQ(VkeDraMove(dra, &narrow, nullptr), 0);
    EXPECT_TRUE(IsWindowVisible(Bar(true)));
    EXPECT_FALSE(IsWindowVisible(Bar(false)));
    RECT area = {};
    VkeDraGetDraRect(dra, &area);
    EXPECT_TRUE(EqualRect(&area, &narrow));

    // Resized from outside: the bars follow the window, under it and to its right.
    SetWindowPos(wnd, nullptr, 0, 0, 150, 120, SWP_NOMOVE | SWP_NOZORDER);
    VktSys::Pump();
    w = InParent(wnd);
    h = InParent(Bar(true));
    v = InParent(Bar(false));
    EXPECT_TRUE(IsWindowVisible(Bar(true)) && IsWindowVisible(Bar(false)));
    EXPECT_EQ(h.top, w.bottom);
    EXPECT_EQ(h.right, w.right);
    EXPECT_EQ(v.left, w.right);
    EXPECT_EQ(v.bottom, w.bottom);
    EXPECT_EQ(BarInfo(true).nPage, static_cast<UINT>(Client().right));
    int modified = -1;
    VkeDraGetModifiedFlag(dra, &modified);
    EXPECT_EQ(modified, 0);
    RECT empty = {10, 10, 10, 100};
    EXPECT_EQ(VkeDraMove(dra, &empty, nullptr), -9);
    int need = -1;
    EXPECT_EQ(VkeDraIsNeedHScrBar(dra, &big, nullptr, &need), 0);
    EXPECT_EQ(need, 0);
    EXPECT_EQ(VkeDraIsNeedHScrBar(dra, &empty, nullptr, &need), -9);
}

TEST_F(DraScr, EveryCodeLandsInsideTheRange)
{
    ASSERT_EQ(Start(), 0);
    const int page = Client().right, end = 400 - page; // page < end < 2 * page
    struct Step {
        int code, pos, want;
    } steps[] = {
        {SB_THUMBPOSITION, 50, 50}, {SB_LINERIGHT, 0, 55},    {SB_LINELEFT, 0, 50},   {SB_THUMBPOSITION, 0, 0},
        {SB_PAGERIGHT, 0, page},    {SB_PAGERIGHT, 0, end},   {SB_PAGELEFT, 0, end - page}, {SB_RIGHT, 0, end},
        {SB_ENDSCROLL, 0, end},     {SB_LEFT, 0, 0},          {SB_LINELEFT, 0, 0},    {SB_THUMBTRACK, 9999, end},
        {SB_THUMBPOSITION, -20, 0},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(VkeDraHScroll(dra, s.code, s.pos), 0);
        EXPECT_EQ(BarPos(true), s.want) << s.code;
        EXPECT_EQ(DraPos().x, s.want) << s.code;
    }
    EXPECT_EQ(VkeDraVScroll(dra, SB_BOTTOM, 0), 0);
    EXPECT_EQ(BarPos(false), 300 - Client().bottom);
    // A page larger than the range holds the start.
    RECT big = {10, 10, 600, 450};
    ASSERT_EQ(VkeDraMove(dra, &big, nullptr), 0);
    EXPECT_EQ(VkeDraVScroll(dra, SB_THUMBPOSITION, 100), 0);
    EXPECT_EQ(BarPos(false), 0);
}

TEST_F(DraScr, ClicksAndKeysOnTheBarsScrollThroughTheParent)
{
    ASSERT_EQ(Start([](VkeDraParam& p) { p.rctInrDra = {0, 0, 800, 300}; }), 0);
    RECT r;
    GetClientRect(Bar(true), &r);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    Click(Bar(true), r.right - arrow / 2, r.bottom / 2); // right arrow
    EXPECT_EQ(BarPos(true), 5);
    ASSERT_FALSE(s_scrolls.empty());
    EXPECT_EQ(s_scrolls.front().code, SB_LINERIGHT);
    Click(Bar(true), r.right - arrow - 3, r.bottom / 2); // the page right of the thumb
    EXPECT_EQ(BarPos(true), 5 + Client().right);

    SetFocus(Bar(false));
    SendMessageA(Bar(false), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(BarPos(false), 7);
    EXPECT_EQ(DraPos().y, 7);
}

TEST_F(DraScr, FlippedYStartsAtTheBottomAndConvertsFromIt)
{
    ASSERT_EQ(Start([](VkeDraParam& p) { p.iFlipY = 1; }), 0);
    const int page = Client().bottom;
    EXPECT_EQ(BarPos(false), 300 - page);
    EXPECT_EQ(DraPos().y, 0); // the lower edge shows the drawing's bottom line
    EXPECT_EQ(VkeDraVScroll(dra, SB_TOP, 0), 0);
    EXPECT_EQ(DraPos().y, 300 - page);

    struct Conversion {
        int (*fn)(VkiDra*, int*, int);
        int in, out, rc;
    } cases[] = {
        {VkeDraHScrPosToHDraPos, 400, 400, 0}, {VkeDraHScrPosToHDraPos, -1, -1, -13},
        {VkeDraHScrPosToHDraPos, 401, 401, -13}, {VkeDraHDraPosToHScrPos, -1, -1, -13},
        {VkeDraHDraPosToHScrPos, 401, 401, -13}, {VkeDraVScrPosToVDraPos, 0, 300, 0},
        {VkeDraVScrPosToVDraPos, 301, -1, -13},  {VkeDraVDraPosToVScrPos, 300, 0, 0},
        {VkeDraVDraPosToVScrPos, -1, 301, -13},  {VkeDraVDraPosToVScrPos, 301, -1, -13},
    };
    for (const Conversion& c : cases) {
        int out = 12345;
        EXPECT_EQ(c.fn(dra, &out, c.in), c.rc) << c.in;
        EXPECT_EQ(out, c.out) << c.in;
    }
    EXPECT_EQ(Traced(), 0); // -13 goes back untraced
}

TEST_F(DraScr, WheelNotchesScrollByTheWheelStep)
{
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(VkeDraMouseWheel(dra, 0, 119), 0);
    EXPECT_EQ(BarPos(false), 0);
    EXPECT_EQ(VkeDraMouseWheel(dra, 0, -240), 0);
    EXPECT_EQ(BarPos(false), 80);
    EXPECT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 100), 0);
    EXPECT_EQ(VkeDraMouseWheel(dra, MK_SHIFT, 120), 0);
    EXPECT_EQ(BarPos(true), 70);
    EXPECT_EQ(BarPos(false), 80);
    int border = 0;
    EXPECT_EQ(VkeDraGetBorderWidth(dra, &border), 0);
    EXPECT_EQ(border, 2);
    EXPECT_EQ(VkeDraSetWheelScrSize(dra, 0, 5), -9);
    EXPECT_EQ(VkeDraSetWheelScale(dra, 0.0099), -9);
    EXPECT_EQ(VkeDraSetWheelScale(dra, 0.9), 0);
}

namespace {
// A page as the program's image page: it erases nothing and leaves its painting to the area.
LRESULT CALLBACK PageProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}
} // namespace

// Across scale changes the bars come and go and the horizontal one grows and shrinks: the corner
// they leave between them shows the bars' face, never a piece of a bar that was there before.
TEST_F(DraScr, TheCornerBetweenTheBarsShowsTheirFace)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PageProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VktDraPage";
    RegisterClassA(&wc);
    HWND top = parent;
    parent = CreateWindowExA(0, "VktDraPage", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, top, nullptr, nullptr, nullptr);
    ASSERT_EQ(Start([](VkeDraParam& p) { p.rctInrDra = {0, 0, 200, 60}; }), 0);
    struct Row {
        const char* what;
        int num, den;
    } rows[] = {{"the horizontal bar", 3, 2}, {"both bars", 3, 1}, {"fit", 0, 0}, {"both bars again", 3, 1},
                {"the horizontal bar again", 3, 2}, {"both bars, the horizontal one shorter", 3, 1}};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const Row& r : rows) {
        ASSERT_EQ(r.num ? VkeDraSetScaleMode(dra, 1, r.num, r.den) : VkeDraSetScaleMode(dra, 2, 1, 1), 0) << r.what;
        for (int i = 0; i < 10; ++i, Sleep(10)) VktSys::Pump();
        if (!IsWindowVisible(Bar(true)) || !IsWindowVisible(Bar(false))) continue;
        RECT h = InParent(Bar(true)), v = InParent(Bar(false));
        int other = 0;
        for (int y = v.bottom; y < h.bottom; ++y)
            for (int x = h.right; x < v.right; ++x) other += ParentPixel(x, y) != face;
        EXPECT_EQ(other, 0) << r.what;
    }
    parent = top;
}
