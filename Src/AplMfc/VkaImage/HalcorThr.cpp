// The progress thread and the wait that keeps a thread's windows alive while it waits.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\HalcorThr"
#include "HalcorThr.h"
#include "CmnWin.h"
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

void HalcorThr::Wait(const HANDLE* handles, int count, int* pumping) { CmnWin::WaitPumping(handles, count, pumping); }
