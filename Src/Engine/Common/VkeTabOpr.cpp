// The tab control's pages: opening, closing, moving, selecting, searching, locking and titles.
#define VKE_MODULE "Src\\Engine\\Common\\VkeTabOpr"
#include "VkiTab.h"
#include "VkiDrw.h"
#include "VkiSys.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include <new>
#include <string.h>

namespace {


// What a page window loses and gains when it goes on a tab.
const DWORD kPageStyleOff = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_MINIMIZE | WS_MAXIMIZE | WS_MINIMIZEBOX |
                            WS_MAXIMIZEBOX | WS_VISIBLE;
const DWORD kPageStyleOn = WS_CHILD | WS_CLIPSIBLINGS;
// Titles are read up to 1023 bytes.
const int kTitleSize = 1024;

// Ends text of len bytes after its last whole character (a lead byte cut from its trail goes).
void EndOnCharacter(char* text, int len)
{
    int i = 0;
    while (i < len) {
        int n = VkiChrLen(text + i);
        if (n == 0 || (n == 1 && VkiIsSjsLead(static_cast<unsigned char>(text[i])) && i + 1 >= len)) break;
        i += n;
    }
    text[i] = '\0';
}

// Folds one close into the result of a range: the first failure, else 1 once a page stayed.
void FoldClose(int* result, int rc)
{
    if (*result >= 0 && rc != VKE_OK) *result = rc < 0 ? rc : VKE_NOT_DONE;
}

// Raises a page window over its siblings, shows it and has it repaint.
int RaisePage(HWND child)
{
    if (!SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW))
        return VKE_ERR_SYSTEM;
    InvalidateRect(child, nullptr, FALSE);
    return VKE_OK;
}

} // namespace

// ---- Helpers ----

Tbi* VkiTab::TbiAt(int index) const
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (!m_hWnd || !GetItem(index, &item)) return nullptr;
    return reinterpret_cast<Tbi*>(item.lParam);
}

int VkiTab::FindChild(HWND child) const
{
    for (int i = 0; i < m_iPageCnt; ++i) {
        Tbi* tbi = TbiAt(i);
        if (tbi && tbi->hChdWnd == child) return i;
    }
    return -1;
}

int VkiTab::FindPageNo(int pageNo) const
{
    for (int i = 0; i < m_iPageCnt; ++i) {
        Tbi* tbi = TbiAt(i);
        if (tbi && tbi->iPageNo == pageNo) return i;
    }
    return -1;
}

bool VkiTab::ReadTitle(int index, char* buffer, int size) const
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = size;
    buffer[0] = '\0';
    if (!GetItem(index, &item)) return false;
    // The control may give its own buffer, or cut inside a character.
    if (item.pszText && item.pszText != buffer) VkiCopyStr(buffer, item.pszText, size);
    buffer[size - 1] = '\0';
    EndOnCharacter(buffer, static_cast<int>(strlen(buffer)));
    return true;
}

bool VkiTab::InPreview() const
{
    int preview = 0;
    return m_pSys && m_pSys->GetPrintPreviewFlag(&preview) == VKE_OK && preview != 0;
}

RECT VkiTab::DisplayArea()
{
    RECT area = {};
    GetClientRect(&area);
    AdjustRect(FALSE, &area);
    return area;
}

bool VkiTab::DeleteTab(int index)
{
    RECT before = DisplayArea();
    if (!DeleteItem(index)) return false;
    // Without its last tab (or a row of tabs) the display area grows over the strip, which the
    // control does not repaint: the strip stayed on the screen.
    RECT after = DisplayArea();
    if (!EqualRect(&before, &after)) Invalidate(TRUE);
    return true;
}

