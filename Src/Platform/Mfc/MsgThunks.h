// Message-map entries for window messages, notifications and reflected notifications. Each
// thunk unpacks one message kind for its handler; the handler signatures are those the names
// suggest (for example OnSize(UINT nType, int cx, int cy), OnMouseWheel(UINT nFlags,
// short zDelta, CPoint pt), OnCtlColor(CDC*, CWnd*, UINT nCtlColor)).
#pragma once
#include "CDC.h"
#include "CMenu.h"
#include "CScrollBar.h"
#include "CWnd.h"

inline CWnd* AfxWndArg(WPARAM w) { return CWnd::FromHandle(reinterpret_cast<HWND>(w)); }
inline CWnd* AfxWndArgL(LPARAM l) { return CWnd::FromHandle(reinterpret_cast<HWND>(l)); }

#define AFX_THUNK_BEGIN(name) template <auto F> bool name(CCmdTarget* t, AFX_MSG& m) { auto* p = AfxThis<F>(t); (void)m;
#define AFX_THUNK_END return true; }

AFX_THUNK_BEGIN(AfxThunkVoid) (p->*F)(); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkCreate) m.result = (p->*F)(reinterpret_cast<LPCREATESTRUCTA>(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkSize) (p->*F)(static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkSizing) (p->*F)(static_cast<UINT>(m.wParam), reinterpret_cast<LPRECT>(m.lParam)); m.result = TRUE; AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkMove) (p->*F)(AfxLoX(m.lParam), AfxHiY(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkEraseBkgnd) m.result = (p->*F)(CDC::FromHandle(reinterpret_cast<HDC>(m.wParam))); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkFocus) (p->*F)(AfxWndArg(m.wParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkKey) (p->*F)(static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkMouse) (p->*F)(static_cast<UINT>(m.wParam), CPoint(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkWheel)
    m.result = (p->*F)(LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)), CPoint(m.lParam));
AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkTimer) (p->*F)(static_cast<UINT_PTR>(m.wParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkContextMenu) (p->*F)(AfxWndArg(m.wParam), CPoint(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkCtlColor)
    m.result = reinterpret_cast<LRESULT>((p->*F)(CDC::FromHandle(reinterpret_cast<HDC>(m.wParam)), AfxWndArgL(m.lParam),
                                                 m.message - WM_CTLCOLORMSGBOX));
AFX_THUNK_END
// A reflected colour request that gives no brush is left to the parent.
template <auto F>
bool AfxThunkCtlColorReflect(CCmdTarget* t, AFX_MSG& m)
{
    HBRUSH brush = (AfxThis<F>(t)->*F)(CDC::FromHandle(reinterpret_cast<HDC>(m.wParam)), m.message - WM_CTLCOLORMSGBOX);
    m.result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}
AFX_THUNK_BEGIN(AfxThunkDrawItem) (p->*F)(static_cast<int>(m.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(m.lParam)); m.result = TRUE; AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkDrawItemReflect) (p->*F)(reinterpret_cast<LPDRAWITEMSTRUCT>(m.lParam)); m.result = TRUE; AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkMeasureItem) (p->*F)(static_cast<int>(m.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(m.lParam)); m.result = TRUE; AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkMeasureItemReflect) (p->*F)(reinterpret_cast<LPMEASUREITEMSTRUCT>(m.lParam)); m.result = TRUE; AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkScroll)
    (p->*F)(LOWORD(m.wParam), HIWORD(m.wParam),
            m.lParam ? static_cast<CScrollBar*>(AfxWndArgL(m.lParam)) : nullptr);
AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkScrollReflect) (p->*F)(LOWORD(m.wParam), HIWORD(m.wParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkDropFiles) (p->*F)(reinterpret_cast<HDROP>(m.wParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkSetCursor)
    m.result = (p->*F)(AfxWndArg(m.wParam), static_cast<UINT>(static_cast<short>(LOWORD(m.lParam))), HIWORD(m.lParam));
AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkActivate) (p->*F)(LOWORD(m.wParam), AfxWndArgL(m.lParam), HIWORD(m.wParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkInitMenuPopup)
    (p->*F)(CMenu::FromHandle(reinterpret_cast<HMENU>(m.wParam)), LOWORD(m.lParam), HIWORD(m.lParam));
AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkInitMenu) (p->*F)(CMenu::FromHandle(reinterpret_cast<HMENU>(m.wParam))); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkGetDlgCode) m.result = (p->*F)(); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkChangeCbChain) (p->*F)(reinterpret_cast<HWND>(m.wParam), reinterpret_cast<HWND>(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkShowWindow) (p->*F)(static_cast<BOOL>(m.wParam), static_cast<UINT>(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkSysCommand) (p->*F)(static_cast<UINT>(m.wParam), m.lParam); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkWindowPos) (p->*F)(reinterpret_cast<WINDOWPOS*>(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkMinMax) (p->*F)(reinterpret_cast<MINMAXINFO*>(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkEnable) (p->*F)(static_cast<BOOL>(m.wParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkWndL) (p->*F)(AfxWndArgL(m.lParam)); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkMouseActivate)
    m.result = (p->*F)(AfxWndArg(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam));
AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkMessage) m.result = (p->*F)(m.wParam, m.lParam); AFX_THUNK_END

// WM_NOTIFY handlers: (NMHDR*, LRESULT*), with the id first for ranges; _EX handlers answer
// whether they took the notification.
AFX_THUNK_BEGIN(AfxThunkNotify) (p->*F)(reinterpret_cast<NMHDR*>(m.lParam), &m.result); AFX_THUNK_END
AFX_THUNK_BEGIN(AfxThunkNotifyRange) (p->*F)(m.nID, reinterpret_cast<NMHDR*>(m.lParam), &m.result); AFX_THUNK_END
template <auto F>
bool AfxThunkNotifyEx(CCmdTarget* t, AFX_MSG& m)
{
    return (AfxThis<F>(t)->*F)(m.nID, reinterpret_cast<NMHDR*>(m.lParam), &m.result) != 0;
}
template <auto F>
bool AfxThunkNotifyReflectEx(CCmdTarget* t, AFX_MSG& m)
{
    return (AfxThis<F>(t)->*F)(reinterpret_cast<NMHDR*>(m.lParam), &m.result) != 0;
}
template <auto F>
bool AfxThunkControlReflectEx(CCmdTarget* t, AFX_MSG&)
{
    return (AfxThis<F>(t)->*F)() != 0;
}

#undef AFX_THUNK_BEGIN
#undef AFX_THUNK_END

#define AFX_WM(msg, thunk, fn) AFX_ENTRY((msg), 0, 0, 0, &thunk<&ThisClass::fn>)

#define ON_WM_CREATE() AFX_WM(WM_CREATE, AfxThunkCreate, OnCreate)
#define ON_WM_DESTROY() AFX_WM(WM_DESTROY, AfxThunkVoid, OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM(WM_NCDESTROY, AfxThunkVoid, OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM(WM_CLOSE, AfxThunkVoid, OnClose)
#define ON_WM_SIZE() AFX_WM(WM_SIZE, AfxThunkSize, OnSize)
#define ON_WM_SIZING() AFX_WM(WM_SIZING, AfxThunkSizing, OnSizing)
#define ON_WM_MOVE() AFX_WM(WM_MOVE, AfxThunkMove, OnMove)
#define ON_WM_PAINT() AFX_WM(WM_PAINT, AfxThunkVoid, OnPaint)
#define ON_WM_ERASEBKGND() AFX_WM(WM_ERASEBKGND, AfxThunkEraseBkgnd, OnEraseBkgnd)
#define ON_WM_SETFOCUS() AFX_WM(WM_SETFOCUS, AfxThunkFocus, OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM(WM_KILLFOCUS, AfxThunkFocus, OnKillFocus)
#define ON_WM_KEYDOWN() AFX_WM(WM_KEYDOWN, AfxThunkKey, OnKeyDown)
#define ON_WM_KEYUP() AFX_WM(WM_KEYUP, AfxThunkKey, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_WM(WM_SYSKEYDOWN, AfxThunkKey, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WM(WM_SYSKEYUP, AfxThunkKey, OnSysKeyUp)
#define ON_WM_CHAR() AFX_WM(WM_CHAR, AfxThunkKey, OnChar)
#define ON_WM_SYSCHAR() AFX_WM(WM_SYSCHAR, AfxThunkKey, OnSysChar)
#define ON_WM_LBUTTONDOWN() AFX_WM(WM_LBUTTONDOWN, AfxThunkMouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM(WM_LBUTTONUP, AfxThunkMouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM(WM_LBUTTONDBLCLK, AfxThunkMouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM(WM_RBUTTONDOWN, AfxThunkMouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM(WM_RBUTTONUP, AfxThunkMouse, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WM(WM_RBUTTONDBLCLK, AfxThunkMouse, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WM(WM_MBUTTONDOWN, AfxThunkMouse, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WM(WM_MBUTTONUP, AfxThunkMouse, OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_WM(WM_MOUSEMOVE, AfxThunkMouse, OnMouseMove)
#define ON_WM_MOUSEWHEEL() AFX_WM(WM_MOUSEWHEEL, AfxThunkWheel, OnMouseWheel)
#define ON_WM_TIMER() AFX_WM(WM_TIMER, AfxThunkTimer, OnTimer)
#define ON_WM_CONTEXTMENU() AFX_WM(WM_CONTEXTMENU, AfxThunkContextMenu, OnContextMenu)
#define ON_WM_CTLCOLOR() AFX_WM(AFX_WM_CTLCOLOR, AfxThunkCtlColor, OnCtlColor)
#define ON_WM_DRAWITEM() AFX_WM(WM_DRAWITEM, AfxThunkDrawItem, OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_WM(WM_MEASUREITEM, AfxThunkMeasureItem, OnMeasureItem)
#define ON_WM_HSCROLL() AFX_WM(WM_HSCROLL, AfxThunkScroll, OnHScroll)
#define ON_WM_VSCROLL() AFX_WM(WM_VSCROLL, AfxThunkScroll, OnVScroll)
#define ON_WM_DROPFILES() AFX_WM(WM_DROPFILES, AfxThunkDropFiles, OnDropFiles)
#define ON_WM_SETCURSOR() AFX_WM(WM_SETCURSOR, AfxThunkSetCursor, OnSetCursor)
#define ON_WM_ACTIVATE() AFX_WM(WM_ACTIVATE, AfxThunkActivate, OnActivate)
#define ON_WM_INITMENUPOPUP() AFX_WM(WM_INITMENUPOPUP, AfxThunkInitMenuPopup, OnInitMenuPopup)
#define ON_WM_INITMENU() AFX_WM(WM_INITMENU, AfxThunkInitMenu, OnInitMenu)
#define ON_WM_GETDLGCODE() AFX_WM(WM_GETDLGCODE, AfxThunkGetDlgCode, OnGetDlgCode)
#define ON_WM_PALETTECHANGED() AFX_WM(WM_PALETTECHANGED, AfxThunkFocus, OnPaletteChanged)
#define ON_WM_DRAWCLIPBOARD() AFX_WM(WM_DRAWCLIPBOARD, AfxThunkVoid, OnDrawClipboard)
#define ON_WM_CHANGECBCHAIN() AFX_WM(WM_CHANGECBCHAIN, AfxThunkChangeCbChain, OnChangeCbChain)
#define ON_WM_SHOWWINDOW() AFX_WM(WM_SHOWWINDOW, AfxThunkShowWindow, OnShowWindow)
#define ON_WM_SYSCOMMAND() AFX_WM(WM_SYSCOMMAND, AfxThunkSysCommand, OnSysCommand)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM(WM_WINDOWPOSCHANGED, AfxThunkWindowPos, OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO() AFX_WM(WM_GETMINMAXINFO, AfxThunkMinMax, OnGetMinMaxInfo)
#define ON_WM_ENABLE() AFX_WM(WM_ENABLE, AfxThunkEnable, OnEnable)
#define ON_WM_MOUSEACTIVATE() AFX_WM(WM_MOUSEACTIVATE, AfxThunkMouseActivate, OnMouseActivate)
#define ON_WM_CAPTURECHANGED() AFX_WM(WM_CAPTURECHANGED, AfxThunkWndL, OnCaptureChanged)

// Reflected notifications, handled by the control that sent them to its parent.
#define ON_WM_CTLCOLOR_REFLECT() AFX_WM(WM_REFLECT_BASE + AFX_WM_CTLCOLOR, AfxThunkCtlColorReflect, CtlColor)
#define ON_WM_DRAWITEM_REFLECT() AFX_WM(WM_REFLECT_BASE + WM_DRAWITEM, AfxThunkDrawItemReflect, DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() AFX_WM(WM_REFLECT_BASE + WM_MEASUREITEM, AfxThunkMeasureItemReflect, MeasureItem)
#define ON_WM_HSCROLL_REFLECT() AFX_WM(WM_REFLECT_BASE + WM_HSCROLL, AfxThunkScrollReflect, HScroll)
#define ON_WM_VSCROLL_REFLECT() AFX_WM(WM_REFLECT_BASE + WM_VSCROLL, AfxThunkScrollReflect, VScroll)

// Any message: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) AFX_ENTRY((message), 0, 0, 0, &AfxThunkMessage<memberFxn>)
// A message whose number is registered at run time; nMessageVariable holds it.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0, 0, 0, 0, &(nMessageVariable), &AfxThunkMessage<memberFxn>},

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, static_cast<int>(wNotifyCode), (id), (id), &AfxThunkNotify<memberFxn>)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, static_cast<int>(wNotifyCode), (id), (idLast), &AfxThunkNotifyRange<memberFxn>)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, static_cast<int>(wNotifyCode), (id), (id), &AfxThunkNotifyEx<memberFxn>)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, static_cast<int>(wNotifyCode), (id), (idLast), &AfxThunkNotifyEx<memberFxn>)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<int>(wNotifyCode), 0, 0, &AfxThunkNotify<memberFxn>)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<int>(wNotifyCode), 0, 0, &AfxThunkNotifyReflectEx<memberFxn>)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<int>(wNotifyCode), 0, 0, &AfxThunkCommand<memberFxn>)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<int>(wNotifyCode), 0, 0, &AfxThunkControlReflectEx<memberFxn>)

