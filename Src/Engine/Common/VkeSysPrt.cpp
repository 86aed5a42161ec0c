// Printing services of the system object: printer settings blocks kept in step, printer DCs and
// orientation, the printable rectangle, the library's one print dialog and one page-setup dialog,
// and print jobs with the printing-status dialog and an abort procedure that keeps the program's
// windows working while a page is sent.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSysBsc"
#include "VkiSys.h"
#include "VkiDlgPrtSts.h"
#include "VkiGdi.h"
#include "VkiPrt.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include "MfcPageSetup.h"
#include <commdlg.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The print dialog: no print setup, no print-to-file box, copies through the device mode, no page
// numbers, no selection.
const DWORD kPrintFlags = PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION;

// The dialogs open centred on their owner (the platform puts them at its corner).
UINT_PTR CALLBACK CentreOnOwner(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG) return 0;
    AfxCenterWindow(dialog);
    return TRUE;
}

// The library's print dialog and page-setup dialog. The print dialog's device-names and device-mode
// blocks and its DC are the attached printer; the library owns all three. The page-setup dialog
// holds blocks only while it runs.
struct PrintDialogs {
    PRINTDLGA pd;
    PAGESETUPDLGA psd;
    PrintDialogs()
    {
        memset(&pd, 0, sizeof(pd));
        pd.lStructSize = sizeof(pd);
        pd.Flags = kPrintFlags;
        pd.nMinPage = 1;
        pd.nMaxPage = 0xFFFF;
        pd.lpfnPrintHook = CentreOnOwner;
        memset(&psd, 0, sizeof(psd));
        psd.lStructSize = sizeof(psd);
        psd.Flags = PSD_INHUNDREDTHSOFMILLIMETERS;
        psd.lpfnPageSetupHook = CentreOnOwner;
    }
};
PrintDialogs g_dlg;
// The DC of the job the library runs, from StartDoc to its end.
HDC g_hJobDC = nullptr;

// Frees the blocks a page-setup dialog run left that are not the attached printer's; both handles
// end up 0.
void DropSetupBlocks(VkiSys& sys, HGLOBAL* names, HGLOBAL* mode)
{
    if (*names != g_dlg.pd.hDevNames) sys.FreeHGlobal(names);
    if (*mode != g_dlg.pd.hDevMode) sys.FreeHGlobal(mode);
    *names = *mode = nullptr;
}

bool IsFlag(int v) { return v == 0 || v == 1; }

WORD PageWord(int v) { return static_cast<WORD>(v < 0 ? 0 : v > 0xFFFF ? 0xFFFF : v); }

// A text field of a caller's record, terminated even when the caller filled all its bytes.
template <size_t N>
class FieldText {
public:
    explicit FieldText(const char (&field)[N])
    {
        int len = VkiFitLen(field, VkiStrLen(field, N), N - 1);
        memcpy(m_text, field, static_cast<size_t>(len));
        m_text[len] = '\0';
    }
    operator const char*() const { return m_text; }

private:
    char m_text[N];
};

// The name at offset in a locked device-names block: null when it starts outside the block or
// inside its header, or runs past its end.
const char* NameAt(const char* block, SIZE_T size, WORD offset)
{
    if (offset < sizeof(DEVNAMES) || offset >= size) return nullptr;
    return memchr(block + offset, 0, size - offset) ? block + offset : nullptr;
}

// The driver, device and port names of a locked device-names block; false when the block is too
// small or a name lies outside it.
bool ReadNames(const VkiGlobalLock<char>& lock, const char* names[3])
{
    if (lock.Size() < sizeof(DEVNAMES)) return false;
    const DEVNAMES* dn = reinterpret_cast<const DEVNAMES*>(lock.Get());
    const WORD offsets[3] = {dn->wDriverOffset, dn->wDeviceOffset, dn->wOutputOffset};
    for (int i = 0; i < 3; ++i)
        if (!(names[i] = NameAt(lock.Get(), lock.Size(), offsets[i]))) return false;
    return true;
}

// The device mode in a locked block; null when the block cannot hold the one it claims to.
DEVMODEA* DevModeIn(const VkiGlobalLock<DEVMODEA>& lock)
{
    const SIZE_T head = offsetof(DEVMODEA, dmFields) + sizeof(DWORD);
    DEVMODEA* dm = lock.Get();
    if (!dm || lock.Size() < head || dm->dmSize < head) return nullptr;
    return static_cast<SIZE_T>(dm->dmSize) + dm->dmDriverExtra <= lock.Size() ? dm : nullptr;
}

