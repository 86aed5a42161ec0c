// The tab view's pages: opening with its clashes and bad arguments, searches by key and type,
// closing ranges with locked tabs, the record family, the page list's end, a page whose data is
// wrong, the flags and the sizes of the tab control.
#include "TestCmnTbv.h"
#include "TestCmnDlg.h"

// ---- Document, frame, view and pages ----

IMPLEMENT_DYNCREATE(TbvDoc, CDocument)
IMPLEMENT_DYNCREATE(TbvFrame, CFrameWnd)
IMPLEMENT_DYNCREATE(TestTbv, CmnTbv)

BEGIN_MESSAGE_MAP(TbvFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(CmnWmSetFcs, &ThisClass::OnSetFcs)
    ON_MESSAGE(CmnWmMsgFcs, &ThisClass::OnMsgFcs)
END_MESSAGE_MAP()

int TbvFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!status.Create(this) || !status.SetIndicators(indicators, 1)) return -1;
    if (!panel.Create(this, IDD_TPNL, WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_LEFT, ID_P_LEFT)) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    panel.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&panel, AFX_IDW_DOCKBAR_LEFT);
    return 0;
}

LRESULT TbvFrame::OnSetFcs(WPARAM wParam, LPARAM)
{
    HWND wnd = reinterpret_cast<HWND>(wParam);
    if (!wnd || !::IsWindow(wnd)) return 0;
    theCmnSub.SetFocusWnd(wnd);
    return 1;
}

LRESULT TbvFrame::OnMsgFcs(WPARAM wParam, LPARAM lParam)
{
    messages.push_back(static_cast<int>(lParam));
    theCmnSub.MsgBoxById(static_cast<int>(lParam), MB_OK);
    // A focus request queued before gives way to this one.
    MSG queued;
    while (::PeekMessageA(&queued, m_hWnd, CmnWmSetFcs, CmnWmSetFcs, PM_REMOVE)) {
    }
    return OnSetFcs(wParam, 0);
}

void TestTbv::OnInitialUpdate()
{
    if (m_pag.bReady) return;
    CmnTbv::OnInitialUpdate();
    if (Init(0, 1) != 0) return;
    m_pag.pMenu = new CMenu;
    if (!m_pag.pMenu->LoadMenu(IDR_TTAB_MENU) || StartTab(IDC_TT_TAB, m_pag.pMenu->m_hMenu, 0, 1) != 0) return;
    CRect client;
    GetClientRect(&client);
    MoveTab(client);
}

int TestTbv::OnTcnSelChange()
{
    ++selChanges;
    return CmnTbv::OnTcnSelChange();
}

int TestTbv::ClosePage(int index, int flag)
{
    closed.push_back(index);
    return index == failIndex ? -1 : CmnTbv::ClosePage(index, flag);
}

BEGIN_MESSAGE_MAP(TestPage, CmnDlg)
    ON_MESSAGE(VkeWmDrw, &ThisClass::OnDrw)
END_MESSAGE_MAP()

BOOL TestPage::OnInitDialog()
{
    CmnDlg::OnInitDialog();
    StartDialog(1, 1, 0, [this] {
        int rc = InitCtlSlot(0, VKE_CTL_EDIT, IDC_TT_INT, VKE_EDIT_INT, "", "10");
        if (rc == 0)
            rc = InitDraSlot(0, IDC_TT_AREA, RECT{0, 0, 400, 300}, IDC_TT_HBAR, IDC_TT_VBAR,
                             [](VkeDraParam& p) { p.iDrawMemory = 1; });
        return rc;
    });
    return TRUE;
}

int TestPage::PreparePrinting(CPrintInfo* pInfo)
{
    int rc = CmnDlg::PreparePrinting(pInfo);
    CDocument* doc = CmnGetApp()->GetActiveDocument();
    for (int i = 0; doc && i < m_inf.iDraCnt; ++i)
        snprintf(m_inf.pPrtInf[i].amHeader, sizeof(m_inf.pPrtInf[i].amHeader), "%s", static_cast<LPCSTR>(doc->GetTitle()));
    return rc;
}

int TestPage::Print(CDC* pDC, CPrintInfo* pInfo)
{
    headers.push_back(m_inf.pPrtInf[0].amHeader);
    return CmnDlg::Print(pDC, pInfo);
}

