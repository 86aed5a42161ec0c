// Steps the engine's window objects share: binding to the system object, the class check of an
// adopted window, their fonts, and window-procedure swaps (the caller puts a procedure in front of
// the window's own; the first procedure replaced is kept, so that one reset, or the window's
// destruction, puts that one back however many swaps came after it).
#pragma once
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiSys.h"
#include <stdlib.h>
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

// The font a window object starts with: that of the font fontOf answers WM_GETFONT with (-1 when
// it cannot be read), else the message file's default face (message 49) and size (50) made for
// the DC of wnd (-8 without one).
inline int VkiStartLogFont(VkiSub* sub, VkiDrw* drw, HWND wnd, HWND fontOf, LOGFONTA* out)
{
    char face[VKE_MSG_SIZE], size[VKE_MSG_SIZE];
    int rc = sub->GetMsg(49, face);
    if (rc == VKE_OK) rc = sub->GetMsg(50, size);
    if (rc != VKE_OK) return rc;
    auto font = reinterpret_cast<HFONT>(fontOf ? SendMessageA(fontOf, WM_GETFONT, 0, 0) : 0);
    if (font) return GetObjectA(font, sizeof(*out), out) ? VKE_OK : VKE_ERR_SYSTEM;
    // A window's DC costs the platform a round trip: taken only for the default font.
    VkiWndDC dc(wnd);
    if (!dc) return VKE_ERR_MEMORY;
    return drw->GetLogFont(dc, face, atoi(size), out);
}

// The font object of a record, shared by every window object that shows the same record: null
// when the platform refuses the record. Each font taken is given back once with VkiDropFont,
// which deletes it with its last user (a font not taken here is deleted at once).
HFONT VkiTakeFont(const LOGFONTA& lf);
void VkiDropFont(HFONT font);

// Takes the font of the LOGFONT (-9 when refused), stores both and sets the font on the window,
// redrawn when it is shown (a hidden one is painted whole when it shows), unless the window shows
// that font object already; the font held before is given back. A height of 0 is stored as the
// height the font has.
inline int VkiSetWindowFont(HWND wnd, const LOGFONTA* font, LOGFONTA* stored, HFONT* held)
{
    if (!font) return VKE_ERR_ARG;
    HFONT made = VkiTakeFont(*font);
    if (!made) return VKE_ERR_ARG;
    *stored = *font;
    if (reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0)) != made)
        SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(made), IsWindowVisible(wnd));
    VkiDropFont(*held);
    *held = made;
    if (stored->lfHeight != 0) return VKE_OK;
    VkiWndDC dc(wnd);
    if (!dc) return VKE_ERR_MEMORY;
    VkiSelect sel(dc, made);
    TEXTMETRICA tm;
    if (!GetTextMetricsA(dc, &tm)) return VKE_ERR_SYSTEM;
    stored->lfHeight = tm.tmHeight >= 0 ? tm.tmInternalLeading - tm.tmHeight : tm.tmHeight;
    return VKE_OK;
}

// The size in points of a LOGFONT height on the window's DC (-8 without one).
inline int VkiFontPoints(HWND wnd, const LOGFONTA& font, int* out)
{
    if (!out) return VKE_ERR_ARG;
    VkiWndDC dc(wnd);
    if (!dc) return VKE_ERR_MEMORY;
    *out = abs(MulDiv(font.lfHeight, 72, GetDeviceCaps(dc, LOGPIXELSY)));
    return VKE_OK;
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

// Submenu 0 of the popup menu shown at the click point of lParam (in wnd's client coordinates),
// its commands going to owner; the platform's result, 0 when there is no submenu or nothing was
// chosen.
inline BOOL VkiTrackPopupMenu(HMENU menu, HWND wnd, LPARAM lParam, HWND owner)
{
    HMENU popup = menu ? GetSubMenu(menu, 0) : nullptr;
    if (!popup || !owner) return FALSE;
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(wnd, &at);
    return TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

// True for a dialog window (class "#32770").
inline bool VkiIsDialog(HWND wnd)
{
    char name[16] = {};
    return wnd && GetClassNameA(wnd, name, sizeof(name)) && lstrcmpA(name, "#32770") == 0;
}
