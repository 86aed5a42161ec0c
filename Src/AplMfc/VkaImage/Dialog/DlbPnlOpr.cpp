// The operation panel: its controls, the values they show and take, their enable states, its
// buttons and the print target its print buttons record.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlOpr"
#include "DlbPnlOpr.h"
#include "ChildViw.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "DlgImg.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

namespace {

// The controls in slot order: kind, item, edit type and format.
struct CtlRow {
    int type;
    int id;
    int editType;
    const char* format;
};
const CtlRow kCtls[OprCtlCnt] = {
    {VKE_CTL_STATIC, IDC_DLBPNL_OPR_LBL_WID, VKE_EDIT_NONE, ""},
    {VKE_CTL_STATIC, IDC_DLBPNL_OPR_LBL_HEI, VKE_EDIT_NONE, ""},
    {VKE_CTL_STATIC, IDC_DLBPNL_OPR_LBL_FIT, VKE_EDIT_NONE, ""},
    {VKE_CTL_EDIT, IDC_DLBPNL_OPR_WIDTH, VKE_EDIT_INT, "%,v"},
    {VKE_CTL_EDIT, IDC_DLBPNL_OPR_HEIGHT, VKE_EDIT_INT, "%,v"},
    {VKE_CTL_EDIT, IDC_DLBPNL_OPR_HEADER, VKE_EDIT_TEXT, ""},
    {VKE_CTL_EDIT, IDC_DLBPNL_OPR_FOOTER, VKE_EDIT_TEXT, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_CUT, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_PRINT, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_PRT_ALL, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_SET_ALL, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_PREVIEW, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_SETUP, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_FNT_HDR, VKE_EDIT_FONT, "%x"},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_FNT_FTR, VKE_EDIT_FONT, "%x"},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_SHWFRM, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_PAGSET, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_CLBMON, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_OMTDLG, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_HDRON, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_FTRON, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_MOD_FREE, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_MOD_SIZE, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_MOD_RATIO, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_HRZ, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_VRT, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_ORI_CUR, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_ORI_AUTO, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_ORI_LAND, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_DLBPNL_OPR_ORI_PORT, VKE_EDIT_NONE, ""},
    {VKE_CTL_COMBOBOX, IDC_DLBPNL_OPR_FIT, VKE_EDIT_NONE, ""}};

// The buttons that run the frame's commands, and the command each runs.
struct FrameRow {
    UINT id;
    UINT command;
};
const FrameRow kFrameCmds[] = {{IDC_DLBPNL_OPR_PRINT, ID_FILE_PRINT},
                               {IDC_DLBPNL_OPR_PRT_ALL, ID_VKA_PRINT_ALL},
                               {IDC_DLBPNL_OPR_SET_ALL, ID_VKA_SETUP_ALL},
                               {IDC_DLBPNL_OPR_PREVIEW, ID_FILE_PRINT_PREVIEW},
                               {IDC_DLBPNL_OPR_SETUP, ID_FILE_PAGE_SETUP}};

UINT FrameCommand(UINT id)
{
    for (const FrameRow& row : kFrameCmds)
        if (row.id == id) return row.command;
    return 0;
}

// The radio groups: first and last slot, and the value of the first (the others count on).
struct RadioGroup {
    int first, last, base;
};
const RadioGroup kRadios[] = {{OprCtlModFree, OprCtlModRatio, 1}, {OprCtlHrz, OprCtlVrt, 0}, {OprCtlOriCur, OprCtlPortrait, 1}};

const RadioGroup* GroupOf(int slot)
{
    for (const RadioGroup& g : kRadios)
        if (slot >= g.first && slot <= g.last) return &g;
    return nullptr;
}

// A radio button's value within its group (the leading side counts down: 24 is 1, 25 is 0).
int RadioValue(const RadioGroup& g, int slot) { return g.base == 0 ? g.last - slot : g.base + slot - g.first; }

bool IsCheckBox(int slot) { return slot >= OprCtlShwFrm && slot <= OprCtlFtrOn; }

// The slot whose shown value stands for the control's: a radio group's first member for the group.
int ShownSlot(int slot)
{
    const RadioGroup* g = GroupOf(slot);
    return g ? g->first : slot;
}

// The messages by which a control's value may change other than by the panel's own writing:
// input, the focus that input needs, and values put in from outside.
bool MayChangeValue(UINT message)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_SETTEXT:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
    case BM_CLICK:
    case BM_SETCHECK:
    case CB_SETCURSEL:
    case CB_SELECTSTRING: return true;
    default: return false;
    }
}

