// Keys and characters in a control. The edit keys become the framework's edit commands sent to
// the parent; Return is swallowed (or becomes IDOK in a multi-line edit of a dialog); every other
// input is made one edit step, or continues the run of the same key at the caret, so that a run
// of typing, Delete or Backspace is undone at once. A password edit keeps its clear text in the
// Dti and shows one mask character per byte. Shift-JIS arrives as two WM_CHAR bytes: a lead byte
// waits for its trail byte and the pair is one character, kept whole at the input limit.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlBsc"
#include "VkiCtl.h"
#include "VkiShim.h"
#include "VkiSub.h"
#include "VkiTxt.h"
#include "VkiWnd.h"
#include "VkeFrame.h"
#include <string.h>

namespace {

const int kText = 1024;

// The last key of a typed character: any character continues a typing run.
const int kTypingKey = 0x10000;

enum { kKey, kBack, kDelete, kType };

bool Held(int vk) { return ::GetKeyState(vk) < 0; }

// The edit command of a control character (Ctrl+Z, Y, X, C, V); 0 for others.
UINT CharCommand(UINT ch)
{
    switch (ch) {
    case 0x1A: return ID_EDIT_UNDO;
    case 0x19: return ID_EDIT_REDO;
    case 0x18: return ID_EDIT_CUT;
    case 0x03: return ID_EDIT_COPY;
    case 0x16: return ID_EDIT_PASTE;
    default: return 0;
    }
}

UINT KeyCommand(UINT vk)
{
    switch (vk) {
    case 'Z': return ID_EDIT_UNDO;
    case 'Y': return ID_EDIT_REDO;
    case 'X': return ID_EDIT_CUT;
    case 'C': return ID_EDIT_COPY;
    case 'V': return ID_EDIT_PASTE;
    default: return 0;
    }
}

bool CrLfAt(const char* text, int n, int i) { return i >= 0 && i + 1 < n && text[i] == '\r' && text[i + 1] == '\n'; }

// The start of the character that ends at pos (a CR LF pair counts as one).
int CharBefore(const char* text, int pos)
{
    if (CrLfAt(text, pos, pos - 2)) return pos - 2;
    int start = 0;
    for (int i = 0; i < pos; i += VkiChrLen(text + i)) start = i;
    return start;
}

} // namespace

// One input: what it does to the text and how it counts for undo.
struct VkiCtlInput {
    int op = kKey;     // kKey: the platform's handling; kBack, kDelete: a deletion; kType: ch typed
    UINT ch = 0;       // kType: one byte, or lead * 256 + trail
    int key = 0;       // the last key it leaves in the undo unit
    int kind = 14;     // the edit kind of its step
    bool step = false; // begins an edit step
    bool run = false;  // continues the run of the same key at the caret
    bool whole = false; // the step's selection is the whole text
};

// ---- Handlers ----

void VkiCtl::OnKeyDown(UINT nChar, UINT, UINT)
{
    VkiCtl* h = nullptr;
    if (!IsInit() || nChar == VK_TAB || s_iTransfer || Holder(&h) != VKE_OK) {
        Default();
        return;
    }
    bool ctrl = Held(VK_CONTROL);
    VkiCtlInput in;
    in.key = static_cast<int>(nChar);
    if (nChar == VK_DELETE) {
        if (ctrl || Held(VK_SHIFT)) return;
        // A selection, or the value of a control without a caret, goes by the clear command.
        const Dti& d = h->D();
        int start = 0, end = d.memWndText.iLength;
        if (h->IsEditLike() && h->HasFocus() && h->NmlSelection(&start, &end) != VKE_OK) return;
        if (d.memWndText.iLength > 0 && start < end) {
            SendEdit(ID_EDIT_CLEAR, ::GetParent(h->m_hWnd));
            return;
        }
        in.op = kDelete;
        in.kind = 11;
        in.step = in.run = true;
    } else if (nChar == VK_RETURN) {
        bool wanted = h->IsEdit() && (h->GetStyle() & ES_MULTILINE) && (h->GetStyle() & ES_WANTRETURN);
        if (!wanted) return;
        in.step = true;
        in.whole = true;
    } else if (ctrl && h->IsButton() && KeyCommand(nChar)) {
        SendEdit(KeyCommand(nChar), ::GetParent(h->m_hWnd));
        return;
    } else {
        // Keys that move a list's selection change its value: a step of its own.
        in.step = h->m_pCtd->cud.iState != 3;
        in.whole = true;
    }
    RunInput(h, in);
}

