// Window objects: handle maps, creation and destruction, pre-translation, broadcasts, tooltips
// and the default handlers (the window procedure itself is in CWndProc.cpp).
#include "CWnd.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CToolTipCtrl.h"
#include "MfcState.h"
#include "MsgThunks.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_pToolTip(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // A window of this thread goes with its object; one of another thread is let go.
        if (::IsWindow(m_hWnd) && GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId())
            ::DestroyWindow(m_hWnd);
        if (m_hWnd) Detach();
    }
    delete m_pToolTip;
}

// ---- Handle maps ----

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd) return nullptr;
    AfxModuleLock lock;
    auto& map = AfxGetModuleState()->permanent;
    auto it = map.find(hWnd);
    if (it == map.end()) return nullptr;
    // An object that no longer holds the window is gone without having let it go (its memory
    // is used again): the entry is dropped, never followed.
    if (it->second->m_hWnd != hWnd) {
        map.erase(it);
        return nullptr;
    }
    return it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd) return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd)) return pWnd;
    auto& temp = AfxGetThreadState()->tempWnd;
    auto it = temp.find(hWnd);
    if (it != temp.end()) {
        it->second->m_hWnd = hWnd; // a temporary object may have been detached meanwhile
        return it->second;
    }
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    temp[hWnd] = pWnd;
    return pWnd;
}

void CWnd::DeleteTempMap() { AfxFreeTempMaps(); }

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd) return FALSE;
    AfxModuleLock lock;
    AfxModuleState* st = AfxGetModuleState();
    if (!st->permanent.emplace(hWndNew, this).second) return FALSE;
    auto layer = st->passThrough.find(hWndNew);
    if (layer != st->passThrough.end()) {
        m_pfnSuper = layer->second; // our procedure is still in the chain: take its place
        st->passThrough.erase(layer);
    }
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (!hWnd) return nullptr;
    {
        AfxModuleLock lock;
        AfxModuleState* st = AfxGetModuleState();
        auto it = st->permanent.find(hWnd);
        if (it != st->permanent.end() && it->second == this) {
            st->permanent.erase(it);
            if (m_pfnSuper && ::IsWindow(hWnd)) st->passThrough[hWnd] = m_pfnSuper;
        }
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::PreSubclassWindow() {}

// ---- Creation and destruction ----

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd) return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // A window that failed after it was bound has had WM_NCDESTROY (and PostNcDestroy);
    // one that never began gets PostNcDestroy here.
    if (!AfxUnhookWindowCreate(this)) PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
        if (!cs.lpszClass) return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd) return FALSE;
    bool owned = FromHandlePermanent(hWnd) == this;
    BOOL ok = ::DestroyWindow(hWnd);
    // An owning object was detached by WM_NCDESTROY and may be deleted now: no member access.
    if (!owned) Detach();
    return ok;
}

void CWnd::PostNcDestroy() {}

void CWnd::OnNcDestroy()
{
    Default(); // the procedures behind ours see the window's last message first
    FinishNcDestroy();
}

void CWnd::FinishNcDestroy()
{
    HWND hWnd = m_hWnd;
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

// ---- Pre-translation and broadcasts ----

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_bToolTips) FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::PreTranslateInput(MSG* pMsg)
{
    UINT msg = pMsg->message;
    bool key = msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
    bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
    if (!key && !mouse) return FALSE;
    return DialogMessage(m_hWnd, pMsg);
}

BOOL CWnd::DialogMessage(HWND hDlg, MSG* pMsg)
{
    const UINT msg = pMsg->message;
    if (msg == WM_CHAR && pMsg->wParam >= 0x80 && pMsg->wParam <= 0xFF) return FALSE;
    return ::IsDialogMessageA(hDlg, pMsg);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hWndStop) break;
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!bOnlyPerm) {
            ::SendMessageA(child, message, wParam, lParam);
        } else if (CWnd* pWnd = FromHandlePermanent(child)) {
            // Straight to the object; a window of another thread gets a sent message instead.
            if (GetWindowThreadProcessId(child, nullptr) == GetCurrentThreadId())
                AfxCallWndProc(pWnd, child, message, wParam, lParam);
            else
                ::SendMessageA(child, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(child)) SendMessageToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == 0 || id == 0xFFFF || id == static_cast<UINT>(-1)) continue;
        state.m_pOther = FromHandle(child);
        state.m_nID = id;
        BOOL disable = bDisableIfNoHndler;
        if (disable && (::SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
            // Buttons that act by themselves stay enabled without a handler.
            DWORD type = static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_STYLE)) & BS_TYPEMASK;
            if (type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_GROUPBOX || type == BS_AUTORADIOBUTTON)
                disable = FALSE;
        }
        state.DoUpdate(pTarget, disable);
    }
}

// ---- Tooltips ----

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    m_bToolTips = bEnable != FALSE;
    if (!bEnable && m_pToolTip) {
        m_pToolTip->DestroyWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
    return TRUE;
}

CToolTipCtrl* CWnd::GetToolTipCtrl()
{
    if (!m_bToolTips || m_pToolTip || !m_hWnd) return m_pToolTip;
    m_pToolTip = new CToolTipCtrl;
    if (!m_pToolTip->Create(this, TTS_ALWAYSTIP)) {
        delete m_pToolTip;
        m_pToolTip = nullptr;
        // Not tried again at every mouse move.
        m_bToolTips = false;
        return nullptr;
    }
    m_pToolTip->Activate(TRUE);
    return m_pToolTip;
}

