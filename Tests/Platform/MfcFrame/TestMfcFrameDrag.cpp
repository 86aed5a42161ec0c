// Docking drags with real mouse and keyboard input (xdotool under Xvfb): the tool bar's
// gripper dragged to the frame's right edge docks it there, to the middle of the screen
// floats it, with Ctrl held down floats it anyway, and Escape cancels; a double click on the
// floating frame's caption docks the bar where it was; a floating frame stays in front of its
// frame when either is clicked.
#include "TestMfcFrameApp.h"
#include <stdio.h>

namespace {

std::string Point(CPoint p)
{
    char text[32];
    snprintf(text, sizeof(text), "%ld %ld", p.x, p.y);
    return text;
}

// Press at from, move in steps to to (with keys held down around the moves), then release.
void Drag(CPoint from, CPoint to, const char* keysDown = "", const char* beforeRelease = "")
{
    std::string args = "mousemove " + Point(from) + " sleep 0.1 mousedown 1 sleep 0.1 ";
    if (*keysDown) args += std::string("keydown ") + keysDown + " sleep 0.1 ";
    for (int i = 1; i <= 4; ++i)
        args += "mousemove " + Point(CPoint(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4)) + " sleep 0.05 ";
    if (*beforeRelease) args += std::string(beforeRelease) + " sleep 0.1 ";
    args += "mouseup 1";
    if (*keysDown) args += std::string(" keyup ") + keysDown;
    Xdotool(args);
}

} // namespace

class FrameDragTest : public FrameTest {
protected:
    // A point on the tool bar's gripper, on the screen.
    CPoint Gripper()
    {
        CRect rect;
        frame->m_wndToolBar.GetWindowRect(&rect);
        return CPoint(rect.left + 4, rect.top + rect.Height() / 2);
    }
    CRect ClientOnScreen()
    {
        CRect client;
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        return client;
    }
};

TEST_F(FrameDragTest, GripperToTheRightEdgeDocksThere)
{
    CRect client = ClientOnScreen();
    Drag(Gripper(), CPoint(client.right - 4, client.CenterPoint().y));
    CControlBar& tool = frame->m_wndToolBar;
    ASSERT_NE(tool.m_pDockBar, nullptr);
    EXPECT_EQ(tool.m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_FALSE(tool.IsHorzBar());
    CRect rect = InFrame(tool), pane = InFrame(frame->m_wndPane);
    CRect inFrame(client);
    frame->ScreenToClient(&inFrame);
    EXPECT_EQ(rect.right, inFrame.right);
    EXPECT_GT(rect.Height(), rect.Width()); // a column of buttons
    EXPECT_EQ(pane.right, rect.left);
    EXPECT_EQ(pane.top, 0); // nothing docks at the top any more
}

TEST_F(FrameDragTest, GripperToMidScreenFloatsAndDoubleClickDocksAgain)
{
    CRect docked = InFrame(frame->m_wndToolBar);
    Drag(Gripper(), CPoint(900, 600));
    CControlBar& tool = frame->m_wndToolBar;
    ASSERT_TRUE(tool.IsFloating());
    CFrameWnd* floating = tool.GetDockingFrame();
    CRect rect;
    floating->GetWindowRect(&rect);
    EXPECT_TRUE(rect.PtInRect(CPoint(900, 600)));
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(::GetWindow(floating->m_hWnd, GW_OWNER), frame->m_hWnd);
    char title[64] = {};
    floating->GetWindowText(title, sizeof(title));
    EXPECT_STREQ(title, "ツールバー");
    EXPECT_EQ(InFrame(frame->m_wndPane).top, 0);
    // A second frame shows both kinds of bars for the record.
    frame->FloatControlBar(&frame->m_wndBar2, CPoint(820, 300));
    Screenshot("floating");

    // A double click on the caption puts the bar back where it was docked.
    CRect caption;
    floating->GetWindowRect(&caption);
    Xdotool("mousemove " + Point(CPoint(caption.left + 20, caption.top + 6)) + " click --repeat 2 --delay 80 1");
    ASSERT_FALSE(tool.IsFloating());
    EXPECT_EQ(tool.m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(InFrame(tool), docked);

    // A double click on the docked bar's gripper floats it where it floated before.
    Xdotool("mousemove " + Point(Gripper()) + " click --repeat 2 --delay 80 1");
    ASSERT_TRUE(tool.IsFloating());
    CRect again;
    tool.GetDockingFrame()->GetWindowRect(&again);
    EXPECT_EQ(again.TopLeft(), caption.TopLeft());
}

TEST_F(FrameDragTest, CtrlForbidsDockingAndEscapeCancels)
{
    CRect client = ClientOnScreen();
    CRect docked = InFrame(frame->m_wndToolBar);
    Drag(Gripper(), CPoint(client.right - 4, client.CenterPoint().y), "", "key Escape");
    EXPECT_FALSE(frame->m_wndToolBar.IsFloating());
    EXPECT_EQ(frame->m_wndToolBar.m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(InFrame(frame->m_wndToolBar), docked);

    Drag(Gripper(), CPoint(client.right - 4, client.CenterPoint().y), "ctrl");
    EXPECT_TRUE(frame->m_wndToolBar.IsFloating());
}

namespace {
// The window lies above the other one among the top-level windows.
bool Above(HWND hWnd, HWND hOther)
{
    for (HWND next = ::GetWindow(hWnd, GW_HWNDNEXT); next; next = ::GetWindow(next, GW_HWNDNEXT))
        if (next == hOther) return true;
    return false;
}
} // namespace

// A floating bar over its frame stays in front of it: after a click in the floating frame and
// one on the frame (each activates its window), and after the frame is hidden and shown again.
TEST_F(FrameDragTest, AFloatingFrameStaysInFrontOfItsFrame)
{
    CRect client = ClientOnScreen();
    frame->FloatControlBar(&frame->m_wndBar2, CPoint(client.left + 200, client.top + 100));
    CFrameWnd* floating = frame->m_wndBar2.GetDockingFrame();
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(::GetWindow(floating->m_hWnd, GW_OWNER), hFrame);
    EXPECT_TRUE(Above(floating->m_hWnd, hFrame));
    CRect rect;
    floating->GetWindowRect(&rect);
    Xdotool("mousemove " + Point(CPoint(rect.CenterPoint().x, rect.bottom - 6)) + " click 1");
    EXPECT_EQ(::GetActiveWindow(), floating->m_hWnd);
    Xdotool("mousemove " + Point(CPoint(client.right - 20, client.bottom - 60)) + " click 1");
    EXPECT_EQ(::GetActiveWindow(), hFrame);
    EXPECT_TRUE(Above(floating->m_hWnd, hFrame));
    Screenshot("floating-in-front");

    // Shown again (as a frame is at its start, after its bars were placed), then a moment for
    // the window system.
    frame->ShowWindow(SW_HIDE);
    frame->ShowWindow(SW_SHOW);
    frame->SetActiveWindow();
    Xdotool("mousemove " + Point(CPoint(client.right - 30, client.bottom - 70)));
    EXPECT_TRUE(Above(floating->m_hWnd, hFrame));
}
