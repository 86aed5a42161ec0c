// The main frame's creation and start, its layout and title, and what it saves at exit.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildFrm"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "DlgSetOpt.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <string.h>

const char kVkaBarSection[] = "Application Bar Information";

IMPLEMENT_DYNCREATE(ChildFrm, CFrameWnd)

BEGIN_MESSAGE_MAP(ChildFrm, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZING()
    ON_WM_ACTIVATE()
    ON_WM_PALETTECHANGED()
    ON_MESSAGE(VkeWmTraceError, &ThisClass::OnTraceError)
    ON_MESSAGE(CmnWmInitApp, &ThisClass::OnInitApp)
    ON_MESSAGE(CmnWmSetFcs, &ThisClass::OnSetFcs)
    ON_MESSAGE(CmnWmLogError, &ThisClass::OnLogError)
    ON_MESSAGE(CmnWmMsgFcs, &ThisClass::OnMsgFcs)
    ON_MESSAGE(CmnWmChgSel, &ThisClass::OnChgSel)
    ON_MESSAGE(CmnWmOpnDir, &ThisClass::OnOpnDir)
    ON_MESSAGE(CmnWmReqOpnDir, &ThisClass::OnReqOpnDir)
    ON_MESSAGE(CmnWmSelImg, &ThisClass::OnSelImg)
    ON_MESSAGE(CmnWmReqOpnImg, &ThisClass::OnReqOpnImg)
    ON_MESSAGE(CmnWmActImg, &ThisClass::OnActImg)
END_MESSAGE_MAP()

namespace {

// The tool bar's default buttons (0 a separator).
const int kDflButtons[] = {ID_FILE_OPEN, ID_VKA_OPEN_DIR, ID_FILE_CLOSE, ID_VKA_CLOSE_ALL, ID_FILE_SAVE,
                           ID_VKA_SAVE_ALL, ID_VKA_READ_OPI, ID_VKA_WRITE_OPI, 0, ID_FILE_PAGE_SETUP, ID_FILE_PRINT,
                           ID_VKA_PRINT_ALL, ID_FILE_PRINT_PREVIEW, 0, ID_VKA_SAVE_STATE, ID_EDIT_UNDO,
                           ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_CMN_SCA_WND,
                           ID_CMN_SCA_WND_LRG, ID_CMN_SCA_100, ID_CMN_SCA_DLG, 0, ID_VKA_VIEW_MODE_FIRST,
                           ID_VKA_VIEW_MODE_LAST, 0, ID_VKA_PAGE_FIRST, ID_VKA_PAGE_LAST, ID_VKA_PAGE_PREV,
                           ID_VKA_PAGE_NEXT, ID_VKA_PAGE_LOCK, ID_VKA_PAGE_UNLOCK, 0, ID_VKA_IMG_RESIZE, 0,
                           ID_VKA_OPTIONS};
static_assert(sizeof(kDflButtons) / sizeof(kDflButtons[0]) == 39, "the default list has 39 entries");

// The status bar: the message pane and the page pane, 120 characters wide.
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_PAGE};
const int kPagePaneChars = 120;

// Dynamic: floating, a panel's frame has borders that size it.
const DWORD kPanelStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

// The window's rectangle as it would be restored: a minimised or maximised window's normal one,
// in screen coordinates.
CRect RestoredRect(CWnd* wnd)
{
    CRect rect;
    wnd->GetWindowRect(&rect);
    if (!wnd->IsIconic() && !wnd->IsZoomed()) return rect;
    WINDOWPLACEMENT place = {};
    place.length = sizeof(place);
    if (!::GetWindowPlacement(wnd->m_hWnd, &place)) return rect;
    // The placement is in work-area coordinates.
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    rect = place.rcNormalPosition;
    rect.OffsetRect(work.left, work.top);
    return rect;
}

bool HasSize(const RECT& rect) { return rect.right - rect.left > 0 && rect.bottom - rect.top > 0; }

} // namespace

ChildFrm::ChildFrm() : m_briDfl(), m_briSav(), m_briNon(), m_briEnd(), m_bInit(0), m_hWndFcs(nullptr) {}

