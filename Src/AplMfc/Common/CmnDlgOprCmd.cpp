// The bodies of the message handlers dialogs and panels share: edit, scale, print and chooser
// commands with their item states, the wheel and the scroll bars of the drawing areas, popup
// menus, the data check of a control, changed settings and the tooltip of an input error.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlg"
#include "CmnDlgOpr.h"
#include "CmnApp.h"
#include "CmnRes.h"
#include "CmnWin.h"
#include <stdio.h>
#include <string.h>

namespace {

// The tip text handed to the tooltip; it reads the text after the request returns.
char s_tipText[1024];

// The check notice being handled, for every dialog and panel of the process.
int s_bInChk = 0;
HWND s_hChkWnd = nullptr;

bool InGuardedGroup(VkiCtl* ctl, HWND wnd)
{
    if (wnd == s_hChkWnd) return true;
    HWND cursor = nullptr;
    while (VkeCtlSchAutoRdoBtn(ctl, &cursor, 0) == VKE_OK && cursor)
        if (cursor == s_hChkWnd) return true;
    return false;
}

CWnd* MainFrame()
{
    CmnApp* app = CmnGetApp();
    return app ? app->GetMainFrame() : nullptr;
}

// The ratio each fixed scale command marks, and its fraction.
struct ScaleRow {
    UINT id;
    int num, den;
};
const ScaleRow kScales[] = {{ID_CMN_SCA_100, 1, 1},
                            {ID_CMN_SCA_50, 1, 2},
                            {ID_CMN_SCA_75, 3, 4},
                            {ID_CMN_SCA_150, 3, 2},
                            {ID_CMN_SCA_200, 2, 1}};

const ScaleRow* FindScale(UINT id)
{
    for (const ScaleRow& row : kScales)
        if (row.id == id) return &row;
    return nullptr;
}

} // namespace

bool CmnDlgOpr::SameFont(const LOGFONTA& a, const LOGFONTA& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

// ---- Edit commands ----

void CmnDlgOpr::RunEditCmd(UINT id)
{
    switch (id) {
    case ID_EDIT_UNDO: EditUnd(); break;
    case ID_EDIT_REDO: EditRdo(); break;
    case ID_EDIT_CUT: EditCut(); break;
    case ID_EDIT_COPY: EditCpy(); break;
    case ID_EDIT_PASTE: EditPst(); break;
    case ID_EDIT_CLEAR: EditCle(); break;
    default: break;
    }
}

void CmnDlgOpr::RunUpdateEditCmd(CCmdUI* pCmdUI)
{
    int flag = 0;
    switch (pCmdUI->m_nID) {
    case ID_EDIT_UNDO: GetEditUndFlag(&flag); break;
    case ID_EDIT_REDO: GetEditRdoFlag(&flag); break;
    case ID_EDIT_CUT: GetEditCutFlag(&flag); break;
    case ID_EDIT_COPY: GetEditCpyFlag(&flag); break;
    case ID_EDIT_PASTE: GetEditPstFlag(&flag); break;
    case ID_EDIT_CLEAR: GetEditCleFlag(&flag); break;
    default: return;
    }
    pCmdUI->Enable(flag == 1);
}

// ---- Scale commands ----

void CmnDlgOpr::RunScaleCmd(UINT id)
{
    if (const ScaleRow* row = FindScale(id)) SetScale(row->num, row->den);
    else if (id == ID_CMN_SCA_WND) SetScaleByWnd();
    else if (id == ID_CMN_SCA_WND_LRG) SetScaleByWndLrg();
    else if (id == ID_CMN_SCA_DLG) SetScaleByDlg(4);
}

void CmnDlgOpr::RunUpdateScaleCmd(CCmdUI* pCmdUI)
{
    UINT id = pCmdUI->m_nID;
    if (id == ID_CMN_SCA_WND || id == ID_CMN_SCA_WND_LRG) {
        int mode = 0;
        GetScaleMode(&mode);
        pCmdUI->Enable(mode != 0);
        pCmdUI->SetCheck(mode == (id == ID_CMN_SCA_WND ? VKE_DRA_SCALE_FIT : VKE_DRA_SCALE_FIT_LARGER));
        return;
    }
    double ratio = 0.0;
    GetScaleRatio(&ratio);
    pCmdUI->Enable(ratio != 0.0);
    if (const ScaleRow* row = FindScale(id)) pCmdUI->SetCheck(ratio == static_cast<double>(row->num) / row->den);
}

// ---- Print commands ----

void CmnDlgOpr::RunPrintCmd(UINT sendId)
{
    EndDrag();
    if (CWnd* frame = MainFrame()) frame->SendMessage(WM_COMMAND, sendId, 0);
}

void CmnDlgOpr::RunUpdatePrintCmd(CCmdUI* pCmdUI)
{
    CWnd* frame = MainFrame();
    if (frame) frame->OnCmdMsg(pCmdUI->m_nID, CN_UPDATE_COMMAND_UI, pCmdUI, nullptr);
    else pCmdUI->Enable(FALSE);
}

// ---- Chooser buttons ----

BOOL CmnDlgOpr::RunChooser(UINT id)
{
    EndDrag();
    if (!m_inf.bReady) return FALSE;
    HWND button = ::GetDlgItem(m_wnd.m_hWnd, static_cast<int>(id));
    LONG_PTR style = button ? ::GetWindowLongPtrA(button, GWL_STYLE) : 0;
    int slot = (style & BS_TYPEMASK) == BS_OWNERDRAW ? CtlSlotByWnd(button) : -1;
    if (slot < 0) return FALSE;
    VkiCtl* ctl = m_inf.ppCtl[slot];
    int type = 0;
    VkeCtlGetEditType(ctl, &type);
    if (type == VKE_EDIT_FONT) VkeCtlChooseFont(ctl, 0);
    else if (type == VKE_EDIT_COLOR) VkeCtlChooseColor(ctl);
    return TRUE;
}

// ---- Wheel, scroll bars and menus ----

BOOL CmnDlgOpr::RunMouseWheel(UINT keys, short delta)
{
    void* obj = nullptr;
    if (GetFocusCtl(&obj) != CmnTypDra) return FALSE;
    VkiDra* dra = static_cast<VkiDra*>(obj);
    if (keys & MK_RBUTTON) VkeDraMouseScale(dra, static_cast<int>(keys), delta);
    else VkeDraMouseWheel(dra, static_cast<int>(keys), delta);
    return TRUE;
}

BOOL CmnDlgOpr::RunScroll(UINT message, UINT code, HWND bar)
{
    if (!m_inf.bReady || !bar) return FALSE;
    // The message's 16-bit position would cut a long drawing's: the bar's own is whole.
    int pos = 0;
    if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        if (::GetScrollInfo(bar, SB_CTL, &info)) pos = info.nTrackPos;
    }
    bool horz = message == WM_HSCROLL;
    BOOL handled = FALSE;
    for (int i = 0; i < m_inf.iDraCnt; ++i) {
        if (!m_inf.ppDra[i] || (horz ? m_inf.phHScrBar[i] : m_inf.phVScrBar[i]) != bar) continue;
        if (horz) VkeDraHScroll(m_inf.ppDra[i], static_cast<int>(code), pos);
        else VkeDraVScroll(m_inf.ppDra[i], static_cast<int>(code), pos);
        handled = TRUE;
    }
    return handled;
}