void VkiCtl::OnChar(UINT nChar, UINT, UINT)
{
    VkiCtl* h = nullptr;
    UINT ch = nChar & 0xFF;
    if (!IsInit() || ch == '\t' || s_iTransfer || Holder(&h) != VKE_OK) {
        Default();
        return;
    }
    if (h->IsEditLike()) {
        UINT lead = static_cast<UINT>(m_iLead);
        m_iLead = 0;
        if (lead && VkiIsSjsTrail(static_cast<unsigned char>(ch))) {
            TypeChar(h, lead << 8 | ch);
            return;
        }
        // A lead byte without its trail byte is half a character and goes; one waits.
        if (VkiIsSjsLead(static_cast<unsigned char>(ch))) {
            m_iLead = static_cast<int>(ch);
            return;
        }
        // Bytes that begin no character (0x80, 0xA0, 0xFD to 0xFF) are not typed.
        if (ch >= 0x80 && !(ch >= 0xA1 && ch <= 0xDF)) return;
    }
    TypeChar(h, ch);
}

LRESULT VkiCtl::OnImeChar(WPARAM wParam, LPARAM)
{
    // A password edit takes a double-byte character whole; elsewhere the platform turns it into
    // its two WM_CHAR bytes, which come back here and are joined.
    VkiCtl* h = nullptr;
    auto lead = static_cast<unsigned char>(wParam >> 8);
    auto trail = static_cast<unsigned char>(wParam);
    if (!IsInit() || s_iTransfer || Holder(&h) != VKE_OK || !h->IsPassword() || !VkiIsSjsLead(lead) ||
        !VkiIsSjsTrail(trail))
        return Default();
    m_iLead = 0;
    TypeChar(h, static_cast<UINT>(lead) << 8 | trail);
    return 1;
}

// A character after the preamble: the commands, Return, deletions and typing.
void VkiCtl::TypeChar(VkiCtl* h, UINT ch)
{
    HWND parent = ::GetParent(h->m_hWnd);
    if (UINT id = CharCommand(ch)) {
        // A button sends its commands at the key; the character that follows is only consumed.
        if (!(h->IsButton() && Held(VK_CONTROL))) SendEdit(id, parent);
        return;
    }
    if (ch == 0x7F) return;
    bool text = h->IsEditLike();
    bool multi = h->IsEdit() && (h->GetStyle() & ES_MULTILINE);
    VkiCtlInput in;
    in.op = kType;
    in.ch = ch;
    in.key = kTypingKey;
    in.step = in.run = text;
    if (ch == VK_BACK) {
        if (Held(VK_SHIFT) || Held(VK_CONTROL)) return;
        in.op = kBack;
        in.key = VK_BACK;
        in.kind = 11;
    } else if (ch == '\r' || ch == '\n') {
        if (!multi) return;
        if (ch == '\r' && !(h->GetStyle() & ES_WANTRETURN)) {
            if (VkiIsDialog(parent)) SendEdit(IDOK, parent);
            return;
        }
        in.key = static_cast<int>(ch);
        in.run = false;
    } else if (ch < 0x20 && h->IsPassword()) {
        return; // no text
    } else if (!text) {
        in.op = kKey;
    }
    RunInput(h, in);
}

// ---- The change ----