ChildFrm::~ChildFrm()
{
    // The frame object goes with its window: nothing may reach it through the framework's block.
    if (theCmnAppInf.pMainFrame == this) theCmnAppInf.pMainFrame = nullptr;
}

// ---- Creation ----

BOOL ChildFrm::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs)) {
        CMN_TRACE("PreCreateWindow", VKE_ERR_MEMORY);
        return FALSE;
    }
    const RECT& rect = theCmnAppInf.rctWindow;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left > 0 ? rect.right - rect.left : 0;
    cs.cy = rect.bottom - rect.top > 0 ? rect.bottom - rect.top : 0;
    // "Pictavo - document": the application's name first.
    cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

int ChildFrm::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    int rc = theCmnWin.Init(VkaBarCnt);
    if (rc == VKE_OK) rc = CreateBars();
    if (rc != VKE_OK) {
        CMN_TRACE("OnCreate", VKE_ERR_MEMORY);
        return -1;
    }
    DockBars();
    HalcorApp* app = HalcorGetApp();
    rc = app ? app->Init(m_hWnd) : VKE_ERR_SYSTEM;
    if (rc == VKE_OK) {
        rc = Init();
        if (rc == VKE_OK) return 0;
        CMN_TRACE("OnCreate", rc);
        return -1;
    }
    // Another instance running, or a start refused by the user, is no failure to report.
    if (rc != VKE_ERR_EXISTS && rc != -3 && rc != -2) CMN_TRACE("OnCreate", rc);
    return -1;
}

int ChildFrm::CreateBars()
{
    DWORD tlbStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_GRIPPER | CBRS_TOOLTIPS |
                     CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_ADJUSTABLE, tlbStyle, CRect(0, 0, 0, 0),
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return VKE_ERR_MEMORY;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, 2))
        return VKE_ERR_MEMORY;
    struct {
        CmnDlb* panel;
        UINT id;
        DWORD align;
    } panels[] = {{&m_wndPnlTrcFld, IDD_DLBPNL_TRCFLD, CBRS_LEFT},
                  {&m_wndPnlLscFil, IDD_DLBPNL_LSCFIL, CBRS_LEFT},
                  {&m_wndPnlPrv, IDD_DLBPNL_PRV, CBRS_LEFT},
                  {&m_wndPnlFilCmd, IDD_DLBPNL_FILCMD, CBRS_LEFT},
                  {&m_wndPnlOpr, IDD_DLBPNL_OPR, CBRS_RIGHT}};
    for (auto& p : panels)
        if (!p.panel->Create(this, p.id, kPanelStyle | p.align, p.id)) return VKE_ERR_MEMORY;
    // The file commands and the operations stand where their templates put them: a frame too
    // narrow for every column narrows the others first.
    for (CmnDlb* fixed : {static_cast<CmnDlb*>(&m_wndPnlFilCmd), static_cast<CmnDlb*>(&m_wndPnlOpr)})
        fixed->m_sizeLeast = fixed->m_sizeDefault;

    CControlBar* bars[VkaBarCnt] = {&m_wndToolBar, &m_wndStatusBar, &m_wndPnlTrcFld, &m_wndPnlLscFil,
                                    &m_wndPnlPrv,  &m_wndPnlFilCmd, &m_wndPnlOpr};
    for (int i = 0; i < VkaBarCnt; ++i) theCmnWin.SetBar(i, bars[i]);
    if (HalcorApp* app = HalcorGetApp())
        app->SetPanels(&m_wndPnlTrcFld, &m_wndPnlLscFil, &m_wndPnlPrv, &m_wndPnlFilCmd, &m_wndPnlOpr);
    return VKE_OK;
}

