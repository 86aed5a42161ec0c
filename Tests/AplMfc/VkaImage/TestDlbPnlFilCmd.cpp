// The file-command panel: its path lists as functions, and in the real main frame its controls,
// data check, filter, tools and automatic display over a folder of the test's own.
#include "TestChildFrm.h"
#include "ChildViw.h"
#include "CmnImg.h"
#include "DlbPnlFilCmd.h"
#include "DlgImg.h"
#include "DlgSetOpt.h"
#include "DlgSopPni.h"
#include "HalcorRes.h"
#include "VkaPthLst.h"

namespace {

// ---- The path lists ----

class PthLstTest : public VkaTest {
protected:
    void SetUp() override
    {
        VkaTest::SetUp();
        Put("PciFpi_iCntPathName_1", "3");
        Put("PciFpi_iCntPathName_2", "2");
        ASSERT_EQ(Start(), 0);
    }
    static std::vector<std::string> Entries(const VkaPthLst& list)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list.Count(); ++i) out.push_back(static_cast<const char*>(list.At(i)));
        return out;
    }
};

TEST_F(PthLstTest, TheHistoryDropsItsOldestAndTheFavouritesKeepTheirSelection)
{
    VkaPthLst history = VkaPthLst::Fpi(0);
    for (const char* path : {"C:\\a", "C:\\b", "C:\\c"}) {
        int at = history.Push(path);
        EXPECT_EQ(at, history.Count() - 1);
    }
    EXPECT_EQ(history.Find("C:\\b"), 1);
    EXPECT_EQ(history.Find("c:\\b"), -1) << "byte for byte";
    EXPECT_EQ(history.Push("C:\\d"), 2);
    EXPECT_EQ(Entries(history), (std::vector<std::string>{"C:\\b", "C:\\c", "C:\\d"}));
    EXPECT_EQ(history.Push(""), VKE_ERR_ARG);

    struct Case {
        std::vector<const char*> entries;
        int selected, removed;
        std::vector<std::string> left;
        int selectedAfter;
    } cases[] = {
        {{"C:\\x", "C:\\y"}, 0, 0, {"C:\\y"}, 0},
        {{"C:\\x", "C:\\y"}, 1, 1, {"C:\\x"}, 0},
        {{"C:\\x"}, 0, 0, {}, -1},
    };
    for (const Case& c : cases) {
        VkaPthLst favorites = VkaPthLst::Fpi(1);
        while (favorites.Count()) favorites.Remove(0);
        for (const char* path : c.entries) favorites.Append(path);
        favorites.Select(c.selected);
        EXPECT_EQ(favorites.Remove(c.removed), 0);
        EXPECT_EQ(Entries(favorites), c.left);
        EXPECT_EQ(favorites.Index(), c.selectedAfter);
    }
    VkaPthLst favorites = VkaPthLst::Fpi(1);
    favorites.Append("C:\\x");
    EXPECT_EQ(favorites.Append("C:\\y"), 1);
    EXPECT_EQ(favorites.Append("C:\\z"), VKE_ERR_EXISTS) << "full";
    EXPECT_EQ(favorites.Replace(0, "C:\\w"), 0);
    EXPECT_EQ(favorites.Index(), 0);
    EXPECT_EQ(Entries(favorites), (std::vector<std::string>{"C:\\w", "C:\\y"}));
}

TEST_F(PthLstTest, AChoiceAlreadyListedIsToldAndAskedAgainFromIt)
{
    VkaPthLst favorites = VkaPthLst::Fpi(1);
    favorites.Append("C:\\x");
    std::vector<std::string> starts, answers = {"C:\\x", "C:\\new"};
    auto choose = [&](const char* start) {
        starts.push_back(start);
        return CString(answers[starts.size() - 1].c_str());
    };
    VktMsgBox answer({IDOK});
    CString path;
    EXPECT_EQ(favorites.Choose(choose, "C:\\start", &path), 0);
    EXPECT_EQ(std::string(path), "C:\\new");
    EXPECT_EQ(starts, (std::vector<std::string>{"C:\\start", "C:\\x"}));
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "既に登録済みです。");
    EXPECT_EQ(favorites.Choose([](const char*) { return CString(); }, "C:\\x", &path), VKE_NOT_DONE);
}

