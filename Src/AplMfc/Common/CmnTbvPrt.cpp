// The tab view's print architecture: the print target, print jobs and the preview with the
// engine's printing and preview marks, the title that shows the file name while printing, and
// the page set-up of the application's printer.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnTbv"
#include "CmnApp.h"
#include "CmnDlgOpr.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnTbv.h"
#include "CmnWin.h"
#include <string.h>

namespace {

// The operations of a window that has something to print, else null.
CmnDlgOpr* PrintableOpr(CWnd* wnd)
{
    CmnDlgOpr* opr = dynamic_cast<CmnDlgOpr*>(wnd);
    return opr && opr->IsPrintable() == 1 ? opr : nullptr;
}

CWnd* MainFrame()
{
    CmnApp* app = CmnGetApp();
    return app ? app->GetMainFrame() : nullptr;
}

// Counts a print command for its length.
class CmdMark {
public:
    explicit CmdMark(int& count) : m_count(count) { ++m_count; }
    ~CmdMark() { --m_count; }
    CmdMark(const CmdMark&) = delete;
    CmdMark& operator=(const CmdMark&) = delete;

private:
    int& m_count;
};

} // namespace

// ---- The target ----

CWnd* CmnTbv::FindPrintTarget()
{
    CWnd* wnd = nullptr;
    int found = 0;
    theCmnWin.IsExistFcsDlg(&wnd, &found);
    if (found && PrintableOpr(wnd)) return wnd;
    TbvElm* e = nullptr;
    if (m_pag.bReady && SchCurElm(&e) == VKE_OK && PrintableOpr(PageWnd(e))) return PageWnd(e);
    // The frame's panels follow its tool bar and status bar in the bar table.
    for (int i = 2; i < theCmnWin.GetBarCount(); ++i) {
        CControlBar* bar = theCmnWin.GetBar(i);
        if (bar && bar->m_hWnd && bar->IsWindowVisible() && PrintableOpr(bar)) return bar;
    }
    return nullptr;
}

int CmnTbv::IsPrintable() { return m_pag.bReady && FindPrintTarget() ? 1 : 0; }

CmnDlgOpr* CmnTbv::PrintTarget() { return dynamic_cast<CmnDlgOpr*>(m_pag.pPrtTgt); }

int CmnTbv::SetPrintTarget(CWnd* target, HWND focus)
{
    if (!m_pag.bReady || m_pag.pPrtTgt || !target || !PrintableOpr(target)) return VKE_NOT_DONE;
    m_pag.pPrtTgt = target;
    m_pag.hPrtFcs = focus;
    return VKE_OK;
}

int CmnTbv::ForgetPrintTarget()
{
    int preview = 0;
    VkeSysGetPrintPreviewFlag(theCmnAppInf.pSys, &preview);
    if (!m_pag.pPrtTgt || m_iPrtCmd > 0 || preview == 1) return VKE_NOT_DONE;
    m_pag.pPrtTgt = nullptr;
    m_pag.hPrtFcs = nullptr;
    return VKE_OK;
}

// ---- Title ----

int CmnTbv::SetPrintingMode(int mode)
{
    if (!CheckReady("SetPrintingMode")) return VKE_ERR_NOT_INIT;
    if (mode != 0 && mode != 1) return Fail("SetPrintingMode", VKE_ERR_ARG);
    CDocument* doc = GetDocument();
    if (!doc) return Fail("SetPrintingMode", VKE_ERR_EXISTS);
    if (mode == 0) {
        if (m_bTitleKept) doc->SetTitle(m_strTitle);
        m_bTitleKept = 0;
        return VKE_OK;
    }
    if (!m_bTitleKept) m_strTitle = doc->GetTitle();
    m_bTitleKept = 1;
    // The last backslash is found by characters (0x5C is also a trail byte); its 1-based
    // position is where the name begins.
    int at = 0;
    int length = m_strTitle.GetLength();
    if (length > 0 && VkeSubFindStrRev(theCmnAppInf.pSub, m_strTitle, "\\", VKE_FIND_EXACT, length, &at) != VKE_OK) at = 0;
    doc->SetTitle(static_cast<const char*>(m_strTitle) + at);
    return VKE_OK;
}

// ---- Jobs ----

void CmnTbv::ClearPrintMarks()
{
    VkeSysSetPrintingFlag(theCmnAppInf.pSys, 0);
    VkeSysSetPrintPreviewFlag(theCmnAppInf.pSys, 0);
}

void CmnTbv::EndPrintJob()
{
    ClearPrintMarks();
    HWND focus = m_pag.hPrtFcs;
    m_pag.pPrtTgt = nullptr;
    m_pag.hPrtFcs = nullptr;
    if (focus && ::IsWindow(focus)) theCmnSub.SetFocusWnd(focus);
}

bool CmnTbv::BeginPrintJob()
{
    if (!m_pag.bReady) return false;
    // Printing from the preview keeps the preview's target.
    if (!m_pag.pPrtTgt) {
        CWnd* target = FindPrintTarget();
        if (!target) return false;
        m_pag.pPrtTgt = target;
        m_pag.hPrtFcs = ::GetFocus();
    }
    VkeSysSetPrintingFlag(theCmnAppInf.pSys, 1);
    int rc = SetPrintingMode(1);
    if (rc == VKE_OK) return true;
    Fail("OnFilePrint", rc);
    EndPrintJob();
    return false;
}

