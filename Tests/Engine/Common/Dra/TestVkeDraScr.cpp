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

namespace {

// A photo-like image of 1200 x 900 (every pixel differs from its neighbours) drawn by the owner
// at the area's scale with the engine's stretch, as the program's pages draw theirs, and a
// cut-frame-like outline inverted over it. With the y axis up the destination is mirrored, which
// the engine leaves to the platform, and Wine's HALFTONE makes a clipped mirrored destination
// from a rounded source rectangle (two full repaints at different scroll positions already
// differ): that owner replicates pixels.
class DraShownScroll : public DraScr {
protected:
    static const int kW = 1200, kH = 900;

    void SetUp() override
    {
        DraScr::SetUp();
        image = VktMakeDIB(kW, kH, 24);
        VktDIB px(image);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                px.SetRaw(x, y, static_cast<DWORD>(((x * 37) ^ (y * 11)) & 0xFF) << 16 | ((x + 3 * y) & 0xFF) << 8 |
                                    ((x * y) & 0xFF));
        imageDC = CreateCompatibleDC(nullptr);
        oldImage = SelectObject(imageDC, image);
        s_onMessage = [this](UINT msg, WPARAM, LPARAM lParam, bool* handled) -> LRESULT {
            if (msg != VkeWmDrw) return 0;
            Draw(*reinterpret_cast<const Dri*>(lParam));
            *handled = true;
            return 1;
        };
    }
    void TearDown() override
    {
        SelectObject(imageDC, oldImage);
        DeleteDC(imageDC);
        DeleteObject(image);
        DraScr::TearDown();
    }
    void Draw(const Dri& d)
    {
        requests.push_back(d.rct);
        const int w = static_cast<int>(static_cast<long long>(kW) * d.iScaleNum / d.iScaleDen);
        const int h = static_cast<int>(static_cast<long long>(kH) * d.iScaleNum / d.iScaleDen);
        VkeDrwStretchImageWithMode(drw, d.hDC, 0, 0, w, h, imageDC, 0, 0, kW, kH, mode);
        int rop = SetROP2(d.hDC, R2_NOT);
        HGDIOBJ brush = SelectObject(d.hDC, GetStockObject(NULL_BRUSH));
        Rectangle(d.hDC, w / 7, h / 6, w * 4 / 5, h * 3 / 4);
        SelectObject(d.hDC, brush);
        SetROP2(d.hDC, rop);
    }
    // The area's client pixels as the window shows them.
    std::vector<DWORD> Shown()
    {
        RECT c = Client();
        VktMemoryDC copy(c.right, c.bottom);
        HDC dc = GetDC(wnd);
        BitBlt(copy.dc, 0, 0, c.right, c.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(wnd, dc);
        std::vector<DWORD> out;
        for (int y = 0; y < c.bottom; ++y)
            for (int x = 0; x < c.right; ++x) out.push_back(copy.Pixel(x, y));
        return out;
    }

    // The window as it stands against the window painted whole once more, pixel for pixel.
    void ExpectAsRepainted()
    {
        const RECT c = Client();
        std::vector<DWORD> shown = Shown();
        InvalidateRect(wnd, nullptr, FALSE);
        UpdateWindow(wnd);
        std::vector<DWORD> repainted = Shown();
        int differ = 0;
        for (size_t i = 0; i < shown.size(); ++i)
            if (shown[i] != repainted[i] && differ++ == 0)
                ADD_FAILURE() << "first difference at (" << i % c.right << ", " << i / c.right << ")";
        EXPECT_EQ(differ, 0);
    }

    HBITMAP image = nullptr;
    HDC imageDC = nullptr;
    HGDIOBJ oldImage = nullptr;
    std::vector<RECT> requests;
    int mode = HALFTONE;
};

} // namespace

// Scrolls move what stays in sight and ask the owner only for the strip that comes into sight;
// the screen then holds what a full repaint draws, pixel for pixel.
TEST_F(DraShownScroll, ScrollsDrawOnlyWhatComesIntoSightAndShowWhatARepaintShows)
{
    struct Scale {
        int num, den;
    } scales[] = {{1, 3}, {1, 1}, {3, 2}, {4, 1}};
    struct Step {
        bool h;
        int by;
    } steps[] = {{true, 37}, {false, 23}, {true, -50}, {false, -11}, {true, 1}, {false, 160}, {true, 2000},
                 {false, -2000}, {true, -7}, {false, 9}};
    for (int flip : {0, 1}) {
        for (const Scale& s : scales) {
            SCOPED_TRACE(testing::Message() << "flip " << flip << ", scale " << s.num << "/" << s.den);
            Restart();
            ASSERT_EQ(Start([flip](VkeDraParam& p) {
                          p.rctDra = {10, 10, 330, 250};
                          p.rctInrDra = {0, 0, kW, kH};
                          p.iFlipY = flip;
                      }),
                      0);
            ASSERT_EQ(VkeDraSetScale(dra, s.num, s.den), 0);
            mode = flip ? COLORONCOLOR : HALFTONE;
            ASSERT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 60), 0);
            ASSERT_EQ(VkeDraVScroll(dra, SB_THUMBPOSITION, 40), 0);
            UpdateWindow(wnd);
            const RECT c = Client();
            for (const Step& step : steps) {
                const int before = BarPos(step.h);
                requests.clear();
                ASSERT_EQ(step.h ? VkeDraHScroll(dra, SB_THUMBPOSITION, before + step.by)
                                 : VkeDraVScroll(dra, SB_THUMBPOSITION, before + step.by),
                          0);
                const int moved = abs(BarPos(step.h) - before);
                // The bar shows its new thumb with the next paints.
                EXPECT_EQ(GetUpdateRect(Bar(step.h), nullptr, FALSE) != 0, moved != 0) << step.by;
                VktSys::Pump();
                if (moved == 0 || moved >= (step.h ? c.right : c.bottom)) continue;
                // One request, as wide (high) as the strip and the pixel round it.
                ASSERT_EQ(requests.size(), 1u) << step.by;
                const RECT& r = requests[0];
                EXPECT_EQ(step.h ? r.right - r.left : abs(r.bottom - r.top), moved + 2) << step.by;
            }
            ExpectAsRepainted();
        }
    }
}

