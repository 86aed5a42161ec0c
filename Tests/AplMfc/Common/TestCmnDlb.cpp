// The docked panel base on a frame of two panels: where a point lies and its cursor, border
// drags (the width taken, the pane moving over, the limits, a lost capture, presses meanwhile,
// the edges of panels sharing the left side's columns),
// the gripper left to the docking drag, the layout the frame asks for and the remembered sizes.
#include "TestCmnDlb.h"
#include <algorithm>

// ---- The panel and the frame ----

BEGIN_MESSAGE_MAP(TestPnl, CmnDlb)
    ON_COMMAND(IDOK, &ThisClass::OnOk)
    ON_MESSAGE(VkeWmDrw, &ThisClass::OnDrw)
END_MESSAGE_MAP()

int TestPnl::Start(SIZE* size)
{
    int rc = CmnDlb::Init(2, 1, 0, size);
    if (rc == 0) rc = InitCtlSlot(0, VKE_CTL_EDIT, IDC_P_INT, VKE_EDIT_INT, "", "10");
    if (rc == 0) rc = InitCtlSlot(1, VKE_CTL_COMBOBOX, IDC_P_COMBO, VKE_EDIT_TEXT, "", "");
    if (rc == 0) rc = InitDraSlot(0, IDC_P_AREA, RECT{0, 0, 200, 100}, IDC_P_HBAR, IDC_P_VBAR);
    if (rc == 0 && !m_menu.LoadMenu(IDR_CMN_DLG_MENU)) rc = VKE_ERR_MEMORY;
    if (rc == 0) rc = SetMenuHandle(m_menu.m_hMenu);
    if (rc == 0) m_inf.bReady = 1;
    return rc;
}

LRESULT TestPnl::OnDrw(WPARAM, LPARAM lParam)
{
    const Dri* dri = reinterpret_cast<const Dri*>(lParam);
    ::FillRect(dri->hDC, &dri->rct, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    return 0;
}

BEGIN_MESSAGE_MAP(PnlFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(VkeWmTraceError, &ThisClass::OnTraceError)
END_MESSAGE_MAP()

int PnlFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    // As the program's panels: floating, their frames' borders size them.
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC;
    if (!left.Create(this, IDD_TPNL, style | CBRS_LEFT, ID_P_LEFT)) return -1;
    if (!bottom.Create(this, IDD_TPNL, style | CBRS_BOTTOM, ID_P_BOTTOM)) return -1;
    if (!pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST)) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    left.EnableDocking(CBRS_ALIGN_ANY);
    bottom.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&left, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&bottom, AFX_IDW_DOCKBAR_BOTTOM);
    return 0;
}

LRESULT PnlFrame::OnTraceError(WPARAM wParam, LPARAM)
{
    traces.push_back(wParam ? reinterpret_cast<const char*>(wParam) : "");
    return 0;
}

// ---- The fixture ----

void DlbTest::SetUp()
{
    AppTest::SetUp();
    frame = new PnlFrame;
    ASSERT_TRUE(frame->Create(nullptr, "パネル", WS_OVERLAPPEDWINDOW, CRect(100, 100, 740, 580)));
    hFrame = frame->m_hWnd;
    frame->ShowWindow(SW_SHOWNORMAL);
    theCmnAppInf.pMainFrame = frame;
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(frame->left.Start(), 0);
    ASSERT_EQ(frame->bottom.Start(), 0);
    frame->RecalcLayout();
    PumpPending();
}

void DlbTest::TearDown()
{
    if (::IsWindow(hFrame) && CWnd::FromHandlePermanent(hFrame) == frame) frame->DestroyWindow();
    PumpPending();
    AppTest::TearDown();
}

bool DlbTest::Traced(const std::string& name)
{
    PumpPending();
    return std::find(frame->traces.begin(), frame->traces.end(), name) != frame->traces.end();
}