void CmnDlgOpr::RunInitMenuPopup(CMenu* pPopupMenu)
{
    if (!m_inf.bReady || !pPopupMenu) return;
    CMenu* own = m_inf.pDlgMenu;
    if (own && own->m_hMenu && own->m_hMenu == pPopupMenu->m_hMenu) {
        int count = static_cast<int>(own->GetMenuItemCount());
        for (int i = 0; i < count; ++i)
            if (CMenu* sub = own->GetSubMenu(i)) theCmnWin.UpdateMenu(&m_wnd, sub, own);
        return;
    }
    theCmnWin.UpdateMenu(&m_wnd, pPopupMenu, nullptr);
}

// ---- Data, settings and tips ----

LRESULT CmnDlgOpr::RunDtiToWnd(WPARAM wParam, LPARAM lParam)
{
    if (!m_inf.bReady || !wParam || !lParam) return 0;
    GetData(reinterpret_cast<VkiCtl*>(wParam), reinterpret_cast<void*>(lParam), 1);
    return 1;
}

void CmnDlgOpr::RunChgOptCtls()
{
    for (int i = 0; i < m_inf.iCtlCnt; ++i)
        if (m_inf.ppCtl[i]) ApplyCtlSettings(m_inf.ppCtl[i]);
    for (int i = 0; i < m_inf.iDraCnt; ++i)
        if (m_inf.ppDra[i]) ApplyDraSettings(m_inf.ppDra[i]);
}

void CmnDlgOpr::ApplyCtlSettings(VkiCtl* ctl)
{
    const CmnAppInf& app = theCmnAppInf;
    int type = 0;
    VkeCtlGetCtlType(ctl, &type);
    ApplyColor(ctl, CmnKndCtl, type, &CmnSub::GetTextColor, VkeCtlGetTextColor, VkeCtlSetTextColor);
    ApplyColor(ctl, CmnKndCtl, type, &CmnSub::GetBackColor, VkeCtlGetBackColor, VkeCtlSetBackColor);
    ApplyFont(ctl, CmnKndCtl, type, VkeCtlGetLogFont, VkeCtlSetFontByLogFont);
    // A new editing flag starts the undo history afresh from the present value.
    int editing = 0;
    if (VkeCtlGetCtlEditingFlag(ctl, &editing) == VKE_OK && editing != app.bCtlEditing)
        VkeCtlSetCtlEditingFlag(ctl, app.bCtlEditing, 1);
    ApplyFlag(ctl, app.bCtlError, VkeCtlGetCtlErrorFlag, VkeCtlSetCtlErrorFlag);
    ApplyFlag(ctl, app.bCtlModified, VkeCtlGetCtlModifiedFlag, VkeCtlSetCtlModifiedFlag);
    ApplyFlag(ctl, app.bPriorityError, VkeCtlGetPriorityErrorFlag, VkeCtlSetPriorityErrorFlag);
}

