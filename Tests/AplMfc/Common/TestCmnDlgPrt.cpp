// The dialog base's printing slots on a dialog of two drawing areas, driven through the
// framework's print architecture by a view that hands its jobs to the dialog, as the tab view
// does: a job through the CUPS queue "PDF" (its pages checked by TestAplCmnPdf), the preview's
// page in the preview's pixels, and the answers without anything to print or room on the page.
#include "TestCmnDlg.h"
#include <stdio.h>

namespace {

// Slot 0 over the right-hand placeholder, slot 1 over the left one (the reverse of the child
// order); slot 0 draws blue, slot 1 green. Each page notice is logged as (slot, page in area).
class PrtDlg : public CmnDlg {
public:
    explicit PrtDlg(int areas) : CmnDlg(IDD_TDLG_PRT), m_areas(areas) {}
    BOOL OnInitDialog() override
    {
        CmnDlg::OnInitDialog();
        StartDialog(0, m_areas, 0, [this] { return InitCtl(); });
        return TRUE;
    }
    int InitCtl()
    {
        const RECT extent = {0, 0, 400, 300};
        int rc = m_areas > 0 ? InitDraSlot(0, IDC_T_AREA2, extent, IDC_T_HBAR2, IDC_T_VBAR2) : 0;
        if (rc == 0 && m_areas > 1) rc = InitDraSlot(1, IDC_T_AREA, extent, IDC_T_HBAR, IDC_T_VBAR);
        return rc;
    }
    CmnDlgInf& Inf() { return m_inf; }
    VkiDra* Dra(int slot) { return m_inf.ppDra[slot]; }
    std::vector<std::pair<int, int>> pages;

protected:
    int SlotOf(WPARAM area) const
    {
        for (int i = 0; i < m_inf.iDraCnt; ++i)
            if (m_inf.ppDra[i] == reinterpret_cast<VkiDra*>(area)) return i;
        return -1;
    }
    LRESULT OnDrw(WPARAM wParam, LPARAM lParam)
    {
        const Dri* dri = reinterpret_cast<const Dri*>(lParam);
        HBRUSH brush = ::CreateSolidBrush(SlotOf(wParam) == 0 ? RGB(0, 0, 255) : RGB(0, 160, 0));
        ::FillRect(dri->hDC, &dri->rct, brush);
        ::DeleteObject(brush);
        return 0;
    }
    LRESULT OnPrtPage(WPARAM wParam, LPARAM lParam)
    {
        pages.emplace_back(SlotOf(wParam), reinterpret_cast<const PrintInfo*>(lParam)->iCurPage);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    int m_areas;
};

BEGIN_MESSAGE_MAP(PrtDlg, CmnDlg)
    ON_MESSAGE(VkeWmDrw, &ThisClass::OnDrw)
    ON_MESSAGE(VkeWmPrtPage, &ThisClass::OnPrtPage)
END_MESSAGE_MAP()

// The frame's pane: jobs and previews go to the target's slots; onPrint runs after each page.
class PrtView : public CView {
public:
    CmnDlgOpr* target = nullptr;
    std::vector<int> printed; // Print's answer for each page
    std::function<void(CDC*, CPrintInfo*)> onPrint;

protected:
    void OnDraw(CDC*) override {}
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        return DoPreparePrinting(pInfo) && target->PreparePrinting(pInfo) == 0;
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override { target->BeginPrinting(pDC, pInfo); }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        if (pInfo) target->PrepareDC(pDC, pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        printed.push_back(target->Print(pDC, pInfo));
        if (onPrint) onPrint(pDC, pInfo);
    }
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override { target->EndPrinting(pDC, pInfo); }
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override
    {
        target->EndPrintPreview(pDC, pInfo);
        CView::OnEndPrintPreview(pDC, pInfo, point, pView);
    }
    afx_msg void OnPreview()
    {
        target->BeginPrintPreview(nullptr, nullptr);
        OnFilePrintPreview();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PrtView, CView)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &ThisClass::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &ThisClass::OnPreview)
END_MESSAGE_MAP()

// A window's client area as it paints itself.
class Shot : public VktDib {
public:
    explicit Shot(HWND wnd) : VktDib(Size(wnd).right, Size(wnd).bottom), m_size(Size(wnd))
    {
        ::FillRect(Dc(), &m_size, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SendMessageA(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Dc()), PRF_CLIENT);
    }
    // Pixels of colour inside r, and outside it.
    int Count(COLORREF color, const RECT& r, int* outside) const
    {
        int in = 0;
        *outside = 0;
        for (int y = 0; y < m_size.bottom; ++y)
            for (int x = 0; x < m_size.right; ++x) {
                if (At(x, y) != color) continue;
                if (::PtInRect(&r, POINT{x, y})) ++in;
                else ++*outside;
            }
        return in;
    }
    // Pixels inside r darker than mid grey.
    int Dark(const RECT& r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                COLORREF c = At(x, y);
                n += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
            }
        return n;
    }

private:
    static RECT Size(HWND wnd)
    {
        RECT r = {};
        ::GetClientRect(wnd, &r);
        return r;
    }
    RECT m_size;
};

// The default printer's DC, which the caller deletes.
HDC PrinterDC()
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!::PrintDlgA(&pd)) return nullptr;
    ::GlobalFree(pd.hDevNames);
    ::GlobalFree(pd.hDevMode);
    return pd.hDC;
}

