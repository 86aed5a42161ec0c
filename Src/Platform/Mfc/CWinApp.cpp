#include "CWinApp.h"
#include "CDocTemplate.h"
#include "CRecentFileList.h"
#include "CWnd.h"
#include "MfcState.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::CWinApp(LPCSTR lpszAppName) : m_hInstance(AfxGetInstanceHandle())
{
    if (lpszAppName) m_pszAppName = _strdup(lpszAppName);
    AfxGetModuleState()->pApp = this;
    m_hThread = ::GetCurrentThread(); // the pseudo handle; never closed
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
}

CWinApp::~CWinApp()
{
    free(const_cast<LPSTR>(m_pszAppName));
    free(const_cast<LPSTR>(m_pszExeName));
    free(const_cast<LPSTR>(m_pszProfileName));
    free(const_cast<LPSTR>(m_pszRegistryKey));
    if (m_hDevMode) GlobalFree(m_hDevMode);
    if (m_hDevNames) GlobalFree(m_hDevNames);
    for (CDocTemplate* pTemplate : m_templates) delete pTemplate;
    delete m_pRecentFileList;
    if (AfxGetModuleState()->pApp == this) AfxGetModuleState()->pApp = nullptr;
}

CWinApp* AfxGetApp() { return AfxGetModuleState()->pApp; }

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow)
{
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(hInstance, path, sizeof(path));
    // The base name of the program file, found walking characters.
    const char* base = path;
    for (const char* p = path; *p; p = CharNextExA(932, p, 0))
        if (*p == '\\' || *p == '/') base = p + 1;
    char exe[MAX_PATH];
    snprintf(exe, sizeof(exe), "%s", base);
    char* dot = nullptr;
    for (char* p = exe; *p; p = CharNextExA(932, p, 0))
        if (*p == '.') dot = p;
    if (dot) *dot = '\0';
    if (!m_pszExeName) m_pszExeName = _strdup(exe);
    if (!m_pszAppName) {
        CString title;
        m_pszAppName = _strdup(title.LoadString(AFX_IDS_APP_TITLE) ? static_cast<LPCSTR>(title) : exe);
    }
    if (!m_pszProfileName) {
        char ini[MAX_PATH + 8];
        snprintf(ini, sizeof(ini), "%s.INI", exe);
        m_pszProfileName = _strdup(ini);
    }
}

int CWinApp::Run()
{
    if (!m_pMainWnd) ::PostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList) m_pRecentFileList->WriteList();
    return CWinThread::ExitInstance();
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND owner = pMainWnd ? pMainWnd->m_hWnd : ::GetActiveWindow();
    if (owner) {
        HWND popup = ::GetLastActivePopup(owner);
        if (popup && ::IsWindowEnabled(popup)) owner = popup;
    }
    return ::MessageBoxA(owner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1) m_hcurWaitCursorRestore = previous;
        return;
    }
    m_nWaitCursorCount = 0;
    ::SetCursor(m_hcurWaitCursorRestore ? m_hcurWaitCursorRestore : ::LoadCursor(nullptr, IDC_ARROW));
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld)
{
    if (bFreeOld) {
        if (m_hDevNames && m_hDevNames != hDevNames) GlobalFree(m_hDevNames);
        if (m_hDevMode && m_hDevMode != hDevMode) GlobalFree(m_hDevMode);
    }
    m_hDevNames = static_cast<HGLOBAL>(hDevNames);
    m_hDevMode = static_cast<HGLOBAL>(hDevMode);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* app = AfxGetApp();
    if (app) return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(::GetActiveWindow(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->SetCurrentHandles(hInstance, lpCmdLine, nCmdShow);
    int code;
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
        code = app->ExitInstance();
    } else {
        code = app->Run();
    }
    AfxFreeTempMaps();
    return code;
}
