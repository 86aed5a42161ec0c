// Geometry, device-context scale, fonts, and the selection and focus helpers on real windows.
#include "VktDrw.h"
#include <math.h>
#include <string.h>
#include <string>

namespace {

using Geo = VktDrwSysFixture;

const double kPi = 3.141592653589793;
const double kNaN = nan("");

struct Pt {
    int x, y;
};

} // namespace

TEST_F(Geo, RotationScalingAndDistance)
{
    struct Row {
        double angle;
        int yUp;
        Pt from, to;
    } rows[] = {
        {90, 1, {1, 0}, {0, 1}},      // counter-clockwise with y up
        {90, 0, {1, 0}, {0, -1}},     // counter-clockwise as seen on a y-down screen
        {-90, 0, {1, 0}, {0, 1}},
        {180, 1, {3, -2}, {-3, 2}},
        {360, 0, {5, 7}, {5, 7}},
        {45, 1, {10, 0}, {7, 7}},     // 7.07 each
        {135, 1, {10, 0}, {-7, 7}},   // -7.07 rounds away from zero too
    };
    for (const Row& r : rows) {
        int x = r.from.x, y = r.from.y;
        ASSERT_EQ(VkeDrwRotatePoint(drw, r.angle, 0, 0, &x, &y, 1, r.yUp), 0);
        EXPECT_EQ(x, r.to.x) << r.angle << " " << r.yUp;
        EXPECT_EQ(y, r.to.y) << r.angle << " " << r.yUp;
    }
    // About a centre, several points at once.
    int xs[2] = {11, 10}, ys[2] = {20, 21};
    ASSERT_EQ(VkeDrwRotatePoint(drw, 90, 10, 20, xs, ys, 2, 1), 0);
    EXPECT_EQ(xs[0], 10);
    EXPECT_EQ(ys[0], 21);
    EXPECT_EQ(xs[1], 9);
    EXPECT_EQ(ys[1], 20);
    for (double bad : {360.5, -361.0, kNaN}) EXPECT_EQ(VkeDrwRotatePoint(drw, bad, 0, 0, xs, ys, 2, 1), -9);
    EXPECT_EQ(VkeDrwRotatePoint(drw, 0, 0, 0, xs, ys, 0, 1), -9);
    EXPECT_EQ(VkeDrwRotatePoint(drw, 0, 0, 0, xs, ys, 1, 2), -9);
    EXPECT_EQ(VkeDrwRotatePoint(drw, 0, 0, 0, nullptr, ys, 1, 1), -9);

    // Halves round away from zero, negatives included.
    int sx[3] = {3, -3, -5}, sy[3] = {1, -1, 4};
    ASSERT_EQ(VkeDrwScalePoint(drw, 1, 2, sx, sy, 3), 0);
    EXPECT_EQ(sx[0], 2);
    EXPECT_EQ(sx[1], -2);
    EXPECT_EQ(sx[2], -3);
    EXPECT_EQ(sy[1], -1);
    EXPECT_EQ(sy[2], 2);
    EXPECT_EQ(VkeDrwScalePoint(drw, 0, 2, sx, sy, 3), -9);
    EXPECT_EQ(VkeDrwScalePoint(drw, 1, 0, sx, sy, 3), -9);

    int d = 0;
    EXPECT_EQ(VkeDrwGetDistance(drw, &d, 0, 0, 3, -4), 0);
    EXPECT_EQ(d, 5);
    VkeDrwGetDistance(drw, &d, 0, 0, 1, 2); // 2.24
    EXPECT_EQ(d, 2);
    VkeDrwGetDistance(drw, &d, 0, 0, 3, 3); // 4.24
    EXPECT_EQ(d, 4);
    VkeDrwGetDistance(drw, &d, -2147483647, 0, 2147483647, 0); // beyond int: held at the largest
    EXPECT_EQ(d, 2147483647);
}