void CmnTbv::OnFilePrint()
{
    CmdMark mark(m_iPrtCmd);
    if (!BeginPrintJob()) return;
    CFormView::OnFilePrint();
    if (CWnd* frame = MainFrame()) frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    int rc = SetPrintingMode(0);
    if (rc != VKE_OK) Fail("OnFilePrint", rc);
    // The job ran to its end inside the command: the target's part is over.
    EndPrintJob();
}

void CmnTbv::OnFilePrintPreview()
{
    CmdMark mark(m_iPrtCmd);
    if (!BeginPrintJob()) return;
    CFrameWnd* frame = GetParentFrame();
    m_wpPreview.length = sizeof(m_wpPreview);
    if (frame) {
        frame->GetWindowPlacement(&m_wpPreview);
        frame->SaveBarState(CMN_BAR_SECTION);
    }
    PrintTarget()->BeginPrintPreview(nullptr, nullptr);
    VkeSysSetPrintPreviewFlag(theCmnAppInf.pSys, 1);
    CFormView::OnFilePrintPreview();
    int rc = SetPrintingMode(0);
    if (rc != VKE_OK) Fail("OnFilePrintPreview", rc);
    // A preview that did not start (no printer, nothing to print) leaves nothing behind.
    if (!frame || !frame->m_lpfnCloseProc) {
        if (CmnDlgOpr* target = PrintTarget()) target->EndPrintPreview(nullptr, nullptr);
        EndPrintJob();
    }
}

BOOL CmnTbv::OnPreparePrinting(CPrintInfo* pInfo)
{
    CmnDlgOpr* target = PrintTarget();
    int rc = target && DoPreparePrinting(pInfo) ? VKE_OK : VKE_CANCELLED;
    if (rc == VKE_OK) {
        m_pag.pPrtTgt->UpdateWindow();
        rc = target->PreparePrinting(pInfo);
    }
    if (rc == VKE_OK) return TRUE;
    // A job or preview that does not start clears the marks, or the drawing areas would stay
    // busy; the command gives the focus back.
    if (rc == VKE_ERR_CUT) theCmnSub.MsgBoxById(IDS_CMN_PRT_MARGIN, MB_OK | MB_ICONEXCLAMATION);
    else if (rc != VKE_CANCELLED) theCmnSub.MsgBoxById(IDS_CMN_PRINTER, MB_OK | MB_ICONEXCLAMATION);
    ClearPrintMarks();
    return FALSE;
}

void CmnTbv::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (CmnDlgOpr* target = PrintTarget()) target->BeginPrinting(pDC, pInfo);
}

void CmnTbv::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CFormView::OnPrepareDC(pDC, pInfo);
    CmnDlgOpr* target = pInfo ? PrintTarget() : nullptr;
    if (target) target->PrepareDC(pDC, pInfo);
}

void CmnTbv::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (CmnDlgOpr* target = PrintTarget()) target->Print(pDC, pInfo);
}

void CmnTbv::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (CmnDlgOpr* target = PrintTarget()) target->EndPrinting(pDC, pInfo);
    VkeSysSetPrintingFlag(theCmnAppInf.pSys, 0);
}

void CmnTbv::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView)
{
    // The target scrolls back before the preview's DC and information go.
    if (CmnDlgOpr* target = PrintTarget()) target->EndPrintPreview(pDC, pInfo);
    CFormView::OnEndPrintPreview(pDC, pInfo, point, pView);
    if (CFrameWnd* frame = GetParentFrame()) {
        frame->LoadBarState(CMN_BAR_SECTION);
        if (m_wpPreview.length == sizeof(m_wpPreview)) frame->SetWindowPlacement(&m_wpPreview);
    }
    m_wpPreview.length = 0;
    EndPrintJob();
}

// ---- Page set-up ----

void CmnTbv::OnFilePageSetup()
{
    CmdMark mark(m_iPrtCmd);
    CmnApp* app = CmnGetApp();
    CmnAppInf& inf = theCmnAppInf;
    HGLOBAL names = nullptr, mode = nullptr;
    int rc = app ? app->GetPrtInf(&names, &mode) : VKE_ERR_SYSTEM;
    // The dialog works on copies: the application's printer changes only on OK.
    CPageSetupDialog dlg(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS, this);
    if (rc == VKE_OK) rc = VkeSysPrintSynHandle(inf.pSys, &dlg.m_psd.hDevNames, &dlg.m_psd.hDevMode, names, mode);
    if (rc == VKE_OK) {
        dlg.m_psd.rtMargin = inf.rctPrintMargin;
        if (dlg.DoModal() == IDOK) {
            inf.rctPrintMargin = dlg.m_psd.rtMargin;
            // The framework takes the pair over as the application's printer.
            rc = app->SelectPrinter(dlg.m_psd.hDevNames, dlg.m_psd.hDevMode, 1);
            if (rc == VKE_OK) dlg.m_psd.hDevNames = dlg.m_psd.hDevMode = nullptr;
        }
    }
    VkeSysPrintFreeHandle(inf.pSys, &dlg.m_psd.hDevNames, &dlg.m_psd.hDevMode);
    if (rc != VKE_OK) {
        theCmnSub.MsgBoxById(IDS_CMN_PRINTER, MB_OK | MB_ICONSTOP);
        Fail("OnFilePageSetup", rc);
    }
    EndPrintJob();
}

// Page set-up always; the others when there is something to print.
void CmnTbv::OnUpdatePrintCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(pCmdUI->m_nID == ID_FILE_PAGE_SETUP || IsPrintable() == 1);
}