// The visible child under the point; group boxes only when nothing else is there.
static HWND ChildAt(HWND hWnd, POINT point)
{
    POINT screen = point;
    ::ClientToScreen(hWnd, &screen);
    HWND groupBox = nullptr;
    for (HWND child = ::GetTopWindow(hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child)) continue;
        RECT r;
        ::GetWindowRect(child, &r);
        if (!::PtInRect(&r, screen)) continue;
        DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_STYLE));
        bool isGroup = (::SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) != 0 &&
                       (style & BS_TYPEMASK) == BS_GROUPBOX;
        if (!isGroup) return child;
        if (!groupBox) groupBox = child;
    }
    return groupBox;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND child = ChildAt(m_hWnd, point);
    if (!child) return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(child);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return ::GetDlgCtrlID(child);
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    UINT msg = pMsg->message;
    bool mouse = msg == WM_MOUSEMOVE || (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK);
    if (!mouse) return;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return;
    if (!GetToolTipCtrl() || !m_pToolTip->m_hWnd) return;
    CPoint point(pMsg->pt);
    ScreenToClient(&point);
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    if (OnToolHitTest(point, &ti) != -1 && (ti.uFlags & TTF_IDISHWND)) {
        TOOLINFOA probe = {};
        probe.cbSize = TTTOOLINFOA_V2_SIZE;
        probe.hwnd = ti.hwnd;
        probe.uId = ti.uId;
        if (!::SendMessageA(m_pToolTip->m_hWnd, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&probe)))
            ::SendMessageA(m_pToolTip->m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    m_pToolTip->RelayEvent(pMsg);
}

// ---- Default handlers that reflect first ----

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result = 0;
    if (pWnd && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &result)) return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem)) return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU) {
        HWND child = ::GetDlgItem(m_hWnd, nIDCtl);
        if (child && ReflectLastMsg(child)) return;
    }
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd)) return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd)) return;
    Default();
}

void CWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (!bSysMenu && pPopupMenu) CCmdUI::UpdateMenu(pPopupMenu, this, FALSE);
    Default();
}

// ---- Wrappers that need more than one call ----

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetExStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND top = m_hWnd;
    for (HWND up = ::GetParent(top); up; up = ::GetParent(top)) top = up;
    return FromHandle(top);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND up = ::GetParent(m_hWnd); up; up = ::GetParent(up)) {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, FromHandlePermanent(up));
        if (pFrame) return pFrame;
    }
    return nullptr;
}

static HWND FindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == nID && (!bOnlyPerm || CWnd::FromHandlePermanent(child))) return child;
        if (HWND deeper = FindDescendant(child, nID, bOnlyPerm)) return deeper;
    }
    return nullptr;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const { return FromHandle(FindDescendant(m_hWnd, nID, bOnlyPerm)); }

void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLengthA(m_hWnd);
    int got = ::GetWindowTextA(m_hWnd, rString.GetBuffer(n), n + 1);
    rString.ReleaseBuffer(got);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND item = ::GetDlgItem(m_hWnd, nID);
    rString.Empty();
    if (!item) return 0;
    int n = ::GetWindowTextLengthA(item);
    int got = ::GetWindowTextA(item, rString.GetBuffer(n), n + 1);
    rString.ReleaseBuffer(got);
    return rString.GetLength();
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) { AfxCenterWindow(m_hWnd, pAlternateOwner ? pAlternateOwner->m_hWnd : nullptr); }

namespace {

// hWnd centred on rcCenter, the whole window kept inside rcArea where it fits.
void CenterIn(HWND hWnd, const CRect& rcCenter, const CRect& rcArea)
{
    CRect rcDlg;
    ::GetWindowRect(hWnd, &rcDlg);
    int x = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (x + rcDlg.Width() > rcArea.right) x = rcArea.right - rcDlg.Width();
    if (x < rcArea.left) x = rcArea.left;
    if (y + rcDlg.Height() > rcArea.bottom) y = rcArea.bottom - rcDlg.Height();
    if (y < rcArea.top) y = rcArea.top;
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void AfxCenterWindowOn(HWND hWnd, const RECT& rcCenter)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(::MonitorFromRect(&rcCenter, MONITOR_DEFAULTTONEAREST), &mi);
    CenterIn(hWnd, rcCenter, mi.rcWork);
}

void AfxCenterWindow(HWND hWnd, HWND hCenter)
{
    bool child = (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) != 0;
    if (!hCenter) hCenter = child ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
    CRect rcArea, rcCenter;
    if (child) {
        HWND parent = ::GetParent(hWnd);
        ::GetClientRect(parent, &rcArea);
        ::GetClientRect(hCenter, &rcCenter);
        ::MapWindowPoints(hCenter, parent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
    } else {
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfoA(::MonitorFromWindow(hCenter ? hCenter : hWnd, MONITOR_DEFAULTTONEAREST), &mi);
        rcArea = mi.rcWork;
        // A hidden owner that has its place still tells where its window shows (a frame placed
        // before it is shown); a minimised one does not.
        if (!hCenter || ::IsIconic(hCenter) || !::GetWindowRect(hCenter, &rcCenter) || rcCenter.IsRectEmpty())
            rcCenter = rcArea;
    }
    CenterIn(hWnd, rcCenter, rcArea);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }
CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}
