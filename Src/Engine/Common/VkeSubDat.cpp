// Lists and typed records: the doubly linked list Lki of Lke elements, and the records of the
// engine's codes 355-357 on them. Ending and duplicating a record that holds snapshots asks the
// edit window (VkeSubEud.cpp).
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubDat"
#include "VkiSub.h"
#include "VkiDat.h"
#include "VkeFrame.h"
#include <stdlib.h>
#include <string.h>

// ---- List primitives ----

size_t VkiDatSize(int kind)
{
    switch (kind) {
    case VKE_DAT_EUE: return sizeof(Eue);
    case VKE_DAT_EUD: return sizeof(Eud);
    case VKE_DAT_EUI: return sizeof(Eui);
    default: return 0;
    }
}

void VkiLinkAfter(Lki* list, Lke* ref, Lke* e)
{
    if (!ref) {
        e->pPrv = nullptr;
        e->pNxt = list->pHead;
        if (list->pHead) list->pHead->pPrv = e;
        else list->pTail = e;
        list->pHead = e;
    } else {
        e->pNxt = ref->pNxt;
        if (ref->pNxt) ref->pNxt->pPrv = e;
        else list->pTail = e;
        ref->pNxt = e;
        e->pPrv = ref;
    }
    if (!list->pCur) list->pCur = e;
    ++list->iCnt;
}

void VkiAppend(Lki* list, Lke* e)
{
    VkiLinkAfter(list, list->pTail, e);
    list->pCur = list->pHead;
}

void VkiUnlink(Lki* list, Lke* e)
{
    if (list->pCur == e) list->pCur = e->pNxt ? e->pNxt : list->pHead;
    if (e->pPrv) e->pPrv->pNxt = e->pNxt;
    else list->pHead = e->pNxt;
    if (e->pNxt) e->pNxt->pPrv = e->pPrv;
    else list->pTail = e->pPrv;
    e->pPrv = e->pNxt = nullptr;
    if (--list->iCnt <= 0 || !list->pHead) {
        list->iCnt = 0;
        list->pHead = list->pTail = list->pCur = nullptr;
    }
}

bool VkiContains(const Lki* list, const Lke* e)
{
    const Lke* p = list->pHead;
    for (int i = 0; p && i < list->iCnt; ++i, p = p->pNxt)
        if (p == e) return true;
    return false;
}

namespace {

// The n-th element from the head (n >= 1): -12 past the tail, -1 on a broken link.
int ElementAt(const Lki* list, int n, Lke** found)
{
    if (n > list->iCnt) return VKE_ERR_NOT_FOUND;
    Lke* e = list->pHead;
    for (int i = 1; e && i < n; ++i) e = e->pNxt;
    if (!e) return VKE_ERR_SYSTEM;
    *found = e;
    return VKE_OK;
}

// key, looked for from the cursor once round the list: -12 when absent, -1 on a broken link.
int FindElement(const Lki* list, const Lke* key, Lke** found)
{
    Lke* e = list->pCur ? list->pCur : list->pHead;
    for (int i = 0; i < list->iCnt; ++i) {
        if (!e) return VKE_ERR_SYSTEM;
        if (e == key) {
            *found = e;
            return VKE_OK;
        }
        if (e->pNxt) e = e->pNxt;
        else if (e == list->pTail) e = list->pHead;
        else return VKE_ERR_SYSTEM;
    }
    return VKE_ERR_NOT_FOUND;
}

// Search by position or by element; the cursor moves past the element found.
int Search(int mode, Lki* list, void* key, Lke** found)
{
    if (!key) return VKE_ERR_ARG;
    Lke* e = nullptr;
    int rc;
    if (mode == VKE_LKE_BY_NO) {
        int n = *static_cast<int*>(key);
        if (n < 1) return VKE_ERR_ARG;
        rc = ElementAt(list, n, &e);
    } else if (mode == VKE_LKE_BY_ELM) {
        rc = FindElement(list, static_cast<Lke*>(key), &e);
    } else {
        return VKE_ERR_ARG;
    }
    if (rc != VKE_OK) return rc;
    list->pCur = e->pNxt ? e->pNxt : list->pHead;
    *found = e;
    return VKE_OK;
}

// Frees every element with the engine's heap and empties the list; -1 when the links and the
// count disagree (the walk never goes past count elements).
int FreeElements(Lki* list)
{
    int n = 0;
    Lke* e = list->pHead;
    while (e && n < list->iCnt) {
        Lke* next = e->pNxt;
        free(e);
        e = next;
        ++n;
    }
    int rc = (!e && n == list->iCnt) ? VKE_OK : VKE_ERR_SYSTEM;
    list->iCnt = 0;
    list->pHead = list->pTail = list->pCur = nullptr;
    return rc;
}

// An entry goes on a step's list, a step on an undo information list.
bool PairOk(int kind, const Lki* list)
{
    return list && ((kind == VKE_DAT_EUE && list->iKind == VKE_DAT_EUD) ||
                     (kind == VKE_DAT_EUD && list->iKind == VKE_DAT_EUI));
}

bool WndOk(HWND window) { return window && IsWindow(window); }

// Zeroes and initialises a record of one of the engine's codes.
void InitRecord(int kind, Dat* p)
{
    memset(p, 0, VkiDatSize(kind));
    if (kind == VKE_DAT_EUE) {
        Eue* e = static_cast<Eue*>(p);
        e->lke.iKind = VKE_DAT_EUE;
        e->iKind = VKE_DAT_NONE;
    } else if (kind == VKE_DAT_EUD) {
        Eud* d = static_cast<Eud*>(p);
        d->lke.iKind = VKE_DAT_EUD;
        d->lkiEue.iKind = VKE_DAT_EUD;
        d->lkiEue.iElmSize = sizeof(Eue);
    } else {
        Eui* u = static_cast<Eui*>(p);
        u->lkiEud.iKind = VKE_DAT_EUI;
        u->lkiEud.iElmSize = sizeof(Eud);
    }
}

// A record that still owns something must be ended before it is initialised again.
bool HoldsSomething(int kind, const Dat* p)
{
    if (kind == VKE_DAT_EUE) return static_cast<const Eue*>(p)->pData != nullptr;
    if (kind == VKE_DAT_EUD) return static_cast<const Eud*>(p)->lkiEue.iCnt > 0;
    const Eui* u = static_cast<const Eui*>(p);
    return u->pEudCur != nullptr || u->lkiEud.iCnt > 0;
}

} // namespace