TEST_F(Geo, AnglesAndDirections)
{
    double v = 0;
    EXPECT_EQ(VkeDrwChangeRadToAng(drw, &v, 7), -9); // written all the same
    EXPECT_NEAR(v, 401.07, 0.01);
    EXPECT_EQ(VkeDrwChangeRadToAng(drw, &v, kPi), 0);
    EXPECT_NEAR(v, 180, 1e-9);
    EXPECT_EQ(VkeDrwChangeRadToAng(drw, &v, kNaN), -9);
    v = 5;
    for (double bad : {360.5, -361.0, kNaN}) EXPECT_EQ(VkeDrwChangeAngToRad(drw, &v, bad), -9);
    EXPECT_EQ(v, 5); // nothing written
    EXPECT_EQ(VkeDrwChangeAngToRad(drw, &v, -360), 0);
    EXPECT_NEAR(v, -2 * kPi, 1e-12);

    struct Slope {
        Pt to;
        double angle;
    } slopes[] = {{{0, 0}, 0}, {{5, 0}, 0}, {{0, 5}, 90}, {{-5, 0}, 180}, {{0, -5}, 270}, {{5, -5}, 315}};
    for (const Slope& s : slopes) {
        ASSERT_EQ(VkeDrwChangeSlpToAng(drw, &v, 0, 0, s.to.x, s.to.y), 0);
        EXPECT_NEAR(v, s.angle, 1e-9) << s.to.x << "," << s.to.y;
    }

    // Directions from (0, 0): mode 8 and 4, on the screen (y down) and with y up. The diagonals
    // lie on sector bounds, which belong to the sector above them.
    struct Dir {
        Pt to;
        int screen8, screen4, up8, up4;
    } dirs[] = {
        {{10, 0}, 4, 4, 4, 4},    // due right: 360 on the screen counts as 0
        {{0, 0}, 4, 4, 4, 4},     // equal points
        {{10, -10}, 6, 1, 8, 4},  // 45 on the screen, 315 with y up
        {{0, -10}, 1, 1, 2, 2},
        {{-10, -10}, 5, 3, 7, 2}, // 135 / 225
        {{-10, 0}, 3, 3, 3, 3},
        {{-10, 10}, 7, 2, 5, 3},  // 225 / 135
        {{0, 10}, 2, 2, 1, 1},
        {{10, 10}, 8, 4, 6, 1},   // 315 / 45
        {{10, -4}, 4, 4, 4, 4},   // 21.8 / 338.2
        {{10, -5}, 6, 4, 8, 4},   // 26.6 / 333.4
    };
    for (const Dir& d : dirs) {
        int got[4] = {};
        VkeDrwGetDirection(drw, &got[0], 8, 0, 0, d.to.x, d.to.y, 0);
        VkeDrwGetDirection(drw, &got[1], 4, 0, 0, d.to.x, d.to.y, 0);
        VkeDrwGetDirection(drw, &got[2], 8, 0, 0, d.to.x, d.to.y, 1);
        VkeDrwGetDirection(drw, &got[3], 4, 0, 0, d.to.x, d.to.y, 1);
        EXPECT_EQ(got[0], d.screen8) << d.to.x << "," << d.to.y;
        EXPECT_EQ(got[1], d.screen4) << d.to.x << "," << d.to.y;
        EXPECT_EQ(got[2], d.up8) << d.to.x << "," << d.to.y;
        EXPECT_EQ(got[3], d.up4) << d.to.x << "," << d.to.y;
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
    EXPECT_EQ(num, 300);
    EXPECT_EQ(den, 96);
    EXPECT_EQ(VkeDrwGetDCScale(drw, screen, prn, &num, &den), -13);
    EXPECT_EQ(num, 0);
    EXPECT_EQ(den, 1);
    EXPECT_EQ(VkeDrwGetDCScale(drw, nullptr, nullptr, &num, &den), -9);
    EXPECT_EQ(Traced(), 1); // -13 is expected

    int px = 0;
    EXPECT_EQ(VkeDrwChangePointToPixel(drw, screen, &px, -12), 0);
    EXPECT_EQ(px, 16);
    EXPECT_EQ(VkeDrwChangePixelToPoint(drw, prn, &px, 50), 0);
    EXPECT_EQ(px, 12);
    EXPECT_EQ(VkeDrwChangePointToPixel(drw, nullptr, &px, 12), -9);

    LOGFONTA lf;
    EXPECT_EQ(VkeDrwGetLogFont(drw, nullptr, "ＭＳ ゴシック", 12, &lf), 0);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_STREQ(lf.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(VkeDrwGetLogFont(drw, prn, "ＭＳ ゴシック", 12, &lf), 0);
    EXPECT_EQ(lf.lfHeight, -50);
    EXPECT_EQ(VkeDrwGetLogFont(drw, nullptr, "No Such Face", 10, &lf), 0);
    std::string longest(31, 'F'), tooLong(32, 'F');
    EXPECT_EQ(VkeDrwGetLogFont(drw, nullptr, longest.c_str(), 10, &lf), 0);
    for (const char* bad : {"", tooLong.c_str()}) {
        lf.lfHeight = 5;
        EXPECT_EQ(VkeDrwGetLogFont(drw, nullptr, bad, 10, &lf), -9);
        EXPECT_EQ(lf.lfHeight, 0); // zeroed
    }
    EXPECT_EQ(VkeDrwGetLogFont(drw, nullptr, nullptr, 10, &lf), -9);

    // Scaled: the sign is kept, at least 1; a height of 0 comes from the font's metrics first.
    LOGFONTA src = {};
    strcpy(src.lfFaceName, "ＭＳ ゴシック");
    src.lfHeight = -16;
    src.lfWidth = 7;
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 3, 2), 0);
    EXPECT_EQ(lf.lfHeight, -24);
    EXPECT_EQ(lf.lfWidth, 10);
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 1, 1000), 0);
    EXPECT_EQ(lf.lfHeight, -1);
    EXPECT_EQ(lf.lfWidth, 1);
    src.lfHeight = 0;
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 1, 1), 0);
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 101, 1), -13);
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 1, 10000000), -13);
    EXPECT_EQ(VkeDrwGetLogFontSca(drw, &lf, &src, 0, 1), -9);
    ReleaseDC(nullptr, screen);
    DeleteDC(prn);
}

