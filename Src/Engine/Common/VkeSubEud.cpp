// Edit undo and redo: a chain of steps (Eud) of snapshot entries (Eue) per edit window (Eui).
// The window makes, refreshes, restores and frees the snapshots when it gets VkeWmEudDat.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubDat"
#include "VkiSub.h"
#include "VkiDat.h"
#include "VkeFrame.h"
#include <stdlib.h>

namespace {

// ---- Re-entry guards ----
// A window's handler of VkeWmEudDat or VkeWmSetEud may call back into the engine. Each guarded
// operation keeps its calls in progress on a small process-wide stack; a nested call with the
// same arguments as one in progress is refused with -7, and so is nesting deeper than the stack.
// The guard pops its call on every exit.

struct Call {
    HWND hWnd;
    const void* pRec;
    INT_PTR aiArg[5];
};

struct Calls {
    Call aCall[32];
    int iDepth;
};

bool Same(const Call& x, const Call& y)
{
    if (x.hWnd != y.hWnd || x.pRec != y.pRec) return false;
    for (int i = 0; i < 5; ++i)
        if (x.aiArg[i] != y.aiArg[i]) return false;
    return true;
}

class Guard {
public:
    Guard(Calls& calls, HWND window, const void* rec, INT_PTR a = 0, INT_PTR b = 0, INT_PTR c = 0, INT_PTR d = 0,
          INT_PTR e = 0)
        : m_calls(calls)
    {
        const Call call = {window, rec, {a, b, c, d, e}};
        m_busy = calls.iDepth >= static_cast<int>(sizeof(calls.aCall) / sizeof(calls.aCall[0]));
        for (int i = 0; !m_busy && i < calls.iDepth; ++i) m_busy = Same(calls.aCall[i], call);
        if (!m_busy) calls.aCall[calls.iDepth++] = call;
    }
    ~Guard()
    {
        if (!m_busy) --m_calls.iDepth;
    }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

    bool Busy() const { return m_busy; }

private:
    Calls& m_calls;
    bool m_busy;
};

// Process-wide, as the engine runs on the thread that owns the windows.
Calls s_termDat;
Calls s_dupDat;
Calls s_setEue;
Calls s_setEudPtrCur;
Calls s_setEud;

bool InCalls(const Calls& calls, const void* rec)
{
    for (int i = 0; i < calls.iDepth; ++i)
        if (calls.aCall[i].pRec == rec) return true;
    return false;
}

// True while a guarded operation further out works on the record: it must not be ended or freed.
bool InUse(const void* rec)
{
    return InCalls(s_termDat, rec) || InCalls(s_dupDat, rec) || InCalls(s_setEue, rec) ||
           InCalls(s_setEudPtrCur, rec) || InCalls(s_setEud, rec);
}

// ---- Talking to the window ----

// Sends one request; -1 when the window did not handle it, else the result it wrote.
int SendRequest(HWND window, int request, int kind, void** slot1, void** slot2)
{
    EudReq req = {request, kind, slot1, slot2, 0};
    if (!SendMessageA(window, VkeWmEudDat, reinterpret_cast<WPARAM>(&req), 0)) return VKE_ERR_SYSTEM;
    return req.iResult;
}

bool WndOk(HWND window) { return window && IsWindow(window); }

bool IsRec(const void* p, int kind) { return p && VkiDatCode(p) == kind; }

bool FlagOk(int flag) { return flag == 0 || flag == 1; }

// Unlinks the first element, or gives null when the list is empty.
Lke* TakeHead(Lki* list)
{
    Lke* e = list->iCnt > 0 ? list->pHead : nullptr;
    if (e) VkiUnlink(list, e);
    else list->iCnt = 0;
    return e;
}

} // namespace

// ---- Ending, freeing and duplicating records ----