// ---- Edit flags and window messages ----

int VkiSub::InitEditFlag(EditFlag* flags)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!flags) return VKE_ERR_ARG;
    memset(flags, 0, sizeof(*flags));
    return VKE_OK;
}

int VkiSub::CopyEditFlag(EditFlag* dest, EditFlag* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src) return VKE_ERR_ARG;
    memmove(dest, src, sizeof(*dest));
    return VKE_OK;
}

int VkiSub::InitWndMsg(WndMsg* msg)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!msg) return VKE_ERR_ARG;
    memset(msg, 0, sizeof(*msg));
    return VKE_OK;
}

int VkiSub::CopyWndMsg(WndMsg* dest, WndMsg* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src) return VKE_ERR_ARG;
    memmove(dest, src, sizeof(*dest));
    return VKE_OK;
}

// ---- Elements ----

int VkiSub::AllocLke(int kind, Lke** out, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !VkiSizeOk(size)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Lke* e = static_cast<Lke*>(calloc(1, static_cast<size_t>(size)));
    if (!e) return VKE_ERR_MEMORY;
    e->iKind = kind;
    *out = e;
    return VKE_OK;
}

int VkiSub::FreeLke(Lke** p)
{
    if (!p) return VKE_ERR_ARG;
    if (!*p) return VKE_OK;
    // An element still linked to neighbours would leave them pointing at freed memory.
    if ((*p)->pPrv || (*p)->pNxt) return VKE_ERR_ARG;
    free(*p);
    *p = nullptr;
    return VKE_OK;
}

int VkiSub::InitLke(int kind, Lke* p, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!p || !VkiSizeOk(size)) return VKE_ERR_ARG;
    memset(p, 0, static_cast<size_t>(size));
    p->iKind = kind;
    return VKE_OK;
}

int VkiSub::TermLke(Lke* p)
{
    if (!p) return VKE_ERR_ARG;
    p->pPrv = p->pNxt = nullptr;
    return VKE_OK;
}

int VkiSub::CopyLke(Lke* dest, Lke* src, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || !VkiSizeOk(size)) return VKE_ERR_ARG;
    Lke* prv = dest->pPrv;
    Lke* nxt = dest->pNxt;
    memmove(dest, src, static_cast<size_t>(size));
    dest->pPrv = prv;
    dest->pNxt = nxt;
    return VKE_OK;
}