TEST_F(Geo, CharacterCellOfAWindowsFont)
{
    HWND edit = CreateWindowA("EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    LOGFONTA lf = {};
    lf.lfHeight = -13;
    strcpy(lf.lfFaceName, "ＭＳ ゴシック");
    HFONT font = CreateFontIndirectA(&lf);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    int w = 0, h = 0;
    EXPECT_EQ(VkeDrwGetCharSize(drw, edit, &w, &h), 0);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(h, 13);
    HWND plain = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(VkeDrwGetCharSize(drw, plain, &w, &h), -9); // answers no font
    EXPECT_EQ(w, 0);
    DestroyWindow(plain);
    DestroyWindow(edit);
    EXPECT_EQ(VkeDrwGetCharSize(drw, edit, &w, &h), -9);
    DeleteObject(font);
}

TEST_F(Geo, SelectionsAreBytesOfTheShiftJisText)
{
    // "日本語abc": bytes 0-1 日, 2-3 本, 4-5 語, then a b c.
    const char* text = "日本語abc";
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowA("EDIT", text, WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, parent, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 30, 200, 100, parent, nullptr,
                               nullptr, nullptr);
    SetWindowTextA(combo, text);
    HWND label = CreateWindowA("STATIC", text, WS_CHILD, 0, 60, 200, 20, parent, nullptr, nullptr, nullptr);
    for (HWND ctl : {edit, combo}) {
        int s = -1, e = -1;
        ASSERT_EQ(VkeDrwSetSelectionCtl(drw, ctl, 2, 6), 0);
        ASSERT_EQ(VkeDrwGetSelectionCtl(drw, ctl, &s, &e), 0);
        EXPECT_EQ(s, 2);
        EXPECT_EQ(e, 6);
        // The control itself holds "本語", whichever unit it counts in.
        HWND box = ctl == combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : ctl;
        DWORD cs = 0, ce = 0;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&cs), reinterpret_cast<LPARAM>(&ce));
        WCHAR wide[32] = {};
        GetWindowTextW(box, wide, 32);
        char sel[16] = {};
        WideCharToMultiByte(CP_ACP, 0, wide + cs, static_cast<int>(ce - cs), sel, sizeof(sel), nullptr, nullptr);
        if (cs == 2) strcpy(sel, std::string(text + cs, ce - cs).c_str()); // a control that counts bytes
        EXPECT_STREQ(sel, "本語");
        // Inside a double-byte character: its start. Past the end: the end. All: 0, -1.
        VkeDrwSetSelectionCtl(drw, ctl, 3, 100);
        VkeDrwGetSelectionCtl(drw, ctl, &s, &e);
        EXPECT_EQ(s, 2);
        EXPECT_EQ(e, 9);
        VkeDrwSetSelectionCtl(drw, ctl, 0, -1);
        VkeDrwGetSelectionCtl(drw, ctl, &s, &e);
        EXPECT_EQ(s, 0);
        EXPECT_EQ(e, 9);
    }
    int s = -1, e = -1;
    EXPECT_EQ(VkeDrwSetSelectionCtl(drw, label, 1, 2), 0);
    EXPECT_EQ(VkeDrwGetSelectionCtl(drw, label, &s, &e), 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 0);
    DestroyWindow(parent);
    EXPECT_EQ(VkeDrwGetSelectionCtl(drw, edit, &s, &e), -9);
}

