// The control object: its five kinds, binding to the system object, creation and adoption of
// the window, the window-procedure swap, the parameter record, Init and Term, properties and the
// basic getters.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlBsc"
#include "VkiCtl.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiShim.h"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkiTxt.h"
#include "VkiWnd.h"
#include "VkeFrame.h"
#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNCREATE(VkiCtl, CWnd)
IMPLEMENT_DYNCREATE(VkiCtlStc, VkiCtl)
IMPLEMENT_DYNCREATE(VkiCtlEdt, VkiCtl)
IMPLEMENT_DYNCREATE(VkiCtlBtn, VkiCtl)
IMPLEMENT_DYNCREATE(VkiCtlLsb, VkiCtl)
IMPLEMENT_DYNCREATE(VkiCtlCmb, VkiCtl)

BEGIN_MESSAGE_MAP(VkiCtl, CWnd)
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_RBUTTONUP, &VkiCtl::OnRButtonUp)
    ON_MESSAGE(WM_IME_CHAR, &VkiCtl::OnImeChar)
    ON_MESSAGE(VkeWmEudDat, &VkiCtl::OnEudDat)
END_MESSAGE_MAP()

// Statics and edits add nothing; buttons, list and combo boxes map their own handlers beside
// their behaviour (VkeCtlBtn.cpp, VkeCtlCmb.cpp).
BEGIN_MESSAGE_MAP(VkiCtlStc, VkiCtl)
END_MESSAGE_MAP()
BEGIN_MESSAGE_MAP(VkiCtlEdt, VkiCtl)
END_MESSAGE_MAP()

int VkiCtl::s_iTransfer = 0;
int VkiCtl::s_iFocusing = 0;

namespace {

const char kCtlName[] = "VkeCtl";
const char* const kClassName[] = {"", "STATIC", "EDIT", "BUTTON", "LISTBOX", "COMBOBOX"};
// The class of a combo box's list on Windows and Wine alike.
const char kComboListClass[] = "COMBOLBOX";

// Window styles a control never keeps, and those it always has.
const DWORD kStripStyle = WS_POPUP | WS_MINIMIZE | WS_MAXIMIZE | WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_THICKFRAME;
const DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS;

bool IsType(int type) { return type >= VKE_CTL_STATIC && type <= VKE_CTL_COMBOBOX; }

// -9 when the style does not suit the kind: a button of another style than push, default push,
// the check boxes, three-state boxes and radio buttons; a list box with several selections or
// drawn by its owner; a combo box drawn by its owner or of no combo style.
int CheckStyle(int type, DWORD style)
{
    switch (type) {
    case VKE_CTL_BUTTON: {
        DWORD kind = style & BS_TYPEMASK;
        return (kind <= BS_AUTO3STATE || kind == BS_AUTORADIOBUTTON) ? VKE_OK : VKE_ERR_ARG;
    }
    case VKE_CTL_LISTBOX:
        return (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) ? VKE_ERR_ARG
                                                                                                        : VKE_OK;
    case VKE_CTL_COMBOBOX:
        if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) return VKE_ERR_ARG;
        return (style & 3) != 0 ? VKE_OK : VKE_ERR_ARG;
    default:
        return VKE_OK;
    }
}

// A push or default push button style; the object becomes owner-drawn.
bool IsPushStyle(int type, DWORD style)
{
    return type == VKE_CTL_BUTTON && (style & BS_TYPEMASK) <= static_cast<DWORD>(BS_DEFPUSHBUTTON);
}

VkiCtl* NewKind(int type)
{
    switch (type) {
    case VKE_CTL_STATIC: return new (std::nothrow) VkiCtlStc;
    case VKE_CTL_EDIT: return new (std::nothrow) VkiCtlEdt;
    case VKE_CTL_BUTTON: return new (std::nothrow) VkiCtlBtn;
    case VKE_CTL_LISTBOX: return new (std::nothrow) VkiCtlLsb;
    default: return new (std::nothrow) VkiCtlCmb;
    }
}

