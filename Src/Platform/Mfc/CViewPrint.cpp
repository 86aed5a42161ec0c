// The view's print architecture: preparing a job (the printer and the page range) and the job
// itself, which runs to its end inside the print command with the printing status shown, the
// main window disabled and Stop read between pages.
#include "CDC.h"
#include "CDocument.h"
#include "CFileDialog.h"
#include "CPrintDialog.h"
#include "CPrintInfo.h"
#include "CPrintingDialog.h"
#include "CView.h"
#include "CWinApp.h"
#include "MfcText.h"
#include <algorithm>

namespace {
const char kNoPrinter[] = "プリンタが見つかりません。\n\nプリンタを設定してから、もう一度実行して下さい。";
const char kNotStarted[] = "印刷を開始できませんでした。";
const char kNotFinished[] = "印刷を最後まで実行できませんでした。";

// The status window of the job that runs (one at a time), whose Stop the abort procedure reads.
CPrintingDialog* s_pStatus = nullptr;

// Handles the waiting messages, the status window's among them, until Stop is pressed. A quit
// message stops the job and is posted again for the loop outside.
BOOL CALLBACK AbortProc(HDC, int)
{
    MSG msg;
    while (s_pStatus && !s_pStatus->m_bUserAbort && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (AfxPumpMessage()) continue;
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        s_pStatus->m_bUserAbort = TRUE;
    }
    return !s_pStatus || !s_pStatus->m_bUserAbort;
}

// The job's status and the disabled main window, from the start of the job to its end: the main
// window works again before the status window goes, so that it is the one activated.
class JobScope {
public:
    JobScope(CPrintingDialog& status, HWND hWndMain) : m_status(status), m_hWndMain(hWndMain)
    {
        if (m_hWndMain) ::EnableWindow(m_hWndMain, FALSE);
        s_pStatus = &status;
    }
    ~JobScope()
    {
        s_pStatus = nullptr;
        if (m_hWndMain) ::EnableWindow(m_hWndMain, TRUE);
        if (m_status.m_hWnd) m_status.DestroyWindow();
    }
    JobScope(const JobScope&) = delete;
    JobScope& operator=(const JobScope&) = delete;

private:
    CPrintingDialog& m_status;
    HWND m_hWndMain;
};

// The job's name: the document's title (else the application's name) cut to 31 bytes on a
// character boundary.
CString JobName(const CView* pView)
{
    CDocument* pDoc = pView->GetDocument();
    CString name = pDoc ? pDoc->GetTitle() : CString();
    CWinApp* app = AfxGetApp();
    if (name.IsEmpty() && app && app->m_pszAppName) name = app->m_pszAppName;
    int len = name.GetLength();
    return len > 31 ? name.Left(AfxCharStart(name, len, 31)) : name;
}

// The file a job printed to a file goes to; FALSE when the user cancels.
BOOL AskOutputFile(CString& rPath)
{
    CFileDialog dlg(FALSE, "prn", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                    "印刷ファイル (*.prn)|*.prn|すべてのファイル (*.*)|*.*||", AfxGetMainWnd());
    dlg.m_ofn.lpstrTitle = "印刷先のファイル名";
    if (dlg.DoModal() != IDOK) return FALSE;
    rPath = dlg.GetPathName();
    return TRUE;
}

// The pages the job prints: the dialog's range when it gave one, else the document, inside the
// document's pages. FALSE when there is none.
BOOL PageRange(const CPrintInfo& info, UINT& rFrom, UINT& rTo)
{
    rFrom = info.GetMinPage();
    rTo = info.GetMaxPage();
    if (info.m_pPD->m_pd.Flags & PD_PAGENUMS) {
        rFrom = std::max(rFrom, info.GetFromPage());
        rTo = std::min(rTo, info.GetToPage());
    }
    return rFrom <= rTo;
}
// The job on dc from its start to its end, pages from to to: the message to show, or null.
LPCSTR RunJob(CView* pView, CDC& dc, CPrintInfo& info, LPCSTR lpszDocName, const CString& output, UINT from, UINT to)
{
    CPrintingDialog status;
    CWnd* pMain = AfxGetMainWnd();
    JobScope job(status, pMain ? pMain->m_hWnd : nullptr);
    status.Open(pMain, lpszDocName, info.m_pPD->GetDeviceName(), output.IsEmpty() ? info.m_pPD->GetPortName() : output);
    DOCINFOA di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    di.lpszOutput = output.IsEmpty() ? nullptr : static_cast<LPCSTR>(output);
    if (dc.SetAbortProc(&AbortProc) <= 0 || dc.StartDoc(&di) <= 0) return kNotStarted;
    UINT printed = 0;
    bool failed = false;
    for (UINT page = from; page <= to && !status.m_bUserAbort && !failed; ++page) {
        info.m_nCurPage = page;
        status.ShowPage(page);
        info.m_bContinuePrinting = TRUE;
        pView->OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting) break;
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&info.m_rectDraw);
        failed = dc.StartPage() <= 0;
        if (failed) break;
        pView->OnPrint(&dc, &info);
        ++printed;
        failed = dc.EndPage() <= 0;
        AbortProc(dc.m_hDC, 0); // Stop pressed during the page
    }
    // A job stopped, failed or without a page leaves nothing behind.
    if (failed || status.m_bUserAbort || printed == 0) dc.AbortDoc();
    else failed = dc.EndDoc() <= 0;
    return failed ? kNotFinished : nullptr;
}
} // namespace

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* app = AfxGetApp();
    CPrintDialog* pPD = pInfo->m_pPD;
    PRINTDLGA& pd = pPD->m_pd;
    pd.nFromPage = pd.nMinPage;
    pd.nToPage = pd.nMaxPage;
    bool direct = pInfo->m_bPreview || pInfo->m_bDirect;
    if (direct && pd.hDC) return TRUE; // the program's own DC
    if (!app || !app->GetPrinterDeviceDefaults(&pd) || (direct && !pPD->CreatePrinterDC())) {
        AfxMessageBox(kNoPrinter, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (direct) {
        pInfo->m_hDCMade = pd.hDC;
        return TRUE;
    }
    HDC before = pd.hDC;
    if (app->DoPrintDialog(pPD) != IDOK) return FALSE;
    if (pd.hDC != before) pInfo->m_hDCMade = pd.hDC;
    return pd.hDC != nullptr;
}

void CView::OnFilePrint()
{
    if (s_pStatus) return; // one job at a time
    CPrintInfo info;
    const MSG* cur = GetCurrentMessage();
    info.m_bDirect = cur->message == WM_COMMAND && LOWORD(cur->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info)) return;
    HDC hdc = info.m_pPD->m_pd.hDC;
    CString output;
    if (!hdc) {
        AfxMessageBox(kNotStarted, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if ((info.m_pPD->m_pd.Flags & PD_PRINTTOFILE) && !AskOutputFile(output)) return;
    CString docName = JobName(this);
    CDC dc;
    dc.Attach(hdc);
    dc.m_bPrinting = TRUE;
    OnBeginPrinting(&dc, &info);

    UINT from = 0, to = 0;
    LPCSTR message = PageRange(info, from, to) ? RunJob(this, dc, info, docName, output, from, to) : nullptr;
    OnEndPrinting(&dc, &info);
    dc.Detach();
    if (message) AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}