CRect DlbTest::InFrame(HWND wnd)
{
    CRect rect;
    ::GetWindowRect(wnd, &rect);
    frame->ScreenToClient(&rect);
    return rect;
}

void DlbTest::Press(TestPnl& p, CPoint client)
{
    p.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
}

void DlbTest::MoveTo(TestPnl& p, CPoint screen)
{
    p.ScreenToClient(&screen);
    p.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<short>(screen.x), static_cast<short>(screen.y)));
}

void DlbTest::Release(TestPnl& p)
{
    p.SendMessage(WM_LBUTTONUP, 0, 0);
    PumpPending();
}

CSize DlbTest::ClientSize(CWnd& w)
{
    CRect r;
    w.GetClientRect(&r);
    return r.Size();
}

// ---- Tests ----

// Each point of the left panel (vertical, its gripper strip at the top), its code and cursor.
TEST_F(DlbTest, EachPlaceOfThePanelHasItsCodeAndCursor)
{
    TestPnl& p = frame->left;
    CSize s = ClientSize(p);
    ASSERT_GT(s.cx, 50);
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW), we = ::LoadCursorA(nullptr, IDC_SIZEWE),
                  ns = ::LoadCursorA(nullptr, IDC_SIZENS), nwse = ::LoadCursorA(nullptr, IDC_SIZENWSE),
                  nesw = ::LoadCursorA(nullptr, IDC_SIZENESW),
                  gripper = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_CMN_DLB_GRIPPER));
    ASSERT_NE(gripper, nullptr);
    const struct {
        CPoint at;
        int hit;
        HCURSOR cursor;
    } table[] = {{{s.cx / 2, s.cy / 2}, CmnDlbHitInside, arrow},   {{s.cx / 2, 10}, CmnDlbHitGripper, gripper},
                 // The drawn gripper (2 to 6 down) is the gripper's, though the top edge is near.
                 {{s.cx / 2, 2}, CmnDlbHitGripper, gripper},      {{s.cx / 2, 4}, CmnDlbHitGripper, gripper},
                 {{s.cx / 2, 6}, CmnDlbHitGripper, gripper},      {{3, 4}, CmnDlbHitGripper, gripper},
                 {{0, 0}, CmnDlbHitTopLeft, nwse},                 {{s.cx - 1, 0}, CmnDlbHitTopRight, nesw},
                 {{s.cx - 1, s.cy - 1}, CmnDlbHitBottomRight, nwse}, {{0, s.cy - 1}, CmnDlbHitBottomLeft, nesw},
                 {{0, s.cy / 2}, CmnDlbHitLeft, we},               {{s.cx - 1, s.cy / 2}, CmnDlbHitRight, we},
                 {{s.cx / 2, 0}, CmnDlbHitTop, ns},                {{s.cx / 2, s.cy - 1}, CmnDlbHitBottom, ns},
                 {{s.cx + 20, s.cy / 2}, CmnDlbHitNone, nullptr}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.hit);
        POINT at = row.at;
        int hit = -1;
        EXPECT_EQ(p.HitTestBar(&at, 0, &hit), 0);
        EXPECT_EQ(hit, row.hit);
        if (!row.cursor) continue;
        CPoint screen = row.at;
        p.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SetCursor(nullptr);
        EXPECT_TRUE(p.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(p.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), row.cursor);
    }
    // Over a control inside, the control's own cursor.
    CRect memo;
    ::GetWindowRect(p.Item(IDC_P_MEMO), &memo);
    ::SetCursorPos(memo.CenterPoint().x, memo.CenterPoint().y);
    EXPECT_FALSE(p.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(p.Item(IDC_P_MEMO)), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    int hit = 0;
    EXPECT_EQ(p.HitTestBar(nullptr, 0, &hit), -9);
    EXPECT_TRUE(Traced("HitTestBar"));
}

