// The file-command panel: start and end, the controls' window procedure, the messages, the
// buttons' commands and states, Return, the data check and the filter. Places and tools are in
// DlbPnlFilCmdPla.cpp, the automatic display in DlbPnlFilCmdAut.cpp.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlFilCmd"
#include "DlbPnlFilCmd.h"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "CmnDlg.h"
#include "CmnRes.h"
#include "CmnWin.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "VkaPthLst.h"
#include <string.h>

namespace {

// The controls in slot order: type, item id, edit type and format.
struct CtlRow {
    int type;
    int id;
    int editType;
    const char* format;
};
const CtlRow kCtls[DlbPnlFilCmd::SlotCnt] = {
    {VKE_CTL_STATIC, IDC_FILCMD_PERLBL, VKE_EDIT_NONE, ""},
    {VKE_CTL_STATIC, IDC_FILCMD_PERUNT, VKE_EDIT_NONE, ""},
    {VKE_CTL_EDIT, IDC_FILCMD_PERIND, VKE_EDIT_INT, "%,v"},
    {VKE_CTL_BUTTON, IDC_FILCMD_OPNIMG, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_OPNDIR, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_LOCATE, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_REFRESH, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_STOP, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_AUTLST, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_AUTTAB, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_PLARUN, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_PLAADD, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_PLACHG, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_PLADEL, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_TOLRUN, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_TOLADD, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_TOLCHG, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_TOLDEL, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_RUNSEL, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_REPEAT, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_HISTORY, VKE_EDIT_NONE, ""},
    {VKE_CTL_BUTTON, IDC_FILCMD_FAVORITE, VKE_EDIT_NONE, ""},
    {VKE_CTL_COMBOBOX, IDC_FILCMD_PLACE, VKE_EDIT_NONE, ""},
    {VKE_CTL_COMBOBOX, IDC_FILCMD_FILTER, VKE_EDIT_NONE, ""},
    {VKE_CTL_COMBOBOX, IDC_FILCMD_TOOL, VKE_EDIT_NONE, ""},
};

// The four buttons that forward the main frame's commands.
struct FrameCmd {
    int id;
    UINT command;
};
const FrameCmd kFrameCmds[] = {{IDC_FILCMD_OPNIMG, ID_VKA_SEL_IMG_OPEN},
                               {IDC_FILCMD_OPNDIR, ID_VKA_SEL_DIR_OPEN},
                               {IDC_FILCMD_LOCATE, ID_VKA_VIEW_LOCATE},
                               {IDC_FILCMD_REFRESH, ID_VKA_VIEW_REFRESH}};

UINT FrameCommand(UINT id)
{
    for (const FrameCmd& c : kFrameCmds)
        if (static_cast<UINT>(c.id) == id) return c.command;
    return 0;
}

CWnd* MainFrame()
{
    HalcorApp* app = HalcorGetApp();
    return app ? app->GetMainFrame() : nullptr;
}

// text without its outer blanks into out (size bytes, cut to fit).
void TrimInto(char* out, size_t size, const char* text)
{
    snprintf(out, size, "%s", text);
    VkeSubTrimStr(theCmnAppInf.pSub, out);
}

// The file-list panel when its window stands, else null.
DlbPnlLscFil* FileListPanel()
{
    HalcorApp* app = HalcorGetApp();
    DlbPnlLscFil* list = app ? app->GetPnlLscFil() : nullptr;
    return list && list->m_hWnd ? list : nullptr;
}

// The check notices' guard, process-wide: a notice about the control being handled is refused.
int g_bInChk = 0;
HWND g_hChkWnd = nullptr;

} // namespace

LRESULT CALLBACK GF_DlbPnlFilCmdWndPrcBtn(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* panel = dynamic_cast<DlbPnlFilCmd*>(CWnd::FromHandlePermanent(::GetParent(hWnd)));
    WNDPROC previous = panel ? panel->PrevProc(hWnd) : nullptr;
    if (!previous) {
        CMN_TRACE("GF_DlbPnlFilCmdWndPrcBtn", VKE_ERR_SYSTEM);
        return 0;
    }
    return CmnRflToOwner(panel->m_hWnd, previous, hWnd, message, wParam, lParam);
}

