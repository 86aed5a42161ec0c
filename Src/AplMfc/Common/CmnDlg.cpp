// The dialog base: start and end, the engine dialog object and the message map.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlg"
#include "CmnDlg.h"
#include "CmnRes.h"
#include "CmnSub.h"

IMPLEMENT_DYNCREATE(CmnDlg, CDialog)

BEGIN_MESSAGE_MAP(CmnDlg, CDialog)
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    CMN_ON_DLG_OPR_COMMANDS()
END_MESSAGE_MAP()

CmnDlg::CmnDlg() : CmnDlgOpr(static_cast<CWnd&>(*this)), m_bInit(0) {}

CmnDlg::CmnDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), CmnDlgOpr(static_cast<CWnd&>(*this)), m_bInit(0)
{
}

CmnDlg::~CmnDlg()
{
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

// ---- Start and end ----

int CmnDlg::Init(int ctlCnt, int draCnt, int extPrtCnt)
{
    if (m_bInit) return Fail("Init", VKE_ERR_EXISTS);
    int rc = AllocMemory(ctlCnt, draCnt, extPrtCnt);
    if (rc != VKE_OK) return Fail("Init", rc);
    m_bInit = 1;
    // The tooltips show a control's input error: a page without controls has none to show, and
    // many pages would keep as many hidden windows above the frame.
    if (ctlCnt > 0) EnableToolTips(TRUE);
    return VKE_OK;
}

int CmnDlg::StartDialog(int ctlCnt, int draCnt, int extPrtCnt, const std::function<int()>& initCtl)
{
    int rc = CmnDlg::Init(ctlCnt, draCnt, extPrtCnt);
    if (rc == VKE_OK && !m_inf.pDlgMenu->LoadMenu(DlgMenuId())) rc = VKE_ERR_MEMORY;
    if (rc == VKE_OK) rc = InitDlgObj();
    if (rc == VKE_OK && m_inf.pCtlMenu && !m_inf.pCtlMenu->LoadMenu(IDR_CMN_CTL_MENU)) rc = VKE_ERR_MEMORY;
    if (rc == VKE_OK && initCtl) rc = initCtl();
    if (rc == VKE_OK) {
        m_inf.bReady = 1;
        return VKE_OK;
    }
    Fail("Init", rc);
    theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
    EndDialog(3);
    return rc;
}

UINT CmnDlg::DlgMenuId() const { return IDR_CMN_DLG_MENU; }

// The engine dialog object over this window: Return as Tab, colours, font and popup menu.
int CmnDlg::InitDlgObj()
{
    CmnDlgInf& inf = m_inf;
    int rc = VkeDlgAlloc(theCmnAppInf.pSys, &inf.pDlg);
    if (rc == VKE_OK) rc = VkeDlgSubclassWindow(inf.pDlg, m_hWnd);
    VkeDlgParam& p = inf.dlgParam;
    if (rc == VKE_OK) rc = VkeDlgInitParam(inf.pDlg, &p);
    if (rc != VKE_OK) return rc;
    COLORREF color = 0;
    if (theCmnSub.GetTextColor(CmnKndDlg, 0, &color) == VKE_OK) p.uTextColor = color;
    if (theCmnSub.GetBackColor(CmnKndDlg, 0, &color) == VKE_OK) p.uBackColor = color;
    p.hMenu = inf.pDlgMenu->m_hMenu;
    p.iRetToTab = theCmnAppInf.bReturnToTab;
    rc = VkeDlgInit(inf.pDlg, &p, &theCmnAppInf.iChkFld, &theCmnAppInf.iChkMsg);
    LOGFONTA font;
    if (rc == VKE_OK && theCmnSub.GetFont(CmnKndDlg, 0, &font) == VKE_OK) rc = VkeDlgSetFontByLogFont(inf.pDlg, &font);
    return rc;
}

int CmnDlg::Term()
{
    if (m_inf.bTerminating || !m_bInit) return VKE_NOT_DONE;
    m_inf.bTerminating = 1;
    FreeSlots();
    if (m_inf.pDlg) {
        // The object gives the window back first: Term runs while the window is being destroyed,
        // and the object would destroy a window it still held.
        HWND wnd = nullptr;
        VkeDlgUnsubclassWindow(m_inf.pDlg, &wnd);
        VkeDlgFree(&m_inf.pDlg);
    }
    int rc = FreeMemory();
    m_bInit = 0;
    return rc;
}

BOOL CmnDlg::OnInitDialog()
{
    if (!m_inf.bAllocated) {
        m_bInit = 0;
        FreeCmnDlgInf();
    }
    return CDialog::OnInitDialog();
}

bool CmnDlg::ConfirmData()
{
    if (GetData(nullptr, nullptr, 0) == VKE_OK) return true;
    ShowErrMsg();
    return false;
}

void CmnDlg::OnOK()
{
    if (m_inf.bReady && !ConfirmData()) return;
    CDialog::OnOK();
}

LRESULT CmnDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (RunToolTipNotify(message, lParam, &result) || RunStartFont(message, &result)) return result;
    return CDialog::WindowProc(message, wParam, lParam);
}

