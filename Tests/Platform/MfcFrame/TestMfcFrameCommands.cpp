// Commands and their states around the bars: idle updates from the frame's handlers and a
// bar's own (docked or floating), tooltips and status prompts, the customisation dialog's
// notifications wherever the tool bar sits, keys inside a bar, floating frames following the
// frame's enabled state, and the end of the loop with the main window.
#include "TestMfcFrameApp.h"
#include <algorithm>

namespace {

bool Has(const std::vector<UINT>& codes, UINT code) { return std::find(codes.begin(), codes.end(), code) != codes.end(); }

} // namespace

class FrameCommandTest : public FrameTest {
protected:
    LRESULT ButtonState(UINT id) { return frame->m_wndToolBar.SendMessage(TB_GETSTATE, id); }
    BOOL ItemEnabled(UINT id) { return ::IsWindowEnabled(::GetDlgItem(frame->m_wndBar1.m_hWnd, static_cast<int>(id))); }
    CString Prompt() { return frame->m_wndStatusBar.GetPaneText(0); }
    void PumpFor(DWORD ms)
    {
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < ms;) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpPending();
        }
    }
};

TEST_F(FrameCommandTest, IdleStatesComeFromTheFrameAndTheBarsOwnHandlers)
{
    for (bool floating : {false, true}) {
        SCOPED_TRACE(floating ? "floating" : "docked");
        if (floating) {
            frame->FloatControlBar(&frame->m_wndToolBar, CPoint(760, 200));
            frame->FloatControlBar(&frame->m_wndBar1, CPoint(760, 400));
        }
        frame->m_bCutEnabled = TRUE;
        frame->m_nCheck = 0;
        Idle();
        EXPECT_TRUE(ButtonState(ID_EDIT_CUT) & TBSTATE_ENABLED);
        EXPECT_FALSE(ButtonState(ID_TEST_CHECK) & TBSTATE_CHECKED);
        EXPECT_FALSE(ButtonState(ID_TEST_NOHANDLER) & TBSTATE_ENABLED); // no handler anywhere
        EXPECT_TRUE(ButtonState(ID_FILE_OPEN) & TBSTATE_ENABLED);
        frame->m_bCutEnabled = FALSE;
        frame->m_nCheck = 1;
        Idle();
        EXPECT_FALSE(ButtonState(ID_EDIT_CUT) & TBSTATE_ENABLED);
        EXPECT_TRUE(ButtonState(ID_TEST_CHECK) & TBSTATE_CHECKED);
        // The bar's own handler wins over the frame's; a push button nobody handles is off.
        EXPECT_FALSE(ItemEnabled(IDC_BAR_OWN));
        EXPECT_FALSE(ItemEnabled(IDC_BAR_NONE));
        EXPECT_TRUE(ItemEnabled(IDC_BAR_FRAME));
        EXPECT_TRUE(ItemEnabled(IDC_BAR_EDIT1));
    }
    // A command the bar does not handle goes on to the frame.
    ::SendMessageA(::GetDlgItem(frame->m_wndBar1.m_hWnd, IDC_BAR_FRAME), BM_CLICK, 0, 0);
    EXPECT_EQ(frame->log, "bar;");
}

TEST_F(FrameCommandTest, TipsAndPrompts)
{
    // The tool bar's tooltip asks the tool bar, which asks the frame.
    HWND tip = reinterpret_cast<HWND>(frame->m_wndToolBar.SendMessage(TB_GETTOOLTIPS));
    ASSERT_NE(tip, nullptr);
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = ID_FILE_OPEN;
    info.hdr.code = TTN_NEEDTEXTA;
    frame->m_wndToolBar.SendMessage(WM_NOTIFY, ID_FILE_OPEN, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "開く");
    // A dialog bar's control as a tool: the bar passes the request on to the frame.
    ASSERT_NE(frame->m_wndBar1.GetToolTipCtrl(), nullptr);
    NMTTDISPINFOA own = {};
    own.hdr.hwndFrom = frame->m_wndBar1.GetToolTipCtrl()->m_hWnd;
    own.hdr.code = TTN_NEEDTEXTA;
    own.hdr.idFrom = reinterpret_cast<UINT_PTR>(::GetDlgItem(frame->m_wndBar1.m_hWnd, IDC_BAR_OWN));
    own.uFlags = TTF_IDISHWND;
    frame->m_wndBar1.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&own));
    EXPECT_STREQ(own.lpszText, "自前");

    Idle();
    EXPECT_EQ(Prompt(), CString("レディ"));
    HMENU menu = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    static const struct {
        UINT id, flags;
        HMENU menu;
        const char* prompt;
    } selections[] = {
        {ID_FILE_OPEN, MF_STRING | MF_HILITE, menu, "ファイルを開きます"},
        {ID_TEST_NOHANDLER, MF_STRING | MF_HILITE, menu, "レディ"}, // no string: the idle message
        {0, MF_POPUP | MF_HILITE, menu, ""},
        {0, 0xFFFF, nullptr, "レディ"}, // the menu closed
    };
    for (const auto& s : selections) {
        frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(s.id, s.flags), reinterpret_cast<LPARAM>(s.menu));
        EXPECT_EQ(Prompt(), CString(s.prompt)) << s.id;
    }

    // Fly-by: the prompt of the button under the mouse, the idle message once it leaves.
    CRect button;
    frame->m_wndToolBar.GetItemRect(frame->m_wndToolBar.CommandToIndex(ID_FILE_SAVE), &button);
    frame->m_wndToolBar.ClientToScreen(&button);
    CPoint over = button.CenterPoint(), away = InFrame(frame->m_wndPane).CenterPoint();
    frame->ClientToScreen(&away);
    Xdotool("mousemove " + std::to_string(over.x) + " " + std::to_string(over.y));
    EXPECT_EQ(Prompt(), CString("上書き保存します"));
    Xdotool("mousemove " + std::to_string(away.x) + " " + std::to_string(away.y));
    PumpFor(400);
    EXPECT_EQ(Prompt(), CString("レディ"));
}

