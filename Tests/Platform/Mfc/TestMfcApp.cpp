#include "TestMfcApp.h"

CTestApp theTestApp;

BOOL CTestApp::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) keysSeen += static_cast<char>(pMsg->wParam);
    return CWinApp::PreTranslateMessage(pMsg);
}

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