int VkiSub::TermDat(HWND window, int kind, Dat* p)
{
    if (!WndOk(window) || !VkiIsDatKind(kind) || !IsRec(p, kind)) return VKE_ERR_ARG;
    if (InUse(p)) return VKE_ERR_EXISTS;
    Guard guard(s_termDat, window, p, kind);
    if (guard.Busy()) return VKE_ERR_EXISTS;
    int first = VKE_OK;
    if (kind == VKE_DAT_EUE) {
        Eue* entry = static_cast<Eue*>(p);
        if (entry->pData) first = SendRequest(window, VKE_EUD_FREE, entry->iKind, &entry->pData, nullptr);
        entry->iStepValue = 0;
        entry->iKind = VKE_DAT_NONE;
        entry->pData = nullptr;
    } else if (kind == VKE_DAT_EUD) {
        Lki* entries = &static_cast<Eud*>(p)->lkiEue;
        while (Lke* e = TakeHead(entries)) {
            Dat* rec = e;
            int rc = FreeRecord(window, VKE_DAT_EUE, &rec);
            if (first == VKE_OK) first = rc;
        }
    } else {
        Eui* eui = static_cast<Eui*>(p);
        // No current step may point at a step being freed, even while the window is asked.
        eui->pEudCur = nullptr;
        eui->iFlag = 0;
        while (Lke* e = TakeHead(&eui->lkiEud)) {
            Dat* rec = e;
            int rc = FreeRecord(window, VKE_DAT_EUD, &rec);
            if (first == VKE_OK) first = rc;
        }
    }
    return first;
}

int VkiSub::FreeRecord(HWND window, int kind, Dat** p)
{
    if (InUse(*p)) return VKE_ERR_EXISTS;
    int rc = TermDat(window, kind, *p);
    free(*p);
    *p = nullptr;
    return rc;
}

int VkiSub::DupDat(HWND window, int kind, Dat** out, Dat* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !VkiIsDatKind(kind) || !out || !IsRec(src, kind)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Guard guard(s_dupDat, window, src, kind, reinterpret_cast<INT_PTR>(out));
    if (guard.Busy()) return VKE_ERR_EXISTS;

    Dat* copy = nullptr;
    int rc = AllocDat(window, kind, &copy);
    if (rc != VKE_OK) return rc;
    if (kind == VKE_DAT_EUE) {
        Eue* to = static_cast<Eue*>(copy);
        Eue* from = static_cast<Eue*>(src);
        to->iStepValue = from->iStepValue;
        to->iKind = from->iKind; // so that a copy made before a refusal is freed under its kind
        if (from->pData) {
            rc = SendRequest(window, VKE_EUD_MAKE, from->iKind, &to->pData, &from->pData);
            if (rc == VKE_OK && !to->pData) rc = VKE_ERR_SYSTEM;
        }
    } else if (kind == VKE_DAT_EUD) {
        Eud* to = static_cast<Eud*>(copy);
        Eud* from = static_cast<Eud*>(src);
        to->iStepCode = from->iStepCode;
        Lke* e = from->lkiEue.pHead;
        for (int i = 0; rc == VKE_OK && e && i < from->lkiEue.iCnt; ++i, e = e->pNxt) {
            Dat* entry = nullptr;
            rc = DupDat(window, VKE_DAT_EUE, &entry, e);
            if (rc == VKE_OK) VkiAppend(&to->lkiEue, static_cast<Lke*>(entry));
        }
    } else {
        Eui* to = static_cast<Eui*>(copy);
        Eui* from = static_cast<Eui*>(src);
        to->iFlag = from->iFlag;
        Lke* e = from->lkiEud.pHead;
        for (int i = 0; rc == VKE_OK && e && i < from->lkiEud.iCnt; ++i, e = e->pNxt) {
            Dat* step = nullptr;
            rc = DupDat(window, VKE_DAT_EUD, &step, e);
            if (rc != VKE_OK) break;
            VkiAppend(&to->lkiEud, static_cast<Lke*>(step));
            if (VkiEud(e) == from->pEudCur) to->pEudCur = static_cast<Eud*>(step);
        }
    }
    if (rc != VKE_OK) {
        FreeRecord(window, kind, &copy);
        return rc;
    }
    *out = copy;
    return VKE_OK;
}

