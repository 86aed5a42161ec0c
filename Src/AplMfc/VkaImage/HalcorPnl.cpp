// The application's commands for the main frame's bars: focus moves between the panels and to
// the tab view, the tool bar's customisation and layouts, showing, hiding and resizing the
// panels, the options dialog and the help files; the panel tests they share.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Halcor"
#include "Halcor.h"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "HalcorRes.h"
#include <shellapi.h>
#include <stdio.h>

namespace {

// The commands of one panel: show/hide, back to the size at start, back to the initial size.
enum { kPnlToggle = 0, kPnlSizeStart = 1, kPnlSizeInitial = 2, kPnlCmdCnt = 3 };

CmnTlb* ToolBar() { return static_cast<CmnTlb*>(theCmnWin.GetBar(VkaBarTlb)); }

bool IsLive(CWnd* wnd) { return wnd && wnd->m_hWnd && ::IsWindow(wnd->m_hWnd); }

} // namespace

// ---- Panel tests ----

int HalcorApp::IsPnlShown(CControlBar* bar, int* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = IsLive(bar) && theCmnWin.IsBarVisible(bar) && bar->IsWindowEnabled() ? 1 : 0;
    return VKE_OK;
}

int HalcorApp::IsPnlMain(int* out) { return IsPnlShown(theCmnWin.GetBar(VkaBarTlb), out); }
int HalcorApp::IsPnlTrcFld(int* out) { return IsPnlShown(GetPanel(VkaPnlTrcFld), out); }
int HalcorApp::IsPnlLscFil(int* out) { return IsPnlShown(GetPanel(VkaPnlLscFil), out); }
int HalcorApp::IsPnlPrv(int* out) { return IsPnlShown(GetPanel(VkaPnlPrv), out); }
int HalcorApp::IsPnlCmdFil(int* out) { return IsPnlShown(GetPanel(VkaPnlFilCmd), out); }
int HalcorApp::IsPnlOpr(int* out) { return IsPnlShown(GetPanel(VkaPnlOpr), out); }

CmnDlb* HalcorApp::FirstShownPanel()
{
    for (int i = VkaPnlTrcFld; i <= VkaPnlOpr; ++i) {
        int shown = 0;
        IsPnlShown(GetPanel(i), &shown);
        if (shown) return GetPanel(i);
    }
    return nullptr;
}

void HalcorApp::FocusAfterHide()
{
    ChildViw* view = GetChildViw();
    if (view && view->SetFocusCurPage() == VKE_OK) return;
    if (CmnDlb* panel = FirstShownPanel()) theCmnSub.SetFocusWnd(panel->m_hWnd);
}

// ---- Focus moves ----

void HalcorApp::OnFcsPnl(UINT nID)
{
    CmnDlb* panel = GetPanel(static_cast<int>(nID - ID_VKA_FCS_TRCFLD));
    int shown = 0;
    IsPnlShown(panel, &shown);
    if (shown) theCmnSub.SetFocusWnd(panel->m_hWnd);
}

void HalcorApp::OnUpdateFcsPnl(CCmdUI* pCmdUI)
{
    int shown = 0;
    IsPnlShown(GetPanel(static_cast<int>(pCmdUI->m_nID - ID_VKA_FCS_TRCFLD)), &shown);
    pCmdUI->Enable(shown);
}

void HalcorApp::OnFcsTab(UINT nID)
{
    ChildViw* view = GetChildViw();
    if (!view) return;
    if (nID == ID_VKA_FCS_TAB) view->SetFocusTab();
    else view->SetFocusPage();
}

void HalcorApp::OnUpdateFcsTab(CCmdUI* pCmdUI) { pCmdUI->Enable(GetChildViw() != nullptr); }

// ---- Tool bar ----

void HalcorApp::OnTlb(UINT nID)
{
    int shown = 0;
    IsPnlMain(&shown);
    if (!shown) return;
    CmnTlb* bar = ToolBar();
    if (nID == ID_VKA_TLB_CUSTOMIZE) bar->Customize();
    else bar->SetBri(nID == ID_VKA_TLB_START ? 1 : 0);
}

void HalcorApp::OnUpdateTlb(CCmdUI* pCmdUI)
{
    int shown = 0;
    IsPnlMain(&shown);
    pCmdUI->Enable(shown);
}

// ---- Panels: shown or hidden, sizes ----

void HalcorApp::OnPnl(UINT nID)
{
    int index = static_cast<int>(nID - ID_VKA_PNL_FIRST) / kPnlCmdCnt;
    int cmd = static_cast<int>(nID - ID_VKA_PNL_FIRST) % kPnlCmdCnt;
    if (cmd == kPnlToggle) {
        TogglePanel(index);
        return;
    }
    int shown = 0;
    IsPnlShown(GetPanel(index), &shown);
    if (shown) GetPanel(index)->SetBri(cmd == kPnlSizeStart ? 1 : 0);
}

