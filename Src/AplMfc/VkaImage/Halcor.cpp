// The application object: its start with the main frame and the options dialog, its end, and the
// process flags.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Halcor"
#include "Halcor.h"
#include "ChildDoc.h"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "DlgSetOpt.h"
#include "HalcorRes.h"
#include <stdio.h>
#include <string.h>

IMPLEMENT_DYNAMIC(HalcorApp, CmnApp)

namespace {

// While it lives, a dialog box of this thread that activates is made topmost: what
// MB_TOPMOST asks, which Wine's message box leaves undone (checked); one topmost already stays.
class TopmostBoxes {
public:
    TopmostBoxes() : m_hook(::SetWindowsHookExA(WH_CBT, Proc, nullptr, ::GetCurrentThreadId())) {}
    ~TopmostBoxes()
    {
        if (m_hook) ::UnhookWindowsHookEx(m_hook);
    }
    TopmostBoxes(const TopmostBoxes&) = delete;
    TopmostBoxes& operator=(const TopmostBoxes&) = delete;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND wnd = reinterpret_cast<HWND>(wParam);
        char cls[16] = {};
        if (code == HCBT_ACTIVATE && ::GetClassNameA(wnd, cls, sizeof(cls)) && strcmp(cls, "#32770") == 0 &&
            !(::GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
            ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK m_hook;
};

} // namespace

BEGIN_MESSAGE_MAP(HalcorApp, CmnApp)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    ON_COMMAND_RANGE(ID_VKA_FCS_TRCFLD, ID_VKA_FCS_OPR, &ThisClass::OnFcsPnl)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_FCS_TRCFLD, ID_VKA_FCS_OPR, &ThisClass::OnUpdateFcsPnl)
    ON_COMMAND_RANGE(ID_VKA_FCS_TAB, ID_VKA_FCS_PAGE, &ThisClass::OnFcsTab)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_FCS_TAB, ID_VKA_FCS_PAGE, &ThisClass::OnUpdateFcsTab)
    ON_COMMAND_RANGE(ID_VKA_TLB_CUSTOMIZE, ID_VKA_TLB_INITIAL, &ThisClass::OnTlb)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_TLB_CUSTOMIZE, ID_VKA_TLB_INITIAL, &ThisClass::OnUpdateTlb)
    ON_COMMAND_RANGE(ID_VKA_PNL_FIRST, ID_VKA_PNL_LAST, &ThisClass::OnPnl)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_PNL_FIRST, ID_VKA_PNL_LAST, &ThisClass::OnUpdatePnl)
    ON_COMMAND(ID_VKA_OPTIONS, &ThisClass::OnSetOpt)
    ON_COMMAND_RANGE(ID_VKA_HELP_HTM, ID_VKA_HELP_KBM, &ThisClass::OnHelp)
    ON_COMMAND(ID_FILE_OPEN, &ThisClass::OnFileOpen)
    ON_UPDATE_COMMAND_UI(ID_FILE_OPEN, &ThisClass::OnUpdateAlways)
    ON_COMMAND(ID_VKA_OPEN_DIR, &ThisClass::OnFileOpnDir)
    ON_UPDATE_COMMAND_UI(ID_VKA_OPEN_DIR, &ThisClass::OnUpdateAlways)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + 9, &ThisClass::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &ThisClass::OnUpdateRecentFileMenu)
    ON_COMMAND(ID_VKA_SEL_DIR_GO, &ThisClass::OnFileSwtSelDir)
    ON_COMMAND(ID_VKA_SEL_DIR_OPEN, &ThisClass::OnFileOpnSelDir)
    ON_COMMAND(ID_VKA_SEL_IMG_SHOW, &ThisClass::OnFileShwSelImg)
    ON_COMMAND(ID_VKA_SEL_IMG_OPEN, &ThisClass::OnFileOpnSelImg)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_SEL_DIR_GO, ID_VKA_SEL_IMG_OPEN, &ThisClass::OnUpdateSel)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &ThisClass::OnEditSelAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &ThisClass::OnUpdateSel)
    ON_COMMAND_RANGE(ID_VKA_VIEW_BACK, ID_VKA_VIEW_FORWARD, &ThisClass::OnViewBkwFrw)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_VIEW_BACK, ID_VKA_VIEW_FORWARD, &ThisClass::OnUpdateViewBkwFrw)
    ON_COMMAND_RANGE(ID_VKA_VIEW_MODE_FIRST, ID_VKA_VIEW_MODE_LAST, &ThisClass::OnViewMode)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_VIEW_MODE_FIRST, ID_VKA_VIEW_MODE_LAST, &ThisClass::OnUpdateViewMode)
    ON_COMMAND_RANGE(ID_VKA_SORT_FIRST, ID_VKA_SORT_LAST, &ThisClass::OnViewSort)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_SORT_FIRST, ID_VKA_SORT_LAST, &ThisClass::OnUpdateViewSort)
    ON_COMMAND(ID_VKA_VIEW_REFRESH, &ThisClass::OnViewRfs)
    ON_COMMAND(ID_VKA_VIEW_LOCATE, &ThisClass::OnViewLocImg)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_VIEW_REFRESH, ID_VKA_VIEW_LOCATE, &ThisClass::OnUpdateViewRfsLoc)
