// Edit commands of a control: undo and redo through its undo history; cut, copy, paste and clear
// of the selection (of a focused edit-like control) or of the whole value, with text through the
// clipboard; and which of them are available. The keyboard sends them to the parent as commands,
// whose handlers call these exports. An auto radio button undoes and redoes its whole group.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlEdt"
#include "VkiCtl.h"
#include "VkiDrw.h"
#include "VkiSub.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include <string.h>

namespace {

const int kText = 1024;

// Results of the string steps that still leave a usable text: moved to a character boundary (1)
// or shortened (-13).
bool Usable(int rc) { return rc == VKE_OK || rc == 1 || rc == VKE_ERR_CUT; }

} // namespace

// ---- Availability ----

int VkiCtl::EditRange(SelectInfo* range)
{
    *range = SelectInfo{0, D().memWndText.iLength};
    if (!IsEditLike() || !HasFocus()) return VKE_OK;
    return NmlSelection(&range->iStart, &range->iEnd);
}

int VkiCtl::GetEditFlag(EditFlag* flags)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!flags) return VKE_ERR_ARG;
    rc = m_pSub->InitEditFlag(flags);
    if (rc != VKE_OK || !h->m_iCtlEditing) return rc;
    EditFlag history;
    rc = m_pSub->GetEditFlag(h->m_pCtd->pEui, &history);
    SelectInfo range = {};
    if (rc == VKE_OK) rc = h->EditRange(&range);
    int exists = 0;
    if (rc == VKE_OK) rc = m_pDrw->IsExistClbStr(&exists);
    if (rc != VKE_OK) return rc;
    flags->iUnd = history.iUnd;
    flags->iRdo = history.iRdo;
    bool some = h->D().memWndText.iLength > 0 && range.iStart < range.iEnd;
    flags->iCut = flags->iCpy = flags->iCle = some ? 1 : 0;
    flags->iPst = exists ? 1 : 0;
    return VKE_OK;
}

int VkiCtl::GetEditOneFlag(int which, int* out)
{
    if (!out) return IsInit() ? VKE_ERR_ARG : VKE_ERR_NOT_INIT;
    *out = 0;
    EditFlag flags;
    int rc = GetEditFlag(&flags);
    if (rc != VKE_OK) return rc;
    const int value[] = {flags.iUnd, flags.iRdo, flags.iCut, flags.iCpy, flags.iPst, flags.iCle};
    *out = value[which];
    return VKE_OK;
}

// ---- Undo and redo ----

void VkiCtl::CloseList()
{
    if (IsCombo() && (GetStyle() & 3) != CBS_SIMPLE) ::SendMessageA(m_hWnd, CB_SHOWDROPDOWN, FALSE, 0);
}

// One step back in this control's own history; the present data is kept first where the
// current step holds none (or a list selection moved by keys is not yet in it), so that redo
// can return to it.
int VkiCtl::UndoOne()
{
    CtlUndDat& u = m_pCtd->cud;
    Eud* step = nullptr;
    Eue* entry = nullptr;
    int rc = m_pSub->GetEudPtrCur(m_pCtd->pEui, &step);
    if (rc == VKE_OK) rc = m_pSub->GetEuePtrBtm(step, &entry);
    if (rc != VKE_OK) return rc;
    int moved = u.iState == 3;
    if (moved || !entry->pData) {
        if (moved && IsEditLike()) D().sel = SelectInfo{0, D().memWndText.iLength};
        rc = CopyDti(&u.dtiSnap, &D());
        if (rc != VKE_OK) return rc;
        if (moved) u.iState = 2;
        u.selStart = u.dtiSnap.sel;
        SetEdiFromWnd(m_pCtd);
    }
    rc = m_pSub->EditUnd(m_hWnd, m_pCtd->pEui, 14, VKE_DAT_CTL_UND, &u, moved);
    if (rc == VKE_OK) m_pCtd->cud.iState = 4;
    return rc;
}