void VkiCtl::RunInput(VkiCtl* h, const VkiCtlInput& in)
{
    VkiCtlMark busy(s_iTransfer);
    Dti& d = h->D();
    CtlUndDat& u = h->m_pCtd->cud;
    bool text = h->IsEditLike();
    bool focused = h->HasFocus();
    if (!focused) {
        h->ShowEditing();
        if (text) h->SetSelection(d.memWndText.iLength, d.memWndText.iLength);
    }
    bool wasOpen = h->m_pEdi->iOpen != 0;
    int start = 0, end = 0;
    int rc = text ? h->NmlSelection(&start, &end) : VKE_OK;
    if (rc == VKE_OK && text && h->IsPassword()) rc = h->SetSelection(start, end);
    bool continues = in.run && u.iState == 2 && start == end && d.sel.iStart == start && d.sel.iEnd == start &&
                     u.iLastKey == in.key;
    bool begun = false;
    if (rc == VKE_OK && in.step && h->m_iCtlEditing && !wasOpen && !continues) {
        SelectInfo sel = in.whole ? SelectInfo{0, d.memWndText.iLength} : SelectInfo{start, end};
        rc = h->BeginStep(in.kind, text ? 1 : 0, sel.iStart, sel.iEnd);
        begun = rc == VKE_OK;
    }
    char before[kText], after[kText];
    int caret = -1;
    if (rc == VKE_OK) rc = h->InputRead(before);
    if (rc == VKE_OK) {
        rc = h->IsPassword() && in.op != kKey ? h->InputPassword(in, start, end, &caret)
                                              : InputDefault(h, in, start, end, before);
    }
    if (rc == VKE_OK) rc = h->InputRead(after);
    if (rc == VKE_OK && strcmp(before, after) != 0) {
        h->SetTypedState();
        bool lineEnd = in.op == kType && (in.ch == '\r' || in.ch == '\n');
        int recorded = 0;
        if (rc == VKE_OK && (begun || (lineEnd && h->m_pEdi->iOpen))) rc = h->CommitStep(&recorded);
        if (h->m_iCtlEditing) {
            int ignored = 0;
            if (caret < 0 && text) h->GetSelection(&ignored, &caret);
            u.iLastKey = in.key;
            d.sel = SelectInfo{caret < 0 ? 0 : caret, caret < 0 ? 0 : caret};
            if (in.op == kDelete && start == end)
                h->GrowDeleteRun(static_cast<int>(strlen(before)) - static_cast<int>(strlen(after)));
        } else if (focused && text) {
            d.sel = SelectInfo{0, d.memWndText.iLength};
        }
    }
    if (!focused) {
        h->InputValue(after);
        h->SetDataValue(after, 0);
    }
    if (!wasOpen) h->ClearStep();
}

// The platform's handling of the message; a double-byte character goes in whole, and only when
// the text keeps to the input limit.
int VkiCtl::InputDefault(VkiCtl* h, const VkiCtlInput& in, int start, int end, const char* before)
{
    if (in.op != kType || !h->IsEditLike()) {
        Default();
        return VKE_OK;
    }
    bool multi = h->IsEdit() && (h->GetStyle() & ES_MULTILINE);
    int bytes = in.ch > 0xFF || (multi && (in.ch == '\r' || in.ch == '\n')) ? 2 : 1;
    int length = static_cast<int>(strlen(before)) - (end - start) + bytes;
    if (length > h->InputLimit(h->D().iMaxInputLength)) return VKE_OK; // cut off
    if (in.ch <= 0xFF) {
        Default();
        return VKE_OK;
    }
    // The platform's ANSI controls may take the two bytes as two characters.
    HWND edit = VkiShimEditOf(h->m_hWnd);
    DWORD style = edit ? static_cast<DWORD>(::GetWindowLongPtrA(edit, GWL_STYLE)) : 0;
    if (!edit || (style & (ES_READONLY | ES_NUMBER))) return VKE_OK;
    char pair[3] = {static_cast<char>(in.ch >> 8), static_cast<char>(in.ch & 0xFF), '\0'};
    ::SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(pair));
    return VKE_OK;
}

