#include "CControlBar.h"
#include "CDockBar.h"
#include "CDockContext.h"
#include "CFrameWnd.h"
#include "MsgThunks.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DRAWITEM()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &ThisClass::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace {
const UINT_PTR kFlyByTimer = 0xE000; // checks whether the mouse left the bar
const UINT kFlyByMs = 200;
const int kBorder = 2;  // each CBRS_BORDER_ side
const int kGripper = 7; // the gripper strip of a docked bar
} // namespace

CControlBar::CControlBar()
    : m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(nullptr), m_pDockBar(nullptr), m_nMRUWidth(32767),
      m_bAutoDelete(FALSE), m_cxLeftBorder(0), m_cxRightBorder(0), m_cyTopBorder(0), m_cyBottomBorder(0),
      m_sizeLeast(0, 0),
      m_nLastDockID(0), m_bLastFloat(FALSE), m_nPendingShow(0), m_nFlyById(0)
{
}

CControlBar::~CControlBar()
{
    m_bAutoDelete = FALSE; // the window's last message must not delete the object a second time
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete) delete this;
}

// ---- Style and state ----

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    DWORD changed = m_dwStyle ^ dwStyle;
    m_dwStyle = dwStyle;
    if (m_hWnd && (changed & (CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_ALIGN_ANY))) {
        SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        Invalidate();
    }
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }

BOOL CControlBar::IsFloating() const { return m_pDockBar && m_pDockBar->m_bFloating; }

BOOL CControlBar::IsVisible() const
{
    if (m_nPendingShow) return m_nPendingShow > 0;
    return m_hWnd && (GetStyle() & WS_VISIBLE);
}

CFrameWnd* CControlBar::GetDockingFrame() const { return GetParentFrame(); }

void CControlBar::DelayShow(BOOL bShow) { m_nPendingShow = bShow ? 1 : -1; }

void CControlBar::ApplyDelayedShow()
{
    if (!m_nPendingShow || !m_hWnd) return;
    BOOL show = m_nPendingShow > 0;
    m_nPendingShow = 0;
    ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    if (!IsFloating()) return;
    // A floating bar shows and hides with its floating frame, which waits for a frame that is
    // hidden (at its start) to show first.
    CFrameWnd* pFrame = GetDockingFrame();
    if (!pFrame) return;
    if (show && m_pDockSite && !m_pDockSite->IsWindowVisible()) return;
    if (show) pFrame->RecalcLayout();
    pFrame->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

// ---- Layout ----

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += kBorder;
    if (m_dwStyle & CBRS_BORDER_TOP) rect.top += kBorder;
    if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= kBorder;
    if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kBorder;
    rect.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    if (HasGripper()) {
        if (bHorz) rect.left += kGripper;
        else rect.top += kGripper;
    }
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // Only the borders: a bar with contents knows its own size.
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    CSize size(-inside.Width(), -inside.Height());
    if (bStretch) (bHorz ? size.cx : size.cy) = 32767;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::PlaceWindow(HWND hWnd, const RECT& rect)
{
    if (!hWnd) return;
    CRect now;
    ::GetWindowRect(hWnd, &now);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&now), 2);
    CRect want(rect);
    want.right = std::max(want.right, want.left);
    want.bottom = std::max(want.bottom, want.top);
    if (now == want) return;
    // A moved bar paints itself whole: the bits Wine keeps for it while its frame grows are
    // stale or blank (panels showed white until something else repainted them).
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
    ::SetWindowPos(hWnd, nullptr, want.left, want.top, want.Width(), want.Height(), flags);
}

// ---- Drawing ----

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) const
{
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // Each border is an etched line: shadow outside, highlight inside.
    if (m_dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
        rect.top += kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
        rect.bottom -= kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
        rect.left += kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
        rect.right -= kBorder;
    }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) const
{
    if (!HasGripper()) return;
    // A raised line inside the gripper strip, along the bar's short side.
    CRect line = IsHorzBar() ? CRect(rect.left + 2, rect.top + 2, rect.left + 5, rect.bottom - 2)
                             : CRect(rect.left + 2, rect.top + 2, rect.right - 2, rect.top + 5);
    pDC->Draw3dRect(&line, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

// ---- Messages ----

int CControlBar::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!IsDockBar()) {
        m_pDockSite = GetParentFrame();
        if (m_pDockSite) m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    EndFlyBy();
    if (CDockBar* pDock = m_pDockBar) {
        pDock->RemoveControlBar(this);
        // An emptied floating frame goes once this message is over.
        if (pDock->m_bFloating) ::PostMessageA(::GetParent(pDock->m_hWnd), WM_CLOSE, 0, 0);
    }
    if (m_pDockSite && !IsDockBar()) m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    Default();
}

BOOL CControlBar::IsDragPoint(CPoint point)
{
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return !child || child == m_hWnd;
}

void CControlBar::OnLButtonDown(UINT, CPoint point)
{
    if (m_pDockSite && m_dwDockStyle && IsDragPoint(point)) {
        EndFlyBy();
        CPoint screen = point;
        ClientToScreen(&screen);
        CDockContext(this).StartDrag(screen);
        return;
    }
    Default();
}

void CControlBar::OnLButtonDblClk(UINT, CPoint point)
{
    if (m_pDockSite && m_dwDockStyle && IsDragPoint(point)) {
        CDockContext(this).ToggleDocking();
        return;
    }
    Default();
}

void CControlBar::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem)) return;
    const MSG* cur = GetCurrentMessage();
    if (m_pDockSite && m_pDockSite->m_hWnd) {
        m_pDockSite->SendMessage(cur->message, cur->wParam, cur->lParam);
        return;
    }
    Default();
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (GetStyle() & WS_VISIBLE) {
        CFrameWnd* pTarget = m_pDockSite ? m_pDockSite : GetParentFrame();
        if (pTarget) OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    }
    return 0;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kFlyByTimer) {
        CPoint cursor;
        CRect rect;
        ::GetCursorPos(&cursor);
        GetWindowRect(&rect);
        if (!rect.PtInRect(cursor)) EndFlyBy();
        return 0;
    }
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    bool forward = message == WM_COMMAND || message == WM_NOTIFY;
    if (forward && m_pDockSite && m_pDockSite->m_hWnd && m_pDockSite->m_hWnd != m_hWnd)
        return m_pDockSite->SendMessage(message, wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message == WM_MOUSEMOVE && (m_dwStyle & CBRS_FLYBY)) TrackFlyBy(pMsg);
    // The frames first: IsDialogMessage would take their accelerator keys.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->PreTranslateMessage(pMsg)) return TRUE;
    if (m_pDockSite && m_pDockSite != pFrame && m_pDockSite->PreTranslateMessage(pMsg)) return TRUE;
    return PreTranslateInput(pMsg);
}

// ---- Fly-by prompts ----

void CControlBar::TrackFlyBy(const MSG* pMsg)
{
    CPoint point(pMsg->pt);
    ScreenToClient(&point);
    INT_PTR hit = OnToolHitTest(point, nullptr);
    UINT id = (hit > 0 && hit < 0xFFFF) ? static_cast<UINT>(hit) : 0;
    if (id == m_nFlyById || !m_pDockSite) return;
    m_nFlyById = id;
    m_pDockSite->SetMessageText(id ? id : static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
    if (id) SetTimer(kFlyByTimer, kFlyByMs);
}

void CControlBar::EndFlyBy()
{
    if (m_hWnd) KillTimer(kFlyByTimer);
    if (!m_nFlyById) return;
    m_nFlyById = 0;
    if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->SetMessageText(static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
}
