// The batch-print options dialog: four engine check boxes over the batch-print settings.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgPrtAll"
#include "DlgPrtAll.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <stdlib.h>

IMPLEMENT_DYNAMIC(DlgPrtAll, CmnDlg)

BEGIN_MESSAGE_MAP(DlgPrtAll, CmnDlg)
    ON_MESSAGE(VkeWmSetChk, &ThisClass::OnVkeWmSetChk)
END_MESSAGE_MAP()

DlgPrtAll::DlgPrtAll(CWnd* pParentWnd) : CmnDlg(IDD_DLGPRTALL, pParentWnd), m_pai() {}

int* DlgPrtAll::Setting(int slot)
{
    switch (slot) {
    case SlotSelImg: return &m_pai.bSelImg;
    case SlotOnlLcd: return &m_pai.bOnlLcd;
    case SlotPtrCls: return &m_pai.bPtrCls;
    case SlotClsLcd: return &m_pai.bClsLcd;
    default: return nullptr;
    }
}

int DlgPrtAll::LoadPai()
{
    m_pai = theAppInf.pai;
    return VKE_OK;
}

int DlgPrtAll::SavePai()
{
    theAppInf.pai = m_pai;
    return VKE_OK;
}

BOOL DlgPrtAll::OnInitDialog()
{
    CmnDlg::OnInitDialog();
    m_pai = Pai();
    LoadPai();
    Init();
    return TRUE;
}

int DlgPrtAll::Init()
{
    return StartDialog(SlotCnt, 0, 0, [this] {
        int rc = InitCtl();
        if (rc == VKE_OK) rc = EnableCtl();
        return rc;
    });
}

int DlgPrtAll::InitCtl()
{
    const int ids[SlotCnt] = {IDOK, IDCANCEL, IDC_DLGPRTALL_SELIMG, IDC_DLGPRTALL_ONLLCD, IDC_DLGPRTALL_PTRCLS,
                              IDC_DLGPRTALL_CLSLCD};
    int rc = VKE_OK;
    for (int slot = 0; slot < SlotCnt && rc == VKE_OK; ++slot) {
        const int* setting = Setting(slot);
        rc = InitCtlSlot(slot, VKE_CTL_BUTTON, ids[slot], VKE_EDIT_NONE, "", setting ? (*setting == 1 ? "1" : "0") : "");
    }
    return rc;
}

int DlgPrtAll::EnableCtl()
{
    if (HWND box = m_inf.phCtlWnd[SlotClsLcd]) ::EnableWindow(box, m_pai.bPtrCls == 1);
    return VKE_OK;
}

LRESULT DlgPrtAll::OnVkeWmSetChk(WPARAM wParam, LPARAM lParam)
{
    return RunSetChk(wParam, lParam, [this](int slot, int state) {
        int* setting = Setting(slot);
        if (!setting || state == 2) return;
        *setting = state == 1 ? 1 : 0;
        if (slot != SlotPtrCls) return;
        EnableCtl();
        if (state == 1) theCmnSub.PostSetFocus(m_inf.phCtlWnd[SlotClsLcd]);
    });
}

int DlgPrtAll::GetData(VkiCtl* ctl, void* data, int mode)
{
    if (m_inf.bTerminating) return VKE_OK;
    if (!CheckReady("GetData")) return VKE_ERR_NOT_INIT;
    int rc = CmnDlg::GetData(ctl, data, mode);
    if (rc != VKE_OK) return rc;
    for (int slot = SlotSelImg; slot <= SlotClsLcd; ++slot) {
        if (ctl && ctl != m_inf.ppCtl[slot]) continue;
        char value[8] = {};
        if (VkeCtlGetDataValue(m_inf.ppCtl[slot], value, sizeof(value)) == VKE_OK && value[0])
            *Setting(slot) = atoi(value);
    }
    return m_inf.iErrCode;
}

void DlgPrtAll::OnOK()
{
    if (!m_inf.bReady || !ConfirmData()) return;
    SavePai();
    EndDialog(IDOK);
}
