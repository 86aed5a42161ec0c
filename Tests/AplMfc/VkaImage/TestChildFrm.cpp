// The main frame as the program makes it: its bars and panels, the error report, the focus and
// message requests, sizing and activation, the reports of the tree and the list, the exit order
// with the saved state, and the application's panel commands.
#include "TestChildFrm.h"
#include "ChildViw.h"
#include "CPrintingDialog.h"
#include "CmnImg.h"
#include "CmnVar.h"
#include "CmnWin.h"
#include "DlgSetOpt.h"
#include "HalcorRes.h"
#include <functional>
#include <new>
#include <string.h>
#include <vector>

namespace {

// An edit that, given the focus, asks the frame for it again.
HWND g_asker;
WNDPROC g_askerProc;
int g_asked;
LRESULT CALLBACK AskAgain(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETFOCUS) {
        ++g_asked;
        PostMessageA(GetAncestor(wnd, GA_ROOT), CmnWmSetFcs, reinterpret_cast<WPARAM>(g_asker), 0);
    }
    return CallWindowProcA(g_askerProc, wnd, msg, wParam, lParam);
}

} // namespace

void FrmTest::SetUp()
{
    Clean();
    Put("bOpnSmpImg", "0");
    app = new TestHalcor;
}

void FrmTest::TearDown()
{
    // The error report a test left is written (and forgotten) before the frame goes.
    VktPump();
    if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
    app->HalcorApp::ExitInstance();
    delete app;
    app = nullptr;
    VktPump();
    Clean();
}

void FrmTest::Run()
{
    ASSERT_TRUE(app->InitInstance());
    main = DYNAMIC_DOWNCAST(ChildFrm, app->m_pMainWnd);
    ASSERT_NE(main, nullptr);
    for (DWORD start = GetTickCount(); !app->IsStarted() && GetTickCount() - start < 20000;) VktPump(10);
    ASSERT_TRUE(app->IsStarted());
    // The first idle moment's steps (the options dialog).
    app->RunAfterStart();
    main->SetActiveWindow();
    VktPump();
}

DWORD FrmTest::SettledGdiObjects()
{
    VktPumpUntil([&] { return !main->GetPnlLscFil().IsFilling(); });
    DWORD last = VktGdiObjects();
    for (int same = 0, i = 0; same < 3 && i < 100; ++i) {
        VktPump(100);
        const DWORD now = VktGdiObjects();
        same = now == last ? same + 1 : 0;
        last = now;
    }
    return last;
}

int FrmTest::Update(UINT id, int* checked)
{
    Probe probe;
    probe.m_nID = id;
    probe.DoUpdate(main, FALSE);
    if (checked) *checked = probe.checked;
    return probe.enabled;
}

void FrmTest::Command(UINT id)
{
    main->SendMessage(WM_COMMAND, id);
    VktPump();
}

HWND FrmTest::EditIn(CWnd* panel)
{
    return CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 30, 60, 20, panel->m_hWnd,
                           reinterpret_cast<HMENU>(2001), nullptr, nullptr);
}

CRect FrmTest::Place(CWnd& bar)
{
    CRect rect;
    bar.GetWindowRect(&rect);
    main->ScreenToClient(&rect);
    return rect;
}