bool HasOrientation(const DEVMODEA* dm)
{
    return dm->dmSize >= offsetof(DEVMODEA, dmOrientation) + sizeof(dm->dmOrientation) &&
           (dm->dmFields & DM_ORIENTATION) != 0;
}

// Margins in 0.01 mm as sizes in device pixels of dc; the DC's mapping is left as it was.
int MarginPixels(HDC dc, const RECT& margins, RECT* out)
{
    VkiSaveDC saved(dc);
    if (!saved.Ok() || !SetMapMode(dc, MM_HIMETRIC)) return VKE_ERR_ARG;
    POINT pt[3] = {{0, 0}, {margins.left, margins.top}, {margins.right, margins.bottom}};
    if (!LPtoDP(dc, pt, 3)) return VKE_ERR_ARG;
    auto size = [](LONG a, LONG b) { return static_cast<LONG>(llabs(static_cast<long long>(a) - b)); };
    out->left = size(pt[1].x, pt[0].x);
    out->top = size(pt[1].y, pt[0].y);
    out->right = size(pt[2].x, pt[0].x);
    out->bottom = size(pt[2].y, pt[0].y);
    return VKE_OK;
}

// Whether a job may go on (Windows' abort procedure): no after an error other than a full disk,
// after Stop, or when the program is quitting; otherwise the waiting messages are pumped first.
BOOL CALLBACK PrintAbortProc(HDC, int code)
{
    if (code != 0 && code != SP_OUTOFDISK) return FALSE;
    CWinThread* thread = AfxGetThread();
    MSG msg;
    while (!theVkiDlgPrtSts.IsStopped() && thread && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!thread->PumpMessage()) {
            // The pump took the quit message off the queue: it goes back, so the program still ends.
            PostQuitMessage(static_cast<int>(thread->m_msgCur.wParam));
            return FALSE;
        }
    }
    return !theVkiDlgPrtSts.IsStopped();
}

} // namespace

// ---- Printer settings blocks ----

int VkiSys::PrintSynHandle(HGLOBAL* devNames, HGLOBAL* devMode, HGLOBAL srcNames, HGLOBAL srcMode)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!devNames || !devMode) return VKE_ERR_ARG;
    // A target holding the other pair's source would free a block the other step still reads.
    if ((*devNames && *devNames == srcMode) || (*devMode && *devMode == srcNames)) return VKE_ERR_ARG;
    int rc = SynHGlobal(devNames, srcNames);
    return rc == VKE_OK ? SynHGlobal(devMode, srcMode) : rc;
}

int VkiSys::PrintFreeHandle(HGLOBAL* devNames, HGLOBAL* devMode)
{
    if (!devNames || !devMode) return VKE_ERR_ARG;
    int rc = FreeHGlobal(devNames);
    int rcMode = FreeHGlobal(devMode);
    return rc != VKE_OK ? rc : rcMode;
}

// ---- Printable rectangle and the record ----

int VkiSys::PrintCalcRect(HDC dc, const RECT* margins, RECT* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !margins || !out) return VKE_ERR_ARG;
    VkiPageMeasures m;
    m.width = GetDeviceCaps(dc, PHYSICALWIDTH);
    m.height = GetDeviceCaps(dc, PHYSICALHEIGHT);
    m.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    m.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    m.horzRes = GetDeviceCaps(dc, HORZRES);
    m.vertRes = GetDeviceCaps(dc, VERTRES);
    // Only a printer has a physical page.
    if (m.width < 1 || m.height < 1 || m.horzRes < 1 || m.vertRes < 1) return VKE_ERR_ARG;
    RECT pixels;
    int rc = MarginPixels(dc, *margins, &pixels);
    return rc == VKE_OK ? VkiPrintableRect(m, pixels, out) : rc;
}

int VkiSys::PrintInitPdi(Pdi* pdi)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi) return VKE_ERR_ARG;
    memset(pdi, 0, sizeof(*pdi));
    pdi->iMode = 1;
    pdi->iMinPage = 1;
    pdi->iMaxPage = 0xFFFF;
    return VKE_OK;
}

int VkiSys::PrintTermPdi(Pdi* pdi)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi) return VKE_ERR_ARG;
    pdi->hDC = nullptr;
    return VKE_OK;
}

