// The About box.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlgAbt"
#include "CmnDlgAbt.h"
#include "CmnRes.h"

IMPLEMENT_DYNAMIC(CmnDlgAbt, CmnDlg)

CmnDlgAbt::CmnDlgAbt(CWnd* pParentWnd) : CmnDlg(IDD_CMN_ABT, pParentWnd) {}

BOOL CmnDlgAbt::OnInitDialog()
{
    CmnDlg::OnInitDialog();
    // The program's name is the one the engine was started with.
    CString name = theCmnAppInf.sysParam.amSystemName;
    SetWindowText(name + theCmnSub.GetMsgStr(IDS_CMN_ABT_TITLE));
    SetDlgItemText(IDC_CMN_STC_1, name);
    SetDlgItemText(IDC_CMN_STC_2, theCmnSub.GetMsgStr(IDS_CMN_ABT_VERSION));
    SetDlgItemText(IDC_CMN_STC_3, theCmnSub.GetMsgStr(IDS_CMN_ABT_NOTE));
    Init();
    return TRUE;
}

int CmnDlgAbt::Init()
{
    return StartDialog(4, 0, 0, [this] { return InitCtl(); });
}

int CmnDlgAbt::InitCtl()
{
    const struct {
        int type, id;
    } rows[] = {{VKE_CTL_STATIC, IDC_CMN_STC_1}, {VKE_CTL_STATIC, IDC_CMN_STC_2}, {VKE_CTL_STATIC, IDC_CMN_STC_3},
                {VKE_CTL_BUTTON, IDOK}};
    int rc = VKE_OK;
    for (int slot = 0; slot < 4 && rc == VKE_OK; ++slot)
        rc = InitCtlSlot(slot, rows[slot].type, rows[slot].id, VKE_EDIT_NONE, "", rows[slot].type == VKE_CTL_BUTTON ? "" : nullptr);
    return rc;
}
