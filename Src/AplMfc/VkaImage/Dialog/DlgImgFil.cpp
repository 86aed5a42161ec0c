// The image page's path, title and opening.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgFil"
#include "DlgImg.h"
#include "CmnImg.h"
#include "CmnRes.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

// The byte after the character at p.
const char* Next(const char* p) { return ::CharNextExA(932, p, 0); }

} // namespace

int DlgImg::OpenImage(const char* path, int pasted)
{
    if (!m_bInitImg) return Fail("OpenImage", VKE_ERR_NOT_INIT);
    int rc = OpenImageFile(path, pasted);
    if (rc != VKE_OK && rc != VKE_NOT_DONE) Fail("OpenImage", rc);
    return rc;
}

int DlgImg::OpenImageFile(const char* path, int pasted)
{
    if (!m_bInitImg) return Fail("OpenImageFile", VKE_ERR_NOT_INIT);
    if (!path || (pasted != 0 && pasted != 1)) return Fail("OpenImageFile", VKE_ERR_ARG);
    EndTracking();
    HalcorViw* view = View();
    if (!view) return Fail("OpenImageFile", VKE_ERR_SYSTEM);
    theCmnImg.CloseImageDirect(&m_pIci->pthImg.hImg);
    m_bModified = pasted;
    if (IsSelImgPage()) {
        // The page that follows the file list starts its undo history afresh with each file.
        VkeSubTermEui(Sub(), m_hWnd, &m_pEui);
        int rc = VkeSubInitEui(Sub(), m_hWnd, &m_pEui);
        if (rc != VKE_OK) return Fail("OpenImageFile", rc);
        m_bSaved = 0;
    }

    Adi adi = {};
    int opened = *path ? VKE_NOT_DONE : VKE_OK;
    char full[CmnPathSize] = {};
    int normal = 0;
    if (*path && theCmnSub.IsNormalFile(path, full, sizeof(full), &normal) == VKE_OK && normal) {
        opened = theCmnImg.OpenImageAnswering(full, &adi.hImg, &adi.iTypImg, &adi.fXRes, &adi.fYRes, &adi.bKnown);
        // A batch's next file is decoded while a page that does not show is set up (it draws
        // nothing meanwhile).
        if (!IsWindowVisible()) theCmnImg.QueueNextOpenImage();
        if (opened != VKE_OK) {
            theCmnImg.CloseImage(&adi.hImg);
            adi = Adi();
            if (opened != VKE_NOT_DONE) return Fail("OpenImageFile", opened);
        }
    }
    m_bPasted = pasted;
    int rc = SetPathName(path, 0);
    const SopShi& shi = theAppInf.sopShi;
    adi.iModeSca = shi.iModeSca;
    adi.lScaNum = shi.lScaNum;
    adi.lScaDen = shi.lScaDen;
    adi.bReset = adi.bClrTxt = 1;
    if (rc != VKE_OK) theCmnImg.CloseImage(&adi.hImg);
    else rc = AttachDIB(adi); // takes the image
    if (rc != VKE_OK) return Fail("OpenImageFile", rc);
    if (opened == VKE_OK && IsNamed()) AfxGetApp()->AddToRecentFileList(m_strPathName);
    return opened;
}

int DlgImg::NewImage()
{
    if (!m_bInitImg) return Fail("NewImage", VKE_ERR_NOT_INIT);
    EndTracking();
    int rc = theCmnImg.CloseImageDirect(&m_pIci->pthImg.hImg);
    m_bModified = 0;
    m_strPathName.Empty();
    return rc == VKE_OK ? rc : Fail("NewImage", rc);
}

int DlgImg::SetPathName(const char* path, int clearPasted)
{
    if (!path || (clearPasted != 0 && clearPasted != 1)) return Fail("SetPathName", VKE_ERR_ARG);
    HalcorViw* view = View();
    HalcorApp* app = HalcorGetApp();
    if (!view || !app) return Fail("SetPathName", VKE_ERR_SYSTEM);
    CString trimmed(path);
    trimmed.Trim();
    char full[CmnPathSize] = {};
    int normal = 0;
    if (!trimmed.IsEmpty()) theCmnSub.IsNormalFile(trimmed, full, sizeof(full), &normal);
    if (!normal) {
        m_strPathName.Empty();
        m_strDir.Empty();
        m_strSize.Format(theCmnSub.GetMsgStr(IDS_CMN_SIZE_BYTE), "0");
    } else if (m_strPathName != full) {
        char dir[CmnPathSize] = {};
        VkeSubGetDirPath(Sub(), dir, full, sizeof(dir));
        m_strDir = GetDirText(dir);
        double size = 0;
        m_strSize = theCmnSub.GetFileSizeStr(full, 1, &size);
        m_strPathName = full;
    }

    CString title;
    if (IsSelImgPage()) title = theCmnSub.GetMsgStr(IDS_DLGIMG_SEL_IMG);
    else if (IsNamed()) title = GetFileName();
    else title.Format(theCmnSub.GetMsgStr(IDS_DLGIMG_NEW), app->NextNewPageNo());
    int rc = SetTitle(title);
    if (clearPasted == 1) m_bPasted = 0;
    return rc;
}

CString DlgImg::GetFileName() const
{
    if (!IsNamed()) return m_strTitle;
    char name[CmnPathSize] = {};
    VkeSubGetFileName(Sub(), name, m_strPathName, sizeof(name));
    return name;
}

int DlgImg::SetTitle(const char* title)
{
    if (!title) return Fail("SetTitle", VKE_ERR_ARG);
    m_strTitle = title;
    HalcorViw* view = View();
    int index = -1;
    // A page not on a tab yet keeps its title for the tab it gets.
    if (!view || !m_hWnd || view->SchPageByHdl(m_hWnd, &index) != VKE_OK) return VKE_OK;
    int rc = view->SetTitle(index, title);
    return rc == VKE_OK ? rc : Fail("SetTitle", rc);
}

CString DlgImg::GetDirText(const char* folder)
{
    if (!folder || !*folder) return CString();
    // The root: "\\" before a network path, else the drive, ":" and a backslash.
    const char* rest = folder;
    CString root;
    if (folder[0] == '\\' && folder[1] == '\\') {
        root = "\\\\";
        rest = folder + 2;
    } else if (folder[0] && folder[1] == ':') {
        root.Format("%c:\\", folder[0]);
        rest = folder[2] == '\\' ? folder + 3 : folder + 2;
    }
    // The last separator, found by walking characters (a trail byte may be 0x5C).
    const char* last = nullptr;
    for (const char* p = rest; *p; p = Next(p))
        if (*p == '\\') last = p;
    if (!last) return root.IsEmpty() || *rest ? CString(folder) : root;
    return root + "...\\" + (last + 1);
}
