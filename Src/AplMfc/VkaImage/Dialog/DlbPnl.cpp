#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnl"
#include "DlbPnl.h"
#include "CmnSub.h"
#include "HalcorRes.h"
#include "VkaAppInf.h"

int DlbPnl::InitPanel(int index)
{
    int rc = StartPanel(index, 0, 0);
    if (rc == VKE_OK) m_inf.bReady = 1;
    return rc;
}

int DlbPnl::StartPanel(int index, int ctlCnt, int draCnt)
{
    SIZE size = theAppInf.sizBriDlb[index];
    int rc = Init(ctlCnt, draCnt, 0, &size);
    COLORREF color = 0;
    LOGFONTA font = {};
    if (rc == VKE_OK && theCmnSub.GetTextColor(CmnKndDlb, 0, &color) == VKE_OK) rc = SetTextColor(color);
    if (rc == VKE_OK && theCmnSub.GetBackColor(CmnKndDlb, 0, &color) == VKE_OK) rc = SetBackColor(color);
    if (rc == VKE_OK && theCmnSub.GetFont(CmnKndDlb, 0, &font) == VKE_OK) rc = SetFontByLogFont(&font);
    if (rc != VKE_OK) {
        CMN_TRACE("Init", rc);
        return rc;
    }
    return VKE_OK;
}

void DlbPnl::MoveCtl()
{
    HWND name = ::GetDlgItem(m_hWnd, IDC_DLBPNL_NAME);
    if (!name) return;
    CRect client, text;
    GetClientRect(&client);
    ::GetWindowRect(name, &text);
    ScreenToClient(&text);
    int width = client.right - 2 * text.left;
    ::SetWindowPos(name, nullptr, 0, 0, width > 1 ? width : 1, text.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
