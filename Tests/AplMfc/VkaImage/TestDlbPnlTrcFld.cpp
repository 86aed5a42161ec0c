// The folder-tree panel in the real main frame: the start's folder, Return on the tree, its
// open-folder command with its item state, back and forward as the frame enables them, opening a
// folder through the open bracket, and a template without the tree view.
#include "TestChildFrm.h"
#include "ChildViw.h"
#include "DlbPnlTrcFld.h"
#include "HalcorRes.h"

namespace {

class TrcPnlTest : public FrmTest {
protected:
    // A start whose settings name a folder of the start (shown when bChgDir is 1).
    void RunWith(const std::string& folder, const char* bChgDir)
    {
        Put("strCurDir", folder.c_str(), "Common Information");
        Put("SopBsi_bChgDir", bChgDir);
        Run();
    }
    DlbPnlTrcFld& Panel() { return main->GetPnlTrcFld(); }
    CmnTrcFld* Tree() { return Panel().GetTrcFld(); }
    // The state the panel's own update handler gives a command of its menus.
    int PanelUpdate(UINT id)
    {
        Probe probe;
        probe.m_nID = id;
        probe.DoUpdate(&Panel(), FALSE);
        return probe.enabled;
    }
    int Pages()
    {
        int n = -1;
        app->GetChildViw()->GetPageCnt(&n);
        return n;
    }

    VktTempDir dir;
};

} // namespace

TEST_F(TrcPnlTest, TheStartShowsTheFolderOfTheSettingsWhenAsked)
{
    CreateDirectoryA((dir / "表").c_str(), nullptr);
    RunWith(dir / "表", "1");
    ASSERT_NE(Tree(), nullptr);
    EXPECT_EQ(static_cast<const char*>(Panel().GetCurPathName()), dir / "表");
    EXPECT_EQ(static_cast<const char*>(Tree()->GetPathName(Tree()->GetSelectedItem())), dir / "表");
    EXPECT_EQ(std::string(app->GetStartDir()), dir / "表");
}

TEST_F(TrcPnlTest, WithoutTheSettingTheStartShowsTheDesktopAndForgetsItsFolder)
{
    RunWith(dir.Path(), "0");
    EXPECT_EQ(Panel().GetCurPathName(), "");
    EXPECT_EQ(Tree()->GetSelectedItem(), Tree()->GetRootItem());
    EXPECT_STREQ(app->GetStartDir(), "");
    EXPECT_EQ(PanelUpdate(ID_VKA_SEL_DIR_OPEN), 0) << "no folder to open";
}

