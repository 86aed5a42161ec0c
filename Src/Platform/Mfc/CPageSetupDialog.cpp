#include "CPageSetupDialog.h"
#include "MfcPageSetup.h"

IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_psd()
{
    m_psd.lStructSize = sizeof(m_psd);
    m_psd.Flags = dwFlags;
}

INT_PTR CPageSetupDialog::DoModal()
{
    m_psd.hwndOwner = GetModalOwner();
    m_psd.Flags |= PSD_ENABLEPAGESETUPHOOK;
    m_psd.lpfnPageSetupHook = &HookProc<PAGESETUPDLGA>;
    m_psd.lCustData = HookData();
    BOOL ok = AfxPageSetupDlg(&m_psd);
    if (m_hWnd) Detach();
    return ok ? IDOK : IDCANCEL;
}
