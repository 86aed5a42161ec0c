// The record family over engine lists, shared by every record-keeping module.
#include "CmnDat.h"
#include "CmnDef.h"
#include <stdlib.h>
#include <string.h>

namespace {

bool IsEngineMode(int mode) { return mode == VKE_LKE_BY_NO || mode == VKE_LKE_BY_ELM; }

Lke* AsLke(Dat* p) { return static_cast<Lke*>(p); }

// The list a record heads, or null: a list head is one, an element that heads a list has it after
// its header.
Lki* ListOf(const CmnDatKind* kind, Dat* p)
{
    if (kind->iForm == CmnDatList) return static_cast<Lki*>(p);
    if (kind->iForm == CmnDatElmList) return reinterpret_cast<Lki*>(static_cast<char*>(p) + sizeof(Lke));
    return nullptr;
}

} // namespace

const CmnDatKind* CmnDat::Kind(int code) const
{
    for (int i = 0; i < m_nKinds; ++i)
        if (m_pKinds[i].iCode == code) return &m_pKinds[i];
    return nullptr;
}

int CmnDat::Fail(const char* name, int code, int line) const
{
    CmnTraceError(m_pszModule, line, name, code);
    return code;
}

const CmnDatKind* CmnDat::ElmKind(int code, const Lki* list) const
{
    const CmnDatKind* kind = Kind(code);
    if (!kind || (kind->iForm != CmnDatElm && kind->iForm != CmnDatElmList) || !list) return nullptr;
    const CmnDatKind* head = Kind(list->iKind);
    bool heads = head && (head->iForm == CmnDatList || head->iForm == CmnDatElmList);
    return heads && head->iElmCode == code ? kind : nullptr;
}

// ---- Records ----

int CmnDat::AllocDat(int code, Dat** out)
{
    const CmnDatKind* kind = Kind(code);
    if (!kind || !out) return Fail("AllocDat", VKE_ERR_ARG);
    if (*out) return Fail("AllocDat", VKE_ERR_EXISTS);
    Dat* p = calloc(1, static_cast<size_t>(kind->iSize));
    if (!p) return Fail("AllocDat", VKE_ERR_MEMORY);
    int rc = Init(kind, p);
    if (rc != VKE_OK) {
        Term(kind, p);
        free(p);
        return Fail("AllocDat", rc);
    }
    *out = p;
    return VKE_OK;
}

int CmnDat::FreeDat(int code, Dat** p)
{
    const CmnDatKind* kind = Kind(code);
    if (!kind || !p) return Fail("FreeDat", VKE_ERR_ARG);
    if (!*p) return VKE_OK;
    int rc = Term(kind, *p);
    free(*p);
    *p = nullptr;
    return rc == VKE_OK ? rc : Fail("FreeDat", rc);
}

int CmnDat::InitDat(int code, Dat* p)
{
    const CmnDatKind* kind = Kind(code);
    if (!kind || !p) return Fail("InitDat", VKE_ERR_ARG);
    int rc = Init(kind, p);
    return rc == VKE_OK ? rc : Fail("InitDat", rc);
}

int CmnDat::TermDat(int code, Dat* p)
{
    const CmnDatKind* kind = Kind(code);
    if (!kind || !p) return Fail("TermDat", VKE_ERR_ARG);
    int rc = Term(kind, p);
    return rc == VKE_OK ? rc : Fail("TermDat", rc);
}

int CmnDat::CopyDat(int code, Dat* to, Dat* from)
{
    const CmnDatKind* kind = Kind(code);
    if (!kind || !to || !from) return Fail("CopyDat", VKE_ERR_ARG);
    int rc = Copy(kind, to, from);
    return rc == VKE_OK ? rc : Fail("CopyDat", rc);
}

int CmnDat::SetDat(int code, Dat* to, Dat* from)
{
    const CmnDatKind* kind = Kind(code);
    if (!kind || !to || !from) return Fail("SetDat", VKE_ERR_ARG);
    int rc = Copy(kind, to, from);
    return rc == VKE_OK ? rc : Fail("SetDat", rc);
}

int CmnDat::DupDat(int code, Dat** out, Dat* from)
{
    const CmnDatKind* kind = Kind(code);
    if (!kind || !out || !from) return Fail("DupDat", VKE_ERR_ARG);
    if (*out) return Fail("DupDat", VKE_ERR_EXISTS);
    int rc = Dup(kind, out, from);
    return rc == VKE_OK ? rc : Fail("DupDat", rc);
}

int CmnDat::Init(const CmnDatKind* kind, Dat* p)
{
    if (IsHeld(kind->iCode, p)) return VKE_ERR_EXISTS;
    Lki* list = ListOf(kind, p);
    if (list && list->pHead) return VKE_ERR_EXISTS;
    memset(p, 0, static_cast<size_t>(kind->iSize));
    VkiSub* sub = theCmnAppInf.pSub;
    int rc = VKE_OK;
    if (kind->iForm == CmnDatElm || kind->iForm == CmnDatElmList)
        rc = VkeSubInitLke(sub, kind->iCode, AsLke(p), kind->iSize);
    if (rc == VKE_OK && list) {
        const CmnDatKind* elm = Kind(kind->iElmCode);
        rc = elm ? VkeSubInitLki(sub, kind->iCode, list, elm->iSize) : VKE_ERR_ARG;
    }
    return rc == VKE_OK ? InitRec(kind->iCode, p) : rc;
}