TEST_F(FrmTest, TheFrameHasItsBarsAndPanelsInTheTables)
{
    Run();
    EXPECT_TRUE(main->IsInit());
    CControlBar* bars[] = {&main->GetToolBar(), &main->GetStatusBar(), &main->GetPnlTrcFld(), &main->GetPnlLscFil(),
                           &main->GetPnlPrv(), &main->GetPnlFilCmd(), &main->GetPnlOpr()};
    ASSERT_EQ(theCmnWin.GetBarCount(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(theCmnWin.GetBar(i), bars[i]) << i;
    EXPECT_EQ(app->GetPanel(VkaPnlOpr), &main->GetPnlOpr());
    EXPECT_EQ(main->GetToolBar().GetDlgCtrlID(), 0xE800);
    EXPECT_EQ(main->GetStatusBar().GetDlgCtrlID(), 0xE801);
    EXPECT_EQ(main->GetStatusBar().GetItemID(1), static_cast<UINT>(ID_INDICATOR_PAGE));
    UINT id = 0, style = 0;
    int width = 0;
    ASSERT_EQ(theCmnWin.GetStatusBarPniById(ID_INDICATOR_PAGE, &id, &style, &width), 0);
    int cx = 0, cy = 0;
    VkeDrwGetCharSize(theCmnAppInf.pDrw, main->GetStatusBar().m_hWnd, &cx, &cy);
    EXPECT_EQ(width, 120 * cx);
    // The default list: 39 entries, 32 buttons; the preview goes to a tab by default.
    EXPECT_EQ(main->GetToolBar().GetCount(), 39);
    EXPECT_EQ(main->GetToolBar().GetItemID(0), static_cast<UINT>(ID_FILE_OPEN));
    EXPECT_FALSE(Visible(main->GetPnlPrv()));
    EXPECT_TRUE(Visible(main->GetPnlTrcFld()));
    EXPECT_TRUE(main->GetPnlOpr().m_pDockBar && main->GetPnlOpr().m_pDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_RIGHT);
    char title[64] = {};
    main->GetWindowText(title, sizeof(title));
    EXPECT_STREQ(title, "Pictavo");
    EXPECT_STREQ(ChildFrm::GetPendingReport(), "");
}

TEST_F(FrmTest, ASecondReportBeforeTheLogKeepsTheFirst)
{
    Run();
    main->SendMessage(VkeWmTraceError, reinterpret_cast<WPARAM>("First"), -9);
    main->SendMessage(VkeWmTraceError, reinterpret_cast<WPARAM>("Second"), -1);
    std::string report = ChildFrm::GetPendingReport();
    char text[VKE_MSG_SIZE] = {};
    VkeSubGetErrMsg(theCmnAppInf.pSub, -9, text);
    EXPECT_EQ(report, "エラーが起こりました。\n\n関数名 = [First]\n\nエラーメッセージ = [" + std::string(text) +
                          "]\n\n戻り値 = [-9]");
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, main->m_hWnd, CmnWmLogError, CmnWmLogError, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, main->m_hWnd, CmnWmLogError, CmnWmLogError, PM_NOREMOVE)) << "one write";
    main->SendMessage(CmnWmLogError);
    EXPECT_STREQ(ChildFrm::GetPendingReport(), "");
    main->SendMessage(VkeWmTraceError, reinterpret_cast<WPARAM>("Third"), -1);
    EXPECT_NE(std::string(ChildFrm::GetPendingReport()).find("[Third]"), std::string::npos);
    VktPump();
    EXPECT_STREQ(ChildFrm::GetPendingReport(), "");
}

TEST_F(FrmTest, FocusRequestsAndAMessageThatDropsTheQueuedOnes)
{
    Run();
    HWND a = EditIn(&main->GetPnlOpr());
    HWND b = EditIn(&main->GetPnlFilCmd());
    EXPECT_EQ(main->SendMessage(CmnWmSetFcs, reinterpret_cast<WPARAM>(a)), 1);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(main->SendMessage(CmnWmSetFcs), 0);
    HWND gone = EditIn(&main->GetPnlOpr());
    DestroyWindow(gone);
    EXPECT_EQ(main->SendMessage(CmnWmSetFcs, reinterpret_cast<WPARAM>(gone)), 0);

    // A focus request queued as the message closes (the edit that gets the focus back asks for
    // it again) loses to the message's own window.
    SetFocus(a);
    g_asker = a;
    g_askerProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AskAgain)));
    VktMsgBox answer({IDOK});
    EXPECT_EQ(main->SendMessage(CmnWmMsgFcs, reinterpret_cast<WPARAM>(b), IDS_VKA_NOT_FOUND), 1);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_GT(g_asked, 0);
    VktPump();
    EXPECT_EQ(GetFocus(), b);
    SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_askerProc));
}

TEST_F(FrmTest, SizingStopsAt300And300)
{
    Run();
    RECT rect = {10, 20, 210, 120};
    main->SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 300);
    EXPECT_EQ(rect.left, 10);
    RECT big = {0, 0, 500, 400};
    main->SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&big));
    EXPECT_EQ(big.right, 500);
    EXPECT_EQ(big.bottom, 400);
}

// What a frame grown to rect shows once its messages are handled, against what it shows when
// every window is painted again: the pixels that differ, and where.
static int StaleAfterGrowing(CWnd* frame, const std::function<void()>& grow, RECT* where)
{
    grow();
    VktPump(300);
    CRect client;
    frame->GetClientRect(&client);
    VktDib grown(client.Width(), client.Height()), painted(client.Width(), client.Height());
    HDC dc = ::GetDC(frame->m_hWnd);
    ::BitBlt(grown.Dc(), 0, 0, client.Width(), client.Height(), dc, 0, 0, SRCCOPY);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    VktPump(300);
    ::BitBlt(painted.Dc(), 0, 0, client.Width(), client.Height(), dc, 0, 0, SRCCOPY);
    ::ReleaseDC(frame->m_hWnd, dc);
    int stale = 0;
    SetRectEmpty(where);
    for (int y = 0; y < client.Height(); ++y)
        for (int x = 0; x < client.Width(); ++x) {
            if (grown.At(x, y) == painted.At(x, y)) continue;
            RECT pixel = {x, y, x + 1, y + 1};
            UnionRect(where, where, &pixel);
            ++stale;
        }
    return stale;
}

