// Times the thumbnail cache as the program fills it. The framework starts as the program starts
// it (the application object through AfxWinMain, the settings, a main frame, the engine, the file
// list's settings record). Two sets of distinct 3000 x 2000 (6 MP) JPEGs made at build time, 50
// baseline and 20 progressive, go into 100 x 100 thumbnails three ways, each file by each way in
// turn so all meet the same load of a shared machine:
//   - the fill: CmnImg::OpenTmnImage (misses), which reads these files by the reduced decode;
//   - the engine's road, which every file took before and everything the reduced decode declines
//     still takes: the engine opens the whole picture and stretches it (OpenImage,
//     StretchDIBWithBitCnt, as OpenTmnImage calls them);
//   - GDI+ alone (GdipCreateBitmapFromFile, GdipGetImageThumbnail): the platform's own road.
// A pass of hits follows each fill. Prints thumbnails per second, the ratios, and the cache's memory.
// Run: cd build/bench && ../../scripts/wine-run BenchTmnCache.exe [N] [rounds]
#include "BenchGdiplus.h"
#include "BenchSupport.h"
#include "BenchCmnImg.h"
#include "CmnApp.h"
#include "CmnImg.h"
#include "CmnSub.h"
#include <stdlib.h>
#include <vector>

namespace {

const int kMade = 50;        // baseline images made at build time
const int kMadeProgressive = 20; // progressive ones
int g_count = kMade;
int g_rounds = 3;
int g_result = 1;

struct Best {
    double fill = 1e9, hits = 1e9, engine = 1e9, bare = 1e9;
};

std::string ImagePath(const char* prefix, int i)
{
    char name[32];
    snprintf(name, sizeof(name), "Tmn\\%s%02d.jpg", prefix, i + 1);
    return BenchBeside(name);
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

// The engine's road for one file, through the image service's locked wrappers: the whole picture
// opened, then stretched into the thumbnail box as OpenTmnImage stretches it. The seconds, or -1.
double Engine(const std::string& path)
{
    const LscFii& lsc = theCmnAppInf.lscFii;
    HBITMAP full = nullptr, thumb = nullptr;
    int type = 0, known = 0, width = 0, height = 0, bits = 0;
    float xRes = 0, yRes = 0;
    double t0 = BenchNow();
    bool ok = theCmnImg.OpenImage(path.c_str(), &full, &type, &xRes, &yRes, &known) == VKE_OK &&
              theCmnImg.GetImageInf(full, &width, &height, &bits) == VKE_OK &&
              theCmnImg.StretchDIBWithBitCnt(&thumb, lsc.iWidthTmnImg, lsc.iHeightTmnImg, full, 0, 0, width, height,
                                             -1, 1, nullptr, theCmnAppInf.iModeStretch) == VKE_OK;
    theCmnImg.CloseImage(&full);
    theCmnImg.CloseImage(&thumb);
    double t = BenchNow() - t0;
    if (ok) return t;
    fprintf(stderr, "the engine's road failed for %s\n", path.c_str());
    return -1;
}

// One set of files by the three roads. Returns 0, or 1 when a road failed; *fillRate and
// *platformRatio for the targets.
int RunSet(const char* kind, const char* prefix, int count, double* fillRate, double* platformRatio)
{
    std::vector<std::string> paths;
    std::vector<LPITEMIDLIST> items;
    for (int i = 0; i < count; ++i) {
        paths.push_back(ImagePath(prefix, i));
        // The files into the system's cache, as the other roads will find them too.
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
    theCmnAppInf.iCntImgCacTmn = count;

    // Every road once before timing: the codecs loaded, the first-use costs paid.
    if (BenchGdiplusThumbnail(paths[0]) < 0 || Engine(paths[0]) < 0 || Open(items[0]) < 0) return 1;
    theCmnImg.ClearCache(0);

    Best best;
    double growth = 0, bytes = 0;
    for (int r = 0; r < g_rounds; ++r) {
        double bare = 0, engine = 0, fill = 0, hits = 0;
        double before = BenchWorkingSetMB();
        for (int i = 0; i < count; ++i) {
            double b = BenchGdiplusThumbnail(paths[i]), e = Engine(paths[i]), f = Open(items[i]);
            if (b < 0 || e < 0 || f < 0) return 1;
            bare += b;
            engine += e;
            fill += f;
        }
        if (r == 0) {
            growth = BenchWorkingSetMB() - before;
            bytes = BenchCacheBytes();
        }
        const int cachedCount = theCmnImg.GetCacheCount(0);
        for (LPCITEMIDLIST item : items) {
            double h = Open(item);
            if (h < 0) return 1;
            hits += h;
        }
        if (theCmnImg.GetCacheCount(0) != cachedCount) {
            fprintf(stderr, "the pass of hits missed\n");
            return 1;
        }
        theCmnImg.ClearCache(0);
        if (bare < best.bare) best.bare = bare;
        if (engine < best.engine) best.engine = engine;
        if (fill < best.fill) best.fill = fill;
        if (hits < best.hits) best.hits = hits;
    }
    for (LPITEMIDLIST& item : items) theCmnSub.FreeItemIdList(&item);

    const double n = count;
    printf("%d distinct 3000 x 2000 %s JPEGs into 100 x 100 thumbnails, best of %d rounds\n", count, kind, g_rounds);
    printf("  %-40s %10s %12s\n", "", "seconds", "thumbs / s");
    printf("  %-40s %10.3f %12.1f\n", "cache fill (OpenTmnImage: reduced decode)", best.fill, n / best.fill);
    printf("  %-40s %10.3f %12.1f\n", "engine's road (open, stretch)", best.engine, n / best.engine);
    printf("  %-40s %10.3f %12.1f\n", "GDI+ alone (decode, thumbnail)", best.bare, n / best.bare);
    printf("  %-40s %10.4f %12.1f\n", "cache hits (OpenTmnImage)", best.hits, n / best.hits);
    printf("  fill speed: %.1f x the engine's road, %.1f x GDI+ alone\n", best.engine / best.fill,
           best.bare / best.fill);
    printf("  cache: %.0f bytes of thumbnail pixels (%.1f KB each); working set grew %.1f MB over the fill\n", bytes,
           bytes / n / 1024.0, growth);
    *fillRate = n / best.fill;
    *platformRatio = best.bare / best.fill;
    return 0;
}

int RunBench()
{
    double rate = 0, ratio = 0, progressiveRate = 0, progressiveRatio = 0;
    if (RunSet("baseline", "tmn", g_count, &rate, &ratio) != 0) return 1;
    const int progressive = g_count < kMadeProgressive ? g_count : kMadeProgressive;
    if (RunSet("progressive", "prg", progressive, &progressiveRate, &progressiveRatio) != 0) return 1;
    BenchTarget("baseline fill, thumbnails a second", rate, 40, "/ s", false);
    BenchTarget("baseline fill over GDI+ alone", ratio, 5, "x", false);
    BenchTarget("progressive fill over GDI+ alone", progressiveRatio, 5, "x", false);
    printf("progressive fill: %.1f thumbnails / s\n", progressiveRate);
    printf("peak working set %.1f MB\n", BenchPeakMB());
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
