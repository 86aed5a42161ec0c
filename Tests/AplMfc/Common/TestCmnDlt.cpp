// The tab dialog over the tab view tests' frame: its pages, OK on a page with wrong data, the
// last page's close, the flags, its size, lock requests, the focus across activation and the
// commands handed to the page in front.
#include "TestCmnDlg.h"
#include "TestCmnTbv.h"

BOOL TestDlt::OnInitDialog()
{
    CmnDlt::OnInitDialog();
    StartDialog(0, 0, 0, 0, 1, [this] {
        m_pag.pMenu = new CMenu;
        if (!m_pag.pMenu->LoadMenu(IDR_TTAB_MENU)) return -8;
        int rc = StartTab(IDC_TT_TAB, m_pag.pMenu->m_hMenu, 0, 1);
        for (int no = 1; rc == 0 && no <= 3; ++no) {
            TestPage* page = MakePage(this);
            std::string title = "設定" + std::to_string(no);
            rc = page ? OpenPage(page, -1, no, 0x1000000 + no, 0, title.c_str()) : -8;
        }
        return rc;
    });
    return TRUE;
}

TestPage* TestDlt::Page(int index)
{
    void* page = nullptr;
    int type = 0;
    GetPage(index, &page, &type);
    return static_cast<TestPage*>(page);
}

void TestDlt::OnCancel()
{
    ++cancels;
    CmnDlt::OnCancel();
}

namespace {

class DltTest : public TbvTest {
protected:
    void SetUp() override
    {
        TbvTest::SetUp();
        dlt = new TestDlt;
        ASSERT_TRUE(dlt->Create(IDD_TDLT, main));
        dlt->ShowWindow(SW_SHOW);
        dlt->SetForegroundWindow();
        PumpPending();
        ASSERT_EQ(dlt->Pag().bReady, 1);
    }
    void TearDown() override
    {
        delete dlt; // the window goes first, its pages before the tab control
        TbvTest::TearDown();
    }
    int DltSel()
    {
        int sel = -2;
        dlt->GetCurSel(&sel);
        return sel;
    }

    TestDlt* dlt = nullptr;
};

} // namespace

