// The application's printer: the print dialog with its device pair, and the default printer.
#include "CPrintDialog.h"
#include "CWinApp.h"
#include <winspool.h>
#include <vector>

void CWinApp::DropStalePrinter()
{
    if (!m_hDevNames) return;
    CString device;
    HANDLE printer = nullptr;
    if (AfxGetDevNames(m_hDevNames, nullptr, &device, nullptr) &&
        ::OpenPrinterA(const_cast<LPSTR>(static_cast<LPCSTR>(device)), &printer, nullptr)) {
        ::ClosePrinter(printer);
        return;
    }
    SelectPrinter(nullptr, nullptr);
}

void CWinApp::KeepPrinterPort()
{
    // The dialog names the port "FILE:" after "print to file"; that was this job's choice, and
    // later jobs would go nowhere: the printer keeps the port it has.
    CString driver, device;
    HANDLE printer = nullptr;
    if (!AfxGetDevNames(m_hDevNames, &driver, &device, nullptr) ||
        !::OpenPrinterA(const_cast<LPSTR>(static_cast<LPCSTR>(device)), &printer, nullptr))
        return;
    DWORD size = 0;
    ::GetPrinterA(printer, 2, nullptr, 0, &size);
    std::vector<BYTE> info(size ? size : 1);
    HGLOBAL names = nullptr;
    if (size && ::GetPrinterA(printer, 2, info.data(), size, &size)) {
        const PRINTER_INFO_2A* pi = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
        if (pi->pPortName && *pi->pPortName) names = AfxMakeDevNames(driver, device, pi->pPortName);
    }
    ::ClosePrinter(printer);
    if (names) SelectPrinter(names, m_hDevMode);
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UsePrinter();
    DropStalePrinter();
    for (int attempt = 0;; ++attempt) {
        pPD->m_pd.hDevNames = m_hDevNames;
        pPD->m_pd.hDevMode = m_hDevMode;
        INT_PTR result = pPD->DoModal();
        DWORD error = result == IDOK ? 0 : ::CommDlgExtendedError();
        // The dialog may have changed or replaced the blocks: they stay the application's.
        m_hDevNames = pPD->m_pd.hDevNames;
        m_hDevMode = pPD->m_pd.hDevMode;
        if (result == IDOK && (pPD->m_pd.Flags & PD_PRINTTOFILE)) {
            KeepPrinterPort();
            pPD->m_pd.hDevNames = m_hDevNames;
        }
        bool refused = error == PDERR_PRINTERNOTFOUND || error == PDERR_DNDMMISMATCH;
        if (!refused || attempt > 0 || !m_hDevNames) return result;
        SelectPrinter(nullptr, nullptr);
        pPD->m_pd.hDevNames = pPD->m_pd.hDevMode = nullptr;
    }
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg)
{
    UsePrinter();
    DropStalePrinter();
    if (!m_hDevNames) {
        PRINTDLGA pd = {};
        pd.lStructSize = sizeof(pd);
        pd.Flags = PD_RETURNDEFAULT;
        if (::PrintDlgA(&pd)) SelectPrinter(pd.hDevNames, pd.hDevMode, FALSE);
    }
    if (!pPrintDlg) return m_hDevNames != nullptr;
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return m_hDevNames != nullptr;
}
