// The docked panel's border drag: where a point lies on the panel, the cursor that tells it, and
// the drag itself, which lifts the panel out of its dock bar onto the desktop, follows the mouse
// with the dragged edges and puts the panel back with the size it was given.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlb"
#include "CmnDlb.h"

namespace {

const int kProbe = 5; // a point is this near a border each way

int Traced(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

// An edge at v lies within [low, high) of the probe.
bool Near(LONG v, LONG low, LONG high) { return v >= low && v < high; }

// A dragged edge moves by the mouse's step from the last point and stays a pixel off the
// opposite edge (low: a left or top edge); the last point becomes the edge.
void Follow(LONG* edge, LONG now, LONG* last, LONG opposite, bool low)
{
    *edge += now - *last;
    if (low && *edge > opposite - 1) *edge = opposite - 1;
    if (!low && *edge < opposite + 1) *edge = opposite + 1;
    *last = *edge;
}

} // namespace

int CmnDlb::SetTrackingCursor(int hit)
{
    HCURSOR cursor = m_hCurArrow;
    switch (hit) {
    case CmnDlbHitTopLeft:
    case CmnDlbHitBottomRight: cursor = m_hCurNWSE; break;
    case CmnDlbHitTopRight:
    case CmnDlbHitBottomLeft: cursor = m_hCurNESW; break;
    case CmnDlbHitLeft:
    case CmnDlbHitRight: cursor = m_hCurWE; break;
    case CmnDlbHitTop:
    case CmnDlbHitBottom: cursor = m_hCurNS; break;
    case CmnDlbHitGripper: cursor = m_hCurGripper; break;
    default: break;
    }
    if (cursor) ::SetCursor(cursor);
    return VKE_OK;
}

int CmnDlb::HitTestBar(POINT* point, int setCursor, int* hit)
{
    if (!point || !hit) return Traced("HitTestBar", VKE_ERR_ARG);
    // The panel's window in its parent, no lower than the parent's client area, in client terms.
    CRect window, parent;
    GetWindowRect(&window);
    HWND parentWnd = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, parentWnd, reinterpret_cast<POINT*>(&window), 2);
    ::GetClientRect(parentWnd, &parent);
    if (window.bottom > parent.bottom) window.bottom = parent.bottom;
    ::MapWindowPoints(parentWnd, m_hWnd, reinterpret_cast<POINT*>(&window), 2);

    const CRect probe(point->x - kProbe, point->y - kProbe, point->x + kProbe, point->y + kProbe);
    const bool floating = IsFloating() != FALSE;
    CRect meet;
    int code = CmnDlbHitNone;
    if (!meet.IntersectRect(&probe, &window)) {
        code = CmnDlbHitNone;
    } else if (meet == probe) {
        code = floating ? CmnDlbHitNone : CmnDlbHitInside;
        CRect gripper = GripperRect();
        if (!gripper.IsRectEmpty() && meet.IntersectRect(&probe, &gripper)) code = CmnDlbHitGripper;
    } else if (!floating) {
        const bool top = Near(window.top, probe.top, probe.bottom);
        const bool bottom = Near(window.bottom, probe.top, probe.bottom);
        if (Near(window.left, probe.left, probe.right))
            code = top ? CmnDlbHitTopLeft : bottom ? CmnDlbHitBottomLeft : CmnDlbHitLeft;
        else if (Near(window.right, probe.left, probe.right))
            code = top ? CmnDlbHitTopRight : bottom ? CmnDlbHitBottomRight : CmnDlbHitRight;
        else
            code = top ? CmnDlbHitTop : CmnDlbHitBottom;
    }
    *hit = code;
    if (setCursor == 1) SetTrackingCursor(code);
    return VKE_OK;
}

