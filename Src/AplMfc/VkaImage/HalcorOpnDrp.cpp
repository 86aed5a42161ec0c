// Files that reach the application from outside: dropped, pasted as a file list or an image,
// and named on the command line.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\VkaSubBsc"
#include "Halcor.h"
#include "CmnImg.h"
#include "DlgImg.h"
#include "HalcorViw.h"
#include "VkaBatch.h"

namespace {

bool IsFlag(int value) { return value == 0 || value == 1; }

// The clipboard opened for a window for a scope: up to 10 tries 200 ms apart.
class ClipboardOpen {
public:
    explicit ClipboardOpen(HWND wnd)
    {
        for (int i = 0; i < 10 && !m_bOpen; ++i) {
            if (i) ::Sleep(200);
            m_bOpen = ::OpenClipboard(wnd) != FALSE;
        }
    }
    ~ClipboardOpen()
    {
        if (m_bOpen) ::CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen = false;
};

// The names of a dropped-file list (up to 1024 bytes each); a name that cannot be read is left out.
std::vector<CString> DropNames(HDROP drop)
{
    std::vector<CString> names;
    UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[CmnPathSize] = {};
        UINT n = ::DragQueryFileA(drop, i, name, sizeof(name));
        if (n > 0 && n < sizeof(name)) names.emplace_back(name);
    }
    return names;
}

// The command line's argument after i that names a file (switches passed over), or null.
const char* NextFileArg(int argc, char** argv, int i)
{
    for (int k = i + 1; k < argc; ++k)
        if (argv[k] && argv[k][0] != '-' && argv[k][0] != '/') return argv[k];
    return nullptr;
}

int Fail(const char* name, int rc)
{
    CMN_TRACE(name, rc);
    return rc;
}

} // namespace

int HalcorApp::OpenDropFiles(HDROP drop, int pasted, int toFront, int quiet, int* count)
{
    if (!drop || !count || !IsFlag(pasted) || !IsFlag(toFront) || !IsFlag(quiet))
        return Fail("OpenDropFiles", VKE_ERR_ARG);
    *count = 0;
    std::vector<CString> names = DropNames(drop);
    if (pasted != 1) ::DragFinish(drop);
    return OpenNames(names, pasted, toFront, quiet, count, "OpenDropFiles");
}

int HalcorApp::PasteDropFiles(HWND wnd, int pasted, int quiet, int* count)
{
    if (!count || !IsFlag(pasted) || !IsFlag(quiet)) return Fail("PasteDropFiles", VKE_ERR_ARG);
    *count = 0;
    if (m_bOpening) return VKE_NOT_DONE;
    // The names are copied and the clipboard closed before any file opens.
    std::vector<CString> names;
    {
        ClipboardOpen clipboard(wnd);
        if (!clipboard.IsOpen()) return Fail("PasteDropFiles", VKE_ERR_MEMORY);
        HANDLE list = ::GetClipboardData(CF_HDROP);
        if (!list) return Fail("PasteDropFiles", VKE_ERR_SYSTEM);
        names = DropNames(static_cast<HDROP>(list));
    }
    return OpenNames(names, pasted, 0, quiet, count, "PasteDropFiles");
}

int HalcorApp::OpenNames(const std::vector<CString>& names, int pasted, int toFront, int quiet, int* count,
                         const char* name)
{
    if (names.empty()) return VKE_OK;
    CWnd* frame = GetMainFrame();
    if (!frame) return Fail(name, VKE_ERR_SYSTEM);
    // Brackets never nest: files that arrive while one is open are left alone.
    if (m_bOpening) return VKE_NOT_DONE;
    VkaBatch batch({VKE_OK, VKE_NOT_DONE, VKE_STOPPED});
    batch.Add(BeginOpenFile());
    if (toFront == 1) frame->SetForegroundWindow();
    for (size_t i = 0; i < names.size() && batch.Going(); ++i) {
        theCmnImg.SetNextOpenImage(i + 1 < names.size() ? static_cast<const char*>(names[i + 1]) : nullptr);
        batch.Add(OpenFile(names[i], pasted, 0, quiet));
    }
    int end = EndOpenFile(batch.Result());
    batch.End(end);
    if (end == VKE_OK) *count = theAppInf.obc.iCntOpn;
    if (!batch.IsQuiet()) CMN_TRACE(name, batch.Result());
    return batch.Result();
}

