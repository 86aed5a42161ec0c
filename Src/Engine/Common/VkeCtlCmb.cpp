// List and combo boxes: a click that may change a list's value is one edit step of the list box
// or combo box. A combo box makes its edit and list parts engine controls of their own, adopted
// at their first colour request with the combo box's settings: they work on the combo box's
// data, colours, flags and undo history, and go back to the platform when it terminates.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlBsc"
#include "VkiCtl.h"
#include "VkeFrame.h"

BEGIN_MESSAGE_MAP(VkiCtlLsb, VkiCtl)
    ON_MESSAGE(WM_LBUTTONUP, &VkiCtlLsb::OnLButtonUp)
END_MESSAGE_MAP()

// WM_DESTROY runs the combo box's Term through the base handler, which picks it by the kind.
BEGIN_MESSAGE_MAP(VkiCtlCmb, VkiCtl)
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_LBUTTONDOWN, &VkiCtlCmb::OnLButtonDown)
END_MESSAGE_MAP()

namespace {

inline void Keep(int* first, int rc)
{
    if (*first == VKE_OK) *first = rc;
}

} // namespace

// ---- Clicks ----

LRESULT VkiCtl::ListClick()
{
    VkiCtl* c = nullptr;
    if (!IsInit() || Holder(&c) != VKE_OK) return Default();
    bool edit = c->IsEditLike();
    int length = c->D().memWndText.iLength;
    bool began = c->m_iCtlEditing && !c->m_pEdi->iOpen && c->BeginStep(14, edit ? 1 : 0, 0, edit ? length : 0) == VKE_OK;
    LRESULT result = Default();
    if (!c->IsInit()) return result;
    int rc = c->ReadDti(nullptr);
    SelectInfo whole = {0, c->D().memWndText.iLength};
    if (c->m_iCtlEditing) {
        int recorded = 0;
        if (rc == VKE_OK && c->m_pEdi->iOpen) c->CommitStep(&recorded);
        if (recorded && edit) c->D().sel = whole;
    } else if (edit) {
        c->D().sel = whole;
    }
    if (began) c->ClearStep();
    return result;
}

LRESULT VkiCtlLsb::OnLButtonUp(WPARAM, LPARAM) { return ListClick(); }

LRESULT VkiCtlCmb::OnLButtonDown(WPARAM, LPARAM)
{
    // A drop-down list changes its value only through its list.
    return IsEditLike() ? ListClick() : Default();
}

// ---- Init, Term and the parts ----

VkiCtlCmb::~VkiCtlCmb()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    TermCmb();
}

int VkiCtlCmb::InitCmb(VkeCtlParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo || IsInit() || !m_hWnd) return InitBase(param, field, messageNo);
    if (m_pEdt || m_pLsb) return VKE_ERR_EXISTS;
    int rc = New(m_pSys, VKE_CTL_EDIT, &m_pEdt);
    if (rc == VKE_OK) rc = New(m_pSys, VKE_CTL_LISTBOX, &m_pLsb);
    if (rc == VKE_OK) {
        m_pEdt->m_pOwner = this;
        m_pLsb->m_pOwner = this;
        rc = InitBase(param, field, messageNo);
    }
    if (rc != VKE_OK) TermCmb();
    return rc;
}

int VkiCtlCmb::TermCmb()
{
    int first = VKE_OK;
    for (VkiCtl** part : {&m_pEdt, &m_pLsb}) {
        VkiCtl* p = *part;
        if (!p) continue;
        // Terminated while still on its window, so that the window lets go of the part's font.
        if (p->IsInit()) Keep(&first, p->Term());
        HWND back = nullptr;
        if (p->m_hWnd) Keep(&first, p->UnsubclassCtl(&back));
        delete p;
        *part = nullptr;
    }
    Keep(&first, TermBase());
    return first;
}

VkiCtl* VkiCtlCmb::Adopt(int part, HWND wnd)
{
    VkiCtl* child = Part(part);
    if (!child) return nullptr;
    if (child->m_hWnd) return child->m_hWnd == wnd && child->IsInit() ? child : nullptr;
    // The defaults of the part's kind, with the combo box's settings.
    VkeCtlParam param;
    int rc = child->InitParam(&param);
    param.dExecVersion = m_dExecVersion;
    param.uTextColor = m_uTextColor;
    param.uBackColor = m_uBackColor;
    param.hMenu = m_hMenu;
    param.iCtlEditing = m_iCtlEditing;
    param.iCtlError = m_iCtlError;
    param.iCtlModified = m_iCtlModified;
    param.iPriorityError = m_iPriorityError;
    int field = 0, messageNo = 0;
    if (rc == VKE_OK) rc = child->SubclassCtl(wnd);
    if (rc == VKE_OK) rc = child->Init(&param, &field, &messageNo);
    if (rc == VKE_OK) rc = child->SetFontByLogFont(&m_lf);
    if (rc == VKE_OK) return child;
    if (child->IsInit()) child->Term();
    HWND back = nullptr;
    if (child->m_hWnd) child->UnsubclassCtl(&back);
    return nullptr;
}

HBRUSH VkiCtlCmb::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HWND from = pWnd ? pWnd->m_hWnd : nullptr;
    VkiCtl* part = nullptr;
    if (IsInit() && from) {
        COMBOBOXINFO info = VkiCtlComboInfo(m_hWnd);
        if (nCtlColor == CTLCOLOR_EDIT && IsEditLike() && from == info.hwndItem) part = Adopt(0, from);
        else if (nCtlColor == CTLCOLOR_LISTBOX && from == info.hwndList) part = Adopt(1, from);
    }
    if (part)
        if (HBRUSH brush = part->StateBrush(pDC->m_hDC)) return brush;
    return VkiCtl::OnCtlColor(pDC, pWnd, nCtlColor);
}