// ---- Undo information ----

int VkiSub::InitEui(HWND window, Eui** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Dat* rec = nullptr;
    int rc = AllocDat(window, VKE_DAT_EUI, &rec);
    if (rc != VKE_OK) return rc;
    Eui* eui = static_cast<Eui*>(rec);
    Eud* step = nullptr;
    Eue* entry = nullptr;
    rc = AddEud(window, eui, &step);
    if (rc == VKE_OK) rc = AddEue(window, step, &entry);
    if (rc != VKE_OK) {
        FreeRecord(window, VKE_DAT_EUI, &rec);
        return rc;
    }
    eui->pEudCur = step;
    eui->iFlag = 1;
    *out = eui;
    return VKE_OK;
}

int VkiSub::TermEui(HWND window, Eui** p)
{
    if (!WndOk(window) || !p) return VKE_ERR_ARG;
    if (!*p) return VKE_OK;
    if (!IsRec(*p, VKE_DAT_EUI)) return VKE_ERR_ARG;
    Dat* rec = *p;
    int rc = FreeRecord(window, VKE_DAT_EUI, &rec);
    if (!rec) *p = nullptr;
    return rc;
}

int VkiSub::AddEud(HWND window, Eui* eui, Eud** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !IsRec(eui, VKE_DAT_EUI) || !out) return VKE_ERR_ARG;
    Dat* step = nullptr;
    int rc = AllocDat(window, VKE_DAT_EUD, &step);
    if (rc != VKE_OK) return rc;
    VkiAppend(&eui->lkiEud, static_cast<Lke*>(step));
    *out = static_cast<Eud*>(step);
    return VKE_OK;
}

int VkiSub::AddEue(HWND window, Eud* step, Eue** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !IsRec(step, VKE_DAT_EUD) || !out) return VKE_ERR_ARG;
    Dat* entry = nullptr;
    int rc = AllocDat(window, VKE_DAT_EUE, &entry);
    if (rc != VKE_OK) return rc;
    VkiAppend(&step->lkiEue, static_cast<Lke*>(entry));
    *out = static_cast<Eue*>(entry);
    return VKE_OK;
}

int VkiSub::SetEue(HWND window, Eue* entry, int stepValue, int kind, void* data)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !IsRec(entry, VKE_DAT_EUE) || !data) return VKE_ERR_ARG;
    Guard guard(s_setEue, window, entry, stepValue, kind, reinterpret_cast<INT_PTR>(data));
    if (guard.Busy()) return VKE_ERR_EXISTS;
    int rc;
    if (!entry->pData) {
        rc = SendRequest(window, VKE_EUD_MAKE, kind, &entry->pData, &data);
        if (rc == VKE_OK && !entry->pData) rc = VKE_ERR_SYSTEM;
    } else {
        rc = SendRequest(window, VKE_EUD_REFRESH, kind, &entry->pData, &data);
    }
    // A snapshot the window stored is freed later under the kind it was made for.
    if (entry->pData) entry->iKind = kind;
    if (rc != VKE_OK) return rc;
    entry->iStepValue = stepValue;
    return VKE_OK;
}

