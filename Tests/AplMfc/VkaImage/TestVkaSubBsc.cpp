// The application's start and end: the fix-ups of the settings in InitApi, the whole start with
// the first run's question and samples, what an exit writes or clears; the default colours, the
// options dialog, the process flags, the page counters and the combined result of a batch.
#include "TestAplVka.h"
#include "DlbPnlTrcFld.h"
#include "DlgSetOpt.h"
#include "HalcorRes.h"
#include "VkaBatch.h"

namespace {

// The default font text of the header and footer with another height: a font, not the default.
const char kOtherFont[] = "F0FFFFFF000000000000000000000000000000000000000100000000826C827220826F835383568362834E"
                          "000000000000000000000000000000000000000000";

COLORREF ColorOf(const char* text)
{
    COLORREF color = 1;
    EXPECT_EQ(theCmnSub.GetColor(text, &color), 0) << text;
    return color;
}

// The whole program's start in this process: the template's frame and view, the options dialog,
// the deferred start-up.
class RunTest : public VkaTest {
protected:
    void SetUp() override
    {
        Clean();
        app = new TestHalcor;
    }
    void TearDown() override
    {
        if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
        app->HalcorApp::ExitInstance();
        delete app;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Clean();
    }
};

} // namespace

TEST_F(VkaTest, StartFixesTheSettingsInOrder)
{
    const struct {
        int mode, width, height;
        int expectWidth, expectHeight, expectOrientation;
    } cases[] = {
        {2, 0, 0, 16, 16, 1}, // a fixed size without one: 16 by 16; the orientation is not the page set-up's
        {3, 0, 7, 1, 7, 3},   // a ratio: each side at least 1; with the page set-up, an orientation 3 or 4
    };
    for (const auto& c : cases) {
        Put("PoiFri_iMode", std::to_string(c.mode).c_str());
        Put("PoiFri_iWidth", std::to_string(c.width).c_str());
        Put("PoiFri_iHeight", std::to_string(c.height).c_str());
        Put("PoiFri_bShwFrm", "1");
        Put("PoiFri_bPagSet", "1");
        Put("PoiPri_iOrientation", "1");
        Put("PoiPri_amLogFontHdr", "no font");
        Put("PoiPri_amLogFontFtr", kOtherFont);
        Put("PoiPri_amHeader", "見出し");
        Put("PoiPri_amFooter", "脚注");
        Put("PciAii_iMode", "3");
        Put("SopShi_strColor_1", "xyz");
        Put("SopShi_iScrSize_1", "0");
        Put("SopShi_iScrSize_4", "-3");
        Put("SopSvi_iImgType", "5");
        Put("SopSvi_amFilExt", "");
        // The user folder's "Dat" is a file.
        CreateDirectoryA(Sys("Usr").c_str(), nullptr);
        RemoveDirectoryA(Sys("Usr\\Dat").c_str());
        ASSERT_TRUE(VktWriteFile(Sys("Usr\\Dat"), "x"));
        ASSERT_EQ(Start(), 0);

        const AppInf& inf = theAppInf;
        const Fri& fri = inf.poi.fri;
        EXPECT_EQ(fri.bShwFrm, 0);
        EXPECT_EQ(fri.iWidth, c.expectWidth) << c.mode;
        EXPECT_EQ(fri.iHeight, c.expectHeight) << c.mode;
        EXPECT_EQ(inf.poi.pri.iOrientation, c.expectOrientation) << c.mode;
        LOGFONTA font;
        EXPECT_EQ(theCmnSub.GetFont(Text(theAppInf.poi.pri.amLogFontHdr).c_str(), &font), 0);
        EXPECT_NE(Text(theAppInf.poi.pri.amLogFontHdr), kOtherFont) << "the default font, not a kept one";
        EXPECT_EQ(Text(theAppInf.poi.pri.amLogFontFtr), kOtherFont);
        EXPECT_EQ(Text(theAppInf.poi.pri.amHeader), "");
        EXPECT_EQ(Text(theAppInf.poi.pri.amFooter), "");
        EXPECT_EQ(inf.pciAii.iMode, 1);
        EXPECT_EQ(ColorOf(inf.sopShi.strColor[0]), RGB(0, 0, 0));
        EXPECT_EQ(inf.sopShi.iScrSize[0] + inf.sopShi.iScrSize[3], 2);
        EXPECT_EQ(Text(theAppInf.sopSvi.amFilExt), "png");
        DWORD attr = GetFileAttributesA(Sys("Usr\\Dat").c_str());
        EXPECT_TRUE(attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY));
        EXPECT_TRUE(Traced().empty());
        Restart();
    }
}