TEST_F(PthLstTest, ABareNameJoinsItsBaseWithOneSeparator)
{
    strcpy(theCmnAppInf.strOpnDir, "D:\\open");
    strcpy(theCmnAppInf.strCurDir, "E:\\cur");
    struct Case {
        const char* text;
        const char* tree;
        bool noOpenDir;
        const char* path;
    } cases[] = {
        {"photos", "C:\\", false, "C:\\photos"},
        {"表", "C:\\", false, "C:\\表"},
        {"a", "C:\\x\\表", false, "C:\\x\\表\\a"},
        {"a", "", false, "D:\\open\\a"},
        {"a", "", true, "E:\\cur\\a"},
        {"C:\\full", "C:\\x", false, "C:\\full"},
    };
    for (const Case& c : cases) {
        if (c.noOpenDir) theCmnAppInf.strOpnDir[0] = '\0';
        EXPECT_EQ(std::string(DlbPnlFilCmd::ResolvePlace(c.text, c.tree)), c.path) << c.text;
    }
}

// ---- The panel in the main frame ----

class FilCmdTest : public FrmTest {
protected:
    // A start whose tree shows folder (the previews off unless asked).
    void RunIn(const std::string& folder, bool preview = false)
    {
        Put("strCurDir", folder.c_str(), "Common Information");
        Put("bPrvImg", preview ? "1" : "0", "Common Information");
        Put("SopBsi_bChgDir", "1");
        Run();
        ASSERT_NE(List(), nullptr);
        List()->WaitThread(0, 0);
        VktPump();
    }
    DlbPnlFilCmd& Panel() { return main->GetPnlFilCmd(); }
    CmnLscFil* List() { return main->GetPnlLscFil().GetLscFil(); }
    int Running()
    {
        int on = -1;
        Panel().GetAutIndFlag(&on);
        return on;
    }
    int Sel()
    {
        int item = -1;
        List()->GetCurSel(&item);
        return item;
    }
    // One message handled, or a short wait: what the display shows is looked at after each one
    // (a slow machine may run two of its steps inside one longer pump).
    static void PumpOne()
    {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    // The items the display selects, in order, until it ends (at most ms).
    std::vector<int> Watch(DWORD ms)
    {
        std::vector<int> seen = {Sel()};
        for (DWORD start = GetTickCount(); Running() == 1 && GetTickCount() - start < ms;) {
            PumpOne();
            if (Sel() != seen.back()) seen.push_back(Sel());
        }
        return seen;
    }
    std::string CtlText(int slot)
    {
        char text[1024] = {};
        GetWindowTextA(Panel().CtlWnd(slot), text, sizeof(text));
        return text;
    }
    void MakeImages(int count)
    {
        for (int i = 0; i < count; ++i)
            MakeBmpFile(dir / ("p" + std::to_string(i) + ".bmp"), 8, 8, RGB(i * 40, 0, 0), RGB(0, 0, 255));
    }

    VktTempDir dir;
};

TEST_F(FilCmdTest, TheControlsShowTheSettingsAndAnIntervalBelowOneIsRefused)
{
    Put("PciAii_iPerInd", "1500");
    Put("PciAii_bRepeat", "0");
    Put("PciFpi_iMode", "2");
    Put("PciFpi_iCurPathName_2", "1");
    Put("PciFpi_amPathName_2_1", (dir.Path() + "\\fav").c_str());
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    RunIn(dir.Path());
    EXPECT_EQ(CtlText(DlbPnlFilCmd::SlotPerInd), "1,500");
    EXPECT_EQ(CtlText(DlbPnlFilCmd::SlotPlace), "") << "no favourite selected";
    EXPECT_EQ(SendMessageA(Panel().CtlWnd(DlbPnlFilCmd::SlotPlace), CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(CtlText(DlbPnlFilCmd::SlotTool), "既定の外部ツール");
    EXPECT_EQ(Panel().HasFilter(), 1);

    // The stop button only while the display runs; change and delete with favourites.
    Probe probe;
    for (UINT id : {UINT(IDC_FILCMD_STOP), UINT(IDC_FILCMD_PLACHG), UINT(IDC_FILCMD_TOLCHG)}) {
        probe.m_nID = id;
        probe.DoUpdate(&Panel(), FALSE);
        EXPECT_EQ(probe.enabled, id == IDC_FILCMD_PLACHG ? 1 : 0) << id;
    }

    VktMsgBox answer({IDOK});
    ASSERT_EQ(VkeCtlSetDataValue(Panel().Ctl(DlbPnlFilCmd::SlotPerInd), "0", 0), 0);
    EXPECT_EQ(Panel().GetData(nullptr, nullptr, 0), IDS_VKA_BAD_PERIOD);
    EXPECT_EQ(theAppInf.pciAii.iPerInd, 1500);
    Panel().ShowErrMsg();
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "表示間隔の指定が正しくありません。\n\n(1 <= 値)");

    // The history radio shows the folders the tree selected.
    VkiCtl* history = Panel().Ctl(DlbPnlFilCmd::SlotHistory);
    Panel().SendMessage(VkeWmSetChk, reinterpret_cast<WPARAM>(history), 1);
    EXPECT_EQ(theAppInf.pciFpi.iMode, 1);
    EXPECT_EQ(CtlText(DlbPnlFilCmd::SlotPlace), dir.Path().substr(dir.Path().rfind('\\') + 1));
}

// In the panel's interval box select all takes its text, and a paste leaves the keyboard there.
TEST_F(FilCmdTest, SelectAllAndPasteWorkInThePanelsEditBox)
{
    RunIn(dir.Path());
    HWND box = Panel().CtlWnd(DlbPnlFilCmd::SlotPerInd);
    main->SetForegroundWindow();
    ::SetFocus(box);
    VktPump();
    ASSERT_EQ(::GetFocus(), box);
    EXPECT_EQ(Update(ID_EDIT_SELECT_ALL), 1);
    Command(ID_EDIT_SELECT_ALL);
    DWORD from = 1, to = 0;
    ::SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, static_cast<DWORD>(::GetWindowTextLengthA(box)));
    ASSERT_EQ(theCmnImg.CopyStrToClb(main->m_hWnd, "3000"), 0);
    EXPECT_EQ(Update(ID_EDIT_PASTE), 1);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(::GetFocus(), box) << "the box keeps the keyboard";
    EXPECT_EQ(CtlText(DlbPnlFilCmd::SlotPerInd), "3000");
}

TEST_F(FilCmdTest, TheFilterTakesAFileTypesPatternOrFreeText)
{
    MakeImages(1);
    VktWriteFile(dir / "note.txt", "x");
    VktWriteFile(dir / "b.png", "x");
    RunIn(dir.Path());
    // The default filter is the type of every image; PNG's description selects its pattern.
    EXPECT_EQ(std::string(Panel().GetFlt()), "すべての画像ファイル");
    EXPECT_EQ(List()->GetItemCount(), 2) << "the bitmap and the PNG";
    Fte* fte = nullptr;
    std::string png;
    for (int n = 1; theVkaSubDat.SchFte(n, &fte) == 0 && fte; ++n)
        if (Text(fte->amExtLst) == "*.png") png = Text(fte->amDes);
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(Panel().SetFilter(png.c_str(), 1), 0);
    EXPECT_EQ(std::string(Panel().GetFlt()), png);
    EXPECT_EQ(std::string(List()->GetFilter()), "*.png");
    EXPECT_EQ(Panel().SetFilter(" *.txt;*.png ", 1), 0);
    EXPECT_EQ(std::string(Panel().GetFlt()), "*.txt;*.png");
    EXPECT_EQ(std::string(List()->GetFilter()), "*.txt;*.png");
    EXPECT_EQ(Panel().SetFlt("*.txt;*.png", 1), VKE_NOT_DONE) << "the same text";
    EXPECT_EQ(Panel().SetFilter(nullptr, 1), VKE_ERR_ARG);
    std::string long1000(1000, 'a');
    EXPECT_EQ(Panel().SetFilter(long1000.c_str(), 1), 0);
    EXPECT_EQ(std::string(Panel().GetFlt()), long1000);
    // The file list saves the panel's text.
    main->GetPnlLscFil().SetPli();
    EXPECT_EQ(Text(theCmnAppInf.lscFii.amFilter), long1000);
}

TEST_F(FilCmdTest, ATypedFilterStaysInItsBoxAndAnEmptyOneIsKept)
{
    MakeImages(1);
    VktWriteFile(dir / "note.txt", "x");
    RunIn(dir.Path());
    HWND combo = Panel().CtlWnd(DlbPnlFilCmd::SlotFilter);
    // Typed and taken as the panel's check takes it on Return: the box keeps the text.
    SetWindowTextA(combo, "*.txt;*.bmp");
    Panel().GetData(nullptr, nullptr, 0);
    EXPECT_EQ(CtlText(DlbPnlFilCmd::SlotFilter), "*.txt;*.bmp");
    EXPECT_EQ(std::string(List()->GetFilter()), "*.txt;*.bmp");
    List()->WaitThread(0, 0);
    VktPump();
    EXPECT_EQ(List()->GetItemCount(), 2);
    // A text given with the notice is a step the box can undo; one without is not.
    VkiCtl* ctl = Panel().Ctl(DlbPnlFilCmd::SlotFilter);
    for (int notify : {0, 1}) {
        EditFlag flags = {};
        ASSERT_EQ(Panel().SetFlt(notify ? "*.bmp" : "*.txt", notify), 0);
        ASSERT_EQ(VkeCtlGetEditFlag(ctl, &flags), 0);
        EXPECT_EQ(flags.iUnd, notify) << notify;
    }
    // Emptied, every file shows, and the options keep the empty filter.
    EXPECT_EQ(Panel().SetFilter("", 0), 0);
    EXPECT_EQ(CtlText(DlbPnlFilCmd::SlotFilter), "");
    List()->WaitThread(0, 0);
    VktPump();
    EXPECT_EQ(List()->GetItemCount(), 2);
    DlgSopPni* page = static_cast<DlgSopPni*>(app->GetSetOptDlg()->GetSopPage(SopTypPni));
    ASSERT_EQ(page->GetPni(), 0);
    EXPECT_EQ(Text(theCmnAppInf.lscFii.amFilter), "");
}

TEST_F(FilCmdTest, AComboTextNamesTheLineEqualToItByteForByte)
{
    // Three tools whose names differ only in letter case: the box's search finds all three as one.
    const char* tools[] = {"C:\\x\\tool.exe", "C:\\y\\TOOL.exe", "C:\\z\\Tool.exe"};
    Put("PciEti_iCurPathName", "3");
    for (int i = 0; i < 3; ++i) Put(("PciEti_amPathName_" + std::to_string(i + 1)).c_str(), tools[i]);
    RunIn(dir.Path());
    const struct {
        const char* text;
        int entry;
        const char* path;
    } cases[] = {{"tool.exe", 0, tools[0]}, {"TOOL.exe", 1, tools[1]}, {"Tool.exe", 2, tools[2]},
                 {"TOOL.EXE", -1, "TOOL.EXE"}, {"既定の外部ツール", -1, "既定の外部ツール"}};
    for (const auto& c : cases) {
        SetWindowTextA(Panel().CtlWnd(DlbPnlFilCmd::SlotTool), c.text);
        CString path;
        int entry = -2;
        ASSERT_EQ(Panel().GetCmbPath(DlbPnlFilCmd::SlotTool, &path, &entry), 0) << c.text;
        EXPECT_EQ(entry, c.entry) << c.text;
        EXPECT_EQ(std::string(path), c.path) << c.text;
    }
}

TEST_F(FilCmdTest, TheDisplayShowsEachImageOnceOrCyclesAndStops)
{
    // The folders (listed first) show no picture: the display steps over them.
    MakeImages(3);
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    CreateDirectoryA((dir / "sub2").c_str(), nullptr);
    Put("PciAii_iPerInd", "50");
    Put("PciAii_bRepeat", "0");
    RunIn(dir.Path());
    int shown = 0;
    app->IsPnlLscFil(&shown);
    ASSERT_EQ(shown, 1);
    ASSERT_EQ(List()->GetItemCount(), 5);
    DlbPnlFilCmd idle;
    EXPECT_EQ(idle.AutInd(2), VKE_ERR_NOT_INIT);
    EXPECT_EQ(Panel().AutInd(4), VKE_ERR_ARG);
    List()->SetCurSel(-1);
    ASSERT_EQ(Panel().AutInd(2), 0);
    EXPECT_EQ(Panel().AutInd(2), VKE_ERR_EXISTS);
    EXPECT_EQ(Watch(5000), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(Running(), 0);

    theAppInf.pciAii.bRepeat = 1;
    ASSERT_EQ(Panel().AutInd(2), 0);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000 && Sel() != 4;) PumpOne();
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000 && Sel() == 4;) PumpOne();
    EXPECT_EQ(Sel(), 2) << "round again, past the folders";
    EXPECT_EQ(Running(), 1);

