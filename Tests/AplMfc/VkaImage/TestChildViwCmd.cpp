// The image tab view's commands: the enable rules over tab sets (the selected-image page at 0,
// locked tabs, a right-clicked tab), what the close and lock commands address, saving all pages,
// batch printing with the frame's print command caught, the page set-up for every page and the
// open-information commands through their dialogs.
#include "TestChildViw.h"
#include "VkaSubOpi.h"
#include <fstream>
#include <functional>

namespace {

// The frame's print command caught: the shown page is marked printed, as a print marks it.
WNDPROC g_frameProc;
std::string g_printed; // the letters of the pages printed
int g_abortAfter; // the batch's abort button pressed after that many prints (0 never)

LRESULT CALLBACK PrintCatcher(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_COMMAND || LOWORD(wParam) != ID_FILE_PRINT) return CallWindowProcA(g_frameProc, wnd, msg, wParam, lParam);
    HalcorApp* app = HalcorGetApp();
    ChildViw* view = app->GetChildViw();
    int current = -1;
    view->GetCurSel(&current);
    DlgImg* page = view->GetImgPage(current);
    page->SetPrintedFlag(1);
    TestPage* test = dynamic_cast<TestPage*>(page);
    g_printed += test ? test->kind : '?';
    if (static_cast<int>(g_printed.size()) == g_abortAfter) app->SetFlgPrtAbt(1);
    return 0;
}

// What a test does while the tab popup is open (given the menu's window).
std::function<void(HWND)> g_duringPopup;

void CALLBACK PopupTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND open = FindWindowA("#32768", nullptr);
    if (!open || !IsWindowVisible(open) || !g_duringPopup) return;
    std::function<void(HWND)> during = std::move(g_duringPopup);
    g_duringPopup = nullptr;
    during(open);
}

} // namespace

