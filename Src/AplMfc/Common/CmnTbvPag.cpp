// The page lists of the tab view and the tab dialog: the records, the elements' searches, opening,
// closing and showing pages, their flags and their data.
#include "CmnTbvPag.h"
#include "CmnDlgOpr.h"
#include "CmnSub.h"
#include <string.h>

namespace {

bool IsFlag(int value) { return value == 0 || value == 1; }

TbvElm* AsElm(Lke* e) { return reinterpret_cast<TbvElm*>(e); }

// Keeps the first failure, else 1 when any step declined.
void Fold(int* result, int rc)
{
    if (*result < 0) return;
    if (rc < 0 || rc == VKE_NOT_DONE) *result = rc;
}

// Whether a show operation's result is a failure: "nothing changed" comes as 0 or 1.
bool ShowFailed(int rc) { return rc != VKE_OK && rc != VKE_NOT_DONE; }

} // namespace

// ---- The record family ----

int CmnTbvDat::SchDat(int code, int mode, Lki* list, void* key, Dat** out)
{
    // Pages of the shared type are many: a search by it would find any of them.
    if (mode == CmnTbvSchTyp && key && m_iRepeatTyp && *static_cast<int*>(key) == m_iRepeatTyp) {
        if (out) *out = nullptr;
        return Fail("SchDat", VKE_ERR_ARG);
    }
    return CmnDat::SchDat(code, mode, list, key, out);
}

int CmnTbvDat::TermRec(int code, Dat* p)
{
    const CmnDatKind* kind = Kind(code);
    int rc = VKE_OK;
    if (kind->iForm == CmnDatElm) {
        TbvElm* e = static_cast<TbvElm*>(p);
        int index = -1;
        if (m_pPag->pTab && e->hWnd && VkeTabSchPageByChdHdl(m_pPag->pTab, e->hWnd, &index) == VKE_OK)
            rc = VkeTabClosePage(m_pPag->pTab, index, 1);
        // The page's window goes with the object that holds it.
        if (e->iTyp == CmnTypCtl) {
            VkiCtl* ctl = static_cast<VkiCtl*>(e->pPage);
            VkeCtlFree(&ctl);
        } else if (e->iTyp == CmnTypDra) {
            VkiDra* dra = static_cast<VkiDra*>(e->pPage);
            VkeDraFree(&dra);
        } else if (CWnd* wnd = static_cast<CWnd*>(e->pPage)) {
            if (wnd->m_hWnd) wnd->DestroyWindow();
            delete wnd;
        }
        e->pPage = nullptr;
        e->hWnd = nullptr;
        e->iNo = e->iTyp = 0;
        return rc;
    }
    // The list: its elements went first, so the pages are gone before their tab control (freeing
    // it destroys its window).
    TbvPag* pag = static_cast<TbvPag*>(p);
    rc = VkeTabFree(&pag->pTab);
    delete pag->pMenu; // destroys the menu it holds
    pag->pMenu = nullptr;
    pag->bReady = 0;
    pag->pPrtTgt = nullptr;
    pag->hPrtFcs = nullptr;
    pag->hTabWnd = nullptr;
    return rc;
}

int CmnTbvDat::CopyRec(int code, Dat* to, Dat* from)
{
    // Everything after the header: an element's page fields, a list's tab control, parameters and
    // options.
    size_t head = Kind(code)->iForm == CmnDatElm ? sizeof(Lke) : sizeof(Lki);
    size_t size = static_cast<size_t>(Kind(code)->iSize);
    memcpy(static_cast<char*>(to) + head, static_cast<char*>(from) + head, size - head);
    return VKE_OK;
}

bool CmnTbvDat::IsKeyMode(int code, int mode)
{
    return Kind(code) && Kind(code)->iForm == CmnDatElm && mode >= CmnTbvSchKey && mode <= CmnTbvSchHdl;
}

