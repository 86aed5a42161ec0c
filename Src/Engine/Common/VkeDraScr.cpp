// The drawing area's scroll bars and layout: bars, ranges and pages kept in step with the scaled
// drawing, scroll codes, arrow steps and wheel notches turned into positions, positions turned
// into drawing coordinates, and the window with its bars laid out in the parent.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraOpr"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkeFrame.h"

namespace {

// One re-entry flag per direction, shared by the areas of the thread: a scroll inside a scroll
// of the same direction (a redraw that scrolls again, say) does nothing.
thread_local bool g_bInHScroll = false;
thread_local bool g_bInVScroll = false;

// A bar window made with the area's style rules.
int MakeBar(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id, HWND* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    if (!VkiIsFilled(rect)) return VKE_ERR_ARG;
    *out = CreateWindowExA(exStyle, "SCROLLBAR", "", style, rect->left, rect->top, rect->right - rect->left,
                           rect->bottom - rect->top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                           AfxGetInstanceHandle(), nullptr);
    return *out ? VKE_OK : VKE_ERR_MEMORY;
}

int Metric(int index, int* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = GetSystemMetrics(index);
    return VKE_OK;
}

void Place(HWND bar, bool show, int x, int y, int width, int height)
{
    if (!bar) return;
    if (show) {
        ::MoveWindow(bar, x, y, width, height, TRUE);
        ::ShowWindow(bar, SW_SHOWNA);
    } else {
        ::ShowWindow(bar, SW_HIDE);
    }
}

} // namespace

// ---- Bars ----

int VkiDra::Border(bool width, int* out)
{
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    RECT w, c;
    if (!m_hWnd || !::GetWindowRect(m_hWnd, &w) || !::GetClientRect(m_hWnd, &c)) return VKE_ERR_EXISTS;
    long long d = width ? VkiWidth(w) - VkiWidth(c) : VkiHeight(w) - VkiHeight(c);
    *out = static_cast<int>((d + 1) / 2);
    return VKE_OK;
}

int VkiDra::CreateHScrBar(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id, HWND* out)
{
    return MakeBar((style & VKI_DRA_KEPT_STYLES) | VKI_DRA_FORCED_STYLES, exStyle, rect, parent, id, out);
}

int VkiDra::CreateVScrBar(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id, HWND* out)
{
    return MakeBar((style & VKI_DRA_KEPT_STYLES & ~SBS_VERT) | VKI_DRA_FORCED_STYLES | SBS_VERT, exStyle, rect,
                   parent, id, out);
}

int VkiDra::DestroyScrBar(HWND* bar)
{
    if (!bar) return VKE_ERR_ARG;
    if (*bar && IsWindow(*bar)) ::DestroyWindow(*bar);
    *bar = nullptr;
    return VKE_OK;
}

bool VkiDra::HasBar(bool h) const { return Bar(h) && IsWindow(Bar(h)); }

int VkiDra::GetScrBarSize(HWND bar, bool width, int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    if (!bar || !IsWindow(bar)) return VKE_ERR_EXISTS;
    RECT r;
    if (!::GetWindowRect(bar, &r)) return VKE_ERR_SYSTEM;
    *out = VkiClampInt(width ? VkiWidth(r) : VkiHeight(r));
    return VKE_OK;
}

int VkiDra::GetScrInfo(bool h, SCROLLINFO* info, UINT mask)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!info) return VKE_ERR_ARG;
    if (!HasBar(h)) return VKE_ERR_EXISTS;
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(Bar(h), SB_CTL, info) ? VKE_OK : VKE_ERR_ARG;
}

int VkiDra::GetScrSize(bool h, int* min, int* max)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!min || !max) return VKE_ERR_ARG;
    *min = *max = 0;
    SCROLLINFO si;
    int rc = GetScrInfo(h, &si, SIF_RANGE);
    if (rc != VKE_OK) return rc;
    *min = si.nMin;
    *max = si.nMax;
    return VKE_OK;
}

