// The tab control: object, window, parameters, properties, font, colours, menu and focus.
#define VKE_MODULE "Src\\Engine\\Common\\VkeTabBsc"
#include "VkiTab.h"
#include "VkeEngRes.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkiTxt.h"
#include "VkiWnd.h"
#include "VkeFrame.h"
#include <stdlib.h>
#include <string.h>

thread_local VkiTabFlags g_vkiTabFlags = {};

namespace {

const char kTabName[] = "VkeTab";
const char kTabClassUpper[] = "SYSTABCONTROL32";
// Styles a tab window never has, and always has.
const DWORD kStyleOff = WS_POPUP | WS_MINIMIZE | WS_MAXIMIZE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
const DWORD kStyleOn = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// What a caller's style may add.
const DWORD kStyleFree = WS_VISIBLE | WS_DISABLED | WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP | 0xFFFF;
const DWORD kStyleDefault = WS_VISIBLE | WS_TABSTOP;
const DWORD kTabExDefault = 4;
// Message numbers of the default face name and size.
enum { kMsgFace = 49, kMsgSize = 50 };


RECT RectOf(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// Alloc and bind; the object is freed again when binding fails.
int AllocBound(VkiSys* sys, VkiTab** out)
{
    int rc = VkiAllocObj(out);
    if (rc != VKE_OK) return rc;
    rc = (*out)->Bind(sys);
    if (rc != VKE_OK) VkiFreeObj(out);
    return rc;
}

int CreateFrom(VkiTab* tab, DWORD style, DWORD tabExStyle, const RECT* rect, HWND parent, UINT id)
{
    if (!rect) return VKE_ERR_ARG;
    return tab->CreateTab(style, tabExStyle, *rect, parent, id);
}

} // namespace

VkiTab::~VkiTab()
{
    if (m_hWnd) Destroy();
    Terminate();
}

int VkiTab::Bind(VkiSys* sys) { return VkiBindWindowObject(sys, &m_pSys, &m_pSub, &m_pDrw); }

// ---- Window ----

int VkiTab::CreateTab(DWORD style, DWORD tabExStyle, const RECT& rect, HWND parent, UINT id)
{
    if (m_hWnd) return VKE_ERR_EXISTS;
    if (!parent || !IsWindow(parent)) return VKE_ERR_ARG;
    DWORD use = (style & kStyleFree) | kStyleOn;
    if (!CWnd::CreateEx(0, WC_TABCONTROLA, nullptr, use, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return VKE_ERR_MEMORY;
    SetExtendedStyle(GetExtendedStyle() | tabExStyle);
    return VKE_OK;
}

int VkiTab::Destroy()
{
    if (m_hWnd) DestroyWindow();
    return VKE_OK;
}

int VkiTab::SubclassTab(HWND wnd)
{
    int rc = VkiCheckClass(m_pSub, wnd, kTabClassUpper);
    if (rc != VKE_OK) return rc;
    if (!SubclassWindow(wnd)) return VKE_ERR_MEMORY;
    m_iSubclassed = 1;
    ModifyStyle(kStyleOff, kStyleOn);
    return VKE_OK;
}

int VkiTab::SubclassTabItem(HWND dialog, int id)
{
    HWND item = dialog && IsWindow(dialog) ? ::GetDlgItem(dialog, id) : nullptr;
    if (!item) return VKE_ERR_ARG;
    return SubclassTab(item);
}

int VkiTab::UnsubclassTab(HWND* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    if (!m_hWnd) return VKE_ERR_EXISTS;
    // The records live in the window's items: they go before the window does.
    int rc = IsInit() ? Terminate() : VKE_OK;
    m_iProcSwapped = 0;
    m_pfnFirstOld = nullptr;
    *out = UnsubclassWindow();
    m_iSubclassed = 0;
    return rc;
}

int VkiTab::SetWindowProc(WNDPROC proc, WNDPROC* old)
{
    return VkiSwapWindowProc(m_hWnd, proc, old, &m_iProcSwapped, &m_pfnFirstOld);
}

int VkiTab::ResetWindowProc() { return VkiResetWindowProc(m_hWnd, &m_iProcSwapped, &m_pfnFirstOld); }

// ---- Parameters, Init and Term ----

int VkiTab::InitParam(VkeTabParam* param)
{
    if (!param) return VKE_ERR_ARG;
    VkiInitParamHead(param);
    param->iFixedPage = 0;
    param->iCtlLock = 0;
    return VKE_OK;
}

int VkiTab::CheckParam(VkeTabParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (int rc = VkiCheckParamHead(param, field, messageNo)) return rc;
    if (!VkiIsFlag(param->iFixedPage)) return VkiBadField(field, messageNo, 6, 69, VKE_ERR_ARG);
    if (!VkiIsFlag(param->iCtlLock)) return VkiBadField(field, messageNo, 7, 70, VKE_ERR_ARG);
    return VkiBadField(field, messageNo, 0, 0, VKE_OK);
}

void VkiTab::Reset()
{
    m_dExecVersion = VKE_VERSION;
    m_uTextColor = GetSysColor(COLOR_BTNTEXT);
    m_uBackColor = GetSysColor(COLOR_BTNFACE);
    m_hMenu = nullptr;
    m_iFixedPage = m_iCtlLock = 0;
    m_iPageCnt = 0;
    m_iRbcIdx = -1;
    m_iDragTimerOn = 0;
    m_uDragTimerId = VKI_TAB_DRAG_TIMER;
    m_iDragging = 0;
    m_iDragIdx = -1;
    memset(&m_lf, 0, sizeof(m_lf));
    m_hPrevCursor = m_hArrowCursor = m_hDragCursor = nullptr;
}

int VkiTab::ReadDefaultFont(HDC dc, LOGFONTA* out)
{
    char face[VKE_MSG_SIZE], size[VKE_MSG_SIZE];
    int rc = m_pSub->GetMsg(kMsgFace, face);
    if (rc == VKE_OK) rc = m_pSub->GetMsg(kMsgSize, size);
    if (rc != VKE_OK) return rc;
    HWND parent = ::GetParent(m_hWnd);
    auto font = reinterpret_cast<HFONT>(parent ? ::SendMessageA(parent, WM_GETFONT, 0, 0) : 0);
    if (font) return GetObjectA(font, sizeof(*out), out) == sizeof(*out) ? VKE_OK : VKE_ERR_SYSTEM;
    return m_pDrw->GetLogFont(dc, face, atoi(size), out);
}

int VkiTab::Init(VkeTabParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (IsInit() || !m_hWnd) return VkiBadField(field, messageNo, 0, 0, VKE_ERR_EXISTS);
    int rc = CheckParam(param, field, messageNo);
    if (rc != VKE_OK) return rc;
    if (!m_pSub || !m_pDrw) return VKE_ERR_NOT_INIT;

    Reset();
    m_dExecVersion = param->dExecVersion;
    m_hMenu = param->hMenu;
    m_iFixedPage = param->iFixedPage;
    m_iCtlLock = param->iCtlLock;
    LOGFONTA lf = {};
    {
        VkiWndDC dc(m_hWnd);
        if (!dc) return VKE_ERR_MEMORY;
        rc = ReadDefaultFont(dc, &lf);
    }
    if (rc == VKE_OK) {
        m_iInit = 1;
        ModifyStyle(kStyleOff, kStyleOn);
        rc = SetFontByLogFont(&lf);
    }
    if (rc == VKE_OK) rc = SetTextColor(param->uTextColor);
    if (rc == VKE_OK) rc = SetBackColor(param->uBackColor);
    if (rc == VKE_OK) rc = SetCtlLockFlag(param->iCtlLock);
    if (rc == VKE_OK) {
        m_hPrevCursor = GetCursor();
        m_hArrowCursor = LoadCursorA(nullptr, IDC_ARROW);
        m_hDragCursor = LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_VKI_GRAB));
        if (!m_hArrowCursor || !m_hDragCursor) rc = VKE_ERR_MEMORY;
    }
    if (rc != VKE_OK) Terminate();
    return rc;
}

int VkiTab::Terminate()
{
    int rc = VKE_OK;
    if (IsInit() && m_hWnd) {
        EndDrag();
        for (int i = GetItemCount() - 1; i >= 0; --i) {
            Tbi* tbi = TbiAt(i);
            if (!DeleteTab(i) || !tbi) rc = rc == VKE_OK ? VKE_ERR_SYSTEM : rc;
            delete tbi;
        }
        CTabCtrl::SetCurSel(-1);
        // The control must not draw with the font deleted below.
        SendMessage(WM_SETFONT, 0, FALSE);
    }
    m_iPageCnt = 0;
    m_iRbcIdx = -1;
    for (HGDIOBJ* obj : {reinterpret_cast<HGDIOBJ*>(&m_hFont), reinterpret_cast<HGDIOBJ*>(&m_hFramePen),
                         reinterpret_cast<HGDIOBJ*>(&m_hFocusPen)}) {
        if (*obj) DeleteObject(*obj);
        *obj = nullptr;
    }
    if (IsInit() && (m_hPrevCursor || m_hArrowCursor)) SetCursor(m_hPrevCursor ? m_hPrevCursor : m_hArrowCursor);
    m_iInit = 0;
    return rc;
}

int VkiTab::Term()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return Terminate();
}