// Default colours by kind: statics and buttons in the button colours, the rest black on white.
void DefaultColors(int type, COLORREF* text, COLORREF* back)
{
    bool face = type == VKE_CTL_STATIC || type == VKE_CTL_BUTTON;
    *text = face ? GetSysColor(COLOR_BTNTEXT) : 0x000000;
    *back = face ? GetSysColor(COLOR_BTNFACE) : 0xFFFFFF;
}

// A text field of a record, terminated within its size.
void FieldText(char* out, const char* field, int size)
{
    int len = VkiStrLen(field, size);
    if (len >= size) len = VkiFitLen(field, size - 1, size - 1);
    memcpy(out, field, static_cast<size_t>(len));
    out[len] = '\0';
}

// The platform's own clipboard and undo commands of an edit.
bool IsEditCommand(UINT message)
{
    return message == WM_PASTE || message == WM_CUT || message == WM_CLEAR || message == WM_UNDO || message == EM_UNDO;
}

// The styles that shape a window's frame: only a change of these needs the frame worked out again.
const DWORD kFrameStyle =
    WS_POPUP | WS_CHILD | WS_MINIMIZE | WS_MAXIMIZE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL;

// A new style; the frame is worked out again when it changed, else a shown window is repainted (a
// button made owner-drawn draws itself anew); a hidden one is painted whole when it shows.
void SetStyle(HWND wnd, DWORD style)
{
    DWORD old = static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE));
    if (old == style) return;
    SetWindowLongPtrA(wnd, GWL_STYLE, static_cast<LONG_PTR>(style));
    if ((old ^ style) & kFrameStyle)
        SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else if (IsWindowVisible(wnd))
        InvalidateRect(wnd, nullptr, TRUE);
}

} // namespace

VkiCtl* VkiCtlOf(HWND wnd) { return DYNAMIC_DOWNCAST(VkiCtl, CWnd::FromHandlePermanent(wnd)); }

VkiCtl::VkiCtl() { DefaultColors(VKE_CTL_BUTTON, &m_uTextColor, &m_uBackColor); }

VkiCtl::~VkiCtl()
{
    // The window goes while this is still a control object, so that its destruction runs Term. A
    // kind with a Term of its own destroys the window in its own destructor, while it is that kind.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    TermBase();
}

int VkiCtl::Bind(VkiSys* sys, int type)
{
    if (!sys) return VKE_ERR_EXISTS;
    m_pSys = sys;
    m_iCtlType = type;
    int rc = sys->GetVkeSubPtr(&m_pSub);
    if (rc == VKE_OK) rc = sys->GetVkeDrwPtr(&m_pDrw);
    return rc;
}

int VkiCtl::Holder(VkiCtl** out)
{
    VkiCtl* c = this;
    for (int depth = 0; c; ++depth) {
        if (!c->IsInit() || depth > 8) return VKE_ERR_NOT_INIT;
        if (!c->m_pOwner) break;
        c = c->m_pOwner;
    }
    *out = c;
    return VKE_OK;
}

bool VkiCtl::IsCheckBox() const
{
    if (!IsButton()) return false;
    int style = BtnStyle();
    return style >= BS_CHECKBOX && style <= BS_AUTO3STATE;
}

int VkiCtl::InputLimit(int maxInputLength) const { return maxInputLength >= 1 && IsEditLike() ? maxInputLength : 1023; }

// ---- Creation and adoption ----

int VkiCtl::GetCtlClassName(int type, char* buffer, int size)
{
    if (!IsType(type)) return VKE_ERR_ARG;
    return VkiCopyStr(buffer, kClassName[type], size);
}

int VkiCtl::CreateCtl(const char* caption, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id)
{
    if (!caption || !rect) return VKE_ERR_ARG;
    if (m_hWnd) return VKE_ERR_EXISTS;
    int rc = CheckStyle(m_iCtlType, style);
    if (rc != VKE_OK) return rc;
    if (rect->right - rect->left < 1 || rect->bottom - rect->top < 1) return VKE_ERR_ARG;
    bool push = IsPushStyle(m_iCtlType, style);
    bool defPush = push && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (push) style |= BS_OWNERDRAW;
    if (!CreateEx(exStyle, kClassName[m_iCtlType], caption, style | WS_CHILD, *rect, CWnd::FromHandle(parent), id))
        return VKE_ERR_MEMORY;
    if (defPush) static_cast<VkiCtlBtn*>(this)->m_iDefPush = 1;
    return VKE_OK;
}