// A zoom that leaves the drawing smaller than the window, after scrolls: nothing of the earlier
// scale stays on the screen.
TEST_F(DraShownScroll, AZoomOutAfterScrollsShowsWhatARepaintShows)
{
    ASSERT_EQ(Start([](VkeDraParam& p) {
                  p.rctDra = {10, 10, 330, 250};
                  p.rctInrDra = {0, 0, kW, kH};
                  p.iHScrBarAlways = p.iVScrBarAlways = 1; // the window keeps its size
              }),
              0);
    ASSERT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 100), 0);
    UpdateWindow(wnd);
    ASSERT_EQ(VkeDraVScroll(dra, SB_THUMBPOSITION, 60), 0);
    UpdateWindow(wnd);
    mode = HALFTONE;
    ASSERT_EQ(VkeDraSetScale(dra, 1, 6), 0);
    UpdateWindow(wnd);
    ExpectAsRepainted();
}

// Re-layouts, scales and scrolls while the area is out of sight (its parent paused by
// WM_SETREDRAW, as a page lays out a new image, or hidden) ask the owner for nothing; once it
// shows again (after the page's own repaint request for the paused one) the screen holds what
// a full repaint draws, pixel for pixel.
TEST_F(DraShownScroll, AnAreaOutOfSightIsPaintedWholeWhenItShows)
{
    for (int hide : {0, 1}) {
        SCOPED_TRACE(hide ? "parent hidden" : "parent paused");
        Restart();
        ASSERT_EQ(Start([](VkeDraParam& p) {
                      p.rctDra = {10, 10, 330, 250};
                      p.rctInrDra = {0, 0, kW, kH};
                  }),
                  0);
        mode = HALFTONE;
        ASSERT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 80), 0);
        UpdateWindow(wnd);
        if (hide) ShowWindow(parent, SW_HIDE);
        else SendMessageA(parent, WM_SETREDRAW, FALSE, 0);
        requests.clear();
        RECT extent = {0, 0, kH, kW}; // turned
        ASSERT_EQ(VkeDraMove(dra, nullptr, &extent), 0);
        ASSERT_EQ(VkeDraSetScale(dra, 1, 2), 0);
        ASSERT_EQ(VkeDraVScroll(dra, SB_THUMBPOSITION, 30), 0);
        ASSERT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 30), 0);
        ASSERT_EQ(VkeDraRedraw(dra, 0), 0);
        VktSys::Pump();
        EXPECT_TRUE(requests.empty());
        if (hide) {
            ShowWindow(parent, SW_SHOWNA);
        } else {
            SendMessageA(parent, WM_SETREDRAW, TRUE, 0);
            ASSERT_EQ(VkeDraRedraw(dra, 0), 0);
        }
        UpdateWindow(parent);
        UpdateWindow(wnd);
        EXPECT_FALSE(requests.empty());
        ExpectAsRepainted();
    }
}
