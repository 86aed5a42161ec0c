#include "CDialogBar.h"
#include "CCmdUI.h"
#include "CDialog.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"
#include "MfcState.h"
#include "MsgThunks.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
    ON_MESSAGE(WM_INITDIALOG, &ThisClass::HandleInitDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
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
    m_dwStyle = nStyle & CBRS_ALL;
    // A hidden child window without a frame of its own, shown once it is a bar.
    return FinishCreate(AfxCreateChildDialog(this, lpszTemplateName, pParentWnd, 0), nStyle, nID);
}

BOOL CDialogBar::CreateIndirect(CWnd* pParentWnd, const DLGTEMPLATE* lpTemplate, DWORD size, UINT nStyle, UINT nID)
{
    m_dwStyle = nStyle & CBRS_ALL;
    BOOL made = AfxCreateChildDialogIndirect(this, lpTemplate, size, AfxGetInstanceHandle(), pParentWnd, 0);
    return FinishCreate(made, nStyle, nID);
}

BOOL CDialogBar::FinishCreate(BOOL bMade, UINT nStyle, UINT nID)
{
    if (!bMade) return FALSE;
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
