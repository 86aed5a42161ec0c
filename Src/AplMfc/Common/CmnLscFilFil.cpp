// The file list's filling: a folder enumerated into elements, their column texts, the filter,
// the control's items filled by worker 0, and sorting with its compare rule.
//
// Under Wine the shell answers a full item-id list's path, type name or icon in milliseconds and
// every engine path function makes its path long first (another millisecond), while a folder
// bound as a shell folder answers its items' names, attributes and comparisons in microseconds.
// So each element keeps its path and kind from the bound folder's parsing name, comparisons go
// through the bound folder with the items' last ids, sizes and times come from one directory
// pass, type names, icons and names are shared per extension (CmnLscFilShl), and worker 0 hands
// its items to the user-interface thread in batches (a message sent across threads costs about
// 0.3 ms).
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnLscFilBsc"
#include "CmnLscFil.h"
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnLscFilShl.h"
#include "CmnSub.h"
#include <shlwapi.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <vector>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

const char* Text(const AppMem& text) { return text.pBuffer ? text.pBuffer : ""; }

LscFilElm* AsElm(Lke* l) { return static_cast<LscFilElm*>(static_cast<void*>(l)); }

// The elements handed over in one batch.
const int kBatch = 100;

// The main frame is brought up to date while a long folder is read or filled, at most this often
// (an update walks every window of the frame, some 0.3 ms under Wine).
const DWORD kFrameUpdateMs = 100;

// The last item of a list (the list itself when it has none).
LPCITEMIDLIST LastItem(LPCITEMIDLIST list)
{
    LPCITEMIDLIST last = list;
    for (LPCITEMIDLIST next = theCmnSub.GetItemIdNext(list); next; next = theCmnSub.GetItemIdNext(next)) last = next;
    return last;
}

// The text after the last dot of the path's last name, as it is spelt; "" for a drive.
std::string Extension(const char* path)
{
    size_t n = strlen(path);
    if ((n == 2 || n == 3) && path[1] == ':' && (n == 2 || path[2] == '\\')) return std::string();
    CString name = theCmnSub.GetLastName(path);
    const char* dot = nullptr;
    for (const char* p = name; *p; p = ::CharNextExA(932, p, 0))
        if (*p == '.') dot = p;
    return dot ? std::string(dot + 1) : std::string();
}

// The times' format: year, month, day, hour, minute.
const char* TimeFormat()
{
    static const char* volatile format = "%04.4d/%02.2d/%02.2d %01.1d:%02.2d";
    return format;
}

int Sign(double a, double b) { return a < b ? -1 : a > b ? 1 : 0; }

// The compare context of the sort that runs (the user-interface thread's).
LscFilCmp s_cmp;

// The parsing paths of a folder's file-system items. Under Wine the shell answers an item's full
// parsing name by walking its whole path, and its in-folder parsing name at once; so the items of
// a file-system folder take its path and their in-folder names, once the first item's full name
// showed that rule.
class ItemPaths {
public:
    ItemPaths(IShellFolder* folder, const CString& folderPath)
        : m_folder(folder), m_prefix(folderPath.IsEmpty() ? CString() : theCmnSub.JoinPath(folderPath, "")),
          m_iJoin(folderPath.IsEmpty() ? 0 : -1)
    {
    }
    CString Get(LPCITEMIDLIST child)
    {
        if (m_iJoin == 1) return m_prefix + theCmnSub.GetDisplayName(m_folder, child, SHGDN_INFOLDER | SHGDN_FORPARSING);
        CString full = theCmnSub.GetDisplayName(m_folder, child, SHGDN_FORPARSING);
        if (m_iJoin < 0)
            m_iJoin = full == m_prefix + theCmnSub.GetDisplayName(m_folder, child, SHGDN_INFOLDER | SHGDN_FORPARSING) ? 1 : 0;
        return full;
    }

private:
    IShellFolder* m_folder;
    CString m_prefix; // the folder's path and a separator
    int m_iJoin;      // -1 not known yet, 1 the rule holds, 0 full names are asked
};