int VkiCtl::EditUnd()
{
    VkiCtl* h = nullptr;
    SelectInfo range;
    int rc = BeginCommand(VKI_EDIT_UND, &h, &range);
    if (rc != VKE_OK) return rc;
    std::vector<VkiCtl*> group = h->Group();
    for (VkiCtl* c : group)
        if (rc == VKE_OK) rc = c->UndoOne();
    h->SetModifiedFlag(1);
    FocusGroupOn(group);
    return rc;
}

int VkiCtl::EditRdo()
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    h->CloseList();
    std::vector<VkiCtl*> group = h->Group();
    for (VkiCtl* c : group) {
        if (rc == VKE_OK) rc = m_pSub->EditRdo(c->m_hWnd, c->m_pCtd->pEui);
        if (rc == VKE_OK && c->m_pCtd->cud.iState == 4) c->m_pCtd->cud.iState = 2;
    }
    if (rc != VKE_OK) return rc;
    h->SetModifiedFlag(1);
    FocusGroupOn(group);
    return VKE_OK;
}

// After an undo or redo the focus of a radio group goes to the button that is on now.
void VkiCtl::FocusGroupOn(const std::vector<VkiCtl*>& group)
{
    for (VkiCtl* c : group)
        if (group.size() > 1 && strcmp(VkiCtlStr(c->D().memDataValue), "1") == 0) m_pDrw->SetFocusWnd(c->m_hWnd);
}

// ---- Cut, copy, paste, clear ----

