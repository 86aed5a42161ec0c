// The Windows headers every part of the layer needs, in one place.
// windowsx.h is left out on purpose: its macros (SubclassWindow, ...) collide with member names.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <stdarg.h>
#include <stddef.h>

// A macro of winuser.h that takes the name of CWnd::GetNextWindow; ::GetWindow does the same.
#undef GetNextWindow

#ifndef afx_msg
#define afx_msg // marks message-map handlers
#endif

// Signed mouse coordinates of a message's lParam.
inline int AfxLoX(LPARAM l) { return static_cast<short>(LOWORD(l)); }
inline int AfxHiY(LPARAM l) { return static_cast<short>(HIWORD(l)); }
