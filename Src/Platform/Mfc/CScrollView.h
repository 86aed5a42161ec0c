// A view larger than its window: scroll bars appear for the dimensions the document's total
// size does not fit, and OnPrepareDC maps the document's logical units (a mapping mode) to the
// scrolled window. With SetScaleToFitSize the whole total size is scaled into the window
// instead, without scroll bars. Device sizes are measured on a screen DC, and only DCs of the
// display are mapped: a printer's DC is left to the print code.
#pragma once
#include "CView.h"

// The mapping mode of SetScaleToFitSize.
#define MM_SCALETOFIT (-1)

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)

public:
    static const SIZE sizeDefault; // {0, 0}: a page is a tenth of the total, a line a tenth of a page

    // The total size, page and line in logical units of nMapMode (MM_TEXT, MM_LOMETRIC,
    // MM_HIMETRIC, MM_LOENGLISH, MM_HIENGLISH, MM_TWIPS; any other mode counts as MM_TEXT).
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    // Scales sizeTotal to the client area; the scroll bars go.
    void SetScaleToFitSize(SIZE sizeTotal);
    // Resizes the parent frame so that the client area, without scroll bars, is the total size
    // in pixels; with bShrinkOnly a side that is smaller already stays as it is.
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

    int GetMapMode() const { return m_nMapMode; }
    CSize GetTotalSize() const { return m_totalLog; }
    // Scroll position in pixels, and in logical units.
    CPoint GetDeviceScrollPosition() const;
    CPoint GetScrollPosition() const;
    // Scrolls to a logical point (its top-left corner shown at the window's top-left).
    void ScrollToPosition(POINT pt);

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
    CScrollView();

    // Shows the scroll bars the total size needs and keeps the position inside the range.
    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);
    // A line, page or drag step of one scroll bar.
    void OnScroll(int nBar, UINT nSBCode);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    int m_nMapMode;
    CSize m_totalLog; // logical units
    CSize m_totalDev; // pixels
    CSize m_pageDev;
    CSize m_lineDev;

private:
    // Logical size to pixels under the view's mapping mode.
    CSize ToDevice(SIZE size) const;
    BOOL m_bInsideUpdate;
};