int VkiSub::DupLke(int kind, Lke** out, Lke* src, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !src || !VkiSizeOk(size)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Lke* e = nullptr;
    int rc = AllocLke(kind, &e, size);
    if (rc != VKE_OK) return rc;
    CopyLke(e, src, size); // the copy carries src's kind
    *out = e;
    return VKE_OK;
}

// ---- List heads ----

int VkiSub::AllocLki(int kind, Lki** out, int elementSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !VkiSizeOk(elementSize)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Lki* list = static_cast<Lki*>(calloc(1, sizeof(Lki)));
    if (!list) return VKE_ERR_MEMORY;
    InitLki(kind, list, elementSize);
    *out = list;
    return VKE_OK;
}

int VkiSub::FreeLki(Lki** p)
{
    if (!p) return VKE_ERR_ARG;
    if (!*p) return VKE_OK;
    int rc = FreeElements(*p);
    free(*p);
    *p = nullptr;
    return rc;
}

int VkiSub::InitLki(int kind, Lki* p, int elementSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!p || !VkiSizeOk(elementSize)) return VKE_ERR_ARG;
    p->iKind = kind;
    p->iElmSize = elementSize;
    p->iCnt = 0;
    p->pHead = p->pTail = p->pCur = nullptr;
    return VKE_OK;
}

int VkiSub::TermLki(Lki* p)
{
    if (!p) return VKE_ERR_ARG;
    return FreeElements(p);
}

int VkiSub::CopyLki(Lki* dest, Lki* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src) return VKE_ERR_ARG;
    dest->iKind = src->iKind;
    dest->iElmSize = src->iElmSize;
    return VKE_OK;
}

int VkiSub::DupLki(int kind, Lki** out, Lki* src, int elementSize)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !src || !VkiSizeOk(elementSize)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Lki* list = nullptr;
    int rc = AllocLki(kind, &list, elementSize);
    if (rc != VKE_OK) return rc;
    CopyLki(list, src);
    Lke* e = src->pHead;
    for (int i = 0; rc == VKE_OK && i < src->iCnt; ++i) {
        if (!e) {
            rc = VKE_ERR_SYSTEM; // fewer elements than counted
            break;
        }
        Lke* copy = nullptr;
        rc = DupLke(e->iKind, &copy, e, src->iElmSize);
        if (rc == VKE_OK) VkiAppend(list, copy);
        e = e->pNxt;
    }
    if (rc != VKE_OK) {
        FreeLki(&list);
        return rc;
    }
    *out = list;
    return VKE_OK;
}

// ---- Search, insertion, removal ----

int VkiSub::SchLke(int mode, Lki* list, void* key, Lke** found)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!list || !found) return VKE_ERR_ARG;
    return Search(mode, list, key, found);
}

int VkiSub::InsLke(int mode, Lki* list, void* key, Lke* element)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!list || !element) return VKE_ERR_ARG;
    if (mode != VKE_LKE_BY_NO && mode != VKE_LKE_BY_ELM) return VKE_ERR_ARG;
    if (VkiIsLinked(list, element)) return VKE_ERR_ARG;
    bool front;
    if (mode == VKE_LKE_BY_NO) {
        if (!key || *static_cast<int*>(key) < 0) return VKE_ERR_ARG;
        front = *static_cast<int*>(key) == 0;
    } else {
        front = key == nullptr;
    }
    Lke* ref = nullptr;
    if (!front) {
        if (list->iCnt == 0) return VKE_ERR_SYSTEM; // a reference into an empty list
        int rc = Search(mode, list, key, &ref);
        if (rc != VKE_OK) return rc;
    }
    VkiLinkAfter(list, ref, element);
    return VKE_OK;
}

int VkiSub::AddLke(Lki* list, Lke* element)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!list || !element) return VKE_ERR_ARG;
    if (VkiIsLinked(list, element)) return VKE_ERR_ARG;
    VkiAppend(list, element);
    return VKE_OK;
}

int VkiSub::DelLke(int mode, Lki* list, void* key, Lke** removed)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!list || !removed) return VKE_ERR_ARG;
    Lke* e = nullptr;
    int rc = Search(mode, list, key, &e);
    if (rc != VKE_OK) return rc;
    VkiUnlink(list, e);
    *removed = e;
    return VKE_OK;
}

// ---- Records of the codes 355-357 ----

