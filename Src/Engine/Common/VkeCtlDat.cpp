// A control's records and edit steps: the undo unit (CtlUndDat, 641), the open edit step (Edi,
// 642) and the control's data (Ctd, 643) with their life cycle; the answer to VkeWmEudDat, by
// which the undo history of the control window makes, refreshes, restores and frees its copies
// of the undo unit; and the step bookkeeping (begin, clear, check and commit, record, change).
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlDat"
#include "VkiCtl.h"
#include "VkiSub.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include <stdlib.h>
#include <string.h>

namespace {

// Set while a step is handed to the undo history: a parent that answers the notice by
// recording into a control again is refused.
int s_iRecording = 0;

bool IsCode(int code) { return code >= VKE_DAT_CTL_UND && code <= VKE_DAT_CTD; }

size_t SizeOf(int code)
{
    return code == VKE_DAT_CTL_UND ? sizeof(CtlUndDat) : code == VKE_DAT_EDI ? sizeof(Edi) : sizeof(Ctd);
}

bool SameSel(const SelectInfo& a, const SelectInfo& b) { return a.iStart == b.iStart && a.iEnd == b.iEnd; }

void ResetUnd(CtlUndDat* u)
{
    u->iState = 1;
    u->iLastKey = 0;
    u->iListIndex = -1;
}

inline void Keep(int* first, int rc)
{
    if (*first == VKE_OK) *first = rc;
}

} // namespace

// ---- Record life cycle ----

int VkiCtl::AllocDat(int code, void** p)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!IsCode(code) || !p) return VKE_ERR_ARG;
    if (*p) return VKE_ERR_EXISTS;
    void* rec = calloc(1, SizeOf(code));
    if (!rec) return VKE_ERR_MEMORY;
    rc = h->InitDat(code, rec);
    if (rc != VKE_OK) {
        free(rec);
        return rc;
    }
    *p = rec;
    return VKE_OK;
}

int VkiCtl::FreeDat(int code, void** p)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsCode(code) || !p) return VKE_ERR_ARG;
    if (!*p) return VKE_OK;
    int rc = TermDat(code, *p);
    free(*p);
    *p = nullptr;
    return rc;
}

int VkiCtl::InitDat(int code, void* p)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsCode(code) || !p) return VKE_ERR_ARG;
    if (code == VKE_DAT_CTL_UND) {
        auto* u = static_cast<CtlUndDat*>(p);
        ResetUnd(u);
        u->selStart = SelectInfo{0, 0};
        return InitDti(&u->dtiSnap);
    }
    if (code == VKE_DAT_EDI) {
        auto* e = static_cast<Edi*>(p);
        e->iOpen = e->iKind = 0;
        return m_pSub->InitAppMem(&e->memTextBefore);
    }
    auto* ctd = static_cast<Ctd*>(p);
    int rc = InitDti(&ctd->dti);
    if (rc == VKE_OK) rc = InitDat(VKE_DAT_CTL_UND, &ctd->cud);
    if (rc == VKE_OK) rc = InitEui(ctd);
    if (rc != VKE_OK) {
        TermDti(&ctd->dti);
        TermDti(&ctd->cud.dtiSnap);
    }
    return rc;
}

int VkiCtl::TermDat(int code, void* p)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsCode(code) || !p) return VKE_ERR_ARG;
    if (code == VKE_DAT_CTL_UND) {
        auto* u = static_cast<CtlUndDat*>(p);
        int rc = TermDti(&u->dtiSnap);
        ResetUnd(u);
        u->selStart = SelectInfo{0, 0};
        return rc;
    }
    if (code == VKE_DAT_EDI) {
        auto* e = static_cast<Edi*>(p);
        e->iOpen = e->iKind = 0;
        return m_pSub->TermAppMem(&e->memTextBefore);
    }
    auto* ctd = static_cast<Ctd*>(p);
    int first = TermDti(&ctd->dti);
    Keep(&first, TermDat(VKE_DAT_CTL_UND, &ctd->cud));
    Keep(&first, TermEui(ctd));
    return first;
}

