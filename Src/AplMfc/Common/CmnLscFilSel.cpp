// The file list's selection and scrolling: what the notifications and keys report to the main
// frame, paths and searches, selecting a path or an item, and thumbnail mode's scrolling by
// lines of items.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnLscFilBsc"
#include "CmnLscFil.h"
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnSub.h"
#include <string.h>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

bool ShiftHeld() { return ::GetKeyState(VK_SHIFT) < 0; }

// Process-wide re-entry guard of the wheel (the user-interface thread's).
int s_bInWheel = 0;

} // namespace

// ---- Reports to the main frame ----

void CmnLscFil::SendToFrame(UINT message, LPARAM lParam)
{
    CmnApp* app = CmnGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (frame && frame->m_hWnd) frame->SendMessage(message, reinterpret_cast<WPARAM>(m_hWnd), lParam);
}

void CmnLscFil::PickPending()
{
    int item = m_iPending;
    CString path = GetPathName(item);
    SendToFrame(CmnWmSelImg, reinterpret_cast<LPARAM>(static_cast<const char*>(path)));
    theCmnSub.SetFocusWnd(m_hWnd);
    if (m_fii.iModeLstViw == LscModeRpt) ScrollListCenter(item);
    m_bPending = 0;
    m_iPending = -1;
}

bool CmnLscFil::KeyWaits()
{
    MSG msg;
    return ::PeekMessageA(&msg, m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE | PM_NOYIELD) != FALSE;
}

CString CmnLscFil::SelectedFolder()
{
    int selected = 0, folder = 0;
    CString path = IsSelected(&selected, &folder);
    return folder ? path : CString();
}

// ---- Notifications ----

BOOL CmnLscFil::OnNmClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bInit || ShiftHeld()) return FALSE;
    if (m_bPending) {
        PickPending();
    } else {
        SendToFrame(CmnWmActImg, 0);
        theCmnSub.SetFocusWnd(m_hWnd);
    }
    return FALSE;
}

BOOL CmnLscFil::OnNmRClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    HMENU popup = m_bInit && m_hMenu ? ::GetSubMenu(m_hMenu, 0) : nullptr;
    CWnd* owner = GetParent();
    if (!popup || !owner) return FALSE;
    POINT point = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->ptAction;
    ClientToScreen(&point);
    return ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner->m_hWnd, nullptr);
}

BOOL CmnLscFil::OnNmDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bInit) return FALSE;
    CString folder = SelectedFolder();
    if (!folder.IsEmpty()) {
        m_bPending = 0;
        m_iPending = -1;
        SendToFrame(CmnWmOpnDir, reinterpret_cast<LPARAM>(static_cast<const char*>(folder)));
    } else if (m_bPending) {
        PickPending();
    }
    return FALSE;
}

BOOL CmnLscFil::OnWmKeyUp(UINT, UINT key, UINT)
{
    if (!m_bInit) return FALSE;
    if (key == VK_RETURN && m_bRetOpened) {
        // The key opened the selected files as pages: the first of them stays in front.
        m_bRetOpened = 0;
        m_bPending = 0;
        m_iPending = -1;
        return TRUE;
    }
    if (key == VK_RETURN) {
        CString folder = SelectedFolder();
        if (!folder.IsEmpty()) {
            m_bPending = 0;
            m_iPending = -1;
            SendToFrame(CmnWmOpnDir, reinterpret_cast<LPARAM>(static_cast<const char*>(folder)));
            return TRUE;
        }
    } else if (ShiftHeld()) {
        return FALSE;
    }
    if (m_bPending && KeyWaits()) {
        // The keys go on over the list: only the item they stop at is picked (each pick opens
        // its image), so a picture already passed over is never decoded.
        return TRUE;
    }
    if (m_bPending) {
        PickPending();
    } else if (key == VK_RETURN) {
        SendToFrame(CmnWmActImg, 0);
        theCmnSub.SetFocusWnd(m_hWnd);
    }
    return TRUE;
}

// Items deleted together (a refill) scroll nothing.
BOOL CmnLscFil::OnLvnDeleteAllItems(NMHDR*, LRESULT* pResult)
{
    *pResult = m_bDeleting ? TRUE : FALSE;
    return TRUE;
}

BOOL CmnLscFil::OnLvnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bInit || m_bDeleting) return FALSE;
    int item = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iItem;
    int count = GetItemCount();
    if (item > 0 && item == count - 1) {
        if (IsLeftToRight() && m_fii.iModeLstViw != LscModeRpt) HScroll(SB_THUMBPOSITION, item - 1);
        else VScroll(SB_THUMBPOSITION, item - 1);
    }
    return FALSE;
}