// The buttons that run a command and hold no value.
bool IsPush(int slot) { return slot == OprCtlCut || (slot >= OprCtlPrint && slot <= OprCtlSetup); }

// A positive whole number in text; false for anything else (nothing, signs, letters, too large).
bool PositiveInt(const char* text, int* out)
{
    if (!text[0]) return false;
    errno = 0;
    char* end = nullptr;
    long long v = strtoll(text, &end, 10);
    if (errno || *end || v < 1 || v > INT_MAX) return false;
    *out = static_cast<int>(v);
    return true;
}

CString Text(AppMem& text)
{
    char buffer[CmnPathSize] = {};
    VkeSubGetAppMemStr(theCmnAppInf.pSub, &text, buffer, sizeof(buffer));
    return CString(buffer);
}

CWnd* MainFrame()
{
    HalcorApp* app = HalcorGetApp();
    return app ? app->GetMainFrame() : nullptr;
}

// The tip text handed to the tooltip; it reads the text after the request returns.
char s_tipText[LF_FACESIZE + 1];

} // namespace

LRESULT CALLBACK GF_DlbPnlOprWndPrcBtn(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DlbPnlOpr* panel = dynamic_cast<DlbPnlOpr*>(CWnd::FromHandlePermanent(::GetParent(hWnd)));
    WNDPROC prev = panel ? panel->PrevProc(hWnd) : nullptr;
    if (!prev) {
        CMN_TRACE("GF_DlbPnlOprWndPrcBtn", VKE_ERR_SYSTEM);
        return 0;
    }
    return CmnRflToOwner(panel->m_hWnd, prev, hWnd, message, wParam, lParam);
}

BEGIN_MESSAGE_MAP(DlbPnlOpr, DlbPnl)
    ON_MESSAGE(CmnWmRfl, &ThisClass::OnCmnWmRfl)
    ON_MESSAGE(VkeWmSetChk, &ThisClass::OnVkeWmSetChk)
    ON_COMMAND(IDC_DLBPNL_OPR_CUT, &ThisClass::OnCut)
    ON_UPDATE_COMMAND_UI(IDC_DLBPNL_OPR_CUT, &ThisClass::OnUpdateCut)
    ON_COMMAND_EX_RANGE(IDC_DLBPNL_OPR_PRINT, IDC_DLBPNL_OPR_SETUP, &ThisClass::OnFrameCmd)
    ON_UPDATE_COMMAND_UI_RANGE(IDC_DLBPNL_OPR_PRINT, IDC_DLBPNL_OPR_SETUP, &ThisClass::OnUpdateFrameCmd)
    ON_COMMAND_EX_RANGE(IDC_DLBPNL_OPR_FNT_HDR, IDC_DLBPNL_OPR_FNT_FTR, &ThisClass::OnFontBtn)
END_MESSAGE_MAP()

DlbPnlOpr::DlbPnlOpr() : m_iCtlChg(-1), m_pfnPrev(), m_bShown() {}

DlbPnlOpr::~DlbPnlOpr()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

// ---- Start ----

int DlbPnlOpr::Init()
{
    m_iCtlChg = -1;
    int rc = StartPanel(VkaPnlOpr, OprCtlCnt, 0);
    if (rc != VKE_OK) return rc;
    if (!m_inf.pDlgMenu->LoadMenu(IDR_DLBPNL_OPR) || !m_inf.pCtlMenu->LoadMenu(IDR_CMN_CTL_MENU)) rc = VKE_ERR_MEMORY;
    if (rc == VKE_OK) rc = SetMenuHandle(m_inf.pDlgMenu->m_hMenu);
    // The page fitting's lines before its control takes its value.
    HWND fit = ::GetDlgItem(m_hWnd, IDC_DLBPNL_OPR_FIT);
    for (int i = 0; rc == VKE_OK && i < 6; ++i)
        if (::SendMessageA(fit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(
                                                       theCmnSub.GetMsgStr(IDS_DLBPNL_OPR_FIT_1 + i)))) < 0)
            rc = VKE_ERR_MEMORY;
    if (rc == VKE_OK) rc = InitCtl();
    if (rc != VKE_OK) {
        CMN_TRACE("Init", rc);
        return rc;
    }
    m_inf.bReady = 1;
    EnableCtl();
    return VKE_OK;
}

