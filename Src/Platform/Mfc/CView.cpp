#include "CView.h"
#include "CCreateContext.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"
#include "CPrintInfo.h"
#include "MsgThunks.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, &ThisClass::OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(nullptr) {}

CView::~CView()
{
    if (m_pDocument) m_pDocument->RemoveView(this);
}

void CView::PostNcDestroy() { delete this; }

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CLIPSIBLINGS;
    // The sunken edge of a view rather than a flat border.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext && pContext->m_pCurrentDoc) pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->GetActiveView() == this) pFrame->SetActiveView(nullptr, FALSE);
    Default();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    if (pInfo) pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (!bActivate || pActivateView != this) return;
    CWnd* pTop = GetTopLevelParent();
    if (pTop && pTop->m_hWnd == ::GetActiveWindow()) SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

int CView::OnMouseActivate(CWnd*, UINT, UINT)
{
    int result = static_cast<int>(Default());
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame) return result;
    if (pFrame->GetActiveView() != this) {
        pFrame->SetActiveView(this);
    } else {
        // Active already but without the focus (a bar or the frame has it): take it back.
        HWND focus = ::GetFocus();
        if (focus != m_hWnd && !::IsChild(m_hWnd, focus)) OnActivateView(TRUE, this, this);
    }
    return result;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
