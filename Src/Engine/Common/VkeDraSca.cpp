// The drawing area's scale: the scale base that stays in place, the re-layout at a new fraction
// with its recovery, the fit to the window and the zoom step of the wheel.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraAtr"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiGeo.h"
#include "VkiSub.h"
#include "VkeFrame.h"
#include <algorithm>

namespace {

// Shared by all areas: the nesting of re-layouts (0 when none runs) and whether a recovery runs.
int g_iRelayoutDepth = 0;
int g_iRecovering = 0;

bool RatioOk(double ratio) { return ratio >= 0.000001 && ratio <= 100; }

} // namespace

// The visible part of the scaled drawing and the anchor of the scale base in it, measured from
// the scroll position (the client area's top-left corner, its bottom-left with y up), so that
// each base names the same corner on the screen in both orientations.
void VkiDra::Anchor(int* ax, int* ay, int* visW, int* visH)
{
    RECT c = {};
    ::GetClientRect(m_hWnd, &c);
    int w = VkiClampInt(std::min(VkiWidth(c), static_cast<long long>(m_rctSca.right) - m_iDraScrPosH));
    int h = VkiClampInt(std::min(VkiHeight(c), static_cast<long long>(m_rctSca.bottom) - m_iDraScrPosV));
    bool right = m_iScaleBase == 2 || m_iScaleBase == 3;
    bool low = m_iScaleBase == 3 || m_iScaleBase == 4; // the lower corners on the screen
    *ax = right ? w : 0;
    *ay = (low != (m_iFlipY == 1)) ? h : 0;
    if (m_iScaleBase == 5) {
        *ax = VkiHalf(w);
        *ay = VkiHalf(h);
    }
    *visW = w;
    *visH = h;
}

int VkiDra::SetScaleBase(int base)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (base < 1 || base > 5) return VKE_ERR_ARG;
    if (base == m_iScaleBase) return VKE_OK;
    m_iAppliedScaleBase = m_iScaleBase;
    m_iScaleBase = base;
    rc = ApplyScale(m_iScaleNum, m_iScaleDen);
    m_iAppliedScaleBase = base;
    return rc;
}

int VkiDra::SetScaBasPos(int x, int y)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    RECT c = {};
    ::GetClientRect(m_hWnd, &c);
    int ax, ay, visW, visH;
    Anchor(&ax, &ay, &visW, &visH);
    bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
    if (m_iFlipY) y = c.bottom - y;
    long long w = VkiWidth(m_rctSca), h = VkiHeight(m_rctSca);
    if (!inside || x > visW || y > visH || w < 1 || h < 1) return ClearScaBasPos();
    m_iScaBasPosX = m_iDraScrPosH + x;
    m_iScaBasPosY = m_iDraScrPosV + y;
    m_iScaBasPosXNum = m_iScaBasPosX - m_rctSca.left;
    m_iScaBasPosXDen = static_cast<int>(w);
    m_iScaBasPosYNum = m_iScaBasPosY - m_rctSca.top;
    m_iScaBasPosYDen = static_cast<int>(h);
    return VKE_OK;
}

int VkiDra::GetScaBasPos(int* x, int* y)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!x || !y) return VKE_ERR_ARG;
    *x = m_rctSca.left + VkiRoundHalf(VkiWidth(m_rctSca) * static_cast<double>(m_iScaBasPosXNum) / m_iScaBasPosXDen);
    *y = m_rctSca.top + VkiRoundHalf(VkiHeight(m_rctSca) * static_cast<double>(m_iScaBasPosYNum) / m_iScaBasPosYDen);
    return VKE_OK;
}

int VkiDra::ClearScaBasPos()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    m_iScaBasPosX = m_iScaBasPosY = -1;
    return VKE_OK;
}

int VkiDra::SetScaleMode(int mode, int num, int den)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (mode < 1 || mode > 3) return VKE_ERR_ARG;
    m_iScaleMode = mode;
    return mode == 1 ? SetScale(num, den) : CalcFitScale();
}

int VkiDra::SetScale(int num, int den)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    m_iScaleMode = 1;
    return ApplyScale(num, den);
}

int VkiDra::ApplyScale(int num, int den)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (num < 1 || den < 1) return VKE_ERR_ARG;
    if (!RatioOk(static_cast<double>(num) / den)) return VKE_ERR_CUT;
    int rc = CheckPrinting();
    if (rc == 1 || m_iDrawing) return VKE_ERR_EXISTS;
    if (rc != VKE_OK) return rc;

    if (g_iRelayoutDepth < 1) {
        g_iRelayoutDepth = 0;
        m_iRecoveryNum = m_iScaleNum;
        m_iRecoveryDen = m_iScaleDen;
    }
    ++g_iRelayoutDepth;
    rc = Relayout(num, den);
    if (rc != VKE_OK) {
        if (g_iRecovering) {
            // A re-layout of the recovery failed: the recovery goes on with its next step.
            --g_iRelayoutDepth;
            return rc;
        }
        g_iRecovering = 1;
        Recover();
    }
    --g_iRelayoutDepth;
    g_iRecovering = 0;
    if (g_iRelayoutDepth < 1) {
        g_iRelayoutDepth = 0;
        m_iRecoveryNum = m_iScaleNum;
        m_iRecoveryDen = m_iScaleDen;
    }
    return rc;
}

