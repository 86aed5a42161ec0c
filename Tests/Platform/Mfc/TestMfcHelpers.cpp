#include "TestMfcHelpers.h"
#include <gtest/gtest.h>
#include <stdio.h>

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!AfxPumpMessage()) break;
    }
}

// The pending action answers whether it is done; until then the timer runs it again.
static std::function<bool()>* s_pending = nullptr;

static void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    std::function<bool()>* action = s_pending;
    s_pending = nullptr;
    if (!action) return;
    if ((*action)() || s_pending) {
        delete action; // done, or the action armed a new one
        return;
    }
    s_pending = action;
    ::SetTimer(nullptr, 0, 50, &RunPending);
}

static void Arm(std::function<bool()> action)
{
    delete s_pending;
    s_pending = new std::function<bool()>(std::move(action));
    ::SetTimer(nullptr, 0, 50, &RunPending);
}

void AfterStart(std::function<void()> action)
{
    Arm([action] {
        action();
        return true;
    });
}

void WhenDialogShows(std::function<void(HWND)> action)
{
    Arm([action] {
        HWND dialog = FindThreadDialog();
        if (!dialog) return false;
        action(dialog);
        return true;
    });
}

static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    char cls[32] = {};
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (::IsWindowVisible(hWnd) && lstrcmpA(cls, "#32770") == 0) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void ShowQuietly(HWND hWnd)
{
    ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

BOOL CTestFrame::CreateFrame(LPCSTR title)
{
    if (!CreateEx(0, nullptr, title, WS_POPUP | WS_BORDER, 10, 10, 400, 300, nullptr, nullptr)) return FALSE;
    ShowQuietly(m_hWnd);
    return TRUE;
}

// ---- Input and screenshots ----

namespace {
// A Unix path of this program's folder (Wine maps / to drive Z:).
std::string UnixDir()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string dir = path;
    dir = dir.substr(0, dir.find_last_of('\\'));
    if (dir.size() >= 2 && dir[1] == ':') dir = dir.substr(2);
    for (char& c : dir)
        if (c == '\\') c = '/';
    return dir;
}

// Runs a shell command line (a Unix program: Wine starts it) and waits, handling messages,
// until it has touched its marker file.
void RunShell(const std::string& command)
{
    static int serial = 0;
    char marker[64];
    snprintf(marker, sizeof(marker), "/tmp/vkt_frame_%lu_%d", ::GetCurrentProcessId(), ++serial);
    std::string windowsMarker = std::string("Z:") + marker;
    for (char& c : windowsMarker)
        if (c == '/') c = '\\';
    std::string line = "/bin/sh -c \"" + command + "; touch " + marker + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    if (pi.hThread) ::CloseHandle(pi.hThread);
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
    DWORD start = ::GetTickCount();
    while (::GetFileAttributesA(windowsMarker.c_str()) == INVALID_FILE_ATTRIBUTES && ::GetTickCount() - start < 20000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
    ::DeleteFileA(windowsMarker.c_str());
    // The X events reach Wine's queue a moment later.
    for (DWORD settle = ::GetTickCount(); ::GetTickCount() - settle < 150;) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
}
// The program's name without "Test" and ".exe", then "Shots".
std::string ShotsFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string name = path;
    name = name.substr(name.find_last_of('\\') + 1);
    name = name.substr(0, name.find_last_of('.'));
    if (name.compare(0, 4, "Test") == 0) name = name.substr(4);
    return name + "Shots";
}
} // namespace

void Xdotool(const std::string& args) { RunShell("xdotool " + args); }

void Screenshot(const char* name)
{
    std::string dir = UnixDir() + "/" + ShotsFolder();
    RunShell("mkdir -p " + dir + " && import -window root " + dir + "/" + name + ".png");
}