// Each element is taken off the head and freed; a removal that fails ends the walk (the element
// would stay the head), and the engine frees what is left with the head.
int CmnDat::ClearList(const CmnDatKind* kind, Lki* list)
{
    const CmnDatKind* elm = Kind(kind->iElmCode);
    int first = VKE_OK;
    while (list->pHead && elm) {
        Lke* e = nullptr;
        int rc = VkeSubDelLke(theCmnAppInf.pSub, VKE_LKE_BY_ELM, list, list->pHead, &e);
        if (rc != VKE_OK) return first == VKE_OK ? rc : first;
        Dat* d = e;
        rc = Term(elm, d);
        free(d);
        if (first == VKE_OK) first = rc;
    }
    return first;
}

int CmnDat::Term(const CmnDatKind* kind, Dat* p)
{
    Lki* list = ListOf(kind, p);
    int first = list ? ClearList(kind, list) : VKE_OK;
    int rc = TermRec(kind->iCode, p);
    if (first == VKE_OK) first = rc;
    if (!list) return first;
    rc = VkeSubTermLki(theCmnAppInf.pSub, list);
    return first == VKE_OK ? rc : first;
}

int CmnDat::Copy(const CmnDatKind* kind, Dat* to, Dat* from)
{
    if (to == from) return VKE_OK;
    Lki* list = ListOf(kind, to);
    if (list) {
        // Copies of the source's elements in order, in place of the target's.
        Lki* src = ListOf(kind, from);
        const CmnDatKind* elm = Kind(kind->iElmCode);
        int rc = ClearList(kind, list);
        if (rc == VKE_OK) list->iElmSize = src->iElmSize;
        Lke* e = src->pHead;
        for (int i = 0; rc == VKE_OK && i < src->iCnt; ++i) {
            Dat* copy = nullptr;
            rc = e ? Dup(elm, &copy, e) : VKE_ERR_SYSTEM;
            if (rc == VKE_OK) rc = VkeSubAddLke(theCmnAppInf.pSub, list, AsLke(copy));
            if (rc != VKE_OK && copy) {
                Term(elm, copy);
                free(copy);
            }
            if (e) e = e->pNxt;
        }
        if (rc != VKE_OK) return rc;
    }
    return CopyRec(kind->iCode, to, from);
}

int CmnDat::Dup(const CmnDatKind* kind, Dat** out, Dat* from)
{
    Dat* p = calloc(1, static_cast<size_t>(kind->iSize));
    if (!p) return VKE_ERR_MEMORY;
    int rc = Init(kind, p);
    if (rc == VKE_OK) rc = Copy(kind, p, from);
    if (rc != VKE_OK) {
        Term(kind, p);
        free(p);
        return rc;
    }
    *out = p;
    return VKE_OK;
}

// ---- Lists ----

int CmnDat::Search(const CmnDatKind* kind, int mode, Lki* list, void* key, Dat** out)
{
    *out = nullptr;
    if (IsEngineMode(mode)) {
        Lke* e = nullptr;
        int rc = VkeSubSchLke(theCmnAppInf.pSub, mode, list, key, &e);
        if (rc == VKE_OK) *out = e;
        return rc;
    }
    if (!IsKeyMode(kind->iCode, mode) || !key) return VKE_ERR_ARG;
    Lke* e = list->pCur ? list->pCur : list->pHead;
    for (int i = 0; i < list->iCnt; ++i) {
        if (!e) return VKE_ERR_SYSTEM;
        Lke* next = e == list->pTail ? list->pHead : e->pNxt;
        if (Match(kind->iCode, mode, key, e)) {
            list->pCur = e->pNxt ? e->pNxt : list->pHead;
            *out = e;
            return VKE_OK;
        }
        e = next;
    }
    return VKE_ERR_NOT_FOUND;
}

int CmnDat::SchDat(int code, int mode, Lki* list, void* key, Dat** out)
{
    const CmnDatKind* kind = ElmKind(code, list);
    if (!kind || !out) return Fail("SchDat", VKE_ERR_ARG);
    int rc = Search(kind, mode, list, key, out);
    return rc == VKE_OK || rc == VKE_ERR_NOT_FOUND ? rc : Fail("SchDat", rc);
}

int CmnDat::InsDat(int code, int mode, Lki* list, void* key, Dat* p)
{
    const CmnDatKind* kind = ElmKind(code, list);
    if (!kind || !p || AsLke(p)->iKind != code || (!key && mode != VKE_LKE_BY_ELM)) return Fail("InsDat", VKE_ERR_ARG);
    Dat* at = key;
    int rc = VKE_OK;
    if (!IsEngineMode(mode)) {
        rc = Search(kind, mode, list, key, &at);
        mode = VKE_LKE_BY_ELM;
    }
    if (rc == VKE_OK) rc = VkeSubInsLke(theCmnAppInf.pSub, mode, list, at, AsLke(p));
    return rc == VKE_OK ? rc : Fail("InsDat", rc);
}

int CmnDat::AddDat(int code, Lki* list, Dat* p)
{
    if (!ElmKind(code, list) || !p || AsLke(p)->iKind != code) return Fail("AddDat", VKE_ERR_ARG);
    int rc = VkeSubAddLke(theCmnAppInf.pSub, list, AsLke(p));
    return rc == VKE_OK ? rc : Fail("AddDat", rc);
}

int CmnDat::DelDat(int code, int mode, Lki* list, void* key, Dat** out)
{
    const CmnDatKind* kind = ElmKind(code, list);
    if (out) *out = nullptr;
    if (!kind || !out) return Fail("DelDat", VKE_ERR_ARG);
    Dat* at = key;
    int rc = VKE_OK;
    if (!IsEngineMode(mode)) {
        rc = Search(kind, mode, list, key, &at);
        mode = VKE_LKE_BY_ELM;
    }
    Lke* e = nullptr;
    if (rc == VKE_OK) rc = VkeSubDelLke(theCmnAppInf.pSub, mode, list, at, &e);
    if (rc != VKE_OK) return Fail("DelDat", rc);
    *out = e;
    return VKE_OK;
}
