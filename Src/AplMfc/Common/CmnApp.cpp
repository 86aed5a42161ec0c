// The application base object: start and end, the message filter and the idle step, the default
// window rectangle and the broadcast to the frame's windows. The printer set-up is CmnAppPrt.cpp.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnApp"
#include "CmnApp.h"
#include "CmnDlgAbt.h"
#include "CmnDlgOpr.h"
#include "CmnDlgSetSca.h"
#include "CmnImg.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CmnApp, CWinApp)

BEGIN_MESSAGE_MAP(CmnApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &ThisClass::OnAppAbout)
END_MESSAGE_MAP()

namespace {

const char kSystemName[] = "Pictavo";
const char kSection[] = "Common Information";

// The end of a window's owner chain (the window itself when it has no owner).
HWND TopOwner(HWND wnd)
{
    for (HWND owner = ::GetWindow(wnd, GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER)) wnd = owner;
    return wnd;
}

CString UpperClass(HWND wnd)
{
    char cls[CmnPathSize] = {};
    ::GetClassNameA(wnd, cls, sizeof(cls));
    CString name(cls);
    return name.MakeUpper();
}

// An edit box that takes Return itself.
bool IsMultiLineEdit(HWND wnd)
{
    return UpperClass(wnd) == "EDIT" && (::GetWindowLongPtrA(wnd, GWL_STYLE) & ES_MULTILINE);
}

// folder + "\" + name into dest (CmnPathSize bytes); -13 when it does not fit.
int JoinPath(char* dest, const char* folder, const char* name)
{
    int n = snprintf(dest, CmnPathSize, "%s\\%s", folder, name);
    return n >= 0 && n < CmnPathSize ? VKE_OK : VKE_ERR_CUT;
}

// The size the frame's bars need around its client area, from the bar table: the frame's border,
// the first two bars (the tool bar and the status bar) across with their insets on both sides,
// the others stacked: horizontal ones side by side, vertical ones one above the other. 0 x 0
// while the table holds no bar.
CSize BarsNeed(CWnd* frame)
{
    CmnWin& win = theCmnWin;
    bool any = false;
    for (int i = 0; i < win.GetBarCount(); ++i) any = any || win.GetBar(i);
    if (!any) return CSize(0, 0);
    CRect outer, client;
    frame->GetWindowRect(&outer);
    frame->GetClientRect(&client);
    CSize need(outer.Width() - client.Width(), outer.Height() - client.Height());
    CSize stack(0, 0);
    for (int i = 0; i < win.GetBarCount(); ++i) {
        CControlBar* bar = win.GetBar(i);
        if (!bar) continue;
        CSize size = win.GetBarSize(bar);
        BOOL horz = (bar->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
        if (i < 2) {
            CRect inside(0, 0, 0, 0);
            bar->CalcInsideRect(inside, horz);
            int across = horz ? size.cy - inside.Height() : size.cx - inside.Width();
            need.cx += across;
            need.cy += across;
        } else if (horz) {
            stack.cx += size.cx;
            stack.cy = stack.cy > size.cy ? stack.cy : size.cy;
        } else {
            stack.cx = stack.cx > size.cx ? stack.cx : size.cx;
            stack.cy += size.cy;
        }
    }
    return CSize(need.cx + stack.cx, need.cy + stack.cy);
}

} // namespace

CmnApp* CmnGetApp() { return DYNAMIC_DOWNCAST(CmnApp, AfxGetApp()); }

void CmnTraceError(const char* module, int line, const char* name, int code)
{
    VkeSubTraceError(theCmnAppInf.pSub, module, line, name, code);
}

CmnApp::CmnApp()
    : m_bTerminated(0), m_pszSection(kSection), m_amProfile(), m_hPrtDevNames(nullptr), m_hPrtDevMode(nullptr),
      m_hPrtDC(nullptr), m_pMalloc(nullptr), m_pDesktop(nullptr)
{
    memset(&theCmnAppInf, 0, sizeof(theCmnAppInf));
    CmnAppInf& inf = theCmnAppInf;
    inf.bCtlEditing = inf.bCtlError = inf.bCtlModified = 1;
    inf.iScaBas = 5;
    inf.iModeScale = 1;
    inf.lScaNum = inf.lScaDen = 1;
    inf.iModeStretch = 4;
    inf.dScaleWheel = 0.1;
}

CmnApp::~CmnApp() = default;

// ---- Start ----

int CmnApp::InitInstance(int nMaxMRU)
{
    setlocale(LC_ALL, "japanese");
    m_bComStarted = SUCCEEDED(CoInitialize(nullptr));
    if (!m_bComStarted || FAILED(SHGetMalloc(&m_pMalloc)) || FAILED(SHGetDesktopFolder(&m_pDesktop))) {
        CMN_TRACE("InitInstance", VKE_ERR_SYSTEM);
        return 0;
    }
    // The folder tree's first icons are made meanwhile.
    theCmnSub.BeginIconWarmUp();
    AfxEnableControlContainer();
    Enable3dControls();

    // The settings file: "Pictavo.ini" beside the program.
    char path[CmnPathSize];
    DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    if (n == 0 || n >= sizeof(path)) {
        CMN_TRACE("InitInstance", VKE_ERR_SYSTEM);
        return 0;
    }
    char* name = path;
    char* slash = nullptr;
    for (char* p = path; *p; p = ::CharNextExA(932, p, 0)) {
        if (*p == '\\') name = p + 1;
        else if (*p == '/') slash = p + 1;
    }
    if (name == path && slash) name = slash;
    snprintf(name, sizeof(path) - static_cast<size_t>(name - path), "%s.ini", kSystemName);
    free(const_cast<LPSTR>(m_pszProfileName));
    m_pszProfileName = _strdup(path);
    LoadStdProfileSettings(static_cast<UINT>(nMaxMRU));

    ReadSwitches(__argc, __argv);
    return 1;
}

void CmnApp::ReadSwitches(int argc, char* const* argv)
{
    CmnAppInf& inf = theCmnAppInf;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!arg || (arg[0] != '-' && arg[0] != '/')) continue;
        if (strcmp(arg + 1, "l") == 0) {
            inf.bLog = 1;
        } else if (strcmp(arg + 1, "lc") == 0) {
            inf.bLog = 1;
            inf.bLogClear = 1;
        }
    }
}

