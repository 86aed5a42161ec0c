// The operation panel (template 105): the cut-frame and print settings of the current image page
// in 31 engine controls. It always shows the application's values (theAppInf.poi); a change goes
// to the current image page when there is one (the page keeps its copy and hands it back), else
// straight into the application's values, which the next page opened takes.
//
//   DlbPnlOpr& opr = frame->GetPnlOpr();
//   opr.Init();                  // once the engine exists (the main frame's start)
//   opr.SetFrmMod(2, 0);         // fixed size: to the page, or to the application's values
//   opr.SetData(-1, 0);          // the page's echo: every control shows the values again
//
// Setters: -6 before Init; an unchanged value answers 0 and does nothing; -9 for a value out of
// range; a page's failure is traced and returned. Getters: -6 (quiet) before Init. notify 1 records the controls' change as an
// edit step (a change the user made).
#pragma once
#include "DlbPnl.h"

class DlgImg;

// The panel's controls by number (their slots), as SetData takes them.
enum {
    OprCtlLblWidth = 0,
    OprCtlLblHeight = 1,
    OprCtlLblFit = 2,
    OprCtlWidth = 3,
    OprCtlHeight = 4,
    OprCtlHeader = 5,
    OprCtlFooter = 6,
    OprCtlCut = 7,
    OprCtlPrint = 8,
    OprCtlPrtAll = 9,
    OprCtlSetAll = 10,
    OprCtlPreview = 11,
    OprCtlSetup = 12,
    OprCtlFntHdr = 13,
    OprCtlFntFtr = 14,
    OprCtlShwFrm = 15,
    OprCtlPagSet = 16,
    OprCtlClbMon = 17,
    OprCtlOmtDlg = 18,
    OprCtlHdrOn = 19,
    OprCtlFtrOn = 20,
    OprCtlModFree = 21, // 21 to 23: the frame mode 1 to 3
    OprCtlModRatio = 23,
    OprCtlHrz = 24,     // the width leads
    OprCtlVrt = 25,
    OprCtlOriCur = 26,  // 26 to 29: the orientation setting 1 to 4
    OprCtlLandscape = 28,
    OprCtlPortrait = 29,
    OprCtlFit = 30,     // the page fitting, the print mode 1 to 6
    OprCtlCnt = 31
};

class DlbPnlOpr : public DlbPnl {
public:
    DlbPnlOpr();
    // A window still open goes first, while this is still the panel that ends its controls.
    ~DlbPnlOpr() override;

    // The panel with its 31 controls (InitCtl), its menu (25083) and the page fitting's lines;
    // the enable states; ready last. A failure is traced and returned.
    int Init();
    // The engine controls in slot order behind GF_DlbPnlOprWndPrcBtn, showing the application's
    // values; edits take menu 25085.
    int InitCtl();
    // Enter on a focused button of the panel runs the button.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // A font button's tip is the face of its font; other controls as the panel base.
    BOOL OnTtnNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult) override;

    // The view's current page when the main frame's active view is the image tab view and the
    // page is an image page, else null.
    DlgImg* GetDlgImg();

    // ---- The settings (DlbPnlOprSet.cpp) ----
    // 1 free size, 2 fixed size, 3 fixed ratio. Fixed ratio with the page-set values pins an
    // orientation "現在値" or "自動" to the printer's (27591 and landscape when it cannot be
    // read: 1, or the read's failure with the mode stored all the same). Fixed size, and fixed
    // ratio without the page-set values, post the focus to the width edit.
    int SetFrmMod(int mode, int notify);
    int GetFrmMod();
    int SetShwFrmFlag(int flag, int notify);
    int GetShwFrmFlag();
    // The fixed ratio follows the page set-up's printable area (pinning as SetFrmMod does).
    int SetPagSetFlag(int flag, int notify);
    int GetPagSetFlag();
    // Without a page the view's clipboard monitor switches (-7 without the view).
    int SetClbMonFlag(int flag, int notify);
    int SetOmtDlgPrtFlag(int flag, int notify);
    // 1 the width leads the fixed ratio, 0 the height.
    int SetHrzScaFlag(int flag, int notify);
    int GetHrzScaFlag();
    // The fixed size or ratio; both at least 1.
    int SetFrmSiz(int width, int height, int notify);
    // The page fitting 1 to 6.
    int SetPrtMod(int mode, int notify);
    int SetPrtHdrFlag(int flag, int notify);
    // A font text (-9 when it is no font).
    int SetPrtHdrFnt(const char* font, int notify);
    // Cut to 1023 bytes on a character boundary (-13, the cut text stored).
    int SetPrtHdrStr(const char* text, int notify);
    int SetPrtFtrFlag(int flag, int notify);
    int SetPrtFtrFnt(const char* font, int notify);
    int SetPrtFtrStr(const char* text, int notify);
    // 1 the printer's, 2 the larger print, 3 landscape, 4 portrait; 3 and 4 turn the printer
    // (27590 and the failure when it cannot; the value is stored all the same).
    int SetPrtOriFlag(int orientation, int notify);
    int GetPrtOriFlag();

    // ---- Controls and values (DlbPnlOpr.cpp) ----
    // The application's values into control index (3 to 30), or with -1 into controls 3 to 30
    // but the one being changed (each only when it does not show its value already); then the
    // enable states. -6 (quiet) before Init, -9 for another index.
    int SetData(int index, int notify);
    // Every control's value through its setter (GetData of all controls) while the focus is in
    // the panel; nothing otherwise (a control takes its value as the focus leaves it).
    int ReadCtlData();
    // The data check of every control (ctl null) or of one, each value the user changed taken
    // through its setter (notify 1): widths and heights below 1 are errors 32837 and 32838 and
    // change nothing; radio buttons count when on; the page fitting is its line + 1.
    int GetData(VkiCtl* ctl, void* data, int mode) override;
    // The enable states of the frame mode's dependents and of the header's and footer's font and
    // text.
    int EnableCtl();
    // The control being changed (its setter runs), -1 none.
    int GetCtlChg() const { return m_iCtlChg; }

