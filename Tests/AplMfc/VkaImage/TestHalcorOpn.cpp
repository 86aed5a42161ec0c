// The open commands: recent entries that are gone, folders, inside the auto-save folder or open
// already; the open dialog answered with two names.
#include "TestVkaOpn.h"
#include "TestChildFrm.h"
#include "ChildFrm.h"
#include "CmnRes.h"
#include "HalcorRes.h"
#include <dlgs.h>
#include <functional>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

std::string Full(const std::string& path)
{
    char full[CmnPathSize] = {};
    VkeSubGetPathName(theCmnAppInf.pSub, full, path.c_str(), sizeof(full));
    return full;
}

// Runs an open command whose open dialog gets the names typed in, from the folder that holds
// them (the current folder is put back); the boxes and dialogs answered.
int OpenTyped(const std::string& folder, const std::string& names, const std::function<void()>& command)
{
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(before), before);
    if (!SetCurrentDirectoryA(folder.c_str())) return 0;
    // The open dialog starts in the remembered open folder.
    snprintf(theCmnAppInf.strOpnDir, sizeof(theCmnAppInf.strOpnDir), "%s", folder.c_str());
    VktMsgBox answer({IDOK});
    answer.OnOpen = [names](HWND box) {
        for (int id : {edt1, cmb13}) SendMessageA(box, CDM_SETCONTROLTEXT, id, reinterpret_cast<LPARAM>(names.c_str()));
    };
    command();
    SetCurrentDirectoryA(before);
    return answer.Count();
}

} // namespace

class HalcorOpnTest : public OpnTest {
protected:
    // The recent list's entries, newest first.
    std::vector<std::string> Recent()
    {
        std::vector<std::string> names;
        CRecentFileList* list = app->m_pRecentFileList;
        for (int i = 0; list && i < list->GetSize(); ++i)
            if (!(*list)[i].IsEmpty()) names.push_back(static_cast<const char*>((*list)[i]));
        return names;
    }
};

TEST_F(HalcorOpnTest, RecentEntriesThatCannotOpenGiveTheirMessageAndLeave)
{
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    const std::string missing = dir / "消えた.bmp", folder = dir / "フォルダ", ats = dir / "Auto表";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(ats.c_str(), nullptr));
    MakeBmp(ats + "\\in.bmp", 8, 8, kRed, kBlue);
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.sopSvi.amAtsDir, ats.c_str());
    const struct {
        std::string path, text;
    } cases[] = {
        {missing, "ファイルが見つかりません。\n\n"},
        {folder, "ファイルを開けませんでした。\n\n"},
        {ats + "\\in.bmp", "自動保存ディレクトリ下のファイルは指定できません。\n\n"},
    };
    for (const auto& c : cases) {
        app->AddToRecentFileList(c.path.c_str());
        VktMsgBox answer;
        EXPECT_TRUE(app->OnOpenRecentFile(ID_FILE_MRU_FILE1));
        ASSERT_EQ(answer.Count(), 1) << c.path;
        EXPECT_EQ(answer.Seen()[0].text, c.text + Full(c.path));
        EXPECT_TRUE(Recent().empty()) << c.path;
    }
    EXPECT_TRUE(view->pages.empty());
    EXPECT_EQ(Traced("OnOpenRecentFile"), 0);
}

TEST_F(HalcorOpnTest, ARecentFileOpensAndAnOpenOneAsksFirst)
{
    const std::string a = dir / "赤青.bmp", bad = dir / "壊れ.bmp";
    MakeBmp(a, 8, 8, kRed, kBlue);
    {
        VktMsgBox answer;
        app->AddToRecentFileList(a.c_str());
        EXPECT_TRUE(app->OnOpenRecentFile(ID_FILE_MRU_FILE1));
        EXPECT_EQ(answer.Count(), 0);
        EXPECT_EQ(view->pages.size(), 1u);
    }
    int opened = 0;
    view->onOpen = [&](const char*) { ++opened; };
    for (int button : {IDNO, IDYES}) {
        VktMsgBox answer({button});
        EXPECT_TRUE(app->OnOpenRecentFile(ID_FILE_MRU_FILE1));
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_EQ(answer.Seen()[0].text, "ファイルを既に開いています。\n\n" + Full(a) +
                                             "\n\n開き直すと変更した内容が適用されませんが、よろしいですか？");
    }
    EXPECT_EQ(opened, 1) << "only Yes opens it again";
    EXPECT_EQ(view->pages.size(), 1u);
    EXPECT_EQ(Recent(), std::vector<std::string>{Full(a)});

    // A file without an image the codecs read: the entry leaves after the message.
    FILE* f = fopen(bad.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fputs("not an image", f);
    fclose(f);
    app->AddToRecentFileList(bad.c_str());
    VktMsgBox answer;
    EXPECT_TRUE(app->OnOpenRecentFile(ID_FILE_MRU_FILE1));
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "ファイルを開けませんでした。\n\n" + Full(bad));
    EXPECT_EQ(Recent(), std::vector<std::string>{Full(a)});
}

