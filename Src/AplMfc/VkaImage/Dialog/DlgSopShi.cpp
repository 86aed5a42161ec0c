// The options dialog's display page: its values, controls and checks.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgSopShi"
#include "DlgSopShi.h"
#include "CmnRes.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <stdio.h>
#include <string.h>

IMPLEMENT_DYNAMIC(DlgSopShi, DlgSop)

BEGIN_MESSAGE_MAP(DlgSopShi, DlgSop)
    ON_COMMAND(IDC_DLGSOPSHI_COLOR, &ThisClass::OnColor)
    ON_CBN_SELCHANGE(IDC_DLGSOPSHI_PEN, &ThisClass::OnPenChange)
END_MESSAGE_MAP()

LRESULT CALLBACK GF_DlgSopShiWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DlgSop::RunCtlProc(hWnd, message, wParam, lParam);
}

namespace {

const int kPenCnt = 5;
// The given scale's range in percent; the wheel ratios'.
const double kMinPct = 0.0001;
const double kMaxPct = 10000.0;
const double kMinRatio = 1.0;
const double kMaxRatio = 90.0;
// The engine's messages of a bad arrow-key and wheel scroll step.
const int kMsgArrow = 84;
const int kMsgWheel = 87;
// The application's default colour of the cut frame.
const int kFrameColor = 35;

// The scale mode each radio stands for: window size, window size when larger, given.
const int kRdoModes[] = {2, 3, 1};

CString PenText(int style) { return theCmnSub.GetMsgStr(IDS_VKA_PEN_FIRST + style); }

} // namespace

DlgSopShi::DlgSopShi(DlgSetOpt* owner) : DlgSop(IDD_DLGSOPSHI, owner, GF_DlgSopShiWndPrcCtl)
{
    memset(m_val, 0, sizeof(m_val));
}

// ---- The copies ----

int DlgSopShi::CopyShi(int to, int from) { return CopyOf(m_val, to, from, "CopyShi"); }

int DlgSopShi::IniVal()
{
    memset(m_val, 0, sizeof(m_val));
    SopShiVal& v = m_val[SopIni];
    const int sizes[CmnScrSizeCnt] = {50, 50, 100, 100, 1, 1, 3, 1};
    memcpy(v.iScrSize, sizes, sizeof(sizes));
    v.dScaleWheel = 0.1;
    SopShi& s = v.sopShi;
    s.iModeSca = 3;
    s.lScaNum = s.lScaDen = 1;
    s.bOpnSubDir = 1;
    s.dScaleWheel = 0.1;
    s.bInvClrFrm = 1;
    s.iStylePenFrm = 0;
    const int frameSizes[VkaScrSizeCnt] = {1, 1, 5, 5};
    memcpy(s.iScrSize, frameSizes, sizeof(frameSizes));
    HalcorApp* app = HalcorGetApp();
    COLORREF color = 0;
    return app ? app->GetDflColor(kFrameColor, s.strColor[0], CmnPathSize, &color) : VKE_ERR_SYSTEM;
}

int DlgSopShi::LoadVal()
{
    SopShiVal& v = m_val[SopCur];
    memcpy(v.iScrSize, theCmnAppInf.iScrSize, sizeof(v.iScrSize));
    v.dScaleWheel = theCmnAppInf.dScaleWheel;
    v.sopShi = theAppInf.sopShi;
    return VKE_OK;
}

int DlgSopShi::GetShi()
{
    const SopShiVal& v = m_val[SopCur];
    memcpy(theCmnAppInf.iScrSize, v.iScrSize, sizeof(v.iScrSize));
    theCmnAppInf.dScaleWheel = v.dScaleWheel;
    theAppInf.sopShi = v.sopShi;
    return VKE_OK;
}

// ---- The controls ----

