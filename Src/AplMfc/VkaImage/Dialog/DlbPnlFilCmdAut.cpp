// The file-command panel's automatic display (timer 1) and the folder history the tree's
// selections make.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlFilCmd"
#include "DlbPnlFilCmd.h"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "CmnVar.h"
#include "DlgImg.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "VkaPthLst.h"
#include "VkaSubDat.h"
#include <limits.h>
#include <stdlib.h>

namespace {

bool HasFocusIn(HWND wnd)
{
    HWND focus = ::GetFocus();
    return wnd && focus && (focus == wnd || ::IsChild(wnd, focus));
}

// A file of the list the display can show: an image by its extension (what a folder's opening
// opens) that is still there. The list shows any file its filter lets through ("*.*": texts
// too), and keeps a file deleted since.
bool IsShownFile(const CString& path)
{
    char full[CmnPathSize] = {};
    int file = 0;
    return theVkaSubDat.IsSupportedFile(path) &&
           VkeSubIsNormalFile(theCmnAppInf.pSub, full, path, sizeof(full), &file) == VKE_OK && file;
}

} // namespace

// The file list of the shown file-list panel, else null.
CmnLscFil* DlbPnlFilCmd::VisibleFileList()
{
    HalcorApp* app = HalcorGetApp();
    int shown = 0;
    if (!app || app->IsPnlLscFil(&shown) != VKE_OK || !shown) return nullptr;
    CmnLscFil* list = app->GetPnlLscFil()->GetLscFil();
    return list && list->m_hWnd ? list : nullptr;
}

// ---- Timer ----

int DlbPnlFilCmd::SetTimerDlbPnlFilCmd(int kind, UINT elapse)
{
    if (!m_bInit) return Fail("SetTimerDlbPnlFilCmd", VKE_ERR_NOT_INIT);
    if (kind != 1) return Fail("SetTimerDlbPnlFilCmd", VKE_ERR_SYSTEM);
    if (m_bTimer) KillTimer(m_uTimer);
    m_bTimer = 0;
    m_uTimer = 0;
    if (elapse == 0) return VKE_OK;
    m_uTimer = SetTimer(TimerAutInd, elapse, nullptr);
    m_bTimer = m_uTimer != 0;
    return m_bTimer ? VKE_OK : Fail("SetTimerDlbPnlFilCmd", VKE_ERR_SYSTEM);
}

int DlbPnlFilCmd::GetAutIndFlag(int* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = m_bInit && m_bTimer ? 1 : 0;
    return VKE_OK;
}

int DlbPnlFilCmd::StopAutInd() { return m_bInit ? SetTimerDlbPnlFilCmd(1, 0) : VKE_OK; }

// ---- Start ----

int DlbPnlFilCmd::AutInd(int mode)
{
    if (!m_bInit) return Fail("AutInd", VKE_ERR_NOT_INIT);
    if (mode != 2 && mode != 3) return Fail("AutInd", VKE_ERR_ARG);
    if (m_bTimer) return Fail("AutInd", VKE_ERR_EXISTS);
    if (!TakePeriod()) return VKE_NOT_DONE;
    HalcorApp* app = HalcorGetApp();
    int count = 0, next = 0;
    if (mode == 2) {
        // The list's images: its folders and other files are stepped over (they show no picture).
        CmnLscFil* list = VisibleFileList();
        if (!list) return VKE_NOT_DONE;
        list->WaitThread(0, 0);
        int current = -1;
        list->GetCurSel(&current);
        const int shown = list->NextFileItem(current + 1, &count, IsShownFile);
        if (count == 0) return VKE_NOT_DONE;
        if (count > 1 || shown != current) list->SetCurSel(shown);
        if (count < 2) return VKE_OK;
        // The display goes on while the list keeps the focus: it starts there.
        theCmnSub.SetFocusWnd(list->m_hWnd);
        next = list->NextFileItem(shown + 1, nullptr, IsShownFile);
    } else {
        ChildViw* view = app ? app->GetChildViw() : nullptr;
        int current = -1;
        if (!view || view->GetPageCnt(&count) != VKE_OK || count < 2 || view->GetCurSel(&current) != VKE_OK || current < 0)
            return VKE_NOT_DONE;
        int shown = (current + 1) % count;
        if (ShowPage(shown) != VKE_OK) return VKE_NOT_DONE;
        next = (shown + 1) % count;
    }
    PciAii& aii = theAppInf.pciAii;
    aii.iMode = mode;
    aii.iCntItm = count;
    aii.iCntShw = 1;
    aii.iIdxNxt = next;
    return SetTimerDlbPnlFilCmd(1, static_cast<UINT>(aii.iPerInd));
}