END_MESSAGE_MAP()

HalcorApp* HalcorGetApp() { return DYNAMIC_DOWNCAST(HalcorApp, AfxGetApp()); }

HalcorApp::HalcorApp()
    : m_pDlgSetOpt(nullptr), m_rctSetOptOwner(), m_amStartDir(), m_bPrvImg(0), m_bPrvImgTab(0), m_bStarted(0), m_iCntPag(0),
      m_iCntNewPag(0), m_bFlgPrtAll(0), m_bFlgPrtAbt(0), m_bFlgOpnInf(0), m_bFlgSelImg(0), m_bFlgClsAll(0),
      m_bFlgClsFrm(0), m_bFlgTabChg(0), m_bPumping(0), m_pPnlTrcFld(nullptr), m_pPnlLscFil(nullptr),
      m_pPnlPrv(nullptr), m_pPnlFilCmd(nullptr), m_pPnlOpr(nullptr)
{
    memset(&theAppInf, 0, sizeof(theAppInf));
    theAppInf.bOpnSmpImg = 0;
    theAppInf.iOpnOnSel = 3;
    // One instance at a time: a second one shows the first and ends.
    theCmnAppInf.bSingleInstance = 1;
}

HalcorApp::~HalcorApp() { delete m_pDlgSetOpt; }

// ---- Start ----

BOOL HalcorApp::InitInstance()
{
    if (CmnApp::InitInstance(10) != 1) {
        theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
        CMN_TRACE("InitInstance", VKE_ERR_SYSTEM);
        return FALSE;
    }
    ReadIni();
    const CmnAppInf& inf = theCmnAppInf;
    snprintf(m_amStartDir, sizeof(m_amStartDir), "%s", inf.strCurDir);
    const RECT& saved = inf.rctWindow;
    bool noSavedWindow = saved.left == 0 && saved.top == 0 && saved.right == 0 && saved.bottom == 0;

    // The document, the main frame and the view; making the frame starts the engine (Init).
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(ChildDoc), RUNTIME_CLASS(ChildFrm),
                                          RUNTIME_CLASS(ChildViw)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // The program opens the command line's files itself, once it has started.
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (!ProcessShellCommand(cmdInfo)) return FailStart(IDS_CMN_SYS_MEMORY, VKE_ERR_SYSTEM);
    // The template leaves the new frame hidden: it is shown once, laid out where it belongs.
    m_nCmdShow = SW_HIDE;
    OnFileNew();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd);
    if (!pFrame || !pFrame->m_hWnd) {
        // The engine found the first instance's window (and brought it forward). That window
        // comes forward when its own program takes the activation, maybe after this box shows:
        // the box stands above it and every other window until it is answered.
        HWND first = inf.sysParam.hMainWnd;
        if (first && ::IsWindow(first)) {
            TopmostBoxes topmost;
            theCmnSub.MsgBoxById(IDS_CMN_SYS_RUNNING, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
            return FALSE;
        }
        return FailStart(IDS_CMN_SYS_MEMORY, VKE_ERR_SYSTEM);
    }
    if (!GetActiveDocument() || !GetActiveView()) return FailStart(IDS_CMN_SYS_MEMORY, VKE_ERR_SYSTEM);
    pFrame->ShowWindow(SW_HIDE);
    pFrame->MoveWindow(&inf.rctWindow);

    // The first run lays the panels out; later runs take the bars as they were left.
    if (noSavedWindow) RepositionWindow(1);
    else pFrame->LoadBarState(kVkaBarSection);
    pFrame->RecalcLayout();
    for (int i = VkaPnlTrcFld; i <= VkaPnlOpr; ++i) {
        CmnDlb* pnl = GetPanel(i);
        if (pnl && pnl->m_hWnd && pnl->IsWindowVisible() && pnl->IsWindowEnabled()) pnl->ClearComboSel();
    }

    // The options dialog is made hidden after the start (RunAfterStart), placed as if it
    // were made now: where it was last, else over the frame as it stands here.
    pFrame->GetWindowRect(&m_rctSetOptOwner);
    // Read when a print, the page set-up or the orientation first needs it, at the latest once
    // the start is over (RunAfterStart).
    DeferPrinter();

    // The bars take their commands' states before their first paint: the first idle moment
    // would otherwise paint the tool bar a second time.
    AfxCallWndProc(pFrame, pFrame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);

    pFrame->ShowWindow(SW_SHOWDEFAULT);
    pFrame->UpdateWindow();
    pFrame->PostMessage(CmnWmInitApp);
    return TRUE;
}