void MainFrameUpdate()
{
    CmnApp* app = CmnGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (frame && frame->m_hWnd) frame->UpdateWindow();
}

// The main frame's update once kFrameUpdateMs passed since *last (then now).
void MainFrameUpdateAfter(DWORD* last)
{
    DWORD now = ::GetTickCount();
    if (now - *last < kFrameUpdateMs) return;
    *last = now;
    MainFrameUpdate();
}

} // namespace

// A batch of elements worker 0 hands to the user-interface thread.
struct CmnLscFil::Batch {
    int iCount;
    LscFilElm* apElm[kBatch];
    int iShown;  // the items shown before the batch, then after it
    int iFirst;  // the first failure of the batch
    CString strPattern;
    DWORD dwUpdated; // the main frame's last update
};

// ---- Showing a folder ----

int CmnLscFil::SetList(int root, LPCITEMIDLIST folder)
{
    if (!CheckInit("SetList", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (!folder || (root != 0 && root != 1)) return LSC_BSC("SetList", VKE_ERR_ARG);
    CmnIdl dup(theCmnSub.DupItemIdList(folder));
    if (!dup.Get()) return LSC_BSC("SetList", VKE_ERR_MEMORY);
    WaitThread(0, 1);
    SetPathName("");
    ClearFolder();
    int rc = SetImage();
    if (rc != VKE_OK) return LSC_BSC("SetList", rc);

    CmnApp* app = CmnGetApp();
    IShellFolder* desktop = app ? app->GetDesktopFolder() : nullptr;
    CmnCom<IShellFolder> bound;
    if (root) {
        if (desktop) desktop->AddRef();
        *bound.Out() = desktop;
    } else if (desktop && FAILED(desktop->BindToObject(dup, nullptr, IID_IShellFolder, bound.Out()))) {
        bound.Reset();
    }
    CmnCom<IEnumIDList> items;
    if (!bound.Get() ||
        bound->EnumObjects(m_hWnd, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, reinterpret_cast<IEnumIDList**>(items.Out())) !=
            S_OK ||
        !items.Get())
        return VKE_STOPPED;

    CmnWaitCursor wait;
    CString folderPath = root ? CString() : theCmnSub.GetPathName(dup);
    m_pShl->Clear();
    m_pShl->ReadFolder(folderPath);
    ItemPaths paths(bound.Get(), folderPath);
    DWORD updated = ::GetTickCount();
    int first = VKE_OK;
    auto keep = [&first](int code) {
        if (first == VKE_OK) first = code;
    };
    LPITEMIDLIST child = nullptr;
    ULONG got = 0;
    HRESULT hr;
    while ((hr = items->Next(1, &child, &got)) == S_OK && got == 1) {
        CmnIdl holdChild(child);
        SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_LINK;
        LPCITEMIDLIST one = child;
        if (FAILED(bound->GetAttributesOf(1, &one, &attributes))) {
            keep(VKE_ERR_SYSTEM);
            continue;
        }
        if (!(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) || (attributes & SFGAO_LINK)) continue;
        Dat* p = nullptr;
        int code = AllocDat(CmnLscFilCodElm, &p);
        LscFilElm* elm = static_cast<LscFilElm*>(p);
        if (code == VKE_OK && !(elm->pIdl = theCmnSub.GetItemIdListFull(dup, child))) code = VKE_ERR_MEMORY;
        if (code == VKE_OK && !(elm->pIdlFolder = theCmnSub.DupItemIdList(dup))) code = VKE_ERR_MEMORY;
        if (code == VKE_OK && (attributes & SFGAO_FILESYSTEM)) code = VkeSubSetAppMemStr(Sub(), &elm->amPath, paths.Get(child));
        if (code == VKE_OK) code = SetColumn(bound.Get(), dup, child, elm->pIdl, elm);
        if (code == VKE_OK) code = AddDat(CmnLscFilCodElm, &m_lst, elm);
        if (code != VKE_OK) {
            FreeDat(CmnLscFilCodElm, &p);
            keep(code);
            continue;
        }
        MainFrameUpdateAfter(&updated);
    }
    if (hr != S_FALSE) keep(VKE_ERR_SYSTEM);
    items.Reset();
    if (first == VKE_OK) {
        m_sli.hItem = nullptr;
        m_sli.pIdl = theCmnSub.DupItemIdList(dup);
        m_sli.bRoot = root;
        if (!m_sli.pIdl) first = VKE_ERR_MEMORY;
    }
    if (first == VKE_OK) {
        m_pFolder = bound.Get();
        m_pFolder->AddRef();
        first = m_lst.iCnt < 2 ? SetListCtrl() : SortListByCol(m_fii.iIdxLstColTyp, m_fii.bAscent);
        if (first == VKE_STOPPED) first = VKE_OK;
    }
    if (first != VKE_OK && first != VKE_STOPPED) {
        WaitThread(0, 1);
        ClearFolder();
        LSC_BSC("SetList", first);
    }
    return first;
}

// Everything of the folder shown goes: the items, the pending item, the elements and their
// thumbnails, the image lists and the bound folder. The workers are stopped already.
void CmnLscFil::ClearFolder()
{
    DeleteItems();
    theCmnVar.TermDat(CmnVarCodItmIdl, &m_sli);
    theCmnVar.InitDat(CmnVarCodItmIdl, &m_sli);
    TermDat(CmnLscFilCodLst, &m_lst);
    InitDat(CmnLscFilCodLst, &m_lst);
    for (int mode = 1; mode <= LscModeCnt; ++mode) CloseImageList(mode);
    if (m_pFolder) m_pFolder->Release();
    m_pFolder = nullptr;
}

void CmnLscFil::DeleteItems()
{
    ++m_iGen;
    m_bDeleting = 1;
    DeleteAllItems();
    m_bDeleting = 0;
    m_bPending = 0;
    m_iPending = -1;
    for (Lke* l = m_lst.pHead; l; l = l->pNxt) AsElm(l)->iItem = -1;
}

int CmnLscFil::SetColumn(IShellFolder* folder, LPCITEMIDLIST, LPCITEMIDLIST item, LPCITEMIDLIST full, LscFilElm* elm)
{
    if (!CheckInit("SetColumn", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (!folder || !item || !full || !elm) return LSC_PRO("SetColumn", VKE_ERR_ARG);
    const char* path = Text(elm->amPath);
    CmnLscFilShl::Facts facts;
    bool known = *path && m_pShl->GetFacts(path, &facts);
    if (known) {
        elm->dSize = facts.dBytes;
        elm->bFolder = (facts.dwAttr & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
        elm->bNormal = !elm->bFolder && !(facts.dwAttr & FILE_ATTRIBUTE_DEVICE);
    }
    int first = VKE_OK;
    for (int pos = 0; pos < m_fii.iCntLstColTyp && pos < CmnLstColCnt; ++pos) {
        CString text;
        switch (Kinds(pos)) {
        case LscColNam: text = m_pShl->GetName(folder, item, path, facts); break;
        case LscColTyp: text = m_pShl->GetTypeName(full, path, facts); break;
        case LscColSiz:
            // The text shows whole KB; the element keeps the bytes, which sort files of the same
            // KB apart.
            if (*path && elm->bNormal) {
                double shown = 0;
                text = theCmnSub.GetSizeStr(facts.dBytes, 0, &shown);
            }
            break;
        default: {
            if (!known) break;
            int kind = Kinds(pos);
            int& t = kind == LscColAcs ? elm->iTimeAcs : kind == LscColMdf ? elm->iTimeMdf : elm->iTimeCre;
            t = kind == LscColAcs ? facts.iTimeAcs : kind == LscColMdf ? facts.iTimeMdf : facts.iTimeCre;
            __time64_t seconds = t;
            if (const struct tm* local = _localtime64(&seconds)) {
                char buffer[64];
                snprintf(buffer, sizeof(buffer), TimeFormat(), local->tm_year + 1900,
                         local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min);
                text = buffer;
            }
            break;
        }
        }
        int rc = VkeSubSetAppMemStr(Sub(), &elm->amCol[pos], text);
        if (first == VKE_OK) first = rc;
    }
    // The times the columns do not show are kept all the same, for sorting.
    if (known) {
        elm->iTimeAcs = facts.iTimeAcs;
        elm->iTimeMdf = facts.iTimeMdf;
        elm->iTimeCre = facts.iTimeCre;
    }
    return first == VKE_OK ? first : LSC_PRO("SetColumn", first);
}

// ---- The filter ----

void CmnLscFil::SetFilter(const char* text)
{
    if (!text) {
        LSC_BSC("SetFilter", VKE_ERR_ARG);
        return;
    }
    char trimmed[CmnPathSize];
    VkeSubCopyStr(Sub(), trimmed, text, sizeof(trimmed));
    VkeSubTrimStr(Sub(), trimmed);
    if (!m_bInit) {
        memcpy(m_amFilter, trimmed, sizeof(m_amFilter));
        return;
    }
    if (strcmp(trimmed, m_amFilter) == 0) return;
    memcpy(m_amFilter, trimmed, sizeof(m_amFilter));
    if (!m_sli.pIdl) return;
    WaitThread(0, 1);
    DeleteItems();
    SetListCtrl();
}

CString CmnLscFil::GetFilter() { return m_amFilter; }

CString CmnLscFil::MatchPattern(const char* folder, const char* filter)
{
    return folder && *folder && filter && *filter ? theCmnSub.JoinPath(folder, filter) : CString();
}

CString CmnLscFil::Pattern() { return MatchPattern(m_sli.pIdl ? theCmnSub.GetPathName(m_sli.pIdl) : CString(), m_amFilter); }

bool CmnLscFil::Matches(const char* pattern, const LscFilElm* elm) const
{
    if (!pattern || !*pattern || !elm->bNormal || !elm->amPath.iLength) return true;
    return ::PathMatchSpecA(elm->amPath.pBuffer, pattern) != FALSE;
}

// ---- The control's items ----

int CmnLscFil::SetListItem(int insert, int index, const char* pattern, LscFilElm* elm)
{
    if (!CheckInit("SetListItem", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if ((insert != 0 && insert != 1) || index < 0 || !elm) return LSC_PRO("SetListItem", VKE_ERR_ARG);
    if (!Matches(pattern, elm)) return VKE_NOT_DONE;
    const int mode = m_fii.iModeLstViw;
    int first = VKE_OK;
    if (mode != LscModeTmn && elm->aiImage[mode - 1] == -1) first = AddImageOf(elm, elm->pIdl, &elm->aiImage[mode - 1]);
    // Thumbnail mode's items carry the blank image 0 (-1 would ask the list for an image).
    int image = mode == LscModeTmn ? 0 : elm->aiImage[mode - 1];
    if (!insert && elm->iItem >= 0 && ItemElement(elm->iItem) == elm) {
        if (mode != LscModeTmn) {
            LVITEMA item = {};
            item.mask = LVIF_IMAGE;
            item.iItem = elm->iItem;
            item.iImage = image;
            SetItem(&item);
        }
        return first;
    }
    const int namePos = KindPos(LscColNam);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(namePos >= 0 ? Text(elm->amCol[namePos]) : "");
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(elm);
    int at = InsertItem(&item);
    if (at < 0) return LSC_PRO("SetListItem", VKE_ERR_MEMORY);
    elm->iItem = at;
    if (mode == LscModeRpt) {
        int column = 1;
        for (int pos = 0; pos < m_fii.iCntLstColTyp && pos < CmnLstColCnt; ++pos) {
            if (Kinds(pos) == LscColNam) continue;
            if (!SetItemText(at, column++, Text(elm->amCol[pos]))) return LSC_PRO("SetListItem", VKE_ERR_SYSTEM);
        }
    }
    return first;
}

LscFilElm* CmnLscFil::ItemElement(int item) const
{
    return item >= 0 ? reinterpret_cast<LscFilElm*>(GetItemData(item)) : nullptr;
}

int CmnLscFil::SetListCtrl()
{
    if (!CheckInit("SetListCtrl", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    int rc = BeginThread(0);
    if (rc == VKE_OK) return rc;
    // Without a thread the filling runs here.
    return SetListCtrlBackground();
}

// The start on the user-interface thread: no folder -1; the list disabled and not drawn while
// it fills; it inserts when the control is empty, else updates.
int CmnLscFil::BeginFill()
{
    if (!m_sli.pIdl) return VKE_ERR_SYSTEM;
    ++m_iGen;
    m_bFillOpen = 1;
    m_iFillFirst = VKE_OK;
    EnableWindow(FALSE);
    m_bRedrawOff = IsWindowVisible() ? 1 : 0;
    if (m_bRedrawOff) SetRedraw(FALSE);
    m_bFillInsert = GetItemCount() == 0 ? 1 : 0;
    m_strPattern[0] = Pattern();
    return VKE_OK;
}

int CmnLscFil::FillBatch(Batch* batch)
{
    for (int i = 0; i < batch->iCount; ++i) {
        LscFilElm* elm = batch->apElm[i];
        int rc = SetListItem(m_bFillInsert, batch->iShown, batch->strPattern, elm);
        if (rc == VKE_OK) {
            ++batch->iShown;
        } else {
            elm->iItem = -1;
            if (rc != VKE_NOT_DONE && batch->iFirst == VKE_OK) batch->iFirst = rc;
        }
        MainFrameUpdateAfter(&batch->dwUpdated);
    }
    return VKE_OK;
}

// Sent by worker 0 (or called, when it runs on this thread): nothing here waits or handles
// other messages, so the worker is never left waiting behind a wait of this thread.
LRESULT CmnLscFil::OnLscWmFill(WPARAM wParam, LPARAM lParam)
{
    if (!m_bInit) return VKE_ERR_NOT_INIT;
    return wParam == 0 ? BeginFill() : FillBatch(reinterpret_cast<Batch*>(lParam));
}

int CmnLscFil::HandBatch(Batch* batch)
{
    bool here = ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId();
    WPARAM stage = batch ? 1 : 0;
    return static_cast<int>(here ? OnLscWmFill(stage, reinterpret_cast<LPARAM>(batch))
                                 : SendMessage(LscWmFill, stage, reinterpret_cast<LPARAM>(batch)));
}

int CmnLscFil::SetListCtrlBackground()
{
    HANDLE stop = m_hStop[0];
    auto stopped = [stop]() { return stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; };
    int rc = HandBatch(nullptr);
    if (rc != VKE_OK) return rc == VKE_ERR_NOT_INIT ? rc : LSC_BSC("SetListCtrlBackground", rc);
    int first = VKE_OK;
    Batch batch;
    batch.iShown = 0;
    batch.strPattern = m_strPattern[0];
    batch.dwUpdated = ::GetTickCount();
    Lke* l = m_lst.pHead;
    while (l) {
        if (stopped()) {
            if (first == VKE_OK) first = VKE_STOPPED;
            break;
        }
        batch.iCount = 0;
        batch.iFirst = VKE_OK;
        for (; l && batch.iCount < kBatch; l = l->pNxt) batch.apElm[batch.iCount++] = AsElm(l);
        HandBatch(&batch);
        if (first == VKE_OK) first = batch.iFirst;
    }
    // The end on the user-interface thread: posted from the worker (it must not wait for that
    // thread), run at once here.
    m_iFillRc = first;
    if (::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId()) FinishFill(false);
    else PostMessage(LscWmFillEnd, static_cast<WPARAM>(m_iGen.load()));
    return first;
}

// The worker posts its end just before it returns: the wait for it is short, and it finishes.
LRESULT CmnLscFil::OnLscWmFillEnd(WPARAM wParam, LPARAM)
{
    if (m_bInit && m_bFillOpen && static_cast<int>(wParam) == m_iGen) WaitThread(0, 0);
    return 0;
}

// Worker 0's end, run by this thread once: the widths, drawing back on, then the thumbnails
// (thumbnail mode) or the current path selected again, the list enabled and focused (unless
// another window has the focus by then). A stopped fill is only drawn and enabled again.
void CmnLscFil::FinishFill(bool stopped)
{
    if (!m_bFillOpen) return;
    m_bFillOpen = 0;
    int rc = stopped ? VKE_STOPPED : m_iFillRc.load();
    if (rc == VKE_OK) SetColumnWidth();
    // Under Wine the redraw switch of a shown list sets its scroll bars and draws them at once
    // (6 to 9 ms, and drawn disabled while the list fills), and the paint draws them again: the
    // window is marked hidden meanwhile by the system's redraw switch (which sends nothing), and
    // painted once, frame included, when it is enabled again.
    const bool shown = m_bRedrawOff && (GetStyle() & WS_VISIBLE);
    if (shown) ::DefWindowProcA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    if (m_bRedrawOff) SetRedraw(TRUE);
    if (shown) ::DefWindowProcA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    m_bRedrawOff = 0;
    if (rc == VKE_OK) {
        if (m_fii.iModeLstViw == LscModeTmn) {
            BeginThread(1);
        } else {
            int found = SetCurPath(m_strCurPath, 1);
            if (found != VKE_OK && found != VKE_ERR_NOT_FOUND) rc = found;
        }
    }
    EnableWindow(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    // The focus the disabled list lost comes back to it; one another window took meanwhile (a
    // page opened while the list filled) stays there.
    HWND focus = ::GetFocus();
    if (IsWindowVisible() && IsWindowEnabled() && (!focus || focus == m_hWnd)) theCmnSub.PostSetFocus(m_hWnd);
    if (rc != VKE_OK && rc != VKE_STOPPED) LSC_BSC("SetListCtrlBackground", rc);
}

// ---- Sorting ----

int CmnLscFil::SortListByCol(int index, int ascending)
{
    if (!CheckInit("SortListByCol", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (index < 0 || index >= m_fii.iCntLstColTyp || index >= CmnLstColCnt) return LSC_BSC("SortListByCol", VKE_ERR_ARG);
    return SortList(Kinds(index), ascending);
}

int CmnLscFil::SortList(int kind, int ascending)
{
    if (!CheckInit("SortList", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (kind < 1 || kind > 6 || (ascending != 0 && ascending != 1)) return LSC_BSC("SortList", VKE_ERR_ARG);
    if (m_lst.iCnt < 2) return VKE_OK;
    int pos = KindPos(kind);
    if (pos < 0) return LSC_BSC("SortList", VKE_ERR_ARG);
    WaitThread(0, 1);
    DeleteItems();
    std::vector<LscFilElm*> order;
    order.reserve(static_cast<size_t>(m_lst.iCnt));
    for (Lke* l = m_lst.pHead; l; l = l->pNxt) order.push_back(AsElm(l));
    s_cmp = {this, pos, kind, ascending};
    qsort(order.data(), order.size(), sizeof(LscFilElm*), GF_CmnLscFilCmpPrc2);
    s_cmp = {};
    int rc = VKE_OK;
    for (LscFilElm* elm : order) {
        Dat* gone = nullptr;
        if (rc == VKE_OK) rc = DelDat(CmnLscFilCodElm, VKE_LKE_BY_ELM, &m_lst, elm, &gone);
    }
    if (rc == VKE_OK && m_lst.iCnt != 0) rc = VKE_ERR_SYSTEM;
    for (LscFilElm* elm : order) {
        elm->iItem = -1;
        if (rc == VKE_OK) rc = AddDat(CmnLscFilCodElm, &m_lst, elm);
    }
    if (rc != VKE_OK) {
        // The elements not on the list any more are freed with it.
        for (LscFilElm* elm : order) {
            bool listed = false;
            for (Lke* l = m_lst.pHead; l && !listed; l = l->pNxt) listed = AsElm(l) == elm;
            Dat* p = elm;
            if (!listed) FreeDat(CmnLscFilCodElm, &p);
        }
        TermDat(CmnLscFilCodLst, &m_lst);
        InitDat(CmnLscFilCodLst, &m_lst);
        return LSC_BSC("SortList", rc);
    }
    rc = SetListCtrl();
    SetHeaderImage(kind, ascending);
    m_fii.iIdxLstColTyp = pos;
    m_fii.bAscent = ascending;
    return rc == VKE_STOPPED ? VKE_OK : rc;
}

int CmnLscFil::GF_CmnLscFilCmpPrc2(const void* a, const void* b)
{
    return GF_CmnLscFilCmpPrc(*static_cast<LscFilElm* const*>(a), *static_cast<LscFilElm* const*>(b));
}

// The shell's order of the two items, from the folder bound for the sort; descending reverses
// every rule.
int CmnLscFil::GF_CmnLscFilCmpPrc(const LscFilElm* a, const LscFilElm* b)
{
    const LscFilCmp& cmp = s_cmp;
    if (!a || !b || !cmp.pList || cmp.iKind < 1 || cmp.iKind > 6) {
        LSC_PRO("GF_CmnLscFilCmpPrc", VKE_ERR_SYSTEM);
        return 0;
    }
    IShellFolder* folder = cmp.pList->m_pFolder;
    auto ids = [folder, a, b]() {
        if (!folder || !a->pIdl || !b->pIdl) return 0;
        return static_cast<int>(static_cast<short>(HRESULT_CODE(folder->CompareIDs(0, LastItem(a->pIdl), LastItem(b->pIdl)))));
    };
    int r = CompareRule(a, b, cmp.iKind, cmp.iPos, ids);
    return cmp.bAscent ? r : -r;
}

int CmnLscFil::CompareRule(const LscFilElm* a, const LscFilElm* b, int kind, int pos, const std::function<int()>& ids)
{
    if (kind == LscColNam) return ids();
    const bool pa = a->amPath.iLength > 0, pb = b->amPath.iLength > 0;
    auto times = [a, b, kind, &ids]() {
        int x = kind == LscColAcs ? a->iTimeAcs : kind == LscColMdf ? a->iTimeMdf : a->iTimeCre;
        int y = kind == LscColAcs ? b->iTimeAcs : kind == LscColMdf ? b->iTimeMdf : b->iTimeCre;
        return x < y ? -1 : x > y ? 1 : ids();
    };
    auto types = [a, b, pos, &ids]() {
        int order = 0;
        VkeSubCmpAppMemStr(Sub(), const_cast<AppMem*>(&a->amCol[pos]), const_cast<AppMem*>(&b->amCol[pos]), &order);
        return order ? order : ids();
    };
    if (pa && pb) {
        if (a->bFolder && b->bFolder) return kind == LscColTyp || kind == LscColSiz ? ids() : times();
        if (a->bFolder) return -1;
        if (b->bFolder) return 1;
        if (kind == LscColTyp) {
            std::string x = Extension(a->amPath.pBuffer), y = Extension(b->amPath.pBuffer);
            return x == y ? ids() : types();
        }
        if (kind == LscColSiz) {
            int order = Sign(a->dSize, b->dSize);
            return order ? order : ids();
        }
        return times();
    }
    // An item outside the file system.
    if (kind == LscColTyp) return pa || pb ? types() : ids();
    if (kind == LscColSiz) {
        int order = Sign(a->dSize, b->dSize);
        return order ? order : ids();
    }
    return times();
}

// ---- Column clicks ----

BOOL CmnLscFil::OnLvnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bInit) return TRUE;
    GetColumnInf();
    int kind = ColumnKind(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    int pos = m_fii.iIdxLstColTyp;
    bool sortedAscending = pos >= 0 && pos < CmnLstColCnt && Kinds(pos) == kind && m_fii.bAscent == 1;
    int rc = kind ? SortList(kind, sortedAscending ? 0 : 1) : VKE_ERR_SYSTEM;
    if (rc != VKE_OK) LSC_PRO("OnLvnColumnClick", rc);
    return TRUE;
}