// ---- Properties ----

int VkiTab::SetProperty(int id, void* value)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!value) return VKE_ERR_ARG;
    switch (id) {
    case VKE_PROP_EXEC_VERSION: return SetCommonProperty(id, value);
    case VKE_TAB_PROP_LOGFONT: return SetFontByLogFont(static_cast<LOGFONTA*>(value));
    case VKE_TAB_PROP_TEXT_COLOR: return SetTextColor(*static_cast<COLORREF*>(value));
    case VKE_TAB_PROP_BACK_COLOR: return SetBackColor(*static_cast<COLORREF*>(value));
    case VKE_TAB_PROP_MENU: return SetMenuHandle(*static_cast<HMENU*>(value));
    case VKE_TAB_PROP_CTL_LOCK: return SetCtlLockFlag(*static_cast<int*>(value));
    default: return VKE_ERR_ARG;
    }
}

int VkiTab::GetProperty(int id, void* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = GetCommonProperty(id, out, kTabName);
    if (rc != VKE_NOT_DONE) return rc;
    if (!out) return VKE_ERR_ARG;
    switch (id) {
    case VKE_TAB_PROP_WND: return GetTabHandle(static_cast<HWND*>(out));
    case VKE_TAB_PROP_LOGFONT: return GetLogFont(static_cast<LOGFONTA*>(out));
    case VKE_TAB_PROP_FONT_NAME: return GetFontName(static_cast<char*>(out), 1024);
    case VKE_TAB_PROP_FONT_SIZE: return GetFontSize(static_cast<int*>(out));
    case VKE_TAB_PROP_TEXT_COLOR: return GetTextColor(static_cast<COLORREF*>(out));
    case VKE_TAB_PROP_BACK_COLOR: return GetBackColor(static_cast<COLORREF*>(out));
    case VKE_TAB_PROP_MENU: return GetMenuHandle(static_cast<HMENU*>(out));
    case VKE_TAB_PROP_FIXED_PAGE: return GetFixedPageFlag(static_cast<int*>(out));
    case VKE_TAB_PROP_CTL_LOCK: return GetCtlLockFlag(static_cast<int*>(out));
    default: return VKE_ERR_ARG;
    }
}

