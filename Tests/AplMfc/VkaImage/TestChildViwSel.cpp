// The image tab view's range closes (locked pages, a save prompt that cancels), the selected-image
// page (kept by closes until the frame closes, shown again as the only tab) and the image queries.
#include "TestChildViw.h"
#include "VkaSubOpi.h"

TEST_F(SelTest, RangeClosesFoldTheirResultsAndACancelStopsTheWalk)
{
    Run();
    struct Case {
        const char* tabs;
        char range; // p previous, n next, o other
        int index;
        int result;
        const char* left;
    } cases[] = {
        {"olo", 'p', 2, 1, "lo"},   // the locked page declines, the walk goes on
        {"olo", 'n', 0, 1, "ol"},
        {"ocoo", 'n', 0, 3, "oc"},  // the cancel stops the walk
        {"ocoo", 'o', 3, 3, "oco"}, // no next ones; of the previous ones 2 closed, then the cancel
        {"ooco", 'o', 1, 3, "ooc"}, // the next ones first: a 3 there ends at once
        {"oolo", 'o', 1, 1, "ol"},  // everything but the index and the locked page
        {"oo", 'p', 0, 0, "oo"},    // nothing before the first tab
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tabs) + " " + c.range + std::to_string(c.index));
        Open(c.tabs);
        ChildViw* view = View();
        int rc = c.range == 'p'   ? view->ClosePagePrevAll(c.index, 1, 0, 1)
                 : c.range == 'n' ? view->ClosePageNextAll(c.index, 1, 0, 1)
                                  : view->ClosePageOtherAll(c.index, 1, 0, 1);
        EXPECT_EQ(rc, c.result);
        EXPECT_EQ(Left(), c.left);
        int all = 1;
        app->GetFlgClsAll(&all);
        EXPECT_EQ(all, 0);
        CloseAll();
    }
    EXPECT_EQ(View()->ClosePageNextAll(0, 1, 0, 1), -9) << "no tab";
}

// The exit asks every changed page before it closes any: a cancel leaves every page open and
// the current one current; the open-information file written first holds them all.
TEST_F(SelTest, AnExitCancelledAtOnePageKeepsEveryPage)
{
    Run();
    ChildViw* view = View();
    ASSERT_EQ(view->OpenPageByPth(a.c_str(), 0, 0), 0);
    Open("ocp");
    ASSERT_EQ(view->SetCurSel(3), 0);
    EXPECT_FALSE(main->GetActiveDocument()->CanCloseFrame(main));
    EXPECT_EQ(Left(), "oocp");
    int current = -1, closing = 1;
    view->GetCurSel(&current);
    app->GetFlgClsFrm(&closing);
    EXPECT_EQ(current, 3);
    EXPECT_EQ(closing, 0);
    EXPECT_EQ(Test(3)->asked, 1) << "the page after the cancelled one was asked first";
    const std::string rows = VktReadFile(std::string(VkaSubOpi::GetExitPath()));
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 2) << rows;
    EXPECT_NE(rows.find("a.bmp"), std::string::npos) << rows;
}

