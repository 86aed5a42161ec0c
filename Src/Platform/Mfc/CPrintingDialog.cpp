#include "CPrintingDialog.h"
#include "MfcDlgTemplate.h"
#include <stdio.h>

BOOL CPrintingDialog::Open(CWnd* pParentWnd, LPCSTR lpszDocName, LPCSTR lpszDevice, LPCSTR lpszPort)
{
    AfxDlgTemplate t(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 135, 93, "印刷中", 9, "ＭＳ Ｐゴシック");
    t.AddText(0xFFFF, "印刷中", SS_CENTER, 1, 9, 133, 8);
    t.AddText(IDC_DOCNAME, "", SS_CENTER | SS_NOPREFIX, 1, 19, 133, 8);
    t.AddText(0xFFFF, "を", SS_CENTER, 1, 29, 133, 8);
    t.AddText(IDC_DEVICE, "", SS_CENTER | SS_NOPREFIX, 1, 39, 133, 8);
    t.AddText(IDC_PORT, "", SS_CENTER | SS_NOPREFIX, 1, 49, 133, 8);
    t.AddText(IDC_PAGE, "", SS_CENTER, 1, 59, 133, 8);
    t.AddButton(IDCANCEL, "中止", BS_PUSHBUTTON, 43, 74, 48, 14);
    m_bUserAbort = FALSE;
    if (!CreateIndirect(t.Get(), pParentWnd)) return FALSE;
    SetDlgItemText(IDC_DOCNAME, lpszDocName);
    SetDlgItemText(IDC_DEVICE, lpszDevice);
    // "%1 へ出力中" with the port in place of %1.
    SetDlgItemText(IDC_PORT, CString(lpszPort) + " へ出力中");
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

void CPrintingDialog::ShowPage(UINT nPage)
{
    if (!m_hWnd) return;
    char line[32];
    snprintf(line, sizeof(line), "ﾍﾟｰｼﾞ %u", nPage);
    SetDlgItemText(IDC_PAGE, line);
    UpdateWindow();
}

BOOL CPrintingDialog::OnInitDialog()
{
    CenterWindow(m_pParentWnd);
    return CDialog::OnInitDialog();
}
