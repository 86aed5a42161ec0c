// The main-frame services on a frame of the program's kind: status-bar panes, a dialog bar shown,
// hidden, floated and docked, menu items of a handler that deletes some, the focused panel or
// dialog, the name selected in a name box, and the bars in the default window rectangle.
#include "CmnReb.h"
#include "TestCmnDlg.h"

namespace {

// Update handlers for ids 1 to 9 that count their calls; those of 2 and 5 delete their item.
class MenuTarget : public CCmdTarget {
public:
    int counts[10] = {};

protected:
    void OnUpdate(CCmdUI* pCmdUI)
    {
        ++counts[pCmdUI->m_nID];
        if (pCmdUI->m_nID == 2 || pCmdUI->m_nID == 5) pCmdUI->m_pMenu->DeleteMenu(pCmdUI->m_nIndex, MF_BYPOSITION);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI_RANGE(1, 9, &ThisClass::OnUpdate)
END_MESSAGE_MAP()

// A rebar whose update handler checks item 9.
class MenuReb : public CmnReb {
protected:
    void OnUpdate(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuReb, CmnReb)
    ON_UPDATE_COMMAND_UI(9, &ThisClass::OnUpdate)
END_MESSAGE_MAP()

CRect ScreenRect(HWND wnd)
{
    CRect rect;
    ::GetWindowRect(wnd, &rect);
    return rect;
}

} // namespace

TEST_F(DlgTest, StatusBarPanesAreEmptyUntilTheStatusBarIsSet)
{
    EXPECT_EQ(std::string(theCmnWin.GetStatusBarTxtById()), "");
    EXPECT_EQ(theCmnWin.SetStatusBarTxtById("準備完了"), -7);
    EXPECT_EQ(Traced("GetStatusBarTxtById"), 1);
    EXPECT_EQ(Traced("SetStatusBarTxtById"), 1);
    EXPECT_EQ(theCmnWin.SetStatusBar(nullptr), -9);

    ASSERT_EQ(theCmnWin.SetStatusBar(&main->status), 0);
    EXPECT_EQ(theCmnWin.GetStatusBar(), &main->status);
    UINT style = 0;
    int width = -1;
    EXPECT_EQ(theCmnWin.GetStatusBarPniById(&style, &width), 0);
    EXPECT_TRUE(style & SBPS_STRETCH);
    EXPECT_EQ(theCmnWin.SetStatusBarTxtById("準備完了"), 0);
    EXPECT_EQ(std::string(theCmnWin.GetStatusBarTxtById()), "準備完了");
    EXPECT_EQ(theCmnWin.SetStatusBarPniById(101, 101, SBPS_NORMAL, 80), 0);
    EXPECT_EQ(theCmnWin.SetStatusBarTxtById(101, "1 / 3 頁"), 0);
    EXPECT_EQ(std::string(main->status.GetPaneText(1)), "1 / 3 頁");
    EXPECT_EQ(std::string(theCmnWin.GetStatusBarTxtById(999)), "");
    EXPECT_EQ(Traced("GetStatusBarTxtById"), 2);
}

TEST_F(DlgTest, ADialogBarIsHiddenShownFloatedAndDockedAgain)
{
    CDialogBar* bar = &main->bar;
    PumpPending();
    ASSERT_EQ(theCmnWin.IsBarVisible(bar), 1);
    ASSERT_EQ(theCmnWin.IsBarFloating(bar), 0);
    EXPECT_TRUE(theCmnWin.GetBarStyle(bar) & CBRS_ALIGN_TOP);
    CSize size = theCmnWin.GetBarSize(bar);
    CRect rect = theCmnWin.GetBarRect(bar);
    EXPECT_EQ(size, rect.Size());

    EXPECT_EQ(theCmnWin.HideBar(bar), 0);
    EXPECT_FALSE(bar->IsWindowEnabled());
    EXPECT_EQ(theCmnWin.IsBarVisible(bar), 0);
    EXPECT_EQ(theCmnWin.HideBar(), 0);
    EXPECT_FALSE(bar->IsWindowVisible());
    EXPECT_EQ(theCmnWin.ShowBar(bar), 0);
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_TRUE(bar->IsWindowEnabled());

    // Redrawing leaves the bar where it is, however often.
    rect = theCmnWin.GetBarRect(bar);
    theCmnWin.RedrawBar(bar);
    theCmnWin.RedrawBar(bar);
    EXPECT_EQ(theCmnWin.GetBarRect(bar), rect);

    EXPECT_EQ(theCmnWin.FloatBar(bar, CPoint(300, 320)), 0);
    EXPECT_EQ(theCmnWin.IsBarFloating(bar), 1);
    HWND floating = ::GetParent(bar->m_hWnd);
    while (floating && (::GetWindowLongPtrA(floating, GWL_STYLE) & WS_CHILD)) floating = ::GetParent(floating);
    EXPECT_EQ(ScreenRect(floating).TopLeft(), CPoint(300, 320));
    EXPECT_EQ(theCmnWin.FloatBar(bar), 0) << "again at its place";
    EXPECT_EQ(ScreenRect(floating).TopLeft(), CPoint(300, 320));
    CRect floated = ScreenRect(bar->m_hWnd);
    theCmnWin.RedrawBar(bar);
    EXPECT_EQ(ScreenRect(bar->m_hWnd), floated);

    EXPECT_EQ(theCmnWin.DockBar(bar, AFX_IDW_DOCKBAR_LEFT, nullptr), 0);
    EXPECT_EQ(theCmnWin.IsBarFloating(bar), 0);
    EXPECT_EQ(::GetDlgCtrlID(::GetParent(bar->m_hWnd)), AFX_IDW_DOCKBAR_LEFT);

    EXPECT_EQ(theCmnWin.GetBarRect(nullptr), CRect(0, 0, 0, 0));
    EXPECT_EQ(theCmnWin.ShowBar(nullptr), -9);
    EXPECT_EQ(Traced("GetBarRect"), 1);
}

TEST_F(DlgTest, MenuItemsAreUpdatedOnceWhenHandlersDeleteSome)
{
    CMenu popup, sub;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    for (UINT id : {4u, 5u, 6u}) sub.AppendMenu(MF_STRING, id, "item");
    for (UINT id : {1u, 2u, 3u}) popup.AppendMenu(MF_STRING, id, "item");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "sub");
    popup.AppendMenu(MF_STRING, 7, "item");
    popup.AppendMenu(MF_STRING, 8, "no handler");
    popup.EnableMenuItem(8, MF_GRAYED);

    MenuTarget target;
    EXPECT_EQ(theCmnWin.UpdateMenu(&target, &popup, nullptr), 0);
    for (int id = 1; id <= 7; ++id) EXPECT_EQ(target.counts[id], 1) << id;
    EXPECT_EQ(popup.GetMenuItemCount(), 6u);
    EXPECT_EQ(popup.GetSubMenu(3)->GetMenuItemCount(), 2u);
    EXPECT_EQ(popup.GetMenuState(2, MF_BYCOMMAND), static_cast<UINT>(-1)) << "deleted";
    EXPECT_TRUE(popup.GetMenuState(8, MF_BYCOMMAND) & MF_GRAYED) << "left as it was";
    EXPECT_EQ(theCmnWin.UpdateMenu(nullptr, &popup, nullptr), -9);
}

TEST_F(DlgTest, TheRebarSetsTheItemsOfItsPopupMenusOnceInitialised)
{
    MenuReb reb;
    ASSERT_TRUE(reb.Create(main));
    CWnd band;
    ASSERT_TRUE(band.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 24), main, 3003));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 9, "item");
    reb.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    EXPECT_FALSE(popup.GetMenuState(9, MF_BYCOMMAND) & MF_CHECKED);
    ASSERT_EQ(reb.Init(&band, 0, 0xFFFFFF, "帯", 0), 0);
    reb.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    EXPECT_TRUE(popup.GetMenuState(9, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(DlgTest, TheFocusedDialogIsFoundFromACombosEditButNotFromAChildWindow)
{
    TestDlg* d = OpenDlg();
    ASSERT_TRUE(d);
    HWND combo = d->Item(IDC_T_COMBO);
    ::SetFocus(combo);
    ASSERT_EQ(::GetParent(::GetFocus()), combo) << "the focus is in the combo box's edit";
    CWnd* found = nullptr;
    int is = -1;
    EXPECT_EQ(theCmnWin.IsExistFcsDlg(&found, &is), combo);
    EXPECT_EQ(found, d);
    EXPECT_EQ(is, 1);

    CWnd inner;
    ASSERT_TRUE(inner.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 40), d, 3000));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &inner, 3001));
    ::SetFocus(edit.m_hWnd);
    EXPECT_EQ(theCmnWin.IsExistFcsDlg(&found, &is), edit.m_hWnd);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(is, 0);
    EXPECT_EQ(theCmnWin.IsExistFcsDlg(nullptr, &is), nullptr);
    EXPECT_EQ(Traced("IsExistFcsDlg"), 1);
}

