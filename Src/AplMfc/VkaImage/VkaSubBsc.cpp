// The application's start-up steps inside the main frame's creation and after it: the engine and
// the application's records and settings, the deferred start-up, the default colours and the
// options dialog.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\VkaSubBsc"
#include "Halcor.h"
#include "CmnRes.h"
#include "CmnDlb.h"
#include "CmnSub.h"
#include "DlbPnlTrcFld.h"
#include "DlgSetOpt.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include "VkaBatch.h"
#include "VkaSubOpi.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Engine messages: the face and the size in points of the default header and footer font.
const int kMsgFontFace = 49;
const int kMsgFontSize = 51;
// GetDflColor's index of the cut frame's colour.
const int kFrameColor = 35;

VkiSub* Sub() { return theCmnAppInf.pSub; }

// The texts of the settings that are neither records' nor lists'.
AppMem* const kTexts[] = {&theAppInf.ooi.amOpiPathName, &theAppInf.svi.amPathName,  &theAppInf.svi.amSavDir,
                          &theAppInf.sopSvi.amAtsDir,   &theAppInf.sopSvi.amPrefix, &theAppInf.sopSvi.amFilExt};

// An array of count empty engine texts (none for a count below 1).
int AllocPaths(AppMem** out, int count)
{
    if (count < 1) return VKE_OK;
    *out = static_cast<AppMem*>(calloc(static_cast<size_t>(count), sizeof(AppMem)));
    if (!*out) return VKE_ERR_MEMORY;
    for (int i = 0; i < count; ++i) {
        int rc = VkeSubInitAppMem(Sub(), &(*out)[i]);
        if (rc != VKE_OK) return rc;
    }
    return VKE_OK;
}

int FreePaths(AppMem** paths, int count)
{
    int first = VKE_OK;
    if (!*paths) return first;
    for (int i = 0; i < count; ++i) {
        int rc = VkeSubTermAppMem(Sub(), &(*paths)[i]);
        if (first == VKE_OK) first = rc;
    }
    free(*paths);
    *paths = nullptr;
    return first;
}

// The text of a buffer; empty without one.
CString TextOf(AppMem* text)
{
    char buffer[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), text, buffer, sizeof(buffer));
    return buffer;
}

} // namespace

// ---- Inside the main frame's creation ----

int HalcorApp::Init(HWND hFrame)
{
    theCmnAppInf.pMainFrame = CWnd::FromHandle(hFrame);
    int rc = CmnApp::Init();
    if (rc != VKE_OK) {
        // The framework has reported the failure and ended what it started (another instance is
        // no failure of this one); a second call leaves the running engine alone.
        if (!theCmnAppInf.bInit) Term();
        return rc;
    }
    FixWindowRect();
    rc = InitApi();
    if (rc != VKE_OK) {
        CMN_TRACE("Init", rc);
        Term();
        return rc;
    }
    ::SetWindowTextA(hFrame, "Pictavo");
    return VKE_OK;
}

int HalcorApp::InitApi()
{
    m_bApiInit = true;
    int rc = CmnApp::InitApi();
    if (rc != VKE_OK) return rc;
    rc = MakeDatDir();
    if (rc != VKE_OK) {
        theCmnSub.MsgBoxById(IDS_CMN_SYS_STATE, MB_OK | MB_ICONSTOP);
        CMN_TRACE("InitApi", rc);
        return rc;
    }
    rc = theVkaSubDat.InitDat(VkaCodPoi, &theAppInf.poi);
    if (rc == VKE_OK) rc = AllocPathLists();
    if (rc != VKE_OK) {
        CMN_TRACE("InitApi", rc);
        return rc;
    }
    ReadLscFilInf();
    FixSettings();
    rc = theVkaSubDat.InitFti();
    if (rc != VKE_OK) return rc;
    // No saved default extension: the one of the auto-save image type.
    SopSvi& svi = theAppInf.sopSvi;
    CString ext = theVkaSubDat.GetFmtExt(svi.iImgType);
    if (svi.amFilExt.iLength == 0 && !ext.IsEmpty()) VkeSubSetAppMemStr(Sub(), &svi.amFilExt, ext);
    return VKE_OK;
}

// The folder "Dat" of the user folder.
int HalcorApp::MakeDatDir()
{
    char path[CmnPathSize];
    int n = snprintf(path, sizeof(path), "%s\\Dat", theCmnAppInf.strUsrDir);
    return n > 0 && n < CmnPathSize ? MakeDir(path) : VKE_ERR_CUT;
}

