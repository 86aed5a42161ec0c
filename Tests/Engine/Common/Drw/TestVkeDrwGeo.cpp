// Geometry, device-context scale, fonts, and the selection and focus helpers on real windows.
#include "VktDrw.h"
#include <math.h>
#include <string.h>
#include <string>

namespace {

using Geo = VktDrwSysFixture;

const double kNaN = nan("");

// "a,b" of a pair of results, for one comparison per pair.
std::string Pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }

} // namespace

TEST_F(Geo, RotationScalingAndDistance)
{
    struct Row {
        double angle;
        int yUp, x, y;
        const char* want;
    } rows[] = {
        {90, 1, 1, 0, "0,1"},      // counter-clockwise with y up
        {90, 0, 1, 0, "0,-1"},     // counter-clockwise as seen on a y-down screen
        {-90, 0, 1, 0, "0,1"},
        {180, 1, 3, -2, "-3,2"},
        {360, 0, 5, 7, "5,7"},
        {45, 1, 10, 0, "7,7"},     // 7.07 each
        {135, 1, 10, 0, "-7,7"},   // -7.07 rounds away from zero too
    };
    for (const Row& r : rows) {
        int x = r.x, y = r.y;
        ASSERT_EQ(VkeDrwRotatePoint(drw, r.angle, 0, 0, &x, &y, 1, r.yUp), 0);
        EXPECT_EQ(Pair(x, y), r.want) << r.angle << " " << r.yUp;
    }
    int xs[2] = {11, 10}, ys[2] = {20, 21}; // about a centre, two points at once
    ASSERT_EQ(VkeDrwRotatePoint(drw, 90, 10, 20, xs, ys, 2, 1), 0);
    EXPECT_EQ(Pair(xs[0], ys[0]) + " " + Pair(xs[1], ys[1]), "10,21 9,20");
    for (double bad : {360.5, -361.0, kNaN}) EXPECT_EQ(VkeDrwRotatePoint(drw, bad, 0, 0, xs, ys, 2, 1), -9);
    EXPECT_EQ(VkeDrwRotatePoint(drw, 0, 0, 0, xs, ys, 0, 1), -9);
    EXPECT_EQ(VkeDrwRotatePoint(drw, 0, 0, 0, xs, ys, 1, 2), -9);

    int sx[3] = {3, -3, -5}, sy[3] = {1, -1, 4}; // halves round away from zero, negatives too
    ASSERT_EQ(VkeDrwScalePoint(drw, 1, 2, sx, sy, 3), 0);
    EXPECT_EQ(Pair(sx[0], sy[0]) + " " + Pair(sx[1], sy[1]) + " " + Pair(sx[2], sy[2]), "2,1 -2,-1 -3,2");
    EXPECT_EQ(VkeDrwScalePoint(drw, 1, 0, sx, sy, 3), -9);

    int d[4] = {};
    VkeDrwGetDistance(drw, &d[0], 0, 0, 3, -4);
    VkeDrwGetDistance(drw, &d[1], 0, 0, 1, 2);                         // 2.24
    VkeDrwGetDistance(drw, &d[2], 0, 0, 3, 3);                         // 4.24
    VkeDrwGetDistance(drw, &d[3], -2147483647, 0, 2147483647, 0);      // held at the largest int
    EXPECT_EQ(Pair(d[0], d[1]) + " " + Pair(d[2], d[3]), "5,2 4,2147483647");
}

