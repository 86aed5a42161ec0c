// The tab view's printing: the target's order, a page printed through the CUPS queue "PDF" with
// the file name in its header (its PDF checked by TestAplCmnPdf), the preview with the frame put
// back as it was, jobs that do not start, the page set-up, and no printer at all
// (TestAplCmnNoPrinter runs those in a session without one).
#include "TestCmnDlg.h"
#include "TestCmnTbv.h"
#include <dlgs.h>
#include <stdio.h>

namespace {

int Flag(int (*get)(VkiSys*, int*))
{
    int flag = -1;
    get(theCmnAppInf.pSys, &flag);
    return flag;
}

class TbvPrtTest : public TbvTest {
protected:
    void SetUp() override
    {
        TbvTest::SetUp();
        theCmnAppInf.rctPrintMargin = RECT{1000, 1000, 1000, 1000};
        ASSERT_EQ(Open(2, CmnTypImg, 0, &page), 0);
    }
    void Command(UINT id)
    {
        main->SendMessage(WM_COMMAND, id);
        PumpPending();
    }
    // Nothing of a job is left: no marks, no target, no preview.
    void ExpectNothingLeft()
    {
        EXPECT_EQ(Flag(VkeSysGetPrintingFlag), 0);
        EXPECT_EQ(Flag(VkeSysGetPrintPreviewFlag), 0);
        EXPECT_EQ(view->Pag().pPrtTgt, nullptr);
        EXPECT_EQ(main->m_lpfnCloseProc, nullptr);
    }
    // A unique file name in a folder of Japanese names as the document's title; the name.
    std::string NameJob()
    {
        static int serial = 0;
        char name[32];
        snprintf(name, sizeof(name), "VkT%03lu%05lu%02d", ::GetCurrentProcessId() % 1000,
                 (::GetTickCount() / 1000) % 100000, ++serial % 100);
        doc->SetTitle((std::string("C:\\画像\\表\\") + name).c_str());
        return name;
    }

    TestPage* page = nullptr;
};

class TbvNoPrinter : public TbvPrtTest {
protected:
    void SetUp() override
    {
        char name[256] = {};
        DWORD size = sizeof(name);
        if (::GetDefaultPrinterA(name, &size)) GTEST_SKIP() << "this session has the printer " << name;
        TbvPrtTest::SetUp();
    }
};

} // namespace

TEST_F(TbvPrtTest, ThePrintingModeShowsThePartAfterTheLastBackslash)
{
    // 表 ends in the byte of a backslash: only a walk by characters finds the real one.
    doc->SetTitle("D:\\写真\\猫と表");
    EXPECT_EQ(view->SetPrintingMode(1), 0);
    EXPECT_EQ(std::string(doc->GetTitle()), "猫と表");
    EXPECT_EQ(view->SetPrintingMode(1), 0);
    EXPECT_EQ(std::string(doc->GetTitle()), "猫と表");
    EXPECT_EQ(view->SetPrintingMode(0), 0);
    EXPECT_EQ(std::string(doc->GetTitle()), "D:\\写真\\猫と表");
    doc->SetTitle("貼り付け表");
    EXPECT_EQ(view->SetPrintingMode(1), 0);
    EXPECT_EQ(std::string(doc->GetTitle()), "貼り付け表");
    view->SetPrintingMode(0);
    EXPECT_EQ(view->SetPrintingMode(2), -9);
}

TEST_F(TbvPrtTest, TheTargetIsTheFocusedPanelOrDialogThenTheShownPageThenAPanel)
{
    // A focused panel goes first; its preview puts the frame back as it was.
    TestPnl& panel = main->panel;
    HWND edit = panel.Item(IDC_P_INT);
    FocusItem(panel.m_hWnd, edit);
    EXPECT_EQ(view->IsPrintable(), 1);
    EXPECT_TRUE(Enabled(ID_FILE_PRINT_PREVIEW));
    std::string title(doc->GetTitle());
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(view->Pag().pPrtTgt, &panel);
    EXPECT_EQ(Flag(VkeSysGetPrintingFlag), 1);
    EXPECT_EQ(Flag(VkeSysGetPrintPreviewFlag), 1);
    EXPECT_FALSE(panel.IsWindowVisible()) << "the preview's frame";
    EXPECT_EQ(std::string(doc->GetTitle()), title) << "the title is back once the preview shows";
    // The frame moved meanwhile comes back as it was, the panel shown with the focus in it.
    main->SetWindowPos(static_cast<HWND>(nullptr), 100, 100, 500, 400, SWP_NOZORDER);
    Command(AFX_ID_PREVIEW_CLOSE);
    ExpectNothingLeft();
    CRect placed;
    main->GetWindowRect(&placed);
    EXPECT_EQ(placed, CRect(40, 40, 680, 520));
    EXPECT_TRUE(panel.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), edit);

    // A printable dialog outside the tabs, focused.
    TestPage* outer = MakePage(main);
    ASSERT_NE(outer, nullptr);
    outer->ShowWindow(SW_SHOW);
    FocusItem(outer->m_hWnd, outer->Edit());
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(view->Pag().pPrtTgt, outer);
    Command(AFX_ID_PREVIEW_CLOSE);
    ExpectNothingLeft();
    outer->DestroyWindow();
    delete outer;

    // A focused dialog with nothing to print gives way to the shown page, and without pages to
    // the first visible panel of the frame.
    TestOuter plain;
    ASSERT_TRUE(plain.Create(IDD_TFCS, main));
    plain.ShowWindow(SW_SHOW);
    FocusItem(plain.m_hWnd, plain.Edit());
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(view->Pag().pPrtTgt, page);
    Command(AFX_ID_PREVIEW_CLOSE);
    view->ClosePageAll(1);
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(view->Pag().pPrtTgt, &panel);
    Command(AFX_ID_PREVIEW_CLOSE);
    ExpectNothingLeft();

    // Nothing printable: the commands are off and do nothing.
    theCmnWin.HideBar(&panel);
    theCmnWin.HideBar();
    EXPECT_EQ(view->IsPrintable(), 0);
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW}) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_FILE_PAGE_SETUP));
    Command(ID_FILE_PRINT_PREVIEW);
    ExpectNothingLeft();
}