int CmnApp::Init()
{
    CmnAppInf& inf = theCmnAppInf;
    // After Term the engine stays ended: a start runs once per application object.
    if (inf.bInit || m_bTerminated) {
        CMN_TRACE("Init", VKE_ERR_EXISTS);
        return VKE_ERR_EXISTS;
    }
    CWnd* pFrame = GetMainFrame();
    if (!pFrame) {
        CMN_TRACE("Init", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    int rc = VkeSysAllocByDefault(&inf.pSys);
    if (rc != VKE_OK) return FailInit(IDS_CMN_SYS_MEMORY, rc);

    VkeSysParam& param = inf.sysParam;
    VkeSysInitParam(inf.pSys, &param);
    snprintf(param.amSystemName, sizeof(param.amSystemName), "%s", kSystemName);
    param.hMainWnd = pFrame->m_hWnd;
    param.iSingleInstance = inf.bSingleInstance;
    rc = VkeSysInit(inf.pSys, &param, &inf.iChkFld, &inf.iChkMsg);
    if (rc == VKE_ERR_EXISTS) {
        // Another instance runs; the engine has brought it forward, and the caller says so.
        Term();
        return rc;
    }
    if (rc == VKE_OK) rc = VkeSysGetVkeSubPtr(inf.pSys, &inf.pSub);
    if (rc == VKE_OK) rc = VkeSysGetVkeDrwPtr(inf.pSys, &inf.pDrw);
    if (rc == VKE_OK) rc = VkeSysGetSystemDir(inf.pSys, inf.amSysDir, sizeof(inf.amSysDir));
    if (rc == VKE_OK) rc = JoinPath(inf.amWrkDir, inf.amSysDir, "Vkt");
    if (rc == VKE_OK) rc = MakeDir(inf.amWrkDir);
    if (rc == VKE_OK) rc = InitUsrDir();
    if (rc == VKE_OK) rc = JoinPath(inf.amTmpDir, inf.amSysDir, "Tmp");
    if (rc == VKE_OK) rc = MakeDir(inf.amTmpDir);
    if (rc != VKE_OK) return FailInit(IDS_CMN_SYS_STATE, rc);
    if (!inf.strCurDir[0]) snprintf(inf.strCurDir, sizeof(inf.strCurDir), "%s", inf.strUsrDir);

    rc = InitDiagFiles();
    if (rc == VKE_OK) rc = theCmnImg.Init();
    if (rc != VKE_OK) return FailInit(0, rc);
    inf.bInit = 1;

    const RECT& r = inf.rctWindow;
    if (r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0) SetDefWinRct(&inf.rctWindow);
    RepairSettings();
    theCmnSub.SetCurDir(inf.strCurDir);
    return VKE_OK;
}

// A start that failed: the message (none for 0), the report while the trace still runs, and the
// end of everything started so far.
int CmnApp::FailInit(int nMessage, int rc)
{
    if (nMessage) theCmnSub.MsgBoxById(nMessage, MB_OK | MB_ICONSTOP);
    CMN_TRACE("Init", rc);
    Term();
    return rc;
}

// Makes sure path is a folder: anything else under the name goes to the recycle bin first.
int CmnApp::MakeDir(const char* path)
{
    VkiSub* sub = theCmnAppInf.pSub;
    int exists = 0, folder = 0;
    int rc = VkeSubIsExistPath(sub, path, &exists);
    if (rc == VKE_OK && exists) rc = VkeSubIsDirectory(sub, path, &folder);
    if (rc != VKE_OK || folder) return rc;
    if (exists) rc = VkeSubDeleteFile(sub, path, 1, 1, nullptr);
    if (rc == VKE_OK) rc = VkeSubCreateDir(sub, path);
    return rc;
}

// The user folder of the settings when it is a folder or can be made one; else "Usr" under the
// system folder (a name that cannot be made, such as one on a lost drive, gives way too).
int CmnApp::InitUsrDir()
{
    VkiSub* sub = theCmnAppInf.pSub;
    char* dir = theCmnAppInf.strUsrDir;
    if (dir[0]) {
        int exists = 0, folder = 0;
        int rc = VkeSubIsExistPath(sub, dir, &exists);
        if (rc == VKE_OK && exists) rc = VkeSubIsDirectory(sub, dir, &folder);
        if (rc == VKE_OK && !exists) rc = VkeSubCreateDir(sub, dir);
        if (rc != VKE_OK || (exists && !folder)) dir[0] = '\0';
    }
    if (dir[0]) return VKE_OK;
    int rc = JoinPath(dir, theCmnAppInf.amSysDir, "Usr");
    return rc == VKE_OK ? MakeDir(dir) : rc;
}

// The trace, log and function-timer files the switches ask for, and the diagnosis flag.
int CmnApp::InitDiagFiles()
{
    CmnAppInf& inf = theCmnAppInf;
    VkiSub* sub = inf.pSub;
    int rc = VKE_OK;
    if (inf.bTrace) {
        VkeSubInitTraceParam(sub, &inf.trcParam);
        inf.trcParam.iOn = 1;
        inf.trcParam.iClear = 0;
        rc = InitDiagFile("_Trc.txt", inf.bTraceClear, inf.trcParam.amPath);
        if (rc == VKE_OK) rc = VkeSubInitTrace(sub, &inf.trcParam);
    }
    if (rc == VKE_OK && inf.bLog) {
        VkeSubInitLogParam(sub, &inf.logParam);
        inf.logParam.iClear = 0;
        rc = InitDiagFile("_Log.txt", inf.bLogClear, inf.logParam.amPath);
        if (rc == VKE_OK) rc = VkeSubInitLog(sub, &inf.logParam);
    }
    if (rc == VKE_OK && inf.bFncTmr) {
        VkeSubInitFncTmrParam(sub, &inf.fctParam);
        inf.fctParam.iSlotCnt = 500;
        snprintf(inf.fctParam.amTitle, sizeof(inf.fctParam.amTitle), "%s", kSystemName);
        inf.fctParam.iClear = 0;
        rc = InitDiagFile("_Fct.txt", inf.bFncTmrClear, inf.fctParam.amPath);
        if (rc == VKE_OK) rc = VkeSubInitFncTmr(sub, &inf.fctParam);
    }
    if (rc == VKE_OK && inf.bDiagnosis) rc = VkeSubSetDiagnosisFlag(sub, 1);
    return rc;
}

// A new file name ending in suffix in the temporary folder; with clear, the old files of the
// suffix there ("Vke*" + suffix) are deleted first, one by one (the engine deletes named files).
int CmnApp::InitDiagFile(const char* suffix, int clear, char* path)
{
    CmnAppInf& inf = theCmnAppInf;
    int rc = VKE_OK;
    if (clear) {
        char pattern[CmnPathSize];
        snprintf(pattern, sizeof(pattern), "%s\\Vke*%s", inf.amTmpDir, suffix);
        WIN32_FIND_DATAA fd;
        HANDLE find = ::FindFirstFileA(pattern, &fd);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                char old[CmnPathSize];
                rc = JoinPath(old, inf.amTmpDir, fd.cFileName);
                if (rc == VKE_OK) rc = VkeSubDeleteFile(inf.pSub, old, 0, 1, nullptr);
            } while (rc == VKE_OK && ::FindNextFileA(find, &fd));
            ::FindClose(find);
        }
    }
    if (rc == VKE_OK) rc = VkeSubGetTempPathName(inf.pSub, path, inf.amTmpDir, CmnPathSize, 0);
    if (rc == VKE_OK) rc = VkeSubConcatStr(inf.pSub, path, suffix, CmnPathSize);
    return rc;
}