int VkiTab::FitPages()
{
    RECT area = DisplayArea();
    for (int i = 0; i < m_iPageCnt; ++i) {
        Tbi* tbi = TbiAt(i);
        if (!tbi || !tbi->hChdWnd) return VKE_ERR_SYSTEM;
        ::MoveWindow(tbi->hChdWnd, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    }
    return VKE_OK;
}

RECT VkiTab::OwnRect() const
{
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int VkiTab::MoveTo(const RECT& rect)
{
    if (InPreview()) return VKE_OK;
    MoveWindow(&rect, TRUE);
    return FitPages();
}

LRESULT VkiTab::SendParent(UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND parent = ::GetParent(m_hWnd);
    return parent ? ::SendMessageA(parent, message, wParam, lParam) : 0;
}

LRESULT VkiTab::Notify(NMHDR* hdr, UINT code) const
{
    hdr->hwndFrom = m_hWnd;
    hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hdr->code = code;
    return SendParent(WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

int VkiTab::Changing(LRESULT* reply)
{
    NMHDR hdr = {};
    return SelChanging(&hdr, reply);
}

int VkiTab::Change()
{
    NMHDR hdr = {};
    LRESULT reply = 0;
    return SelChange(&hdr, &reply);
}

int VkiTab::TabAt(POINT pt) const
{
    TCHITTESTINFO hit = {pt, 0};
    int index = HitTest(&hit);
    return index >= 0 && index < m_iPageCnt ? index : -1;
}

int VkiTab::TabUnderX(int x) const
{
    // Left of the first tab shown counts as that tab, right of the last as the last; a gap is
    // none. A strip scrolled along has no rectangle for the tabs scrolled out before it.
    bool first = true;
    for (int i = 0; i < m_iPageCnt; ++i) {
        RECT rect = {};
        if (!GetItemRect(i, &rect)) {
            if (first) continue;
            return -1;
        }
        if (!first && x < rect.left) return -1;
        first = false;
        if (x < rect.right) return i;
    }
    return first ? -1 : m_iPageCnt - 1;
}

void VkiTab::EndDrag()
{
    if (m_iDragTimerOn) KillTimer(m_uDragTimerId);
    m_iDragTimerOn = 0;
    bool dragging = m_iDragging != 0;
    m_iDragging = 0;
    m_iDragIdx = -1;
    if (dragging && ::GetCapture() == m_hWnd) ReleaseCapture();
}

int VkiTab::Place(int index, int pageNo, HWND child, int* at) const
{
    *at = -1;
    int onTab = FindChild(child);
    if (!m_iFixedPage) {
        int numbered = FindPageNo(pageNo);
        if (onTab >= 0 && onTab == numbered) return VKE_OK; // open already
        if (onTab >= 0 || numbered >= 0) return VKE_ERR_ARG;
        *at = index == -1 ? m_iPageCnt : index;
        return VKE_OK;
    }
    // In page-number order: before the first greater number.
    int before = m_iPageCnt;
    for (int i = 0; i < m_iPageCnt; ++i) {
        Tbi* tbi = TbiAt(i);
        if (!tbi) return VKE_ERR_SYSTEM;
        if (tbi->iPageNo == pageNo) return tbi->hChdWnd == child ? VKE_OK : VKE_ERR_ARG;
        if (tbi->iPageNo > pageNo) {
            before = i;
            break;
        }
    }
    if (onTab >= 0) return VKE_ERR_ARG;
    *at = before;
    return VKE_OK;
}

// ---- Size and focus ----

int VkiTab::Move(const RECT* rect)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!rect || IsRectEmpty(rect)) return VKE_ERR_ARG;
    return MoveTo(*rect);
}

int VkiTab::SetFocusPage()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int sel = Selected();
    Tbi* tbi = sel >= 0 ? TbiAt(sel) : nullptr;
    HWND first = nullptr;
    if (tbi && tbi->hChdWnd && m_pDrw->GetFstFcsCtlHandle(tbi->hChdWnd, &first) == VKE_OK && first)
        return m_pDrw->SetFocusWnd(first);
    return m_pDrw->SetFocusWnd(m_hWnd);
}

// ---- Opening and closing ----

int VkiTab::OpenPage(int index, int pageNo, HWND child, int locked, const char* title)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!title || !child || !IsWindow(child) || child == m_hWnd || ::IsChild(child, m_hWnd)) return VKE_ERR_ARG;
    if (!m_iFixedPage && index != -1 && (index < 0 || index > m_iPageCnt)) return VKE_ERR_ARG;
    if (!VkiIsFlag(locked) || (locked && !m_iCtlLock)) return VKE_ERR_ARG;
    m_iRbcIdx = -1;
    int at = -1;
    int rc = Place(index, pageNo, child, &at);
    if (rc != VKE_OK || at < 0) return rc;

    // A plain child of the tab window, shown only when no page is selected yet.
    bool show = Selected() < 0;
    ::ShowWindow(child, SW_HIDE);
    LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    SetWindowLongPtrA(child, GWL_STYLE, (style & ~static_cast<LONG_PTR>(kPageStyleOff)) | kPageStyleOn);
    if (!::SetParent(child, m_hWnd)) return VKE_ERR_ARG;
    ::SetWindowPos(child, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (show) ::ShowWindow(child, SW_SHOWNA);

    Tbi* tbi = new (std::nothrow) Tbi{pageNo, child, locked};
    if (!tbi) return VKE_ERR_MEMORY;
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(title);
    item.lParam = reinterpret_cast<LPARAM>(tbi);
    const RECT before = DisplayArea();
    at = InsertItem(at, &item);
    if (at < 0) {
        delete tbi;
        return VKE_ERR_MEMORY;
    }
    ++m_iPageCnt;
    // The other pages fill the display area already unless the new tab changed it (a strip of
    // another height): only then are they all fitted again, else the new page alone.
    const RECT after = DisplayArea();
    if (InPreview() || !EqualRect(&before, &after)) {
        rc = MoveTo(OwnRect());
    } else {
        ::MoveWindow(child, after.left, after.top, after.right - after.left, after.bottom - after.top, TRUE);
        rc = VKE_OK;
    }
    if (rc != VKE_OK) {
        DeleteTab(at);
        delete tbi;
        if (--m_iPageCnt == 0) CTabCtrl::SetCurSel(-1);
    }
    return rc;
}

