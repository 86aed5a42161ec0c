// The options dialog's basic page: its values, controls, checks and the folder browser.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgSopBsi"
#include "DlgSopBsi.h"
#include "CmnWin.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <stdio.h>
#include <string.h>

IMPLEMENT_DYNAMIC(DlgSopBsi, DlgSop)

BEGIN_MESSAGE_MAP(DlgSopBsi, DlgSop)
    ON_COMMAND(IDC_DLGSOPBSI_BROWSE, &ThisClass::OnBrowse)
    ON_COMMAND(IDC_DLGSOPBSI_CLR_ERR, &ThisClass::OnClrErr)
    ON_COMMAND(IDC_DLGSOPBSI_CLR_MDF, &ThisClass::OnClrMdf)
END_MESSAGE_MAP()

LRESULT CALLBACK GF_DlgSopBsiWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DlgSop::RunCtlProc(hWnd, message, wParam, lParam);
}

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

// The user folder a run takes when none is given: "Usr" in the system folder.
void DefaultUsrDir(char* dir)
{
    snprintf(dir, CmnPathSize, "%s\\Usr", theCmnAppInf.amSysDir);
}

// Whether path lies inside folder (both normalised; letters compared in one case).
bool IsInside(const char* path, const char* folder)
{
    char p[CmnPathSize] = {}, f[CmnPathSize] = {};
    if (VkeSubGetPathName(Sub(), f, folder, sizeof(f)) != VKE_OK) return false;
    VkeSubCopyStr(Sub(), p, path, sizeof(p));
    VkeSubToLowerStr(Sub(), p);
    VkeSubToLowerStr(Sub(), f);
    // The folder's bytes end on a character of the path too, so the byte after it starts one.
    const size_t n = strlen(f);
    return strncmp(p, f, n) == 0 && p[n] == '\\';
}

} // namespace

DlgSopBsi::DlgSopBsi(DlgSetOpt* owner) : DlgSop(IDD_DLGSOPBSI, owner, GF_DlgSopBsiWndPrcCtl)
{
    memset(m_val, 0, sizeof(m_val));
}

// ---- The copies ----

int* DlgSopBsi::Flag(SopBsiVal& val, int slot)
{
    SopBsi& b = val.sopBsi;
    switch (slot) {
    case SlotRetTab: return &val.bReturnToTab;
    case SlotClrErr: return &b.bClrErr;
    case SlotClrMdf: return &b.bClrMdf;
    case SlotChgDir: return &b.bChgDir;
    case SlotOpnOpd: return &b.bOpnOpd;
    case SlotOpnLcd: return &b.bOpnLcd;
    case SlotOpnLck: return &b.bOpnLck;
    case SlotCleLog: return &b.bCleLog;
    default: return nullptr;
    }
}

int DlgSopBsi::CopyBsi(int to, int from) { return CopyOf(m_val, to, from, "CopyBsi"); }

int DlgSopBsi::IniVal()
{
    memset(m_val, 0, sizeof(m_val));
    SopBsiVal& v = m_val[SopIni];
    DefaultUsrDir(v.strUsrDir);
    // The built-in colours, read without handing them to the engine: the colours in force stay.
    for (int i = 0; i < CmnColorCnt; ++i) {
        COLORREF color = 0;
        int rc = theCmnSub.ReadDflColor(i, v.strColor[i], CmnPathSize, &color);
        if (rc != VKE_OK) return rc;
    }
    v.iOpnOnSel = 3;
    v.sopBsi = SopBsi{1, 1, 0, 0, 0, 1, 0};
    return VKE_OK;
}

int DlgSopBsi::LoadVal()
{
    SopBsiVal& v = m_val[SopCur];
    const CmnAppInf& c = theCmnAppInf;
    memcpy(v.strUsrDir, c.strUsrDir, sizeof(v.strUsrDir));
    v.bReturnToTab = c.bReturnToTab;
    memcpy(v.strColor, c.strColor, sizeof(v.strColor));
    v.iOpnOnSel = theAppInf.iOpnOnSel;
    v.sopBsi = theAppInf.sopBsi;
    return VKE_OK;
}

int DlgSopBsi::GetBsi()
{
    const SopBsiVal& v = m_val[SopCur];
    CmnAppInf& c = theCmnAppInf;
    if (v.strUsrDir[0]) memcpy(c.strUsrDir, v.strUsrDir, sizeof(c.strUsrDir));
    else DefaultUsrDir(c.strUsrDir);
    c.bReturnToTab = v.bReturnToTab;
    memcpy(c.strColor, v.strColor, sizeof(c.strColor));
    theAppInf.iOpnOnSel = v.iOpnOnSel;
    theAppInf.sopBsi = v.sopBsi;
    c.bCtlError = v.sopBsi.bClrErr == 1 ? 1 : 0;
    c.bCtlModified = v.sopBsi.bClrMdf == 1 ? 1 : 0;
    return theCmnSub.SetStateColors();
}