    // Escape in the message loop stops it and goes on; a click elsewhere ends it at the next tick.
    MSG escape = {List()->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    app->PreTranslateMessage(&escape);
    EXPECT_EQ(Running(), 0);
    ASSERT_EQ(Panel().AutInd(2), 0);
    VktPump(20);
    main->GetPnlTrcFld().GetTrcFld()->SetFocus();
    VktPump(300);
    EXPECT_EQ(Running(), 0);
}

TEST_F(FilCmdTest, TheDisplayStepsOverFilesThatAreNoImages)
{
    // With "*.*" the list shows every file: a text, a file of no known type and a folder named as
    // an image show no picture, so the display steps over them as over folders.
    MakeImages(2);
    CreateDirectoryA((dir / "a.jpg").c_str(), nullptr);
    for (const char* name : {"notes.txt", "p0.bmp.bak", "q.dat"}) ASSERT_TRUE(VktWriteFile(dir / name, "text"));
    Put("PciAii_iPerInd", "50");
    Put("PciAii_bRepeat", "0");
    RunIn(dir.Path());
    ASSERT_EQ(Panel().SetFilter("*.*", 1), 0);
    ASSERT_TRUE(VktPumpUntil([this] { return !List()->IsActiveThread(0) && List()->GetItemCount() == 6; }));
    std::vector<std::string> names;
    for (int i = 0; i < 6; ++i) {
        std::string path(List()->GetPathName(i));
        names.push_back(path.substr(path.rfind('\\') + 1));
    }
    ASSERT_EQ(names, (std::vector<std::string>{"a.jpg", "notes.txt", "p0.bmp", "p0.bmp.bak", "p1.bmp", "q.dat"}));
    List()->SetCurSel(1);
    ASSERT_EQ(Panel().AutInd(2), 0);
    EXPECT_EQ(Watch(5000), (std::vector<int>{2, 4})) << "each image once";
    EXPECT_EQ(Running(), 0);

    // Round and round over the two images; one image alone is selected with no timer.
    theAppInf.pciAii.bRepeat = 1;
    List()->SetCurSel(4);
    ASSERT_EQ(Panel().AutInd(2), 0);
    EXPECT_EQ(Sel(), 2) << "round past the folder and the text";
    std::vector<int> seen = {Sel()};
    for (DWORD start = GetTickCount(); seen.size() < 4 && GetTickCount() - start < 5000;) {
        PumpOne();
        if (Sel() != seen.back()) seen.push_back(Sel());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 4, 2, 4}));
    EXPECT_EQ(Panel().StopAutInd(), 0);
    ASSERT_TRUE(DeleteFileA((dir / "p1.bmp").c_str()));
    List()->SetCurSel(0);
    EXPECT_EQ(Panel().AutInd(2), 0);
    EXPECT_EQ(Sel(), 2);
    EXPECT_EQ(Running(), 0);
}

