// Data-type information of a control: selections in bytes, the Dti record's life cycle, and the
// setters and getters of the control's value, its type information and its states.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlDti"
#include "VkiCtl.h"
#include "VkiDrw.h"
#include "VkiShim.h"
#include "VkiSub.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include <stdlib.h>
#include <string.h>

namespace {

const int kText = 1024;

inline void Keep(int* first, int rc)
{
    if (*first == VKE_OK) *first = rc;
}

bool Same(const AppMem& mem, const char* text) { return strcmp(VkiCtlStr(mem), text) == 0; }

// CR LF at bytes i and i + 1.
bool CrLfAt(const char* text, int n, int i) { return i >= 0 && i + 1 < n && text[i] == '\r' && text[i + 1] == '\n'; }

} // namespace

int VkiCtlTakeText(char* dest, const char* src, int limit)
{
    int len = static_cast<int>(strlen(src));
    int keep = VkiFitLen(src, len, limit);
    // A lone lead byte at the end is half a character: it is left out too.
    if (keep > 0 && VkiIsSjsLead(static_cast<unsigned char>(src[keep - 1])) && VkiChkChr(src, keep) == 0) --keep;
    memmove(dest, src, static_cast<size_t>(keep));
    dest[keep] = '\0';
    return keep < len ? VKE_ERR_CUT : VKE_OK;
}

int VkiCtlReadText(HWND wnd, char* out)
{
    int n = ::GetWindowTextLengthA(wnd);
    if (n < 0) n = 0;
    std::vector<char> text(static_cast<size_t>(n) + 2, '\0');
    ::GetWindowTextA(wnd, text.data(), n + 1);
    return VkiCtlTakeText(out, text.data(), kText - 1);
}

void VkiCtlShowCaption(HWND wnd, const char* text)
{
    // The window's text is read in this process; setting it costs the platform a round trip.
    const size_t length = strlen(text);
    int n = ::GetWindowTextLengthA(wnd);
    if (n >= 0 && static_cast<size_t>(n) == length) {
        std::vector<char> now(length + 2, '\0');
        if (::GetWindowTextA(wnd, now.data(), n + 1) == n && memcmp(now.data(), text, length) == 0) return;
    }
    ::SetWindowTextA(wnd, text);
}

// ---- Selections ----

int VkiCtl::SetSelection(int start, int end)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    return rc == VKE_OK ? m_pDrw->SetSelectionCtl(h->m_hWnd, start, end) : rc;
}

int VkiCtl::GetSelection(int* start, int* end)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!start || !end) return VKE_ERR_ARG;
    return m_pDrw->GetSelectionCtl(h->m_hWnd, start, end);
}

int VkiCtl::NmlSelection(int* start, int* end)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc == VKE_OK) rc = GetSelection(start, end);
    if (rc != VKE_OK || !h->IsPassword()) return rc;
    // The window shows one mask character per byte of the clear text: positions are the clear
    // text's bytes, kept off the second byte of a character and off the middle of CR LF.
    const char* text = VkiCtlStr(h->D().memWndText);
    int n = static_cast<int>(strlen(text));
    int s = *start < 0 ? 0 : (*start > n ? n : *start);
    int e = *end < 0 || *end > n ? n : *end;
    if (s < n && VkiChkChr(text, s + 1) == 2) ++s;
    if (e > 0 && e <= n && VkiChkChr(text, e) == 1) --e;
    if (CrLfAt(text, n, s - 1)) ++s;
    if (CrLfAt(text, n, e - 1)) --e;
    if (e < s) e = s;
    *start = s;
    *end = e;
    return VKE_OK;
}

int VkiCtl::CopySelectInfo(SelectInfo* dest, const SelectInfo* src)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!dest || !src) return VKE_ERR_ARG;
    *dest = *src;
    return VKE_OK;
}

int VkiCtl::SetSelectInfo(const SelectInfo* info)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!info) return VKE_ERR_ARG;
    h->D().sel = *info;
    return SetSelection(info->iStart, info->iEnd);
}

int VkiCtl::GetSelectInfo(SelectInfo* out)
{
    if (!out) return IsInit() ? VKE_ERR_ARG : VKE_ERR_NOT_INIT;
    return GetSelection(&out->iStart, &out->iEnd);
}

// ---- Dti records ----

