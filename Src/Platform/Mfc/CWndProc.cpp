// The window procedure of this module and the way a message finds its handler:
//   AfxWndProc      -> the window's object in this module's permanent map (else the message
//                      goes on untouched to the procedure before ours);
//   AfxCallWndProc  -> keeps the message as the thread's current one (for Default);
//   CWnd::WindowProc-> OnWndMsg, else DefWindowProc (the previous procedure);
//   CWnd::OnWndMsg  -> WM_COMMAND and WM_NOTIFY through OnCommand / OnNotify (the control is
//                      offered the notification first), everything else through the message
//                      map, most derived class first.
#include "CWnd.h"
#include "MfcState.h"

// Asks each module's procedure that stays in a window's chain only as a pass-through layer to
// leave it once it is on top again (sent after a procedure was restored).
static UINT ChainCheckMessage()
{
    static const UINT msg = RegisterWindowMessageA("MfcLayerChainCheck");
    return msg;
}

// A window this module no longer owns: pass the message on to the procedure behind ours,
// and leave the chain as soon as our procedure is on top again.
static LRESULT PassThrough(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC next = nullptr;
    bool restored = false; // our procedure was on top and is gone now
    {
        AfxModuleLock lock;
        auto& table = AfxGetModuleState()->passThrough;
        auto it = table.find(hWnd);
        if (it != table.end()) {
            next = it->second;
            if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &AfxWndProc) {
                SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
                restored = true;
            }
            if (restored || message == WM_NCDESTROY) table.erase(it);
        }
    }
    if (!next) return DefWindowProcA(hWnd, message, wParam, lParam);
    // A layer below that only passes through leaves the chain the same way on this message.
    return CallWindowProcA(next, hWnd, message, wParam, lParam);
}

static void DestroyChildren(HWND hWnd)
{
    while (HWND child = ::GetTopWindow(hWnd))
        if (!::DestroyWindow(child)) break;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) return PassThrough(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* ts = AfxGetThreadState();
    MSG saved = ts->lastSent;
    ts->lastSent.hwnd = hWnd;
    ts->lastSent.message = message;
    ts->lastSent.wParam = wParam;
    ts->lastSent.lParam = lParam;
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    // A window that refuses its creation takes its children down itself: Wine sends them only
    // WM_NCDESTROY then, and controls free what they hold on WM_DESTROY.
    if (message == WM_CREATE && result == -1) DestroyChildren(hWnd);
    // The object may be gone now (a window destroyed by its own handler): only the map says
    // whether it still owns the window.
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) pWnd->FinishNcDestroy();
    ts->lastSent = saved;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

// The map key of a message: the seven WM_CTLCOLORxxx share one entry.
static UINT MapKey(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ? AFX_WM_CTLCOLOR : message;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        const NMHDR* nmhdr = reinterpret_cast<const NMHDR*>(lParam);
        if (!nmhdr || !OnNotify(wParam, lParam, &result)) return FALSE;
        *pResult = result;
        return TRUE;
    }
    AFX_MSG m = {message, wParam, lParam, 0, 0, nullptr};
    if (!DispatchMsgMap(m, MapKey(message), 0, 0)) return FALSE;
    *pResult = m.result;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& cur = AfxGetThreadState()->lastSent;
    return DefWindowProc(cur.message, cur.wParam, cur.lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &AfxGetThreadState()->lastSent; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl) {
        if (ReflectLastMsg(hWndCtrl)) return TRUE; // the control took its own notification
    } else {
        nCode = CN_COMMAND; // menu or accelerator
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* nmhdr = reinterpret_cast<NMHDR*>(lParam);
    if (nmhdr->hwndFrom && ReflectLastMsg(nmhdr->hwndFrom, pResult)) return TRUE;
    // The id of the sending window (a tooltip sends with id 0).
    UINT nID = nmhdr->hwndFrom ? static_cast<UINT>(::GetDlgCtrlID(nmhdr->hwndFrom)) : static_cast<UINT>(nmhdr->idFrom);
    AFX_MSG m = {WM_NOTIFY, static_cast<WPARAM>(nmhdr->idFrom), lParam, 0, nID, nullptr};
    if (!DispatchMsgMap(m, WM_NOTIFY, static_cast<int>(nmhdr->code), nID)) return FALSE;
    *pResult = m.result;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    int nCode = 0;
    if (message == WM_COMMAND) nCode = HIWORD(wParam);
    if (message == WM_NOTIFY) nCode = static_cast<int>(reinterpret_cast<const NMHDR*>(lParam)->code);
    AFX_MSG m = {message, wParam, lParam, 0, 0, nullptr};
    if (!DispatchMsgMap(m, WM_REFLECT_BASE + MapKey(message), nCode, 0)) return FALSE;
    if (pResult) *pResult = m.result;
    return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild ? pChild->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG cur = AfxGetThreadState()->lastSent;
    return OnChildNotify(cur.message, cur.wParam, cur.lParam, pResult);
}

// ---- Creation hook ----
// While CreateEx runs, a per-thread CBT hook binds the first window created to the object, so
// that the object sees the window's very first message (WM_NCCREATE, WM_CREATE, WM_INITDIALOG).

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* ts = AfxGetThreadState();
    if (code == HCBT_CREATEWND && ts->pWndInit) {
        CWnd* pWnd = ts->pWndInit;
        ts->pWndInit = nullptr;
        pWnd->AttachCreated(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(ts->hCbtHook, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AfxThreadState* ts = AfxGetThreadState();
    if (!ts->hCbtHook) ts->hCbtHook = SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, nullptr, GetCurrentThreadId());
    ts->pWndInit = pWnd;
    ++ts->nCreateDepth;
}

BOOL AfxUnhookWindowCreate(CWnd* pWnd)
{
    AfxThreadState* ts = AfxGetThreadState();
    BOOL seen = (ts->pWndInit != pWnd);
    if (!seen) ts->pWndInit = nullptr;
    if (--ts->nCreateDepth <= 0) {
        ts->nCreateDepth = 0;
        if (ts->hCbtHook) UnhookWindowsHookEx(ts->hCbtHook);
        ts->hCbtHook = nullptr;
    }
    return seen;
}

void CWnd::AttachCreated(HWND hWnd)
{
    if (!Attach(hWnd)) return;
    WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc) m_pfnSuper = old;
    if (!m_pfnSuper) m_pfnSuper = ::DefWindowProcA;
    PreSubclassWindow();
}

// ---- Subclassing ----

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || m_hWnd) return FALSE;
    if (!Attach(hWnd)) return FALSE;
    if (!m_pfnSuper) {
        // Attach found no earlier layer of ours: put our procedure in front.
        WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        if (!old || old == &AfxWndProc) {
            if (old) SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            Detach();
            return FALSE;
        }
        m_pfnSuper = old;
    }
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent) return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd) return nullptr;
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &AfxWndProc) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
        Detach();
        // The procedure now on top may be another module's pass-through layer.
        ::SendMessageA(hWnd, ChainCheckMessage(), 0, 0);
        return hWnd;
    }
    Detach(); // not on top: keep the chain, pass through from now on
    return hWnd;
}
