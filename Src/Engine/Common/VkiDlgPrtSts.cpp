// The printing-status dialog of the library.
#include "VkiDlgPrtSts.h"
#include "VkeEngRes.h"
#include "VkiSys.h"

VkiDlgPrtSts theVkiDlgPrtSts;

int VkiDlgPrtSts::Bind(VkiSys* sys)
{
    if (!sys) return VKE_ERR_ARG;
    VkiSub* sub = nullptr;
    VkiDrw* drw = nullptr;
    int rc = VkeSysGetVkeSubPtr(sys, &sub);
    if (rc == VKE_OK) rc = VkeSysGetVkeDrwPtr(sys, &drw);
    if (rc != VKE_OK) return rc;
    m_pSys = sys;
    m_pSub = sub;
    m_pDrw = drw;
    return VKE_OK;
}

void VkiDlgPrtSts::Unbind(VkiSys* sys)
{
    if (!sys || sys != m_pSys) return;
    m_pSys = nullptr;
    m_pSub = nullptr;
    m_pDrw = nullptr;
}

BOOL VkiDlgPrtSts::Open(const char* docName, const char* device, const char* port)
{
    // Without a parent: the main window is disabled while the job runs.
    if (m_hWnd || !Create(IDD_VKI_PRT_STS, nullptr)) return FALSE;
    SetDlgItemText(IDC_VKI_PRT_DOCNAME, docName);
    SetDlgItemText(IDC_VKI_PRT_DEVICE, device);
    CString line;
    line.FormatMessage(IDS_VKI_PRT_PORT, port);
    SetDlgItemText(IDC_VKI_PRT_PORT, line);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

void VkiDlgPrtSts::ShowPage(int page)
{
    if (!m_hWnd) return;
    CString line;
    line.Format(IDS_VKI_PRT_PAGE, static_cast<unsigned>(page));
    SetDlgItemText(IDC_VKI_PRT_PAGE, line);
    UpdateWindow();
}

void VkiDlgPrtSts::Close()
{
    if (m_hWnd) DestroyWindow();
    // A Stop belongs to the job it was pressed in; left raised, it would refuse the next job,
    // whose start already runs the abort procedure.
    m_iStop = 0;
}

BOOL VkiDlgPrtSts::OnInitDialog()
{
    m_iStop = 0;
    // Over the main window of the printing program (the screen when it is hidden).
    HWND main = nullptr;
    if (m_pSys) m_pSys->GetMainWindowHandle(&main);
    CenterWindow(main ? CWnd::FromHandle(main) : nullptr);
    return CDialog::OnInitDialog();
}
