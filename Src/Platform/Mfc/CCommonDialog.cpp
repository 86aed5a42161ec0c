#include "CCommonDialog.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

void CCommonDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    Default(); // the system dialog ends itself
}

void CCommonDialog::OnCancel() { Default(); }

UINT_PTR CCommonDialog::HookInitDialog(HWND hWnd)
{
    if (!SubclassWindow(hWnd)) return 0;
    return static_cast<UINT_PTR>(HandleInitDialog());
}
