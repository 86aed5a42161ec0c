// The application's printer set-up: the framework's current printer (CWinApp's device-names and
// device-mode blocks), the engine's copies of it and the printer DC, read from and written to the
// printer files "Pictavo.dvn" and "Pictavo.dvm" of the work folder. Each file holds the raw bytes
// of one global memory block.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnApp"
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnRes.h"
#include "CmnSub.h"

namespace {

const char kNamesFile[] = "Pictavo.dvn";
const char kModeFile[] = "Pictavo.dvm";
// Far above any printer's blocks: a bigger file is no printer file.
const double kMaxBlock = 1 << 20;

// The path of a printer file in the work folder; false when it does not fit.
bool PrinterFile(char* path, const char* name)
{
    int n = snprintf(path, CmnPathSize, "%s\\%s", theCmnAppInf.amWrkDir, name);
    return theCmnAppInf.amWrkDir[0] && n > 0 && n < CmnPathSize;
}

void DeletePrinterFiles()
{
    char path[CmnPathSize];
    if (PrinterFile(path, kNamesFile)) ::DeleteFileA(path);
    if (PrinterFile(path, kModeFile)) ::DeleteFileA(path);
}

} // namespace

int CmnApp::InitPrinter()
{
    CmnAppInf& inf = theCmnAppInf;
    if (!inf.bInit) {
        CMN_TRACE("InitPrinter", VKE_ERR_NOT_INIT);
        return VKE_ERR_NOT_INIT;
    }
    m_bPrtRead = true;
    // Asks for the default printer without showing anything; margins in 0.01 mm.
    CPageSetupDialog dlg(PSD_RETURNDEFAULT | PSD_INHUNDREDTHSOFMILLIMETERS);
    HGLOBAL names = nullptr, mode = nullptr;
    bool fromFiles = ReadPrinterFiles(&names, &mode);
    RECT& margin = inf.rctPrintMargin;
    bool marginSet = margin.left >= 0 && margin.top >= 0 && margin.right >= 0 && margin.bottom >= 0;
    if (!fromFiles || !marginSet) {
        dlg.DoModal(); // without a printer both blocks stay null
        if (!marginSet) SetRectEmpty(&margin);
    }
    int rc = VKE_OK;
    if (fromFiles) {
        VkeSysPrintFreeHandle(inf.pSys, &dlg.m_psd.hDevNames, &dlg.m_psd.hDevMode);
    } else {
        rc = SelectPrinter(dlg.m_psd.hDevNames, dlg.m_psd.hDevMode, 0);
        if (rc != VKE_OK) VkeSysPrintFreeHandle(inf.pSys, &dlg.m_psd.hDevNames, &dlg.m_psd.hDevMode);
    }
    if (rc == VKE_OK) rc = VkeSysPrintSynHandle(inf.pSys, &m_hPrtDevNames, &m_hPrtDevMode, m_hDevNames, m_hDevMode);
    if (rc != VKE_OK) {
        theCmnSub.MsgBoxById(IDS_CMN_PRINTER, MB_OK | MB_ICONSTOP);
        CMN_TRACE("InitPrinter", rc);
    }
    return rc;
}

int CmnApp::NeedPrinter()
{
    if (!m_bPrtDue || m_bPrtRead || !theCmnAppInf.bInit) return VKE_OK;
    m_bPrtDue = false;
    return InitPrinter();
}

// The printer the files name, selected; a missing, short or damaged file, or a printer that
// cannot be had (the engine checks that the names and the device mode lie inside their blocks
// before it makes the DC), gives none and leaves nothing held.
bool CmnApp::ReadPrinterFiles(HGLOBAL* pNames, HGLOBAL* pMode)
{
    ReadPrinterFile(kNamesFile, pNames);
    ReadPrinterFile(kModeFile, pMode);
    if (*pNames && SelectPrinter(*pNames, *pMode, 1) == VKE_OK) return true;
    VkeSysPrintFreeHandle(theCmnAppInf.pSys, pNames, pMode);
    return false;
}

