// The dialog base on a test dialog: start and end, the data check and its earliest error, OK,
// the tooltip of an error, the data notice of a control and the settings applied again.
#include "TestCmnDlg.h"

// ---- The main frame ----

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(CmnWmSetFcs, &ThisClass::OnSetFcs)
    ON_MESSAGE(CmnWmMsgFcs, &ThisClass::OnMsgFcs)
    ON_MESSAGE(VkeWmTraceError, &ThisClass::OnTraceError)
END_MESSAGE_MAP()

int TestFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, 101};
    if (!status.Create(this) || !status.SetIndicators(indicators, 2)) return -1;
    if (!bar.Create(this, IDD_TBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE810)) return -1;
    if (!pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST)) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    return 0;
}

LRESULT TestFrame::OnSetFcs(WPARAM wParam, LPARAM)
{
    theCmnSub.SetFocusWnd(reinterpret_cast<HWND>(wParam));
    return 0;
}

LRESULT TestFrame::OnMsgFcs(WPARAM wParam, LPARAM lParam)
{
    messages.push_back(static_cast<int>(lParam));
    theCmnSub.ShowMsgAndFocus(reinterpret_cast<HWND>(wParam), static_cast<int>(lParam));
    return 0;
}

LRESULT TestFrame::OnTraceError(WPARAM wParam, LPARAM)
{
    traces.push_back(wParam ? reinterpret_cast<const char*>(wParam) : "");
    return 0;
}

// ---- The test dialog ----

BEGIN_MESSAGE_MAP(TestDlg, CmnDlg)
    ON_MESSAGE(VkeWmDrw, &ThisClass::OnDrw)
END_MESSAGE_MAP()

BOOL TestDlg::OnInitDialog()
{
    CmnDlg::OnInitDialog();
    Init();
    return TRUE;
}

int TestDlg::InitCtl()
{
    int rc = InitCtlSlot(0, VKE_CTL_EDIT, IDC_T_DBL, VKE_EDIT_DBL, "", "1.5");
    if (rc == 0) rc = InitCtlSlot(1, VKE_CTL_EDIT, IDC_T_INT, VKE_EDIT_INT, "", "10");
    if (rc == 0) rc = InitCtlSlot(2, VKE_CTL_BUTTON, IDC_T_CHECK, VKE_EDIT_NONE, "", "0");
    if (rc == 0)
        rc = InitDraSlot(0, IDC_T_AREA, RECT{0, 0, 400, 300}, IDC_T_HBAR, IDC_T_VBAR,
                         [](VkeDraParam& p) { p.iDrawMemory = 1; });
    return rc;
}

LRESULT TestDlg::OnDrw(WPARAM, LPARAM lParam)
{
    const Dri* dri = reinterpret_cast<const Dri*>(lParam);
    ::FillRect(dri->hDC, &dri->rct, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    return 0;
}

// ---- The fixture ----

void DlgTest::SetUp()
{
    AppTest::SetUp();
    main = new TestFrame;
    ASSERT_TRUE(main->Create(nullptr, "Pictavo", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
    main->ShowWindow(SW_SHOW);
    theCmnAppInf.pMainFrame = main;
    theCmnWin.Term();
    ASSERT_EQ(Start(), 0);
}

void DlgTest::TearDown()
{
    if (dlg) {
        if (dlg->m_hWnd) dlg->DestroyWindow();
        delete dlg;
        dlg = nullptr;
    }
    HWND frameWnd = main ? main->m_hWnd : nullptr;
    theCmnWin.Term();
    AppTest::TearDown();
    if (frameWnd && ::IsWindow(frameWnd)) ::DestroyWindow(frameWnd); // the frame deletes itself
    PumpPending();
}

TestDlg* DlgTest::OpenDlg()
{
    dlg = new TestDlg;
    if (!dlg->Create(IDD_TDLG, main)) return nullptr;
    dlg->ShowWindow(SW_SHOW);
    dlg->SetForegroundWindow();
    PumpPending();
    return dlg;
}

int DlgTest::Traced(const char* name)
{
    PumpPending();
    int count = 0;
    for (const std::string& trace : main->traces) count += trace == name;
    return count;
}

CMenu* DlgTest::ShowPopup(TestDlg* d)
{
    CMenu* popup = d->Inf().pDlgMenu->GetSubMenu(0);
    d->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), 0);
    return popup;
}

UINT ItemState(CMenu* menu, UINT id) { return menu->GetMenuState(id, MF_BYCOMMAND); }

std::string ClipText()
{
    std::string text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(data))) text = p;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