// A failed re-layout leaves the area usable: the scale there was, else 1/1, else no draw memory.
void VkiDra::Recover()
{
    if (ApplyScale(m_iRecoveryNum, m_iRecoveryDen) == VKE_OK) return;
    if (SetScale(1, 1) == VKE_OK) return;
    if (MemoryMode()) SetDrawMemoryFlag(0);
}

void VkiDra::RecoverScale()
{
    if (g_iRecovering) return;
    g_iRecovering = 1;
    Recover();
    g_iRecovering = 0;
}

// The re-layout proper: the extent laid out at num/den with the view moved so that the anchor
// keeps its place, the font and pens scaled, and what changed painted.
int VkiDra::Relayout(int num, int den)
{
    int rc = m_iTracking ? EndTracking() : VKE_OK;
    if (rc != VKE_OK) return rc;
    bool hadUpdate = HasUpdate();
    if (num == m_iScaleNum && den == m_iScaleDen && m_iScaleBase == m_iAppliedScaleBase) return Redraw(1);
    RECT scaled;
    if (!ScaleExtent(m_rctBas, num, den, &scaled)) return VKE_ERR_CUT;
    RECT area;
    rc = GetDraRect(&area);
    if (rc != VKE_OK) return rc;

    // The anchor as fractions of the scaled extent: the scale-base position, else the base's corner.
    int ax, ay, oldW, oldH;
    Anchor(&ax, &ay, &oldW, &oldH);
    double fx, fy;
    if (m_iScaBasPosX >= 0 && m_iScaBasPosY >= 0) {
        fx = static_cast<double>(m_iScaBasPosXNum) / m_iScaBasPosXDen;
        fy = static_cast<double>(m_iScaBasPosYNum) / m_iScaBasPosYDen;
    } else {
        fx = (static_cast<double>(m_iDraScrPosH) + ax - m_rctSca.left) / VkiWidth(m_rctSca);
        fy = (static_cast<double>(m_iDraScrPosV) + ay - m_rctSca.top) / VkiHeight(m_rctSca);
    }
    // From here the layout is made for the new scale and base (a fit that runs inside it finds
    // them in place).
    m_iScaleNum = num;
    m_iScaleDen = den;
    m_iAppliedScaleBase = m_iScaleBase;
    rc = Move(&area, &m_rctBas);
    if (rc != VKE_OK) return rc;

    int visW, visH; // the new extent seen from the old scroll position
    Anchor(&ax, &ay, &visW, &visH);
    long long tx = m_rctSca.left + VkiRoundHalf(VkiWidth(m_rctSca) * fx) - static_cast<long long>(ax);
    long long ty = m_rctSca.top + VkiRoundHalf(VkiHeight(m_rctSca) * fy) - static_cast<long long>(ay);
    rc = ScrollToDrawing(tx, ty);
    if (rc != VKE_OK) return rc;

    LOGFONTA font;
    rc = m_pDrw->GetLogFontSca(&font, &m_lfBase, num, den);
    if (rc != VKE_OK) return rc;
    VkiGdiObj<HFONT> made(CreateFontIndirectA(&font));
    if (!made) return VKE_ERR_MEMORY;
    int pen = VkiRoundHalf(static_cast<double>(num) / den);
    rc = MakePens(pen > 1 ? pen : 1);
    if (rc != VKE_OK) return rc;
    TakeScreenFont(made.Release(), font);
    return Repaint(hadUpdate, oldW, oldH);
}