LRESULT TestPage::OnDrw(WPARAM, LPARAM lParam)
{
    const Dri* dri = reinterpret_cast<const Dri*>(lParam);
    ::FillRect(dri->hDC, &dri->rct, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    return 0;
}

BOOL TestOuter::OnInitDialog()
{
    CmnDlg::OnInitDialog();
    StartDialog(1, 0, 0, [this] { return InitCtlSlot(0, VKE_CTL_EDIT, IDC_TT_EDIT, VKE_EDIT_TEXT, "", "外の値"); });
    return TRUE;
}

TestPage* MakePage(CWnd* parent)
{
    TestPage* page = new TestPage;
    if (page->Create(IDD_TPAG, parent)) return page;
    delete page;
    return nullptr;
}

// ---- The fixture ----

void TbvTest::SetUp()
{
    AppTest::SetUp();
    ASSERT_EQ(Start(), 0);
    CSingleDocTemplate* tmpl = new CSingleDocTemplate(IDR_TTBV, RUNTIME_CLASS(TbvDoc), RUNTIME_CLASS(TbvFrame),
                                                      RUNTIME_CLASS(TestTbv));
    app->AddDocTemplate(tmpl);
    app->m_nCmdShow = SW_SHOWNORMAL;
    doc = tmpl->OpenDocumentFile(nullptr);
    ASSERT_NE(doc, nullptr);
    POSITION pos = doc->GetFirstViewPosition();
    view = DYNAMIC_DOWNCAST(TestTbv, doc->GetNextView(pos));
    ASSERT_NE(view, nullptr);
    main = DYNAMIC_DOWNCAST(TbvFrame, view->GetParentFrame());
    ASSERT_NE(main, nullptr);
    theCmnAppInf.pMainFrame = main;
    theCmnWin.Term();
    ASSERT_EQ(theCmnWin.Init(3), 0);
    theCmnWin.SetBar(2, &main->panel);
    ASSERT_EQ(main->panel.Start(), 0);
    main->SetWindowPos(static_cast<HWND>(nullptr), 40, 40, 640, 480, SWP_NOZORDER | SWP_SHOWWINDOW);
    main->SetForegroundWindow();
    PumpPending();
    ASSERT_EQ(view->Pag().bReady, 1);
}

void TbvTest::TearDown()
{
    // The pages and the tab control go while the engine still runs.
    if (main && ::IsWindow(main->m_hWnd)) main->DestroyWindow();
    PumpPending();
    theCmnWin.Term();
    theCmnAppInf.pMainFrame = frame;
    AppTest::TearDown();
}

int TbvTest::Open(int no, int type, int locked, TestPage** out)
{
    TestPage* page = MakePage(view);
    if (out) *out = page;
    if (!page) return -1;
    std::string title = "頁" + std::to_string(no);
    int rc = view->OpenPage(page, -1, no, type, locked, title.c_str());
    if (rc != 0 && !(out && *out)) {
        page->DestroyWindow();
        delete page;
    }
    PumpPending();
    return rc;
}

int TbvTest::Count()
{
    int count = -1;
    view->GetPageCnt(&count);
    return count;
}

int TbvTest::Sel()
{
    int sel = -2;
    view->GetCurSel(&sel);
    return sel;
}

std::string TbvTest::Title(int index)
{
    char text[64] = {};
    view->GetTitle(index, text, sizeof(text));
    return text;
}

void TbvTest::RightClick(int index)
{
    RECT item = {};
    ::SendMessageA(TabWnd(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    VktMenuCloser closer;
    ::SendMessageA(TabWnd(), WM_RBUTTONUP, 0, MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    PumpPending();
}

UINT TbvTest::State(UINT id)
{
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, id, "項目");
    view->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    return popup.GetMenuState(id, MF_BYCOMMAND);
}

int TbvTest::Traced(const char* name)
{
    PumpPending();
    int count = 0;
    for (const std::string& trace : frame->traces) count += trace == name;
    return count;
}

// ---- Tests ----

TEST_F(TbvTest, OpeningKeepsPagesUniqueButImagePagesMayShareTheirType)
{
    TestPage* first = nullptr;
    ASSERT_EQ(Open(2, CmnTypImg, 0, &first), 0);
    ASSERT_EQ(Open(3, CmnTypImg), 0) << "image pages share their type";
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Title(1), "頁3");
    EXPECT_EQ(::GetParent(first->m_hWnd), TabWnd()) << "the tab adopts the page";

    // The same page again selects it and changes nothing.
    view->SetCurSel(1);
    EXPECT_EQ(view->OpenPage(first, -1, 2, CmnTypImg, 0, "頁2"), 0);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Sel(), 0);

    // Clashes: the same page otherwise, the same number, a second page of another type.
    EXPECT_EQ(view->OpenPage(first, -1, 9, CmnTypImg, 0, "x"), -9);
    EXPECT_EQ(Open(3), -9) << "number 3 is open";
    EXPECT_EQ(Open(4, 0x2000001), 0);
    EXPECT_EQ(Open(5, 0x2000001), -9) << "only image pages repeat their type";

    // Bad arguments, each refused before anything opens.
    TestPage* spare = MakePage(view);
    ASSERT_NE(spare, nullptr);
    EXPECT_EQ(view->OpenPage(nullptr, -1, 7, CmnTypImg, 0, "x"), -9);
    EXPECT_EQ(view->OpenPage(spare, -1, 7, CmnTypImg, 0, nullptr), -9);
    EXPECT_EQ(view->OpenPage(spare, -1, 7, 0, 0, "x"), -9);
    EXPECT_EQ(view->OpenPage(spare, -1, 7, CmnTypImg, 2, "x"), -9);
    EXPECT_EQ(view->OpenPage(spare, -2, 7, CmnTypImg, 0, "x"), -9);
    EXPECT_EQ(view->OpenPage(spare, Count() + 1, 7, CmnTypImg, 0, "x"), -9);
    // A page object whose window is gone.
    HWND gone = spare->m_hWnd;
    spare->DestroyWindow();
    EXPECT_EQ(view->OpenPage(spare, -1, 7, CmnTypImg, 0, "x"), -9);
    EXPECT_FALSE(::IsWindow(gone));
    delete spare;
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Traced("OpenPage"), 10);

    // The index count itself is the end.
    EXPECT_EQ(Open(8), 0);
    TestPage* front = MakePage(view);
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(view->OpenPage(front, 0, 9, CmnTypImg, 0, "前"), 0);
    EXPECT_EQ(Title(0), "前");
}