int VkiCtl::AllocDti(Dti** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    auto* dti = static_cast<Dti*>(calloc(1, sizeof(Dti)));
    if (!dti) return VKE_ERR_MEMORY;
    int rc = InitDti(dti);
    if (rc != VKE_OK) {
        free(dti);
        return rc;
    }
    *out = dti;
    return VKE_OK;
}

int VkiCtl::FreeDti(Dti** p)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!p) return VKE_ERR_ARG;
    if (!*p) return VKE_OK;
    int rc = TermDti(*p);
    free(*p);
    *p = nullptr;
    return rc;
}

int VkiCtl::InitDti(Dti* dti)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dti) return VKE_ERR_ARG;
    memset(dti, 0, sizeof(*dti));
    dti->iEditType = VKE_EDIT_NONE;
    int rc = VKE_OK;
    for (AppMem* text : {&dti->memDataName, &dti->memDataValue, &dti->memEditFormat, &dti->memWndText})
        if (rc == VKE_OK) rc = m_pSub->InitAppMem(text);
    if (rc != VKE_OK) TermDti(dti);
    return rc;
}

int VkiCtl::TermDti(Dti* dti)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dti) return VKE_ERR_ARG;
    dti->sel = SelectInfo{0, 0};
    int first = VKE_OK;
    for (AppMem* text : {&dti->memDataName, &dti->memDataValue, &dti->memEditFormat, &dti->memWndText})
        Keep(&first, m_pSub->TermAppMem(text));
    return first;
}

int VkiCtl::CopyDti(Dti* dest, Dti* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src) return VKE_ERR_ARG;
    if (dest == src) return VKE_OK;
    dest->iEditType = src->iEditType;
    dest->iPasswordChar = src->iPasswordChar;
    // The nine words from MaxInputLength to ErrorCode.
    memcpy(&dest->iMaxInputLength, &src->iMaxInputLength,
           offsetof(Dti, iErrorCode) + sizeof(int) - offsetof(Dti, iMaxInputLength));
    dest->sel = src->sel;
    int first = VKE_OK;
    Keep(&first, m_pSub->SetAppMemStr(&dest->memDataName, VkiCtlStr(src->memDataName)));
    Keep(&first, m_pSub->SetAppMemStr(&dest->memDataValue, VkiCtlStr(src->memDataValue)));
    Keep(&first, m_pSub->SetAppMemStr(&dest->memEditFormat, VkiCtlStr(src->memEditFormat)));
    Keep(&first, m_pSub->SetAppMemStr(&dest->memWndText, VkiCtlStr(src->memWndText)));
    return first;
}

int VkiCtl::DupDti(Dti** out, Dti* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !src) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Dti* copy = nullptr;
    int rc = AllocDti(&copy);
    if (rc == VKE_OK) rc = CopyDti(copy, src);
    if (rc != VKE_OK) {
        FreeDti(&copy);
        return rc;
    }
    *out = copy;
    return VKE_OK;
}

// ---- The whole record ----

int VkiCtl::SetDti(Dti* dti, int undo)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!dti || !VkiCtlIsFlag(undo)) return VKE_ERR_ARG;
    return h->WriteDti(dti, undo);
}

int VkiCtl::GetDti(Dti* out)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!out) return VKE_ERR_ARG;
    return h->ReadDti(out);
}

int VkiCtl::ChkDti()
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    return rc == VKE_OK ? h->ReadDti(nullptr) : rc;
}

int VkiCtl::SetDtiFromWnd()
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    return rc == VKE_OK ? h->ReadWindow() : rc;
}

int VkiCtl::SetWndFromDti()
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    return rc == VKE_OK ? h->WriteWindow() : rc;
}

// ---- Value setters ----
// An equal value does nothing; undo 1 makes the change an edit step first; the new field is
// stored, shown and read back, and the control becomes modified.

template <class Equal, class Store>
int VkiCtl::SetValue(int undo, Equal equal, Store store)
{
    if (!VkiCtlIsFlag(undo)) return VKE_ERR_ARG;
    if (equal()) return VKE_OK;
    // The steps below each go to the whole radio group and ask for a repaint: the group is found
    // once and one repaint is asked for at the end, as Init does.
    GroupHold group(this);
    RedrawHold redraw(this);
    int rc = undo ? ChangeStep(14, 0) : VKE_OK;
    if (rc != VKE_OK) return rc;
    rc = store();
    if (rc != VKE_OK) return rc;
    rc = WriteDti(&D(), 0);
    if (rc == VKE_OK) rc = ReadDti(nullptr);
    SetState(&Dti::iModified, 1, true);
    return rc;
}

