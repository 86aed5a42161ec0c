// A status bar: the common status control as a control bar, with panes by indicator id.
// The bar keeps each pane's id, style (SBPS_), text width and text; one pane with
// SBPS_STRETCH takes the width the others leave. Pane 0 is the frame's message pane.
#pragma once
#include "CControlBar.h"
#include <vector>

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)

public:
    CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id, as wide as the id's string, which it shows (empty when there is no
    // string). ID_SEPARATOR panes are empty; the first of them stretches.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    // bUpdate: the pane is repainted at once.
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    // The index of the first pane with the id, or -1.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // The panes' update handlers: Enable shows or hides the text, SetCheck pops the pane out.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID;
        UINT nStyle;
        int cxText;
        CString strText;
    };
    bool IsPane(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    void UpdateParts();
    void ShowPaneText(int nIndex);
    int TextWidth(LPCSTR lpszText);
    std::vector<Pane> m_panes;
    int m_nHeight; // the control's own height for its font
    friend class CStatusCmdUI;
};
