// The DC a print preview draws a page with: the printer's DC answers (capabilities, text
// metrics, the mapping the program sets) and the preview's DC is drawn on, scaled, with the
// printer's device point (0, 0) at the page corner given by SetTopLeftOffset. Whatever is drawn
// through CDC lands scaled on the page, fonts included.
//
// LPtoDP and DPtoLP convert between the printer's logical units and preview pixels counted from
// that corner, and GetViewportOrg gives the corner: code that draws on m_hDC with its own
// mapping (the engine's drawing areas) places a point at LPtoDP(point) + GetViewportOrg().
#pragma once
#include "CDC.h"
#include <utility>
#include <vector>

class CPreviewDC : public CDC {
    DECLARE_DYNAMIC(CPreviewDC)

public:
    CPreviewDC();
    // Owns neither context.
    ~CPreviewDC() override;

    void SetAttribDC(HDC hDC);
    // The preview's DC for the next page; ReleaseOutputDC leaves it as it was.
    void SetOutputDC(HDC hDC);
    void ReleaseOutputDC();
    // nNumerator preview pixels for nDenominator printer pixels.
    void SetScaleRatio(int nNumerator, int nDenominator);
    void SetTopLeftOffset(CSize sizeTopLeft);

    int SetMapMode(int nMapMode) override;
    CPoint SetWindowOrg(int x, int y) override;
    CPoint SetViewportOrg(int x, int y) override;
    CSize SetWindowExt(int cx, int cy) override;
    CSize SetViewportExt(int cx, int cy) override;
    CPoint GetViewportOrg() const override { return CPoint(m_sizeTopLeft.cx, m_sizeTopLeft.cy); }
    using CDC::DPtoLP;
    using CDC::LPtoDP;
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const override;
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const override;
    // Both contexts together.
    int SaveDC() override;
    BOOL RestoreDC(int nSavedDC) override;

private:
    // The output's mapping: the printer's, scaled and moved to the page corner.
    void MirrorMapping();
    int m_nScaleNum;
    int m_nScaleDen;
    CSize m_sizeTopLeft;
    int m_nOutputSaved;                       // the output's state before SetOutputDC
    std::vector<std::pair<int, int>> m_saves; // SaveDC levels of the output and the attribute DC
};