TEST_F(SelTest, TheSelectedImagePageStaysUntilTheFrameClosesAndShowsAsTheOnlyTab)
{
    Run();
    app->SetPrvState(1, 1);
    ChildViw* view = View();
    ASSERT_EQ(view->OpenPageSelImg(a.c_str()), 0);
    DlgImg* sel = view->GetPageSelImg();
    ASSERT_NE(sel, nullptr);
    ASSERT_EQ(view->OpenPageByPth("", 0, 0), 0);
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(view->GetImgPage(0), sel);
    int locked = 0;
    view->GetLockedFlag(0, &locked);
    EXPECT_EQ(locked, 1);
    EXPECT_EQ(view->IsExistDIBHandle(0), 1);
    EXPECT_EQ(view->IsExistDIBHandle(2), 0);
    EXPECT_EQ(view->ChkExistDIBHandleAll(), 1);

    // Closes keep it while the frame runs.
    EXPECT_EQ(view->ClosePage(0, 1, 1, 1), 0);
    EXPECT_EQ(view->ClosePageNextAll(0, 1, 1, 1), 0);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(view->GetImgPage(0), sel);

    // Hidden and shown again as the only tab: activated although the selection stays.
    ASSERT_EQ(view->HidePageSelImg(), 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(std::string(main->GetActiveDocument()->GetTitle()), "");
    app->SetFlgTabChg(1); // the view's change hook clears it
    ASSERT_EQ(view->ShowPageSelImg(), 0);
    VktPump();
    int changing = 1;
    app->GetFlgTabChg(&changing);
    EXPECT_EQ(changing, 0) << "activated as after a click";
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(std::string(main->GetActiveDocument()->GetTitle()), sel->GetPathName().GetString());
    EXPECT_TRUE(sel->IsWindowVisible());

    // With the frame closing it goes too, and the view still keeps the page.
    app->SetFlgClsFrm(1);
    EXPECT_EQ(view->ClosePageAll(1, 1, 1), 0);
    app->SetFlgClsFrm(0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(view->GetPageSelImg(), sel);
    EXPECT_EQ(view->ChkExistDIBHandleAll(), 0);

    app->SetPrvState(1, 0);
    EXPECT_EQ(view->ShowPageSelImg(), -1);
}

// Each file the selected-image page loads leaves the same state whether its tab was current
// already or another tab was: tab 0 current, the frame titled with the file, the page's drawing
// area focused, the application's frame size the image's.
TEST_F(SelTest, TheSelectedImagePageEndsEachLoadAsASelectedTab)
{
    Run();
    app->SetPrvState(1, 1);
    ChildViw* view = View();
    const std::string b = dir / "b.bmp";
    MakeBmpFile(b, 16, 40, RGB(0, 255, 0), RGB(0, 0, 0));
    ASSERT_EQ(view->OpenPageByPth("", 0, 0), 0);
    main->SetForegroundWindow();
    struct Step {
        const std::string* path;
        bool otherCurrent; // another tab current before the load
        int width, height;
    } steps[] = {{&a, true, 32, 16}, {&b, false, 16, 40}, {&a, false, 32, 16}, {&b, true, 16, 40}};
    for (const Step& s : steps) {
        SCOPED_TRACE(*s.path + (s.otherCurrent ? " after another tab" : " on its own tab"));
        if (s.otherCurrent && view->GetPageSelImg()) {
            ASSERT_EQ(view->SetCurSel(1), 0);
        }
        ::SetFocus(main->m_hWnd);
        app->SetFlgTabChg(1);
        ASSERT_EQ(view->OpenPageSelImg(s.path->c_str()), 0);
        DlgImg* sel = view->GetPageSelImg();
        ASSERT_NE(sel, nullptr);
        int current = -1, changing = 1;
        view->GetCurSel(&current);
        app->GetFlgTabChg(&changing);
        EXPECT_EQ(current, 0);
        EXPECT_EQ(changing, 0);
        EXPECT_EQ(std::string(main->GetActiveDocument()->GetTitle()), sel->GetPathName().GetString());
        EXPECT_EQ(::GetFocus(), sel->GetDraWnd());
        EXPECT_EQ(theAppInf.poi.fri.iWidth, s.width);
        EXPECT_EQ(theAppInf.poi.fri.iHeight, s.height);
        EXPECT_TRUE(sel->IsWindowVisible());
    }
    app->SetFlgClsFrm(1);
    EXPECT_EQ(view->ClosePageAll(1, 1, 0), 0);
    app->SetFlgClsFrm(0);
    app->SetPrvState(1, 0);
}

// A file picked in the list that has gone since the list showed it is named, and the selected-
// image page keeps the file it showed.
TEST_F(SelTest, AFileGoneSinceTheListShowedItIsNamedAndThePageStays)
{
    const std::string b = dir / "b.bmp";
    MakeBmpFile(b, 16, 40, RGB(0, 255, 0), RGB(0, 0, 0));
    Put("strCurDir", dir.Path().c_str(), "Common Information");
    Put("SopBsi_bChgDir", "1");
    Run();
    app->SetPrvState(1, 1);
    CmnLscFil* list = main->GetPnlLscFil().GetLscFil();
    ASSERT_NE(list, nullptr);
    list->WaitThread(0, 0);
    VktPump();
    int first = -1, gone = -1;
    ASSERT_EQ(list->Search(a.c_str(), &first), 0);
    ASSERT_EQ(list->Search(b.c_str(), &gone), 0);
    ASSERT_EQ(list->SetCurSel(first), 0);
    DlgImg* sel = View()->GetPageSelImg();
    ASSERT_NE(sel, nullptr);
    ASSERT_EQ(sel->GetIci()->pthImg.iWidth, 32);
    const int tabs = Count();

    ASSERT_TRUE(::DeleteFileA(b.c_str()));
    VktMsgBox answer({IDOK});
    list->SetCurSel(gone);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "ファイルが見つかりません。\n\n" + VktLongFullPath(b));
    EXPECT_EQ(View()->GetPageSelImg(), sel);
    EXPECT_EQ(sel->GetIci()->pthImg.iWidth, 32);
    EXPECT_EQ(sel->GetIci()->pthImg.iHeight, 16);
    EXPECT_EQ(std::string(sel->GetPathName()), VktLongFullPath(a));
    EXPECT_EQ(Count(), tabs);
    app->SetFlgClsFrm(1);
    EXPECT_EQ(View()->ClosePageAll(1, 1, 0), 0);
    app->SetFlgClsFrm(0);
    app->SetPrvState(1, 0);
}

// The file the selected-image page shows opens into a page with that page's turn; a page opened
// while an open-information file is read takes its settings from the row alone.
TEST_F(SelTest, APageOfTheSelectedImageTakesItsTurn)
{
    Run();
    app->SetPrvState(1, 1);
    ChildViw* view = View();
    ASSERT_EQ(view->OpenPageSelImg(a.c_str()), 0);
    ASSERT_EQ(view->GetPageSelImg()->RotateImage(90.0), 0);
    for (int reading : {0, 1}) {
        SCOPED_TRACE(reading);
        app->SetFlgOpnInf(reading);
        ASSERT_EQ(view->OpenPageByPth(a.c_str(), 0, 0), 0);
        app->SetFlgOpnInf(0);
        ASSERT_EQ(Count(), 2);
        const Ici* ici = view->GetImgPage(1)->GetIci();
        EXPECT_EQ(ici->dRotate, reading ? 0.0 : 90.0);
        EXPECT_EQ(ici->pthImg.iWidth, reading ? 32 : 16);
        ASSERT_EQ(view->ClosePage(1, 1, 1, 0), 0);
    }
    app->SetFlgClsFrm(1);
    EXPECT_EQ(view->ClosePageAll(1, 1, 0), 0);
    app->SetFlgClsFrm(0);
    app->SetPrvState(1, 0);
}

TEST_F(SelTest, PasteMakesAPageOfAnotherProgramsCopyWithoutTheMonitor)
{
    Run();
    ChildViw* view = View();
    ASSERT_EQ(view->GetClbMonFlag(), 0);
    CopyBitmapElsewhere();
    EXPECT_EQ(Count(), 0);
    ASSERT_EQ(view->EditPst(), 0);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(view->IsExistDIBHandle(0), 1);
    EXPECT_EQ(view->GetImgPage(0)->GetPastedFlag(), 1);
}

TEST_F(SelTest, WithThePreviewInATabItsItemHidesAndShowsTheSelectedImagePage)
{
    Run();
    app->SetPrvState(1, 1);
    ChildViw* view = View();
    ASSERT_EQ(view->OpenPageSelImg(a.c_str()), 0);
    Open("o");
    const UINT item = ID_VKA_PNL_FIRST + 3 * VkaPnlPrv;
    int checked = -1;
    EXPECT_EQ(Update(item, &checked), 1);
    EXPECT_EQ(checked, 1);
    Command(item);
    EXPECT_EQ(Left(), "o");
    EXPECT_EQ(Update(item, &checked), 1);
    EXPECT_EQ(checked, 0);
    Command(item);
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(view->GetImgPage(0), view->GetPageSelImg());
    // Without a current page there is nothing to show it beside.
    Command(item);
    CloseAll();
    EXPECT_EQ(Update(item), 0);
}
