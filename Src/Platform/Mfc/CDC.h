// A device context. The object made by CreateDC / CreateCompatibleDC deletes its context;
// FromHandle gives a temporary wrapper of the calling thread that owns nothing.
//
// Output goes to m_hDC; questions about the device (capabilities, text metrics, the mapping)
// go to m_hAttribDC. Both are the same context except in a print preview, where the printer
// answers and the preview window is drawn on; the mapping members are virtual for that.
#pragma once
#include "CGdiObject.h"
#include "CRect.h"
#include "CString.h"

class CDC : public CObject {
    DECLARE_DYNCREATE(CDC)

public:
    CDC() = default;
    ~CDC() override;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE; // set while a page is printed or previewed on this DC
    BOOL IsPrinting() const { return m_bPrinting; }
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    static CDC* FromHandle(HDC hDC);
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData);

    // Selections give back the previous object (a temporary wrapper).
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CGdiObject* SelectStockObject(int nIndex);
    HPALETTE SelectPalette(HPALETTE hPalette, BOOL bForceBackground) { return ::SelectPalette(m_hDC, hPalette, bForceBackground); }
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    virtual int SaveDC() { return ::SaveDC(m_hDC); }
    virtual BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }

    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
    int SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

    // The mapping: set on both contexts, read from the attribute context.
    virtual int SetMapMode(int nMapMode);
    int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
    virtual CPoint SetWindowOrg(int x, int y);
    virtual CPoint SetViewportOrg(int x, int y);
    virtual CPoint GetViewportOrg() const { POINT p = {}; ::GetViewportOrgEx(m_hAttribDC, &p); return p; }
    virtual CSize SetWindowExt(int cx, int cy);
    virtual CSize SetViewportExt(int cx, int cy);
    virtual void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
    void DPtoLP(LPRECT lpRect) const { DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2); }
    virtual void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
    void LPtoDP(LPRECT lpRect) const { LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2); }

    // ---- Print jobs ----
    int StartDoc(LPDOCINFOA lpDocInfo) { return ::StartDocA(m_hDC, lpDocInfo); }
    int StartPage() { return ::StartPage(m_hDC); }
    int EndPage() { return ::EndPage(m_hDC); }
    int EndDoc() { return ::EndDoc(m_hDC); }
    int AbortDoc() { return ::AbortDoc(m_hDC); }
    int SetAbortProc(ABORTPROC lpfn) { return ::SetAbortProc(m_hDC, lpfn); }

    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    int IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
    int IntersectClipRect(LPCRECT r) { return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(LPCRECT r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    int SelectClipRgn(HRGN hRgn) { return ::SelectClipRgn(m_hDC, hRgn); }

    CPoint MoveTo(int x, int y) { POINT p = {}; ::MoveToEx(m_hDC, x, y, &p); return p; }
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
    BOOL Ellipse(LPCRECT r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
    void FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr); }
    void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FrameRect(LPCRECT lpRect, HBRUSH hBrush) { ::FrameRect(m_hDC, lpRect, hBrush); }
    void InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
    { return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop); }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop)
    { return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop); }
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }

    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount) { return ::TextOutA(m_hDC, x, y, lpszString, nCount); }
    BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount, LPINT lpDxWidths)
    { return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths); }
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
    { return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat); }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) { return DrawText(str, str.GetLength(), lpRect, nFormat); }
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const
    { SIZE s = {}; ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &s); return s; }
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hAttribDC, lpMetrics); }
};

// Selects a GDI object for one block and restores the previous one on every way out.
class CDCSelect {
public:
    CDCSelect(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(hObject ? ::SelectObject(hDC, hObject) : nullptr) {}
    ~CDCSelect() { if (m_hOld) ::SelectObject(m_hDC, m_hOld); }
    CDCSelect(const CDCSelect&) = delete;
    CDCSelect& operator=(const CDCSelect&) = delete;
    HGDIOBJ Old() const { return m_hOld; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Saves the whole state of a device context for one block (SaveDC / RestoreDC).
class CDCSave {
public:
    explicit CDCSave(HDC hDC) : m_hDC(hDC), m_nSaved(::SaveDC(hDC)) {}
    ~CDCSave() { if (m_nSaved) ::RestoreDC(m_hDC, m_nSaved); }
    CDCSave(const CDCSave&) = delete;
    CDCSave& operator=(const CDCSave&) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};
