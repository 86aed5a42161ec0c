// The progress thread and the wait that keeps a thread's windows alive while it waits.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\HalcorThr"
#include "HalcorThr.h"
#include "Halcor.h"
#include "HalcorRes.h"

IMPLEMENT_DYNCREATE(HalcorThr, CWinThread)

BOOL HalcorThr::InitInstance()
{
    HalcorApp* app = HalcorGetApp();
    if (!app || !app->GetThrStartEvent() || !app->GetThrStopEvent()) {
        CMN_TRACE("InitInstance", VKE_ERR_SYSTEM);
        return FALSE;
    }
    DlgOpnSts& dlg = app->GetOpnStsDlg();
    if (!dlg.Create(IDD_DLGOPNSTS, nullptr)) {
        CMN_TRACE("InitInstance", VKE_ERR_MEMORY);
        return FALSE;
    }
    m_pMainWnd = &dlg;
    dlg.ShowWindow(SW_SHOW);
    ::SetEvent(app->GetThrStartEvent());
    return TRUE;
}

int HalcorThr::ExitInstance()
{
    if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->DestroyWindow();
    m_pMainWnd = nullptr;
    return CWinThread::ExitInstance();
}

void HalcorThr::Wait(const HANDLE* handles, int count, int* pumping)
{
    bool quit = false;
    int quitCode = 0;
    for (;;) {
        DWORD rc = ::MsgWaitForMultipleObjects(static_cast<DWORD>(count), handles, FALSE, INFINITE, QS_ALLINPUT);
        if (rc != WAIT_OBJECT_0 + static_cast<DWORD>(count)) break;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != CmnWmBusyClose) {
            *pumping = 1;
            BOOL more = AfxPumpMessage();
            *pumping = 0;
            if (!more) {
                CWinThread* thread = AfxGetThread();
                quit = true;
                quitCode = thread ? static_cast<int>(thread->m_msgCur.wParam) : 0;
                break;
            }
        }
    }
    if (quit) ::PostQuitMessage(quitCode);
}
