// The cut frame's steps against a full redraw, timed to what the user sees: Pictavo.exe started
// with the 6000 x 4000 JPEG (fitted) in free frame mode; the frame switched on (32772 posted to the
// frame), then 200 presses of key 6 (the right edge one step out) sent to the drawing area,
// each timed until the program is idle with nothing of the area left to paint; beside 20 full
// redraws of the area (InvalidateRect) timed alike in the same run. Both pen modes: inverting
// (the frame drawn twice) and painting (the image copied back under the old outline). Median
// and 95th percentile; a step's median at most 16 ms.
//
//   scripts/wine-run build/bench/BenchCutFrame.exe     (needs an X display)
#include "BenchProgram.h"
#include <math.h>
#include <algorithm>
#include <vector>

namespace {

const int kSteps = 200;
const int kRedraws = 20;
const UINT kFrameToggle = 32772;

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(ceil(p * v.size()));
    return v[i > 0 ? i - 1 : 0];
}

// A key handled by the area's window (sent: it returns once the page has handled it).
bool Key(HWND area, UINT key)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(area, WM_KEYDOWN, key, 1, SMTO_NORMAL, 10000, &answer) != 0;
}

struct Run {
    std::vector<double> steps, redraws;
    bool done = false;
};

// Once the page shows painted: the frame on, the steps, the redraws.
bool Measure(HWND frame, HANDLE process, BenchSeen* seen, Run* run)
{
    HWND area = seen->Area(frame);
    if (!area || WaitForInputIdle(process, 0) != 0 || GetUpdateRect(frame, nullptr, FALSE) ||
        GetUpdateRect(area, nullptr, FALSE))
        return false;
    PostMessageA(frame, WM_COMMAND, kFrameToggle, 0);
    if (BenchUntilQuiet(process, area, BenchNow()) < 0) return true;
    for (int i = 0; i < kSteps; ++i) {
        double start = BenchNow();
        if (!Key(area, '6')) return true;
        double took = BenchUntilQuiet(process, area, start);
        if (took < 0) return true;
        run->steps.push_back(took * 1000);
    }
    for (int i = 0; i < kRedraws; ++i) {
        double start = BenchNow();
        InvalidateRect(area, nullptr, FALSE);
        double took = BenchUntilQuiet(process, area, start);
        if (took < 0) return true;
        run->redraws.push_back(took * 1000);
    }
    run->done = true;
    return true;
}

} // namespace

int main()
{
    BenchCopy copy;
    std::string big = BenchBeside("big.jpg");
    if (GetFileAttributesA(big.c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "%s is missing\n", big.c_str());
        return 1;
    }
    // The first start of a session also loads Wine's libraries.
    BenchRunProgram(copy, "", 60, [](HWND, HANDLE process) { return WaitForInputIdle(process, 0) == 0; });
    for (int invert : {1, 0}) {
        copy.SetSettings("PoiFri_iMode=1\r\nPoiFri_bShwFrm=0\r\nSopShi_bInvClrFrm=" + std::to_string(invert) + "\r\n");
        Run run;
        BenchSeen seen;
        BenchRunProgram(copy, " \"" + big + "\"", 120,
                        [&](HWND frame, HANDLE process) { return Measure(frame, process, &seen, &run); });
        if (!run.done) {
            fprintf(stderr, "the program did not show the frame or answer the keys\n");
            return 1;
        }
        const double median = BenchMedian(run.steps), redraw = BenchMedian(run.redraws);
        printf("%s pen, %d frame steps (key 6):     median %.1f ms, 95%% %.1f ms\n",
               invert ? "inverting" : "painting ", kSteps, median, Percentile(run.steps, 0.95));
        printf("%s pen, %d full redraws:          median %.1f ms, 95%% %.1f ms\n", invert ? "inverting" : "painting ",
               kRedraws, redraw, Percentile(run.redraws, 0.95));
        printf("%s pen, step / full redraw:         %.2f x\n", invert ? "inverting" : "painting ",
               redraw > 0 ? median / redraw : 0.0);
        BenchTarget(std::string(invert ? "inverting" : "painting") + " pen, a frame step's median", median, 16, "ms");
    }
    return 0;
}