// ---- Tests ----

TEST_F(DlgTest, StartAndEndRunOnceAndTheEarliestErrorInChildOrderIsShown)
{
    TestDlg* d = OpenDlg();
    ASSERT_TRUE(d);
    ASSERT_EQ(d->Inf().bReady, 1);
    EXPECT_EQ(d->Init(3, 1, 0), -7);
    EXPECT_EQ(Traced("Init"), 1);
    EXPECT_EQ(d->Inf().bReady, 1) << "the first start stays";
    ASSERT_NE(d->Ctl(1), nullptr);

    // Slot 1 holds the whole-number edit, first in the child order; slot 0 the real one.
    HWND intEdit = d->Item(IDC_T_INT), dblEdit = d->Item(IDC_T_DBL);
    TypeInto(dblEdit, "x1");
    TypeInto(intEdit, "abc");
    FocusItem(d->m_hWnd, d->Item(IDC_T_CHECK));
    EXPECT_EQ(d->GetData(nullptr, nullptr, 0), VKE_ERR_INT);
    EXPECT_EQ(d->Inf().hErrWnd, intEdit);
    EXPECT_EQ(d->GetErrorFlag(), 1);

    std::string shown;
    {
        // The test dialog is a dialog too: the answerer lives only while the box can open.
        VktMsgBox answer({IDOK});
        d->SendMessage(WM_COMMAND, IDOK, 0);
        ASSERT_EQ(answer.Count(), 1);
        shown = answer.Seen()[0].text;
    }
    PumpPending();
    EXPECT_EQ(shown, std::string(theCmnSub.GetMsgStr(VKE_ERR_INT)));
    EXPECT_TRUE(::IsWindowVisible(d->m_hWnd)) << "OK keeps the dialog open";
    EXPECT_EQ(::GetFocus(), intEdit);

    // The tooltip of a control in error shows the same text; a valid control has none.
    NMTTDISPINFOA tip = {};
    tip.hdr.code = TTN_NEEDTEXTA;
    tip.uFlags = TTF_IDISHWND;
    tip.hdr.idFrom = reinterpret_cast<UINT_PTR>(intEdit);
    d->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip.lpszText, nullptr);
    EXPECT_EQ(std::string(tip.lpszText), shown);
    tip.lpszText = nullptr;
    tip.hdr.idFrom = reinterpret_cast<UINT_PTR>(d->Item(IDC_T_CHECK));
    d->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_EQ(tip.lpszText, nullptr);

    // The data notice of a control answers 1 once both parameters are there.
    Ctd data = {};
    EXPECT_EQ(d->SendMessage(VkeWmDtiToWnd, reinterpret_cast<WPARAM>(d->Ctl(2)), reinterpret_cast<LPARAM>(&data)), 1);
    EXPECT_EQ(d->SendMessage(VkeWmDtiToWnd, 0, 0), 0);

    EXPECT_EQ(d->SetErrorFlag(0), 0);
    EXPECT_EQ(d->Inf().iErrIdx, -1);
    EXPECT_EQ(d->SetErrorFlag(2), -9);
    // Valid values: nothing to record.
    TypeInto(intEdit, "12");
    TypeInto(dblEdit, "2.5");
    EXPECT_EQ(d->GetData(nullptr, nullptr, 0), 0);
    EXPECT_EQ(d->GetErrorFlag(), 0);

    EXPECT_EQ(d->Term(), 0);
    EXPECT_EQ(d->Term(), 1);
    EXPECT_EQ(d->Inf().bAllocated, 0);
    EXPECT_EQ(d->GetData(nullptr, nullptr, 0), -6);
}