int VkiCtl::Destroy()
{
    if (!m_hWnd) return VKE_OK;
    return DestroyWindow() ? VKE_OK : VKE_ERR_SYSTEM;
}

int VkiCtl::SubclassCtl(HWND wnd)
{
    if (!wnd || !::IsWindow(wnd)) return VKE_ERR_ARG;
    if (m_hWnd) return VKE_ERR_EXISTS;
    // A combo box's list part is a "ComboLBox", not a "ListBox".
    bool comboList = m_pOwner && IsListBox();
    int rc = VkiCheckClass(m_pSub, wnd, comboList ? kComboListClass : kClassName[m_iCtlType]);
    if (rc != VKE_OK) return rc;
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE));
    rc = CheckStyle(m_iCtlType, style);
    if (rc != VKE_OK) return rc;
    if (!SubclassWindow(wnd)) return VKE_ERR_MEMORY;
    m_iSubclassed = 1;
    // The parts keep the styles their combo box gave them (a dropped list is a popup).
    if (m_pOwner) return VKE_OK;
    style = (style & ~kStripStyle) | kChildStyle;
    if (IsPushStyle(m_iCtlType, style)) {
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) static_cast<VkiCtlBtn*>(this)->m_iDefPush = 1;
        style |= BS_OWNERDRAW;
    }
    SetStyle(wnd, style);
    return VKE_OK;
}

int VkiCtl::SubclassCtlDlgItem(HWND dialog, int id)
{
    HWND item = dialog ? ::GetDlgItem(dialog, id) : nullptr;
    if (!item) return VKE_ERR_ARG;
    return SubclassCtl(item);
}

int VkiCtl::UnsubclassCtl(HWND* out)
{
    if (!out) return VKE_ERR_ARG;
    // A procedure swapped in front would keep this module's procedure below it.
    int rc = ResetWindowProc();
    *out = UnsubclassWindow();
    m_iSubclassed = 0;
    return rc;
}

int VkiCtl::SetWindowProc(WNDPROC proc, WNDPROC* previous)
{
    return VkiSwapWindowProc(m_hWnd, proc, previous, &m_iProcSwapped, &m_pfnSaved);
}

int VkiCtl::ResetWindowProc() { return VkiResetWindowProc(m_hWnd, &m_iProcSwapped, &m_pfnSaved); }

int VkiCtl::SetPartWindowProc(int part, WNDPROC proc, WNDPROC* previous)
{
    if (!IsCombo()) return VKE_ERR_EXISTS;
    VkiCtl* child = static_cast<VkiCtlCmb*>(this)->Part(part);
    if (!child || !child->IsInit()) return VKE_ERR_NOT_INIT;
    return child->SetWindowProc(proc, previous);
}

int VkiCtl::ResetPartWindowProc(int part)
{
    if (!IsCombo()) return VKE_ERR_EXISTS;
    VkiCtl* child = static_cast<VkiCtlCmb*>(this)->Part(part);
    if (!child || !child->IsInit()) return VKE_ERR_NOT_INIT;
    return child->ResetWindowProc();
}

// ---- Parameters, Init and Term ----

int VkiCtl::InitParam(VkeCtlParam* param)
{
    if (!param) return VKE_ERR_ARG;
    memset(param, 0, sizeof(*param));
    param->dExecVersion = VKE_VERSION;
    DefaultColors(m_iCtlType, &param->uTextColor, &param->uBackColor);
    param->iEditType = VKE_EDIT_NONE;
    param->iCtlEditing = 1;
    return VKE_OK;
}

