// Times a JPEG save of the 6000 x 4000 photo made at build time at quality 90 through the engine's
// own encoder (VkeDrwSaveImage with a quality, where the platform ignores it) against the platform's
// encoder (quality -1, and GDI+ alone), in the same run, and prints the ratio.
// Run: scripts/wine-run build/bench/BenchSaveJpeg.exe [rounds]
#include "BenchSupport.h"
#include <gdiplus.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

namespace Gdp = Gdiplus::DllExports;

namespace {

const GUID kQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

double FileMB(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA fa;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &fa)) return 0;
    return static_cast<double>(fa.nFileSizeLow) / (1024.0 * 1024.0);
}

// VkeDrwSaveImage at quality (-1: the platform's encoder); seconds.
double Export(VkiDrw* drw, HBITMAP bitmap, const std::string& path, int quality)
{
    double t0 = BenchNow();
    int rc = VkeDrwSaveImage(drw, path.c_str(), bitmap, 1, 0, 0, quality);
    double t = BenchNow() - t0;
    if (rc != 0) {
        fprintf(stderr, "VkeDrwSaveImage at quality %d gave %d\n", quality, rc);
        exit(1);
    }
    return t;
}

// GDI+ alone: the bitmap into a GDI+ image and saved at quality; seconds.
double Bare(VkiDrw* drw, HBITMAP bitmap, const std::string& path, ULONG quality)
{
    CLSID jpeg;
    VkeDrwGetEncClsIdByImgTyp(drw, 1, &jpeg);
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    Gdiplus::EncoderParameters params;
    params.Count = 1;
    params.Parameter[0] = {kQuality, 1, Gdiplus::EncoderParameterValueTypeLong, &quality};
    double t0 = BenchNow();
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdp::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) != Gdiplus::Ok ||
        Gdp::GdipSaveImageToFile(image, wide, &jpeg, &params) != Gdiplus::Ok) {
        fprintf(stderr, "GDI+ save failed\n");
        exit(1);
    }
    Gdp::GdipDisposeImage(image);
    return BenchNow() - t0;
}

// Adds a deterministic grain of -8..7 to every channel of a 24-bit DIB section.
bool AddGrain(HBITMAP bitmap)
{
    DIBSECTION ds;
    if (GetObjectA(bitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 24) return false;
    BYTE* p = static_cast<BYTE*>(ds.dsBm.bmBits);
    unsigned seed = 1;
    for (size_t i = 0, n = static_cast<size_t>(ds.dsBm.bmWidthBytes) * ds.dsBm.bmHeight; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        int v = p[i] + static_cast<int>((seed >> 16) & 15) - 8;
        p[i] = static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? atoi(argv[1]) : 3;
    if (rounds < 1) rounds = 1;
    BenchEngine bench;
    VkiDrw* drw = bench.drw;
    if (!drw) return 1;
    HBITMAP photo = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    if (VkeDrwOpenImage(drw, BenchBeside("big.jpg").c_str(), &photo, &type, &xr, &yr, &known) != 0) {
        fprintf(stderr, "big.jpg could not be opened\n");
        return 1;
    }
    std::string own = bench.Dir() + "\\own.jpg", platform = bench.Dir() + "\\platform.jpg",
                bare = bench.Dir() + "\\bare.jpg";
    // Whether the platform keeps the quality: two bare saves at 10 and 90.
    Bare(drw, photo, bare, 10);
    double low = FileMB(bare);
    Bare(drw, photo, bare, 90);
    printf("platform's encoder %s the quality (%.2f MB at 10, %.2f MB at 90)\n",
           low == FileMB(bare) ? "ignores" : "keeps", low, FileMB(bare));

    // The smooth photo, then the same with grain (a busier picture, more to code).
    printf("%-40s %8s %8s\n", "6000 x 4000 JPEG save", "s", "MB");
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1 && !AddGrain(photo)) return 1;
        // The best of the rounds, the three alternating, so all see the same machine.
        double tOwn = 1e9, tPlatform = 1e9, tBare = 1e9;
        for (int i = 0; i < rounds; ++i) {
            double a = Export(drw, photo, own, 90), b = Export(drw, photo, platform, -1), c = Bare(drw, photo, bare, 90);
            if (a < tOwn) tOwn = a;
            if (b < tPlatform) tPlatform = b;
            if (c < tBare) tBare = c;
        }
        const char* what = pass ? "grainy" : "smooth";
        printf("%s: VkeDrwSaveImage quality 90          %8.3f %8.2f\n", what, tOwn, FileMB(own));
        printf("%s: VkeDrwSaveImage quality -1 (GDI+)   %8.3f %8.2f\n", what, tPlatform, FileMB(platform));
        printf("%s: GDI+ alone, quality 90              %8.3f %8.2f\n", what, tBare, FileMB(bare));
        printf("%s: ratio quality 90 / quality -1: %.2f\n", what, tOwn / tPlatform);
        BenchTarget(std::string(what) + ": quality 90 / the platform's encoder", tOwn / tPlatform, 1.2, "x");
    }
    printf("peak %.0f MB\n", BenchPeakMB());
    VkeDrwCloseImage(drw, &photo);
    for (const std::string& f : {own, platform, bare}) DeleteFileA(f.c_str());
    return 0;
}
