// What the benchmarks share: a clock, paths beside the program, and a started system object in a
// folder of its own (the message file copied from the build), removed again at the end.
#pragma once
#include "VkeEng.h"
#include <psapi.h>
#include <stdio.h>
#include <string>

inline double BenchNow()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

inline double BenchPeakMB()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

inline std::string BenchBeside(const char* name)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string dir = exe;
    dir.resize(dir.find_last_of('\\'));
    return dir + "\\" + name;
}

// The full path of a name beside the program ("." the program's folder itself).
inline std::string BenchFullBeside(const char* name)
{
    char full[MAX_PATH] = {};
    GetFullPathNameA(BenchBeside(name).c_str(), sizeof(full), full, nullptr);
    return full;
}

inline double BenchWorkingSetMB()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return static_cast<double>(pmc.WorkingSetSize) / (1024.0 * 1024.0);
}

class BenchEngine {
public:
    BenchEngine()
    {
        char tmp[MAX_PATH] = {};
        GetTempPathA(sizeof(tmp), tmp);
        m_dir = std::string(tmp) + "VkeBench" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_dir.c_str(), nullptr);
        std::string msg = BenchBeside("..\\bin\\Quorvane.vmg");
        CopyFileA(msg.c_str(), (m_dir + "\\Quorvane.vmg").c_str(), FALSE);
        HWND wnd = CreateWindowExA(0, "STATIC", "bench", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        VkeSysParam param;
        int field = 0, messageNo = 0;
        if (VkeSysAllocByDefault(&sys) != 0 || VkeSysInitParam(sys, &param) != 0) return;
        snprintf(param.amSystemDir, sizeof(param.amSystemDir), "%s", m_dir.c_str());
        snprintf(param.amSystemName, sizeof(param.amSystemName), "Bench");
        param.hMainWnd = wnd;
        int rc = VkeSysInit(sys, &param, &field, &messageNo);
        if (rc != 0) fprintf(stderr, "VkeSysInit gave %d (field %d)\n", rc, field);
        if (rc != 0 || VkeSysGetVkeDrwPtr(sys, &drw) != 0) drw = nullptr;
    }
    ~BenchEngine()
    {
        VkeSysFree(&sys);
        RemoveDirectoryA((m_dir + "\\Tmp").c_str());
        DeleteFileA((m_dir + "\\Quorvane.vmg").c_str());
        RemoveDirectoryA(m_dir.c_str());
    }
    BenchEngine(const BenchEngine&) = delete;
    BenchEngine& operator=(const BenchEngine&) = delete;
    // A folder for files the benchmark writes (emptied by the benchmark itself).
    const std::string& Dir() const { return m_dir; }

    VkiSys* sys = nullptr;
    VkiDrw* drw = nullptr; // null when the engine did not start

private:
    std::string m_dir;
};

// One target of a benchmark, met or missed. Besides the lines a person reads, every target is
// printed once in a line of its own that `scripts/bench all` builds its table from:
//   "@target<TAB>what<TAB>figure<TAB>target<TAB>met" (or "MISSED")
// The figure and the limit are in one unit ("ms", "x", "/ s", "MB", "%"); atMost says which way
// the limit bounds. Returns whether it was met.
inline std::string BenchValue(double value, const char* unit)
{
    char text[48];
    const bool ratio = unit[0] == 'x' && unit[1] == '\0';
    const double mag = value < 0 ? -value : value;
    const bool whole = mag >= 100 || value == static_cast<double>(static_cast<long long>(value));
    snprintf(text, sizeof(text), ratio ? "%.2f %s" : whole ? "%.0f %s" : "%.1f %s", value, unit);
    return text;
}

inline bool BenchTarget(const std::string& what, double figure, double limit, const char* unit, bool atMost = true)
{
    const bool met = atMost ? figure <= limit : figure >= limit;
    printf("@target\t%s\t%s\t%s %s\t%s\n", what.c_str(), BenchValue(figure, unit).c_str(), atMost ? "at most" : "at least",
           BenchValue(limit, unit).c_str(), met ? "met" : "MISSED");
    fflush(stdout);
    return met;
}