// ---- The controls ----

int DlgSopBsi::InitCtl()
{
    const struct {
        int type, id, editType;
    } rows[SlotCnt] = {
        {VKE_CTL_STATIC, IDC_DLGSOPBSI_DIR_LBL, VKE_EDIT_NONE},  {VKE_CTL_EDIT, IDC_DLGSOPBSI_DIR, VKE_EDIT_NONE},
        {VKE_CTL_BUTTON, IDC_DLGSOPBSI_BROWSE, VKE_EDIT_NONE},   {VKE_CTL_BUTTON, IDC_DLGSOPBSI_CLR_ERR, VKE_EDIT_COLOR},
        {VKE_CTL_BUTTON, IDC_DLGSOPBSI_CLR_MDF, VKE_EDIT_COLOR}, {VKE_CTL_BUTTON, IDC_DLGSOPBSI_RET_TAB, VKE_EDIT_NONE},
        {VKE_CTL_BUTTON, IDC_DLGSOPBSI_CLRERR, VKE_EDIT_NONE},   {VKE_CTL_BUTTON, IDC_DLGSOPBSI_CLRMDF, VKE_EDIT_NONE},
        {VKE_CTL_BUTTON, IDC_DLGSOPBSI_CHGDIR, VKE_EDIT_NONE},   {VKE_CTL_BUTTON, IDC_DLGSOPBSI_OPNOPD, VKE_EDIT_NONE},
        {VKE_CTL_BUTTON, IDC_DLGSOPBSI_OPNLCD, VKE_EDIT_NONE},   {VKE_CTL_BUTTON, IDC_DLGSOPBSI_OPNLCK, VKE_EDIT_NONE},
        {VKE_CTL_BUTTON, IDC_DLGSOPBSI_CLELOG, VKE_EDIT_NONE},   {VKE_CTL_BUTTON, IDC_DLGSOPBSI_SEL_CUR, VKE_EDIT_NONE},
        {VKE_CTL_BUTTON, IDC_DLGSOPBSI_SEL_LAST, VKE_EDIT_NONE}, {VKE_CTL_BUTTON, IDC_DLGSOPBSI_SEL_FIRST, VKE_EDIT_NONE},
    };
    int rc = VKE_OK;
    for (int slot = 0; slot < SlotCnt && rc == VKE_OK; ++slot) {
        const auto& row = rows[slot];
        rc = InitCtlSlot(slot, row.type, row.id, row.editType, "", row.type == VKE_CTL_STATIC ? nullptr : "");
    }
    return rc;
}

int DlgSopBsi::SetData()
{
    SopBsiVal& v = m_val[SopCur];
    int rc = ShowValue(SlotDir, v.strUsrDir);
    ShowValue(SlotClrErrBtn, v.strColor[0]);
    ShowValue(SlotClrMdfBtn, v.strColor[1]);
    for (int slot = SlotRetTab; slot <= SlotCleLog; ++slot) ShowFlag(slot, *Flag(v, slot));
    const int sel = v.iOpnOnSel >= 1 && v.iOpnOnSel <= 3 ? v.iOpnOnSel : 3;
    ShowFlag(SlotSelCur + sel - 1, 1);
    return rc == VKE_ERR_CUT ? VKE_OK : rc;
}

int DlgSopBsi::EnableCtl()
{
    const SopBsi& b = m_val[SopCur].sopBsi;
    EnableSlot(SlotClrErrBtn, b.bClrErr == 1);
    EnableSlot(SlotClrMdfBtn, b.bClrMdf == 1);
    EnableSlot(SlotOpnLcd, b.bOpnOpd == 1);
    EnableSlot(SlotOpnLck, b.bOpnOpd == 1);
    return VKE_OK;
}

void DlgSopBsi::OnCheck(int slot, int state)
{
    SopBsiVal& v = m_val[SopCur];
    if (int* flag = Flag(v, slot)) *flag = state;
    else if (slot >= SlotSelCur && slot <= SlotSelFirst && state == 1) v.iOpnOnSel = slot - SlotSelCur + 1;
}

// ---- The check ----

