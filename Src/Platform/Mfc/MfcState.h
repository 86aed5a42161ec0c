// State of the layer. Each module (the program, the engine library, a test library) links its
// own copy of the layer, so each has its own module state: its application object, its
// permanent window map and its place in the window-procedure chain of shared windows. Each
// thread has its own thread state within a module: its thread object, the message its window
// procedure is handling, window creation in progress and its temporary handle maps.
#pragma once
#include "MfcWin.h"
#include <unordered_map>

class CWnd;
class CDC;
class CMenu;
class CGdiObject;
class CWinApp;
class CWinThread;

// A lock of the module state, held for one statement block.
class AfxModuleLock {
public:
    AfxModuleLock();
    ~AfxModuleLock();
    AfxModuleLock(const AfxModuleLock&) = delete;
    AfxModuleLock& operator=(const AfxModuleLock&) = delete;
};

struct AfxModuleState {
    CWinApp* pApp = nullptr;
    HINSTANCE hResource = nullptr; // null: the module itself
    CRITICAL_SECTION lock;
    // Windows this module's objects own, for every thread (guarded by the lock).
    std::unordered_map<HWND, CWnd*> permanent;
    // Windows whose object this module let go while its procedure was not on top of the
    // chain: the procedure stays in place and passes their messages to the previous one.
    std::unordered_map<HWND, WNDPROC> passThrough;

    AfxModuleState();
    ~AfxModuleState();
};

struct AfxThreadState {
    CWinThread* pThread = nullptr; // the thread object when the layer started this thread
    MSG lastSent = {};             // the message the window procedure is handling (for Default)
    CWnd* pWndInit = nullptr;      // the object whose window is being created
    HHOOK hCbtHook = nullptr;
    int nCreateDepth = 0;
    // Objects made by FromHandle for handles no object owns; freed at idle.
    std::unordered_map<HWND, CWnd*> tempWnd;
    std::unordered_map<HDC, CDC*> tempDC;
    std::unordered_map<HMENU, CMenu*> tempMenu;
    std::unordered_map<HGDIOBJ, CGdiObject*> tempGdi;
};

AfxModuleState* AfxGetModuleState();
AfxThreadState* AfxGetThreadState();
// Frees the temporary objects of the calling thread.
void AfxFreeTempMaps();
// Frees the calling thread's state (at the end of a thread).
void AfxTermThreadState();

// This module's instance: the program or the library that links this copy of the layer.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hResource);

// While a window of pWnd is being created, binds the first window the thread creates to it.
void AfxHookWindowCreate(CWnd* pWnd);
// Ends that; FALSE when no window was bound (creation failed before it began).
BOOL AfxUnhookWindowCreate(CWnd* pWnd);

// The module's one window procedure, installed on every window its objects own.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC AfxGetAfxWndProc();

// A window class of the module with DefWindowProc behind our procedure; the name is kept for
// the life of the module.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);

// Start and end of a library module that links the layer: builds nothing itself (the
// application object is a static object), runs the application's InitInstance at load and
// ExitInstance at unload, and frees thread states as threads end. A library's DllMain calls it.
BOOL AfxDllMain(HINSTANCE hInstance, DWORD dwReason);

// Nothing to do on this platform; kept for programs that call them.
inline void AfxEnableControlContainer() {}
