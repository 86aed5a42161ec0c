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
#include <vector>

// A macro of winuser.h that takes the name of CWnd::GetNextWindow; ::GetWindow does the same.
#undef GetNextWindow

#ifndef afx_msg
#define afx_msg // marks message-map handlers
#endif

// Signed mouse coordinates of a message's lParam.
inline int AfxLoX(LPARAM l) { return static_cast<short>(LOWORD(l)); }
inline int AfxHiY(LPARAM l) { return static_cast<short>(HIWORD(l)); }

// A place in one of the layer's lists (a document's views, a template's documents): null past
// the end. It stays valid while the list is not changed.
typedef struct AfxPosition* POSITION;
inline POSITION AfxPositionOf(size_t index) { return reinterpret_cast<POSITION>(static_cast<UINT_PTR>(index) + 1); }
inline size_t AfxIndexOf(POSITION pos) { return static_cast<size_t>(reinterpret_cast<UINT_PTR>(pos) - 1); }
// The element at rPosition of a list (null past its end); rPosition moves to the next one.
template <class T>
T* AfxNextAt(const std::vector<T*>& list, POSITION& rPosition)
{
    size_t i = AfxIndexOf(rPosition);
    if (!rPosition || i >= list.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = i + 1 < list.size() ? AfxPositionOf(i + 1) : nullptr;
    return list[i];
}
