// Times the reduction of a 6000 x 4000 24-bit image to 1200 x 800 and to 160 x 107: the engine's
// HALFTONE stretch (VkeDrwStretchDIB, which averages where the platform's HALFTONE does not)
// against the platform's StretchBlt with COLORONCOLOR, in the same run; prints the median
// milliseconds and the ratio. Run: scripts/wine-run build/bench/BenchReduce.exe [rounds]
#include "BenchSupport.h"
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <vector>

namespace {

const int kWidth = 6000, kHeight = 4000;

HBITMAP MakeDIB(int width, int height, BYTE** rows)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pixels = nullptr;
    HBITMAP made = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *rows = static_cast<BYTE*>(pixels);
    return made;
}

// A photo-like source: smooth gradients with fine detail on top.
HBITMAP MakeSource()
{
    BYTE* rows = nullptr;
    HBITMAP made = MakeDIB(kWidth, kHeight, &rows);
    if (!made) return nullptr;
    size_t stride = (static_cast<size_t>(kWidth) * 3 + 3) & ~size_t(3);
    for (int y = 0; y < kHeight; ++y) {
        BYTE* p = rows + stride * y;
        for (int x = 0; x < kWidth; ++x) {
            p[3 * x] = static_cast<BYTE>(x * 255 / kWidth + (x % 3) * 20);
            p[3 * x + 1] = static_cast<BYTE>(y * 255 / kHeight + ((x ^ y) & 15));
            p[3 * x + 2] = static_cast<BYTE>((x + y) % 256);
        }
    }
    return made;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Engine(VkiDrw* drw, HBITMAP src, int w, int h, HBITMAP* out)
{
    double t0 = BenchNow();
    int rc = VkeDrwStretchDIB(drw, out, w, h, src, 0, 0, kWidth, kHeight, 0, nullptr, HALFTONE);
    double t = BenchNow() - t0;
    if (rc != 0) {
        fprintf(stderr, "VkeDrwStretchDIB gave %d\n", rc);
        exit(1);
    }
    return t;
}

double Platform(HDC from, HDC to, int w, int h)
{
    double t0 = BenchNow();
    SetStretchBltMode(to, COLORONCOLOR);
    BOOL ok = StretchBlt(to, 0, 0, w, h, from, 0, 0, kWidth, kHeight, SRCCOPY);
    GdiFlush();
    double t = BenchNow() - t0;
    if (!ok) {
        fprintf(stderr, "StretchBlt failed\n");
        exit(1);
    }
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? atoi(argv[1]) : 15;
    if (rounds < 1) rounds = 1;
    BenchEngine engine;
    VkiDrw* drw = engine.drw;
    if (!drw) return 1;
    HBITMAP src = MakeSource();
    if (!src) return 1;

    printf("%-12s %12s %12s %7s\n", "to", "engine ms", "platform ms", "ratio");
    const int sizes[][2] = {{1200, 800}, {160, 107}};
    for (const auto& size : sizes) {
        int w = size[0], h = size[1];
        // The engine reuses its result bitmap, as a drawing area does at each paint.
        HBITMAP out = nullptr;
        BYTE* rows = nullptr;
        HBITMAP target = MakeDIB(w, h, &rows);
        HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
        HGDIOBJ oldTo = SelectObject(to, target);
        std::vector<double> averaged, platform;
        Engine(drw, src, w, h, &out); // warm up: pages touched, workers started
        for (int i = 0; i < rounds; ++i) {
            averaged.push_back(Engine(drw, src, w, h, &out));
            // The source is selected only while the platform reads it: the engine selects it itself.
            HGDIOBJ oldFrom = SelectObject(from, src);
            platform.push_back(Platform(from, to, w, h));
            SelectObject(from, oldFrom);
        }
        double e = Median(averaged) * 1000, p = Median(platform) * 1000;
        printf("%4d x %-5d %12.2f %12.2f %7.2f\n", w, h, e, p, e / p);
        // An averaged reduction is a paint's work: it must fit in a frame.
        char what[64];
        snprintf(what, sizeof(what), "averaged reduction to %d x %d", w, h);
        BenchTarget(what, e, 16, "ms");
        SelectObject(to, oldTo);
        DeleteDC(from);
        DeleteDC(to);
        DeleteObject(target);
        VkeDrwCloseImage(drw, &out);
    }
    DeleteObject(src);
    return 0;
}
