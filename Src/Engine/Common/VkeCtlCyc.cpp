// The value cycle of a control: the window read into its Dti (taken as the kind of control
// gives it, parsed into the canonical text of its EditType, validated) and the Dti written to
// the window (formatted while the control lacks the focus). The parent may do either step itself
// through VkeWmWndToDti and VkeWmDtiToWnd. Auto radio buttons share one value per group. Also:
// validation without storing, and whether a candidate value suits the control.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlDti"
#include "VkiCtl.h"
#include "VkiDrw.h"
#include "VkiSub.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const int kText = 1024;

// The text of an item of a list box (combo false) or of a combo box's list.
void ItemText(HWND wnd, bool combo, int index, char* out)
{
    out[0] = '\0';
    LRESULT n = ::SendMessageA(wnd, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n < 0) return;
    // The length may count characters: room for two bytes each.
    std::vector<char> text(static_cast<size_t>(n) * 2 + 2, '\0');
    ::SendMessageA(wnd, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.data()));
    VkiCtlTakeText(out, text.data(), kText - 1);
}

// The item whose text is exactly text, byte for byte (the platform's search ignores case); -1.
int FindItem(HWND wnd, bool combo, const char* text)
{
    LRESULT count = ::SendMessageA(wnd, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    char item[kText];
    for (int i = 0; i < count; ++i) {
        ItemText(wnd, combo, i, item);
        if (strcmp(item, text) == 0) return i;
    }
    return -1;
}

int CheckState(HWND button) { return static_cast<int>(::SendMessageA(button, BM_GETCHECK, 0, 0)); }

} // namespace

// ---- The parent's say ----

bool VkiCtl::AskParent(UINT message)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent || s_iTransfer || s_iFocusing) return false;
    VkiCtlMark mark(s_iTransfer);
    return ::SendMessageA(parent, message, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(m_pCtd)) != 0;
}

void VkiCtl::NotifyCheck(int state)
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent && !s_iTransfer && !s_iFocusing) ::SendMessageA(parent, VkeWmSetChk, reinterpret_cast<WPARAM>(this), state);
}

int VkiCtl::ReadDti(Dti* out)
{
    if (m_iLoading) return VKE_OK;
    int rc = AskParent(VkeWmWndToDti) ? VKE_OK : ReadWindow();
    if (rc == VKE_OK && out && out != &D()) rc = CopyDti(out, &D());
    return rc;
}

int VkiCtl::WriteDti(Dti* dti, int undo)
{
    if (m_iLoading) return VKE_OK;
    int rc = undo && !s_iTransfer ? ChangeStep(14, 0) : VKE_OK;
    if (rc == VKE_OK && dti != &D()) rc = CopyDti(&D(), dti);
    if (rc != VKE_OK) return rc;
    // Without the focus the window shows the formatted value, with it the editing text.
    bool focused = HasFocus();
    D().iFormat = focused ? 0 : 1;
    D().iFocused = focused ? 1 : 0;
    if (!AskParent(VkeWmDtiToWnd)) rc = WriteWindow();
    Redraw(0);
    return rc;
}

// ---- Reading the window ----

