// The system's open and save dialogs (explorer style). The filter is given with "|" between
// its parts ("画像 (*.jpg)|*.jpg|すべて (*.*)|*.*||"); a trail byte 0x7C inside a Japanese
// description is not a separator. With OFN_ENABLETEMPLATE, m_ofn.lpTemplateName names a
// child template of the module, and the object is that child window.
#pragma once
#include "CCommonDialog.h"

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)

public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    OPENFILENAMEA m_ofn;
    BOOL m_bOpenFileDialog;

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;

    // While the dialog is up these ask the dialog; afterwards they read m_ofn. While
    // OnFileNameOK runs in a dialog of one name, the path is the one the system put in its record
    // (the dialog's own answer may put its folder before a full path typed in the name box).
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    void SetControlText(int nID, LPCSTR lpsz);
    void HideControl(int nID);
    // The system dialog's window (the parent of this object's window).
    HWND GetSystemDialog() const { return m_hWnd ? ::GetParent(m_hWnd) : nullptr; }

protected:
    // TRUE keeps the dialog open.
    virtual BOOL OnFileNameOK();
    virtual void OnFileNameChange();
    virtual void OnFolderChange();
    virtual void OnTypeChange();
    virtual void OnInitDone();
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    CString AskDialog(UINT message) const;

    const OPENFILENAMEA* m_pOfnOk = nullptr; // the system's record while OnFileNameOK runs

    CString m_strFilter;
    CString m_strDefExt;
    char m_szFileName[MAX_PATH * 4];
    char m_szFileTitle[MAX_PATH];
};
