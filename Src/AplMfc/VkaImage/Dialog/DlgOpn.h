// The open dialog of image files (template 113: the system's controls only), also used to choose
// a file to write. Its name buffer holds 20480 bytes, room for many names at once.
// - Open mode: OK keeps the folder the dialog shows as the remembered open folder (strOpnDir),
//   where the next dialog starts; a cancel leaves it.
// - Save mode: the path is checked (32822) and an existing file asks 32815 first.
//
//   std::vector<char> names(VkaOpnNameBufSize, '\0');
//   strcpy(names.data(), "*.*");
//   DlgOpn dialog(TRUE, nullptr, nullptr, DlgOpn::kOpenFlags, filter, frame);
//   dialog.m_ofn.lpstrFile = names.data();
//   dialog.m_ofn.nMaxFile = VkaOpnNameBufSize;
//   if (dialog.DoModal() == 1) for (const CString& path : VkaSelectedNames(names.data())) ...
//
// DoModal answers 1 or 2 and copies the names as DlgFil.h says.
#pragma once
#include "DlgFil.h"

class DlgOpn : public DlgFil {
    DECLARE_DYNAMIC(DlgOpn)

public:
    // The flags of the program's open-mode and save-mode file dialogs (the template is added by
    // the dialog): open: explorer style, resizing, file and folder must exist, many names; save:
    // explorer style, resizing, folder must exist, no read-only answer, read-only box hidden.
    static constexpr DWORD kOpenFlags =
        OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT;
    static constexpr DWORD kSaveFlags =
        OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_HIDEREADONLY;
    // The bytes of the dialog's own name buffer.
    enum { kBufSize = 20480 };

    DlgOpn(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
           DWORD dwFlags = kOpenFlags, LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

protected:
    // Open mode: the folder shown becomes the remembered open folder. Save mode: the path
    // checked and, for an existing file, 32815 answered Yes. TRUE keeps the dialog open.
    BOOL OnFileNameOK() override;
};
