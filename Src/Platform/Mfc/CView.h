// A view: a child window of a frame that shows a document. The frame makes it in its pane from
// the creation context and routes commands to the active view first; the view offers them to
// its own map and then to its document. A view lives on the heap and deletes itself after its
// window; a click makes it the frame's active view.
#pragma once
#include "CWnd.h"

class CDocument;
class CFrameWnd;
// What one printed page needs; the print architecture fills it (the view only passes it on).
struct CPrintInfo;

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
    // Sets up a DC for OnDraw; pInfo is given while printing. Nothing in the base.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // The frame made this view active or inactive: an active view of the active window takes
    // the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // The view's frame was activated or deactivated (nState as WM_ACTIVATE). Nothing in the base.
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

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
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument;

    friend class CDocument;
};