bool CmnTbvDat::Match(int, int mode, void* key, Dat* p)
{
    const TbvElm* e = static_cast<TbvElm*>(p);
    switch (mode) {
    case CmnTbvSchKey: return e->pPage == key;
    case CmnTbvSchTyp: return e->iTyp == *static_cast<int*>(key);
    case CmnTbvSchNo: return e->iNo == *static_cast<int*>(key);
    case CmnTbvSchHdl: return e->hWnd == static_cast<HWND>(key);
    default: return false;
    }
}

// ---- Start and end ----

CmnTbvOpr::CmnTbvOpr(CWnd& wnd, const char* module, const CmnDatKind* kinds, int repeatTyp, bool flagLocks)
    : m_wnd(wnd), m_pszModule(module), m_iElmCode(kinds[0].iCode), m_iListCode(kinds[1].iCode),
      m_iRepeatTyp(repeatTyp), m_bFlagLocks(flagLocks), m_pag(), m_dat(module, kinds, repeatTyp, &m_pag),
      m_bError(0), m_bModified(0), m_hFcsWnd(nullptr)
{
}

CmnTbvOpr::~CmnTbvOpr()
{
    // A window that went without its Term still gives its pages and tab control back.
    if (m_pag.lki.iKind) TermPages();
}

int CmnTbvOpr::Fail(const char* name, int code) const
{
    CmnTraceError(m_pszModule, __LINE__, name, code);
    return code;
}

bool CmnTbvOpr::CheckReady(const char* name)
{
    if (m_pag.bReady) return true;
    Fail(name, VKE_ERR_NOT_INIT);
    return false;
}

int CmnTbvOpr::InitPages(int freeIdx, int lockOpt)
{
    if (!IsFlag(freeIdx) || !IsFlag(lockOpt)) return VKE_ERR_ARG;
    m_bError = m_bModified = 0;
    m_hFcsWnd = nullptr;
    memset(&m_pag, 0, sizeof(m_pag));
    int rc = m_dat.InitDat(m_iListCode, &m_pag);
    if (rc != VKE_OK) return rc;
    m_pag.bFreeIdx = freeIdx;
    m_pag.bLockOpt = lockOpt;
    return VKE_OK;
}

int CmnTbvOpr::TermPages()
{
    // Closing the tabs sends selection notices: no page is asked for its data any more.
    m_pag.bReady = 0;
    int rc = m_pag.lki.iKind ? m_dat.TermDat(m_iListCode, &m_pag) : VKE_OK;
    memset(&m_pag, 0, sizeof(m_pag));
    m_bError = m_bModified = 0;
    m_hFcsWnd = nullptr;
    return rc;
}

// ---- Pages as objects ----

CmnDlgOpr* CmnTbvOpr::Opr(CWnd* wnd) { return dynamic_cast<CmnDlgOpr*>(wnd); }

CWnd* CmnTbvOpr::PageWnd(const TbvElm* e)
{
    return e && e->iTyp != CmnTypCtl && e->iTyp != CmnTypDra ? static_cast<CWnd*>(e->pPage) : nullptr;
}

int CmnTbvOpr::PageFocus(const TbvElm* e, void** obj)
{
    *obj = nullptr;
    int focus = 0;
    if (e->iTyp == CmnTypCtl) {
        if (VkeCtlIsFocus(static_cast<VkiCtl*>(e->pPage), &focus) != VKE_OK || !focus) return 0;
        *obj = e->pPage;
        return CmnTypCtl;
    }
    if (e->iTyp == CmnTypDra) {
        if (VkeDraIsFocus(static_cast<VkiDra*>(e->pPage), &focus) != VKE_OK || !focus) return 0;
        *obj = e->pPage;
        return CmnTypDra;
    }
    CmnDlgOpr* opr = Opr(PageWnd(e));
    return opr ? opr->GetFocusCtl(obj) : 0;
}

// ---- Elements ----