int HalcorApp::PasteDIB(HWND wnd)
{
    if (IsThreadAlive() || m_bOpening) return VKE_NOT_DONE;
    HalcorViw* view = GetImgViw();
    if (!view) return Fail("PasteDIB", VKE_ERR_SYSTEM);
    int rc = BeginOpenFile();
    int before = 0, after = 0;
    if (rc == VKE_OK) rc = view->GetPageCnt(&before);
    // A new empty page at the end.
    if (rc == VKE_OK && !GetActiveDocument() && !OpenDocumentFile(nullptr)) rc = VKE_ERR_SYSTEM;
    if (rc == VKE_OK) rc = view->OpenPageByPth("", 0, 0);
    if (rc == VKE_OK) rc = view->GetPageCnt(&after);
    if (rc == VKE_OK && after != before + 1) rc = VKE_ERR_MEMORY;
    DlgImg* page = rc == VKE_OK ? view->GetImgPage(after - 1) : nullptr;
    if (rc == VKE_OK && !page) rc = VKE_ERR_SYSTEM;
    HBITMAP image = nullptr;
    Adi adi = {};
    if (rc == VKE_OK) rc = theCmnImg.CopyClbToDIB(wnd, &image, &adi.iTypImg, &adi.fXRes, &adi.fYRes);
    if (rc == VKE_OK) {
        const SopShi& shi = theAppInf.sopShi;
        adi = Adi{image, adi.iTypImg, adi.fXRes, adi.fYRes, 1, shi.iModeSca, shi.lScaNum, shi.lScaDen, 1, 1};
        image = nullptr; // the page's from here, or closed by it
        rc = page->AttachDIB(adi);
    }
    if (rc == VKE_OK) {
        page->SetPastedFlag(1);
        page->SetModifiedFlag(1);
    } else {
        theCmnImg.CloseImage(&image);
        // The empty page made for the image does not stay behind.
        if (page) view->ClosePage(after - 1, 1, 1, 0);
    }
    int end = EndOpenFile(rc);
    if (rc == VKE_OK) rc = end;
    if (rc != VKE_OK && rc != VKE_NOT_DONE && rc != VKE_ERR_NOT_FOUND && rc != VKE_ERR_CUT) CMN_TRACE("PasteDIB", rc);
    return rc;
}

int HalcorApp::ParseCommandLine(int argc, char** argv)
{
    if (!argv) return Fail("ParseCommandLine", VKE_ERR_ARG);
    HalcorViw* view = GetImgViw();
    if (!GetMainFrame() || !view) return Fail("ParseCommandLine", VKE_ERR_SYSTEM);
    if (argc < 2 || m_bOpening || IsOpeningBusy()) return VKE_OK;
    // Switches: "i" makes the first named file open information; "l" only the locked pages of
    // it, "k" opened locked, in either order.
    bool opi = false, onlyLocked = false, openLocked = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!a || (a[0] != '-' && a[0] != '/') || a[1] != 'i') continue;
        opi = true;
        const char* more = a + 2;
        for (int k = 0; k < 2 && (*more == 'l' || *more == 'k'); ++k, ++more) {
            if (*more == 'l') onlyLocked = true;
            else openLocked = true;
        }
    }
    int result = VKE_OK;
    bool begun = false;
    for (int i = 1; i < argc && (result == VKE_OK || result == VKE_NOT_DONE || result == VKE_ERR_MSGFILE); ++i) {
        const char* a = argv[i];
        if (!a || a[0] == '-' || a[0] == '/') continue;
        char full[CmnPathSize] = {};
        int normal = 0;
        if (VkeSubIsNormalFile(theCmnAppInf.pSub, full, a, sizeof(full), &normal) != VKE_OK || !normal) continue;
        int rc;
        if (opi) {
            opi = false;
            rc = view->ReadOpenInfo(full, 0, onlyLocked ? 1 : 0, openLocked ? 1 : 0);
        } else {
            if (!begun) {
                begun = true;
                rc = BeginOpenFile();
                if (rc != VKE_OK) {
                    result = rc;
                    break;
                }
            }
            theCmnImg.SetNextOpenImage(NextFileArg(argc, argv, i));
            rc = OpenFile(full, 0, 0, 0);
        }
        // 1 turns a 0 into 1, a malformed open-information row (-11) a 0 or 1 into -11; a 3 or
        // another error ends the line.
        if (rc == VKE_NOT_DONE && result == VKE_OK) result = rc;
        else if (rc == VKE_ERR_MSGFILE && result != VKE_ERR_MSGFILE) result = rc;
        else if (rc != VKE_OK && rc != VKE_NOT_DONE && rc != VKE_ERR_MSGFILE) result = rc;
    }
    if (begun) {
        // The end shows the combined result's message but a malformed open-information row's,
        // which its reading told already; its own error replaces only a quiet result.
        int rc = EndOpenFile(result == VKE_ERR_MSGFILE ? VKE_OK : result);
        if (rc != VKE_OK && result >= VKE_OK) result = rc;
    }
    if (result != VKE_OK && result != VKE_NOT_DONE && result != VKE_STOPPED && result != VKE_ERR_MSGFILE)
        CMN_TRACE("ParseCommandLine", result);
    return result;
}