int VkiTab::ClosePage(int index, int force)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index) || !VkiIsFlag(force)) return VKE_ERR_ARG;
    m_iRbcIdx = -1;
    // The selected page keeps its place; closing it as the last page selects the one before.
    int sel = Selected();
    int keep = index < sel || (index == sel && sel == m_iPageCnt - 1) ? sel - 1 : sel;
    LRESULT ignored = 0;
    int rc = Changing(&ignored);
    if (rc != VKE_OK) return rc;
    Tbi* tbi = TbiAt(index);
    if (tbi && tbi->iLocked && !force) {
        rc = Change();
        return rc == VKE_OK ? VKE_NOT_DONE : rc;
    }
    if (!DeleteTab(index)) return VKE_ERR_SYSTEM;
    delete tbi;
    --m_iPageCnt;
    CTabCtrl::SetCurSel(m_iPageCnt == 0 ? -1 : keep);
    return Change();
}

int VkiTab::CloseDown(int high, int low, int force)
{
    int result = VKE_OK;
    for (int i = high; i >= low; --i) FoldClose(&result, ClosePage(i, force));
    return result;
}

int VkiTab::ClosePageAll(int force)
{
    // Answers before Init too: there are no pages then.
    if (!VkiIsFlag(force)) return VKE_ERR_ARG;
    return CloseDown(m_iPageCnt - 1, 0, force);
}

int VkiTab::ClosePagePrevAll(int index, int force)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index) || !VkiIsFlag(force)) return VKE_ERR_ARG;
    return CloseDown(index - 1, 0, force);
}

int VkiTab::ClosePageNextAll(int index, int force)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index) || !VkiIsFlag(force)) return VKE_ERR_ARG;
    return CloseDown(m_iPageCnt - 1, index + 1, force);
}

int VkiTab::ClosePageOtherAll(int index, int force)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index) || !VkiIsFlag(force)) return VKE_ERR_ARG;
    int result = CloseDown(m_iPageCnt - 1, index + 1, force);
    FoldClose(&result, CloseDown(index - 1, 0, force));
    return result;
}

