// What the benchmarks that start the program share: a copy of the runnable folder in a temporary
// folder with a later run's settings (no question, no samples), and the search for its frame.
#pragma once
#include "BenchSupport.h"
#include <algorithm>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <string.h>
#include <vector>

inline double BenchMedian(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// "median M ms (min-max)" of times in seconds.
inline std::string BenchSpread(const std::vector<double>& v)
{
    char text[64];
    auto range = std::minmax_element(v.begin(), v.end());
    snprintf(text, sizeof(text), "median %.0f ms (%.0f-%.0f)", BenchMedian(v) * 1000, *range.first * 1000,
             *range.second * 1000);
    return text;
}

// A program a run starts from the copy, and how its main frame is known: a visible window of its
// process whose title and class begin so.
struct BenchProgram {
    const char* exe;
    const char* title;
    const char* cls;
};

const BenchProgram kBenchPictavo = {"Pictavo.exe", "Pictavo", "Afx"};

// A program's main frame, searched by its process id.
struct Found {
    DWORD pid;
    HWND wnd;
    const BenchProgram* program = &kBenchPictavo;
};

inline BOOL CALLBACK FindFrame(HWND wnd, LPARAM lParam)
{
    Found* found = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char title[32] = {}, cls[32] = {};
    GetWindowTextA(wnd, title, sizeof(title));
    GetClassNameA(wnd, cls, sizeof(cls));
    const BenchProgram& p = *found->program;
    if (pid == found->pid && IsWindowVisible(wnd) && strncmp(title, p.title, strlen(p.title)) == 0 &&
        strncmp(cls, p.cls, strlen(p.cls)) == 0) {
        found->wnd = wnd;
        return FALSE;
    }
    return TRUE;
}

// A file of these bytes (replaced); false when it cannot be written.
inline bool BenchWriteFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
    CloseHandle(file);
    return ok;
}

// The first visible descendant of a class.
struct BenchChild {
    const char* cls;
    HWND wnd;
};

inline BOOL CALLBACK BenchFindChild(HWND wnd, LPARAM lParam)
{
    BenchChild* c = reinterpret_cast<BenchChild*>(lParam);
    char cls[64] = {};
    GetClassNameA(wnd, cls, sizeof(cls));
    if (strcmp(cls, c->cls) != 0 || !IsWindowVisible(wnd)) return TRUE;
    c->wnd = wnd;
    return FALSE;
}

inline HWND BenchDescendant(HWND frame, const char* cls)
{
    BenchChild c = {cls, nullptr};
    EnumChildWindows(frame, BenchFindChild, reinterpret_cast<LPARAM>(&c));
    return c.wnd;
}

// The windows a run polls, each searched for until found: a search walks every window of the
// program, and walking them at every poll keeps Wine's window server busy and slows the program
// it measures. One per run.
struct BenchSeen {
    HWND tab = nullptr;
    HWND area = nullptr;
    // The view's tab control.
    HWND Tab(HWND frame)
    {
        if (!tab) tab = BenchDescendant(frame, "SysTabControl32");
        return tab;
    }
    // The shown page's drawing area (the pages are children of the tab control).
    HWND Area(HWND frame)
    {
        if (!area && Tab(frame)) area = BenchDescendant(tab, "Edit");
        return area;
    }
};

// Waits until nothing of the area is left to paint, any paint under way has ended (a message
// sent to the area is answered after it) and the program is idle; seconds since start, -1 after
// 10 seconds.
inline double BenchUntilQuiet(HANDLE process, HWND area, double start)
{
    while (GetUpdateRect(area, nullptr, FALSE)) {
        if (BenchNow() - start > 10) return -1;
        Sleep(0);
    }
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(area, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer)) return -1;
    if (WaitForInputIdle(process, 10000) != 0) return -1;
    return BenchNow() - start;
}

// The picture of an image file opened by the engine; null (and said) when it cannot be.
inline HBITMAP BenchOpenPicture(VkiDrw* drw, const std::string& path)
{
    HBITMAP picture = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    if (VkeDrwOpenImage(drw, path.c_str(), &picture, &type, &xr, &yr, &known) == 0) return picture;
    fprintf(stderr, "%s cannot be opened\n", path.c_str());
    return nullptr;
}

