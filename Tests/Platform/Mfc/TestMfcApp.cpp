#include "TestMfcApp.h"

CTestApp theTestApp;

BOOL CTestApp::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) keysSeen += static_cast<char>(pMsg->wParam);
    return CWinApp::PreTranslateMessage(pMsg);
}