protected:
    afx_msg LRESULT OnCmnWmRfl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVkeWmSetChk(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCut();
    afx_msg void OnUpdateCut(CCmdUI* pCmdUI);
    // Print, preview and page set-up run the frame's commands; print all and page set-up for all
    // images send 49155 and 49156 to the frame; each as enabled as the frame's command.
    afx_msg BOOL OnFrameCmd(UINT nID);
    afx_msg void OnUpdateFrameCmd(CCmdUI* pCmdUI);
    // The font dialog of a font button; the chosen font goes to the header's or footer's setter.
    afx_msg BOOL OnFontBtn(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK GF_DlbPnlOprWndPrcBtn(HWND, UINT, WPARAM, LPARAM);
    // The value of one control as the application holds it.
    CString ValueOf(int slot);
    // Writes one control (a radio group's "1" on the member of the value), unless it shows that
    // value already: it still shows what was written last and nothing could have changed it since.
    void WriteCtl(int slot, int notify);
    // The value a control (a radio group: its member that is on) is written with.
    CString ShownKey(int slot);
    // The control's value may no longer be what was written last (input, a value put in).
    void ForgetShown(int slot);
    // Takes one control's value through its setter; false when it is not valid.
    bool ApplyCtl(int slot);
    // The setter of a check box or radio button the user changed.
    void OnCheck(int slot, int state);
    // A print setting's setter: unchanged 0, refused -9 (traced), else stored by put (on the
    // page or in the application's values) and shown in control slot.
    int SetPrt(const char* name, bool same, bool valid, int slot, int notify, const std::function<int(DlgImg*)>& put);
    // The orientation of the printer as the setting 3 or 4, pinned when the fixed ratio follows
    // the page set-up and the setting is 1 or 2: 0, 1 assumed, or the read's failure.
    int PinOrientation(int notify);
    // After the frame mode or page-set flag changed: the controls, enable states, and the focus
    // to the width edit or the page redrawn.
    void AfterFrameSetting(int notify);
    // A page's redraw when its frame is shown.
    void RedrawFramed(DlgImg* page);
    WNDPROC PrevProc(HWND wnd) const;

    int m_iCtlChg;                 // the control being changed, -1 none
    WNDPROC m_pfnPrev[OprCtlCnt];  // each control's procedure before the panel's
    // What each control (a radio group: its first member) was written with last, while it is
    // known to show it still.
    CString m_strShown[OprCtlCnt];
    int m_bShown[OprCtlCnt];
};

// The window procedure of the panel's engine controls: every message goes to the panel first as
// CmnWmRfl (wParam the control, lParam a MSG); a non-zero answer is its result.
LRESULT CALLBACK GF_DlbPnlOprWndPrcBtn(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