int VkiSub::SubEud(HWND window, Eui* eui, Eud* step)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !IsRec(eui, VKE_DAT_EUI) || !IsRec(step, VKE_DAT_EUD)) return VKE_ERR_ARG;
    Lki* steps = &eui->lkiEud;
    if (!VkiContains(steps, &step->lke)) return VKE_ERR_NOT_FOUND;

    // Detach step and all after it first, so the undo information is whole (and its current
    // step never among the freed ones) before the window is asked to free anything.
    Eud* before = VkiPrvEud(step);
    int removed = 0;
    bool curRemoved = false;
    for (Lke* e = &step->lke; e; e = e->pNxt) {
        ++removed;
        if (VkiEud(e) == eui->pEudCur) curRemoved = true;
        if (e == steps->pCur) steps->pCur = nullptr;
    }
    if (curRemoved) eui->pEudCur = before;
    if (before) before->lke.pNxt = nullptr;
    else steps->pHead = nullptr;
    steps->pTail = before ? &before->lke : nullptr;
    steps->iCnt -= removed;
    if (steps->iCnt <= 0 || !steps->pHead) {
        steps->iCnt = 0;
        steps->pHead = steps->pTail = nullptr;
    }
    if (!steps->pCur) steps->pCur = steps->pHead;
    step->lke.pPrv = nullptr;

    // Every detached step is freed; the first failure is the result.
    int first = VKE_OK;
    for (Lke* e = &step->lke; e;) {
        Lke* next = e->pNxt;
        e->pPrv = e->pNxt = nullptr;
        Dat* rec = e;
        int rc = FreeRecord(window, VKE_DAT_EUD, &rec);
        if (first == VKE_OK) first = rc;
        e = next;
    }
    return first;
}

int VkiSub::SetEudPtrCur(HWND window, Eui* eui, Eud* step, int restore)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !IsRec(eui, VKE_DAT_EUI) || !IsRec(step, VKE_DAT_EUD) || !FlagOk(restore))
        return VKE_ERR_ARG;
    Guard guard(s_setEudPtrCur, window, eui, reinterpret_cast<INT_PTR>(step), restore);
    if (guard.Busy()) return VKE_ERR_EXISTS;
    if (!VkiContains(&eui->lkiEud, &step->lke)) return VKE_ERR_NOT_FOUND;
    if (!restore) {
        eui->pEudCur = step;
        return VKE_OK;
    }
    Eue* bottom = VkiBottomEue(step);
    if (!bottom) return VKE_ERR_NOT_FOUND;
    if (!bottom->pData) return VKE_ERR_SYSTEM;
    // The step is current while the window restores; a refused restore keeps the old one.
    Eud* old = eui->pEudCur;
    eui->pEudCur = step;
    int rc = SendRequest(window, VKE_EUD_RESTORE, bottom->iKind, nullptr, &bottom->pData);
    if (rc != VKE_OK && old && VkiContains(&eui->lkiEud, &old->lke)) eui->pEudCur = old;
    return rc;
}

// ---- Reading the chain ----

int VkiSub::GetEudPtrCur(Eui* eui, Eud** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsRec(eui, VKE_DAT_EUI) || !out) return VKE_ERR_ARG;
    if (!eui->pEudCur) return VKE_ERR_NOT_FOUND;
    *out = eui->pEudCur;
    return VKE_OK;
}

int VkiSub::GetEudPtrBtm(Eui* eui, Eud** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsRec(eui, VKE_DAT_EUI) || !out) return VKE_ERR_ARG;
    if (!eui->lkiEud.pTail) return VKE_ERR_NOT_FOUND;
    *out = VkiEud(eui->lkiEud.pTail);
    return VKE_OK;
}

int VkiSub::GetEudPtrPrv(Eui* eui, Eud** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsRec(eui, VKE_DAT_EUI) || !out) return VKE_ERR_ARG;
    Eud* prv = eui->pEudCur ? VkiPrvEud(eui->pEudCur) : nullptr;
    if (!prv) return VKE_ERR_NOT_FOUND;
    *out = prv;
    return VKE_OK;
}

int VkiSub::GetEudPtrNxt(Eui* eui, Eud** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsRec(eui, VKE_DAT_EUI) || !out) return VKE_ERR_ARG;
    Eud* nxt = eui->pEudCur ? VkiNxtEud(eui->pEudCur) : nullptr;
    if (!nxt) return VKE_ERR_NOT_FOUND;
    *out = nxt;
    return VKE_OK;
}

int VkiSub::GetEuePtrBtm(Eud* step, Eue** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsRec(step, VKE_DAT_EUD) || !out) return VKE_ERR_ARG;
    if (!step->lkiEue.pTail) return VKE_ERR_NOT_FOUND;
    *out = VkiBottomEue(step);
    return VKE_OK;
}

// ---- Recording, undo and redo ----

