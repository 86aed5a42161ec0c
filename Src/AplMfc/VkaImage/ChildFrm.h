// The main frame: the tool bar, the status bar with the page pane and the five docked panels
// around the image tab view. Its creation starts the application (HalcorApp::Init) and then
// itself (Init); it takes the engine's error reports, the deferred start-up, focus and message
// requests and the choices the folder tree and the file list report, keeps the focus inside a
// panel across deactivation, and at exit saves the tool-bar layout, the panels' sizes, its
// rectangle and the bar state (SaveState, from ChildDoc::CanCloseFrame).
//
// The frame-window service's table (theCmnWin) and the application's panel table hold its bars in
// the order 0 tool bar, 1 status bar, 2 folder tree, 3 file list, 4 preview, 5 file commands,
// 6 operations.
#pragma once
#include "CmnTlb.h"
#include "DlbPnlFilCmd.h"
#include "DlbPnlLscFil.h"
#include "DlbPnlOpr.h"
#include "DlbPnlPrv.h"
#include "DlbPnlTrcFld.h"
#include "Mfc.h"

enum {
    VkaBarTlb = 0, // the frame's bars by their place in the bar tables
    VkaBarSts = 1,
    VkaBarTrcFld = 2,
    VkaBarLscFil = 3,
    VkaBarPrv = 4,
    VkaBarFilCmd = 5,
    VkaBarOpr = 6,
    VkaBarCnt = 7
};

// The section of the settings file that keeps the bar state.
extern const char kVkaBarSection[];

class ChildFrm : public CFrameWnd {
    DECLARE_DYNCREATE(ChildFrm)

public:
    ~ChildFrm() override;

    // ---- Start and end ----
    // The tool-bar layouts (the default list and the saved one), the status bar's panes, the
    // panels' Init, the preview panel hidden unless it is in use. The initialised flag last.
    int Init();
    // Stops the progress thread and the file list's workers, stores the tool-bar layout, the panels' sizes, the current
    // folder, the frame's and the options dialog's rectangles and the bar state; the frame is
    // no longer the application's.
    int SaveState();
    int IsInit() const { return m_bInit; }

    // The framework's layout; once initialised, the panels fit their inner windows again.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // With pages the document's title joins the application's; without, the status panes are
    // emptied and the title is the application's name alone.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // Remembers the focused control when it is a visible, enabled child of a panel; 1 then.
    int SaveFocus();

    // ---- Bars ----
    CmnTlb& GetToolBar() { return m_wndToolBar; }
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    DlbPnlTrcFld& GetPnlTrcFld() { return m_wndPnlTrcFld; }
    DlbPnlLscFil& GetPnlLscFil() { return m_wndPnlLscFil; }
    DlbPnlPrv& GetPnlPrv() { return m_wndPnlPrv; }
    DlbPnlFilCmd& GetPnlFilCmd() { return m_wndPnlFilCmd; }
    DlbPnlOpr& GetPnlOpr() { return m_wndPnlOpr; }
    // The panel of a bar-table index 2 to 6, else null.
    CmnDlb* GetPanel(int index);

    // The pending error report ("" when none); kept for the log until CmnWmLogError.
    static const char* GetPendingReport();

protected:
    ChildFrm();
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg LRESULT OnTraceError(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitApp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFcs(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLogError(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgFcs(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChgSel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpnDir(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReqOpnDir(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelImg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReqOpnImg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActImg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CmnTlb m_wndToolBar;
    CStatusBar m_wndStatusBar;
    DlbPnlTrcFld m_wndPnlTrcFld;
    DlbPnlLscFil m_wndPnlLscFil;
    DlbPnlPrv m_wndPnlPrv;
    DlbPnlFilCmd m_wndPnlFilCmd;
    DlbPnlOpr m_wndPnlOpr;
    // Tool-bar layouts: the default list, the one saved by the last run, one the frame does not
    // use, and the one fetched at exit.
    Bri m_briDfl;
    Bri m_briSav;
    Bri m_briNon;
    Bri m_briEnd;
    int m_bInit;
    HWND m_hWndFcs; // the control that had the focus when the frame was left

private:
    int CreateBars();
    void DockBars();
    int InitToolBar();
    int InitStatusBar();
    // The window the focus is given to when it still exists (by the engine once it exists).
    static BOOL FocusIfAlive(HWND wnd);
    // The panel whose control sent a message, or null (a stranger); 0 for a missing argument.
    bool IsSender(WPARAM sender, CWnd* control) const;
};
