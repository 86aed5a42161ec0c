// The options dialog's page scheme: the copies, the controls' procedure, the checks' frame, the
// check notices, the edits and Enter and Esc.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgSop"
#include "DlgSop.h"
#include "CmnRes.h"
#include "DlgSetOpt.h"
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(DlgSop, CmnDlg)

BEGIN_MESSAGE_MAP(DlgSop, CmnDlg)
    ON_MESSAGE(CmnWmRfl, &ThisClass::OnCmnWmRfl)
    ON_MESSAGE(VkeWmSetChk, &ThisClass::OnVkeWmSetChk)
END_MESSAGE_MAP()

namespace {

// ReadInt's answer for a whole number above the largest int.
const int SopTooLarge = 2;

// The window property that keeps a control's own procedure behind the page's.
const char kPrevProc[] = "DlgSopPrevProc";

WNDPROC PrevProc(HWND wnd) { return reinterpret_cast<WNDPROC>(::GetPropA(wnd, kPrevProc)); }

int Failed(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

} // namespace

DlgSop::DlgSop(UINT nIDTemplate, DlgSetOpt* owner, WNDPROC ctlProc)
    : CmnDlg(nIDTemplate, nullptr), m_pOwner(owner), m_pfnCtlPrc(ctlProc), m_bLoading(0), m_bChecking(0)
{
}

// ---- The controls' procedure ----

LRESULT DlgSop::RunCtlProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC prev = PrevProc(hWnd);
    if (!prev) {
        CMN_TRACE("RunCtlProc", VKE_ERR_SYSTEM);
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hWnd, kPrevProc);
        return ::CallWindowProcA(prev, hWnd, message, wParam, lParam);
    }
    MSG msg = {hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT rc = ::SendMessageA(::GetParent(hWnd), CmnWmRfl, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(&msg));
    return rc ? rc : ::CallWindowProcA(prev, hWnd, message, wParam, lParam);
}

LRESULT DlgSop::OnCmnWmRfl(WPARAM, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (!m_inf.bReady || !msg || (msg->message != WM_KEYDOWN && msg->message != WM_CHAR)) return 0;
    // Typing: the control takes the key first, then the dialog hears of a change it made.
    WNDPROC prev = PrevProc(msg->hwnd);
    if (!prev) return 0;
    ::CallWindowProcA(prev, msg->hwnd, msg->message, msg->wParam, msg->lParam);
    SetModifiedIfCur();
    return 1;
}

// ---- Start ----

BOOL DlgSop::OnInitDialog()
{
    CmnDlg::OnInitDialog();
    int rc = IniVal();
    if (rc == VKE_OK) rc = LoadVal();
    if (rc == VKE_OK) rc = CopyVal(SopRun, SopCur);
    if (rc == VKE_OK) {
        Init();
        return TRUE;
    }
    Failed("OnInitDialog", rc);
    theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
    EndDialog(3);
    return TRUE;
}

int DlgSop::Init()
{
    int rc = StartDialog(CtlCount(), 0, 0, [this] {
        int rc = InitCtl();
        for (int slot = 0; rc == VKE_OK && slot < CtlCount(); ++slot) {
            WNDPROC prev = nullptr;
            rc = VkeCtlSetWindowProc(m_inf.ppCtl[slot], m_pfnCtlPrc, &prev);
            if (rc == VKE_OK && !::SetPropA(m_inf.phCtlWnd[slot], kPrevProc, reinterpret_cast<HANDLE>(prev)))
                rc = VKE_ERR_SYSTEM;
        }
        return rc;
    });
    if (rc != VKE_OK) return rc;
    rc = SetData();
    if (rc == VKE_OK) rc = EnableCtl();
    // What the start shows is no change of the user's.
    SetModifiedFlag(0);
    if (rc == VKE_OK) return rc;
    Failed("Init", rc);
    theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
    EndDialog(3);
    return rc;
}

// ---- The copies ----

int DlgSop::SetRunVal()
{
    int rc = CopyVal(SopCur, SopRun);
    if (rc == VKE_OK) rc = SetData();
    EnableCtl();
    return rc;
}

int DlgSop::SetIniVal()
{
    int rc = CopyVal(SopCur, SopIni);
    if (rc == VKE_OK) rc = SetData();
    EnableCtl();
    return rc;
}

int DlgSop::SetNewVal()
{
    int rc = LoadVal();
    if (rc == VKE_OK) rc = SetData();
    EnableCtl();
    return rc;
}

bool DlgSop::IsCopyPair(int to, int from, const char* name)
{
    if (to >= 0 && to < SopCopyCnt && from >= 0 && from < SopCopyCnt) return true;
    Failed(name, VKE_ERR_ARG);
    return false;
}

// ---- The dialog's flags ----

void DlgSop::SetModified()
{
    if (m_pOwner && m_pOwner->IsDltInit()) m_pOwner->SetModifiedFlag(1);
}

void DlgSop::SetDlgError()
{
    if (m_pOwner && m_pOwner->IsDltInit()) m_pOwner->SetErrorFlag(1);
}

void DlgSop::SetModifiedIfCur()
{
    if (m_pOwner && m_pOwner->IsCurPageModified() == 1) SetModified();
}

// ---- Controls ----

int DlgSop::ShowValue(int slot, const char* text)
{
    m_bLoading++;
    int rc = VkeCtlSetDataValue(m_inf.ppCtl[slot], text, 0);
    m_bLoading--;
    return rc;
}

int DlgSop::ShowInt(int slot, int value)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    return ShowValue(slot, text);
}

void DlgSop::ShowDbl(int slot, double value)
{
    char text[64];
    snprintf(text, sizeof(text), "%.6lf", value);
    VkeSubTrimStrRightZero(theCmnAppInf.pSub, text);
    ShowValue(slot, text);
}