TEST_F(FilCmdTest, AStartWithAnIntervalTheBoxRefusesSaysSoAndDoesNotRun)
{
    MakeImages(3);
    Put("PciAii_iPerInd", "2000");
    RunIn(dir.Path());
    const HWND box = Panel().CtlWnd(DlbPnlFilCmd::SlotPerInd);
    const struct {
        const char* typed;
        int button;
        bool runs;
        int period; // the setting after it
    } rows[] = {{"abc", IDC_FILCMD_AUTLST, false, 2000},
                {"0", IDC_FILCMD_AUTTAB, false, 2000},
                {"", IDC_FILCMD_AUTLST, false, 2000},
                {"70", IDC_FILCMD_AUTLST, true, 70}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        // Typed, then the button clicked: the box is checked as it loses the focus.
        TypeInto(box, row.typed);
        VktMsgBox answer({IDOK});
        HWND button = ::GetDlgItem(Panel().m_hWnd, row.button);
        FocusItem(Panel().m_hWnd, button);
        ::SendMessageA(button, BM_CLICK, 0, 0);
        VktPump(50);
        EXPECT_EQ(Running(), row.runs ? 1 : 0);
        EXPECT_EQ(theAppInf.pciAii.iPerInd, row.period);
        if (row.runs) {
            EXPECT_EQ(answer.Count(), 0);
            EXPECT_EQ(Panel().StopAutInd(), 0);
            continue;
        }
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_EQ(answer.Seen()[0].text, "表示間隔の指定が正しくありません。\n\n(1 <= 値)");
        EXPECT_TRUE(VktPumpUntil([box] { return ::GetFocus() == box; }, 5000)) << "the focus back in the box";
        Panel().SetErrorFlag(0);
    }
}