BOOL CmnLscFil::OnLvnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* nm = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (!m_bInit || m_bDeleting || !(nm->uChanged & LVIF_STATE) || !(nm->uNewState & LVIS_SELECTED) ||
        (nm->uOldState & LVIS_SELECTED))
        return FALSE;
    int item = nm->iItem;
    if (item < 0) {
        // Every item changed: the last selected one.
        for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) item = i;
        if (item < 0) return FALSE;
    }
    SetPathName(GetPathName(item));
    if (m_strCurPath.IsEmpty()) return FALSE;
    m_bPending = 1;
    m_iPending = item;
    LscFilElm* elm = ItemElement(item);
    CmnIdl list(elm && elm->pIdl ? theCmnSub.DupItemIdList(elm->pIdl) : nullptr);
    if (list.Get()) {
        CmnVarItmIdl sel = {nullptr, list.Get(), 0};
        SendToFrame(CmnWmChgSel, reinterpret_cast<LPARAM>(&sel));
    }
    return FALSE;
}

BOOL CmnLscFil::OnLvnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bInit && !ShiftHeld() && m_bPending) PickPending();
    return TRUE;
}

BOOL CmnLscFil::OnLvnBeginRDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HMENU popup = m_bInit && m_hMenu ? ::GetSubMenu(m_hMenu, 0) : nullptr;
    CWnd* owner = GetParent();
    if (!popup || !owner) return TRUE;
    POINT point = {};
    ::GetCursorPos(&point);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner->m_hWnd, nullptr);
    return TRUE;
}

// ---- Paths ----

void CmnLscFil::SetPathName(const char* path)
{
    if (!path || !*path) {
        m_strCurPath.Empty();
        return;
    }
    char full[CmnPathSize] = {};
    if (VkeSubGetPathName(Sub(), full, path, sizeof(full)) != VKE_OK) {
        m_strCurPath.Empty();
        return;
    }
    m_strCurPath = full;
}

