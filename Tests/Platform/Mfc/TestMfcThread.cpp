// The idle protocol of the message loop, a second user-interface thread with its own window,
// loop and exit code, worker threads, and the handle maps used from two threads at once.
#include "TestMfcApp.h"
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <vector>

namespace {

// The thread's window: answers with its thread id, closes with the exit code it is given.
class CThreadWnd : public CWnd {
protected:
    LRESULT OnWhere(WPARAM, LPARAM) { return static_cast<LRESULT>(::GetCurrentThreadId()); }
    LRESULT OnFinish(WPARAM code, LPARAM)
    {
        DestroyWindow();
        ::PostQuitMessage(static_cast<int>(code));
        return 1;
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThreadWnd, CWnd)
    ON_MESSAGE(WM_APP + 1, &ThisClass::OnWhere)
    ON_MESSAGE(WM_APP + 2, &ThisClass::OnFinish)
END_MESSAGE_MAP()

HANDLE g_ready = nullptr;
HANDLE g_idled = nullptr; // set when the thread's loop has run its idle work to the end
std::atomic<HWND> g_threadWnd{nullptr};

class CUiThread : public CWinThread {
    DECLARE_DYNCREATE(CUiThread)

public:
    std::vector<LONG> idleCounts;
    BOOL m_bFailStart = FALSE;

    BOOL InitInstance() override
    {
        if (m_bFailStart) return FALSE;
        CThreadWnd* wnd = new CThreadWnd;
        if (!wnd->CreateEx(0, nullptr, "thread", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr)) return FALSE;
        m_pMainWnd = wnd;
        g_threadWnd = wnd->m_hWnd;
        ::SetEvent(g_ready);
        return TRUE;
    }
    BOOL OnIdle(LONG lCount) override
    {
        idleCounts.push_back(lCount);
        BOOL more = CWinThread::OnIdle(lCount);
        if (!more && g_idled) ::SetEvent(g_idled);
        return more;
    }
    int ExitInstance() override
    {
        m_pMainWnd = nullptr;
        return CWinThread::ExitInstance() + 100;
    }
};

IMPLEMENT_DYNCREATE(CUiThread, CWinThread)

DWORD WaitPumping(HANDLE h)
{
    for (;;) {
        DWORD r = ::MsgWaitForMultipleObjects(1, &h, FALSE, 10000, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + 1) return r;
        PumpPending();
    }
}

UINT WorkerProc(LPVOID param)
{
    // A thread of the layer sees its own object as the current thread.
    *static_cast<CWinThread**>(param) = AfxGetThread();
    return 9;
}

} // namespace

TEST(MfcThread, SecondUserInterfaceThread)
{
    g_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_idled = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_threadWnd = nullptr;
    CUiThread* thread = static_cast<CUiThread*>(
        AfxBeginThread(RUNTIME_CLASS(CUiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    // Suspended: nothing has run yet.
    EXPECT_EQ(::WaitForSingleObject(g_ready, 100), static_cast<DWORD>(WAIT_TIMEOUT));
    thread->ResumeThread();
    ASSERT_EQ(WaitPumping(g_ready), WAIT_OBJECT_0);
    ASSERT_EQ(WaitPumping(g_idled), WAIT_OBJECT_0);

    HWND hWnd = g_threadWnd;
    // Sent from this thread, handled on the window's thread by its object there.
    EXPECT_EQ(static_cast<DWORD>(::SendMessageA(hWnd, WM_APP + 1, 0, 0)), thread->m_nThreadID);
    EXPECT_NE(CWnd::FromHandlePermanent(hWnd), nullptr); // one map for the module's windows
    EXPECT_EQ(::SendMessageA(hWnd, WM_APP + 2, 7, 0), 1);
    ASSERT_EQ(WaitPumping(thread->m_hThread), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 107u); // the quit code through ExitInstance
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    // Idle: counts 0, 1 after the loop started, and again from 0 after each message burst.
    ASSERT_GE(thread->idleCounts.size(), 2u);
    EXPECT_EQ(thread->idleCounts[0], 0);
    EXPECT_EQ(thread->idleCounts[1], 1);
    for (size_t i = 1; i < thread->idleCounts.size(); ++i)
        EXPECT_TRUE(thread->idleCounts[i] == 0 || thread->idleCounts[i] == thread->idleCounts[i - 1] + 1);
    for (LONG c : thread->idleCounts) EXPECT_LE(c, 1);
    delete thread;
    ::CloseHandle(g_ready);
    ::CloseHandle(g_idled);
    g_idled = nullptr;
}

TEST(MfcThread, ThreadThatFailsToStart)
{
    CUiThread* thread = static_cast<CUiThread*>(
        AfxBeginThread(RUNTIME_CLASS(CUiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->m_bFailStart = TRUE;
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 100u); // ExitInstance ran without a loop
    delete thread;
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CWnd)), nullptr); // not a thread class
}

TEST(MfcThread, WorkerThread)
{
    CWinThread* seen = nullptr;
    CWinThread* thread = AfxBeginThread(&WorkerProc, &seen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 9u);
    EXPECT_EQ(seen, thread);
    EXPECT_EQ(AfxGetThread(), &theTestApp);
    delete thread;
}

TEST(MfcThread, HandleMapsFromTwoThreads)
{
    // Both threads create and destroy windows of the module while looking each other's up.
    struct Churn {
        static UINT Run(LPVOID param)
        {
            std::atomic<int>* failures = static_cast<std::atomic<int>*>(param);
            for (int i = 0; i < 100; ++i) {
                CWnd wnd;
                if (!wnd.CreateEx(0, nullptr, "churn", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr)) ++*failures;
                if (CWnd::FromHandlePermanent(wnd.m_hWnd) != &wnd) ++*failures;
                CWnd::FromHandle(::GetDesktopWindow());
                wnd.DestroyWindow();
            }
            AfxFreeTempMaps();
            return 0;
        }
    };
    std::atomic<int> failures{0};
    CWinThread* other = AfxBeginThread(&Churn::Run, &failures, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(other, nullptr);
    other->m_bAutoDelete = FALSE;
    other->ResumeThread();
    Churn::Run(&failures);
    ASSERT_EQ(WaitPumping(other->m_hThread), WAIT_OBJECT_0);
    EXPECT_EQ(failures.load(), 0);
    delete other;
}

TEST(MfcThread, ApplicationRunLoop)
{
    // The main loop of the application: idle from count 0 until the handler says no more,
    // messages through the filter, the quit code as the result.
    class CMainWnd : public CWnd {
    public:
        int posted = 0;
        BOOL PreTranslateMessage(MSG* pMsg) override
        {
            if (pMsg->message == WM_APP + 3) ++posted;
            return CWnd::PreTranslateMessage(pMsg);
        }
    };
    CMainWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    theTestApp.m_pMainWnd = &wnd;
    ::PostMessageA(wnd.m_hWnd, WM_APP + 3, 0, 0);
    AfterStart([] { ::PostQuitMessage(4); });
    EXPECT_EQ(theTestApp.Run(), 4);
    EXPECT_EQ(wnd.posted, 1);
    theTestApp.m_pMainWnd = nullptr;
    wnd.DestroyWindow();
}
