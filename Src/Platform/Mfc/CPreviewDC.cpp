#include "CPreviewDC.h"
#include <algorithm>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CPreviewDC, CDC)

CPreviewDC::CPreviewDC() : m_nScaleNum(1), m_nScaleDen(1), m_sizeTopLeft(0, 0), m_nOutputSaved(0)
{
    m_bPrinting = TRUE;
}

CPreviewDC::~CPreviewDC()
{
    ReleaseOutputDC();
    m_hDC = m_hAttribDC = nullptr;
}

void CPreviewDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
    MirrorMapping();
}

void CPreviewDC::SetOutputDC(HDC hDC)
{
    ReleaseOutputDC();
    m_hDC = hDC;
    m_nOutputSaved = hDC ? ::SaveDC(hDC) : 0;
    m_saves.clear();
    MirrorMapping();
}

void CPreviewDC::ReleaseOutputDC()
{
    if (m_hDC && m_nOutputSaved) ::RestoreDC(m_hDC, m_nOutputSaved);
    m_hDC = nullptr;
    m_nOutputSaved = 0;
    m_saves.clear();
}

void CPreviewDC::SetScaleRatio(int nNumerator, int nDenominator)
{
    m_nScaleNum = std::max(1, nNumerator);
    m_nScaleDen = std::max(1, nDenominator);
    MirrorMapping();
}

void CPreviewDC::SetTopLeftOffset(CSize sizeTopLeft)
{
    m_sizeTopLeft = sizeTopLeft;
    MirrorMapping();
}

void CPreviewDC::MirrorMapping()
{
    if (!m_hDC || !m_hAttribDC) return;
    POINT wo = {}, vo = {};
    SIZE we = {1, 1}, ve = {1, 1};
    ::GetWindowOrgEx(m_hAttribDC, &wo);
    ::GetWindowExtEx(m_hAttribDC, &we);
    ::GetViewportOrgEx(m_hAttribDC, &vo);
    ::GetViewportExtEx(m_hAttribDC, &ve);
    // Window extents times the denominator, viewport extents times the numerator: exact in
    // 64 bits, halved together until GDI's 32-bit extents hold them.
    long long w[2] = {static_cast<long long>(we.cx) * m_nScaleDen, static_cast<long long>(we.cy) * m_nScaleDen};
    long long v[2] = {static_cast<long long>(ve.cx) * m_nScaleNum, static_cast<long long>(ve.cy) * m_nScaleNum};
    const long long limit = 1LL << 30;
    while (llabs(w[0]) > limit || llabs(w[1]) > limit || llabs(v[0]) > limit || llabs(v[1]) > limit) {
        for (long long* p : {&w[0], &w[1], &v[0], &v[1]}) *p = *p / 2 ? *p / 2 : *p;
    }
    ::SetMapMode(m_hDC, MM_ANISOTROPIC);
    ::SetWindowOrgEx(m_hDC, wo.x, wo.y, nullptr);
    ::SetWindowExtEx(m_hDC, static_cast<int>(w[0]), static_cast<int>(w[1]), nullptr);
    ::SetViewportExtEx(m_hDC, static_cast<int>(v[0]), static_cast<int>(v[1]), nullptr);
    ::SetViewportOrgEx(m_hDC, m_sizeTopLeft.cx + ::MulDiv(vo.x, m_nScaleNum, m_nScaleDen),
                       m_sizeTopLeft.cy + ::MulDiv(vo.y, m_nScaleNum, m_nScaleDen), nullptr);
}

int CPreviewDC::SetMapMode(int nMapMode)
{
    int old = ::SetMapMode(m_hAttribDC, nMapMode);
    MirrorMapping();
    return old;
}

CPoint CPreviewDC::SetWindowOrg(int x, int y)
{
    POINT p = {};
    ::SetWindowOrgEx(m_hAttribDC, x, y, &p);
    MirrorMapping();
    return p;
}

CPoint CPreviewDC::SetViewportOrg(int x, int y)
{
    POINT p = {};
    ::SetViewportOrgEx(m_hAttribDC, x, y, &p);
    MirrorMapping();
    return p;
}

CSize CPreviewDC::SetWindowExt(int cx, int cy)
{
    SIZE s = {};
    ::SetWindowExtEx(m_hAttribDC, cx, cy, &s);
    MirrorMapping();
    return s;
}

CSize CPreviewDC::SetViewportExt(int cx, int cy)
{
    SIZE s = {};
    ::SetViewportExtEx(m_hAttribDC, cx, cy, &s);
    MirrorMapping();
    return s;
}

void CPreviewDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    ::LPtoDP(m_hAttribDC, lpPoints, nCount);
    for (int i = 0; i < nCount; ++i) {
        lpPoints[i].x = ::MulDiv(lpPoints[i].x, m_nScaleNum, m_nScaleDen);
        lpPoints[i].y = ::MulDiv(lpPoints[i].y, m_nScaleNum, m_nScaleDen);
    }
}

void CPreviewDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    for (int i = 0; i < nCount; ++i) {
        lpPoints[i].x = ::MulDiv(lpPoints[i].x, m_nScaleDen, m_nScaleNum);
        lpPoints[i].y = ::MulDiv(lpPoints[i].y, m_nScaleDen, m_nScaleNum);
    }
    ::DPtoLP(m_hAttribDC, lpPoints, nCount);
}

int CPreviewDC::SaveDC()
{
    int output = m_hDC ? ::SaveDC(m_hDC) : 0;
    int attrib = ::SaveDC(m_hAttribDC);
    m_saves.emplace_back(output, attrib);
    return static_cast<int>(m_saves.size());
}

BOOL CPreviewDC::RestoreDC(int nSavedDC)
{
    // A level SaveDC answered, or counted back from the last save (-1).
    int count = static_cast<int>(m_saves.size());
    int level = nSavedDC < 0 ? count + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > count) return FALSE;
    std::pair<int, int> saved = m_saves[static_cast<size_t>(level - 1)];
    m_saves.resize(static_cast<size_t>(level - 1));
    if (m_hDC && saved.first) ::RestoreDC(m_hDC, saved.first);
    BOOL ok = ::RestoreDC(m_hAttribDC, saved.second);
    MirrorMapping();
    return ok;
}
