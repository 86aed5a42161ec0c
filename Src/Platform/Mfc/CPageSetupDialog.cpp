#include "CPageSetupDialog.h"

IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_psd()
{
    m_psd.lStructSize = sizeof(m_psd);
    m_psd.Flags = dwFlags;
}

UINT_PTR CALLBACK CPageSetupDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return 0;
    const PAGESETUPDLGA* psd = reinterpret_cast<const PAGESETUPDLGA*>(lParam);
    CPageSetupDialog* pDlg = psd ? reinterpret_cast<CPageSetupDialog*>(psd->lCustData) : nullptr;
    return pDlg ? pDlg->HookInitDialog(hWnd) : 0;
}

INT_PTR CPageSetupDialog::DoModal()
{
    m_psd.hwndOwner = GetModalOwner();
    m_psd.Flags |= PSD_ENABLEPAGESETUPHOOK;
    m_psd.lpfnPageSetupHook = &HookProc;
    m_psd.lCustData = reinterpret_cast<LPARAM>(this);
    BOOL ok = ::PageSetupDlgA(&m_psd);
    if (m_hWnd) Detach();
    return ok ? IDOK : IDCANCEL;
}