int VkiDra::GetScrPos(bool h, int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    SCROLLINFO si;
    int rc = GetScrInfo(h, &si, SIF_POS);
    if (rc == VKE_OK) *out = si.nPos;
    return rc;
}

int VkiDra::GetDraScrPos(bool h, int* out) { return GetValue(h ? m_iDraScrPosH : m_iDraScrPosV, out); }

int VkiDra::SetWheelScale(double scale)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!(scale >= 0.01 && scale <= 0.9)) return VKE_ERR_ARG;
    m_dWheelScale = scale;
    return VKE_OK;
}

int VkiDra::MoveScrBar(HWND bar, const RECT* rect)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!bar || !IsWindow(bar)) return VKE_ERR_EXISTS;
    if (!VkiIsFilled(rect)) return VKE_ERR_ARG;
    ::MoveWindow(bar, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return VKE_OK;
}

// ---- Conversions ----
// A bar position p is the distance from the drawing's left edge, and from its top edge, or from
// its bottom edge when the y axis points up. Results are written also outside the drawing.

int VkiDra::HScrPosToHDraPos(int* out, int pos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = VkiClampInt(static_cast<long long>(m_rctSca.left) + pos);
    return pos < 0 || pos > VkiWidth(m_rctSca) ? VKE_ERR_CUT : VKE_OK;
}

int VkiDra::VScrPosToVDraPos(int* out, int pos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = VkiClampInt(m_iFlipY ? static_cast<long long>(m_rctSca.bottom) - pos
                             : static_cast<long long>(m_rctSca.top) + pos);
    return pos < 0 || pos > VkiHeight(m_rctSca) ? VKE_ERR_CUT : VKE_OK;
}

int VkiDra::HDraPosToHScrPos(int* out, int pos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = VkiClampInt(static_cast<long long>(pos) - m_rctSca.left);
    return pos < m_rctSca.left || pos > m_rctSca.right ? VKE_ERR_CUT : VKE_OK;
}

int VkiDra::VDraPosToVScrPos(int* out, int pos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = VkiClampInt(m_iFlipY ? static_cast<long long>(m_rctSca.bottom) - pos
                             : static_cast<long long>(pos) - m_rctSca.top);
    return pos < m_rctSca.top || pos > m_rctSca.bottom ? VKE_ERR_CUT : VKE_OK;
}

// ---- Need tests and layout ----

bool VkiDra::ScaleExtent(const RECT& extent, int num, int den, RECT* out)
{
    long long w = VkiWidth(extent) * num / den, h = VkiHeight(extent) * num / den;
    long long right = extent.left + w, bottom = extent.top + h;
    if (w < 1 || h < 1 || right > INT_MAX || bottom > INT_MAX) return false;
    *out = RECT{extent.left, extent.top, static_cast<LONG>(right), static_cast<LONG>(bottom)};
    return true;
}

int VkiDra::IsNeed(bool h, const RECT* window, const RECT* extent, int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    if ((window && !VkiIsFilled(window)) || (extent && !VkiIsFilled(extent))) return VKE_ERR_ARG;
    RECT client;
    if (!window) {
        ::GetClientRect(m_hWnd, &client);
        window = &client;
    }
    long long room = h ? VkiWidth(*window) : VkiHeight(*window);
    *out = Needs(h, room, extent) ? 1 : 0;
    return VKE_OK;
}

bool VkiDra::Needs(bool h, long long room, const RECT* extent) const
{
    if (h ? m_iHScrBarAlways : m_iVScrBarAlways) return true;
    const RECT& e = extent ? *extent : m_rctSca;
    long long size = h ? VkiWidth(e) : VkiHeight(e);
    if (extent) size = size * m_iScaleNum / m_iScaleDen;
    return size > room;
}