int VkiCtl::CheckParam(VkeCtlParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (int rc = VkiCheckParamHead(param, field, messageNo)) return rc;
    if (param->iEditType < VKE_EDIT_NONE || param->iEditType > VKE_EDIT_COLOR)
        return VkiBadField(field, messageNo, 8, 93, VKE_ERR_ARG);
    if (int ch = param->iPasswordChar & 0xFF) {
        int normal = 0;
        int rc = m_pSub->IsNmlChr(ch, &normal);
        if (rc != VKE_OK) return VkiBadField(field, messageNo, 10, 13, rc);
        if (!normal) return VkiBadField(field, messageNo, 10, 94, VKE_ERR_ARG);
    }
    if (param->iMaxInputLength < 0 || param->iMaxInputLength > 1023)
        return VkiBadField(field, messageNo, 11, 95, VKE_ERR_ARG);
    const int flags[] = {param->iIndInput, param->iData, param->iCtlEditing,
                         param->iCtlError, param->iCtlModified, param->iPriorityError};
    for (int i = 0; i < 6; ++i)
        if (!VkiCtlIsFlag(flags[i])) return VkiBadField(field, messageNo, 12 + i, 96 + i, VKE_ERR_ARG);
    // The value is tried by a bounded copy into a buffer of the input limit.
    char value[1024];
    int limit = InputLimit(param->iMaxInputLength);
    if (VkiStrLen(param->amDataValue, sizeof(param->amDataValue)) >= static_cast<int>(sizeof(param->amDataValue)))
        return VkiBadField(field, messageNo, 7, 13, VKE_ERR_CUT);
    int rc = m_pSub->CopyStr(value, param->amDataValue, limit + 1);
    if (rc != VKE_OK) return VkiBadField(field, messageNo, 7, 13, rc);
    return VkiBadField(field, messageNo, 0, 0, VKE_OK);
}

// Buttons and combo boxes run their own Init and Term, chosen by the kind.
int VkiCtl::Init(VkeCtlParam* param, int* field, int* messageNo)
{
    if (IsButton()) return static_cast<VkiCtlBtn*>(this)->InitBtn(param, field, messageNo);
    if (IsCombo()) return static_cast<VkiCtlCmb*>(this)->InitCmb(param, field, messageNo);
    return InitBase(param, field, messageNo);
}

int VkiCtl::Term()
{
    if (IsButton()) return static_cast<VkiCtlBtn*>(this)->TermBtn();
    if (IsCombo()) return static_cast<VkiCtlCmb*>(this)->TermCmb();
    return TermBase();
}

int VkiCtl::InitBase(VkeCtlParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (IsInit() || !m_hWnd) return VkiBadField(field, messageNo, 0, 0, VKE_ERR_EXISTS);
    int rc = CheckParam(param, field, messageNo);
    if (rc != VKE_OK) return rc;

    m_dExecVersion = param->dExecVersion;
    DefaultColors(VKE_CTL_BUTTON, &m_uTextColor, &m_uBackColor);
    m_hMenu = param->hMenu;
    m_iCtlEditing = param->iCtlEditing;
    m_iCtlError = param->iCtlError;
    m_iCtlModified = param->iCtlModified;
    m_iPriorityError = param->iPriorityError;
    m_pCtd = nullptr;
    m_pEdi = nullptr;
    LOGFONTA lf = {};
    rc = VkiStartLogFont(m_pSub, m_pDrw, m_hWnd, ::GetParent(m_hWnd), &lf);
    if (rc != VKE_OK) return rc;

    m_iInit = 1;
    if (!m_pOwner) {
        m_iLoading = 1;
        rc = AllocDat(VKE_DAT_CTD, reinterpret_cast<void**>(&m_pCtd));
        if (rc == VKE_OK) rc = AllocDat(VKE_DAT_EDI, reinterpret_cast<void**>(&m_pEdi));
    }
    if (rc == VKE_OK && !m_pOwner) SetStyle(m_hWnd, (GetStyle() & ~kStripStyle) | kChildStyle);
    // The setters below each go to the whole radio group: it is found once; each asks for a
    // repaint, and one is asked for at the end; each asks where the focus is: asked once.
    GroupHold group(this);
    RedrawHold redraw(this);
    FocusHold focus;
    if (rc == VKE_OK) rc = SetFontByLogFont(&lf);
    if (rc == VKE_OK) rc = SetTextColor(param->uTextColor);
    if (rc == VKE_OK) rc = SetBackColor(param->uBackColor);
    if (rc == VKE_OK && !m_pOwner) rc = ApplyParam(param);
    if (rc != VKE_OK) {
        TermBase();
        return rc;
    }
    return VKE_OK;
}

