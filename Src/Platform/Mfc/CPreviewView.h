// The print preview: a window in its frame's pane that shows the printed view's pages as they
// will print, one or two at a time on grey ground, scaled to the window or zoomed (with scroll
// bars) by its bar, a click or the keys: PgUp, PgDn, Home and End turn the pages, Escape ends
// the preview. The frame's status pane shows the pages shown. CView::DoPrintPreview makes it;
// it ends through its view's OnEndPrintPreview and owns the job's print information, its DC
// and the frame's saved state until then.
#pragma once
#include "CScrollView.h"
#include <vector>

class CControlBar;
class CDialogBar;
class CPreviewDC;
struct CPrintInfo;

// What a preview changes in its frame, put back when it ends.
struct CPrintPreviewState {
    UINT nIDMainPane = AFX_IDW_PANE_FIRST; // the previewed view's id
    HMENU hMenu = nullptr;                 // the frame's menu
    HACCEL hAccelTable = nullptr;          // the frame's keys
    HWND hWndFocus = nullptr;              // the focus before the preview
    std::vector<CControlBar*> hiddenBars;  // the bars the preview hid
    // Ends the preview; the frame calls it for WM_CLOSE.
    void (*lpfnCloseProc)(CFrameWnd* pFrameWnd) = nullptr;
};

// The view a print preview stands in for while it shows, else pView itself: the frame's active
// view is the preview then, and what belongs to the previewed view (its title, its pages) is
// still that view's.
CView* AfxViewBehindPreview(CView* pView);

class CPreviewView : public CScrollView {
    DECLARE_DYNCREATE(CPreviewView)

public:
    CPreviewView();
    ~CPreviewView() override;

    enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 }; // the whole page(s), between, actual size

    // Prepares the job as a preview (OnPreparePrinting with m_bPreview, then OnBeginPrinting on
    // the preview DC). FALSE when the printed view refused or there is no printer DC.
    virtual BOOL SetPrintView(CView* pPrintView);
    // The first page shown, kept inside the document's pages (a page past the last one found
    // by OnPrepareDC makes the one before it the last).
    void SetCurrentPage(UINT nPage);
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // The last page (the last two while two pages show).
    void ShowLastPage();
    // 1 or 2 pages side by side while not zoomed.
    void SetPageCount(UINT nPages);
    UINT GetPageCount() const { return m_nPages; }
    // A zoom step; point (client) stays over the same place of the page when it can.
    void SetZoomState(int nState, CPoint point);
    int GetZoomState() const { return m_nZoomState; }
    // Ends the preview through the view that started it.
    void ClosePreview();

    void OnDraw(CDC* pDC) override;

    CView* m_pOrigView = nullptr;               // the view that started the preview
    CView* m_pPrintView = nullptr;              // the view whose pages are shown
    CDialogBar* m_pToolBar = nullptr;           // the preview's bar in the frame
    CPrintPreviewState* m_pPreviewState = nullptr;
    CPreviewDC* m_pPreviewDC = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTALLKEYS; }
    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // The last page: the document's maximum (0xFFFF while it is not known).
    UINT LastPage() const;
    // Whether the printed view has page nPage (its OnPrepareDC keeps m_bContinuePrinting).
    BOOL PageExists(UINT nPage);
    // Pages shown now: one while zoomed or at the last page.
    UINT ShownPages() const;
    // The scale for the zoom state and the window size; the scroll sizes follow it.
    void UpdateScale();
    // The window's client size without scroll bars.
    CSize FullClient() const;
    // The paper of the i-th page shown, in client coordinates.
    CRect PaperRect(UINT i) const;
    void Render(HDC hDC);
    void RenderPage(HDC hDC, const CRect& paper, UINT nPage);
    void ShowPageText();

    UINT m_nCurrentPage = 1;
    UINT m_nPages = 1;
    int m_nZoomState = ZOOM_OUT;
    int m_nScaleNum = 1; // preview pixels per printer pixels
    int m_nScaleDen = 1;
    CSize m_sizePaper;     // printer pixels
    CPoint m_ptPrintable;  // where the printable area starts on the paper
    CSize m_sizePrintable;
    int m_nPrinterDpi = 300;
};
