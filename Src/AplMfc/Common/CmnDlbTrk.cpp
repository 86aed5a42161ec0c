// The docked panel's border drag: where a point lies on the panel, the cursor that tells it, and
// the drag itself, which lifts the panel out of its dock bar onto the desktop, follows the mouse
// with the dragged edges and puts the panel back with the size it was given.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlb"
#include "CmnDlb.h"
#include "CDockBar.h"
#include <algorithm>
#include <vector>

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

// The panels of a dock bar's row; only the shown ones when shown.
std::vector<CmnDlb*> RowPanels(CDockBar* dock, int row, bool shown)
{
    std::vector<CmnDlb*> panels;
    for (CControlBar* bar : dock->GetRowBars(row)) {
        CmnDlb* panel = DYNAMIC_DOWNCAST(CmnDlb, bar);
        if (panel && panel->m_hWnd && (!shown || panel->IsVisible())) panels.push_back(panel);
    }
    return panels;
}

// The width a column's shown panels want (the layout may show them narrower), 0 when it shows
// none.
int WantedWidth(CDockBar* dock, int row)
{
    int width = 0;
    for (CmnDlb* panel : RowPanels(dock, row, true))
        width = std::max(width, static_cast<int>(CDockBar::DockedSize(panel, FALSE).cx));
    return width;
}

// A drag of a panel in a side's column: how far its inner and outer edges moved outward, the
// column beyond its outer edge with the width it wants (0 when there is none), and the column's
// shown panels with the panel's place among them.
struct ColumnDrag {
    int row = 0, beyond = 0, beyondWidth = 0, inner = 0, outer = 0;
    bool left = false;
    std::vector<CmnDlb*> shown;
    size_t at = 0;
};

ColumnDrag DragInColumn(CDockBar* dock, const CmnDlb* panel, const CRect& from, const CRect& to)
{
    ColumnDrag drag;
    drag.row = dock->GetBarRow(panel);
    // Columns count from the pane outward: on the left the outer ones come first.
    drag.left = (dock->GetBarStyle() & CBRS_ALIGN_LEFT) != 0;
    drag.inner = drag.left ? to.right - from.right : from.left - to.left;
    drag.outer = drag.left ? from.left - to.left : to.right - from.right;
    drag.beyond = drag.row + (drag.left ? -1 : 1);
    if (drag.beyond >= 0 && drag.beyond < dock->GetRowCount()) drag.beyondWidth = WantedWidth(dock, drag.beyond);
    drag.shown = RowPanels(dock, drag.row, true);
    drag.at = static_cast<size_t>(std::find(drag.shown.begin(), drag.shown.end(), panel) - drag.shown.begin());
    return drag;
}

int WindowHeight(CWnd* wnd)
{
    CRect rect;
    wnd->GetWindowRect(&rect);
    return rect.Height();
}

// A dragged side's length cut to at most `most`, keeping the edge that was not dragged.
void CutLength(LONG* low, LONG* high, bool lowDragged, int most)
{
    if (*high - *low <= most) return;
    if (lowDragged) *low = *high - most;
    else *high = *low + most;
}

} // namespace

CDockBar* CmnDlb::SideDock() const
{
    CDockBar* dock = m_pDockBar;
    return dock && !IsFloating() && dock->SharesLength() && dock->GetBarRow(this) >= 0 ? dock : nullptr;
}

void CmnDlb::SetColumnWidth(CDockBar* dock, int row, int cx)
{
    for (CmnDlb* panel : RowPanels(dock, row, false)) {
        panel->m_sizeCur.cx = panel->m_sizeFloat.cx = std::max(cx, static_cast<int>(CmnDlbMinSide));
    }
}

CRect CmnDlb::LimitDrag(const CRect& from, const CRect& to) const
{
    if (!m_pDockSite || !m_pDockBar || IsFloating()) return to;
    if (CDockBar* dock = SideDock()) return LimitInColumn(dock, from, to);
    return LimitInRow(from, to);
}

CRect CmnDlb::LimitInColumn(CDockBar* dock, const CRect& from, const CRect& to) const
{
    const ColumnDrag drag = DragInColumn(dock, this, from, to);
    int inner = drag.inner, outer = drag.outer;
    // The outer edge moves the column beyond (which keeps the least width), this column pushed
    // along: the side then narrows by what that column gives. At the frame's edge it widens
    // this column.
    if (drag.beyondWidth > 0) outer = std::min(outer, drag.beyondWidth - static_cast<int>(CmnDlbMinSide));
    const int sign = drag.beyondWidth > 0 ? -1 : 1;
    // The side grows no further than the frame leaves room for: the pane gives way down to its
    // least width, and no column is narrowed for it.
    int growth[2] = {inner, sign * outer};
    int excess = growth[0] + growth[1] - std::max(0, m_pDockSite->GetSideDockRoom());
    for (int& grow : growth) {
        const int cut = std::min(std::max(excess, 0), std::max(grow, 0));
        grow -= cut;
        excess -= cut;
    }
    inner = growth[0];
    outer = sign * growth[1];
    CRect limited = to;
    if (drag.left) {
        limited.right = from.right + inner;
        limited.left = from.left - outer;
    } else {
        limited.left = from.left - inner;
        limited.right = from.right + outer;
    }
    // The column's own top and bottom stay; an edge shared with the panel above or below moves
    // only as far as both keep the least height.
    const std::vector<CmnDlb*>& shown = drag.shown;
    const size_t at = drag.at;
    const int least = CmnDlbMinSide, own = std::max(0, from.Height() - least);
    if (at > 0 && at < shown.size())
        limited.top = std::max(std::min(to.top, from.top + own), from.top - std::max(0, WindowHeight(shown[at - 1]) - least));
    else
        limited.top = from.top;
    if (at + 1 < shown.size())
        limited.bottom = std::min(std::max(to.bottom, from.bottom - own), from.bottom + std::max(0, WindowHeight(shown[at + 1]) - least));
    else
        limited.bottom = from.bottom;
    return limited;
}

