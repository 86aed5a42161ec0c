// The print dialog of an image page: the system's print dialog on the program's template 116
// (Japanese texts, the buttons "実行" and "閉じる"). During a batch print it shows "中止", which
// sets the application's batch-print abort flag and cancels the dialog, so the batch stops.
//
// The page puts it in the framework's print information in place of the framework's dialog
// (the print information deletes it):
//
//   delete pInfo->m_pPD;
//   pInfo->m_pPD = new DlgPrt(FALSE, DlgPrt::kFlags);
//   pInfo->m_pPD->m_pd.nMinPage = 1;
//   pInfo->m_pPD->m_pd.nMaxPage = 0xFFFF;
//   pInfo->m_pPD->m_pd.hDC = printerDC;   // the application's; cleared again at the job's end
//
// DoModal is the framework's (IDOK or IDCANCEL); the template and the program's module are set
// by the constructor.
#pragma once
#include "Mfc.h"

class DlgPrt : public CPrintDialog {
    DECLARE_DYNAMIC(DlgPrt)

public:
    // No selection button, the program's template, copies and collation kept in the device mode.
    static constexpr DWORD kFlags = PD_NOSELECTION | PD_ENABLEPRINTTEMPLATE | PD_USEDEVMODECOPIESANDCOLLATE;

    explicit DlgPrt(BOOL bPrintSetupOnly = FALSE, DWORD dwFlags = kFlags, CWnd* pParentWnd = nullptr);

    int IsInit() const { return m_bInit; }

protected:
    // The framework's start, then Init; a failure shows 27576 and cancels the dialog.
    BOOL OnInitDialog() override;
    // -7 when started; the collate picture 100 pixels wider and 10 taller; "中止" shown only
    // during a batch print.
    virtual int Init();
    afx_msg void OnAbort();
    DECLARE_MESSAGE_MAP()

    int m_bInit;
};