// ---- Moving ----

int VkiTab::MovePage(int from, int to)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (m_iFixedPage) return VKE_ERR_EXISTS;
    if (!IsIndex(from)) return VKE_ERR_ARG;
    VkiTabGuard guard(g_vkiTabFlags.move);
    if (guard.Busy()) return VKE_ERR_EXISTS;
    m_iRbcIdx = -1;
    int last = m_iPageCnt - 1;
    if (to == -1) to = last;
    else if (!IsIndex(to)) return VKE_ERR_ARG;
    if (from == to) return VKE_OK;

    int fallback = from == last ? from - 1 : from;
    LRESULT ignored = 0;
    int rc = Changing(&ignored);
    if (rc != VKE_OK) return rc;
    char title[kTitleSize];
    Tbi* tbi = TbiAt(from);
    if (!tbi || !ReadTitle(from, title, sizeof(title))) return VKE_ERR_SYSTEM;
    if (!DeleteItem(from)) return VKE_ERR_SYSTEM;
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = title;
    item.lParam = reinterpret_cast<LPARAM>(tbi);
    if (InsertItem(to, &item) < 0) {
        // The tab is lost; its window stays with its owner.
        delete tbi;
        --m_iPageCnt;
        CTabCtrl::SetCurSel(m_iPageCnt == 0 ? -1 : fallback);
        Change();
        return VKE_ERR_MEMORY;
    }
    CTabCtrl::SetCurSel(to);
    rc = Change();
    if (rc == VKE_OK) {
        VkeTabMoveInf moved = {from, to};
        SendParent(VkeWmMovePage, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&moved));
    }
    return rc;
}

// ---- Selecting ----

int VkiTab::SelChanging(NMHDR* hdr, LRESULT* reply)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!hdr || !reply) return VKE_ERR_ARG;
    *reply = 0;
    VkiTabGuard guard(g_vkiTabFlags.changing);
    if (guard.Busy()) {
        EndDrag();
        return VKE_OK;
    }
    *reply = Notify(hdr, TCN_SELCHANGING);
    return VKE_OK;
}

int VkiTab::SelChange(NMHDR* hdr, LRESULT* reply)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!hdr || !reply) return VKE_ERR_ARG;
    *reply = 0;
    VkiTabGuard guard(g_vkiTabFlags.change);
    if (guard.Busy()) {
        EndDrag();
        return VKE_OK;
    }
    // The selected page goes over the others, which stay below it, and takes the focus.
    int sel = Selected();
    if (sel >= 0) {
        Tbi* tbi = TbiAt(sel);
        if (!tbi || !tbi->hChdWnd || RaisePage(tbi->hChdWnd) != VKE_OK) return VKE_ERR_SYSTEM;
        SetFocusPage();
    }
    Notify(hdr, TCN_SELCHANGE);
    return VKE_OK;
}

int VkiTab::SetCurSel(int index)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (index != -1 && !IsIndex(index)) return VKE_ERR_ARG;
    m_iRbcIdx = -1;
    LRESULT refuse = 0;
    int rc = Changing(&refuse);
    if (rc != VKE_OK) return rc;
    if (refuse) return VKE_NOT_DONE;
    CTabCtrl::SetCurSel(index);
    return Change();
}

int VkiTab::ShowPage(int index)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index)) return VKE_ERR_ARG;
    if (index != Selected()) return SetCurSel(index);
    Tbi* tbi = TbiAt(index);
    if (!tbi || !tbi->hChdWnd) return VKE_ERR_SYSTEM;
    return RaisePage(tbi->hChdWnd);
}

int VkiTab::ShowFirstPage()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (m_iPageCnt == 0 || Selected() == 0) return VKE_OK;
    return SetCurSel(0);
}

int VkiTab::ShowLastPage()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int last = m_iPageCnt - 1;
    if (last < 0 || Selected() == last) return VKE_OK;
    return SetCurSel(last);
}

