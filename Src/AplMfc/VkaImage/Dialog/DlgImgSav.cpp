// The image page's saving: the save dialog for its image, the file written (at the image's own
// size or the size shown) and read back into the page, and the question before a modified page
// closes.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgSav"
#include "DlgImg.h"
#include "CmnImg.h"
#include "DlgSav.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include "VkaSubDat.h"

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

// The bitmap a save writes: the page's own, or a stretched copy that goes with the holder.
class SaveBitmap {
public:
    explicit SaveBitmap(HBITMAP own) : m_own(own) {}
    ~SaveBitmap() { theCmnImg.CloseImage(&m_made); }
    SaveBitmap(const SaveBitmap&) = delete;
    SaveBitmap& operator=(const SaveBitmap&) = delete;
    // The whole image stretched to width x height with the settings' stretch mode.
    int Stretch(int width, int height, int srcWidth, int srcHeight)
    {
        return theCmnImg.StretchDIB(&m_made, width, height, m_own, 0, 0, srcWidth, srcHeight, 0, nullptr,
                                    theCmnAppInf.iModeStretch);
    }
    HBITMAP Get() const { return m_made ? m_made : m_own; }

private:
    HBITMAP m_own;
    HBITMAP m_made = nullptr;
};

// The application's flag of closing all pages, cleared for a scope: the page paints while it asks.
class ClsAllCleared {
public:
    explicit ClsAllCleared(HalcorApp* app) : m_app(app)
    {
        if (!m_app) return;
        m_app->GetFlgClsAll(&m_kept);
        m_app->SetFlgClsAll(0);
    }
    ~ClsAllCleared()
    {
        if (m_app) m_app->SetFlgClsAll(m_kept);
    }
    ClsAllCleared(const ClsAllCleared&) = delete;
    ClsAllCleared& operator=(const ClsAllCleared&) = delete;

private:
    HalcorApp* m_app;
    int m_kept = 0;
};

} // namespace

// ---- Selecting the page's tab for a while ----

int DlgImg::SelectOwnTab(int* previous)
{
    *previous = -1;
    HalcorViw* view = View();
    int index = -1;
    if (!view) return VKE_ERR_SYSTEM;
    view->GetCurSel(previous);
    int rc = view->SchPageByHdl(m_hWnd, &index);
    if (rc == VKE_OK && index != *previous) rc = view->SetCurSel(index);
    return rc;
}

void DlgImg::SelectTabAgain(int previous)
{
    HalcorViw* view = View();
    int current = -1;
    if (!view || previous < 0 || view->GetCurSel(&current) != VKE_OK || current == previous) return;
    int count = 0;
    if (view->GetPageCnt(&count) == VKE_OK && previous < count) view->SetCurSel(previous);
}

// ---- Saving ----

int DlgImg::SaveAsImage()
{
    if (!m_bInitImg) return Fail("SaveAsImage", VKE_ERR_NOT_INIT);
    EndTracking();
    HalcorApp* app = HalcorGetApp();
    int previous = -1;
    if (!app || !View() || !m_pIci->pthImg.hImg || SelectOwnTab(&previous) != VKE_OK) {
        HalcorApp::MsgPath(IDS_VKA_CANNOT_SAVE, "", MB_OK | MB_ICONEXCLAMATION);
        return Fail("SaveAsImage", VKE_ERR_SYSTEM);
    }
    // The page's name with the extension of the type saved last.
    char name[CmnPathSize] = {};
    int rc = DlgSav::MakeTypeName(IsNamed() ? static_cast<LPCSTR>(GetFileName()) : "*.*", theAppInf.svi.iImgType, name,
                                  sizeof(name));
    if (rc != VKE_OK) {
        SelectTabAgain(previous);
        HalcorApp::MsgPath(IDS_VKA_CANNOT_SAVE, "", MB_OK | MB_ICONEXCLAMATION);
        return Fail("SaveAsImage", rc);
    }
    char filter[8192] = {};
    VkeSubGetAppMemStr(Sub(), &theAppInf.fti.amFilter, filter, sizeof(filter));
    DlgSav dialog(FALSE, nullptr, nullptr, DlgSav::kFlags, filter, app->GetMainFrame());
    dialog.m_ofn.lpstrFile = name;
    dialog.m_ofn.nMaxFile = sizeof(name);
    dialog.m_ofn.nFilterIndex = 1;
    dialog.SetParam(this);
    if (dialog.DoModal() != 1) {
        SelectTabAgain(previous);
        int aborted = 0;
        app->GetFlgPrtAbt(&aborted);
        return aborted ? VKE_STOPPED : VKE_CANCELLED;
    }
    Svi& svi = theAppInf.svi;
    char path[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), &svi.amPathName, path, sizeof(path));
    rc = SaveImageFile(path, svi.iImgType, svi.lQltJpg);
    SelectTabAgain(previous);
    return rc;
}