// The folder lists' and the external tools' path texts (as many as their capacities), and the
// single texts of the settings.
int HalcorApp::AllocPathLists()
{
    PciFpi& fpi = theAppInf.pciFpi;
    int rc = VKE_OK;
    for (int n = 0; rc == VKE_OK && n < VkaFpiCnt; ++n) rc = AllocPaths(&fpi.amPathName[n], fpi.iCntPathName[n]);
    if (rc == VKE_OK) rc = AllocPaths(&theAppInf.pciEti.amPathName, theAppInf.pciEti.iCntPathName);
    for (AppMem* text : kTexts)
        if (rc == VKE_OK) rc = VkeSubInitAppMem(Sub(), text);
    return rc;
}

// What the texts and lists need once they are read, in this order.
void HalcorApp::FixSettings()
{
    AppInf& inf = theAppInf;
    Fri& fri = inf.poi.fri;
    fri.bShwFrm = 0;
    if (fri.iMode == 2 && fri.iWidth < 1 && fri.iHeight < 1) fri.iWidth = fri.iHeight = 16;
    if (fri.iWidth < 1) fri.iWidth = 1;
    if (fri.iHeight < 1) fri.iHeight = 1;

    // Header and footer fonts that are no font take the default one; their texts start empty.
    Pri& pri = inf.poi.pri;
    char face[VKE_MSG_SIZE] = {}, size[VKE_MSG_SIZE] = {}, font[CmnPathSize] = {};
    LOGFONTA lf;
    VkeSubGetMsg(Sub(), kMsgFontFace, face);
    VkeSubGetMsg(Sub(), kMsgFontSize, size);
    int rc = VkeDrwGetLogFont(theCmnAppInf.pDrw, nullptr, face, atoi(size), &lf);
    if (rc == VKE_OK) rc = theCmnSub.SetFont(font, sizeof(font), &lf);
    if (rc != VKE_OK) CMN_TRACE("InitApi", rc);
    for (AppMem* text : {&pri.amLogFontHdr, &pri.amLogFontFtr})
        if (theCmnSub.GetFont(TextOf(text), &lf) != VKE_OK) VkeSubSetAppMemStr(Sub(), text, font);
    VkeSubSetAppMemStr(Sub(), &pri.amHeader, "");
    VkeSubSetAppMemStr(Sub(), &pri.amFooter, "");

    if (fri.iMode == 3 && fri.bPagSet == 1 && pri.iOrientation != 3 && pri.iOrientation != 4) pri.iOrientation = 3;
    inf.pciAii.iMode = 1;
    COLORREF color = 0;
    char* frameColor = inf.sopShi.strColor[0];
    if (theCmnSub.GetColor(frameColor, &color) != VKE_OK) GetDflColor(kFrameColor, frameColor, CmnPathSize, &color);
    for (int& scr : inf.sopShi.iScrSize)
        if (scr < 1) scr = 1;
}

int HalcorApp::TermApi()
{
    if (!m_bApiInit) return VKE_OK;
    m_bApiInit = false;
    m_bAppLscRead = false;
    AppInf& inf = theAppInf;
    int first = theVkaSubDat.TermFti();
    auto keep = [&first](int rc) {
        if (first == VKE_OK) first = rc;
    };
    for (int n = 0; n < VkaFpiCnt; ++n) keep(FreePaths(&inf.pciFpi.amPathName[n], inf.pciFpi.iCntPathName[n]));
    keep(FreePaths(&inf.pciEti.amPathName, inf.pciEti.iCntPathName));
    for (AppMem* text : kTexts) keep(VkeSubTermAppMem(Sub(), text));
    keep(theVkaSubDat.TermDat(VkaCodPoi, &inf.poi));
    keep(CmnApp::TermApi());
    if (first != VKE_OK) CMN_TRACE("TermApi", first);
    return first;
}

// ---- The deferred start-up ----