int VkiSub::SetEud(HWND window, Eui* eui, int stepCode, int stepValue, int kind, void* data, int notify)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !IsRec(eui, VKE_DAT_EUI) || !data || !FlagOk(notify)) return VKE_ERR_ARG;
    Guard guard(s_setEud, window, eui, stepCode, stepValue, kind, reinterpret_cast<INT_PTR>(data), notify);
    if (guard.Busy()) return VKE_ERR_EXISTS;

    eui->iFlag = 0;
    Eud* cur = eui->pEudCur;
    if (!cur) return VKE_ERR_NOT_FOUND;
    Eue* bottom = VkiBottomEue(cur);
    if (!bottom) return VKE_ERR_NOT_FOUND;
    // The snapshot comes first: a window that refuses it leaves the redo steps in place.
    int rc = SetEue(window, bottom, stepValue, kind, data);
    if (rc != VKE_OK) return rc;
    cur->iStepCode = stepCode;

    // Recording after an undo drops the redo steps. They are gone even when the window failed
    // to free a snapshot, so the new step is still appended and that failure reported after.
    int first = VKE_OK;
    if (Eud* next = VkiNxtEud(cur)) first = SubEud(window, eui, next);

    Dat* step = nullptr;
    Eue* entry = nullptr;
    rc = AllocDat(window, VKE_DAT_EUD, &step);
    if (rc == VKE_OK) rc = AddEue(window, static_cast<Eud*>(step), &entry);
    if (rc != VKE_OK) {
        if (step) FreeRecord(window, VKE_DAT_EUD, &step);
        return rc;
    }
    VkiAppend(&eui->lkiEud, static_cast<Lke*>(step));
    eui->pEudCur = static_cast<Eud*>(step);

    HWND parent = notify ? GetParent(window) : nullptr;
    if (parent) {
        int result = 0;
        WndMsg msg = {window, VkeWmSetEud, stepCode, &result};
        SendMessageA(parent, VkeWmSetEud, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&msg));
        if (result != VKE_OK) return result;
    }
    return first;
}

int VkiSub::GetEditFlag(Eui* eui, EditFlag* flags)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsRec(eui, VKE_DAT_EUI) || !flags) return VKE_ERR_ARG;
    InitEditFlag(flags);
    Eud* cur = eui->pEudCur;
    flags->iUnd = (cur && VkiPrvEud(cur)) ? 1 : 0;
    flags->iRdo = (cur && VkiNxtEud(cur)) ? 1 : 0;
    return VKE_OK;
}

int VkiSub::GetEditUndFlag(Eui* eui, int* available)
{
    if (!available) return VKE_ERR_ARG;
    EditFlag flags;
    int rc = GetEditFlag(eui, &flags);
    if (rc == VKE_OK) *available = flags.iUnd;
    return rc;
}

int VkiSub::GetEditRdoFlag(Eui* eui, int* available)
{
    if (!available) return VKE_ERR_ARG;
    EditFlag flags;
    int rc = GetEditFlag(eui, &flags);
    if (rc == VKE_OK) *available = flags.iRdo;
    return rc;
}

int VkiSub::EditUnd(HWND window, Eui* eui, int stepValue, int kind, void* data, int force)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !IsRec(eui, VKE_DAT_EUI) || !data || !FlagOk(force)) return VKE_ERR_ARG;
    Eud* cur = eui->pEudCur;
    Eud* prv = cur ? VkiPrvEud(cur) : nullptr;
    if (!prv) return VKE_ERR_NOT_FOUND;
    Eue* bottom = VkiBottomEue(cur);
    if (!bottom) return VKE_ERR_NOT_FOUND;
    // Keep the present data in the current step, so that redo can come back to it.
    if (!bottom->pData || force) {
        int rc = SetEue(window, bottom, stepValue, kind, data);
        if (rc != VKE_OK) return rc;
    }
    return SetEudPtrCur(window, eui, prv, 1);
}