TEST_F(FrmTest, AGrownFrameShowsWhatARepaintOfEveryWindowShows)
{
    Run();
    main->ShowWindow(SW_RESTORE);
    main->SetWindowPos(static_cast<const CWnd*>(nullptr), 20, 20, 700, 500, SWP_NOZORDER);
    VktPump(300);
    RECT where;
    // A border drag that makes it wider and higher, then a maximise.
    auto drag = [this] { main->SetWindowPos(static_cast<const CWnd*>(nullptr), 20, 20, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE); };
    EXPECT_EQ(StaleAfterGrowing(main, drag, &where), 0)
        << where.left << "," << where.top << " - " << where.right << "," << where.bottom;
    auto maximise = [this] { main->ShowWindow(SW_MAXIMIZE); };
    EXPECT_EQ(StaleAfterGrowing(main, maximise, &where), 0)
        << where.left << "," << where.top << " - " << where.right << "," << where.bottom;
}

TEST_F(FrmTest, TheFocusComesBackToThePanelControlAfterAnotherWindow)
{
    Run();
    HWND edit = EditIn(&main->GetPnlOpr());
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    other.SetActiveWindow();
    VktPump();
    EXPECT_NE(GetFocus(), edit);
    main->SetActiveWindow();
    VktPump();
    EXPECT_EQ(GetFocus(), edit);
    other.DestroyWindow();
}

TEST_F(FrmTest, AWindowWhoseObjectHasGoneIsNoDialogOrPanelOfTheProgram)
{
    Run();
    // A print job's status window that frames abandoned by the platform left behind: the
    // keyboard on its 中止, the window map still naming an object whose memory is now
    // another's (the bytes as the fault found them).
    alignas(CPrintingDialog) unsigned char place[sizeof(CPrintingDialog)];
    CPrintingDialog* status = new (place) CPrintingDialog;
    ASSERT_TRUE(status->Open(main, "doc", "PDF", "PDF"));
    HWND stop = ::GetDlgItem(status->m_hWnd, IDCANCEL);
    ::SetFocus(stop);
    ASSERT_EQ(::GetFocus(), stop);
    ASSERT_EQ(CWnd::FromHandlePermanent(status->m_hWnd), status);
    std::vector<unsigned char> kept(place, place + sizeof(place));
    memset(place, 0xFF, sizeof(place));

    CWnd* found = main;
    int is = -1;
    EXPECT_EQ(theCmnWin.IsExistFcsDlg(&found, &is), stop);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(is, 0);
    EXPECT_EQ(theCmnWin.IsExistEdtDlg(&found, &is), stop);
    EXPECT_EQ(is, 0);
    EXPECT_EQ(theCmnWin.IsTextBox(stop), 0);
    // The print and edit commands' states of the next idle moment ask the lookup.
    EXPECT_NE(Update(ID_FILE_PRINT), -1);
    EXPECT_NE(Update(ID_EDIT_COPY), -1);

    memcpy(place, kept.data(), sizeof(place));
    status->DestroyWindow();
    status->~CPrintingDialog();
}

