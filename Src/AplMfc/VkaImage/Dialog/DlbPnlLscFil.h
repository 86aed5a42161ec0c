// The file-list panel (template 102): hosts the file list (CmnLscFil.h) in place of the template's
// list view (item 1002), gives it its context menu (25089), colours and font, builds the sort
// part of both menus (its own 25080 and the list's) from the list's columns, opens the selected
// files and folders through the application's open bracket, and answers the settings-changed
// message. Return or a double click on files opens them as pages; on one folder the list itself
// reports it to the main frame. The list runs from left to right when the panel is wider than
// high.
//
// For the other panels and the options dialog (each also reachable through GetLscFil()):
//   SetList(root, list)        the main frame shows the folder the tree selected
//   SetCurPath(path, force)    selects and picks a file (0, -12 when the list holds none)
//   SetFilter(text)            the file-command panel's filter ("" shows all; folders always)
//   GetFilter()                the pattern applied
//   IsSelected(&sel, &folder)  the first selected path
//   GetCurPathName()           the path picked last
//   GetItemCount(), GetCurSel(&i), SetCurSel(i)   the automatic display's steps
//   WaitThread(0, 0)           waits for the filling to end (messages handled meanwhile)
//   IsFilling()                worker 0 still fills
//   SetPli()                   the list's state into the settings (before the options read them)
//   UpdateLscFii()             the settings into the list (after the options changed them)
//   IsPumping()                a wait of the list handles messages: the frame must not close
//   StopThreads()              the workers stopped (before the frame's windows go)
// The list sends the main frame CmnWmChgSel, CmnWmSelImg, CmnWmActImg and CmnWmOpnDir with
// wParam its window (CmnLscFil.h).
#pragma once
#include "CmnLscFil.h"
#include "DlbPnlBrw.h"

class DlbPnlLscFil : public DlbPnlBrw {
public:
    DlbPnlLscFil();
    // A window still open goes first, while this is still the panel that ends its list.
    ~DlbPnlLscFil() override;

    // The panel's start with its stored size, the list in place of item 1002, the settings into
    // it, the panel's menu (25080) with its sort part as its context menu, then InitCtl: -1
    // without item 1002, -8 when the list or a menu cannot be made.
    int Init();
    // The list's context menu (25089) and start, colours and font (window kind 0x10000002).
    int InitCtl();
    // The list ends and goes, then the panel.
    int Term() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The hosted file list; null before Init and after Term.
    CmnLscFil* GetLscFil() { return m_pLscFil; }
    int IsReady() const { return m_pLscFil && m_pLscFil->IsInit(); }

    // ---- What the shell asks (without the list: actions 1, tests 0, paths empty) ----
    int SetList(int root, LPCITEMIDLIST list);
    int SetCurPath(const char* path, int force);
    int SortList(int kind, int ascending);
    int SetListViewMode(int mode);
    int GetListViewMode();
    // The list's sort state brought into the settings first; its sort column index, -1 without
    // the list.
    int GetSortCol();
    CString IsSelected(int* selected, int* folder);
    CString GetCurPathName();
    void SetFilter(const char* text);
    CString GetFilter();
    int IsFilling();
    int IsPumping();
    void StopThreads();

    // ---- Commands ----
    // Select all (57642) and its state.
    int EditSelAll();
    int CanEditSelAll();
    // The selected files and folders in one open bracket: -12 (quiet) without a selection, else
    // the bracket's result (1 when any was declined, 3 stopped); the list gets the focus back.
    int OpenImage();
    // The first popup's first sub-menu of menu becomes the sort commands of the shown columns.
    int ShowMenu(CMenu* menu);
    // The list's state into the settings, and the file-command panel's filter when it has one.
    int SetPli();
    // The settings into the list, and their filter into the file-command panel's when it has one.
    int UpdateLscFii();

protected:
    CWnd* GetBrwCtl() override { return m_pLscFil; }
    const char* Module() const override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Return and a double click on the list: the selected files open as pages; 0 always.
    int OnKeyReturnLsc();
    int OnNmDblClkLsc();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg LRESULT OnCmnWmChgOptLsc(WPARAM wParam, LPARAM lParam);
    // Open selected folder (49158): the list's one selected folder through the open bracket.
    afx_msg void OnOpnSelDir();
    afx_msg void OnUpdateOpnSelDir(CCmdUI* pCmdUI);
    afx_msg void OnEditSelAll();
    afx_msg void OnUpdateEditSelAll(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // The list's one selected folder, else empty.
    CString SelectedFolder();
    void DeleteList();

    CmnLscFil* m_pLscFil; // owned: made by Init, gone with Term
    CMenu m_menuPnl;      // the panel's context menu (25080)
    CMenu m_menuLsc;      // the list's context menu (25089)
};
