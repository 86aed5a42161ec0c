#include "CMiniDockFrameWnd.h"
#include "CDockContext.h"
#include "MfcState.h"
#include "MsgThunks.h"

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CFrameWnd)
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_EXITSIZEMOVE()
    ON_WM_GETMINMAXINFO()
    ON_WM_NCACTIVATE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
const DWORD kExStyle = WS_EX_TOOLWINDOW;

DWORD FrameStyle(DWORD dwBarStyle)
{
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | ((dwBarStyle & CBRS_SIZE_DYNAMIC) ? WS_THICKFRAME : 0);
}
} // namespace

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE), m_pDockSite(nullptr), m_nSizedLength(-1), m_dwSizedMode(0) {}

BOOL CMiniDockFrameWnd::Create(CFrameWnd* pDockSite, CControlBar* pBar)
{
    m_pDockSite = pDockSite;
    CString title;
    pBar->GetWindowText(title);
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    if (!cls || !CreateEx(kExStyle, cls, title, FrameStyle(pBar->m_dwStyle), 0, 0, 0, 0, pDockSite->m_hWnd, nullptr))
        return FALSE;
    m_wndDockBar.m_pDockSite = pDockSite;
    if (!m_wndDockBar.Create(this, CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetBar() const
{
    std::vector<CControlBar*> bars = m_wndDockBar.GetBars();
    return bars.empty() ? nullptr : bars.front();
}

CSize CMiniDockFrameWnd::FloatingSize(CControlBar* pBar)
{
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) return pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    return pBar->CalcFixedLayout(FALSE, pBar->IsHorzBar());
}

CRect CMiniDockFrameWnd::FrameRect(CSize sizeBar, DWORD dwBarStyle)
{
    CRect rect(CPoint(0, 0), sizeBar);
    ::AdjustWindowRectEx(&rect, FrameStyle(dwBarStyle), FALSE, kExStyle);
    return rect;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    CControlBar* pBar = GetBar();
    if (!pBar || m_bInRecalcLayout) return;
    m_bInRecalcLayout = TRUE;
    CString title, now;
    pBar->GetWindowText(title);
    GetWindowText(now);
    if (title != now) SetWindowText(title);
    CRect frame = FrameRect(FloatingSize(pBar), pBar->m_dwStyle);
    SetWindowPos(static_cast<HWND>(nullptr), 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.Width(), client.Height()); // fits the bar even when the size stayed
    m_bInRecalcLayout = FALSE;
}

void CMiniDockFrameWnd::OnSize(UINT, int cx, int cy)
{
    CRect client(0, 0, cx, cy);
    CControlBar::PlaceWindow(m_wndDockBar.m_hWnd, client);
    if (CControlBar* pBar = GetBar()) CControlBar::PlaceWindow(pBar->m_hWnd, client);
}

void CMiniDockFrameWnd::OnClose()
{
    CControlBar* pBar = GetBar();
    if (pBar && m_pDockSite) m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
    else if (!pBar) DestroyWindow(); // nothing left to float
}

void CMiniDockFrameWnd::OnSizing(UINT nSide, LPRECT lpRect)
{
    CControlBar* pBar = GetBar();
    if (!pBar || !(pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) return;
    // The bar decides its size for each dragged length (a corner drags both, the width first);
    // the frame snaps around it.
    CRect frame = FrameRect(CSize(0, 0), pBar->m_dwStyle);
    CRect inside(0, 0, 0, 0);
    pBar->CalcInsideRect(inside, TRUE);
    CRect rect(lpRect);
    CSize size;
    if (nSide != WMSZ_TOP && nSide != WMSZ_BOTTOM) {
        m_dwSizedMode = LM_HORZ;
        m_nSizedLength = rect.Width() - frame.Width() + inside.Width();
        size = pBar->CalcDynamicLayout(m_nSizedLength, m_dwSizedMode);
    }
    if (nSide != WMSZ_LEFT && nSide != WMSZ_RIGHT) {
        m_dwSizedMode = LM_LENGTHY;
        m_nSizedLength = rect.Height() - frame.Height() + inside.Height();
        size = pBar->CalcDynamicLayout(m_nSizedLength, m_dwSizedMode);
    }
    int cx = size.cx + frame.Width(), cy = size.cy + frame.Height();
    if (nSide == WMSZ_LEFT || nSide == WMSZ_TOPLEFT || nSide == WMSZ_BOTTOMLEFT) lpRect->left = lpRect->right - cx;
    else lpRect->right = lpRect->left + cx;
    if (nSide == WMSZ_TOP || nSide == WMSZ_TOPLEFT || nSide == WMSZ_TOPRIGHT) lpRect->top = lpRect->bottom - cy;
    else lpRect->bottom = lpRect->top + cy;
}

BOOL CMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    // Active with the frame it belongs to.
    bool siteActive = m_pDockSite && ::GetActiveWindow() == m_pDockSite->m_hWnd;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive || siteActive, 0));
}

void CMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* pInfo)
{
    Default();
    // A bar may float narrower than the system's smallest captioned window.
    CRect frame = FrameRect(CSize(0, 0), GetStyle() & WS_THICKFRAME ? CBRS_SIZE_DYNAMIC : 0);
    pInfo->ptMinTrackSize.x = frame.Width() + ::GetSystemMetrics(SM_CXSMSIZE);
    pInfo->ptMinTrackSize.y = frame.Height();
}

void CMiniDockFrameWnd::OnExitSizeMove()
{
    Default();
    CControlBar* pBar = GetBar();
    if (!pBar || m_nSizedLength < 0) return;
    pBar->CalcDynamicLayout(m_nSizedLength, m_dwSizedMode | LM_COMMIT);
    m_nSizedLength = -1;
    RecalcLayout();
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetBar();
    if (nHitTest == HTCAPTION && pBar && pBar->m_dwDockStyle && m_pDockSite) {
        // This frame may be gone when the drag docks the bar: nothing of it is touched after.
        CDockContext(pBar).StartDrag(point);
        return;
    }
    Default();
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetBar();
    if (nHitTest == HTCAPTION && pBar && pBar->m_dwDockStyle && m_pDockSite) {
        CDockContext(pBar).ToggleDocking();
        return;
    }
    (void)point;
    Default();
}
