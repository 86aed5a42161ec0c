#include "CDockBar.h"
#include "MfcState.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

const AfxDockSide afxDockSides[4] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                                     {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                                     {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                                     {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_bAutoDelete = !bFloating; // a floating frame holds its dock bar as a member
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    if (!cls) return FALSE;
    return CreateEx(0, cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                    pParentWnd, nID);
}

CSize CDockBar::DockedSize(CControlBar* pBar, BOOL bHorz)
{
    return pBar->CalcDynamicLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

// ---- Rows ----

int CDockBar::FindRow(int nAcross) const
{
    int n = static_cast<int>(m_rows.size());
    for (int i = 0; i < n; ++i) {
        const Row& row = m_rows[i];
        if (row.nThickness > 0 && nAcross >= row.nStart && nAcross < row.nStart + row.nThickness) return i;
    }
    for (int i = 0; i < n; ++i)
        if (m_rows[i].nThickness > 0 && m_rows[i].nStart > nAcross) return -(i + 1);
    return -(n + 1);
}

void CDockBar::InsertSorted(Row& row, CControlBar* pBar, int nPos)
{
    // Before the first bar that lies at or after the place.
    auto at = std::find_if(row.bars.begin(), row.bars.end(), [nPos](const Entry& e) { return e.nPlaced >= nPos; });
    row.bars.insert(at, Entry{pBar, nPos, nPos});
}

void CDockBar::DropEmptyRows()
{
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.bars.empty(); }),
                 m_rows.end());
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    for (Row& row : m_rows) {
        auto it = std::find_if(row.bars.begin(), row.bars.end(), [pBar](const Entry& e) { return e.pBar == pBar; });
        if (it == row.bars.end()) continue;
        row.bars.erase(it);
        DropEmptyRows();
        if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
        return TRUE;
    }
    return FALSE;
}

// The bar leaves where it was and belongs here: parent, orientation, floating style.
static void Adopt(CDockBar* pDock, CControlBar* pBar)
{
    pBar->m_pDockBar = pDock;
    if (pDock->m_bFloating) {
        pBar->m_dwStyle |= CBRS_FLOATING;
    } else {
        pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (pDock->m_dwStyle & CBRS_ALIGN_ANY);
    }
    if (::GetParent(pBar->m_hWnd) != pDock->m_hWnd) ::SetParent(pBar->m_hWnd, pDock->m_hWnd);
    // Borders and gripper follow the new place.
    ::SetWindowPos(pBar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    BOOL horz = IsHorzBar();
    if (lpRect) {
        // The rows' extents as they are now, before the bar leaves one of them.
        CRect client;
        GetClientRect(&client);
        int length = horz ? client.Width() : client.Height();
        Arrange(length > 0 ? length : 32767, FALSE);
    }
    // Out of its old place; a row of this dock bar stays (empty) until the bar has its new one.
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld && pOld != this) pOld->RemoveControlBar(pBar);
    for (Row& row : m_rows)
        row.bars.erase(std::remove_if(row.bars.begin(), row.bars.end(), [pBar](const Entry& e) { return e.pBar == pBar; }),
                       row.bars.end());
    if (!lpRect) {
        m_rows.emplace_back();
        InsertSorted(m_rows.back(), pBar, 0);
    } else {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        int across = horz ? rect.top : rect.left;
        int along = std::max(0, static_cast<int>(horz ? rect.left : rect.top));
        int found = FindRow(across);
        if (found < 0) {
            found = -found - 1;
            m_rows.insert(m_rows.begin() + found, Row());
        }
        InsertSorted(m_rows[found], pBar, along);
    }
    DropEmptyRows();
    Adopt(this, pBar);
}

void CDockBar::InsertControlBar(CControlBar* pBar, int nRow, int nPos)
{
    if (pBar->m_pDockBar) pBar->m_pDockBar->RemoveControlBar(pBar);
    if (nRow >= 0 && nRow < static_cast<int>(m_rows.size())) {
        InsertSorted(m_rows[nRow], pBar, nPos);
    } else {
        m_rows.emplace_back();
        InsertSorted(m_rows.back(), pBar, nPos);
    }
    Adopt(this, pBar);
}

int CDockBar::GetBarRow(const CControlBar* pBar) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        for (const Entry& e : m_rows[i].bars)
            if (e.pBar == pBar) return static_cast<int>(i);
    return -1;
}

std::vector<CControlBar*> CDockBar::GetRowBars(int nRow) const
{
    std::vector<CControlBar*> bars;
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size())) return bars;
    for (const Entry& e : m_rows[static_cast<size_t>(nRow)].bars) bars.push_back(e.pBar);
    return bars;
}

std::vector<CControlBar*> CDockBar::GetBars() const
{
    std::vector<CControlBar*> bars;
    for (const Row& row : m_rows)
        for (const Entry& e : row.bars) bars.push_back(e.pBar);
    return bars;
}

