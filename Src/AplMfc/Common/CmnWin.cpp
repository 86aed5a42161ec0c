// The main-frame services: the bar table, the frame's bars and status bar, menu item states,
// the focused panel or dialog, and the name selected in a file dialog's name box.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnWin"
#include "CmnWin.h"
#include "CmnApp.h"
#include "CmnDef.h"
#include "CmnDlb.h"
#include "CmnDlg.h"
#include "CmnSub.h"
#include <stdlib.h>
#include <string.h>

namespace {

int Fail(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

bool IsClass(HWND wnd, const char* name)
{
    char cls[64] = {};
    ::GetClassNameA(wnd, cls, sizeof(cls));
    return lstrcmpiA(cls, name) == 0;
}

// The window of one of the drawing areas of the dialog or panel opr.
bool IsDrawingArea(const CmnDlgOpr* opr, HWND wnd)
{
    const CmnDlgInf& inf = opr->GetCmnDlgInf();
    for (int i = 0; inf.phDraWnd && i < inf.iDraCnt; ++i)
        if (inf.phDraWnd[i] == wnd) return true;
    return false;
}

} // namespace

CmnWin::~CmnWin() { free(m_ppBar); }

// ---- The bar table ----

int CmnWin::Init(int count)
{
    if (m_ppBar) return Fail("Init", VKE_ERR_EXISTS);
    if (count < 0) return Fail("Init", VKE_ERR_ARG);
    if (count > 0) {
        m_ppBar = static_cast<CControlBar**>(calloc(static_cast<size_t>(count), sizeof(CControlBar*)));
        if (!m_ppBar) return Fail("Init", VKE_ERR_MEMORY);
    }
    m_nBarCnt = count;
    return VKE_OK;
}

void CmnWin::Term()
{
    free(m_ppBar);
    m_ppBar = nullptr;
    m_nBarCnt = 0;
    m_pStatusBar = nullptr;
}

int CmnWin::SetBar(int index, CControlBar* pBar)
{
    if (index < 0 || index >= m_nBarCnt) return Fail("SetBar", VKE_ERR_ARG);
    m_ppBar[index] = pBar;
    return VKE_OK;
}

CControlBar* CmnWin::GetBar(int index) { return index >= 0 && index < m_nBarCnt ? m_ppBar[index] : nullptr; }

// ---- Menus ----

int CmnWin::UpdateMenu(CCmdTarget* pTarget, CMenu* pPopup, CMenu* pParent)
{
    (void)pParent; // the walk needs only the popup; callers pass where it hangs
    if (!pTarget || !pPopup) return Fail("UpdateMenu", VKE_ERR_ARG);
    int count = static_cast<int>(pPopup->GetMenuItemCount());
    for (int i = 0; i < count; ++i)
        if (CMenu* sub = pPopup->GetSubMenu(i)) UpdateMenu(pTarget, sub, pPopup);
    // The popup's own items through the framework's walk, which follows handlers that add or
    // remove items; items without a handler stay as they are.
    CCmdUI::UpdateMenu(pPopup, pTarget, FALSE);
    return VKE_OK;
}

// ---- Bars ----

CFrameWnd* CmnWin::Frame(const char* name)
{
    CmnApp* app = CmnGetApp();
    CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, app ? app->GetMainFrame() : nullptr);
    if (!frame) Fail(name, VKE_ERR_EXISTS);
    return frame;
}

