// GDI+ for the draw object's modules: the flat interface and small scoped holders.
#pragma once
#include "VkeEng.h"
#include <gdiplus.h>

namespace Gdp = Gdiplus::DllExports;

// A GDI+ image disposed of at the end of the scope.
class VkiGdpImage {
public:
    VkiGdpImage() = default;
    ~VkiGdpImage() { Reset(); }
    VkiGdpImage(const VkiGdpImage&) = delete;
    VkiGdpImage& operator=(const VkiGdpImage&) = delete;
    Gdiplus::GpBitmap** Out() { Reset(); return &m_p; }
    Gdiplus::GpBitmap* Get() const { return m_p; }
    void Reset()
    {
        if (m_p) Gdp::GdipDisposeImage(m_p);
        m_p = nullptr;
    }

private:
    Gdiplus::GpBitmap* m_p = nullptr;
};
