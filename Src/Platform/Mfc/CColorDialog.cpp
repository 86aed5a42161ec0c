#include "CColorDialog.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_cc()
{
    for (COLORREF& c : m_custColors) c = RGB(255, 255, 255);
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = m_custColors;
    m_cc.Flags = dwFlags | CC_ENABLEHOOK;
    m_cc.rgbResult = clrInit;
    if (clrInit) m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = GetModalOwner();
    m_cc.Flags |= CC_ENABLEHOOK;
    m_cc.lpfnHook = &HookProc<CHOOSECOLORA>;
    m_cc.lCustData = HookData();
    BOOL ok = ::ChooseColorA(&m_cc);
    if (m_hWnd) Detach();
    return ok ? IDOK : IDCANCEL;
}
