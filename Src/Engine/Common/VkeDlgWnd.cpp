// The dialog object in its window: Return moves the focus like Tab, OK and Cancel may be
// ignored, colour requests (engine controls colour themselves, the dialog's own asks
// VkeWmCtlColor first), the popup menu, and the data check over the engine controls.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDlgBsc"
#include "VkiDlg.h"
#include "VkiCtl.h"
#include "VkiWnd.h"
#include "VkeFrame.h"

BEGIN_MESSAGE_MAP(VkiDlg, CDialog)
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_RBUTTONUP, &VkiDlg::OnRButtonUp)
END_MESSAGE_MAP()

namespace {

// Set while Return moves the focus, and while a colour request is answered.
thread_local int g_returning = 0;
thread_local int g_coloring = 0;

// Steps that bound a walk over the children should their order loop.
const int kMaxChildren = 0x10000;

bool Held(int vk) { return ::GetKeyState(vk) < 0; }

// A button's notification of a click (code 0) from the control that sends it.
bool IsClickFrom(WPARAM wParam, LPARAM lParam)
{
    auto wnd = reinterpret_cast<HWND>(lParam);
    return wParam < 0x10000 && wnd && ::GetDlgCtrlID(wnd) == static_cast<int>(LOWORD(wParam));
}

} // namespace

// ---- Return, OK and Cancel ----

bool VkiDlg::ReturnAsTab()
{
    if (!Held(VK_RETURN) || Held(VK_CONTROL)) return false;
    if (g_returning) return true;
    VkiCtlMark mark(g_returning);
    SendMessage(WM_NEXTDLGCTL, Held(VK_SHIFT) ? 1 : 0, 0);
    return true;
}

LRESULT VkiDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Return on a button reaches the dialog as the button's click: it moves the focus instead.
    if (message == WM_COMMAND && IsInit() && m_iRetToTab && IsClickFrom(wParam, lParam) && ReturnAsTab()) return 1;
    return CDialog::WindowProc(message, wParam, lParam);
}

bool VkiDlg::KeepOpen() { return IsInit() && ((m_iRetToTab && ReturnAsTab()) || m_iIgnOKC == 1); }

void VkiDlg::OnOK()
{
    if (KeepOpen()) return;
    // An adopted dialog's own procedure decides whether it ends.
    if (m_iSubclassed) Default();
    else CDialog::OnOK();
}

void VkiDlg::OnCancel()
{
    if (KeepOpen()) return;
    if (m_iSubclassed) Default();
    else CDialog::OnCancel();
}

// ---- Window messages ----

void VkiDlg::OnDestroy()
{
    Terminate();
    ResetWindowProc();
    Default();
}

HBRUSH VkiDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (IsInit()) {
        if (g_coloring) return nullptr;
        VkiCtlMark mark(g_coloring);
        HDC dc = pDC->m_hDC;
        HWND from = pWnd ? pWnd->m_hWnd : nullptr;
        if (VkiCtl* ctl = VkiCtlOf(from)) {
            if (HBRUSH brush = ctl->StateBrush(dc)) return brush;
        } else if (nCtlColor == CTLCOLOR_DLG) {
            // The dialog's owner may decide its colours.
            LRESULT brush = SendMessage(VkeWmCtlColor, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hWnd));
            if (brush) return reinterpret_cast<HBRUSH>(brush);
            ::SetTextColor(dc, m_uTextColor);
            ::SetBkColor(dc, m_uBackColor);
            return m_hBackBrush;
        }
    }
    if (m_iSubclassed) return reinterpret_cast<HBRUSH>(Default());
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

LRESULT VkiDlg::OnRButtonUp(WPARAM, LPARAM lParam)
{
    // The menu's commands go to the dialog itself.
    BOOL shown = IsInit() ? VkiTrackPopupMenu(m_hMenu, m_hWnd, lParam, m_hWnd) : FALSE;
    return shown ? shown : Default();
}

// ---- The data check ----

int VkiDlg::ChkDataValue(VkiCtl** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    int first = VKE_OK;
    HWND top = ::GetWindow(m_hWnd, GW_CHILD);
    HWND wnd = top;
    for (int n = 0; wnd && n < kMaxChildren; ++n) {
        if (VkiCtl* ctl = VkiCtlOf(wnd)) {
            int rc = ctl->ChkDti();
            if (rc != VKE_OK && first == VKE_OK) first = rc;
            if (rc == VKE_OK && !*out && ctl->D().iError == 1) *out = ctl;
        }
        wnd = ::GetWindow(wnd, GW_HWNDNEXT);
        if (wnd == top) break;
    }
    return first;
}
