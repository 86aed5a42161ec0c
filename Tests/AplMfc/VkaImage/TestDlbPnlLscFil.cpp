// The file-list panel in the real main frame: the folder the tree selects, the sort commands of
// its menus and of the frame, opening the selection in one bracket, a view change after the
// columns were dragged, and a close that comes while the list waits for its worker.
#include "TestChildFrm.h"
#include "ChildViw.h"
#include "DlbPnlLscFil.h"
#include "HalcorRes.h"

namespace {

class LscPnlTest : public FrmTest {
protected:
    // A start whose tree shows folder; the list has filled it.
    void RunIn(const std::string& folder)
    {
        Put("strCurDir", folder.c_str(), "Common Information");
        Put("SopBsi_bChgDir", "1");
        Run();
        ASSERT_NE(List(), nullptr);
        List()->WaitThread(0, 0);
        VktPump();
    }
    DlbPnlLscFil& Panel() { return main->GetPnlLscFil(); }
    CmnLscFil* List() { return Panel().GetLscFil(); }
    int Pages()
    {
        int n = -1;
        app->GetChildViw()->GetPageCnt(&n);
        return n;
    }
    // The texts of the sort sub-menu of a menu's first popup.
    static std::vector<std::string> SortItems(HMENU menu)
    {
        HMENU popup = GetSubMenu(menu, 0), sort = nullptr;
        for (int i = 0; i < GetMenuItemCount(popup) && !sort; ++i) sort = GetSubMenu(popup, i);
        std::vector<std::string> items;
        for (int i = 0; sort && i < GetMenuItemCount(sort); ++i) {
            char text[64] = {};
            GetMenuStringA(sort, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            items.push_back(text);
        }
        return items;
    }
    HMENU PanelMenu()
    {
        HMENU menu = nullptr;
        Panel().GetMenuHandle(&menu);
        return menu;
    }
    HMENU ListMenu()
    {
        HMENU menu = nullptr;
        List()->GetMenuHandle(&menu);
        return menu;
    }
    // Selects the items of these names only.
    void Select(std::initializer_list<const char*> names)
    {
        List()->SetItemState(-1, 0, LVIS_SELECTED);
        for (const char* name : names) {
            int item = -1;
            ASSERT_EQ(List()->Search((dir / name).c_str(), &item), 0) << name;
            List()->SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
        }
    }

    VktTempDir dir;
};

} // namespace

TEST_F(LscPnlTest, TheMenusSortByTheShownColumnsAndFollowTheOptions)
{
    MakeBmpFile(dir / "a.bmp", 8, 8, RGB(255, 0, 0), RGB(255, 0, 0));
    RunIn(dir.Path());
    EXPECT_EQ(List()->GetItemCount(), 1);
    const std::vector<std::string> four = {"名前の昇順(&A)", "名前の降順(&D)", "", "種類の昇順(&A)", "種類の降順(&D)", "",
                                           "サイズの昇順(&A)", "サイズの降順(&D)", "", "更新日時の昇順(&A)", "更新日時の降順(&D)"};
    EXPECT_EQ(SortItems(PanelMenu()), four);
    EXPECT_EQ(SortItems(ListMenu()), four);
    // Other widths leave the menus; other columns make them again.
    ModifyMenuA(GetSubMenu(GetSubMenu(PanelMenu(), 0), 11), 0, MF_BYPOSITION | MF_STRING, ID_VKA_SORT_FIRST, "mark");
    Panel().SetPli();
    theCmnAppInf.lscFii.iWidthLstCol[0] = 200;
    Panel().SendMessage(CmnWmChgOpt);
    EXPECT_EQ(SortItems(PanelMenu())[0], "mark");
    theCmnAppInf.lscFii.iCntLstColTyp = 2;
    Panel().SendMessage(CmnWmChgOpt);
    List()->WaitThread(0, 0);
    const std::vector<std::string> two = {"名前の昇順(&A)", "名前の降順(&D)", "", "種類の昇順(&A)", "種類の降順(&D)"};
    EXPECT_EQ(SortItems(PanelMenu()), two);
    EXPECT_EQ(SortItems(ListMenu()), two);
    EXPECT_EQ(List()->GetItemCount(), 1);
}

TEST_F(LscPnlTest, TheSortCommandsAreCheckedAfterAColumnClick)
{
    MakeBmpFile(dir / "a.bmp", 8, 8, RGB(255, 0, 0), RGB(255, 0, 0));
    MakeBmpFile(dir / "b.bmp", 80, 80, RGB(255, 0, 0), RGB(255, 0, 0));
    RunIn(dir.Path());
    Command(ID_VKA_VIEW_MODE_LAST);
    ASSERT_EQ(List()->GetListViewMode(), LscModeRpt);
    int checked = -1;
    EXPECT_EQ(Update(ID_VKA_SORT_FIRST, &checked), 1);
    EXPECT_EQ(checked, 1) << "name ascending";
    NMLISTVIEW click = {};
    click.hdr = {List()->m_hWnd, IDC_DLBPNL_LSCFIL, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iSubItem = 2;
    Panel().SendMessage(WM_NOTIFY, IDC_DLBPNL_LSCFIL, reinterpret_cast<LPARAM>(&click));
    List()->WaitThread(0, 0);
    EXPECT_EQ(Update(ID_VKA_SORT_FIRST + 4, &checked), 1);
    EXPECT_EQ(checked, 1) << "size ascending";
    EXPECT_EQ(Update(ID_VKA_SORT_FIRST, &checked), 1);
    EXPECT_EQ(checked, 0);
    // The frame's command reverses it.
    Command(ID_VKA_SORT_FIRST + 5);
    List()->WaitThread(0, 0);
    EXPECT_EQ(Update(ID_VKA_SORT_FIRST + 5, &checked), 1);
    EXPECT_EQ(checked, 1) << "size descending";
}

TEST_F(LscPnlTest, TheSelectionOpensInOneBracketThatADeclineKeepsAndACancelStops)
{
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) MakeBmpFile(dir / name, 8, 8, RGB(0, 0, 255), RGB(0, 0, 255));
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    RunIn(dir.Path());
    EXPECT_EQ(Panel().OpenImage(), VKE_ERR_NOT_FOUND) << "nothing selected";
    Select({"a.bmp", "b.bmp"});
    {
        VktMsgBox answer({IDOK});
        EXPECT_EQ(Panel().OpenImage(), 0);
    }
    EXPECT_EQ(Pages(), 2);
    // Open already: a is declined and the batch goes on, b's question is cancelled and stops it.
    Select({"a.bmp", "b.bmp", "c.bmp"});
    {
        VktMsgBox answer({IDNO, IDCANCEL});
        EXPECT_EQ(Panel().OpenImage(), VKE_STOPPED);
        EXPECT_EQ(answer.Count(), 2);
    }
    EXPECT_EQ(Pages(), 2);
    Select({"a.bmp", "c.bmp"});
    {
        VktMsgBox answer({IDNO, IDOK, IDOK});
        EXPECT_EQ(Panel().OpenImage(), VKE_NOT_DONE);
    }
    EXPECT_EQ(Pages(), 3);
    // A double click on one folder opens nothing here: the list reports the folder itself.
    Select({"sub"});
    NMITEMACTIVATE dbl = {};
    dbl.hdr = {List()->m_hWnd, IDC_DLBPNL_LSCFIL, static_cast<UINT>(NM_DBLCLK)};
    Panel().SendMessage(WM_NOTIFY, IDC_DLBPNL_LSCFIL, reinterpret_cast<LPARAM>(&dbl));
    const std::string sub = dir / "sub";
    EXPECT_TRUE(VktPumpUntil([&] { return std::string(main->GetPnlTrcFld().GetCurPathName()) == sub; }, 10000)) << "the tree followed";
    EXPECT_EQ(Pages(), 3);
}

TEST_F(LscPnlTest, AViewChangeAfterAColumnDragKeepsThePath)
{
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) MakeBmpFile(dir / name, 8, 8, RGB(0, 255, 0), RGB(0, 255, 0));
    RunIn(dir.Path());
    ASSERT_EQ(Panel().SetListViewMode(LscModeRpt), 0);
    ASSERT_EQ(Panel().SetCurPath((dir / "b.bmp").c_str(), 1), 0);
    int order[4] = {2, 0, 1, 3}; // the size column dragged to the front
    List()->SendMessage(LVM_SETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(order));
    ASSERT_EQ(Panel().SetListViewMode(LscModeIco), 0);
    List()->WaitThread(0, 0);
    EXPECT_EQ(List()->GetSettings().iTypLstCol[0], LscColSiz);
    EXPECT_EQ(List()->GetSettings().iTypLstCol[1], LscColNam);
    EXPECT_EQ(List()->GetItemCount(), 3);
    EXPECT_EQ(static_cast<const char*>(Panel().GetCurPathName()), dir / "b.bmp");
    int selected = 0, folder = 0;
    EXPECT_EQ(static_cast<const char*>(Panel().IsSelected(&selected, &folder)), dir / "b.bmp");
    // Back in details view the columns show in the dragged order.
    ASSERT_EQ(Panel().SetListViewMode(LscModeRpt), 0);
    int shown[4] = {};
    List()->SendMessage(LVM_GETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(shown));
    LVCOLUMNA column = {};
    char title[32] = {};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = sizeof(title);
    List()->GetColumn(shown[0], &column);
    EXPECT_STREQ(title, "サイズ");
}

