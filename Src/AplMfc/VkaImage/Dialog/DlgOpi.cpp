// The open-information dialog: its options over the settings, the name, the written path.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgOpi"
#include "DlgOpi.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <string.h>

IMPLEMENT_DYNAMIC(DlgOpi, DlgFil)

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

// The settings of the options, in the boxes' order.
int* Setting(int index)
{
    Ooi& ooi = theAppInf.ooi;
    int* settings[] = {&ooi.bOnlLcd, &ooi.bOpnLck, &ooi.bOpnApd, &ooi.bImgSel, &ooi.bCreBak};
    return settings[index];
}

// The boxes each mode uses.
const bool kOpenUses[] = {true, true, false, false, false};
const bool kSaveUses[] = {true, false, true, true, true};

} // namespace

LRESULT CALLBACK GF_DlgOpiWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DlgFil::RunNameBoxProc("GF_DlgOpiWndPrcCtl", hWnd, message, wParam, lParam);
}

DlgOpi::DlgOpi(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
               CWnd* pParentWnd)
    : DlgFil(IDD_DLGOPI, kBufSize, bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd),
      m_ooi()
{
}

int DlgOpi::InitOwn()
{
    for (int i = 0; i < OptCnt; ++i) m_ooi[i] = *Setting(i);
    int rc = InitCtl();
    if (rc != VKE_OK) return rc;
    ::SetWindowTextA(m_hSysDlg, theCmnSub.GetMsgStr(m_bOpenFileDialog ? IDS_VKA_OPI_READ : IDS_VKA_OPI_WRITE));
    return VKE_OK;
}

int DlgOpi::InitCtl()
{
    if (HookNameBox(GF_DlgOpiWndPrcCtl) != VKE_OK) return Fail("InitCtl", VKE_ERR_SYSTEM);
    const bool* uses = m_bOpenFileDialog ? kOpenUses : kSaveUses;
    for (int i = 0; i < OptCnt; ++i) {
        CheckDlgButton(IDC_DLGOPI_ONLLCD + i, m_ooi[i] == 1 ? BST_CHECKED : BST_UNCHECKED);
        if (CWnd* box = GetDlgItem(IDC_DLGOPI_ONLLCD + i)) box->EnableWindow(uses[i]);
    }
    return VKE_OK;
}

void DlgOpi::InitDone() { OnFileNameChange(); }

void DlgOpi::OnFileNameChange()
{

    if (!m_bInit) return;
    CString path = GetDlgPath();
    if (IsEmptyPath(path)) return;
    char full[CmnPathSize] = {}, name[CmnPathSize] = {};
    int drive = 0, folder = 0;
    if (VkeSubGetPathName(Sub(), full, path, sizeof(full)) != VKE_OK || VkeSubIsDrive(Sub(), full, &drive) != VKE_OK ||
        drive || VkeSubIsDirectory(Sub(), full, &folder) != VKE_OK || folder)
        return;
    if (VkeSubGetFileName(Sub(), name, full, sizeof(name)) != VKE_OK) return;
    if (GetNameText() != name) SetNameText(name);
    SelectName();
}

int DlgOpi::AdjustPath(char* full, int size)
{
    if (m_bOpenFileDialog) return VKE_OK;
    char ext[CmnPathSize] = {};
    VkeSubGetFileExtention(Sub(), ext, full, sizeof(ext));
    if (*ext) return VKE_OK;
    if (strlen(full) + 4 >= static_cast<size_t>(size)) return VKE_ERR_CUT;
    strcat(full, ".csv");
    return VKE_OK;
}

BOOL DlgOpi::OnFileNameOK()
{

    if (!m_bInit) return FALSE;
    if (!m_bOpenFileDialog) {
        HalcorApp* app = HalcorGetApp();
        if (!app || !app->GetImgViw()) {
            Fail("OnFileNameOK", VKE_ERR_SYSTEM);
            return TRUE;
        }
        if (!CheckSavePath()) return TRUE;
    }
    const bool* uses = m_bOpenFileDialog ? kOpenUses : kSaveUses;
    for (int i = 0; i < OptCnt; ++i)
        if (uses[i]) m_ooi[i] = IsDlgButtonChecked(IDC_DLGOPI_ONLLCD + i) == BST_CHECKED ? 1 : 0;
    for (int i = 0; i < OptCnt; ++i) *Setting(i) = m_ooi[i];
    return FALSE;
}