TEST_F(Geo, AnglesAndDirections)
{
    double v = 0;
    EXPECT_EQ(VkeDrwChangeRadToAng(drw, &v, 7), -9); // written all the same
    EXPECT_NEAR(v, 401.07, 0.01);
    EXPECT_EQ(VkeDrwChangeRadToAng(drw, &v, kNaN), -9);
    v = 5;
    for (double bad : {360.5, -361.0, kNaN}) EXPECT_EQ(VkeDrwChangeAngToRad(drw, &v, bad), -9);
    EXPECT_EQ(v, 5); // nothing written
    EXPECT_EQ(VkeDrwChangeAngToRad(drw, &v, -360), 0);
    EXPECT_NEAR(v, -6.283185307179586, 1e-12);
    struct Slope {
        int x, y;
        double angle;
    } slopes[] = {{0, 0, 0}, {5, 0, 0}, {0, 5, 90}, {-5, 0, 180}, {0, -5, 270}, {5, -5, 315}};
    for (const Slope& s : slopes) {
        ASSERT_EQ(VkeDrwChangeSlpToAng(drw, &v, 0, 0, s.x, s.y), 0);
        EXPECT_NEAR(v, s.angle, 1e-9) << s.x << "," << s.y;
    }

    // Directions from (0, 0) in modes 8 and 4, on the screen (y down) and with y up. The diagonals
    // lie on sector bounds, which belong to the sector above them.
    struct Dir {
        int x, y;
        const char* want; // screen 8, screen 4, y-up 8, y-up 4
    } dirs[] = {
        {10, 0, "4,4 4,4"},     // due right: 360 on the screen counts as 0
        {0, 0, "4,4 4,4"},      // equal points
        {10, -10, "6,1 8,4"},   // 45 on the screen, 315 with y up
        {0, -10, "1,1 2,2"},
        {-10, -10, "5,3 7,2"},  // 135 / 225
        {-10, 0, "3,3 3,3"},
        {-10, 10, "7,2 5,3"},   // 225 / 135
        {0, 10, "2,2 1,1"},
        {10, 10, "8,4 6,1"},    // 315 / 45
        {10, -4, "4,4 4,4"},    // 21.8 / 338.2
        {10, -5, "6,4 8,4"},    // 26.6 / 333.4
    };
    for (const Dir& d : dirs) {
        int g[4] = {};
        for (int i = 0; i < 4; ++i) VkeDrwGetDirection(drw, &g[i], i % 2 ? 4 : 8, 0, 0, d.x, d.y, i / 2);
        EXPECT_EQ(Pair(g[0], g[1]) + " " + Pair(g[2], g[3]), d.want) << d.x << "," << d.y;
    }
    int code = 9;
    EXPECT_EQ(VkeDrwGetDirection(drw, &code, 6, 0, 0, 1, 1, 0), -9);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(VkeDrwGetDirection(drw, &code, 8, 0, 0, 1, 1, 2), -9);
}

TEST_F(Geo, ScalesAndFontsOfScreenAndPrinter)
{
    HDC prn = CreateDCA("WINSPOOL", "PDF", nullptr, nullptr);
    ASSERT_NE(prn, nullptr) << "the PDF printer queue is missing";
    HDC screen = GetDC(nullptr);
    int num = 0, den = 0;
    EXPECT_EQ(VkeDrwGetDCScale(drw, prn, nullptr, &num, &den), 0);
    EXPECT_EQ(Pair(num, den), "300,96");
    EXPECT_EQ(VkeDrwGetDCScale(drw, screen, prn, &num, &den), -13);
    EXPECT_EQ(Pair(num, den), "0,1");
    EXPECT_EQ(VkeDrwGetDCScale(drw, nullptr, nullptr, &num, &den), -9);
    EXPECT_EQ(Traced(), 1); // -13 is expected
    int px = 0, pt = 0;
    EXPECT_EQ(VkeDrwChangePointToPixel(drw, screen, &px, -12), 0);
    EXPECT_EQ(VkeDrwChangePixelToPoint(drw, prn, &pt, 50), 0);
    EXPECT_EQ(Pair(px, pt), "16,12");
    EXPECT_EQ(VkeDrwChangePointToPixel(drw, nullptr, &px, 12), -9);

    LOGFONTA lf;
    EXPECT_EQ(VkeDrwGetLogFont(drw, nullptr, "ＭＳ ゴシック", 12, &lf), 0);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_STREQ(lf.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(VkeDrwGetLogFont(drw, prn, "ＭＳ ゴシック", 12, &lf), 0);
    EXPECT_EQ(lf.lfHeight, -50);
    std::string longest(31, 'F'), tooLong(32, 'F');
    EXPECT_EQ(VkeDrwGetLogFont(drw, nullptr, longest.c_str(), 10, &lf), 0); // no such face: no failure
    for (const char* bad : {"", tooLong.c_str(), static_cast<const char*>(nullptr)}) {
        lf.lfHeight = 5;
        EXPECT_EQ(VkeDrwGetLogFont(drw, nullptr, bad, 10, &lf), -9);
        EXPECT_EQ(lf.lfHeight, 0); // zeroed
    }

    // Scaled: the sign is kept, at least 1; a height of 0 comes from the font's metrics first.
    LOGFONTA src = {};
    strcpy(src.lfFaceName, "ＭＳ ゴシック");
    src.lfHeight = -16;
    src.lfWidth = 7;
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 3, 2), 0);
    EXPECT_EQ(Pair(lf.lfHeight, lf.lfWidth), "-24,10");
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 1, 1000), 0);
    EXPECT_EQ(Pair(lf.lfHeight, lf.lfWidth), "-1,1");
    src.lfHeight = 0;
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 1, 1), 0);
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 101, 1), -13);
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 1, 10000000), -13);
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 0, 1), -9);
    ReleaseDC(nullptr, screen);
    DeleteDC(prn);
}