BEGIN_MESSAGE_MAP(DlbPnlFilCmd, DlbPnl)
    ON_WM_TIMER()
    ON_MESSAGE(CmnWmRfl, &ThisClass::OnCmnWmRfl)
    ON_MESSAGE(VkeWmSetChk, &ThisClass::OnVkeWmSetChk)
    ON_MESSAGE(CmnWmChgSel, &ThisClass::OnCmnWmChgSel)
    ON_COMMAND_EX_RANGE(IDC_FILCMD_OPNIMG, IDC_FILCMD_REFRESH, &ThisClass::OnFrameCmd)
    ON_UPDATE_COMMAND_UI_RANGE(IDC_FILCMD_OPNIMG, IDC_FILCMD_REFRESH, &ThisClass::OnUpdateFrameCmd)
    ON_COMMAND_EX_RANGE(IDC_FILCMD_STOP, IDC_FILCMD_TOLDEL, &ThisClass::OnPanelCmd)
    ON_UPDATE_COMMAND_UI_RANGE(IDC_FILCMD_STOP, IDC_FILCMD_TOLDEL, &ThisClass::OnUpdatePanelCmd)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_FILCMD_PLACE, IDC_FILCMD_TOOL, &ThisClass::OnSelChangeCmb)
END_MESSAGE_MAP()

DlbPnlFilCmd::DlbPnlFilCmd()
    : m_bInit(0), m_amFilter(), m_bTimer(0), m_uTimer(0), m_hOrgWnd(nullptr), m_hOrgCtl(nullptr), m_pfnPrev()
{
}

DlbPnlFilCmd::~DlbPnlFilCmd()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