int DlgSop::IsOn(int slot)
{
    // The window's own state: a radio's value follows its group only once the group is read.
    return ::SendMessageA(m_inf.phCtlWnd[slot], BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

int DlgSop::ReadText(int slot, char* text, int size)
{
    Dti& dti = m_inf.dti;
    text[0] = '\0';
    int rc = VkeCtlGetDti(m_inf.ppCtl[slot], &dti);
    if (rc == VKE_OK && dti.memDataValue.pBuffer) snprintf(text, static_cast<size_t>(size), "%s", dti.memDataValue.pBuffer);
    return rc == VKE_OK && !text[0] ? VKE_NOT_DONE : rc;
}

int DlgSop::ReadInt(int slot, int* value)
{
    char text[CmnPathSize];
    int rc = ReadText(slot, text, sizeof(text));
    if (rc == VKE_NOT_DONE) return rc;
    if (rc != VKE_OK) return -1;
    rc = VkeSubChkInt(theCmnAppInf.pSub, text, VKE_INT_SIGNED, value);
    if (rc == VKE_OK) return rc;
    // Digits the int check refused may be a whole number too large for it.
    double number = 0.0;
    *value = 0;
    if (!strchr(text, '.') && VkeSubChkDbl(theCmnAppInf.pSub, text, &number) == VKE_OK && number > INT_MAX)
        return SopTooLarge;
    return -1;
}

void DlgSop::CheckWhole(VkiCtl* checked, int slot, int lo, int small, int big, int* value)
{
    int read = 0;
    int rc = ReadInt(slot, &read);
    if (rc == VKE_NOT_DONE) return;
    if (rc == SopTooLarge) RejectSlot(checked, slot, big);
    else if (rc != VKE_OK || read < lo) RejectSlot(checked, slot, small);
    else *value = read;
}

int DlgSop::ReadDbl(int slot, double* value)
{
    char text[CmnPathSize];
    int rc = ReadText(slot, text, sizeof(text));
    if (rc == VKE_NOT_DONE) return rc;
    if (rc != VKE_OK) return -1;
    rc = VkeSubChkDbl(theCmnAppInf.pSub, text, value);
    return rc == VKE_OK ? rc : -1;
}

void DlgSop::ChooseColor(int slot)
{
    if (!m_inf.bReady) return;
    VkeCtlChooseColor(m_inf.ppCtl[slot]);
    int modified = 0;
    if (VkeCtlGetModifiedFlag(m_inf.ppCtl[slot], &modified) == VKE_OK && modified == 1) SetModified();
}

void DlgSop::EnableSlot(int slot, bool enable)
{
    if (m_inf.phCtlWnd && m_inf.phCtlWnd[slot]) ::EnableWindow(m_inf.phCtlWnd[slot], enable);
}

LRESULT DlgSop::OnVkeWmSetChk(WPARAM wParam, LPARAM lParam)
{
    return RunSetChk(wParam, lParam, [this](int slot, int state) {
        if (m_bLoading || slot < 0 || state == 2) return;
        OnCheck(slot, state);
        EnableCtl();
        SetModified();
    });
}

// ---- The check ----

int DlgSop::GetData(VkiCtl* ctl, void* data, int mode)
{
    if (m_inf.bTerminating) return VKE_OK;
    if (!CheckReady("GetData")) return VKE_ERR_NOT_INIT;
    // The values a check or a load writes notify the page in turn: they are only shown.
    if (m_bChecking || m_bLoading) {
        if (ctl && mode == 1) VkeCtlSetWndFromDti(ctl);
        return VKE_OK;
    }
    if ((ctl && (!data || CtlSlot(ctl) < 0)) || (mode != 0 && mode != 1)) return Failed("GetData", VKE_ERR_ARG);
    if (ctl && mode == 1) VkeCtlSetWndFromDti(ctl);
    ClearError();
    for (int slot = 0; slot < m_inf.iCtlCnt; ++slot) {
        if (!Wanted(ctl, slot)) continue;
        VkeCtlSetErrorFlag(m_inf.ppCtl[slot], 0);
        VkeCtlSetErrorCode(m_inf.ppCtl[slot], 0);
    }
    m_bChecking = 1;
    Check(ctl);
    m_bChecking = 0;
    int modified = 0;
    if (ctl) VkeCtlGetModifiedFlag(ctl, &modified);
    else modified = CmnDlg::GetModifiedFlag();
    if (modified == 1) SetModified();
    if (m_inf.iErrCode != 0) SetDlgError();
    return m_inf.iErrCode;
}

// ---- Edits, Enter and Esc ----

int DlgSop::EditUnd()
{
    int rc = CmnDlg::EditUnd();
    SetModifiedIfCur();
    return rc;
}

int DlgSop::EditRdo()
{
    int rc = CmnDlg::EditRdo();
    SetModifiedIfCur();
    return rc;
}

int DlgSop::EditCut()
{
    int rc = CmnDlg::EditCut();
    SetModifiedIfCur();
    return rc;
}

int DlgSop::EditPst()
{
    int rc = CmnDlg::EditPst();
    SetModifiedIfCur();
    return rc;
}

int DlgSop::EditCle()
{
    int rc = CmnDlg::EditCle();
    SetModifiedIfCur();
    return rc;
}

void DlgSop::OnOK()
{
    if (m_pOwner && m_pOwner->m_hWnd) m_pOwner->PostMessage(WM_COMMAND, IDOK);
}

void DlgSop::OnCancel()
{
    if (m_pOwner && m_pOwner->m_hWnd) m_pOwner->PostMessage(WM_COMMAND, IDCANCEL);
}