TEST_F(Geo, CharacterCellAndSelectionsInBytes)
{
    // "日本語abc": bytes 0-1 日, 2-3 本, 4-5 語, then a b c.
    const char* text = "日本語abc";
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowA("EDIT", text, WS_CHILD, 0, 0, 200, 20, parent, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWN, 0, 30, 200, 100, parent, nullptr, nullptr,
                               nullptr);
    SetWindowTextA(combo, text);
    HWND label = CreateWindowA("STATIC", text, WS_CHILD, 0, 60, 200, 20, parent, nullptr, nullptr, nullptr);

    LOGFONTA lf = {};
    lf.lfHeight = -13;
    HFONT font = CreateFontIndirectA(&lf);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    int w = 0, h = 0;
    EXPECT_EQ(VkeDrwGetCharSize(drw, edit, &w, &h), 0);
    EXPECT_EQ(Pair(w, h), "6,13");
    EXPECT_EQ(VkeDrwGetCharSize(drw, label, &w, &h), -9); // a static answers no font
    EXPECT_EQ(Pair(w, h), "0,0");

    for (HWND ctl : {edit, combo}) {
        int s = -1, e = -1;
        ASSERT_EQ(VkeDrwSetSelectionCtl(drw, ctl, 2, 6), 0);
        ASSERT_EQ(VkeDrwGetSelectionCtl(drw, ctl, &s, &e), 0);
        EXPECT_EQ(Pair(s, e), "2,6");
        // The control itself holds "本語", whichever unit it counts in.
        HWND box = ctl == combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : ctl;
        DWORD cs = 0, ce = 0;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&cs), reinterpret_cast<LPARAM>(&ce));
        WCHAR wide[32] = {};
        GetWindowTextW(box, wide, 32);
        std::string sel(text + cs, ce - cs); // a control that counts bytes
        if (cs == 1) {
            char chars[16] = {};
            WideCharToMultiByte(CP_ACP, 0, wide + cs, static_cast<int>(ce - cs), chars, sizeof(chars), nullptr, nullptr);
            sel = chars;
        }
        EXPECT_EQ(sel, "本語");
        // Inside a double-byte character: its start. Past the end: the end. All: 0, -1.
        VkeDrwSetSelectionCtl(drw, ctl, 3, 100);
        VkeDrwGetSelectionCtl(drw, ctl, &s, &e);
        EXPECT_EQ(Pair(s, e), "2,9");
        VkeDrwSetSelectionCtl(drw, ctl, 0, -1);
        VkeDrwGetSelectionCtl(drw, ctl, &s, &e);
        EXPECT_EQ(Pair(s, e), "0,9");
    }
    int s = -1, e = -1;
    EXPECT_EQ(VkeDrwSetSelectionCtl(drw, label, 1, 2), 0);
    EXPECT_EQ(VkeDrwGetSelectionCtl(drw, label, &s, &e), 0);
    EXPECT_EQ(Pair(s, e), "0,0");
    DestroyWindow(parent);
    DeleteObject(font);
    EXPECT_EQ(VkeDrwGetSelectionCtl(drw, edit, &s, &e), -9);
    EXPECT_EQ(VkeDrwGetCharSize(drw, edit, &w, &h), -9);
}

