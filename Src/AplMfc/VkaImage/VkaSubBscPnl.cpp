// The main frame's panels seen from the application: its panel table, the first run's panel
// layout, the default window rectangle that the bars and panels need, and a saved rectangle
// made usable.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\VkaSubBsc"
#include "Halcor.h"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "CmnWin.h"
#include <algorithm>

namespace {

bool IsHorz(CControlBar* bar) { return (bar->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }

// A panel's present size, or 0 x 0 without one.
CSize SizeOf(CmnDlb* panel)
{
    int cx = 0, cy = 0;
    if (panel && panel->m_hWnd) panel->GetBarSize(&cx, &cy);
    return CSize(cx, cy);
}

// The thickness a bar across the frame takes with its insets: its height docked at the top or
// bottom, else its width.
int Across(CControlBar* bar)
{
    if (!bar || !bar->m_hWnd) return 0;
    bool horz = IsHorz(bar);
    CSize size = theCmnWin.GetBarSize(bar);
    CRect inside(0, 0, 0, 0);
    bar->CalcInsideRect(inside, horz);
    return horz ? size.cy - inside.Height() : size.cx - inside.Width();
}

} // namespace

// ---- The panel table ----

void HalcorApp::SetPanels(DlbPnlTrcFld* trcFld, DlbPnlLscFil* lscFil, DlbPnlPrv* prv, DlbPnlFilCmd* filCmd,
                          DlbPnlOpr* opr)
{
    m_pPnlTrcFld = trcFld;
    m_pPnlLscFil = lscFil;
    m_pPnlPrv = prv;
    m_pPnlFilCmd = filCmd;
    m_pPnlOpr = opr;
}

CmnDlb* HalcorApp::GetPanel(int index) const
{
    switch (index) {
    case VkaPnlTrcFld: return m_pPnlTrcFld;
    case VkaPnlLscFil: return m_pPnlLscFil;
    case VkaPnlPrv: return m_pPnlPrv;
    case VkaPnlFilCmd: return m_pPnlFilCmd;
    case VkaPnlOpr: return m_pPnlOpr;
    default: return nullptr;
    }
}

ChildViw* HalcorApp::GetChildViw() { return DYNAMIC_DOWNCAST(ChildViw, GetActiveView()); }

BOOL HalcorApp::PreTranslateMessage(MSG* pMsg)
{
    if (GetMainFrame() && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_pPnlFilCmd && m_pPnlFilCmd->m_hWnd)
        m_pPnlFilCmd->StopAutInd();
    return CmnApp::PreTranslateMessage(pMsg);
}

BOOL HalcorApp::OnIdle(LONG lCount)
{
    if (CmnApp::OnIdle(lCount)) return TRUE;
    if (ChildViw* view = GetChildViw()) view->OnIdleStep();
    // A folder still filling the file list is part of the start: the steps after it wait for
    // the idle moment after the fill (its end is posted).
    if (!m_pPnlLscFil || !m_pPnlLscFil->IsFilling()) ScheduleAfterStart();
    return FALSE;
}

// ---- Layout ----

int HalcorApp::RepositionWindow(int mode)
{
    if (mode != 0 && mode != 1) {
        CMN_TRACE("RepositionWindow", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    ChildFrm* frame = DYNAMIC_DOWNCAST(ChildFrm, GetMainFrame());
    if (!frame) {
        CMN_TRACE("RepositionWindow", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    if (mode == 1) {
        CRect client;
        frame->GetClientRect(&client);
        int width = client.Width(), height = client.Height();
        for (int i : {VkaBarTlb, VkaBarSts}) {
            CControlBar* bar = theCmnWin.GetBar(i);
            if (!bar || !bar->m_hWnd) continue;
            CRect rect = theCmnWin.GetBarRect(bar);
            if (IsHorz(bar)) height -= rect.Height();
            else width -= rect.Width();
        }
        bool usePrv = m_bPrvImg && !m_bPrvImgTab;
        CSize size[VkaPnlCnt];
        for (int i = 0; i < VkaPnlCnt; ++i) size[i] = SizeOf(GetPanel(i));
        CSize& tree = size[VkaPnlTrcFld];
        CSize& list = size[VkaPnlLscFil];
        CSize& prv = size[VkaPnlPrv];
        int column = std::max(tree.cx, list.cx);
        if (usePrv) column = std::max(column, static_cast<int>(prv.cx));
        if (width < column + size[VkaPnlFilCmd].cx + size[VkaPnlOpr].cx)
            for (CSize& s : size) s.cx = std::min(static_cast<int>(s.cx), width / 4);
        if (usePrv) {
            prv.cy = std::min(static_cast<int>(prv.cy), height / 3);
            tree.cy = std::min(static_cast<int>(tree.cy), height / 3);
            list.cy = height - prv.cy - tree.cy;
        } else {
            tree.cy = std::min(static_cast<int>(tree.cy), height / 2);
            list.cy = height - tree.cy;
        }
        for (int i : {VkaPnlFilCmd, VkaPnlOpr}) size[i].cy = std::min(static_cast<int>(size[i].cy), height);
        for (int i = 0; i < VkaPnlCnt; ++i) {
            CmnDlb* panel = GetPanel(i);
            if (!panel || !panel->m_hWnd) continue;
            panel->SetBarSize(size[i].cx, size[i].cy);
            panel->GetBri(1);
            panel->GetBri(2);
            size[i] = SizeOf(panel);
        }
        // One column from the preview's corner: the preview (when used), the tree, the list;
        // the file commands in the next column at the same top.
        CRect corner;
        GetPanel(VkaPnlPrv)->GetWindowRect(&corner);
        CPoint at = corner.TopLeft();
        int widest = 0;
        for (int i : {VkaPnlPrv, VkaPnlTrcFld, VkaPnlLscFil}) {
            if (i == VkaPnlPrv && !usePrv) continue;
            CRect rect(at, size[i]);
            theCmnWin.DockBar(GetPanel(i), AFX_IDW_DOCKBAR_LEFT, &rect);
            at.y += size[i].cy;
            widest = std::max(widest, static_cast<int>(size[i].cx));
        }
        CRect next(CPoint(corner.left + widest, corner.top), size[VkaPnlFilCmd]);
        theCmnWin.DockBar(GetPanel(VkaPnlFilCmd), AFX_IDW_DOCKBAR_LEFT, &next);
        frame->RecalcLayout();
    }
    for (int i = 0; i < VkaPnlCnt; ++i)
        if (CmnDlb* panel = GetPanel(i)) panel->MoveCtl();
    return VKE_OK;
}

void HalcorApp::SetDefWinRct(RECT* pRect)
{
    CWnd* frame = GetMainFrame();
    if (!pRect || !frame || frame->IsKindOf(RUNTIME_CLASS(CDialog)) || !theCmnWin.GetBar(VkaBarTlb)) {
        CmnApp::SetDefWinRct(pRect);
        return;
    }
    int cx = ::GetSystemMetrics(SM_CXMAXIMIZED);
    int cy = ::GetSystemMetrics(SM_CYMAXIMIZED);
    CRect outer, client;
    frame->GetWindowRect(&outer);
    frame->GetClientRect(&client);
    int bars = Across(theCmnWin.GetBar(VkaBarTlb)) + Across(theCmnWin.GetBar(VkaBarSts));
    // File commands and operations side by side; the others stacked, or side by side when
    // docked at the top or bottom.
    CSize panels(0, 0);
    for (int i = 0; i < VkaPnlCnt; ++i) {
        CmnDlb* panel = GetPanel(i);
        if (!panel || !panel->m_hWnd || (i == VkaPnlPrv && (!m_bPrvImg || m_bPrvImgTab))) continue;
        CSize size = theCmnWin.GetBarSize(panel);
        if (i == VkaPnlFilCmd || i == VkaPnlOpr || IsHorz(panel)) {
            panels.cx += size.cx;
            panels.cy = std::max(panels.cy, size.cy);
        } else {
            panels.cx = std::max(panels.cx, size.cx);
            panels.cy += size.cy;
        }
    }
    int width = std::max(static_cast<int>(cx * 0.8), outer.Width() - client.Width() + bars + static_cast<int>(panels.cx));
    int height = std::max(static_cast<int>(cy * 0.8), outer.Height() - client.Height() + bars + static_cast<int>(panels.cy));
    width = std::min(width, cx);
    height = std::min(height, cy);
    pRect->left = (cx - width) / 2;
    pRect->top = (cy - height) / 2;
    pRect->right = pRect->left + width;
    pRect->bottom = pRect->top + height;
}

// ---- A usable saved rectangle ----

void HalcorApp::FixWindowRect()
{
    RECT& rect = theCmnAppInf.rctWindow;
    if (rect.right - rect.left <= 0 || rect.bottom - rect.top <= 0) {
        SetDefWinRct(&rect);
        return;
    }
    // No larger than the maximised screen, and wholly on the (virtual) screen.
    int width = std::min(static_cast<int>(rect.right - rect.left), ::GetSystemMetrics(SM_CXMAXIMIZED));
    int height = std::min(static_cast<int>(rect.bottom - rect.top), ::GetSystemMetrics(SM_CYMAXIMIZED));
    int x0 = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y0 = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    int x1 = x0 + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y1 = y0 + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    rect.left = std::max<LONG>(x0, std::min<LONG>(rect.left, x1 - width));
    rect.top = std::max<LONG>(y0, std::min<LONG>(rect.top, y1 - height));
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
}
