// The docked panel's messages: Return inside the panel, tooltips and owner-drawn controls, the
// colours of the panel and its controls, the context menu, the commands it shares with dialogs
// and changed settings.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlb"
#include "CmnDlb.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include <string.h>

BEGIN_MESSAGE_MAP(CmnDlb, CDialogBar)
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_INITMENUPOPUP()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    CMN_ON_DLG_OPR_COMMANDS()
END_MESSAGE_MAP()

namespace {

// Set while a panel answers a colour request: one answer at a time in the process.
int s_bCtlColor = 0;

class CtlColorMark {
public:
    CtlColorMark() { s_bCtlColor = 1; }
    ~CtlColorMark() { s_bCtlColor = 0; }
    CtlColorMark(const CtlColorMark&) = delete;
    CtlColorMark& operator=(const CtlColorMark&) = delete;
};

bool IsClass(HWND wnd, const char* name, bool* known)
{
    char text[32] = {};
    *known = ::GetClassNameA(wnd, text, sizeof(text)) > 0;
    return *known && _stricmp(text, name) == 0;
}

// The colour message a control of this kind sends; 0 for the kinds asked of the framework.
UINT ColorMessage(HWND control, UINT type)
{
    bool known = false;
    switch (type) {
    case CTLCOLOR_EDIT: return WM_CTLCOLOREDIT;
    case CTLCOLOR_BTN: return WM_CTLCOLORBTN;
    case CTLCOLOR_STATIC: return WM_CTLCOLORSTATIC;
    case CTLCOLOR_LISTBOX:
        // A combo box answers only as a drop-down list.
        if (IsClass(control, "ComboBox", &known) &&
            (::GetWindowLongPtrA(control, GWL_STYLE) & 3) != CBS_DROPDOWNLIST)
            return 0;
        return WM_CTLCOLORLISTBOX;
    default: return 0;
    }
}

} // namespace

// ---- Keys, tooltips and owner-drawn controls ----

BOOL CmnDlb::PreTranslateMessage(MSG* pMsg)
{
    if (!m_inf.bReady) return FALSE;
    if (!m_hWnd || !::IsWindow(m_hWnd)) return TRUE;
    if (pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_RETURN) return CDialogBar::PreTranslateMessage(pMsg);
    CWnd* owner = nullptr;
    int found = 0;
    HWND focus = theCmnWin.IsExistFcsDlg(&owner, &found);
    if (!found || owner != this) return CDialogBar::PreTranslateMessage(pMsg);
    // A multi-line edit keeps Return; elsewhere it checks the data and never presses a button.
    bool known = false;
    bool edit = IsClass(focus, "EDIT", &known);
    if (!known || (edit && (::GetWindowLongPtrA(focus, GWL_STYLE) & ES_MULTILINE))) return TRUE;
    if (GetData(nullptr, nullptr, 0) != VKE_OK) ShowErrMsg();
    return TRUE;
}

LRESULT CmnDlb::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (RunToolTipNotify(message, lParam, &result) || RunStartFont(message, &result)) return result;
    if (message == WM_DRAWITEM && m_inf.bReady) {
        // An owner-drawn engine control draws itself: the control the record names (looking it
        // up by its id would cost the platform a round trip at every paint).
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HWND control = item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
        if (control && ::GetParent(control) == m_hWnd && ::GetDlgCtrlID(control) == static_cast<int>(wParam))
            ::SendMessageA(control, message, wParam, lParam);
        return TRUE;
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

// ---- Colours ----

HBRUSH CmnDlb::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (!m_inf.bReady) return CDialogBar::OnCtlColor(pDC, pWnd, nCtlColor);
    if (s_bCtlColor) {
        CMN_TRACE("OnCtlColor", VKE_ERR_EXISTS);
        return nullptr;
    }
    CtlColorMark mark;
    if (nCtlColor == CTLCOLOR_DLG && m_brush.m_hObject) {
        pDC->SetTextColor(m_inf.dlgParam.uTextColor);
        pDC->SetBkColor(m_inf.dlgParam.uBackColor);
        return static_cast<HBRUSH>(m_brush.m_hObject);
    }
    HWND control = pWnd ? pWnd->m_hWnd : nullptr;
    UINT message = control ? ColorMessage(control, nCtlColor) : 0;
    if (message) {
        LRESULT brush = ::SendMessageA(control, message, reinterpret_cast<WPARAM>(pDC->m_hDC), reinterpret_cast<LPARAM>(control));
        if (brush) return reinterpret_cast<HBRUSH>(brush);
    }
    return CDialogBar::OnCtlColor(pDC, pWnd, nCtlColor);
}