int CDockBar::GetVisibleCount() const
{
    int n = 0;
    for (const Row& row : m_rows)
        for (const Entry& e : row.bars) n += e.pBar->IsVisible() ? 1 : 0;
    return n;
}

// ---- Layout ----

namespace {
// A bar that a frame too small squeezes never gets thinner or shorter than this.
const int kLeastBar = 50;
}

bool CDockBar::SharesLength() const { return !m_bFloating && !IsHorzBar(); }

int CDockBar::GetLeastLength() const
{
    if (!SharesLength()) return 0;
    int most = 0;
    for (const Row& row : m_rows) {
        int shown = 0;
        for (const Entry& e : row.bars) shown += e.pBar->IsVisible() ? 1 : 0;
        most = std::max(most, shown * kLeastBar);
    }
    return most;
}

int CDockBar::Squeezed(int nThickness, int nLeast, int nNatural, int nAllLeast, int nFit)
{
    // What the bars can give (above their least thickness) goes first; only a fit below the
    // least thicknesses takes from those, in proportion.
    long long thickness = nFit >= nAllLeast
                              ? nLeast + static_cast<long long>(nThickness - nLeast) * (nFit - nAllLeast) / (nNatural - nAllLeast)
                              : static_cast<long long>(nLeast) * nFit / nAllLeast;
    return std::max(kLeastBar, static_cast<int>(thickness));
}

void CDockBar::MeasureRows(int& nNatural, int& nLeast)
{
    BOOL horz = IsHorzBar();
    nNatural = nLeast = 0;
    for (Row& row : m_rows) {
        row.nThickness = row.nLeast = 0;
        for (Entry& e : row.bars) {
            if (!e.pBar->IsVisible()) continue;
            CSize size = DockedSize(e.pBar, horz);
            row.nThickness = std::max(row.nThickness, static_cast<int>(horz ? size.cy : size.cx));
            row.nLeast = std::max(row.nLeast, static_cast<int>(horz ? e.pBar->m_sizeLeast.cy : e.pBar->m_sizeLeast.cx));
        }
        row.nLeast = std::min(row.nLeast, row.nThickness);
        nNatural += row.nThickness;
        nLeast += row.nLeast;
    }
}

int CDockBar::GetLeastThickness()
{
    int natural = 0, least = 0;
    MeasureRows(natural, least);
    return least;
}

int CDockBar::Arrange(int nLength, BOOL bMove, int nFit)
{
    BOOL horz = IsHorzBar();
    const bool share = SharesLength();
    // Each row as thick as its thickest shown bar; rows too thick together for nFit share it.
    int natural = 0, least = 0;
    MeasureRows(natural, least);
    int across = 0;
    for (Row& row : m_rows) {
        int thickness = row.nThickness;
        if (nFit > 0 && natural > nFit && thickness > 0)
            thickness = Squeezed(thickness, row.nLeast, natural, least, nFit);
        // On a side, the shown bars lie one after the other from the start and share the whole
        // length in proportion to the lengths they want, each as thick as its row.
        long long wanted = 0;
        for (Entry& e : row.bars) {
            if (!e.pBar->IsVisible()) continue;
            CSize size = DockedSize(e.pBar, horz);
            wanted += std::max(1, static_cast<int>(horz ? size.cx : size.cy));
        }
        long long before = 0;
        int along = 0;
        for (Entry& e : row.bars) {
            if (!e.pBar->IsVisible()) {
                e.nPlaced = share ? along : e.nPos;
                continue;
            }
            CSize size = DockedSize(e.pBar, horz);
            int length = horz ? size.cx : size.cy;
            int at;
            if (share) {
                at = along;
                if (bMove && wanted > 0) {
                    before += std::max(1, length);
                    length = static_cast<int>(before * nLength / wanted) - at;
                }
                size = CSize(thickness, length);
            } else {
                // At its wanted place or after the bar before it; pulled back in when it would
                // stick out of the side and there is room before it.
                at = std::max(e.nPos, along);
                if (at + length > nLength) at = std::max(along, nLength - length);
            }
            e.nPlaced = at;
            // A bar its owner holds elsewhere for a moment (a border drag) is not moved.
            if (bMove && ::GetParent(e.pBar->m_hWnd) == m_hWnd) {
                CRect rect = horz ? CRect(CPoint(at, across), size) : CRect(CPoint(across, at), size);
                PlaceWindow(e.pBar->m_hWnd, rect);
            }
            along = at + length;
        }
        row.nStart = across;
        row.nThickness = thickness;
        across += thickness;
    }
    return across;
}

CSize CDockBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    int thickness = Arrange(32767, FALSE);
    return bHorz ? CSize(32767, thickness) : CSize(thickness, 32767);
}