int DlgImg::SaveImageFile(const char* path, int type, int quality)
{
    if (!m_bInitImg) return Fail("SaveImageFile", VKE_ERR_NOT_INIT);
    if (!path || !*path) return Fail("SaveImageFile", VKE_ERR_ARG);
    EndTracking();
    if (!View()) return Fail("SaveImageFile", VKE_ERR_SYSTEM);
    Ici& ici = *m_pIci;
    CmnVarPthImg& img = ici.pthImg;
    if (!img.hImg) return Fail("SaveImageFile", VKE_ERR_EXISTS);

    // The image's own size, or the size shown on the page; a stretch cut to what can be made
    // (-13) is saved all the same.
    SaveBitmap bitmap(img.hImg);
    const bool shownSize = theAppInf.svi.bOrgSiz != 1 && (ici.iShwWidth != img.iWidth || ici.iShwHeight != img.iHeight);
    int rc = shownSize ? bitmap.Stretch(ici.iShwWidth, ici.iShwHeight, img.iWidth, img.iHeight) : VKE_OK;
    // The engine replaces an existing file only once the new one is written whole.
    if (rc == VKE_OK || rc == VKE_ERR_CUT) rc = theCmnImg.SaveImage(path, bitmap.Get(), type, img.fXRes, img.fYRes, quality);
    if (rc != VKE_OK) {
        MsgCannotSave(path, rc);
        return rc == VKE_NOT_DONE ? rc : Fail("SaveImageFile", rc);
    }
    SetModifiedFlag(0);
    return IsSelImgPage() ? OpenSavedAsPage(path) : TakeSavedFile(path, type);
}

void DlgImg::MsgCannotSave(const char* path, int rc)
{
    CString text;
    text.Format(theCmnSub.GetMsgStr(IDS_VKA_CANNOT_SAVE), path);
    if (rc < 0) text += "\n\n" + theCmnSub.GetMsgStr(rc);
    theCmnSub.MsgBox(text, MB_OK | MB_ICONEXCLAMATION);
}

// The page that follows the file list keeps following it: the saved file opens as a page of its
// own.
int DlgImg::OpenSavedAsPage(const char* path)
{
    HalcorApp* app = HalcorGetApp();
    HalcorViw* view = View();
    if (m_strPathName == path) m_bSaved = 1;
    SetFocusDra();
    int rc = app->BeginOpenFile();
    if (rc == VKE_OK) rc = view->OpenPageByPth(path, 0, 0);
    int end = app->EndOpenFile(rc);
    if (rc == VKE_OK) rc = end;
    if (rc == VKE_OK) return rc;
    if (rc == VKE_NOT_DONE || rc == VKE_STOPPED) {
        HalcorApp::MsgPath(IDS_VKA_CANNOT_OPEN, path, MB_OK | MB_ICONEXCLAMATION);
        return VKE_OK;
    }
    return Fail("SaveImageFile", rc);
}

// The page now stands for the file written, and keeps its own image: the file may hold less (a
// lossy type, fewer colours, the size shown), and what the page shows, turns or saves next still
// starts from the page's own pixels. Its frame, scroll position, turn and flips stay; the status
// line names the file's type and size.
int DlgImg::TakeSavedFile(const char* path, int type)
{
    m_bSaved = 1;
    int rc = SetPathName(path, 1);
    CmnVarPthImg& img = m_pIci->pthImg;
    if (rc == VKE_OK) rc = VkeSubSetAppMemStr(Sub(), &img.amPath, m_strPathName);
    if (rc != VKE_OK) return Fail("SaveImageFile", rc);
    img.iTypImg = type;
    img.bKnown = 1;
    double size = 0;
    m_strSize = theCmnSub.GetFileSizeStr(m_strPathName, 1, &size);
    if (IsCurPage()) ShowStatus();
    AfxGetApp()->AddToRecentFileList(m_strPathName);
    return VKE_OK;
}

// ---- Before the page closes ----

int DlgImg::SaveModified(int answer)
{
    if (!m_bInitImg) {
        Fail("SaveModified", VKE_ERR_NOT_INIT);
        return answer;
    }
    if (answer != 0 && answer != 1) Fail("SaveModified", VKE_ERR_ARG);
    EndTracking();
    if (!View()) {
        Fail("SaveModified", VKE_ERR_SYSTEM);
        return answer;
    }
    if (!m_bModified) return 1;
    ClsAllCleared painting(HalcorGetApp());
    int previous = -1, rc = SelectOwnTab(&previous);
    if (rc != VKE_OK) {
        Fail("SaveModified", rc);
        return answer;
    }
    while (m_bModified) {
        CString question = GetFileName() + theCmnSub.GetMsgStr(IDS_VKA_SAVE_ASK);
        switch (theCmnSub.MsgBox(question, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            rc = SaveAsImage();
            if (rc == VKE_OK) return 1;
            if (rc == VKE_STOPPED) return 0;
            break; // asked again while the page is still modified
        case IDNO: SetModifiedFlag(0); return 1;
        default: return 0;
        }
    }
    return 1;
}