int VkiCtl::CopyDat(int code, void* dest, void* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsCode(code) || !dest || !src) return VKE_ERR_ARG;
    if (dest == src) return VKE_OK;
    if (code == VKE_DAT_CTL_UND) {
        auto* to = static_cast<CtlUndDat*>(dest);
        auto* from = static_cast<CtlUndDat*>(src);
        to->iState = from->iState;
        to->iLastKey = from->iLastKey;
        to->iListIndex = from->iListIndex;
        to->selStart = from->selStart;
        return CopyDti(&to->dtiSnap, &from->dtiSnap);
    }
    if (code == VKE_DAT_EDI) {
        auto* to = static_cast<Edi*>(dest);
        auto* from = static_cast<Edi*>(src);
        to->iOpen = from->iOpen;
        to->iKind = from->iKind;
        return m_pSub->SetAppMemStr(&to->memTextBefore, from->memTextBefore.pBuffer ? from->memTextBefore.pBuffer : "");
    }
    auto* to = static_cast<Ctd*>(dest);
    auto* from = static_cast<Ctd*>(src);
    int rc = CopyDti(&to->dti, &from->dti);
    return rc == VKE_OK ? CopyDat(VKE_DAT_CTL_UND, &to->cud, &from->cud) : rc;
}

int VkiCtl::DupDat(int code, void** out, void* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsCode(code) || !out || !src) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    void* copy = nullptr;
    int rc = AllocDat(code, &copy);
    if (rc != VKE_OK) return rc;
    rc = CopyDat(code, copy, src);
    auto* from = static_cast<Ctd*>(src);
    if (rc == VKE_OK && code == VKE_DAT_CTD && from->pEui) {
        // The copy takes a duplicate of the source's history in place of its fresh one.
        auto* to = static_cast<Ctd*>(copy);
        rc = m_pSub->TermEui(m_hWnd, &to->pEui);
        if (rc == VKE_OK) rc = m_pSub->DupDat(m_hWnd, VKE_DAT_EUI, reinterpret_cast<Dat**>(&to->pEui), from->pEui);
    }
    if (rc != VKE_OK) {
        FreeDat(code, &copy);
        return rc;
    }
    *out = copy;
    return VKE_OK;
}

int VkiCtl::EditDat(int op, int code, void* p3, void* p4)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!IsCode(code)) return VKE_ERR_ARG;
    void** rec = static_cast<void**>(p3);
    void** src = static_cast<void**>(p4);
    bool hasRec = rec && *rec, hasSrc = src && *src;
    switch (op) {
    case 1: return rec ? h->AllocDat(code, rec) : VKE_ERR_ARG;
    case 2: return rec ? h->FreeDat(code, rec) : VKE_ERR_ARG;
    case 3: return hasRec ? h->InitDat(code, *rec) : VKE_ERR_ARG;
    case 4: return hasRec ? h->TermDat(code, *rec) : VKE_ERR_ARG;
    case 5:
    case 7: return hasRec && hasSrc ? h->CopyDat(code, *rec, *src) : VKE_ERR_ARG;
    case 6: return rec && hasSrc ? h->DupDat(code, rec, *src) : VKE_ERR_ARG;
    case 8:
        if (code != VKE_DAT_CTL_UND || !hasSrc) return VKE_ERR_ARG;
        rc = h->CopyDat(code, &h->m_pCtd->cud, *src);
        return rc == VKE_OK ? h->SetWndFromEdi(h->m_pCtd) : rc;
    default: return VKE_ERR_ARG;
    }
}

LRESULT VkiCtl::OnEudDat(WPARAM wParam, LPARAM)
{
    auto* req = reinterpret_cast<EudReq*>(wParam);
    VkiCtl* h = nullptr;
    if (!req || Holder(&h) != VKE_OK) return 0;
    req->iResult = h->EditDat(req->iRequest, req->iKind, req->ppSlot1, req->ppSlot2);
    return 1;
}

// ---- The window and the records ----

int VkiCtl::SetEdiFromWnd(Ctd* ctd)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!ctd) return VKE_ERR_ARG;
    if (h->IsButton()) {
        char caption[1024];
        VkiCtlReadText(h->m_hWnd, caption);
        rc = m_pSub->SetAppMemStr(&ctd->dti.memDataName, caption);
    }
    ctd->cud.iLastKey = 0;
    return rc;
}

int VkiCtl::SetWndFromEdi(Ctd* ctd)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!ctd) return VKE_ERR_ARG;
    if (h->IsListBox()) ::SendMessageA(h->m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(ctd->cud.iListIndex), 0);
    if (h->IsCombo()) ::SendMessageA(h->m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(ctd->cud.iListIndex), 0);
    Dti& d = h->D();
    int first = CopyDti(&d, &ctd->cud.dtiSnap);
    if (h->IsButton()) VkiCtlShowCaption(h->m_hWnd, VkiCtlStr(d.memDataName));
    Keep(&first, h->WriteDti(&d, 0));
    if (h->HasFocus()) h->SetSelection(d.sel.iStart, d.sel.iEnd);
    else h->SetSelection(-1, -1);
    if (first == VKE_OK) h->m_pCtd->cud.iLastKey = 0;
    h->Redraw(0);
    return first;
}