int VkiCtl::WindowValue(char* text)
{
    Dti& d = D();
    bool fromWindow = false;
    if (IsEditLike()) {
        // Typing shows in the window only while the control has the focus; a password edit
        // shows mask characters, so its clear text is the Dti's.
        fromWindow = !IsPassword() && !s_iFocusing && HasFocus();
    } else if (IsListLike() && d.iEditType != VKE_EDIT_COLOR) {
        LRESULT index = ::SendMessageA(m_hWnd, IsCombo() ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
        text[0] = '\0';
        if (index >= 0) ItemText(m_hWnd, IsCombo(), static_cast<int>(index), text);
        return VKE_OK;
    } else if (IsCheckBox()) {
        snprintf(text, kText, "%d", CheckState(m_hWnd));
        return VKE_OK;
    } else if (IsPush()) {
        fromWindow = d.iEditType != VKE_EDIT_FONT && d.iEditType != VKE_EDIT_COLOR;
    }
    if (fromWindow) VkiCtlReadText(m_hWnd, text);
    else VkiCtlTakeText(text, VkiCtlStr(d.memWndText), kText - 1);
    return VKE_OK;
}

int VkiCtl::ReadWindow()
{
    Dti& d = D();
    char text[kText];
    int rc = VKE_OK;
    if (IsButton()) {
        VkiCtlReadText(m_hWnd, text);
        rc = m_pSub->SetAppMemStr(&d.memDataName, text);
        if (rc != VKE_OK) return rc;
    }
    if (IsAutoRadio()) return ReadGroup();
    rc = WindowValue(text);
    if (rc == VKE_OK && !IsPassword()) rc = m_pSub->SetAppMemStr(&d.memWndText, text);
    if (rc != VKE_OK) return rc;
    bool fontOrColor = d.iEditType == VKE_EDIT_FONT || d.iEditType == VKE_EDIT_COLOR;
    int code = VKE_OK;
    // Statics and plain push buttons show a value but never take one from the window.
    if (!IsStatic() && !(IsPush() && !fontOrColor)) {
        bool parsed = IsEditLike() || IsPush() || (IsListLike() && d.iEditType == VKE_EDIT_COLOR);
        if (!text[0]) code = VKE_ERR_NOT_FOUND;
        else if (parsed && d.iEditType != VKE_EDIT_NONE) code = m_pSub->GetKind(d.iEditType, text, kText, nullptr);
        if (strcmp(text, VkiCtlStr(d.memDataValue)) != 0) {
            rc = m_pSub->SetAppMemStr(&d.memDataValue, text);
            if (rc != VKE_OK) return rc;
            SetState(&Dti::iModified, 1, true);
        }
    }
    SetValueState(code);
    return VKE_OK;
}

int VkiCtl::ReadGroup()
{
    char text[4];
    int first = VKE_OK;
    for (VkiCtl* c : Group()) {
        Dti& d = c->D();
        snprintf(text, sizeof(text), "%d", CheckState(c->m_hWnd));
        int rc = m_pSub->SetAppMemStr(&d.memWndText, text);
        if (rc == VKE_OK && strcmp(text, VkiCtlStr(d.memDataValue)) != 0) {
            rc = m_pSub->SetAppMemStr(&d.memDataValue, text);
            if (rc == VKE_OK && !d.iModified) {
                d.iModified = 1;
                c->Redraw(0);
            }
        }
        if (first == VKE_OK) first = rc;
        d.iError = d.iErrorCode = 0;
    }
    return first;
}

// Data, ErrorCode and Error after a read or a write: -12 is an error only when input is required.
void VkiCtl::SetValueState(int code)
{
    Dti& d = D();
    if (!IsCheckBox()) d.iData = VkiCtlStr(d.memDataValue)[0] ? 1 : 0;
    int wasError = d.iError;
    if (code == VKE_ERR_NOT_FOUND && d.iIndInput == 1) code = VKE_ERR_REQUIRED;
    d.iErrorCode = code;
    d.iError = code == VKE_OK || code == VKE_ERR_NOT_FOUND ? 0 : 1;
    if (d.iError != wasError) Redraw(0);
}

// ---- Writing the window ----

int VkiCtl::WriteWindow()
{
    Dti& d = D();
    if (!VkiCtlIsFlag(d.iFormat) || !VkiCtlIsFlag(d.iFocused)) return VKE_ERR_ARG;
    if (IsButton()) VkiCtlShowCaption(m_hWnd, VkiCtlStr(d.memDataName));
    if (IsAutoRadio()) return WriteGroup();
    char text[kText];
    VkiCtlTakeText(text, VkiCtlStr(d.memDataValue), kText - 1);
    int code = !text[0] && !IsStatic() ? VKE_ERR_NOT_FOUND : VKE_OK;
    // Statics, edit parts and font and colour push buttons are formatted without the focus; a
    // list shows a colour formatted always.
    bool color = IsListLike() && d.iEditType == VKE_EDIT_COLOR;
    bool fontOrColor = d.iEditType == VKE_EDIT_FONT || d.iEditType == VKE_EDIT_COLOR;
    bool format = text[0] && d.iEditType != VKE_EDIT_NONE &&
                  (color || (d.iFormat == 1 && (IsStatic() || IsEditLike() || (IsPush() && fontOrColor))));
    if (format) code = m_pSub->SetKind(d.iEditType, text, VkiCtlStr(d.memEditFormat), kText);
    int rc = color && code != VKE_OK ? VKE_OK : ShowText(text, format);
    SetValueState(code);
    if (::IsWindowVisible(m_hWnd) && ::IsWindowEnabled(m_hWnd)) {
        if (d.iFocused == 1 && d.iFormat == 0) SetSelection(d.sel.iStart, d.sel.iEnd);
        else SetSelection(-1, -1);
    }
    return rc;
}

int VkiCtl::ShowText(char* text, bool formatted)
{
    Dti& d = D();
    // The editing form of the text becomes the Dti's window text; a formatted one does not.
    bool editing = d.iFormat == 0 && !formatted;
    if (IsEditLike() && editing) VkiCtlTakeText(text, text, InputLimit(d.iMaxInputLength));
    if (IsStatic()) {
        VkiCtlShowCaption(m_hWnd, text);
    } else if (IsEditLike()) {
        if (IsCombo()) {
            int index = FindItem(m_hWnd, true, text);
            ::SendMessageA(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        if (IsPassword()) ShowPassword(text);
        else ::SetWindowTextA(m_hWnd, text);
    } else if (IsListLike()) {
        int index = FindItem(m_hWnd, IsCombo(), text);
        if (index < 0 && d.iEditType == VKE_EDIT_COLOR) {
            LRESULT added = ::SendMessageA(m_hWnd, IsCombo() ? CB_ADDSTRING : LB_ADDSTRING, 0,
                                           reinterpret_cast<LPARAM>(text));
            if (added < 0) return VKE_ERR_MEMORY;
            index = static_cast<int>(added);
        }
        // A text that is no item leaves the selection and the window text as they were.
        if (index < 0) return VKE_OK;
        ::SendMessageA(m_hWnd, IsCombo() ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else if (IsCheckBox()) {
        int state = -1;
        if (strcmp(text, "0") == 0 || strcmp(text, "1") == 0) state = text[0] - '0';
        if (strcmp(text, "2") == 0 && BtnStyle() >= BS_3STATE) state = BST_INDETERMINATE;
        if (state < 0 && text[0]) return VKE_ERR_ARG;
        if (state >= 0) ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    } else if (d.iEditType != VKE_EDIT_FONT && d.iEditType != VKE_EDIT_COLOR) {
        return VKE_OK; // a plain push button shows its name only
    }
    // A font or colour push button holds its value as its window text alone; its caption is its name.
    return editing ? m_pSub->SetAppMemStr(&d.memWndText, text) : VKE_OK;
}

void VkiCtl::ShowPassword(const char* text)
{
    // One mask character per byte; line ends stay.
    char mask[kText];
    size_t n = strnlen(text, kText - 1);
    for (size_t i = 0; i < n; ++i)
        mask[i] = text[i] == '\r' || text[i] == '\n' ? text[i] : static_cast<char>(D().iPasswordChar);
    mask[n] = '\0';
    ::SetWindowTextA(m_hWnd, mask);
}

int VkiCtl::ShowEditing()
{
    char text[kText];
    VkiCtlTakeText(text, VkiCtlStr(D().memWndText), kText - 1);
    return ShowText(text, false);
}

int VkiCtl::WriteGroup()
{
    const char* value = VkiCtlStr(D().memDataValue);
    int rc = VKE_OK;
    std::vector<VkiCtl*> group = Group();
    if (strcmp(value, "1") == 0) {
        ::SendMessageA(m_hWnd, BM_SETCHECK, BST_CHECKED, 0);
        rc = m_pSub->SetAppMemStr(&D().memWndText, "1");
        for (HWND other : GroupRadios(0)) ::SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
        for (VkiCtl* c : group)
            if (c != this && rc == VKE_OK) rc = m_pSub->SetAppMemStr(&c->D().memWndText, "0");
        // The button that is on, then every other engine button of the group.
        for (VkiCtl* c : group) c->NotifyCheck(c == this ? 1 : 0);
    } else if (strcmp(value, "0") == 0) {
        bool was = CheckState(m_hWnd) != BST_UNCHECKED;
        ::SendMessageA(m_hWnd, BM_SETCHECK, BST_UNCHECKED, 0);
        rc = m_pSub->SetAppMemStr(&D().memWndText, "0");
        if (was) NotifyCheck(0);
    } else if (value[0]) {
        rc = VKE_ERR_ARG;
    }
    for (VkiCtl* c : group) {
        Dti& d = c->D();
        bool had = d.iError || d.iErrorCode;
        d.iError = d.iErrorCode = 0;
        if (had) c->Redraw(0);
    }
    return rc;
}

// ---- Validation without storing ----

int VkiCtl::ChkDtv(const char* value, int* code)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!value || !code) return VKE_ERR_ARG;
    Dti& d = h->D();
    bool fontOrColor = d.iEditType == VKE_EDIT_FONT || d.iEditType == VKE_EDIT_COLOR;
    bool validated = h->IsStatic() || h->IsEditLike() || (h->IsListLike() && d.iEditType == VKE_EDIT_COLOR) ||
                     (h->IsPush() && fontOrColor);
    int c = VKE_OK;
    if (!value[0]) c = VKE_ERR_NOT_FOUND;
    else if (validated && d.iEditType != VKE_EDIT_NONE) c = m_pSub->ChkKind(d.iEditType, value, nullptr);
    if (c == VKE_ERR_NOT_FOUND && d.iIndInput == 1) c = VKE_ERR_REQUIRED;
    *code = c;
    return VKE_OK;
}

int VkiCtl::ChkDataValue(const char* value, char* text, int size)
{
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    if (rc != VKE_OK) return rc;
    if (!value || !text || size < 1) return VKE_ERR_ARG;
    Dti& d = h->D();
    char def[kText] = "";
    bool radio = h->IsCheckBox() || h->IsAutoRadio();
    if (radio) snprintf(def, sizeof(def), "0");
    else if (h->IsPush() && d.iEditType == VKE_EDIT_FONT) rc = h->DefaultFontText(def);
    else if (h->IsPush() && d.iEditType == VKE_EDIT_COLOR) rc = m_pSub->SetColorStr(def, kText, 0, 0, 0);
    if (rc == VKE_OK) rc = VkiCopyStr(text, def, size);
    if (rc != VKE_OK) return rc;
    if (static_cast<int>(strlen(value)) > h->InputLimit(d.iMaxInputLength)) return VKE_ERR_CUT;

    bool ok = true;
    char work[kText];
    if (h->IsListLike()) {
        if (d.iEditType == VKE_EDIT_COLOR) {
            VkiCtlTakeText(work, value, kText - 1);
            ok = m_pSub->SetKind(VKE_EDIT_COLOR, work, VkiCtlStr(d.memEditFormat), kText) == VKE_OK;
        } else {
            ok = FindItem(h->m_hWnd, h->IsCombo(), value) >= 0;
        }
    } else if (radio) {
        bool three = h->IsCheckBox() && h->BtnStyle() >= BS_3STATE;
        ok = strcmp(value, "0") == 0 || strcmp(value, "1") == 0 || (three && strcmp(value, "2") == 0);
    } else if (h->IsPush() && d.iEditType == VKE_EDIT_FONT) {
        VkeFontRec font;
        ok = m_pSub->GetFontStr(value, &font) == VKE_OK;
    } else if (h->IsPush() && d.iEditType == VKE_EDIT_COLOR) {
        BYTE r, g, b;
        ok = m_pSub->GetColorStr(value, &r, &g, &b) == VKE_OK;
    }
    return ok ? VKE_OK : VKE_NOT_DONE;
}

// ---- Exports ----

VKE_API int VkeCtlChkDtv(VkiCtl* ctl, const char* value, int* code) { VKE_FRAME(ctl, ctl->Sub(), ctl->ChkDtv(value, code)); }
VKE_API int VkeCtlChkDataValue(VkiCtl* ctl, const char* value, char* text, int size) { VKE_FRAME(ctl, ctl->Sub(), ctl->ChkDataValue(value, text, size)); }
