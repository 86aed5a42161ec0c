#include "TestMfcPrintApp.h"
#include <dlgs.h>
#include <stdio.h>

CPrintTestApp thePrintApp;

// ---- Document and frame ----

IMPLEMENT_DYNCREATE(CPrintDoc, CDocument)
IMPLEMENT_DYNCREATE(CPrintFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CPrintFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CPrintFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1)) return -1;
    if (!m_wndBar.Create(this, IDD_PRINTBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_PRINTBAR)) return -1;
    if (!m_wndFloat.Create(this, IDD_PRINTFLOAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_PRINTFLOAT)) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndFloat.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndBar);
    FloatControlBar(&m_wndFloat, CPoint(720, 80));
    return 0;
}

// ---- The printing view ----

IMPLEMENT_DYNCREATE(CPrintView, CFormView)
ViewScript CPrintView::s_script;

BEGIN_MESSAGE_MAP(CPrintView, CFormView)
    ON_COMMAND(ID_FILE_PRINT, &ThisClass::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &ThisClass::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &ThisClass::OnFilePrintPreview)
END_MESSAGE_MAP()

BOOL CPrintView::OnPreparePrinting(CPrintInfo* pInfo)
{
    m_log += "prepare;";
    if (s_script.prepareFails) return FALSE;
    pInfo->SetMaxPage(s_script.maxPage);
    if (s_script.ownDC) pInfo->m_pPD->m_pd.hDC = s_script.ownDC;
    return DoPreparePrinting(pInfo);
}

void CPrintView::OnBeginPrinting(CDC* pDC, CPrintInfo*)
{
    m_log += "begin;";
    m_lastDC = pDC->m_hAttribDC;
}

void CPrintView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    // A preview asks for its pages again at every paint: only jobs are logged.
    if (pInfo && !pInfo->m_bPreview) m_log += "dc" + std::to_string(pInfo->m_nCurPage) + ";";
    if (!s_script.skipBase) CFormView::OnPrepareDC(pDC, pInfo);
}

void CPrintView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    UINT n = pInfo->m_nCurPage;
    int inch = pDC->GetDeviceCaps(LOGPIXELSX);
    CRect mark(static_cast<int>(n) * inch, inch, static_cast<int>(n + 1) * inch, 2 * inch);
    pDC->FillSolidRect(&mark, RGB(0, 0, 0));
    CFont font;
    font.CreatePointFont(360, "ＭＳ Ｐゴシック", pDC->m_hAttribDC);
    CFont* old = pDC->SelectObject(&font);
    std::string number = "頁 " + std::to_string(n);
    pDC->TextOut(inch, 3 * inch, number.c_str(), static_cast<int>(number.size()));
    pDC->SelectObject(old);
    if (pInfo->m_bPreview) {
        POINT centre = mark.CenterPoint();
        pDC->LPtoDP(&centre, 1);
        m_markAt[n] = CPoint(centre) + pDC->GetViewportOrg();
    } else {
        m_log += "print" + std::to_string(n) + ";";
        char name[64] = {};
        ::GetDlgItemTextA(StatusWindow(), 1002, name, sizeof(name));
        m_lastStatusName = name;
    }
    if (s_script.onPrint) s_script.onPrint(pDC, pInfo);
}

void CPrintView::OnEndPrinting(CDC*, CPrintInfo* pInfo)
{
    m_log += "end;";
    if (s_script.clearDC) pInfo->m_pPD->m_pd.hDC = nullptr;
}

// ---- Fixture and helpers ----

HWND StatusWindow()
{
    HWND wnd = ::FindWindowA("#32770", "印刷中");
    return wnd && ::IsWindowVisible(wnd) ? wnd : nullptr;
}

void PrintTest::SetUp()
{
    static bool registered = false;
    if (!registered) {
        thePrintApp.AddDocTemplate(new CSingleDocTemplate(IDR_PRINTTEST, RUNTIME_CLASS(CPrintDoc),
                                                          RUNTIME_CLASS(CPrintFrame), RUNTIME_CLASS(CPrintView)));
        registered = true;
    }
    CPrintView::s_script = ViewScript();
    thePrintApp.m_nCmdShow = SW_SHOWNORMAL;
    thePrintApp.OnFileNew();
    frame = DYNAMIC_DOWNCAST(CPrintFrame, thePrintApp.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    view = DYNAMIC_DOWNCAST(CPrintView, frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    doc = frame->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    frame->SetWindowPos(static_cast<HWND>(nullptr), 60, 60, 640, 480, SWP_NOZORDER | SWP_SHOWWINDOW);
    frame->SetForegroundWindow();
    PumpPending();
}

void PrintTest::TearDown()
{
    thePrintApp.m_pMainWnd = nullptr; // no quit message for the next test
    thePrintApp.CloseAllDocuments(FALSE);
    PumpPending();
}

void PrintTest::Command(UINT nID)
{
    frame->SendMessage(WM_COMMAND, nID);
    PumpPending();
}

std::string PrintTest::NameJob(const char* kind)
{
    // The process, the second and a count of this run: no other job of the machine has it.
    static int serial = 0;
    char title[32];
    snprintf(title, sizeof(title), "VkP%s%03lu%05lu%02d", kind, ::GetCurrentProcessId() % 1000,
             (::GetTickCount() / 1000) % 100000, ++serial % 100);
    doc->SetTitle(title);
    return title;
}

void ListJob(const std::string& title, int pages, int firstMark)
{
    // Each run lists its own jobs: the first job of the run starts the list again.
    static bool cleared = false;
    std::string path = VktBesideExe("TestMfcPrint.jobs");
    FILE* f = fopen(path.c_str(), cleared ? "a" : "w");
    cleared = true;
    ASSERT_NE(f, nullptr) << path;
    fprintf(f, "%s %d %d\n", title.c_str(), pages, firstMark);
    fclose(f);
}

void WhenNewDialogShows(HWND previous, std::function<void(HWND)> action)
{
    WhenDialogShows([previous, action](HWND dialog) {
        if (dialog == previous || dialog == StatusWindow()) WhenNewDialogShows(previous, action);
        else action(dialog);
    });
}

void AnswerPrintDialog(int from, int to, const std::string& file)
{
    WhenNewDialogShows(nullptr, [from, to, file](HWND dialog) {
        if (from > 0) {
            ::SendMessageA(::GetDlgItem(dialog, rad3), BM_CLICK, 0, 0);
            ::SetDlgItemInt(dialog, edt1, static_cast<UINT>(from), FALSE);
            ::SetDlgItemInt(dialog, edt2, static_cast<UINT>(to), FALSE);
        }
        if (!file.empty()) {
            ::SendMessageA(::GetDlgItem(dialog, chx1), BM_CLICK, 0, 0);
            AnswerFileDialog(dialog, file);
        }
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
}

void AnswerFileDialog(HWND previous, const std::string& path)
{
    WhenNewDialogShows(previous, [path](HWND dialog) {
        // The name box: edt1 on Windows, cmb13 under Wine.
        HWND box = ::GetDlgItem(dialog, edt1);
        ::SetWindowTextA(box ? box : ::GetDlgItem(dialog, cmb13), path.c_str());
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
}