CRect CmnDlb::LimitInRow(const CRect& from, const CRect& to) const
{
    // Along a row of the top or bottom: no longer than the row leaves beside its other shown
    // bars; across: no thicker than the pane and the side columns can give way for.
    CRect length;
    m_pDockBar->GetClientRect(&length);
    int others = 0;
    for (CControlBar* bar : m_pDockBar->GetRowBars(m_pDockBar->GetBarRow(this))) {
        if (bar == this || !bar->IsVisible()) continue;
        CRect rect;
        bar->GetWindowRect(&rect);
        others += rect.Width();
    }
    CRect limited = to;
    const int widest = std::max(from.Width(), length.Width() - others);
    CutLength(&limited.left, &limited.right, to.left != from.left, widest);
    const int highest = from.Height() + std::max(0, m_pDockSite->GetAcrossDockRoom());
    CutLength(&limited.top, &limited.bottom, to.top != from.top, highest);
    return limited;
}

bool CmnDlb::ResizeInColumn(const CRect& from, const CRect& to)
{
    CDockBar* dock = SideDock();
    if (!dock) return false;
    const ColumnDrag drag = DragInColumn(dock, this, from, to);
    // The widths the columns want move by what the edges moved, so a column the layout shows
    // narrower keeps the rest of its width.
    if (drag.outer && drag.beyondWidth > 0) SetColumnWidth(dock, drag.beyond, drag.beyondWidth - drag.outer);
    SetColumnWidth(dock, drag.row, WantedWidth(dock, drag.row) + drag.inner + (drag.beyondWidth > 0 ? 0 : drag.outer));

    // An edge shared with the panel above or below moves between the two, each keeping at least
    // the least height; every shown panel of the column then wants the height it shows.
    const std::vector<CmnDlb*>& shown = drag.shown;
    const size_t at = drag.at;
    const bool up = at < shown.size() && at > 0 && to.top != from.top;
    const bool down = at + 1 < shown.size() && to.bottom != from.bottom;
    if (!up && !down) return true;
    std::vector<int> heights;
    for (CmnDlb* panel : shown) heights.push_back(panel == this ? from.Height() : WindowHeight(panel));
    auto move = [&heights](size_t upper, int by) {
        by = std::min(by, heights[upper + 1] - static_cast<int>(CmnDlbMinSide));
        by = std::max(by, static_cast<int>(CmnDlbMinSide) - heights[upper]);
        heights[upper] += by;
        heights[upper + 1] -= by;
    };
    if (up) move(at - 1, to.top - from.top);
    if (down) move(at, to.bottom - from.bottom);
    for (size_t i = 0; i < shown.size(); ++i)
        shown[i]->m_sizeCur.cy = shown[i]->m_sizeFloat.cy = std::max(heights[i], static_cast<int>(CmnDlbMinSide));
    return true;
}

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
    const CRect gripper = GripperRect(); // empty while floating
    CRect meet;
    int code = CmnDlbHitNone;
    if (!meet.IntersectRect(&probe, &window)) {
        code = CmnDlbHitNone;
    } else if (gripper.PtInRect(*point)) {
        // The whole gripper drawn is the docking drag's, also where the border lies near it.
        code = CmnDlbHitGripper;
    } else if (meet == probe) {
        code = floating ? CmnDlbHitNone : CmnDlbHitInside;
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
    m_rctFrom = m_rctTrack;
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
    const CRect to = LimitDrag(CRect(m_rctFrom), CRect(m_rctTrack));
    m_rctTrack = to;
    if (!ResizeInColumn(CRect(m_rctFrom), to)) SetSizes(SIZE{to.Width(), to.Height()});
    if (m_hParentOld && ::IsWindow(m_hParentOld)) ::SetParent(m_hWnd, m_hParentOld);
    ApplyBarRect();
    if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->RecalcLayout();
    m_iHit = 0;
    m_ptLast = POINT{};
    m_hParentOld = nullptr;
    m_rctTrack = m_rctFrom = RECT{};
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
    // Shown no larger than the frame leaves room for; the mouse is still followed beyond.
    const RECT followed = m_rctTrack;
    m_rctTrack = LimitDrag(CRect(m_rctFrom), CRect(followed));
    ApplyBarRect();
    m_rctTrack = followed;
}
