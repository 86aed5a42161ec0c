// The frame's layout on real windows: the status bar across the bottom, the tool bar docked at
// the top, two dialog bars in columns on the left, each as tall as the pane, and the pane in
// the rest; after sizing (the pane gives way first, a frame too narrow narrows the columns,
// those that can give way first), hiding and showing; bars stacked in one column, sharing its
// height, or in two; the tool bar wrapping to the frame.
#include "TestMfcFrameApp.h"
#include <algorithm>

namespace {

// The rectangles of the frame's windows in its client area, with the relations every layout
// keeps: status bar across the bottom, tool bar row at the top, pane in the rest.
struct Layout {
    CRect client, status, tool, bar1, bar2, pane;
};

} // namespace

class FrameLayoutTest : public FrameTest {
protected:
    Layout Take()
    {
        Layout l;
        frame->GetClientRect(&l.client);
        l.status = InFrame(frame->m_wndStatusBar);
        l.tool = InFrame(frame->m_wndToolBar);
        l.bar1 = InFrame(frame->m_wndBar1);
        l.bar2 = InFrame(frame->m_wndBar2);
        l.pane = InFrame(frame->m_wndPane);
        EXPECT_EQ(l.status, CRect(0, l.client.bottom - l.status.Height(), l.client.right, l.client.bottom));
        EXPECT_EQ(l.tool.TopLeft(), CPoint(0, 0));
        EXPECT_EQ(l.pane.top, l.tool.bottom);
        EXPECT_EQ(l.pane.bottom, l.status.top);
        return l;
    }
};

TEST_F(FrameLayoutTest, BarsSurroundThePaneAfterSizing)
{
    Layout l = Take();
    EXPECT_EQ(l.pane.right, l.client.right);
    EXPECT_GT(l.status.Height(), 10);
    EXPECT_EQ(l.bar1.TopLeft(), CPoint(0, l.tool.bottom));
    EXPECT_EQ(l.bar2.TopLeft(), CPoint(l.bar1.right, l.tool.bottom)); // a column each
    EXPECT_EQ(l.pane.left, l.bar2.right);
    EXPECT_EQ(frame->m_wndBar1.m_sizeDefault.cx, l.bar1.Width());
    EXPECT_EQ(l.bar1.bottom, l.pane.bottom);

    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    Layout s = Take();
    EXPECT_LT(s.client.Width(), l.client.Width());
    EXPECT_EQ(s.bar2, CRect(l.bar2.left, l.bar2.top, l.bar2.right, s.pane.bottom));

    // Narrower while the pane can give way: the columns keep their widths, the pane goes down
    // to its least width.
    CRect outer;
    frame->GetWindowRect(&outer);
    const int both = l.bar1.Width() + l.bar2.Width(), border = outer.Width() - s.client.Width();
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, both + CFrameWnd::kLeastPane + border, 400,
                        SWP_NOMOVE | SWP_NOZORDER);
    Layout t = Take();
    EXPECT_EQ(t.bar1.Width(), l.bar1.Width());
    EXPECT_EQ(t.bar2.Width(), l.bar2.Width());
    EXPECT_EQ(t.pane.Width(), CFrameWnd::kLeastPane);

    // Too narrow for both columns: they narrow in proportion and the pane keeps its least width.
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 300, 400, SWP_NOMOVE | SWP_NOZORDER);
    Layout n = Take();
    EXPECT_GE(n.pane.Width(), CFrameWnd::kLeastPane);
    EXPECT_EQ(n.pane.left, n.bar2.right);
    EXPECT_LT(n.bar1.Width(), l.bar1.Width());
    EXPECT_NEAR(n.bar1.Width() * l.bar2.Width() / l.bar1.Width(), n.bar2.Width(), 2);

    // A bar that shows its contents whole only at its own width keeps it while the other one
    // can give way.
    frame->m_wndBar2.m_sizeLeast = frame->m_wndBar2.m_sizeDefault;
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, l.bar2.Width() + 80 + CFrameWnd::kLeastPane + border, 400,
                        SWP_NOMOVE | SWP_NOZORDER);
    Layout q = Take();
    EXPECT_EQ(q.bar1.Width(), 80);
    EXPECT_EQ(q.bar2.Width(), l.bar2.Width());
    EXPECT_EQ(q.pane.Width(), CFrameWnd::kLeastPane);
}

