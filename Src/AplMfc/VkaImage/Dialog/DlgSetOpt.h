// The options dialog ("オプション設定", template 106): a modeless tab dialog whose pages edit the
// settings, basic (DlgSopBsi), panel (DlgSopPni) and display (DlgSopShi). The application makes
// it hidden at start-up and shows it with the options command (HalcorApp::ShowSetOptDlg); Close
// only hides it. OK and Apply check the pages, copy them into the settings (GetSoi), make sure
// the user directory exists (CreateDir) and tell every window that the options changed
// (CmnWmChgOpt through the application's SendMessageToDescendants); both are enabled only
// while the dialog is modified.
//
//   m_pDlgSetOpt = new DlgSetOpt;
//   m_pDlgSetOpt->Create(IDD_DLGSETOPT, pFrame);   // hidden, without its pages
//   m_pDlgSetOpt->OpenPages();                     // once the start is over, or before showing
//   ...
//   m_pDlgSetOpt->ShowWindow(SW_RESTORE); m_pDlgSetOpt->ResetForShow();
#pragma once
#include "CmnDlt.h"

class DlgSop;

// The page types, in tab order; the save settings (4) have no page.
enum {
    SopTypBsi = 0x1000001,
    SopTypPni = 0x1000002,
    SopTypShi = 0x1000003,
    SopTypSvi = 0x1000004
};

class DlgSetOpt : public CmnDlt {
    DECLARE_DYNAMIC(DlgSetOpt)

public:
    DlgSetOpt();

    // Init, then the layout; a failure shows 27576 and ends the dialog with 3.
    BOOL OnInitDialog() override;
    using CmnDlt::Init;
    // The tab dialog's start (6 controls, lock-aware), the tab control and the buttons
    // (InitCtl (0, 1)) and their sizes; OK and Apply start disabled.
    virtual int Init();
    // The three pages, each made once, in tab order: 0 when they stand; else the first failure,
    // told with 27576, and the dialog is no longer ready.
    int OpenPages();
    // The tab control with its context menu (options a and b, 0 or 1, else -9) and the six
    // engine buttons.
    virtual int InitCtl(int a, int b);
    // Makes the page of the type (its object, its window on the tab control, its tab): -6 not
    // ready, -9 another type, a page already made, or the save settings.
    using CmnTbvOpr::OpenPage;
    virtual int OpenPage(int type);
    // Every page's values into the settings, in tab order.
    virtual int GetSoi();
    // Every page shows the settings again, in tab order.
    virtual int InitData();
    // The user directory and its "Dat" made: 0 ready (also for an empty path), 1 one could not
    // be made (message 32835 shown), -1 the path names something that is no directory, -6 not
    // ready.
    virtual int CreateDir();
    // OK and Apply enabled exactly while the dialog is modified.
    void OnChgFlag() override;
    // A showing after the dialog was hidden: the settings shown again, no error, nothing
    // modified, the focus on the current page.
    int ResetForShow();
    // The page of the type, null while it is not open.
    DlgSop* GetSopPage(int type);

    // Close hides the dialog.
    void OnCancel() override;
    // Escape on the tab strip closes the dialog as from any other control: the strip takes
    // every key for its paging, so the dialog's own handling never sees it.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Checks every page; when modified, the settings, the user directory and the notice; then
    // hides the dialog. Nothing while OK is disabled.
    void OnOK() override;

protected:
    // Menu 131: the edit commands and the pages.
    UINT DlgMenuId() const override;
    // The six buttons in the order of their sizes: OK, Close, Apply, start-up, initial, latest.
    enum { BtnOk, BtnClose, BtnApply, BtnRunVal, BtnIniVal, BtnNewVal, BtnCnt };
    // The settings changed: the notice to the main window, its descendants and the windows it
    // owns.
    void SendChgOpt();
    // The basic page in front with the focus on its user directory (the message first for -1).
    void ShowUsrDir(int rc);
    // The pages' values copied, the directory made, the notice sent: 0, else CreateDir's result.
    int ApplyChanges();
    // The operation on every page in tab order: the first failure (traced under name), else 0.
    int ForEachPage(const char* name, int (DlgSop::*op)());
    // The tab control above a row of the buttons.
    void LayOut(int cx, int cy);
    // The current page's values: start-up (copy 1) or initial (copy 0).
    void LoadCurPage(bool initial);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnApply();
    afx_msg void OnRunVal();
    afx_msg void OnIniVal();
    afx_msg void OnNewVal();
    afx_msg void OnTabOpnSop(UINT nID);
    // The settings again, the tab control's too.
    afx_msg LRESULT OnChgOpt(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_iWidthBtn[BtnCnt];
    int m_iHeightBtn[BtnCnt];
};
