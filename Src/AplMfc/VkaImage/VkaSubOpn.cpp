// Opening files: the one road by which files become pages (OpenFile) and the bracket around a
// batch of it, with the progress dialog from the second file on.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\VkaSubBsc"
#include "Halcor.h"
#include "CmnImg.h"
#include "DlgImg.h"
#include "HalcorRes.h"
#include "HalcorThr.h"
#include "HalcorViw.h"

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

bool IsFlag(int value) { return value == 0 || value == 1; }

bool IsQuietResult(int rc) { return rc == VKE_OK || rc == VKE_NOT_DONE || rc == VKE_STOPPED; }

// A search of a folder's entries, closed at the end of its scope.
class FileSearch {
public:
    FileSearch(const char* pattern, WIN32_FIND_DATAA* data) : m_h(::FindFirstFileA(pattern, data)) {}
    ~FileSearch()
    {
        if (Found()) ::FindClose(m_h);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;
    bool Found() const { return m_h != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA* data) { return ::FindNextFileA(m_h, data) != FALSE; }
    // Read one ahead: the entry read ahead becomes the current one and the one after it is read;
    // false when none was read ahead.
    bool Advance(WIN32_FIND_DATAA* data, WIN32_FIND_DATAA* next, bool* more)
    {
        if (!*more) return false;
        *data = *next;
        *more = Next(next);
        return true;
    }

private:
    HANDLE m_h;
};

// A folder's entry that a folder's opening opens as an image.
bool IsImageEntry(const WIN32_FIND_DATAA& data)
{
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && theVkaSubDat.IsSupportedFile(data.cFileName);
}

} // namespace

int HalcorApp::MsgPath(int id, const char* path, UINT type)
{
    CString text;
    text.Format(theCmnSub.GetMsgStr(id), path);
    return theCmnSub.MsgBox(text, type);
}

// Both made full, compared without regard to case, character by character (a trail byte may be
// 0x5C or a letter).
bool HalcorApp::IsAtsDir(const char* folder)
{
    char ats[CmnPathSize] = {}, a[CmnPathSize] = {}, b[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), &theAppInf.sopSvi.amAtsDir, ats, sizeof(ats));
    if (!ats[0] || VkeSubGetPathName(Sub(), a, ats, sizeof(a)) != VKE_OK ||
        VkeSubGetPathName(Sub(), b, folder, sizeof(b)) != VKE_OK)
        return false;
    VkeSubToLowerStr(Sub(), a);
    VkeSubToLowerStr(Sub(), b);
    return strcmp(a, b) == 0;
}

HalcorViw* HalcorApp::GetImgViw() { return dynamic_cast<HalcorViw*>(GetActiveView()); }

HalcorViw* HalcorApp::ViewToOpen(const char* path)
{
    if (!GetActiveDocument() && !OpenDocumentFile(path)) return nullptr;
    return GetImgViw();
}

DlgImg* HalcorApp::GetCurImgPage()
{
    HalcorViw* view = GetImgViw();
    int index = -1;
    return view && view->GetCurSel(&index) == VKE_OK && index >= 0 ? view->GetImgPage(index) : nullptr;
}

// ---- One file or folder ----