TEST_F(LscPnlTest, ACloseDuringTheListsWaitWaitsForItsEnd)
{
    // Images by their names: the file-command panel's default filter shows image files only.
    for (int i = 0; i < 300; ++i) VktWriteFile(dir / ("f" + std::to_string(i) + ".bmp"), "x");
    RunIn(dir.Path());
    // The worker is left waiting for this thread's answer; the close arrives meanwhile.
    LPITEMIDLIST folder = theCmnSub.GetItemIdList(dir.Path().c_str());
    ASSERT_EQ(Panel().SetList(0, folder), 0);
    theCmnSub.FreeItemIdList(&folder);
    ASSERT_TRUE(List()->IsActiveThread(0));
    main->PostMessage(WM_CLOSE);
    EXPECT_EQ(List()->WaitThread(0, 0), 0);
    EXPECT_TRUE(IsWindow(main->m_hWnd)) << "the close was refused while the wait handled it";
    EXPECT_EQ(List()->GetItemCount(), 300);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, main->m_hWnd, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(CmnWmBusyClose)) << "and it comes again after the wait";
    // The test keeps its frame: the repeated close is taken out.
    while (PeekMessageA(&msg, main->m_hWnd, CmnWmBusyClose, CmnWmBusyClose, PM_REMOVE)) {
    }
    while (PeekMessageA(&msg, main->m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
    }
}