// A new block holding the whole file; none for a missing or empty file.
int CmnApp::ReadPrinterFile(const char* name, HGLOBAL* pBlock)
{
    CmnAppInf& inf = theCmnAppInf;
    char path[CmnPathSize];
    if (!PrinterFile(path, name)) return VKE_ERR_CUT;
    double size = 0;
    int known = 0;
    int rc = VkeSubGetFileSize(inf.pSub, path, &size, &known);
    if (rc != VKE_OK || !known || size < 1 || size > kMaxBlock) return rc;
    unsigned bytes = static_cast<unsigned>(size);
    rc = VkeSysAllocHGlobal(inf.pSys, pBlock, bytes);
    if (rc != VKE_OK) return rc;
    {
        CmnGlobalLock lock(*pBlock);
        CmnFile file(path, "rb");
        rc = lock.Result();
        if (rc == VKE_OK && (!file || fread(lock.Get(), 1, bytes, file.Get()) != bytes)) rc = VKE_ERR_FILE;
    }
    if (rc != VKE_OK) VkeSysFreeHGlobal(inf.pSys, pBlock);
    return rc;
}

void CmnApp::TermPrinter()
{
    CmnAppInf& inf = theCmnAppInf;
    int rc = VKE_OK;
    // Only a run that read the printer files writes them again, so a start that failed early
    // leaves them as they were.
    if (m_bPrtRead) {
        DeletePrinterFiles();
        rc = WritePrinterFile(kNamesFile, m_hDevNames);
        int rcMode = WritePrinterFile(kModeFile, m_hDevMode);
        if (rc == VKE_OK) rc = rcMode;
    }
    int rcDC = DeletePrtHDC(&m_hPrtDC);
    if (rc == VKE_OK) rc = rcDC;
    int rcCopies = VkeSysPrintFreeHandle(inf.pSys, &m_hPrtDevNames, &m_hPrtDevMode);
    if (rc == VKE_OK) rc = rcCopies;
    if (rc != VKE_OK) {
        if (m_bPrtRead) DeletePrinterFiles();
        CMN_TRACE("TermPrinter", rc);
    }
}

// All bytes of the block into the file; nothing for a missing or empty block.
int CmnApp::WritePrinterFile(const char* name, HGLOBAL hBlock)
{
    unsigned size = 0;
    if (!hBlock || VkeSysGetGlobalSize(theCmnAppInf.pSys, hBlock, &size) != VKE_OK || size < 1) return VKE_OK;
    char path[CmnPathSize];
    if (!PrinterFile(path, name)) return VKE_ERR_FILE;
    CmnGlobalLock lock(hBlock);
    if (lock.Result() != VKE_OK) return lock.Result();
    CmnFile file(path, "wb");
    bool ok = file && fwrite(lock.Get(), 1, size, file.Get()) == size;
    return file.Close() && ok ? VKE_OK : VKE_ERR_FILE;
}

// ---- The printer helpers ----

int CmnApp::SetPrtInf(HGLOBAL* pDevNames, HGLOBAL* pDevMode, HGLOBAL hNewNames, HGLOBAL hNewMode)
{
    NeedPrinter();
    int rc = !theCmnAppInf.bInit ? VKE_ERR_NOT_INIT : (!pDevNames || !pDevMode) ? VKE_ERR_ARG : VKE_OK;
    if (rc == VKE_OK) {
        // The copy may be a new block: the current printer must not keep the freed one.
        bool current = (*pDevNames && *pDevNames == m_hDevNames) || (*pDevMode && *pDevMode == m_hDevMode);
        rc = VkeSysPrintSynHandle(theCmnAppInf.pSys, pDevNames, pDevMode, hNewNames, hNewMode);
        if (rc == VKE_OK && current) {
            m_hDevNames = *pDevNames;
            m_hDevMode = *pDevMode;
        }
    }
    if (rc != VKE_OK) CMN_TRACE("SetPrtInf", rc);
    return rc;
}

int CmnApp::GetPrtInf(HGLOBAL* pDevNames, HGLOBAL* pDevMode)
{
    NeedPrinter();
    int rc = !theCmnAppInf.bInit ? VKE_ERR_NOT_INIT : (!pDevNames || !pDevMode) ? VKE_ERR_ARG : VKE_OK;
    if (rc != VKE_OK) {
        CMN_TRACE("GetPrtInf", rc);
        return rc;
    }
    *pDevNames = m_hDevNames;
    *pDevMode = m_hDevMode;
    return VKE_OK;
}