// A change of the text made one edit step: a focused edit-like control shows the new text with
// the caret at caret, any other control takes it as its value; the Dti selection becomes
// (start, caret).
int VkiCtl::ApplyEdit(int kind, const char* text, int start, int caret)
{
    if (IsListBox() || IsCombo()) {
        LRESULT index = ::SendMessageA(m_hWnd, IsCombo() ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
        m_pCtd->cud.iListIndex = static_cast<int>(index);
    }
    int rc = ChangeStep(kind, 1);
    if (rc != VKE_OK) return rc;
    if (IsEditLike() && HasFocus()) {
        // Shown as typed text is: the value follows it.
        rc = m_pSub->SetAppMemStr(&D().memWndText, text);
        if (rc == VKE_OK) rc = ShowEditing();
        if (rc == VKE_OK) rc = SetSelection(caret, caret);
        if (rc == VKE_OK) rc = ReadWindow();
        if (rc == VKE_OK) SetTypedState();
    } else {
        rc = SetDataValue(text, 0);
    }
    if (IsEditLike()) D().sel = SelectInfo{start, caret};
    return rc;
}

// The common start of a command: -12 when it is not available; the holder with its combo list
// closed, and the range the command works on.
int VkiCtl::BeginCommand(int which, VkiCtl** holder, SelectInfo* range)
{
    int available = 0;
    int rc = GetEditOneFlag(which, &available);
    if (rc != VKE_OK) return rc;
    if (!available) return VKE_ERR_NOT_FOUND;
    Holder(holder);
    (*holder)->CloseList();
    return (*holder)->EditRange(range);
}

// Removes the range from the text as an edit step of kind; removed (null: not wanted) gets what
// went, *count its bytes.
int VkiCtl::RemoveRange(int kind, const SelectInfo& range, char* removed, int* count)
{
    char text[kText];
    VkiCtlTakeText(text, VkiCtlStr(D().memWndText), kText - 1);
    int at = 0;
    *count = 0;
    int rc = m_pSub->DelStr(text, removed, range.iStart + 1, range.iEnd - range.iStart, removed ? kText : 0, &at, count);
    if (!Usable(rc)) return rc;
    return *count > 0 ? ApplyEdit(kind, text, at - 1, at - 1) : VKE_OK;
}

int VkiCtl::EditCut()
{
    VkiCtl* h = nullptr;
    SelectInfo range;
    int rc = BeginCommand(VKI_EDIT_CUT, &h, &range);
    if (rc != VKE_OK || range.iStart >= range.iEnd) return rc;
    char removed[kText];
    int count = 0;
    rc = h->RemoveRange(1, range, removed, &count);
    if (rc != VKE_OK || count == 0) return rc;
    return m_pDrw->CopyStrToClb(h->m_hWnd, removed);
}

int VkiCtl::EditCpy()
{
    VkiCtl* h = nullptr;
    SelectInfo range;
    int rc = BeginCommand(VKI_EDIT_CPY, &h, &range);
    if (rc != VKE_OK || range.iStart >= range.iEnd) return rc;
    char part[kText];
    rc = m_pSub->MidStr(part, VkiCtlStr(h->D().memWndText), range.iStart + 1, range.iEnd - range.iStart, kText);
    if (!Usable(rc)) return rc;
    return part[0] ? m_pDrw->CopyStrToClb(h->m_hWnd, part) : VKE_OK;
}

int VkiCtl::EditPst()
{
    VkiCtl* h = nullptr;
    SelectInfo range;
    int rc = BeginCommand(VKI_EDIT_PST, &h, &range);
    if (rc != VKE_OK) return rc;
    char* clip = nullptr;
    rc = m_pDrw->CopyClbToStr(h->m_hWnd, &clip);
    if (rc != VKE_OK) return rc;
    // At most a value's bytes, without half a character at the end.
    char inserted[kText];
    VkiCtlTakeText(inserted, clip, kText - 1);
    m_pDrw->FreeClbStr(&clip);

    char text[kText];
    VkiCtlTakeText(text, VkiCtlStr(h->D().memWndText), kText - 1);
    int length = static_cast<int>(strlen(text));
    int limit = h->InputLimit(h->D().iMaxInputLength);
    int at = 0, removed = 0, added = 0;
    rc = m_pSub->UpdStr(text, inserted, nullptr, nullptr, range.iStart + 1, range.iEnd - range.iStart,
                        (length > limit ? length : limit) + 1, 0, 0, &at, &removed, &added);
    if (!Usable(rc)) return rc;
    if (removed == 0 && added == 0) return VKE_OK;
    return h->ApplyEdit(3, text, at - 1, at - 1 + added);
}

int VkiCtl::EditCle()
{
    VkiCtl* h = nullptr;
    SelectInfo range;
    int rc = BeginCommand(VKI_EDIT_CLE, &h, &range);
    if (rc != VKE_OK || range.iStart >= range.iEnd) return rc;
    int count = 0;
    rc = h->RemoveRange(4, range, nullptr, &count);
    // Delete keys that follow at the same place continue this step.
    if (rc == VKE_OK && count > 0 && h->IsEditLike()) h->m_pCtd->cud.iLastKey = VK_DELETE;
    return rc;
}

// ---- Exports ----

VKE_API int VkeCtlGetEditFlag(VkiCtl* ctl, EditFlag* flags) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditFlag(flags)); }
VKE_API int VkeCtlGetEditUndFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditOneFlag(VKI_EDIT_UND, out)); }
VKE_API int VkeCtlGetEditRdoFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditOneFlag(VKI_EDIT_RDO, out)); }
VKE_API int VkeCtlGetEditCutFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditOneFlag(VKI_EDIT_CUT, out)); }
VKE_API int VkeCtlGetEditCpyFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditOneFlag(VKI_EDIT_CPY, out)); }
VKE_API int VkeCtlGetEditPstFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditOneFlag(VKI_EDIT_PST, out)); }
VKE_API int VkeCtlGetEditCleFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditOneFlag(VKI_EDIT_CLE, out)); }
VKE_API int VkeCtlEditUnd(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->EditUnd()); }
VKE_API int VkeCtlEditRdo(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->EditRdo()); }
VKE_API int VkeCtlEditCut(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->EditCut()); }
VKE_API int VkeCtlEditCpy(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->EditCpy()); }
VKE_API int VkeCtlEditPst(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->EditPst()); }
VKE_API int VkeCtlEditCle(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->EditCle()); }
