// Window-procedure swaps of the engine's window objects: the caller puts a procedure in front of
// the window's own; the first procedure replaced is kept, so that one reset (or the window's
// destruction) puts that one back however many swaps came after it.
#pragma once
#include "VkiSub.h"
#include "VkiSys.h"
#include <string.h>

// Binds a window object to an initialised system object and its utility and draw objects: -9
// without one, the system object's -6 before its Init; nothing is bound on failure.
inline int VkiBindWindowObject(VkiSys* sys, VkiSys** boundSys, VkiSub** boundSub, VkiDrw** boundDrw)
{
    if (!sys) return VKE_ERR_ARG;
    VkiSub* sub = nullptr;
    VkiDrw* drw = nullptr;
    int rc = sys->GetVkeSubPtr(&sub);
    if (rc == VKE_OK) rc = sys->GetVkeDrwPtr(&drw);
    if (rc != VKE_OK) return rc;
    *boundSys = sys;
    *boundSub = sub;
    *boundDrw = drw;
    return VKE_OK;
}

// 0 when wnd is a window whose class name, upper-cased, is upper; -9 otherwise (-6 without a
// utility object to upper-case with).
inline int VkiCheckClass(VkiSub* sub, HWND wnd, const char* upper)
{
    if (!sub) return VKE_ERR_NOT_INIT;
    char name[1024] = {};
    if (!wnd || !IsWindow(wnd) || GetClassNameA(wnd, name, sizeof(name)) < 1) return VKE_ERR_ARG;
    int rc = sub->ToUpperStr(name);
    if (rc != VKE_OK) return rc;
    return strcmp(name, upper) == 0 ? VKE_OK : VKE_ERR_ARG;
}

// Puts proc in front; *previous the procedure it replaced. -9 null arguments or a refused swap,
// -7 no window (*previous null).
inline int VkiSwapWindowProc(HWND wnd, WNDPROC proc, WNDPROC* previous, int* swapped, WNDPROC* first)
{
    if (!proc || !previous) return VKE_ERR_ARG;
    *previous = nullptr;
    if (!wnd) return VKE_ERR_EXISTS;
    SetLastError(0);
    auto prev = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    if (!prev && GetLastError() != 0) return VKE_ERR_ARG;
    if (!*swapped) {
        *first = prev;
        *swapped = 1;
    }
    *previous = prev;
    return VKE_OK;
}

// Puts back the procedure the first swap replaced; -1 when the platform refused. The record of
// the swap is cleared either way.
inline int VkiResetWindowProc(HWND wnd, int* swapped, WNDPROC* first)
{
    int rc = VKE_OK;
    if (*swapped && wnd) {
        SetLastError(0);
        LONG_PTR prev = SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*first));
        if (!prev && GetLastError() != 0) rc = VKE_ERR_SYSTEM;
    }
    *swapped = 0;
    *first = nullptr;
    return rc;
}

// True for a dialog window (class "#32770").
inline bool VkiIsDialog(HWND wnd)
{
    char name[16] = {};
    return wnd && GetClassNameA(wnd, name, sizeof(name)) && lstrcmpA(name, "#32770") == 0;
}
