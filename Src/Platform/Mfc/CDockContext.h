// The docking drag of one bar: from a press on the bar (or its floating frame's caption) to
// the release, which docks the bar where the mouse is over a dock side it may use and floats
// it elsewhere. The outline is shown by thin popup windows (an XOR outline on the screen's
// device context does not show under Wine). Ctrl held down forbids docking; Escape, a right
// press or the loss of the capture cancel.
#pragma once
#include "CControlBar.h"

class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Runs the drag from a press at point (screen) until it ends.
    void StartDrag(CPoint point);
    // A double click: docks a floating bar where it last docked, floats a docked one where it
    // last floated (or where it is).
    void ToggleDocking();

private:
    BOOL Track();
    void Move(CPoint point);
    // The dock bar under the point that the bar may dock on, or null.
    CDockBar* DockBarAt(CPoint point) const;
    void ShowOutline(const CRect& rect, int nThickness);
    void EndDrag();

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    CPoint m_ptStart;
    CPoint m_ptGrab;     // the press relative to the bar's window
    CSize m_sizeHorz, m_sizeVert, m_sizeFloat; // the bar's shapes on each kind of side and floating
    CRect m_rectDock;    // the bar where it would dock now (screen)
    CRect m_rectFloat;   // its floating frame where it would float now (screen)
    CDockBar* m_pTarget; // where it would dock now, null: it would float
    BOOL m_bMoved;
    HWND m_hOutline[4];
};