// Steps 8 to 10 of Init: the flags and the typed value through their setters, then the limit.
int VkiCtl::ApplyParam(VkeCtlParam* param)
{
    char text[1024];
    int rc = SetCtlEditingFlag(param->iCtlEditing, 1);
    if (rc == VKE_OK) rc = SetCtlErrorFlag(param->iCtlError);
    if (rc == VKE_OK) rc = SetCtlModifiedFlag(param->iCtlModified);
    if (rc == VKE_OK) rc = SetPriorityErrorFlag(param->iPriorityError);
    if (rc == VKE_OK) rc = SetEditType(param->iEditType, 0);
    FieldText(text, param->amEditFormat, sizeof(param->amEditFormat));
    if (rc == VKE_OK) rc = SetEditFormat(text, 0);
    if (rc == VKE_OK) rc = SetPasswordChar(param->iPasswordChar & 0xFF, 0);
    if (rc == VKE_OK) rc = SetMaxInputLength(param->iMaxInputLength, 0);
    if (rc == VKE_OK) rc = SetIndInputFlag(param->iIndInput, 0);
    if (rc == VKE_OK) rc = SetDataFlag(param->iData);
    m_iLoading = 0;
    FieldText(text, param->amDataName, sizeof(param->amDataName));
    if (rc == VKE_OK) rc = SetDataName(text, 0);
    FieldText(text, param->amDataValue, sizeof(param->amDataValue));
    if (rc == VKE_OK) rc = SetDataValue(text, 0);
    if (rc != VKE_OK) return rc;

    Dti& d = D();
    if (IsEditLike()) {
        VkiShimLimitText(m_hWnd, InputLimit(d.iMaxInputLength));
        d.sel.iStart = 0;
        d.sel.iEnd = d.memWndText.iLength;
    }
    d.iError = d.iSelected = d.iFormat = d.iFocused = d.iErrorCode = 0;
    if (m_iCtlEditing) m_pCtd->cud.iState = 2;
    // On the whole group of an auto radio button: writing this button's value changed the others',
    // and a dialog that starts its buttons one by one showed them all modified.
    return SetState(&Dti::iModified, 0, true);
}

int VkiCtl::TermBase()
{
    int rc = VKE_OK;
    if (IsInit() && !m_pOwner) {
        int edi = FreeDat(VKE_DAT_EDI, reinterpret_cast<void**>(&m_pEdi));
        int ctd = FreeDat(VKE_DAT_CTD, reinterpret_cast<void**>(&m_pCtd));
        rc = edi != VKE_OK ? edi : ctd;
    }
    // The window keeps no font that is about to go.
    if (m_hFont && m_hWnd && reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)) == m_hFont)
        ::SendMessageA(m_hWnd, WM_SETFONT, 0, FALSE);
    VkiDropFont(m_hFont);
    if (m_hBackBrush) DeleteObject(m_hBackBrush);
    m_hFont = nullptr;
    m_hBackBrush = nullptr;
    m_iInit = 0;
    m_iLoading = 0;
    return rc;
}

void VkiCtl::OnDestroy()
{
    if (IsInit()) Term();
    ResetWindowProc();
    Default();
}

LRESULT VkiCtl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND wnd = m_hWnd;
    int type = m_iCtlType;
    // A password edit's window holds only the mask: its text changes through the engine alone.
    if (IsInit() && IsPassword() && IsEditCommand(message)) return 0;
    LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (type == VKE_CTL_EDIT && VkiShimEditsText(message)) {
        VkiShimKeepLimit(wnd);
        if (FromHandlePermanent(wnd) == this) TakeWindowText();
    } else if (type == VKE_CTL_COMBOBOX && message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        // The edit part of a combo box reports its changes here; only typing is held to the limit.
        HWND edit = reinterpret_cast<HWND>(lParam);
        if (edit && ::GetFocus() == edit) {
            VkiShimKeepLimit(edit);
            if (FromHandlePermanent(wnd) == this) TakeWindowText();
        }
    }
    return result;
}

// ---- Properties and getters ----

int VkiCtl::GetName(char* buffer, int size) { return VkiCopyStr(buffer, kCtlName, size); }