namespace {

// The first edit of the test dialog asks, from its WM_SETFOCUS, for the focus to go to target.
struct Nested {
    VkiDrw* drw;
    HWND target;
    WNDPROC old;
    int calls, result;
    bool focusWasElsewhere;
} g_nested;

LRESULT CALLBACK NestingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETFOCUS && g_nested.target) {
        ++g_nested.calls;
        g_nested.focusWasElsewhere = GetFocus() != g_nested.target;
        g_nested.result = VkeDrwSetFocusWnd(g_nested.drw, g_nested.target);
    }
    return CallWindowProcA(g_nested.old, wnd, msg, wParam, lParam);
}

} // namespace

TEST_F(Geo, FocusMovesThroughDialogsAndDoesNotNest)
{
    // A dialog window (class #32770) with two edits, a plain window with one.
    HWND dialog = CreateWindowA("#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND first = CreateWindowA("EDIT", "1", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 99, 20, dialog, nullptr, nullptr,
                               nullptr);
    HWND second = CreateWindowA("EDIT", "2", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 30, 99, 20, dialog, nullptr,
                                nullptr, nullptr);
    HWND plain = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 400, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND other = CreateWindowA("EDIT", "日本語", WS_CHILD | WS_VISIBLE, 0, 0, 99, 20, plain, nullptr, nullptr, nullptr);
    SetForegroundWindow(plain);
    ASSERT_EQ(VkeDrwSetFocusWnd(drw, other), 0);
    EXPECT_EQ(GetFocus(), other);
    int a = -1, b = -1;
    VkeDrwGetSelectionCtl(drw, other, &a, &b);
    EXPECT_EQ(Pair(a, b), "0,6"); // the whole text selected, in bytes
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, other), 0); // already there
    ASSERT_EQ(VkeDrwSetFocusWnd(drw, first), 0);
    EXPECT_EQ(GetFocus(), first);
    ASSERT_EQ(VkeDrwSetFocusWnd(drw, other), 0); // the dialog left keeps its first edit as its focus
    EXPECT_EQ(GetFocus(), other);

    // Entering the dialog gives its remembered edit the focus first; that edit's WM_SETFOCUS asks
    // for the focus to go where it is already going: the nested call does nothing.
    g_nested = {drw, second, nullptr, 0, 99, false};
    g_nested.old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NestingProc)));
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, second), 0);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(g_nested.calls, 1);
    EXPECT_TRUE(g_nested.focusWasElsewhere);
    EXPECT_EQ(g_nested.result, 0);
    g_nested.target = nullptr;
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, first), 0); // the guard is gone once the call returned
    EXPECT_EQ(GetFocus(), first);
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, nullptr), -9);
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, reinterpret_cast<HWND>(0x12345)), -9);

    // The first visible and enabled control in the tab order.
    HWND got = nullptr;
    EXPECT_EQ(VkeDrwGetFstFcsCtlHandle(drw, dialog, &got), 0);
    EXPECT_EQ(got, first);
    ShowWindow(first, SW_HIDE);
    EXPECT_EQ(VkeDrwGetFstFcsCtlHandle(drw, dialog, &got), 0);
    EXPECT_EQ(got, second);
    EnableWindow(second, FALSE);
    int traced = Traced();
    EXPECT_EQ(VkeDrwGetFstFcsCtlHandle(drw, dialog, &got), -12);
    EXPECT_EQ(got, nullptr);
    EXPECT_EQ(Traced(), traced); // -12 is expected
    SetWindowLongPtrA(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_nested.old));
    DestroyWindow(dialog);
    DestroyWindow(plain);
}