int VkiSys::PrintCopyPdi(Pdi* dest, const Pdi* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src) return VKE_ERR_ARG;
    memmove(dest, src, sizeof(*dest));
    return VKE_OK;
}

// ---- Printer DCs and orientation ----

int VkiSys::PrintCreateDC(HGLOBAL devNames, HGLOBAL devMode, HDC* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    if (!devNames) return VKE_OK;
    VkiGlobalLock<char> lock(devNames);
    const char* names[3];
    if (!ReadNames(lock, names)) return VKE_ERR_ARG;
    VkiGlobalLock<DEVMODEA> mode(devMode);
    const DEVMODEA* dm = nullptr;
    if (devMode && !(dm = DevModeIn(mode))) return VKE_ERR_ARG;
    *out = CreateDCA(names[0], names[1], names[2], dm);
    return *out ? VKE_OK : VKE_ERR_ARG;
}

int VkiSys::PrintDeleteDC(HDC* dc)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc) return VKE_ERR_ARG;
    if (*dc) DeleteDC(*dc);
    *dc = nullptr;
    return VKE_OK;
}

int VkiSys::PrintSetOrient(HGLOBAL devMode, int landscape)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsFlag(landscape)) return VKE_ERR_ARG;
    if (!devMode) return VKE_NOT_DONE;
    VkiGlobalLock<DEVMODEA> lock(devMode);
    DEVMODEA* dm = DevModeIn(lock);
    if (!dm) return VKE_ERR_ARG;
    if (!HasOrientation(dm)) return VKE_NOT_DONE;
    short orient = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    if (dm->dmOrientation != orient) dm->dmOrientation = orient;
    return VKE_OK;
}

int VkiSys::PrintGetOrient(HGLOBAL devMode, int* landscape)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!landscape) return VKE_ERR_ARG;
    *landscape = 0;
    if (!devMode) return VKE_NOT_DONE;
    VkiGlobalLock<DEVMODEA> lock(devMode);
    const DEVMODEA* dm = DevModeIn(lock);
    if (!dm) return VKE_ERR_ARG;
    if (!HasOrientation(dm)) return VKE_NOT_DONE;
    *landscape = dm->dmOrientation == DMORIENT_LANDSCAPE ? 1 : 0;
    return VKE_OK;
}

// ---- The attached printer ----

int VkiSys::PrintDialogAttach(HGLOBAL devNames, HGLOBAL devMode)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!devNames) return VKE_ERR_ARG;
    HDC made = nullptr;
    int rc = PrintCreateDC(devNames, devMode, &made);
    if (rc != VKE_OK) return rc;
    VkiOwnDC dc(made);
    HGLOBAL oldNames = nullptr, oldMode = nullptr;
    rc = PrintDialogDetach(&oldNames, &oldMode);
    if (rc != VKE_OK) return rc;
    // The blocks given back may be the very ones attached again.
    if (oldNames == devNames || oldNames == devMode) oldNames = nullptr;
    if (oldMode == devNames || oldMode == devMode) oldMode = nullptr;
    PrintFreeHandle(&oldNames, &oldMode);
    g_dlg.pd.hDevNames = devNames;
    g_dlg.pd.hDevMode = devMode;
    g_dlg.pd.hDC = dc.Release();
    return VKE_OK;
}

int VkiSys::PrintDialogDetach(HGLOBAL* devNames, HGLOBAL* devMode)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!devNames || !devMode) return VKE_ERR_ARG;
    PRINTDLGA& pd = g_dlg.pd;
    PrintDeleteDC(&pd.hDC);
    DropSetupBlocks(*this, &g_dlg.psd.hDevNames, &g_dlg.psd.hDevMode);
    *devNames = pd.hDevNames;
    *devMode = pd.hDevMode;
    pd.hDevNames = pd.hDevMode = nullptr;
    return VKE_OK;
}

int VkiSys::PrintDialogSetOrient(Pdi* pdi, int landscape)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi) return VKE_ERR_ARG;
    return PrintSetOrient(g_dlg.pd.hDevMode, landscape);
}

int VkiSys::PrintDialogGetOrient(Pdi* pdi, int* landscape)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi) return VKE_ERR_ARG;
    return PrintGetOrient(g_dlg.pd.hDevMode, landscape);
}

// ---- The dialogs ----

