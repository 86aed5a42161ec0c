// GDI objects: the object owns its handle and deletes it on destruction unless detached.
// FromHandle gives a temporary wrapper of the calling thread (freed at idle) that owns nothing.
#pragma once
#include "CObject.h"

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)

public:
    CGdiObject() = default;
    ~CGdiObject() override { DeleteObject(); }

    HGDIOBJ m_hObject = nullptr;
    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }
    BOOL CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

    static CGdiObject* FromHandle(HGDIOBJ hObject) { return FromHandleAs<CGdiObject>(hObject); }

protected:
    // The wrapper of the calling thread's temporary map for the handle, made as a T.
    template <class T>
    static T* FromHandleAs(HGDIOBJ hObject);
    static CGdiObject* FindTemp(HGDIOBJ hObject);
    static void AddTemp(HGDIOBJ hObject, CGdiObject* pObject);
};

template <class T>
T* CGdiObject::FromHandleAs(HGDIOBJ hObject)
{
    if (!hObject) return nullptr;
    if (CGdiObject* found = FindTemp(hObject)) return static_cast<T*>(found);
    T* pObject = new T;
    pObject->m_hObject = hObject;
    AddTemp(hObject, pObject);
    return pObject;
}

class CPen : public CGdiObject {
    DECLARE_DYNCREATE(CPen)

public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0, const DWORD* lpStyle = nullptr)
    { return Attach(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush, static_cast<DWORD>(nStyleCount), lpStyle)); }
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
    static CPen* FromHandle(HPEN hPen) { return FromHandleAs<CPen>(hPen); }
};

class CBrush : public CGdiObject {
    DECLARE_DYNCREATE(CBrush)

public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreatePatternBrush(HBITMAP hBitmap) { return Attach(::CreatePatternBrush(hBitmap)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
    // The system owns a system colour brush; deleting it does nothing.
    BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
    static CBrush* FromHandle(HBRUSH hBrush) { return FromHandleAs<CBrush>(hBrush); }
};

class CFont : public CGdiObject {
    DECLARE_DYNCREATE(CFont)

public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont) { return Attach(::CreateFontIndirectA(lpLogFont)); }
    // nPointSize in tenths of a point, for the screen or the given device context.
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, HDC hDC = nullptr);
    int GetLogFont(LOGFONTA* pLogFont) const { return ::GetObjectA(m_hObject, sizeof(LOGFONTA), pLogFont); }
    static CFont* FromHandle(HFONT hFont) { return FromHandleAs<CFont>(hFont); }
};

class CBitmap : public CGdiObject {
    DECLARE_DYNCREATE(CBitmap)

public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    BOOL LoadBitmap(UINT nIDResource);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
    { return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits)); }
    BOOL CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight) { return Attach(::CreateCompatibleBitmap(hDC, nWidth, nHeight)); }
    int GetBitmap(BITMAP* pBitMap) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), pBitMap); }
    static CBitmap* FromHandle(HBITMAP hBitmap) { return FromHandleAs<CBitmap>(hBitmap); }
};
