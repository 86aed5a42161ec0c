// The print preview of a view: the preview window takes the frame's pane and its bar the top,
// every other bar but the status bar is hidden (floating ones too), the frame has no menu and
// only the preview's keys; when the preview ends all of it comes back, the view active.
#include "CControlBar.h"
#include "CCreateContext.h"
#include "CDialog.h"
#include "CDialogBar.h"
#include "CFrameWnd.h"
#include "CPreviewDC.h"
#include "CPreviewView.h"
#include "CPrintInfo.h"
#include "CView.h"
#include "CWinApp.h"
#include "MfcDlgTemplate.h"
#include <algorithm>

namespace {
// The frame's WM_CLOSE during a preview: the preview ends, the frame stays.
void ClosePreviewOf(CFrameWnd* pFrame)
{
    CPreviewView* pView = DYNAMIC_DOWNCAST(CPreviewView, CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST)));
    if (pView) pView->ClosePreview();
    else pFrame->m_lpfnCloseProc = nullptr;
}

// The preview's bar: the program's template when it has one, else the layer's own.
BOOL CreatePreviewBar(CDialogBar* pBar, CFrameWnd* pFrame, UINT nIDResource)
{
    const UINT style = WS_CHILD | WS_VISIBLE | CBRS_TOP;
    HINSTANCE inst = nullptr;
    if (AfxLoadDialogTemplate(MAKEINTRESOURCEA(nIDResource), &inst))
        return pBar->Create(pFrame, nIDResource, style, AFX_IDW_PREVIEW_BAR);
    AfxDlgTemplate t(WS_CHILD, 340, 20, "", 9, "ＭＳ Ｐゴシック");
    struct Button {
        WORD id;
        LPCSTR text;
    };
    static const Button buttons[] = {
        {AFX_ID_PREVIEW_PRINT, "印刷(&P)..."}, {AFX_ID_PREVIEW_NEXT, "次頁(&N)"},
        {AFX_ID_PREVIEW_PREV, "前頁(&V)"},     {AFX_ID_PREVIEW_NUMPAGE, "2 頁(&T)"},
        {AFX_ID_PREVIEW_ZOOMIN, "拡大(&I)"},    {AFX_ID_PREVIEW_ZOOMOUT, "縮小(&U)"},
        {AFX_ID_PREVIEW_CLOSE, "閉じる(&C)"},
    };
    short x = 4;
    for (const Button& b : buttons) {
        t.AddButton(b.id, b.text, BS_PUSHBUTTON, x, 3, 44, 14);
        x += 48;
    }
    return pBar->CreateIndirect(pFrame, t.Get(), t.Size(), style, AFX_IDW_PREVIEW_BAR);
}

// Escape ends the preview wherever the focus is in the frame. One table for the module, left to
// the system at exit: the preview ends inside the table's own translation of Escape, so the
// table must outlive it.
HACCEL PreviewKeys()
{
    static ACCEL keys[] = {{FVIRTKEY, VK_ESCAPE, AFX_ID_PREVIEW_CLOSE}};
    static const HACCEL table = ::CreateAcceleratorTableA(keys, 1);
    return table;
}
} // namespace

void CView::OnFilePrintPreview()
{
    CPrintPreviewState* pState = new CPrintPreviewState;
    if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState)) delete pState;
}

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, const CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame || !pPrintView || !pState || pFrame->m_lpfnCloseProc) return FALSE;
    CPreviewView* pView = DYNAMIC_CREATE_AS(CPreviewView, pPreviewViewClass);
    if (!pView) return FALSE;
    // Hidden until the job is ready; it joins this view's document.
    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), pFrame, 0, &context))
        return FALSE; // the object is gone
    pView->m_pOrigView = this;
    if (!pView->SetPrintView(pPrintView)) {
        pView->DestroyWindow();
        return FALSE;
    }
    CDialogBar* pBar = new CDialogBar;
    if (!CreatePreviewBar(pBar, pFrame, nIDResource)) {
        delete pBar;
        pPrintView->OnEndPrinting(pView->m_pPreviewDC, pView->m_pPreviewInfo);
        pView->DestroyWindow();
        AfxMessageBox("印刷プレビューを表示できませんでした。", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    pBar->m_bAutoDelete = TRUE;
    pView->m_pToolBar = pBar;
    pView->m_pPreviewState = pState;

    // The frame as the preview wants it; the state keeps what comes back.
    pState->hWndFocus = ::GetFocus();
    pState->nIDMainPane = static_cast<UINT>(GetDlgCtrlID());
    for (CControlBar* pOther : std::vector<CControlBar*>(pFrame->m_listControlBars)) {
        if (pOther == pBar || pOther->GetDlgCtrlID() == AFX_IDW_STATUS_BAR || !pOther->IsVisible()) continue;
        pState->hiddenBars.push_back(pOther);
        pFrame->ShowControlBar(pOther, FALSE, TRUE);
    }
    pState->hMenu = ::GetMenu(pFrame->m_hWnd);
    ::SetMenu(pFrame->m_hWnd, nullptr);
    pState->hAccelTable = pFrame->m_hAccelTable;
    pFrame->m_hAccelTable = PreviewKeys();
    pState->lpfnCloseProc = &ClosePreviewOf;
    pFrame->m_lpfnCloseProc = &ClosePreviewOf;

    SetDlgCtrlID(AFX_IDW_PANE_SAVE);
    ShowWindow(SW_HIDE);
    pView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    pView->ShowWindow(SW_SHOW);
    pFrame->SetActiveView(pView);
    pFrame->RecalcLayout();
    pView->SetCurrentPage(pView->GetCurrentPage());
    pView->SetFocus();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    if (pView->m_pPrintView) pView->m_pPrintView->OnEndPrinting(pDC, pInfo);
    CFrameWnd* pFrame = pView->GetParentFrame();
    CPrintPreviewState* pState = pView->m_pPreviewState;
    CView* pOrig = pView->m_pOrigView;
    if (pFrame && pState) {
        pFrame->m_lpfnCloseProc = nullptr;
        if (pView->m_pToolBar) pView->m_pToolBar->DestroyWindow(); // deletes itself
        pView->m_pToolBar = nullptr;
        ::SetMenu(pFrame->m_hWnd, pState->hMenu);
        pFrame->m_hAccelTable = pState->hAccelTable;
        // Bars made or removed meanwhile are left as they are.
        for (CControlBar* pBar : pState->hiddenBars) {
            const auto& bars = pFrame->m_listControlBars;
            if (std::find(bars.begin(), bars.end(), pBar) != bars.end()) pFrame->ShowControlBar(pBar, TRUE, TRUE);
        }
        pView->SetDlgCtrlID(0);
        pView->ShowWindow(SW_HIDE);
        if (pOrig && pOrig->m_hWnd) {
            pOrig->SetDlgCtrlID(static_cast<int>(pState->nIDMainPane));
            pOrig->ShowWindow(SW_SHOW);
            pFrame->SetActiveView(pOrig);
        }
        pFrame->RecalcLayout();
        pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    }
    HWND focus = pState ? pState->hWndFocus : nullptr;
    pView->DestroyWindow(); // the information, the DC and the state go with it
    if (focus && ::IsWindow(focus) && ::IsWindowVisible(focus) && ::IsWindowEnabled(focus)) ::SetFocus(focus);
    else if (pOrig && pOrig->m_hWnd) pOrig->SetFocus();
}