// The page painted and the program idle.
inline bool BenchShown(HWND frame, HANDLE process, BenchSeen* seen)
{
    HWND area = seen->Area(frame);
    return area && WaitForInputIdle(process, 0) == 0 && !GetUpdateRect(frame, nullptr, FALSE) &&
           !GetUpdateRect(area, nullptr, FALSE);
}

// Nothing of the frame or of any shown window in it is left to paint.
inline bool BenchAllPainted(HWND frame)
{
    if (GetUpdateRect(frame, nullptr, FALSE)) return false;
    bool clean = true;
    EnumChildWindows(
        frame,
        [](HWND wnd, LPARAM p) -> BOOL {
            if (!IsWindowVisible(wnd) || !GetUpdateRect(wnd, nullptr, FALSE)) return TRUE;
            *reinterpret_cast<bool*>(p) = false;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&clean));
    return clean;
}

// The frame idle with all of it painted, and still so a settling time later: a step of the
// first idle moment may still change what shows (a bar's commands' states), and a frame about
// to paint again is not finished. Seen() is the moment it was first found so.
class BenchSettled {
public:
    explicit BenchSettled(double settle = 0.03) : m_settle(settle) {}
    bool operator()(HWND frame, HANDLE process)
    {
        double now = BenchNow();
        if (WaitForInputIdle(process, 0) != 0 || !BenchAllPainted(frame)) {
            m_seen = 0;
            return false;
        }
        if (!m_seen) m_seen = now;
        return now - m_seen >= m_settle;
    }
    double Seen() const { return m_seen; }

private:
    double m_settle;
    double m_seen = 0;
};

// A visible dialog of a process whose title holds a text.
struct BenchDialogSearch {
    DWORD pid;
    const wchar_t* text;
    HWND wnd;
};

inline BOOL CALLBACK BenchFindDialog(HWND wnd, LPARAM lParam)
{
    BenchDialogSearch* s = reinterpret_cast<BenchDialogSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    wchar_t title[64] = {}, cls[16] = {};
    GetWindowTextW(wnd, title, 64);
    GetClassNameW(wnd, cls, 16);
    if (pid != s->pid || !IsWindowVisible(wnd) || wcscmp(cls, L"#32770") != 0 || !wcsstr(title, s->text)) return TRUE;
    s->wnd = wnd;
    return FALSE;
}

// The process's dialog whose title holds text, once it shows (null after 10 seconds).
inline HWND BenchWaitDialog(HANDLE process, const wchar_t* text)
{
    BenchDialogSearch s = {GetProcessId(process), text, nullptr};
    for (double start = BenchNow(); !s.wnd && BenchNow() - start < 10; Sleep(10))
        EnumWindows(BenchFindDialog, reinterpret_cast<LPARAM>(&s));
    return s.wnd;
}

// Says on stderr the title and texts of every visible dialog of the process (a message box that
// stopped a measured step, say).
inline void BenchSayDialogs(HANDLE process)
{
    struct Say {
        static BOOL CALLBACK Text(HWND child, LPARAM)
        {
            char text[256] = {};
            if (GetWindowTextA(child, text, sizeof(text)) > 0) fprintf(stderr, "  \"%s\"\n", text);
            return TRUE;
        }
        static BOOL CALLBACK Dialog(HWND wnd, LPARAM pid)
        {
            DWORD owner = 0;
            char cls[16] = {}, title[128] = {};
            GetWindowThreadProcessId(wnd, &owner);
            GetClassNameA(wnd, cls, sizeof(cls));
            if (owner != static_cast<DWORD>(pid) || !IsWindowVisible(wnd) || strcmp(cls, "#32770") != 0) return TRUE;
            GetWindowTextA(wnd, title, sizeof(title));
            fprintf(stderr, "dialog \"%s\":\n", title);
            EnumChildWindows(wnd, Text, 0);
            return TRUE;
        }
    };
    EnumWindows(Say::Dialog, static_cast<LPARAM>(GetProcessId(process)));
}