int VkiTab::ShowPrevPage(int index, int wrap)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index) || !VkiIsFlag(wrap)) return VKE_ERR_ARG;
    int target = index > 0 ? index - 1 : wrap ? m_iPageCnt - 1 : 0;
    return target == index ? VKE_OK : SetCurSel(target);
}

int VkiTab::ShowNextPage(int index, int wrap)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index) || !VkiIsFlag(wrap)) return VKE_ERR_ARG;
    int last = m_iPageCnt - 1;
    int target = index < last ? index + 1 : wrap ? 0 : last;
    return target == index ? VKE_OK : SetCurSel(target);
}

// ---- Searching and reading ----

int VkiTab::SchPageByChdHdl(HWND child, int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !child) return VKE_ERR_ARG;
    *out = FindChild(child);
    return *out >= 0 ? VKE_OK : VKE_ERR_NOT_FOUND;
}

int VkiTab::SchPageByPageNo(int pageNo, int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = FindPageNo(pageNo);
    return *out >= 0 ? VKE_OK : VKE_ERR_NOT_FOUND;
}

int VkiTab::GetPageCnt(int* out) { return VkiAnswer(IsInit(), out, m_iPageCnt); }

int VkiTab::GetRbcIdx(int* out) { return VkiAnswer(IsInit(), out, m_iRbcIdx); }

int VkiTab::GetCurSel(int* out) { return VkiAnswer(IsInit(), out, Selected()); }

int VkiTab::GetTbi(int index, Tbi* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = {};
    if (!IsIndex(index)) return VKE_ERR_ARG;
    Tbi* tbi = TbiAt(index);
    if (!tbi) return VKE_ERR_SYSTEM;
    *out = *tbi;
    return VKE_OK;
}

int VkiTab::GetPage(int index, Tbi* out)
{
    int rc = GetTbi(index, out);
    return rc == VKE_OK && !out->hChdWnd ? VKE_ERR_SYSTEM : rc;
}

int VkiTab::GetTbiByChdHdl(HWND child, Tbi* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !child) return VKE_ERR_ARG;
    *out = {};
    int index = FindChild(child);
    return index >= 0 ? GetTbi(index, out) : VKE_ERR_NOT_FOUND;
}

int VkiTab::GetTbiByPageNo(int pageNo, Tbi* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = {};
    int index = FindPageNo(pageNo);
    return index >= 0 ? GetTbi(index, out) : VKE_ERR_NOT_FOUND;
}

int VkiTab::GetChdHdl(int index, HWND* out)
{
    if (!out) return VKE_ERR_ARG;
    Tbi tbi = {};
    int rc = GetPage(index, &tbi);
    *out = tbi.hChdWnd;
    return rc;
}

int VkiTab::GetPageNo(int index, int* out)
{
    if (!out) return VKE_ERR_ARG;
    Tbi tbi = {};
    int rc = GetPage(index, &tbi);
    *out = tbi.iPageNo;
    return rc;
}

int VkiTab::GetCurChdHdl(HWND* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    int sel = Selected();
    return sel >= 0 ? GetChdHdl(sel, out) : VKE_ERR_NOT_FOUND;
}

int VkiTab::GetCurPageNo(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    int sel = Selected();
    return sel >= 0 ? GetPageNo(sel, out) : VKE_ERR_NOT_FOUND;
}

int VkiTab::GetRbcChdHdl(HWND* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    return IsIndex(m_iRbcIdx) ? GetChdHdl(m_iRbcIdx, out) : VKE_ERR_NOT_FOUND;
}

int VkiTab::GetRbcPageNo(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    return IsIndex(m_iRbcIdx) ? GetPageNo(m_iRbcIdx, out) : VKE_ERR_NOT_FOUND;
}

// ---- Locks and titles ----

