// The system's page-setup dialog. With PSD_RETURNDEFAULT in the flags it shows nothing and hands
// back the default printer's blocks. The device-names and device-mode blocks in m_psd belong to
// the caller afterwards.
#pragma once
#include "CCommonDialog.h"
#include <commdlg.h>

class CPageSetupDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPageSetupDialog)

public:
    explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE, CWnd* pParentWnd = nullptr);

    PAGESETUPDLGA m_psd;
    // IDOK or IDCANCEL (also when there is no printer).
    INT_PTR DoModal() override;
};