int HalcorApp::OpenFile(const char* path, int pasted, int locked, int quiet)
{
    if (!path || !*path || !IsFlag(pasted) || !IsFlag(locked) || !IsFlag(quiet)) {
        CMN_TRACE("OpenFile", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    // A plain file, the common case, takes one look at the path (each makes it full again, which
    // Wine's long-name lookup makes slow); anything else the whole round.
    char full[CmnPathSize] = {};
    int exists = 0, drive = 0, folder = 0, normal = 0;
    int rc = VkeSubIsNormalFile(Sub(), full, path, sizeof(full), &normal);
    if (rc == VKE_OK && normal) {
        exists = 1;
    } else {
        rc = VkeSubGetPathName(Sub(), full, path, sizeof(full));
        if (rc == VKE_OK) rc = VkeSubIsExistPath(Sub(), full, &exists);
        if (rc == VKE_OK && exists) rc = VkeSubIsDrive(Sub(), full, &drive);
        if (rc == VKE_OK && exists && !drive) rc = VkeSubIsDirectory(Sub(), full, &folder);
    }
    if (rc != VKE_OK) {
        CMN_TRACE("OpenFile", rc);
        return rc;
    }
    if (!exists) {
        if (!quiet) MsgPath(IDS_VKA_NOT_FOUND, full, MB_OK | MB_ICONEXCLAMATION);
        return VKE_NOT_DONE;
    }
    if (drive) return VKE_NOT_DONE;

    // A folder's entries are the images among them; a file named is opened whatever its type.
    CString dir, pattern;
    if (folder) {
        if (IsAtsDir(full)) {
            if (quiet) return VKE_NOT_DONE;
            return MsgPath(IDS_VKA_ATS_DIR, full, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL ? VKE_STOPPED
                                                                                                : VKE_NOT_DONE;
        }
        dir = full;
        pattern = dir + "\\*";
    } else {
        char parent[CmnPathSize] = {};
        VkeSubGetDirPath(Sub(), parent, full, sizeof(parent));
        if (IsAtsDir(parent)) {
            if (quiet) return VKE_NOT_DONE;
            return MsgPath(IDS_VKA_UNDER_ATS_DIR, full, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL
                       ? VKE_STOPPED
                       : VKE_NOT_DONE;
        }
        dir = parent;
        pattern = full;
    }
    WIN32_FIND_DATAA data = {};
    FileSearch search(pattern, &data);
    if (!search.Found()) {
        if (!quiet) MsgPath(IDS_VKA_CANNOT_OPEN, full, MB_OK | MB_ICONEXCLAMATION);
        return VKE_NOT_DONE;
    }
    bool skipped = false;
    rc = VKE_OK;
    // A folder's entries are read one ahead: the next image file's decode can start while this
    // one's page is set up.
    WIN32_FIND_DATAA next = {};
    bool more = search.Next(&next);
    do {
        if (theAppInf.obc.iCntOpn > 1 && IsAbortedOpening() == 1) {
            rc = VKE_STOPPED;
            break;
        }
        const char* name = data.cFileName;
        CString entry = dir + "\\" + name;
        int one = VKE_OK;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0 || theAppInf.sopShi.bOpnSubDir != 1) continue;
            if (IsAtsDir(entry)) {
                one = !quiet && MsgPath(IDS_VKA_ATS_DIR, entry, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL
                          ? VKE_STOPPED
                          : VKE_NOT_DONE;
            } else {
                one = OpenFile(entry, pasted, locked, quiet);
            }
        } else if (!folder || theVkaSubDat.IsSupportedFile(name)) {
            if (!GetMainFrame()) break;
            if (folder) theCmnImg.SetNextOpenImage(more && IsImageEntry(next) ? dir + "\\" + next.cFileName : CString());
            one = OpenEntry(entry, !folder, pasted, locked, quiet);
        }
        if (one == VKE_NOT_DONE) skipped = true;
        else if (one != VKE_OK) rc = one;
    } while (rc == VKE_OK && search.Advance(&data, &next, &more));
    if (rc == VKE_OK && skipped) rc = VKE_NOT_DONE;
    if (!IsQuietResult(rc)) CMN_TRACE("OpenFile", rc);
    return rc;
}

// One file of OpenFile's search: counted, shown in the progress dialog and opened into a page
// (or, when a page shows it already, that page selected and the user asked).
int HalcorApp::OpenEntry(const char* path, bool named, int pasted, int locked, int quiet)
{
    HalcorViw* view = ViewToOpen(path);
    if (!view) return VKE_ERR_SYSTEM;
    Obc& obc = theAppInf.obc;
    if (obc.iCntOpn == 1 && !IsThreadAlive()) {
        int rc = ShowOpnStsDlg();
        if (rc != VKE_OK) return rc;
    }
    ++obc.iCntOpn;
    SetPathOpnStsDlg(path);

    int index = -1;
    int rc = view->SchPageByPth(path, &index);
    if (rc == VKE_ERR_NOT_FOUND) return OpenPage(view, path, named, pasted, locked, quiet);
    if (rc != VKE_OK || quiet) return rc;
    int busy = 0;
    GetFlgSelImg(&busy);
    SetFlgSelImg(0);
    rc = view->SetCurSel(index);
    SetFlgSelImg(busy);
    if (rc != VKE_OK && rc != VKE_NOT_DONE) return rc;
    if (CWnd* frame = GetMainFrame()) frame->SetForegroundWindow();
    int answer = MsgPath(IDS_VKA_OPENED_ALREADY, path, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (IsThreadAlive()) {
        int status = VKE_OK;
        if (::SendMessageA(m_dlgOpnSts.m_hWnd, OpnStsWmSetTop, 0, reinterpret_cast<LPARAM>(&status)) != 1)
            return VKE_ERR_SYSTEM;
        if (status != VKE_OK) return status;
    }
    if (answer == IDYES) return OpenPage(view, path, named, pasted, locked, quiet);
    return answer == IDNO ? VKE_NOT_DONE : VKE_STOPPED;
}

// The view opens the path into a page; a file named by itself that holds no image the codecs
// read says so. A file whose page fails to open is named with the failure and skipped: the
// rest of the batch still opens.
int HalcorApp::OpenPage(HalcorViw* view, const char* path, bool named, int pasted, int locked, int quiet)
{
    int rc = view->OpenPageByPth(path, pasted, locked);
    if (rc == VKE_OK || rc == VKE_STOPPED || (rc == VKE_NOT_DONE && !named)) return rc;
    if (!quiet) MsgCannotOpen(path, rc);
    return VKE_NOT_DONE;
}

void HalcorApp::MsgCannotOpen(const char* path, int rc)
{
    CString text;
    text.Format(theCmnSub.GetMsgStr(IDS_VKA_CANNOT_OPEN), path);
    if (rc < 0) text += "\n\n" + theCmnSub.GetMsgStr(rc);
    theCmnSub.MsgBox(text, MB_OK | MB_ICONEXCLAMATION);
}

// ---- The bracket ----

int HalcorApp::BeginOpenFile()
{
    HalcorViw* view = GetImgViw();
    if (!view) {
        CMN_TRACE("BeginOpenFile", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    m_bOpening = 1;
    m_bNoOpnSts = 0;
    theAppInf.obc = Obc{0, 0, 0, -1, -1, -1, nullptr};
    Obc& obc = theAppInf.obc;
    if (DlgImg* page = GetCurImgPage()) page->GetPoi();
    int rc = view->GetPageCnt(&obc.iCntPagBgn);
    if (rc == VKE_OK) rc = view->GetCurSel(&obc.iCurPagBgn);
    obc.hFcsBgn = ::GetFocus();
    if (rc != VKE_OK) CMN_TRACE("BeginOpenFile", rc);
    return rc;
}

int HalcorApp::GetSelPage(int rule, int result, int cntBgn, int cntEnd, int curBgn, int curEnd)
{
    if (result == VKE_STOPPED) return curEnd;
    const int kept = curBgn >= 0 && curBgn < cntEnd ? curBgn : -1;
    switch (rule) {
    case 1:
        return curBgn < 0 && cntEnd > 0 ? 0 : kept;
    case 2:
        return cntEnd > 0 && cntEnd != cntBgn ? cntEnd - 1 : kept;
    default:
        return cntBgn >= 0 && cntBgn < cntEnd ? cntBgn : kept;
    }
}

int HalcorApp::EndOpenFile(int result)
{
    int first = HideOpnStsDlg();
    // A decode started ahead for a file the batch did not reach goes.
    theCmnImg.DropOpenImages();
    if (!IsQuietResult(result)) theCmnSub.MsgBoxById(result, MB_OK | MB_ICONEXCLAMATION);
    Obc& obc = theAppInf.obc;
    HalcorViw* view = GetImgViw();
    int rc = view ? view->GetPageCnt(&obc.iCntPagEnd) : VKE_ERR_SYSTEM;
    if (rc == VKE_OK) rc = view->GetCurSel(&obc.iCurPagEnd);
    if (rc == VKE_OK) {
        obc.iSelPag = GetSelPage(theAppInf.iOpnOnSel, result, obc.iCntPagBgn, obc.iCntPagEnd, obc.iCurPagBgn,
                                 obc.iCurPagEnd);
        m_iCntPagAdd = obc.iCntPagEnd > obc.iCntPagBgn ? obc.iCntPagEnd - obc.iCntPagBgn : 0;
        if (obc.iSelPag >= 0) {
            rc = view->SetCurSel(obc.iSelPag);
            if (rc == VKE_NOT_DONE) rc = VKE_OK;
        }
    }
    if (rc != VKE_OK) CMN_TRACE("EndOpenFile", rc);
    if (first == VKE_OK) first = rc;

    // The focus goes back where it was, unless that was a page: then to the current page.
    HWND focus = obc.hFcsBgn;
    auto isPage = [](HWND wnd) { return DYNAMIC_DOWNCAST(DlgImg, CWnd::FromHandlePermanent(wnd)) != nullptr; };
    if (focus && ::IsWindow(focus) && ::IsWindowVisible(focus) && ::IsWindowEnabled(focus) && !isPage(focus) &&
        !isPage(::GetParent(focus)))
        theCmnSub.SetFocusWnd(focus);
    else if (view)
        view->SetFocusCurPage();
    m_bOpening = 0;
    return first;
}

// ---- The progress dialog ----

int HalcorApp::ShowOpnStsDlg()
{
    int rc = BeginThread();
    if (rc != VKE_OK) return rc;
    if (CWnd* frame = GetMainFrame()) frame->EnableWindow(FALSE);
    return VKE_OK;
}

int HalcorApp::HideOpnStsDlg()
{
    int rc = WaitThread(HalcorWaitStop);
    if (CWnd* frame = GetMainFrame()) frame->EnableWindow(TRUE);
    if (rc != VKE_OK) CMN_TRACE("HideOpnStsDlg", rc);
    return rc;
}

int HalcorApp::SetPathOpnStsDlg(const char* path)
{
    if (!IsThreadAlive()) return VKE_OK;
    int status = VKE_OK;
    if (::SendMessageA(m_dlgOpnSts.m_hWnd, OpnStsWmSetPath, reinterpret_cast<WPARAM>(path),
                       reinterpret_cast<LPARAM>(&status)) != 1)
        status = VKE_ERR_SYSTEM;
    if (status != VKE_OK) CMN_TRACE("SetPathOpnStsDlg", status);
    return status;
}

int HalcorApp::IsAbortedOpening()
{
    if (!IsThreadAlive()) return m_bNoOpnSts ? 0 : 1;
    int aborted = 0, status = VKE_OK;
    if (::SendMessageA(m_dlgOpnSts.m_hWnd, OpnStsWmIsAbort, reinterpret_cast<WPARAM>(&aborted),
                       reinterpret_cast<LPARAM>(&status)) != 1)
        status = VKE_ERR_SYSTEM;
    if (status == VKE_OK) return aborted;
    CMN_TRACE("IsAbortedOpening", status);
    return 1;
}

int HalcorApp::IsOpeningBusy()
{
    if (!IsThreadAlive()) return 0;
    theCmnSub.MsgBoxById(IDS_VKA_OPENING_BUSY, MB_OK | MB_ICONEXCLAMATION);
    return 1;
}