TEST_F(TbvTest, EngineControlsAndDrawingAreasArePagesAndGoWithTheirTabs)
{
    VkiCtl* ctl = nullptr;
    ASSERT_EQ(VkeCtlAlloc(theCmnAppInf.pSys, VKE_CTL_EDIT, &ctl), 0);
    ASSERT_EQ(VkeCtlCreate(ctl, "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 100, 20, view->m_hWnd, 3001), 0);
    VkeCtlParam cp = {};
    VkeCtlInitParam(ctl, &cp);
    int field = 0, msg = 0;
    ASSERT_EQ(VkeCtlInit(ctl, &cp, &field, &msg), 0);
    HWND ctlWnd = nullptr;
    VkeCtlGetCtlHandle(ctl, &ctlWnd);
    ASSERT_EQ(view->OpenPage(ctl, -1, 2, CmnTypCtl, 0, "制御"), 0);

    VkiDra* dra = nullptr;
    ASSERT_EQ(VkeDraAlloc(theCmnAppInf.pSys, &dra), 0);
    ASSERT_EQ(VkeDraCreate(dra, 0, 0, 200, 150, view->m_hWnd, 3002), 0);
    VkeDraParam dp = {};
    VkeDraInitParam(dra, &dp);
    dp.uHScrBarId = 3003;
    dp.uVScrBarId = 3004;
    dp.rctDra = {0, 0, 200, 150};
    dp.rctInrDra = {0, 0, 400, 300};
    dp.iArrowScrSizeH = dp.iArrowScrSizeV = 5;
    dp.iWheelScrSizeH = dp.iWheelScrSizeV = 30;
    ASSERT_EQ(VkeDraInit(dra, &dp, &field, &msg), 0);
    HWND draWnd = nullptr;
    VkeDraGetDraHandle(dra, &draWnd);
    ASSERT_EQ(view->OpenPage(dra, -1, 3, CmnTypDra, 0, "描画"), 0);
    EXPECT_EQ(Open(4, CmnTypCtl), -9) << "one engine control page";

    int index = -1;
    EXPECT_EQ(view->SchPageByKey(dra, &index), 0);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(view->SchPageByHdl(ctlWnd, &index), 0);
    EXPECT_EQ(index, 0);
    void* page = nullptr;
    int type = 0;
    EXPECT_EQ(view->GetPage(1, &page, &type), 1);
    EXPECT_EQ(page, dra);
    EXPECT_EQ(type, CmnTypDra);
    EXPECT_EQ(view->GetPage(2, &page, &type), 0);
    EXPECT_EQ(page, nullptr);

    // Closing the tab ends the object and its window.
    EXPECT_EQ(view->ClosePage(0, 0), 0);
    EXPECT_FALSE(::IsWindow(ctlWnd));
    EXPECT_EQ(view->ClosePageAll(0), 0);
    EXPECT_FALSE(::IsWindow(draWnd));
    EXPECT_EQ(Count(), 0);
}

TEST_F(TbvTest, SearchesVisitTheirMatchesInTurnAndRefuseTheSharedType)
{
    TbvElm* e = nullptr;
    EXPECT_EQ(view->SchTbvElmByNo(2, &e), -12) << "an empty list";
    EXPECT_EQ(e, nullptr);
    ASSERT_EQ(Open(2, 0x2000001), 0);
    ASSERT_EQ(Open(3, 0x2000002), 0);
    ASSERT_EQ(Open(4), 0);
    EXPECT_EQ(view->SchTbvElmByNo(3, &e), 0);
    EXPECT_EQ(e->iTyp, 0x2000002);
    EXPECT_EQ(view->SchTbvElmByNo(9, &e), -12);
    EXPECT_EQ(view->SchTbvElmByTyp(CmnTypImg, &e), -9) << "image pages are many";
    EXPECT_EQ(e, nullptr);
    EXPECT_EQ(view->SchTbvElm(-1, &e), -12);
    EXPECT_EQ(view->SchTbvElm(3, &e), -12);
    EXPECT_EQ(view->SchTbvElm(2, &e), 0);
    EXPECT_EQ(e->iNo, 4);
    int index = -1;
    EXPECT_EQ(view->SchPageByTyp(0x2000002, &index), 0);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(view->SchPageByNo(7, &index), -12);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(Traced("SchDat"), 1) << "not found is no failure";

    // A list of the record family alone, whose elements share a type: each search goes on after
    // the last hit and wraps from the tail to the head.
    Dat* list = nullptr;
    ASSERT_EQ(view->AllocDat(0x40002, &list), 0);
    Lki* lki = static_cast<Lki*>(list);
    for (int no = 1; no <= 3; ++no) {
        Dat* d = nullptr;
        ASSERT_EQ(view->AllocDat(0x40001, &d), 0);
        static_cast<TbvElm*>(d)->iNo = no;
        static_cast<TbvElm*>(d)->iTyp = 0x2000001;
        ASSERT_EQ(view->AddDat(0x40001, lki, d), 0);
    }
    std::vector<int> seen;
    int type = 0x2000001;
    for (int i = 0; i < 4; ++i) {
        Dat* found = nullptr;
        ASSERT_EQ(view->SchDat(0x40001, CmnTbvSchTyp, lki, &type, &found), 0);
        seen.push_back(static_cast<TbvElm*>(found)->iNo);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 1}));
    EXPECT_EQ(view->SchDat(0x40001, 0x1005, lki, &type, reinterpret_cast<Dat**>(&e)), -9) << "no such mode";
    EXPECT_EQ(view->SchDat(0x40002, CmnTbvSchTyp, lki, &type, reinterpret_cast<Dat**>(&e)), -9) << "not an element";
    EXPECT_EQ(view->AllocDat(0x50001, &list), -9) << "the dialog's code";
    EXPECT_EQ(view->FreeDat(0x40002, &list), 0);
    EXPECT_EQ(list, nullptr);
}

