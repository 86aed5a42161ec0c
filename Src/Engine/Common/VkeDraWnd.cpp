// The drawing area's window: creation and adoption, the caller's window procedure in front of
// the area's, its message map and its destruction.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraBsc"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiWnd.h"
#include "VkeFrame.h"


// The handlers live with their topics: paint and background in VkeDraDrw.cpp, size in
// VkeDraScr.cpp, input, focus, cursor and palette in VkeDraInp.cpp.
BEGIN_MESSAGE_MAP(VkiDra, CEdit)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_PALETTECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

int VkiDra::CreateArea(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id)
{
    if (!VkiIsFilled(rect)) return VKE_ERR_ARG;
    if (m_hWnd) return VKE_ERR_EXISTS;
    DWORD s = (style & VKI_DRA_KEPT_STYLES) | VKI_DRA_FORCED_STYLES;
    if (!CreateEx(exStyle, "EDIT", "", s, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                  parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return VKE_ERR_MEMORY;
    return VKE_OK;
}

int VkiDra::DestroyArea()
{
    if (m_hWnd) DestroyWindow();
    return VKE_OK;
}

int VkiDra::SubclassArea(HWND wnd)
{
    int rc = VkiCheckClass(m_pSub, wnd, "EDIT");
    if (rc != VKE_OK) return rc;
    if (m_hWnd) return VKE_ERR_EXISTS;
    if (!CEdit::SubclassWindow(wnd)) return VKE_ERR_MEMORY;
    m_iSubclassed = 1;
    ModifyStyle(VKI_DRA_DROPPED_STYLES, VKI_DRA_FORCED_STYLES);
    return VKE_OK;
}

int VkiDra::SubclassItem(HWND dialog, int id)
{
    HWND item = dialog ? ::GetDlgItem(dialog, id) : nullptr;
    if (!item) return VKE_ERR_ARG;
    return SubclassArea(item);
}

int VkiDra::UnsubclassArea(HWND* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = m_hWnd ? UnsubclassWindow() : nullptr;
    m_iSubclassed = 0;
    return VKE_OK;
}

int VkiDra::SetWindowProc(WNDPROC proc, WNDPROC* old)
{
    return VkiSwapWindowProc(m_hWnd, proc, old, &m_iProcSwapped, &m_pfnFirstOld);
}

int VkiDra::ResetWindowProc() { return VkiResetWindowProc(m_hWnd, &m_iProcSwapped, &m_pfnFirstOld); }

void VkiDra::OnDestroy()
{
    Term();
    ResetWindowProc();
    Default();
}

// ---- Exports ----

namespace {
RECT RectOf(int x, int y, int width, int height)
{
    return RECT{x, y, static_cast<LONG>(static_cast<long long>(x) + width),
                static_cast<LONG>(static_cast<long long>(y) + height)};
}
const DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
const DWORD kDefaultExStyle = WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY;
} // namespace

VKE_API int VkeDraCreate(VkiDra* dra, int x, int y, int width, int height, HWND parent, UINT id)
{
    RECT r = RectOf(x, y, width, height);
    VKE_FRAME(dra, dra->Sub(), dra->CreateArea(kDefaultStyle, kDefaultExStyle, &r, parent, id));
}

VKE_API int VkeDraCreateByRect(VkiDra* dra, const RECT* rect, HWND parent, UINT id)
{
    VKE_FRAME(dra, dra->Sub(), dra->CreateArea(kDefaultStyle, kDefaultExStyle, rect, parent, id));
}

VKE_API int VkeDraCreateEx(VkiDra* dra, DWORD style, DWORD exStyle, int x, int y, int width, int height, HWND parent,
                           UINT id)
{
    RECT r = RectOf(x, y, width, height);
    VKE_FRAME(dra, dra->Sub(), dra->CreateArea(style, exStyle, &r, parent, id));
}

VKE_API int VkeDraCreateExByRect(VkiDra* dra, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id)
{
    VKE_FRAME(dra, dra->Sub(), dra->CreateArea(style, exStyle, rect, parent, id));
}

VKE_API int VkeDraDestroy(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->DestroyArea()); }
VKE_API int VkeDraSubclassWindow(VkiDra* dra, HWND wnd) { VKE_FRAME(dra, dra->Sub(), dra->SubclassArea(wnd)); }
VKE_API int VkeDraSubclassDlgItem(VkiDra* dra, HWND dialog, int id) { VKE_FRAME(dra, dra->Sub(), dra->SubclassItem(dialog, id)); }
VKE_API int VkeDraUnsubclassWindow(VkiDra* dra, HWND* out) { VKE_FRAME(dra, dra->Sub(), dra->UnsubclassArea(out)); }
VKE_API int VkeDraSetWindowProc(VkiDra* dra, WNDPROC proc, WNDPROC* old) { VKE_FRAME(dra, dra->Sub(), dra->SetWindowProc(proc, old)); }
VKE_API int VkeDraResetWindowProc(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->ResetWindowProc()); }
