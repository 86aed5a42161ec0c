// The save-as dialog of an image page (template 114 below the system's save dialog): the save
// type (the application's image types 1 JPEG, 2 BMP, 3 GIF, 4 TIFF, 5 PNG), the JPEG quality
// (0 to 100, asked for whatever the type), the extension check and the size saved (the image's
// own, or the size shown). The name follows the type while the user types; OK checks the path
// (32822), another open page's file (32824), overwriting (32815), the quality (32839), the
// extension (32828, with the check box set) and that the file can be written (32827; the probe
// leaves no file behind where there was none and changes no existing file). The dialog writes
// no image: it leaves the choice in the application's save settings (theAppInf.svi), which also
// seed the next dialog (the last folder, type, quality, check and size).
//
// The page proposes a name (MakeTypeName: its file name with the type's extension, "*.*" when it
// has none) and reads the choice:
//
//   char name[CmnPathSize] = {};
//   DlgSav::MakeTypeName(pageFileName.IsEmpty() ? "*.*" : pageFileName, theAppInf.svi.iImgType,
//                        name, sizeof(name));
//   DlgSav dialog(FALSE, nullptr, name, DlgSav::kFlags, filter, page);
//   if (dialog.SetParam(page) == 0 && dialog.DoModal() == 1) {
//       CString path = dialog.GetPathName();    // full; also in theAppInf.svi.amPathName
//       const Svi& svi = theAppInf.svi;         // iImgType, lQltJpg, bOrgSiz (1 own size)
//   }
//
// DoModal without SetParam traces -1 and answers 2. During a batch print an abort button shows:
// it sets the application's batch-print abort flag and cancels the dialog (DoModal 2), so the
// page can tell a batch's abort from a plain cancel by that flag.
#pragma once
#include "DlgFil.h"

class DlgImg;

// The name box's procedure: the base name is selected when the box gets the focus.
LRESULT CALLBACK GF_DlgSavWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class DlgSav : public DlgFil {
    DECLARE_DYNAMIC(DlgSav)

public:
    // Explorer style, resizing, the folder must exist, no read-only answer, the read-only box
    // hidden; the template is the dialog's own. No overwrite prompt: the dialog asks itself.
    static constexpr DWORD kFlags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN |
                                OFN_HIDEREADONLY;

    DlgSav(BOOL bOpenFileDialog = FALSE, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
           DWORD dwFlags = kFlags, LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    ~DlgSav() override;

    // The page that saves (a search that finds it by the path does not refuse). -9 for null.
    int SetParam(DlgImg* page);
    // 1 saved (the settings hold the choice), 2 cancelled, aborted or failed. The caller's name
    // buffer (m_ofn.lpstrFile) receives the full path; a caller's folder in it is dropped: the
    // dialog starts in the last save folder, else the current folder of the settings.
    INT_PTR DoModal() override;

    // name with the extension of type (1 to 5): kept when it already is a file of the type,
    // else the part after its last "." replaced ("a.b.png" -> "a.b.jpg", "*.*" -> "*.jpg"), or
    // "." and the extension appended. -9 for a bad argument or type, -1 when the type has no
    // extension, -13 when the result does not fit.
    static int MakeTypeName(const char* name, int type, char* out, int size);

protected:
    int InitOwn() override;
    // The strings and both flags cleared (at the end: a run keeps the page for the next one).
    int Term() override;
    // The first name follows the type, the folder is known.
    void InitDone() override;
    void PrepareName(char* name, int size) override;
    CString InitialDir() override;
    int AdjustPath(char* full, int size) override;
    // The name box's name made a name of the chosen type.
    void OnFileNameChange() override;
    // The checks in order; TRUE keeps the dialog open.
    BOOL OnFileNameOK() override;

    virtual int InitCtl();
    // The five types' descriptions in the combo, the saved type selected.
    virtual int SetCmbFmtDes();
    // 0 when path is a file of type or the user agrees (32828), 2 when not; -6, -9, -1 as usual.
    virtual int ChkFilExt(const char* path, int type);

    afx_msg void OnSelChangeCmbSavTyp();
    afx_msg void OnCloseUpCmbSavTyp();
    afx_msg void OnAbort();
    DECLARE_MESSAGE_MAP()

private:
    // The save record in the order of its settings.
    struct SavRec {
        int iImgType;
        int lQltJpg;
        int bChkExt;
        int bOrgSiz;
    };
    int CurType() const;
    // The folder typed in the name box, up to its last backslash ("sub\" of "sub\a.png"); empty
    // for a bare name.
    CString TypedFolder() const;
    // Whether the file can be written: opened for writing and closed (a file made for the test
    // goes again); a read-only file cannot.
    static bool IsWritable(const char* path, int exists);
    // The quality text as a number 0..100; false when it is not one.
    bool ReadQuality(int* quality);

    int m_bParam;
    DlgImg* m_pPage;
    SavRec m_sav;
    CString m_strPath;   // the name the dialog started with, then the path chosen
    CString m_strFolder; // its folder
    bool m_bFocusAfterList; // a type chosen in the open list: the name box gets the focus when it closes
};