TEST_F(DltTest, PagesAreUniqueInEveryKeyAndTheLastCloseCancels)
{
    int count = 0;
    dlt->GetPageCnt(&count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(DltSel(), 0);
    TestPage* second = dlt->Page(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(dlt->OpenPage(second, -1, 2, 0x1000002, 0, "設定2"), 0) << "open already: shown";
    EXPECT_EQ(DltSel(), 1);
    EXPECT_EQ(dlt->OpenPage(second, -1, 2, 0x1000002, 2, "設定2"), -9) << "the show flag is 0 or 1";

    // In the dialog no type repeats, the image pages' neither.
    TestPage* more = MakePage(dlt);
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(dlt->OpenPage(more, -1, 4, 0x1000003, 1, "x"), -9);
    EXPECT_EQ(dlt->OpenPage(more, -1, 3, 0x1000009, 1, "x"), -9);
    EXPECT_EQ(dlt->OpenPage(more, -1, 4, CmnTypImg, 1, "画像"), 0);
    TestPage* image = MakePage(dlt);
    EXPECT_EQ(dlt->OpenPage(image, -1, 5, CmnTypImg, 0, "画像"), -9);
    image->DestroyWindow();
    delete image;
    DltElm* e = nullptr;
    EXPECT_EQ(dlt->SchDltElmByTyp(CmnTypImg, &e), 0) << "one image page: found by its type";
    EXPECT_EQ(e->pPage, more);
    int locked = 0;
    dlt->GetLockedFlag(3, &locked);
    EXPECT_EQ(locked, 0) << "the dialog's tabs open unlocked";

    // A lock request of a page is taken over: the tab stays unlocked.
    dlt->SendMessage(WM_COMMAND, ID_CMN_TAB_LOCK);
    dlt->GetLockedFlag(1, &locked);
    EXPECT_EQ(locked, 0);
    VkeTabLockReq req = {0, 1, 0};
    EXPECT_EQ(dlt->SendMessage(VkeWmSetLocked, 0, reinterpret_cast<LPARAM>(&req)), 1);
    EXPECT_EQ(req.iHandled, 1);
    req = {7, 1, 0};
    EXPECT_EQ(dlt->SendMessage(VkeWmSetLocked, 0, reinterpret_cast<LPARAM>(&req)), 1);
    EXPECT_EQ(req.iHandled, 0) << "no such page";
    EXPECT_EQ(dlt->SendMessage(VkeWmSetLocked, 0, 0), 0);

    // Closing every page cancels the dialog once, after its last page.
    HWND firstWnd = dlt->Page(0)->m_hWnd;
    dlt->SendMessage(WM_COMMAND, ID_CMN_TAB_CLOSE_OTHR);
    EXPECT_EQ(dlt->cancels, 0);
    dlt->SendMessage(WM_COMMAND, ID_CMN_TAB_CLOSE_ALL);
    EXPECT_EQ(dlt->cancels, 1);
    EXPECT_FALSE(::IsWindow(firstWnd));
    EXPECT_FALSE(::IsWindowVisible(dlt->m_hWnd));
}

TEST_F(DltTest, OkStaysOnThePageWithWrongData)
{
    // The first page's value turns wrong while the third is in front.
    dlt->SetCurSel(2);
    VkiCtl* ctl = dlt->Page(0)->Inf().ppCtl[0];
    ASSERT_EQ(VkeCtlSetDataValue(ctl, "abc", 0), 0);
    dlt->SendMessage(WM_COMMAND, IDOK);
    {
        // The dialog is a "#32770" the answerer would press too: it lives only while the frame
        // shows the message.
        VktMsgBox answer({IDOK});
        MSG msg;
        while (::PeekMessageA(&msg, main->m_hWnd, CmnWmMsgFcs, CmnWmMsgFcs, PM_REMOVE)) ::DispatchMessageA(&msg);
        EXPECT_EQ(answer.Count(), 1);
    }
    PumpPending();
    EXPECT_TRUE(::IsWindowVisible(dlt->m_hWnd)) << "OK keeps the dialog";
    EXPECT_EQ(DltSel(), 0);
    EXPECT_EQ(main->messages, (std::vector<int>{VKE_ERR_INT}));
    EXPECT_EQ(::GetFocus(), dlt->Page(0)->Edit());

    TypeInto(dlt->Page(0)->Edit(), "7");
    dlt->SendMessage(WM_COMMAND, IDOK);
    PumpPending();
    EXPECT_FALSE(::IsWindowVisible(dlt->m_hWnd));
}

TEST_F(DltTest, FlagsSizeAndFocusFollowTheDialog)
{
    for (int i = 0; i < 3; ++i) {
        dlt->SetCurSel(i);
        TypeInto(dlt->Page(i)->Edit(), std::to_string(20 + i).c_str());
        EXPECT_EQ(dlt->Page(i)->GetModifiedFlag(), 1);
    }
    EXPECT_EQ(dlt->IsCurPageModified(), 1);
    EXPECT_EQ(dlt->SetModifiedFlag(1), 0);
    EXPECT_EQ(dlt->GetModifiedFlag(), 1);
    EXPECT_EQ(dlt->Page(0)->GetModifiedFlag(), 1) << "setting leaves the pages";
    EXPECT_EQ(dlt->SetModifiedFlag(0), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(dlt->Page(i)->GetModifiedFlag(), 0) << i;
    EXPECT_EQ(dlt->GetModifiedFlag(), 0);
    EXPECT_EQ(dlt->SetErrorFlag(-1), -9);

    // The least size gives the tab control 50 x 50.
    dlt->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10));
    CRect tab;
    ::GetWindowRect(dlt->Pag().hTabWnd, &tab);
    EXPECT_EQ(tab.Width(), 50);
    EXPECT_EQ(tab.Height(), 50);

    // The focus comes back to the control that had it when the dialog is active again.
    HWND edit = dlt->Page(2)->Edit();
    FocusItem(dlt->Page(2)->m_hWnd, edit);
    main->SetForegroundWindow();
    PumpPending();
    EXPECT_NE(::GetFocus(), edit);
    dlt->SetForegroundWindow();
    PumpPending();
    EXPECT_EQ(::GetFocus(), edit);
    EXPECT_EQ(dlt->RestoreFocus(), 0);
    EXPECT_EQ(::GetFocus(), dlt->Pag().hTabWnd);
}

TEST_F(DltTest, EditAndScaleCommandsGoToThePageInFront)
{
    dlt->SetCurSel(1);
    TestPage* page = dlt->Page(1);
    FocusItem(page->m_hWnd, page->Area());
    dlt->SendMessage(WM_COMMAND, ID_CMN_SCA_200);
    int num = 0, den = 0;
    VkeDraGetScale(page->Inf().ppDra[0], &num, &den);
    EXPECT_EQ(num, 2 * den);
    VkeDraGetScale(dlt->Page(0)->Inf().ppDra[0], &num, &den);
    EXPECT_EQ(num, den) << "the other pages keep theirs";

    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_CMN_SCA_200, "200%");
    popup.AppendMenu(MF_STRING, ID_EDIT_UNDO, "元に戻す");
    dlt->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    EXPECT_TRUE(popup.GetMenuState(ID_CMN_SCA_200, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(popup.GetMenuState(ID_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED);
}