TEST_F(DlbTest, DraggingTheRightEdgeWidensThePanelAndThePaneMovesOver)
{
    TestPnl& p = frame->left;
    CRect before = InFrame(p.m_hWnd);
    EXPECT_EQ(InFrame(frame->pane.m_hWnd).left, before.right);
    HWND dock = p.GetParent()->m_hWnd;
    Press(p, CPoint(before.Width() - 1, before.Height() / 2));
    ASSERT_TRUE(p.IsTracking());
    EXPECT_EQ(p.Hit(), CmnDlbHitRight);
    EXPECT_EQ(::GetParent(p.m_hWnd), ::GetDesktopWindow()) << "lifted onto the desktop for the drag";
    CRect screen;
    p.GetWindowRect(&screen);
    // The panel follows each move; a second press meanwhile changes nothing.
    MoveTo(p, CPoint(screen.right + 20, screen.CenterPoint().y));
    Press(p, CPoint(0, 0));
    EXPECT_EQ(p.Hit(), CmnDlbHitRight);
    MoveTo(p, CPoint(screen.right + 40, screen.CenterPoint().y));
    CRect moving;
    p.GetWindowRect(&moving);
    EXPECT_EQ(moving.Width(), screen.Width() + 40);
    Release(p);
    EXPECT_FALSE(p.IsTracking());
    EXPECT_EQ(::GetParent(p.m_hWnd), dock);
    CRect after = InFrame(p.m_hWnd);
    EXPECT_EQ(after.Width(), before.Width() + 40);
    EXPECT_EQ(after.Height(), before.Height());
    EXPECT_EQ(InFrame(frame->pane.m_hWnd).left, after.right);

    // The preset of the new size; a later size, then the preset back, also as preset 2.
    SIZE preset = {};
    EXPECT_EQ(p.GetBri(1), 0);
    EXPECT_EQ(p.GetBri(1, &preset), 0);
    EXPECT_EQ(preset.cx, after.Width());
    EXPECT_EQ(p.SetBarSize(10, 300), 0);
    EXPECT_EQ(p.Current().cx, 50);
    EXPECT_EQ(p.Current().cy, 300);
    EXPECT_EQ(p.SetBri(1), 0);
    EXPECT_EQ(InFrame(p.m_hWnd).Width(), after.Width());
    EXPECT_EQ(p.GetPreset(2).cx, after.Width());
    EXPECT_EQ(p.SetBri(3), -9);
    EXPECT_EQ(p.GetBri(-1), -9);
    EXPECT_EQ(p.SetBri(nullptr), -9);
}

TEST_F(DlbTest, ADragStopsShortOfTheOppositeEdgeAndEndsAtFiftyOrWhenTheCaptureGoes)
{
    TestPnl& p = frame->left;
    CRect screen;
    p.GetWindowRect(&screen);
    // The left edge far out, then past the right one: it stops where the pane would be left
    // less than its least width; one pixel is left while dragging, 50 at the end.
    const int room = frame->GetSideDockRoom();
    ASSERT_GT(room, 0);
    Press(p, CPoint(0, screen.Height() / 2));
    EXPECT_EQ(p.Hit(), CmnDlbHitLeft);
    MoveTo(p, CPoint(screen.left - room - 300, screen.CenterPoint().y));
    CRect moving;
    p.GetWindowRect(&moving);
    EXPECT_EQ(moving.left, screen.left - room);
    MoveTo(p, CPoint(screen.right + 100, screen.CenterPoint().y));
    p.GetWindowRect(&moving);
    EXPECT_EQ(moving.Width(), 1);
    EXPECT_EQ(moving.right, screen.right);
    Release(p);
    EXPECT_EQ(InFrame(p.m_hWnd).Width(), 50);
    EXPECT_EQ(InFrame(frame->pane.m_hWnd).left, 50);

    // Another window takes the capture: the next move ends the drag where it was.
    TestPnl& b = frame->bottom;
    b.GetWindowRect(&screen);
    Press(b, CPoint(screen.Width() / 2, 0));
    ASSERT_EQ(b.Hit(), CmnDlbHitTop);
    MoveTo(b, CPoint(screen.CenterPoint().x, screen.top - 30));
    ::SetCapture(frame->pane.m_hWnd);
    MoveTo(b, CPoint(screen.CenterPoint().x, screen.top - 60));
    EXPECT_FALSE(b.IsTracking());
    ::ReleaseCapture();
    EXPECT_EQ(InFrame(b.m_hWnd).Height(), screen.Height() + 30);

    // An operation that changes the panel ends a drag first.
    Press(b, CPoint(screen.Width() / 2, 0));
    ASSERT_TRUE(b.IsTracking());
    EXPECT_EQ(b.SetTextColor(RGB(1, 2, 3)), 0);
    EXPECT_FALSE(b.IsTracking());
    EXPECT_EQ(b.StopTracking(), -7);
    EXPECT_TRUE(Traced("StopTracking"));
}

