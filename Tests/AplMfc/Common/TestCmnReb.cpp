// The rebar: its band, font and colours (in the control and on the screen), the settings of its
// window kind applied only where they changed, and no font or brush left behind.
#include "TestCmnBar.h"

namespace {

const COLORREF kText = RGB(200, 0, 0);
const COLORREF kBack = RGB(0, 0, 160);

// Whether the colour shows somewhere in the rectangle of the window, after a full repaint.
bool Shows(HWND wnd, const CRect& area, COLORREF color)
{
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = ::GetDC(wnd);
    bool found = false;
    for (int y = area.top; y < area.bottom && !found; ++y)
        for (int x = area.left; x < area.right && !found; ++x) found = ::GetPixel(dc, x, y) == color;
    ::ReleaseDC(wnd, dc);
    return found;
}

} // namespace

class RebTest : public BarTest {
protected:
    TestReb& Reb() { return bars->m_wndReBar; }
    int Init() { return Reb().Init(&bars->m_wndBandBar, kText, kBack, "帯", RBBS_GRIPPERALWAYS); }
    // The band's part before its bar: gripper and text.
    CRect Header()
    {
        CRect band, bar;
        Reb().SendMessage(RB_GETRECT, 0, reinterpret_cast<LPARAM>(&band));
        bars->m_wndBandBar.GetWindowRect(&bar);
        Reb().ScreenToClient(&bar);
        return CRect(band.left, band.top, bar.left, band.bottom);
    }
    // Colour and font texts of the rebar's window kind in the settings.
    void SetKind(COLORREF text, COLORREF back, const char* face, int points)
    {
        LOGFONTA font = {};
        ASSERT_EQ(VkeDrwGetLogFont(theCmnAppInf.pDrw, nullptr, face, points, &font), 0);
        ASSERT_EQ(theCmnSub.SetColor(theCmnAppInf.strColor[6], CmnPathSize, text), 0); // strColor_7
        ASSERT_EQ(theCmnSub.SetColor(theCmnAppInf.strColor[7], CmnPathSize, back), 0); // strColor_8
        ASSERT_EQ(theCmnSub.SetFont(theCmnAppInf.strFont[1], CmnPathSize, &font), 0);  // strFont_2
    }
};

TEST_F(RebTest, InitAddsTheBarAsABand)
{
    COLORREF color = 0;
    const struct {
        const char* name;
        int rc;
    } idle[] = {{"SetTextColor", Reb().SetTextColor(kText)}, {"GetBackColor", Reb().GetBackColor(&color)},
                {"SetFont", Reb().SetFont("ＭＳ ゴシック", 9)}, {"Redraw", Reb().Redraw(0)}};
    for (const auto& call : idle) {
        EXPECT_EQ(call.rc, -6) << call.name;
        EXPECT_TRUE(Traced(call.name)) << call.name;
    }
    EXPECT_EQ(Reb().SendMessage(CmnWmChgOpt), 0);

    EXPECT_EQ(Reb().Init(nullptr, kText, kBack, nullptr, 0), -9);
    EXPECT_EQ(Init(), 0);
    EXPECT_EQ(Init(), -7);
    EXPECT_EQ(Reb().SendMessage(RB_GETBANDCOUNT), 1);
    EXPECT_EQ(::GetParent(bars->m_wndBandBar.m_hWnd), Reb().m_hWnd);
    EXPECT_TRUE(Shows(Reb().m_hWnd, Header(), kText)); // the band's text
    Reb().DestroyWindow();
    EXPECT_FALSE(Reb().IsInit());
}

TEST_F(RebTest, ColoursReachTheControlTheBandAndTheScreen)
{
    ASSERT_EQ(Init(), 0);
    const COLORREF text = RGB(0, 150, 0), back = RGB(250, 240, 0);
    EXPECT_EQ(Reb().SetTextColor(text), 0);
    EXPECT_EQ(Reb().SetBackColor(back), 0);
    COLORREF out = 0;
    EXPECT_EQ(Reb().GetTextColor(&out), 0);
    EXPECT_EQ(out, text);
    EXPECT_EQ(Reb().GetBackColor(&out), 0);
    EXPECT_EQ(out, back);
    LOGBRUSH brush = {};
    ASSERT_TRUE(::GetObjectA(Reb().Brush(), sizeof(brush), &brush));
    EXPECT_EQ(brush.lbColor, back);
    // The band follows: its text shows in the new colour.
    REBARBANDINFOA band = {};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_COLORS;
    ASSERT_TRUE(Reb().SendMessage(RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band)));
    EXPECT_EQ(band.clrFore, text);
    EXPECT_EQ(band.clrBack, back);
    EXPECT_TRUE(Shows(Reb().m_hWnd, Header(), text));
    EXPECT_FALSE(Shows(Reb().m_hWnd, Header(), kText));

    EXPECT_EQ(Reb().GetTextColor(nullptr), -9);
    EXPECT_EQ(Reb().Redraw(2), -9);
    EXPECT_EQ(Reb().Redraw(1), 0);
}