TEST_F(VkaTest, OnlyAStartedRunWritesOrClearsTheSettings)
{
    // The settings were read, the engine never started (as in a second instance).
    Put("SopBsi_bCleLog", "1");
    app->ReadIni();
    Exit();
    EXPECT_EQ(Keys(), std::vector<std::string>{"SopBsi_bCleLog"});

    const std::string kept = Sys("Quorvane.vmg");
    Put("File1", kept.c_str(), "Recent File List");
    Restart();
    ASSERT_EQ(app->m_pRecentFileList->GetSize() > 0 ? std::string((*app->m_pRecentFileList)[0]) : "", kept);
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(theAppInf.sopBsi.bCleLog, 1);
    theAppInf.pciFpi.iCurPathName[0] = 3;
    theAppInf.pciFpi.iIdxPathName[0] = 2;
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.ooi.amOpiPathName, "C:\\開く.csv");
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.svi.amSavDir, "C:\\保存");
    // The clear-log option: the recent files, the folders and the histories are forgotten.
    Exit();
    EXPECT_EQ(Get("File1", "Recent File List"), "(none)");
    EXPECT_EQ(Get("strCurDir", "Common Information"), "");
    EXPECT_EQ(Get("PciFpi_iCurPathName_1"), "0");
    EXPECT_EQ(Get("PciFpi_iIdxPathName_1"), "-1");
    EXPECT_EQ(Get("Ooi_amOpiPathName"), "");
    EXPECT_EQ(Get("Svi_amSavDir"), "");
}

// What the first painted frame does not need waits until the program has waited for input: the
// hidden options dialog with its pages and the printer set-up.
TEST_F(RunTest, TheOptionsDialogAndThePrinterComeAfterTheFirstWait)
{
    Put("bOpnSmpImg", "0");
    ASSERT_TRUE(app->InitInstance());
    for (DWORD start = GetTickCount(); !app->IsStarted() && GetTickCount() - start < 20000;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    ASSERT_TRUE(app->IsStarted());
    EXPECT_EQ(app->m_pDlgSetOpt, nullptr);
    EXPECT_EQ(app->m_hDevMode, nullptr);
    CWnd* main = app->m_pMainWnd;
    main->SetActiveWindow();
    VktPump();
    const HWND focus = GetFocus();
    CRect frame;
    main->GetWindowRect(&frame);
    // The idle step sets the timer; its tick, once the thread waits, runs the steps.
    for (LONG n = 0; n < 20 && app->OnIdle(n); ++n) {
    }
    EXPECT_EQ(app->m_pDlgSetOpt, nullptr) << "not before the program waited for input";
    // The message loop's idle steps go on: a folder still filling the file list puts them off.
    for (DWORD start = GetTickCount(); !app->m_pDlgSetOpt && GetTickCount() - start < 20000;) {
        VktPump(10);
        for (LONG n = 0; n < 20 && app->OnIdle(n); ++n) {
        }
    }
    DlgSetOpt* dlg = app->m_pDlgSetOpt;
    ASSERT_TRUE(dlg && dlg->m_hWnd);
    for (int type : {SopTypBsi, SopTypPni, SopTypShi}) EXPECT_NE(dlg->GetSopPage(type), nullptr) << type;
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_EQ(GetFocus(), focus) << "the focus stays where the start put it";
    CRect rect;
    dlg->GetWindowRect(&rect);
    EXPECT_EQ(rect.CenterPoint(), frame.CenterPoint()) << "centred on the frame, as the start places it";
    EXPECT_NE(app->m_hDevMode, nullptr) << "the printer of the test bed";
    EXPECT_FALSE(app->RunAfterStart()) << "once";
}

namespace {

// The times a top-level window of the framework's classes is told it shows, seen by a hook of
// this thread.
int g_frameShows = 0;

LRESULT CALLBACK CountFrameShows(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* c = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char cls[8] = {};
    if (code == HC_ACTION && c->message == WM_SHOWWINDOW && c->wParam && !GetParent(c->hwnd) &&
        GetClassNameA(c->hwnd, cls, sizeof(cls)) && strncmp(cls, "Afx:", 4) == 0)
        ++g_frameShows;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The tooltip windows a top-level window owns.
int OwnedToolTips(HWND owner)
{
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
         w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr))
        if (GetWindow(w, GW_OWNER) == owner) ++count;
    return count;
}

} // namespace