int VkiTab::SetLockedFlag(int index, int flag)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index) || !VkiIsFlag(flag)) return VKE_ERR_ARG;
    if (!m_iCtlLock) return VKE_ERR_EXISTS;
    VkiTabGuard guard(g_vkiTabFlags.lock);
    if (guard.Busy()) return VKE_ERR_EXISTS;
    // The parent may make the change itself.
    VkeTabLockReq req = {index, flag, 0};
    if (SendParent(VkeWmSetLocked, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&req)) != 0 &&
        req.iHandled == 1)
        return VKE_OK;
    Tbi* tbi = TbiAt(index);
    if (!tbi) return VKE_ERR_SYSTEM;
    if (tbi->iLocked == flag) return VKE_OK;
    if (!tbi->hChdWnd) return VKE_ERR_SYSTEM;
    tbi->iLocked = flag;
    RECT rect = {};
    if (GetItemRect(index, &rect)) InvalidateRect(&rect, FALSE);
    return VKE_OK;
}

int VkiTab::GetLockedFlag(int index, int* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    Tbi tbi = {};
    int rc = GetTbi(index, &tbi);
    *out = tbi.iLocked;
    return rc;
}

int VkiTab::SetTitle(int index, const char* title)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsIndex(index) || !title) return VKE_ERR_ARG;
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(title);
    RECT before = StripRect();
    if (!SetItem(index, &item)) return VKE_ERR_SYSTEM;
    // A title changes the strip alone: the pages below repaint only when the strip's height did.
    RECT after = StripRect();
    if (EqualRect(&before, &after)) InvalidateRect(&after, FALSE);
    else Invalidate(FALSE);
    return VKE_OK;
}

int VkiTab::GetTitle(int index, char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buffer || size < 1) return VKE_ERR_ARG;
    buffer[0] = '\0';
    if (!IsIndex(index)) return VKE_ERR_ARG;
    // Read one byte more than fits, so that a cut is seen and made on a character boundary.
    VkiWorkCopy work;
    char* room = work.Room(size + 2);
    if (!room) return VKE_ERR_MEMORY;
    if (!ReadTitle(index, room, size + 2)) return VKE_ERR_SYSTEM;
    return VkiCopyStr(buffer, room, size);
}

// ---- Exports ----