class DlgPrtTest : public DlgTest {
protected:
    void SetUp() override
    {
        DlgTest::SetUp();
        theCmnAppInf.rctPrintMargin = RECT{1000, 1000, 1000, 1000};
        // The view takes the pane's place.
        main->pane.SetDlgCtrlID(AFX_IDW_PANE_LAST);
        main->pane.ShowWindow(SW_HIDE);
        doc.m_bAutoDelete = FALSE;
        view = new PrtView;
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), main, AFX_IDW_PANE_FIRST));
        doc.AddView(view);
        main->SetActiveView(view);
        main->RecalcLayout();
    }
    void TearDown() override
    {
        if (prt) prt->DestroyWindow();
        delete prt;
        prt = nullptr;
        if (view) view->DestroyWindow(); // deletes itself
        DlgTest::TearDown();
    }
    PrtDlg* Open(int areas)
    {
        if (prt) prt->DestroyWindow();
        delete prt;
        prt = new PrtDlg(areas);
        if (!prt->Create(IDD_TDLG_PRT, main)) return nullptr;
        prt->ShowWindow(SW_SHOW);
        view->target = prt;
        PumpPending();
        return prt;
    }
    void Command(UINT id)
    {
        main->SendMessage(WM_COMMAND, id);
        PumpPending();
    }
    // A unique document title, so that the PDF's name tells the job.
    std::string NameJob()
    {
        static int serial = 0;
        char title[32];
        snprintf(title, sizeof(title), "VkD%03lu%05lu%02d", ::GetCurrentProcessId() % 1000,
                 (::GetTickCount() / 1000) % 100000, ++serial % 100);
        doc.SetTitle(title);
        return title;
    }

    CDocument doc;
    PrtView* view = nullptr;
    PrtDlg* prt = nullptr;
};

} // namespace

TEST_F(DlgPrtTest, AJobPrintsEachAreasPagesInSlotOrder)
{
    PrtDlg* d = Open(2);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->IsPrintable(), 1);
    std::string title = NameJob();
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(view->printed, (std::vector<int>{0, 0}));
    EXPECT_EQ(d->pages, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));
    ListJob(title, "b g");
}

