#include "CDockContext.h"
#include "CDockBar.h"
#include "CFrameWnd.h"
#include "CMiniDockFrameWnd.h"
#include "MfcState.h"
#include <algorithm>
#include <stdlib.h>

namespace {
const int kReach = 16;     // how far into the client area an empty or thin dock side catches the mouse
const int kDockLine = 2;   // outline of a docked place
const int kFloatLine = 4;  // outline of a floating frame

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }
} // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite), m_pTarget(nullptr), m_bMoved(FALSE), m_hOutline{}
{
}

CDockContext::~CDockContext()
{
    for (HWND hWnd : m_hOutline)
        if (hWnd) ::DestroyWindow(hWnd);
}

void CDockContext::StartDrag(CPoint point)
{
    if (!m_pDockSite || !m_pBar->m_hWnd) return;
    m_ptStart = point;
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptGrab = point - rect.TopLeft(); // above the bar when the press is on a floating caption
    m_sizeHorz = CDockBar::DockedSize(m_pBar, TRUE);
    m_sizeVert = CDockBar::DockedSize(m_pBar, FALSE);
    m_sizeFloat = CMiniDockFrameWnd::FloatingSize(m_pBar);
    if (Track()) EndDrag();
}

BOOL CDockContext::Track()
{
    HWND hWnd = m_pBar->m_hWnd;
    ::SetCapture(hWnd);
    BOOL commit = FALSE;
    for (bool done = false; !done && ::GetCapture() == hWnd;) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // the loop outside ends too
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
            Move(msg.pt);
            break;
        case WM_LBUTTONUP:
            Move(msg.pt);
            commit = m_bMoved;
            done = true;
            break;
        case WM_RBUTTONDOWN:
            done = true;
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.wParam == VK_ESCAPE) {
                done = msg.message == WM_KEYDOWN;
            } else if (msg.wParam == VK_CONTROL && m_bMoved) {
                CPoint cursor;
                ::GetCursorPos(&cursor);
                Move(cursor);
            }
            break;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
    }
    if (::GetCapture() == hWnd) ::ReleaseCapture();
    for (HWND& hOutline : m_hOutline)
        if (hOutline) ::ShowWindow(hOutline, SW_HIDE);
    return commit;
}

CDockBar* CDockContext::DockBarAt(CPoint point) const
{
    for (const auto& side : afxDockSides) {
        CDockBar* pDock = m_pDockSite->GetDockBar(side.id);
        if (!pDock || !(m_pBar->m_dwDockStyle & side.align)) continue;
        CRect rect;
        pDock->GetWindowRect(&rect);
        switch (side.align) {
        case CBRS_ALIGN_TOP: rect.bottom = std::max(rect.bottom, rect.top + kReach); break;
        case CBRS_ALIGN_BOTTOM: rect.top = std::min(rect.top, rect.bottom - kReach); break;
        case CBRS_ALIGN_LEFT: rect.right = std::max(rect.right, rect.left + kReach); break;
        default: rect.left = std::min(rect.left, rect.right - kReach); break;
        }
        if (rect.PtInRect(point)) return pDock;
    }
    return nullptr;
}

void CDockContext::Move(CPoint point)
{
    if (!m_bMoved) {
        if (abs(point.x - m_ptStart.x) < ::GetSystemMetrics(SM_CXDRAG) &&
            abs(point.y - m_ptStart.y) < ::GetSystemMetrics(SM_CYDRAG))
            return;
        m_bMoved = TRUE;
    }
    m_pTarget = ::GetKeyState(VK_CONTROL) < 0 ? nullptr : DockBarAt(point);
    if (m_pTarget) {
        // The bar in the shape of that side, held where it was pressed.
        CSize size = m_pTarget->IsHorzBar() ? m_sizeHorz : m_sizeVert;
        CPoint grab(Clamp(m_ptGrab.x, 0, size.cx - 1), Clamp(m_ptGrab.y, 0, size.cy - 1));
        m_rectDock = CRect(CPoint(point.x - grab.x, point.y - grab.y), size);
        ShowOutline(m_rectDock, kDockLine);
    } else {
        CRect frame = CMiniDockFrameWnd::FrameRect(m_sizeFloat, m_pBar->m_dwStyle);
        CPoint grab(Clamp(m_ptGrab.x, frame.left, m_sizeFloat.cx - 1), Clamp(m_ptGrab.y, frame.top, m_sizeFloat.cy - 1));
        m_rectFloat = frame + CPoint(point.x - grab.x, point.y - grab.y);
        ShowOutline(m_rectFloat, kFloatLine);
    }
}

void CDockContext::ShowOutline(const CRect& rect, int nThickness)
{
    static LPCSTR cls = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH)));
    int t = nThickness;
    const CRect sides[4] = {CRect(rect.left, rect.top, rect.right, rect.top + t),
                            CRect(rect.left, rect.bottom - t, rect.right, rect.bottom),
                            CRect(rect.left, rect.top + t, rect.left + t, rect.bottom - t),
                            CRect(rect.right - t, rect.top + t, rect.right, rect.bottom - t)};
    for (int i = 0; i < 4; ++i) {
        if (!m_hOutline[i])
            m_hOutline[i] = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, cls, "", WS_POPUP, 0, 0,
                                              0, 0, nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
        const CRect& r = sides[i];
        ::SetWindowPos(m_hOutline[i], HWND_TOPMOST, r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()),
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void CDockContext::EndDrag()
{
    if (m_pTarget)
        m_pDockSite->DockControlBar(m_pBar, static_cast<UINT>(m_pTarget->GetDlgCtrlID()), &m_rectDock);
    else
        m_pDockSite->FloatControlBar(m_pBar, m_rectFloat.TopLeft(), m_pBar->m_dwStyle & CBRS_ALIGN_ANY);
}

void CDockContext::ToggleDocking()
{
    if (!m_pDockSite) return;
    if (m_pBar->IsFloating()) {
        UINT id = m_pBar->m_nLastDockID;
        if (id && m_pDockSite->GetDockBar(id)) m_pDockSite->DockControlBar(m_pBar, id, &m_pBar->m_rectLastDock);
        else m_pDockSite->DockControlBar(m_pBar);
        return;
    }
    CPoint point = m_pBar->m_ptLastFloat;
    if (!m_pBar->m_bLastFloat) {
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        point = rect.TopLeft();
    }
    m_pDockSite->FloatControlBar(m_pBar, point, m_pBar->m_dwStyle & CBRS_ALIGN_ANY);
}