TEST_F(TrcPnlTest, ReturnTogglesTheFolderAndTheMenusFollowTheFrame)
{
    CreateDirectoryA((dir / "A").c_str(), nullptr);
    RunWith(dir.Path(), "1");
    HTREEITEM folder = Tree()->GetSelectedItem();
    ASSERT_EQ(static_cast<const char*>(Tree()->GetPathName(folder)), dir.Path());
    Tree()->SetFocus();
    for (bool expanded : {true, false}) {
        MSG msg = {Tree()->m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        EXPECT_TRUE(app->PreTranslateMessage(&msg));
        EXPECT_EQ((Tree()->GetItemState(folder, TVIS_EXPANDED) & TVIS_EXPANDED) != 0, expanded);
    }
    EXPECT_EQ(PanelUpdate(ID_VKA_SEL_DIR_OPEN), 1);
    // The tree notifies in ANSI; a right click shows its context menu.
    EXPECT_EQ(Panel().SendMessage(WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(Tree()->m_hWnd), NF_QUERY), NFR_ANSI);
    {
        VktMenuCloser closer;
        NMHDR click = {Tree()->m_hWnd, IDC_DLBPNL_TRCFLD, static_cast<UINT>(NM_RCLICK)};
        Panel().SendMessage(WM_NOTIFY, IDC_DLBPNL_TRCFLD, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(closer.Count(), 1);
    }
    for (UINT id : {UINT(ID_VKA_VIEW_BACK), UINT(ID_VKA_VIEW_FORWARD)}) EXPECT_EQ(PanelUpdate(id), Update(id)) << id;

    // The selection reached the frame: it sends the file list to the folder and its focus there.
    ASSERT_EQ(Panel().SetCurPath((dir / "A").c_str(), 1), 0);
    const HWND list = main->GetPnlLscFil().m_hWnd;
    EXPECT_TRUE(VktPumpUntil([list] {
        const HWND focus = GetFocus();
        return focus && (focus == list || IsChild(list, focus));
    }));

    // Back to the desktop's folders: the computer has no folder path to open.
    EXPECT_EQ(Panel().ViewBkw(), 0);
    EXPECT_EQ(static_cast<const char*>(Panel().GetCurPathName()), dir.Path());
    EXPECT_EQ(Panel().IsEnableViewFrw(), 1);
    EXPECT_EQ(Update(ID_VKA_VIEW_FORWARD), 1);
    LPITEMIDLIST drives = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, &drives)));
    HTREEITEM computer = nullptr;
    EXPECT_EQ(Tree()->Search(nullptr, drives, &computer), 0);
    theCmnSub.FreeItemIdList(&drives);
    ASSERT_TRUE(Tree()->SelectItem(computer));
    EXPECT_EQ(PanelUpdate(ID_VKA_SEL_DIR_OPEN), 0);
}

TEST_F(TrcPnlTest, OpenDirectoryRunsOneBracketAndNotWhileFilesOpen)
{
    CreateDirectoryA((dir / "img").c_str(), nullptr);
    MakeBmpFile(dir / "img\\1.bmp", 8, 8, RGB(255, 0, 0), RGB(0, 0, 255));
    MakeBmpFile(dir / "img\\2.bmp", 8, 8, RGB(0, 255, 0), RGB(0, 0, 255));
    RunWith(dir / "img", "1");
    EXPECT_EQ(Panel().OpenDirectory(""), VKE_ERR_ARG);
    EXPECT_EQ(Panel().OpenDirectory((dir / "img\\1.bmp").c_str()), VKE_ERR_ARG);
    EXPECT_EQ(Pages(), 0);
    {
        VktMsgBox answer({IDOK});
        Command(ID_VKA_SEL_DIR_OPEN);
        EXPECT_EQ(Pages(), 2);
        EXPECT_EQ(answer.Count(), 0);
    }
    // A bracket whose progress dialog runs: the panel opens nothing (after its message).
    VktMsgBox answer({IDOK});
    ASSERT_EQ(app->BeginOpenFile(), 0);
    app->OpenFile((dir / "img\\1.bmp").c_str(), 0, 0, 1);
    app->OpenFile((dir / "img\\2.bmp").c_str(), 0, 0, 1);
    int pages = Pages();
    EXPECT_EQ(Panel().OpenDirectory((dir / "img").c_str()), 0);
    EXPECT_EQ(Pages(), pages);
    EXPECT_EQ(app->EndOpenFile(VKE_NOT_DONE), 0);
    ASSERT_GE(answer.Count(), 1);
    EXPECT_EQ(answer.Seen().back().text, "ファイルを開いています。\n\n終了後に実行して下さい。");
}

TEST_F(TrcPnlTest, APanelWithoutItsTreeViewFailsWithoutAMessage)
{
    Run();
    VktMsgBox answer({IDOK});
    DlbPnlTrcFld other;
    ASSERT_TRUE(other.Create(main, IDD_DLBPNL_LSCFIL, WS_CHILD | CBRS_LEFT, 0xEF00));
    EXPECT_EQ(other.Init(), VKE_ERR_SYSTEM);
    EXPECT_EQ(other.GetTrcFld(), nullptr);
    EXPECT_EQ(other.SetCurPath("C:\\", 1), VKE_NOT_DONE);
    other.DestroyWindow();
    EXPECT_EQ(answer.Count(), 0);
}