int CmnTbvOpr::SchElmBy(int mode, void* key, TbvElm** out)
{
    Dat* found = nullptr;
    int rc = m_dat.SchDat(m_iElmCode, mode, &m_pag.lki, key, &found);
    *out = static_cast<TbvElm*>(found);
    return rc;
}

int CmnTbvOpr::SchElmByKey(void* page, TbvElm** out) { return SchElmBy(CmnTbvSchKey, page, out); }
int CmnTbvOpr::SchElmByTyp(int type, TbvElm** out) { return SchElmBy(CmnTbvSchTyp, &type, out); }
int CmnTbvOpr::SchElmByNo(int no, TbvElm** out) { return SchElmBy(CmnTbvSchNo, &no, out); }
int CmnTbvOpr::SchElmByHdl(HWND wnd, TbvElm** out) { return SchElmBy(CmnTbvSchHdl, wnd, out); }

int CmnTbvOpr::SchElm(int index, TbvElm** out)
{
    *out = nullptr;
    int count = 0;
    if (index < 0 || !m_pag.pTab || VkeTabGetPageCnt(m_pag.pTab, &count) != VKE_OK || index >= count)
        return VKE_ERR_NOT_FOUND;
    Tbi tbi = {};
    int rc = VkeTabGetTbi(m_pag.pTab, index, &tbi);
    return rc == VKE_OK ? SchElmByHdl(tbi.hChdWnd, out) : Fail("SchElm", rc);
}

int CmnTbvOpr::SchCurElm(TbvElm** out)
{
    int index = -1;
    if (m_pag.pTab) VkeTabGetCurSel(m_pag.pTab, &index);
    return SchElm(index, out);
}

int CmnTbvOpr::SchRbcElm(TbvElm** out)
{
    int index = -1;
    if (m_pag.pTab) VkeTabGetRbcIdx(m_pag.pTab, &index);
    return SchElm(index, out);
}

// ---- Pages ----

int CmnTbvOpr::IndexOf(const TbvElm* e, int* index)
{
    *index = -1;
    return VkeTabSchPageByChdHdl(m_pag.pTab, e->hWnd, index);
}

int CmnTbvOpr::SchPageByHdl(HWND wnd, int* index)
{
    if (!index) return Fail("SchPageByHdl", VKE_ERR_ARG);
    *index = -1;
    if (!CheckReady("SchPageByHdl")) return VKE_ERR_NOT_INIT;
    return VkeTabSchPageByChdHdl(m_pag.pTab, wnd, index);
}

int CmnTbvOpr::SchPageByKey(void* page, int* index)
{
    TbvElm* e = nullptr;
    int rc = index ? SchElmByKey(page, &e) : VKE_ERR_ARG;
    if (rc == VKE_OK) return SchPageByHdl(e->hWnd, index);
    if (index) *index = -1;
    return rc == VKE_ERR_NOT_FOUND ? rc : Fail("SchPageByKey", rc);
}

int CmnTbvOpr::SchPageByTyp(int type, int* index)
{
    TbvElm* e = nullptr;
    int rc = index ? SchElmByTyp(type, &e) : VKE_ERR_ARG;
    if (rc == VKE_OK) return SchPageByHdl(e->hWnd, index);
    if (index) *index = -1;
    return rc == VKE_ERR_NOT_FOUND ? rc : Fail("SchPageByTyp", rc);
}

int CmnTbvOpr::SchPageByNo(int no, int* index)
{
    TbvElm* e = nullptr;
    int rc = index ? SchElmByNo(no, &e) : VKE_ERR_ARG;
    if (rc == VKE_OK) return SchPageByHdl(e->hWnd, index);
    if (index) *index = -1;
    return rc == VKE_ERR_NOT_FOUND ? rc : Fail("SchPageByNo", rc);
}

int CmnTbvOpr::GetPage(int index, void** page, int* type)
{
    if (!page || !type) return Fail("GetPage", VKE_ERR_ARG);
    TbvElm* e = nullptr;
    bool found = m_pag.bReady && SchElm(index, &e) == VKE_OK;
    *page = found ? e->pPage : nullptr;
    *type = found ? e->iTyp : 0;
    return found ? 1 : 0;
}

