// The scale dialog: the stored values, the controls, the choices and the check of the values.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlgSetSca"
#include "CmnDlgSetSca.h"
#include "CmnRes.h"
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CmnDlgSetSca, CmnDlg)

BEGIN_MESSAGE_MAP(CmnDlgSetSca, CmnDlg)
    ON_MESSAGE(VkeWmSetChk, &ThisClass::OnVkeWmSetChk)
END_MESSAGE_MAP()

namespace {

const double kMinScale = 0.000001;
const double kMaxScale = 100.0;
const double kMinPct = 0.0001;
const double kMaxPct = 10000.0;
// Target sizes from a fraction: truncated as a drawing area shows them, or rounded to the
// nearest pixel as a converted image is made.
const int kSizeRounded = 1;
const int kSizeShown = 2;

} // namespace

CmnDlgSetSca::CmnDlgSetSca(CWnd* pParentWnd) : CmnDlgSetSca(IDD_CMN_SET_SCA, pParentWnd) { m_iSizeMode = kSizeShown; }

CmnDlgSetSca::CmnDlgSetSca(UINT nIDTemplate, CWnd* pParentWnd)
    : CmnDlg(nIDTemplate, pParentWnd), m_sci(), m_bFixSca(1), m_iFixSlot(-1), m_iFixId(0), m_iRdoSlot(SlotChoices),
      m_bParam(0), m_iDecimals(0), m_amFmt(), m_iSrcWidth(0), m_iSrcHeight(0), m_iSizeMode(kSizeRounded), m_bChecking(0)
{
}

void CmnDlgSetSca::UseFixBox(int id)
{
    m_iFixSlot = SlotChoices;
    m_iFixId = id;
    m_iRdoSlot = SlotChoices + 1;
}

// ---- Parameters and the stored values ----

