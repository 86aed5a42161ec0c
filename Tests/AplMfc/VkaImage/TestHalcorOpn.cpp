// The open commands: recent entries that are gone, folders, inside the auto-save folder or open
// already; the open dialog answered with two names.
#include "TestVkaOpn.h"
#include "TestChildFrm.h"
#include "HalcorRes.h"
#include <dlgs.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

std::string Full(const std::string& path)
{
    char full[CmnPathSize] = {};
    VkeSubGetPathName(theCmnAppInf.pSub, full, path.c_str(), sizeof(full));
    return full;
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
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(before), before);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    VktMsgBox answer({IDOK});
    answer.OnOpen = [](HWND box) {
        SendMessageA(box, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>("\"1.bmp\" \"3.bmp\""));
        SendMessageA(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>("\"1.bmp\" \"3.bmp\""));
    };
    app->OnFileOpen();
    SetCurrentDirectoryA(before); // the folder goes at the end of the test
    ASSERT_GE(answer.Count(), 1);
    ASSERT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(Traced("OnFileOpen"), 0);
}

// With the real main frame, whose panels are shown, the folder tree at its root and no list yet:
// the open commands are enabled, the ones that need a list's selection, a tree's folder or a
// step ahead, a sort column or an image page stay disabled.
TEST_F(FrmTest, OpenCommandsEnabledPanelCommandsWaitForTheirPanels)
{
    Run();
    EXPECT_EQ(Update(ID_FILE_OPEN), 1);
    EXPECT_EQ(Update(ID_VKA_OPEN_DIR), 1);
    // The folder tree shows the desktop without a folder path: nothing to open; the start's
    // selection of the root left steps to go back to, none ahead.
    for (UINT id : {UINT(ID_VKA_SEL_DIR_GO), UINT(ID_VKA_SEL_DIR_OPEN), UINT(ID_VKA_SEL_IMG_SHOW),
                    UINT(ID_VKA_SEL_IMG_OPEN), UINT(ID_EDIT_SELECT_ALL), UINT(ID_VKA_VIEW_FORWARD),
                    UINT(ID_VKA_SORT_FIRST), UINT(ID_VKA_SORT_LAST), UINT(ID_VKA_VIEW_LOCATE)})
        EXPECT_EQ(Update(id), 0) << std::hex << id;
    EXPECT_EQ(Update(ID_VKA_VIEW_BACK), 1);
    int checked = -1;
    EXPECT_EQ(Update(ID_VKA_VIEW_MODE_FIRST, &checked), 1) << "the list panel is shown";
    EXPECT_EQ(checked, 0);
    EXPECT_EQ(Update(ID_VKA_VIEW_REFRESH), 1);
    Command(ID_VKA_VIEW_REFRESH); // the tree is built again, the list panel answers 1: nothing is reported
}
