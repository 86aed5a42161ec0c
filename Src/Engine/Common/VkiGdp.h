// GDI+ for the draw object's modules: the flat interface and small scoped holders.
#pragma once
#include "VkeEng.h"
#include <gdiplus.h>

namespace Gdp = Gdiplus::DllExports;

// A GDI+ object of the flat interface, released by its own function at the end of the scope:
//   VkiGdpGraphics g; Gdp::GdipCreateFromHDC(dc, g.Out());
template <class T, auto Free>
class VkiGdpObj {
public:
    VkiGdpObj() = default;
    ~VkiGdpObj() { Reset(); }
    VkiGdpObj(const VkiGdpObj&) = delete;
    VkiGdpObj& operator=(const VkiGdpObj&) = delete;
    T** Out() { Reset(); return &m_p; }
    T* Get() const { return m_p; }
    operator T*() const { return m_p; }
    void Reset()
    {
        if (m_p) Free(m_p);
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

using VkiGdpImage = VkiGdpObj<Gdiplus::GpBitmap, Gdp::GdipDisposeImage>;
using VkiGdpGraphics = VkiGdpObj<Gdiplus::GpGraphics, Gdp::GdipDeleteGraphics>;
using VkiGdpFont = VkiGdpObj<Gdiplus::GpFont, Gdp::GdipDeleteFont>;
using VkiGdpMatrix = VkiGdpObj<Gdiplus::GpMatrix, Gdp::GdipDeleteMatrix>;
using VkiGdpSolidFill = VkiGdpObj<Gdiplus::GpSolidFill, Gdp::GdipDeleteBrush>;

// The GDI+ encoder parameter of JPEG quality (one long value, 0..100).
const GUID VkiGdpQualityId = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

// True when GDI+ reads the file back as an image of width x height.
inline bool VkiGdpReadsBack(const WCHAR* path, int width, int height)
{
    VkiGdpImage check;
    UINT w = 0, h = 0;
    return Gdp::GdipCreateBitmapFromFile(path, check.Out()) == Gdiplus::Ok &&
           Gdp::GdipGetImageWidth(check.Get(), &w) == Gdiplus::Ok &&
           Gdp::GdipGetImageHeight(check.Get(), &h) == Gdiplus::Ok && w == static_cast<UINT>(width) &&
           h == static_cast<UINT>(height);
}

// A GDI+ colour from a COLORREF and an alpha.
inline Gdiplus::ARGB VkiGdpArgb(BYTE alpha, COLORREF color)
{
    return (static_cast<Gdiplus::ARGB>(alpha) << 24) | (static_cast<Gdiplus::ARGB>(GetRValue(color)) << 16) |
           (static_cast<Gdiplus::ARGB>(GetGValue(color)) << 8) | GetBValue(color);
}