int CmnTbvOpr::GetCurPage(void** page, int* type)
{
    int index = -1;
    if (m_pag.pTab) VkeTabGetCurSel(m_pag.pTab, &index);
    return GetPage(index, page, type);
}

int CmnTbvOpr::GetRbcPage(void** page, int* type)
{
    int index = -1;
    if (m_pag.pTab) VkeTabGetRbcIdx(m_pag.pTab, &index);
    return GetPage(index, page, type);
}

int CmnTbvOpr::OpenPage(void* page, int index, int no, int type, int flag, const char* title)
{
    if (!CheckReady("OpenPage")) return VKE_ERR_NOT_INIT;
    int count = 0;
    int rc = !page || !title || type == 0 || !IsFlag(flag) ? VKE_ERR_ARG : GetPageCnt(&count);
    if (rc == VKE_OK && !m_pag.bFreeIdx && index != -1 && (index < 0 || index > count)) rc = VKE_ERR_ARG;
    HWND wnd = nullptr;
    if (rc == VKE_OK) {
        if (type == CmnTypCtl) VkeCtlGetCtlHandle(static_cast<VkiCtl*>(page), &wnd);
        else if (type == CmnTypDra) VkeDraGetDraHandle(static_cast<VkiDra*>(page), &wnd);
        else wnd = static_cast<CWnd*>(page)->m_hWnd;
        if (!wnd || !::IsWindow(wnd)) rc = VKE_ERR_ARG;
    }
    if (rc != VKE_OK) return Fail("OpenPage", rc);

    for (Lke* p = m_pag.lki.pHead; p; p = p->pNxt) {
        const TbvElm* e = AsElm(p);
        if (e->pPage == page && e->hWnd == wnd && e->iNo == no && e->iTyp == type) {
            // Open already: its tab comes to the front.
            int at = -1;
            rc = SchPageByHdl(wnd, &at);
            if (rc == VKE_OK) rc = ShowPage(at);
            return ShowFailed(rc) ? Fail("OpenPage", rc) : VKE_OK;
        }
        bool sharedType = e->iTyp == type && type != m_iRepeatTyp;
        if (e->pPage == page || e->hWnd == wnd || e->iNo == no || sharedType) return Fail("OpenPage", VKE_ERR_ARG);
    }

    // The dialog's tabs open unlocked: its flag only says whether the page is to be shown.
    rc = VkeTabOpenPage(m_pag.pTab, index, no, wnd, m_bFlagLocks ? flag : 0, title);
    if (rc != VKE_OK) return Fail("OpenPage", rc);
    Dat* d = nullptr;
    rc = m_dat.AllocDat(m_iElmCode, &d);
    if (rc == VKE_OK) {
        TbvElm* e = static_cast<TbvElm*>(d);
        e->pPage = page;
        e->hWnd = wnd;
        e->iNo = no;
        e->iTyp = type;
        rc = m_dat.AddDat(m_iElmCode, &m_pag.lki, d);
    }
    if (rc != VKE_OK) {
        // The tab goes again, and the element without the page, which stays the caller's.
        int at = -1;
        if (VkeTabSchPageByChdHdl(m_pag.pTab, wnd, &at) == VKE_OK) VkeTabClosePage(m_pag.pTab, at, 1);
        if (d) memset(static_cast<char*>(d) + sizeof(Lke), 0, sizeof(TbvElm) - sizeof(Lke));
        m_dat.FreeDat(m_iElmCode, &d);
        return Fail("OpenPage", rc);
    }
    return VKE_OK;
}