int* DlgSopShi::ScrSize(SopShiVal& val, int slot, int* message)
{
    *message = slot == SlotImgArwH || slot == SlotImgArwV || slot == SlotFrmArwH || slot == SlotFrmArwV ? kMsgArrow
                                                                                                       : kMsgWheel;
    if (slot >= SlotImgArwH && slot <= SlotImgWhlV) return &val.iScrSize[slot - SlotImgArwH];
    if (slot >= SlotFrmArwH && slot <= SlotFrmWhlV) return &val.sopShi.iScrSize[slot - SlotFrmArwH];
    return nullptr;
}

int DlgSopShi::InitCtl()
{
    int rc = VKE_OK;
    for (int slot = 0; slot < SlotCnt && rc == VKE_OK; ++slot) {
        int type = VKE_CTL_BUTTON, id = 0, editType = VKE_EDIT_NONE;
        if (slot < SlotScale) {
            type = VKE_CTL_STATIC;
            id = IDC_DLGSOPSHI_LBL + slot;
        } else if (slot < SlotColor) {
            type = VKE_CTL_EDIT;
            id = IDC_DLGSOPSHI_SCALE + slot - SlotScale;
            editType = VKE_EDIT_TEXT;
        } else if (slot == SlotColor) {
            id = IDC_DLGSOPSHI_COLOR;
            editType = VKE_EDIT_COLOR;
        } else if (slot < SlotRdoWnd) {
            id = IDC_DLGSOPSHI_OPNSUB + slot - SlotOpnSub;
        } else if (slot < SlotPen) {
            id = IDC_DLGSOPSHI_RDO_WND + slot - SlotRdoWnd;
        } else {
            type = VKE_CTL_COMBOBOX;
            id = IDC_DLGSOPSHI_PEN;
        }
        rc = InitCtlSlot(slot, type, id, editType, "", type == VKE_CTL_STATIC ? nullptr : "");
    }
    for (int style = 0; style < kPenCnt && rc == VKE_OK; ++style) {
        CString text = PenText(style);
        if (::SendMessageA(m_inf.phCtlWnd[SlotPen], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(text))) < 0)
            rc = VKE_ERR_MEMORY;
    }
    if (rc == VKE_OK) rc = ShowValue(SlotPen, PenText(0));
    return rc;
}

void DlgSopShi::ShowPct(int slot, double pct)
{
    char text[64];
    snprintf(text, sizeof(text), "%.4lf", pct);
    VkeSubTrimStrRightZero(theCmnAppInf.pSub, text);
    ShowValue(slot, text);
}

int DlgSopShi::SetData()
{
    SopShiVal& v = m_val[SopCur];
    const SopShi& s = v.sopShi;
    ShowPct(SlotScale, s.lScaDen > 0 ? static_cast<double>(s.lScaNum) / s.lScaDen * 100.0 : 100.0);
    for (int slot = SlotImgArwH; slot <= SlotFrmWhlV; ++slot) {
        int message = 0;
        if (int* size = ScrSize(v, slot, &message)) ShowInt(slot, *size);
    }
    ShowPct(SlotImgRatio, v.dScaleWheel * 100.0);
    ShowPct(SlotFrmRatio, s.dScaleWheel * 100.0);
    ShowFlag(SlotOpnSub, s.bOpnSubDir);
    ShowFlag(SlotInvClr, s.bInvClrFrm);
    for (int i = 0; i < 3; ++i)
        if (kRdoModes[i] == s.iModeSca) ShowFlag(SlotRdoWnd + i, 1);
    ShowValue(SlotPen, PenText(s.iStylePenFrm >= 0 && s.iStylePenFrm < kPenCnt ? s.iStylePenFrm : 0));
    ShowValue(SlotColor, s.strColor[0]);
    return VKE_OK;
}

int DlgSopShi::EnableCtl()
{
    const SopShi& s = m_val[SopCur].sopShi;
    EnableSlot(SlotScale, s.iModeSca == 1);
    EnableSlot(SlotColor, s.bInvClrFrm != 1);
    EnableSlot(SlotPen, s.bInvClrFrm != 1);
    return VKE_OK;
}

