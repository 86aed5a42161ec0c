#include "CDialog.h"
#include "CWinApp.h"
#include "MfcState.h"
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &ThisClass::OnOK)
    ON_COMMAND(IDCANCEL, &ThisClass::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_pParentWnd(nullptr), m_bInModal(FALSE), m_bContinueModal(FALSE),
      m_nModalResult(-1)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    return pDlg ? pDlg->HandleInitDialog() : TRUE;
}

BOOL CDialog::HandleInitDialog()
{
    CRect before;
    GetWindowRect(&before);
    BOOL result = OnInitDialog();
    // A top-level dialog that did not place itself opens centred on its owner, not at the
    // corner of the owner's client area where its template puts it.
    if (m_hWnd && !(GetStyle() & (WS_CHILD | DS_CENTER))) {
        CRect after;
        GetWindowRect(&after);
        if (after == before) CenterWindow();
    }
    return result;
}

const DLGTEMPLATE* AfxLoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst, DWORD* pcbSize)
{
    if (!lpszTemplateName) return nullptr;
    HINSTANCE candidates[2] = {AfxGetResourceHandle(), AfxGetInstanceHandle()};
    for (HINSTANCE inst : candidates) {
        HRSRC res = ::FindResourceA(inst, lpszTemplateName, reinterpret_cast<LPCSTR>(RT_DIALOG));
        if (!res) continue;
        HGLOBAL data = ::LoadResource(inst, res);
        if (!data) continue;
        *phInst = inst;
        if (pcbSize) *pcbSize = ::SizeofResource(inst, res);
        return static_cast<const DLGTEMPLATE*>(::LockResource(data));
    }
    return nullptr;
}

static INT_PTR CALLBACK ChildDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL AfxCreateChildDialog(CWnd* pWnd, LPCSTR lpszTemplateName, CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    HINSTANCE inst = nullptr;
    DWORD size = 0;
    const DLGTEMPLATE* tmpl = AfxLoadDialogTemplate(lpszTemplateName, &inst, &size);
    return AfxCreateChildDialogIndirect(pWnd, tmpl, size, inst, pParentWnd, dwStyle, dwExStyle);
}

BOOL AfxCreateChildDialogIndirect(CWnd* pWnd, const DLGTEMPLATE* tmpl, DWORD size, HINSTANCE inst, CWnd* pParentWnd,
                                  DWORD dwStyle, DWORD dwExStyle)
{
    if (!tmpl || !pParentWnd || size < sizeof(DLGTEMPLATE)) {
        pWnd->PostNcDestroy();
        return FALSE;
    }
    // A copy of the template with the styles of a child; the extended form keeps its styles
    // after the version, signature and help id.
    std::vector<DWORD> copy((size + 3) / 4);
    memcpy(copy.data(), tmpl, size);
    bool extended = reinterpret_cast<const WORD*>(tmpl)[1] == 0xFFFF;
    DWORD& style = extended ? copy[3] : copy[0];
    DWORD& exStyle = extended ? copy[2] : copy[1];
    style = (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED | DS_MODALFRAME)) |
            WS_CHILD | dwStyle;
    exStyle |= dwExStyle;
    AfxHookWindowCreate(pWnd);
    HWND hWnd = ::CreateDialogIndirectParamA(inst, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), pParentWnd->m_hWnd,
                                             ChildDlgProc, 0);
    if (!AfxUnhookWindowCreate(pWnd)) pWnd->PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CDialog::CreateFromTemplate(const DLGTEMPLATE* lpTemplate, HWND hWndParent, HINSTANCE hInst)
{
    if (!lpTemplate || m_hWnd) return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, hWndParent, AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate(this)) PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd); }

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName)) m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    if (pParentWnd) m_pParentWnd = pParentWnd;
    HINSTANCE inst = nullptr;
    const DLGTEMPLATE* tmpl = AfxLoadDialogTemplate(lpszTemplateName, &inst);
    return CreateFromTemplate(tmpl, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, inst);
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd) m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, AfxGetInstanceHandle());
}

HWND CDialog::GetModalOwner() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* pMainWnd = AfxGetMainWnd();
        owner = pMainWnd ? pMainWnd->m_hWnd : ::GetActiveWindow();
    }
    while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    return owner;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE inst = nullptr;
    const DLGTEMPLATE* tmpl = AfxLoadDialogTemplate(m_lpszTemplateName, &inst);
    if (!tmpl) return -1;
    HWND owner = GetModalOwner();
    bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner) ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    m_bInModal = TRUE;
    if (CreateFromTemplate(tmpl, owner, inst) && m_bContinueModal) {
        if (!::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_bInModal = FALSE;
    INT_PTR result = m_nModalResult;

    // Hide before the owner comes back, so that the owner, not another window, is activated.
    HWND hWnd = m_hWnd;
    if (hWnd)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (enableOwner) ::EnableWindow(owner, TRUE);
    if (owner && hWnd && ::GetActiveWindow() == hWnd) ::SetActiveWindow(owner);
    if (hWnd) DestroyWindow();
    return result;
}

void CDialog::RunModalLoop()
{
    HWND hWnd = m_hWnd;
    // The loop ends with EndDialog, or when the window goes away by other means.
    while (m_bContinueModal && m_hWnd == hWnd && ::IsWindow(hWnd)) {
        if (AfxPumpMessage()) continue;
        // WM_QUIT: the modal loop ends and the quit goes on to the loop outside.
        CWinThread* pThread = AfxGetThread();
        ::PostQuitMessage(pThread ? static_cast<int>(pThread->m_msgCur.wParam) : 0);
        break;
    }
}

void CDialog::EndDialog(int nResult)
{
    if (m_bInModal) {
        m_nModalResult = nResult;
        m_bContinueModal = FALSE;
    }
    if (m_hWnd) {
        ::EndDialog(m_hWnd, nResult);
        if (m_bInModal) ::PostMessageA(m_hWnd, WM_NULL, 0, 0); // wakes the modal loop
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    if (!m_hWnd || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))) return FALSE;
    return DialogMessage(m_hWnd, pMsg);
}
