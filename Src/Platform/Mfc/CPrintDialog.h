// The system's print dialog (or its print set-up form). m_pd always asks for the printer's DC
// (PD_RETURNDC); a template in m_pd (PD_ENABLEPRINTTEMPLATE) is read from the program's module.
// The hook binds the system dialog to the object, so OnInitDialog and the object's message map
// see it (a button of the template reaches the map).
#pragma once
#include "CCommonDialog.h"

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)

public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);

    PRINTDLGA m_pd;

    // IDOK or IDCANCEL. The device blocks in m_pd are the caller's: the dialog may change or
    // replace them, and the DC it returns in m_pd.hDC is the caller's to delete.
    INT_PTR DoModal() override;
    // The DC of the last OK (the caller deletes it), or null.
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A DC for the printer of m_pd's device blocks, put in m_pd.hDC (the caller deletes it; a DC
    // that was there is not deleted). Null when the blocks name no printer that answers.
    HDC CreatePrinterDC();
    // The device mode of m_pd (valid while m_pd holds the block), or null.
    LPDEVMODEA GetDevMode() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
};

// The driver, device and port names of a device-names block; FALSE (and empty names) when the
// block is missing or damaged.
BOOL AfxGetDevNames(HGLOBAL hDevNames, CString* pDriver, CString* pDevice, CString* pPort);
// A new device-names block (global memory the caller owns), or null.
HGLOBAL AfxMakeDevNames(LPCSTR lpszDriver, LPCSTR lpszDevice, LPCSTR lpszPort);