namespace {

// The test template with its drawing area alone, as an image page has it.
class AreaOnlyDlg : public TestDlg {
public:
    BOOL OnInitDialog() override
    {
        CmnDlg::OnInitDialog();
        StartDialog(0, 1, 0, [this] { return InitDraSlot(0, IDC_T_AREA, RECT{0, 0, 400, 300}, IDC_T_HBAR, IDC_T_VBAR, nullptr); });
        return TRUE;
    }
};

} // namespace

TEST_F(DlgTest, OnlyADialogWithControlsMakesTooltips)
{
    TestDlg* d = OpenDlg();
    ASSERT_TRUE(d);
    EXPECT_NE(d->GetToolTipCtrl(), nullptr);
    AreaOnlyDlg bare;
    ASSERT_TRUE(bare.Create(IDD_TDLG, main));
    EXPECT_EQ(bare.Inf().bReady, 1);
    EXPECT_EQ(bare.GetToolTipCtrl(), nullptr);
    bare.DestroyWindow();
}

TEST_F(DlgTest, ChangedSettingsReachTheDialogAndItsControlsOnlyWhereTheyDiffer)
{
    TestDlg* d = OpenDlg();
    ASSERT_TRUE(d);
    TypeInto(d->Item(IDC_T_INT), "25");
    int undo = 0;
    ASSERT_EQ(VkeCtlGetEditUndFlag(d->Ctl(1), &undo), 0);
    ASSERT_EQ(undo, 1);
    HFONT checkFont = nullptr, editFont = nullptr;
    VkeCtlGetFontHandle(d->Ctl(2), &checkFont);
    VkeCtlGetFontHandle(d->Ctl(1), &editFont);

    CmnAppInf& inf = theCmnAppInf;
    ASSERT_EQ(theCmnSub.SetColor(inf.strColor[12], CmnPathSize, RGB(10, 20, 30)), 0); // strColor_13
    LOGFONTA font = {};
    ASSERT_EQ(theCmnSub.GetFont(inf.strFont[6], &font), 0); // strFont_7: engine edits
    font.lfHeight = font.lfHeight < 0 ? font.lfHeight - 4 : -20;
    ASSERT_EQ(theCmnSub.SetFont(inf.strFont[6], CmnPathSize, &font), 0);
    ASSERT_EQ(theCmnSub.GetFont(inf.strFont[6], &font), 0);

    EXPECT_EQ(d->SendMessage(CmnWmChgOpt, 0, 0), 1);
    COLORREF text = 0;
    VkeDlgGetTextColor(d->Inf().pDlg, &text);
    EXPECT_EQ(text, RGB(10, 20, 30));
    LOGFONTA now = {};
    VkeCtlGetLogFont(d->Ctl(1), &now);
    EXPECT_EQ(now.lfHeight, font.lfHeight);
    HFONT after = nullptr;
    VkeCtlGetFontHandle(d->Ctl(1), &after);
    EXPECT_NE(after, editFont);
    VkeCtlGetFontHandle(d->Ctl(2), &after);
    EXPECT_EQ(after, checkFont) << "an unchanged font is not set again";
    VkeCtlGetEditUndFlag(d->Ctl(1), &undo);
    EXPECT_EQ(undo, 1) << "an unchanged editing flag keeps the undo history";

    // Leaving editing starts the history afresh.
    EXPECT_EQ(d->ClearEdi(nullptr), 0);
    VkeCtlGetEditUndFlag(d->Ctl(1), &undo);
    EXPECT_EQ(undo, 0);
}
