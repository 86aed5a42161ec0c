// Base of the bars a frame lays out around its pane: tool bars, status bars, dialog bars,
// rebars and the frame's own dock bars. A bar keeps its CBRS_ styles in m_dwStyle, apart from
// its window style; it docks in a dock bar of its frame or floats in a small frame of its own,
// takes its item states from the frame's update handlers at idle, and passes the commands and
// notifications it does not handle on to that frame.
//
// Layout lengths: CalcDynamicLayout's nLength is the length inside the bar (CalcInsideRect);
// every size a bar returns is its whole window.
#pragma once
#include "CWnd.h"

class CDockBar;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)

public:
    CControlBar();
    // Destroys the window while the object is still a bar, so that it leaves its frame.
    ~CControlBar() override;

    DWORD m_dwStyle;         // CBRS_ styles
    DWORD m_dwDockStyle;     // sides it may dock on (CBRS_ALIGN_ bits); 0: it never docks
    CFrameWnd* m_pDockSite;  // the frame it belongs to (set when the window is created)
    CDockBar* m_pDockBar;    // the dock bar that holds it, a floating frame's when floating
    int m_nMRUWidth;         // inside width of the floating layout last committed
    BOOL m_bAutoDelete;      // the object deletes itself after its window
    int m_cxLeftBorder, m_cxRightBorder, m_cyTopBorder, m_cyBottomBorder;
    // The least size the bar shows its contents whole at (0: any): a frame too small for its
    // docked bars narrows those that can give way first.
    CSize m_sizeLeast;

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle);
    void SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom);
    // The sides the bar may dock on; docking the bar needs the frame's EnableDocking too.
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsFloating() const;
    // Shown, counting a change of ShowControlBar that waits for the next layout.
    BOOL IsVisible() const;
    // Laid out as a row (docked or aligned at the top or bottom, or floating horizontally).
    BOOL IsHorzBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    virtual BOOL IsDockBar() const { return FALSE; }
    // The frame the bar sits in: its floating frame when it floats.
    CFrameWnd* GetDockingFrame() const;

    // Deflates a rectangle of the bar's window to the part inside its borders: 2 pixels for
    // each CBRS_BORDER_ side, the borders of SetBorders, and the 7-pixel gripper strip (left of
    // a horizontal bar, above a vertical one) while it is docked with CBRS_GRIPPER.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // The size of the whole bar; bStretch: as long as the side it lies on (32767).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The size for a layout mode (LM_): the frame asks (-1, LM_HORZ | LM_HORZDOCK) docked at the
    // top or bottom, (-1, LM_VERTDOCK) at the left or right, (-1, LM_HORZ | LM_MRUWIDTH)
    // floating with CBRS_SIZE_DYNAMIC, (length, LM_HORZ or LM_LENGTHY) while a floating
    // frame's border is dragged (a corner: both, the width first) and the last of them with
    // LM_COMMIT when the drag ends.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Sets the states of the bar's items from pTarget's update handlers (at idle).
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    // Shows or hides the bar at the next layout of its frame.
    void DelayShow(BOOL bShow);
    // Applies a change that DelayShow left for the layout.
    void ApplyDelayedShow();

    // Owner frames first (their accelerators), then IsDialogMessage for the bar.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands, notifications and owner-draw requests the bar does not handle go on to its frame.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Moves a child window to a rectangle of its parent when it is not there already.
    static void PlaceWindow(HWND hWnd, const RECT& rect);

    // Where the bar was last docked and last floated, for a double click that switches.
    UINT m_nLastDockID;
    CRect m_rectLastDock; // screen
    CPoint m_ptLastFloat; // screen, top-left of the floating frame
    BOOL m_bLastFloat;

protected:
    // A press at this point of the client area starts a docking drag (not on a child control).
    virtual BOOL IsDragPoint(CPoint point);
    void DrawBorders(CDC* pDC, CRect& rect) const;
    void DrawGripper(CDC* pDC, const CRect& rect) const;
    BOOL HasGripper() const { return (m_dwStyle & CBRS_GRIPPER) && !IsFloating(); }
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    // Owner-drawn items the child does not draw itself go on to the frame.
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The command prompt of the item under the mouse while CBRS_FLYBY is set.
    void TrackFlyBy(const MSG* pMsg);
    void EndFlyBy();
    int m_nPendingShow; // 1 show, -1 hide at the next layout, 0 nothing waiting
    UINT m_nFlyById;
};
