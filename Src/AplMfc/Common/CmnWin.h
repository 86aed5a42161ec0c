// The main-frame services (one process-wide object, theCmnWin): the frame's control bars (show,
// hide, dock, float, redraw, geometry and style), its status bar panes, the item states of a
// popup menu of a window that is not the frame, the panel or dialog that holds the focus, and
// the base name selected in a file dialog's name box. They work on the application's main frame
// and fail with -7 (traced) while there is none; a null argument is -9 traced and gives the
// neutral answer (an empty rectangle, size or text, 0).
//
// The bar table holds the frame's bars by the program's panel index (0 tool bar, 1 status bar,
// then the panels); the frame fills it and the default window rectangle sums its bars.
//
//   theCmnWin.Init(7);
//   theCmnWin.SetBar(1, &m_wndStatusBar);
//   theCmnWin.SetStatusBar(&m_wndStatusBar);
//   theCmnWin.SetStatusBarTxtById("準備完了");
#pragma once
#include "Mfc.h"

class CmnWin : public CObject {
public:
    CmnWin() = default;
    ~CmnWin() override;

    // ---- The bar table ----
    // count slots, all empty; -8 when memory runs out, -7 while a table exists.
    virtual int Init(int count);
    // Frees the table; count 0, no status bar.
    virtual void Term();
    // -9 for an index outside the table.
    virtual int SetBar(int index, CControlBar* pBar);
    // The bar of a slot, null when empty or outside the table.
    virtual CControlBar* GetBar(int index);
    virtual int GetBarCount() { return m_nBarCnt; }

    // Runs pTarget's update handlers for every command item of the popup and, recursively, of
    // its sub-menus; items without a handler are left as they are. A handler may add or remove
    // items: no item is skipped or updated twice.
    virtual int UpdateMenu(CCmdTarget* pTarget, CMenu* pPopup, CMenu* pParent);

    // ---- Bars ----
    // The bar's window rectangle in its parent's client coordinates.
    virtual CRect GetBarRect(CControlBar* pBar);
    // Its fixed layout: horizontal when aligned at the top or bottom, stretched when not docked.
    virtual CSize GetBarSize(CControlBar* pBar);
    virtual DWORD GetBarStyle(CControlBar* pBar);
    virtual int SetBarStyle(CControlBar* pBar, DWORD style);
    virtual int IsBarVisible(CControlBar* pBar);
    virtual int IsBarFloating(CControlBar* pBar);
    // Shown (then redrawn and enabled) / disabled and hidden, each at the frame's next layout.
    virtual int ShowBar(CControlBar* pBar);
    virtual int HideBar(CControlBar* pBar);
    virtual int DockBar(CControlBar* pBar, UINT dockBarId, LPCRECT pRect);
    // Floats the bar where it is now (its floating frame's or its own top-left corner).
    virtual int FloatBar(CControlBar* pBar);
    // Floats it with its window's top-left corner at point (screen), keeping its alignment.
    virtual int FloatBar(CControlBar* pBar, CPoint point);
    // Lays the frame out again (delayed shows and hides take effect).
    virtual int HideBar();
    // Floats a floating bar again at its place, lays the frame out and repaints the bar whole.
    virtual int RedrawBar(CControlBar* pBar);

    // ---- Status bar ----
    // Keeps the frame's status bar; its pane of id 0 stretches.
    virtual int SetStatusBar(CStatusBar* pStatusBar);
    virtual CStatusBar* GetStatusBar() { return m_pStatusBar; }
    virtual int SetStatusBarPniById(UINT id, UINT newId, UINT style, int width);
    virtual int SetStatusBarPniById(UINT style, int width);
    virtual int GetStatusBarPniById(UINT id, UINT* newId, UINT* style, int* width);
    virtual int GetStatusBarPniById(UINT* style, int* width);
    virtual int SetStatusBarTxtById(UINT id, LPCSTR text);
    virtual int SetStatusBarTxtById(LPCSTR text);
    // "" without a status bar or pane.
    virtual CString GetStatusBarTxtById(UINT id);
    virtual CString GetStatusBarTxtById();

    // ---- Frame and focus ----
    // The frame's client rectangle and the window rectangle of its view (0xE900) in it.
    virtual int GetRealClientRect(RECT* pClient, RECT* pPane);
    // The focused window (a combo box for the focus in its edit); *ppWnd the panel or dialog
    // (CmnDlg, CmnDlb) that is its direct parent and *pFound 1, else null and 0. Only a panel or
    // dialog that still exists is found (CmnDlgOpr::FromWindow): the window maps may name an
    // object that has gone.
    virtual HWND IsExistFcsDlg(CWnd** ppWnd, int* pFound);
    // The focused panel or dialog that takes the frame's edit and scale commands itself: a
    // dialog always, a panel only while the keyboard is on one of its text boxes or drawing
    // areas. The focus window; *ppWnd the window and *pFound 1, else null and 0 (the commands go
    // to the current page).
    virtual HWND IsExistEdtDlg(CWnd** ppWnd, int* pFound);
    // 1 when wnd is a text box: an edit box (the window of a dialog's or panel's drawing area
    // is none), a combo box or the edit of a combo box; else 0.
    virtual int IsTextBox(HWND wnd);
    // In a text box, selects its whole text: 1; 0 for any other window.
    virtual int SelectAllText(HWND wnd);
    // In a visible name box holding one name, selects it without its extension (the whole name
    // when it has none) after the focus reaches the box; a list of quoted names stays as it is.
    virtual int SetSelFilNam(HWND edit);

    // ---- Waits that keep the thread's windows alive ----
    // Waits until one of the handles is signalled (or the wait fails), handling the calling
    // thread's messages meanwhile, one at a time with *pumping 1 around each, but none while a
    // CmnWmBusyClose waits at the head of the queue (a close waits for the end of the wait);
    // messages other threads send are answered all the same. A quit message met is posted
    // again at once, and from then on only sent messages are answered.
    static void WaitPumping(const HANDLE* handles, int count, int* pumping);

protected:
    // The main frame while its window exists; -7 traced under name when there is none.
    CFrameWnd* Frame(const char* name);
    // The status bar's index of the pane with id; -7 / -12 traced under name.
    int PaneIndex(const char* name, UINT id);

    int m_nBarCnt = 0;
    CControlBar** m_ppBar = nullptr;
    CStatusBar* m_pStatusBar = nullptr;
};

extern CmnWin theCmnWin;
