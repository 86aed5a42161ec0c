// The application's open commands: files through the open dialog, a folder through the folder
// browser, and the entries of the recent-file list.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Halcor"
#include "Halcor.h"
#include "CmnImg.h"
#include "CmnSub.h"
#include "DlgOpn.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include "VkaBatch.h"
#include <shlobj.h>
#include <vector>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

} // namespace

std::vector<CString> VkaSelectedNames(const char* buffer)
{
    std::vector<CString> names;
    CString first = buffer;
    const char* p = buffer + first.GetLength() + 1;
    if (!*p) {
        if (!first.IsEmpty()) names.push_back(first);
        return names;
    }
    for (; *p; p += strlen(p) + 1) names.push_back(first + "\\" + p);
    return names;
}

int HalcorApp::OpenNamesInBracket(const std::vector<CString>& names, const char* name)
{
    VkaBatch batch({VKE_OK, VKE_NOT_DONE, VKE_STOPPED});
    batch.Add(BeginOpenFile());
    for (size_t i = 0; i < names.size() && batch.Going(); ++i) {
        if (names[i].IsEmpty()) continue;
        theCmnImg.SetNextOpenImage(i + 1 < names.size() ? static_cast<const char*>(names[i + 1]) : nullptr);
        batch.Add(OpenFile(names[i], 0, 0, 0));
    }
    batch.End(EndOpenFile(batch.Result()));
    if (GetOpenedPageCnt() > 0) FocusOpenedPage();
    if (!batch.IsQuiet()) CMN_TRACE(name, batch.Result());
    return batch.Result();
}

// The bracket gives the focus back where it was (a panel that browses files keeps it); the open
// commands given from the menu or the keyboard end on the page they opened, so that its own
// commands (the scale ones) are at hand without a click.
void HalcorApp::FocusOpenedPage()
{
    if (HalcorViw* view = GetImgViw()) view->SetFocusCurPage();
}

void HalcorApp::OnFileOpen()
{
    if (IsOpeningBusy()) return;
    char filter[8192] = {};
    VkeSubGetAppMemStr(Sub(), &theAppInf.fti.amFilter, filter, sizeof(filter));
    DlgOpn dialog(TRUE, nullptr, nullptr, DlgOpn::kOpenFlags, filter, GetMainFrame());
    std::vector<char> buffer(VkaOpnNameBufSize, '\0');
    strcpy(buffer.data(), "*.*");
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = VkaOpnNameBufSize;
    dialog.m_ofn.nFilterIndex = 1;
    if (dialog.DoModal() != 1) return;
    OpenNamesInBracket(VkaSelectedNames(buffer.data()), "OnFileOpen");
}

void HalcorApp::OnFileOpnDir()
{
    if (IsOpeningBusy()) return;
    CWnd* frame = GetMainFrame();
    // File-system folders only, without the browser's new-folder button.
    const UINT flags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_UAHINT | BIF_NONEWFOLDERBUTTON;
    CString folder = theCmnSub.SelectDirectory(frame ? frame->m_hWnd : nullptr, theCmnAppInf.strCurDir, 0, flags);
    if (folder.IsEmpty()) return;
    OpenNamesInBracket({folder}, "OnFileOpnDir");
}

void HalcorApp::OnUpdateAlways(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

int HalcorApp::CheckRecentPath(const char* full)
{
    int exists = 0, drive = 0, folder = 0;
    int rc = VkeSubIsExistPath(Sub(), full, &exists);
    if (rc == VKE_OK && exists) rc = VkeSubIsDrive(Sub(), full, &drive);
    if (rc == VKE_OK && exists && !drive) rc = VkeSubIsDirectory(Sub(), full, &folder);
    if (rc != VKE_OK) return rc;
    int message = 0;
    char parent[CmnPathSize] = {};
    if (!exists) message = IDS_VKA_NOT_FOUND;
    else if (drive || folder) message = IDS_VKA_CANNOT_OPEN;
    else if (VkeSubGetDirPath(Sub(), parent, full, sizeof(parent)) == VKE_OK && IsAtsDir(parent))
        message = IDS_VKA_UNDER_ATS_DIR;
    if (!message) return VKE_OK;
    MsgPath(message, full, MB_OK | MB_ICONEXCLAMATION);
    return VKE_NOT_DONE;
}

BOOL HalcorApp::OnOpenRecentFile(UINT nID)
{
    CRecentFileList* list = m_pRecentFileList;
    int k = static_cast<int>(nID) - ID_FILE_MRU_FILE1;
    if (!list || k < 0 || k >= list->GetSize()) return FALSE;
    if (IsOpeningBusy()) return TRUE;
    CString entry = (*list)[k];
    entry.Trim();
    if (entry.IsEmpty()) {
        list->Remove(k);
        return TRUE;
    }
    char full[CmnPathSize] = {};
    int rc = VkeSubGetPathName(Sub(), full, entry, sizeof(full));
    if (rc == VKE_OK) rc = CheckRecentPath(full);
    if (rc == VKE_NOT_DONE) list->Remove(k);
    if (rc != VKE_OK) {
        if (rc != VKE_NOT_DONE) CMN_TRACE("OnOpenRecentFile", rc);
        return TRUE;
    }

    // A page that shows the file already is selected, and opened again only when the user agrees.
    HalcorViw* view = ViewToOpen(full);
    if (!view) {
        CMN_TRACE("OnOpenRecentFile", VKE_ERR_SYSTEM);
        return TRUE;
    }
    int index = -1;
    rc = view->SchPageByPth(full, &index);
    if (rc == VKE_OK) {
        if (view->SetCurSel(index) != VKE_OK) return TRUE;
        if (MsgPath(IDS_VKA_OPENED_ALREADY, full, MB_YESNO | MB_ICONQUESTION) != IDYES) return TRUE;
    } else if (rc != VKE_ERR_NOT_FOUND) {
        CMN_TRACE("OnOpenRecentFile", rc);
        return TRUE;
    }

    rc = BeginOpenFile();
    if (rc == VKE_OK) {
        rc = view->OpenPageByPth(full, 0, 0);
        if (rc != VKE_OK) {
            // The entry may have moved while the page opened: find it by its text.
            for (int i = 0; i < list->GetSize(); ++i) {
                CString name = (*list)[i];
                if (name.Trim().CompareNoCase(entry) == 0) {
                    list->Remove(i);
                    break;
                }
            }
        }
        if (rc != VKE_OK) {
            // Named with its failure once: the end of the bracket says nothing more.
            MsgCannotOpen(full, rc);
            if (rc < 0) CMN_TRACE("OnOpenRecentFile", rc);
            rc = VKE_NOT_DONE;
        }
    }
    VkaBatch batch({VKE_OK, VKE_NOT_DONE});
    batch.Add(rc);
    batch.End(EndOpenFile(batch.Result()));
    if (batch.Result() == VKE_OK) FocusOpenedPage();
    if (!batch.IsQuiet()) CMN_TRACE("OnOpenRecentFile", batch.Result());
    return TRUE;
}

void HalcorApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    CWinApp::OnUpdateRecentFileMenu(pCmdUI);
    pCmdUI->Enable(TRUE);
}
