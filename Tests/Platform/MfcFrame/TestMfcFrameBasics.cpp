// The frame and its bars as objects: title, menu and accelerators from the resources, a tool
// bar resource that is missing, a dialog bar's initialisation, bars that lie on the frame
// itself (a dialog bar from a popup template, a rebar), status panes, and no GDI leak.
#include "TestMfcFrameApp.h"
#include "VktSupport.h"

TEST_F(FrameTest, TitleMenuAndAccelerators)
{
    char text[64] = {};
    frame->GetWindowText(text, sizeof(text));
    EXPECT_STREQ(text, "枠テスト"); // the string's part before "\n"
    EXPECT_NE(::GetMenu(hFrame), nullptr);
    EXPECT_NE(frame->m_hAccelTable, nullptr);
    EXPECT_TRUE(frame->GetStyle() & FWS_PREFIXTITLE);

    frame->UpdateFrameTitleForDocument("写真.jpg");
    frame->GetWindowText(text, sizeof(text));
    EXPECT_STREQ(text, "写真.jpg - 枠テスト");
    frame->ModifyStyle(FWS_PREFIXTITLE, 0);
    frame->UpdateFrameTitleForDocument("写真.jpg");
    frame->GetWindowText(text, sizeof(text));
    EXPECT_STREQ(text, "枠テスト - 写真.jpg");
    frame->SetTitle("表ソ");
    EXPECT_EQ(frame->GetTitle(), CString("表ソ"));
    Idle(); // the caption follows at idle time
    frame->GetWindowText(text, sizeof(text));
    EXPECT_STREQ(text, "表ソ");
}

TEST_F(FrameTest, ResourcesAndInitialisationOfBars)
{
    CToolBar& tool = frame->m_wndToolBar;
    EXPECT_EQ(tool.GetCount(), 10);
    EXPECT_EQ(tool.GetItemID(3), static_cast<UINT>(ID_SEPARATOR));
    EXPECT_EQ(tool.CommandToIndex(ID_TEST_CHECK), 8);
    EXPECT_FALSE(tool.LoadToolBar(IDR_MISSING));
    EXPECT_EQ(tool.GetCount(), 10);

    // The dialog bar's own WM_INITDIALOG entry ran the framework's, which filled the controls.
    EXPECT_TRUE(frame->m_wndBar1.m_bInitDone);
    EXPECT_EQ(frame->m_wndBar1.m_edit.m_hWnd, ::GetDlgItem(frame->m_wndBar1.m_hWnd, IDC_BAR_EDIT1));
    EXPECT_EQ(frame->m_wndBar1.GetParentFrame(), frame);
    char cls[16] = {};
    ::GetClassNameA(frame->m_wndBar1.m_hWnd, cls, sizeof(cls));
    EXPECT_STREQ(cls, "#32770");
    EXPECT_NE(::GetFocus(), ::GetDlgItem(frame->m_wndBar1.m_hWnd, IDC_BAR_EDIT1)); // made without taking the focus
}

TEST_F(FrameTest, BarsOnTheFrameComeBeforeTheDockBars)
{
    // A popup template becomes a child bar; aligned at the top it lies above the dock bars.
    CDialogBar* small = new CDialogBar;
    small->m_bAutoDelete = TRUE;
    ASSERT_TRUE(small->Create(frame, IDD_TEST_SMALLBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_SMALLBAR));
    EXPECT_TRUE(small->GetStyle() & WS_CHILD);
    EXPECT_FALSE(small->GetStyle() & (WS_CAPTION | WS_POPUP));
    frame->RecalcLayout();
    CRect bar = InFrame(*small), tool = InFrame(frame->m_wndToolBar);
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(bar, CRect(0, 0, client.right, small->m_sizeDefault.cy));
    EXPECT_EQ(tool.top, bar.bottom);

    // A rebar holding the tool bar in a band, likewise above the dock bars.
    small->DestroyWindow();
    CReBar* rebar = new CReBar;
    rebar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(rebar->Create(frame));
    ASSERT_TRUE(rebar->AddBar(&frame->m_wndToolBar, RGB(0, 0, 0), RGB(200, 220, 240), "道具"));
    frame->RecalcLayout();
    EXPECT_EQ(::GetParent(frame->m_wndToolBar.m_hWnd), rebar->m_hWnd);
    EXPECT_EQ(frame->m_wndToolBar.m_pDockBar, nullptr);
    CRect band = InFrame(*rebar);
    EXPECT_EQ(band.TopLeft(), CPoint(0, 0));
    EXPECT_GE(band.Height(), InFrame(frame->m_wndToolBar).Height());
    EXPECT_EQ(InFrame(frame->m_wndBar1).top, band.bottom);
    Screenshot("rebar");
}

TEST_F(FrameTest, StatusPanes)
{
    CStatusBar& status = frame->m_wndStatusBar;
    EXPECT_EQ(status.GetCount(), 2);
    EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_PAGE), 1);
    EXPECT_EQ(status.CommandToIndex(ID_TEST_CHECK), -1);
    EXPECT_EQ(status.GetPaneText(1), CString("頁 0000/0000"));
    UINT id = 0, style = 0;
    int width = 0;
    status.GetPaneInfo(0, id, style, width);
    EXPECT_EQ(id, static_cast<UINT>(ID_SEPARATOR));
    EXPECT_TRUE(style & SBPS_STRETCH);

    // A pane's width and text; a missing string gives an empty pane.
    status.SetPaneInfo(1, ID_INDICATOR_PAGE, SBPS_NORMAL, 200);
    status.GetPaneInfo(1, id, style, width);
    EXPECT_EQ(width, 200);
    CRect pane, bar;
    status.GetItemRect(1, &pane);
    status.GetClientRect(&bar);
    EXPECT_GE(pane.Width(), 200);
    EXPECT_EQ(pane.right, bar.right);
    EXPECT_TRUE(status.SetPaneText(1, "3/10 頁", TRUE));
    char text[32] = {};
    status.SendMessage(SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "3/10 頁");
    EXPECT_FALSE(status.SetPaneText(5, "x"));
    static const UINT missing[] = {ID_SEPARATOR, ID_TEST_NOHANDLER};
    status.SetIndicators(missing, 2);
    EXPECT_EQ(status.GetPaneText(1), CString(""));
}

TEST(FrameLeak, FramesWithFloatingBarsReleaseTheirGdiObjects)
{
    auto cycle = [] {
        CBarFrame* frame = new CBarFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME));
        frame->ShowWindow(SW_SHOWNA);
        frame->FloatControlBar(&frame->m_wndToolBar, CPoint(700, 200));
        frame->FloatControlBar(&frame->m_wndBar2, CPoint(700, 400));
        frame->RecalcLayout();
        PumpPending();
        frame->DestroyWindow();
        PumpPending();
    };
    cycle(); // the system's own first-time objects
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 3; ++i) cycle();
    EXPECT_LE(VktGdiObjects(), before + 2);
}
