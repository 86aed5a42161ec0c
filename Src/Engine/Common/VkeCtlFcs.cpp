// A control in its window: the colours it asks for (the parent's say, then the state colour of
// its data), what the focus arriving and leaving does (the editing text shown and selected; the
// value read, checked and shown formatted, the open edit step committed) and its popup menu.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlBsc"
#include "VkiCtl.h"
#include "VkiDrw.h"
#include "VkiWnd.h"
#include "VkeFrame.h"

int VkiCtl::s_iColoring = 0;

// ---- Colour choice ----

HBRUSH VkiCtl::StateBrush(HDC dc)
{
    VkiCtl* c = nullptr;
    if (!IsInit() || s_iColoring || Holder(&c) != VKE_OK || !c->m_pCtd) return nullptr;
    VkiCtlMark mark(s_iColoring);
    HWND parent = ::GetParent(c->m_hWnd);
    if (parent && ::IsWindow(parent)) {
        // The parent's brush decides alone.
        LRESULT brush = ::SendMessageA(parent, VkeWmCtlColor, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hWnd));
        if (brush) return reinterpret_cast<HBRUSH>(brush);
    }
    COLORREF back = c->m_uBackColor;
    HBRUSH brush = c->m_hBackBrush;
    // A control being typed into, or a focused list, shows its own colours; the focus is asked
    // only of those (each question costs the platform a round trip).
    int focus = 0;
    if ((IsListBox() || IsCombo() || c->IsEditLike()) && IsFocus(&focus) != VKE_OK) return nullptr;
    if (!focus && c->StateColor(&back, &brush) != VKE_OK) return nullptr;
    ::SetTextColor(dc, c->m_uTextColor);
    ::SetBkColor(dc, back);
    return brush;
}

int VkiCtl::StateColor(COLORREF* back, HBRUSH* brush)
{
    const Dti& d = D();
    bool selected = d.iSelected == 1;
    bool error = m_iCtlError == 1 && d.iError == 1;
    bool modified = m_iCtlModified == 1 && d.iModified == 1;
    if (m_iPriorityError && error) selected = false;
    int rc = VKE_OK;
    if (selected) {
        rc = m_pDrw->GetSelectedColor(back);
        if (rc == VKE_OK) rc = m_pDrw->GetSelectedBrushHandle(brush);
    } else if (error) {
        rc = m_pDrw->GetErrorColor(back);
        if (rc == VKE_OK) rc = m_pDrw->GetErrorBrushHandle(brush);
    } else if (modified) {
        rc = m_pDrw->GetModifiedColor(back);
        if (rc == VKE_OK) rc = m_pDrw->GetModifiedBrushHandle(brush);
    }
    return rc;
}

HBRUSH VkiCtl::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (HBRUSH brush = StateBrush(pDC->m_hDC)) return brush;
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

HBRUSH VkiCtl::CtlColor(CDC* pDC, UINT) { return StateBrush(pDC->m_hDC); }

// ---- Focus ----

int VkiCtl::SetFocusCtl()
{
    ForgetFocus();
    VkiCtl* h = nullptr;
    int rc = Holder(&h);
    return rc == VKE_OK ? m_pDrw->SetFocusWnd(h->m_hWnd) : rc;
}

void VkiCtl::OnSetFocus(CWnd* pOldWnd)
{
    ForgetFocus();
    Default();
    VkiCtl* h = nullptr;
    if (!IsInit() || Holder(&h) != VKE_OK) return;
    // Inside a combo box the focus only passes from the box to its part.
    if (m_pOwner && pOldWnd && pOldWnd->m_hWnd == m_pOwner->m_hWnd) return;
    {
        VkiCtlMark mark(s_iFocusing);
        Dti& d = h->D();
        d.iFormat = 0;
        d.iFocused = 1;
        if (h->ShowEditing() == VKE_OK) h->SetSelection(0, -1);
    }
    h->m_pCtd->cud.iLastKey = 0;
    h->Redraw(0);
}

void VkiCtl::OnKillFocus(CWnd* pNewWnd)
{
    ForgetFocus();
    m_iLead = 0;
    VkiCtl* w = nullptr;
    HWND next = pNewWnd ? pNewWnd->m_hWnd : nullptr;
    // Nothing happens while the focus stays inside a combo box.
    if (!IsInit() || Holder(&w) != VKE_OK ||
        (w->IsCombo() && next && (next == w->m_hWnd || VkiCtlIsComboPart(w->m_hWnd, next)))) {
        Default();
        return;
    }
    w->LeaveFocus(); // a failure is not reported: the focus moves on all the same
    Default();
    w->m_pCtd->cud.iLastKey = 0;
    w->Redraw(0);
}

// The value cycle when the focus leaves: the window read into the Dti and the value shown
// formatted, each unless the parent does it; then the open edit step is committed.
int VkiCtl::LeaveFocus()
{
    HWND parent = ::GetParent(m_hWnd);
    bool notify = parent && ::IsWindow(parent) && !s_iFocusing;
    int rc = VKE_OK;
    {
        VkiCtlMark mark(s_iFocusing);
        WPARAM self = reinterpret_cast<WPARAM>(this);
        LPARAM ctd = reinterpret_cast<LPARAM>(m_pCtd);
        if (!(notify && ::SendMessageA(parent, VkeWmWndToDti, self, ctd))) rc = ReadWindow();
        if (rc != VKE_OK) return rc;
        D().iFormat = 1;
        D().iFocused = 0;
        if (!(notify && ::SendMessageA(parent, VkeWmDtiToWnd, self, ctd))) rc = WriteWindow();
        if (rc != VKE_OK) return rc;
    }
    CtlUndDat& u = m_pCtd->cud;
    if (m_iCtlEditing) {
        int recorded = 0;
        if (m_pEdi->iOpen) rc = CommitStep(&recorded);
        if (rc == VKE_OK && u.iState == 3) u.iState = 2;
    } else if (IsEditLike()) {
        D().sel = SelectInfo{0, D().memWndText.iLength};
    }
    return rc;
}

// ---- Popup menu ----

LRESULT VkiCtl::OnRButtonUp(WPARAM, LPARAM lParam)
{
    VkiCtl* h = nullptr;
    if (!IsInit() || Holder(&h) != VKE_OK) return Default();
    // The menu's commands go to the parent.
    BOOL shown = VkiTrackPopupMenu(h->m_hMenu, m_hWnd, lParam, ::GetParent(h->m_hWnd));
    return shown ? shown : Default();
}

// ---- Exports ----

VKE_API int VkeCtlSetFocusCtl(VkiCtl* ctl) { VKE_FRAME(ctl, ctl->Sub(), ctl->SetFocusCtl()); }
VKE_API int VkeCtlIsFocus(VkiCtl* ctl, int* out) { VKE_FRAME(ctl, ctl->Sub(), ctl->IsFocus(out)); }
