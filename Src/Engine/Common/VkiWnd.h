// Window-procedure swaps of the engine's window objects: the caller puts a procedure in front of
// the window's own; the first procedure replaced is kept, so that one reset (or the window's
// destruction) puts that one back however many swaps came after it.
#pragma once
#include "VkeEng.h"

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