// The window and the bars within the area: a bar that is needed takes its strip off the area's
// bottom or right side (a narrower window may need the horizontal bar after all); the corner
// below the vertical bar stays empty.
void VkiDra::LayOutBars(RECT* a, RECT* inner)
{
    int hh = 0, vw = 0;
    GetScrBarSize(m_hHScrBar, false, &hh);
    GetScrBarSize(m_hVScrBar, true, &vw);
    bool needH = Needs(true, VkiWidth(*inner), nullptr);
    if (needH) a->bottom -= hh, inner->bottom -= hh;
    bool needV = Needs(false, VkiHeight(*inner), nullptr);
    if (needV) a->right -= vw, inner->right -= vw;
    if (!needH && Needs(true, VkiWidth(*inner), nullptr)) {
        needH = true;
        a->bottom -= hh, inner->bottom -= hh;
    }
    Place(m_hHScrBar, needH, a->left, a->bottom, VkiClampInt(VkiWidth(*a)), hh);
    Place(m_hVScrBar, needV, a->right, a->top, vw, VkiClampInt(VkiHeight(*a)));
}

// The bars outside the window as it is: under it and to its right, where the client area needs them.
void VkiDra::PlaceBars()
{
    RECT w, c;
    ::GetWindowRect(m_hWnd, &w);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&w), 2);
    ::GetClientRect(m_hWnd, &c);
    int hh = 0, vw = 0;
    GetScrBarSize(m_hHScrBar, false, &hh);
    GetScrBarSize(m_hVScrBar, true, &vw);
    Place(m_hHScrBar, Needs(true, VkiWidth(c), nullptr), w.left, w.bottom, VkiClampInt(VkiWidth(w)), hh);
    Place(m_hVScrBar, Needs(false, VkiHeight(c), nullptr), w.right, w.top, vw, VkiClampInt(VkiHeight(w)));
}

int VkiDra::Move(const RECT* area, const RECT* extent)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if ((area && !VkiIsFilled(area)) || (extent && !VkiIsFilled(extent))) return VKE_ERR_ARG;
    int rc = CheckBusy();
    if (rc == VKE_OK) rc = DrawFrame(0);
    if (rc != VKE_OK) return rc;
    int bw = 0, bh = 0;
    Border(true, &bw);
    Border(false, &bh);
    RECT a;
    if (area) a = *area;
    else if ((rc = GetDraRect(&a)) != VKE_OK) return rc;
    RECT inner = {0, 0, VkiClampInt(VkiWidth(a) - 2 * bw), VkiClampInt(VkiHeight(a) - 2 * bh)};
    if (extent) {
        RECT s;
        if (!ScaleExtent(*extent, m_iScaleNum, m_iScaleDen, &s)) return VKE_ERR_ARG;
        if (!EqualRect(&s, &m_rctSca)) {
            const RECT old = m_rctSca;
            if (m_iDrawMemory && (rc = CreateDrawMemory(VkiClampInt(VkiWidth(s)), VkiClampInt(VkiHeight(s)))) != VKE_OK)
                return rc;
            m_rctSca = s;
            if (s.left != old.left || s.right != old.right) rc = SetScrRange(true, SIF_RANGE, 0);
            if (rc == VKE_OK && (s.top != old.top || s.bottom != old.bottom)) rc = SetScrRange(false, SIF_RANGE, 0);
            if (rc != VKE_OK) return rc;
        }
        // A new drawing (a paste) changes what the owner holds; a new scale does not.
        if (!EqualRect(extent, &m_rctBas)) m_iModified = 1;
        m_rctBas = *extent;
    }
    if (m_iOwnScrBarLayout) LayOutBars(&a, &inner);
    MoveWindow(&a, TRUE);
    rc = SetScrPage(true, 1);
    if (rc == VKE_OK) rc = SetScrPage(false, 1);
    if (rc == VKE_OK && (m_iScaleMode == 2 || m_iScaleMode == 3)) rc = CalcFitScale();
    return rc;
}

// ---- Bar updates ----