int CmnDlb::StartTracking(int hit, POINT* point)
{
    if (!point || hit < CmnDlbHitTopLeft || hit > CmnDlbHitGripper) return Traced("StartTracking", VKE_ERR_ARG);
    if (m_bTracking) return Traced("StartTracking", VKE_ERR_EXISTS);
    m_iHit = hit;
    m_ptLast = *point;
    ClientToScreen(&m_ptLast);
    m_hParentOld = ::GetParent(m_hWnd);
    GetWindowRect(&m_rctTrack);
    // On the desktop for the drag: the panel follows the mouse over the whole frame, and the
    // frame's layout leaves it alone meanwhile.
    ::SetParent(m_hWnd, ::GetDesktopWindow());
    ApplyBarRect();
    m_bTracking = 1;
    ::SetCapture(m_hWnd);
    return VKE_OK;
}

int CmnDlb::StopTracking()
{
    if (!m_bTracking) return Traced("StopTracking", VKE_ERR_EXISTS);
    // Cleared first: releasing the capture must not end the drag a second time.
    m_bTracking = 0;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    SetSizes(SIZE{m_rctTrack.right - m_rctTrack.left, m_rctTrack.bottom - m_rctTrack.top});
    if (m_hParentOld && ::IsWindow(m_hParentOld)) ::SetParent(m_hWnd, m_hParentOld);
    ApplyBarRect();
    if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->RecalcLayout();
    m_iHit = 0;
    m_ptLast = POINT{};
    m_hParentOld = nullptr;
    m_rctTrack = RECT{};
    return VKE_OK;
}

void CmnDlb::EndDrag()
{
    if (m_bTracking) StopTracking();
}

int CmnDlb::ApplyBarRect()
{
    CRect rect(m_rctTrack);
    HWND parent = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    MoveWindow(&rect, TRUE);
    return Redraw(1);
}

// ---- Mouse ----

BOOL CmnDlb::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!m_inf.bReady) return CDialogBar::OnSetCursor(pWnd, nHitTest, message);
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int hit = 0;
    HitTestBar(&point, 0, &hit);
    // Inside the panel a control keeps its own cursor (an edit box its I-beam).
    if (pWnd != this && hit == CmnDlbHitInside) return FALSE;
    SetTrackingCursor(hit);
    return TRUE;
}

void CmnDlb::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_inf.bReady || IsFloating()) {
        CDialogBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (m_bTracking) return; // a second press while dragging
    int hit = 0;
    HitTestBar(&point, 0, &hit);
    if (hit == CmnDlbHitNone || hit == CmnDlbHitInside || hit == CmnDlbHitGripper) {
        CDialogBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (StartTracking(hit, &point) == VKE_OK) SetTrackingCursor(hit);
}

void CmnDlb::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking) StopTracking();
    else CDialogBar::OnLButtonUp(nFlags, point);
}

void CmnDlb::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        CDialogBar::OnMouseMove(nFlags, point);
        return;
    }
    if (::GetCapture() != m_hWnd) {
        StopTracking();
        return;
    }
    ClientToScreen(&point);
    RECT& r = m_rctTrack;
    const int hit = m_iHit;
    if (hit == CmnDlbHitTopLeft || hit == CmnDlbHitBottomLeft || hit == CmnDlbHitLeft)
        Follow(&r.left, point.x, &m_ptLast.x, r.right, true);
    if (hit == CmnDlbHitTopRight || hit == CmnDlbHitBottomRight || hit == CmnDlbHitRight)
        Follow(&r.right, point.x, &m_ptLast.x, r.left, false);
    if (hit == CmnDlbHitTopLeft || hit == CmnDlbHitTopRight || hit == CmnDlbHitTop)
        Follow(&r.top, point.y, &m_ptLast.y, r.bottom, true);
    if (hit == CmnDlbHitBottomRight || hit == CmnDlbHitBottomLeft || hit == CmnDlbHitBottom)
        Follow(&r.bottom, point.y, &m_ptLast.y, r.top, false);
    ApplyBarRect();
}
