#include "CFileDialog.h"
#include "CWinApp.h"
#include "MfcState.h"
#include "MfcText.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName(), m_szFileTitle()
{
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    if (lpszDefExt) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName) lstrcpynA(m_szFileName, lpszFileName, sizeof(m_szFileName));
    if (lpszFilter) {
        m_strFilter = lpszFilter;
        m_strFilter.Replace('|', '\0'); // walks characters: trail bytes stay
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = GetModalOwner();
    m_ofn.Flags |= OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = &HookProc<OPENFILENAMEA>;
    m_ofn.lCustData = HookData();
    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && !m_ofn.hInstance) m_ofn.hInstance = AfxGetResourceHandle();
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (m_hWnd) Detach();
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::AskDialog(UINT message) const
{
    HWND dialog = GetSystemDialog();
    CString text;
    if (!dialog) return text;
    int n = static_cast<int>(::SendMessageA(dialog, message, 0, 0));
    if (n <= 0) return text;
    ::SendMessageA(dialog, message, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(text.GetBuffer(n)));
    text.ReleaseBuffer();
    return text;
}

CString CFileDialog::GetPathName() const
{
    if (m_pOfnOk && m_pOfnOk->lpstrFile && !(m_ofn.Flags & OFN_ALLOWMULTISELECT)) return CString(m_pOfnOk->lpstrFile);
    if (m_hWnd) return AskDialog(CDM_GETFILEPATH);
    return CString(m_ofn.lpstrFile ? m_ofn.lpstrFile : "");
}

CString CFileDialog::GetFolderPath() const
{
    if (m_hWnd) return AskDialog(CDM_GETFOLDERPATH);
    CString path = GetPathName();
    int slash = path.ReverseFind('\\');
    return slash >= 0 ? path.Left(slash) : CString();
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind('\\');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

void CFileDialog::SetControlText(int nID, LPCSTR lpsz)
{
    if (HWND dialog = GetSystemDialog())
        ::SendMessageA(dialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(lpsz));
}

void CFileDialog::HideControl(int nID)
{
    if (HWND dialog = GetSystemDialog()) ::SendMessageA(dialog, CDM_HIDECONTROL, static_cast<WPARAM>(nID), 0);
}

BOOL CFileDialog::OnFileNameOK() { return FALSE; }
void CFileDialog::OnFileNameChange() {}
void CFileDialog::OnFolderChange() {}
void CFileDialog::OnTypeChange() {}
void CFileDialog::OnInitDone() {}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* nmhdr = reinterpret_cast<const NMHDR*>(lParam);
    switch (nmhdr->code) {
    case CDN_INITDONE:
        OnInitDone();
        return TRUE;
    case CDN_SELCHANGE:
        OnFileNameChange();
        return TRUE;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        return TRUE;
    case CDN_TYPECHANGE:
        OnTypeChange();
        return TRUE;
    case CDN_FILEOK: {
        // Non-zero keeps the dialog open; the system reads it from the dialog's result slot.
        HWND hWnd = m_hWnd;
        m_pOfnOk = reinterpret_cast<const OFNOTIFYA*>(lParam)->lpOFN;
        *pResult = OnFileNameOK() ? 1 : 0;
        m_pOfnOk = nullptr;
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, *pResult);
        return TRUE;
    }
    default:
        return CCommonDialog::OnNotify(wParam, lParam, pResult);
    }
}
