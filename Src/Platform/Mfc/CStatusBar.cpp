#include "CStatusBar.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"
#include "MsgThunks.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
const int kPanePad = 8; // the pane's edges and the space around its text
const UINT kDrawStyles = SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW;
} // namespace

// The state of one pane while update handlers run.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT style = pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED));
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT style = pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT));
    }
    void SetText(LPCSTR lpszText) override { static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText); }
};

CStatusBar::CStatusBar() : m_nHeight(20) {}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD style = (dwStyle & ~CBRS_ALL) | WS_CHILD | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    // A frame the user can size gets the sizing grip.
    CWnd* pTop = pParentWnd ? pParentWnd->GetTopLevelParent() : nullptr;
    if (pTop && (pTop->GetStyle() & WS_THICKFRAME)) style |= SBARS_SIZEGRIP;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
    // The control took its own height for its font; from now on the frame sizes it.
    CRect rect;
    GetWindowRect(&rect);
    if (rect.Height() > 0) m_nHeight = rect.Height();
    ModifyStyle(0, CCS_NORESIZE);
    return TRUE;
}

int CStatusBar::TextWidth(LPCSTR lpszText)
{
    if (!m_hWnd || !lpszText || !*lpszText) return 0;
    CClientDC dc(this);
    CDCSelect font(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    return dc.GetTextExtent(lpszText, static_cast<int>(strlen(lpszText))).cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    bool stretched = false;
    for (int i = 0; lpIDArray && i < nIDCount; ++i) {
        Pane pane = {lpIDArray[i], SBPS_NORMAL, 0, CString()};
        if (pane.nID == ID_SEPARATOR) {
            if (!stretched) pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
            stretched = true;
        } else {
            pane.strText.LoadString(pane.nID); // no string: an empty pane
            pane.cxText = TextWidth(pane.strText);
        }
        m_panes.push_back(pane);
    }
    UpdateParts();
    for (int i = 0; i < GetCount(); ++i) ShowPaneText(i);
    return TRUE;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!IsPane(nIndex)) return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(0, cxWidth);
    UpdateParts();
    ShowPaneText(nIndex);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = 0;
    nStyle = 0;
    cxWidth = 0;
    if (!IsPane(nIndex)) return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

UINT CStatusBar::GetPaneStyle(int nIndex) const { return IsPane(nIndex) ? m_panes[static_cast<size_t>(nIndex)].nStyle : 0; }

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!IsPane(nIndex) || m_panes[static_cast<size_t>(nIndex)].nStyle == nStyle) return;
    bool stretchChanged = ((m_panes[static_cast<size_t>(nIndex)].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_panes[static_cast<size_t>(nIndex)].nStyle = nStyle;
    if (stretchChanged) UpdateParts();
    ShowPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (!IsPane(nIndex)) return FALSE;
    CString text(lpszNewText);
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    if (pane.strText == text) return TRUE;
    pane.strText = text;
    ShowPaneText(nIndex);
    if (bUpdate && m_hWnd) UpdateWindow();
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const { return IsPane(nIndex) ? m_panes[static_cast<size_t>(nIndex)].strText : CString(); }

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[static_cast<size_t>(i)].nID == nIDFind) return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const { return IsPane(nIndex) ? m_panes[static_cast<size_t>(nIndex)].nID : 0; }

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!IsPane(nIndex) || !SendMessage(SB_GETRECT, nIndex, reinterpret_cast<LPARAM>(lpRect))) ::SetRectEmpty(lpRect);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    if (!m_hWnd || !IsPane(nIndex)) return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    LPCSTR text = (pane.nStyle & SBPS_DISABLED) ? "" : static_cast<LPCSTR>(pane.strText);
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | (pane.nStyle & kDrawStyles), reinterpret_cast<LPARAM>(text));
}

void CStatusBar::UpdateParts()
{
    if (!m_hWnd) return;
    int n = GetCount();
    if (n == 0) {
        int all = -1;
        SendMessage(SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&all));
        return;
    }
    CRect client;
    GetClientRect(&client);
    int grip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    int stretch = -1, fixed = 0;
    for (int i = 0; i < n; ++i) {
        const Pane& pane = m_panes[static_cast<size_t>(i)];
        if ((pane.nStyle & SBPS_STRETCH) && stretch < 0) stretch = i;
        else fixed += pane.cxText + kPanePad;
    }
    int extra = std::max(0, static_cast<int>(client.Width()) - grip - fixed);
    std::vector<int> edges(static_cast<size_t>(n));
    int x = 0;
    for (int i = 0; i < n; ++i) {
        x += i == stretch ? extra : m_panes[static_cast<size_t>(i)].cxText + kPanePad;
        edges[static_cast<size_t>(i)] = x;
    }
    edges.back() = -1; // the last pane reaches the right edge
    SendMessage(SB_SETPARTS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    UpdateParts();
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    int width = 0;
    for (const Pane& pane : m_panes) width += pane.cxText + kPanePad;
    return CSize(bStretch ? 32767 : width, m_nHeight);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (UINT i = 0; i < state.m_nIndexMax; ++i) {
        state.m_nID = m_panes[i].nID;
        state.m_nIndex = i;
        if (state.m_nID != ID_SEPARATOR) state.DoUpdate(pTarget, FALSE); // no handler: the pane stays as it is
    }
}