int VkiCtl::GetCtlType(int* out) { return VkiAnswer(true, out, m_iCtlType); }
int VkiCtl::GetCtlHandle(HWND* out) { return VkiAnswer(true, out, m_hWnd); }

int VkiCtl::GetPartHandle(int part, HWND* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    if (!IsCombo()) return VKE_ERR_EXISTS;
    VkiCtl* ctl = static_cast<VkiCtlCmb*>(this)->Part(part);
    if (ctl && ctl->IsInit()) *out = ctl->m_hWnd;
    return VKE_OK;
}

int VkiCtl::SetProperty(int id, void* value)
{
    if (!value) return VKE_ERR_ARG;
    int* n = static_cast<int*>(value);
    const char* text = static_cast<const char*>(value);
    switch (id) {
    case VKE_PROP_EXEC_VERSION: return SetExecVersion(*static_cast<double*>(value));
    case VKE_CTL_PROP_LOGFONT: return SetFontByLogFont(static_cast<LOGFONTA*>(value));
    case VKE_CTL_PROP_TEXT_COLOR: return SetTextColor(*static_cast<COLORREF*>(value));
    case VKE_CTL_PROP_BACK_COLOR: return SetBackColor(*static_cast<COLORREF*>(value));
    case VKE_CTL_PROP_MENU: return SetMenuHandle(*static_cast<HMENU*>(value));
    case VKE_CTL_PROP_DATA_NAME: return SetDataName(text, 1);
    case VKE_CTL_PROP_DATA_VALUE: return SetDataValue(text, 1);
    case VKE_CTL_PROP_EDIT_TYPE: return SetEditType(*n, 1);
    case VKE_CTL_PROP_EDIT_FORMAT: return SetEditFormat(text, 1);
    case VKE_CTL_PROP_PASSWORD_CHAR: return SetPasswordChar(*static_cast<BYTE*>(value), 1);
    case VKE_CTL_PROP_MAX_INPUT_LENGTH: return SetMaxInputLength(*n, 1);
    case VKE_CTL_PROP_IND_INPUT: return SetIndInputFlag(*n, 1);
    case VKE_CTL_PROP_CTL_EDITING: return SetCtlEditingFlag(*n, 0);
    case VKE_CTL_PROP_CTL_ERROR: return SetCtlErrorFlag(*n);
    case VKE_CTL_PROP_CTL_MODIFIED: return SetCtlModifiedFlag(*n);
    case VKE_CTL_PROP_PRIORITY_ERROR: return SetPriorityErrorFlag(*n);
    case VKE_CTL_PROP_DATA: return SetDataFlag(*n);
    case VKE_CTL_PROP_ERROR: return SetErrorFlag(*n);
    case VKE_CTL_PROP_MODIFIED: return SetModifiedFlag(*n);
    case VKE_CTL_PROP_SELECTED: return SetSelectedFlag(*n);
    case VKE_CTL_PROP_ERROR_CODE: return SetErrorCode(*n);
    case VKE_CTL_PROP_DTI: {
        int rc = SetDti(static_cast<Dti*>(value), 1);
        return rc == VKE_OK ? ChkDti() : rc;
    }
    default: return VKE_ERR_ARG;
    }
}

