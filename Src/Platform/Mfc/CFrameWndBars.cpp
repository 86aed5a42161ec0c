// The frame's bars: layout, dock bars, docking, floating, showing and hiding.
#include "CDockBar.h"
#include "CFrameWnd.h"
#include "CMiniDockFrameWnd.h"
#include <algorithm>

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const
{
    for (CControlBar* pBar : m_listControlBars)
        if (pBar->m_hWnd && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID) return pBar;
    return nullptr;
}

CDockBar* CFrameWnd::GetDockBar(UINT nDockBarID) const
{
    for (int i = 0; i < 4; ++i)
        if (afxDockSides[i].id == nDockBarID) return m_pDockBars[i];
    return nullptr;
}

std::vector<CFrameWnd*> CFrameWnd::FloatingFrames() const
{
    std::vector<CFrameWnd*> frames;
    for (CControlBar* pBar : m_listControlBars) {
        if (!pBar->IsFloating()) continue;
        if (CFrameWnd* pFrame = pBar->GetDockingFrame()) frames.push_back(pFrame);
    }
    return frames;
}

// ---- Layout ----

void CFrameWnd::DelayRecalcLayout(BOOL) { m_bDelayRecalc = TRUE; }

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_hWnd) return;
    m_bInRecalcLayout = TRUE;
    m_bDelayRecalc = FALSE;
    if (!IsIconic()) {
        CRect rect;
        GetClientRect(&rect);
        m_sizeLayout = rect.Size();
        LayoutFrameBars(rect);
        LayoutDockBars(rect);
        CControlBar::PlaceWindow(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST), rect);
    }
    std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* pBar : bars) pBar->ApplyDelayedShow();
    for (CFrameWnd* pFloat : FloatingFrames()) pFloat->RecalcLayout();
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::LayoutFrameBars(CRect& rect, bool bPlace) const
{
    // Bars that lie on the frame itself (not in a dock bar) take a strip of their side each.
    for (CControlBar* pBar : m_listControlBars) {
        if (pBar->m_pDockBar || ::GetParent(pBar->m_hWnd) != m_hWnd || !pBar->IsVisible()) continue;
        DWORD align = pBar->m_dwStyle & CBRS_ALIGN_ANY;
        CSize size = pBar->CalcFixedLayout(TRUE, (align & CBRS_ORIENT_HORZ) != 0);
        CRect strip = rect;
        if (align & CBRS_ALIGN_BOTTOM) rect.bottom = strip.top = std::max(rect.top, rect.bottom - size.cy);
        else if (align & CBRS_ALIGN_TOP) rect.top = strip.bottom = std::min(rect.bottom, rect.top + size.cy);
        else if (align & CBRS_ALIGN_LEFT) rect.left = strip.right = std::min(rect.right, rect.left + size.cx);
        else if (align & CBRS_ALIGN_RIGHT) rect.right = strip.left = std::max(rect.left, rect.right - size.cx);
        else continue;
        if (bPlace) CControlBar::PlaceWindow(pBar->m_hWnd, strip);
    }
}

CRect CFrameWnd::GetDockArea() const
{
    CRect rect;
    GetClientRect(&rect);
    LayoutFrameBars(rect, false);
    return rect;
}

int CFrameWnd::WantedThickness(int nFirst, const CRect& area) const
{
    int thickness = 0;
    for (int i = nFirst; i < nFirst + 2; ++i)
        if (m_pDockBars[i] && m_pDockBars[i]->m_hWnd)
            thickness += m_pDockBars[i]->Arrange(i < 2 ? area.Width() : area.Height(), FALSE);
    return thickness;
}

void CFrameWnd::LayoutDockBars(CRect& rect)
{
    // Top and bottom across the whole width, left and right between them. The left and right
    // columns keep the widths their bars want while the pane can give way, down to its least
    // width; only a frame too narrow for that narrows them: first those whose bars can give
    // way (above their least sizes), in proportion.
    int fit[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        CDockBar* pDock = m_pDockBars[i];
        if (!pDock) continue;
        bool horz = i < 2;
        if (i == 2) {
            // The two sides share the room as their columns do: what lies above the least sizes
            // goes first.
            int sides[2] = {0, 0}, least[2] = {0, 0};
            for (int k = 0; k < 2; ++k) {
                if (!m_pDockBars[2 + k]) continue;
                sides[k] = m_pDockBars[2 + k]->Arrange(rect.Height(), FALSE);
                least[k] = m_pDockBars[2 + k]->GetLeastThickness();
            }
            const int room = SideDockShare(rect.Width()), both = sides[0] + sides[1], leastBoth = least[0] + least[1];
            if (both > room)
                for (int k = 0; k < 2; ++k)
                    if (sides[k] > 0) fit[2 + k] = CDockBar::Squeezed(sides[k], least[k], both, leastBoth, room);
        }
        int thickness = pDock->Arrange(horz ? rect.Width() : rect.Height(), TRUE, fit[i]);
        CRect strip = rect;
        switch (afxDockSides[i].align) {
        case CBRS_ALIGN_TOP: rect.top = strip.bottom = std::min(rect.bottom, rect.top + thickness); break;
        case CBRS_ALIGN_BOTTOM: rect.bottom = strip.top = std::max(rect.top, rect.bottom - thickness); break;
        case CBRS_ALIGN_LEFT: rect.left = strip.right = std::min(rect.right, rect.left + thickness); break;
        default: rect.right = strip.left = std::max(rect.left, rect.right - thickness); break;
        }
        CControlBar::PlaceWindow(pDock->m_hWnd, strip);
    }
}