// Non-client and menu-selection messages (frames and control bars).
#define AFX_THUNK_R(name, expr) template <auto F> bool name(CCmdTarget* t, AFX_MSG& m) { auto* p = AfxThis<F>(t); expr; return true; }
AFX_THUNK_R(AfxThunkMenuSelect, (p->*F)(LOWORD(m.wParam), HIWORD(m.wParam), reinterpret_cast<HMENU>(m.lParam)))
AFX_THUNK_R(AfxThunkNcHitTest, m.result = static_cast<LRESULT>((p->*F)(CPoint(m.lParam))))
AFX_THUNK_R(AfxThunkNcCalcSize, (p->*F)(static_cast<BOOL>(m.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(m.lParam)))
AFX_THUNK_R(AfxThunkNcMouse, (p->*F)(static_cast<UINT>(m.wParam), CPoint(m.lParam)))
AFX_THUNK_R(AfxThunkNcActivate, m.result = (p->*F)(static_cast<BOOL>(m.wParam)))
#undef AFX_THUNK_R
#define ON_WM_MENUSELECT() AFX_WM(WM_MENUSELECT, AfxThunkMenuSelect, OnMenuSelect)
#define ON_WM_NCHITTEST() AFX_WM(WM_NCHITTEST, AfxThunkNcHitTest, OnNcHitTest)
#define ON_WM_NCCALCSIZE() AFX_WM(WM_NCCALCSIZE, AfxThunkNcCalcSize, OnNcCalcSize)
#define ON_WM_NCPAINT() AFX_WM(WM_NCPAINT, AfxThunkVoid, OnNcPaint)
#define ON_WM_NCLBUTTONDOWN() AFX_WM(WM_NCLBUTTONDOWN, AfxThunkNcMouse, OnNcLButtonDown)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM(WM_NCLBUTTONDBLCLK, AfxThunkNcMouse, OnNcLButtonDblClk)
#define ON_WM_NCACTIVATE() AFX_WM(WM_NCACTIVATE, AfxThunkNcActivate, OnNcActivate)
#define ON_WM_EXITSIZEMOVE() AFX_WM(WM_EXITSIZEMOVE, AfxThunkVoid, OnExitSizeMove)