int VkiDra::SetScrInfo(bool h, SCROLLINFO* info, int redraw)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!info || (redraw != 0 && redraw != 1)) return VKE_ERR_ARG;
    if (!HasBar(h)) return VKE_ERR_EXISTS;
    int rc = CheckPrinting();
    if (rc == 1 || m_iDrawing) return VKE_ERR_EXISTS;
    if (rc != VKE_OK) return rc;
    info->cbSize = sizeof(SCROLLINFO);
    if ((info->fMask & SIF_PAGE) && info->nPage == 0) {
        // The page is the client area's size in scroll units.
        RECT c;
        ::GetClientRect(m_hWnd, &c);
        int a = 0, b = 0;
        if (h) HDraPosToHScrPos(&a, c.right), HDraPosToHScrPos(&b, c.left);
        else VDraPosToVScrPos(&a, c.bottom), VDraPosToVScrPos(&b, c.top);
        info->nPage = static_cast<UINT>(a > b ? a - b : b - a);
    }
    ::SetScrollInfo(Bar(h), SB_CTL, info, redraw);
    if ((info->fMask & SIF_RANGE) && m_iDrawMemory && VkiWidth(m_rctSca) > 0 && VkiHeight(m_rctSca) > 0) {
        rc = CreateDrawMemory(VkiClampInt(VkiWidth(m_rctSca)), VkiClampInt(VkiHeight(m_rctSca)));
        if (rc != VKE_OK) return rc;
    }
    int target = (info->fMask & SIF_POS) ? info->nPos : ::GetScrollPos(Bar(h), SB_CTL);
    return Scroll(h, SB_THUMBPOSITION, target);
}

// The range 0 .. the scaled width or height: with mask SIF_RANGE alone, or with the page, the
// start position and SIF_DISABLENOSCROLL.
int VkiDra::SetScrRange(bool h, UINT mask, int redraw)
{
    SCROLLINFO si = {};
    si.fMask = mask;
    si.nMax = VkiClampInt(h ? VkiWidth(m_rctSca) : VkiHeight(m_rctSca));
    return SetScrInfo(h, &si, redraw);
}

int VkiDra::SetScrPage(bool h, int redraw)
{
    SCROLLINFO si = {};
    si.fMask = SIF_PAGE;
    return SetScrInfo(h, &si, redraw);
}

int VkiDra::SetScrPos(bool h, int pos, int redraw)
{
    SCROLLINFO si = {};
    si.fMask = SIF_POS;
    si.nPos = pos;
    return SetScrInfo(h, &si, redraw);
}

void VkiDra::BarPosOf(long long x, long long y, int* h, int* v)
{
    HDraPosToHScrPos(h, VkiClampInt(x));
    VDraPosToVScrPos(v, VkiClampInt(y));
    SCROLLINFO si;
    if (m_iFlipY && GetScrInfo(false, &si, SIF_PAGE) == VKE_OK) *v -= static_cast<int>(si.nPage);
}

int VkiDra::ScrollToDrawing(long long x, long long y)
{
    int h = 0, v = 0;
    BarPosOf(x, y, &h, &v);
    int rc = SetScrPos(true, h, 1);
    return rc == VKE_OK ? SetScrPos(false, v, 1) : rc;
}

// ---- Scrolling ----

