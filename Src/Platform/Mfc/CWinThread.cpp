#include "CWinThread.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "MfcState.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread && m_hThread != GetCurrentThread()) CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, &ThreadEntry, this, dwCreateFlags | CREATE_SUSPENDED,
                               &m_nThreadID);
    if (!m_hThread) return FALSE;
    if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
    return TRUE;
}

DWORD WINAPI CWinThread::ThreadEntry(LPVOID pParam)
{
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    AfxGetThreadState()->pThread = pThread;
    DWORD code;
    if (pThread->m_pfnThreadProc) code = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    else if (pThread->InitInstance()) code = static_cast<DWORD>(pThread->Run());
    else code = static_cast<DWORD>(pThread->ExitInstance());
    AfxTermThreadState();
    pThread->Delete();
    return code;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    AfxThreadState* ts = AfxGetThreadState();
    CWinThread* pThread = ts->pThread;
    AfxTermThreadState();
    if (pThread && bDelete) pThread->Delete();
    ExitThread(nExitCode);
}

BOOL CWinThread::InitInstance() { return FALSE; }

void CWinThread::Delete()
{
    if (m_bAutoDelete) delete this;
}

int CWinThread::Run()
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) idle = FALSE;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg || !pMsg->hwnd) return FALSE; // thread messages have no window to offer them to
    CWnd* pMainWnd = GetMainWnd();
    HWND hMain = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hMain, pMsg)) return TRUE;
    // A message of a window outside the main window's tree (a modeless dialog) is offered to
    // the main window last.
    if (hMain && ::IsWindow(hMain)) {
        HWND top = pMsg->hwnd;
        for (HWND up = ::GetParent(top); up; up = ::GetParent(top)) top = up;
        if (top != hMain) return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = GetMainWnd();
        if (pMainWnd && pMainWnd->m_hWnd && ::IsWindowVisible(pMainWnd->m_hWnd)) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxFreeTempMaps();
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Mouse moves that do not move, paints and the caret's timer do not restart idle work.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        bool same = m_nMsgLast == pMsg->message && m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return !same;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

static CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                               LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
    return pThread;
}

CWinThread* AfxBeginThread(const CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CObject* pObject = pThreadClass ? pThreadClass->CreateObject() : nullptr;
    CWinThread* pThread = pObject ? DYNAMIC_DOWNCAST(CWinThread, pObject) : nullptr;
    if (!pThread) {
        delete pObject;
        return nullptr;
    }
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pfnThreadProc) return nullptr;
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AfxGetThread()
{
    CWinThread* pThread = AfxGetThreadState()->pThread;
    return pThread ? pThread : AfxGetApp();
}

BOOL AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread) return pThread->PumpMessage();
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0)) return FALSE;
    if (!msg.hwnd || !CWnd::WalkPreTranslateTree(nullptr, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}