TEST_F(DlgTest, TheNameWithoutItsExtensionIsSelectedInANameBox)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 300, 30), &main->pane, 3002));
    const struct {
        const char* name;
        int end; // bytes
    } cases[] = {{"photo.jpeg", 5}, {"写真.jpg", 4}, {"a.b.tar", 3}, {"README", 6}, {"\"a.jpg\" \"b.jpg\"", 0}, {"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        edit.SetWindowText(c.name);
        ::SetFocus(main->m_hWnd);
        edit.SendMessage(EM_SETSEL, 0, 0);
        EXPECT_EQ(theCmnWin.SetSelFilNam(edit.m_hWnd), 0);
        PumpPending();
        int start = -1, end = -1;
        ASSERT_EQ(VkeDrwGetSelectionCtl(theCmnAppInf.pDrw, edit.m_hWnd, &start, &end), 0);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, c.end);
        if (c.end) {
            EXPECT_EQ(::GetFocus(), edit.m_hWnd);
        }
    }
    edit.ShowWindow(SW_HIDE);
    EXPECT_EQ(theCmnWin.SetSelFilNam(edit.m_hWnd), -9);
}

TEST_F(DlgTest, TheClientRectangleAndThePaneAndTheBarsInTheDefaultRectangle)
{
    CRect client, pane;
    EXPECT_EQ(theCmnWin.GetRealClientRect(&client, &pane), 0);
    CRect own;
    main->GetClientRect(&own);
    EXPECT_EQ(client, own);
    CRect expected = ScreenRect(main->pane.m_hWnd);
    ::MapWindowPoints(nullptr, main->m_hWnd, reinterpret_cast<POINT*>(&expected), 2);
    EXPECT_EQ(pane, expected);
    EXPECT_FALSE(pane.IsRectEmpty());
    EXPECT_EQ(theCmnWin.GetRealClientRect(nullptr, &pane), -7);

    // Two wide bars side by side need more than 80 % of the screen's width.
    CDialogBar wide1, wide2;
    ASSERT_TRUE(wide1.Create(main, IDD_TBAR_WIDE, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE811));
    ASSERT_TRUE(wide2.Create(main, IDD_TBAR_WIDE, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE812));
    wide1.EnableDocking(CBRS_ALIGN_ANY);
    wide2.EnableDocking(CBRS_ALIGN_ANY);
    main->DockControlBar(&wide1, AFX_IDW_DOCKBAR_TOP);
    main->DockControlBar(&wide2, AFX_IDW_DOCKBAR_TOP);
    main->RecalcLayout();
    ASSERT_EQ(theCmnWin.Init(4), 0);
    EXPECT_EQ(theCmnWin.Init(4), -7);
    theCmnWin.SetBar(1, &main->status);
    theCmnWin.SetBar(2, &wide1);
    theCmnWin.SetBar(3, &wide2);
    EXPECT_EQ(theCmnWin.SetBar(4, &wide1), -9);
    int cx = ::GetSystemMetrics(SM_CXMAXIMIZED), cy = ::GetSystemMetrics(SM_CYMAXIMIZED);
    int bars = ScreenRect(wide1.m_hWnd).Width() + ScreenRect(wide2.m_hWnd).Width();
    ASSERT_GT(bars, cx * 8 / 10);
    CRect rect;
    app->SetDefWinRct(&rect);
    EXPECT_GE(rect.Width(), std::min(cx, bars));
    EXPECT_LE(rect.Width(), cx);
    EXPECT_EQ(rect.Height(), cy * 8 / 10) << "side by side they add no height beyond 80 %";
    EXPECT_EQ(rect.left, (cx - rect.Width()) / 2);
    theCmnWin.Term();
    app->SetDefWinRct(&rect);
    EXPECT_EQ(rect.Width(), cx * 8 / 10);
}

