// The base of the main frame's docked panels. Beside the framework's dialog bar it has the common
// information and the shared operations of dialogs (CmnDlgOpr.h: engine controls and drawing
// areas, focus, edit, scale, flags, printing, errors and data) and adds what a panel needs: its
// own font, text and back colour, a context menu, Return kept inside the panel, a size of its
// own that the docking layout honours (at least 50 each way), a gripper, resizing of a docked
// panel by dragging a border or corner, and three remembered sizes (SetBri, GetBri).
//
// A derived panel is created by the frame before the engine exists and starts once it does:
//
//   int DlbPnlXxx::Init()
//   {
//       int rc = CmnDlb::Init(2, 0, 0, &sizePreset);   // slot counts and the saved size
//       ... SetTextColor / SetBackColor / SetFontByLogFont of window kind CmnKndDlb,
//       ... SetMenuHandle, InitCtlSlot for each control
//       if (rc == 0) m_inf.bReady = 1;
//   }
//
// Every operation that changes the panel's content, font, colours or size ends a running border
// drag first. Failures are traced under the operation's name; none is shown to the user except
// through ShowErrMsg.
#pragma once
#include "CmnDlgOpr.h"

// A panel is never smaller than this each way.
enum { CmnDlbMinSide = 50 };

// Where a point lies on a panel (HitTestBar): outside, the four corners, the four edges, inside,
// on the gripper.
enum {
    CmnDlbHitNone = 0,
    CmnDlbHitTopLeft = 1,
    CmnDlbHitTopRight = 2,
    CmnDlbHitBottomRight = 3,
    CmnDlbHitBottomLeft = 4,
    CmnDlbHitLeft = 5,
    CmnDlbHitRight = 6,
    CmnDlbHitTop = 7,
    CmnDlbHitBottom = 8,
    CmnDlbHitInside = 9,
    CmnDlbHitGripper = 10
};

class CmnDlb : public CDialogBar, public CmnDlgOpr {
    DECLARE_DYNAMIC(CmnDlb)

public:
    CmnDlb();
    // A window still open goes first, while this is still a panel that ends its objects.
    ~CmnDlb() override;

    // ---- Overrides of the dialog bar ----
    // Return never reaches a default button: an invalid control's message shows instead.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Until initialised, and with CBRS_SIZE_FIXED, the template's size; else the current size.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Docked: the current size. Floating: the floating size; a floating frame's border drag
    // sets the current width or height (at least 50) and its end makes that size the
    // floating one (LM_COMMIT).
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;

    // ---- Start and end ----
    // Every member zero (the font and brush deleted, the tables freed). Always 1.
    virtual int ClearMember();
    // The data check of every control (ctl null) or of one; an error's message is shown.
    virtual int CheckData(VkiCtl* ctl);
    // Allocates the information, sizes the panel from its template (each side at least 50) and
    // records that size in all three presets; a given size (both sides above 0) then becomes
    // the current one and preset 1. Loads the cursors and turns tooltips on. -7 when
    // initialised already.
    virtual int Init(int ctlCnt, int draCnt, int extPrtCnt, SIZE* size);
    // Ends a drag, frees every control and drawing area, the information, font and brush, and
    // puts back the cursor of the start. 1 when already ending.
    virtual int Term();
    int IsInit() const { return m_bInit; }
    // No visible, enabled combo box shows its text selected.
    virtual int ClearComboSel();
    // A derived panel fits its inner window to the client area here.
    virtual void MoveCtl() {}

    // ---- Font, colours and menu ----
    // The font of face at points on the panel's device context; -8 without one.
    virtual int SetFont(const char* face, int points);
    // A copy of *pFont becomes the panel's font (a height of 0 is stored as the real character
    // height); -9 for null or a font that cannot be made, -1 when its metrics cannot be read.
    virtual int SetFontByLogFont(const LOGFONTA* pFont);
    // The face name cut to size bytes (-13 when cut); size below 1 -9.
    virtual int GetFontName(char* buffer, int size);
    virtual int GetFontSize(int* points);
    virtual int GetLogFont(LOGFONTA* pFont);
    // Each colour goes on the draw object's colour list; the back colour makes the panel's brush.
    virtual int SetTextColor(COLORREF color);
    virtual int GetTextColor(COLORREF* color);
    virtual int SetBackColor(COLORREF color);
    virtual int GetBackColor(COLORREF* color);
    // The context menu: its first sub-menu shows at a right click.
    virtual int SetMenuHandle(HMENU menu);
    virtual int GetMenuHandle(HMENU* menu);

    // ---- Painting and focus ----
    // erase 0 or 1 (else -9).
    virtual int RedrawGripper(int erase);
    // The whole panel, the gripper, MoveCtl, then painted at once.
    virtual int Redraw(int erase);
    virtual int PrevDlgCtl();
    virtual int NextDlgCtl();