int DlbPnlOpr::InitCtl()
{
    int rc = VKE_OK;
    for (int slot = 0; slot < OprCtlCnt && rc == VKE_OK; ++slot) {
        const CtlRow& row = kCtls[slot];
        // Labels and push buttons show their own texts.
        const bool own = slot < OprCtlWidth || IsPush(slot);
        rc = InitCtlSlot(slot, row.type, row.id, row.editType, row.format, own ? nullptr : static_cast<const char*>(ValueOf(slot)));
        // Shown values are known from the first write on.
        m_bShown[slot] = 0;
        if (rc == VKE_OK) rc = VkeCtlSetWindowProc(m_inf.ppCtl[slot], GF_DlbPnlOprWndPrcBtn, &m_pfnPrev[slot]);
    }
    if (rc != VKE_OK) CMN_TRACE("InitCtl", rc);
    return rc;
}

WNDPROC DlbPnlOpr::PrevProc(HWND wnd) const
{
    for (int i = 0; m_inf.phCtlWnd && i < m_inf.iCtlCnt; ++i)
        if (m_inf.phCtlWnd[i] == wnd) return m_pfnPrev[i];
    return nullptr;
}

// ---- Values ----

DlgImg* DlbPnlOpr::GetDlgImg()
{
    HalcorApp* app = HalcorGetApp();
    HalcorViw* view = app ? app->GetImgViw() : nullptr;
    int index = -1;
    if (!view || view->GetCurSel(&index) != VKE_OK || index < 0) return nullptr;
    return view->GetImgPage(index);
}

CString DlbPnlOpr::ValueOf(int slot)
{
    Poi& poi = theAppInf.poi;
    CString text;
    auto flag = [](int value) { return CString(value == 1 ? "1" : "0"); };
    if (const RadioGroup* g = GroupOf(slot)) {
        const int value = g->first == OprCtlModFree ? poi.fri.iMode : g->first == OprCtlHrz ? poi.fri.bHrzSca
                                                                                             : poi.pri.iOrientation;
        return flag(value == RadioValue(*g, slot) ? 1 : 0);
    }
    switch (slot) {
    case OprCtlWidth: text.Format("%d", poi.fri.iWidth); return text;
    case OprCtlHeight: text.Format("%d", poi.fri.iHeight); return text;
    case OprCtlHeader: return Text(poi.pri.amHeader);
    case OprCtlFooter: return Text(poi.pri.amFooter);
    case OprCtlFntHdr: return Text(poi.pri.amLogFontHdr);
    case OprCtlFntFtr: return Text(poi.pri.amLogFontFtr);
    case OprCtlShwFrm: return flag(poi.fri.bShwFrm);
    case OprCtlPagSet: return flag(poi.fri.bPagSet);
    case OprCtlClbMon: return flag(poi.fri.bClbMon);
    case OprCtlOmtDlg: return flag(poi.pri.bOmtDlgPrt);
    case OprCtlHdrOn: return flag(poi.pri.bHeader);
    case OprCtlFtrOn: return flag(poi.pri.bFooter);
    case OprCtlFit:
        return poi.pri.iMode >= 1 && poi.pri.iMode <= 6 ? theCmnSub.GetMsgStr(IDS_DLBPNL_OPR_FIT_1 + poi.pri.iMode - 1)
                                                        : CString();
    default: return text;
    }
}

CString DlbPnlOpr::ShownKey(int slot)
{
    const RadioGroup* g = GroupOf(slot);
    if (!g) return ValueOf(slot);
    // A group's value: the member that is on (none: "-").
    for (int i = g->first; i <= g->last; ++i)
        if (ValueOf(i) == "1") return CString(std::to_string(i).c_str());
    return CString("-");
}

void DlbPnlOpr::ForgetShown(int slot)
{
    if (slot >= 0 && slot < OprCtlCnt) m_bShown[ShownSlot(slot)] = 0;
}

void DlbPnlOpr::WriteCtl(int slot, int notify)
{
    // A control that still shows what was written to it last, unchanged since, is left alone:
    // writing a control repaints it.
    const int key = ShownSlot(slot);
    const CString value = ShownKey(slot);
    if (m_bShown[key] && m_strShown[key] == value) return;
    const RadioGroup* g = GroupOf(slot);
    const int first = g ? g->first : slot, last = g ? g->last : slot;
    int on = -1;
    for (int i = first; g && i <= last; ++i)
        if (ValueOf(i) == "1") on = i;
    for (int i = first; i <= last; ++i) {
        // A group's value is set through its member that is on; with none on, each goes off.
        if (g && on >= 0 && i != on) continue;
        VkiCtl* ctl = m_inf.ppCtl[i];
        VkeCtlSetDataValue(ctl, ValueOf(i), notify);
        // The application's values are no change the user made.
        VkeCtlSetModifiedFlag(ctl, 0);
    }
    m_strShown[key] = value;
    m_bShown[key] = 1;
}