// What the start shows stays as it was while less is made before the first paint: the frame is
// shown once, laid out, with its bars and panels (the preview's hidden), the folder tree
// selecting a folder; the panels' tooltips are made when the mouse first comes.
TEST_F(RunTest, TheFrameShowsOnceWithItsPanelsAndTheTooltipsWaitForTheMouse)
{
    Put("bOpnSmpImg", "0");
    g_frameShows = 0;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountFrameShows, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    bool started = app->InitInstance() != FALSE;
    for (DWORD start = GetTickCount(); started && !app->IsStarted() && GetTickCount() - start < 20000;) VktPump(10);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(started && app->IsStarted());
    CWnd* main = app->m_pMainWnd;
    EXPECT_EQ(g_frameShows, 1) << "shown once, where it belongs";
    EXPECT_TRUE(main->IsWindowVisible());
    for (int i : {VkaPnlTrcFld, VkaPnlLscFil, VkaPnlFilCmd, VkaPnlOpr})
        EXPECT_TRUE(app->GetPanel(i)->IsWindowVisible()) << i;
    EXPECT_FALSE(app->GetPanel(VkaPnlPrv)->IsWindowVisible());
    HWND tree = GetDlgItem(app->GetPanel(VkaPnlTrcFld)->m_hWnd, IDC_DLBPNL_TRCFLD);
    EXPECT_NE(TreeView_GetSelection(tree), nullptr);

    // A tooltip of a child window is owned by its top-level window; the tree view makes its own.
    CmnDlb* opr = app->GetPanel(VkaPnlOpr);
    const int before = OwnedToolTips(main->m_hWnd);
    EXPECT_LE(before, 1);
    HWND button = GetWindow(opr->m_hWnd, GW_CHILD);
    ASSERT_NE(button, nullptr);
    CRect rect;
    GetWindowRect(button, &rect);
    MSG msg = {button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), GetTickCount(), rect.TopLeft() + CPoint(2, 2)};
    app->PreTranslateMessage(&msg);
    EXPECT_EQ(OwnedToolTips(main->m_hWnd), before + 1);
}

TEST_F(RunTest, AFirstRunAsksOnceAndTellsOfEachMissingSample)
{
    // The samples' folder without its samples: the folder tree shows it all the same.
    CreateDirectoryA(Sys("Vkt").c_str(), nullptr);
    CreateDirectoryA(Sys("Vkt\\Smp").c_str(), nullptr);
    ASSERT_TRUE(app->InitInstance());
    CFrameWnd* main = DYNAMIC_DOWNCAST(CFrameWnd, app->m_pMainWnd);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->IsWindowVisible());
    char title[64] = {};
    GetWindowTextA(main->m_hWnd, title, sizeof(title));
    EXPECT_STREQ(title, "Pictavo");
    EXPECT_EQ(theAppInf.bOpnSmpImg, 1);

    VktMsgBox answer({IDNO, IDOK});
    for (DWORD start = GetTickCount(); !app->IsStarted() && GetTickCount() - start < 20000;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    ASSERT_TRUE(app->IsStarted());
    ASSERT_EQ(answer.Count(), 3);
    EXPECT_EQ(answer.Seen()[0].text.rfind("ご利用ありがとうございます。", 0), 0u) << answer.Seen()[0].text;
    const std::string smp = Sys("Vkt\\Smp\\");
    EXPECT_EQ(answer.Seen()[1].text, "ファイルが見つかりません。\n\n" + smp + "サンプル１.jpg");
    EXPECT_EQ(answer.Seen()[2].text, "ファイルが見つかりません。\n\n" + smp + "サンプル２.bmp");
    EXPECT_EQ(theAppInf.bOpnSmpImg, 0);
    ASSERT_NE(app->GetPnlTrcFld(), nullptr);
    EXPECT_EQ(static_cast<const char*>(app->GetPnlTrcFld()->GetCurPathName()), Sys("Vkt\\Smp"));

    main->DestroyWindow();
    app->HalcorApp::ExitInstance();
    EXPECT_EQ(Get("bOpnSmpImg"), "0");
    // The 123 keys of empty folder lists and the history's one folder, the samples' the tree showed.
    EXPECT_EQ(Keys().size(), 124u);
    EXPECT_EQ(Get("PciFpi_amPathName_1_1"), Sys("Vkt\\Smp"));
}

TEST_F(VkaTest, DefaultColoursAndTheirRefusals)
{
    ASSERT_EQ(Start(), 0);
    char text[CmnPathSize] = {};
    char common[CmnPathSize] = {};
    COLORREF color = 1, expected = 2;
    ASSERT_EQ(app->GetDflColor(35, text, sizeof(text), &color), 0);
    EXPECT_EQ(color, RGB(0, 0, 0));
    EXPECT_EQ(ColorOf(text), RGB(0, 0, 0));
    ASSERT_EQ(app->GetDflColor(4, text, sizeof(text), &color), 0);
    ASSERT_EQ(theCmnSub.GetDflColor(4, common, sizeof(common), &expected), 0);
    EXPECT_EQ(color, expected);
    EXPECT_STREQ(text, common);
    EXPECT_EQ(app->GetDflColor(36, text, sizeof(text), &color), -9);
    EXPECT_EQ(app->GetDflColor(-1, text, sizeof(text), &color), -9);
    EXPECT_EQ(app->GetDflColor(35, nullptr, sizeof(text), &color), -9);
    EXPECT_EQ(app->GetDflColor(35, text, 0, &color), -9);
    EXPECT_EQ(app->GetDflColor(35, text, sizeof(text), nullptr), -9);
    EXPECT_EQ(Traced().size(), 5u);
}