int VkiSys::PrintDialogShow(Pdi* pdi)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi || pdi->iMode < 1 || pdi->iMode > 3) return VKE_ERR_ARG;
    int rc = pdi->iMode == 1 ? ShowDefaultPrinter() : pdi->iMode == 2 ? ShowPrintDialog(pdi) : ShowPageSetup(pdi);
    return rc == VKE_OK ? FillPdi(pdi) : rc;
}

int VkiSys::ShowDefaultPrinter()
{
    HGLOBAL names = nullptr, mode = nullptr;
    int rc = PrintDialogDetach(&names, &mode);
    if (rc == VKE_OK) rc = PrintFreeHandle(&names, &mode);
    if (rc != VKE_OK) return rc;
    PRINTDLGA& pd = g_dlg.pd;
    pd.hwndOwner = m_hMainWnd;
    pd.Flags = kPrintFlags | PD_RETURNDEFAULT | PD_RETURNDC;
    pd.nMinPage = 1;
    pd.nMaxPage = 0xFFFF;
    if (!PrintDlgA(&pd) || !pd.hDC) {
        PrintDialogDetach(&names, &mode);
        PrintFreeHandle(&names, &mode);
        return VKE_ERR_SYSTEM; // no printer
    }
    // The page-setup dialog's default answer; its margins are kept, not asked for.
    PAGESETUPDLGA& psd = g_dlg.psd;
    psd.hwndOwner = m_hMainWnd;
    psd.Flags = PSD_RETURNDEFAULT | PSD_INHUNDREDTHSOFMILLIMETERS;
    psd.hDevNames = psd.hDevMode = nullptr;
    BOOL ok = AfxPageSetupDlg(&psd);
    DropSetupBlocks(*this, &psd.hDevNames, &psd.hDevMode);
    return ok ? VKE_OK : VKE_ERR_SYSTEM;
}

int VkiSys::ShowPrintDialog(Pdi* pdi)
{
    PRINTDLGA& pd = g_dlg.pd;
    HDC before = pd.hDC;
    pd.hwndOwner = m_hMainWnd;
    pd.Flags = (kPrintFlags & ~PD_NOPAGENUMS) | PD_RETURNDC | PD_ENABLEPRINTHOOK;
    pd.nMinPage = PageWord(pdi->iMinPage);
    pd.nMaxPage = PageWord(pdi->iMaxPage);
    pd.nFromPage = PageWord(pdi->iFromPage);
    pd.nToPage = PageWord(pdi->iToPage);
    pd.nCopies = PageWord(pdi->iCopies);
    if (!PrintDlgA(&pd)) {
        pd.hDC = before;
        return CommDlgExtendedError() ? VKE_ERR_SYSTEM : VKE_CANCELLED;
    }
    // The dialog made a new DC for the chosen printer; the library owned the old one.
    if (before && before != pd.hDC) DeleteDC(before);
    return VKE_OK;
}

int VkiSys::ShowPageSetup(Pdi* pdi)
{
    PRINTDLGA& pd = g_dlg.pd;
    PAGESETUPDLGA& psd = g_dlg.psd;
    psd.hwndOwner = m_hMainWnd;
    psd.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | PSD_ENABLEPAGESETUPHOOK;
    psd.rtMargin = pdi->rctMargin;
    psd.hDevNames = pd.hDevNames;
    psd.hDevMode = pd.hDevMode;
    BOOL ok = AfxPageSetupDlg(&psd);
    DWORD error = ok ? 0 : CommDlgExtendedError();
    // The dialog lets go of the blocks whatever the answer, so none is freed twice later.
    HGLOBAL names = psd.hDevNames, mode = psd.hDevMode;
    psd.hDevNames = psd.hDevMode = nullptr;
    int rc = ok ? PrintDialogAttach(names, mode) : (error ? VKE_ERR_SYSTEM : VKE_CANCELLED);
    // Blocks the dialog made for itself go; the attached printer stays.
    if (rc != VKE_OK) DropSetupBlocks(*this, &names, &mode);
    return rc;
}

