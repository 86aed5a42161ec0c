// The program's start-up: from the command line to the first painted, idle main frame (every
// window in it painted, and still so 30 ms later, BenchSettled) of
// Pictavo.exe (a copy of build/bin in a temporary folder, settings of a later run, so no question
// and no samples), median of 5 runs, against a bare window program (bench/Anchor) started from
// the same folder the same way and waited for by the same test, its runs taken in turn with the
// program's. Target: at most 300 ms over the bare window. Beside them the platform's share, a
// program that makes the same frame, bars and panel dialog templates from Pictavo's resources
// without the program's logic (bench/Anchor/PanelFrame.cpp), started in turn with the others, and
// the engine's own share, a system object started and ended (VkeSysInit + VkeSysTerm) in this
// process, median of 5.
//
//   scripts/bench BenchStartUp
#include "BenchProgram.h"
#include <vector>

namespace {

const int kRuns = 5;

const BenchProgram kBare = {"BareFrame.exe", "BareFrame", "BareFrame"};
const BenchProgram kPanels = {"PanelFrame.exe", "PanelFrame", "PanelFrame"};

// Seconds from the process's start to its main frame shown, painted (every window in it) and
// idle, and still so a moment later; -1 on failure.
double StartOnce(const BenchCopy& copy, const BenchProgram& program, const char* args = "")
{
    BenchProcess run(copy, args, program);
    BenchSettled settled;
    if (run.WaitFor(run.Started(), 60, [&](HWND frame, HANDLE process) { return settled(frame, process); }) < 0)
        return -1;
    return settled.Seen() - run.Started();
}

std::string Ms(const std::vector<double>& v)
{
    std::string text;
    for (double t : v) text += (text.empty() ? "" : " ") + std::to_string(static_cast<int>(t * 1000 + 0.5));
    return text;
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
    for (const char* anchor : {"Anchor\\BareFrame.exe", "Anchor\\PanelFrame.exe"})
        if (!copy.Add(anchor)) {
            fprintf(stderr, "%s is missing (made by the build)\n", anchor);
            return 1;
        }
    // The first start of a session also loads Wine's own libraries.
    StartOnce(copy, kBenchPictavo);
    StartOnce(copy, kBare);
    StartOnce(copy, kPanels);
    StartOnce(copy, kPanels, " -shell");
    std::vector<double> starts, bare, panels, shell;
    for (int i = 0; i < kRuns; ++i) {
        double t = StartOnce(copy, kBenchPictavo);
        double b = StartOnce(copy, kBare);
        double p = StartOnce(copy, kPanels);
        double h = StartOnce(copy, kPanels, " -shell");
        if (t < 0 || b < 0 || p < 0 || h < 0) {
            fprintf(stderr, "%s did not start (run %d)\n", t < 0 ? "Pictavo.exe" : b < 0 ? "BareFrame.exe" : "PanelFrame.exe",
                    i + 1);
            return 1;
        }
        starts.push_back(t);
        bare.push_back(b);
        panels.push_back(p);
        shell.push_back(h);
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
    double s = BenchMedian(starts) * 1000, b = BenchMedian(bare) * 1000, e = BenchMedian(engine) * 1000;
    double p = BenchMedian(panels) * 1000, h = BenchMedian(shell) * 1000;
    printf("start-up, command line to the first painted idle frame: median %5.0f ms (%s)\n", s, Ms(starts).c_str());
    printf("a bare window, started and waited for the same way:     median %5.0f ms (%s)\n", b, Ms(bare).c_str());
    printf("the same frame, bars and panel templates, no logic:     median %5.0f ms (%s)\n", p, Ms(panels).c_str());
    printf("the same with the shell's tree and list items and icons:  median %5.0f ms (%s)\n", h, Ms(shell).c_str());
    printf("VkeSysInit + VkeSysTerm in this process:                median %5.1f ms\n", e);
    printf("the panel templates over the bare window:                      %5.0f ms\n", p - b);
    printf("templates and shell over the bare window (the platform's):     %5.0f ms\n", h - b);
    printf("start-up over templates and shell (the program's own):         %5.0f ms\n", s - h);
    printf("start-up over the bare window:                                 %5.0f ms (target at most 300)\n", s - b);
    BenchTarget("start-up over a bare window's", s - b, 300, "ms");
    return 0;
}