TEST_F(TbvTest, RangesCloseFromTheirLastTabBackwardsAndAFailureWinsOverADecline)
{
    TestPage* kept = nullptr;
    for (int no = 2; no <= 6; ++no) ASSERT_EQ(Open(no, CmnTypImg, no == 4 ? 1 : 0, no == 4 ? &kept : nullptr), 0);
    HWND keptWnd = kept->m_hWnd;
    void* last = nullptr;
    int type = 0;
    ASSERT_EQ(view->GetPage(4, &last, &type), 1);
    HWND lastWnd = static_cast<TestPage*>(last)->m_hWnd;

    // Tab 2 is locked: it declines, the others before and after it close.
    EXPECT_EQ(view->ClosePageNextAll(2, 0), 0);
    EXPECT_FALSE(::IsWindow(lastWnd)) << "the page goes with its tab";
    EXPECT_EQ(view->closed, (std::vector<int>{4, 3}));
    view->closed.clear();
    EXPECT_EQ(view->ClosePageOtherAll(0, 0), 1) << "the locked tab declined";
    EXPECT_EQ(view->closed, (std::vector<int>{2, 1}));
    EXPECT_EQ(Count(), 2);
    EXPECT_TRUE(::IsWindow(keptWnd));
    EXPECT_EQ(Title(1), "頁4");

    // A failure anywhere in the range is the answer, also after a decline.
    ASSERT_EQ(Open(7), 0);
    view->closed.clear();
    view->failIndex = 0;
    EXPECT_EQ(view->ClosePageAll(0), -1);
    EXPECT_EQ(view->closed, (std::vector<int>{2, 1, 0}));
    view->failIndex = -1;
    EXPECT_EQ(Count(), 2);

    // Bad indexes and flags.
    EXPECT_EQ(view->ClosePage(5, 0), -9);
    EXPECT_EQ(view->ClosePage(0, 2), -9);
    EXPECT_EQ(view->ClosePagePrevAll(-1, 0), -9);
    EXPECT_EQ(view->ClosePageNextAll(2, 0), -9);
    // Forced, the locked tab goes too.
    EXPECT_EQ(view->ClosePageAll(1), 0);
    EXPECT_FALSE(::IsWindow(keptWnd));
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Sel(), -1);
}

