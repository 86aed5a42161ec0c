// A dialog from a template in the module's resources: modal (DoModal, with the layer's own
// modal loop, so the thread's PreTranslateMessage chain runs inside it) or modeless (Create).
// A CDialog can also take over a dialog window made elsewhere (SubclassWindow).
#pragma once
#include "CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modeless: the dialog window from the template (WS_VISIBLE in the template shows it).
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modal: disables the owner, runs until EndDialog and returns its result (-1 when the
    // dialog could not be made). The window is destroyed before it returns.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    // WM_INITDIALOG: OnInitDialog, then a top-level dialog that did not move itself is centred
    // on its owner.
    BOOL HandleInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Keyboard messages of the dialog and its controls go through IsDialogMessage.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { if (pWndCtrl) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    LPCSTR m_lpszTemplateName; // the template: a name or MAKEINTRESOURCE(id)
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    // Makes the dialog window through the creation hook.
    BOOL CreateFromTemplate(const DLGTEMPLATE* lpTemplate, HWND hWndParent, HINSTANCE hInst);
    // The owner of a modal dialog: the parent's top-level window, else the main window.
    HWND GetModalOwner() const;
    void RunModalLoop();

    BOOL m_bInModal;
    BOOL m_bContinueModal;
    INT_PTR m_nModalResult;

    DECLARE_MESSAGE_MAP()
};

// The dialog procedure behind every CDialog window: it starts OnInitDialog; every other
// message has reached the object already through the window procedure.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// A dialog template of the module's resources (the resource handle first, then the module
// itself): its module and size; null when there is none.
const DLGTEMPLATE* AfxLoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst, DWORD* pcbSize = nullptr);

// Makes pWnd's window a child dialog ("#32770") of pParentWnd from a template of the module: the
// template's frame styles (popup, caption, system menu, sizing border, modal frame, visible,
// disabled) give way to WS_CHILD and dwStyle, and dwExStyle is added. Every message goes to the
// object through the window procedure (WM_INITDIALOG included); the dialog procedure answers
// none. FALSE when there is no such template or the window fails (then PostNcDestroy has run).
BOOL AfxCreateChildDialog(CWnd* pWnd, LPCSTR lpszTemplateName, CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle = 0);
// The same from a template in memory (size bytes; inst the module its controls belong to).
BOOL AfxCreateChildDialogIndirect(CWnd* pWnd, const DLGTEMPLATE* lpTemplate, DWORD size, HINSTANCE inst,
                                  CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle = 0);
