// The main frame's messages: sizing and activation, the engine's error reports, the deferred
// start-up, focus and message requests, and what the folder tree and the file list report.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildFrm"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "CmnSub.h"
#include "CmnVar.h"
#include "CmnWin.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <stdio.h>

namespace {

// The smallest frame while it is sized by its border.
const int kMinFrameSize = 300;

// At most one error report waits for the log; later ones are dropped until it is written.
char s_amReport[2048];

} // namespace

const char* ChildFrm::GetPendingReport() { return s_amReport; }

void ChildFrm::OnSizing(UINT, LPRECT lpRect)
{
    if (lpRect->right - lpRect->left < kMinFrameSize) lpRect->right = lpRect->left + kMinFrameSize;
    if (lpRect->bottom - lpRect->top < kMinFrameSize) lpRect->bottom = lpRect->top + kMinFrameSize;
    Default();
}

// Leaving the frame remembers the panel control with the focus; coming back gives it the focus
// again, when it can still take it.
void ChildFrm::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    if (!m_bInit) {
        CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
        return;
    }
    if (nState == WA_INACTIVE) SaveFocus();
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) return;
    HWND wnd = m_hWndFcs;
    m_hWndFcs = nullptr;
    if (wnd && ::IsWindow(wnd) && ::IsChild(m_hWnd, wnd) && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd) &&
        ::GetFocus() != wnd)
        theCmnSub.SetFocusWnd(wnd);
}

void ChildFrm::OnPaletteChanged(CWnd* pFocusWnd)
{
    Default();
    HalcorApp* app = HalcorGetApp();
    if (!m_bInit || !app || (pFocusWnd && pFocusWnd->m_hWnd == m_hWnd)) return;
    app->SendMessageToDescendants(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(pFocusWnd ? pFocusWnd->m_hWnd : nullptr),
                                  0, 1);
}

// ---- Reports, start-up, focus ----

// wParam: the failing operation's name; lParam: its status code.
LRESULT ChildFrm::OnTraceError(WPARAM wParam, LPARAM lParam)
{
    EnableWindow(TRUE);
    SetForegroundWindow();
    if (s_amReport[0]) return 1;
    const char* name = wParam ? reinterpret_cast<const char*>(wParam) : "";
    int code = static_cast<int>(lParam);
    VkiSub* sub = theCmnAppInf.pSub;
    CString format;
    if (sub) {
        char text[VKE_MSG_SIZE] = {};
        VkeSubGetErrMsg(sub, code, text);
        format.LoadString(IDS_VKA_REPORT);
        snprintf(s_amReport, sizeof(s_amReport), format, name, text, code);
    } else {
        format.LoadString(IDS_VKA_REPORT_NOMSG);
        snprintf(s_amReport, sizeof(s_amReport), format, name, code);
    }
    PostMessage(CmnWmLogError);
    return 1;
}

LRESULT ChildFrm::OnInitApp(WPARAM wParam, LPARAM)
{
    HalcorApp* app = HalcorGetApp();
    if (!app) return 1;
    if (wParam == CmnInitAfterStart) app->RunAfterStart();
    else app->InitApp();
    return 1;
}

LRESULT ChildFrm::OnLogError(WPARAM, LPARAM)
{
    VkiSub* sub = theCmnAppInf.pSub;
    if (theCmnAppInf.bLog && sub && s_amReport[0]) VkeSubWriteLog(sub, s_amReport);
    s_amReport[0] = '\0';
    return 0;
}

BOOL ChildFrm::FocusIfAlive(HWND wnd)
{
    if (!wnd || !::IsWindow(wnd)) return FALSE;
    theCmnSub.SetFocusWnd(wnd);
    return TRUE;
}

LRESULT ChildFrm::OnSetFcs(WPARAM wParam, LPARAM) { return FocusIfAlive(reinterpret_cast<HWND>(wParam)); }

// The message first; focus requests queued meanwhile would take the focus elsewhere.
LRESULT ChildFrm::OnMsgFcs(WPARAM wParam, LPARAM lParam)
{
    theCmnSub.MsgBoxById(static_cast<int>(lParam), MB_OK | MB_ICONEXCLAMATION);
    MSG msg;
    while (::PeekMessageA(&msg, m_hWnd, CmnWmSetFcs, CmnWmSetFcs, PM_REMOVE)) {
    }
    return FocusIfAlive(reinterpret_cast<HWND>(wParam));
}