int VkiTab::GetName(char* buffer, int size) { return VkiCopyStr(buffer, kTabName, size); }

int VkiTab::GetTabHandle(HWND* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = m_hWnd;
    return VKE_OK;
}

// ---- Font ----

int VkiTab::SetFont(const char* face, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    LOGFONTA lf = {};
    int rc;
    {
        VkiWndDC dc(m_hWnd);
        if (!dc) return VKE_ERR_MEMORY;
        rc = m_pDrw->GetLogFont(dc, face, size, &lf);
    }
    return rc == VKE_OK ? SetFontByLogFont(&lf) : rc;
}

int VkiTab::SetFontByLogFont(const LOGFONTA* font)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!font || !memchr(font->lfFaceName, 0, LF_FACESIZE)) return VKE_ERR_ARG;
    HFONT made = CreateFontIndirectA(font);
    if (!made) return VKE_ERR_ARG;
    m_lf = *font;
    HFONT old = m_hFont;
    m_hFont = made;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    if (old) DeleteObject(old);
    if (m_lf.lfHeight == 0) {
        // The character height of the font made, negative as a LOGFONT gives it.
        VkiWndDC dc(m_hWnd);
        VkiSelect select(dc, made);
        TEXTMETRICA tm = {};
        if (!dc || !select.Ok() || !GetTextMetricsA(dc, &tm)) return VKE_ERR_SYSTEM;
        m_lf.lfHeight = tm.tmInternalLeading - tm.tmHeight;
    }
    // The item height follows the font; the width is read back by a first call and kept.
    int height = abs(m_lf.lfHeight) + 14;
    LRESULT was = SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(0, height));
    SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(LOWORD(was), height));
    RECT own = OwnRect();
    return MoveTo(own);
}