TEST_F(HalcorOpnTest, TheOpenDialogOpensTheChosenNames)
{
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp"}) MakeBmp(dir / name, 8, 8, kRed, kBlue);
    ASSERT_GE(OpenTyped(dir.Path(), "\"1.bmp\" \"3.bmp\"", [&] { app->OnFileOpen(); }), 1);
    ASSERT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(Traced("OnFileOpen"), 0);
}

// With the real main frame, whose panels are shown, the folder tree at its root and the list
// showing the desktop: the open commands are enabled, the ones that need a list's selection, a
// tree's folder or a step ahead, or an image page stay disabled; the list's sort column is the
// name's, ascending, and its items can all be selected.
TEST_F(FrmTest, OpenCommandsEnabledPanelCommandsWaitForTheirPanels)
{
    Run();
    main->GetPnlLscFil().GetLscFil()->WaitThread(0, 0);
    main->GetPnlLscFil().GetLscFil()->SetFocus();
    EXPECT_EQ(Update(ID_FILE_OPEN), 1);
    EXPECT_EQ(Update(ID_VKA_OPEN_DIR), 1);
    // The folder tree shows the desktop without a folder path: nothing to open; the start's
    // selection of the root left steps to go back to, none ahead.
    for (UINT id : {UINT(ID_VKA_SEL_DIR_GO), UINT(ID_VKA_SEL_DIR_OPEN), UINT(ID_VKA_SEL_IMG_SHOW),
                    UINT(ID_VKA_SEL_IMG_OPEN), UINT(ID_VKA_VIEW_FORWARD), UINT(ID_VKA_VIEW_LOCATE)})
        EXPECT_EQ(Update(id), 0) << std::hex << id;
    EXPECT_EQ(Update(ID_VKA_VIEW_BACK), 1);
    EXPECT_EQ(Update(ID_EDIT_SELECT_ALL), 1);
    int checked = -1;
    EXPECT_EQ(Update(ID_VKA_SORT_FIRST, &checked), 1);
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(Update(ID_VKA_SORT_LAST, &checked), 1);
    EXPECT_EQ(checked, 0);
    EXPECT_EQ(Update(ID_VKA_VIEW_MODE_FIRST, &checked), 1) << "the list panel is shown";
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(Update(ID_VKA_VIEW_REFRESH), 1);
    Command(ID_VKA_VIEW_REFRESH); // the tree is built again and the list shows the desktop again
}

// Whatever road opened the images, the drawing area of the page selected afterwards holds the
// focus, so the scale commands are enabled without a click: the command line at start, Ctrl+O
// and a recent file, each begun with the focus on the tab strip or in a panel.
TEST_F(FrmTest, AfterAnOpenThePageHoldsTheFocusAndItsScaleCommandsAreEnabled)
{
    VktTempDir dir;
    const std::string a = dir / "a.bmp", b = dir / "b.bmp", c = dir / "c.bmp", d = dir / "d.bmp";
    for (const std::string& path : {a, b, c, d}) MakeBmpFile(path, 32, 16, kRed, kBlue);
    auto areaFocused = [] {
        HWND focus = GetFocus();
        char cls[16] = {};
        GetClassNameA(focus, cls, sizeof(cls));
        return focus && strcmp(cls, "Edit") == 0 &&
               DYNAMIC_DOWNCAST(DlgImg, CWnd::FromHandlePermanent(GetParent(focus))) != nullptr;
    };
    auto scaleEnabled = [&] { return Update(ID_CMN_SCA_WND) == 1 && Update(ID_CMN_SCA_100) == 1; };
    auto title = [&] {
        CString text;
        main->GetWindowText(text);
        return std::string(text);
    };

    std::vector<std::string> args = {"Pictavo.exe", a, b};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    const int argc0 = __argc;
    char** const argv0 = __argv;
    __argc = static_cast<int>(argv.size());
    __argv = argv.data();
    Run();
    __argc = argc0;
    __argv = argv0;
    VktPump(100);
    EXPECT_TRUE(areaFocused()) << "from the command line";
    EXPECT_TRUE(scaleEnabled()) << "from the command line";

    // Ctrl+O with the tab strip focused.
    Command(ID_VKA_FCS_TAB);
    ASSERT_FALSE(areaFocused());
    ASSERT_GE(OpenTyped(dir.Path(), "c.bmp",
                        [&] {
                            main->PostMessage(WM_COMMAND, ID_FILE_OPEN);
                            VktPump(300);
                        }),
              1);
    EXPECT_EQ(title(), "Pictavo - " + Full(c));
    EXPECT_TRUE(areaFocused()) << "after Ctrl+O";
    EXPECT_TRUE(scaleEnabled()) << "after Ctrl+O";

    // A recent file chosen with the focus in a panel.
    Command(ID_VKA_FCS_TRCFLD);
    ASSERT_FALSE(areaFocused());
    app->AddToRecentFileList(d.c_str());
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(title(), "Pictavo - " + Full(d));
    EXPECT_TRUE(areaFocused()) << "after a recent file";
    EXPECT_TRUE(scaleEnabled()) << "after a recent file";

    // The pages close before the frame goes, as the program's exit closes them.
    Command(ID_VKA_CLOSE_ALL);
    EXPECT_STREQ(ChildFrm::GetPendingReport(), "");
}