// The record after a dialog: the names, pages, margins and printable rectangle of the attached
// printer. 0, or -13 when the printable rectangle is empty.
int VkiSys::FillPdi(Pdi* pdi)
{
    const PRINTDLGA& pd = g_dlg.pd;
    pdi->iCurPage = 1;
    VkiGlobalLock<char> lock(pd.hDevNames);
    const char* names[3];
    if (!ReadNames(lock, names)) return VKE_ERR_ARG;
    char* fields[3] = {pdi->amDriver, pdi->amDevice, pdi->amPort};
    for (int i = 0; i < 3; ++i) {
        // A cut name is accepted.
        int rc = VkiCopyStr(fields[i], names[i], sizeof(pdi->amDriver));
        if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    }
    if (pdi->iMode != 3) {
        pdi->iMinPage = pd.nMinPage;
        pdi->iMaxPage = pd.nMaxPage;
        pdi->iFromPage = pd.nFromPage;
        pdi->iToPage = pd.nToPage;
        pdi->iCopies = pd.nCopies;
    }
    int rc = VKE_OK;
    if (pdi->iMode != 2) {
        pdi->rctMargin = g_dlg.psd.rtMargin;
        rc = PrintCalcRect(pd.hDC, &pdi->rctMargin, &pdi->rctPrint);
        if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    }
    pdi->hDC = pd.hDC;
    return rc;
}

// ---- The print job ----

int VkiSys::PrintStartDoc(Pdi* pdi)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi || !pdi->hDC) return VKE_ERR_ARG;
    // One status dialog, one job at a time.
    if (theVkiDlgPrtSts.IsOpen()) return VKE_ERR_EXISTS;
    int rc = theVkiDlgPrtSts.Bind(this);
    if (rc != VKE_OK) return rc;
    FieldText<sizeof(pdi->amDocName)> docName(pdi->amDocName);
    DOCINFOA info = {};
    info.cbSize = sizeof(info);
    info.lpszDocName = docName;
    if (SetAbortProc(pdi->hDC, PrintAbortProc) <= 0) return VKE_ERR_ARG;
    if (m_hMainWnd) EnableWindow(m_hMainWnd, FALSE);
    if (StartDocA(pdi->hDC, &info) <= 0) {
        EndJob();
        return VKE_ERR_ARG;
    }
    g_hJobDC = pdi->hDC;
    FieldText<sizeof(pdi->amDevice)> device(pdi->amDevice);
    FieldText<sizeof(pdi->amPort)> port(pdi->amPort);
    if (!theVkiDlgPrtSts.Open(docName, device, port)) {
        PrintAbortDoc(pdi);
        return VKE_ERR_MEMORY;
    }
    return VKE_OK;
}

int VkiSys::PrintStartPage(Pdi* pdi)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi || !pdi->hDC) return VKE_ERR_ARG;
    theVkiDlgPrtSts.ShowPage(pdi->iCurPage);
    if (StartPage(pdi->hDC) > 0) return VKE_OK;
    PrintAbortDoc(pdi);
    return VKE_ERR_ARG;
}

int VkiSys::PrintEndPage(Pdi* pdi)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi || !pdi->hDC) return VKE_ERR_ARG;
    int rc = EndPage(pdi->hDC) > 0 ? VKE_OK : VKE_ERR_ARG;
    if (rc == VKE_OK && !PrintAbortProc(pdi->hDC, 0)) rc = VKE_STOPPED;
    if (rc != VKE_OK) PrintAbortDoc(pdi);
    return rc;
}

int VkiSys::PrintEndDoc(Pdi* pdi)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi || !pdi->hDC) return VKE_ERR_ARG;
    int rc = EndDoc(pdi->hDC) > 0 ? VKE_OK : VKE_ERR_ARG;
    if (pdi->hDC == g_hJobDC) g_hJobDC = nullptr;
    EndJob();
    return rc;
}

int VkiSys::PrintAbortDoc(Pdi* pdi)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!pdi || !pdi->hDC) return VKE_ERR_ARG;
    bool running = pdi->hDC == g_hJobDC;
    if (running) g_hJobDC = nullptr;
    // Refused for a job that has already ended: nothing is left to abort. Refused while the job
    // runs (Wine's printer DCs refuse every abort), the job stays open: it would still come out at
    // the next EndDoc or when the program ends, and the DC would refuse the next job. Deleting the
    // DC discards the job, so the library's own DC is replaced by a new one for the same printer.
    if (AbortDoc(pdi->hDC) <= 0 && running && pdi->hDC == g_dlg.pd.hDC) {
        PRINTDLGA& pd = g_dlg.pd;
        HDC fresh = nullptr;
        PrintCreateDC(pd.hDevNames, pd.hDevMode, &fresh);
        DeleteDC(pd.hDC);
        pd.hDC = pdi->hDC = fresh;
    }
    EndJob();
    return VKE_OK;
}