int DlbPnlFilCmd::Fail(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

// ---- Start and end ----

int DlbPnlFilCmd::Init()
{
    m_bInit = 0;
    // Not ready while the controls start: their values show as they are given.
    int rc = StartPanel(VkaPnlFilCmd, SlotCnt, 0);
    if (rc == VKE_OK) rc = m_menuPnl.LoadMenu(IDR_DLBPNL_FILCMD) ? SetMenuHandle(m_menuPnl.m_hMenu) : VKE_ERR_MEMORY;
    if (rc == VKE_OK) rc = InitCtl();
    if (rc == VKE_OK) rc = SetCmbFilPla();
    if (rc == VKE_OK) rc = SetCmbFlt();
    if (rc == VKE_OK) rc = SetCmbExtTol();
    if (rc != VKE_OK) {
        m_inf.bReady = 0;
        CMN_TRACE("Init", rc);
        return rc;
    }
    m_inf.bReady = 1;
    m_bInit = 1;
    const AppMem& filter = theCmnAppInf.lscFii.amFilter;
    SetFilter(filter.pBuffer ? filter.pBuffer : "", 0);
    return VKE_OK;
}

int DlbPnlFilCmd::InitCtl()
{
    const PciAii& aii = theAppInf.pciAii;
    char period[16];
    snprintf(period, sizeof(period), "%d", aii.iPerInd);
    const char* on[2] = {"0", "1"};
    const char* values[SlotCnt] = {};
    values[SlotPerInd] = period;
    values[SlotRunSel] = on[aii.bRunOnSelDir == 1];
    values[SlotRepeat] = on[aii.bRepeat == 1];
    values[SlotHistory] = on[ShownList() == 0];
    values[SlotFavorite] = on[ShownList() == 1];
    for (int slot = SlotOpnImg; slot <= SlotTolDel; ++slot) values[slot] = "";
    values[SlotPlace] = values[SlotFilter] = values[SlotTool] = "";
    if (m_inf.pCtlMenu && !m_inf.pCtlMenu->m_hMenu && !m_inf.pCtlMenu->LoadMenu(IDR_CMN_CTL_MENU)) return VKE_ERR_MEMORY;
    for (int slot = 0; slot < SlotCnt; ++slot) {
        const CtlRow& row = kCtls[slot];
        int rc = InitCtlSlot(slot, row.type, row.id, row.editType, row.format, values[slot]);
        if (rc == VKE_OK) rc = VkeCtlSetWindowProc(Ctl(slot), GF_DlbPnlFilCmdWndPrcBtn, &m_pfnPrev[slot]);
        if (rc != VKE_OK) return rc;
    }
    return VKE_OK;
}

WNDPROC DlbPnlFilCmd::PrevProc(HWND wnd) const
{
    for (int i = 0; m_inf.phCtlWnd && i < m_inf.iCtlCnt; ++i)
        if (m_inf.phCtlWnd[i] == wnd) return m_pfnPrev[i];
    return nullptr;
}

int DlbPnlFilCmd::Term()
{
    if (m_bInit) StopAutInd();
    m_bInit = 0;
    m_hOrgWnd = m_hOrgCtl = nullptr;
    return DlbPnl::Term();
}

// ---- Reflected messages and check notices ----

LRESULT DlbPnlFilCmd::OnCmnWmRfl(WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (!m_bInit || !msg || msg->message != WM_SETFOCUS || reinterpret_cast<HWND>(wParam) != CtlWnd(SlotTolRun)) return 0;
    HalcorApp* app = HalcorGetApp();
    if (!app || !app->GetChildViw()) return 0;
    // The control that lost the focus: of a panel or a dialog, found in its tables (a combo
    // box's edit part counts as its combo box).
    m_hOrgWnd = m_hOrgCtl = nullptr;
    HWND lost = reinterpret_cast<HWND>(msg->wParam);
    for (int up = 0; lost && up < 2; ++up, lost = ::GetParent(lost)) {
        const CmnDlgOpr* opr = CmnDlgOpr::FromWindow(::GetParent(lost));
        if (!opr) continue;
        CWnd* owner = &opr->GetWnd();
        const CmnDlgInf& inf = opr->GetCmnDlgInf();
        bool found = false;
        for (int i = 0; inf.phCtlWnd && i < inf.iCtlCnt; ++i) found = found || inf.phCtlWnd[i] == lost;
        for (int i = 0; inf.phDraWnd && i < inf.iDraCnt; ++i) found = found || inf.phDraWnd[i] == lost;
        if (!found) continue;
        m_hOrgWnd = owner->m_hWnd;
        m_hOrgCtl = lost;
        break;
    }
    return 0;
}

LRESULT DlbPnlFilCmd::OnVkeWmSetChk(WPARAM wParam, LPARAM lParam)
{
    if (!m_bInit) return 0;
    VkiCtl* ctl = reinterpret_cast<VkiCtl*>(wParam);
    int slot = CtlSlot(ctl);
    if (slot < 0) return Fail("OnVkeWmSetChk", VKE_ERR_ARG), 1;
    if (g_bInChk && g_hChkWnd == CtlWnd(slot)) return Fail("OnVkeWmSetChk", VKE_ERR_EXISTS), 1;
    g_bInChk = 1;
    g_hChkWnd = CtlWnd(slot);
    int on = lParam == 1 ? 1 : 0;
    PciAii& aii = theAppInf.pciAii;
    if (slot == SlotRunSel) aii.bRunOnSelDir = on;
    else if (slot == SlotRepeat) aii.bRepeat = on;
    else if ((slot == SlotHistory || slot == SlotFavorite) && on) {
        theAppInf.pciFpi.iMode = slot == SlotHistory ? 1 : 2;
        SetCmbFilPla();
    }
    g_bInChk = 0;
    g_hChkWnd = nullptr;
    return 1;
}

// ---- Commands ----

BOOL DlbPnlFilCmd::OnFrameCmd(UINT nID)
{
    CWnd* frame = MainFrame();
    if (m_bInit && frame && frame->m_hWnd) frame->PostMessage(WM_COMMAND, FrameCommand(nID));
    return TRUE;
}

void DlbPnlFilCmd::OnUpdateFrameCmd(CCmdUI* pCmdUI)
{
    CWnd* frame = MainFrame();
    UINT id = pCmdUI->m_nID, command = FrameCommand(id);
    pCmdUI->m_nID = command;
    BOOL handled = m_bInit && frame && frame->m_hWnd && frame->OnCmdMsg(command, CN_UPDATE_COMMAND_UI, pCmdUI, nullptr);
    pCmdUI->m_nID = id;
    if (!handled) pCmdUI->Enable(FALSE);
}

BOOL DlbPnlFilCmd::OnPanelCmd(UINT nID)
{
    if (m_bInit) RunPanelCmd(nID);
    return TRUE;
}

void DlbPnlFilCmd::OnUpdatePanelCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(IsPanelCmdEnabled(pCmdUI->m_nID)); }

int DlbPnlFilCmd::RunPanelCmd(UINT id)
{
    switch (id) {
    case IDC_FILCMD_STOP: return StopAutInd();
    case IDC_FILCMD_AUTLST: return AutInd(2);
    case IDC_FILCMD_AUTTAB: return AutInd(3);
    case IDC_FILCMD_PLARUN: return RunFilPla();
    case IDC_FILCMD_PLAADD: return AddFilPla();
    case IDC_FILCMD_PLACHG: return ChgFilPla();
    case IDC_FILCMD_PLADEL: return DelFilPla();
    case IDC_FILCMD_TOLRUN: return RunExtTol();
    case IDC_FILCMD_TOLADD: return AddExtTol();
    case IDC_FILCMD_TOLCHG: return ChgExtTol();
    case IDC_FILCMD_TOLDEL: return DelExtTol();
    default: return VKE_NOT_DONE;
    }
}

