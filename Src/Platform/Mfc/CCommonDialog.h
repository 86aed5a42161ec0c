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
};
