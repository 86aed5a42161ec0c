// A tool bar: the common tool-bar control as a control bar. Its buttons come from a TOOLBAR
// resource and the bitmap of the same id (LoadToolBar) or from SetButtons. It wraps its rows
// to a width (LM_HORZ, floating) or a height (LM_LENGTHY): the control wraps its buttons to its
// own width, so the bar measures a layout by giving the control that width for a moment. It
// lays out again after buttons change, takes its button states from the frame's update
// handlers at idle, and with CCS_ADJUSTABLE the user rearranges it in the system's
// customisation dialog; the TBN_ notifications go to the frame the bar was made in, which
// reflects them to OnChildNotify wherever the bar sits.
#pragma once
#include "CControlBar.h"
#include "CGdiObject.h"

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)

public:
    CToolBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_ and CCS_ styles of the control; rcBorders: see SetBorders.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);

    // Buttons and image size of TOOLBAR resource nIDResource and the images of its bitmap;
    // FALSE, with nothing changed, when either is missing or the resource is damaged. Both resource
    // layouts are read: 16-bit fields after a version word, and 32-bit fields without one.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadBitmap(UINT nIDResource);
    // The images of the buttons; the bar owns the bitmap from now on.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // One button per id, images in order; ID_SEPARATOR makes a separator.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind)); }
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);

    // Set when the buttons changed: the frame lays the bars out at the next idle time.
    BOOL m_bDelayedButtonLayout;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The command of the button under the point, or -1.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL IsDragPoint(CPoint point) override;
    // Borders and gripper lie outside the control's client area.
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()

private:
    // The buttons' extent when the control is cxInside wide (0: one button a row).
    CSize MeasureAt(int cxInside);
    // The narrowest layout whose height fits cyInside.
    CSize FitHeight(int cyInside);
    CSize WithInsets(CSize inside);
    CBitmap m_bitmap;
    CSize m_sizeImage;
    BOOL m_bHasBitmap;
};