// ---- Message handlers ----

void CmnDlg::OnDestroy()
{
    m_bWindowGoes = true;
    if (!m_inf.bTerminating) Term();
    m_bWindowGoes = false;
    CDialog::OnDestroy();
}

void CmnDlg::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (!bSysMenu) RunInitMenuPopup(pPopupMenu);
}

BOOL CmnDlg::OnMouseWheel(UINT nFlags, short zDelta, CPoint)
{
    if (!m_inf.bReady) return static_cast<BOOL>(Default());
    return RunMouseWheel(nFlags, zDelta);
}

void CmnDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!RunScroll(WM_HSCROLL, nSBCode, pScrollBar ? pScrollBar->m_hWnd : nullptr))
        CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CmnDlg::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!RunScroll(WM_VSCROLL, nSBCode, pScrollBar ? pScrollBar->m_hWnd : nullptr))
        CDialog::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CmnDlg::OnPrintCmd(UINT nID)
{
    RunPrintCmd(nID);
    return TRUE;
}

void CmnDlg::OnUpdatePrintCmd(CCmdUI* pCmdUI) { RunUpdatePrintCmd(pCmdUI); }

BOOL CmnDlg::OnEditCmd(UINT nID)
{
    RunEditCmd(nID);
    return TRUE;
}

void CmnDlg::OnUpdateEditCmd(CCmdUI* pCmdUI) { RunUpdateEditCmd(pCmdUI); }

BOOL CmnDlg::OnScaleCmd(UINT nID)
{
    RunScaleCmd(nID);
    return TRUE;
}

void CmnDlg::OnUpdateScaleCmd(CCmdUI* pCmdUI) { RunUpdateScaleCmd(pCmdUI); }

LRESULT CmnDlg::OnVkeWmDtiToWnd(WPARAM wParam, LPARAM lParam) { return RunDtiToWnd(wParam, lParam); }

LRESULT CmnDlg::OnCmnWmChgOpt(WPARAM, LPARAM)
{
    if (!m_inf.bReady) return 0;
    if (VkiDlg* dlg = m_inf.pDlg) {
        ApplyColor(dlg, CmnKndDlg, 0, &CmnSub::GetTextColor, VkeDlgGetTextColor, VkeDlgSetTextColor);
        ApplyColor(dlg, CmnKndDlg, 0, &CmnSub::GetBackColor, VkeDlgGetBackColor, VkeDlgSetBackColor);
        ApplyFont(dlg, CmnKndDlg, 0, VkeDlgGetLogFont, VkeDlgSetFontByLogFont);
        ApplyFlag(dlg, theCmnAppInf.bReturnToTab, VkeDlgGetRetToTabFlag, VkeDlgSetRetToTabFlag);
    }
    RunChgOptCtls();
    return 1;
}

BOOL CmnDlg::OnChooser(UINT nID) { return RunChooser(nID); }
