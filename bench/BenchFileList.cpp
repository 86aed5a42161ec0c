// The file list in the program, started in this process as the frame tests start it (the
// application's InitInstance: its main frame, panels and engine; settings of a later run). The
// folder tree selects folders made at build time (MakeListFolders.sh): Small10000, 10,000 small
// bitmaps, and Jpg1000, 1,000 JPEGs of 6 MP (the thumbnail benchmark's 50 pictures and hard links
// to them). Printed, each the best of its runs:
//   - the time until all 10,000 names are in the list (thumbnail and details views): the tree's
//     selection until the filling worker ended and the list is enabled again;
//   - the time until all thumbnails of Jpg1000 are made (cache of 1,000 and of 300), as
//     thumbnails per second, beside the same files through the image service alone
//     (OpenTmnImage in a loop, the bare rate) and GDI+ alone (decode and thumbnail, 50 files);
//   - the longest gap of a 10 ms timer while Jpg1000 fills, wheel notches are posted to the list
//     every 50 ms and a 6 MP page opens, beyond the longest gap of the same open alone;
//   - the cache's DIB bytes and the working set's growth over the fill with a cache of 1,000;
//   - the options dialog over the list holding 1,000 thumbnails (cache 1,000): its first showing
//     until it is painted, then thumbnails 64 wide typed on its panel page and applied until the
//     dialog answers again, and the timer's longest gap over both and the second after.
// Targets: 10,000 names under 1 s; thumbnails at least 85 % of the bare rate; no gap above
// 100 ms beyond the open; working set growth at most 1.5 x the DIB bytes; the options painted
// within 0.3 s and answering within 0.5 s of the change.
//
//   scripts/bench BenchFileList [runs [gap|options]]
#include "BenchGdiplus.h"
#include "BenchInApp.h"
#include "BenchCmnImg.h"
#include "CmnImg.h"
#include "CmnLscFil.h"
#include "CmnSub.h"
#include "DlbPnlLscFil.h"
#include "DlbPnlTrcFld.h"
#include "DlgSetOpt.h"
#include "DlgSop.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <stdlib.h>
#include <functional>
#include <vector>

namespace {

int g_runs = 3;
const char* g_phase = ""; // "gap": only the timer's gaps

// ---- The timer whose gaps are measured ----

struct Ticks {
    bool on = false;
    double last = 0;
    double longest = 0;
} g_ticks;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    double now = BenchNow();
    if (g_ticks.on && g_ticks.last > 0 && now - g_ticks.last > g_ticks.longest) g_ticks.longest = now - g_ticks.last;
    g_ticks.last = now;
}