// A password edit's own text handling: the clear text changes in the Dti, the window shows its
// mask; *caret the new caret.
int VkiCtl::InputPassword(const VkiCtlInput& in, int start, int end, int* caret)
{
    if (GetStyle() & ES_READONLY) return VKE_OK;
    char text[kText];
    VkiCtlTakeText(text, VkiCtlStr(D().memWndText), kText - 1);
    int n = static_cast<int>(strlen(text));
    char typed[3] = {};
    if (in.op == kBack && start == end) {
        if (start == 0) return VKE_OK;
        start = CharBefore(text, start);
    } else if (in.op == kDelete && start == end) {
        if (start >= n) return VKE_OK;
        end = start + (CrLfAt(text, n, start) ? 2 : VkiChrLen(text + start));
    } else if (in.op == kType) {
        if (in.ch == '\r' || in.ch == '\n') memcpy(typed, "\r\n", 2);
        else if (in.ch > 0xFF) typed[0] = static_cast<char>(in.ch >> 8), typed[1] = static_cast<char>(in.ch);
        else typed[0] = static_cast<char>(in.ch);
        int bytes = static_cast<int>(strlen(typed));
        if (n - (end - start) + bytes > InputLimit(D().iMaxInputLength)) return VKE_OK; // cut off
    }
    char result[kText];
    int typedLen = static_cast<int>(strlen(typed));
    memcpy(result, text, static_cast<size_t>(start));
    memcpy(result + start, typed, static_cast<size_t>(typedLen));
    memcpy(result + start + typedLen, text + end, static_cast<size_t>(n - end) + 1);
    int rc = m_pSub->SetAppMemStr(&D().memWndText, result);
    if (rc != VKE_OK) return rc;
    ShowPassword(result);
    *caret = start + typedLen;
    return SetSelection(*caret, *caret);
}

// The read step of the value cycle around an input: the value follows the text as it is typed.
// text: the window text it leaves in the Dti.
int VkiCtl::InputRead(char* text)
{
    int rc = ReadWindow();
    VkiCtlTakeText(text, VkiCtlStr(D().memWndText), kText - 1);
    return rc;
}

// The value an input left in a window without the focus: the window's text, a password edit's
// clear text, or for other kinds what the window holds as its value.
void VkiCtl::InputValue(char* text)
{
    if (IsPassword()) VkiCtlTakeText(text, VkiCtlStr(D().memWndText), kText - 1);
    else if (IsEditLike()) VkiCtlReadText(m_hWnd, text);
    else WindowValue(text);
}

// Input the platform's control took by itself (its own paste, an input method) is kept in the
// Dti like typed input.
void VkiCtl::TakeWindowText()
{
    VkiCtl* h = nullptr;
    if (!IsInit() || s_iTransfer || s_iFocusing || Holder(&h) != VKE_OK) return;
    if (!h->m_pCtd || !h->IsEditLike() || h->IsPassword() || h->m_iLoading || !h->HasFocus()) return;
    char text[kText];
    VkiCtlReadText(h->m_hWnd, text);
    Dti& d = h->D();
    if (strcmp(text, VkiCtlStr(d.memWndText)) != 0 && h->ReadWindow() == VKE_OK) h->SetTypedState();
}

void VkiCtl::SetTypedState()
{
    Dti& d = D();
    d.iData = 1;
    d.iError = 0;
    d.iErrorCode = 0;
}

void VkiCtl::SendEdit(UINT id, HWND to)
{
    VkiCtl* h = nullptr;
    if (to && Holder(&h) == VKE_OK) ::SendMessageA(to, WM_COMMAND, id, reinterpret_cast<LPARAM>(h->m_hWnd));
}

// A run of Delete keys at one place widens the selection the last undo entry puts back, so that
// undo shows what the run removed.
void VkiCtl::GrowDeleteRun(int bytes)
{
    Eud* step = nullptr;
    Eue* entry = nullptr;
    if (bytes <= 0 || m_pSub->GetEudPtrPrv(m_pCtd->pEui, &step) != VKE_OK ||
        m_pSub->GetEuePtrBtm(step, &entry) != VKE_OK || !entry->pData || entry->iKind != VKE_DAT_CTL_UND)
        return;
    auto* u = static_cast<CtlUndDat*>(entry->pData);
    u->dtiSnap.sel.iEnd += bytes;
    u->selStart.iEnd += bytes;
}
