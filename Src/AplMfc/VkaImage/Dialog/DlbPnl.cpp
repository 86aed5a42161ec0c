#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnl"
#include "DlbPnl.h"
#include "CmnDef.h"
#include "HalcorRes.h"
#include "VkaAppInf.h"

BEGIN_MESSAGE_MAP(CmnDlb, CDialogBar)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int DlbPnl::InitPanel(int index)
{
    SIZE size = theAppInf.sizBriDlb[index];
    int rc = Init(0, 0, 0, &size);
    if (rc != VKE_OK) CMN_TRACE("Init", rc);
    return rc;
}

int DlbPnl::MoveCtl()
{
    HWND name = ::GetDlgItem(m_hWnd, IDC_DLBPNL_NAME);
    if (!name) return VKE_OK;
    CRect client, text;
    GetClientRect(&client);
    ::GetWindowRect(name, &text);
    ScreenToClient(&text);
    int width = client.right - text.left - text.left;
    ::SetWindowPos(name, nullptr, 0, 0, width > 1 ? width : 1, text.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return VKE_OK;
}