// Docking on every side; the file commands and the operations only at the left or right.
void ChildFrm::DockBars()
{
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndPnlPrv.EnableDocking(CBRS_ALIGN_ANY);
    m_wndPnlTrcFld.EnableDocking(CBRS_ALIGN_ANY);
    m_wndPnlLscFil.EnableDocking(CBRS_ALIGN_ANY);
    m_wndPnlFilCmd.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    m_wndPnlOpr.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    for (CControlBar* bar : std::initializer_list<CControlBar*>{&m_wndToolBar, &m_wndPnlPrv, &m_wndPnlTrcFld,
                                                                &m_wndPnlLscFil, &m_wndPnlFilCmd, &m_wndPnlOpr})
        DockControlBar(bar);
}

void ChildFrm::OnDestroy()
{
    // The file list's workers send to windows about to go; the automatic display steps no more
    // (the waits for the workers handle its timer).
    m_wndPnlFilCmd.StopAutInd();
    m_wndPnlLscFil.StopThreads();
    m_bInit = 0;
    // The tables must not outlive the bars they point at.
    if (HalcorApp* app = HalcorGetApp()) app->SetPanels(nullptr, nullptr, nullptr, nullptr, nullptr);
    if (theCmnWin.GetBarCount() && theCmnWin.GetBar(VkaBarTlb) == &m_wndToolBar) theCmnWin.Term();
    CFrameWnd::OnDestroy();
}

// ---- Start ----

int ChildFrm::Init()
{
    m_bInit = 0;
    m_hWndFcs = nullptr;
    int rc = InitToolBar();
    if (rc == VKE_OK) rc = InitStatusBar();
    if (rc == VKE_OK) rc = m_wndPnlTrcFld.Init();
    if (rc == VKE_OK) rc = m_wndPnlLscFil.Init();
    if (rc == VKE_OK) rc = m_wndPnlPrv.Init();
    if (rc == VKE_OK) rc = m_wndPnlFilCmd.Init();
    if (rc == VKE_OK) rc = m_wndPnlOpr.Init();
    if (rc != VKE_OK) {
        CMN_TRACE("Init", rc);
        return rc;
    }
    // The preview panel is used only when the preview is on and not shown in a tab page.
    HalcorApp* app = HalcorGetApp();
    if (!app || !app->GetPrvImg() || app->GetPrvImgTab()) ShowControlBar(&m_wndPnlPrv, FALSE, FALSE);
    m_bInit = 1;
    return VKE_OK;
}

// The default list, and the layout the last run saved when its text converts.
int ChildFrm::InitToolBar()
{
    for (Bri* bri : {&m_briDfl, &m_briSav, &m_briNon, &m_briEnd}) memset(bri, 0, sizeof(Bri));
    m_briDfl.iCount = sizeof(kDflButtons) / sizeof(kDflButtons[0]);
    memcpy(m_briDfl.iId, kDflButtons, sizeof(kDflButtons));
    const char* saved = theCmnAppInf.strBriTlb;
    bool haveSaved = saved[0] && VkeSubGetHexStr(theCmnAppInf.pSub, saved, reinterpret_cast<BYTE*>(&m_briSav),
                                                 sizeof(Bri)) == VKE_OK;
    return m_wndToolBar.Init(&m_briDfl, haveSaved ? &m_briSav : nullptr);
}

// The message pane stretches; the page pane is 120 characters of the bar's font wide.
int ChildFrm::InitStatusBar()
{
    int rc = theCmnWin.SetStatusBar(&m_wndStatusBar);
    int cx = 0, cy = 0;
    if (rc == VKE_OK) rc = VkeDrwGetCharSize(theCmnAppInf.pDrw, m_wndStatusBar.m_hWnd, &cx, &cy);
    UINT id = 0, style = 0;
    int width = 0;
    if (rc == VKE_OK) rc = theCmnWin.GetStatusBarPniById(ID_INDICATOR_PAGE, &id, &style, &width);
    if (rc == VKE_OK) rc = theCmnWin.SetStatusBarPniById(ID_INDICATOR_PAGE, ID_INDICATOR_PAGE, style, kPagePaneChars * cx);
    for (int i = 0; rc == VKE_OK && i < m_wndStatusBar.GetCount(); ++i) m_wndStatusBar.SetPaneText(i, "");
    return rc;
}