// ---- What the folder tree and the file list report ----

bool ChildFrm::IsSender(WPARAM sender, CWnd* control) const
{
    return control && control->m_hWnd && reinterpret_cast<HWND>(sender) == control->m_hWnd;
}

// From the folder tree: the file list shows the chosen folder and gets the focus (a folder the
// keys chose keeps it in the tree); the file commands record it. lParam: a CmnVarItmIdl.
LRESULT ChildFrm::OnChgSel(WPARAM wParam, LPARAM lParam)
{
    if (!wParam || !lParam || !m_wndPnlTrcFld.m_hWnd || !m_wndPnlLscFil.m_hWnd) return 0;
    if (!IsSender(wParam, m_wndPnlTrcFld.GetTrcFld())) return 1;
    const CmnVarItmIdl* sel = reinterpret_cast<const CmnVarItmIdl*>(lParam);
    m_wndPnlLscFil.SetList(sel->bRoot, sel->pIdl);
    // The start's own selection leaves the focus to the start, which gives it to the first page or
    // panel once it is over: a move to the list first would only repaint both panels.
    HalcorApp* app = HalcorGetApp();
    if (!m_wndPnlTrcFld.GetTrcFld()->IsSelByKey() && app && app->IsStarted())
        PostMessage(WM_COMMAND, ID_VKA_FCS_LSCFIL);
    if (m_wndPnlFilCmd.m_hWnd) m_wndPnlFilCmd.SendMessage(CmnWmChgSel, wParam, lParam);
    return 1;
}

// From the file list: the folder tree selects the folder, and the list follows it.
LRESULT ChildFrm::OnOpnDir(WPARAM wParam, LPARAM lParam)
{
    if (!wParam || !lParam || !m_wndPnlTrcFld.m_hWnd || !m_wndPnlLscFil.m_hWnd) return 0;
    if (!IsSender(wParam, m_wndPnlLscFil.GetLscFil())) return 1;
    const char* folder = reinterpret_cast<const char*>(lParam);
    if (m_wndPnlTrcFld.Search(folder) == VKE_OK) m_wndPnlTrcFld.SetCurPath(folder, 1);
    return 1;
}

LRESULT ChildFrm::OnReqOpnDir(WPARAM wParam, LPARAM lParam)
{
    HalcorApp* app = HalcorGetApp();
    if (app && app->IsOpeningBusy()) return 1;
    if (m_wndPnlLscFil.m_hWnd && IsSender(wParam, m_wndPnlLscFil.GetLscFil()))
        m_wndPnlLscFil.OpenDirectory(reinterpret_cast<const char*>(lParam));
    return 1;
}

LRESULT ChildFrm::OnReqOpnImg(WPARAM wParam, LPARAM)
{
    HalcorApp* app = HalcorGetApp();
    if (app && app->IsOpeningBusy()) return 1;
    if (m_wndPnlLscFil.m_hWnd && IsSender(wParam, m_wndPnlLscFil.GetLscFil())) m_wndPnlLscFil.OpenImage();
    return 1;
}

// From the file list: a picked image goes to the selected-image page or to the preview panel.
LRESULT ChildFrm::OnSelImg(WPARAM wParam, LPARAM lParam)
{
    HalcorApp* app = HalcorGetApp();
    if (!app || !lParam || !m_wndPnlTrcFld.m_hWnd || !m_wndPnlLscFil.m_hWnd) return 1;
    if (!IsSender(wParam, m_wndPnlLscFil.GetLscFil()) || !app->GetPrvImg()) return 1;
    const char* path = reinterpret_cast<const char*>(lParam);
    if (app->GetPrvImgTab()) {
        if (ChildViw* view = app->GetChildViw()) view->OpenPageSelImg(path);
    } else if (m_wndPnlPrv.m_hWnd) {
        m_wndPnlPrv.PreviewImage(path);
    }
    return 1;
}

// From the file list: the selected-image page comes back.
LRESULT ChildFrm::OnActImg(WPARAM wParam, LPARAM)
{
    HalcorApp* app = HalcorGetApp();
    if (!app || !IsSender(wParam, m_wndPnlLscFil.GetLscFil()) || !app->GetPrvImg() || !app->GetPrvImgTab()) return 1;
    ChildViw* view = app->GetChildViw();
    if (view && view->GetPageSelImg()) view->ShowPageSelImg();
    return 1;
}