int CmnTbvOpr::ClosePage(int index, int flag)
{
    if (!CheckReady("ClosePage")) return VKE_ERR_NOT_INIT;
    TbvElm* e = nullptr;
    int rc = IsFlag(flag) ? SchElm(index, &e) : VKE_ERR_ARG;
    if (rc == VKE_ERR_NOT_FOUND) rc = VKE_ERR_ARG;
    if (rc == VKE_OK) rc = VkeTabClosePage(m_pag.pTab, index, flag);
    if (rc == VKE_NOT_DONE) return rc; // a locked tab stays
    if (rc != VKE_OK) return Fail("ClosePage", rc);
    // The tab is gone: the element's end destroys and deletes the page.
    Dat* d = nullptr;
    rc = m_dat.DelDat(m_iElmCode, VKE_LKE_BY_ELM, &m_pag.lki, e, &d);
    int freed = m_dat.FreeDat(m_iElmCode, &d);
    if (rc == VKE_OK) rc = freed;
    if (m_pag.lki.iCnt == 0) OnLastPageClosed();
    return rc == VKE_OK ? rc : Fail("ClosePage", rc);
}

int CmnTbvOpr::CloseRange(int high, int low, int skip, int flag)
{
    int result = VKE_OK;
    for (int i = high; i >= low; --i)
        if (i != skip) Fold(&result, ClosePage(i, flag));
    return result;
}

int CmnTbvOpr::ClosePageAll(int flag)
{
    if (!CheckReady("ClosePageAll")) return VKE_ERR_NOT_INIT;
    if (!IsFlag(flag)) return Fail("ClosePageAll", VKE_ERR_ARG);
    int count = 0;
    GetPageCnt(&count);
    return CloseRange(count - 1, 0, -1, flag);
}

int CmnTbvOpr::ClosePagePrevAll(int index, int flag)
{
    if (!CheckReady("ClosePagePrevAll")) return VKE_ERR_NOT_INIT;
    int count = 0;
    GetPageCnt(&count);
    if (!IsFlag(flag) || index < 0 || index >= count) return Fail("ClosePagePrevAll", VKE_ERR_ARG);
    return CloseRange(index - 1, 0, -1, flag);
}

int CmnTbvOpr::ClosePageNextAll(int index, int flag)
{
    if (!CheckReady("ClosePageNextAll")) return VKE_ERR_NOT_INIT;
    int count = 0;
    GetPageCnt(&count);
    if (!IsFlag(flag) || index < 0 || index >= count) return Fail("ClosePageNextAll", VKE_ERR_ARG);
    return CloseRange(count - 1, index + 1, -1, flag);
}

int CmnTbvOpr::ClosePageOtherAll(int index, int flag)
{
    if (!CheckReady("ClosePageOtherAll")) return VKE_ERR_NOT_INIT;
    int count = 0;
    GetPageCnt(&count);
    if (!IsFlag(flag) || index < 0 || index >= count) return Fail("ClosePageOtherAll", VKE_ERR_ARG);
    return CloseRange(count - 1, 0, index, flag);
}

// ---- The engine's tab operations ----

