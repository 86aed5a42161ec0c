// The open-information file dialog (template 115 below the system's controls): reading
// (open mode, title 32812 "オープン情報を読み込む") or writing (save mode, title 32813
// "オープン情報を書き込む") an open-information file, with the options of that operation as
// check boxes over the settings theAppInf.ooi (bOnlLcd, bOpnLck, bOpnApd, bImgSel, bCreBak). The
// boxes that do not apply are disabled: reading uses only-locked and open-locked, writing
// only-locked, append, selected image and backup. OK stores the options in the settings; a name
// written without an extension gets ".csv"; an existing file asks 32815.
//
//   std::vector<char> names(DlgOpi::kBufSize, '\0');
//   strcpy(names.data(), "*.csv");
//   DlgOpi dialog(open, nullptr, nullptr, open ? DlgOpi::kOpenFlags : DlgOpi::kSaveFlags, filter, view);
//   dialog.m_ofn.lpstrFile = names.data();
//   dialog.m_ofn.nMaxFile = static_cast<DWORD>(names.size());
//   dialog.m_ofn.lpstrInitialDir = folder;   // optional
//   if (dialog.DoModal() == 1) ... VkaSelectedNames(names.data()) ..., theAppInf.ooi ...
//
// Writing needs the image tab view (without it OK traces -1 and the dialog stays). DoModal
// answers 1 or 2 and copies the names as DlgFil.h says.
#pragma once
#include "DlgOpn.h"

// The name box's procedure: the base name is selected when the box gets the focus.
LRESULT CALLBACK GF_DlgOpiWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class DlgOpi : public DlgFil {
    DECLARE_DYNAMIC(DlgOpi)

public:
    static constexpr DWORD kOpenFlags = DlgOpn::kOpenFlags;
    static constexpr DWORD kSaveFlags = DlgOpn::kSaveFlags;
    enum { kBufSize = DlgOpn::kBufSize };

    DlgOpi(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
           DWORD dwFlags = kOpenFlags, LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

protected:
    // The options from the settings, the controls, the title.
    int InitOwn() override;
    // The first name as the dialog shows it, its base name selected.
    void InitDone() override;
    // Writing: a name without an extension gets ".csv".
    int AdjustPath(char* full, int size) override;
    // The name box shows the last part of the path, its base name selected.
    void OnFileNameChange() override;
    // The options of the mode stored in the settings; writing checks the path first. TRUE keeps
    // the dialog open.
    BOOL OnFileNameOK() override;
    virtual int InitCtl();

private:
    enum { OptCnt = 5 };
    // The options in the order of their settings and boxes (17784 ..).
    int m_ooi[OptCnt];
};
