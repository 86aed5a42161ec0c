// Times VkeDrwOpenImage against the platform's bare decode (GDI+ file decode and its HBITMAP) on
// the 6000 x 4000 JPEG and PNG made at build time, in the same run, and prints the ratio and the
// peak working set. Run: scripts/wine-run build/bench/BenchOpenImage.exe [rounds]
#include "VkeEng.h"
#include <gdiplus.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

namespace {

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double PeakMB()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

std::string Beside(const char* name)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string dir = exe;
    dir.resize(dir.find_last_of('\\'));
    return dir + "\\" + name;
}

// The bare decode: what GDI+ alone does to turn the file into a bitmap (GDI+ as the engine's draw
// object started it).
double Bare(const std::string& path)
{
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    double t0 = Now();
    Gdiplus::GpBitmap* image = nullptr;
    HBITMAP bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(wide, &image) != Gdiplus::Ok ||
        Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0xFF000000) != Gdiplus::Ok) {
        fprintf(stderr, "bare decode of %s failed\n", path.c_str());
        exit(1);
    }
    Gdiplus::DllExports::GdipDisposeImage(image);
    double t = Now() - t0;
    DeleteObject(bitmap);
    return t;
}

double Engine(VkiDrw* drw, const std::string& path)
{
    HBITMAP bitmap = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    double t0 = Now();
    int rc = VkeDrwOpenImage(drw, path.c_str(), &bitmap, &type, &xr, &yr, &known);
    double t = Now() - t0;
    if (rc != 0) {
        fprintf(stderr, "VkeDrwOpenImage of %s gave %d\n", path.c_str(), rc);
        exit(1);
    }
    VkeDrwCloseImage(drw, &bitmap);
    return t;
}

// A started system object in a folder of its own (the message file copied from the build).
VkiSys* StartEngine(std::string* dir)
{
    char tmp[MAX_PATH] = {};
    GetTempPathA(sizeof(tmp), tmp);
    *dir = std::string(tmp) + "VkeBench" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir->c_str(), nullptr);
    std::string msg = Beside("..\\bin\\Quorvane.vmg");
    CopyFileA(msg.c_str(), (*dir + "\\Quorvane.vmg").c_str(), FALSE);
    HWND wnd = CreateWindowExA(0, "STATIC", "bench", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    VkiSys* sys = nullptr;
    VkeSysParam param;
    int field = 0, messageNo = 0;
    if (VkeSysAllocByDefault(&sys) != 0 || VkeSysInitParam(sys, &param) != 0) return nullptr;
    snprintf(param.amSystemDir, sizeof(param.amSystemDir), "%s", dir->c_str());
    snprintf(param.amSystemName, sizeof(param.amSystemName), "Bench");
    param.hMainWnd = wnd;
    int rc = VkeSysInit(sys, &param, &field, &messageNo);
    if (rc != 0) {
        fprintf(stderr, "VkeSysInit gave %d (field %d)\n", rc, field);
        return nullptr;
    }
    return sys;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? atoi(argv[1]) : 5;
    if (rounds < 1) rounds = 1;
    std::string dir;
    VkiSys* sys = StartEngine(&dir);
    VkiDrw* drw = nullptr;
    if (!sys || VkeSysGetVkeDrwPtr(sys, &drw) != 0) return 1;

    const char* names[] = {"big.jpg", "big.png"};
    printf("%-8s %10s %10s %7s %12s\n", "file", "bare s", "engine s", "ratio", "peak MB");
    for (const char* name : names) {
        std::string path = Beside(name);
        Bare(path); // the file into the cache and the codec loaded
        Engine(drw, path);
        // The best of the rounds, the two alternating, so both see the same machine.
        double bare = 1e9, engine = 1e9;
        for (int i = 0; i < rounds; ++i) {
            double b = Bare(path), e = Engine(drw, path);
            if (b < bare) bare = b;
            if (e < engine) engine = e;
        }
        printf("%-8s %10.3f %10.3f %7.3f %12.1f\n", name, bare, engine, engine / bare, PeakMB());
    }
    VkeSysFree(&sys);
    std::string tmpDir = dir + "\\Tmp";
    RemoveDirectoryA(tmpDir.c_str());
    DeleteFileA((dir + "\\Quorvane.vmg").c_str());
    RemoveDirectoryA(dir.c_str());
    return 0;
}
