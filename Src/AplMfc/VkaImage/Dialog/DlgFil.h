// The base of the program's file dialogs (DlgSav, DlgOpn, DlgOpi): the system's explorer-style
// open or save dialog with a template of the program's below the system's controls, run on a
// name buffer of the dialog's own, with the program's rules:
// - a name that is "\\" or begins with "\\\" counts as empty; an empty name, a drive or an
//   existing folder is refused with message 32822 (SetPathName); a dialog that writes asks 32815
//   before it names an existing file;
// - OK passes to the system dialog only when every name typed makes a path of at most 259 bytes
//   (VKE_PATH_MAX) with the folder shown; a longer one is refused with 32860 (the system dialog
//   under Wine overruns its own buffer on it), and so is a longer path SetPathName makes;
// - the cancel button reads "閉じる" (26577) and the read-only box (1040) is hidden;
// - a start that fails shows 27576 and ends the system dialog with 3.
//
// The caller builds it with the framework's file-dialog arguments and may give its own name
// buffer and initial folder before DoModal; it reads the buffer afterwards:
//
//   DlgOpn dialog(TRUE, nullptr, nullptr, flags, filter, frame);
//   dialog.m_ofn.lpstrFile = buffer;          // the initial name in, the result out
//   dialog.m_ofn.nMaxFile = sizeof(buffer);
//   dialog.m_ofn.lpstrInitialDir = folder;    // optional: else the dialog's own folder
//   if (dialog.DoModal() == 1) names = VkaSelectedNames(buffer);
//
// DoModal answers 1 (chosen) or 2 (cancelled or failed). The result is copied into the caller's
// buffer at the caller's size: a multiple choice (the folder, then the names) keeps the folder and
// the whole names that fit, and always ends with two zero bytes; a path that does not fit whole
// gives 2 (traced). Without a buffer of the caller's the framework's own (m_szFileName) is used.
#pragma once
#include "Mfc.h"
#include "CmnDef.h"
#include "CmnSub.h"
#include <vector>

class DlgFil : public CFileDialog {
    DECLARE_DYNAMIC(DlgFil)

public:
    // nIDTemplate: the program's template below the system's controls; bufSize: the bytes of the
    // dialog's own name buffer.
    DlgFil(UINT nIDTemplate, int bufSize, BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
           DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd);
    ~DlgFil() override;

    // 1 chosen, 2 cancelled or failed (every result of the system dialog other than 1 is 2).
    INT_PTR DoModal() override;
    int IsInit() const { return m_bInit; }
    // The system dialog and its name box (edt1, else the edit of the name combo cmb13); null
    // while the dialog is not up.
    HWND GetSysDlg() const { return m_hSysDlg; }
    HWND GetNameBox() const { return m_hFilNam; }