void DlgSopBsi::CheckDir(VkiCtl* checked)
{
    SopBsiVal& v = m_val[SopCur];
    char text[CmnPathSize] = {}, path[CmnPathSize] = {};
    int rc = ReadText(SlotDir, text, sizeof(text));
    if (rc == VKE_NOT_DONE) {
        v.strUsrDir[0] = '\0';
        return;
    }
    if (rc != VKE_OK || VkeSubGetPathName(Sub(), path, text, sizeof(path)) != VKE_OK)
        return RejectSlot(checked, SlotDir, IDS_VKA_SOP_BAD_DIR);
    ShowValue(SlotDir, path);
    int special = 0, exists = 0, folder = 0;
    VkeSubCheckSpecialPath(Sub(), path, &special);
    if (special) return RejectSlot(checked, SlotDir, IDS_VKA_SOP_SPECIAL_DIR);
    char ats[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), &theAppInf.sopSvi.amAtsDir, ats, sizeof(ats));
    if (ats[0] && IsInside(path, ats)) return RejectSlot(checked, SlotDir, IDS_VKA_SOP_UNDER_ATS);
    // A folder that does not exist yet is made by OK or Apply.
    rc = VkeSubIsExistPath(Sub(), path, &exists);
    if (rc == VKE_OK && exists) rc = VkeSubIsDirectory(Sub(), path, &folder);
    if (rc != VKE_OK || (exists && !folder)) return RejectSlot(checked, SlotDir, IDS_VKA_SOP_BAD_DIR);
    memcpy(v.strUsrDir, path, sizeof(v.strUsrDir));
}

void DlgSopBsi::Check(VkiCtl* checked)
{
    SopBsiVal& v = m_val[SopCur];
    if (Wanted(checked, SlotDir)) CheckDir(checked);
    const int colors[] = {SlotClrErrBtn, SlotClrMdfBtn};
    for (int i = 0; i < 2; ++i) {
        char text[CmnPathSize] = {};
        COLORREF color = 0;
        if (Wanted(checked, colors[i]) && VkeCtlGetDataValue(m_inf.ppCtl[colors[i]], text, sizeof(text)) == VKE_OK &&
            theCmnSub.GetColor(text, &color) == VKE_OK)
            memcpy(v.strColor[i], text, sizeof(text));
    }
    for (int slot = SlotRetTab; slot <= SlotCleLog; ++slot)
        if (Wanted(checked, slot)) *Flag(v, slot) = IsOn(slot);
    // The radios are the last slots.
    const bool radios = !checked || CtlSlot(checked) >= SlotSelCur;
    for (int slot = SlotSelCur; radios && slot <= SlotSelFirst; ++slot)
        if (IsOn(slot)) v.iOpnOnSel = slot - SlotSelCur + 1;
}

// ---- The buttons ----

CString DlgSopBsi::BrowseStart()
{
    // A path typed in the edit: itself when it is a drive or a folder, else its folder.
    char text[CmnPathSize] = {}, path[CmnPathSize] = {}, parent[CmnPathSize] = {};
    VkeCtlGetDataValue(m_inf.ppCtl[SlotDir], text, sizeof(text));
    const size_t length = strlen(text);
    if (length >= 1 && length <= VKE_PATH_MAX && VkeSubGetPathName(Sub(), path, text, sizeof(path)) == VKE_OK) {
        int drive = 0, folder = 0;
        VkeSubIsDrive(Sub(), path, &drive);
        VkeSubIsDirectory(Sub(), path, &folder);
        if (drive || folder) return path;
        if (VkeSubGetDirPath(Sub(), parent, path, sizeof(parent)) == VKE_OK &&
            VkeSubIsDirectory(Sub(), parent, &folder) == VKE_OK && folder)
            return parent;
    }
    if (theCmnAppInf.strUsrDir[0]) return theCmnAppInf.strUsrDir;
    DefaultUsrDir(path);
    return path;
}

void DlgSopBsi::OnBrowse()
{
    if (!m_inf.bReady) return;
    CWnd* frame = theCmnAppInf.pMainFrame;
    CString chosen = theCmnSub.SelectDirectory(frame ? frame->m_hWnd : m_hWnd, BrowseStart(), 0, 0);
    if (!chosen.IsEmpty()) {
        VkeCtlSetDataValue(m_inf.ppCtl[SlotDir], chosen, 1);
        SetModified();
    }
    theCmnSub.SetFocusWnd(m_inf.phCtlWnd[SlotDir]);
}

void DlgSopBsi::OnClrErr() { ChooseColor(SlotClrErrBtn); }

void DlgSopBsi::OnClrMdf() { ChooseColor(SlotClrMdfBtn); }