int VkiCtl::SetDataName(const char* text, int undo)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!text) return VKE_ERR_ARG;
    char name[kText];
    VkiCtlTakeText(name, text, kText - 1);
    // A name is each button's own caption, so it stays with this button of a radio group.
    return h->SetValue(undo, [&] { return Same(h->D().memDataName, name); },
                       [&] { return m_pSub->SetAppMemStr(&h->D().memDataName, name); });
}

int VkiCtl::SetDataValue(const char* text, int undo)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!text) return VKE_ERR_ARG;
    char value[kText];
    int cut = VkiCtlTakeText(value, text, h->InputLimit(h->D().iMaxInputLength));
    rc = h->SetValue(undo, [&] { return Same(h->D().memDataValue, value); }, [&] {
        Dti& d = h->D();
        int first = m_pSub->SetAppMemStr(&d.memDataValue, value);
        Keep(&first, m_pSub->SetAppMemStr(&d.memWndText, value));
        if (h->IsEditLike()) d.sel = SelectInfo{0, d.memWndText.iLength};
        if (h->IsCheckBox()) d.iData = 1;
        if (h->IsAutoRadio()) {
            // The group's value: this button's, "0" on the others when it is "1".
            for (VkiCtl* c : h->Group()) {
                c->D().iData = 1;
                if (c != h && strcmp(value, "1") == 0) Keep(&first, m_pSub->SetAppMemStr(&c->D().memWndText, "0"));
            }
        }
        if (h->m_iCtlEditing) h->m_pCtd->cud.iState = 2;
        return first;
    });
    return rc != VKE_OK ? rc : cut;
}

// A value setter of a number that an auto radio group shares.
int VkiCtl::SetGroupInt(int Dti::*field, int value, int undo)
{
    return SetValue(undo, [&] { return D().*field == value; }, [&] {
        for (VkiCtl* c : Group()) c->D().*field = value;
        // Init sets the window's limit once the whole record is in place.
        if (field == &Dti::iMaxInputLength && IsEditLike() && !m_iLoading) VkiShimLimitText(m_hWnd, InputLimit(value));
        return VKE_OK;
    });
}

int VkiCtl::SetEditType(int type, int undo)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (type < VKE_EDIT_NONE || type > VKE_EDIT_COLOR) return VKE_ERR_ARG;
    return h->SetGroupInt(&Dti::iEditType, type, undo);
}

int VkiCtl::SetEditFormat(const char* format, int undo)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!format) return VKE_ERR_ARG;
    char text[kText];
    VkiCtlTakeText(text, format, kText - 1);
    return h->SetValue(undo, [&] { return Same(h->D().memEditFormat, text); }, [&] {
        int first = VKE_OK;
        for (VkiCtl* c : h->Group()) Keep(&first, m_pSub->SetAppMemStr(&c->D().memEditFormat, text));
        return first;
    });
}

int VkiCtl::SetPasswordChar(int ch, int undo)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    int normal = 0;
    if (ch < 0 || ch > 0xFF) return VKE_ERR_ARG;
    if (ch != 0 && (m_pSub->IsNmlChr(ch, &normal) != VKE_OK || !normal)) return VKE_ERR_ARG;
    return h->SetGroupInt(&Dti::iPasswordChar, ch, undo);
}

int VkiCtl::SetMaxInputLength(int length, int undo)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (length < 0 || length > 1023) return VKE_ERR_ARG;
    return h->SetGroupInt(&Dti::iMaxInputLength, length, undo);
}

int VkiCtl::SetIndInputFlag(int flag, int undo)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!VkiCtlIsFlag(flag)) return VKE_ERR_ARG;
    return h->SetGroupInt(&Dti::iIndInput, flag, undo);
}

// ---- State and plain setters ----

int VkiCtl::SetState(int Dti::*field, int flag, bool redraw)
{
    GroupHold hold(this);
    bool changed = false;
    for (VkiCtl* c : Group()) {
        int& value = c->D().*field;
        if (value == flag) continue;
        value = flag;
        changed = true;
    }
    // A member's repaint takes in its whole group: one for the group.
    if (changed && redraw) Redraw(0);
    return VKE_OK;
}