TEST_F(FrmTest, APanelsTextBoxesSelectAllAndAPasteLeavesTheKeyboardThere)
{
    Run();
    CWnd& panel = main->GetPnlFilCmd();
    HWND box = ::GetDlgItem(panel.m_hWnd, IDC_FILCMD_PERIND), place = ::GetDlgItem(panel.m_hWnd, IDC_FILCMD_PLACE);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(place, nullptr);
    auto text = [](HWND wnd) {
        char t[64] = {};
        ::GetWindowTextA(wnd, t, sizeof(t));
        return std::string(t);
    };

    // Select all in the interval's box and in the place's combo box.
    FocusItem(panel.m_hWnd, box);
    ::SendMessageA(box, EM_SETSEL, 0, 0);
    ASSERT_EQ(::GetFocus(), box);
    ASSERT_FALSE(text(box).empty());
    EXPECT_EQ(Update(ID_EDIT_SELECT_ALL), 1);
    Command(ID_EDIT_SELECT_ALL);
    DWORD start = 9, end = 0;
    ::SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, text(box).size());
    FocusItem(panel.m_hWnd, place);
    ::SetWindowTextA(place, "C:\\");
    ::SendMessageA(place, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(Update(ID_EDIT_SELECT_ALL), 1);
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(::SendMessageA(place, CB_GETEDITSEL, 0, 0), MAKELRESULT(0, 3));

    // A paste over the box's text: the box keeps the keyboard, and typing goes on there.
    FocusItem(panel.m_hWnd, box);
    ::SendMessageA(box, EM_SETSEL, 0, -1);
    ASSERT_EQ(theCmnImg.CopyStrToClb(main->m_hWnd, "250"), 0);
    EXPECT_EQ(Update(ID_EDIT_PASTE), 1);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(text(box), "250");
    EXPECT_EQ(::GetFocus(), box);
    ::SendMessageA(::GetFocus(), WM_CHAR, '0', 0);
    EXPECT_EQ(text(box), "2500");

    // Elsewhere select all is the file list's.
    main->GetPnlLscFil().GetLscFil()->SetFocus();
    VktPump();
    ASSERT_EQ(::GetFocus(), main->GetPnlLscFil().GetLscFil()->m_hWnd);
    Probe probe;
    probe.m_nID = ID_EDIT_SELECT_ALL;
    probe.DoUpdate(main, FALSE);
    int items = main->GetPnlLscFil().GetLscFil()->GetItemCount();
    EXPECT_EQ(probe.enabled, items > 0 ? 1 : 0);
}

TEST_F(FrmTest, ReportsOfStrangersAndMissingArgumentsAreAnsweredAndIgnored)
{
    Run();
    CmnVarItmIdl sel = {};
    HWND stranger = main->GetPnlOpr().m_hWnd;
    const char folder[] = "C:\\";
    struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT expected;
    } cases[] = {
        {CmnWmChgSel, reinterpret_cast<WPARAM>(stranger), reinterpret_cast<LPARAM>(&sel), 1},
        {CmnWmChgSel, 0, reinterpret_cast<LPARAM>(&sel), 0},
        {CmnWmChgSel, reinterpret_cast<WPARAM>(stranger), 0, 0},
        {CmnWmOpnDir, reinterpret_cast<WPARAM>(stranger), reinterpret_cast<LPARAM>(folder), 1},
        {CmnWmOpnDir, reinterpret_cast<WPARAM>(stranger), 0, 0},
        {CmnWmReqOpnDir, reinterpret_cast<WPARAM>(stranger), reinterpret_cast<LPARAM>(folder), 1},
        {CmnWmReqOpnImg, reinterpret_cast<WPARAM>(stranger), 0, 1},
        {CmnWmSelImg, reinterpret_cast<WPARAM>(stranger), reinterpret_cast<LPARAM>(folder), 1},
        {CmnWmActImg, reinterpret_cast<WPARAM>(stranger), 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(main->SendMessage(c.message, c.wParam, c.lParam), c.expected) << std::hex << c.message;
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, main->m_hWnd, WM_COMMAND, WM_COMMAND, PM_NOREMOVE)) << "no focus move posted";
    EXPECT_STREQ(ChildFrm::GetPendingReport(), "");
}