int VkiCtl::GetProperty(int id, void* out)
{
    if (!out) return VKE_ERR_ARG;
    int* n = static_cast<int*>(out);
    char* text = static_cast<char*>(out);
    switch (id) {
    case VKE_PROP_NAME: return GetName(text, 1024);
    case VKE_PROP_VERSION: return GetVersion(static_cast<double*>(out));
    case VKE_PROP_EXEC_VERSION: return GetExecVersion(static_cast<double*>(out));
    case VKE_CTL_PROP_CTL_TYPE: return GetCtlType(n);
    case VKE_CTL_PROP_WND: return GetCtlHandle(static_cast<HWND*>(out));
    case VKE_CTL_PROP_EDT_WND: return GetPartHandle(0, static_cast<HWND*>(out));
    case VKE_CTL_PROP_LSB_WND: return GetPartHandle(1, static_cast<HWND*>(out));
    case VKE_CTL_PROP_LOGFONT: return GetLogFont(static_cast<LOGFONTA*>(out));
    case VKE_CTL_PROP_FONT_NAME: return GetFontName(text, 1024);
    case VKE_CTL_PROP_FONT_SIZE: return GetFontSize(n);
    case VKE_CTL_PROP_TEXT_COLOR: return GetTextColor(static_cast<COLORREF*>(out));
    case VKE_CTL_PROP_BACK_COLOR: return GetBackColor(static_cast<COLORREF*>(out));
    case VKE_CTL_PROP_MENU: return GetMenuHandle(static_cast<HMENU*>(out));
    case VKE_CTL_PROP_DATA_NAME: return GetDataName(text, 1024);
    case VKE_CTL_PROP_DATA_VALUE: return GetDataValue(text, 1024);
    case VKE_CTL_PROP_EDIT_TYPE: return GetEditType(n);
    case VKE_CTL_PROP_EDIT_FORMAT: return GetEditFormat(text, 1024);
    case VKE_CTL_PROP_PASSWORD_CHAR: return GetPasswordChar(static_cast<BYTE*>(out));
    case VKE_CTL_PROP_MAX_INPUT_LENGTH: return GetMaxInputLength(n);
    case VKE_CTL_PROP_IND_INPUT: return GetIndInputFlag(n);
    case VKE_CTL_PROP_CTL_EDITING: return GetCtlEditingFlag(n);
    case VKE_CTL_PROP_CTL_ERROR: return GetCtlErrorFlag(n);
    case VKE_CTL_PROP_CTL_MODIFIED: return GetCtlModifiedFlag(n);
    case VKE_CTL_PROP_PRIORITY_ERROR: return GetPriorityErrorFlag(n);
    case VKE_CTL_PROP_DATA: return GetDataFlag(n);
    case VKE_CTL_PROP_ERROR: return GetErrorFlag(n);
    case VKE_CTL_PROP_MODIFIED: return GetModifiedFlag(n);
    case VKE_CTL_PROP_SELECTED: return GetSelectedFlag(n);
    case VKE_CTL_PROP_ERROR_CODE: return GetErrorCode(n);
    case VKE_CTL_PROP_DTI: return GetDti(static_cast<Dti*>(out));
    default: return VKE_ERR_ARG;
    }
}

// ---- Exports ----

int VkiCtl::New(VkiSys* sys, int type, VkiCtl** out)
{
    if (!sys || !out || !IsType(type)) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    VkiCtl* ctl = NewKind(type);
    if (!ctl) return VKE_ERR_MEMORY;
    int rc = ctl->Bind(sys, type);
    if (rc != VKE_OK) {
        delete ctl;
        return rc;
    }
    *out = ctl;
    return VKE_OK;
}

VKE_API int VkeCtlAlloc(VkiSys* sys, int type, VkiCtl** out) { return VkiCtl::New(sys, type, out); }

VKE_API int VkeCtlFree(VkiCtl** out)
{
    if (!out) return VKE_ERR_ARG;
    if (*out && !(*out)->IsKindOf(RUNTIME_CLASS(VkiCtl))) return VKE_ERR_ARG;
    delete *out;
    *out = nullptr;
    return VKE_OK;
}

VKE_API int VkeCtlGetClassName(VkiCtl* ctl, int type, char* buffer, int size) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetCtlClassName(type, buffer, size)); }

VKE_API int VkeCtlCreate(VkiCtl* ctl, const char* caption, DWORD style, int x, int y, int width, int height,
                         HWND parent, UINT id)
{
    RECT rect = {x, y, x + width, y + height};
    VKE_FRAME(ctl, ctl->Sub(), ctl->CreateCtl(caption, style, ctl->IsEdit() || ctl->IsListBox() ? 0x204u : 0x4u,
                                              &rect, parent, id));
}

VKE_API int VkeCtlCreateByRect(VkiCtl* ctl, const char* caption, DWORD style, const RECT* rect, HWND parent, UINT id)
{
    VKE_FRAME(ctl, ctl->Sub(), ctl->CreateCtl(caption, style, ctl->IsEdit() || ctl->IsListBox() ? 0x204u : 0x4u,
                                              rect, parent, id));
}

