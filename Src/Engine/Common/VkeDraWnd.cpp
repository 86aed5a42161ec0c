// The drawing area's window: creation and adoption, the caller's window procedure in front of
// the area's, and the messages of the window's life (destruction, size, paint).
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraBsc"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiWnd.h"
#include "VkeFrame.h"


BEGIN_MESSAGE_MAP(VkiDra, CEdit)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_SIZE()
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

// The drawing pass comes with the owner's drawing; until then the area shows its back colour.
void VkiDra::OnPaint()
{
    if (!IsInit()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    if (m_hBackBrush) FillRect(dc.m_hDC, &dc.m_ps.rcPaint, m_hBackBrush);
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