VKE_API int VkeTabMove(VkiTab* tab, const RECT* rect) { VKE_FRAME(tab, tab->Sub(), tab->Move(rect)); }
VKE_API int VkeTabSetFocusPage(VkiTab* tab) { VKE_FRAME(tab, tab->Sub(), tab->SetFocusPage()); }
VKE_API int VkeTabOpenPage(VkiTab* tab, int index, int pageNo, HWND child, int locked, const char* title) { VKE_FRAME(tab, tab->Sub(), tab->OpenPage(index, pageNo, child, locked, title)); }
VKE_API int VkeTabClosePage(VkiTab* tab, int index, int force) { VKE_FRAME(tab, tab->Sub(), tab->ClosePage(index, force)); }
VKE_API int VkeTabClosePageAll(VkiTab* tab, int force) { VKE_FRAME(tab, tab->Sub(), tab->ClosePageAll(force)); }
VKE_API int VkeTabClosePagePrevAll(VkiTab* tab, int index, int force) { VKE_FRAME(tab, tab->Sub(), tab->ClosePagePrevAll(index, force)); }
VKE_API int VkeTabClosePageNextAll(VkiTab* tab, int index, int force) { VKE_FRAME(tab, tab->Sub(), tab->ClosePageNextAll(index, force)); }
VKE_API int VkeTabClosePageOtherAll(VkiTab* tab, int index, int force) { VKE_FRAME(tab, tab->Sub(), tab->ClosePageOtherAll(index, force)); }
VKE_API int VkeTabMovePage(VkiTab* tab, int from, int to) { VKE_FRAME(tab, tab->Sub(), tab->MovePage(from, to)); }
VKE_API int VkeTabShowPage(VkiTab* tab, int index) { VKE_FRAME(tab, tab->Sub(), tab->ShowPage(index)); }
VKE_API int VkeTabShowFirstPage(VkiTab* tab) { VKE_FRAME(tab, tab->Sub(), tab->ShowFirstPage()); }
VKE_API int VkeTabShowLastPage(VkiTab* tab) { VKE_FRAME(tab, tab->Sub(), tab->ShowLastPage()); }
VKE_API int VkeTabShowPrevPage(VkiTab* tab, int index, int wrap) { VKE_FRAME(tab, tab->Sub(), tab->ShowPrevPage(index, wrap)); }
VKE_API int VkeTabShowNextPage(VkiTab* tab, int index, int wrap) { VKE_FRAME(tab, tab->Sub(), tab->ShowNextPage(index, wrap)); }
VKE_API int VkeTabSchPageByChdHdl(VkiTab* tab, HWND child, int* out) { VKE_FRAME(tab, tab->Sub(), tab->SchPageByChdHdl(child, out)); }
VKE_API int VkeTabSchPageByPageNo(VkiTab* tab, int pageNo, int* out) { VKE_FRAME(tab, tab->Sub(), tab->SchPageByPageNo(pageNo, out)); }
VKE_API int VkeTabGetPageCnt(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetPageCnt(out)); }
VKE_API int VkeTabGetRbcIdx(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetRbcIdx(out)); }
VKE_API int VkeTabGetCurSel(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetCurSel(out)); }
VKE_API int VkeTabGetRbcChdHdl(VkiTab* tab, HWND* out) { VKE_FRAME(tab, tab->Sub(), tab->GetRbcChdHdl(out)); }
VKE_API int VkeTabGetRbcPageNo(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetRbcPageNo(out)); }
VKE_API int VkeTabGetTbi(VkiTab* tab, int index, Tbi* out) { VKE_FRAME(tab, tab->Sub(), tab->GetTbi(index, out)); }
VKE_API int VkeTabGetTbiByChdHdl(VkiTab* tab, HWND child, Tbi* out) { VKE_FRAME(tab, tab->Sub(), tab->GetTbiByChdHdl(child, out)); }
VKE_API int VkeTabGetTbiByPageNo(VkiTab* tab, int pageNo, Tbi* out) { VKE_FRAME(tab, tab->Sub(), tab->GetTbiByPageNo(pageNo, out)); }
VKE_API int VkeTabGetChdHdl(VkiTab* tab, int index, HWND* out) { VKE_FRAME(tab, tab->Sub(), tab->GetChdHdl(index, out)); }
VKE_API int VkeTabGetPageNo(VkiTab* tab, int index, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetPageNo(index, out)); }
VKE_API int VkeTabGetCurChdHdl(VkiTab* tab, HWND* out) { VKE_FRAME(tab, tab->Sub(), tab->GetCurChdHdl(out)); }
VKE_API int VkeTabGetCurPageNo(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetCurPageNo(out)); }
VKE_API int VkeTabSelChanging(VkiTab* tab, NMHDR* hdr, LRESULT* reply) { VKE_FRAME(tab, tab->Sub(), tab->SelChanging(hdr, reply)); }
VKE_API int VkeTabSelChange(VkiTab* tab, NMHDR* hdr, LRESULT* reply) { VKE_FRAME(tab, tab->Sub(), tab->SelChange(hdr, reply)); }
VKE_API int VkeTabSetCurSel(VkiTab* tab, int index) { VKE_FRAME(tab, tab->Sub(), tab->SetCurSel(index)); }
VKE_API int VkeTabSetLockedFlag(VkiTab* tab, int index, int flag) { VKE_FRAME(tab, tab->Sub(), tab->SetLockedFlag(index, flag)); }
VKE_API int VkeTabGetLockedFlag(VkiTab* tab, int index, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetLockedFlag(index, out)); }
VKE_API int VkeTabSetTitle(VkiTab* tab, int index, const char* title) { VKE_FRAME(tab, tab->Sub(), tab->SetTitle(index, title)); }
VKE_API int VkeTabGetTitle(VkiTab* tab, int index, char* buffer, int size) { VKE_FRAME(tab, tab->Sub(), tab->GetTitle(index, buffer, size)); }