int VkiDra::Scroll(bool h, int code, int pos)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = CheckPrinting();
    if (rc == 1 || m_iDrawing) return VKE_ERR_EXISTS;
    if (rc != VKE_OK) return rc;
    bool* busy = h ? &g_bInHScroll : &g_bInVScroll;
    if (*busy) return VKE_OK;
    VkiFlagGuard guard(busy);
    if (!HasBar(h)) return VKE_ERR_EXISTS;
    bool hadUpdate = HasUpdate();
    SCROLLINFO si;
    rc = GetScrInfo(h, &si, SIF_ALL);
    if (rc != VKE_OK) return rc;
    long long p = si.nPos, page = si.nPage;
    switch (code) {
    case SB_LINEUP: p -= h ? m_iArrowH : m_iArrowV; break;
    case SB_LINEDOWN: p += h ? m_iArrowH : m_iArrowV; break;
    case SB_PAGEUP: p -= page; break;
    case SB_PAGEDOWN: p += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: p = pos; break;
    case SB_TOP: p = si.nMin; break;
    case SB_BOTTOM: p = si.nMax; break;
    case SB_ENDSCROLL: return VKE_OK;
    default: break;
    }
    if (p + page > si.nMax) p = si.nMax - page;
    if (p < si.nMin) p = si.nMin;
    // The bar paints with the next paints instead of at once: a scroll bar's paint takes about
    // 3 ms under Wine whatever its size, more than the strip a scroll draws.
    SCROLLINFO set = {sizeof(set), SIF_POS, 0, 0, 0, static_cast<int>(p), 0};
    ::SetScrollInfo(Bar(h), SB_CTL, &set, FALSE);
    int now = ::GetScrollPos(Bar(h), SB_CTL);
    if (now != si.nPos && ::IsWindowVisible(Bar(h))) ::InvalidateRect(Bar(h), nullptr, FALSE);
    // With y up the drawing position is the one at the view's lower edge.
    int d = 0;
    if (h) HScrPosToHDraPos(&d, now);
    else VScrPosToVDraPos(&d, m_iFlipY ? VkiClampInt(now + page) : now);
    int* field = h ? &m_iDraScrPosH : &m_iDraScrPosV;
    if (d != *field) {
        // With y up a larger position shows the drawing lower on the screen.
        long long shift = static_cast<long long>(*field) - d;
        if (!h && m_iFlipY) shift = -shift;
        *field = d;
        return MoveShown(h, shift, hadUpdate);
    }
    // The drawing did not move: nothing to paint unless something waited already (nothing above
    // touches the area's own update region, so none can have come since).
    return hadUpdate ? Redraw(0) : VKE_OK;
}

// Moving the pixels needs them to be the drawing as it is now laid out: nothing waits to be
// painted, and the last paint drew this extent at this scale in a client area of this size. The
// draw memory is drawn again by its owner at every scroll, as before.
int VkiDra::MoveShown(bool h, long long shift, bool hadUpdate)
{
    RECT c = {};
    ::GetClientRect(m_hWnd, &c);
    const long long room = h ? VkiWidth(c) : VkiHeight(c);
    const bool shown = m_iShownNum == m_iScaleNum && m_iShownDen == m_iScaleDen &&
                       EqualRect(&m_rctShownSca, &m_rctSca) && EqualRect(&m_rctShownClient, &c);
    if (hadUpdate || !shown || MemoryMode() || !::IsWindowVisible(m_hWnd) || shift >= room || -shift >= room)
        return Redraw(0);
    const int by = static_cast<int>(shift);
    if (::ScrollWindowEx(m_hWnd, h ? by : 0, h ? 0 : by, nullptr, &c, nullptr, nullptr, SW_INVALIDATE) == ERROR)
        return Redraw(0);
    return VKE_OK;
}

int VkiDra::MouseWheel(int keys, int delta)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    bool h = (keys & MK_SHIFT) != 0;
    if (!HasBar(h)) return VKE_ERR_EXISTS;
    long long notches = -(delta / 120);
    long long target = ::GetScrollPos(Bar(h), SB_CTL) + notches * (h ? m_iWheelH : m_iWheelV);
    return Scroll(h, SB_THUMBPOSITION, VkiClampInt(target));
}

