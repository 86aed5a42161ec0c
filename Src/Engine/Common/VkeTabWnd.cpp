// The tab control's window: destruction, sizing, painting, keys, mouse, drag and wheel. Before
// Init every handler only passes the message on.
#include "VkiTab.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include <stdlib.h>

BEGIN_MESSAGE_MAP(VkiTab, CTabCtrl)
    ON_WM_DESTROY()
    ON_WM_GETDLGCODE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSEWHEEL, OnWheel)
END_MESSAGE_MAP()

namespace {
const UINT kDragPeriod = 500; // ms between the drag's paging steps
const int kWheelNotch = 120;
bool KeyDown(int key) { return GetKeyState(key) < 0; }
} // namespace

void VkiTab::OnDestroy()
{
    if (IsInit()) Terminate();
    ResetWindowProc();
    Default();
}

UINT VkiTab::OnGetDlgCode()
{
    UINT code = static_cast<UINT>(Default());
    return IsInit() ? code | DLGC_WANTALLKEYS : code;
}

void VkiTab::OnSize(UINT, int, int)
{
    if (!IsInit()) {
        Default();
        return;
    }
    if (InPreview()) return;
    Default();
    FitPages();
}

// ---- Painting ----

void VkiTab::OnPaint()
{
    if (!IsInit()) {
        Default();
        return;
    }
    CPaintDC paint(this);
    PaintTabs(paint.m_hDC);
    RefreshArrows(paint.m_ps.rcPaint);
    RefreshPage(paint.m_ps.rcPaint);
}