    // The shared body of the name box's procedures (GF_DlgSavWndPrcCtl, GF_DlgOpiWndPrcCtl): at
    // WM_SETFOCUS the base name is selected (CmnWin::SetSelFilNam; while the system dialog is
    // still hidden, once it shows) before the previous procedure runs; without a previous
    // procedure -1 is traced under name and 0 answered.
    static LRESULT RunNameBoxProc(const char* name, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The names typed in a name box: the text, or each name of a list of quoted names.
    static std::vector<CString> TypedNames(const CString& typed);
    // The bytes of the path name makes in folder (a full path, a path from the drive's root, or
    // a name or relative path inside the folder).
    static int JoinedLength(const CString& folder, const CString& name);

protected:
    // The framework's start, the state cleared, then Init; a failure shows 27576 and ends the
    // system dialog with 3.
    BOOL OnInitDialog() override;
    // The dialog's current folder is read once the system dialog is complete, then InitDone.
    void OnInitDone() override;
    void OnFolderChange() override;

    // -7 when started; the system dialog and its name box (-1 when missing), the procedure in
    // front of the system dialog (SysDlgProc), InitOwn, the cancel text and the hidden read-only
    // box; the initialised flag last.
    virtual int Init();
    // What a derived dialog starts (its controls, settings and title).
    virtual int InitOwn() { return VKE_OK; }
    // Runs once the system dialog is complete (CDN_INITDONE), when the start succeeded.
    virtual void InitDone() {}
    // The name box gets its previous procedure back; the flags are cleared. 1 when not started.
    virtual int Term();

    // DoModal's start: the caller's name, trimmed and with the empty forms emptied, may be
    // changed in place (size bytes).
    virtual void PrepareName(char* name, int size);
    // The folder the dialog starts in when the caller gave none: the remembered open folder
    // (strOpnDir), else the current folder (strCurDir).
    virtual CString InitialDir();

    // The dialog's path, checked: -6 before the start, -9 without outputs or a size below 1.
    // An empty path (also "\\" and "\\\..."), a drive or an existing folder shows 32822 and gives
    // 32822 (untraced: the user was told); else the full path (AdjustPath may change it) is the
    // result, kept as the dialog's answer too, and *exists tells whether that file exists. Every
    // failure gives the focus back to the name box; other failures are traced.
    int SetPathName(char* path, int size, int* exists);
    // A dialog that writes: SetPathName, then 32815 answered Yes for an existing file; false
    // (the focus back in the name box) when the path is refused.
    bool CheckSavePath();
    // SetPathName's step on the full path before the drive and folder checks.
    virtual int AdjustPath(char* full, int size);

    // The path the dialog shows now (its name box in its folder), trimmed.
    CString GetDlgPath() const;
    // The name box's text; a new text.
    CString GetNameText() const;
    void SetNameText(const char* text);
    // Installs proc in front of the name box (the previous one kept for RunNameBoxProc).
    int HookNameBox(WNDPROC proc);
    // The focus back to the name box, once the current message is done.
    void FocusNameBox();
    // A message while the system dialog waits behind it (disabled, as a box of its own would
    // leave it; the program's boxes belong to the main window): the text, or the text of id
    // with path in it when given. The button pressed.
    int Box(const char* text, UINT type);
    int Box(int id, const char* path, UINT type);
    // 32815 for path with Yes and No; true on Yes.
    bool AskOverwrite(const char* path);
    // The text is empty, "\\", or begins with "\\\".
    static bool IsEmptyPath(const char* text);
    // The box of 32822; the focus back to the name box; 32822.
    int RefusePath();
    // The box of 32860 (too long); the focus back to the name box; 32860.
    int RefuseLong();
    // Every name in the name box makes a path of at most VKE_PATH_MAX bytes in the folder shown;
    // false (32860 said, the focus back in the box) when one does not.
    bool CheckNameLength();
    // The base name in the name box selected (CmnWin::SetSelFilNam), at once when the box shows,
    // else once the system dialog shows.
    void SelectName();
    static int Fail(const char* name, int code);

    int m_bInit;
    HWND m_hSysDlg;
    HWND m_hFilNam;
    CString m_strDir;       // the dialog's current folder
    std::vector<char> m_buf; // the system dialog's name buffer

private:
    int CopyResult(char* dest, DWORD size) const;
    // proc in front of wnd, the previous procedure and this dialog kept on the window; taken
    // away again while proc is still in front.
    int InstallProc(HWND wnd, WNDPROC proc);
    static void RemoveProc(HWND wnd, WNDPROC proc);
    // The previous procedure, given back to the window at WM_NCDESTROY.
    static LRESULT CallPrevProc(WNDPROC prev, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // In front of the system dialog: OK with a name too long is refused (CheckNameLength); once
    // the dialog shows, a selection of the base name asked for while it was hidden is made.
    static LRESULT CALLBACK SysDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void SelectPending();
    void UnhookNameBox();
    CString m_strInitDir;
    CString m_strChosen;        // the path SetPathName checked: the result of a dialog of one name
    WNDPROC m_pfnHook = nullptr; // the procedure installed in front of the name box
    int m_bSysHook = 0;         // SysDlgProc stands in front of the system dialog
    int m_bSelPending = 0;      // the base name is to be selected once the dialog shows
    int m_bFailed = 0;          // the start failed: nothing was chosen
};
