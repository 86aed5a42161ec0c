// Appearance of a control: its font, text and back colours with the back brush, the popup menu,
// the four control flags that steer colouring and undo recording, redraw and the focus test.
// A combo box hands each setting on to its adopted parts; an auto radio button's flags go to its
// whole group.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlBsc"
#include "VkiCtl.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiTxt.h"
#include "VkiWnd.h"
#include "VkeFrame.h"

namespace {

// The adopted, initialised parts of a combo box.
std::vector<VkiCtl*> PartsOf(VkiCtl* ctl)
{
    std::vector<VkiCtl*> parts;
    if (!ctl->IsCombo()) return parts;
    auto* combo = static_cast<VkiCtlCmb*>(ctl);
    for (VkiCtl* part : {combo->m_pEdt, combo->m_pLsb})
        if (part && part->IsInit()) parts.push_back(part);
    return parts;
}

inline void Keep(int* first, int rc)
{
    if (*first == VKE_OK) *first = rc;
}

} // namespace

COMBOBOXINFO VkiCtlComboInfo(HWND combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(combo, &info)) info = COMBOBOXINFO{};
    return info;
}

bool VkiCtlIsComboPart(HWND combo, HWND wnd)
{
    COMBOBOXINFO info = VkiCtlComboInfo(combo);
    return wnd && (wnd == info.hwndItem || wnd == info.hwndList);
}

// ---- Font ----

int VkiCtl::SetFont(const char* face, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    VkiWndDC dc(m_hWnd);
    if (!dc) return VKE_ERR_MEMORY;
    LOGFONTA lf = {};
    int rc = m_pDrw->GetLogFont(dc, face, size, &lf);
    return rc == VKE_OK ? SetFontByLogFont(&lf) : rc;
}

int VkiCtl::SetFontByLogFont(const LOGFONTA* font)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int first = VkiSetWindowFont(m_hWnd, font, &m_lf, &m_hFont);
    if (first == VKE_ERR_ARG) return first;
    for (VkiCtl* part : PartsOf(this)) Keep(&first, part->SetFontByLogFont(&m_lf));
    return first;
}

int VkiCtl::GetFontName(char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(buffer, m_lf.lfFaceName, size);
}

int VkiCtl::GetFontSize(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiFontPoints(m_hWnd, m_lf, out);
}

int VkiCtl::GetLogFont(LOGFONTA* out) { return VkiAnswer(IsInit(), out, m_lf); }

int VkiCtl::GetFontHandle(HFONT* out) { return VkiAnswer(IsInit(), out, m_hFont); }

// ---- Colours ----

int VkiCtl::SetTextColor(COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int first = m_pDrw->SetColor(color);
    if (first == VKE_ERR_CUT) first = VKE_OK; // a full colour list still lets the colour be used
    m_uTextColor = color;
    for (VkiCtl* part : PartsOf(this)) Keep(&first, part->SetTextColor(color));
    // An owner-drawn button's focus frame follows its text colour.
    if (IsButton()) Keep(&first, static_cast<VkiCtlBtn*>(this)->MakeFocusPen());
    Redraw(0);
    return first;
}

int VkiCtl::SetBackColor(COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int first = m_pDrw->SetColor(color);
    if (first == VKE_ERR_CUT) first = VKE_OK;
    if (HBRUSH brush = CreateSolidBrush(color)) {
        if (m_hBackBrush) DeleteObject(m_hBackBrush);
        m_hBackBrush = brush;
        m_uBackColor = color;
    } else {
        Keep(&first, VKE_ERR_MEMORY);
    }
    for (VkiCtl* part : PartsOf(this)) Keep(&first, part->SetBackColor(color));
    Redraw(0);
    return first;
}

int VkiCtl::GetTextColor(COLORREF* out) { return VkiAnswer(IsInit(), out, m_uTextColor); }

int VkiCtl::GetBackColor(COLORREF* out) { return VkiAnswer(IsInit(), out, m_uBackColor); }