TEST_F(DlgPrtTest, APreviewPrintsInItsOwnPixelsAndTheAreasScrollBack)
{
    PrtDlg* d = Open(2);
    ASSERT_TRUE(d);
    VkiDra* dra = d->Dra(0);
    ASSERT_EQ(VkeDraSetScale(dra, 2, 1), 0);
    ASSERT_EQ(VkeDraVScroll(dra, SB_THUMBPOSITION, 40), 0);
    int kept = -1;
    VkeDraGetVScrPos(dra, &kept);
    ASSERT_GT(kept, 0);

    // Where the page's drawing and header land, by the preview DC's own conversion.
    RECT printed = {}, header = {};
    view->onPrint = [&](CDC* pDC, CPrintInfo*) {
        printed = d->Inf().pPrtInf[0].rctPrinted;
        header = d->Inf().pPrtInf[0].rctHeader;
        for (RECT* r : {&printed, &header}) {
            pDC->LPtoDP(r);
            CPoint origin = pDC->GetViewportOrg();
            ::OffsetRect(r, origin.x, origin.y);
        }
    };
    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* preview = DYNAMIC_DOWNCAST(CPreviewView, main->GetActiveView());
    ASSERT_NE(preview, nullptr);
    VkeDraVScroll(dra, SB_THUMBPOSITION, 0);
    {
        Shot shot(preview->m_hWnd);
        ASSERT_GT(printed.right - printed.left, 10);
        int outside = 0;
        int inside = shot.Count(RGB(0, 0, 255), printed, &outside);
        EXPECT_GT(inside, (printed.right - printed.left) * (printed.bottom - printed.top) * 9 / 10);
        EXPECT_EQ(outside, 0);
        EXPECT_GT(shot.Dark(header), 0) << "the header line";
        EXPECT_LT(header.bottom, printed.top + 1);
    }
    Command(AFX_ID_PREVIEW_NEXT);
    {
        Shot shot(preview->m_hWnd);
        int outside = 0;
        EXPECT_EQ(shot.Count(RGB(0, 0, 255), printed, &outside) + outside, 0);
        EXPECT_GT(shot.Count(RGB(0, 160, 0), RECT{}, &outside) + outside, 0);
    }
    EXPECT_EQ(d->pages.front(), std::make_pair(0, 1));
    EXPECT_EQ(d->pages.back(), std::make_pair(1, 1));

    Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(main->GetActiveView(), view);
    int now = -1;
    VkeDraGetVScrPos(dra, &now);
    EXPECT_EQ(now, kept);
}

TEST_F(DlgPrtTest, NothingToPrintNoRoomOnThePageAndNotReady)
{
    HDC printer = PrinterDC();
    ASSERT_NE(printer, nullptr);
    {
        CPrintInfo info;
        info.m_pPD->m_pd.hDC = printer;
        PrtDlg* d = Open(0);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->IsPrintable(), 0);
        EXPECT_EQ(d->PreparePrinting(&info), 2);

        d = Open(2);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->PreparePrinting(&info), 0);
        EXPECT_EQ(info.GetMinPage(), 1u);
        EXPECT_EQ(info.GetMaxPage(), 2u);
        CDC dc;
        dc.Attach(printer);
        EXPECT_EQ(d->Print(&dc, &info), 1) << "an empty drawing rectangle";
        EXPECT_EQ(d->Print(nullptr, &info), -1);
        EXPECT_EQ(Traced("Print"), 1);
        dc.Detach();

        // 150 mm on each side of an A4 sheet: the margins are the user's to mend, no failure.
        theCmnAppInf.rctPrintMargin = RECT{15000, 1000, 15000, 1000};
        EXPECT_EQ(d->PreparePrinting(&info), -13);
        EXPECT_EQ(Traced("PreparePrinting"), 0);

        d->Term();
        EXPECT_EQ(d->IsPrintable(), 0);
        EXPECT_EQ(d->PreparePrinting(&info), -6);
        EXPECT_EQ(d->BeginPrintPreview(nullptr, &info), -6);
        EXPECT_EQ(d->EndPrintPreview(nullptr, &info), -6);
        EXPECT_EQ(d->BeginPrinting(nullptr, &info), -6);
        EXPECT_EQ(d->EndPrinting(nullptr, &info), -6);
        EXPECT_EQ(d->PrepareDC(nullptr, &info), -6);
        EXPECT_EQ(d->Print(nullptr, &info), -6);
        for (const char* name : {"PreparePrinting", "BeginPrintPreview", "EndPrintPreview", "BeginPrinting",
                                 "EndPrinting", "PrepareDC"})
            EXPECT_EQ(Traced(name), 1) << name;
        EXPECT_EQ(Traced("Print"), 2);
    }
    ::DeleteDC(printer);
}
