// The save dialog: its controls over the save settings, the name that follows the type, and the
// checks of OK.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgSav"
#include "DlgSav.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include "VkaSubDat.h"
#include <string.h>

IMPLEMENT_DYNAMIC(DlgSav, DlgFil)

BEGIN_MESSAGE_MAP(DlgSav, DlgFil)
    ON_BN_CLICKED(IDC_DLGSAV_ABORT, &ThisClass::OnAbort)
    ON_CBN_SELCHANGE(IDC_DLGSAV_TYPE, &ThisClass::OnSelChangeCmbSavTyp)
    ON_CBN_CLOSEUP(IDC_DLGSAV_TYPE, &ThisClass::OnCloseUpCmbSavTyp)
END_MESSAGE_MAP()

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

const int kTypeCnt = 5;

CString AppText(AppMem& mem)
{
    char text[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), &mem, text, sizeof(text));
    return CString(text);
}

} // namespace

LRESULT CALLBACK GF_DlgSavWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DlgFil::RunNameBoxProc("GF_DlgSavWndPrcCtl", hWnd, message, wParam, lParam);
}

DlgSav::DlgSav(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
               CWnd* pParentWnd)
    : DlgFil(IDD_DLGSAV, CmnPathSize, bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd),
      m_bParam(0), m_pPage(nullptr), m_sav(), m_bFocusAfterList(false)
{
}

DlgSav::~DlgSav() { Term(); }

int DlgSav::SetParam(DlgImg* page)
{
    if (!page) return Fail("SetParam", VKE_ERR_ARG);
    m_pPage = page;
    m_bParam = 1;
    return VKE_OK;
}

int DlgSav::MakeTypeName(const char* name, int type, char* out, int size)
{
    if (!name || !out || size < 1 || type < 1 || type > kTypeCnt) return Fail("MakeTypeName", VKE_ERR_ARG);
    *out = '\0';
    CString made = name;
    if (!theVkaSubDat.IsFileOfType(name, type)) {
        CString ext = theVkaSubDat.GetFmtExt(type);
        if (ext.IsEmpty()) return Fail("MakeTypeName", VKE_ERR_SYSTEM);
        int dot = made.ReverseFind('.');
        if (dot > made.ReverseFind('\\')) made = made.Left(dot);
        made += "." + ext;
    }
    if (made.GetLength() >= size) return VKE_ERR_CUT;
    memcpy(out, made, static_cast<size_t>(made.GetLength()) + 1);
    return VKE_OK;
}

// ---- The run ----

INT_PTR DlgSav::DoModal()
{
    if (!m_bParam) {
        Fail("DoModal", VKE_ERR_SYSTEM);
        return 2;
    }
    return DlgFil::DoModal();
}

// The caller's folder goes: the dialog starts in its own.
void DlgSav::PrepareName(char* name, int)
{
    CString text = name;
    int slash = text.ReverseFind('\\');
    if (slash >= 0) memmove(name, name + slash + 1, strlen(name + slash + 1) + 1);
}

CString DlgSav::InitialDir()
{
    CString folder = AppText(theAppInf.svi.amSavDir);
    return folder.IsEmpty() ? CString(theCmnAppInf.strCurDir) : folder;
}

int DlgSav::InitOwn()
{
    const Svi& svi = theAppInf.svi;
    m_strPath = m_buf.data();
    m_strFolder.Empty();
    m_sav = {svi.iImgType, svi.lQltJpg, svi.bChkExt, svi.bOrgSiz};
    if (m_sav.iImgType < 1 || m_sav.iImgType > kTypeCnt) m_sav.iImgType = 1;
    return InitCtl();
}

int DlgSav::InitCtl()
{
    int rc = HookNameBox(GF_DlgSavWndPrcCtl);
    if (rc != VKE_OK) return Fail("InitCtl", VKE_ERR_SYSTEM);
    char quality[16];
    snprintf(quality, sizeof(quality), "%ld", static_cast<long>(m_sav.lQltJpg));
    SetDlgItemText(IDC_DLGSAV_QUALITY, quality);
    CheckDlgButton(IDC_DLGSAV_CHKEXT, m_sav.bChkExt == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(IDC_DLGSAV_ORGSIZ, IDC_DLGSAV_SHWSIZ, m_sav.bOrgSiz == 1 ? IDC_DLGSAV_ORGSIZ : IDC_DLGSAV_SHWSIZ);
    rc = SetCmbFmtDes();
    if (rc != VKE_OK) return rc;
    int batch = 0;
    if (HalcorApp* app = HalcorGetApp()) app->GetFlgPrtAll(&batch);
    if (CWnd* abort = GetDlgItem(IDC_DLGSAV_ABORT)) abort->ShowWindow(batch ? SW_SHOW : SW_HIDE);
    if (CWnd* edit = GetDlgItem(IDC_DLGSAV_QUALITY)) edit->EnableWindow(m_sav.iImgType == 1);
    return VKE_OK;
}

int DlgSav::SetCmbFmtDes()
{
    HWND combo = ::GetDlgItem(m_hWnd, IDC_DLGSAV_TYPE);
    if (!combo) return Fail("SetCmbFmtDes", VKE_ERR_SYSTEM);
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int type = 1; type <= kTypeCnt; ++type) {
        CString des = theVkaSubDat.GetFmtDes(type);
        if (des.IsEmpty() || ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(des))) < 0)
            return Fail("SetCmbFmtDes", VKE_ERR_SYSTEM);
    }
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(m_sav.iImgType - 1), 0);
    return VKE_OK;
}