TEST_F(FilCmdTest, OneItemIsSelectedWithoutATimerAndNoneShowsNothing)
{
    CreateDirectoryA((dir / "empty").c_str(), nullptr);
    CreateDirectoryA((dir / "one").c_str(), nullptr);
    MakeBmpFile(dir / "one\\p.bmp", 8, 8, RGB(255, 0, 0), RGB(0, 0, 255));
    RunIn(dir / "empty");
    EXPECT_EQ(Panel().AutInd(2), VKE_NOT_DONE);
    EXPECT_EQ(Panel().AutInd(3), VKE_NOT_DONE) << "no pages";
    main->GetPnlTrcFld().SetCurPath((dir / "one").c_str(), 1);
    ASSERT_TRUE(VktPumpUntil([this] { return List()->GetItemCount() == 1; })) << "the folder's one image";
    List()->SetCurSel(-1);
    EXPECT_EQ(Panel().AutInd(2), 0);
    EXPECT_EQ(Sel(), 0);
    EXPECT_EQ(Running(), 0);
}

TEST_F(FilCmdTest, WithThePreviewInATabTheDisplayGoesOn)
{
    MakeImages(12);
    Put("PciAii_iPerInd", "50");
    RunIn(dir.Path(), true);
    List()->SetCurSel(-1);
    ASSERT_EQ(Panel().AutInd(2), 0);
    std::vector<int> seen = {Sel()};
    for (DWORD start = GetTickCount(); Running() == 1 && seen.size() < 11 && GetTickCount() - start < 20000;) {
        VktPump(5);
        if (Sel() != seen.back()) seen.push_back(Sel());
    }
    EXPECT_EQ(seen.size(), 11u);
    EXPECT_EQ(Running(), 1);
    ASSERT_NE(app->GetChildViw()->GetPageSelImg(), nullptr) << "the preview's page";
    // The frame's end stops it too; here it stops first.
    EXPECT_EQ(Panel().StopAutInd(), 0);
}

