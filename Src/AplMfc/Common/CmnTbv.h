// The tab view: a form view whose form holds one engine tab control; every tab shows a page (a
// dialog page, an engine control or a drawing area) kept in the view's page list (CmnTbvPag.h,
// records 0x40001 TbvElm and 0x40002 TbvPag). The view routes the edit and scale commands to the
// focused panel or dialog, else to the current page, runs the tab popup's commands, and carries
// the print architecture of the main window: a job or preview goes to the focused panel or
// dialog, else to the current page, else to the first visible printable panel of the frame.
//
// A derived view starts its tab control once the view exists, which makes the pages ready:
//
//   void ChildViw::OnInitialUpdate()
//   {
//       if (m_pag.bReady) return;
//       CmnTbv::OnInitialUpdate();
//       Init(0, 1);
//       StartTab(IDC_TAB, m_menu.GetSubMenu(0) ..., 0, 1);
//       MoveTab(client);
//   }
//
// Life cycle: constructed -> Init -> pages ready (the derived view) -> WM_DESTROY runs Term.
#pragma once
#include "CmnTbvPag.h"

// The settings section of the frame's bar state, kept around a print preview.
#define CMN_BAR_SECTION "Application Bar Information"

class CmnTbv : public CFormView, public CmnTbvOpr {
    DECLARE_DYNAMIC(CmnTbv)

public:
    // Remembers the focused window when it is the tab control or a visible, enabled child of the
    // current page, else the current page's own window when it is visible and enabled; 1 when it
    // remembered one.
    virtual int SaveFocus();
    // A fresh page list with the two options (each 0 or 1, else -9); -7 when initialised.
    virtual int Init(int freeIdx, int lockOpt);
    // Closes and deletes every page, frees the tab control; the view is no longer initialised.
    virtual int Term();
    int IsInit() const { return m_bInit; }

    // ---- Elements of the page list ----
    virtual int SchTbvElm(int index, TbvElm** out) { return SchElm(index, out); }
    virtual int SchTbvElmByKey(void* page, TbvElm** out) { return SchElmByKey(page, out); }
    // -9 for the image pages' type, which several pages share.
    virtual int SchTbvElmByTyp(int type, TbvElm** out) { return SchElmByTyp(type, out); }
    virtual int SchTbvElmByNo(int no, TbvElm** out) { return SchElmByNo(no, out); }
    virtual int SchTbvElmByHdl(HWND wnd, TbvElm** out) { return SchElmByHdl(wnd, out); }
    virtual int SchCurTbvElm(TbvElm** out) { return SchCurElm(out); }
    virtual int SchRbcTbvElm(TbvElm** out) { return SchRbcElm(out); }

    // ---- Printing ----
    // 1 when a print target is found: the focused panel or dialog that has something to print,
    // else the current page, else the first visible panel of the frame's bar table that has.
    virtual int IsPrintable();
    // 1: the document's title becomes its part after the last backslash (the file name the
    // print header shows) and the title is kept; 0: the kept title comes back. -7 without a
    // document.
    virtual int SetPrintingMode(int mode);
    // A panel's print, preview or page set-up button records, as it takes the focus, the window
    // its command addresses and that window's control to give the focus back to: kept when the
    // pages are ready, nothing is kept yet and the window has something to print. 0 kept, 1 not.
    virtual int SetPrintTarget(CWnd* target, HWND focus);
    // Forgets such a kept target while no print command or preview runs (the button lost the
    // focus without running its command). 1 when nothing was forgotten.
    virtual int ForgetPrintTarget();
    CWnd* GetPrintTarget() const { return m_pag.pPrtTgt; }

    // ---- Settings ----
    // The engine's state colours and the tab control's colours and font from the settings, each
    // only where it differs; then the view is redrawn.
    virtual int UpdateColor();

    void OnInitialUpdate() override;
    // A job or preview goes to the print target; the marks of the engine follow it.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // The frame's bars and placement as they were before the preview, the focus given back.
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) override;

protected:
    explicit CmnTbv(UINT nIDTemplate);

    // The tab control's selection notices reach OnTcnSelChanging and OnTcnSelChange after the
    // default handling; their answer is the message's.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The focused dialog, or the focused panel while a text box or drawing area of it has the
    // keyboard (CmnWin::IsExistEdtDlg), else the current page.
    CWnd* CmdTarget() override;

    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnCmnWmChgOpt(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnTargetCmd(UINT nID);
    afx_msg void OnUpdateTargetCmd(CCmdUI* pCmdUI);
    // Select all in the text box that has the keyboard; elsewhere it goes on along the route.
    afx_msg BOOL OnEditSelAll(UINT nID);
    afx_msg void OnUpdateEditSelAll(CCmdUI* pCmdUI);
    afx_msg BOOL OnTabCmd(UINT nID);
    afx_msg void OnUpdateTabCmd(CCmdUI* pCmdUI);
    // Print, print direct and preview: the target found, marked printing, the title swapped for
    // the job; the framework's job or preview, then everything back.
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();
    // The page set-up of the application's printer and the settings' margins (0.01 mm).
    afx_msg void OnFilePageSetup();
    afx_msg void OnUpdatePrintCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    // The marks cleared, the target forgotten and the focus given back.
    void EndPrintJob();
    void ClearPrintMarks();

    int m_bInit;
    CString m_strTitle; // the document's title while the printing mode shows the file name
    int m_bTitleKept;

private:
    CWnd* FindPrintTarget();
    CmnDlgOpr* PrintTarget();
    // The target kept (a new one found unless the preview's is kept), the printing mark and the
    // title; false, with everything back, when there is no target.
    bool BeginPrintJob();

    WINDOWPLACEMENT m_wpPreview; // the frame before the preview; length 0 when none
    int m_iPrtCmd = 0;           // a print, preview or page set-up command runs
};
