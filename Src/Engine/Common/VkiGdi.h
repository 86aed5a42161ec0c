// Scoped owners of GDI and system resources inside the engine: each releases what it holds at the
// end of its scope, on every path, unless the resource was handed on with Release().
//
//   VkiMemDC dc(screen);                      // CreateCompatibleDC ... DeleteDC
//   VkiGdiObj<HBITMAP> bmp(CreateDIBSection(...));
//   VkiSelect sel(dc, bmp);                   // SelectObject ... the old object put back
//   return bmp.Release();                     // the caller owns it now
//
// Declare the objects before the selections that hold them: scopes end in reverse order, so a
// selection is undone before its object is deleted.
#pragma once
#include "VkeEng.h"

// A GDI object (bitmap, brush, pen, font, palette, region), deleted at the end of the scope.
template <class H = HGDIOBJ>
class VkiGdiObj {
public:
    explicit VkiGdiObj(H h = nullptr) : m_h(h) {}
    ~VkiGdiObj() { Reset(); }
    VkiGdiObj(const VkiGdiObj&) = delete;
    VkiGdiObj& operator=(const VkiGdiObj&) = delete;

    H Get() const { return m_h; }
    operator H() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    // Deletes the object held and holds h instead.
    void Reset(H h = nullptr)
    {
        if (m_h && m_h != h) DeleteObject(m_h);
        m_h = h;
    }
    // Hands the object to the caller; nothing is deleted.
    H Release()
    {
        H h = m_h;
        m_h = nullptr;
        return h;
    }
    // Deletes the object held; the place for a function that hands out a new one.
    H* Out()
    {
        Reset();
        return &m_h;
    }

private:
    H m_h;
};

