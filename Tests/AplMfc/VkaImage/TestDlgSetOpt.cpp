// The options dialog: OK and Apply only after a change, what Apply and Close copy and send, the
// user directory's making, its page operations and refusals, the layout, and a fresh showing.
#include "TestDlgSetOpt.h"
#include "CmnRes.h"
#include "TestChildFrm.h"
#include <functional>

ChgOptCounter* ChgOptCounter::s_this = nullptr;

ChgOptCounter::ChgOptCounter()
{
    s_this = this;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
}

ChgOptCounter::~ChgOptCounter()
{
    UnhookWindowsHookEx(m_hook);
    s_this = nullptr;
}

LRESULT CALLBACK ChgOptCounter::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && s_this && sent->message == CmnWmChgOpt) s_this->counts[sent->hwnd]++;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void SopTest::SetUp()
{
    VkaTest::SetUp();
    ASSERT_EQ(Start(), 0);
}

void SopTest::Open()
{
    app->m_pDlgSetOpt = new DlgSetOpt;
    ASSERT_TRUE(app->m_pDlgSetOpt->Create(IDD_DLGSETOPT, frame));
    dlg = app->m_pDlgSetOpt;
    ASSERT_FALSE(dlg->IsWindowVisible());
    ASSERT_EQ(app->ShowSetOptDlg(), 0);
    VktPump();
}

void SopTest::Front(int type)
{
    dlg->SendMessage(WM_COMMAND, ID_VKA_SOP_BSI + type - SopTypBsi);
    VktPump();
}

void SopTest::ClickTab(int index)
{
    HWND tab = dlg->GetTbvPag().hTabWnd;
    RECT r = {};
    ::SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::PostMessageA(tab, WM_LBUTTONUP, 0, at);
    ::SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    VktPump();
}

void SopTest::Command(int id)
{
    dlg->SendMessage(WM_COMMAND, static_cast<WPARAM>(id));
    VktPump();
}

namespace {

int CurTab(DlgSetOpt* dlg)
{
    int index = -1;
    dlg->GetCurSel(&index);
    return index;
}

} // namespace

TEST_F(SopTest, OkAndApplyWaitForAChangeAndApplySendsTheNoticeOnceToEachWindow)
{
    Open();
    EXPECT_FALSE(Enabled(dlg, IDOK));
    EXPECT_FALSE(Enabled(dlg, IDC_DLGSETOPT_APPLY));
    Command(IDOK);
    EXPECT_TRUE(dlg->IsWindowVisible()) << "OK without a change does nothing";

    // A change on each page; the current page is the last one changed.
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_CLELOG);
    EXPECT_TRUE(Enabled(dlg, IDOK));
    // The pages hear of it too: their controls stop showing errors in colour.
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_CLRERR);
    EXPECT_FALSE(Enabled(Bsi(), IDC_DLGSOPBSI_CLR_ERR));
    EXPECT_TRUE(Enabled(dlg, IDC_DLGSETOPT_APPLY));
    Front(SopTypPni);
    TypeInto(Item(Pni(), IDC_DLGSOPPNI_CACHE), "500");
    Front(SopTypShi);
    TypeInto(Item(Shi(), IDC_DLGSOPSHI_SCALE + 1), "7");

    ChgOptCounter counter;
    Command(IDC_DLGSETOPT_APPLY);
    EXPECT_EQ(theAppInf.sopBsi.bCleLog, 1);
    EXPECT_EQ(theCmnAppInf.iCntImgCacTmn, 500);
    EXPECT_EQ(theCmnAppInf.iScrSize[0], 7);
    EXPECT_EQ(theCmnAppInf.bCtlError, 0);
    // The frame and the dialog are sent it (their descendants are handed it directly).
    EXPECT_EQ(counter.counts[frame->m_hWnd], 1);
    EXPECT_EQ(counter.counts[dlg->m_hWnd], 1);
    for (const auto& sent : counter.counts) EXPECT_EQ(sent.second, 1);
    for (DlgSop* page : std::initializer_list<DlgSop*>{Bsi(), Pni(), Shi()}) {
        int shown = 1;
        VkeCtlGetCtlErrorFlag(page->GetCmnDlgInf().ppCtl[1], &shown);
        EXPECT_EQ(shown, 0);
    }
    EXPECT_TRUE(dlg->IsWindowVisible()) << "Apply keeps the dialog";
    EXPECT_EQ(dlg->GetModifiedFlag(), 0);
    EXPECT_FALSE(Enabled(dlg, IDOK));
    EXPECT_FALSE(Enabled(dlg, IDC_DLGSETOPT_APPLY));

    // OK after a change copies and hides.
    VktClick(Shi()->m_hWnd, IDC_DLGSOPSHI_OPNSUB);
    Command(IDOK);
    EXPECT_EQ(theAppInf.sopShi.bOpnSubDir, 0);
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_TRUE(Traced().empty());
}