int VkiTab::GetFontName(char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(buffer, m_lf.lfFaceName, size);
}

int VkiTab::GetFontSize(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    VkiWndDC dc(m_hWnd);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dpi < 1) return VKE_ERR_SYSTEM;
    *out = MulDiv(abs(m_lf.lfHeight), 72, dpi);
    return VKE_OK;
}

int VkiTab::GetLogFont(LOGFONTA* out) { return VkiAnswer(IsInit(), out, m_lf); }

int VkiTab::GetFontHandle(HFONT* out) { return VkiAnswer(IsInit(), out, m_hFont); }

// ---- Colours ----

int VkiTab::MakePens(COLORREF color)
{
    VkiGdiObj<HPEN> frame(CreatePen(PS_SOLID, 1, color));
    VkiGdiObj<HPEN> focus(VkiDotPen(color));
    if (!frame || !focus) return VKE_ERR_MEMORY;
    if (m_hFramePen) DeleteObject(m_hFramePen);
    if (m_hFocusPen) DeleteObject(m_hFocusPen);
    m_hFramePen = frame.Release();
    m_hFocusPen = focus.Release();
    return VKE_OK;
}

int VkiTab::SetTextColor(COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    // A full colour list only means the colour is not in it.
    int rc = m_pDrw->SetColor(color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    rc = MakePens(color);
    if (rc != VKE_OK) return rc;
    m_uTextColor = color;
    Invalidate(FALSE);
    return VKE_OK;
}

int VkiTab::SetBackColor(COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = m_pDrw->SetColor(color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    m_uBackColor = color;
    Invalidate(FALSE);
    return VKE_OK;
}

int VkiTab::GetTextColor(COLORREF* out) { return VkiAnswer(IsInit(), out, m_uTextColor); }

int VkiTab::GetBackColor(COLORREF* out) { return VkiAnswer(IsInit(), out, m_uBackColor); }

// ---- Menu, flags, redraw and focus ----

int VkiTab::SetMenuHandle(HMENU menu)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (menu && !VkiHasSubmenu(menu)) return VKE_ERR_ARG;
    m_hMenu = menu;
    return VKE_OK;
}

int VkiTab::GetMenuHandle(HMENU* out) { return VkiAnswer(IsInit(), out, m_hMenu); }

int VkiTab::GetFixedPageFlag(int* out) { return VkiAnswer(IsInit(), out, m_iFixedPage); }

int VkiTab::GetCtlLockFlag(int* out) { return VkiAnswer(IsInit(), out, m_iCtlLock); }

int VkiTab::SetCtlLockFlag(int flag)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiIsFlag(flag)) return VKE_ERR_ARG;
    // Switching off unlocks every page first; a failure leaves the flag on.
    for (int i = 0; flag == 0 && m_iCtlLock == 1 && i < m_iPageCnt; ++i) {
        int rc = SetLockedFlag(i, 0);
        if (rc != VKE_OK) return rc;
    }
    m_iCtlLock = flag;
    return VKE_OK;
}