TEST_F(TbvPrtTest, APagePrintsWithItsFileNameInTheHeader)
{
    FocusItem(page->m_hWnd, page->Edit());
    std::string name = NameJob();
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(page->headers, (std::vector<std::string>{name}));
    EXPECT_EQ(std::string(doc->GetTitle()), "C:\\画像\\表\\" + name);
    ExpectNothingLeft();
    EXPECT_EQ(::GetFocus(), page->Edit());
    // The job is named after the document's title while it printed: the file name.
    ListJob(name, "g");
}

TEST_F(TbvPrtTest, JobsThatDoNotStartLeaveNoMark)
{
    std::string title(doc->GetTitle());
    FocusItem(page->m_hWnd, page->Edit());
    {
        VktMsgBox answer({IDCANCEL});
        Command(ID_FILE_PRINT);
        EXPECT_EQ(answer.Count(), 1) << "the print dialog";
    }
    ExpectNothingLeft();
    EXPECT_TRUE(page->headers.empty());
    EXPECT_EQ(::GetFocus(), page->Edit());
    VkiDra* dra = page->Inf().ppDra[0];
    EXPECT_EQ(VkeDraSetScale(dra, 1, 2), 0) << "the drawing area is not busy";

    // Margins wider than the page: the user is told, nothing starts.
    theCmnAppInf.rctPrintMargin = RECT{15000, 1000, 15000, 1000};
    for (UINT id : {ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW}) {
        VktMsgBox answer({IDOK});
        Command(id);
        ASSERT_EQ(answer.Count(), 1) << id;
        EXPECT_EQ(answer.Seen()[0].text, "頁設定の余白が大きすぎます。");
        ExpectNothingLeft();
    }
    EXPECT_EQ(std::string(doc->GetTitle()), title);
    EXPECT_TRUE(main->panel.IsWindowVisible());
}

TEST_F(TbvPrtTest, PageSetUpStoresTheMarginsAndThePrinter)
{
    ASSERT_EQ(static_cast<TestApp*>(app)->DevNames(), nullptr);
    {
        VktMsgBox answer({IDOK});
        answer.OnOpen = [](HWND box) {
            ::SetDlgItemTextA(box, edt4, "25");
            ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(edt4, EN_KILLFOCUS), reinterpret_cast<LPARAM>(::GetDlgItem(box, edt4)));
        };
        Command(ID_FILE_PAGE_SETUP);
        EXPECT_EQ(answer.Count(), 1);
    }
    EXPECT_EQ(theCmnAppInf.rctPrintMargin.left, 2500);
    EXPECT_EQ(theCmnAppInf.rctPrintMargin.top, 1000);
    EXPECT_NE(static_cast<TestApp*>(app)->DevNames(), nullptr) << "the chosen printer is the application's";
    EXPECT_NE(static_cast<TestApp*>(app)->PrinterDC(), nullptr);

    // Cancelled, nothing changes.
    {
        VktMsgBox answer({IDCANCEL});
        Command(ID_FILE_PAGE_SETUP);
    }
    EXPECT_EQ(theCmnAppInf.rctPrintMargin.left, 2500);
    ExpectNothingLeft();
}

TEST_F(TbvNoPrinter, PrintAndPreviewSayItOnceAndLeaveNoMark)
{
    for (UINT id : {ID_FILE_PRINT_DIRECT, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW}) {
        VktMsgBox answer({IDOK});
        Command(id);
        ASSERT_EQ(answer.Count(), 1) << id;
        EXPECT_EQ(answer.Seen()[0].text, "プリンタが見つかりません。\n\nプリンタを設定してから、もう一度実行して下さい。");
        ExpectNothingLeft();
    }
    EXPECT_TRUE(page->headers.empty());
}
