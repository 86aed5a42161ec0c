// A rebar: the common rebar control as a control bar across the top of its frame, holding
// other bars (a tool bar) or windows as bands. A bar in a band no longer docks.
#pragma once
#include "CControlBar.h"

class CBitmap;

class CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)

public:
    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // A band holding pBar, with a text, a background bitmap and RBBS_ styles.
    BOOL AddBar(CWnd* pBar, LPCSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    // A band holding pBar with text and background colours.
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCSTR pszText = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);

    // As high as its bands, as long as its side.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Bars in bands update themselves.
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

protected:
    // A new height of the bands: the frame lays out again.
    afx_msg BOOL OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    BOOL InsertBand(CWnd* pBar, REBARBANDINFOA& band);
};