TEST_F(FilCmdTest, TheDisplayOverTabPages)
{
    MakeImages(3);
    Put("PciAii_iPerInd", "50");
    Put("PciAii_bRepeat", "0");
    RunIn(dir.Path());
    for (int i = 0; i < 3; ++i) app->GetChildViw()->OpenPageByPth((dir / ("p" + std::to_string(i) + ".bmp")).c_str(), 0, 0);
    app->GetChildViw()->SetCurSel(0);
    app->GetChildViw()->SetFocusCurPage();
    // The opens' posted steps done: the first page current with the keyboard, as a person starts.
    DlgImg* first = app->GetChildViw()->GetImgPage(0);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(VktPumpUntil(
        [first] { return ::GetFocus() == first->m_hWnd || ::IsChild(first->m_hWnd, ::GetFocus()); }, 10000));
    VktPump(50);
    int current = -1;
    app->GetChildViw()->GetCurSel(&current);
    ASSERT_EQ(current, 0);
    ASSERT_EQ(Panel().AutInd(3), 0);
    app->GetChildViw()->GetCurSel(&current);
    std::vector<int> seen = {current};
    for (DWORD start = GetTickCount(); Running() == 1 && GetTickCount() - start < 5000;) {
        PumpOne();
        int cur = -1;
        app->GetChildViw()->GetCurSel(&cur);
        if (cur != seen.back()) seen.push_back(cur);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
}

TEST_F(FilCmdTest, ToolsStartOnTheImageWithTheFocusBack)
{
    const std::string tool = VktBesideExe("..\\VktTool.exe"), out = VktBesideExe("..\\VktTool.txt");
    DeleteFileA(out.c_str());
    MakeBmpFile(dir / "a & b.bmp", 8, 8, RGB(255, 0, 0), RGB(0, 0, 255));
    Put("PciEti_iCurPathName", "1");
    Put("PciEti_amPathName_1", tool.c_str());
    RunIn(dir.Path());
    auto lines = [&](size_t count) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(50)) {
            std::string text = VktReadFile(out);
            if (static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) >= count) return text;
        }
        return VktReadFile(out);
    };
    HWND toolCombo = Panel().CtlWnd(DlbPnlFilCmd::SlotTool);
    // The default tool without an image does nothing; another tool starts without parameters.
    VktMsgBox answer({IDOK});
    EXPECT_EQ(Panel().RunExtTol(), 0);
    SendMessageA(toolCombo, CB_SETCURSEL, 1, 0);
    Panel().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FILCMD_TOOL, CBN_SELCHANGE), reinterpret_cast<LPARAM>(toolCombo));
    EXPECT_EQ(theAppInf.pciEti.iIdxPathName, 0);
    EXPECT_EQ(Panel().RunExtTol(), 0);
    std::string text = lines(1);
    EXPECT_EQ(text.find("a & "), std::string::npos);
    // With a page: its path in quotes; the focus goes back to the page's area.
    ASSERT_EQ(app->GetChildViw()->OpenPageByPth((dir / "a & b.bmp").c_str(), 0, 0), 0);
    app->GetChildViw()->SetFocusCurPage();
    HWND page = app->GetChildViw()->GetImgPage(0)->m_hWnd;
    ASSERT_TRUE(VktPumpUntil([page] { return ::GetFocus() == page || ::IsChild(page, ::GetFocus()); }, 10000));
    HWND area = GetFocus();
    SendMessageA(Panel().CtlWnd(DlbPnlFilCmd::SlotTolRun), WM_SETFOCUS, reinterpret_cast<WPARAM>(area), 0);
    EXPECT_EQ(Panel().RunExtTol(), 0);
    EXPECT_TRUE(VktPumpUntil([area] { return ::GetFocus() == area; }, 10000)) << "the focus back on the page";
    text = lines(2);
    EXPECT_NE(text.find("\"" + (dir / "a & b.bmp") + "\""), std::string::npos) << text;
    EXPECT_EQ(answer.Count(), 0);
    // A tool since gone: one message with its path.
    DeleteFileA(out.c_str());
    theAppInf.pciEti.iCurPathName = 2;
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.pciEti.amPathName[1], (dir / "gone.exe").c_str());
    Panel().SetCmbExtTol();
    SendMessageA(toolCombo, CB_SETCURSEL, 2, 0);
    Panel().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FILCMD_TOOL, CBN_SELCHANGE), reinterpret_cast<LPARAM>(toolCombo));
    EXPECT_EQ(Panel().RunExtTol(), VKE_ERR_SYSTEM);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "ファイルが見つかりません。\n\n" + (dir / "gone.exe"));
}

