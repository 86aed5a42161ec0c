// The application object: one per module, reached with AfxGetApp. In a program it runs the
// main thread's message loop (the program's WinMain calls AfxWinMain: InitInstance, then
// Run); in a library
// it is built when the library is loaded, InitInstance runs from DllMain and no loop runs: the
// program reaches the library's PreTranslateMessage and OnIdle through the library's exports.
#pragma once
#include "CString.h"
#include "CWinThread.h"

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)

public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // Heap strings (malloc / _strdup): a program that replaces one frees the old value with
    // free and stores its own _strdup copy. The object frees them at the end.
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszProfileName = nullptr; // the ini file of the profile functions
    LPCSTR m_pszRegistryKey = nullptr;

    virtual BOOL InitApplication() { return TRUE; }
    BOOL InitInstance() override { return TRUE; }
    // Without a main window the loop ends at once (as the program would have no window).
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    int ExitInstance() override;

    // Message boxes with the application's name as caption, owned by the main window.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // Wait cursor: 1 begin, -1 end, 0 show it again while one is running.
    virtual void DoWaitCursor(int nCode);

    // Settings in the ini file named by m_pszProfileName.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    // A null value deletes the entry; a null entry deletes the section.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // Bytes kept as text, two letters 'A'..'P' per byte (low half first). *ppData is new[]
    // memory the caller deletes with delete[]; FALSE (and null, 0) when missing or malformed.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // The chosen printer: device names and device mode (global memory the application owns).
    void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);

    // Kept for programs that call it; the platform draws controls in 3-D by itself.
    BOOL Enable3dControls() { return TRUE; }

    // Fills the names and handles the program start gives (called by AfxWinMain).
    void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

protected:
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;

private:
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
};

CWinApp* AfxGetApp();
// The calling thread's main window (the thread object's, else the application's).
CWnd* AfxGetMainWnd();
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// The program start: InitInstance, then Run (or ExitInstance when it fails); the result is
// the exit code. A program's WinMain is this one call.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