int DlbPnlOpr::SetData(int index, int notify)
{
    if (!m_inf.bReady) return VKE_ERR_NOT_INIT;
    if ((index != -1 && (index < OprCtlWidth || index >= OprCtlCnt)) || (notify != 0 && notify != 1))
        return Fail("SetData", VKE_ERR_ARG);
    for (int slot = OprCtlWidth; slot < OprCtlCnt; ++slot) {
        if ((index == -1 ? slot == m_iCtlChg : slot != index) || IsPush(slot)) continue;
        WriteCtl(slot, notify);
    }
    return EnableCtl();
}

int DlbPnlOpr::ReadCtlData()
{
    if (!m_inf.bReady) return VKE_ERR_NOT_INIT;
    // A control takes its value when the focus leaves it: only one holding the focus can hold a
    // value not yet taken.
    HWND focus = ::GetFocus();
    if (!focus || (focus != m_hWnd && !::IsChild(m_hWnd, focus))) return m_inf.iErrCode;
    return GetData(nullptr, nullptr, 0);
}

int DlbPnlOpr::GetData(VkiCtl* ctl, void* data, int mode)
{
    if (m_inf.bTerminating) return VKE_OK;
    int rc = DlbPnl::GetData(ctl, data, mode);
    // Not ready or a bad call: the base said so.
    if (!m_inf.bReady || (ctl && !data) || (mode != 0 && mode != 1)) return rc;
    const int slot = ctl ? CtlSlot(ctl) : -1;
    if (ctl && slot < 0) return rc;
    for (int i = ctl ? slot : OprCtlWidth; i < (ctl ? slot + 1 : OprCtlCnt); ++i) ApplyCtl(i);
    return m_inf.iErrCode;
}

bool DlbPnlOpr::ApplyCtl(int slot)
{
    VkiCtl* ctl = m_inf.ppCtl[slot];
    if (!ctl || IsPush(slot)) return true;
    // Only a value the user changed counts: an unchanged control shows the application's value
    // already, and one left behind by a change made elsewhere must not undo that change.
    int modified = 0;
    VkeCtlGetModifiedFlag(ctl, &modified);
    if (modified != 1) return true;
    // What it shows now is the user's: the next write puts the application's value in again.
    ForgetShown(slot);
    char value[1024] = {};
    VkeCtlGetDataValue(ctl, value, sizeof(value));
    int error = 0;
    VkeCtlGetErrorFlag(ctl, &error);
    const int kept = m_iCtlChg;
    m_iCtlChg = slot;
    bool ok = true;
    const Fri& fri = theAppInf.poi.fri;
    if (slot == OprCtlWidth || slot == OprCtlHeight) {
        int size = 0;
        ok = !error && PositiveInt(value, &size);
        const bool width = slot == OprCtlWidth;
        if (ok) {
            SetFrmSiz(width ? size : fri.iWidth, width ? fri.iHeight : size, 1);
        } else {
            // A size below 1 keeps the old one; the edit shows the size's own message.
            const int code = width ? IDS_DLBPNL_OPR_BAD_WID : IDS_DLBPNL_OPR_BAD_HEI;
            HWND wnd = m_inf.phCtlWnd[slot];
            if (m_inf.hErrWnd == wnd) {
                VkeCtlSetErrorCode(ctl, code);
                m_inf.iErrCode = code;
            } else {
                SetError(wnd, code);
            }
        }
    } else if (error) {
        ok = false;
    } else if (GroupOf(slot)) {
        if (strcmp(value, "1") == 0) OnCheck(slot, 1);
    } else if (IsCheckBox(slot)) {
        OnCheck(slot, strcmp(value, "1") == 0 ? 1 : 0);
    } else {
        switch (slot) {
        case OprCtlHeader: SetPrtHdrStr(value, 1); break;
        case OprCtlFooter: SetPrtFtrStr(value, 1); break;
        case OprCtlFntHdr:
            if (value[0]) SetPrtHdrFnt(value, 1);
            break;
        case OprCtlFntFtr:
            if (value[0]) SetPrtFtrFnt(value, 1);
            break;
        case OprCtlFit: {
            LRESULT line = ::SendMessageA(m_inf.phCtlWnd[slot], CB_GETCURSEL, 0, 0);
            if (line >= 0) SetPrtMod(static_cast<int>(line) + 1, 1);
            break;
        }
        default: break;
        }
    }
    m_iCtlChg = kept;
    return ok;
}