TEST_F(VkaTest, TheOptionsDialogShowsInsideTheScreenAndItsButtonHidesIt)
{
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(app->ShowSetOptDlg(), -1) << "no dialog yet";
    app->m_pDlgSetOpt = new DlgSetOpt;
    ASSERT_TRUE(app->m_pDlgSetOpt->Create(IDD_DLGSETOPT, frame));
    CWnd* dlg = app->m_pDlgSetOpt;
    CRect before;
    dlg->GetWindowRect(&before);
    const int cx = GetSystemMetrics(SM_CXMAXIMIZED), cy = GetSystemMetrics(SM_CYMAXIMIZED);
    for (POINT at : {POINT{-300, -50}, POINT{cx - 10, cy + 400}}) {
        ::SetWindowPos(dlg->m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(app->ShowSetOptDlg(), 0);
        CRect r;
        dlg->GetWindowRect(&r);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= cx && r.bottom <= cy) << at.x << "," << at.y;
        EXPECT_EQ(r.Width(), before.Width());
        EXPECT_EQ(r.Height(), before.Height());
        EXPECT_TRUE(dlg->IsWindowVisible());
        dlg->SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_FALSE(dlg->IsWindowVisible());
        EXPECT_TRUE(IsWindow(dlg->m_hWnd)) << "closing only hides it";
    }
}

TEST_F(VkaTest, ProcessFlagsAndPageCounters)
{
    const struct {
        int (HalcorApp::*set)(int);
        int (HalcorApp::*get)(int*) const;
    } flags[] = {{&HalcorApp::SetFlgPrtAll, &HalcorApp::GetFlgPrtAll}, {&HalcorApp::SetFlgPrtAbt, &HalcorApp::GetFlgPrtAbt},
                 {&HalcorApp::SetFlgOpnInf, &HalcorApp::GetFlgOpnInf}, {&HalcorApp::SetFlgSelImg, &HalcorApp::GetFlgSelImg},
                 {&HalcorApp::SetFlgClsAll, &HalcorApp::GetFlgClsAll}, {&HalcorApp::SetFlgClsFrm, &HalcorApp::GetFlgClsFrm},
                 {&HalcorApp::SetFlgTabChg, &HalcorApp::GetFlgTabChg}};
    for (size_t i = 0; i < sizeof(flags) / sizeof(flags[0]); ++i) {
        int value = -1;
        ASSERT_EQ((app->*flags[i].set)(1), 0);
        ASSERT_EQ((app->*flags[i].get)(&value), 0);
        EXPECT_EQ(value, 1) << i;
        for (size_t j = 0; j < sizeof(flags) / sizeof(flags[0]); ++j) {
            (app->*flags[j].get)(&value);
            EXPECT_EQ(value, j == i ? 1 : 0) << "flag " << j << " apart from " << i;
        }
        EXPECT_EQ((app->*flags[i].set)(0), 0);
        EXPECT_EQ((app->*flags[i].get)(nullptr), -9);
    }
    EXPECT_EQ(app->NextPageNo(), 2) << "1 is the selected-image page's";
    EXPECT_EQ(app->NextPageNo(), 3);
    EXPECT_EQ(app->NextNewPageNo(), 1);
    EXPECT_EQ(app->NextNewPageNo(), 2);
    EXPECT_EQ(app->InitApp(), -1) << "no view: the start-up cannot run";
}

TEST(VkaBatchTest, ResultsCombineAsTheOpeningsGo)
{
    const struct {
        std::vector<int> results;
        int end;
        int expected;
        size_t taken; // results the batch took before it stopped
    } cases[] = {
        {{0, 0, 0}, 0, 0, 3},     {{0, 1, 0}, 0, 1, 3},       {{1, 3, 0}, 0, 3, 2},
        {{0, -10, 1}, 0, -10, 2}, {{1, 1}, -8, -8, 2},        {{3}, -8, -8, 1},
        {{-10}, -8, -10, 1},      {{1, 0, 1}, 0, 1, 3},
    };
    for (const auto& c : cases) {
        VkaBatch batch({VKE_OK, VKE_NOT_DONE, VKE_STOPPED});
        size_t taken = 0;
        for (int rc : c.results) {
            if (!batch.Going()) break;
            batch.Add(rc);
            ++taken;
        }
        batch.End(c.end);
        EXPECT_EQ(batch.Result(), c.expected) << c.expected;
        EXPECT_EQ(taken, c.taken) << c.expected;
        EXPECT_EQ(batch.IsQuiet(), c.expected >= 0) << c.expected;
    }
}