namespace {

// A dialog window (class #32770) with two edits, and a plain window with one; the first edit of
// the dialog may run a nested focus call from its WM_SETFOCUS.
struct FocusScene {
    FocusScene()
    {
        dialog = CreateWindowA("#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        first = CreateWindowA("EDIT", "first", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 20, dialog, nullptr,
                              nullptr, nullptr);
        second = CreateWindowA("EDIT", "second", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 30, 100, 20, dialog, nullptr,
                               nullptr, nullptr);
        plain = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 400, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        other = CreateWindowA("EDIT", "日本語", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, plain, nullptr, nullptr, nullptr);
    }
    ~FocusScene()
    {
        DestroyWindow(dialog);
        DestroyWindow(plain);
    }
    HWND dialog, first, second, plain, other;
};

struct Nested {
    VkiDrw* drw;
    HWND target;
    WNDPROC old;
    int calls = 0, result = 99;
    bool focusWasElsewhere = false;
};
Nested* g_nested = nullptr;

LRESULT CALLBACK NestingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETFOCUS && g_nested && g_nested->target) {
        ++g_nested->calls;
        g_nested->focusWasElsewhere = GetFocus() != g_nested->target;
        g_nested->result = VkeDrwSetFocusWnd(g_nested->drw, g_nested->target);
    }
    return CallWindowProcA(g_nested->old, wnd, msg, wParam, lParam);
}

} // namespace

TEST_F(Geo, FocusMovesThroughDialogsAndDoesNotNest)
{
    FocusScene s;
    SetForegroundWindow(s.plain);
    ASSERT_EQ(VkeDrwSetFocusWnd(drw, s.other), 0);
    EXPECT_EQ(GetFocus(), s.other);
    int a = -1, b = -1;
    VkeDrwGetSelectionCtl(drw, s.other, &a, &b);
    EXPECT_EQ(a, 0); // the whole text selected, in bytes
    EXPECT_EQ(b, 6);
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, s.other), 0); // already there

    ASSERT_EQ(VkeDrwSetFocusWnd(drw, s.first), 0);
    EXPECT_EQ(GetFocus(), s.first);
    ASSERT_EQ(VkeDrwSetFocusWnd(drw, s.other), 0); // the dialog keeps its first edit as its focus
    EXPECT_EQ(GetFocus(), s.other);

    // Entering the dialog gives its remembered edit the focus first; that edit's WM_SETFOCUS asks
    // for the focus to go where it is already going: the nested call does nothing.
    Nested nested = {drw, s.second, nullptr};
    nested.old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(s.first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NestingProc)));
    g_nested = &nested;
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, s.second), 0);
    EXPECT_EQ(GetFocus(), s.second);
    EXPECT_EQ(nested.calls, 1);
    EXPECT_TRUE(nested.focusWasElsewhere);
    EXPECT_EQ(nested.result, 0);
    nested.target = nullptr;
    // The guard is gone once the call returned.
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, s.first), 0);
    EXPECT_EQ(GetFocus(), s.first);
    g_nested = nullptr;
    SetWindowLongPtrA(s.first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(nested.old));

    EXPECT_EQ(VkeDrwSetFocusWnd(drw, nullptr), -9);
    EXPECT_EQ(VkeDrwSetFocusWnd(drw, reinterpret_cast<HWND>(0x12345)), -9);
}

TEST_F(Geo, FirstFocusableControl)
{
    FocusScene s;
    HWND got = nullptr;
    EXPECT_EQ(VkeDrwGetFstFcsCtlHandle(drw, s.dialog, &got), 0);
    EXPECT_EQ(got, s.first);
    ShowWindow(s.first, SW_HIDE);
    EXPECT_EQ(VkeDrwGetFstFcsCtlHandle(drw, s.dialog, &got), 0);
    EXPECT_EQ(got, s.second);
    EnableWindow(s.second, FALSE);
    EXPECT_EQ(VkeDrwGetFstFcsCtlHandle(drw, s.dialog, &got), -12);
    EXPECT_EQ(got, nullptr);
    EXPECT_EQ(VkeDrwGetFstFcsCtlHandle(drw, nullptr, &got), -9);
    EXPECT_EQ(Traced(), 1); // -12 is expected
}