CString CmnLscFil::GetPathName(int item)
{
    if (!CheckInit("GetPathName", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return CString();
    LscFilElm* elm = item >= 0 && item < GetItemCount() ? ItemElement(item) : nullptr;
    return elm && elm->amPath.pBuffer ? CString(elm->amPath.pBuffer) : CString();
}

CString CmnLscFil::GetCurPathName() { return CheckInit("GetCurPathName", "Src\\AplMfc\\Common\\CmnLscFilBsc") ? m_strCurPath : CString(); }

int CmnLscFil::GetItmSli(CmnVarItmIdl* out)
{
    if (!CheckInit("GetItmSli", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (!out) return LSC_BSC("GetItmSli", VKE_ERR_ARG);
    return theCmnVar.CopyDat(CmnVarCodItmIdl, out, &m_sli);
}

// ---- Searching and selecting ----

int CmnLscFil::Search(LPCITEMIDLIST list, int* out)
{
    if (out) *out = -1;
    if (!CheckInit("Search", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (!out) return LSC_BSC("Search", VKE_ERR_ARG);
    if (!list) return VKE_ERR_NOT_FOUND;
    WaitThread(0, 0);
    CString key = theCmnSub.GetPathName(list);
    for (int item = 0, count = GetItemCount(); item < count; ++item) {
        LscFilElm* elm = ItemElement(item);
        if (!elm) continue;
        if ((!key.IsEmpty() && elm->amPath.iLength > 0 && key == elm->amPath.pBuffer) ||
            (elm->pIdl && theCmnSub.CmpItemIdList(elm->pIdl, list) == 0)) {
            *out = item;
            return VKE_OK;
        }
    }
    return VKE_ERR_NOT_FOUND;
}

int CmnLscFil::Search(const char* path, int* out)
{
    if (out) *out = -1;
    if (!CheckInit("Search", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (!path || !out) return LSC_BSC("Search", VKE_ERR_ARG);
    if (!*path) return VKE_ERR_NOT_FOUND;
    CmnIdl list(theCmnSub.GetItemIdList(path));
    return list.Get() ? Search(list.Get(), out) : VKE_ERR_NOT_FOUND;
}

// The item in sight: thumbnails by their own scrolling, details centred, the others by the
// control.
int CmnLscFil::ShowItem(int item)
{
    switch (m_fii.iModeLstViw) {
    case LscModeTmn:
        HScroll(SB_THUMBPOSITION, item);
        VScroll(SB_THUMBPOSITION, item);
        return VKE_OK;
    case LscModeRpt: return ScrollListCenter(item);
    default: return EnsureVisible(item, FALSE) ? VKE_OK : VKE_ERR_SYSTEM;
    }
}

int CmnLscFil::SetCurPath(const char* path, int force)
{
    if (!CheckInit("SetCurPath", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (!path || (force != 0 && force != 1)) return LSC_BSC("SetCurPath", VKE_ERR_ARG);
    WaitThread(0, 0);
    char full[CmnPathSize] = {};
    if (*path && VkeSubGetPathName(Sub(), full, path, sizeof(full)) != VKE_OK) full[0] = '\0';
    if (!force && m_strCurPath == full) return VKE_OK;
    SetItemState(-1, 0, LVIS_SELECTED);
    int item = -1;
    int rc = full[0] ? Search(full, &item) : VKE_ERR_NOT_FOUND;
    if (rc == VKE_OK) {
        ShowItem(item);
        SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_strCurPath = full;
        SendToFrame(CmnWmSelImg, reinterpret_cast<LPARAM>(static_cast<const char*>(m_strCurPath)));
        m_bPending = 0;
        m_iPending = -1;
    } else {
        m_strCurPath.Empty();
    }
    if (IsWindowVisible() && IsWindowEnabled()) theCmnSub.PostSetFocus(m_hWnd);
    if (rc != VKE_OK && rc != VKE_ERR_NOT_FOUND) LSC_BSC("SetCurPath", rc);
    return rc;
}

int CmnLscFil::SetCurSel(int item)
{
    if (!CheckInit("SetCurSel", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (item < -1 || item >= GetItemCount()) return LSC_BSC("SetCurSel", VKE_ERR_ARG);
    int rc = SetItemState(-1, 0, LVIS_SELECTED) ? VKE_OK : VKE_ERR_SYSTEM;
    CString path = item >= 0 ? GetPathName(item) : CString();
    if (rc == VKE_OK && !path.IsEmpty()) {
        ShowItem(item);
        if (!SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED)) rc = VKE_ERR_SYSTEM;
        m_strCurPath = path;
        SendToFrame(CmnWmSelImg, reinterpret_cast<LPARAM>(static_cast<const char*>(m_strCurPath)));
        m_bPending = 0;
        m_iPending = -1;
    } else {
        m_strCurPath.Empty();
    }
    if (IsWindowVisible() && IsWindowEnabled()) theCmnSub.PostSetFocus(m_hWnd);
    return rc == VKE_OK ? rc : LSC_BSC("SetCurSel", rc);
}

int CmnLscFil::GetCurSel(int* out)
{
    if (out) *out = -1;
    if (!CheckInit("GetCurSel", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (!out) return LSC_BSC("GetCurSel", VKE_ERR_ARG);
    int rc = Search(m_strCurPath, out);
    return rc == VKE_ERR_NOT_FOUND ? VKE_OK : rc;
}

int CmnLscFil::NextFileItem(int from, int* files, bool (*shows)(const CString& path))
{
    const int count = m_bInit ? GetItemCount() : 0;
    int next = -1, n = 0;
    for (int i = 0; i < count && (files || next < 0); ++i) {
        const int item = ((from < 0 ? 0 : from) + i) % count;
        const LscFilElm* elm = ItemElement(item);
        if (!elm || !elm->bNormal || (shows && !shows(GetPathName(item)))) continue;
        if (next < 0) next = item;
        ++n;
    }
    if (files) *files = n;
    return next;
}

CString CmnLscFil::IsSelected(int* selected, int* folder)
{
    if (selected) *selected = 0;
    if (folder) *folder = 0;
    if (!CheckInit("IsSelected", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return CString();
    CString path;
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0 && path.IsEmpty(); i = GetNextItem(i, LVNI_SELECTED))
        path = GetPathName(i);
    if (selected) *selected = GetSelectedCount() > 0 ? 1 : 0;
    if (folder && GetSelectedCount() == 1 && !path.IsEmpty()) {
        int isFolder = 0;
        *folder = VkeSubIsDirectory(Sub(), path, &isFolder) == VKE_OK && isFolder ? 1 : 0;
    }
    return path;
}

int CmnLscFil::IsEnableEditSelAll(int* out)
{
    if (!out) return LSC_BSC("IsEnableEditSelAll", VKE_ERR_ARG);
    *out = m_bInit && ::GetFocus() == m_hWnd && GetItemCount() > 0 ? 1 : 0;
    return VKE_OK;
}

void CmnLscFil::EditSelAll()
{
    int on = 0;
    if (IsEnableEditSelAll(&on) != VKE_OK || !on) return;
    CmnWaitCursor wait;
    WaitThread(0, 0);
    SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

// ---- Scrolling ----

int CmnLscFil::IsLeftToRight() const { return (GetStyle() & LVS_ALIGNMASK) == LVS_ALIGNLEFT ? 1 : 0; }

int CmnLscFil::GetOrigin(POINT* out)
{
    if (!CheckInit("GetOrigin", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (!out) return LSC_BSC("GetOrigin", VKE_ERR_ARG);
    RECT view = {};
    if (!GetViewRect(&view)) return LSC_BSC("GetOrigin", VKE_ERR_SYSTEM);
    out->x = -view.left;
    out->y = -view.top;
    return VKE_OK;
}

LscScrGeo CmnLscFil::ScrollGeo(bool)
{
    LscScrGeo geo = {};
    geo.iCount = GetItemCount();
    RECT client;
    GetClientRect(&client);
    geo.sizClient = {client.right - client.left, client.bottom - client.top};
    DWORD spacing = static_cast<DWORD>(SendMessage(LVM_GETITEMSPACING, FALSE));
    geo.sizSpacing = {LOWORD(spacing) > 0 ? LOWORD(spacing) : 1, HIWORD(spacing) > 0 ? HIWORD(spacing) : 1};
    geo.bLeftToRight = IsLeftToRight();
    GetOrigin(&geo.ptOrigin);
    // Does the item after a computed line start a line of its own?
    int cols = geo.sizClient.cx / geo.sizSpacing.cx, rows = geo.sizClient.cy / geo.sizSpacing.cy;
    int per = geo.bLeftToRight ? (rows > 0 ? rows : 1) : (cols > 0 ? cols : 1);
    POINT first = {}, next = {};
    geo.bNextStarts = 1;
    if (geo.iCount > per && GetItemPosition(0, &first) && GetItemPosition(per, &next))
        geo.bNextStarts = geo.bLeftToRight ? next.y == first.y : next.x == first.x;
    return geo;
}

int CmnLscFil::ScrollInfo(const LscScrGeo& geo, SCROLLINFO* info, int* perLine)
{
    int cols = geo.sizClient.cx / geo.sizSpacing.cx, rows = geo.sizClient.cy / geo.sizSpacing.cy;
    if (cols < 1) cols = 1;
    if (rows < 1) rows = 1;
    int per = geo.bLeftToRight ? rows : cols;
    if (geo.iCount > per && !geo.bNextStarts) ++per;
    memset(info, 0, sizeof(*info));
    info->cbSize = sizeof(*info);
    info->fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info->nMin = 0;
    info->nMax = geo.iCount / per - (geo.iCount % per == 0 ? 1 : 0);
    info->nPage = static_cast<UINT>(rows * cols);
    info->nPos = geo.bLeftToRight ? geo.ptOrigin.x / geo.sizSpacing.cx : geo.ptOrigin.y / geo.sizSpacing.cy;
    *perLine = per;
    return VKE_OK;
}

int CmnLscFil::ScrollTarget(const SCROLLINFO& info, int perLine, int code, int position)
{
    int per = perLine > 0 ? perLine : 1;
    int page = static_cast<int>(info.nPage) / per;
    if (page < 1) page = 1; // a page moves a line at least
    int target = info.nPos;
    switch (code) {
    case SB_LINEUP: --target; break;
    case SB_LINEDOWN: ++target; break;
    case SB_PAGEUP: target -= page; break;
    case SB_PAGEDOWN: target += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: target = position / per; break;
    case SB_TOP: target = info.nMin; break;
    case SB_BOTTOM: target = info.nMax; break;
    default: break;
    }
    int most = info.nMax - page + 1;
    if (target > most) target = most;
    if (target < info.nMin) target = info.nMin; // the minimum wins
    return target;
}

int CmnLscFil::GetHScrInfo(SCROLLINFO* info, int* perLine)
{
    if (!m_bInit) return VKE_ERR_NOT_INIT;
    if (!info || !perLine) return LSC_BSC("GetHScrInfo", VKE_ERR_ARG);
    if ( m_fii.iModeLstViw != LscModeTmn || GetItemCount() == 0 || !IsLeftToRight()) return VKE_NOT_DONE;
    return ScrollInfo(ScrollGeo(true), info, perLine);
}

int CmnLscFil::GetVScrInfo(SCROLLINFO* info, int* perLine)
{
    if (!m_bInit) return VKE_ERR_NOT_INIT;
    if (!info || !perLine) return LSC_BSC("GetVScrInfo", VKE_ERR_ARG);
    if ( m_fii.iModeLstViw != LscModeTmn || GetItemCount() == 0 || IsLeftToRight()) return VKE_NOT_DONE;
    return ScrollInfo(ScrollGeo(false), info, perLine);
}

int CmnLscFil::GetHScrPos()
{
    SCROLLINFO info;
    int per = 1;
    return GetHScrInfo(&info, &per) == VKE_OK ? info.nPos : 0;
}

int CmnLscFil::GetVScrPos()
{
    SCROLLINFO info;
    int per = 1;
    return GetVScrInfo(&info, &per) == VKE_OK ? info.nPos : 0;
}

int CmnLscFil::ScrollBy(bool horizontal, int code, int position)
{
    SCROLLINFO info;
    int per = 1;
    int rc = horizontal ? GetHScrInfo(&info, &per) : GetVScrInfo(&info, &per);
    if (rc != VKE_OK) return rc;
    if (code == SB_ENDSCROLL) return VKE_OK;
    int target = ScrollTarget(info, per, code, position);
    LscScrGeo geo = ScrollGeo(horizontal);
    int dx = horizontal ? target * geo.sizSpacing.cx - geo.ptOrigin.x : 0;
    int dy = horizontal ? 0 : target * geo.sizSpacing.cy - geo.ptOrigin.y;
    if (dx || dy) Scroll(CSize(dx, dy));
    return VKE_OK;
}

int CmnLscFil::HScroll(int code, int position) { return ScrollBy(true, code, position); }

int CmnLscFil::VScroll(int code, int position) { return ScrollBy(false, code, position); }

// A scroll bar's thumb position is in the control's pixels: whole spacings, rounded up, times
// the items per line make the item index.
BOOL CmnLscFil::OnWmHScroll(UINT, int code, int position) { return OnWmScroll(true, code, position); }

BOOL CmnLscFil::OnWmVScroll(UINT, int code, int position) { return OnWmScroll(false, code, position); }

BOOL CmnLscFil::OnWmScroll(bool horizontal, int code, int position)
{
    SCROLLINFO info;
    int per = 1;
    if (!m_bInit || (horizontal ? GetHScrInfo(&info, &per) : GetVScrInfo(&info, &per)) != VKE_OK) return FALSE;
    SetFocus();
    if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
        LRESULT both = SendMessage(LVM_GETITEMSPACING, FALSE);
        int spacing = horizontal ? LOWORD(both) : HIWORD(both);
        if (spacing <= 0) spacing = 1;
        position = (position + spacing - 1) / spacing * per;
    }
    return (horizontal ? HScroll(code, position) : VScroll(code, position)) == VKE_OK;
}

BOOL CmnLscFil::OnWmMouseWheel(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bInit || s_bInWheel) return FALSE;
    s_bInWheel = 1;
    SetFocus();
    CWnd* parent = GetParent();
    if (!(parent && parent->SendMessage(message, wParam, lParam)))
        MouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam));
    s_bInWheel = 0;
    return TRUE;
}

int CmnLscFil::MouseWheel(UINT, short delta)
{
    if (!m_bInit) return VKE_ERR_NOT_INIT;
    int notches = (delta < 0 ? -delta : delta) / WHEEL_DELTA;
    if (notches == 0 || GetItemCount() == 0) return VKE_NOT_DONE;
    UINT message = IsLeftToRight() && m_fii.iModeLstViw != LscModeRpt ? WM_HSCROLL : WM_VSCROLL;
    for (int i = 0; i < notches; ++i) {
        PostMessage(message, delta > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
        PostMessage(message, SB_ENDSCROLL, 0);
    }
    return VKE_OK;
}

int CmnLscFil::ScrollListCenter(int item)
{
    if (!CheckInit("ScrollListCenter", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (m_fii.iModeLstViw != LscModeRpt) return VKE_OK;
    RECT rect = {}, client = {};
    if (!GetItemRect(item, &rect, LVIR_BOUNDS)) return LSC_PRO("ScrollListCenter", VKE_ERR_ARG);
    GetClientRect(&client);
    int dy = rect.top - client.bottom / 2;
    if (dy) Scroll(CSize(0, dy));
    SetFocus();
    return VKE_OK;
}
