// The progress thread of a batch of openings: its start, the waits for its dialog and for its
// end, and whether it runs.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\VkaSubBsc"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorThr.h"
#include <new>

namespace {

// The wait cursor for a scope.
class WaitCursor {
public:
    WaitCursor() { AfxGetApp()->BeginWaitCursor(); }
    ~WaitCursor() { AfxGetApp()->EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

void CloseEvent(HANDLE* event)
{
    if (*event) ::CloseHandle(*event);
    *event = nullptr;
}

} // namespace

int HalcorApp::BeginThread()
{
    int rc = WaitThread(HalcorWaitStop);
    if (rc != VKE_OK) return rc;
    m_bNoOpnSts = 0;
    m_hThrStart = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_hThrStop = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HalcorThr* thread = m_hThrStart && m_hThrStop ? new (std::nothrow) HalcorThr : nullptr;
    if (thread) thread->m_bAutoDelete = FALSE;
    if (!thread || !thread->CreateThread(CREATE_SUSPENDED)) {
        delete thread;
        CloseEvent(&m_hThrStart);
        CloseEvent(&m_hThrStop);
        CMN_TRACE("BeginThread", VKE_ERR_MEMORY);
        return VKE_ERR_MEMORY;
    }
    thread->SetThreadPriority(THREAD_PRIORITY_NORMAL);
    m_pThr = thread;
    ::ResetEvent(m_hThrStart);
    thread->ResumeThread();
    rc = WaitThread(HalcorWaitStart);
    // A thread that ended without showing its dialog: the batch goes on without one.
    if (rc == VKE_OK && !IsThreadAlive()) m_bNoOpnSts = 1;
    return rc;
}

int HalcorApp::WaitThread(int mode)
{
    if (mode != HalcorWaitStart && mode != HalcorWaitStop) {
        CMN_TRACE("WaitThread", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    if (m_pThr && ::GetCurrentThreadId() == m_pThr->m_nThreadID) return VKE_OK;
    int rc = VKE_OK;
    if (IsThreadAlive()) {
        if (mode == HalcorWaitStop) {
            // A dialog that is gone cannot take the abort (a post to no window would reach this
            // thread's own queue): its thread is told to end through its queue instead, so the
            // thread never outlives the stop and the next batch can start its own.
            HWND dlg = m_dlgOpnSts.m_hWnd;
            bool told = dlg && ::IsWindow(dlg) && ::PostMessageA(dlg, WM_COMMAND, IDC_DLGOPNSTS_ABORT, 0);
            if (!told) {
                rc = VKE_ERR_SYSTEM;
                told = ::PostThreadMessageA(m_pThr->m_nThreadID, WM_QUIT, VKE_STOPPED, 0) != FALSE;
            }
            ::SetEvent(m_hThrStop);
            if (!told) return ForgetThread();
        }
        // The start also ends when the thread does (it could not show its dialog).
        HANDLE handles[2] = {mode == HalcorWaitStart ? m_hThrStart : m_pThr->m_hThread, m_pThr->m_hThread};
        WaitCursor cursor;
        HalcorThr::Wait(handles, mode == HalcorWaitStart ? 2 : 1, &m_bPumping);
    }
    if (mode == HalcorWaitStop) {
        delete m_pThr;
        m_pThr = nullptr;
        CloseEvent(&m_hThrStart);
        CloseEvent(&m_hThrStop);
    }
    if (rc != VKE_OK) CMN_TRACE("WaitThread", rc);
    return rc;
}

// A thread that can be told nothing deletes its own object when it ends; it may still wait on
// the events, so they are left to it. The application is free to start another.
int HalcorApp::ForgetThread()
{
    m_pThr->m_bAutoDelete = TRUE;
    m_pThr = nullptr;
    m_hThrStart = nullptr;
    m_hThrStop = nullptr;
    CMN_TRACE("WaitThread", VKE_ERR_SYSTEM);
    return VKE_ERR_SYSTEM;
}

int HalcorApp::IsThreadAlive()
{
    DWORD code = 0;
    return m_pThr && ::GetExitCodeThread(m_pThr->m_hThread, &code) && code == STILL_ACTIVE ? 1 : 0;
}