class CmdTest : public SelTest {
protected:
    void SetUp() override
    {
        SelTest::SetUp();
        theAppInf.pai = Pai();
    }
    // Right-clicks tab index as a person would and runs during while its popup is open; during
    // ends the menu (EndMenu) or chooses an item (keys posted to the menu).
    void RightClick(int index, std::function<void(HWND menu)> during)
    {
        RECT item = {};
        ::SendMessageA(TabWnd(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        g_duringPopup = std::move(during);
        UINT_PTR timer = SetTimer(nullptr, 0, 30, PopupTick);
        ::SendMessageA(TabWnd(), WM_RBUTTONUP, 0, MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
        KillTimer(nullptr, timer);
        g_duringPopup = nullptr;
        VktPump();
    }
    // Chooses the popup's item that many keys down.
    static std::function<void(HWND)> Choose(int downs)
    {
        return [downs](HWND menu) {
            for (int i = 0; i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        };
    }
    // The selected-image page at tab 0.
    void OpenSelImg()
    {
        app->SetPrvState(1, 1);
        ASSERT_EQ(View()->OpenPageSelImg(a.c_str()), 0);
    }
    // Every test page holds the image a.
    void LoadTests()
    {
        for (TestPage* p : tests) ASSERT_EQ(p->OpenImageFile(a.c_str(), 0), 0);
    }
};

TEST_F(CmdTest, EnableRulesFollowTheAddressedTabTheLocksAndTheSelectedImagePage)
{
    Run();
    const UINT ids[] = {ID_FILE_CLOSE,         ID_VKA_POP_CLOSE,      ID_VKA_CLOSE_ALL, ID_VKA_POP_CLOSE_PREV,
                        ID_VKA_POP_CLOSE_NEXT, ID_VKA_POP_CLOSE_OTHER, ID_VKA_PAGE_LOCK, ID_VKA_PAGE_UNLOCK};
    struct Case {
        bool selImg; // the selected-image page at tab 0, before the tabs
        const char* tabs;
        int selected;
        int rightClicked; // -1 none
        const char* enabled; // one digit per id above
    } cases[] = {
        {false, "", -1, -1, "00000000"},
        {true, "", 0, -1, "00000000"},   // the selected-image page alone
        {true, "o", 1, -1, "11100010"},  // its neighbour: no range holds anything else
        {true, "o", 0, -1, "00101100"},  // the page itself is never closed or locked
        {false, "olo", 1, -1, "00111101"}, // a locked tab stays while the lock option is on
        {false, "olo", 1, 0, "11101110"}, // the right-clicked tab is addressed, not the selected one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.selImg ? "S" : "") + c.tabs + " sel " + std::to_string(c.selected) + " rbc " +
                     std::to_string(c.rightClicked));
        if (c.selImg) OpenSelImg();
        Open(c.tabs);
        if (c.selected >= 0) View()->SetCurSel(c.selected);
        std::string got;
        auto read = [&](HWND) {
            for (UINT id : ids) got += Update(id) == 1 ? '1' : '0';
            EndMenu();
        };
        if (c.rightClicked >= 0) RightClick(c.rightClicked, read);
        else read(nullptr);
        EXPECT_EQ(got, c.enabled);
        app->SetFlgClsFrm(1); // the selected-image page goes too
        CloseAll();
        app->SetFlgClsFrm(0);
    }
    // Nothing of the page operations that are not there yet is offered.
    Open("o");
    for (UINT id : {ID_FILE_SAVE, ID_VKA_SAVE_ALL, ID_VKA_IMG_ROT_90, ID_VKA_FRM_TOGGLE, ID_VKA_PRINT_ALL})
        EXPECT_EQ(Update(id), 0) << id;
    EXPECT_EQ(Update(ID_VKA_READ_OPI), 1);
    EXPECT_EQ(Update(ID_VKA_WRITE_OPI), 0) << "no page has a path";
}

// Without an image page the frame switch turns the operation panel's show-frame setting (the
// application's values); the shown-area commands stay disabled.
TEST_F(CmdTest, TheFrameSwitchWithoutAPageTurnsThePanelsSetting)
{
    Run();
    DlbPnlOpr& panel = main->GetPnlOpr();
    ASSERT_EQ(panel.GetShwFrmFlag(), 0);
    int checked = -1;
    EXPECT_EQ(Update(ID_VKA_FRM_TOGGLE, &checked), 1);
    EXPECT_EQ(checked, 0);
    main->SendMessage(WM_COMMAND, ID_VKA_FRM_TOGGLE);
    EXPECT_EQ(panel.GetShwFrmFlag(), 1);
    EXPECT_EQ(theAppInf.poi.fri.bShwFrm, 1);
    EXPECT_EQ(Update(ID_VKA_FRM_TOGGLE, &checked), 1);
    EXPECT_EQ(checked, 1);
    main->SendMessage(WM_COMMAND, ID_VKA_FRM_TOGGLE);
    EXPECT_EQ(panel.GetShwFrmFlag(), 0);
    EXPECT_EQ(Update(ID_VKA_CUT_SHOWN), 0) << "the shown-area commands need a page";
}

TEST_F(CmdTest, ThePopupAddressesItsTabAndTheMainMenuTheSelectedOneAfterwards)
{
    Run();
    Open("opop");
    View()->SetCurSel(0);
    RightClick(1, Choose(2)); // "閉じる" below "開く"
    EXPECT_EQ(Left(), "oop");
    RightClick(2, [](HWND) { EndMenu(); });
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(Left(), "op") << "the selected tab, not the one right-clicked before";
}

TEST_F(CmdTest, ClosesSpareTheSelectedImagePageAndLockedTabs)
{
    Run();
    OpenSelImg();
    Open("olo");
    View()->SetCurSel(0);
    Command(ID_VKA_CLOSE_ALL);
    EXPECT_EQ(Left(), "ll") << "the selected-image page and the locked tab stay";
    Command(ID_VKA_CLOSE_ALL);
    EXPECT_EQ(Left(), "ll");
    View()->SetCurSel(1);
    Command(ID_FILE_CLOSE);
    Command(ID_VKA_POP_CLOSE);
    EXPECT_EQ(Left(), "ll");
    Command(ID_VKA_PAGE_UNLOCK);
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(View()->GetImgPage(0), View()->GetPageSelImg());
    Command(ID_VKA_PAGE_UNLOCK); // never for the selected-image page
    int locked = 0;
    View()->GetLockedFlag(0, &locked);
    EXPECT_EQ(locked, 1);
}

TEST_F(CmdTest, SaveAllFoldsThePagesResultsAndKeepsTheSelection)
{
    Run();
    struct Case {
        std::vector<int> results;
        int result;
        int saved; // pages asked
    } cases[] = {
        {{0, 2, 0}, 2, 3},
        {{2, 1, 0}, 1, 3},
        {{0, 3, 1}, 3, 2},
        {{1, -2, 0}, -2, 2},
    };
    for (const Case& c : cases) {
        Open("ppp");
        LoadTests();
        View()->SetCurSel(1);
        for (size_t i = 0; i < c.results.size(); ++i) tests[i]->saveResult = c.results[i];
        EXPECT_EQ(View()->SaveImageAll(), c.result);
        int saved = 0, current = -1, running = 1;
        for (TestPage* p : tests) saved += p->saves;
        EXPECT_EQ(saved, c.saved);
        View()->GetCurSel(&current);
        EXPECT_EQ(current, 1);
        app->GetFlgPrtAll(&running);
        EXPECT_EQ(running, 0);
        CloseAll();
    }
}

TEST_F(CmdTest, BatchPrintingWalksClosesAndShowsTheTabCurrentBefore)
{
    Run();
    g_frameProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(main->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrintCatcher)));
    struct Case {
        Pai pai; // selected image, only locked, close after printing, close locked too
        const char* tabs;
        int abortAfter;
        const char* printed; // the letters of the pages printed, in order
        const char* left;
        char shown;
    } cases[] = {
        {{0, 0, 1, 0}, "pPpo", 0, "pPp", "Po", 'o'}, // printed unlocked pages close, the rest still print
        {{0, 1, 0, 0}, "pPpo", 0, "P", "pPpo", 'o'},
        {{0, 0, 1, 1}, "pPpo", 0, "pPp", "o", 'o'},
        {{0, 0, 1, 0}, "pppo", 1, "p", "pppo", 'o'}, // the abort button ends the batch at once, quietly
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tabs);
        theAppInf.pai = c.pai;
        g_abortAfter = c.abortAfter;
        g_printed.clear();
        Open(c.tabs);
        View()->SetCurSel(3);
        ASSERT_EQ(Update(ID_VKA_PRINT_ALL), 1);
        {
            VktMsgBox options({IDOK}); // the options dialog as they are
            EXPECT_EQ(View()->OnFilePrtAll(), c.abortAfter ? 3 : 0);
            ASSERT_EQ(options.Count(), 1);
            EXPECT_EQ(options.Seen()[0].caption, "一括印刷");
        }
        EXPECT_EQ(g_printed, c.printed);
        EXPECT_EQ(Left(), c.left);
        for (int i = 0; i < Count(); ++i) EXPECT_EQ(View()->GetImgPage(i)->GetPrintedFlag(), 0) << "cleared at the end";
        int current = -1;
        View()->GetCurSel(&current);
        EXPECT_EQ(Left()[current], c.shown);
        CloseAll();
    }
    // "閉じる" in the options prints nothing.
    g_printed.clear();
    Open("pp");
    {
        VktMsgBox options({IDCANCEL});
        EXPECT_EQ(View()->OnFilePrtAll(), 3);
    }
    EXPECT_EQ(g_printed, "");
    CloseAll();
    ::SetWindowLongPtrA(main->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
    theAppInf.pai = Pai();
}

TEST_F(CmdTest, PageSetupForAllAsksFirstAndShowsTheFirstFailureOnce)
{
    class SetupPage : public TestPage {
    public:
        int PageSetup() override { return result; }
        int result = 0;
    };
    Run();
    std::vector<SetupPage*> pages;
    for (int rc : {VKE_ERR_CUT, VKE_ERR_SYSTEM, VKE_ERR_CUT}) {
        SetupPage* page = new SetupPage;
        ASSERT_TRUE(page->Create(IDD_DLGIMG, CWnd::FromHandle(TabWnd())));
        ASSERT_EQ(View()->OpenPage(page, -1, app->NextPageNo(), CmnTypImg, 0, ""), 0);
        page->result = rc;
        tests.push_back(page);
    }
    {
        VktMsgBox answer({IDNO});
        Command(ID_VKA_SETUP_ALL);
        EXPECT_EQ(answer.Count(), 1);
    }
    VktMsgBox answer({IDYES, IDOK});
    Command(ID_VKA_SETUP_ALL);
    ASSERT_EQ(answer.Count(), 2);
    EXPECT_EQ(answer.Seen()[1].text, "プリンタの設定でエラーが起こりました。") << "a later -13 does not hide it";
}

TEST_F(CmdTest, OpenInformationCommandsWriteAndReadThroughTheirDialogs)
{
    Run();
    std::string b = dir / "b.bmp", csv = dir / "pages.csv", held = dir / "held.csv";
    MakeBmpFile(b, 8, 8, RGB(0, 255, 0), RGB(0, 255, 0));
    ASSERT_EQ(View()->OpenPageByPth(a.c_str(), 0, 1), 0);
    ASSERT_EQ(View()->OpenPageByPth(b.c_str(), 0, 0), 0);
    ASSERT_EQ(Update(ID_VKA_WRITE_OPI), 1);
    auto typeName = [](const std::string& text) {
        return [text](HWND box) {
            SendMessageA(box, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageA(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(text.c_str()));
        };
    };
    {
        VktMsgBox answer({IDOK});
        answer.OnOpen = typeName(csv);
        EXPECT_EQ(View()->OnFileWrtOpi(), 0);
    }
    std::ifstream in(csv, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("a.bmp\",1,"), std::string::npos) << text;
    EXPECT_NE(text.find("b.bmp\",0,"), std::string::npos) << text;

    // A file another program holds cannot be read: it is named and the next one is read.
    { std::ofstream(held) << "x"; }
    HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    CloseAll();
    {
        VktMsgBox answer({IDOK});
        answer.OnOpen = typeName("\"held.csv\" \"pages.csv\"");
        char before[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof(before), before);
        SetCurrentDirectoryA(dir.Path().c_str());
        int rc = View()->OnFileReaOpi();
        SetCurrentDirectoryA(before);
        EXPECT_EQ(rc, 1);
        ASSERT_EQ(answer.Count(), 2);
        EXPECT_EQ(answer.Seen()[1].text, "指定されたファイルを読み込めませんでした。\n\n" + held);
    }
    EXPECT_EQ(Count(), 2);
    int locked = 0;
    View()->GetLockedFlag(0, &locked);
    EXPECT_EQ(locked, 1);

    // A file with lines that cannot be used opens its good rows and says so once, naming it.
    std::string damaged = dir / "damaged.csv";
    ASSERT_TRUE(VktWriteFile(damaged, text + "\"\"\r\n,1,90\r\n" + std::string(3000, 'x') + "\r\n"));
    CloseAll();
    {
        VktMsgBox answer({IDOK});
        answer.OnOpen = typeName(damaged);
        EXPECT_EQ(View()->OnFileReaOpi(), VKE_ERR_MSGFILE);
        ASSERT_EQ(answer.Count(), 2);
        EXPECT_EQ(answer.Seen()[1].text, "正しく読み込めなかった行があります。\n\n" + damaged);
    }
    EXPECT_EQ(Count(), 2);

    // A target that cannot be written is named after the overwrite question; nothing is lost.
    {
        VktMsgBox answer({IDOK, IDYES, IDOK});
        answer.OnOpen = typeName(held);
        EXPECT_EQ(View()->OnFileWrtOpi(), 1);
        ASSERT_EQ(answer.Count(), 3);
        EXPECT_EQ(answer.Seen()[1].text, held + " は既にあります。\n\n上書きしてもよろしいですか？");
        EXPECT_EQ(answer.Seen()[2].text, "指定されたファイルに書き込めませんでした。\n\n" + held);
    }
    CloseHandle(lock);
    std::ifstream again(held, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>()), "x");
}