int VkiSub::AllocDat(HWND window, int kind, Dat** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !VkiIsDatKind(kind) || !out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Dat* p = calloc(1, VkiDatSize(kind));
    if (!p) return VKE_ERR_MEMORY;
    InitRecord(kind, p);
    *out = p;
    return VKE_OK;
}

int VkiSub::FreeDat(HWND window, int kind, Dat** p)
{
    if (!WndOk(window) || !VkiIsDatKind(kind) || !p) return VKE_ERR_ARG;
    if (!*p) return VKE_OK;
    if (VkiDatCode(*p) != kind) return VKE_ERR_ARG;
    // Entries and steps still on a list are removed from it first.
    if (kind != VKE_DAT_EUI && (static_cast<Lke*>(*p)->pPrv || static_cast<Lke*>(*p)->pNxt)) return VKE_ERR_ARG;
    return FreeRecord(window, kind, p);
}

int VkiSub::InitDat(HWND window, int kind, Dat* p)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !VkiIsDatKind(kind) || !p) return VKE_ERR_ARG;
    if (HoldsSomething(kind, p)) return VKE_ERR_EXISTS;
    InitRecord(kind, p);
    return VKE_OK;
}

int VkiSub::CopyDat(HWND window, int kind, Dat* dest, Dat* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!WndOk(window) || !VkiIsDatKind(kind) || !dest || !src) return VKE_ERR_ARG;
    if (VkiDatCode(dest) != kind || VkiDatCode(src) != kind) return VKE_ERR_ARG;
    if (kind == VKE_DAT_EUE) {
        static_cast<Eue*>(dest)->iStepValue = static_cast<Eue*>(src)->iStepValue;
        static_cast<Eue*>(dest)->iKind = static_cast<Eue*>(src)->iKind;
    } else if (kind == VKE_DAT_EUD) {
        static_cast<Eud*>(dest)->iStepCode = static_cast<Eud*>(src)->iStepCode;
    } else {
        static_cast<Eui*>(dest)->iFlag = static_cast<Eui*>(src)->iFlag;
    }
    return VKE_OK;
}

int VkiSub::SchDat(int kind, int mode, Lki* list, void* key, Dat** found)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!PairOk(kind, list) || !found) return VKE_ERR_ARG;
    Lke* e = nullptr;
    int rc = Search(mode, list, key, &e);
    if (rc == VKE_OK) *found = e;
    return rc;
}

int VkiSub::InsDat(int kind, int mode, Lki* list, void* key, Dat* record)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!PairOk(kind, list) || !record || VkiDatCode(record) != kind) return VKE_ERR_ARG;
    return InsLke(mode, list, key, static_cast<Lke*>(record));
}

int VkiSub::AddDat(int kind, Lki* list, Dat* record)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!PairOk(kind, list) || !record || VkiDatCode(record) != kind) return VKE_ERR_ARG;
    return AddLke(list, static_cast<Lke*>(record));
}

int VkiSub::DelDat(int kind, int mode, Lki* list, void* key, Dat** removed)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!PairOk(kind, list) || !removed) return VKE_ERR_ARG;
    Lke* e = nullptr;
    int rc = DelLke(mode, list, key, &e);
    if (rc == VKE_OK) *removed = e;
    return rc;
}

// ---- Exports ----

VKE_API int VkeSubInitEditFlag(VkiSub* sub, EditFlag* flags) { VKE_SUB_FRAME(sub, InitEditFlag(flags)); }

VKE_API int VkeSubCopyEditFlag(VkiSub* sub, EditFlag* dest, EditFlag* src)
{
    VKE_SUB_FRAME(sub, CopyEditFlag(dest, src));
}

VKE_API int VkeSubInitWndMsg(VkiSub* sub, WndMsg* msg) { VKE_SUB_FRAME(sub, InitWndMsg(msg)); }

VKE_API int VkeSubCopyWndMsg(VkiSub* sub, WndMsg* dest, WndMsg* src) { VKE_SUB_FRAME(sub, CopyWndMsg(dest, src)); }

VKE_API int VkeSubAllocLke(VkiSub* sub, int kind, Lke** out, int size) { VKE_SUB_FRAME(sub, AllocLke(kind, out, size)); }

VKE_API int VkeSubFreeLke(VkiSub* sub, Lke** p) { VKE_SUB_FRAME(sub, FreeLke(p)); }

VKE_API int VkeSubInitLke(VkiSub* sub, int kind, Lke* p, int size) { VKE_SUB_FRAME(sub, InitLke(kind, p, size)); }

