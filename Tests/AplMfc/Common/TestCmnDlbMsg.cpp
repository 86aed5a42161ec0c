// The docked panel's messages: Return handed over as the message loop does, the context menu,
// the focus lookup, changed settings and the panel's colours, and what a panel holds.
#include "TestCmnDlb.h"
#include "TestCmnDlg.h"
#include "CmnWin.h"

namespace {

// A key as the message loop hands it over: the application's filters first, then the window.
void Key(HWND focus, UINT vk)
{
    MSG msg = {focus, WM_KEYDOWN, vk, 1, 0, {0, 0}};
    if (!AfxGetApp()->PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    PumpPending();
}

std::string Text(HWND wnd)
{
    char text[256] = {};
    ::GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

} // namespace

TEST_F(DlbTest, ReturnChecksThePanelAndNeverPressesItsDefaultButton)
{
    TestPnl& p = frame->left;
    HWND intEdit = p.Item(IDC_P_INT), memo = p.Item(IDC_P_MEMO);
    frame->SetForegroundWindow();
    TypeInto(intEdit, "abc");
    FocusItem(p.m_hWnd, p.Item(IDC_P_COMBO));
    {
        VktMsgBox answer({IDOK});
        Key(::GetFocus(), VK_RETURN);
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_EQ(answer.Seen()[0].text, std::string(theCmnSub.GetMsgStr(VKE_ERR_INT)));
    }
    PumpPending();
    EXPECT_EQ(::GetFocus(), intEdit);

    // In the multi-line edit the key is kept from it; with valid values nothing shows.
    TypeInto(memo, "a");
    Key(memo, VK_RETURN);
    EXPECT_EQ(Text(memo), "a");
    TypeInto(intEdit, "12");
    FocusItem(p.m_hWnd, p.Item(IDC_P_COMBO));
    {
        VktMsgBox answer({IDOK});
        Key(::GetFocus(), VK_RETURN);
        EXPECT_EQ(answer.Count(), 0);
    }
    EXPECT_EQ(p.presses, 0);
    EXPECT_EQ(p.CheckData(nullptr), 0);
    EXPECT_EQ(p.CheckData(p.Ctl(0)), 0) << "one control's check";

    // The focus in the combo box's edit: the panel is the focused one.
    CWnd* found = nullptr;
    int is = 0;
    FocusItem(p.m_hWnd, p.Item(IDC_P_COMBO));
    EXPECT_EQ(theCmnWin.IsExistFcsDlg(&found, &is), p.Item(IDC_P_COMBO));
    EXPECT_EQ(found, &p);
    EXPECT_EQ(is, 1);

    // No combo box keeps its text selected.
    HWND combo = p.Item(IDC_P_COMBO);
    ::SetWindowTextA(combo, "abc");
    ::SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    EXPECT_EQ(p.ClearComboSel(), 0);
    DWORD start = 0, end = 0;
    ::SendMessageA(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
}

TEST_F(DlbTest, TheRightButtonOpensThePanelsMenu)
{
    TestPnl& p = frame->left;
    VktMenuCloser closer;
    p.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    p.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(closer.Count(), 1);
    EXPECT_TRUE(::IsChild(p.m_hWnd, ::GetFocus()) || ::GetFocus() == p.m_hWnd);
    ASSERT_EQ(p.SetMenuHandle(nullptr), 0);
    p.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(closer.Count(), 1) << "no menu, none shown";
}

TEST_F(DlbTest, ChangedSettingsGiveThePanelItsColoursAndFontOnlyWhereTheyDiffer)
{
    TestPnl& p = frame->left;
    CmnAppInf& inf = theCmnAppInf;
    ASSERT_EQ(theCmnSub.SetColor(inf.strColor[8], CmnPathSize, RGB(10, 20, 30)), 0);  // strColor_9
    ASSERT_EQ(theCmnSub.SetColor(inf.strColor[9], CmnPathSize, RGB(200, 210, 220)), 0); // strColor_10
    LOGFONTA font = {};
    ASSERT_EQ(theCmnSub.GetFont(inf.strFont[2], &font), 0); // strFont_3
    font.lfHeight = font.lfHeight < 0 ? font.lfHeight - 3 : -18;
    ASSERT_EQ(theCmnSub.SetFont(inf.strFont[2], CmnPathSize, &font), 0);
    ASSERT_EQ(theCmnSub.GetFont(inf.strFont[2], &font), 0);

    EXPECT_EQ(p.SendMessage(CmnWmChgOpt), 1);
    COLORREF color = 0;
    p.GetTextColor(&color);
    EXPECT_EQ(color, RGB(10, 20, 30));
    p.GetBackColor(&color);
    EXPECT_EQ(color, RGB(200, 210, 220));
    LOGFONTA now = {};
    p.GetLogFont(&now);
    EXPECT_EQ(now.lfHeight, font.lfHeight);
    HFONT given = reinterpret_cast<HFONT>(p.SendMessage(WM_GETFONT));
    EXPECT_NE(given, nullptr);
    EXPECT_EQ(p.SendMessage(CmnWmChgOpt), 1);
    EXPECT_EQ(reinterpret_cast<HFONT>(p.SendMessage(WM_GETFONT)), given) << "an unchanged font is not made again";

    // The panel's own ground: its brush and colours.
    HDC dc = ::GetDC(p.m_hWnd);
    LRESULT brush = p.SendMessage(WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(p.m_hWnd));
    LOGBRUSH info = {};
    ASSERT_NE(brush, 0);
    ::GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof(info), &info);
    EXPECT_EQ(info.lbColor, RGB(200, 210, 220));
    EXPECT_EQ(::GetTextColor(dc), RGB(10, 20, 30));
    ::ReleaseDC(p.m_hWnd, dc);
}

// A panel gives back everything it holds when it ends, however often it is made.
TEST_F(DlbTest, APanelLeavesNoObjectsBehind)
{
    auto round = [this] {
        TestPnl p;
        ASSERT_TRUE(p.Create(frame, IDD_TPNL, WS_CHILD | CBRS_TOP, ID_P_SMALL));
        ASSERT_EQ(p.Start(), 0);
        ASSERT_EQ(p.SetFont("ＭＳ ゴシック", 12), 0);
        ASSERT_EQ(p.SetBackColor(RGB(1, 2, 3)), 0);
        p.SendMessage(CmnWmChgOpt);
        p.DestroyWindow();
        EXPECT_EQ(p.IsInit(), 0);
        PumpPending();
    };
    round();
    DWORD before = VktGdiObjects();
    round();
    round();
    EXPECT_EQ(VktGdiObjects(), before);
}