int DlbPnlFilCmd::IsPanelCmdEnabled(UINT id)
{
    HalcorApp* app = HalcorGetApp();
    if (!m_bInit || !app) return 0;
    bool tabView = app->GetChildViw() != nullptr;
    int listShown = 0;
    app->IsPnlLscFil(&listShown);
    VkaPthLst favorites = VkaPthLst::Fpi(1), tools = VkaPthLst::Eti();
    bool favShown = ShownList() == 1;
    switch (id) {
    case IDC_FILCMD_STOP: return m_bTimer;
    case IDC_FILCMD_AUTLST: return !m_bTimer && tabView && listShown;
    case IDC_FILCMD_AUTTAB: return !m_bTimer && tabView;
    case IDC_FILCMD_PLARUN:
        return ShownList() >= 0 && app->GetPnlTrcFld() && app->GetPnlTrcFld()->m_hWnd && app->GetPnlLscFil() &&
               app->GetPnlLscFil()->m_hWnd;
    case IDC_FILCMD_PLAADD: return favShown && !favorites.IsFull();
    case IDC_FILCMD_PLACHG:
    case IDC_FILCMD_PLADEL: return favShown && favorites.Count() > 0;
    case IDC_FILCMD_TOLRUN: return 1;
    case IDC_FILCMD_TOLADD: return !tools.IsFull();
    case IDC_FILCMD_TOLCHG:
    case IDC_FILCMD_TOLDEL: return tools.Count() > 0 && tools.Index() >= 0;
    default: return 0;
    }
}

// ---- Return ----

BOOL DlbPnlFilCmd::PreTranslateMessage(MSG* pMsg)
{
    if (!m_bInit || pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_RETURN) return DlbPnl::PreTranslateMessage(pMsg);
    HWND focus = ::GetFocus();
    int slot = CtlSlotByWnd(focus);
    if (slot < 0 && focus) slot = CtlSlotByWnd(::GetParent(focus)); // a combo box's edit part
    if (slot == SlotPlace) return RunFilPla(), TRUE;
    if (slot == SlotTool) return RunExtTol(), TRUE;
    if (slot >= SlotOpnImg && slot <= SlotTolDel) {
        UINT id = static_cast<UINT>(kCtls[slot].id);
        if (::IsWindowEnabled(CtlWnd(slot))) {
            if (FrameCommand(id)) OnFrameCmd(id);
            else RunPanelCmd(id);
        }
        return TRUE;
    }
    return DlbPnl::PreTranslateMessage(pMsg);
}

// ---- Data ----

int DlbPnlFilCmd::GetData(VkiCtl* ctl, void* data, int mode)
{
    if (m_inf.bTerminating) return VKE_OK;
    int rc = DlbPnl::GetData(ctl, data, mode);
    // A control's own check (its value shown or left) reads only the interval; the settings
    // follow the check boxes through their notices and the filter on Return.
    if (!m_bInit || (ctl && ctl != Ctl(SlotPerInd))) return rc;
    ClearError();
    Dti& dti = m_inf.dti;
    int got = VkeCtlGetDti(Ctl(SlotPerInd), &dti);
    long long value = got == VKE_OK && !dti.iError && dti.memDataValue.pBuffer ? atoll(dti.memDataValue.pBuffer) : 0;
    if (value >= 1 && value <= INT_MAX) theAppInf.pciAii.iPerInd = static_cast<int>(value);
    else SetError(CtlWnd(SlotPerInd), IDS_VKA_BAD_PERIOD);
    if (ctl) return m_inf.iErrCode;
    char on[8] = {};
    PciAii& aii = theAppInf.pciAii;
    if (VkeCtlGetDataValue(Ctl(SlotRunSel), on, sizeof(on)) == VKE_OK) aii.bRunOnSelDir = strcmp(on, "1") == 0;
    if (VkeCtlGetDataValue(Ctl(SlotRepeat), on, sizeof(on)) == VKE_OK) aii.bRepeat = strcmp(on, "1") == 0;
    for (int slot : {SlotHistory, SlotFavorite}) {
        int list = slot == SlotHistory ? 1 : 2;
        if (VkeCtlGetDataValue(Ctl(slot), on, sizeof(on)) != VKE_OK || strcmp(on, "1") != 0 ||
            theAppInf.pciFpi.iMode == list)
            continue;
        theAppInf.pciFpi.iMode = list;
        SetCmbFilPla();
    }
    char text[sizeof(m_amFilter)] = {};
    ::GetWindowTextA(CtlWnd(SlotFilter), text, sizeof(text));
    SetFilter(text, 0);
    return m_inf.iErrCode;
}