// A widened column keeps its width when the frame is maximised and restored. A frame too
// narrow shows it narrower; a drag there counts from the width the column wants, so a wider
// frame shows that width less the drag again.
TEST_F(DlbTest, AColumnKeepsItsWidthThroughAMaximiseAndANarrowFrame)
{
    TestPnl& p = frame->left;
    auto dragRight = [&p](int dx) {
        CRect screen;
        p.GetWindowRect(&screen);
        Press(p, CPoint(screen.Width() - 1, screen.Height() / 2));
        EXPECT_EQ(p.Hit(), CmnDlbHitRight);
        MoveTo(p, CPoint(screen.right - 1 + dx, screen.CenterPoint().y));
        Release(p);
    };
    dragRight(60);
    const int wide = InFrame(p.m_hWnd).Width();
    frame->ShowWindow(SW_MAXIMIZE);
    PumpPending();
    EXPECT_EQ(InFrame(p.m_hWnd).Width(), wide);
    frame->ShowWindow(SW_RESTORE);
    PumpPending();
    EXPECT_EQ(InFrame(p.m_hWnd).Width(), wide);

    CRect normal;
    frame->GetWindowRect(&normal);
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, wide, normal.Height(), SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    ASSERT_LT(InFrame(p.m_hWnd).Width(), wide - 20);
    dragRight(-10);
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, normal.Width(), normal.Height(), SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    EXPECT_EQ(InFrame(p.m_hWnd).Width(), wide - 10);
}