TEST_F(FrameLayoutTest, HiddenBarsGiveTheirPlaceUpAtOnceOrAtTheNextIdle)
{
    Layout l = Take();
    frame->ShowControlBar(&frame->m_wndBar1, FALSE, FALSE);
    Layout hidden = Take();
    EXPECT_FALSE(frame->m_wndBar1.IsWindowVisible());
    EXPECT_EQ(hidden.bar2.TopLeft(), CPoint(0, l.tool.bottom)); // the empty column takes no room
    EXPECT_EQ(hidden.pane.left, hidden.bar2.right);

    // A delayed change waits for the next layout.
    frame->ShowControlBar(&frame->m_wndBar1, TRUE, TRUE);
    frame->ShowControlBar(&frame->m_wndStatusBar, FALSE, TRUE);
    EXPECT_FALSE(frame->m_wndBar1.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndBar1.IsVisible());
    Idle();
    EXPECT_TRUE(frame->m_wndBar1.IsWindowVisible());
    EXPECT_FALSE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(InFrame(frame->m_wndBar2), CRect(l.bar2.TopLeft(), CPoint(l.bar2.right, l.client.bottom)));
    EXPECT_EQ(InFrame(frame->m_wndPane).bottom, l.client.bottom);
}

TEST_F(FrameLayoutTest, DockControlBarStacksInOneColumnOrStartsAnother)
{
    Layout l = Take();
    // A rectangle just below the first bar puts the second in its column.
    CRect below;
    frame->m_wndBar1.GetWindowRect(&below);
    below.OffsetRect(0, below.Height());
    frame->DockControlBar(&frame->m_wndBar2, AFX_IDW_DOCKBAR_LEFT, &below);
    Layout one = Take();
    const int column = std::max(l.bar1.Width(), l.bar2.Width());
    EXPECT_EQ(one.bar1, CRect(0, l.tool.bottom, column, one.bar2.top));
    EXPECT_EQ(one.bar2, CRect(0, one.bar1.bottom, column, one.pane.bottom));
    // The column's height shared as the bars' own heights are.
    const CSize want1 = frame->m_wndBar1.m_sizeDefault, want2 = frame->m_wndBar2.m_sizeDefault;
    EXPECT_NEAR(one.bar1.Height(), one.pane.Height() * want1.cy / (want1.cy + want2.cy), 1);
    EXPECT_EQ(one.pane.left, column);
    CDockBar* left = frame->GetDockBar(AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(left->GetBarRow(&frame->m_wndBar1), left->GetBarRow(&frame->m_wndBar2));

    // Without a rectangle it starts a column of its own again.
    frame->DockControlBar(&frame->m_wndBar2, AFX_IDW_DOCKBAR_LEFT);
    Layout two = Take();
    EXPECT_EQ(two.bar2, l.bar2);

    // Docked on the right it lies between the top and the bottom, against the right edge.
    frame->DockControlBar(&frame->m_wndBar2, AFX_IDW_DOCKBAR_RIGHT);
    Layout right = Take();
    EXPECT_EQ(right.bar2.TopLeft(), CPoint(right.client.right - l.bar2.Width(), l.tool.bottom));
    EXPECT_EQ(right.pane, CRect(l.bar1.right, l.tool.bottom, right.bar2.left, right.status.top));

    // Without a dock bar id a bar goes to the side it is aligned to when it may dock there.
    frame->FloatControlBar(&frame->m_wndBar2, CPoint(700, 300), CBRS_ALIGN_LEFT);
    frame->DockControlBar(&frame->m_wndBar2);
    EXPECT_EQ(frame->m_wndBar2.m_pDockBar, left);
    frame->FloatControlBar(&frame->m_wndBar2, CPoint(700, 300), CBRS_ALIGN_RIGHT);
    frame->DockControlBar(&frame->m_wndBar2);
    EXPECT_EQ(frame->m_wndBar2.m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_RIGHT);
}

// A bar floated where its frame would stick out of the work area lies wholly in it, also when
// it floats already.
TEST_F(FrameLayoutTest, AFloatingFrameLiesWhollyOnTheScreen)
{
    CRect work;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    frame->FloatControlBar(&frame->m_wndBar2, CPoint(work.right - 20, work.bottom - 20));
    CFrameWnd* floating = frame->m_wndBar2.GetDockingFrame();
    ASSERT_TRUE(frame->m_wndBar2.IsFloating());
    CRect rect;
    floating->GetWindowRect(&rect);
    EXPECT_EQ(rect.BottomRight(), work.BottomRight());
    frame->FloatControlBar(&frame->m_wndBar2, CPoint(work.left - 500, work.top - 500));
    CRect again;
    floating->GetWindowRect(&again);
    EXPECT_EQ(again, CRect(work.TopLeft(), rect.Size()));
}

TEST_F(FrameLayoutTest, ToolBarWrapsToTheNarrowedFrameAndAfterButtonsChange)
{
    Layout wide = Take();
    int rowHeight = wide.tool.Height();
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 180, 400, SWP_NOMOVE | SWP_NOZORDER);
    Layout narrow = Take();
    EXPECT_LE(narrow.tool.right, narrow.client.right);
    EXPECT_GT(narrow.tool.Height(), rowHeight + rowHeight / 2); // two rows
    EXPECT_EQ(narrow.bar1.top, narrow.tool.bottom);

    // Fewer buttons fit in one row again at the next idle time.
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < 5; ++i) frame->m_wndToolBar.SendMessage(TB_DELETEBUTTON, 0);
    EXPECT_TRUE(frame->m_wndToolBar.m_bDelayedButtonLayout);
    Idle();
    EXPECT_FALSE(frame->m_wndToolBar.m_bDelayedButtonLayout);
    EXPECT_LT(InFrame(frame->m_wndToolBar).Width(), wide.tool.Width());
}