int VkiCtl::SetHolderState(int Dti::*field, int value, bool flag, bool redraw)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (flag && !VkiCtlIsFlag(value)) return VKE_ERR_ARG;
    return h->SetState(field, value, redraw);
}

int VkiCtl::SetDataFlag(int flag) { return SetHolderState(&Dti::iData, flag, true, false); }
int VkiCtl::SetErrorFlag(int flag) { return SetHolderState(&Dti::iError, flag, true, true); }
int VkiCtl::SetModifiedFlag(int flag) { return SetHolderState(&Dti::iModified, flag, true, true); }
int VkiCtl::SetSelectedFlag(int flag) { return SetHolderState(&Dti::iSelected, flag, true, true); }
int VkiCtl::SetErrorCode(int code) { return SetHolderState(&Dti::iErrorCode, code, false, false); }

// ---- Getters: each reads the window into the Dti first ----

template <class T>
int VkiCtl::GetField(T* out, T Dti::*field)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!out) return VKE_ERR_ARG;
    rc = h->ReadDti(nullptr);
    if (rc != VKE_OK) return rc;
    *out = h->D().*field;
    return VKE_OK;
}

int VkiCtl::GetText(AppMem Dti::*text, char* buffer, int size)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!buffer || size < 1) return VKE_ERR_ARG;
    rc = h->ReadDti(nullptr);
    return rc == VKE_OK ? VkiCopyStr(buffer, VkiCtlStr(h->D().*text), size) : rc;
}

int VkiCtl::GetDataName(char* buffer, int size) { return GetText(&Dti::memDataName, buffer, size); }
int VkiCtl::GetDataValue(char* buffer, int size) { return GetText(&Dti::memDataValue, buffer, size); }
int VkiCtl::GetEditFormat(char* buffer, int size) { return GetText(&Dti::memEditFormat, buffer, size); }
int VkiCtl::GetEditType(int* out) { return GetField(out, &Dti::iEditType); }
int VkiCtl::GetMaxInputLength(int* out) { return GetField(out, &Dti::iMaxInputLength); }
int VkiCtl::GetIndInputFlag(int* out) { return GetField(out, &Dti::iIndInput); }
int VkiCtl::GetDataFlag(int* out) { return GetField(out, &Dti::iData); }
int VkiCtl::GetErrorFlag(int* out) { return GetField(out, &Dti::iError); }
int VkiCtl::GetModifiedFlag(int* out) { return GetField(out, &Dti::iModified); }
int VkiCtl::GetSelectedFlag(int* out) { return GetField(out, &Dti::iSelected); }
int VkiCtl::GetErrorCode(int* out) { return GetField(out, &Dti::iErrorCode); }

int VkiCtl::GetPasswordChar(BYTE* out)
{
    int ch = 0;
    if (!out) return IsInit() ? VKE_ERR_ARG : VKE_ERR_NOT_INIT;
    int rc = GetField(&ch, &Dti::iPasswordChar);
    if (rc == VKE_OK) *out = static_cast<BYTE>(ch);
    return rc;
}

// ---- Exports ----