// Two panels stacked in the left column, then side by side in two columns: the column's
// height shared, a shared edge moving between the two panels, the inner edge widening the
// whole column, the outer edge of the second column widening the first, no wider than the
// frame leaves room for, and a hidden panel's height given to the other.
TEST_F(DlbTest, PanelsOfTheLeftSideShareTheirColumnsAndEdges)
{
    TestPnl& upper = frame->left;
    TestPnl& lower = frame->bottom;
    // A drag of the panel from a point of its window (frame client coordinates) by dx, dy.
    auto drag = [this](TestPnl& p, CPoint at, int dx, int dy, int hit) {
        frame->ClientToScreen(&at);
        CPoint client = at;
        p.ScreenToClient(&client);
        Press(p, client);
        EXPECT_EQ(p.Hit(), hit);
        MoveTo(p, CPoint(at.x + dx, at.y + dy));
        Release(p);
    };
    CRect below;
    upper.GetWindowRect(&below);
    below.OffsetRect(0, below.Height());
    frame->DockControlBar(&lower, AFX_IDW_DOCKBAR_LEFT, &below);
    PumpPending();
    CRect u = InFrame(upper.m_hWnd), l = InFrame(lower.m_hWnd);
    const CRect pane = InFrame(frame->pane.m_hWnd);
    EXPECT_EQ(l.top, u.bottom);
    EXPECT_EQ(l.bottom, pane.bottom);
    EXPECT_EQ(u.Width(), l.Width());

    // The edge between them 40 down from the lower panel's top: the upper one takes it.
    drag(lower, CPoint(l.CenterPoint().x, l.top), 0, 40, CmnDlbHitTop);
    EXPECT_EQ(InFrame(upper.m_hWnd).Height(), u.Height() + 40);
    EXPECT_EQ(InFrame(lower.m_hWnd), CRect(l.left, l.top + 40, l.right, l.bottom));

    // That edge far up and back: it stops where the upper panel keeps its least height, also
    // while dragged; the lower panel's bottom, the column's, stays.
    {
        CRect at = InFrame(lower.m_hWnd);
        CPoint press(at.CenterPoint().x, at.top);
        frame->ClientToScreen(&press);
        CPoint client = press;
        lower.ScreenToClient(&client);
        Press(lower, client);
        ASSERT_EQ(lower.Hit(), CmnDlbHitTop);
        MoveTo(lower, CPoint(press.x, press.y - 2000));
        CRect live;
        lower.GetWindowRect(&live);
        frame->ScreenToClient(&live);
        EXPECT_EQ(live, CRect(at.left, u.top + 50, at.right, at.bottom));
        MoveTo(lower, press);
        Release(lower);
        EXPECT_EQ(InFrame(lower.m_hWnd), at);
    }

    // The lower panel's right edge 30 out: both panels and the column.
    l = InFrame(lower.m_hWnd);
    drag(lower, CPoint(l.right - 1, l.CenterPoint().y), 30, 0, CmnDlbHitRight);
    EXPECT_EQ(InFrame(upper.m_hWnd).Width(), u.Width() + 30);
    EXPECT_EQ(InFrame(lower.m_hWnd).Width(), u.Width() + 30);
    EXPECT_EQ(InFrame(frame->pane.m_hWnd).left, u.Width() + 30);

    // Hidden, the upper panel leaves the whole column to the lower one.
    frame->ShowControlBar(&upper, FALSE, FALSE);
    EXPECT_EQ(InFrame(lower.m_hWnd).top, u.top);
    EXPECT_EQ(InFrame(lower.m_hWnd).bottom, pane.bottom);
    frame->ShowControlBar(&upper, TRUE, FALSE);

    // A column of its own: its outer (left) edge 20 to the right widens the first column, and
    // it keeps its width.
    frame->DockControlBar(&lower, AFX_IDW_DOCKBAR_LEFT);
    PumpPending();
    u = InFrame(upper.m_hWnd);
    l = InFrame(lower.m_hWnd);
    ASSERT_EQ(l.left, u.right);
    drag(lower, CPoint(l.left, l.CenterPoint().y), 20, 0, CmnDlbHitLeft);
    EXPECT_EQ(InFrame(upper.m_hWnd).Width(), u.Width() + 20);
    EXPECT_EQ(InFrame(lower.m_hWnd), CRect(l.left + 20, l.top, l.right + 20, l.bottom));

    // Far to the right: the columns stop where the pane keeps its least width, and neither
    // column is narrowed for it.
    l = InFrame(lower.m_hWnd);
    drag(lower, CPoint(l.right - 1, l.CenterPoint().y), 2000, 0, CmnDlbHitRight);
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(InFrame(frame->pane.m_hWnd), CRect(client.right - CFrameWnd::kLeastPane, l.top, client.right, l.bottom));
    EXPECT_EQ(InFrame(upper.m_hWnd).Width(), u.Width() + 20);
    EXPECT_EQ(InFrame(lower.m_hWnd).left, l.left);

    // Its outer edge pushed far to the right (widening the first column): the same stop.
    l = InFrame(lower.m_hWnd);
    drag(lower, CPoint(l.right - 1, l.CenterPoint().y), -100, 0, CmnDlbHitRight);
    l = InFrame(lower.m_hWnd);
    u = InFrame(upper.m_hWnd);
    drag(lower, CPoint(l.left, l.CenterPoint().y), 2000, 0, CmnDlbHitLeft);
    EXPECT_EQ(InFrame(frame->pane.m_hWnd).left, client.right - CFrameWnd::kLeastPane);
    EXPECT_EQ(InFrame(upper.m_hWnd).Width(), u.Width() + 100);
    EXPECT_EQ(InFrame(lower.m_hWnd).Width(), l.Width());
}

