// Times the thumbnail cache as the program fills it. The framework starts as the program starts
// it (the application object through AfxWinMain, the settings, a main frame, the engine, the file
// list's settings record); N (default 50) distinct 3000 x 2000 JPEGs made at build time then go
// through CmnImg::OpenTmnImage into 100 x 100 thumbnails (the fill), and again (a pass of hits).
// The same files decoded and reduced by GDI+ alone (GdipCreateBitmapFromFile,
// GdipGetImageThumbnail) in the same run are the baseline. Prints thumbnails per second, the
// fill's time over the baseline's, and the cache's memory.
// Run: cd build/bench && ../../scripts/wine-run BenchTmnCache.exe [N] [rounds]
#include "BenchSupport.h"
#include "CmnApp.h"
#include "CmnImg.h"
#include "CmnSub.h"
#include <gdiplus.h>
#include <stdlib.h>
#include <vector>

namespace {

const int kMade = 50; // images made at build time
int g_count = kMade;
int g_rounds = 3;
int g_result = 1;

struct Best {
    double fill = 1e9, hits = 1e9, bare = 1e9;
};

std::string ImagePath(int i)
{
    char name[32];
    snprintf(name, sizeof(name), "Tmn\\tmn%02d.jpg", i + 1);
    return BenchBeside(name);
}

double WorkingSetMB()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return static_cast<double>(pmc.WorkingSetSize) / (1024.0 * 1024.0);
}

// One item through the cache: the seconds it took, or -1 when it failed or was not cached.
double Open(LPCITEMIDLIST item)
{
    HBITMAP image = nullptr;
    int width = 0, height = 0, cached = 0;
    double t0 = BenchNow();
    int rc = theCmnImg.OpenTmnImage(item, 1, nullptr, &image, &width, &height, &cached);
    theCmnImg.CloseTmnImage(1, &image);
    double t = BenchNow() - t0;
    if (rc == VKE_OK && cached && width == 100) return t;
    fprintf(stderr, "OpenTmnImage gave %d (%d x %d, cached %d)\n", rc, width, height, cached);
    return -1;
}

// The bare decode and reduction of GDI+ (as the engine's draw object started it), keeping the
// proportions as the cache does: the seconds, or -1.
double Bare(const std::string& path)
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

// Bytes of the cached thumbnails' pixels.
double CacheBytes()
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

int RunBench()
{
    std::vector<std::string> paths;
    std::vector<LPITEMIDLIST> items;
    for (int i = 0; i < g_count; ++i) {
        paths.push_back(ImagePath(i));
        // The files into the system's cache, as the baseline will find them too.
        FILE* f = fopen(paths.back().c_str(), "rb");
        if (!f) {
            fprintf(stderr, "%s is missing (made by the build)\n", paths.back().c_str());
            return 1;
        }
        char block[65536];
        while (fread(block, 1, sizeof(block), f) == sizeof(block)) {
        }
        fclose(f);
        // Item-id lists kept by the caller, as the file list keeps its items.
        items.push_back(theCmnSub.GetItemIdList(paths.back().c_str()));
    }
    theCmnAppInf.iCntImgCacTmn = g_count;

    // Both roads once before timing: the codecs loaded, the first-use costs paid.
    if (Bare(paths[0]) < 0 || Open(items[0]) < 0) return 1;
    theCmnImg.ClearCache(0);

    // Each file by both roads in turn, so both meet the same load of a shared machine.
    Best best;
    double growth = 0, bytes = 0;
    for (int r = 0; r < g_rounds; ++r) {
        double bare = 0, fill = 0, hits = 0;
        double before = WorkingSetMB();
        for (int i = 0; i < g_count; ++i) {
            double b = Bare(paths[i]), f = Open(items[i]);
            if (b < 0 || f < 0) return 1;
            bare += b;
            fill += f;
        }
        if (r == 0) {
            growth = WorkingSetMB() - before;
            bytes = CacheBytes();
        }
        const int count = theCmnImg.GetCacheCount(0);
        for (LPCITEMIDLIST item : items) {
            double h = Open(item);
            if (h < 0) return 1;
            hits += h;
        }
        if (theCmnImg.GetCacheCount(0) != count) {
            fprintf(stderr, "the pass of hits missed\n");
            return 1;
        }
        theCmnImg.ClearCache(0);
        if (bare < best.bare) best.bare = bare;
        if (fill < best.fill) best.fill = fill;
        if (hits < best.hits) best.hits = hits;
    }
    for (LPITEMIDLIST& item : items) theCmnSub.FreeItemIdList(&item);

    const double n = g_count;
    printf("%d distinct 3000 x 2000 JPEGs into 100 x 100 thumbnails, best of %d rounds\n", g_count, g_rounds);
    printf("%-34s %10s %12s\n", "", "seconds", "thumbs / s");
    printf("%-34s %10.3f %12.1f\n", "cache fill (OpenTmnImage, misses)", best.fill, n / best.fill);
    printf("%-34s %10.4f %12.1f\n", "cache hits (OpenTmnImage)", best.hits, n / best.hits);
    printf("%-34s %10.3f %12.1f\n", "GDI+ alone (decode, thumbnail)", best.bare, n / best.bare);
    printf("fill / GDI+ time ratio: %.3f (target at most 1.15)\n", best.fill / best.bare);
    printf("cache: %.0f bytes of thumbnail pixels (%.1f KB each); working set grew %.1f MB over the fill; peak %.1f MB\n",
           bytes, bytes / n / 1024.0, growth, BenchPeakMB());
    return 0;
}

class BenchApp : public CmnApp {
public:
    BOOL InitInstance() override;
};

BenchApp theApp;

// The engine's folders the start makes beside the program, removed again when the run made them.
const char* const kFolders[] = {"Vkt", "Usr", "Tmp"};

BOOL BenchApp::InitInstance()
{
    if (!CmnApp::InitInstance(10)) return FALSE;
    ReadIni();
    bool existed[3];
    for (int i = 0; i < 3; ++i) existed[i] = GetFileAttributesA(BenchBeside(kFolders[i]).c_str()) != INVALID_FILE_ATTRIBUTES;
    CWnd frame;
    if (!frame.CreateEx(0, nullptr, "Pictavo", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr)) return FALSE;
    theCmnAppInf.pMainFrame = &frame;
    int rc = Init();
    if (rc == VKE_OK) rc = InitApi();
    if (rc == VKE_OK) {
        ReadLscFilInf();
        g_result = RunBench();
        TermApi();
    } else {
        fprintf(stderr, "the framework did not start (%d)\n", rc);
    }
    Term();
    frame.DestroyWindow();
    // The start made the user folder the current one.
    SetCurrentDirectoryA(BenchBeside("").c_str());
    for (int i = 0; i < 3; ++i)
        if (!existed[i]) RemoveDirectoryA(BenchBeside(kFolders[i]).c_str());
    return FALSE; // no message loop: the run is over
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) g_count = atoi(argv[1]) < 1 ? 1 : atoi(argv[1]) > kMade ? kMade : atoi(argv[1]);
    if (argc > 2) g_rounds = atoi(argv[2]) < 1 ? 1 : atoi(argv[2]);
    AfxWinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_HIDE);
    return g_result;
}