namespace {

// A window that counts its timer ticks (the first one also sets an event) and answers WM_APP 77.
struct TickWindow {
    static int ticks;
    static HANDLE ticked;
    static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_TIMER) {
            ++ticks;
            SetEvent(ticked);
            return 0;
        }
        if (message == WM_APP) return 77;
        return DefWindowProcA(wnd, message, wParam, lParam);
    }
};
int TickWindow::ticks = 0;
HANDLE TickWindow::ticked = nullptr;

// Waits a while for the first tick, then sends WM_APP and keeps the answer.
struct Sender {
    HWND wnd;
    LRESULT answer = 0;
    static DWORD WINAPI Run(void* p)
    {
        Sender* s = static_cast<Sender*>(p);
        WaitForSingleObject(TickWindow::ticked, 300);
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(s->wnd, WM_APP, 0, 0, SMTO_NORMAL, 10000, &result)) s->answer = static_cast<LRESULT>(result);
        return 0;
    }
};

} // namespace

// A wait that meets the application's end dispatches nothing more (a timer ticks in vain) while
// it still answers what the worker sends; the quit is in the queue again for the loop outside.
TEST_F(DlgTest, AWaitThatMeetsTheQuitDispatchesNothingMore)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &TickWindow::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VktTickWindow";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(wnd);
    TickWindow::ticks = 0;
    TickWindow::ticked = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetTimer(wnd, 1, USER_TIMER_MINIMUM, nullptr);
    PostQuitMessage(9);
    Sender sender{wnd};
    HANDLE thread = CreateThread(nullptr, 0, &Sender::Run, &sender, 0, nullptr);
    int pumping = 0;
    CmnWin::WaitPumping(&thread, 1, &pumping);
    KillTimer(wnd, 1);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_EQ(TickWindow::ticks, 0) << "input dispatched after the quit";
    EXPECT_EQ(sender.answer, 77);
    EXPECT_EQ(pumping, 0);
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
    CloseHandle(thread);
    CloseHandle(TickWindow::ticked);
    DestroyWindow(wnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}