// A box in error (its text not a number, or below 1) keeps the last interval in the settings; a
// start on that one would run at an interval the box does not show.
bool DlbPnlFilCmd::TakePeriod()
{
    Dti& dti = m_inf.dti;
    int rc = VkeCtlGetDti(Ctl(SlotPerInd), &dti);
    long long value = rc == VKE_OK && !dti.iError && dti.memDataValue.pBuffer ? atoll(dti.memDataValue.pBuffer) : 0;
    if (value >= 1 && value <= INT_MAX) {
        theAppInf.pciAii.iPerInd = static_cast<int>(value);
        return true;
    }
    theCmnSub.MsgBoxById(IDS_VKA_BAD_PERIOD, MB_OK | MB_ICONEXCLAMATION);
    theCmnSub.PostSetFocus(CtlWnd(SlotPerInd));
    return false;
}

// The page selected; its window takes the focus when it can.
int DlbPnlFilCmd::ShowPage(int index)
{
    HalcorApp* app = HalcorGetApp();
    ChildViw* view = app ? app->GetChildViw() : nullptr;
    if (!view || view->SetCurSel(index) != VKE_OK) return VKE_NOT_DONE;
    DlgImg* page = view->GetImgPage(index);
    if (page && page->m_hWnd && page->IsWindowVisible() && page->IsWindowEnabled()) theCmnSub.PostSetFocus(page->m_hWnd);
    return VKE_OK;
}

// ---- Steps ----

void DlbPnlFilCmd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TimerAutInd || !m_bTimer) {
        DlbPnl::OnTimer(nIDEvent);
        return;
    }
    StepAutInd();
}

void DlbPnlFilCmd::StepAutInd()
{
    if (!m_bInit) return;
    SetTimerDlbPnlFilCmd(1, 0);
    PciAii& aii = theAppInf.pciAii;
    if (aii.iCntItm < 1 || !(aii.iMode == 2 ? StepList() : StepPages())) return;
    // The next index: the list's next image (after the item shown), the next page.
    if (aii.iMode != 2) aii.iIdxNxt = (aii.iIdxNxt + 1) % aii.iCntItm;
    if (++aii.iCntShw >= aii.iCntItm) {
        if (aii.bRepeat != 1) return;
        aii.iCntShw = 0;
    }
    SetTimerDlbPnlFilCmd(1, static_cast<UINT>(aii.iPerInd));
}

bool DlbPnlFilCmd::StepList()
{
    CmnLscFil* list = VisibleFileList();
    if (!list || !HasFocusIn(list->m_hWnd) || list->IsActiveThread(0)) return false;
    PciAii& aii = theAppInf.pciAii;
    const int shown = list->NextFileItem(aii.iIdxNxt, nullptr, IsShownFile);
    if (shown < 0 || list->SetCurSel(shown) != VKE_OK) return false;
    aii.iIdxNxt = list->NextFileItem(shown + 1, nullptr, IsShownFile);
    return true;
}

bool DlbPnlFilCmd::StepPages()
{
    HalcorApp* app = HalcorGetApp();
    ChildViw* view = app ? app->GetChildViw() : nullptr;
    int current = -1;
    if (!view || view->GetCurSel(&current) != VKE_OK || current < 0) return false;
    DlgImg* page = view->GetImgPage(current);
    if (!page || !HasFocusIn(page->m_hWnd)) return false;
    return ShowPage(theAppInf.pciAii.iIdxNxt) == VKE_OK;
}

// ---- The folder history ----

LRESULT DlbPnlFilCmd::OnCmnWmChgSel(WPARAM wParam, LPARAM)
{
    HalcorApp* app = HalcorGetApp();
    DlbPnlTrcFld* tree = app ? app->GetPnlTrcFld() : nullptr;
    CWnd* trc = tree ? tree->GetTrcFld() : nullptr;
    if (!m_bInit || !trc || reinterpret_cast<HWND>(wParam) != trc->m_hWnd) return 0;
    StopAutInd();
    CString path = tree->GetCurPathName();
    if (path.IsEmpty()) return 1;
    VkaPthLst history = VkaPthLst::Fpi(0);
    int at = history.Find(path);
    if (at >= 0) {
        if (ShownList() == 0) {
            history.Select(at);
            ShowLine(SlotPlace, at);
        }
    } else if (history.Push(path) >= 0 && ShownList() == 0) {
        SetCmbFilPla();
    }
    if (theAppInf.pciAii.bRunOnSelDir == 1) PostMessage(WM_COMMAND, IDC_FILCMD_AUTLST);
    return 1;
}