void CmnDlgOpr::ApplyDraSettings(VkiDra* dra)
{
    const CmnAppInf& app = theCmnAppInf;
    ApplyColor(dra, CmnKndDra, 0, &CmnSub::GetTextColor, VkeDraGetTextColor, VkeDraSetTextColor);
    ApplyColor(dra, CmnKndDra, 0, &CmnSub::GetBackColor, VkeDraGetBackColor, VkeDraSetBackColor);
    ApplyColor(dra, CmnKndDra, 0, &CmnSub::GetSetFocusColor, VkeDraGetSetFocusColor, VkeDraSetSetFocusColor);
    ApplyColor(dra, CmnKndDra, 0, &CmnSub::GetKillFocusColor, VkeDraGetKillFocusColor, VkeDraSetKillFocusColor);
    ApplyFont(dra, CmnKndDra, 0, VkeDraGetLogFont, VkeDraSetFontByLogFont);
    int h = 0, v = 0;
    if (VkeDraGetArrowScrSize(dra, &h, &v) == VKE_OK && (h != app.iScrSize[0] || v != app.iScrSize[1]))
        VkeDraSetArrowScrSize(dra, app.iScrSize[0], app.iScrSize[1]);
    if (VkeDraGetWheelScrSize(dra, &h, &v) == VKE_OK && (h != app.iScrSize[2] || v != app.iScrSize[3]))
        VkeDraSetWheelScrSize(dra, app.iScrSize[2], app.iScrSize[3]);
    ApplyFlag(dra, app.bCtlEditing, VkeDraGetCtlEditingFlag, VkeDraSetCtlEditingFlag);
    ApplyFlag(dra, app.iModeStretch, VkeDraGetStretchMode, VkeDraSetStretchMode);
    double step = 0.0;
    if (VkeDraGetWheelScale(dra, &step) == VKE_OK && step != app.dScaleWheel) VkeDraSetWheelScale(dra, app.dScaleWheel);
}

BOOL CmnDlgOpr::RunToolTipNotify(UINT message, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (message != WM_NOTIFY || !m_inf.bReady || !hdr || hdr->code != TTN_NEEDTEXTA) return FALSE;
    return OnTtnNeedText(static_cast<UINT>(hdr->idFrom), hdr, pResult);
}

BOOL CmnDlgOpr::RunStartFont(UINT message, LRESULT* pResult) const
{
    if (message != WM_GETFONT || !m_hStartFont) return FALSE;
    *pResult = reinterpret_cast<LRESULT>(m_hStartFont);
    return TRUE;
}

BOOL CmnDlgOpr::OnTtnNeedText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!m_inf.bReady) return FALSE;
    if (!pNMHDR) {
        Fail("OnTtnNeedText", VKE_ERR_SYSTEM);
        return FALSE;
    }
    NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    int slot = (info->uFlags & TTF_IDISHWND) ? CtlSlotByWnd(reinterpret_cast<HWND>(pNMHDR->idFrom)) : -1;
    if (slot < 0) return FALSE;
    GetData(m_inf.ppCtl[slot], &m_inf.dti, 0);
    int code = m_inf.iErrCode;
    if (code >= 0 && code <= 4) return FALSE;
    CString text = theCmnSub.GetMsgStr(code);
    if (text.IsEmpty()) return FALSE;
    snprintf(s_tipText, sizeof(s_tipText), "%s", static_cast<const char*>(text));
    info->lpszText = s_tipText;
    info->hinst = nullptr;
    if (pResult) *pResult = 0;
    return TRUE;
}

// ---- Check notices ----

LRESULT CmnDlgOpr::RunSetChk(WPARAM wParam, LPARAM lParam, const std::function<void(int slot, int state)>& onCheck)
{
    if (!m_inf.bReady) return 0;
    VkiCtl* ctl = reinterpret_cast<VkiCtl*>(wParam);
    if (!ctl || lParam < 0 || lParam > 2) {
        Fail("OnVkeWmSetChk", VKE_ERR_ARG);
        return 1;
    }
    HWND wnd = nullptr;
    VkeCtlGetCtlHandle(ctl, &wnd);
    // A notice about the control (or radio group) being handled is refused: the answer is no
    // result the engine reads, so it is the code alone, untraced.
    if (s_bInChk && InGuardedGroup(ctl, wnd)) return VKE_ERR_EXISTS;
    s_bInChk = 1;
    s_hChkWnd = wnd;
    onCheck(CtlSlot(ctl), static_cast<int>(lParam));
    s_bInChk = 0;
    s_hChkWnd = nullptr;
    return 1;
}

// ---- Hosted windows ----

LRESULT CmnRflToOwner(HWND owner, WNDPROC prev, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT rc = ::SendMessageA(owner, CmnWmRfl, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(&msg));
    return rc ? rc : ::CallWindowProcA(prev, hWnd, message, wParam, lParam);
}