TEST_F(TbvTest, APageWithWrongDataCannotBeLeft)
{
    TestPage* page = nullptr;
    ASSERT_EQ(Open(2, CmnTypImg, 0, &page), 0);
    ASSERT_EQ(Open(3), 0);
    TypeInto(page->Edit(), "abc");
    int changes = view->selChanges;
    {
        VktMsgBox answer({IDOK});
        EXPECT_EQ(view->SetCurSel(1), 1) << "the view refuses the change";
        PumpPending();
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_EQ(answer.Seen()[0].text, std::string(theCmnSub.GetMsgStr(VKE_ERR_INT)));
    }
    EXPECT_EQ(Sel(), 0);
    EXPECT_EQ(view->selChanges, changes);
    EXPECT_EQ(main->messages, (std::vector<int>{VKE_ERR_INT}));
    EXPECT_EQ(::GetFocus(), page->Edit()) << "the frame focuses the control";
    {
        VktMsgBox answer({IDOK});
        EXPECT_EQ(view->GetDataAll(), VKE_ERR_INT);
        PumpPending();
        EXPECT_EQ(answer.Count(), 1);
    }

    // Right again, the tab changes and the view hears of it once.
    TypeInto(page->Edit(), "12");
    EXPECT_EQ(view->SetCurSel(1), 0);
    EXPECT_EQ(Sel(), 1);
    EXPECT_EQ(view->selChanges, changes + 1);
    EXPECT_EQ(view->GetData(5), 1) << "no such page";
    EXPECT_EQ(view->GetDataAll(), 0);
}