// WM_SIZE: the fit follows the window, the bars are placed beside it and the pages follow its
// client size; with y up the view keeps its lower edge on the same drawing coordinate.
void VkiDra::OnSize(UINT, int, int)
{
    bool fit = m_iScaleMode == 2 || m_iScaleMode == 3;
    if (!IsInit() || CheckPrinting() != VKE_OK || (fit && m_iDrawing)) {
        Default();
        return;
    }
    if (m_iTracking) EndTracking();
    Default();
    if (fit) CalcFitScale();
    if (m_iOwnScrBarLayout) PlaceBars();
    SetScrPage(true, 1);
    if (!m_iFlipY) {
        SetScrPage(false, 1);
        return;
    }
    int lower = 0;
    VDraPosToVScrPos(&lower, m_iDraScrPosV);
    if (SetScrPage(false, 0) != VKE_OK) return;
    SCROLLINFO si;
    if (GetScrInfo(false, &si, SIF_PAGE) == VKE_OK)
        SetScrPos(false, VkiClampInt(static_cast<long long>(lower) - si.nPage), 1);
}

// ---- Exports ----

VKE_API int VkeDraGetBorderWidth(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetBorderWidth(out)); }
VKE_API int VkeDraGetBorderHeight(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetBorderHeight(out)); }
VKE_API int VkeDraCreateHScrBar(VkiDra* dra, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id, HWND* out) { VKE_FRAME(dra, dra->Sub(), dra->CreateHScrBar(style, exStyle, rect, parent, id, out)); }
VKE_API int VkeDraCreateVScrBar(VkiDra* dra, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id, HWND* out) { VKE_FRAME(dra, dra->Sub(), dra->CreateVScrBar(style, exStyle, rect, parent, id, out)); }
VKE_API int VkeDraDestroyHScrBar(VkiDra* dra, HWND* bar) { VKE_FRAME(dra, dra->Sub(), dra->DestroyScrBar(bar)); }
VKE_API int VkeDraDestroyVScrBar(VkiDra* dra, HWND* bar) { VKE_FRAME(dra, dra->Sub(), dra->DestroyScrBar(bar)); }
VKE_API int VkeDraGetHScrBarWidthDfl(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), Metric(SM_CXHSCROLL, out)); }
VKE_API int VkeDraGetHScrBarHeightDfl(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), Metric(SM_CYHSCROLL, out)); }
VKE_API int VkeDraGetVScrBarWidthDfl(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), Metric(SM_CXVSCROLL, out)); }
VKE_API int VkeDraGetVScrBarHeightDfl(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), Metric(SM_CYVSCROLL, out)); }
VKE_API int VkeDraGetHScrBarWidth(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetScrBarSize(dra->m_hHScrBar, true, out)); }
VKE_API int VkeDraGetHScrBarHeight(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetScrBarSize(dra->m_hHScrBar, false, out)); }
VKE_API int VkeDraGetVScrBarWidth(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetScrBarSize(dra->m_hVScrBar, true, out)); }
VKE_API int VkeDraGetVScrBarHeight(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetScrBarSize(dra->m_hVScrBar, false, out)); }
VKE_API int VkeDraGetHScrInfo(VkiDra* dra, SCROLLINFO* info, UINT mask) { VKE_FRAME(dra, dra->Sub(), dra->GetScrInfo(true, info, mask)); }
VKE_API int VkeDraGetVScrInfo(VkiDra* dra, SCROLLINFO* info, UINT mask) { VKE_FRAME(dra, dra->Sub(), dra->GetScrInfo(false, info, mask)); }
VKE_API int VkeDraGetHScrSize(VkiDra* dra, int* min, int* max) { VKE_FRAME(dra, dra->Sub(), dra->GetScrSize(true, min, max)); }
VKE_API int VkeDraGetVScrSize(VkiDra* dra, int* min, int* max) { VKE_FRAME(dra, dra->Sub(), dra->GetScrSize(false, min, max)); }
VKE_API int VkeDraGetHScrPos(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetScrPos(true, out)); }
VKE_API int VkeDraGetVScrPos(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetScrPos(false, out)); }
VKE_API int VkeDraGetDraHScrPos(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDraScrPos(true, out)); }
VKE_API int VkeDraGetDraVScrPos(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDraScrPos(false, out)); }
VKE_API int VkeDraSetArrowScrSize(VkiDra* dra, int h, int v) { VKE_FRAME(dra, dra->Sub(), dra->SetArrowScrSize(h, v)); }
VKE_API int VkeDraGetArrowScrSize(VkiDra* dra, int* h, int* v) { VKE_FRAME(dra, dra->Sub(), dra->GetArrowScrSize(h, v)); }
VKE_API int VkeDraSetWheelScrSize(VkiDra* dra, int h, int v) { VKE_FRAME(dra, dra->Sub(), dra->SetWheelScrSize(h, v)); }
VKE_API int VkeDraGetWheelScrSize(VkiDra* dra, int* h, int* v) { VKE_FRAME(dra, dra->Sub(), dra->GetWheelScrSize(h, v)); }
VKE_API int VkeDraSetWheelScale(VkiDra* dra, double scale) { VKE_FRAME(dra, dra->Sub(), dra->SetWheelScale(scale)); }
VKE_API int VkeDraGetWheelScale(VkiDra* dra, double* out) { VKE_FRAME(dra, dra->Sub(), dra->GetWheelScale(out)); }
VKE_API int VkeDraHScrPosToHDraPos(VkiDra* dra, int* out, int pos) { VKE_FRAME(dra, dra->Sub(), dra->HScrPosToHDraPos(out, pos)); }
VKE_API int VkeDraVScrPosToVDraPos(VkiDra* dra, int* out, int pos) { VKE_FRAME(dra, dra->Sub(), dra->VScrPosToVDraPos(out, pos)); }
VKE_API int VkeDraHDraPosToHScrPos(VkiDra* dra, int* out, int pos) { VKE_FRAME(dra, dra->Sub(), dra->HDraPosToHScrPos(out, pos)); }
VKE_API int VkeDraVDraPosToVScrPos(VkiDra* dra, int* out, int pos) { VKE_FRAME(dra, dra->Sub(), dra->VDraPosToVScrPos(out, pos)); }
VKE_API int VkeDraIsNeedHScrBar(VkiDra* dra, const RECT* window, const RECT* extent, int* out) { VKE_FRAME(dra, dra->Sub(), dra->IsNeedHScrBar(window, extent, out)); }
VKE_API int VkeDraIsNeedVScrBar(VkiDra* dra, const RECT* window, const RECT* extent, int* out) { VKE_FRAME(dra, dra->Sub(), dra->IsNeedVScrBar(window, extent, out)); }
VKE_API int VkeDraMove(VkiDra* dra, const RECT* area, const RECT* extent) { VKE_FRAME(dra, dra->Sub(), dra->Move(area, extent)); }
VKE_API int VkeDraMoveHScrBar(VkiDra* dra, const RECT* rect) { VKE_FRAME(dra, dra->Sub(), dra->MoveScrBar(dra->m_hHScrBar, rect)); }
VKE_API int VkeDraMoveVScrBar(VkiDra* dra, const RECT* rect) { VKE_FRAME(dra, dra->Sub(), dra->MoveScrBar(dra->m_hVScrBar, rect)); }
VKE_API int VkeDraHScroll(VkiDra* dra, int code, int pos) { VKE_FRAME(dra, dra->Sub(), dra->HScroll(code, pos)); }
VKE_API int VkeDraVScroll(VkiDra* dra, int code, int pos) { VKE_FRAME(dra, dra->Sub(), dra->VScroll(code, pos)); }
VKE_API int VkeDraMouseWheel(VkiDra* dra, int keys, int delta) { VKE_FRAME(dra, dra->Sub(), dra->MouseWheel(keys, delta)); }
VKE_API int VkeDraMouseScale(VkiDra* dra, int keys, int delta) { VKE_FRAME(dra, dra->Sub(), dra->MouseScale(keys, delta)); }