void DlgSav::InitDone()
{
    m_strFolder = m_strDir;
    OnFileNameChange();
}

int DlgSav::Term()
{
    m_strPath.Empty();
    m_strFolder.Empty();
    m_bParam = 0;
    return DlgFil::Term();
}

int DlgSav::CurType() const
{
    LRESULT sel = ::SendDlgItemMessageA(m_hWnd, IDC_DLGSAV_TYPE, CB_GETCURSEL, 0, 0);
    return sel >= 0 && sel < kTypeCnt ? static_cast<int>(sel) + 1 : 1;
}

// ---- The name follows the type ----

void DlgSav::OnSelChangeCmbSavTyp()
{
    if (!m_bInit) return;
    const int type = CurType();
    CString ext = theVkaSubDat.GetFmtExt(type);
    if (ext.IsEmpty()) {
        Fail("OnSelChangeCmbSavTyp", VKE_ERR_SYSTEM);
        return;
    }
    if (CWnd* edit = GetDlgItem(IDC_DLGSAV_QUALITY)) edit->EnableWindow(type == 1);
    CString path = GetDlgPath();
    // A name too long for a path keeps its text: OK says why.
    if (path.IsEmpty() || path.GetLength() > VKE_PATH_MAX) return;
    char base[CmnPathSize] = {};
    if (VkeSubGetBaseFileName(Sub(), base, path, sizeof(base)) != VKE_OK) {
        Fail("OnSelChangeCmbSavTyp", VKE_ERR_SYSTEM);
        return;
    }
    SetNameText(TypedFolder() + base + "." + ext);
    // A choice made in the open list (by the arrow keys) moves the focus only once the list has
    // closed: the Return that closes it would otherwise reach the name box and save at once.
    m_bFocusAfterList = ::SendDlgItemMessageA(m_hWnd, IDC_DLGSAV_TYPE, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    if (!m_bFocusAfterList) FocusNameBox();
}

void DlgSav::OnCloseUpCmbSavTyp()
{
    if (!m_bFocusAfterList) return;
    m_bFocusAfterList = false;
    FocusNameBox();
}

// The system dialog's path before OK is its folder with the box's text appended: a folder typed in
// the box is read from the box, so a name made for a new type keeps it (and OK saves there).
CString DlgSav::TypedFolder() const
{
    CString typed = GetNameText().Trim();
    int slash = typed.ReverseFind('\\');
    return slash >= 0 ? typed.Left(slash + 1) : CString();
}

void DlgSav::OnFileNameChange()
{
    if (!m_bInit) return;
    CString path = GetDlgPath();
    if (IsEmptyPath(path)) return;
    char full[CmnPathSize] = {}, name[CmnPathSize] = {}, made[CmnPathSize] = {};
    int drive = 0, folder = 0;
    if (VkeSubGetPathName(Sub(), full, path, sizeof(full)) != VKE_OK || VkeSubIsDrive(Sub(), full, &drive) != VKE_OK ||
        drive || VkeSubIsDirectory(Sub(), full, &folder) != VKE_OK || folder)
        return;
    if (VkeSubGetFileName(Sub(), name, full, sizeof(name)) != VKE_OK) return;
    if (MakeTypeName(name, CurType(), made, sizeof(made)) != VKE_OK) return;
    if (GetNameText() == made) SelectName();
    else SetNameText(made);
}

// ---- OK ----

// The folder the dialog shows with the name typed in the name box (its last part when it holds a
// folder too).
int DlgSav::AdjustPath(char* full, int size)
{
    char folder[CmnPathSize] = {}, last[CmnPathSize] = {};
    int rc = VkeSubGetDirPath(Sub(), folder, full, sizeof(folder));
    if (rc == VKE_OK) rc = VkeSubGetFileName(Sub(), last, full, sizeof(last));
    if (rc != VKE_OK) return rc;
    CString typed = GetNameText().Trim();
    if (typed.IsEmpty() || typed.Find('\\') >= 0) typed = last;
    CString joined = CString(folder) + "\\" + typed;
    if (joined.GetLength() >= size) return VKE_ERR_CUT;
    memcpy(full, joined, static_cast<size_t>(joined.GetLength()) + 1);
    return VKE_OK;
}

bool DlgSav::ReadQuality(int* quality)
{
    CString text;
    GetDlgItemText(IDC_DLGSAV_QUALITY, text);
    text.Trim();
    int value = -1;
    if (VkeSubChkInt(Sub(), text, VKE_INT_SIGNED, &value) != VKE_OK || value < 0 || value > 100) return false;
    *quality = value;
    return true;
}

bool DlgSav::IsWritable(const char* path, int exists)
{
    if (exists) {
        DWORD attr = ::GetFileAttributesA(path);
        if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_READONLY)) return false;
        HANDLE file = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        ::CloseHandle(file);
        return true;
    }
    // A new file for the test only: it goes when it is closed.
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    if (::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) ::DeleteFileA(path);
    return true;
}

