// The floating frame of one bar: an owned tool window titled with the bar's text, holding a
// floating dock bar. Closing it hides the bar; its borders size the bar only with
// CBRS_SIZE_DYNAMIC; a press on its caption drags the bar (to dock it or float it elsewhere).
#pragma once
#include "CDockBar.h"
#include "CFrameWnd.h"

class CMiniDockFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMiniDockFrameWnd)

public:
    CMiniDockFrameWnd();

    // The window, owned by pDockSite's frame, for pBar (not yet in it).
    BOOL Create(CFrameWnd* pDockSite, CControlBar* pBar);
    CDockBar m_wndDockBar;
    CFrameWnd* m_pDockSite;
    // The bar it holds, or null.
    CControlBar* GetBar() const;

    // Fits the window around the bar's floating layout, keeping its top-left corner.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The floating layout of a bar: (-1, LM_HORZ | LM_MRUWIDTH) with CBRS_SIZE_DYNAMIC, else fixed.
    static CSize FloatingSize(CControlBar* pBar);
    // The window rectangle of a floating frame around a bar of that size.
    static CRect FrameRect(CSize sizeBar, DWORD dwBarStyle);

protected:
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg void OnExitSizeMove();
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pInfo);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    int m_nSizedLength;  // the length of the last border drag step, -1 when none
    DWORD m_dwSizedMode;
};