TEST_F(SopTest, CloseCopiesNothingAndTheNextShowingStartsAfresh)
{
    Open();
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_CHGDIR);
    ASSERT_EQ(dlg->GetModifiedFlag(), 1);
    Front(SopTypPni);
    TypeInto(Item(Pni(), IDC_DLGSOPPNI_WIDTH), "0");
    ClickTab(0);
    EXPECT_EQ(CurTab(dlg), 1) << "a page with a wrong value cannot be left";
    Command(IDCANCEL);
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_EQ(theAppInf.sopBsi.bChgDir, 0);

    ASSERT_EQ(app->ShowSetOptDlg(), 0);
    VktPump();
    EXPECT_EQ(dlg->GetModifiedFlag(), 0);
    EXPECT_EQ(dlg->GetErrorFlag(), 0);
    EXPECT_FALSE(Enabled(dlg, IDOK));
    EXPECT_EQ(::SendMessageA(Item(Bsi(), IDC_DLGSOPBSI_CHGDIR), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    char text[16] = {};
    ::GetWindowTextA(Item(Pni(), IDC_DLGSOPPNI_WIDTH), text, sizeof(text));
    EXPECT_STREQ(text, "100");
    EXPECT_EQ(Check(Pni()), 0);
}

TEST_F(SopTest, TheUserDirectoryIsMadeWithItsDatFolder)
{
    Open();
    VktTempDir temp;
    ASSERT_TRUE(VktWriteFile(temp / "file", "x"));
    CreateDirectoryA((temp / "old").c_str(), nullptr);
    ASSERT_TRUE(VktWriteFile(temp / "old\\Dat", "x"));
    auto isDir = [](const std::string& path) {
        DWORD attr = GetFileAttributesA(path.c_str());
        return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
    };
    const struct {
        std::string dir;
        int expected;
        int boxes;
    } cases[] = {
        {"", 0, 0},
        {temp / "file", -1, 0},
        {temp / "new\\表ソ", 0, 0},
        {temp / "old", 0, 0},             // its "Dat" file makes way for the folder
        {temp / "file\\sub", 1, 1},       // below a file nothing can be made
    };
    char kept[CmnPathSize];
    memcpy(kept, theCmnAppInf.strUsrDir, sizeof(kept));
    for (const auto& c : cases) {
        snprintf(theCmnAppInf.strUsrDir, CmnPathSize, "%s", c.dir.c_str());
        VktMsgBox answer({IDOK});
        EXPECT_EQ(dlg->CreateDir(), c.expected) << c.dir;
        ASSERT_EQ(answer.Count(), c.boxes) << c.dir;
        if (c.boxes) {
            EXPECT_EQ(answer.Seen()[0].text, std::string(theCmnSub.GetMsgStr(IDS_VKA_SOP_MAKE_DIR)));
        }
        if (c.expected == 0 && !c.dir.empty()) {
            EXPECT_TRUE(isDir(c.dir + "\\Dat")) << c.dir;
        }
    }
    memcpy(theCmnAppInf.strUsrDir, kept, sizeof(kept));

    // OK with such a folder: the settings are copied, no notice, the dialog stays on the basic page.
    TypeInto(Item(Bsi(), IDC_DLGSOPBSI_DIR), (temp / "file\\sub").c_str());
    Front(SopTypShi);
    ChgOptCounter counter;
    int boxes = 0;
    {
        // The answerer goes with the box: the dialog itself is a "#32770" it would press.
        VktMsgBox answer({IDOK});
        dlg->SendMessage(WM_COMMAND, IDOK);
        boxes = answer.Count();
    }
    VktPump();
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(CurTab(dlg), 0);
    EXPECT_TRUE(counter.counts.empty());
    EXPECT_EQ(std::string(theCmnAppInf.strUsrDir), temp / "file\\sub");
    memcpy(theCmnAppInf.strUsrDir, kept, sizeof(kept));
}

TEST_F(SopTest, PagesOpenOnceAndTheRefusalsOfTheDialog)
{
    Open();
    int count = 0;
    ASSERT_EQ(dlg->GetPageCnt(&count), 0);
    EXPECT_EQ(count, 3);
    char title[64] = {};
    const char* titles[] = {"基本設定", "パネル設定", "表示設定"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(dlg->GetTitle(i, title, sizeof(title)), 0);
        EXPECT_STREQ(title, titles[i]);
    }
    EXPECT_EQ(dlg->OpenPage(SopTypPni), -9) << "made already";
    EXPECT_EQ(dlg->OpenPage(SopTypSvi), -9) << "the save settings have no page";
    EXPECT_EQ(dlg->OpenPage(0x1000005), -9);
    EXPECT_EQ(dlg->InitCtl(2, 0), -9);
    for (int type = SopTypBsi; type <= SopTypShi; ++type) {
        Front(type);
        EXPECT_EQ(CurTab(dlg), type - SopTypBsi);
    }
    // The tab's context menu offers the three pages, not the save settings.
    const HMENU menu = dlg->GetTbvPag().tabParam.hMenu;
    EXPECT_NE(GetMenuState(menu, ID_VKA_SOP_SHI, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, ID_VKA_SOP_SVI, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(SopTest, TheButtonsStandInARowBelowTheTabs)
{
    Open();
    CRect window, client;
    dlg->GetWindowRect(&window);
    dlg->GetClientRect(&client);
    const int cx = 600, cy = 500;
    ::SetWindowPos(dlg->m_hWnd, nullptr, 0, 0, cx + window.Width() - client.Width(), cy + window.Height() - client.Height(),
                      SWP_NOMOVE | SWP_NOZORDER);
    VktPump();
    auto place = [&](int id) {
        CRect r;
        ::GetWindowRect(Item(dlg, id), &r);
        dlg->ScreenToClient(&r);
        return r;
    };
    const CRect ok = place(IDOK), apply = place(IDC_DLGSETOPT_APPLY), close = place(IDCANCEL);
    const CRect run = place(IDC_DLGSETOPT_RUNVAL), ini = place(IDC_DLGSETOPT_INIVAL), latest = place(IDC_DLGSETOPT_NEWVAL);
    CRect tab;
    ::GetWindowRect(dlg->GetTbvPag().hTabWnd, &tab);
    dlg->ScreenToClient(&tab);
    EXPECT_EQ(tab, CRect(0, 0, cx, cy - ok.Height() - 10));
    for (const CRect& r : {ok, apply, close, run, ini, latest}) EXPECT_EQ(r.top, tab.bottom + 5);
    EXPECT_EQ(ok.left, 0);
    EXPECT_EQ(apply.left, ok.right + 5);
    EXPECT_EQ(close.left, apply.right + 5);
    EXPECT_EQ(latest.right, cx);
    EXPECT_EQ(ini.right, latest.left - 5);
    EXPECT_EQ(run.right, ini.left - 5);
}

// Escape, as the message loop hands it over, hides the dialog from the control that has the
// keyboard, whichever it is: the tab strip (which takes every key), a button of the dialog, a
// control of a page.
TEST_F(SopTest, EscapeClosesTheDialogFromEveryControlTheTabsIncluded)
{
    Open();
    Front(SopTypPni);
    const struct {
        const char* what;
        std::function<HWND()> target;
    } cases[] = {
        {"the tabs", [&] { return dlg->GetTbvPag().hTabWnd; }},
        {"the close button", [&] { return Item(dlg, IDCANCEL); }},
        {"the start-up values", [&] { return Item(dlg, IDC_DLGSETOPT_RUNVAL); }},
        {"the latest values", [&] { return Item(dlg, IDC_DLGSETOPT_NEWVAL); }},
        {"the thumbnail width", [&] { return Item(Pni(), IDC_DLGSOPPNI_WIDTH); }},
        {"the column list", [&] { return Item(Pni(), IDC_DLGSOPPNI_COLUMNS); }},
        {"the preview box", [&] { return Item(Pni(), IDC_DLGSOPPNI_PRVIMG); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(app->ShowSetOptDlg(), 0);
        VktPump();
        ASSERT_TRUE(dlg->IsWindowVisible());
        HWND target = c.target();
        ASSERT_TRUE(target);
        ::SetFocus(target);
        ASSERT_EQ(::GetFocus(), target);
        MSG msgs[] = {{target, WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}},
                      {target, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001), 0, {}}};
        for (MSG& msg : msgs)
            if (!app->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        VktPump();
        EXPECT_FALSE(dlg->IsWindowVisible());
    }
}