CRect CmnWin::GetBarRect(CControlBar* pBar)
{
    CRect rect(0, 0, 0, 0);
    if (!pBar) {
        Fail("GetBarRect", VKE_ERR_ARG);
        return rect;
    }
    pBar->GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, ::GetParent(pBar->m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

CSize CmnWin::GetBarSize(CControlBar* pBar)
{
    if (!pBar) {
        Fail("GetBarSize", VKE_ERR_ARG);
        return CSize(0, 0);
    }
    DWORD style = pBar->GetBarStyle();
    BOOL docked = pBar->m_pDockBar && !pBar->IsFloating();
    return pBar->CalcFixedLayout(!docked, (style & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0);
}

DWORD CmnWin::GetBarStyle(CControlBar* pBar)
{
    if (!pBar) {
        Fail("GetBarStyle", VKE_ERR_ARG);
        return 0;
    }
    return pBar->GetBarStyle();
}

int CmnWin::SetBarStyle(CControlBar* pBar, DWORD style)
{
    if (!pBar) return Fail("SetBarStyle", VKE_ERR_ARG);
    pBar->SetBarStyle(style);
    return VKE_OK;
}

int CmnWin::IsBarVisible(CControlBar* pBar)
{
    if (!pBar) {
        Fail("IsBarVisible", VKE_ERR_ARG);
        return 0;
    }
    return pBar->IsVisible() ? 1 : 0;
}

int CmnWin::IsBarFloating(CControlBar* pBar)
{
    if (!pBar) {
        Fail("IsBarFloating", VKE_ERR_ARG);
        return 0;
    }
    return pBar->IsFloating() ? 1 : 0;
}

int CmnWin::ShowBar(CControlBar* pBar)
{
    if (!pBar) return Fail("ShowBar", VKE_ERR_ARG);
    CFrameWnd* frame = Frame("ShowBar");
    if (!frame) return VKE_ERR_EXISTS;
    frame->ShowControlBar(pBar, TRUE, TRUE);
    int rc = RedrawBar(pBar);
    pBar->EnableWindow(TRUE);
    return rc;
}

int CmnWin::HideBar(CControlBar* pBar)
{
    if (!pBar) return Fail("HideBar", VKE_ERR_ARG);
    CFrameWnd* frame = Frame("HideBar");
    if (!frame) return VKE_ERR_EXISTS;
    pBar->EnableWindow(FALSE);
    frame->ShowControlBar(pBar, FALSE, TRUE);
    return VKE_OK;
}

int CmnWin::DockBar(CControlBar* pBar, UINT dockBarId, LPCRECT pRect)
{
    if (!pBar) return Fail("DockBar", VKE_ERR_ARG);
    CFrameWnd* frame = Frame("DockBar");
    if (!frame) return VKE_ERR_EXISTS;
    frame->DockControlBar(pBar, dockBarId, pRect);
    return VKE_OK;
}

int CmnWin::FloatBar(CControlBar* pBar)
{
    if (!pBar) return Fail("FloatBar", VKE_ERR_ARG);
    // A floating bar's window lies in its floating frame: that frame's corner is the place.
    CWnd* placed = pBar;
    if (pBar->IsFloating()) {
        if (CFrameWnd* floating = pBar->GetDockingFrame()) placed = floating;
    }
    CRect rect;
    placed->GetWindowRect(&rect);
    return FloatBar(pBar, rect.TopLeft());
}

int CmnWin::FloatBar(CControlBar* pBar, CPoint point)
{
    if (!pBar) return Fail("FloatBar", VKE_ERR_ARG);
    CFrameWnd* frame = Frame("FloatBar");
    if (!frame) return VKE_ERR_EXISTS;
    frame->FloatControlBar(pBar, point, pBar->GetBarStyle() & CBRS_ALIGN_ANY);
    return VKE_OK;
}

int CmnWin::HideBar()
{
    CFrameWnd* frame = Frame("HideBar");
    if (!frame) return VKE_ERR_EXISTS;
    frame->RecalcLayout(TRUE);
    return VKE_OK;
}

int CmnWin::RedrawBar(CControlBar* pBar)
{
    if (!pBar) return Fail("RedrawBar", VKE_ERR_ARG);
    CFrameWnd* frame = Frame("RedrawBar");
    if (!frame) return VKE_ERR_EXISTS;
    if (pBar->IsFloating()) {
        int rc = FloatBar(pBar);
        if (rc != VKE_OK) return rc;
    }
    frame->RecalcLayout(TRUE);
    // A size change makes the bar lay its contents out again; it ends at its own rectangle, so
    // calls do not add up, and the whole bar is repainted.
    CRect rect = GetBarRect(pBar);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(pBar->m_hWnd, nullptr, rect.left, rect.top, rect.Width() - 2, rect.Height() - 2, flags | SWP_NOREDRAW);
    ::SetWindowPos(pBar->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return VKE_OK;
}

// ---- Status bar ----

int CmnWin::SetStatusBar(CStatusBar* pStatusBar)
{
    if (!pStatusBar) return Fail("SetStatusBar", VKE_ERR_ARG);
    m_pStatusBar = pStatusBar;
    return SetStatusBarPniById(SBPS_STRETCH, 0);
}

int CmnWin::PaneIndex(const char* name, UINT id)
{
    if (!m_pStatusBar || !m_pStatusBar->m_hWnd) return Fail(name, VKE_ERR_EXISTS);
    int index = m_pStatusBar->CommandToIndex(id);
    return index >= 0 ? index : Fail(name, VKE_ERR_NOT_FOUND);
}

int CmnWin::SetStatusBarPniById(UINT id, UINT newId, UINT style, int width)
{
    int index = PaneIndex("SetStatusBarPniById", id);
    if (index < 0) return index;
    m_pStatusBar->SetPaneInfo(index, newId, style, width);
    return VKE_OK;
}

int CmnWin::SetStatusBarPniById(UINT style, int width) { return SetStatusBarPniById(0, 0, style, width); }

int CmnWin::GetStatusBarPniById(UINT id, UINT* newId, UINT* style, int* width)
{
    if (!newId || !style || !width) return Fail("GetStatusBarPniById", VKE_ERR_ARG);
    *newId = *style = 0;
    *width = 0;
    int index = PaneIndex("GetStatusBarPniById", id);
    if (index < 0) return index;
    m_pStatusBar->GetPaneInfo(index, *newId, *style, *width);
    return VKE_OK;
}

int CmnWin::GetStatusBarPniById(UINT* style, int* width)
{
    UINT id = 0;
    return GetStatusBarPniById(0, &id, style, width);
}

int CmnWin::SetStatusBarTxtById(UINT id, LPCSTR text)
{
    if (!text) return Fail("SetStatusBarTxtById", VKE_ERR_ARG);
    int index = PaneIndex("SetStatusBarTxtById", id);
    if (index < 0) return index;
    m_pStatusBar->SetPaneText(index, text, TRUE);
    return VKE_OK;
}

int CmnWin::SetStatusBarTxtById(LPCSTR text) { return SetStatusBarTxtById(0, text); }

CString CmnWin::GetStatusBarTxtById(UINT id)
{
    int index = PaneIndex("GetStatusBarTxtById", id);
    return index < 0 ? CString() : m_pStatusBar->GetPaneText(index);
}

CString CmnWin::GetStatusBarTxtById() { return GetStatusBarTxtById(0); }

// ---- Frame and focus ----

int CmnWin::GetRealClientRect(RECT* pClient, RECT* pPane)
{
    CFrameWnd* frame = pClient && pPane ? Frame("GetRealClientRect") : nullptr;
    if (!frame) {
        if (!pClient || !pPane) Fail("GetRealClientRect", VKE_ERR_EXISTS);
        return VKE_ERR_EXISTS;
    }
    frame->GetClientRect(pClient);
    HWND pane = ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST);
    if (!pane) {
        ::SetRectEmpty(pPane);
        return Fail("GetRealClientRect", VKE_ERR_SYSTEM);
    }
    ::GetWindowRect(pane, pPane);
    ::MapWindowPoints(nullptr, frame->m_hWnd, reinterpret_cast<POINT*>(pPane), 2);
    return VKE_OK;
}

HWND CmnWin::IsExistFcsDlg(CWnd** ppWnd, int* pFound)
{
    if (!ppWnd || !pFound) {
        Fail("IsExistFcsDlg", VKE_ERR_ARG);
        return nullptr;
    }
    HWND focus = ::GetFocus();
    HWND parent = focus ? ::GetParent(focus) : nullptr;
    // The focus in a combo box's edit is the combo box's.
    if (parent && IsClass(parent, "ComboBox")) {
        focus = parent;
        parent = ::GetParent(parent);
    }
    // The dialog or panel that exists now, never an object a window map still names after it
    // went (a print job's frames abandoned by the platform leave its status window so).
    CmnDlgOpr* opr = CmnDlgOpr::FromWindow(parent);
    *ppWnd = opr ? &opr->GetWnd() : nullptr;
    *pFound = opr ? 1 : 0;
    return focus;
}

HWND CmnWin::IsExistEdtDlg(CWnd** ppWnd, int* pFound)
{
    if (!ppWnd || !pFound) {
        Fail("IsExistEdtDlg", VKE_ERR_ARG);
        return nullptr;
    }
    CWnd* owner = nullptr;
    int found = 0;
    HWND focus = IsExistFcsDlg(&owner, &found);
    // A panel's buttons, lists and trees have nothing to edit: the current page takes them.
    CmnDlb* panel = found ? DYNAMIC_DOWNCAST(CmnDlb, owner) : nullptr;
    if (panel && !IsTextBox(focus) && !IsDrawingArea(panel, focus)) owner = nullptr;
    *ppWnd = owner;
    *pFound = owner ? 1 : 0;
    return focus;
}

int CmnWin::IsTextBox(HWND wnd)
{
    if (!wnd) return 0;
    if (IsClass(wnd, "ComboBox")) return 1;
    if (!IsClass(wnd, "Edit")) return 0;
    const CmnDlgOpr* owner = CmnDlgOpr::FromWindow(::GetParent(wnd));
    return owner && IsDrawingArea(owner, wnd) ? 0 : 1;
}

int CmnWin::SelectAllText(HWND wnd)
{
    if (!IsTextBox(wnd)) return 0;
    HWND parent = ::GetParent(wnd);
    // The edit of a combo box selects through its combo box.
    if (IsClass(wnd, "ComboBox") || (parent && IsClass(parent, "ComboBox")))
        ::SendMessageA(IsClass(wnd, "ComboBox") ? wnd : parent, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    else
        ::SendMessageA(wnd, EM_SETSEL, 0, -1);
    return 1;
}

int CmnWin::SetSelFilNam(HWND edit)
{
    if (!edit || !::IsWindow(edit) || !::IsWindowVisible(edit)) return Fail("SetSelFilNam", VKE_ERR_ARG);
    char text[CmnPathSize] = {};
    ::GetWindowTextA(edit, text, sizeof(text));
    int chars = 0, dotChars = -1, dotBytes = -1;
    for (const char* p = text; *p; p = ::CharNextExA(932, p, 0), ++chars) {
        if (*p == '"') return VKE_OK; // a list of names
        if (*p == '.') {
            dotChars = chars;
            dotBytes = static_cast<int>(p - text);
        }
    }
    if (chars == 0) return VKE_OK;
    int bytes = static_cast<int>(strlen(text));
    if (dotChars < 0) {
        dotChars = chars;
        dotBytes = bytes;
    }
    // The box counts bytes (Windows) or characters (Wine's edits): its own length tells which.
    LRESULT length = ::SendMessageA(edit, EM_LINELENGTH, 0, 0);
    int end = length == bytes ? dotBytes : dotChars;
    theCmnSub.PostSetFocus(edit);
    ::PostMessageA(edit, EM_SETSEL, 0, end);
    return VKE_OK;
}

// ---- Waits ----

void CmnWin::WaitPumping(const HANDLE* handles, int count, int* pumping)
{
    const DWORD input = WAIT_OBJECT_0 + static_cast<DWORD>(count);
    bool quit = false;
    for (;;) {
        // Once the application's end was met, only what other threads send is answered (the
        // worker may be sending): nothing more is dispatched, the quit waits in the queue.
        DWORD rc = ::MsgWaitForMultipleObjects(static_cast<DWORD>(count), handles, FALSE, INFINITE,
                                               quit ? QS_SENDMESSAGE : QS_ALLINPUT);
        if (rc != input) break;
        MSG msg;
        if (quit) {
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        // Looking at the queue answers the messages other threads send, whatever heads it.
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != CmnWmBusyClose) {
            *pumping = 1;
            BOOL more = AfxPumpMessage();
            *pumping = 0;
            if (!more) {
                CWinThread* thread = AfxGetThread();
                ::PostQuitMessage(thread ? static_cast<int>(thread->m_msgCur.wParam) : 0);
                quit = true;
                break;
            }
        }
    }
}
