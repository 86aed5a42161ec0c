#include "CReBar.h"
#include "CDockBar.h"
#include "CFrameWnd.h"
#include "CGdiObject.h"
#include "MsgThunks.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_NOTIFY_REFLECT_EX(RBN_HEIGHTCHANGE, &ThisClass::OnHeightChange)
END_MESSAGE_MAP()

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD style = (dwStyle & ~CBRS_ALL) | WS_CHILD | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NODIVIDER | CCS_NORESIZE;
    return CWnd::CreateEx(0, REBARCLASSNAMEA, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CReBar::AddBar(CWnd* pBar, LPCSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFOA band = {};
    band.fMask = RBBIM_STYLE;
    band.fStyle = dwStyle;
    if (pszText) {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<LPSTR>(pszText);
    }
    if (pbmp) {
        band.fMask |= RBBIM_BACKGROUND;
        band.hbmBack = static_cast<HBITMAP>(pbmp->m_hObject);
    }
    return InsertBand(pBar, band);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCSTR pszText, DWORD dwStyle)
{
    REBARBANDINFOA band = {};
    band.fMask = RBBIM_STYLE | RBBIM_COLORS;
    band.fStyle = dwStyle;
    band.clrFore = clrFore;
    band.clrBack = clrBack;
    if (pszText) {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<LPSTR>(pszText);
    }
    return InsertBand(pBar, band);
}

BOOL CReBar::InsertBand(CWnd* pBar, REBARBANDINFOA& band)
{
    if (!m_hWnd || !pBar || !pBar->m_hWnd) return FALSE;
    CSize size;
    if (CControlBar* pControl = DYNAMIC_DOWNCAST(CControlBar, pBar)) {
        // The band frames the bar: no dock, border or gripper of its own.
        if (pControl->m_pDockBar) pControl->m_pDockBar->RemoveControlBar(pControl);
        pControl->m_dwDockStyle = 0;
        pControl->m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_FLOATING);
        ::SetParent(pBar->m_hWnd, m_hWnd);
        pBar->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        size = pControl->CalcFixedLayout(FALSE, TRUE);
    } else {
        ::SetParent(pBar->m_hWnd, m_hWnd);
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
    band.hwndChild = pBar->m_hWnd;
    band.cxMinChild = static_cast<UINT>(size.cx);
    band.cyMinChild = static_cast<UINT>(size.cy);
    band.cx = static_cast<UINT>(size.cx);
    band.wID = static_cast<UINT>(pBar->GetDlgCtrlID());
    if (!SendMessage(RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band))) return FALSE;
    if (m_pDockSite) m_pDockSite->RecalcLayout();
    return TRUE;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    CRect rect;
    GetWindowRect(&rect);
    return CSize(bStretch ? 32767 : rect.Width(), static_cast<int>(SendMessage(RB_GETBARHEIGHT)));
}

BOOL CReBar::OnHeightChange(NMHDR*, LRESULT*)
{
    if (m_pDockSite) m_pDockSite->DelayRecalcLayout();
    return FALSE; // the frame may want to know as well
}