int VkiCtl::GetBackBrushHandle(HBRUSH* out) { return VkiAnswer(IsInit(), out, m_hBackBrush); }

// ---- Popup menu ----

int VkiCtl::SetMenuHandle(HMENU menu)
{
    if (menu && !VkiHasSubmenu(menu)) return VKE_ERR_ARG;
    m_hMenu = menu;
    int first = VKE_OK;
    for (VkiCtl* part : PartsOf(this)) Keep(&first, part->SetMenuHandle(menu));
    return first;
}

int VkiCtl::GetMenuHandle(HMENU* out) { return VkiAnswer(IsInit(), out, m_hMenu); }

// ---- Control flags ----

int VkiCtl::SetCtlFlag(int VkiCtl::*flag, int value)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiCtlIsFlag(value)) return VKE_ERR_ARG;
    for (VkiCtl* c : Group()) c->*flag = value;
    for (VkiCtl* part : PartsOf(this)) part->*flag = value;
    Redraw(0);
    return VKE_OK;
}


int VkiCtl::SetCtlEditingFlag(int flag, int reset)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiCtlIsFlag(flag) || !VkiCtlIsFlag(reset)) return VKE_ERR_ARG;
    VkiCtl* holder = nullptr;
    if (reset && Holder(&holder) == VKE_OK) {
        // A history that holds steps starts afresh from the present value.
        for (VkiCtl* c : holder->Group()) {
            Ctd* ctd = c->m_pCtd;
            if (ctd->pEui && ctd->pEui->iFlag == 1) continue;
            int rc = c->TermEui(ctd);
            if (rc == VKE_OK) rc = c->InitEui(ctd);
            if (rc != VKE_OK) return rc;
            c->m_pEdi->iOpen = c->m_pEdi->iKind = 0;
        }
    }
    return SetCtlFlag(&VkiCtl::m_iCtlEditing, flag);
}

int VkiCtl::GetCtlEditingFlag(int* out) { return VkiAnswer(IsInit(), out, m_iCtlEditing); }

// ---- Redraw and focus ----

int VkiCtl::Redraw(int erase)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiCtlIsFlag(erase)) return VKE_ERR_ARG;
    if (m_iRedrawHeld) {
        m_iRedrawHeld = erase || m_iRedrawHeld == 3 ? 3 : 2;
        return VKE_OK;
    }
    // A hidden window is painted whole when it shows: only shown ones are invalidated (a combo
    // box's parts show only with it).
    if (::IsWindowVisible(m_hWnd)) {
        ::InvalidateRect(m_hWnd, nullptr, IsListBox() || erase);
        if (IsCombo()) {
            COMBOBOXINFO info = VkiCtlComboInfo(m_hWnd);
            if (info.hwndItem) ::InvalidateRect(info.hwndItem, nullptr, erase);
            if (info.hwndList) ::InvalidateRect(info.hwndList, nullptr, TRUE);
        }
    }
    for (VkiCtl* c : Group())
        if (c != this && ::IsWindowVisible(c->m_hWnd)) ::InvalidateRect(c->m_hWnd, nullptr, erase);
    return VKE_OK;
}

VkiCtl::RedrawHold::~RedrawHold()
{
    if (!m_ctl) return;
    const int wanted = m_ctl->m_iRedrawHeld;
    m_ctl->m_iRedrawHeld = 0;
    if (wanted > 1 && m_ctl->IsInit()) m_ctl->Redraw(wanted == 3 ? 1 : 0);
}

namespace {

// The focus a FocusHold keeps on this thread: holds open, answer known, and the window.
thread_local int g_iFocusHolds = 0;
thread_local bool g_bFocusKnown = false;
thread_local HWND g_hFocus = nullptr;

} // namespace

VkiCtl::FocusHold::FocusHold() { ++g_iFocusHolds; }

