// The program's start-up: from the command line to the first painted, idle main frame of
// Pictavo.exe (a copy of build/bin in a temporary folder, settings of a later run, so no question
// and no samples), median of 5 runs; beside it the engine's own share, a system object started
// and ended (VkeSysInit + VkeSysTerm) in this process, median of 5.
//
//   scripts/wine-run build/bench/BenchStartUp.exe     (needs an X display)
#include "BenchProgram.h"
#include <vector>

namespace {

const int kRuns = 5;

// Seconds from the process's start to its main frame shown, painted and idle; -1 on failure.
double StartOnce(const BenchCopy& copy)
{
    auto idle = [](HWND frame, HANDLE process) {
        return WaitForInputIdle(process, 0) == 0 && !GetUpdateRect(frame, nullptr, FALSE);
    };
    return BenchRunProgram(copy, "", 60, idle);
}

// Seconds of one VkeSysInit and VkeSysTerm over the bench's own system folder.
double EngineOnce(const std::string& dir, HWND wnd)
{
    VkiSys* sys = nullptr;
    VkeSysParam param;
    int field = 0, messageNo = 0;
    if (VkeSysAllocByDefault(&sys) != 0 || VkeSysInitParam(sys, &param) != 0) return -1;
    snprintf(param.amSystemDir, sizeof(param.amSystemDir), "%s", dir.c_str());
    snprintf(param.amSystemName, sizeof(param.amSystemName), "Bench");
    param.hMainWnd = wnd;
    double start = BenchNow();
    int rc = VkeSysInit(sys, &param, &field, &messageNo);
    if (rc == 0) rc = VkeSysTerm(sys);
    double took = BenchNow() - start;
    VkeSysFree(&sys);
    return rc == 0 ? took : -1;
}

} // namespace

int main()
{
    BenchCopy copy;
    std::vector<double> starts;
    StartOnce(copy); // the first start of a session also loads Wine's own libraries
    for (int i = 0; i < kRuns; ++i) {
        double t = StartOnce(copy);
        if (t < 0) {
            fprintf(stderr, "Pictavo.exe did not start (run %d)\n", i + 1);
            return 1;
        }
        starts.push_back(t);
    }
    std::vector<double> engine;
    HWND wnd = CreateWindowExA(0, "STATIC", "bench", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < kRuns; ++i) {
        double t = EngineOnce(copy.Dir(), wnd);
        if (t < 0) {
            fprintf(stderr, "the engine did not start\n");
            return 1;
        }
        engine.push_back(t);
    }
    DestroyWindow(wnd);
    double s = BenchMedian(starts) * 1000, e = BenchMedian(engine) * 1000;
    printf("start-up, command line to the first painted idle frame: median %.0f ms (", s);
    for (size_t i = 0; i < starts.size(); ++i) printf("%s%.0f", i ? " " : "", starts[i] * 1000);
    printf(")\n");
    printf("VkeSysInit + VkeSysTerm in this process:                 median %.1f ms\n", e);
    printf("start-up / engine start and end:                          %.1f x\n", e > 0 ? s / e : 0.0);
    return 0;
}