TEST_F(FilCmdTest, TheTreesFoldersMakeTheHistory)
{
    Put("PciFpi_iCntPathName_1", "2");
    for (const char* name : {"a", "b", "c"}) CreateDirectoryA((dir / name).c_str(), nullptr);
    RunIn(dir.Path());
    for (const char* name : {"a", "b", "a", "c"}) {
        main->GetPnlTrcFld().SetCurPath((dir / name).c_str(), 1);
        VktPump(20);
    }
    VkaPthLst history = VkaPthLst::Fpi(0);
    ASSERT_EQ(history.Count(), 2);
    EXPECT_EQ(std::string(history.At(0)), dir / "b");
    EXPECT_EQ(std::string(history.At(1)), dir / "c");
    EXPECT_EQ(CtlText(DlbPnlFilCmd::SlotPlace), "c");
    // A bare name runs relative to the tree's folder; an empty text is told.
    main->GetPnlTrcFld().SetCurPath(dir.Path().c_str(), 1);
    VktPump(20);
    SetWindowTextA(Panel().CtlWnd(DlbPnlFilCmd::SlotPlace), "a");
    EXPECT_EQ(Panel().RunFilPla(), 0);
    VktPump(20);
    EXPECT_EQ(std::string(main->GetPnlTrcFld().GetCurPathName()), dir / "a");
    VktMsgBox answer({IDOK});
    SetWindowTextA(Panel().CtlWnd(DlbPnlFilCmd::SlotPlace), "");
    EXPECT_EQ(Panel().RunFilPla(), VKE_ERR_NOT_FOUND);
    EXPECT_EQ(answer.Count(), 1);
}

} // namespace