void HalcorApp::OnUpdatePnl(CCmdUI* pCmdUI)
{
    int index = static_cast<int>(pCmdUI->m_nID - ID_VKA_PNL_FIRST) / kPnlCmdCnt;
    int cmd = static_cast<int>(pCmdUI->m_nID - ID_VKA_PNL_FIRST) % kPnlCmdCnt;
    CmnDlb* panel = GetPanel(index);
    int shown = 0;
    IsPnlShown(panel, &shown);
    if (cmd != kPnlToggle) {
        pCmdUI->Enable(shown);
        return;
    }
    if (index == VkaPnlPrv && m_bPrvImg && m_bPrvImgTab) {
        // The preview in a tab: the item shows and hides the selected-image page.
        ChildViw* view = GetChildViw();
        int current = -1;
        if (view) view->GetCurSel(&current);
        pCmdUI->Enable(current >= 0);
        pCmdUI->SetCheck(view && view->IsShownPageSelImg() ? 1 : 0);
        return;
    }
    bool live = IsLive(panel);
    // The file list hides and shows the preview with it; the preview panel counts only while it
    // is in use (the preview on, shown in the panel).
    if (index == VkaPnlLscFil) live = live && IsLive(GetPanel(VkaPnlPrv));
    if (index == VkaPnlPrv) live = live && m_bPrvImg && !m_bPrvImgTab;
    pCmdUI->Enable(live);
    pCmdUI->SetCheck(live && theCmnWin.IsBarVisible(panel) ? 1 : 0);
}

void HalcorApp::TogglePanel(int index)
{
    if (index == VkaPnlPrv && m_bPrvImg && m_bPrvImgTab) {
        TogglePageSelImg();
        return;
    }
    CmnDlb* panel = GetPanel(index);
    if (!IsLive(panel)) return;
    bool previewPanel = m_bPrvImg && !m_bPrvImgTab;
    if (index == VkaPnlPrv && !previewPanel) return;
    if (index == VkaPnlLscFil && !IsLive(GetPanel(VkaPnlPrv))) return;
    ShowPanel(index, !theCmnWin.IsBarVisible(panel));
}

// The selected-image page hidden (the focus moves on) or shown (the file list takes the focus).
void HalcorApp::TogglePageSelImg()
{
    ChildViw* view = GetChildViw();
    int current = -1;
    if (view) view->GetCurSel(&current);
    if (current < 0) return;
    if (view->IsShownPageSelImg()) {
        view->HidePageSelImg();
        FocusAfterHide();
        return;
    }
    view->ShowPageSelImg();
    int shown = 0;
    IsPnlShown(GetPanel(VkaPnlLscFil), &shown);
    if (shown) theCmnSub.SetFocusWnd(GetPanel(VkaPnlLscFil)->m_hWnd);
}

// Hiding moves the focus on; a panel shown clears its combo boxes' selections and takes the
// focus. The file list takes the preview with it while the preview is in use.
void HalcorApp::ShowPanel(int index, bool show)
{
    CmnDlb* panel = GetPanel(index);
    CmnDlb* preview = GetPanel(VkaPnlPrv);
    bool withPreview = index == VkaPnlLscFil && m_bPrvImg;
    ChildViw* view = GetChildViw();
    if (!show) {
        theCmnWin.HideBar(panel);
        if (withPreview && !m_bPrvImgTab && theCmnWin.IsBarVisible(preview)) theCmnWin.HideBar(preview);
        if (withPreview && m_bPrvImgTab && view) view->HidePageSelImg();
        theCmnWin.HideBar();
        FocusAfterHide();
        return;
    }
    theCmnWin.ShowBar(panel);
    if (withPreview && !m_bPrvImgTab) theCmnWin.ShowBar(preview);
    if (withPreview && m_bPrvImgTab && view) view->ShowPageSelImg();
    panel->ClearComboSel();
    theCmnSub.SetFocusWnd(panel->m_hWnd);
}

// ---- Options and help ----

void HalcorApp::OnSetOpt()
{
    if (MakeSetOptDlg() == VKE_OK) ShowSetOptDlg();
}

// The help file under the work folder's "Hlp"; a missing one does nothing.
void HalcorApp::OnHelp(UINT nID)
{
    const char* folder = nID == ID_VKA_HELP_HTM ? "Htm" : "Txt";
    const char* name = nID == ID_VKA_HELP_HTM ? "Pictavo.html" : nID == ID_VKA_HELP_TXT ? "Pictavo.txt" : "Pictavo_Kbm.txt";
    char path[CmnPathSize], quoted[CmnPathSize + 2];
    int n = snprintf(path, sizeof(path), "%s\\Hlp\\%s\\%s", theCmnAppInf.amWrkDir, folder, name);
    int exists = 0;
    if (n <= 0 || n >= CmnPathSize || VkeSubIsExistPath(theCmnAppInf.pSub, path, &exists) != VKE_OK || !exists) return;
    snprintf(quoted, sizeof(quoted), "\"%s\"", path);
    CWnd* frame = GetMainFrame();
    ::ShellExecuteA(frame ? frame->m_hWnd : nullptr, nullptr, quoted, nullptr, nullptr, SW_SHOWNORMAL);
}
