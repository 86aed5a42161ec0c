// The program started in this process as the frame tests start it (the application's
// InitInstance: its main frame, panels and engine, then the steps after the start), for the benchmarks of its panels. The
// settings file beside the benchmark is written first and removed at the end, with the folders
// the start made.
//
//   int Run(HalcorApp* app, ChildFrm* frame);      // the benchmark: 0 when it reached its goals
//   BenchInApp theApp({{"Application Information", "bOpnSmpImg", "0"}}, Run);
//   int main() { AfxWinMain(...); return theApp.Result(); }
#pragma once
#include "BenchSupport.h"
#include "ChildFrm.h"
#include "Halcor.h"
#include <stdlib.h>
#include <functional>
#include <vector>

// Handles this thread's messages until done() or the time runs out; each round step(elapsed)
// may act. The seconds it took, or -1 when done() never said so.
inline double BenchPump(double limit, const std::function<bool()>& done,
                        const std::function<void(double)>& step = nullptr)
{
    double start = BenchNow();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        double elapsed = BenchNow() - start;
        if (step) step(elapsed);
        if (done()) return BenchNow() - start;
        if (elapsed > limit) return -1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
}

class BenchInApp : public HalcorApp {
public:
    struct Setting {
        const char* section;
        const char* key;
        const char* value;
    };
    using Run = std::function<int(HalcorApp* app, ChildFrm* frame)>;
    BenchInApp(std::vector<Setting> settings, Run run) : m_settings(std::move(settings)), m_run(std::move(run)) {}
    int Result() const { return m_result; }

    BOOL InitInstance() override
    {
        const char* const folders[] = {"Vkt", "Usr", "Tmp"};
        bool existed[3];
        for (int i = 0; i < 3; ++i) existed[i] = GetFileAttributesA(BenchBeside(folders[i]).c_str()) != INVALID_FILE_ATTRIBUTES;
        std::string ini = BenchBeside("Pictavo.ini");
        DeleteFileA(ini.c_str());
        for (const Setting& s : m_settings) WritePrivateProfileStringA(s.section, s.key, s.value, ini.c_str());
        if (!HalcorApp::InitInstance()) return FALSE;
        ChildFrm* frame = DYNAMIC_DOWNCAST(ChildFrm, m_pMainWnd);
        if (frame) BenchPump(30, [this] { return IsStarted() != 0; });
        // What the message loop's first idle moment does (the options dialog, the printer).
        if (frame && IsStarted()) RunAfterStart();
        if (frame && IsStarted()) m_result = m_run(this, frame);
        else fprintf(stderr, "the program did not start\n");
        if (frame) frame->DestroyWindow();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        SetCurrentDirectoryA(BenchBeside("").c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
        DeleteFileA(ini.c_str());
        for (int i = 0; i < 3; ++i)
            if (!existed[i]) {
                std::string cmd = "cmd /c rmdir /s /q \"" + BenchBeside(folders[i]) + "\"";
                system(cmd.c_str());
            }
        return FALSE; // no message loop: the run is over
    }

private:
    std::vector<Setting> m_settings;
    Run m_run;
    int m_result = 1;
};