int HalcorApp::InitApp()
{
    int rc = CmnApp::InitApp();
    if (rc == VKE_OK && (!GetMainFrame() || !GetActiveView())) rc = VKE_ERR_SYSTEM;
    if (rc != VKE_OK) {
        CMN_TRACE("InitApp", rc);
        return rc;
    }
    PruneRecentFiles();
    VkaBatch start({VKE_OK, VKE_NOT_DONE, VKE_STOPPED, VKE_ERR_MSGFILE});
    bool samples = false;
    CString sampleFolder;
    if (theAppInf.bOpnSmpImg == 1) {
        // The command line's files wait for a later run.
        start.Add(OpenSamples(&samples, &sampleFolder));
    } else {
        // The pages of the last run, as its exit wrote them.
        const SopBsi& bsi = theAppInf.sopBsi;
        CString csv = VkaSubOpi::GetExitPath();
        int exists = 0;
        if (bsi.bOpnOpd == 1 && VkeSubIsExistPath(Sub(), csv, &exists) == VKE_OK && exists) {
            HalcorViw* view = GetImgViw();
            start.Add(view ? view->ReadOpenInfo(csv, 0, bsi.bOpnLcd, bsi.bOpnLck) : VKE_ERR_SYSTEM);
        }
        // Its outcome is reported there.
        ParseCommandLine(__argc, __argv);
    }
    ShowStartFolder(sampleFolder);
    // An error of the end replaces an ordinary outcome.
    int result = start.Result();
    int end = ShowStartPage(samples);
    if (end != VKE_OK && start.IsQuiet()) result = end;
    m_bStarted = 1;
    if (end != VKE_OK || !start.IsQuiet()) CMN_TRACE("InitApp", result);
    return result;
}

void HalcorApp::ShowStartFolder(const char* sampleFolder)
{
    DlbPnlTrcFld* tree = m_pPnlTrcFld;
    if (!tree || !tree->m_hWnd) return;
    const char* folder = sampleFolder;
    if (!*folder && theAppInf.sopBsi.bChgDir == 1) folder = m_amStartDir;
    else if (!*folder) m_amStartDir[0] = '\0';
    tree->SetCurPath(folder, 1);
}

int HalcorApp::ShowStartPage(bool samples)
{
    HalcorViw* view = GetImgViw();
    int count = 0;
    int rc = view ? view->GetPageCnt(&count) : VKE_ERR_SYSTEM;
    if (rc != VKE_OK) return rc;
    if (count < 1) {
        if (CmnDlb* panel = FirstShownPanel()) theCmnSub.PostSetFocus(panel->m_hWnd);
        return VKE_OK;
    }
    rc = view->SetCurSel(0);
    if (rc == VKE_NOT_DONE) rc = VKE_OK;
    if (samples) theCmnSub.MsgBoxById(IDS_VKA_SAMPLES_OPENED, MB_OK | MB_ICONINFORMATION);
    // Posted: the focus goes to the page once the start is over, after the frame's activation.
    GetMainFrame()->PostMessage(WM_COMMAND, ID_VKA_FCS_PAGE);
    return rc;
}

int HalcorApp::OpenSamples(bool* opened, CString* folder)
{
    if (theCmnSub.MsgBoxById(IDS_VKA_FIRST_RUN, MB_YESNO | MB_ICONQUESTION) == IDYES)
        GetMainFrame()->SendMessage(WM_COMMAND, ID_FILE_PAGE_SETUP);
    VkaBatch batch({VKE_OK, VKE_NOT_DONE, VKE_STOPPED});
    batch.Add(BeginOpenFile());
    for (int id : {IDS_VKA_SAMPLE_1, IDS_VKA_SAMPLE_2}) {
        if (!batch.Going()) break;
        char path[CmnPathSize];
        int exists = 0;
        int n = snprintf(path, sizeof(path), "%s\\Smp\\%s", theCmnAppInf.amWrkDir,
                         static_cast<LPCSTR>(theCmnSub.GetMsgStr(id)));
        if (id == IDS_VKA_SAMPLE_1) folder->Format("%s\\Smp", theCmnAppInf.amWrkDir);
        if (n > 0 && n < CmnPathSize && VkeSubIsExistPath(Sub(), path, &exists) == VKE_OK && exists) {
            int rc = OpenFile(path, 0, 0, 0);
            if (rc == VKE_OK) *opened = true;
            batch.Add(rc);
            continue;
        }
        CString text;
        text.Format(theCmnSub.GetMsgStr(IDS_VKA_NOT_FOUND), path);
        theCmnSub.MsgBox(text, MB_OK | MB_ICONEXCLAMATION);
        batch.Add(VKE_NOT_DONE);
    }
    batch.End(EndOpenFile(batch.Result()));
    theAppInf.bOpnSmpImg = 0;
    return batch.Result();
}