// What the re-layout changed on the screen: an update that was pending is simply redrawn; else
// where the drawing shrank the strips it no longer covers get the back colour, and the visible
// part of the drawing is invalidated without erasing.
int VkiDra::Repaint(bool hadUpdate, int oldW, int oldH)
{
    if (!Shown()) return VKE_OK; // painted whole when it shows
    if (hadUpdate) return Redraw(0);
    ::ValidateRect(m_hWnd, nullptr);
    if (::GetUpdateRect(m_hWnd, nullptr, FALSE)) return Redraw(0);
    VkiWndDC dc(m_hWnd);
    if (!dc) return VKE_ERR_MEMORY;
    RECT c = {};
    ::GetClientRect(m_hWnd, &c);
    int ax, ay, w, h;
    Anchor(&ax, &ay, &w, &h);
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    // Rows of the client area from the drawing's edge at the scroll position: down, or up with y up.
    auto rows = [&](int from, int to) {
        return m_iFlipY ? RECT{0, c.bottom - to, 0, c.bottom - from} : RECT{0, from, 0, to};
    };
    double ratio = static_cast<double>(m_iScaleNum) / m_iScaleDen;
    if (ratio < static_cast<double>(m_iRecoveryNum) / m_iRecoveryDen && m_hBackBrush) {
        RECT right = rows(0, oldH), below = rows(h, oldH);
        right.left = w, right.right = oldW;
        below.left = 0, below.right = oldW;
        for (RECT r : {right, below}) {
            RECT cut;
            if (IntersectRect(&cut, &r, &c)) FillRect(dc, &cut, m_hBackBrush);
        }
    }
    RECT shown = rows(0, h);
    shown.right = w;
    ::InvalidateRect(m_hWnd, &shown, FALSE);
    return VKE_OK;
}

int VkiDra::CalcFitScale()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = CheckPrinting();
    if (rc == 1 || m_iDrawing || (m_iScaleMode != 2 && m_iScaleMode != 3)) return VKE_ERR_EXISTS;
    if (rc != VKE_OK) return rc;
    if (m_iTracking && (rc = EndTracking()) != VKE_OK) return rc;
    RECT r;
    ::GetWindowRect(m_hWnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    int bx = 0, by = 0;
    Border(true, &bx);
    Border(false, &by);
    long long w = VkiWidth(m_rctBas), h = VkiHeight(m_rctBas);
    long long availW = VkiWidth(r) - 2LL * bx, availH = VkiHeight(r) - 2LL * by;
    if (w < 1 || h < 1 || availW < 1 || availH < 1 || w > INT_MAX || h > INT_MAX) return VKE_ERR_CUT;
    if (m_iScaleMode == 3 && w <= availW && h <= availH) return ApplyScale(1, 1);
    double rx = static_cast<double>(availW) / w, ry = static_cast<double>(availH) / h;
    // The smaller ratio fits both sides; on a tie the vertical pair. The pair goes on unreduced.
    long long num = rx < ry ? availW : availH, den = rx < ry ? w : h;
    // A fit never refuses a drawing the window can show: one so long that its short side would
    // shrink below a pixel keeps that side one pixel wide (the rest scrolls), and a tiny one
    // grows no further than the largest scale.
    const long long shortSide = std::min(w, h);
    if (shortSide * num / den < 1) num = 1, den = shortSide;
    else if (num > 100 * den) num = 100, den = 1;
    return RatioOk(static_cast<double>(num) / den) ? ApplyScale(static_cast<int>(num), static_cast<int>(den))
                                                   : VKE_ERR_CUT;
}

int VkiDra::MouseScale(int, int delta)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    double ratio = static_cast<double>(m_iScaleNum) / m_iScaleDen;
    int notches = delta / 120;
    double step = delta < 0 ? 1 + m_dWheelScale : 1 - m_dWheelScale;
    for (int i = 0; i != notches && RatioOk(ratio); i += notches < 0 ? -1 : 1) ratio *= step;
    if (!RatioOk(ratio)) return VKE_ERR_CUT;
    int num = 0, den = 0;
    rc = m_pSub->GetFraction(ratio, 6, &num, &den);
    return rc == VKE_OK ? SetScale(num, den) : rc;
}

// ---- Exports ----

VKE_API int VkeDraSetScaleBase(VkiDra* dra, int base) { VKE_FRAME(dra, dra->Sub(), dra->SetScaleBase(base)); }
VKE_API int VkeDraGetScaleBase(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetScaleBase(out)); }
VKE_API int VkeDraSetScaBasPos(VkiDra* dra, int x, int y) { VKE_FRAME(dra, dra->Sub(), dra->SetScaBasPos(x, y)); }
VKE_API int VkeDraGetScaBasPos(VkiDra* dra, int* x, int* y) { VKE_FRAME(dra, dra->Sub(), dra->GetScaBasPos(x, y)); }
VKE_API int VkeDraClearScaBasPos(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->ClearScaBasPos()); }
VKE_API int VkeDraSetScaleMode(VkiDra* dra, int mode, int num, int den) { VKE_FRAME(dra, dra->Sub(), dra->SetScaleMode(mode, num, den)); }
VKE_API int VkeDraGetScaleMode(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetScaleMode(out)); }
VKE_API int VkeDraSetScale(VkiDra* dra, int num, int den) { VKE_FRAME(dra, dra->Sub(), dra->SetScale(num, den)); }
VKE_API int VkeDraGetScale(VkiDra* dra, int* num, int* den) { VKE_FRAME(dra, dra->Sub(), dra->GetScale(num, den)); }
