#include "CScrollView.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"
#include "MsgThunks.h"
#include <algorithm>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() : m_nMapMode(MM_TEXT), m_bInsideUpdate(FALSE) {}

static bool IsScrollMapMode(int nMapMode) { return nMapMode >= MM_TEXT && nMapMode <= MM_TWIPS; }

CSize CScrollView::ToDevice(SIZE size) const
{
    if (m_nMapMode == MM_TEXT || m_nMapMode == MM_SCALETOFIT) return size;
    CClientDC screen(nullptr);
    screen.SetMapMode(m_nMapMode);
    POINT pt[2] = {{0, 0}, {size.cx, size.cy}};
    screen.LPtoDP(pt, 2);
    return CSize(abs(pt[1].x - pt[0].x), abs(pt[1].y - pt[0].y));
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    int mode = IsScrollMapMode(nMapMode) ? nMapMode : MM_TEXT;
    bool changed = mode != m_nMapMode;
    m_nMapMode = mode;
    m_totalLog = CSize(std::max(0L, sizeTotal.cx), std::max(0L, sizeTotal.cy));
    m_totalDev = ToDevice(m_totalLog);
    m_pageDev = ToDevice(sizePage);
    m_lineDev = ToDevice(sizeLine);
    if (m_pageDev.cx <= 0) m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy <= 0) m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx <= 0) m_lineDev.cx = std::max(1L, m_pageDev.cx / 10);
    if (m_lineDev.cy <= 0) m_lineDev.cy = std::max(1L, m_pageDev.cy / 10);
    if (!m_hWnd) return;
    UpdateBars();
    if (changed) Invalidate(TRUE);
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal)
{
    m_nMapMode = MM_SCALETOFIT;
    m_totalLog = CSize(std::max(0L, sizeTotal.cx), std::max(0L, sizeTotal.cy));
    m_totalDev = m_totalLog;
    if (!m_hWnd) return;
    UpdateBars();
    Invalidate(TRUE);
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(::GetScrollPos(m_hWnd, SB_HORZ), ::GetScrollPos(m_hWnd, SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != MM_SCALETOFIT) {
        CClientDC screen(nullptr);
        screen.SetMapMode(m_nMapMode);
        screen.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_nMapMode != MM_TEXT && m_nMapMode != MM_SCALETOFIT) {
        CClientDC screen(nullptr);
        screen.SetMapMode(m_nMapMode);
        screen.LPtoDP(&pt);
    }
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    CPoint old = GetDeviceScrollPosition();
    CPoint pos(0, 0);
    const int bars[2] = {SB_HORZ, SB_VERT};
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE;
        if (!::GetScrollInfo(m_hWnd, bars[i], &si)) continue;
        int limit = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
        int want = std::min(std::max(0, i == 0 ? static_cast<int>(ptDev.x) : static_cast<int>(ptDev.y)), limit);
        (i == 0 ? pos.x : pos.y) = want;
        ::SetScrollPos(m_hWnd, bars[i], want, TRUE);
    }
    if (pos != old) ScrollWindow(old.x - pos.x, old.y - pos.y);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || !m_hWnd) return;
    m_bInsideUpdate = TRUE;
    CPoint old = GetDeviceScrollPosition();
    // The client area as it is without scroll bars; each bar takes its room only when needed.
    CRect client;
    GetClientRect(&client);
    DWORD style = GetStyle();
    int cxV = ::GetSystemMetrics(SM_CXVSCROLL), cyH = ::GetSystemMetrics(SM_CYHSCROLL);
    int w = client.Width() + ((style & WS_VSCROLL) ? cxV : 0);
    int h = client.Height() + ((style & WS_HSCROLL) ? cyH : 0);
    bool needH = false, needV = false;
    for (int pass = 0; pass < 2 && m_nMapMode != MM_SCALETOFIT; ++pass) {
        needH = m_totalDev.cx > w - (needV ? cxV : 0);
        needV = m_totalDev.cy > h - (needH ? cyH : 0);
    }
    if (needV) w -= cxV;
    if (needH) h -= cyH;
    CPoint pos(needH ? std::min<int>(old.x, m_totalDev.cx - w) : 0, needV ? std::min<int>(old.y, m_totalDev.cy - h) : 0);
    const struct {
        int bar;
        bool show;
        int total, page, pos;
    } bars[2] = {{SB_HORZ, needH, m_totalDev.cx, w, pos.x}, {SB_VERT, needV, m_totalDev.cy, h, pos.y}};
    for (const auto& b : bars) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMax = b.show ? b.total - 1 : 0;
        si.nPage = b.show ? static_cast<UINT>(std::max(0, b.page)) : 0;
        si.nPos = b.show ? std::max(0, b.pos) : 0;
        ::SetScrollInfo(m_hWnd, b.bar, &si, TRUE);
        ::ShowScrollBar(m_hWnd, b.bar, b.show);
    }
    CPoint now = GetDeviceScrollPosition();
    if (now != old) ScrollWindow(old.x - now.x, old.y - now.y);
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT, int, int)
{
    Default();
    if (m_nMapMode == MM_SCALETOFIT) Invalidate(TRUE);
    else UpdateBars();
}

void CScrollView::OnScroll(int nBar, UINT nSBCode)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWnd, nBar, &si)) return;
    bool horz = nBar == SB_HORZ;
    int line = horz ? m_lineDev.cx : m_lineDev.cy, page = horz ? m_pageDev.cx : m_pageDev.cy;
    int pos = si.nPos;
    switch (nSBCode) {
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    default: return;
    }
    CPoint dev = GetDeviceScrollPosition();
    (horz ? dev.x : dev.y) = pos;
    ScrollToDevicePosition(dev);
}

// A scroll bar control of the view's own (a form's) goes its own way.
void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar) CView::OnHScroll(nSBCode, nPos, pScrollBar);
    else OnScroll(SB_HORZ, nSBCode);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar) CView::OnVScroll(nSBCode, nPos, pScrollBar);
    else OnScroll(SB_VERT, nSBCode);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (!pDC || pDC->GetDeviceCaps(TECHNOLOGY) != DT_RASDISPLAY) return;
    if (m_nMapMode == MM_SCALETOFIT) {
        CRect client;
        GetClientRect(&client);
        if (m_totalLog.cx <= 0 || m_totalLog.cy <= 0 || client.IsRectEmpty()) return;
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(m_totalLog.cx, m_totalLog.cy);
        pDC->SetViewportExt(client.Width(), client.Height());
        return;
    }
    pDC->SetMapMode(m_nMapMode);
    CPoint pos = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame || pFrame->IsZoomed() || pFrame->IsIconic()) return;
    CRect client;
    GetClientRect(&client);
    DWORD style = GetStyle();
    int w = client.Width() + ((style & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    int h = client.Height() + ((style & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
    int dx = m_totalDev.cx - w, dy = m_totalDev.cy - h;
    if (bShrinkOnly) {
        dx = std::min(dx, 0);
        dy = std::min(dy, 0);
    }
    if (dx == 0 && dy == 0) return;
    CRect frame;
    pFrame->GetWindowRect(&frame);
    pFrame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, frame.Width() + dx, frame.Height() + dy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