int CmnDlgSetSca::SetParam(int decimals, int srcWidth, int srcHeight)
{
    if (decimals < 0 || decimals > 6 || srcWidth < 1 || srcHeight < 1) {
        CMN_TRACE("SetParam", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    m_iDecimals = decimals;
    m_iSrcWidth = srcWidth;
    m_iSrcHeight = srcHeight;
    snprintf(m_amFmt, sizeof(m_amFmt), "%%.%dlf", decimals);
    m_bParam = 1;
    return VKE_OK;
}

int CmnDlgSetSca::GetScaleValue(int* num, int* den)
{
    if (!num || !den) {
        CMN_TRACE("GetScaleValue", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    *num = m_sci.lScaNum;
    *den = m_sci.lScaDen;
    return VKE_OK;
}

int CmnDlgSetSca::LoadSetSci()
{
    m_sci = theCmnAppInf.setSci;
    return VKE_OK;
}

int CmnDlgSetSca::SaveSetSci()
{
    theCmnAppInf.setSci = m_sci;
    return VKE_OK;
}

void CmnDlgSetSca::FormatPct(double ratio, char* text, int size)
{
    snprintf(text, static_cast<size_t>(size), m_amFmt, ratio * 100.0);
    VkeSubTrimStrRightZero(theCmnAppInf.pSub, text);
}

// The stored values made one consistent scale. A stored scale out of its range becomes 1.0
// before it is turned into a fraction, which refuses it; values never read (all zero) take the
// settings' fallbacks. A free size keeps its width and height unless one is below 1.
int CmnDlgSetSca::Normalise()
{
    SetSci& s = m_sci;
    if (s.iTypSca < 1 || s.iTypSca > 3) s.iTypSca = 1;
    if (s.lScaNum < 1 || s.lScaDen < 1) s.lScaNum = s.lScaDen = 1;
    if (s.bWidth != 0) s.bWidth = 1;
    if (m_bFixSca != 0) m_bFixSca = 1;
    const bool sizeBad = s.iWidth < 1 || s.iHeight < 1;
    if (s.iWidth < 1) s.iWidth = 1;
    if (s.iHeight < 1) s.iHeight = 1;
    int rc = VKE_OK;
    if (s.iTypSca == 1) {
        if (s.dScale < kMinScale || s.dScale > kMaxScale) s.dScale = 1.0;
        rc = theCmnSub.GetFraction(s.dScale, 6, &s.lScaNum, &s.lScaDen);
    } else if (s.iTypSca == 3) {
        s.lScaNum = s.bWidth ? s.iWidth : s.iHeight;
        s.lScaDen = s.bWidth ? m_iSrcWidth : m_iSrcHeight;
    }
    if (rc != VKE_OK) return rc;
    if (s.iTypSca != 1) s.dScale = static_cast<double>(s.lScaNum) / s.lScaDen;
    const bool free = IsFreeSize();
    if (s.dScale < kMinScale || s.dScale > kMaxScale || (free && sizeBad)) {
        s.dScale = 1.0;
        s.lScaNum = s.lScaDen = 1;
    } else if (free) {
        return VKE_OK;
    }
    rc = theCmnSub.GetSize(m_iSizeMode, s.lScaNum, s.lScaDen, m_iSrcWidth, m_iSrcHeight, &s.iWidth, &s.iHeight);
    if (rc == VKE_OK && (s.iWidth < 1 || s.iHeight < 1)) {
        s.dScale = 1.0;
        s.lScaNum = s.lScaDen = 1;
        rc = theCmnSub.GetSize(m_iSizeMode, 1, 1, m_iSrcWidth, m_iSrcHeight, &s.iWidth, &s.iHeight);
    }
    return rc;
}

// ---- Start and end ----

BOOL CmnDlgSetSca::OnInitDialog()
{
    if (!m_bParam) {
        CMN_TRACE("OnInitDialog", VKE_ERR_EXISTS);
        CDialog::OnInitDialog();
        EndDialog(3);
        return TRUE;
    }
    CmnDlg::OnInitDialog();
    LoadValues();
    if (Init() != VKE_OK) return TRUE;
    int slot = m_sci.iTypSca == 1 ? SlotPct : m_sci.iTypSca == 2 ? SlotNum : m_sci.bWidth ? SlotWidth : SlotHeight;
    theCmnSub.SetFocusWnd(m_inf.phCtlWnd[slot]);
    return FALSE;
}

int CmnDlgSetSca::Init()
{
    return StartDialog(SlotCount(), 0, 0, [this] {
        int rc = Normalise();
        if (rc == VKE_OK) rc = InitCtl();
        if (rc == VKE_OK) rc = EnableCtl();
        return rc;
    });
}

int CmnDlgSetSca::InitCtl()
{
    const SetSci& s = m_sci;
    char pct[64], num[16], den[16], width[16], height[16], pctFormat[16];
    FormatPct(s.dScale, pct, sizeof(pct));
    snprintf(num, sizeof(num), "%d", s.lScaNum);
    snprintf(den, sizeof(den), "%d", s.lScaDen);
    snprintf(width, sizeof(width), "%d", s.iWidth);
    snprintf(height, sizeof(height), "%d", s.iHeight);
    snprintf(pctFormat, sizeof(pctFormat), "%%,.%dv", m_iDecimals);
    auto on = [](bool set) { return set ? "1" : "0"; };
    const struct {
        int type, id, editType;
        const char* format;
        const char* value; // null: the item's own text
    } rows[SlotChoices] = {
        {VKE_CTL_STATIC, IDC_CMN_STC_1, VKE_EDIT_NONE, "", nullptr},
        {VKE_CTL_STATIC, IDC_CMN_STC_2, VKE_EDIT_NONE, "", nullptr},
        {VKE_CTL_EDIT, IDC_CMN_EDT_1, VKE_EDIT_DBL, pctFormat, pct},
        {VKE_CTL_EDIT, IDC_CMN_EDT_2, VKE_EDIT_INT, "%,v", num},
        {VKE_CTL_EDIT, IDC_CMN_EDT_3, VKE_EDIT_INT, "%,v", den},
        {VKE_CTL_EDIT, IDC_CMN_EDT_4, VKE_EDIT_INT, "%,v", width},
        {VKE_CTL_EDIT, IDC_CMN_EDT_5, VKE_EDIT_INT, "%,v", height},
        {VKE_CTL_BUTTON, IDOK, VKE_EDIT_NONE, "", ""},
        {VKE_CTL_BUTTON, IDCANCEL, VKE_EDIT_NONE, "", ""},
    };
    const struct {
        int id;
        bool set;
    } radios[RdoCnt] = {{IDC_CMN_RDO_1, s.iTypSca == 1}, {IDC_CMN_RDO_2, s.iTypSca == 2}, {IDC_CMN_RDO_3, s.iTypSca == 3},
                        {IDC_CMN_RDO_4, s.bWidth == 1},  {IDC_CMN_RDO_5, s.bWidth == 0}};
    int rc = VKE_OK;
    for (int slot = 0; slot < SlotChoices && rc == VKE_OK; ++slot) {
        const auto& row = rows[slot];
        rc = InitCtlSlot(slot, row.type, row.id, row.editType, row.format, row.value);
    }
    if (rc == VKE_OK && m_iFixSlot >= 0)
        rc = InitCtlSlot(m_iFixSlot, VKE_CTL_BUTTON, m_iFixId, VKE_EDIT_NONE, "", on(m_bFixSca == 1));
    for (int rdo = 0; rdo < RdoCnt && rc == VKE_OK; ++rdo)
        rc = InitCtlSlot(RdoSlot(rdo), VKE_CTL_BUTTON, radios[rdo].id, VKE_EDIT_NONE, "", on(radios[rdo].set));
    return rc;
}

int CmnDlgSetSca::Term()
{
    m_bParam = 0;
    return CmnDlg::Term();
}

// ---- Choices ----

int CmnDlgSetSca::EnableCtl()
{
    const int type = m_sci.iTypSca;
    const bool free = IsFreeSize();
    const struct {
        int slot;
        bool on;
    } rows[] = {{SlotPct, type == 1},
                {SlotNum, type == 2},
                {SlotDen, type == 2},
                {SlotWidth, type == 3 && (m_sci.bWidth || free)},
                {SlotHeight, type == 3 && (!m_sci.bWidth || free)},
                {m_iFixSlot, type == 3},
                {RdoSlot(RdoWidth), type == 3},
                {RdoSlot(RdoHeight), type == 3}};
    for (const auto& row : rows)
        if (row.slot >= 0 && m_inf.phCtlWnd[row.slot]) ::EnableWindow(m_inf.phCtlWnd[row.slot], row.on);
    return VKE_OK;
}

// A choice takes its value, enables its edits and moves the focus to the edit it enabled.
int CmnDlgSetSca::Select(int slot)
{
    EnableCtl();
    theCmnSub.PostSetFocus(m_inf.phCtlWnd[slot]);
    return VKE_OK;
}

int CmnDlgSetSca::SelTypPct()
{
    m_sci.iTypSca = 1;
    return Select(SlotPct);
}

int CmnDlgSetSca::SelTypFrc()
{
    m_sci.iTypSca = 2;
    return Select(SlotNum);
}

int CmnDlgSetSca::SelTypSiz()
{
    m_sci.iTypSca = 3;
    return Select(m_sci.bWidth ? SlotWidth : SlotHeight);
}

int CmnDlgSetSca::SelWidth()
{
    m_sci.bWidth = 1;
    return Select(SlotWidth);
}

int CmnDlgSetSca::SelHeight()
{
    m_sci.bWidth = 0;
    return Select(SlotHeight);
}

LRESULT CmnDlgSetSca::OnVkeWmSetChk(WPARAM wParam, LPARAM lParam)
{
    return RunSetChk(wParam, lParam, [this](int slot, int state) { OnChoice(slot, state); });
}

void CmnDlgSetSca::OnChoice(int slot, int state)
{
    if (state != 1) return;
    const int rdo = slot - m_iRdoSlot;
    switch (rdo) {
    case RdoTypPct: SelTypPct(); break;
    case RdoTypFrc: SelTypFrc(); break;
    case RdoTypSiz: SelTypSiz(); break;
    case RdoWidth: SelWidth(); break;
    case RdoHeight: SelHeight(); break;
    default: break;
    }
}

// ---- The check ----

int CmnDlgSetSca::IsOn(int slot)
{
    char value[8] = {};
    VkeCtlGetDataValue(m_inf.ppCtl[slot], value, sizeof(value));
    return strcmp(value, "1") == 0;
}

bool CmnDlgSetSca::ReadValue(VkiCtl* checked, int slot, double* value)
{
    Dti& dti = m_inf.dti;
    int rc = VkeCtlGetDti(m_inf.ppCtl[slot], &dti);
    if (rc == VKE_OK && dti.iError) rc = dti.iErrorCode ? dti.iErrorCode : VKE_ERR_DBL;
    int type = dti.iEditType;
    *value = rc == VKE_OK && dti.memDataValue.pBuffer ? strtod(dti.memDataValue.pBuffer, nullptr) : 0.0;
    // A whole number must fit the fraction's int.
    if (rc == VKE_OK && type == VKE_EDIT_INT && (*value > INT_MAX || *value < INT_MIN)) rc = VKE_ERR_INT;
    if (rc == VKE_OK) return true;
    RejectSlot(checked, slot, rc);
    return false;
}

bool CmnDlgSetSca::ReadSize(VkiCtl* checked, SetSci* s)
{
    const bool free = IsFreeSize();
    double width = 0.0, height = 0.0;
    bool read = true;
    if (free || s->bWidth) read = ReadValue(checked, SlotWidth, &width);
    if (free || !s->bWidth) read = ReadValue(checked, SlotHeight, &height) && read;
    if (!read) return false;
    bool valid = true;
    if ((free || s->bWidth) && width < 1) {
        RejectSlot(checked, SlotWidth, IDS_CMN_SCA_WIDTH);
        valid = false;
    }
    if ((free || !s->bWidth) && height < 1) {
        RejectSlot(checked, SlotHeight, IDS_CMN_SCA_HEIGHT);
        valid = false;
    }
    if (!valid) return false;
    s->lScaNum = static_cast<int>(s->bWidth ? width : height);
    s->lScaDen = s->bWidth ? m_iSrcWidth : m_iSrcHeight;
    if (free) {
        s->iWidth = static_cast<int>(width);
        s->iHeight = static_cast<int>(height);
    }
    return true;
}

void CmnDlgSetSca::Check(VkiCtl* checked)
{
    m_sci.iTypSca = IsOn(RdoSlot(RdoTypFrc)) ? 2 : IsOn(RdoSlot(RdoTypSiz)) ? 3 : 1;
    m_sci.bWidth = IsOn(RdoSlot(RdoHeight)) ? 0 : 1;
    if (m_iFixSlot >= 0) m_bFixSca = IsOn(m_iFixSlot);
    const bool free = IsFreeSize();
    SetSci s = m_sci;
    double value = 0.0, den = 0.0;
    int choice = SlotPct;
    if (s.iTypSca == 1) {
        if (!ReadValue(checked, SlotPct, &value)) return;
        if (value < kMinPct || value > kMaxPct) return RejectSlot(checked, SlotPct, IDS_CMN_SCA_PCT);
        if (theCmnSub.GetFraction(value * 0.01, 6, &s.lScaNum, &s.lScaDen) != VKE_OK)
            return RejectSlot(checked, SlotPct, IDS_CMN_SCA_PCT);
    } else if (s.iTypSca == 2) {
        choice = SlotNum;
        bool read = ReadValue(checked, SlotNum, &value);
        read = ReadValue(checked, SlotDen, &den) && read;
        if (!read) return;
        if (value < 1) return RejectSlot(checked, SlotNum, IDS_CMN_SCA_NUM);
        if (den < 1) return RejectSlot(checked, SlotDen, IDS_CMN_SCA_DEN);
        s.lScaNum = static_cast<int>(value);
        s.lScaDen = static_cast<int>(den);
    } else {
        choice = free ? SlotWidth : s.bWidth ? SlotWidth : SlotHeight;
        if (!ReadSize(checked, &s)) return;
    }

    // The percentage the fraction gives, as the dialog shows it, is the scale; a free size is
    // given, else it follows from the fraction.
    char pct[64], num[16], denText[16], width[16], height[16];
    FormatPct(static_cast<double>(s.lScaNum) / s.lScaDen, pct, sizeof(pct));
    s.dScale = strtod(pct, nullptr) * 0.01;
    if (!free) {
        s.iWidth = s.iHeight = 0;
        theCmnSub.GetSize(m_iSizeMode, s.lScaNum, s.lScaDen, m_iSrcWidth, m_iSrcHeight, &s.iWidth, &s.iHeight);
    }
    snprintf(num, sizeof(num), "%d", s.lScaNum);
    snprintf(denText, sizeof(denText), "%d", s.lScaDen);
    snprintf(width, sizeof(width), "%d", s.iWidth);
    snprintf(height, sizeof(height), "%d", s.iHeight);
    const char* texts[] = {pct, num, denText, width, height};
    for (int i = 0; i < 5; ++i) VkeCtlSetDataValue(m_inf.ppCtl[SlotPct + i], texts[i], 1);

    int code = 0;
    if (s.dScale < kMinScale || s.dScale > kMaxScale) code = IDS_CMN_SCA_PCT;
    else if (s.iWidth < 1 || s.iHeight < 1) code = IDS_CMN_SCA_SMALL;
    if (code) {
        RejectSlot(checked, choice, code);
        if (choice == SlotNum) MarkSlot(SlotDen, code);
        if (free) MarkSlot(SlotHeight, code);
        return;
    }
    // A free size: the other side's ratio keeps to the same range.
    if (free) {
        const int other = s.bWidth ? SlotHeight : SlotWidth;
        double ratio = s.bWidth ? static_cast<double>(s.iHeight) / m_iSrcHeight : static_cast<double>(s.iWidth) / m_iSrcWidth;
        if (ratio < kMinScale || ratio > kMaxScale) return RejectSlot(checked, other, IDS_CMN_SCA_PCT);
    }
    m_sci = s;
}

int CmnDlgSetSca::GetData(VkiCtl* ctl, void* data, int mode)
{
    if (m_inf.bTerminating) return VKE_OK;
    if (!CheckReady("GetData")) return VKE_ERR_NOT_INIT;
    // The edits this check writes notify the dialog in turn: they only get their values shown.
    if (m_bChecking) {
        if (ctl && mode == 1) VkeCtlSetWndFromDti(ctl);
        return VKE_OK;
    }
    ClearError();
    if ((ctl && (!data || CtlSlot(ctl) < 0)) || (mode != 0 && mode != 1)) {
        CMN_TRACE("GetData", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    if (ctl && mode == 1) VkeCtlSetWndFromDti(ctl);
    // Errors of an earlier check go; the values now decide.
    for (int slot = SlotPct; slot <= SlotHeight; ++slot) {
        VkeCtlSetErrorFlag(m_inf.ppCtl[slot], 0);
        VkeCtlSetErrorCode(m_inf.ppCtl[slot], 0);
    }
    m_bChecking = 1;
    Check(ctl);
    m_bChecking = 0;
    return m_inf.iErrCode;
}

void CmnDlgSetSca::OnOK()
{
    if (!m_inf.bReady || !ConfirmData()) return;
    SaveValues();
    EndDialog(IDOK);
}
