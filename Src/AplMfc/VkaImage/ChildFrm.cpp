#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildFrm"
#include "ChildFrm.h"
#include "Halcor.h"

IMPLEMENT_DYNCREATE(ChildFrm, CFrameWnd)

BEGIN_MESSAGE_MAP(ChildFrm, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(CmnWmInitApp, &ThisClass::OnInitApp)
END_MESSAGE_MAP()

ChildFrm::~ChildFrm()
{
    // The frame object goes with its window: nothing may reach it through the framework's block.
    if (theCmnAppInf.pMainFrame == this) theCmnAppInf.pMainFrame = nullptr;
}

int ChildFrm::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    HalcorApp* app = HalcorGetApp();
    int rc = app ? app->Init(m_hWnd) : VKE_ERR_SYSTEM;
    if (rc == VKE_OK) return 0;
    if (rc != VKE_ERR_EXISTS && rc != -3 && rc != -2) CMN_TRACE("OnCreate", rc);
    return -1;
}

LRESULT ChildFrm::OnInitApp(WPARAM, LPARAM)
{
    HalcorApp* app = HalcorGetApp();
    if (app) app->InitApp();
    return 1;
}