void DlgSopShi::OnCheck(int slot, int state)
{
    SopShi& s = m_val[SopCur].sopShi;
    if (slot == SlotOpnSub) s.bOpnSubDir = state;
    else if (slot == SlotInvClr) s.bInvClrFrm = state;
    else if (slot >= SlotRdoWnd && slot <= SlotRdoGiven && state == 1) s.iModeSca = kRdoModes[slot - SlotRdoWnd];
}

void DlgSopShi::OnColor() { ChooseColor(SlotColor); }

void DlgSopShi::OnPenChange()
{
    if (m_bLoading || !m_inf.bReady) return;
    LRESULT sel = ::SendMessageA(m_inf.phCtlWnd[SlotPen], CB_GETCURSEL, 0, 0);
    if (sel >= 0 && sel < kPenCnt) m_val[SopCur].sopShi.iStylePenFrm = static_cast<int>(sel);
    SetModified();
}

// ---- The check ----

void DlgSopShi::CheckScale(VkiCtl* checked)
{
    SopShi& s = m_val[SopCur].sopShi;
    double pct = 0.0;
    int rc = ReadDbl(SlotScale, &pct);
    if (rc == VKE_NOT_DONE) return;
    if (rc == VKE_OK) ShowDbl(SlotScale, pct);
    int num = 0, den = 0;
    if (rc != VKE_OK || pct < kMinPct || pct > kMaxPct || theCmnSub.GetFraction(pct * 0.01, 6, &num, &den) != VKE_OK)
        return RejectSlot(checked, SlotScale, IDS_CMN_SCA_PCT);
    s.lScaNum = num;
    s.lScaDen = den;
}

void DlgSopShi::CheckRatio(VkiCtl* checked, int slot, double* ratio)
{
    double pct = 0.0;
    int rc = ReadDbl(slot, &pct);
    if (rc == VKE_NOT_DONE) return;
    if (rc == VKE_OK) ShowDbl(slot, pct);
    if (rc != VKE_OK || pct < kMinRatio || pct > kMaxRatio) return RejectSlot(checked, slot, IDS_VKA_SOP_BAD_WHEEL);
    *ratio = pct * 0.01;
}

void DlgSopShi::Check(VkiCtl* checked)
{
    SopShiVal& v = m_val[SopCur];
    SopShi& s = v.sopShi;
    if (Wanted(checked, SlotScale)) CheckScale(checked);
    for (int slot = SlotImgArwH; slot <= SlotFrmWhlV; ++slot) {
        int message = 0;
        int* size = ScrSize(v, slot, &message);
        if (!size || !Wanted(checked, slot)) continue;
        const int big = message == kMsgArrow ? IDS_VKA_SOP_BIG_ARROW : IDS_VKA_SOP_BIG_WHLSCR;
        CheckWhole(checked, slot, 1, message, big, size);
    }
    if (Wanted(checked, SlotImgRatio)) CheckRatio(checked, SlotImgRatio, &v.dScaleWheel);
    if (Wanted(checked, SlotFrmRatio)) CheckRatio(checked, SlotFrmRatio, &s.dScaleWheel);
    if (Wanted(checked, SlotOpnSub)) s.bOpnSubDir = IsOn(SlotOpnSub);
    if (Wanted(checked, SlotInvClr)) s.bInvClrFrm = IsOn(SlotInvClr);
    for (int i = 0; i < 3; ++i)
        if ((!checked || CtlSlot(checked) == SlotRdoWnd + i) && IsOn(SlotRdoWnd + i)) s.iModeSca = kRdoModes[i];
    if (Wanted(checked, SlotPen)) {
        LRESULT sel = ::SendMessageA(m_inf.phCtlWnd[SlotPen], CB_GETCURSEL, 0, 0);
        if (sel >= 0 && sel < kPenCnt) s.iStylePenFrm = static_cast<int>(sel);
    }
    if (Wanted(checked, SlotColor)) {
        char text[CmnPathSize] = {};
        COLORREF color = 0;
        if (VkeCtlGetDataValue(m_inf.ppCtl[SlotColor], text, sizeof(text)) == VKE_OK &&
            theCmnSub.GetColor(text, &color) == VKE_OK)
            memcpy(s.strColor[0], text, sizeof(text));
    }
}