// That many tabs stand and the program is idle with its frame enabled again (the progress
// dialog gone).
inline bool BenchTabsStand(HWND frame, HANDLE process, int tabs, BenchSeen* seen)
{
    HWND tab = seen->Tab(frame);
    return tab && SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0) == tabs && IsWindowEnabled(frame) &&
           WaitForInputIdle(process, 0) == 0;
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
    // Another program beside the copy's (a name beside this benchmark); false when it cannot be copied.
    bool Add(const char* name) const
    {
        std::string from = BenchBeside(name);
        return CopyFileA(from.c_str(), (m_dir + from.substr(from.find_last_of('\\'))).c_str(), FALSE) != 0;
    }

    // Every run starts from the same settings: a later run's, without a saved window, with the
    // extra lines of the section "Application Information" (CR LF each).
    void Reset() const
    {
        std::string ini = m_dir + "\\Pictavo.ini";
        DeleteFileA(ini.c_str());
        BenchWriteFile(ini, "[Application Information]\r\nbOpnSmpImg=0\r\n" + m_settings);
    }
    void SetSettings(const std::string& lines) { m_settings = lines; }

private:
    std::string m_dir;
    std::string m_settings;
};

// One run of a program of the copy (the program itself unless told): started with args (from the
// copy's settings), its frame found while waiting, closed and waited for at the end of the scope.
class BenchProcess {
public:
    BenchProcess(const BenchCopy& copy, const std::string& args, const BenchProgram& program = kBenchPictavo)
    {
        copy.Reset();
        std::string exe = copy.Dir() + "\\" + program.exe;
        std::string cmd = "\"" + exe + "\"" + args;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        m_start = BenchNow();
        if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, copy.Dir().c_str(), &si, &m_pi))
            m_pi = PROCESS_INFORMATION{};
        m_found.pid = m_pi.dwProcessId;
        m_found.program = &program;
    }
    ~BenchProcess()
    {
        if (!m_pi.hProcess) return;
        if (m_found.wnd) PostMessageA(m_found.wnd, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(m_pi.hProcess, 1);
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
    }
    BenchProcess(const BenchProcess&) = delete;
    BenchProcess& operator=(const BenchProcess&) = delete;

    HANDLE Process() const { return m_pi.hProcess; }
    HWND Frame() const { return m_found.wnd; }
    double Started() const { return m_start; }
    bool Ended() const { return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }
    // Waits up to limit seconds from since until the frame shows and reached(frame, process)
    // holds; seconds since then, -1 when the process ended or the time ran out.
    template <class Reached>
    double WaitFor(double since, double limit, Reached reached)
    {
        while (m_pi.hProcess && BenchNow() - since < limit) {
            if (Ended()) return -1;
            if (!m_found.wnd) EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&m_found));
            if (m_found.wnd && reached(m_found.wnd, m_pi.hProcess)) return BenchNow() - since;
            Sleep(1);
        }
        return -1;
    }
    // The working set in MB.
    double WorkingSetMB() const
    {
        PROCESS_MEMORY_COUNTERS pmc = {};
        pmc.cb = sizeof(pmc);
        GetProcessMemoryInfo(m_pi.hProcess, &pmc, sizeof(pmc));
        return static_cast<double>(pmc.WorkingSetSize) / (1024.0 * 1024.0);
    }

private:
    PROCESS_INFORMATION m_pi = {};
    Found m_found = {0, nullptr};
    double m_start = 0;
};

// Starts a program of the copy with args (each run from the same settings) and waits up to limit
// seconds until reached(frame, process) holds; then closes it. Seconds from the start to that
// moment, -1 on failure; the working set then, in MB, in *mb.
template <class Reached>
double BenchRunProgram(const BenchCopy& copy, const BenchProgram& program, const std::string& args, double limit,
                       Reached reached, double* mb = nullptr)
{
    BenchProcess run(copy, args, program);
    double took = run.WaitFor(run.Started(), limit, reached);
    if (mb) *mb = run.WorkingSetMB();
    return took;
}

// The same for the program itself.
template <class Reached>
double BenchRunProgram(const BenchCopy& copy, const std::string& args, double limit, Reached reached,
                       double* mb = nullptr)
{
    return BenchRunProgram(copy, kBenchPictavo, args, limit, reached, mb);
}
