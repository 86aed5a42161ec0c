// What the benchmarks that start the program share: a copy of the runnable folder in a temporary
// folder with a later run's settings (no question, no samples), and the search for its frame.
#pragma once
#include "BenchSupport.h"
#include <psapi.h>
#include <shellapi.h>
#include <string.h>

// The program's main frame, searched by its process id.
struct Found {
    DWORD pid;
    HWND wnd;
};

inline BOOL CALLBACK FindFrame(HWND wnd, LPARAM lParam)
{
    Found* found = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char title[32] = {}, cls[32] = {};
    GetWindowTextA(wnd, title, sizeof(title));
    GetClassNameA(wnd, cls, sizeof(cls));
    if (pid == found->pid && IsWindowVisible(wnd) && strncmp(title, "Pictavo", 7) == 0 && strncmp(cls, "Afx", 3) == 0) {
        found->wnd = wnd;
        return FALSE;
    }
    return TRUE;
}

// The copy of the runnable folder the program starts from.
class BenchCopy {
public:
    BenchCopy()
    {
        char tmp[MAX_PATH] = {};
        GetTempPathA(sizeof(tmp), tmp);
        m_dir = std::string(tmp) + "VkeBenchStart" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_dir.c_str(), nullptr);
        for (const char* name : {"Pictavo.exe", "VkeEng.dll", "Quorvane.vmg"})
            CopyFileA(BenchBeside((std::string("..\\bin\\") + name).c_str()).c_str(), (m_dir + "\\" + name).c_str(),
                      FALSE);
    }
    ~BenchCopy()
    {
        SHFILEOPSTRUCTA op = {};
        std::string from = m_dir + '\0';
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationA(&op);
    }
    BenchCopy(const BenchCopy&) = delete;
    BenchCopy& operator=(const BenchCopy&) = delete;
    const std::string& Dir() const { return m_dir; }

    // Every run starts from the same settings: a later run's, without a saved window.
    void Reset() const
    {
        std::string ini = m_dir + "\\Pictavo.ini";
        DeleteFileA(ini.c_str());
        HANDLE file = CreateFileA(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const char text[] = "[Application Information]\r\nbOpnSmpImg=0\r\n";
        DWORD n = 0;
        WriteFile(file, text, sizeof(text) - 1, &n, nullptr);
        CloseHandle(file);
    }

private:
    std::string m_dir;
};

// Starts the program of the copy with args (each run from the same settings) and waits up to
// limit seconds until reached(frame, process) holds; then closes it. Seconds from the start to
// that moment, -1 on failure; the working set then, in MB, in *mb.
template <class Reached>
double BenchRunProgram(const BenchCopy& copy, const std::string& args, double limit, Reached reached,
                       double* mb = nullptr)
{
    copy.Reset();
    std::string exe = copy.Dir() + "\\Pictavo.exe";
    std::string cmd = "\"" + exe + "\"" + args;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    double start = BenchNow();
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, copy.Dir().c_str(), &si, &pi))
        return -1;
    double took = -1;
    Found found = {pi.dwProcessId, nullptr};
    while (BenchNow() - start < limit) {
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        if (!found.wnd) EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&found));
        if (found.wnd && reached(found.wnd, pi.hProcess)) {
            took = BenchNow() - start;
            break;
        }
        Sleep(1);
    }
    if (mb) {
        PROCESS_MEMORY_COUNTERS pmc = {};
        pmc.cb = sizeof(pmc);
        GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc));
        *mb = static_cast<double>(pmc.WorkingSetSize) / (1024.0 * 1024.0);
    }
    if (found.wnd) PostMessageA(found.wnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return took;
}