VKE_API int VkeCtlSetSelection(VkiCtl* ctl, int start, int end) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetSelection(start, end)); }
VKE_API int VkeCtlGetSelection(VkiCtl* ctl, int* start, int* end) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetSelection(start, end)); }
VKE_API int VkeCtlNmlSelection(VkiCtl* ctl, int* start, int* end) { VKE_FRAME(ctl, ctl->Sub(), ctl->NmlSelection(start, end)); }
VKE_API int VkeCtlCopySelectInfo(VkiCtl* ctl, SelectInfo* dest, const SelectInfo* src) { VKE_FRAME(ctl, ctl->Sub(), ctl->CopySelectInfo(dest, src)); }
VKE_API int VkeCtlSetSelectInfo(VkiCtl* ctl, const SelectInfo* info) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetSelectInfo(info)); }
VKE_API int VkeCtlGetSelectInfo(VkiCtl* ctl, SelectInfo* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetSelectInfo(out)); }
VKE_API int VkeCtlAllocDti(VkiCtl* ctl, Dti** out) { VKE_FRAME(ctl, ctl->Sub(), ctl->AllocDti(out)); }
VKE_API int VkeCtlFreeDti(VkiCtl* ctl, Dti** p) { VKE_FRAME(ctl, ctl->Sub(), ctl->FreeDti(p)); }
VKE_API int VkeCtlInitDti(VkiCtl* ctl, Dti* dti) { VKE_FRAME(ctl, ctl->Sub(), ctl->InitDti(dti)); }
VKE_API int VkeCtlTermDti(VkiCtl* ctl, Dti* dti) { VKE_FRAME(ctl, ctl->Sub(), ctl->TermDti(dti)); }
VKE_API int VkeCtlCopyDti(VkiCtl* ctl, Dti* dest, Dti* src) { VKE_FRAME(ctl, ctl->Sub(), ctl->CopyDti(dest, src)); }
VKE_API int VkeCtlDupDti(VkiCtl* ctl, Dti** out, Dti* src) { VKE_FRAME(ctl, ctl->Sub(), ctl->DupDti(out, src)); }
VKE_API int VkeCtlSetDti(VkiCtl* ctl, Dti* dti, int undo) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetDti(dti, undo)); }
VKE_API int VkeCtlGetDti(VkiCtl* ctl, Dti* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetDti(out)); }
VKE_API int VkeCtlChkDti(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->ChkDti()); }
VKE_API int VkeCtlSetDataName(VkiCtl* ctl, const char* text, int undo) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetDataName(text, undo)); }
VKE_API int VkeCtlGetDataName(VkiCtl* ctl, char* buffer, int size) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetDataName(buffer, size)); }
VKE_API int VkeCtlSetDataValue(VkiCtl* ctl, const char* text, int undo) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetDataValue(text, undo)); }
VKE_API int VkeCtlGetDataValue(VkiCtl* ctl, char* buffer, int size) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetDataValue(buffer, size)); }
VKE_API int VkeCtlSetEditType(VkiCtl* ctl, int type, int undo) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetEditType(type, undo)); }
VKE_API int VkeCtlGetEditType(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditType(out)); }
VKE_API int VkeCtlSetEditFormat(VkiCtl* ctl, const char* format, int undo) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetEditFormat(format, undo)); }
VKE_API int VkeCtlGetEditFormat(VkiCtl* ctl, char* buffer, int size) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetEditFormat(buffer, size)); }
VKE_API int VkeCtlSetPasswordChar(VkiCtl* ctl, int ch, int undo) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetPasswordChar(ch, undo)); }
VKE_API int VkeCtlGetPasswordChar(VkiCtl* ctl, BYTE* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetPasswordChar(out)); }
VKE_API int VkeCtlSetMaxInputLength(VkiCtl* ctl, int length, int undo) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetMaxInputLength(length, undo)); }
VKE_API int VkeCtlGetMaxInputLength(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetMaxInputLength(out)); }
VKE_API int VkeCtlSetIndInputFlag(VkiCtl* ctl, int flag, int undo) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetIndInputFlag(flag, undo)); }
VKE_API int VkeCtlGetIndInputFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetIndInputFlag(out)); }
VKE_API int VkeCtlSetDataFlag(VkiCtl* ctl, int flag) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetDataFlag(flag)); }
VKE_API int VkeCtlGetDataFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetDataFlag(out)); }
VKE_API int VkeCtlSetErrorFlag(VkiCtl* ctl, int flag) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetErrorFlag(flag)); }
VKE_API int VkeCtlGetErrorFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetErrorFlag(out)); }
VKE_API int VkeCtlSetModifiedFlag(VkiCtl* ctl, int flag) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetModifiedFlag(flag)); }
VKE_API int VkeCtlGetModifiedFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetModifiedFlag(out)); }
VKE_API int VkeCtlSetSelectedFlag(VkiCtl* ctl, int flag) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetSelectedFlag(flag)); }
VKE_API int VkeCtlGetSelectedFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetSelectedFlag(out)); }
VKE_API int VkeCtlSetErrorCode(VkiCtl* ctl, int code) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetErrorCode(code)); }
VKE_API int VkeCtlGetErrorCode(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetErrorCode(out)); }
VKE_API int VkeCtlSetDtiFromWnd(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetDtiFromWnd()); }
VKE_API int VkeCtlSetWndFromDti(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetWndFromDti()); }
