// What the benchmarks that start the program share: a copy of the runnable folder in a temporary
// folder with a later run's settings (no question, no samples), and the search for its frame.
#pragma once
#include "BenchSupport.h"
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