BOOL CALLBACK Unpainted(HWND wnd, LPARAM lParam)
{
    if (!IsWindowVisible(wnd) || !GetUpdateRect(wnd, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
}

// The window and every shown descendant painted.
bool Painted(HWND wnd)
{
    bool left = IsWindowVisible(wnd) && GetUpdateRect(wnd, nullptr, FALSE);
    if (!left) EnumChildWindows(wnd, Unpainted, reinterpret_cast<LPARAM>(&left));
    return IsWindowVisible(wnd) && !left;
}

class Bench {
public:
    Bench(HalcorApp* app, ChildFrm* frame)
        : m_app(app), m_tree(frame->GetPnlTrcFld()), m_panel(frame->GetPnlLscFil()), m_list(m_panel.GetLscFil())
    {
    }
    int Run();

private:
    // The tree selects the folder; the list fills.
    void Show(const std::string& folder) { m_tree.SetCurPath(folder.c_str(), 1); }
    bool Filled(int count)
    {
        return !m_list->IsActiveThread(0) && m_list->IsWindowEnabled() && m_list->GetItemCount() == count;
    }
    bool ThumbnailsMade(int count)
    {
        return Filled(count) && !m_list->IsActiveThread(1) && theCmnImg.GetCacheCount(0) >= (count < Cache() ? count : Cache());
    }
    static int Cache() { return theCmnAppInf.iCntImgCacTmn; }
    void SetCache(int count)
    {
        theCmnAppInf.iCntImgCacTmn = count;
        m_list->SetLscFii();
    }
    void Empty()
    {
        Show(m_empty);
        BenchPump(10, [this] { return Filled(0); });
        theCmnImg.ClearCache(0);
    }
    double Names(int mode);
    double Thumbnails(int cache, double* bytes, double* growth);
    double BareFill(int count);
    double GdiplusAlone();
    // The longest gap of the timer around an open of a file not open yet (during the fill when
    // fill is set), the best of the runs.
    double Gaps(bool fill);
    double Gap(const std::string& path, bool fill);
    // The options dialog's first showing and the thumbnail width applied through it (seconds
    // each), the timer's longest gap over them; false when a step did not end.
    bool Options(double* show, double* apply, double* gap);
    int RunOptions();
    int m_iOpened = 0; // files of Jpg1000 opened as pages

    HalcorApp* m_app;
    DlbPnlTrcFld& m_tree;
    DlbPnlLscFil& m_panel;
    CmnLscFil* m_list;
    std::string m_small = BenchFullBeside("List\\Small10000"), m_big = BenchFullBeside("List\\Jpg1000"), m_empty = BenchFullBeside("List\\Empty");
};

double Bench::Names(int mode)
{
    Empty();
    m_panel.SetListViewMode(mode);
    double best = 1e9;
    for (int r = 0; r < g_runs; ++r) {
        Empty();
        double t0 = BenchNow();
        Show(m_small);
        if (BenchPump(120, [this] { return Filled(10000); }) < 0) return -1;
        double t = BenchNow() - t0;
        if (t < best) best = t;
    }
    return best;
}

double Bench::Thumbnails(int cache, double* bytes, double* growth)
{
    m_panel.SetListViewMode(LscModeTmn);
    SetCache(cache);
    double best = 1e9;
    for (int r = 0; r < g_runs; ++r) {
        Empty();
        double before = BenchWorkingSetMB();
        double t0 = BenchNow();
        Show(m_big);
        if (BenchPump(600, [this] { return ThumbnailsMade(1000); }) < 0) return -1;
        double t = BenchNow() - t0;
        if (r == 0) {
            *growth = BenchWorkingSetMB() - before;
            *bytes = BenchCacheBytes();
        }
        if (t < best) best = t;
    }
    return best;
}

// The last count files of Jpg1000 through the image service alone, as the list's worker takes
// them: the seconds.
double Bench::BareFill(int count)
{
    Empty();
    std::vector<LPITEMIDLIST> items;
    for (int i = 1001 - count; i <= 1000; ++i) {
        char name[MAX_PATH];
        snprintf(name, sizeof(name), "%s\\p%04d.jpg", m_big.c_str(), i);
        items.push_back(theCmnSub.GetItemIdList(name));
    }
    double best = 1e9;
    for (int r = 0; r < g_runs; ++r) {
        theCmnImg.ClearCache(0);
        double t0 = BenchNow();
        for (LPCITEMIDLIST item : items) {
            HBITMAP image = nullptr;
            int w = 0, h = 0, cached = 0;
            theCmnImg.OpenTmnImage(item, 1, nullptr, &image, &w, &h, &cached);
            theCmnImg.CloseTmnImage(1, &image);
        }
        double t = BenchNow() - t0;
        if (t < best) best = t;
    }
    for (LPITEMIDLIST& item : items) theCmnSub.FreeItemIdList(&item);
    theCmnImg.ClearCache(0);
    return best;
}

double Bench::GdiplusAlone()
{
    double total = 0;
    for (int i = 1; i <= 50; ++i) {
        char name[MAX_PATH];
        snprintf(name, sizeof(name), "%s\\p%04d.jpg", m_big.c_str(), i);
        double t = BenchGdiplusThumbnail(name);
        if (t < 0) return -1;
        total += t;
    }
    return total;
}

double Bench::Gap(const std::string& path, bool fill)
{
    m_panel.SetListViewMode(LscModeTmn);
    SetCache(300);
    Empty();
    UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    g_ticks = Ticks();
    BenchPump(0.2, [] { return false; });
    // The selection (the folder listed and sorted on this thread) comes first; the gaps are
    // those of the fill that follows it.
    if (fill) Show(m_big);
    g_ticks.last = BenchNow();
    g_ticks.on = true;
    HWND list = m_list->m_hWnd;
    RECT rect;
    GetWindowRect(list, &rect);
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    bool opened = false;
    double nextWheel = 0;
    auto step = [&](double elapsed) {
        if (fill && elapsed >= nextWheel) {
            PostMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), point);
            nextWheel += 0.05;
        }
        if (!opened && elapsed >= 0.3) {
            opened = true;
            m_app->BeginOpenFile();
            m_app->EndOpenFile(m_app->OpenFile(path.c_str(), 0, 0, 1));
        }
    };
    // The timer's ticks after the open count too.
    double t = BenchPump(600, [&] { return opened && BenchNow() - g_ticks.last < 0.02 && (!fill || ThumbnailsMade(1000)); },
                    step);
    g_ticks.on = false;
    KillTimer(nullptr, timer);
    return t < 0 ? -1 : g_ticks.longest;
}

