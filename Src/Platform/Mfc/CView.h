// A view: a child window of a frame that shows a document. The frame makes it in its pane from
// the creation context and routes commands to the active view first; the view offers them to
// its own map and then to its document. A view lives on the heap and deletes itself after its
// window; a click makes it the frame's active view.
#pragma once
#include "CWnd.h"

class CDocument;
class CFrameWnd;
struct CPrintInfo;
struct CPrintPreviewState;
class CPreviewView;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    // Leaves its document.
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Once the document is ready (the frame's initial update): the base calls OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed (UpdateAllViews): the base repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // Draws the document on a DC that OnPrepareDC has set up.
    virtual void OnDraw(CDC* pDC) = 0;
    // Sets up a DC for OnDraw; pInfo is given while printing or previewing. The base only says
    // whether page m_nCurPage exists: when the last page is not known, only the first does.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // The frame made this view active or inactive: an active view of the active window takes
    // the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // The view's frame was activated or deactivated (nState as WM_ACTIVATE). Nothing in the base.
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    // ---- Printing (CViewPrint.cpp) and print preview (CViewPreview.cpp) ----
    // The first step of a job: sets the page range and gets the printer, normally through
    // DoPreparePrinting (which the base calls). FALSE ends the job before it begins.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Before the first page and after the last (also after a job that failed or was stopped
    // once it had begun). Nothing in the base.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Draws page pInfo->m_nCurPage inside pInfo->m_rectDraw: the base draws the view (OnDraw).
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    // Ends a print preview: OnEndPrinting of the printed view, then the frame as it was before
    // (bars, menu, keys, this view active) and the preview window gone, pDC and pInfo with it.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

    // A preview or ID_FILE_PRINT_DIRECT job takes the DC in pInfo->m_pPD, else the application's
    // printer's (its default); any other job asks the print dialog, whose range starts as the
    // whole document. FALSE after a cancelled dialog or, with one message, without a printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Shows pPrintView's pages in a preview window of pPreviewViewClass in this view's frame,
    // with the bar of template nIDResource (the layer's own when the program has none). The
    // preview owns pState once this answers TRUE.
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, const CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);

    // The view's map, then its document's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    CView();
    void PostNcDestroy() override;

    // Joins the document of the creation context.
    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    // Stops being its frame's active view.
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    // Commands a view's map may name: ID_FILE_PRINT and ID_FILE_PRINT_DIRECT print the document
    // (the job runs to its end inside the command), ID_FILE_PRINT_PREVIEW shows the preview.
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument;

    friend class CDocument;
};
