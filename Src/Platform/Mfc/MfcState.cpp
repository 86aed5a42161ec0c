#include "MfcState.h"
#include "CDC.h"
#include "CGdiObject.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "CWnd.h"
#include <set>
#include <stdio.h>
#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase;

AfxModuleState::AfxModuleState() { InitializeCriticalSection(&lock); }
AfxModuleState::~AfxModuleState() { DeleteCriticalSection(&lock); }

// Never destroyed: windows may still get messages while static objects go away at exit.
AfxModuleState* AfxGetModuleState()
{
    static AfxModuleState* state = new AfxModuleState;
    return state;
}

AfxModuleLock::AfxModuleLock() { EnterCriticalSection(&AfxGetModuleState()->lock); }
AfxModuleLock::~AfxModuleLock() { LeaveCriticalSection(&AfxGetModuleState()->lock); }

static DWORD ThreadSlot()
{
    static DWORD slot = TlsAlloc();
    return slot;
}

AfxThreadState* AfxGetThreadState()
{
    DWORD slot = ThreadSlot();
    AfxThreadState* ts = static_cast<AfxThreadState*>(TlsGetValue(slot));
    if (!ts) {
        ts = new AfxThreadState;
        TlsSetValue(slot, ts);
    }
    return ts;
}

// Temporary objects only wrap their handle: they are emptied before deletion so that their
// destructors destroy nothing.
void AfxFreeTempMaps()
{
    AfxThreadState* ts = static_cast<AfxThreadState*>(TlsGetValue(ThreadSlot()));
    if (!ts) return;
    for (auto& e : ts->tempWnd) {
        e.second->m_hWnd = nullptr;
        delete e.second;
    }
    ts->tempWnd.clear();
    for (auto& e : ts->tempDC) {
        e.second->m_hDC = nullptr;
        e.second->m_hAttribDC = nullptr;
        delete e.second;
    }
    ts->tempDC.clear();
    for (auto& e : ts->tempMenu) {
        e.second->m_hMenu = nullptr;
        delete e.second;
    }
    ts->tempMenu.clear();
    for (auto& e : ts->tempGdi) {
        e.second->m_hObject = nullptr;
        delete e.second;
    }
    ts->tempGdi.clear();
}

void AfxTermThreadState()
{
    DWORD slot = ThreadSlot();
    AfxThreadState* ts = static_cast<AfxThreadState*>(TlsGetValue(slot));
    if (!ts) return;
    AfxFreeTempMaps();
    if (ts->hCbtHook) UnhookWindowsHookEx(ts->hCbtHook);
    TlsSetValue(slot, nullptr);
    delete ts;
}

HINSTANCE AfxGetInstanceHandle() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE h = AfxGetModuleState()->hResource;
    return h ? h : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hResource) { AfxGetModuleState()->hResource = hResource; }

WNDPROC AfxGetAfxWndProc() { return &AfxWndProc; }

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing;
    if (GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
    return RegisterClassA(lpWndClass) != 0;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<std::string> names; // guarded by the module lock
    char name[96];
    HINSTANCE inst = AfxGetInstanceHandle();
    snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(inst), nClassStyle,
             static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    AfxModuleLock lock;
    auto it = names.insert(name).first;
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = inst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = it->c_str();
    return AfxRegisterClass(&wc) ? it->c_str() : nullptr;
}

BOOL AfxDllMain(HINSTANCE, DWORD dwReason)
{
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        if (CWinApp* app = AfxGetApp()) return app->InitInstance();
        return TRUE;
    case DLL_THREAD_DETACH:
        AfxTermThreadState();
        return TRUE;
    case DLL_PROCESS_DETACH:
        if (CWinApp* app = AfxGetApp()) app->ExitInstance();
        AfxTermThreadState();
        return TRUE;
    default:
        return TRUE;
    }
}