BOOL DlgSav::OnFileNameOK()
{
    if (!m_bInit) return FALSE;
    HalcorApp* app = HalcorGetApp();
    HalcorViw* view = app ? app->GetImgViw() : nullptr;
    if (!view) {
        Fail("OnFileNameOK", VKE_ERR_SYSTEM);
        return TRUE;
    }
    char path[CmnPathSize] = {};
    int exists = 0;
    if (SetPathName(path, sizeof(path), &exists) != VKE_OK) return TRUE;

    // The file of another open page is not written over.
    int index = -1;
    int rc = view->SchPageByPth(path, &index);
    if (rc == VKE_OK) {
        DlgImg* page = view->GetImgPage(index);
        if (!page) {
            Fail("OnFileNameOK", VKE_ERR_SYSTEM);
            FocusNameBox();
            return TRUE;
        }
        if (page != m_pPage) {
            Box(IDS_VKA_SAVE_OPENED, path, MB_OK | MB_ICONEXCLAMATION);
            FocusNameBox();
            return TRUE;
        }
    } else if (rc != VKE_ERR_NOT_FOUND) {
        Fail("OnFileNameOK", rc);
    }
    if (exists && !AskOverwrite(path)) {
        FocusNameBox();
        return TRUE;
    }

    SavRec sav = {CurType(), 0, IsDlgButtonChecked(IDC_DLGSAV_CHKEXT) == BST_CHECKED ? 1 : 0,
                  IsDlgButtonChecked(IDC_DLGSAV_ORGSIZ) == BST_CHECKED ? 1 : 0};
    if (!ReadQuality(&sav.lQltJpg)) {
        Box(IDS_VKA_BAD_QUALITY, nullptr, MB_OK | MB_ICONEXCLAMATION);
        ::PostMessageA(m_hSysDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDC_DLGSAV_QUALITY)), TRUE);
        return TRUE;
    }
    if (sav.bChkExt && ChkFilExt(path, sav.iImgType) != VKE_OK) return TRUE;
    if (!IsWritable(path, exists)) {
        Box(IDS_VKA_CANNOT_WRITE, path, MB_OK | MB_ICONEXCLAMATION);
        FocusNameBox();
        return TRUE;
    }

    char folder[CmnPathSize] = {};
    VkeSubGetDirPath(Sub(), folder, path, sizeof(folder));
    m_strPath = path;
    m_strFolder = folder;
    m_sav = sav;
    Svi& svi = theAppInf.svi;
    VkeSubSetAppMemStr(Sub(), &svi.amPathName, path);
    VkeSubSetAppMemStr(Sub(), &svi.amSavDir, folder);
    svi.iImgType = sav.iImgType;
    svi.lQltJpg = sav.lQltJpg;
    svi.bChkExt = sav.bChkExt;
    svi.bOrgSiz = sav.bOrgSiz;
    return FALSE;
}

int DlgSav::ChkFilExt(const char* path, int type)
{
    if (!m_bInit) return Fail("ChkFilExt", VKE_ERR_NOT_INIT);
    if (!path || !*path || type < 1 || type > kTypeCnt) return Fail("ChkFilExt", VKE_ERR_ARG);
    CString des = theVkaSubDat.GetFmtDes(type);
    if (des.IsEmpty()) return Fail("ChkFilExt", VKE_ERR_SYSTEM);
    if (theVkaSubDat.IsFileOfType(path, type)) return VKE_OK;
    char ext[CmnPathSize] = {};
    VkeSubGetFileExtention(Sub(), ext, path, sizeof(ext));
    CString text;
    text.Format(theCmnSub.GetMsgStr(IDS_VKA_EXT_MISMATCH), static_cast<LPCSTR>(des), ext);
    if (Box(text, MB_YESNO | MB_ICONQUESTION) == IDYES) return VKE_OK;
    FocusNameBox();
    return VKE_CANCELLED;
}

void DlgSav::OnAbort()
{
    if (HalcorApp* app = HalcorGetApp()) app->SetFlgPrtAbt(1);
    if (m_hSysDlg) ::PostMessageA(m_hSysDlg, WM_COMMAND, IDCANCEL, 0);
}