int VkiTab::Redraw(int erase)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiIsFlag(erase)) return VKE_ERR_ARG;
    Invalidate(erase);
    return VKE_OK;
}

int VkiTab::SetFocusTab()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return m_pDrw->SetFocusWnd(m_hWnd);
}

int VkiTab::IsFocus(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_hWnd && ::GetFocus() == m_hWnd ? 1 : 0;
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeTabAlloc(VkiSys* sys, VkiTab** out) { VKE_FRAME(sys, sys->Sub(), AllocBound(sys, out)); }
VKE_API int VkeTabFree(VkiTab** out) { return VkiFreeObj(out); }
VKE_API int VkeTabCreate(VkiTab* tab, int x, int y, int width, int height, HWND parent, UINT id) { VKE_FRAME(tab, tab->Sub(), tab->CreateTab(kStyleDefault, kTabExDefault, RectOf(x, y, width, height), parent, id)); }
VKE_API int VkeTabCreateByRect(VkiTab* tab, const RECT* rect, HWND parent, UINT id) { VKE_FRAME(tab, tab->Sub(), CreateFrom(tab, kStyleDefault, kTabExDefault, rect, parent, id)); }
VKE_API int VkeTabCreateEx(VkiTab* tab, DWORD style, DWORD tabExStyle, int x, int y, int width, int height, HWND parent, UINT id) { VKE_FRAME(tab, tab->Sub(), tab->CreateTab(style, tabExStyle, RectOf(x, y, width, height), parent, id)); }
VKE_API int VkeTabCreateExByRect(VkiTab* tab, DWORD style, DWORD tabExStyle, const RECT* rect, HWND parent, UINT id) { VKE_FRAME(tab, tab->Sub(), CreateFrom(tab, style, tabExStyle, rect, parent, id)); }
VKE_API int VkeTabDestroy(VkiTab* tab) { VKE_FRAME(tab, tab->Sub(), tab->Destroy()); }
VKE_API int VkeTabSubclassWindow(VkiTab* tab, HWND wnd) { VKE_FRAME(tab, tab->Sub(), tab->SubclassTab(wnd)); }
VKE_API int VkeTabSubclassDlgItem(VkiTab* tab, HWND dialog, int id) { VKE_FRAME(tab, tab->Sub(), tab->SubclassTabItem(dialog, id)); }
VKE_API int VkeTabUnsubclassWindow(VkiTab* tab, HWND* out) { VKE_FRAME(tab, tab->Sub(), tab->UnsubclassTab(out)); }
VKE_API int VkeTabSetWindowProc(VkiTab* tab, WNDPROC proc, WNDPROC* old) { VKE_FRAME(tab, tab->Sub(), tab->SetWindowProc(proc, old)); }
VKE_API int VkeTabResetWindowProc(VkiTab* tab) { VKE_FRAME(tab, tab->Sub(), tab->ResetWindowProc()); }
VKE_API int VkeTabInitParam(VkiTab* tab, VkeTabParam* param) { VKE_FRAME(tab, tab->Sub(), tab->InitParam(param)); }
VKE_API int VkeTabCheckParam(VkiTab* tab, VkeTabParam* param, int* field, int* messageNo) { VKE_FRAME(tab, tab->Sub(), tab->CheckParam(param, field, messageNo)); }
VKE_API int VkeTabInit(VkiTab* tab, VkeTabParam* param, int* field, int* messageNo) { VKE_FRAME(tab, tab->Sub(), tab->Init(param, field, messageNo)); }
VKE_API int VkeTabTerm(VkiTab* tab) { VKE_FRAME(tab, tab->Sub(), tab->Term()); }
VKE_API int VkeTabSetProperty(VkiTab* tab, int id, void* value) { VKE_FRAME(tab, tab->Sub(), tab->SetProperty(id, value)); }
VKE_API int VkeTabGetProperty(VkiTab* tab, int id, void* out) { VKE_FRAME(tab, tab->Sub(), tab->GetProperty(id, out)); }
VKE_API int VkeTabGetName(VkiTab* tab, char* buffer, int size) { VKE_FRAME(tab, tab->Sub(), tab->GetName(buffer, size)); }
VKE_API int VkeTabGetVersion(VkiTab* tab, double* out) { VKE_FRAME(tab, tab->Sub(), tab->GetVersion(out)); }
VKE_API int VkeTabSetExecVersion(VkiTab* tab, double version) { VKE_FRAME(tab, tab->Sub(), tab->SetExecVersion(version)); }
VKE_API int VkeTabGetExecVersion(VkiTab* tab, double* out) { VKE_FRAME(tab, tab->Sub(), tab->GetExecVersion(out)); }
VKE_API int VkeTabGetTabHandle(VkiTab* tab, HWND* out) { VKE_FRAME(tab, tab->Sub(), tab->GetTabHandle(out)); }
VKE_API int VkeTabSetFont(VkiTab* tab, const char* face, int size) { VKE_FRAME(tab, tab->Sub(), tab->SetFont(face, size)); }
VKE_API int VkeTabSetFontByLogFont(VkiTab* tab, const LOGFONTA* font) { VKE_FRAME(tab, tab->Sub(), tab->SetFontByLogFont(font)); }
VKE_API int VkeTabGetFontName(VkiTab* tab, char* buffer, int size) { VKE_FRAME(tab, tab->Sub(), tab->GetFontName(buffer, size)); }
VKE_API int VkeTabGetFontSize(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetFontSize(out)); }
VKE_API int VkeTabGetLogFont(VkiTab* tab, LOGFONTA* out) { VKE_FRAME(tab, tab->Sub(), tab->GetLogFont(out)); }
VKE_API int VkeTabGetFontHandle(VkiTab* tab, HFONT* out) { VKE_FRAME(tab, tab->Sub(), tab->GetFontHandle(out)); }
VKE_API int VkeTabSetTextColor(VkiTab* tab, COLORREF color) { VKE_FRAME(tab, tab->Sub(), tab->SetTextColor(color)); }
VKE_API int VkeTabSetBackColor(VkiTab* tab, COLORREF color) { VKE_FRAME(tab, tab->Sub(), tab->SetBackColor(color)); }
VKE_API int VkeTabGetTextColor(VkiTab* tab, COLORREF* out) { VKE_FRAME(tab, tab->Sub(), tab->GetTextColor(out)); }
VKE_API int VkeTabGetBackColor(VkiTab* tab, COLORREF* out) { VKE_FRAME(tab, tab->Sub(), tab->GetBackColor(out)); }
VKE_API int VkeTabSetMenuHandle(VkiTab* tab, HMENU menu) { VKE_FRAME(tab, tab->Sub(), tab->SetMenuHandle(menu)); }
VKE_API int VkeTabGetMenuHandle(VkiTab* tab, HMENU* out) { VKE_FRAME(tab, tab->Sub(), tab->GetMenuHandle(out)); }
VKE_API int VkeTabGetFixedPageFlag(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetFixedPageFlag(out)); }
VKE_API int VkeTabGetCtlLockFlag(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->GetCtlLockFlag(out)); }
VKE_API int VkeTabSetCtlLockFlag(VkiTab* tab, int flag) { VKE_FRAME(tab, tab->Sub(), tab->SetCtlLockFlag(flag)); }
VKE_API int VkeTabRedraw(VkiTab* tab, int erase) { VKE_FRAME(tab, tab->Sub(), tab->Redraw(erase)); }
VKE_API int VkeTabSetFocusTab(VkiTab* tab) { VKE_FRAME(tab, tab->Sub(), tab->SetFocusTab()); }
VKE_API int VkeTabIsFocus(VkiTab* tab, int* out) { VKE_FRAME(tab, tab->Sub(), tab->IsFocus(out)); }
