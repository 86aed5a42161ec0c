// Base of the wrappers of the system's common dialogs. Each wrapper's hook procedure binds the
// dialog window (for the file dialog: the child window made from the program's template) to the
// object at WM_INITDIALOG and runs OnInitDialog; from then on the object's message map sees the
// window's messages. OK and Cancel stay with the system dialog.
#pragma once
#include "CDialog.h"

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)

public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<LPCSTR>(nullptr), pParentWnd) {}
    void OnOK() override;
    void OnCancel() override;

protected:
    // Binds hWnd and runs OnInitDialog (the hook's WM_INITDIALOG).
    UINT_PTR HookInitDialog(HWND hWnd);
    // The hook of a system dialog whose record S carries the object, as a CCommonDialog*, in
    // lCustData: it binds the dialog window when the record comes with WM_INITDIALOG.
    template <class S>
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
    {
        if (message != WM_INITDIALOG) return 0;
        const S* record = reinterpret_cast<const S*>(lParam);
        CCommonDialog* pDlg = record ? reinterpret_cast<CCommonDialog*>(record->lCustData) : nullptr;
        return pDlg ? pDlg->HookInitDialog(hWnd) : 0;
    }
    LPARAM HookData() { return reinterpret_cast<LPARAM>(static_cast<CCommonDialog*>(this)); }
};