// ---- Filter ----

int DlbPnlFilCmd::SetCmbFlt()
{
    HWND combo = CtlWnd(SlotFilter);
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    Fte* fte = nullptr;
    for (int n = 1; theVkaSubDat.SchFte(n, &fte) == VKE_OK && fte; ++n) {
        const char* name = fte->amDes.pBuffer ? fte->amDes.pBuffer : "";
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    ShowLine(SlotFilter, 0);
    return VKE_OK;
}

int DlbPnlFilCmd::SelectFlt(int n, int notify)
{
    Fte* fte = nullptr;
    int lines = static_cast<int>(::SendMessageA(CtlWnd(SlotFilter), CB_GETCOUNT, 0, 0));
    if (n < 1 || n > lines || theVkaSubDat.SchFte(n, &fte) != VKE_OK || !fte) return SetFlt("", notify);
    if (DlbPnlLscFil* list = FileListPanel()) list->SetFilter(fte->amExtLst.pBuffer ? fte->amExtLst.pBuffer : "");
    char line[sizeof(m_amFilter)] = {};
    LineText(SlotFilter, n - 1, line, sizeof(line));
    VkeSubTrimStr(theCmnAppInf.pSub, line);
    if (strcmp(line, m_amFilter) == 0) return VKE_OK;
    snprintf(m_amFilter, sizeof(m_amFilter), "%s", line);
    ShowLine(SlotFilter, n - 1, notify);
    return VKE_OK;
}

int DlbPnlFilCmd::SetFlt(const char* text, int notify)
{
    if (!text) return Fail("SetFlt", VKE_ERR_ARG);
    char trimmed[sizeof(m_amFilter)] = {};
    TrimInto(trimmed, sizeof(trimmed), text);
    if (!m_bInit) {
        memcpy(m_amFilter, trimmed, sizeof(m_amFilter));
        return VKE_OK;
    }
    if (strcmp(trimmed, m_amFilter) == 0) return VKE_NOT_DONE;
    memcpy(m_amFilter, trimmed, sizeof(m_amFilter));
    // No type's line stands for a free text. Taking the line off empties the box, and the
    // control takes a value it holds already as no change: the box gets the text itself.
    HWND combo = CtlWnd(SlotFilter);
    if (::SendMessageA(combo, CB_GETCURSEL, 0, 0) != CB_ERR) ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    char shown[sizeof(m_amFilter)] = {};
    ::GetWindowTextA(combo, shown, sizeof(shown));
    if (strcmp(shown, m_amFilter) != 0) ::SetWindowTextA(combo, m_amFilter);
    VkeCtlSetDataValue(Ctl(SlotFilter), m_amFilter, notify);
    if (DlbPnlLscFil* list = FileListPanel()) list->SetFilter(m_amFilter);
    return VKE_OK;
}

int DlbPnlFilCmd::SetFilter(const char* text, int notify)
{
    if (!text) return Fail("SetFilter", VKE_ERR_ARG);
    char trimmed[sizeof(m_amFilter)] = {};
    TrimInto(trimmed, sizeof(trimmed), text);
    const int line = m_bInit && *trimmed ? ExactLine(SlotFilter, trimmed) : -1;
    return line >= 0 ? SelectFlt(line + 1, notify) : SetFlt(trimmed, notify);
}

void DlbPnlFilCmd::OnSelChangeCmb(UINT nID)
{
    if (!m_bInit) return;
    int slot = nID == IDC_FILCMD_PLACE ? SlotPlace : nID == IDC_FILCMD_FILTER ? SlotFilter : SlotTool;
    int line = static_cast<int>(::SendMessageA(CtlWnd(slot), CB_GETCURSEL, 0, 0));
    if (line == CB_ERR) return;
    if (slot == SlotFilter) {
        SelectFlt(line + 1, 0);
        ShowLine(SlotFilter, line);
        CmnLscFil* lsc = VisibleFileList();
        if (lsc && lsc->IsWindowVisible() && lsc->IsWindowEnabled()) theCmnSub.PostSetFocus(lsc->m_hWnd);
        return;
    }
    if (slot == SlotPlace && ShownList() < 0) return;
    VkaPthLst list = slot == SlotPlace ? VkaPthLst::Fpi(ShownList()) : VkaPthLst::Eti();
    list.Select(slot == SlotTool ? line - 1 : line);
    ShowLine(slot, line);
}
