// The preview panel in the program, started in this process with the preview in its panel (not
// a tab). Printed:
//   - big.jpg (6000 x 4000) picked in the file list until the preview's drawing area is painted,
//     the best of the runs, beside the bare engine read of the same file (VkeDrwOpenImage and its
//     close) in the same run; target at most 1.3 x;
//   - the 50 JPEGs of 6 MP of Tmn walked one Down key at a time (each posted to the list once the
//     step before is painted) while the folder's thumbnails are still being made: the median and
//     the longest step until the next image is painted, and whether every key moved the preview
//     one file on;
//   - the working set before the first and after the last preview.
//
//   scripts/bench BenchPreview [runs]
#include "BenchInApp.h"
#include "CmnImg.h"
#include "CmnLscFil.h"
#include "CmnSub.h"
#include "DlbPnlLscFil.h"
#include "DlbPnlPrv.h"
#include "DlbPnlTrcFld.h"
#include <algorithm>
#include <vector>

namespace {

int g_runs = 3;

class Bench {
public:
    explicit Bench(ChildFrm* frame)
        : m_tree(frame->GetPnlTrcFld()), m_panel(frame->GetPnlLscFil()), m_list(m_panel.GetLscFil()),
          m_prv(frame->GetPnlPrv())
    {
    }
    int Run();

private:
    bool Filled(int count) { return !m_list->IsActiveThread(0) && m_list->IsWindowEnabled() && m_list->GetItemCount() == count; }
    bool Painted() { return !GetUpdateRect(m_prv.GetDraWnd(), nullptr, FALSE); }
    bool Shows(const std::string& path) { return _stricmp(m_prv.GetPathName(), path.c_str()) == 0 && Painted(); }
    // The tree shows the folder; its names are listed (thumbnails may still come).
    bool ShowFolder(const std::string& folder, int count)
    {
        m_tree.SetCurPath(folder.c_str(), 1);
        return BenchPump(60, [&] { return Filled(count); }) >= 0;
    }
    double Pick(const std::string& path);
    double BareOpen(const std::string& path);
    bool Walk(std::vector<double>* steps, int* lost);