int CmnApp::CreatePrtHDC(HGLOBAL hDevNames, HGLOBAL hDevMode, HDC* pDC)
{
    int rc = theCmnAppInf.bInit ? VkeSysPrintCreateDC(theCmnAppInf.pSys, hDevNames, hDevMode, pDC) : VKE_ERR_NOT_INIT;
    if (rc != VKE_OK) CMN_TRACE("CreatePrtHDC", rc);
    return rc;
}

int CmnApp::DeletePrtHDC(HDC* pDC)
{
    int rc = VKE_OK;
    if (!pDC) {
        rc = VKE_ERR_ARG;
    } else if (theCmnAppInf.bInit) {
        rc = VkeSysPrintDeleteDC(theCmnAppInf.pSys, pDC);
    } else {
        if (*pDC) ::DeleteDC(*pDC);
        *pDC = nullptr;
    }
    if (rc != VKE_OK) CMN_TRACE("DeletePrtHDC", rc);
    return rc;
}

int CmnApp::SetPrtHDC(HDC hDC)
{
    NeedPrinter();
    if (!theCmnAppInf.bInit) {
        CMN_TRACE("SetPrtHDC", VKE_ERR_NOT_INIT);
        return VKE_ERR_NOT_INIT;
    }
    m_hPrtDC = hDC;
    return VKE_OK;
}

int CmnApp::GetPrtHDC(HDC* pDC)
{
    NeedPrinter();
    int rc = !theCmnAppInf.bInit ? VKE_ERR_NOT_INIT : !pDC ? VKE_ERR_ARG : VKE_OK;
    if (rc != VKE_OK) {
        CMN_TRACE("GetPrtHDC", rc);
        return rc;
    }
    *pDC = m_hPrtDC;
    return VKE_OK;
}

int CmnApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, int nMode)
{
    NeedPrinter();
    VkiSys* sys = theCmnAppInf.pSys;
    int rc = !theCmnAppInf.bInit ? VKE_ERR_NOT_INIT : (nMode != 0 && nMode != 1) ? VKE_ERR_ARG : VKE_OK;
    if (rc == VKE_OK && nMode == 1) {
        // The engine's copies follow the pair; the printer DC is made again unless it is the
        // same printer and a DC exists.
        int namesDiffer = 0, modeDiffers = 0;
        rc = VkeSysCmpHGlobal(sys, hDevNames, m_hPrtDevNames, &namesDiffer);
        if (rc == VKE_OK) rc = VkeSysCmpHGlobal(sys, hDevMode, m_hPrtDevMode, &modeDiffers);
        bool same = namesDiffer == 0 && modeDiffers == 0;
        if (rc == VKE_OK && !same) rc = VkeSysPrintSynHandle(sys, &m_hPrtDevNames, &m_hPrtDevMode, hDevNames, hDevMode);
        if (rc == VKE_OK && !(same && m_hPrtDC)) {
            rc = DeletePrtHDC(&m_hPrtDC);
            if (rc == VKE_OK) rc = CreatePrtHDC(hDevNames, hDevMode, &m_hPrtDC);
        }
    }
    if (rc != VKE_OK) {
        CMN_TRACE("SelectPrinter", rc);
        return rc;
    }
    CWinApp::SelectPrinter(hDevNames, hDevMode);
    return VKE_OK;
}

int CmnApp::SetPrtOrient(int nOrient)
{
    NeedPrinter();
    int rc = !theCmnAppInf.bInit ? VKE_ERR_NOT_INIT : (nOrient != 0 && nOrient != 1) ? VKE_ERR_ARG : VKE_OK;
    if (rc == VKE_OK && m_hDevMode) rc = VkeSysPrintSetOrient(theCmnAppInf.pSys, m_hDevMode, nOrient);
    // 1: the device has no orientation.
    if (rc != VKE_OK && rc != VKE_NOT_DONE) CMN_TRACE("SetPrtOrient", rc);
    return rc;
}

int CmnApp::GetPrtOrient(int* pOrient)
{
    NeedPrinter();
    int rc = !theCmnAppInf.bInit ? VKE_ERR_NOT_INIT : !pOrient ? VKE_ERR_ARG : VKE_OK;
    if (rc == VKE_OK) {
        *pOrient = 0;
        if (m_hDevMode) rc = VkeSysPrintGetOrient(theCmnAppInf.pSys, m_hDevMode, pOrient);
    }
    if (rc != VKE_OK && rc != VKE_NOT_DONE) CMN_TRACE("GetPrtOrient", rc);
    return rc;
}