// Every end of a job: the main window works again, then the status dialog goes, so that the
// main window is the one activated.
void VkiSys::EndJob()
{
    if (m_hMainWnd) EnableWindow(m_hMainWnd, TRUE);
    theVkiDlgPrtSts.Close();
}

// ---- Exports ----

VKE_API int VkeSysPrintSynHandle(VkiSys* sys, HGLOBAL* devNames, HGLOBAL* devMode, HGLOBAL srcNames,
                                 HGLOBAL srcMode)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintSynHandle(devNames, devMode, srcNames, srcMode));
}

VKE_API int VkeSysPrintFreeHandle(VkiSys* sys, HGLOBAL* devNames, HGLOBAL* devMode)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintFreeHandle(devNames, devMode));
}

VKE_API int VkeSysPrintCalcRect(VkiSys* sys, HDC dc, const RECT* margins, RECT* out)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintCalcRect(dc, margins, out));
}

VKE_API int VkeSysPrintInitPdi(VkiSys* sys, Pdi* pdi) { VKE_FRAME(sys, sys->Sub(), sys->PrintInitPdi(pdi)); }

VKE_API int VkeSysPrintTermPdi(VkiSys* sys, Pdi* pdi) { VKE_FRAME(sys, sys->Sub(), sys->PrintTermPdi(pdi)); }

VKE_API int VkeSysPrintCopyPdi(VkiSys* sys, Pdi* dest, const Pdi* src)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintCopyPdi(dest, src));
}

VKE_API int VkeSysPrintCreateDC(VkiSys* sys, HGLOBAL devNames, HGLOBAL devMode, HDC* out)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintCreateDC(devNames, devMode, out));
}

VKE_API int VkeSysPrintDeleteDC(VkiSys* sys, HDC* dc) { VKE_FRAME(sys, sys->Sub(), sys->PrintDeleteDC(dc)); }

VKE_API int VkeSysPrintSetOrient(VkiSys* sys, HGLOBAL devMode, int landscape)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintSetOrient(devMode, landscape));
}

VKE_API int VkeSysPrintGetOrient(VkiSys* sys, HGLOBAL devMode, int* landscape)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintGetOrient(devMode, landscape));
}

VKE_API int VkeSysPrintDialogAttach(VkiSys* sys, HGLOBAL devNames, HGLOBAL devMode)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintDialogAttach(devNames, devMode));
}

VKE_API int VkeSysPrintDialogDetach(VkiSys* sys, HGLOBAL* devNames, HGLOBAL* devMode)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintDialogDetach(devNames, devMode));
}

VKE_API int VkeSysPrintDialogSetOrient(VkiSys* sys, Pdi* pdi, int landscape)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintDialogSetOrient(pdi, landscape));
}

VKE_API int VkeSysPrintDialogGetOrient(VkiSys* sys, Pdi* pdi, int* landscape)
{
    VKE_FRAME(sys, sys->Sub(), sys->PrintDialogGetOrient(pdi, landscape));
}

VKE_API int VkeSysPrintDialogShow(VkiSys* sys, Pdi* pdi) { VKE_FRAME(sys, sys->Sub(), sys->PrintDialogShow(pdi)); }

VKE_API int VkeSysPrintStartDoc(VkiSys* sys, Pdi* pdi) { VKE_FRAME(sys, sys->Sub(), sys->PrintStartDoc(pdi)); }

VKE_API int VkeSysPrintStartPage(VkiSys* sys, Pdi* pdi) { VKE_FRAME(sys, sys->Sub(), sys->PrintStartPage(pdi)); }

VKE_API int VkeSysPrintEndPage(VkiSys* sys, Pdi* pdi) { VKE_FRAME(sys, sys->Sub(), sys->PrintEndPage(pdi)); }

VKE_API int VkeSysPrintEndDoc(VkiSys* sys, Pdi* pdi) { VKE_FRAME(sys, sys->Sub(), sys->PrintEndDoc(pdi)); }

VKE_API int VkeSysPrintAbortDoc(VkiSys* sys, Pdi* pdi) { VKE_FRAME(sys, sys->Sub(), sys->PrintAbortDoc(pdi)); }