int CFrameWnd::GetSideDockRoom() const
{
    // Between the top and bottom dock bars, at the widths the bars want (the layout may show
    // them narrower).
    CRect area = GetDockArea();
    return SideDockShare(area.Width()) - WantedThickness(2, area);
}

int CFrameWnd::GetAcrossDockRoom() const
{
    // Between the top and bottom the pane and each shown bar of the side columns keep their
    // least heights.
    CRect area = GetDockArea();
    int least = kLeastPane;
    for (int i = 2; i < 4; ++i)
        if (m_pDockBars[i]) least = std::max(least, m_pDockBars[i]->GetLeastLength());
    return area.Height() - least - WantedThickness(0, area);
}

// ---- Docking and floating ----

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (int i = 0; i < 4; ++i) {
        if (!(dwDockStyle & afxDockSides[i].align) || m_pDockBars[i]) continue;
        CDockBar* pDock = new CDockBar;
        pDock->m_pDockSite = this;
        // A dock bar that fails has deleted itself.
        if (pDock->Create(this, afxDockSides[i].align, afxDockSides[i].id)) m_pDockBars[i] = pDock;
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd) return;
    CDockBar* pDock = nullptr;
    if (nDockBarID) {
        pDock = GetDockBar(nDockBarID);
    } else {
        // The side the bar is aligned to when it may dock there, else the first it may use.
        DWORD own = pBar->m_dwStyle & pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
        for (int i = 0; i < 4 && !pDock; ++i)
            if (own & afxDockSides[i].align) pDock = m_pDockBars[i];
        for (int i = 0; i < 4 && !pDock; ++i)
            if (pBar->m_dwDockStyle & afxDockSides[i].align) pDock = m_pDockBars[i];
    }
    if (!pDock) return;
    CFrameWnd* pOldFloat = pBar->IsFloating() ? pBar->GetDockingFrame() : nullptr;
    if (pOldFloat) {
        CRect rect;
        pOldFloat->GetWindowRect(&rect);
        pBar->m_ptLastFloat = rect.TopLeft();
        pBar->m_bLastFloat = TRUE;
    }
    pDock->DockControlBar(pBar, lpRect);
    if (pOldFloat) pOldFloat->DestroyWindow();
    RecalcLayout();
}

namespace {
// A floating frame's window put with its top-left corner at point (screen), laid out, then
// moved, when it must, to lie wholly in the work area of its monitor (its top left corner there
// when it is larger).
void PlaceFloat(CFrameWnd* pFloat, CPoint point)
{
    pFloat->SetWindowPos(static_cast<HWND>(nullptr), point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFloat->RecalcLayout();
    CRect rect;
    pFloat->GetWindowRect(&rect);
    CRect work;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoA(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) work = info.rcWork;
    else ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x = std::max(work.left, std::min(rect.left, work.right - rect.Width()));
    const int y = std::max(work.top, std::min(rect.top, work.bottom - rect.Height()));
    if (x != rect.left || y != rect.top)
        pFloat->SetWindowPos(static_cast<HWND>(nullptr), x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd) return;
    DWORD align = dwStyle & CBRS_ALIGN_ANY;
    if (!align) align = CBRS_ALIGN_TOP;
    pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | align;
    if (pBar->IsFloating()) {
        // Already floating: its frame moves.
        PlaceFloat(pBar->GetDockingFrame(), point);
        return;
    }
    if (pBar->m_pDockBar) {
        pBar->m_nLastDockID = static_cast<UINT>(pBar->m_pDockBar->GetDlgCtrlID());
        pBar->GetWindowRect(&pBar->m_rectLastDock);
    }
    CMiniDockFrameWnd* pFloat = new CMiniDockFrameWnd;
    if (!pFloat->Create(this, pBar)) return; // it has deleted itself
    pFloat->m_wndDockBar.DockControlBar(pBar);
    PlaceFloat(pFloat, point);
    // While the frame is hidden (at its start) the floating frame waits for it.
    if (pBar->IsVisible() && IsWindowVisible()) pFloat->ShowWindow(SW_SHOWNA);
    pFloat->SendMessage(WM_NCACTIVATE, FALSE); // its caption looks as the frame's does
    if (!IsWindowEnabled()) pFloat->EnableWindow(FALSE);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd) return;
    pBar->DelayShow(bShow);
    if (bDelay) {
        DelayRecalcLayout();
        return;
    }
    pBar->ApplyDelayedShow();
    RecalcLayout();
}