int VkiSub::EditRdo(HWND window, Eui* eui)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !IsRec(eui, VKE_DAT_EUI)) return VKE_ERR_ARG;
    Eud* nxt = eui->pEudCur ? VkiNxtEud(eui->pEudCur) : nullptr;
    if (!nxt) return VKE_ERR_NOT_FOUND;
    return SetEudPtrCur(window, eui, nxt, 1);
}

// ---- Exports ----

VKE_API int VkeSubInitEui(VkiSub* sub, HWND window, Eui** out) { VKE_SUB_FRAME(sub, InitEui(window, out)); }

VKE_API int VkeSubTermEui(VkiSub* sub, HWND window, Eui** p) { VKE_SUB_FRAME(sub, TermEui(window, p)); }

VKE_API int VkeSubAddEud(VkiSub* sub, HWND window, Eui* eui, Eud** out) { VKE_SUB_FRAME(sub, AddEud(window, eui, out)); }

VKE_API int VkeSubAddEue(VkiSub* sub, HWND window, Eud* step, Eue** out) { VKE_SUB_FRAME(sub, AddEue(window, step, out)); }

VKE_API int VkeSubSetEue(VkiSub* sub, HWND window, Eue* entry, int stepValue, int kind, void* data)
{
    VKE_SUB_FRAME(sub, SetEue(window, entry, stepValue, kind, data));
}

VKE_API int VkeSubSubEud(VkiSub* sub, HWND window, Eui* eui, Eud* step) { VKE_SUB_FRAME(sub, SubEud(window, eui, step)); }

VKE_API int VkeSubSetEudPtrCur(VkiSub* sub, HWND window, Eui* eui, Eud* step, int restore)
{
    VKE_SUB_FRAME(sub, SetEudPtrCur(window, eui, step, restore));
}

VKE_API int VkeSubGetEudPtrCur(VkiSub* sub, Eui* eui, Eud** out) { VKE_SUB_FRAME(sub, GetEudPtrCur(eui, out)); }

VKE_API int VkeSubGetEudPtrBtm(VkiSub* sub, Eui* eui, Eud** out) { VKE_SUB_FRAME(sub, GetEudPtrBtm(eui, out)); }

VKE_API int VkeSubGetEudPtrPrv(VkiSub* sub, Eui* eui, Eud** out) { VKE_SUB_FRAME(sub, GetEudPtrPrv(eui, out)); }

VKE_API int VkeSubGetEudPtrNxt(VkiSub* sub, Eui* eui, Eud** out) { VKE_SUB_FRAME(sub, GetEudPtrNxt(eui, out)); }

VKE_API int VkeSubGetEuePtrBtm(VkiSub* sub, Eud* step, Eue** out) { VKE_SUB_FRAME(sub, GetEuePtrBtm(step, out)); }

VKE_API int VkeSubSetEud(VkiSub* sub, HWND window, Eui* eui, int stepCode, int stepValue, int kind, void* data,
                         int notify)
{
    VKE_SUB_FRAME(sub, SetEud(window, eui, stepCode, stepValue, kind, data, notify));
}

VKE_API int VkeSubGetEditFlag(VkiSub* sub, Eui* eui, EditFlag* flags) { VKE_SUB_FRAME(sub, GetEditFlag(eui, flags)); }

VKE_API int VkeSubGetEditUndFlag(VkiSub* sub, Eui* eui, int* available)
{
    VKE_SUB_FRAME(sub, GetEditUndFlag(eui, available));
}

VKE_API int VkeSubGetEditRdoFlag(VkiSub* sub, Eui* eui, int* available)
{
    VKE_SUB_FRAME(sub, GetEditRdoFlag(eui, available));
}

VKE_API int VkeSubEditUnd(VkiSub* sub, HWND window, Eui* eui, int stepValue, int kind, void* data, int force)
{
    VKE_SUB_FRAME(sub, EditUnd(window, eui, stepValue, kind, data, force));
}

VKE_API int VkeSubEditRdo(VkiSub* sub, HWND window, Eui* eui) { VKE_SUB_FRAME(sub, EditRdo(window, eui)); }