void HalcorApp::PruneRecentFiles()
{
    CRecentFileList* list = m_pRecentFileList;
    for (int i = list ? list->GetSize() - 1 : -1; i >= 0; --i) {
        CString name = (*list)[i];
        name.Trim();
        int exists = 0;
        if (name.IsEmpty() || VkeSubIsExistPath(Sub(), name, &exists) != VKE_OK || !exists) list->Remove(i);
    }
}

namespace {

// The wait before the steps after the start: the first moment the program waits for input comes
// before them. A pool timer posts them to the frame: a posted message comes before paints and the
// thread's timers, which Wine held back for as long as the frame kept receiving messages (a
// user's steps right after the start then met them).
const DWORD kAfterStartDelay = 10;

VOID CALLBACK AfterStartDue(PVOID frame, BOOLEAN)
{
    ::PostMessageA(static_cast<HWND>(frame), CmnWmInitApp, CmnInitAfterStart, 0);
}

} // namespace

void HalcorApp::ScheduleAfterStart()
{
    if (!m_bStarted || m_bAfterStart || m_hAfterStartTimer) return;
    CWnd* frame = GetMainFrame();
    // Without a timer the steps run now.
    if (!frame || !::CreateTimerQueueTimer(&m_hAfterStartTimer, nullptr, AfterStartDue, frame->m_hWnd, kAfterStartDelay, 0,
                                           WT_EXECUTEONLYONCE))
        RunAfterStart();
}

void HalcorApp::EndAfterStartTimer()
{
    if (m_hAfterStartTimer) ::DeleteTimerQueueTimer(nullptr, m_hAfterStartTimer, nullptr);
    m_hAfterStartTimer = nullptr;
}

bool HalcorApp::RunAfterStart()
{
    // Not once the frame is gone: the end needs none of it.
    if (!m_bStarted || m_bAfterStart || !GetMainFrame()) return false;
    m_bAfterStart = 1;
    EndAfterStartTimer();
    NeedPrinter();
    // Hidden until the options command: it waits until the frame stands.
    if (MakeSetOptDlg() == VKE_OK && m_pDlgSetOpt->m_hWnd) m_pDlgSetOpt->OpenPages();
    return true;
}

int HalcorApp::TermApp()
{
    int rc = CmnApp::TermApp();
    if (rc != VKE_OK) CMN_TRACE("TermApp", rc);
    return rc;
}

// ---- Colours and the options dialog ----

int HalcorApp::GetDflColor(int index, char* buffer, int size, COLORREF* out)
{
    if (index < 0 || index > kFrameColor || !buffer || !out || size < 1) {
        CMN_TRACE("GetDflColor", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    if (index < kFrameColor) return theCmnSub.GetDflColor(index, buffer, size, out);
    *out = RGB(0, 0, 0);
    return theCmnSub.SetColor(buffer, size, *out);
}

int HalcorApp::ShowSetOptDlg()
{
    if (!m_pDlgSetOpt || !m_pDlgSetOpt->m_hWnd) {
        CMN_TRACE("ShowSetOptDlg", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    // Its pages, when the start has not made them yet.
    int rc = m_pDlgSetOpt->OpenPages();
    if (rc != VKE_OK) return rc;
    const bool hidden = !m_pDlgSetOpt->IsWindowVisible();
    // Inside the maximised screen: an edge beyond it is pulled in, the size kept.
    CRect rect;
    m_pDlgSetOpt->GetWindowRect(&rect);
    int cx = ::GetSystemMetrics(SM_CXMAXIMIZED);
    int cy = ::GetSystemMetrics(SM_CYMAXIMIZED);
    rect.OffsetRect(rect.right > cx ? cx - rect.right : 0, rect.bottom > cy ? cy - rect.bottom : 0);
    rect.OffsetRect(rect.left < 0 ? -rect.left : 0, rect.top < 0 ? -rect.top : 0);
    m_pDlgSetOpt->MoveWindow(&rect);
    m_pDlgSetOpt->ShowWindow(SW_RESTORE);
    // A fresh showing: the settings in force, nothing in error or changed.
    if (hidden && m_pDlgSetOpt->GetCmnDlgInf().bReady) m_pDlgSetOpt->ResetForShow();
    return VKE_OK;
}