TEST_F(TbvTest, ClearingAFlagClearsEveryPagesAndTheTabControlKeepsItsLeastSize)
{
    TestPage* first = nullptr;
    TestPage* second = nullptr;
    ASSERT_EQ(Open(2, CmnTypImg, 0, &first), 0);
    ASSERT_EQ(Open(3, CmnTypImg, 0, &second), 0);
    TypeInto(first->Edit(), "11");
    view->SetCurSel(1);
    TypeInto(second->Edit(), "12");
    EXPECT_EQ(first->GetModifiedFlag(), 1);
    EXPECT_EQ(view->IsCurPageModified(), 1) << "the focused edit of the current page";
    FocusItem(second->m_hWnd, second->Area());
    EXPECT_EQ(view->IsCurPageModified(), 0);

    EXPECT_EQ(view->SetModifiedFlag(1), 0);
    EXPECT_EQ(view->GetModifiedFlag(), 1);
    EXPECT_EQ(first->GetModifiedFlag(), 1) << "setting leaves the pages";
    EXPECT_EQ(view->SetModifiedFlag(0), 0);
    EXPECT_EQ(view->GetModifiedFlag(), 0);
    EXPECT_EQ(first->GetModifiedFlag(), 0);
    EXPECT_EQ(second->GetModifiedFlag(), 0);
    EXPECT_EQ(view->SetErrorFlag(2), -9);

    // The form's least size gives the tab control 50 x 50.
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10));
    CRect tab;
    ::GetWindowRect(TabWnd(), &tab);
    EXPECT_EQ(tab.Width(), 50);
    EXPECT_EQ(tab.Height(), 50);
    // While a preview shows, the tabs stay as they are.
    VkeSysSetPrintPreviewFlag(theCmnAppInf.pSys, 1);
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    ::GetWindowRect(TabWnd(), &tab);
    EXPECT_EQ(tab.Width(), 50);
    VkeSysSetPrintPreviewFlag(theCmnAppInf.pSys, 0);
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    ::GetWindowRect(TabWnd(), &tab);
    EXPECT_EQ(tab.Width(), 300);
    EXPECT_EQ(view->MoveTab(CRect(0, 0, 0, 10)), -9);
}

TEST_F(TbvTest, TheEndClosesEveryPageBeforeTheTabControlGoes)
{
    TestPage* page = nullptr;
    ASSERT_EQ(Open(2, CmnTypImg, 1, &page), 0);
    ASSERT_EQ(Open(3), 0);
    HWND pageWnd = page->m_hWnd, tabWnd = TabWnd();
    EXPECT_EQ(view->Init(0, 1), -7);
    EXPECT_EQ(view->Term(), 0);
    EXPECT_FALSE(::IsWindow(pageWnd)) << "a locked page too";
    EXPECT_FALSE(::IsWindow(tabWnd));
    EXPECT_EQ(view->Pag().bReady, 0);
    EXPECT_EQ(view->IsInit(), 0);
    EXPECT_EQ(view->OpenPage(page, -1, 2, CmnTypImg, 0, "x"), -6);
    EXPECT_EQ(view->SetFocusTab(), 1);
    EXPECT_EQ(view->Init(2, 0), -9);
    EXPECT_EQ(view->Init(0, 0), 0);
    EXPECT_EQ(view->Term(), 0);
}

TEST_F(TbvTest, TheFocusComesBackToThePageAndTheRightButtonOpensTheTabPopup)
{
    TestPage* page = nullptr;
    ASSERT_EQ(Open(2, CmnTypImg, 0, &page), 0);
    FocusItem(page->m_hWnd, page->Edit());
    TestOuter other;
    ASSERT_TRUE(other.Create(IDD_TFCS, nullptr));
    other.ShowWindow(SW_SHOW);
    other.SetForegroundWindow();
    PumpPending();
    ASSERT_NE(::GetFocus(), page->Edit());
    main->SetForegroundWindow();
    PumpPending();
    EXPECT_EQ(::GetFocus(), page->Edit());
    other.DestroyWindow();

    // The view's own right click shows the tab popup, once ready.
    VktMenuCloser closer;
    view->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_EQ(closer.Count(), 1);
}

TEST_F(TbvTest, PagesOpenedAndClosedLeaveNoGdiObjectBehind)
{
    auto round = [this] {
        for (int no = 2; no <= 4; ++no) ASSERT_EQ(Open(no, CmnTypImg, no == 3 ? 1 : 0), 0);
        view->SetCurSel(2);
        EXPECT_EQ(view->ClosePageAll(0), 1);
        EXPECT_EQ(view->ClosePageAll(1), 0);
        PumpPending();
    };
    round();
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 3; ++i) round();
    EXPECT_EQ(VktGdiObjects(), before);
}

TEST_F(TbvTest, ClosingTheViewClosesItsDocumentAndFrame)
{
    TestPage* page = nullptr;
    ASSERT_EQ(Open(2, CmnTypImg, 0, &page), 0);
    HWND pageWnd = page->m_hWnd, frameWnd = main->m_hWnd;
    view->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_FALSE(::IsWindow(frameWnd));
    EXPECT_FALSE(::IsWindow(pageWnd));
    main = nullptr; // gone with its window
    view = nullptr;
}
