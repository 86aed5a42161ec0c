#include "CDialogBar.h"
#include "CCmdUI.h"
#include "CDialog.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"
#include "MfcState.h"
#include "MsgThunks.h"
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
    ON_MESSAGE(WM_INITDIALOG, &ThisClass::HandleInitDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
// Every message has reached the bar through its window procedure already.
INT_PTR CALLBACK BarDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

bool IsPushButton(HWND hWnd)
{
    return (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}
} // namespace

CDialogBar::CDialogBar() = default;

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCEA(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    HINSTANCE inst = nullptr;
    DWORD size = 0;
    const DLGTEMPLATE* tmpl = AfxLoadDialogTemplate(lpszTemplateName, &inst, &size);
    if (!tmpl || !pParentWnd || size < sizeof(DLGTEMPLATE)) return FALSE;
    // A copy of the template made a hidden child window without a frame of its own.
    std::vector<DWORD> copy((size + 3) / 4);
    memcpy(copy.data(), tmpl, size);
    bool extended = reinterpret_cast<const WORD*>(tmpl)[1] == 0xFFFF;
    DWORD& style = extended ? copy[3] : copy[0];
    style = (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED | DS_MODALFRAME)) |
            WS_CHILD;
    m_dwStyle = nStyle & CBRS_ALL;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(inst, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), pParentWnd->m_hWnd,
                                             BarDlgProc, 0);
    if (!AfxUnhookWindowCreate(this)) PostNcDestroy();
    if (!hWnd) return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    if (m_dwStyle & CBRS_TOOLTIPS) EnableToolTips(TRUE);
    if (nStyle & WS_VISIBLE) ShowWindow(SW_SHOWNA);
    return TRUE;
}

LRESULT CDialogBar::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    UpdateData(FALSE);
    return FALSE; // a bar does not take the focus when it is made
}

void CDialogBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    DrawGripper(&dc, rect);
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch) return m_sizeDefault;
    return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == 0 || id >= 0xFFFF) continue;
        state.m_pOther = FromHandle(child);
        state.m_nID = id;
        if (state.DoUpdate(this, FALSE) || state.DoUpdate(pTarget, FALSE)) continue;
        if (!bDisableIfNoHndler || !IsPushButton(child)) continue;
        AFX_CMDHANDLERINFO info = {nullptr};
        state.Enable(OnCmdMsg(id, CN_COMMAND, &state, &info) || pTarget->OnCmdMsg(id, CN_COMMAND, &state, &info));
    }
}
