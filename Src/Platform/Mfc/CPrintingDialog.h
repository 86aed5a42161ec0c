// The window shown while a print job runs: the document, the printer, its port and the page
// being printed, and a Stop button that asks the job to end. It is made in memory with the
// texts of the engine's printing-status dialog (the layer has no resources of its own).
#pragma once
#include "CDialog.h"

class CPrintingDialog : public CDialog {
public:
    CPrintingDialog() = default;

    // Modeless, centred over pParentWnd (which the job disables meanwhile).
    BOOL Open(CWnd* pParentWnd, LPCSTR lpszDocName, LPCSTR lpszDevice, LPCSTR lpszPort);
    void ShowPage(UINT nPage);
    // Set by Stop; the job reads it between pages.
    BOOL m_bUserAbort = FALSE;

    enum { IDC_DOCNAME = 1002, IDC_DEVICE = 1003, IDC_PORT = 1004, IDC_PAGE = 1005 };

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {} // Enter does not close it
    void OnCancel() override { m_bUserAbort = TRUE; }
};