void VkiTab::RefreshArrows(const RECT& update)
{
    // The control shows its scroll arrows without painting them (they stayed blank until clicked).
    HWND arrows = ::FindWindowExA(m_hWnd, nullptr, UPDOWN_CLASSA, nullptr);
    RECT box = {}, part = {};
    if (!arrows || !::IsWindowVisible(arrows)) return;
    ::GetWindowRect(arrows, &box);
    ScreenToClient(&box);
    if (IntersectRect(&part, &update, &box)) ::RedrawWindow(arrows, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

HBRUSH VkiTab::StripBrush(HDC dc) const
{
    HWND parent = ::GetParent(m_hWnd);
    auto brush = reinterpret_cast<HBRUSH>(
        parent ? ::SendMessageA(parent, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(parent))
               : 0);
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

RECT VkiTab::StripRect()
{
    RECT strip = {};
    GetClientRect(&strip);
    strip.bottom = DisplayArea().top;
    return strip;
}

void VkiTab::PaintTabs(HDC dc)
{
    VkiSaveDC save(dc);
    int count = GetItemCount();
    if (count > 0) {
        // The strip behind the tabs is filled here, never by invalidating the parent: a parent
        // without WS_CLIPCHILDREN would invalidate the tabs again, and both would repaint forever.
        RECT strip = StripRect();
        FillRect(dc, &strip, StripBrush(dc));
    }
    // The control draws its frame into the paint DC it is given (it draws nothing without one).
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);

    SelectObject(dc, m_hFont);
    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    SetBkMode(dc, OPAQUE);
    int sel = Selected();
    bool focused = ::GetFocus() == m_hWnd;
    for (int i = 0; i < count; ++i) {
        char title[1024];
        RECT rect = {};
        Tbi* tbi = TbiAt(i);
        if (!tbi || !ReadTitle(i, title, sizeof(title))) break;
        // Wine has no rectangle for a tab scrolled out of sight.
        if (!GetItemRect(i, &rect)) continue;
        InflateRect(&rect, -2, -2);
        ::SetBkColor(dc, m_uBackColor);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
        if (i == sel) {
            InflateRect(&rect, 1, 1);
            SelectObject(dc, m_hFramePen);
            Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
            InflateRect(&rect, -3, -3);
            if (focused) {
                SelectObject(dc, m_hFocusPen);
                Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
            }
        } else {
            InflateRect(&rect, -2, -2);
        }
        InflateRect(&rect, -2, -2);
        // A locked page swaps the colours of its title.
        ::SetTextColor(dc, tbi->iLocked ? m_uBackColor : m_uTextColor);
        ::SetBkColor(dc, tbi->iLocked ? m_uTextColor : m_uBackColor);
        DrawTextA(dc, title, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void VkiTab::RefreshPage(const RECT& update)
{
    int sel = Selected();
    Tbi* tbi = sel >= 0 ? TbiAt(sel) : nullptr;
    if (IsRectEmpty(&update) || !tbi || !tbi->hChdWnd) return;
    RECT page = {}, part = {};
    ::GetWindowRect(tbi->hChdWnd, &page);
    ScreenToClient(&page);
    if (!IntersectRect(&part, &update, &page)) return;
    ::MapWindowPoints(m_hWnd, tbi->hChdWnd, reinterpret_cast<POINT*>(&part), 2);
    ::InvalidateRect(tbi->hChdWnd, &part, TRUE);
}

// ---- Keys ----

void VkiTab::OnKeyDown(UINT key, UINT, UINT)
{
    if (!IsInit()) {
        Default();
        return;
    }
    // A key stops the drag's paging, not the drag.
    if (m_iDragTimerOn) KillTimer(m_uDragTimerId);
    m_iDragTimerOn = 0;
    int sel = Selected();
    int rc;
    switch (key) {
    case VK_HOME: case 'F': rc = ShowFirstPage(); break;
    case VK_END: case 'L': rc = ShowLastPage(); break;
    case VK_LEFT: case 'P': rc = ShowPrevPage(sel, 0); break;
    case VK_RIGHT: case 'N': rc = ShowNextPage(sel, 0); break;
    case 'K':
    case 'U':
        if (SetLockedFlag(sel, key == 'K') == VKE_OK) SetFocusTab();
        else Default();
        return;
    case VK_TAB:
    case VK_RETURN:
        if (!KeyDown(VK_CONTROL)) {
            if (SetFocusPage() != VKE_OK) Default();
            return;
        }
        rc = KeyDown(VK_SHIFT) ? ShowPrevPage(sel, 0) : ShowNextPage(sel, 0);
        break;
    default:
        Default();
        return;
    }
    if (rc == VKE_OK || rc == VKE_NOT_DONE) SetFocusTab();
    else Default();
}

// ---- Mouse ----

BOOL VkiTab::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!IsInit()) return static_cast<BOOL>(Default());
    ::SetCursor(m_hArrowCursor);
    return TRUE;
}

void VkiTab::OnLButtonDown(UINT, CPoint point)
{
    if (!IsInit()) {
        Default();
        return;
    }
    if (m_iDragging) return;
    int hit = TabAt(point);
    if (hit < 0) {
        Default();
        return;
    }
    if (hit != Selected()) {
        LRESULT refuse = 0;
        if (Changing(&refuse) != VKE_OK || refuse) return;
        // Selected here, not by the default processing: its own notices would reach the parent
        // a second time.
        m_iRbcIdx = -1;
        CTabCtrl::SetCurSel(hit);
        if (Change() != VKE_OK) return;
    }
    SetFocusTab();
    if (m_iFixedPage) return;
    m_iDragIdx = hit;
    m_iDragging = 1;
    ::SetCursor(m_hDragCursor);
    SetCapture();
}

void VkiTab::OnMouseMove(UINT, CPoint)
{
    Default();
    if (!IsInit() || !m_iDragging || m_iFixedPage) return;
    if (::GetCapture() != m_hWnd) {
        EndDrag();
        return;
    }
    if (!m_iDragTimerOn) m_iDragTimerOn = SetTimer(m_uDragTimerId, kDragPeriod, nullptr) != 0;
}

void VkiTab::OnTimer(UINT_PTR id)
{
    if (!IsInit() || id != m_uDragTimerId || !m_iDragTimerOn) {
        Default();
        return;
    }
    if (!m_iDragging || m_iFixedPage) {
        EndDrag();
        return;
    }
    // The selection follows the pointer, and pages at the edges.
    POINT pt = {};
    GetCursorPos(&pt);
    ScreenToClient(&pt);
    RECT client = {}, last = {};
    GetClientRect(&client);
    bool pastLast = m_iPageCnt > 0 && GetItemRect(m_iPageCnt - 1, &last) && pt.x >= last.right;
    int sel = Selected();
    int rc;
    if (pt.x < client.left) {
        rc = ShowPrevPage(sel, 0);
    } else if (pt.x >= client.right || pastLast) {
        rc = ShowNextPage(sel, 0);
    } else {
        int under = TabUnderX(pt.x);
        if (under < 0) return;
        rc = ShowPage(under);
    }
    if (rc == VKE_OK) SetFocusTab();
    else EndDrag();
}

void VkiTab::OnLButtonUp(UINT, CPoint point)
{
    Default();
    if (!IsInit() || !m_iDragging || m_iFixedPage) return;
    int from = m_iDragIdx;
    EndDrag();
    ::SetCursor(m_hArrowCursor);
    int to = TabUnderX(point.x);
    if (to >= 0 && to != from) MovePage(from, to);
}

void VkiTab::OnLButtonDblClk(UINT, CPoint point)
{
    if (IsInit() && m_iDragging) return;
    Default();
    if (!IsInit() || !m_iCtlLock) return;
    int hit = TabAt(point);
    Tbi* tbi = hit >= 0 ? TbiAt(hit) : nullptr;
    if (tbi) SetLockedFlag(hit, tbi->iLocked ? 0 : 1);
}

void VkiTab::OnRButtonUp(UINT, CPoint point)
{
    if (IsInit() && m_iDragging) return;
    HWND parent = ::GetParent(m_hWnd);
    if (IsInit() && m_hMenu && parent) {
        m_iRbcIdx = TabAt(point);
        HMENU popup = GetSubMenu(m_hMenu, 0);
        if (m_iRbcIdx >= 0 && popup) {
            // Owned by the parent, so that the chosen command goes there.
            POINT screen = point;
            ClientToScreen(&screen);
            TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, 0, parent, nullptr);
            return;
        }
    }
    Default();
}

LRESULT VkiTab::OnWheel(WPARAM wParam, LPARAM lParam)
{
    if (!IsInit()) return Default();
    VkiTabGuard guard(g_vkiTabFlags.wheel);
    if (guard.Busy()) return 0;
    // The parent sees the wheel first and may take it.
    LRESULT taken = SendParent(WM_MOUSEWHEEL, wParam, lParam);
    if (taken) return taken;
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(&pt);
    if (::GetFocus() != m_hWnd || TabAt(pt) < 0) return 1;
    int delta = static_cast<short>(HIWORD(wParam));
    for (int step = abs(delta) / kWheelNotch; step > 0; --step) {
        int rc = delta < 0 ? ShowNextPage(Selected(), 0) : ShowPrevPage(Selected(), 0);
        if (rc != VKE_OK && rc != VKE_NOT_DONE) break;
    }
    SetFocusTab();
    return 1;
}
