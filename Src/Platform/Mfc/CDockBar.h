// One side of a frame where bars dock (AFX_IDW_DOCKBAR_TOP ... RIGHT), or the inside of a
// floating frame (AFX_IDW_DOCKBAR_FLOAT). Its bars lie in rows (columns on the left and
// right): each row as thick as its thickest shown bar. Across the top and bottom each bar lies
// at its wanted place along the row or right after the bar before it; on the left and right the
// shown bars of a column are stacked and share its whole height, each as wide as the column; a
// side too narrow for its columns narrows first those whose bars can give way.
// Hidden bars keep their place in the order.
#pragma once
#include "CControlBar.h"
#include <vector>

// The four sides of a frame, in the order the layout and the docking search take them.
struct AfxDockSide {
    DWORD align; // CBRS_ALIGN_ bit
    UINT id;     // AFX_IDW_DOCKBAR_ id
};
extern const AfxDockSide afxDockSides[4];

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)

public:
    explicit CDockBar(BOOL bFloating = FALSE);

    // A child of pParentWnd; dwStyle's CBRS_ALIGN_ bit names the side.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    BOOL m_bFloating;

    // Takes the bar from wherever it docks and puts it here: lpRect (screen) picks the row
    // whose extent holds its top (its left on a vertical side) and the place along the row;
    // a rectangle beside every row, or none, starts a new row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Puts the bar in row nRow at nPos along it; a row past the last starts a new one.
    void InsertControlBar(CControlBar* pBar, int nRow, int nPos);
    // Takes the bar out; its row goes when it is left empty.
    BOOL RemoveControlBar(CControlBar* pBar);
    // The row of a bar that docks here, or -1.
    int GetBarRow(const CControlBar* pBar) const;
    // The bars here, in row order; those of one row in their order along it.
    std::vector<CControlBar*> GetBars() const;
    std::vector<CControlBar*> GetRowBars(int nRow) const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // A side (left, right) of a frame: its columns' bars share the column's height.
    bool SharesLength() const;
    // Shown bars here.
    int GetVisibleCount() const;
    // The length the shown bars of the fullest row need at the least when they share it
    // (SharesLength), else 0.
    int GetLeastLength() const;

    // Places the rows within nLength along the side (moving the bars when bMove) and returns
    // their total thickness; rows thicker together than nFit (when above 0) give up what lies
    // above their bars' least sizes (m_sizeLeast) first, in proportion, and only a fit below
    // those narrows them further (each row still at least 50).
    int Arrange(int nLength, BOOL bMove, int nFit = 0);
    // The rows' least thicknesses together: each its shown bars' largest least size, no more
    // than it wants.
    int GetLeastThickness();
    // The thickness of a row of nThickness (nLeast at the least) when rows of nNatural
    // (nAllLeast at the least) together get nFit.
    static int Squeezed(int nThickness, int nLeast, int nNatural, int nAllLeast, int nFit);
    // The size the frame asks of a bar docked on a side of this orientation.
    static CSize DockedSize(CControlBar* pBar, BOOL bHorz);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    BOOL IsDockBar() const override { return TRUE; }
    // A dock bar filters nothing itself: its bars do.
    BOOL PreTranslateMessage(MSG* pMsg) override { return CWnd::PreTranslateMessage(pMsg); }

private:
    struct Entry {
        CControlBar* pBar;
        int nPos;    // wanted place along the row
        int nPlaced; // place at the last arrangement
    };
    struct Row {
        std::vector<Entry> bars;
        int nStart = 0;     // across the side, at the last arrangement
        int nThickness = 0;
        int nLeast = 0;     // the least thickness its shown bars show whole at
    };
    // Each row's wanted and least thickness; their sums.
    void MeasureRows(int& nNatural, int& nLeast);
    // Index of the row that holds across, or -(index + 1) of where a new row would go.
    int FindRow(int nAcross) const;
    void DropEmptyRows();
    static void InsertSorted(Row& row, CControlBar* pBar, int nPos);
    std::vector<Row> m_rows;
};
