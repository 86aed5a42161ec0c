// The open dialog: the remembered open folder in open mode, the checked path in save mode.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgOpn"
#include "DlgOpn.h"
#include "HalcorRes.h"
#include <string.h>

IMPLEMENT_DYNAMIC(DlgOpn, DlgFil)

DlgOpn::DlgOpn(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
               CWnd* pParentWnd)
    : DlgFil(IDD_DLGOPN, kBufSize, bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd)
{
}

BOOL DlgOpn::OnFileNameOK()
{
    if (!m_bInit) return FALSE;
    if (!m_bOpenFileDialog) return !CheckSavePath();
    char full[CmnPathSize] = {};
    CString folder = GetFolderPath();
    if (folder.IsEmpty()) folder = m_strDir;
    if (!folder.IsEmpty() && VkeSubGetPathName(theCmnAppInf.pSub, full, folder, sizeof(full)) == VKE_OK)
        strcpy(theCmnAppInf.strOpnDir, full);
    return FALSE;
}
