#include "CDC.h"
#include "MfcState.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

CDC::~CDC()
{
    if (m_hDC) ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC) return nullptr;
    auto& map = AfxGetThreadState()->tempDC;
    auto it = map.find(hDC);
    if (it != map.end()) return it->second;
    CDC* pDC = new CDC;
    pDC->m_hDC = pDC->m_hAttribDC = hDC;
    map[hDC] = pDC;
    return pDC;
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC) return FALSE;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData)
{
    return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen ? pPen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush ? pBrush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle(static_cast<HFONT>(SelectObject(pFont ? pFont->m_hObject : nullptr)));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    // The attribute context measures text with the font that is drawn.
    if (m_hAttribDC && m_hAttribDC != m_hDC && hObject && ::GetObjectType(hObject) == OBJ_FONT)
        ::SelectObject(m_hAttribDC, hObject);
    return ::SelectObject(m_hDC, hObject);
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap ? pBitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectStockObject(int nIndex) { return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex))); }

// ---- Mapping: the output context first, then the attribute context when it is another ----

template <class F>
static void ForBoth(const CDC& dc, F set)
{
    set(dc.m_hDC);
    if (dc.m_hAttribDC && dc.m_hAttribDC != dc.m_hDC) set(dc.m_hAttribDC);
}

int CDC::SetMapMode(int nMapMode)
{
    int old = 0;
    ForBoth(*this, [&](HDC dc) { old = ::SetMapMode(dc, nMapMode); });
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT p = {};
    ForBoth(*this, [&](HDC dc) { ::SetWindowOrgEx(dc, x, y, &p); });
    return p;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT p = {};
    ForBoth(*this, [&](HDC dc) { ::SetViewportOrgEx(dc, x, y, &p); });
    return p;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE s = {};
    ForBoth(*this, [&](HDC dc) { ::SetWindowExtEx(dc, cx, cy, &s); });
    return s;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE s = {};
    ForBoth(*this, [&](HDC dc) { ::SetViewportExtEx(dc, cx, cy, &s); });
    return s;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    int x = lpRect->left, y = lpRect->top, cx = lpRect->right - x, cy = lpRect->bottom - y;
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}