void DlbPnlOpr::OnCheck(int slot, int state)
{
    if (const RadioGroup* g = GroupOf(slot)) {
        if (state != 1) return;
        const int value = RadioValue(*g, slot);
        if (g->first == OprCtlModFree) SetFrmMod(value, 1);
        else if (g->first == OprCtlHrz) SetHrzScaFlag(value, 1);
        else SetPrtOriFlag(value, 1);
        return;
    }
    if (state != 0 && state != 1) return;
    switch (slot) {
    case OprCtlShwFrm: SetShwFrmFlag(state, 1); break;
    case OprCtlPagSet: SetPagSetFlag(state, 1); break;
    case OprCtlClbMon: SetClbMonFlag(state, 1); break;
    case OprCtlOmtDlg: SetOmtDlgPrtFlag(state, 1); break;
    case OprCtlHdrOn: SetPrtHdrFlag(state, 1); break;
    case OprCtlFtrOn: SetPrtFtrFlag(state, 1); break;
    default: break;
    }
}

LRESULT DlbPnlOpr::OnVkeWmSetChk(WPARAM wParam, LPARAM lParam)
{
    return RunSetChk(wParam, lParam, [this](int slot, int state) {
        ForgetShown(slot);
        const int kept = m_iCtlChg;
        m_iCtlChg = slot;
        OnCheck(slot, state);
        m_iCtlChg = kept;
    });
}

int DlbPnlOpr::EnableCtl()
{
    if (!m_inf.bReady) return VKE_ERR_NOT_INIT;
    const int mode = GetFrmMod(), pagSet = GetPagSetFlag();
    const bool known = mode >= 1 && mode <= 3, ratio = mode == 3;
    const bool free = ratio && pagSet != 1; // a fixed ratio of the user's own terms
    const Pri& pri = theAppInf.poi.pri;
    const struct {
        int slot;
        bool on;
    } states[] = {{OprCtlPagSet, ratio},
                  {OprCtlHrz, ratio},
                  {OprCtlVrt, ratio},
                  {OprCtlWidth, mode == 2 || free},
                  {OprCtlHeight, mode == 2 || free},
                  {OprCtlOriCur, known && (!ratio || free)},
                  {OprCtlOriCur + 1, known && (!ratio || free)},
                  {OprCtlLandscape, known},
                  {OprCtlPortrait, known},
                  {OprCtlFntHdr, pri.bHeader == 1},
                  {OprCtlHeader, pri.bHeader == 1},
                  {OprCtlFntFtr, pri.bFooter == 1},
                  {OprCtlFooter, pri.bFooter == 1}};
    for (const auto& s : states)
        if (HWND wnd = m_inf.phCtlWnd[s.slot])
            if ((::IsWindowEnabled(wnd) != FALSE) != s.on) ::EnableWindow(wnd, s.on);
    return VKE_OK;
}

// ---- Keys and tips ----

BOOL DlbPnlOpr::PreTranslateMessage(MSG* pMsg)
{
    if (m_inf.bReady && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        HWND focus = ::GetFocus();
        const int slot = CtlSlotByWnd(focus);
        const bool button = slot == OprCtlCut || (slot >= OprCtlPrint && slot <= OprCtlFntFtr);
        if (button && ::IsWindowEnabled(focus)) {
            SendMessage(WM_COMMAND, MAKEWPARAM(kCtls[slot].id, BN_CLICKED), reinterpret_cast<LPARAM>(focus));
            return TRUE;
        }
    }
    return DlbPnl::PreTranslateMessage(pMsg);
}

BOOL DlbPnlOpr::OnTtnNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTTDISPINFOA* info = reinterpret_cast<const NMTTDISPINFOA*>(pNMHDR);
    const int slot = m_inf.bReady && info && (info->uFlags & TTF_IDISHWND)
                         ? CtlSlotByWnd(reinterpret_cast<HWND>(pNMHDR->idFrom))
                         : -1;
    if (slot != OprCtlFntHdr && slot != OprCtlFntFtr) return DlbPnl::OnTtnNeedText(id, pNMHDR, pResult);
    char value[1024] = {};
    LOGFONTA font = {};
    VkeCtlGetDataValue(m_inf.ppCtl[slot], value, sizeof(value));
    if (!value[0] || theCmnSub.GetFont(value, &font) != VKE_OK) return FALSE;
    snprintf(s_tipText, sizeof(s_tipText), "%s", font.lfFaceName);
    reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->lpszText = s_tipText;
    reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->hinst = nullptr;
    if (pResult) *pResult = 0;
    return TRUE;
}

