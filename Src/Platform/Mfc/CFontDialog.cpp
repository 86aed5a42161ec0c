#include "CFontDialog.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(const LOGFONTA* lplfInitial, DWORD dwFlags, HDC hdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_cf(), m_lf()
{
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags | CF_ENABLEHOOK;
    if (lplfInitial) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (hdcPrinter) {
        m_cf.hDC = hdcPrinter;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = GetModalOwner();
    m_cf.Flags |= CF_ENABLEHOOK;
    m_cf.lpfnHook = &HookProc<CHOOSEFONTA>;
    m_cf.lCustData = HookData();
    BOOL ok = ::ChooseFontA(&m_cf);
    if (m_hWnd) Detach();
    return ok ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LOGFONTA* lplf)
{
    if (!lplf) return;
    if (m_hWnd) ::SendMessageA(m_hWnd, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(lplf));
    else *lplf = m_lf;
}
