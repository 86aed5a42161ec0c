#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlBrw"
#include "DlbPnlBrw.h"
#include "ChildFrm.h"
#include "CmnSub.h"
#include "Halcor.h"
#include "VkaBatch.h"

BEGIN_MESSAGE_MAP(DlbPnlBrw, DlbPnl)
    ON_MESSAGE(WM_NOTIFYFORMAT, &ThisClass::OnNotifyFormat)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// The control's margins: the gripper runs down the left of a panel docked at the top or
// bottom, else across its top.
const RECT kMarginHorz = {9, 3, 4, 6};
const RECT kMarginVert = {4, 10, 4, 3};

} // namespace

void DlbPnlBrw::MoveCtl()
{
    CWnd* ctl = GetBrwCtl();
    if (!ctl || !ctl->m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    const RECT& m = (m_dwStyle & CBRS_ORIENT_HORZ) && !IsFloating() ? kMarginHorz : kMarginVert;
    int cx = client.Width() - m.left - m.right, cy = client.Height() - m.top - m.bottom;
    ::SetWindowPos(ctl->m_hWnd, nullptr, client.left + m.left, client.top + m.top, cx > 0 ? cx : 0, cy > 0 ? cy : 0,
                      SWP_NOZORDER | SWP_NOACTIVATE);
}

void DlbPnlBrw::OnSize(UINT nType, int cx, int cy)
{
    DlbPnl::OnSize(nType, cx, cy);
    if (m_inf.bReady) MoveCtl();
}

int DlbPnlBrw::ReplaceCtl(int id, CWnd* ctl, const char* cls)
{
    HWND old = ::GetDlgItem(m_hWnd, id);
    if (!old || !ctl) return VKE_ERR_SYSTEM;
    CRect rect;
    ::GetWindowRect(old, &rect);
    ScreenToClient(&rect);
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(old, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrA(old, GWL_EXSTYLE));
    // In the same place of the tab order.
    HWND before = ::GetWindow(old, GW_HWNDPREV);
    ::DestroyWindow(old);
    if (!ctl->CreateEx(exStyle, cls, nullptr, style, rect, this, static_cast<UINT>(id))) return VKE_ERR_MEMORY;
    ::SetWindowPos(ctl->m_hWnd, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return VKE_OK;
}

int DlbPnlBrw::LoadMenu(CMenu& menu, UINT id)
{
    menu.DestroyMenu();
    return menu.LoadMenu(id) ? VKE_OK : VKE_ERR_MEMORY;
}

void DlbPnlBrw::OnUpdateByFrame(CCmdUI* pCmdUI)
{
    HalcorApp* app = HalcorGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (!frame || !frame->m_hWnd || !frame->OnCmdMsg(pCmdUI->m_nID, CN_UPDATE_COMMAND_UI, pCmdUI, nullptr))
        pCmdUI->Enable(FALSE);
}

LRESULT DlbPnlBrw::OnNotifyFormat(WPARAM, LPARAM lParam)
{
    return lParam == NF_QUERY ? NFR_ANSI : Default();
}

int DlbPnlBrw::OpenDirectory(const char* path)
{
    CWnd* ctl = GetBrwCtl();
    if (!ctl || !ctl->m_hWnd) return VKE_OK;
    int rc = VKE_OK;
    int folder = 0;
    if (!m_inf.bReady) rc = VKE_ERR_NOT_INIT;
    else if (!path || !*path || VkeSubIsDirectory(theCmnAppInf.pSub, path, &folder) != VKE_OK || !folder)
        rc = VKE_ERR_ARG;
    if (rc != VKE_OK) {
        CmnTraceError(Module(), __LINE__, "OpenDirectory", rc);
        return rc;
    }
    HalcorApp* app = HalcorGetApp();
    ChildFrm* frame = app ? DYNAMIC_DOWNCAST(ChildFrm, app->GetMainFrame()) : nullptr;
    if (!frame || app->IsOpeningBusy()) return VKE_OK;
    VkaBatch batch({VKE_OK, VKE_NOT_DONE, VKE_STOPPED});
    batch.Add(app->BeginOpenFile());
    if (batch.Going()) batch.Add(app->OpenFile(path, 0, 0, 0));
    batch.End(app->EndOpenFile(batch.Result()));
    if (frame->IsInit()) theCmnSub.SetFocusWnd(ctl->m_hWnd);
    if (!batch.IsQuiet()) CmnTraceError(Module(), __LINE__, "OpenDirectory", batch.Result());
    return batch.Result();
}