double Bench::Gaps(bool fill)
{
    double best = 1e9;
    for (int r = 0; r < g_runs; ++r) {
        char path[MAX_PATH];
        snprintf(path, sizeof(path), "%s\\p%04d.jpg", m_big.c_str(), ++m_iOpened);
        double gap = Gap(path, fill);
        if (gap < 0) return -1;
        if (gap < best) best = gap;
    }
    return best;
}

bool Bench::Options(double* show, double* apply, double* gap)
{
    DlgSetOpt* dlg = m_app->GetSetOptDlg();
    if (!dlg || dlg->IsWindowVisible()) return false;
    m_panel.SetListViewMode(LscModeTmn);
    theCmnAppInf.lscFii.iWidthTmnImg = theCmnAppInf.lscFii.iHeightTmnImg = 100;
    SetCache(1000);
    Empty();
    Show(m_big);
    if (BenchPump(600, [this] { return ThumbnailsMade(1000); }) < 0) return false;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    g_ticks = Ticks();
    BenchPump(0.2, [] { return false; });
    g_ticks.last = BenchNow();
    g_ticks.on = true;
    double t0 = BenchNow();
    m_app->ShowSetOptDlg();
    bool ok = BenchPump(10, [dlg] { return Painted(dlg->m_hWnd); }) >= 0;
    *show = BenchNow() - t0;
    // The panel page in front, its width clicked and 64 typed as a person types it.
    dlg->SendMessage(WM_COMMAND, ID_VKA_SOP_PNI);
    BenchPump(0.1, [] { return false; });
    DlgSop* page = dlg->GetSopPage(SopTypPni);
    HWND width = page ? ::GetDlgItem(page->m_hWnd, IDC_DLGSOPPNI_WIDTH) : nullptr;
    ok = ok && width != nullptr;
    if (ok) {
        ::SetFocus(width);
        BenchPump(0.1, [] { return false; });
        ::SendMessageA(width, EM_SETSEL, 0, -1);
        for (char c : {'\b', '6', '4'}) ::SendMessageA(width, WM_CHAR, static_cast<WPARAM>(c), 1);
        BenchPump(0.1, [] { return false; });
    }
    // Apply, then what it posted handled, until the dialog answers a message again.
    double t1 = BenchNow();
    if (ok) dlg->SendMessage(WM_COMMAND, IDC_DLGSETOPT_APPLY);
    if (ok) ok = BenchPump(10, [dlg] { return dlg->SendMessage(WM_NULL) == 0; }) >= 0;
    *apply = BenchNow() - t1;
    BenchPump(1, [] { return false; });
    g_ticks.on = false;
    KillTimer(nullptr, timer);
    *gap = g_ticks.longest;
    ok = ok && theCmnAppInf.lscFii.iWidthTmnImg == 64 && m_list->GetSettings().iWidthTmnImg == 64;
    dlg->SendMessage(WM_COMMAND, IDCANCEL);
    BenchPump(0.2, [] { return false; });
    return ok;
}

int Bench::RunOptions()
{
    double show = 0, apply = 0, gap = 0;
    if (!Options(&show, &apply, &gap)) {
        fprintf(stderr, "the options dialog did not show or apply the thumbnail width\n");
        return 1;
    }
    printf("options dialog over 1,000 cached thumbnails\n");
    BenchTarget("options dialog, first showing until painted", show * 1000, 300, "ms");
    BenchTarget("options dialog, thumbnails 64 wide applied, answering", apply * 1000, 500, "ms");
    printf("  longest timer gap over both and the second after: %.0f ms\n", gap * 1000);
    return 0;
}