// Colour and font texts that cannot be read take their defaults; the first four colours are the
// engine's state colours. Scroll sizes are at least 1.
void CmnApp::RepairSettings()
{
    CmnAppInf& inf = theCmnAppInf;
    COLORREF color = 0;
    for (int i = 0; i < CmnColorCnt; ++i)
        if (theCmnSub.GetColor(inf.strColor[i], &color) != VKE_OK)
            theCmnSub.GetDflColor(i, inf.strColor[i], CmnPathSize, &color);
    theCmnSub.SetStateColors();
    LOGFONTA font;
    for (int i = 0; i < CmnFontCnt; ++i)
        if (theCmnSub.GetFont(inf.strFont[i], &font) != VKE_OK) theCmnSub.GetDflFont(i, inf.strFont[i], CmnPathSize);
    for (int& size : inf.iScrSize)
        if (size < 1) size = 1;
}

// ---- End ----

void CmnApp::Term()
{
    if (m_bTerminated) return;
    m_bTerminated = 1;
    CmnAppInf& inf = theCmnAppInf;
    theCmnImg.Term();
    if (inf.pSys) {
        TermPrinter();
        // A failure here is reported nowhere: the utility object goes with the system object.
        VkeSysFree(&inf.pSys);
    }
    inf.pSub = nullptr;
    inf.pDrw = nullptr;
    inf.pMainFrame = nullptr;
    inf.bInit = 0;
}