VKE_API int VkeCtlCreateEx(VkiCtl* ctl, const char* caption, DWORD style, DWORD exStyle, int x, int y, int width,
                           int height, HWND parent, UINT id)
{
    RECT rect = {x, y, x + width, y + height};
    VKE_FRAME(ctl, ctl->Sub(), ctl->CreateCtl(caption, style, exStyle, &rect, parent, id));
}

VKE_API int VkeCtlCreateExByRect(VkiCtl* ctl, const char* caption, DWORD style, DWORD exStyle, const RECT* rect,
                                 HWND parent, UINT id)
{
    VKE_FRAME(ctl, ctl->Sub(), ctl->CreateCtl(caption, style, exStyle, rect, parent, id));
}

VKE_API int VkeCtlDestroy(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->Destroy()); }
VKE_API int VkeCtlSubclassWindow(VkiCtl* ctl, HWND wnd) { VKE_FRAME(ctl, ctl->Sub(), ctl->SubclassCtl(wnd)); }
VKE_API int VkeCtlSubclassDlgItem(VkiCtl* ctl, HWND dialog, int id) { VKE_FRAME(ctl, ctl->Sub(), ctl->SubclassCtlDlgItem(dialog, id)); }
VKE_API int VkeCtlUnsubclassWindow(VkiCtl* ctl, HWND* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->UnsubclassCtl(out)); }
VKE_API int VkeCtlSetWindowProc(VkiCtl* ctl, WNDPROC proc, WNDPROC* previous) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetWindowProc(proc, previous)); }
VKE_API int VkeCtlResetWindowProc(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->ResetWindowProc()); }
VKE_API int VkeCtlSetWindowProcEdt(VkiCtl* ctl, WNDPROC proc, WNDPROC* previous) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetPartWindowProc(0, proc, previous)); }
VKE_API int VkeCtlResetWindowProcEdt(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->ResetPartWindowProc(0)); }
VKE_API int VkeCtlSetWindowProcLsb(VkiCtl* ctl, WNDPROC proc, WNDPROC* previous) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetPartWindowProc(1, proc, previous)); }
VKE_API int VkeCtlResetWindowProcLsb(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->ResetPartWindowProc(1)); }
VKE_API int VkeCtlInitParam(VkiCtl* ctl, VkeCtlParam* param) { VKE_FRAME(ctl, ctl->Sub(), ctl->InitParam(param)); }
VKE_API int VkeCtlCheckParam(VkiCtl* ctl, VkeCtlParam* param, int* field, int* messageNo) { VKE_FRAME(ctl, ctl->Sub(), ctl->CheckParam(param, field, messageNo)); }
VKE_API int VkeCtlInit(VkiCtl* ctl, VkeCtlParam* param, int* field, int* messageNo) { VKE_FRAME(ctl, ctl->Sub(), ctl->Init(param, field, messageNo)); }
VKE_API int VkeCtlTerm(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->Term()); }
VKE_API int VkeCtlSetProperty(VkiCtl* ctl, int id, void* value) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetProperty(id, value)); }
VKE_API int VkeCtlGetProperty(VkiCtl* ctl, int id, void* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetProperty(id, out)); }
VKE_API int VkeCtlGetName(VkiCtl* ctl, char* buffer, int size) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetName(buffer, size)); }
VKE_API int VkeCtlGetVersion(VkiCtl* ctl, double* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetVersion(out)); }
VKE_API int VkeCtlSetExecVersion(VkiCtl* ctl, double version) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetExecVersion(version)); }
VKE_API int VkeCtlGetExecVersion(VkiCtl* ctl, double* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetExecVersion(out)); }
VKE_API int VkeCtlGetCtlType(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetCtlType(out)); }
VKE_API int VkeCtlGetCtlHandle(VkiCtl* ctl, HWND* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetCtlHandle(out)); }
VKE_API int VkeCtlGetCtlEdtHandle(VkiCtl* ctl, HWND* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetPartHandle(0, out)); }
VKE_API int VkeCtlGetCtlLsbHandle(VkiCtl* ctl, HWND* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetPartHandle(1, out)); }