// An object selected into a DC; the previous object goes back at the end of the scope.
class VkiSelect {
public:
    VkiSelect(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    ~VkiSelect() { Restore(); }
    VkiSelect(const VkiSelect&) = delete;
    VkiSelect& operator=(const VkiSelect&) = delete;

    // False when the selection failed (null DC or object, or refused).
    bool Ok() const { return m_old != nullptr && m_old != HGDI_ERROR; }
    HGDIOBJ Old() const { return Ok() ? m_old : nullptr; }
    // Puts the previous object back now.
    void Restore()
    {
        if (Ok()) SelectObject(m_dc, m_old);
        m_old = nullptr;
    }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A selected palette; the previous one goes back at the end of the scope.
class VkiSelectPalette {
public:
    VkiSelectPalette(HDC dc, HPALETTE pal, BOOL background = FALSE)
        : m_dc(dc), m_old(dc && pal ? SelectPalette(dc, pal, background) : nullptr) {}
    ~VkiSelectPalette()
    {
        if (m_old) SelectPalette(m_dc, m_old, TRUE);
    }
    VkiSelectPalette(const VkiSelectPalette&) = delete;
    VkiSelectPalette& operator=(const VkiSelectPalette&) = delete;
    bool Ok() const { return m_old != nullptr; }

private:
    HDC m_dc;
    HPALETTE m_old;
};

// A DC's stretch mode set for the scope (mode 0 leaves it); HALFTONE keeps the brush origin,
// which setting that mode may move.
class VkiStretchMode {
public:
    VkiStretchMode(HDC dc, int mode) : m_dc(dc)
    {
        if (!dc || !mode) return;
        POINT org = {};
        if (mode == HALFTONE) GetBrushOrgEx(dc, &org);
        m_old = SetStretchBltMode(dc, mode);
        if (mode == HALFTONE) SetBrushOrgEx(dc, org.x, org.y, nullptr);
    }
    ~VkiStretchMode()
    {
        if (m_old) SetStretchBltMode(m_dc, m_old);
    }
    VkiStretchMode(const VkiStretchMode&) = delete;
    VkiStretchMode& operator=(const VkiStretchMode&) = delete;

private:
    HDC m_dc;
    int m_old = 0;
};

// A pen of width 1 that draws 1 pixel on and 2 off, as focus frames are drawn; null when refused.
inline HPEN VkiDotPen(COLORREF color)
{
    LOGBRUSH brush = {BS_SOLID, color, 0};
    const DWORD dots[2] = {1, 2};
    return ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, &brush, 2, dots);
}

// A memory DC compatible with dc (null: the screen), deleted at the end of the scope.
class VkiMemDC {
public:
    explicit VkiMemDC(HDC dc = nullptr) : m_h(CreateCompatibleDC(dc)) {}
    ~VkiMemDC()
    {
        if (m_h) DeleteDC(m_h);
    }
    VkiMemDC(const VkiMemDC&) = delete;
    VkiMemDC& operator=(const VkiMemDC&) = delete;
    HDC Get() const { return m_h; }
    operator HDC() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    // Hands the DC to the caller.
    HDC Release()
    {
        HDC h = m_h;
        m_h = nullptr;
        return h;
    }

private:
    HDC m_h;
};

// A DC the engine created (CreateDC, CreateIC), deleted at the end of the scope.
class VkiOwnDC {
public:
    explicit VkiOwnDC(HDC h = nullptr) : m_h(h) {}
    ~VkiOwnDC() { Reset(); }
    VkiOwnDC(const VkiOwnDC&) = delete;
    VkiOwnDC& operator=(const VkiOwnDC&) = delete;
    HDC Get() const { return m_h; }
    operator HDC() const { return m_h; }
    void Reset(HDC h = nullptr)
    {
        if (m_h && m_h != h) DeleteDC(m_h);
        m_h = h;
    }
    HDC Release()
    {
        HDC h = m_h;
        m_h = nullptr;
        return h;
    }

private:
    HDC m_h;
};

// A window's DC (null window: the screen), released at the end of the scope.
class VkiWndDC {
public:
    explicit VkiWndDC(HWND wnd = nullptr) : m_wnd(wnd), m_h(GetDC(wnd)) {}
    ~VkiWndDC()
    {
        if (m_h) ReleaseDC(m_wnd, m_h);
    }
    VkiWndDC(const VkiWndDC&) = delete;
    VkiWndDC& operator=(const VkiWndDC&) = delete;
    HDC Get() const { return m_h; }
    operator HDC() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HWND m_wnd;
    HDC m_h;
};

// An icon or cursor the engine loaded, destroyed at the end of the scope.
class VkiIcon {
public:
    explicit VkiIcon(HICON h, bool cursor = false) : m_h(h), m_cursor(cursor) {}
    ~VkiIcon()
    {
        if (m_h && m_cursor) DestroyCursor(m_h);
        else if (m_h) DestroyIcon(m_h);
    }
    VkiIcon(const VkiIcon&) = delete;
    VkiIcon& operator=(const VkiIcon&) = delete;
    HICON Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HICON m_h;
    bool m_cursor;
};

// The DC's whole state (mapping, objects, colours, modes) saved and restored at the end of the scope.
class VkiSaveDC {
public:
    explicit VkiSaveDC(HDC dc) : m_dc(dc), m_id(dc ? SaveDC(dc) : 0) {}
    ~VkiSaveDC()
    {
        if (m_id) RestoreDC(m_dc, m_id);
    }
    VkiSaveDC(const VkiSaveDC&) = delete;
    VkiSaveDC& operator=(const VkiSaveDC&) = delete;
    bool Ok() const { return m_id != 0; }

private:
    HDC m_dc;
    int m_id;
};

// A global memory block, freed at the end of the scope unless handed on (to the clipboard, say).
class VkiGlobal {
public:
    explicit VkiGlobal(HGLOBAL h = nullptr) : m_h(h) {}
    VkiGlobal(UINT flags, SIZE_T bytes) : m_h(GlobalAlloc(flags, bytes)) {}
    ~VkiGlobal() { Reset(); }
    VkiGlobal(const VkiGlobal&) = delete;
    VkiGlobal& operator=(const VkiGlobal&) = delete;
    HGLOBAL Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Reset(HGLOBAL h = nullptr)
    {
        if (m_h && m_h != h) GlobalFree(m_h);
        m_h = h;
    }
    HGLOBAL Release()
    {
        HGLOBAL h = m_h;
        m_h = nullptr;
        return h;
    }

private:
    HGLOBAL m_h;
};

// A global memory block locked for the scope. Get() is null when the lock failed.
template <class T = void>
class VkiGlobalLock {
public:
    explicit VkiGlobalLock(HGLOBAL h) : m_h(h), m_p(h ? static_cast<T*>(GlobalLock(h)) : nullptr) {}
    ~VkiGlobalLock()
    {
        if (m_p) GlobalUnlock(m_h);
    }
    VkiGlobalLock(const VkiGlobalLock&) = delete;
    VkiGlobalLock& operator=(const VkiGlobalLock&) = delete;
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // Bytes of the block (0 when it is not locked).
    SIZE_T Size() const { return m_p ? GlobalSize(m_h) : 0; }

private:
    HGLOBAL m_h;
    T* m_p;
};

// The clipboard, opened for the scope. Open tries up to tries times, waitMs apart, since another
// program may hold it for a moment; the clipboard is closed at the end of the scope when opened.
class VkiClipboard {
public:
    VkiClipboard() = default;
    ~VkiClipboard() { Close(); }
    VkiClipboard(const VkiClipboard&) = delete;
    VkiClipboard& operator=(const VkiClipboard&) = delete;

    bool Open(HWND owner, int tries = 1, DWORD waitMs = 0)
    {
        for (int i = 0; i < tries && !m_open; ++i) {
            if (i > 0) Sleep(waitMs);
            m_open = OpenClipboard(owner) != FALSE;
        }
        return m_open;
    }
    bool IsOpen() const { return m_open; }
    void Close()
    {
        if (m_open) CloseClipboard();
        m_open = false;
    }

private:
    bool m_open = false;
};