TEST_F(RebTest, FontFromFaceOrRecord)
{
    ASSERT_EQ(Init(), 0);
    EXPECT_EQ(Reb().SetFont("ＭＳ Ｐゴシック", 12), 0);
    char face[LF_FACESIZE] = {};
    EXPECT_EQ(Reb().GetFontName(face, sizeof(face)), 0);
    EXPECT_STREQ(face, "ＭＳ Ｐゴシック");
    EXPECT_EQ(Reb().GetFontName(face, 3), -13); // cut before the second character
    EXPECT_STREQ(face, "Ｍ");
    int points = 0;
    EXPECT_EQ(Reb().GetFontSize(&points), 0);
    EXPECT_EQ(points, 12);
    EXPECT_EQ(reinterpret_cast<HFONT>(Reb().SendMessage(WM_GETFONT)), Reb().Font());

    // A height of 0 becomes the font's real character height.
    LOGFONTA font = {};
    snprintf(font.lfFaceName, sizeof(font.lfFaceName), "ＭＳ ゴシック");
    font.lfCharSet = SHIFTJIS_CHARSET;
    EXPECT_EQ(Reb().SetFontByLogFont(&font), 0);
    LOGFONTA kept = {};
    EXPECT_EQ(Reb().GetLogFont(&kept), 0);
    EXPECT_LT(kept.lfHeight, 0);
    EXPECT_STREQ(kept.lfFaceName, font.lfFaceName);

    for (int rc : {Reb().SetFontByLogFont(nullptr), Reb().GetLogFont(nullptr), Reb().GetFontSize(nullptr),
                   Reb().GetFontName(face, 0), Reb().GetFontName(nullptr, 8)})
        EXPECT_EQ(rc, -9);
}

TEST_F(RebTest, ChangedSettingsApplyWhatDiffers)
{
    ASSERT_EQ(Init(), 0);
    SetKind(RGB(10, 20, 30), RGB(200, 210, 220), "ＭＳ ゴシック", 11);
    EXPECT_EQ(Reb().SendMessage(CmnWmChgOpt), 1);
    COLORREF text = 0, back = 0;
    Reb().GetTextColor(&text);
    Reb().GetBackColor(&back);
    EXPECT_EQ(text, RGB(10, 20, 30));
    EXPECT_EQ(back, RGB(200, 210, 220));
    int points = 0;
    Reb().GetFontSize(&points);
    EXPECT_EQ(points, 11);

    // The same settings again: nothing is made anew.
    HFONT font = Reb().Font();
    HBRUSH brush = Reb().Brush();
    EXPECT_EQ(Reb().SendMessage(CmnWmChgOpt), 1);
    EXPECT_EQ(Reb().Font(), font);
    EXPECT_EQ(Reb().Brush(), brush);
    // Only the text colour changed: only it is applied.
    SetKind(RGB(40, 50, 60), RGB(200, 210, 220), "ＭＳ ゴシック", 11);
    EXPECT_EQ(Reb().SendMessage(CmnWmChgOpt), 1);
    Reb().GetTextColor(&text);
    EXPECT_EQ(text, RGB(40, 50, 60));
    EXPECT_EQ(Reb().Font(), font);
    EXPECT_EQ(Reb().Brush(), brush);
    EXPECT_EQ(Traces().size(), 0u);
}

TEST_F(RebTest, FontAndBrushGoWithTheRebar)
{
    CWnd child[4];
    DWORD before = 0;
    for (int round = 0; round < 4; ++round) {
        if (round == 1) before = VktGdiObjects(); // every path once before counting
        TestReb reb;
        ASSERT_TRUE(reb.Create(bars));
        ASSERT_TRUE(child[round].Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), bars, 0x900 + round));
        ASSERT_EQ(reb.Init(&child[round], kText, kBack, nullptr, 0), 0);
        EXPECT_EQ(reb.SetFont("ＭＳ ゴシック", 9 + round), 0);
        EXPECT_EQ(reb.SetFont("ＭＳ ゴシック", 10 + round), 0);
        EXPECT_EQ(reb.SetBackColor(RGB(round, 0, 0)), 0);
        EXPECT_EQ(reb.SetBackColor(RGB(0, round, 0)), 0);
        if (round % 2) reb.DestroyWindow(); // else the object's end takes the window
    }
    PumpPending();
    EXPECT_EQ(VktGdiObjects(), before);
}
