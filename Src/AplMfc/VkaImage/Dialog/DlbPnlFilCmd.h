// The file-command panel (template 104): 25 engine controls, from top to bottom the four buttons
// that post the main frame's commands 49160, 49158, 49405 and 49404; the automatic display
// (interval, stop, over the file list, over the tab pages, run on a folder selection, repeat);
// the file places, the folder history or the favourites (VkaPthLst.h) with run, add, change and
// delete; the file-type filter of the file list; the external tools with run, add, change and
// delete. Its lists and switches are the application's settings (PciAii_, PciFpi_, PciEti_),
// edited in place.
//
// The place and tool combos show each path's last name and keep the path; a text typed or
// chosen is the path of the line it equals, else the path as typed. Every engine control runs
// behind GF_DlbPnlFilCmdWndPrcBtn, which offers its messages to the panel first (CmnWmRfl).
//
// The automatic display shows the next item of the file list (mode 2) or the next tab page
// (mode 3) each PciAii_iPerInd milliseconds (timer 1); it ends after one pass unless
// PciAii_bRepeat, when the focus left the list or the page, on the stop button, on any folder
// selection in the tree and on Escape (StopAutInd, from the application's message filter).
#pragma once
#include "DlbPnl.h"

class DlbPnlFilCmd : public DlbPnl {
public:
    // Engine controls by their slot (the table of the panel's controls).
    enum {
        SlotPerLbl, SlotPerUnt, SlotPerInd, SlotOpnImg, SlotOpnDir, SlotLocate, SlotRefresh, SlotStop,
        SlotAutLst, SlotAutTab, SlotPlaRun, SlotPlaAdd, SlotPlaChg, SlotPlaDel, SlotTolRun, SlotTolAdd,
        SlotTolChg, SlotTolDel, SlotRunSel, SlotRepeat, SlotHistory, SlotFavorite, SlotPlace, SlotFilter,
        SlotTool, SlotCnt
    };
    enum { TimerAutInd = 1 };

    DlbPnlFilCmd();
    // A window still open goes first, while this is still the panel that ends its timer.
    ~DlbPnlFilCmd() override;

    // The panel's start with its stored size, menu 25082, the controls, the three combos, then
    // the stored filter (SetFilter without notice).
    int Init();
    // Stops the display, then the panel's end.
    int Term() override;
    // Return on a control runs its command (the place combo its place, the tool combo its tool).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The controls keep the template's places.
    void MoveCtl() override {}
    // Interval (32852 below 1; the setting kept), check boxes and radios into the settings, the
    // filter combo's text through SetFilter.
    int GetData(VkiCtl* ctl, void* data, int mode) override;

    // ---- The file-list panel asks ----
    int HasFilter() { return m_inf.bReady; }
    CString GetFlt() { return m_amFilter; }

    // ---- Filter ----
    // The file types' descriptions (the default filter is the engine's "すべての画像ファイル"), the
    // first selected.
    int SetCmbFlt();
    // File type n (from 1): its pattern to the file list, its name the filter text; any other n
    // an empty free filter. notify 1: the combo shows the text as an undo step.
    int SelectFlt(int n, int notify);
    // A free filter text (trimmed): stored, shown, applied to the file list. The same text again
    // does nothing (1).
    int SetFlt(const char* text, int notify);
    // A file type's name selects the type, any other text is a free filter; null -9.
    int SetFilter(const char* text, int notify);