VkiCtl::FocusHold::~FocusHold()
{
    if (--g_iFocusHolds == 0) g_bFocusKnown = false;
}

HWND VkiCtl::FocusWnd()
{
    if (!g_iFocusHolds) return ::GetFocus();
    if (!g_bFocusKnown) {
        g_hFocus = ::GetFocus();
        g_bFocusKnown = true;
    }
    return g_hFocus;
}

void VkiCtl::ForgetFocus() { g_bFocusKnown = false; }

int VkiCtl::IsFocus(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    HWND focus = FocusWnd();
    bool is = focus && focus == m_hWnd;
    if (!is && IsCombo()) is = VkiCtlIsComboPart(m_hWnd, focus);
    if (!is && m_pOwner && m_pOwner->m_hWnd)
        is = focus == m_pOwner->m_hWnd || VkiCtlIsComboPart(m_pOwner->m_hWnd, focus);
    *out = is ? 1 : 0;
    return VKE_OK;
}

bool VkiCtl::HasFocus()
{
    int is = 0;
    return IsFocus(&is) == VKE_OK && is == 1;
}

// ---- Exports ----

VKE_API int VkeCtlSetFont(VkiCtl* ctl, const char* face, int size) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetFont(face, size)); }
VKE_API int VkeCtlSetFontByLogFont(VkiCtl* ctl, const LOGFONTA* font) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetFontByLogFont(font)); }
VKE_API int VkeCtlGetFontName(VkiCtl* ctl, char* buffer, int size) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetFontName(buffer, size)); }
VKE_API int VkeCtlGetFontSize(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetFontSize(out)); }
VKE_API int VkeCtlGetLogFont(VkiCtl* ctl, LOGFONTA* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetLogFont(out)); }
VKE_API int VkeCtlGetFontHandle(VkiCtl* ctl, HFONT* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetFontHandle(out)); }
VKE_API int VkeCtlSetTextColor(VkiCtl* ctl, COLORREF color) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetTextColor(color)); }
VKE_API int VkeCtlGetTextColor(VkiCtl* ctl, COLORREF* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetTextColor(out)); }
VKE_API int VkeCtlSetBackColor(VkiCtl* ctl, COLORREF color) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetBackColor(color)); }
VKE_API int VkeCtlGetBackColor(VkiCtl* ctl, COLORREF* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetBackColor(out)); }
VKE_API int VkeCtlGetBackBrushHandle(VkiCtl* ctl, HBRUSH* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetBackBrushHandle(out)); }
VKE_API int VkeCtlSetMenuHandle(VkiCtl* ctl, HMENU menu) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetMenuHandle(menu)); }
VKE_API int VkeCtlGetMenuHandle(VkiCtl* ctl, HMENU* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetMenuHandle(out)); }
VKE_API int VkeCtlSetCtlEditingFlag(VkiCtl* ctl, int flag, int reset) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetCtlEditingFlag(flag, reset)); }
VKE_API int VkeCtlGetCtlEditingFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetCtlEditingFlag(out)); }
VKE_API int VkeCtlSetCtlErrorFlag(VkiCtl* ctl, int flag) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetCtlErrorFlag(flag)); }
VKE_API int VkeCtlGetCtlErrorFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetCtlErrorFlag(out)); }
VKE_API int VkeCtlSetCtlModifiedFlag(VkiCtl* ctl, int flag) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetCtlModifiedFlag(flag)); }
VKE_API int VkeCtlGetCtlModifiedFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetCtlModifiedFlag(out)); }
VKE_API int VkeCtlSetPriorityErrorFlag(VkiCtl* ctl, int flag) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetPriorityErrorFlag(flag)); }
VKE_API int VkeCtlGetPriorityErrorFlag(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->GetPriorityErrorFlag(out)); }
VKE_API int VkeCtlRedraw(VkiCtl* ctl, int erase) { VKE_FRAME(ctl, ctl->Sub(), ctl->Redraw(erase)); }