int CmnApp::ExitInstance()
{
    theCmnSub.EndIconWarmUp();
    if (m_pDesktop) m_pDesktop->Release();
    if (m_pMalloc) m_pMalloc->Release();
    m_pDesktop = nullptr;
    m_pMalloc = nullptr;
    if (m_bComStarted) CoUninitialize();
    m_bComStarted = false;
    return CWinApp::ExitInstance();
}

// ---- Message loop ----

BOOL CmnApp::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pFrame = GetMainFrame();
    if (!pFrame) return FALSE;
    if (theCmnAppInf.bReturnToTab && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN &&
        ::GetKeyState(VK_CONTROL) >= 0) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(pFrame->m_hWnd, focus) && !IsMultiLineEdit(focus)) pMsg->wParam = VK_TAB;
    }
    // Ctrl+A in an edit or combo box selects its text there; elsewhere it is the accelerator.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'A' && ::GetKeyState(VK_CONTROL) < 0 &&
        ::GetKeyState(VK_MENU) >= 0 && theCmnWin.SelectAllText(pMsg->hwnd))
        return TRUE;
    if (CWinApp::PreTranslateMessage(pMsg)) return TRUE;
    return VkeEngPreTranslateMessage(pMsg);
}

BOOL CmnApp::OnIdle(LONG lCount)
{
    if (CWinApp::OnIdle(lCount)) return TRUE;
    VkeEngOnIdle();
    return FALSE;
}

int CmnApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    if (!theCmnAppInf.pSys) return IDOK;
    return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
}

// ---- Main frame ----

CWnd* CmnApp::GetMainFrame()
{
    CWnd* pFrame = theCmnAppInf.pMainFrame;
    return pFrame && ::IsWindow(pFrame->m_hWnd) ? pFrame : nullptr;
}

CDocument* CmnApp::GetActiveDocument()
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetMainFrame());
    return pFrame ? pFrame->GetActiveDocument() : nullptr;
}

CView* CmnApp::GetActiveView()
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetMainFrame());
    return pFrame ? pFrame->GetActiveView() : nullptr;
}

void CmnApp::SetDefWinRct(RECT* pRect)
{
    if (!pRect) {
        CMN_TRACE("SetDefWinRct", VKE_ERR_ARG);
        return;
    }
    CWnd* pFrame = GetMainFrame();
    if (!pFrame) {
        CMN_TRACE("SetDefWinRct", VKE_ERR_SYSTEM);
        return;
    }
    int cx = ::GetSystemMetrics(SM_CXMAXIMIZED);
    int cy = ::GetSystemMetrics(SM_CYMAXIMIZED);
    int width, height;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CDialog))) {
        CRect rect;
        pFrame->GetWindowRect(&rect);
        width = rect.Width();
        height = rect.Height();
    } else {
        CSize need = BarsNeed(pFrame);
        width = static_cast<int>(cx * 0.8);
        height = static_cast<int>(cy * 0.8);
        width = width > need.cx ? width : need.cx;
        height = height > need.cy ? height : need.cy;
    }
    width = width < cx ? width : cx;
    height = height < cy ? height : cy;
    pRect->left = (cx - width) / 2;
    pRect->top = (cy - height) / 2;
    pRect->right = pRect->left + width;
    pRect->bottom = pRect->top + height;
}

int CmnApp::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, int nMode)
{
    if (!theCmnAppInf.bInit) return VKE_NOT_DONE;
    if (nMode != 0 && nMode != 1) {
        CMN_TRACE("SendMessageToDescendants", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    CWnd* pFrame = GetMainFrame();
    if (!pFrame) return VKE_NOT_DONE;
    HWND frame = pFrame->m_hWnd;
    if (nMode == 0) ::SendMessageA(frame, message, wParam, lParam);
    pFrame->SendMessageToDescendants(message, wParam, lParam, TRUE, TRUE);
    // The windows the frame owns lie above it in the z-order, other windows between them; they
    // are found before any is sent the message, which may change the order.
    HWND top = TopOwner(frame);
    std::vector<HWND> owned;
    for (HWND wnd = ::GetWindow(frame, GW_HWNDPREV); wnd; wnd = ::GetWindow(wnd, GW_HWNDPREV))
        if (TopOwner(wnd) == top) owned.push_back(wnd);
    for (HWND wnd : owned) {
        if (!::IsWindow(wnd)) continue;
        ::SendMessageA(wnd, message, wParam, lParam);
        CWnd::SendMessageToDescendants(wnd, message, wParam, lParam, TRUE, TRUE);
    }
    return VKE_OK;
}

// ---- The framework's dialogs ----

int CmnApp::ShowSetScaDlg(int decimals, int srcWidth, int srcHeight, int* num, int* den)
{
    if (!num || !den) {
        CMN_TRACE("ShowSetScaDlg", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    *num = 0;
    *den = 1;
    if (!theCmnAppInf.bInit) {
        CMN_TRACE("ShowSetScaDlg", VKE_ERR_NOT_INIT);
        return VKE_ERR_NOT_INIT;
    }
    // Values the dialog refuses never open it: it would only end at once.
    CmnDlgSetSca dialog(GetMainFrame());
    int rc = dialog.SetParam(decimals, srcWidth, srcHeight);
    if (rc != VKE_OK) return rc;
    if (dialog.DoModal() != IDOK) return VKE_CANCELLED;
    return dialog.GetScaleValue(num, den);
}

void CmnApp::OnAppAbout()
{
    CmnDlgAbt dialog(GetMainFrame());
    dialog.DoModal();
}