    // ---- Places and tools ----
    // The combo refilled from the shown folder list (PciFpi_iMode) or the tools (line 0 the
    // default tool), the selected entry shown.
    int SetCmbFilPla();
    int SetCmbExtTol();
    // The path a combo's text names: the path of the line equal to it, else the text; -12 (and
    // its message, the focus back) for an empty text. *line: the list's entry, -1 when none.
    int GetCmbPath(int slot, CString* path, int* entry);
    // The combo's line equal to text byte for byte, -1 when none.
    int ExactLine(int slot, const char* text);
    int RemoveCmbEntry(class VkaPthLst* list, int slot);
    // A relative place (no backslash) on its base: the folder tree's folder, else strOpnDir, else
    // strCurDir, joined by one backslash.
    static CString ResolvePlace(const char* text, const char* tree);
    int RunFilPla();
    int AddFilPla();
    int ChgFilPla();
    int DelFilPla();
    int RunExtTol();
    int AddExtTol();
    int ChgExtTol();
    int DelExtTol();
    // The image path a tool is run on: the origin (preview panel or image page), else the tab
    // view's current image page, else the shown preview panel's image.
    CString GetToolImage();

    // ---- Automatic display ----
    // Mode 2 the file list, 3 the tab pages: 0 started (or one item shown), 1 nothing to show
    // or an interval the box refuses (32852 said, the focus in the box), -6 before the start,
    // -9 another mode, -7 while running.
    int AutInd(int mode);
    // Kind 1: the running timer killed and the state cleared; a non-zero elapse sets timer 1.
    int SetTimerDlbPnlFilCmd(int kind, UINT elapse);
    int GetAutIndFlag(int* out);
    int StopAutInd();
    int StopAutoDisplay() { return StopAutInd(); }
    // One step of the display (the timer's handler).
    void StepAutInd();
    // The interval the box holds taken into the settings; false (32852 said, the focus in the
    // box) when the box holds none it accepts.
    bool TakePeriod();

    // The slot's control and window.
    VkiCtl* Ctl(int slot) const { return m_inf.ppCtl ? m_inf.ppCtl[slot] : nullptr; }
    HWND CtlWnd(int slot) const { return m_inf.phCtlWnd ? m_inf.phCtlWnd[slot] : nullptr; }

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnCmnWmRfl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVkeWmSetChk(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCmnWmChgSel(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnFrameCmd(UINT nID);
    afx_msg void OnUpdateFrameCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnPanelCmd(UINT nID);
    afx_msg void OnUpdatePanelCmd(CCmdUI* pCmdUI);
    afx_msg void OnSelChangeCmb(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK GF_DlbPnlFilCmdWndPrcBtn(HWND, UINT, WPARAM, LPARAM);
    // Traces code under the panel's source and name; returns code.
    static int Fail(const char* name, int code);
    // The file list of the shown file-list panel, else null.
    static class CmnLscFil* VisibleFileList();
    int InitCtl();
    // Fills a combo: line 0 first when given, then each entry's last name; entry index shown.
    void FillCombo(int slot, const char* first, class VkaPthLst& list, int offset);
    // Line line of the combo in slot into out (size bytes); empty when none or too long.
    void LineText(int slot, int line, char* out, int size);
    // Shows a combo's line (its text the line's; -1 empty), as an undo step of the combo when
    // undo is 1.
    void ShowLine(int slot, int line, int undo = 0);
    int ShownList() const;
    int RunPanelCmd(UINT id);
    int IsPanelCmdEnabled(UINT id);
    // The running display's next step; false ends it.
    bool StepList();
    bool StepPages();
    int ShowPage(int index);

    // The procedure a control's window had before the panel's (null when the window is none of
    // the panel's controls).
    WNDPROC PrevProc(HWND wnd) const;

    int m_bInit;
    char m_amFilter[1024];
    int m_bTimer;
    UINT_PTR m_uTimer;
    HWND m_hOrgWnd; // the panel or dialog whose control had the focus before the run-tool button
    HWND m_hOrgCtl; // that control
    CMenu m_menuPnl;
    WNDPROC m_pfnPrev[SlotCnt]; // each control's procedure before the panel's
};

// The window procedure of the panel's engine controls: every message goes to the panel first as
// CmnWmRfl (wParam the control, lParam a MSG); a non-zero answer is its result.
LRESULT CALLBACK GF_DlbPnlFilCmdWndPrcBtn(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