int VkiCtl::InitEui(Ctd* ctd)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!ctd) return VKE_ERR_ARG;
    rc = m_pSub->InitEui(h->m_hWnd, &ctd->pEui);
    ResetUnd(&ctd->cud);
    return rc;
}

int VkiCtl::TermEui(Ctd* ctd)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!ctd) return VKE_ERR_ARG;
    rc = ctd->pEui ? m_pSub->TermEui(h->m_hWnd, &ctd->pEui) : VKE_OK;
    ResetUnd(&ctd->cud);
    return rc;
}

int VkiCtl::SetCtdPtr(Ctd* ctd)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!ctd) return VKE_ERR_ARG;
    h->m_pCtd = ctd;
    return VKE_OK;
}

int VkiCtl::GetCtdPtr(Ctd** out)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!out) return VKE_ERR_ARG;
    *out = h->m_pCtd;
    return VKE_OK;
}

// ---- Edit steps ----
// Steps are kept only while the control's editing flag is on; an auto radio button keeps them
// for its whole group.

int VkiCtl::BeginOne(int kind, int withSel, int start, int end)
{
    if (kind < 1 || kind > 39) return VKE_ERR_ARG;
    CtlUndDat& u = m_pCtd->cud;
    int rc = CopyDti(&u.dtiSnap, &D());
    if (rc != VKE_OK) return rc;
    u.selStart = withSel ? SelectInfo{start, end} : u.dtiSnap.sel;
    rc = m_pSub->SetAppMemStr(&m_pEdi->memTextBefore, VkiCtlStr(D().memWndText));
    if (rc != VKE_OK) return rc;
    m_pEdi->iOpen = 1;
    m_pEdi->iKind = kind;
    return VKE_OK;
}

int VkiCtl::BeginStep(int kind, int withSel, int start, int end)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK || !h->m_iCtlEditing) return rc;
    int first = VKE_OK;
    for (VkiCtl* c : h->Group()) Keep(&first, c->BeginOne(kind, withSel, start, end));
    return first;
}

void VkiCtl::ClearStep()
{
    VkiCtl* h = nullptr;
    if (Holder(&h) != VKE_OK) return;
    for (VkiCtl* c : h->Group()) c->m_pEdi->iOpen = c->m_pEdi->iKind = 0;
}

int VkiCtl::CommitStep(int* recorded)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!recorded) return VKE_ERR_ARG;
    *recorded = 0;
    if (!h->m_iCtlEditing) return VKE_OK;
    if (!h->m_pEdi->iOpen) return VKE_ERR_EXISTS;
    // Members first, without a notice; the control last, with one.
    std::vector<VkiCtl*> group = h->Group();
    int first = VKE_OK;
    for (size_t i = group.size(); i-- > 0;) {
        VkiCtl* c = group[i];
        Edi& e = *c->m_pEdi;
        if (!e.iOpen || strcmp(VkiCtlStr(e.memTextBefore), VkiCtlStr(c->D().memWndText)) == 0) continue;
        Keep(&first, c->RecordOne(e.iKind, c == h ? 1 : 0));
        if (c == h) *recorded = 1;
    }
    h->ClearStep();
    return first;
}

int VkiCtl::RecordStep(int kind)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK || !h->m_iCtlEditing) return rc;
    std::vector<VkiCtl*> group = h->Group();
    int first = VKE_OK;
    for (size_t i = group.size(); i-- > 0;) Keep(&first, group[i]->RecordOne(kind, group[i] == h ? 1 : 0));
    return first;
}

int VkiCtl::HandEud(int stepCode, int stepValue, int notify)
{
    return m_pSub->SetEud(m_hWnd, m_pCtd->pEui, stepCode, stepValue, VKE_DAT_CTL_UND, &m_pCtd->cud, notify);
}