// ---- The print target ----

// The print, preview and page set-up buttons record, as they take the focus, the panel or dialog
// whose control had it, so that the command addresses that window and gives the focus back.
// Leaving the button otherwise forgets it: a later Ctrl+P would print that window, or a page
// closed since.
LRESULT DlbPnlOpr::OnCmnWmRfl(WPARAM, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (m_inf.bReady && msg && MayChangeValue(msg->message)) ForgetShown(CtlSlotByWnd(msg->hwnd));
    if (!m_inf.bReady || !msg || (msg->message != WM_SETFOCUS && msg->message != WM_KILLFOCUS)) return 0;
    const int id = ::GetDlgCtrlID(msg->hwnd);
    if (id != IDC_DLBPNL_OPR_PRINT && id != IDC_DLBPNL_OPR_PREVIEW && id != IDC_DLBPNL_OPR_SETUP) return 0;
    HalcorApp* app = HalcorGetApp();
    ChildViw* view = app ? app->GetChildViw() : nullptr;
    if (!view) return 0;
    if (msg->message == WM_KILLFOCUS) {
        view->ForgetPrintTarget();
        return 0;
    }
    HWND before = reinterpret_cast<HWND>(msg->wParam);
    HWND parent = before ? ::GetParent(before) : nullptr;
    char name[16] = {};
    if (parent && ::GetClassNameA(parent, name, sizeof(name)) && _stricmp(name, "ComboBox") == 0) {
        before = parent; // a combo box's edit
        parent = ::GetParent(parent);
    }
    CmnDlgOpr* opr = CmnDlgOpr::FromWindow(parent);
    if (!opr) return 0;
    CWnd* owner = &opr->GetWnd();
    const CmnDlgInf& inf = opr->GetCmnDlgInf();
    bool found = false;
    for (int i = 0; !found && inf.phCtlWnd && i < inf.iCtlCnt; ++i) found = inf.phCtlWnd[i] == before;
    for (int i = 0; !found && inf.phDraWnd && i < inf.iDraCnt; ++i) found = inf.phDraWnd[i] == before;
    if (found) view->SetPrintTarget(owner, before);
    return 0;
}

// ---- Buttons ----

void DlbPnlOpr::OnCut()
{
    DlgImg* page = GetDlgImg();
    if (!m_inf.bReady || !page || !page->IsFrmShown()) return;
    page->EditCutDirect();
    SetData(-1, 0);
}

void DlbPnlOpr::OnUpdateCut(CCmdUI* pCmdUI)
{
    DlgImg* page = m_inf.bReady ? GetDlgImg() : nullptr;
    pCmdUI->Enable(page && page->IsFrmShown());
}

BOOL DlbPnlOpr::OnFrameCmd(UINT nID)
{
    const UINT command = FrameCommand(nID);
    if (!m_inf.bReady || !command) return FALSE;
    RunPrintCmd(command);
    return TRUE;
}

void DlbPnlOpr::OnUpdateFrameCmd(CCmdUI* pCmdUI)
{
    const UINT id = pCmdUI->m_nID, command = FrameCommand(id);
    CWnd* frame = MainFrame();
    // The frame's item state of the command the button runs.
    pCmdUI->m_nID = command;
    if (!m_inf.bReady || !frame || !command || !frame->OnCmdMsg(command, CN_UPDATE_COMMAND_UI, pCmdUI, nullptr))
        pCmdUI->Enable(FALSE);
    pCmdUI->m_nID = id;
}

BOOL DlbPnlOpr::OnFontBtn(UINT nID)
{
    const int slot = nID == IDC_DLBPNL_OPR_FNT_HDR ? OprCtlFntHdr : OprCtlFntFtr;
    if (!m_inf.bReady) return FALSE;
    EndDrag();
    if (VkeCtlChooseFont(m_inf.ppCtl[slot], 0) != VKE_OK) return TRUE;
    ForgetShown(slot);
    char value[1024] = {};
    VkeCtlGetDataValue(m_inf.ppCtl[slot], value, sizeof(value));
    if (slot == OprCtlFntHdr) SetPrtHdrFnt(value, 1);
    else SetPrtFtrFnt(value, 1);
    return TRUE;
}