TEST_F(FrameLayoutTest, LayoutModesAndInsideRectangle)
{
    CWrapToolBar& tool = frame->m_wndToolBar;
    auto asked = [&tool](int length, DWORD mode) {
        for (auto& call : tool.layouts)
            if (call.first == length && call.second == mode) return true;
        return false;
    };
    frame->RecalcLayout();
    EXPECT_TRUE(asked(-1, LM_HORZ | LM_HORZDOCK));
    frame->DockControlBar(&tool, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_TRUE(asked(-1, LM_VERTDOCK));
    EXPECT_FALSE(tool.IsHorzBar());

    tool.layouts.clear();
    frame->FloatControlBar(&tool, CPoint(300, 300));
    EXPECT_TRUE(asked(-1, LM_HORZ | LM_MRUWIDTH));
    // Dragging the floating frame's bottom border, then letting go.
    CFrameWnd* floating = tool.GetDockingFrame();
    ASSERT_NE(floating, frame);
    CRect rect;
    floating->GetWindowRect(&rect);
    CRect before = rect;
    rect.bottom += 60;
    floating->SendMessage(WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&rect));
    floating->SendMessage(WM_EXITSIZEMOVE);
    auto drag = std::find_if(tool.layouts.begin(), tool.layouts.end(), [](const std::pair<int, DWORD>& c) { return c.first > 0; });
    ASSERT_NE(drag, tool.layouts.end());
    EXPECT_EQ(drag->second, static_cast<DWORD>(LM_LENGTHY));
    EXPECT_TRUE(asked(drag->first, LM_LENGTHY | LM_COMMIT));
    // The frame snapped around the wrapped bar (taller, narrower) and keeps that size.
    EXPECT_GT(rect.Height(), before.Height());
    EXPECT_LT(rect.Width(), before.Width());
    CRect after;
    floating->GetWindowRect(&after);
    EXPECT_EQ(after, rect);

    // Insets: 2 pixels a border side and the 7-pixel gripper while docked.
    CControlBar& bar = frame->m_wndBar1;
    bar.SetBarStyle(CBRS_ALIGN_TOP | CBRS_BORDER_ANY | CBRS_GRIPPER);
    CRect inside(0, 0, 100, 50);
    bar.CalcInsideRect(inside, TRUE);
    EXPECT_EQ(inside, CRect(9, 2, 98, 48));
    inside.SetRect(0, 0, 100, 50);
    bar.CalcInsideRect(inside, FALSE);
    EXPECT_EQ(inside, CRect(2, 9, 98, 48));
}

// A size message of the size the bars were laid out for (the one a frame laid out hidden gets
// when it is first shown) lays out nothing; a delayed layout or another size lays out again.
TEST_F(FrameLayoutTest, SizeOfTheLaidOutSizeLaysOutNothing)
{
    Layout l = Take();
    // The bar moved aside in its dock bar, as no layout would place it.
    auto moveAside = [this]() {
        CRect rect;
        frame->m_wndBar1.GetWindowRect(&rect);
        ::MapWindowPoints(nullptr, ::GetParent(frame->m_wndBar1.m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
        rect.OffsetRect(7, 5);
        frame->m_wndBar1.MoveWindow(&rect);
        return InFrame(frame->m_wndBar1);
    };
    auto resend = [this]() {
        CRect client;
        frame->GetClientRect(&client);
        frame->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    };
    CRect moved = moveAside();
    ASSERT_NE(moved, l.bar1);
    resend();
    EXPECT_EQ(InFrame(frame->m_wndBar1), moved);
    frame->DelayRecalcLayout();
    resend();
    EXPECT_EQ(InFrame(frame->m_wndBar1), l.bar1);

    moveAside();
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Take().bar1.TopLeft(), l.bar1.TopLeft());
}
