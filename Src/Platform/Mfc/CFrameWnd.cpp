// Frame windows: creation from resources, title, status prompts and tooltips, idle work,
// enabling and activation of the floating frames, and the end of the main window. The layout
// and docking are in CFrameWndBars.cpp, the bar state in CFrameWndState.cpp, views, documents
// and command routing in CFrameWndView.cpp.
#include "CFrameWnd.h"
#include "CDockBar.h"
#include "CDocument.h"
#include "CStatusBar.h"
#include "CView.h"
#include "CWinApp.h"
#include "MfcState.h"
#include "MsgThunks.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_SETFOCUS()
    ON_WM_ENABLE()
    ON_WM_ACTIVATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_MESSAGE(WM_FLOATSTOFRONT, &ThisClass::OnFloatsToFront)
    ON_WM_MENUSELECT()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_SETMESSAGESTRING, &ThisClass::OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &ThisClass::OnIdleUpdateCmdUI)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &ThisClass::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &ThisClass::OnToolTipText)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
    : m_nIDHelp(0), m_hMenuDefault(nullptr), m_hAccelTable(nullptr), m_bAutoMenuEnable(TRUE), m_lpfnCloseProc(nullptr),
      m_bInRecalcLayout(FALSE), m_bDelayRecalc(FALSE), m_bDelayTitle(FALSE), m_nIDTracking(AFX_IDS_IDLEMESSAGE),
      m_nIDLastMessage(0),
      m_pDockBars{}, m_pViewActive(nullptr)
{
}

CFrameWnd::~CFrameWnd()
{
    // Bars that outlive the frame object must not reach back into it.
    for (CControlBar* pBar : m_listControlBars)
        if (pBar->m_pDockSite == this) pBar->m_pDockSite = nullptr;
    for (CDockBar* pDock : m_pDockBars)
        if (pDock) pDock->m_pDockSite = nullptr;
}

void CFrameWnd::PostNcDestroy() { delete this; }

// ---- Creation ----

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU menu = lpszMenuName ? ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName) : nullptr;
    m_hMenuDefault = menu;
    if (lpszWindowName && m_strTitle.IsEmpty()) m_strTitle = lpszWindowName;
    bool byDefault = rect.left == CW_USEDEFAULT;
    int x = byDefault ? CW_USEDEFAULT : rect.left, y = byDefault ? CW_USEDEFAULT : rect.top;
    int cx = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    // A failed creation has deleted the object: nothing of it is touched then.
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, menu, pContext)) {
        if (menu && ::IsMenu(menu)) ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString full;
    if (full.LoadString(nIDResource)) {
        int end = full.Find('\n');
        m_strTitle = end >= 0 ? full.Left(end) : full;
    }
    CWinApp* app = AfxGetApp();
    if (m_strTitle.IsEmpty() && app && app->m_pszAppName) m_strTitle = app->m_pszAppName;
    HINSTANCE inst = AfxGetResourceHandle();
    LPCSTR name = MAKEINTRESOURCEA(nIDResource);
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)),
                                     ::LoadIconA(inst, name));
    if (!cls) {
        PostNcDestroy(); // as a failed creation does
        return FALSE;
    }
    HACCEL accel = ::LoadAcceleratorsA(inst, name);
    if (!Create(cls, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, name, 0, pContext))
        return FALSE;
    m_hAccelTable = accel;
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
    return CWnd::PreCreateWindow(cs);
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!OnCreateClient(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams))) return -1;
    return 0;
}

// ---- Title ----

void CFrameWnd::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    DelayUpdateFrameTitle();
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName)
{
    CString text = m_strTitle;
    if (lpszDocName && *lpszDocName && (GetStyle() & FWS_ADDTOTITLE)) {
        if (GetStyle() & FWS_PREFIXTITLE) text = CString(lpszDocName) + " - " + m_strTitle;
        else text = m_strTitle + " - " + lpszDocName;
    }
    CString now;
    GetWindowText(now);
    if (now != text) SetWindowText(text);
}

// ---- Status prompts and tooltips ----

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString full;
    rMessage.Empty();
    if (!nID || !full.LoadString(nID)) return;
    int end = full.Find('\n');
    rMessage = end >= 0 ? full.Left(end) : full;
}