BOOL HalcorApp::FailStart(int nMessage, int rc)
{
    theCmnSub.MsgBoxById(nMessage, MB_OK | MB_ICONSTOP);
    CMN_TRACE("InitInstance", rc);
    DeleteSetOptDlg();
    if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->DestroyWindow();
    return FALSE;
}

// ---- End ----

int HalcorApp::ExitInstance()
{
    // Only a run that started writes (or clears) the settings: a second instance leaves the
    // first one's alone.
    // Every section is written once, the recent files' too.
    EndAfterStartTimer();
    BeginProfileWrites();
    if (theCmnAppInf.bInit) {
        if (theAppInf.sopBsi.bCleLog == 1) ClearLogs();
        WriteIni();
    }
    Term();
    int rc = CmnApp::ExitInstance();
    EndProfileWrites();
    return rc;
}

void HalcorApp::ClearLogs()
{
    CRecentFileList* list = m_pRecentFileList;
    for (int i = list ? list->GetSize() - 1 : -1; i >= 0; --i) list->Remove(i);
    theCmnAppInf.strCurDir[0] = '\0';
    theCmnAppInf.strOpnDir[0] = '\0';
    PciFpi& fpi = theAppInf.pciFpi;
    for (int n = 0; n < VkaFpiCnt; ++n) {
        fpi.iCurPathName[n] = 0;
        fpi.iIdxPathName[n] = -1;
    }
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.ooi.amOpiPathName, "");
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.svi.amSavDir, "");
}

int HalcorApp::MakeSetOptDlg()
{
    if (m_pDlgSetOpt) return VKE_OK;
    CWnd* frame = GetMainFrame();
    m_pDlgSetOpt = new DlgSetOpt;
    if (!frame || !m_pDlgSetOpt->Create(IDD_DLGSETOPT, frame)) {
        DeleteSetOptDlg();
        theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
        CMN_TRACE("MakeSetOptDlg", VKE_ERR_MEMORY);
        return VKE_ERR_MEMORY;
    }
    const RECT& opt = theAppInf.rctDlgSetOpt;
    if (opt.right - opt.left > 0 && opt.bottom - opt.top > 0) m_pDlgSetOpt->MoveWindow(&opt);
    else if (!::IsRectEmpty(&m_rctSetOptOwner)) AfxCenterWindowOn(m_pDlgSetOpt->m_hWnd, m_rctSetOptOwner);
    return VKE_OK;
}

void HalcorApp::DeleteSetOptDlg()
{
    if (!m_pDlgSetOpt) return;
    m_pDlgSetOpt->DestroyWindow();
    delete m_pDlgSetOpt;
    m_pDlgSetOpt = nullptr;
}

void HalcorApp::Term()
{
    WaitThread(HalcorWaitStop);
    DeleteSetOptDlg();
    int rc = TermApi();
    int rcApp = TermApp();
    if (rc == VKE_OK) rc = rcApp;
    if (rc != VKE_OK) CMN_TRACE("Term", rc);
    CmnApp::Term();
}

// ---- Process flags ----

int HalcorApp::SetFlg(int* flag, int value)
{
    *flag = value ? 1 : 0;
    return VKE_OK;
}

int HalcorApp::GetFlg(int flag, int* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = flag;
    return VKE_OK;
}
