// What the image service's thumbnail cache holds, for the benchmarks that fill it.
#pragma once
#include "CmnImg.h"

// Bytes of the cached thumbnails' pixels.
inline double BenchCacheBytes()
{
    double bytes = 0;
    for (int i = 1; i <= theCmnImg.GetCacheCount(0); ++i) {
        CmnImgElm* e = nullptr;
        DIBSECTION ds = {};
        if (theCmnImg.SchCmnImgElm(0, i, &e) == VKE_OK && GetObjectA(e->pthImg.hImg, sizeof(ds), &ds) == sizeof(ds))
            bytes += static_cast<double>(ds.dsBm.bmWidthBytes) * ds.dsBm.bmHeight;
    }
    return bytes;
}