TEST_F(FrmTest, ACloseDuringAPumpingWaitComesBackAfterIt)
{
    Run();
    app->m_bPumping = 1; // as inside a wait that handles a message
    main->SendMessage(WM_CLOSE);
    ASSERT_TRUE(IsWindow(main->m_hWnd)) << "refused";
    // The frame's own queue; what the file list's workers post to the list meanwhile is handled.
    auto next = [&](MSG* msg, UINT remove) {
        while (PeekMessageA(msg, main->m_hWnd, 0, 0, PM_NOREMOVE)) {
            if (msg->hwnd == main->m_hWnd)
                return remove == PM_NOREMOVE || PeekMessageA(msg, main->m_hWnd, msg->message, msg->message, PM_REMOVE);
            PeekMessageA(msg, msg->hwnd, msg->message, msg->message, PM_REMOVE);
            DispatchMessageA(msg);
        }
        return false;
    };
    MSG msg;
    ASSERT_TRUE(next(&msg, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(CmnWmBusyClose));
    ASSERT_TRUE(next(&msg, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    app->m_bPumping = 0;
    HWND wnd = main->m_hWnd;
    VktPump();
    EXPECT_FALSE(IsWindow(wnd)) << "the close came again and went through";
    EXPECT_EQ(theCmnAppInf.pMainFrame, nullptr);
}

TEST_F(FrmTest, TheSavedStateKeepsTheRestoredRectangleAndTheBars)
{
    Put("strBriTlb_1", "0100000040E10000", "Common Information");
    Put("iCntHexStr", "1", "Common Information");
    Run();
    EXPECT_EQ(main->GetToolBar().GetCount(), 39) << "a short layout gives the default list";
    main->MoveWindow(40, 30, 700, 500);
    CRect normal;
    main->GetWindowRect(&normal);
    main->ShowWindow(SW_MINIMIZE);
    SIZE list = {180, 240};
    main->GetPnlLscFil().SetBri(&list);
    ASSERT_EQ(main->SaveState(), 0);
    EXPECT_EQ(theAppInf.sizBriDlb[VkaPnlLscFil].cx, 180);
    EXPECT_EQ(theAppInf.sizBriDlb[VkaPnlLscFil].cy, 240);
    EXPECT_EQ(CRect(theCmnAppInf.rctWindow), normal) << "minimised: its restored rectangle";
    EXPECT_EQ(theCmnAppInf.pMainFrame, nullptr);
    Bri bri = {};
    ASSERT_EQ(VkeSubGetHexStr(theCmnAppInf.pSub, theCmnAppInf.strBriTlb, reinterpret_cast<BYTE*>(&bri), sizeof(bri)), 0);
    EXPECT_EQ(bri.iCount, 39);
    EXPECT_EQ(bri.iId[38], ID_VKA_OPTIONS);
    EXPECT_EQ(Get("Bars", "Application Bar Information"), "7");

    // A rectangle without width is not stored; the options dialog's neither.
    main->ShowWindow(SW_RESTORE);
    theCmnAppInf.pMainFrame = main;
    CWnd* options = app->m_pDlgSetOpt;
    options->ModifyStyle(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | DS_MODALFRAME, 0);
    ::SetWindowPos(options->m_hWnd, nullptr, 5, 5, 0, 80, SWP_NOZORDER | SWP_FRAMECHANGED);
    CRect zero;
    options->GetWindowRect(&zero);
    ASSERT_EQ(zero.Width(), 0);
    theAppInf.rctDlgSetOpt = CRect(1, 2, 3, 4);
    ASSERT_EQ(main->SaveState(), 0);
    EXPECT_EQ(CRect(theAppInf.rctDlgSetOpt), CRect(1, 2, 3, 4));
}

TEST_F(FrmTest, DamagedSettingsGiveAUsableFrame)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        const char* rect[4]; // left, top, right, bottom
        const char* layout;  // the tool bar's saved layout text
        const char* bars;    // the bar state's count
    } cases[] = {
        {{"5000", "4000", "5600", "4500"}, "ZZ", "abc"},     // off the screen; not hexadecimal; damaged
        {{"100", "100", "100", "500"}, "0100000040E1", "-3"}, // no width; short; damaged
        {{"-900", "-900", "-100", "-300"}, "", "7"},          // off the screen; none; bars missing
    };
    for (const auto& c : cases) {
        const char* keys[] = {"rctWindow_left", "rctWindow_top", "rctWindow_right", "rctWindow_bottom"};
        for (int i = 0; i < 4; ++i) Put(keys[i], c.rect[i], "Common Information");
        Put("strBriTlb_1", c.layout, "Common Information");
        Put("iCntHexStr", "1", "Common Information");
        Put("Bars", c.bars, "Application Bar Information");
        Run();
        CRect rect;
        main->GetWindowRect(&rect);
        EXPECT_TRUE(rect.Width() >= 300 && rect.Height() >= 300) << c.rect[0];
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= cx && rect.bottom <= cy) << c.rect[0];
        EXPECT_EQ(main->GetToolBar().GetCount(), 39) << c.layout;
        for (CControlBar* bar : {static_cast<CControlBar*>(&main->GetPnlTrcFld()), static_cast<CControlBar*>(&main->GetPnlOpr())})
            EXPECT_TRUE(bar->IsWindowVisible() && bar->m_pDockBar) << c.bars;
        TearDown();
        SetUp();
    }
}

TEST_F(FrmTest, HelpWithoutItsFilesDoesNothing)
{
    Run();
    VktMsgBox answer;
    for (UINT id : {ID_VKA_HELP_HTM, ID_VKA_HELP_TXT, ID_VKA_HELP_KBM}) Command(id);
    VktPump(200);
    EXPECT_EQ(answer.Count(), 0);
    EXPECT_STREQ(ChildFrm::GetPendingReport(), "");
}
