#include "CGdiObject.h"
#include "MfcState.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNCREATE(CPen, CGdiObject)
IMPLEMENT_DYNCREATE(CBrush, CGdiObject)
IMPLEMENT_DYNCREATE(CFont, CGdiObject)
IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject) return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

CGdiObject* CGdiObject::FindTemp(HGDIOBJ hObject)
{
    auto& map = AfxGetThreadState()->tempGdi;
    auto it = map.find(hObject);
    return it == map.end() ? nullptr : it->second;
}

void CGdiObject::AddTemp(HGDIOBJ hObject, CGdiObject* pObject) { AfxGetThreadState()->tempGdi[hObject] = pObject; }

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, HDC hDC)
{
    HDC dc = hDC ? hDC : ::GetDC(nullptr);
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(dc, LOGPIXELSY), 720);
    if (lpszFaceName) lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    if (!hDC) ::ReleaseDC(nullptr, dc);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}