CWnd* CFrameWnd::GetMessageBar() const { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    CWnd* pBar = GetMessageBar();
    if (!pBar) return;
    if (CStatusBar* pStatus = DYNAMIC_DOWNCAST(CStatusBar, pBar)) pStatus->SetPaneText(0, lpszText);
    else pBar->SetWindowText(lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    m_nIDTracking = nID;
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT last = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    CString text;
    if (lParam) {
        text = reinterpret_cast<LPCSTR>(lParam);
    } else if (wParam) {
        GetMessageString(static_cast<UINT>(wParam), text);
        if (text.IsEmpty() && wParam != AFX_IDS_IDLEMESSAGE) GetMessageString(AFX_IDS_IDLEMESSAGE, text);
    }
    SetMessageText(static_cast<LPCSTR>(text));
    return last;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu) m_nIDTracking = AFX_IDS_IDLEMESSAGE; // the menu closed
    else if (nFlags & (MF_SEPARATOR | MF_POPUP | MF_SYSMENU)) m_nIDTracking = 0;
    else m_nIDTracking = nItemID;
    SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    bool wide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT flags = wide ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
    UINT_PTR id = pNMHDR->idFrom;
    if (flags & TTF_IDISHWND) id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    CString full;
    if (id == 0 || id > 0xFFFF || !full.LoadString(static_cast<UINT>(id))) return FALSE;
    // The tip is the part after the prompt's "\n"; the text lives in the frame, so any length fits.
    int end = full.Find('\n');
    m_strTipText = end >= 0 ? full.Mid(end + 1) : CString();
    if (wide) {
        NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        int n = ::MultiByteToWideChar(932, 0, m_strTipText, -1, nullptr, 0);
        m_wstrTipText.assign(static_cast<size_t>(n > 0 ? n : 1), L'\0');
        if (n > 0) ::MultiByteToWideChar(932, 0, m_strTipText, -1, &m_wstrTipText[0], n);
        info->lpszText = &m_wstrTipText[0];
        info->hinst = nullptr;
    } else {
        NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        info->lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_strTipText));
        info->hinst = nullptr;
    }
    *pResult = 0;
    return TRUE;
}

// ---- Idle work, enabling, activation ----

namespace {
// The window lies above the other one among the top-level windows.
bool IsAbove(HWND hWnd, HWND hOther)
{
    for (HWND next = ::GetWindow(hWnd, GW_HWNDNEXT); next; next = ::GetWindow(next, GW_HWNDNEXT))
        if (next == hOther) return true;
    return false;
}
} // namespace

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_bDelayRecalc) RecalcLayout();
    if (m_bDelayTitle) {
        m_bDelayTitle = FALSE;
        OnUpdateFrameTitle(TRUE);
    }
    if (m_nIDTracking != m_nIDLastMessage && GetMessageBar()) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
    // Floating frames are owned windows, not children: their bars are updated from here. One
    // that the window system has put behind the frame since (Wine follows the screen's order
    // a moment after it raised the frame) comes back in front.
    std::vector<CFrameWnd*> floats = FloatingFrames();
    for (CFrameWnd* pFloat : floats)
        CWnd::SendMessageToDescendants(pFloat->m_hWnd, WM_IDLEUPDATECMDUI, wParam, 0, TRUE, TRUE);
    if (std::any_of(floats.begin(), floats.end(), [this](CFrameWnd* f) { return f->IsWindowVisible() && !IsAbove(f->m_hWnd, m_hWnd); }))
        KeepFloatsInFront();
    return 0;
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    Default();
    for (CFrameWnd* pFloat : FloatingFrames()) ::EnableWindow(pFloat->m_hWnd, bEnable);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    // The view hears of it while the focus is still where the user left it.
    CView* pView = m_pViewActive;
    if (pView && nState == WA_INACTIVE) {
        pView->OnActivateFrame(nState, this);
        pView->OnActivateView(FALSE, pView, pView);
    }
    Default();
    // The frame and its floating frames look active together.
    std::vector<CFrameWnd*> floats = FloatingFrames();
    bool toOwn = false;
    for (CFrameWnd* pFloat : floats) toOwn = toOwn || (pWndOther && pWndOther->m_hWnd == pFloat->m_hWnd);
    BOOL active = nState != WA_INACTIVE || toOwn;
    if (nState == WA_INACTIVE && active) DefWindowProc(WM_NCACTIVATE, TRUE, 0);
    for (CFrameWnd* pFloat : floats) pFloat->DefWindowProc(WM_NCACTIVATE, active, 0);
    if (nState != WA_INACTIVE) PostFloatsToFront();
    if (pView && nState != WA_INACTIVE && m_pViewActive == pView) {
        pView->OnActivateFrame(nState, this);
        if (!bMinimized) pView->OnActivateView(TRUE, pView, pView);
    }
}

void CFrameWnd::OnWindowPosChanged(WINDOWPOS* pPos)
{
    Default();
    if (!(pPos->flags & SWP_NOZORDER) || (pPos->flags & SWP_SHOWWINDOW)) PostFloatsToFront();
}