    // ---- Geometry and the border drag ----
    // The window to the tracking rectangle, then Redraw(1).
    virtual int ApplyBarRect();
    // A rectangle widened by the gripper strip and the caption height.
    virtual int GetBarRect(RECT* rect);
    // Floating and current size; each side at least 50.
    virtual int SetBarSize(int cx, int cy);
    virtual int GetBarSize(int* cx, int* cy);
    virtual int SetTrackingCursor(int hit);
    // Where point (client) lies (CmnDlbHit...): a point on the gripper is the gripper's, also
    // near a border; a floating panel has no borders nor inside.
    virtual int HitTestBar(POINT* point, int setCursor, int* hit);
    // Starts dragging the border or corner hit from point (client); -9 for a hit outside 1 to
    // 10, -7 while a drag runs.
    virtual int StartTracking(int hit, POINT* point);
    // The panel keeps the tracking rectangle's size (each side at least 50) and goes back to
    // its place; the frame lays out again. -7 when no drag runs. In a column of the frame's
    // left or right side the dragged edges move what lies beyond them: the column's inner edge
    // widens the column, its outer edge the column further out (the panel itself at the
    // frame's edge), and an edge shared with the panel above or below moves between the two;
    // the column's own top and bottom stay where they are. A docked panel grows (while dragged
    // too) only as far as the frame leaves room for: the pane gives way down to its least
    // size, no other panel is narrowed for it and none is pushed off the frame.
    virtual int StopTracking();
    int IsTracking() const { return m_bTracking; }

    // ---- Remembered sizes: presets 0 to 2 ----
    // Preset index becomes the size, as SetBri(SIZE*).
    virtual int SetBri(int index);
    // The size becomes preset 2 and the floating and current size; the panel is laid out again.
    virtual int SetBri(SIZE* size);
    // The current size becomes preset index.
    virtual int GetBri(int index);
    virtual int GetBri(int index, SIZE* out);
    const SIZE& GetPreset(int index) const { return m_sizeBri[index]; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void EndDrag() override;

    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // Page set-up, print (and print direct, sent as print) and preview go to the main frame.
    afx_msg BOOL OnPrintCmd(UINT nID);
    afx_msg void OnUpdatePrintCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnEditCmd(UINT nID);
    afx_msg void OnUpdateEditCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnScaleCmd(UINT nID);
    afx_msg void OnUpdateScaleCmd(CCmdUI* pCmdUI);
    afx_msg LRESULT OnVkeWmDtiToWnd(WPARAM wParam, LPARAM lParam);
    // The panel's colours and font of window kind CmnKndDlb, then the controls' and areas'
    // settings, each only where it differs. 1, or 0 while not ready.
    afx_msg LRESULT OnCmnWmChgOpt(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnChooser(UINT nID);
    DECLARE_MESSAGE_MAP()

    int m_bInit;
    SIZE m_sizeBri[3];  // the presets
    int m_bTracking;    // a border drag runs
    int m_iHit;         // what it drags (CmnDlbHit...)
    POINT m_ptLast;     // the last point it followed (screen)
    HWND m_hParentOld;  // the panel's parent before the drag
    RECT m_rctTrack;    // the panel's rectangle while dragged (screen)
    RECT m_rctFrom;     // and when the drag began
    SIZE m_sizeFloat;   // the size of the floating layout
    SIZE m_sizeCur;     // the size of the docked layout
    LOGFONTA m_lf;
    CFont m_font;
    CBrush m_brush;
    HCURSOR m_hCurOld;  // the cursor when the panel started
    HCURSOR m_hCurArrow;
    HCURSOR m_hCurGripper;
    HCURSOR m_hCurNWSE;
    HCURSOR m_hCurNESW;
    HCURSOR m_hCurNS;
    HCURSOR m_hCurWE;

private:
    int CheckInit(const char* name);
    // Ends a drag; the colour goes on the draw object's colour list. -6 before the start.
    int TakeColor(const char* name, COLORREF color);
    // The gripper's rectangle in client coordinates; empty without a gripper.
    CRect GripperRect() const;
    void ApplyPanelSettings();
    // Floating and current size, each side at least 50.
    void SetSizes(SIZE size);
    // The frame's left or right dock bar the panel lies in, else null.
    CDockBar* SideDock() const;
    // Every panel of the dock bar's row takes the width.
    static void SetColumnWidth(CDockBar* dock, int row, int cx);
    // The drag's end in a column of a side; false when the panel lies in none.
    bool ResizeInColumn(const CRect& from, const CRect& to);
    // The dragged rectangle (screen) cut to what the frame leaves room for: in a column of a
    // side, in a row of the top or bottom; a floating panel's as it is.
    CRect LimitDrag(const CRect& from, const CRect& to) const;
    CRect LimitInColumn(CDockBar* dock, const CRect& from, const CRect& to) const;
    CRect LimitInRow(const CRect& from, const CRect& to) const;
};