// The panel docked at the bottom grows up no further than the pane and the left column keep
// their least heights, and along its row no further than the frame's width.
TEST_F(DlbTest, APanelAtTheBottomGrowsOnlyAsFarAsTheFrameLeavesRoomFor)
{
    TestPnl& b = frame->bottom;
    CRect screen;
    b.GetWindowRect(&screen);
    Press(b, CPoint(screen.Width() / 2, 0));
    ASSERT_EQ(b.Hit(), CmnDlbHitTop);
    MoveTo(b, CPoint(screen.CenterPoint().x, screen.top - 2000));
    Release(b);
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(InFrame(frame->pane.m_hWnd).Height(), CFrameWnd::kLeastPane);
    EXPECT_EQ(InFrame(frame->left.m_hWnd).Height(), CFrameWnd::kLeastPane);
    EXPECT_EQ(InFrame(b.m_hWnd).bottom, client.bottom);

    b.GetWindowRect(&screen);
    Press(b, CPoint(screen.Width() - 1, screen.Height() / 2));
    ASSERT_EQ(b.Hit(), CmnDlbHitRight);
    MoveTo(b, CPoint(screen.right + 2000, screen.CenterPoint().y));
    Release(b);
    EXPECT_EQ(InFrame(b.m_hWnd), CRect(0, InFrame(b.m_hWnd).top, client.right, client.bottom));
}

// A press on the gripper, on its drawn line near the top edge, is the docking drag's (a posted
// move and release, each taking the pointer's place when posted); a floating panel has neither
// borders nor an inside of its own.
TEST_F(DlbTest, TheGripperFloatsThePanelWhichThenHasNoBorders)
{
    TestPnl& p = frame->left;
    ::SetCursorPos(900, 700);
    p.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    p.PostMessage(WM_LBUTTONUP, 0, 0);
    Press(p, CPoint(ClientSize(p).cx / 2, 3));
    PumpPending();
    ASSERT_TRUE(p.IsFloating());
    EXPECT_FALSE(p.IsTracking());

    CSize s = ClientSize(p);
    for (CPoint at : {CPoint(0, s.cy / 2), CPoint(s.cx / 2, s.cy / 2)}) {
        int hit = -1;
        p.HitTestBar(&at, 0, &hit);
        EXPECT_EQ(hit, CmnDlbHitNone);
    }
    // A press on its edge is the docking drag's too (released where it began: nothing moves).
    p.PostMessage(WM_LBUTTONUP, 0, 0);
    Press(p, CPoint(0, s.cy / 2));
    EXPECT_FALSE(p.IsTracking());
    EXPECT_TRUE(p.IsFloating());
}

