// A thread of the program. A user-interface thread runs a message loop (Run) on its own thread
// object; a worker thread runs a function. AfxGetThread is the calling thread's object (the
// application object on the main thread and on threads the layer did not start).
#pragma once
#include "CCmdTarget.h"

class CWnd;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE; // the object deletes itself when its thread ends
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    operator HANDLE() const { return m_hThread; }

    // Starts the thread (CREATE_SUSPENDED: it waits for ResumeThread).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }

    virtual BOOL InitInstance();
    // The message loop: each message goes through PreTranslateMessage, then is dispatched;
    // while the queue is empty OnIdle(0), OnIdle(1), ... runs until it answers FALSE. Ends at
    // WM_QUIT with ExitInstance's result.
    virtual int Run();
    // Gets and handles one message; FALSE at WM_QUIT.
    virtual BOOL PumpMessage();
    // The filter chain: the windows of this module from the message's window up, then the
    // main window when the message is not in its tree. TRUE: handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Count 0 updates the command states of the main window and its windows (TRUE: more to
    // do); count 1 frees the thread's temporary objects (FALSE: done).
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // The thread's exit code: the WM_QUIT code.
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    virtual void Delete();

    MSG m_msgCur = {};

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

private:
    static DWORD WINAPI ThreadEntry(LPVOID pParam);
    POINT m_ptCursorLast = {-1, -1};
    UINT m_nMsgLast = 0;
};

// A new user-interface thread of the class (created with CreateObject) or a worker thread
// running pfnThreadProc(pParam); null when it cannot be started.
CWinThread* AfxBeginThread(const CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling thread started by the layer.
void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
CWinThread* AfxGetThread();
// One message through the calling thread's object (modal loops and waits use it).
BOOL AfxPumpMessage();
