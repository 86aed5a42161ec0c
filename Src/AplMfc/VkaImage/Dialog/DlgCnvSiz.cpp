// The convert-size dialog: the scale dialog over the convert-size settings, with the fixed-ratio box.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgCnvSiz"
#include "DlgCnvSiz.h"
#include "Halcor.h"
#include "HalcorRes.h"

IMPLEMENT_DYNAMIC(DlgCnvSiz, CmnDlgSetSca)

DlgCnvSiz::DlgCnvSiz(CWnd* pParentWnd) : CmnDlgSetSca(IDD_DLGCNVSIZ, pParentWnd) { UseFixBox(IDC_DLGCNVSIZ_FIXSCA); }

int DlgCnvSiz::GetSize(int* width, int* height)
{
    if (!width || !height) {
        CMN_TRACE("GetSize", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    *width = m_sci.iWidth;
    *height = m_sci.iHeight;
    return VKE_OK;
}

int DlgCnvSiz::LoadCnvSzi()
{
    const Szi& z = theAppInf.cnvSzi;
    m_sci = {z.iTypSca, z.lScaNum, z.lScaDen, z.dScale, z.bWidth, z.iWidth, z.iHeight};
    m_bFixSca = z.bFixSca;
    return VKE_OK;
}

int DlgCnvSiz::SaveCnvSzi()
{
    const SetSci& s = m_sci;
    theAppInf.cnvSzi = {s.iTypSca, s.lScaNum, s.lScaDen, s.dScale, m_bFixSca, s.bWidth, s.iWidth, s.iHeight};
    return VKE_OK;
}

BOOL DlgCnvSiz::OnInitDialog()
{
    BOOL result = CmnDlgSetSca::OnInitDialog();
    if (m_inf.bReady && m_sci.iTypSca == 3) {
        theCmnSub.SetFocusWnd(m_inf.phCtlWnd[m_iFixSlot]);
        return FALSE;
    }
    return result;
}

int DlgCnvSiz::SelTypSiz()
{
    m_sci.iTypSca = 3;
    return Select(m_iFixSlot);
}

void DlgCnvSiz::OnChoice(int slot, int state)
{
    if (slot != m_iFixSlot) return CmnDlgSetSca::OnChoice(slot, state);
    if (state == 0 || state == 1) OnChkFixSca(state);
}

int DlgCnvSiz::OnChkFixSca(int checked)
{
    m_bFixSca = checked;
    EnableCtl();
    HWND next = ::GetNextDlgTabItem(m_hWnd, m_inf.phCtlWnd[m_iFixSlot], FALSE);
    if (next) theCmnSub.PostSetFocus(next);
    return VKE_OK;
}