void CFrameWnd::PostFloatsToFront()
{
    // Once the window system is done with the frame (Wine maps and raises its window after
    // the messages that tell of it); one message at a time, and none for the frame's own
    // restacking of them.
    if (m_bFloatsToFront || FloatingFrames().empty()) return;
    m_bFloatsToFront = TRUE;
    PostMessage(WM_FLOATSTOFRONT);
}

LRESULT CFrameWnd::OnFloatsToFront(WPARAM, LPARAM)
{
    ShowWaitingFloats();
    KeepFloatsInFront();
    m_bFloatsToFront = FALSE;
    return 0;
}

void CFrameWnd::ShowWaitingFloats()
{
    if (!IsWindowVisible()) return;
    for (CControlBar* pBar : m_listControlBars) {
        CFrameWnd* pFloat = pBar->IsFloating() ? pBar->GetDockingFrame() : nullptr;
        if (!pFloat || pFloat->IsWindowVisible() || !pBar->IsVisible()) continue;
        pFloat->RecalcLayout();
        pFloat->ShowWindow(SW_SHOWNA);
        pFloat->UpdateWindow();
    }
}

void CFrameWnd::KeepFloatsInFront()
{
    // Under Wine the frame may lie above them on the screen while the stacking order still
    // counts them above it (it was shown or raised after them), and the order follows the
    // screen soon after: each is stacked anew, in front of the frame, never above a window
    // that stays on top.
    HWND above = ::GetWindow(m_hWnd, GW_HWNDPREV);
    std::vector<CFrameWnd*> floats = FloatingFrames();
    while (above && std::any_of(floats.begin(), floats.end(), [above](CFrameWnd* f) { return f->m_hWnd == above; }))
        above = ::GetWindow(above, GW_HWNDPREV);
    if (above && (::GetWindowLongPtrA(above, GWL_EXSTYLE) & WS_EX_TOPMOST)) above = nullptr;
    for (CFrameWnd* pFloat : floats)
        if (pFloat->IsWindowVisible())
            ::SetWindowPos(pFloat->m_hWnd, above ? above : HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    HWND pane = m_pViewActive ? m_pViewActive->m_hWnd : ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (pane && ::IsWindowVisible(pane) && ::IsWindowEnabled(pane)) ::SetFocus(pane);
    else Default();
}

// Alt+F4 and F10 of a window inside the frame do what the default window procedure does with
// them: Alt+F4 closes the frame, F10 opens its menu bar. Some controls never hand these keys on
// (Wine's tree view and drop-down list boxes keep every WM_SYSKEYDOWN), so the frame takes them
// before the control does. Alt+F4 is not dispatched as well: a second close would ask again
// after a cancelled one. F10 still reaches the control, and the default procedure a second time
// only marks the key once more.
BOOL CFrameWnd::TakeSystemKey(const MSG* pMsg)
{
    if (pMsg->message != WM_SYSKEYDOWN || !pMsg->hwnd || ::GetAncestor(pMsg->hwnd, GA_ROOT) != m_hWnd) return FALSE;
    bool alt = (HIWORD(pMsg->lParam) & KF_ALTDOWN) != 0;
    if (alt && pMsg->wParam == VK_F4) {
        if (!(::GetClassLongPtrA(m_hWnd, GCL_STYLE) & CS_NOCLOSE)) PostMessage(WM_SYSCOMMAND, SC_CLOSE);
        return TRUE;
    }
    if (!alt && pMsg->wParam == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0)
        ::DefWindowProcA(pMsg->hwnd, pMsg->message, pMsg->wParam, pMsg->lParam);
    return FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    if (TakeSystemKey(pMsg)) return TRUE;
    if (!m_hAccelTable || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
}

// ---- The end ----

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    Default();
    if (nType != SIZE_MINIMIZED && (m_bDelayRecalc || m_sizeLayout != CSize(cx, cy))) RecalcLayout();
}

void CFrameWnd::OnClose()
{
    if (m_lpfnCloseProc) {
        (*m_lpfnCloseProc)(this);
        return;
    }
    CDocument* pDoc = GetActiveDocument();
    if (pDoc && !pDoc->CanCloseFrame(this)) return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!pDoc && !app->SaveAllModified()) return;
        app->CloseAllDocuments(FALSE);
        if (app->m_pMainWnd != this) return; // gone with its document: this object is deleted
    }
    if (pDoc && pDoc->m_bAutoDelete && IsOnlyFrameOf(pDoc)) {
        pDoc->OnCloseDocument(); // destroys this frame too
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The dock bars go with the children; no layout reaches them from now on.
    for (CDockBar*& pDock : m_pDockBars) pDock = nullptr;
    Default();
}

void CFrameWnd::OnNcDestroy()
{
    // The main window of the thread (and of the application) is gone: the loop ends.
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
    CWnd::OnNcDestroy();
}