int VkiCtl::RecordOne(int kind, int notify)
{
    if (kind < 1 || kind > 39) return VKE_ERR_ARG;
    if (s_iRecording) return VKE_ERR_EXISTS;
    VkiCtlMark mark(s_iRecording);
    CtlUndDat& u = m_pCtd->cud;
    Dti& d = D();
    int undo = 0;
    int rc = m_pSub->GetEditUndFlag(m_pCtd->pEui, &undo);
    if (rc != VKE_OK) return rc;
    if (u.iState != 1) {
        if (u.iState == 3 || (u.iState == 4 && undo)) u.iState = 2;
        // A selection moved since the step began is a step of its own, so undo puts it back.
        bool moved = !SameSel(u.selStart, u.dtiSnap.sel) || (kind == 11 && u.selStart.iStart == u.selStart.iEnd);
        if ((u.iState == 2 || (u.iState == 4 && !undo)) && IsEditLike() && moved) {
            SetEdiFromWnd(m_pCtd);
            rc = HandEud(14, kind, notify);
            if (rc != VKE_OK) return rc;
            d.iModified = 1;
            u.iState = 2;
        }
    }
    int wasModified = d.iModified;
    d.sel = u.dtiSnap.sel = u.selStart;
    SetEdiFromWnd(m_pCtd);
    rc = HandEud(kind, kind, notify);
    if (rc != VKE_OK) return rc;
    d.iModified = 1;
    u.iState = 2;
    if (!wasModified) Redraw(0);
    return VKE_OK;
}

int VkiCtl::ChangeStep(int kind, int dataFlag)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK || !h->m_iCtlEditing) return rc;
    Dti& d = h->D();
    SelectInfo range = {0, 0};
    bool editLike = h->IsEditLike();
    if (editLike) {
        range = SelectInfo{0, d.memWndText.iLength};
        if (kind != 14 && h->HasFocus()) {
            rc = h->NmlSelection(&range.iStart, &range.iEnd);
            if (rc == VKE_OK && h->IsPassword()) rc = h->SetSelection(range.iStart, range.iEnd);
            if (rc != VKE_OK) return rc;
        }
    }
    if (!h->m_pEdi->iOpen) rc = h->BeginStep(kind, editLike ? 1 : 0, range.iStart, range.iEnd);
    else h->m_pCtd->cud.selStart = range;
    if (rc == VKE_OK) rc = h->RecordStep(h->m_pEdi->iKind);
    h->ClearStep();
    if (rc != VKE_OK) return rc;
    d.sel = h->m_pCtd->cud.selStart;
    if (dataFlag) {
        d.iData = 1;
        d.iError = 0;
        d.iErrorCode = 0;
    }
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeCtlAllocDat(VkiCtl* ctl, int code, void** p) { VKE_FRAME(ctl, ctl->Sub(), ctl->AllocDat(code, p)); }
VKE_API int VkeCtlFreeDat(VkiCtl* ctl, int code, void** p) { VKE_FRAME(ctl, ctl->Sub(), ctl->FreeDat(code, p)); }
VKE_API int VkeCtlInitDat(VkiCtl* ctl, int code, void* p) { VKE_FRAME(ctl, ctl->Sub(), ctl->InitDat(code, p)); }
VKE_API int VkeCtlTermDat(VkiCtl* ctl, int code, void* p) { VKE_FRAME(ctl, ctl->Sub(), ctl->TermDat(code, p)); }
VKE_API int VkeCtlCopyDat(VkiCtl* ctl, int code, void* dest, void* src) { VKE_FRAME(ctl, ctl->Sub(), ctl->CopyDat(code, dest, src)); }
VKE_API int VkeCtlSetDat(VkiCtl* ctl, int code, void* dest, void* src) { VKE_FRAME(ctl, ctl->Sub(), ctl->CopyDat(code, dest, src)); }
VKE_API int VkeCtlDupDat(VkiCtl* ctl, int code, void** out, void* src) { VKE_FRAME(ctl, ctl->Sub(), ctl->DupDat(code, out, src)); }
VKE_API int VkeCtlEditDat(VkiCtl* ctl, int op, int code, void* p3, void* p4) { VKE_FRAME(ctl, ctl->Sub(), ctl->EditDat(op, code, p3, p4)); }
VKE_API int VkeCtlSetEdiFromWnd(VkiCtl* ctl, Ctd* ctd) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetEdiFromWnd(ctd)); }
VKE_API int VkeCtlSetWndFromEdi(VkiCtl* ctl, Ctd* ctd) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetWndFromEdi(ctd)); }
VKE_API int VkeCtlInitEui(VkiCtl* ctl, Ctd* ctd) { VKE_FRAME(ctl, ctl->Sub(), ctl->InitEui(ctd)); }
VKE_API int VkeCtlTermEui(VkiCtl* ctl, Ctd* ctd) { VKE_FRAME(ctl, ctl->Sub(), ctl->TermEui(ctd)); }
VKE_API int VkeCtlSetCtdPtr(VkiCtl* ctl, Ctd* ctd) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetCtdPtr(ctd)); }
VKE_API int VkeCtlGetCtdPtr(VkiCtl* ctl, Ctd** out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetCtdPtr(out)); }