CmnDlb* ChildFrm::GetPanel(int index)
{
    switch (index) {
    case VkaBarTrcFld: return &m_wndPnlTrcFld;
    case VkaBarLscFil: return &m_wndPnlLscFil;
    case VkaBarPrv: return &m_wndPnlPrv;
    case VkaBarFilCmd: return &m_wndPnlFilCmd;
    case VkaBarOpr: return &m_wndPnlOpr;
    default: return nullptr;
    }
}

// ---- Layout and title ----

void ChildFrm::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    HalcorApp* app = HalcorGetApp();
    if (m_bInit && app) app->RepositionWindow(0);
}

void ChildFrm::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // A print preview keeps the page's title and status line.
    ChildViw* view = DYNAMIC_DOWNCAST(ChildViw, AfxViewBehindPreview(GetActiveView()));
    int pages = 0;
    if (view && view->GetPageCnt(&pages) == VKE_OK && pages > 0) {
        CFrameWnd::OnUpdateFrameTitle(bAddToTitle);
        return;
    }
    if (m_wndStatusBar.m_hWnd)
        for (int i = 0; i < m_wndStatusBar.GetCount(); ++i) m_wndStatusBar.SetPaneText(i, "");
    UpdateFrameTitleForDocument(nullptr);
}

// ---- Focus ----

int ChildFrm::SaveFocus()
{
    if (!m_bInit) return 0;
    CWnd* owner = nullptr;
    int found = 0;
    HWND focus = theCmnWin.IsExistFcsDlg(&owner, &found);
    if (!focus || !::IsChild(m_hWnd, focus) || !::IsWindowVisible(focus) || !::IsWindowEnabled(focus)) return 0;
    for (int i = VkaBarTrcFld; i <= VkaBarOpr; ++i) {
        CmnDlb* panel = GetPanel(i);
        if (panel->m_hWnd && ::IsChild(panel->m_hWnd, focus)) {
            m_hWndFcs = focus;
            return 1;
        }
    }
    return 0;
}

// ---- At exit ----

int ChildFrm::SaveState()
{
    HalcorApp* app = HalcorGetApp();
    if (app) app->HideOpnStsDlg();
    // The automatic display and the file list's workers end before any window goes.
    m_wndPnlFilCmd.StopAutInd();
    m_wndPnlLscFil.StopThreads();
    if (m_hWnd) {
        VkiSub* sub = theCmnAppInf.pSub;
        int rc = m_wndToolBar.GetBri(3, &m_briEnd);
        if (rc == VKE_OK)
            rc = VkeSubSetHexStr(sub, theCmnAppInf.strBriTlb, reinterpret_cast<const BYTE*>(&m_briEnd), sizeof(Bri),
                                 sizeof(theCmnAppInf.strBriTlb));
        if (rc != VKE_OK) CMN_TRACE("SaveState", rc);
        for (int i = 0; i < VkaPnlCnt; ++i) GetPanel(VkaBarTrcFld + i)->GetBri(2, &theAppInf.sizBriDlb[i]);
        // A tree that shows no folder of the file system keeps the folder of the settings.
        CString folder = m_wndPnlTrcFld.GetCurPathName();
        if (!folder.IsEmpty()) VkeSubCopyStr(sub, theCmnAppInf.strCurDir, folder, sizeof(theCmnAppInf.strCurDir));
        m_wndPnlLscFil.SetPli();

        CRect rect = RestoredRect(this);
        if (HasSize(rect)) theCmnAppInf.rctWindow = rect;
        DlgSetOpt* options = app ? app->GetSetOptDlg() : nullptr;
        if (options && options->m_hWnd) {
            options->GetWindowRect(&rect);
            if (HasSize(rect)) theAppInf.rctDlgSetOpt = rect;
        }
        if (app) app->BeginProfileWrites();
        SaveBarState(kVkaBarSection);
        if (app) app->EndProfileWrites();
    }
    if (theCmnAppInf.pMainFrame == this) theCmnAppInf.pMainFrame = nullptr;
    m_bInit = 0;
    return VKE_OK;
}
