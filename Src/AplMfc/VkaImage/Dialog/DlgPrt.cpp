// The print dialog: the collate picture's room, the batch print's abort.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgPrt"
#include "DlgPrt.h"
#include "CmnDef.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <dlgs.h>

IMPLEMENT_DYNAMIC(DlgPrt, CPrintDialog)

BEGIN_MESSAGE_MAP(DlgPrt, CPrintDialog)
    ON_BN_CLICKED(IDC_DLGPRT_ABORT, &ThisClass::OnAbort)
END_MESSAGE_MAP()

DlgPrt::DlgPrt(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CPrintDialog(bPrintSetupOnly, dwFlags, pParentWnd), m_bInit(0)
{
    m_pd.lpPrintTemplateName = MAKEINTRESOURCEA(IDD_DLGPRT);
    m_pd.hInstance = AfxGetResourceHandle();
}

BOOL DlgPrt::OnInitDialog()
{
    BOOL result = CPrintDialog::OnInitDialog();
    m_bInit = 0;
    int rc = Init();
    if (rc != VKE_OK) {
        CMN_TRACE("OnInitDialog", rc);
        theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
        // Cancelled: a print dialog ended with another code reports it as chosen.
        PostMessage(WM_COMMAND, IDCANCEL);
    }
    return result;
}

int DlgPrt::Init()
{
    if (m_bInit) return VKE_ERR_EXISTS;
    if (CWnd* picture = GetDlgItem(ico3)) {
        CRect rect;
        picture->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.right += 100;
        rect.bottom += 10;
        picture->MoveWindow(&rect);
    }
    int batch = 0;
    if (HalcorApp* app = HalcorGetApp()) app->GetFlgPrtAll(&batch);
    if (CWnd* abort = GetDlgItem(IDC_DLGPRT_ABORT)) abort->ShowWindow(batch ? SW_SHOW : SW_HIDE);
    m_bInit = 1;
    return VKE_OK;
}

void DlgPrt::OnAbort()
{
    if (HalcorApp* app = HalcorGetApp()) app->SetFlgPrtAbt(1);
    PostMessage(WM_COMMAND, IDCANCEL);
}