    DlbPnlTrcFld& m_tree;
    DlbPnlLscFil& m_panel;
    CmnLscFil* m_list;
    DlbPnlPrv& m_prv;
    std::string m_bench = BenchFullBeside("."), m_tmn = BenchFullBeside("Tmn"), m_empty = BenchFullBeside("PrvEmpty");
};

// The file picked as a click picks it (the list selects it and reports it to the frame), until
// the preview's area is painted.
double Bench::Pick(const std::string& path)
{
    double t0 = BenchNow();
    m_list->SetCurPath(path.c_str(), 1);
    if (BenchPump(60, [&] { return Shows(path); }) < 0) {
        fprintf(stderr, "the preview shows \"%s\", not %s\n", static_cast<const char*>(m_prv.GetPathName()), path.c_str());
        return -1;
    }
    return BenchNow() - t0;
}

double Bench::BareOpen(const std::string& path)
{
    HBITMAP image = nullptr;
    int type = 0, known = 0;
    float x = 0, y = 0;
    double t0 = BenchNow();
    int rc = VkeDrwOpenImage(theCmnAppInf.pDrw, path.c_str(), &image, &type, &x, &y, &known);
    VkeDrwCloseImage(theCmnAppInf.pDrw, &image);
    return rc == VKE_OK ? BenchNow() - t0 : -1;
}

bool Bench::Walk(std::vector<double>* steps, int* lost)
{
    // Thumbnails are made afresh while the keys walk.
    if (!ShowFolder(m_empty, 0)) return false;
    theCmnImg.ClearCache(0);
    if (!ShowFolder(m_tmn, 70)) return false;
    char name[MAX_PATH];
    snprintf(name, sizeof(name), "%s\\tmn01.jpg", m_tmn.c_str());
    if (Pick(name) < 0) return false;
    HWND list = m_list->m_hWnd;
    for (int i = 2; i <= 50; ++i) {
        snprintf(name, sizeof(name), "%s\\tmn%02d.jpg", m_tmn.c_str(), i);
        const std::string next = name;
        double t0 = BenchNow();
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageA(list, WM_KEYUP, VK_DOWN, 0xC0000001);
        if (BenchPump(30, [&] { return Shows(next); }) < 0) {
            ++*lost;
            // The walk goes on from where the preview is.
            m_list->SetCurPath(next.c_str(), 1);
            BenchPump(30, [&] { return Shows(next); });
            continue;
        }
        steps->push_back(BenchNow() - t0);
    }
    return true;
}

int Bench::Run()
{
    const std::string big = m_bench + "\\big.jpg";
    if (GetFileAttributesA(big.c_str()) == INVALID_FILE_ATTRIBUTES ||
        GetFileAttributesA((m_tmn + "\\tmn50.jpg").c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "big.jpg or Tmn is missing (made at build time)\n");
        return 1;
    }
    if (!m_prv.IsWindowVisible()) {
        fprintf(stderr, "the preview panel does not show\n");
        return 1;
    }
    CreateDirectoryA(m_empty.c_str(), nullptr);
    m_tree.SetCurPath(m_bench.c_str(), 1);
    BenchPump(60, [&] { return !m_list->IsActiveThread(0) && m_list->IsWindowEnabled() && m_list->GetItemCount() > 0; });
    const double before = BenchWorkingSetMB();
    // Each road read once first: the system's cache holds the file for both alike.
    BareOpen(big);
    double pick = 1e9, bare = 1e9;
    for (int r = 0; r < g_runs; ++r) {
        double p = Pick(big), b = BareOpen(big);
        if (p < 0 || b < 0) {
            fprintf(stderr, "big.jpg did not show (pick %.3f, bare %.3f)\n", p, b);
            return 1;
        }
        pick = std::min(pick, p);
        bare = std::min(bare, b);
    }
    std::vector<double> steps;
    int lost = 0;
    if (!Walk(&steps, &lost) || steps.empty()) {
        fprintf(stderr, "the walk through Tmn did not run\n");
        return 1;
    }
    const double after = BenchWorkingSetMB();
    std::sort(steps.begin(), steps.end());
    const double median = steps[steps.size() / 2], longest = steps.back();
    printf("preview panel, best of %d runs\n", g_runs);
    printf("  big.jpg picked until painted: %6.0f ms; bare read %6.0f ms\n", pick * 1000, bare * 1000);
    BenchTarget("big.jpg picked until painted / bare read", pick / bare, 1.3, "x");
    printf("  49 Down keys over 6 MP JPEGs while thumbnails fill: median %.0f ms, longest %.0f ms\n", median * 1000,
           longest * 1000);
    BenchTarget("Down keys lost while thumbnails fill", lost, 0, "keys");
    printf("  working set %.1f MB before the first preview, %.1f MB after the last (one 6 MP image: %.1f MB)\n", before,
           after, 3000.0 * 2000 * 3 / 1048576);
    printf("  peak working set %.1f MB\n", BenchPeakMB());
    m_tree.SetCurPath(m_bench.c_str(), 1);
    RemoveDirectoryA(m_empty.c_str());
    return 0;
}

int RunBench(HalcorApp*, ChildFrm* frame)
{
    if (!frame->GetPnlLscFil().GetLscFil()) {
        fprintf(stderr, "the program has no file list\n");
        return 1;
    }
    Bench bench(frame);
    return bench.Run();
}

BenchInApp theApp({{"Application Information", "bOpnSmpImg", "0"},
                   {"Application Information", "SopPni_bPrvImgTab", "0"},
                   {"Common Information", "LscFii_iModeLstViw", "1"}},
                  RunBench);

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) g_runs = atoi(argv[1]) < 1 ? 1 : atoi(argv[1]);
    AfxWinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOW);
    return theApp.Result();
}
