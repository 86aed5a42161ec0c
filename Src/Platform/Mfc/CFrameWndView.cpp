// The frame's views and documents: the view of the creation context, the active view, the
// initial update, the caption with the document's title, and the command route through the
// active view, its document, the frame and the application (menus updated the same way).
#include "CCmdUI.h"
#include "CCreateContext.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext)
{
    if (!pContext || !pContext->m_pNewViewClass) return TRUE;
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass) return nullptr;
    CWnd* pView = DYNAMIC_CREATE_AS(CWnd, pContext->m_pNewViewClass);
    if (!pView) return nullptr;
    // A view that fails has deleted itself.
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext)) return nullptr;
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld) return;
    m_pViewActive = nullptr; // none while the old one hears of it
    if (bNotify && pViewOld) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

bool CFrameWnd::IsOnlyFrameOf(CDocument* pDoc) const
{
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos;) {
        CView* pView = pDoc->GetNextView(pos);
        if (pView->m_hWnd && pView->GetParentFrame() != this) return false;
    }
    return true;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = nullptr;
    if (!m_pViewActive) {
        pView = DYNAMIC_DOWNCAST(CView, GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
        if (pView) SetActiveView(pView, FALSE);
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        // The main window takes the program's show state once; later documents leave it as it is.
        int nCmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == this) {
            nCmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView) pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc) pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible()) nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic()) nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) ShowWindow(nCmdShow);
    bool activates = nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
                     nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE;
    if (activates) BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* pDoc = bAddToTitle ? GetActiveDocument() : nullptr;
    UpdateFrameTitleForDocument(pDoc ? static_cast<LPCSTR>(pDoc->GetTitle()) : nullptr);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (!bSysMenu && pPopupMenu) CCmdUI::UpdateMenu(pPopupMenu, this, m_bAutoMenuEnable);
    Default();
}