TEST_F(FrameCommandTest, CustomisationNotifiesTheBarWhereverItSitsAndResetRestores)
{
    CWrapToolBar& tool = frame->m_wndToolBar;
    int count = tool.GetCount();
    for (bool floating : {false, true}) {
        SCOPED_TRACE(floating ? "floating" : "docked");
        if (floating) frame->FloatControlBar(&tool, CPoint(760, 200));
        tool.notified.clear();
        std::vector<std::pair<int, std::string>> seen;
        WhenDialogShows([&](HWND dialog) {
            seen = Buttons(dialog);
            tool.SendMessage(TB_DELETEBUTTON, 0); // as the user removing a button
            for (auto& b : seen)
                if (b.second.find("リセット") != std::string::npos || b.second.find("Reset") != std::string::npos)
                    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(b.first, BN_CLICKED), 0);
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        tool.SendMessage(TB_CUSTOMIZE);
        EXPECT_TRUE(Has(tool.notified, TBN_BEGINADJUST));
        EXPECT_TRUE(Has(tool.notified, TBN_INITCUSTOMIZE));
        EXPECT_TRUE(Has(tool.notified, TBN_RESET));
        EXPECT_TRUE(Has(tool.notified, TBN_ENDADJUST));
        EXPECT_EQ(tool.GetCount(), count);
        if (!Has(tool.notified, TBN_RESET))
            for (auto& b : seen) printf("button %d '%s'\n", b.first, b.second.c_str());
    }
}

TEST_F(FrameCommandTest, TabStaysInTheBarAndCtrlOReachesTheFrame)
{
    HWND edit1 = ::GetDlgItem(frame->m_wndBar1.m_hWnd, IDC_BAR_EDIT1);
    HWND edit2 = ::GetDlgItem(frame->m_wndBar1.m_hWnd, IDC_BAR_EDIT2);
    ::SetFocus(edit1);
    Xdotool("key Tab");
    EXPECT_EQ(::GetFocus(), edit2);
    Xdotool("key ctrl+o");
    EXPECT_EQ(frame->log, "open;");
    EXPECT_EQ(::GetFocus(), edit2);
}

TEST_F(FrameCommandTest, FloatingFramesFollowTheFramesEnabledState)
{
    frame->FloatControlBar(&frame->m_wndToolBar, CPoint(760, 200));
    HWND floating = frame->m_wndToolBar.GetDockingFrame()->m_hWnd;
    frame->FloatControlBar(&frame->m_wndBar2, CPoint(760, 400));
    // Only a bar with CBRS_SIZE_DYNAMIC gets a sizing border.
    EXPECT_TRUE(::GetWindowLongPtrA(floating, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_FALSE(frame->m_wndBar2.GetDockingFrame()->GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(::GetWindowLongPtrA(floating, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    frame->EnableWindow(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(floating));
    frame->EnableWindow(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(floating));
    // Closing the floating frame hides the bar; showing the bar shows the frame again.
    ::SendMessageA(floating, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(floating));
    EXPECT_FALSE(frame->m_wndToolBar.IsVisible());
    frame->ShowControlBar(&frame->m_wndToolBar, TRUE, FALSE);
    EXPECT_TRUE(::IsWindowVisible(floating));
}

TEST_F(FrameCommandTest, ClosingTheMainWindowEndsTheLoop)
{
    frame->FloatControlBar(&frame->m_wndBar2, CPoint(760, 400));
    HWND floating = frame->m_wndBar2.GetDockingFrame()->m_hWnd;
    frame->PostMessage(WM_CLOSE);
    theTestApp.Run();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_FALSE(::IsWindow(floating));
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr);
}