int CmnTbvOpr::ShowPage(int index)
{
    if (!CheckReady("ShowPage")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabShowPage(m_pag.pTab, index);
    return ShowFailed(rc) ? Fail("ShowPage", rc) : rc;
}

int CmnTbvOpr::ShowFirstPage()
{
    if (!CheckReady("ShowFirstPage")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabShowFirstPage(m_pag.pTab);
    return ShowFailed(rc) ? Fail("ShowFirstPage", rc) : rc;
}

int CmnTbvOpr::ShowLastPage()
{
    if (!CheckReady("ShowLastPage")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabShowLastPage(m_pag.pTab);
    return ShowFailed(rc) ? Fail("ShowLastPage", rc) : rc;
}

int CmnTbvOpr::ShowPrevPage(int index, int wrap)
{
    if (!CheckReady("ShowPrevPage")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabShowPrevPage(m_pag.pTab, index, wrap);
    return ShowFailed(rc) ? Fail("ShowPrevPage", rc) : rc;
}

int CmnTbvOpr::ShowNextPage(int index, int wrap)
{
    if (!CheckReady("ShowNextPage")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabShowNextPage(m_pag.pTab, index, wrap);
    return ShowFailed(rc) ? Fail("ShowNextPage", rc) : rc;
}

int CmnTbvOpr::GetPageCnt(int* out)
{
    if (out) *out = 0;
    if (!CheckReady("GetPageCnt")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabGetPageCnt(m_pag.pTab, out);
    return rc == VKE_OK ? rc : Fail("GetPageCnt", rc);
}

int CmnTbvOpr::GetRbcIdx(int* out)
{
    if (out) *out = -1;
    if (!CheckReady("GetRbcIdx")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabGetRbcIdx(m_pag.pTab, out);
    return rc == VKE_OK ? rc : Fail("GetRbcIdx", rc);
}

int CmnTbvOpr::SetCurSel(int index)
{
    if (!CheckReady("SetCurSel")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabSetCurSel(m_pag.pTab, index);
    return rc == VKE_OK || rc == VKE_NOT_DONE ? rc : Fail("SetCurSel", rc);
}

int CmnTbvOpr::GetCurSel(int* out)
{
    if (out) *out = -1;
    if (!CheckReady("GetCurSel")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabGetCurSel(m_pag.pTab, out);
    return rc == VKE_OK ? rc : Fail("GetCurSel", rc);
}

int CmnTbvOpr::SetLockedFlag(int index, int flag)
{
    if (!CheckReady("SetLockedFlag")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabSetLockedFlag(m_pag.pTab, index, flag);
    return rc == VKE_OK ? rc : Fail("SetLockedFlag", rc);
}

int CmnTbvOpr::GetLockedFlag(int index, int* out)
{
    if (out) *out = 0;
    if (!CheckReady("GetLockedFlag")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabGetLockedFlag(m_pag.pTab, index, out);
    return rc == VKE_OK ? rc : Fail("GetLockedFlag", rc);
}

int CmnTbvOpr::SetTitle(int index, const char* title)
{
    if (!CheckReady("SetTitle")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabSetTitle(m_pag.pTab, index, title);
    return rc == VKE_OK ? rc : Fail("SetTitle", rc);
}

int CmnTbvOpr::GetTitle(int index, char* buffer, int size)
{
    if (!CheckReady("GetTitle")) return VKE_ERR_NOT_INIT;
    int rc = VkeTabGetTitle(m_pag.pTab, index, buffer, size);
    return rc == VKE_OK ? rc : Fail("GetTitle", rc);
}

int CmnTbvOpr::SetFocusTab()
{
    if (!m_pag.bReady) return VKE_NOT_DONE;
    theCmnSub.SetFocusWnd(m_pag.hTabWnd);
    return VKE_OK;
}

int CmnTbvOpr::SetFocusPage()
{
    if (!m_pag.bReady) return VKE_NOT_DONE;
    int rc = VkeTabSetFocusPage(m_pag.pTab);
    return rc == VKE_OK ? rc : Fail("SetFocusPage", rc);
}

int CmnTbvOpr::MoveTab(const RECT& rect)
{
    if (!CheckReady("MoveTab")) return VKE_ERR_NOT_INIT;
    if (rect.right - rect.left <= 0 || rect.bottom - rect.top <= 0) return Fail("MoveTab", VKE_ERR_ARG);
    int rc = VkeTabMove(m_pag.pTab, &rect);
    return rc == VKE_OK ? rc : Fail("MoveTab", rc);
}

int CmnTbvOpr::Redraw(int erase)
{
    if (!CheckReady("Redraw")) return VKE_ERR_NOT_INIT;
    if (!IsFlag(erase)) return Fail("Redraw", VKE_ERR_ARG);
    m_wnd.InvalidateRect(nullptr, erase);
    int index = -1;
    VkeTabGetCurSel(m_pag.pTab, &index);
    return index >= 0 && ShowFailed(ShowPage(index)) ? Fail("Redraw", VKE_ERR_SYSTEM) : VKE_OK;
}

// ---- Flags ----

int CmnTbvOpr::SetPagesFlag(bool error, int value)
{
    const char* name = error ? "SetErrorFlag" : "SetModifiedFlag";
    if (!CheckReady(name)) return VKE_ERR_NOT_INIT;
    if (!IsFlag(value)) return Fail(name, VKE_ERR_ARG);
    (error ? m_bError : m_bModified) = value;
    for (Lke* p = value == 0 ? m_pag.lki.pHead : nullptr; p; p = p->pNxt) {
        const TbvElm* e = AsElm(p);
        if (CmnDlgOpr* opr = Opr(PageWnd(e))) error ? opr->SetErrorFlag(0) : opr->SetModifiedFlag(0);
        else if (e->iTyp == CmnTypCtl)
            (error ? VkeCtlSetErrorFlag : VkeCtlSetModifiedFlag)(static_cast<VkiCtl*>(e->pPage), 0);
        else if (e->iTyp == CmnTypDra && !error) VkeDraSetModifiedFlag(static_cast<VkiDra*>(e->pPage), 0);
    }
    VkeTabRedraw(m_pag.pTab, 0);
    OnChgFlag();
    return VKE_OK;
}

int CmnTbvOpr::SetErrorFlag(int value) { return SetPagesFlag(true, value); }
int CmnTbvOpr::SetModifiedFlag(int value) { return SetPagesFlag(false, value); }

int CmnTbvOpr::IsCurPageModified()
{
    TbvElm* e = nullptr;
    if (!m_pag.bReady || SchCurElm(&e) != VKE_OK) return 0;
    void* obj = nullptr;
    int flag = 0;
    switch (PageFocus(e, &obj)) {
    case CmnTypCtl: VkeCtlGetModifiedFlag(static_cast<VkiCtl*>(obj), &flag); break;
    case CmnTypDra: VkeDraGetModifiedFlag(static_cast<VkiDra*>(obj), &flag); break;
    default: break;
    }
    return flag == 1 ? 1 : 0;
}

// ---- Data ----

int CmnTbvOpr::GetData(int index)
{
    if (!CheckReady("GetData")) return VKE_ERR_NOT_INIT;
    TbvElm* e = nullptr;
    if (SchElm(index, &e) != VKE_OK) return VKE_NOT_DONE;
    // Only a dialog or panel page holds data of its own.
    CmnDlgOpr* opr = Opr(PageWnd(e));
    int rc = opr ? opr->GetData(nullptr, nullptr, 0) : VKE_OK;
    if (rc == VKE_OK) return rc;
    ShowPage(index);
    const CmnDlgInf& inf = opr->GetCmnDlgInf();
    if (inf.iErrIdx >= 0 && inf.hErrWnd && ::IsWindow(inf.hErrWnd)) theCmnSub.PostMsgAndFocus(inf.hErrWnd, inf.iErrCode);
    return rc;
}

int CmnTbvOpr::GetDataCur()
{
    if (!CheckReady("GetDataCur")) return VKE_ERR_NOT_INIT;
    int index = -1;
    VkeTabGetCurSel(m_pag.pTab, &index);
    return index < 0 ? VKE_NOT_DONE : GetData(index);
}

int CmnTbvOpr::GetDataAll()
{
    if (!CheckReady("GetDataAll")) return VKE_ERR_NOT_INIT;
    int count = 0;
    GetPageCnt(&count);
    for (int i = 0; i < count; ++i) {
        int rc = GetData(i);
        if (rc != VKE_OK) return rc;
    }
    return VKE_OK;
}

int CmnTbvOpr::OnTcnSelChanging()
{
    if (!m_pag.bReady) return 0;
    int rc = GetDataCur();
    return rc == VKE_OK || rc == VKE_NOT_DONE ? 0 : 1;
}