// ---- Menus and the right button ----

void CmnDlb::OnDestroy()
{
    m_bWindowGoes = true;
    if (!m_inf.bTerminating) Term();
    m_bWindowGoes = false;
    CDialogBar::OnDestroy();
}

void CmnDlb::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (!bSysMenu) RunInitMenuPopup(pPopupMenu);
}

void CmnDlb::OnRButtonDown(UINT nFlags, CPoint point)
{
    CDialogBar::OnRButtonDown(nFlags, point);
    if (m_inf.bReady && !m_bTracking) theCmnSub.SetFocusWnd(m_hWnd);
}

void CmnDlb::OnRButtonUp(UINT nFlags, CPoint point)
{
    HMENU menu = m_inf.dlgParam.hMenu;
    if (!m_inf.bReady || m_bTracking || !menu) {
        CDialogBar::OnRButtonUp(nFlags, point);
        return;
    }
    HMENU popup = ::GetSubMenu(menu, 0);
    ClientToScreen(&point);
    if (!popup || !::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr)) {
        CDialogBar::OnRButtonUp(nFlags, point);
        CMN_TRACE("OnRButtonUp", VKE_ERR_SYSTEM);
    }
}

// ---- Wheel and scroll bars ----

BOOL CmnDlb::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (!m_inf.bReady) return CDialogBar::OnMouseWheel(nFlags, zDelta, pt);
    return RunMouseWheel(nFlags, zDelta);
}

void CmnDlb::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!RunScroll(WM_HSCROLL, nSBCode, pScrollBar ? pScrollBar->m_hWnd : nullptr))
        CDialogBar::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CmnDlb::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!RunScroll(WM_VSCROLL, nSBCode, pScrollBar ? pScrollBar->m_hWnd : nullptr))
        CDialogBar::OnVScroll(nSBCode, nPos, pScrollBar);
}

// ---- Commands ----

BOOL CmnDlb::OnPrintCmd(UINT nID)
{
    RunPrintCmd(nID == ID_FILE_PRINT_DIRECT ? ID_FILE_PRINT : nID);
    return TRUE;
}

void CmnDlb::OnUpdatePrintCmd(CCmdUI* pCmdUI) { RunUpdatePrintCmd(pCmdUI); }

BOOL CmnDlb::OnEditCmd(UINT nID)
{
    RunEditCmd(nID);
    return TRUE;
}

void CmnDlb::OnUpdateEditCmd(CCmdUI* pCmdUI) { RunUpdateEditCmd(pCmdUI); }

BOOL CmnDlb::OnScaleCmd(UINT nID)
{
    RunScaleCmd(nID);
    return TRUE;
}

void CmnDlb::OnUpdateScaleCmd(CCmdUI* pCmdUI) { RunUpdateScaleCmd(pCmdUI); }

LRESULT CmnDlb::OnVkeWmDtiToWnd(WPARAM wParam, LPARAM lParam) { return RunDtiToWnd(wParam, lParam); }

BOOL CmnDlb::OnChooser(UINT nID) { return RunChooser(nID); }

// ---- Settings ----

LRESULT CmnDlb::OnCmnWmChgOpt(WPARAM, LPARAM)
{
    EndDrag();
    if (!m_inf.bReady) return 0;
    ApplyPanelSettings();
    RunChgOptCtls();
    return 1;
}

void CmnDlb::ApplyPanelSettings()
{
    COLORREF want = 0;
    if (theCmnSub.GetTextColor(CmnKndDlb, 0, &want) == VKE_OK && want != m_inf.dlgParam.uTextColor) SetTextColor(want);
    if (theCmnSub.GetBackColor(CmnKndDlb, 0, &want) == VKE_OK && (want != m_inf.dlgParam.uBackColor || !m_brush.m_hObject))
        SetBackColor(want);
    LOGFONTA font = {};
    if (theCmnSub.GetFont(CmnKndDlb, 0, &font) == VKE_OK && !SameFont(font, m_lf)) SetFontByLogFont(&font);
}
