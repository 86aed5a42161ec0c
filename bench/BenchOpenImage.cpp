// Times VkeDrwOpenImage against the platform's bare decode (GDI+ file decode and its HBITMAP) on
// the 6000 x 4000 JPEG and PNG made at build time, in the same run, and prints the ratio and the
// peak working set. Run: scripts/wine-run build/bench/BenchOpenImage.exe [rounds]
#include "BenchSupport.h"
#include <gdiplus.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

namespace {

// The bare decode: what GDI+ alone does to turn the file into a bitmap (GDI+ as the engine's draw
// object started it).
double Bare(const std::string& path)
{
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    double t0 = BenchNow();
    Gdiplus::GpBitmap* image = nullptr;
    HBITMAP bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(wide, &image) != Gdiplus::Ok ||
        Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0xFF000000) != Gdiplus::Ok) {
        fprintf(stderr, "bare decode of %s failed\n", path.c_str());
        exit(1);
    }
    Gdiplus::DllExports::GdipDisposeImage(image);
    double t = BenchNow() - t0;
    DeleteObject(bitmap);
    return t;
}

double Engine(VkiDrw* drw, const std::string& path)
{
    HBITMAP bitmap = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    double t0 = BenchNow();
    int rc = VkeDrwOpenImage(drw, path.c_str(), &bitmap, &type, &xr, &yr, &known);
    double t = BenchNow() - t0;
    if (rc != 0) {
        fprintf(stderr, "VkeDrwOpenImage of %s gave %d\n", path.c_str(), rc);
        exit(1);
    }
    VkeDrwCloseImage(drw, &bitmap);
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? atoi(argv[1]) : 5;
    if (rounds < 1) rounds = 1;
    BenchEngine bench;
    VkiDrw* drw = bench.drw;
    if (!drw) return 1;

    const char* names[] = {"big.jpg", "big.png"};
    printf("%-8s %10s %10s %7s %12s\n", "file", "bare s", "engine s", "ratio", "peak MB");
    for (const char* name : names) {
        std::string path = BenchBeside(name);
        Bare(path); // the file into the cache and the codec loaded
        Engine(drw, path);
        // The best of the rounds, the two alternating, so both see the same machine.
        double bare = 1e9, engine = 1e9;
        for (int i = 0; i < rounds; ++i) {
            double b = Bare(path), e = Engine(drw, path);
            if (b < bare) bare = b;
            if (e < engine) engine = e;
        }
        printf("%-8s %10.3f %10.3f %7.3f %12.1f\n", name, bare, engine, engine / bare, BenchPeakMB());
        BenchTarget(std::string(name) + ": engine's open / bare decode", engine / bare, 1.0, "x");
    }
    return 0;
}