VKE_API int VkeSubTermLke(VkiSub* sub, Lke* p) { VKE_SUB_FRAME(sub, TermLke(p)); }

VKE_API int VkeSubCopyLke(VkiSub* sub, Lke* dest, Lke* src, int size) { VKE_SUB_FRAME(sub, CopyLke(dest, src, size)); }

VKE_API int VkeSubDupLke(VkiSub* sub, int kind, Lke** out, Lke* src, int size)
{
    VKE_SUB_FRAME(sub, DupLke(kind, out, src, size));
}

VKE_API int VkeSubAllocLki(VkiSub* sub, int kind, Lki** out, int elementSize)
{
    VKE_SUB_FRAME(sub, AllocLki(kind, out, elementSize));
}

VKE_API int VkeSubFreeLki(VkiSub* sub, Lki** p) { VKE_SUB_FRAME(sub, FreeLki(p)); }

VKE_API int VkeSubInitLki(VkiSub* sub, int kind, Lki* p, int elementSize)
{
    VKE_SUB_FRAME(sub, InitLki(kind, p, elementSize));
}

VKE_API int VkeSubTermLki(VkiSub* sub, Lki* p) { VKE_SUB_FRAME(sub, TermLki(p)); }

VKE_API int VkeSubCopyLki(VkiSub* sub, Lki* dest, Lki* src) { VKE_SUB_FRAME(sub, CopyLki(dest, src)); }

VKE_API int VkeSubDupLki(VkiSub* sub, int kind, Lki** out, Lki* src, int elementSize)
{
    VKE_SUB_FRAME(sub, DupLki(kind, out, src, elementSize));
}

VKE_API int VkeSubSchLke(VkiSub* sub, int mode, Lki* list, void* key, Lke** found)
{
    VKE_SUB_FRAME(sub, SchLke(mode, list, key, found));
}

VKE_API int VkeSubInsLke(VkiSub* sub, int mode, Lki* list, void* key, Lke* element)
{
    VKE_SUB_FRAME(sub, InsLke(mode, list, key, element));
}

VKE_API int VkeSubAddLke(VkiSub* sub, Lki* list, Lke* element) { VKE_SUB_FRAME(sub, AddLke(list, element)); }

VKE_API int VkeSubDelLke(VkiSub* sub, int mode, Lki* list, void* key, Lke** removed)
{
    VKE_SUB_FRAME(sub, DelLke(mode, list, key, removed));
}

VKE_API int VkeSubAllocDat(VkiSub* sub, HWND window, int kind, Dat** out)
{
    VKE_SUB_FRAME(sub, AllocDat(window, kind, out));
}

VKE_API int VkeSubFreeDat(VkiSub* sub, HWND window, int kind, Dat** p) { VKE_SUB_FRAME(sub, FreeDat(window, kind, p)); }

VKE_API int VkeSubInitDat(VkiSub* sub, HWND window, int kind, Dat* p) { VKE_SUB_FRAME(sub, InitDat(window, kind, p)); }

VKE_API int VkeSubTermDat(VkiSub* sub, HWND window, int kind, Dat* p) { VKE_SUB_FRAME(sub, TermDat(window, kind, p)); }

VKE_API int VkeSubCopyDat(VkiSub* sub, HWND window, int kind, Dat* dest, Dat* src)
{
    VKE_SUB_FRAME(sub, CopyDat(window, kind, dest, src));
}

VKE_API int VkeSubDupDat(VkiSub* sub, HWND window, int kind, Dat** out, Dat* src)
{
    VKE_SUB_FRAME(sub, DupDat(window, kind, out, src));
}

VKE_API int VkeSubSchDat(VkiSub* sub, int kind, int mode, Lki* list, void* key, Dat** found)
{
    VKE_SUB_FRAME(sub, SchDat(kind, mode, list, key, found));
}

VKE_API int VkeSubInsDat(VkiSub* sub, int kind, int mode, Lki* list, void* key, Dat* record)
{
    VKE_SUB_FRAME(sub, InsDat(kind, mode, list, key, record));
}

VKE_API int VkeSubAddDat(VkiSub* sub, int kind, Lki* list, Dat* record) { VKE_SUB_FRAME(sub, AddDat(kind, list, record)); }

VKE_API int VkeSubDelDat(VkiSub* sub, int kind, int mode, Lki* list, void* key, Dat** removed)
{
    VKE_SUB_FRAME(sub, DelDat(kind, mode, list, key, removed));
}
