// A small library that links its own copy of the framework, for tests of two modules working
// on one window.
#pragma once
#include <windows.h>

#ifdef TWIN_BUILD_DLL
#define TWIN_API extern "C" __declspec(dllexport)
#else
#define TWIN_API extern "C" __declspec(dllimport)
#endif

typedef void (*TwinLogFn)(const char* text);

// Subclasses the window with the library's object, which logs "twin:<what>;" for the probe
// message (WM_APP + 1) and WM_SETTEXT and then passes them on. 1 on success.
TWIN_API int TwinSubclass(HWND hWnd, TwinLogFn log);
// Gives the window back and frees the object; 1 when there was one.
TWIN_API int TwinUnsubclass();
// The library's window procedure and whether its maps know the window.
TWIN_API WNDPROC TwinWndProc();
TWIN_API int TwinOwns(HWND hWnd);