// A floating panel's frame has sizing borders: its corner dragged (as the system sizes a
// window: the sizing message, then the move) gives the panel the new size, which it keeps as
// its floating size when the frame lays out again.
TEST_F(DlbTest, AFloatingPanelIsSizedByItsFramesBorders)
{
    TestPnl& p = frame->left;
    frame->FloatControlBar(&p, CPoint(200, 150), CBRS_ALIGN_LEFT);
    CFrameWnd* floating = p.GetDockingFrame();
    ASSERT_TRUE(p.IsFloating());
    ASSERT_TRUE(floating->GetStyle() & WS_THICKFRAME);
    CRect r;
    floating->GetWindowRect(&r);
    const struct {
        CPoint at;
        LRESULT hit;
    } borders[] = {{{r.CenterPoint().x, r.bottom - 2}, HTBOTTOM},
                   {{r.right - 2, r.CenterPoint().y}, HTRIGHT},
                   {{r.right - 2, r.bottom - 2}, HTBOTTOMRIGHT}};
    for (const auto& b : borders)
        EXPECT_EQ(floating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(b.at.x, b.at.y)), b.hit);

    CRect want(r.left, r.top, r.right + 60, r.bottom + 40);
    floating->SendMessage(WM_ENTERSIZEMOVE);
    floating->SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&want));
    floating->SetWindowPos(static_cast<HWND>(nullptr), want.left, want.top, want.Width(), want.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
    floating->SendMessage(WM_EXITSIZEMOVE);
    frame->RecalcLayout();
    CRect after;
    floating->GetWindowRect(&after);
    EXPECT_NEAR(after.Width(), r.Width() + 60, 2);
    EXPECT_NEAR(after.Height(), r.Height() + 40, 2);
    EXPECT_EQ(ClientSize(p), ClientSize(*floating));
    EXPECT_EQ(CSize(p.Floating()), CSize(p.Current()));
}

// The sizes each layout request gives, in order, on a panel of 200 x 100.
TEST_F(DlbTest, EachLayoutModeGivesItsSize)
{
    TestPnl& p = frame->bottom;
    ASSERT_EQ(p.SetBarSize(200, 100), 0);
    const DWORD docked = p.GetBarStyle();
    const struct {
        bool floating;
        int length;
        DWORD mode;
        CSize size, current;
    } table[] = {{true, 30, LM_LENGTHY, {200, 50}, {200, 50}},
                 {true, -1, LM_HORZ | LM_MRUWIDTH, {200, 100}, {200, 50}},
                 // The end of a floating frame's border drag: the dragged size is the floating one.
                 {true, -1, LM_HORZ | LM_COMMIT, {200, 50}, {200, 50}},
                 {true, -1, LM_HORZ | LM_MRUWIDTH, {200, 50}, {200, 50}},
                 {true, 260, LM_HORZ, {260, 50}, {260, 50}},
                 {false, -1, LM_HORZ | LM_HORZDOCK, {260, 50}, {260, 50}},
                 {false, 500, LM_HORZ, {260, 50}, {260, 50}},
                 {false, -1, LM_VERTDOCK | LM_STRETCH, {260, 50}, {260, 50}}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.mode);
        p.m_dwStyle = row.floating ? docked | CBRS_FLOATING : docked;
        EXPECT_EQ(p.CalcDynamicLayout(row.length, row.mode), row.size);
        EXPECT_EQ(CSize(p.Current()), row.current);
    }
    p.m_dwStyle = docked | CBRS_SIZE_FIXED;
    EXPECT_EQ(p.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK), p.m_sizeDefault);
    EXPECT_EQ(p.CalcFixedLayout(TRUE, TRUE), p.m_sizeDefault);
    p.m_dwStyle = docked;

    // A template below 50 x 50 starts at 50 x 50; a size given to the start becomes preset 1.
    TestPnl small;
    ASSERT_TRUE(small.Create(frame, IDD_TPNL_SMALL, WS_CHILD, ID_P_SMALL));
    ASSERT_LT(small.m_sizeDefault.cx, 50);
    EXPECT_EQ(small.CalcFixedLayout(FALSE, TRUE), small.m_sizeDefault) << "until started";
    SIZE given = {120, 80};
    ASSERT_EQ(small.Init(0, 0, 0, &given), 0);
    EXPECT_EQ(small.GetPreset(0).cx, 50);
    EXPECT_EQ(small.GetPreset(0).cy, 50);
    EXPECT_EQ(small.GetPreset(1).cx, 120);
    EXPECT_EQ(small.CalcFixedLayout(FALSE, TRUE), CSize(120, 80));
    EXPECT_EQ(small.Init(0, 0, 0, nullptr), -7);
    EXPECT_EQ(small.Term(), 0);
    EXPECT_EQ(small.Term(), 1);
}