int Bench::Run()
{
    if (GetFileAttributesA((m_big + "\\p1000.jpg").c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "%s is missing (made at build time)\n", m_big.c_str());
        return 1;
    }
    CreateDirectoryA(m_empty.c_str(), nullptr);
    // Every file read once: the system's cache holds them for every road alike.
    for (const std::string& folder : {m_big, m_small}) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
        char block[65536];
        while (find != INVALID_HANDLE_VALUE) {
            if (FILE* f = fopen((folder + "\\" + data.cFileName).c_str(), "rb")) {
                while (fread(block, 1, sizeof(block), f) == sizeof(block)) {
                }
                fclose(f);
            }
            if (!FindNextFileA(find, &data)) break;
        }
        FindClose(find);
    }

    if (strcmp(g_phase, "options") == 0) return RunOptions();
    if (strcmp(g_phase, "gap") == 0) {
        double bare = Gaps(false), during = Gaps(true);
        printf("longest timer gap: during the fill %.0f ms, the open alone %.0f ms\n", during * 1000, bare * 1000);
        return during < 0 || bare < 0;
    }
    double namesTmn = Names(LscModeTmn), namesRpt = Names(LscModeRpt);
    double bytes = 0, growth = 0, unused = 0;
    double tmn1000 = Thumbnails(1000, &bytes, &growth);
    double tmn300 = Thumbnails(300, &unused, &unused);
    SetCache(1000);
    double bare1000 = BareFill(1000);
    double bare300 = BareFill(300);
    double gdiplus = GdiplusAlone();
    double gapBare = Gaps(false);
    double gapFill = Gaps(true);
    if (namesTmn < 0 || namesRpt < 0 || tmn1000 < 0 || tmn300 < 0 || gapBare < 0 || gapFill < 0 || gdiplus < 0) {
        fprintf(stderr, "a phase did not reach its goal (names %.3f %.3f, thumbnails %.3f %.3f, gaps %.3f %.3f)\n",
                namesTmn, namesRpt, tmn1000, tmn300, gapBare, gapFill);
        return 1;
    }
    double rate1000 = 1000 / tmn1000, rate300 = 300 / tmn300;
    double bareRate1000 = 1000 / bare1000, bareRate300 = 300 / bare300, gdiRate = 50 / gdiplus;
    double beyond = gapFill - gapBare;
    printf("file list, best of %d runs\n", g_runs);
    BenchTarget("10,000 names, thumbnail view", namesTmn * 1000, 1000, "ms");
    BenchTarget("10,000 names, details view", namesRpt * 1000, 1000, "ms");
    printf("  1,000 thumbnails, cache 1,000:       %7.0f ms, %6.1f / s; bare %6.1f / s\n", tmn1000 * 1000, rate1000,
           bareRate1000);
    BenchTarget("1,000 thumbnails, cache 1,000, of the bare rate", 100 * rate1000 / bareRate1000, 85, "%", false);
    printf("  thumbnails, cache 300:               %7.0f ms, %6.1f / s; bare %6.1f / s\n", tmn300 * 1000, rate300,
           bareRate300);
    BenchTarget("thumbnails, cache 300, of the bare rate", 100 * rate300 / bareRate300, 85, "%", false);
    printf("  GDI+ alone (decode, thumbnail):              %6.1f / s (the list: %.1f x)\n", gdiRate, rate1000 / gdiRate);
    printf("  longest timer gap: during the fill %.0f ms, the open alone %.0f ms\n", gapFill * 1000, gapBare * 1000);
    BenchTarget("longest timer gap during the fill beyond the open alone", beyond * 1000, 100, "ms");
    printf("  cache 1,000: %.1f MB of DIBs, working set grew %.1f MB\n", bytes / 1048576, growth);
    BenchTarget("working set growth over the cache's DIB bytes", growth * 1048576 / bytes, 1.5, "x");
    printf("  peak working set %.1f MB\n", BenchPeakMB());
    int rc = RunOptions();
    RemoveDirectoryA(m_empty.c_str());
    return rc;
}

int RunBench(HalcorApp* app, ChildFrm* frame)
{
    if (!frame->GetPnlLscFil().GetLscFil()) {
        fprintf(stderr, "the program has no file list\n");
        return 1;
    }
    Bench bench(app, frame);
    return bench.Run();
}

BenchInApp theApp({{"Application Information", "bOpnSmpImg", "0"}, {"Common Information", "LscFii_iModeLstViw", "1"}},
                  RunBench);

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) g_runs = atoi(argv[1]) < 1 ? 1 : atoi(argv[1]);
    if (argc > 2) g_phase = argv[2];
    AfxWinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOW);
    return theApp.Result();
}
