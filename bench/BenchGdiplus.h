// The platform's own thumbnail road, the benchmarks' baseline: GDI+ decodes the file and makes a
// thumbnail of 100 pixels on its longer side, keeping the proportions as the cache does.
#pragma once
#include "BenchSupport.h"
#include <gdiplus.h>
#include <stdio.h>
#include <string>

// The seconds, or -1 (said on stderr).
inline double BenchGdiplusThumbnail(const std::string& path)
{
    using namespace Gdiplus::DllExports;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    Gdiplus::GpBitmap* bitmap = nullptr;
    Gdiplus::GpImage* thumb = nullptr;
    UINT width = 0, height = 0;
    double t0 = BenchNow();
    bool ok = GdipCreateBitmapFromFile(wide, &bitmap) == Gdiplus::Ok && GdipGetImageWidth(bitmap, &width) == Gdiplus::Ok &&
              GdipGetImageHeight(bitmap, &height) == Gdiplus::Ok && width && height &&
              GdipGetImageThumbnail(bitmap, 100, width >= height ? 100 * height / width : 100, &thumb, nullptr,
                                    nullptr) == Gdiplus::Ok;
    if (thumb) GdipDisposeImage(thumb);
    if (bitmap) GdipDisposeImage(bitmap);
    double t = BenchNow() - t0;
    if (ok) return t;
    fprintf(stderr, "the bare decode of %s failed\n", path.c_str());
    return -1;
}
