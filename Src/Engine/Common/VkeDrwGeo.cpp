// Geometry and device-context helpers of the draw object: the scale between two DCs, logical
// fonts by point size, character cells, point / pixel and radian / degree conversion, slope,
// rotation, scaling, distance and direction of points, and the selection and focus helpers of
// edit and combo-box windows.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwOpr"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiGeo.h"
#include "VkiScr.h"
#include "VkiShim.h"
#include "VkiSub.h"
#include "VkiWnd.h"
#include "VkeFrame.h"
#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace {

const double kDegPerRad = 57.29577951308232;
const double kRadPerDeg = 0.017453292519943295;
const double kTwoPi = 6.283185307179586;

bool IsFlag(int v) { return v == 0 || v == 1; }
bool IsAngle(double a) { return a >= -360 && a <= 360; }

// |value| points as pixels of the DC's vertical dots per inch (toPixels), or pixels as points.
int PointsAndPixels(HDC dc, int* out, int value, bool toPixels)
{
    if (!dc || !out) return VKE_ERR_ARG;
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    if (dpi == 0) return VKE_ERR_ARG;
    *out = abs(toPixels ? MulDiv(value, dpi, 72) : MulDiv(value, 72, dpi));
    return VKE_OK;
}

// Kinds of window the selection helpers know.
enum CtlKind { kOther, kEdit, kCombo };

// A window's class, upper-cased: -9 for no window or no class name.
int KindOf(VkiSub* sub, HWND wnd, CtlKind* kind)
{
    char name[1024] = {};
    if (!wnd || !IsWindow(wnd) || !GetClassNameA(wnd, name, sizeof(name))) return VKE_ERR_ARG;
    int rc = sub->ToUpperStr(name);
    if (rc != VKE_OK) return rc;
    *kind = strcmp(name, "EDIT") == 0 ? kEdit : strcmp(name, "COMBOBOX") == 0 ? kCombo : kOther;
    return VKE_OK;
}

// The dialog (class "#32770") that wnd lies in, or null.
HWND DialogOf(HWND wnd)
{
    for (HWND w = wnd ? GetParent(wnd) : nullptr; w; w = GetParent(w)) {
        if (VkiIsDialog(w)) return w;
        if (!(GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return nullptr;
}

// The focus helper's guard: the window a call is moving the focus to, per thread.
thread_local HWND t_hFocusing = nullptr;

// Sets the guard for the scope and puts back what was there.
class FocusGuard {
public:
    explicit FocusGuard(HWND wnd) : m_prev(t_hFocusing) { t_hFocusing = wnd; }
    ~FocusGuard() { t_hFocusing = m_prev; }
    FocusGuard(const FocusGuard&) = delete;
    FocusGuard& operator=(const FocusGuard&) = delete;

private:
    HWND m_prev;
};

} // namespace

// ---- Device contexts and fonts ----

int VkiDrw::GetDCScale(HDC target, HDC reference, int* num, int* den)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!num || !den) return VKE_ERR_ARG;
    *num = 0;
    *den = 1;
    if (!target) return VKE_ERR_ARG;
    VkiScreenDC screen;
    HDC ref = reference ? reference : screen.Get();
    if (!ref) return VKE_ERR_MEMORY;
    int tx = abs(GetDeviceCaps(target, LOGPIXELSX)), ty = abs(GetDeviceCaps(target, LOGPIXELSY));
    int rx = abs(GetDeviceCaps(ref, LOGPIXELSX)), ry = abs(GetDeviceCaps(ref, LOGPIXELSY));
    if (tx < 1 || ty < 1 || rx < 1 || ry < 1) return VKE_ERR_ARG;
    // The smaller integer quotient wins, the vertical one when they are equal.
    bool horizontal = tx / rx < ty / ry;
    int t = horizontal ? tx : ty, r = horizontal ? rx : ry;
    if (t / r < 1 || t / r > 100) return VKE_ERR_CUT;
    *num = t;
    *den = r;
    return VKE_OK;
}

int VkiDrw::GetLogFont(HDC dc, const char* face, int size, LOGFONTA* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    memset(out, 0, sizeof(*out));
    size_t length = face ? strlen(face) : 0;
    if (length < 1 || length >= LF_FACESIZE) return VKE_ERR_ARG;
    VkiScreenDC screen;
    HDC use = dc ? dc : screen.Get();
    if (!use) return VKE_ERR_ARG;
    int dpi = GetDeviceCaps(use, LOGPIXELSY);
    if (dpi < 1) return VKE_ERR_ARG;
    // The point size as device pixels, then as the DC's logical units.
    long long device = static_cast<long long>(dpi) * size * 10 / 720;
    if (device > INT_MAX || device < -INT_MAX) return VKE_ERR_ARG;
    POINT span[2] = {{0, 0}, {0, static_cast<int>(device)}};
    if (!DPtoLP(use, span, 2)) return VKE_ERR_ARG;
    LOGFONTA want = {};
    want.lfCharSet = DEFAULT_CHARSET;
    memcpy(want.lfFaceName, face, length);
    want.lfHeight = -abs(span[1].y - span[0].y);
    VkiGdiObj<HFONT> font(CreateFontIndirectA(&want));
    if (!font) return VKE_ERR_MEMORY;
    if (GetObjectA(font, sizeof(*out), out) != sizeof(*out)) {
        memset(out, 0, sizeof(*out));
        return VKE_ERR_ARG;
    }
    return VKE_OK;
}

int VkiDrw::GetLogFontSca(LOGFONTA* out, const LOGFONTA* src, int num, int den)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !src || num < 1 || den < 1) return VKE_ERR_ARG;
    double ratio = static_cast<double>(num) / den;
    if (ratio < 1e-6 || ratio > 100) return VKE_ERR_CUT;
    LOGFONTA font = *src;
    if (font.lfHeight == 0) {
        VkiScreenDC screen;
        if (!screen.Get()) return VKE_ERR_MEMORY;
        VkiGdiObj<HFONT> made(CreateFontIndirectA(&font));
        if (!made) return VKE_ERR_ARG;
        VkiSelect selected(screen, made.Get());
        TEXTMETRICA tm;
        if (!GetTextMetricsA(screen, &tm)) return VKE_ERR_SYSTEM;
        font.lfHeight = VkiMetricHeight(tm);
        if (font.lfHeight == 0) return VKE_ERR_ARG;
    }
    auto scale = [num, den](LONG v) {
        long long size = static_cast<long long>(labs(v)) * num / den;
        if (size < 1) size = 1;
        if (size > INT_MAX) size = INT_MAX;
        return static_cast<LONG>(v < 0 ? -size : size);
    };
    font.lfHeight = scale(font.lfHeight);
    if (font.lfWidth != 0) font.lfWidth = scale(font.lfWidth);
    *out = font;
    return VKE_OK;
}

int VkiDrw::GetCharSize(HWND wnd, int* width, int* height)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!width || !height) return VKE_ERR_ARG;
    *width = *height = 0;
    if (!wnd || !IsWindow(wnd)) return VKE_ERR_ARG;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0));
    if (!font) return VKE_ERR_ARG;
    LOGFONTA lf;
    if (GetObjectA(font, sizeof(lf), &lf) != sizeof(lf)) return VKE_ERR_SYSTEM;
    int h = lf.lfHeight;
    if (h == 0) {
        VkiWndDC dc(wnd);
        if (!dc) return VKE_ERR_MEMORY;
        VkiSaveDC keep(dc);
        SetMapMode(dc, MM_TEXT);
        VkiSelect selected(dc, font);
        TEXTMETRICA tm;
        if (!GetTextMetricsA(dc, &tm)) return VKE_ERR_SYSTEM;
        h = VkiMetricHeight(tm);
    }
    int cell = abs(h) > 0 ? abs(h) : 1;
    int across = lf.lfWidth ? abs(lf.lfWidth) : cell / 2;
    *height = cell;
    *width = across > 0 ? across : 1;
    return VKE_OK;
}

int VkiDrw::ChangePointToPixel(HDC dc, int* pixels, int points)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return PointsAndPixels(dc, pixels, points, true);
}

int VkiDrw::ChangePixelToPoint(HDC dc, int* points, int pixels)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return PointsAndPixels(dc, points, pixels, false);
}

// ---- Angles and points ----

int VkiDrw::ChangeRadToAng(double* degrees, double radians)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!degrees) return VKE_ERR_ARG;
    *degrees = radians * kDegPerRad;
    return IsAngle(*degrees) ? VKE_OK : VKE_ERR_ARG;
}

int VkiDrw::ChangeAngToRad(double* radians, double degrees)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!radians || !IsAngle(degrees)) return VKE_ERR_ARG;
    *radians = degrees * kRadPerDeg;
    return VKE_OK;
}

int VkiDrw::ChangeSlpToAng(double* degrees, int x1, int y1, int x2, int y2)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!degrees) return VKE_ERR_ARG;
    double a = atan2(static_cast<double>(y2) - y1, static_cast<double>(x2) - x1);
    if (a < 0) a += kTwoPi;
    a *= kDegPerRad;
    *degrees = a < 360 ? a : 0;
    return VKE_OK;
}

int VkiDrw::RotatePoint(double angle, int centreX, int centreY, int* xs, int* ys, int count, int yUp)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!xs || !ys || count < 1 || !IsFlag(yUp) || !IsAngle(angle)) return VKE_ERR_ARG;
    double c = cos(angle * kRadPerDeg), s = sin(angle * kRadPerDeg);
    // Counter-clockwise as seen: on a y-down screen the sine's sign turns over.
    if (!yUp) s = -s;
    for (int i = 0; i < count; ++i) {
        double dx = static_cast<double>(xs[i]) - centreX, dy = static_cast<double>(ys[i]) - centreY;
        xs[i] = VkiRoundHalf(dx * c - dy * s + centreX);
        ys[i] = VkiRoundHalf(dy * c + dx * s + centreY);
    }
    return VKE_OK;
}

int VkiDrw::ScalePoint(int num, int den, int* xs, int* ys, int count)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!xs || !ys || num < 1 || den < 1 || count < 1) return VKE_ERR_ARG;
    for (int i = 0; i < count; ++i) {
        xs[i] = VkiRoundHalf(static_cast<double>(xs[i]) * num / den);
        ys[i] = VkiRoundHalf(static_cast<double>(ys[i]) * num / den);
    }
    return VKE_OK;
}

int VkiDrw::GetDistance(int* distance, int x1, int y1, int x2, int y2)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!distance) return VKE_ERR_ARG;
    double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    *distance = VkiRoundHalf(sqrt(dx * dx + dy * dy));
    return VKE_OK;
}

int VkiDrw::GetDirection(int* code, int mode, int x1, int y1, int x2, int y2, int yUp)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!code) return VKE_ERR_ARG;
    *code = 0;
    if ((mode != 4 && mode != 8) || !IsFlag(yUp)) return VKE_ERR_ARG;
    // Sectors of 22.5 degrees from 0, counter-clockwise as seen.
    static const int kEight[16] = {4, 6, 6, 1, 1, 5, 5, 3, 3, 7, 7, 2, 2, 8, 8, 4};
    static const int kFour[16] = {4, 4, 1, 1, 1, 1, 3, 3, 3, 3, 2, 2, 2, 2, 4, 4};
    double a = 0;
    int rc = ChangeSlpToAng(&a, x1, y1, x2, y2);
    if (rc != VKE_OK) return rc;
    // On a y-down screen "up" is toward smaller y. A line due right there gives 360, which is 0.
    if (!yUp) a = a == 0 ? 0 : 360 - a;
    // Integer points on a sector bound (45, 90, ...) land there exactly, not a rounding error short.
    a = round(a * 1e9) / 1e9;
    int sector = static_cast<int>(a / 22.5);
    if (sector < 0 || sector > 15) sector = 0;
    *code = mode == 8 ? kEight[sector] : kFour[sector];
    return VKE_OK;
}

// ---- Selection and focus ----

int VkiDrw::SetSelectionCtl(HWND wnd, int start, int end)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!m_pSub) return VKE_ERR_NOT_INIT;
    CtlKind kind = kOther;
    int rc = KindOf(m_pSub, wnd, &kind);
    if (rc != VKE_OK || kind == kOther) return rc;
    VkiShimText shim(VkiShimEditOf(wnd));
    int s = shim.ToCtl(start), e = shim.ToCtl(end);
    if (kind == kEdit) {
        SendMessageA(wnd, EM_SETSEL, static_cast<WPARAM>(s), static_cast<LPARAM>(e));
        SendMessageA(wnd, EM_SCROLLCARET, 0, 0);
    } else {
        SendMessageA(wnd, CB_SETEDITSEL, 0, MAKELPARAM(s, e));
    }
    return VKE_OK;
}

int VkiDrw::GetSelectionCtl(HWND wnd, int* start, int* end)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!start || !end) return VKE_ERR_ARG;
    *start = *end = 0;
    if (!m_pSub) return VKE_ERR_NOT_INIT;
    CtlKind kind = kOther;
    int rc = KindOf(m_pSub, wnd, &kind);
    if (rc != VKE_OK || kind == kOther) return rc;
    DWORD s = 0, e = 0;
    if (kind == kEdit) {
        SendMessageA(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    } else {
        LRESULT sel = SendMessageA(wnd, CB_GETEDITSEL, 0, 0);
        if (sel == CB_ERR) return VKE_OK;
        s = LOWORD(sel);
        e = HIWORD(sel);
    }
    VkiShimText shim(VkiShimEditOf(wnd));
    *start = shim.ToByte(static_cast<int>(s));
    *end = shim.ToByte(static_cast<int>(e));
    return VKE_OK;
}

int VkiDrw::GetFstFcsCtlHandle(HWND dialog, HWND* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    if (!dialog || !IsWindow(dialog)) return VKE_ERR_ARG;
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    // The walk ends back at the first item; the count bounds a tab order that never gets there.
    HWND w = first;
    for (int steps = 0; w && steps < 0x10000; ++steps) {
        if (IsWindowVisible(w) && IsWindowEnabled(w)) {
            *out = w;
            return VKE_OK;
        }
        w = GetNextDlgTabItem(dialog, w, FALSE);
        if (w == first) break;
    }
    return VKE_ERR_NOT_FOUND;
}

int VkiDrw::SetFocusWnd(HWND wnd)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    // Every existing window is known to the framework (a temporary object where it has no other).
    if (!wnd || !IsWindow(wnd)) return VKE_ERR_ARG;
    if (GetFocus() == wnd) return VKE_OK;
    // A call made while the focus is on its way to the same window (from a focus or activation
    // handler) does nothing.
    if (t_hFocusing == wnd) return VKE_OK;
    FocusGuard guard(wnd);
    if (HWND left = DialogOf(GetFocus())) SendMessageA(left, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(wnd));
    HWND parent = GetParent(wnd);
    if (VkiIsDialog(parent)) {
        SendMessageA(parent, WM_ACTIVATE, WA_ACTIVE, 0);
        SendMessageA(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(wnd), 1);
        return VKE_OK;
    }
    int rc = SetSelectionCtl(wnd, 0, -1);
    if (rc != VKE_OK) return rc;
    SetFocus(wnd);
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeDrwGetDCScale(VkiDrw* drw, HDC target, HDC reference, int* num, int* den) { VKE_FRAME(drw, drw->Sub(), drw->GetDCScale(target, reference, num, den)); }
VKE_API int VkeDrwGetLogFont(VkiDrw* drw, HDC dc, const char* face, int size, LOGFONTA* out) { VKE_FRAME(drw, drw->Sub(), drw->GetLogFont(dc, face, size, out)); }
VKE_API int VkeDrwGetLogFontSca(VkiDrw* drw, LOGFONTA* out, const LOGFONTA* src, int num, int den) { VKE_FRAME(drw, drw->Sub(), drw->GetLogFontSca(out, src, num, den)); }
VKE_API int VkeDrwGetCharSize(VkiDrw* drw, HWND wnd, int* width, int* height) { VKE_FRAME(drw, drw->Sub(), drw->GetCharSize(wnd, width, height)); }
VKE_API int VkeDrwChangePointToPixel(VkiDrw* drw, HDC dc, int* pixels, int points) { VKE_FRAME(drw, drw->Sub(), drw->ChangePointToPixel(dc, pixels, points)); }
VKE_API int VkeDrwChangePixelToPoint(VkiDrw* drw, HDC dc, int* points, int pixels) { VKE_FRAME(drw, drw->Sub(), drw->ChangePixelToPoint(dc, points, pixels)); }
VKE_API int VkeDrwChangeRadToAng(VkiDrw* drw, double* degrees, double radians) { VKE_FRAME(drw, drw->Sub(), drw->ChangeRadToAng(degrees, radians)); }
VKE_API int VkeDrwChangeAngToRad(VkiDrw* drw, double* radians, double degrees) { VKE_FRAME(drw, drw->Sub(), drw->ChangeAngToRad(radians, degrees)); }
VKE_API int VkeDrwChangeSlpToAng(VkiDrw* drw, double* degrees, int x1, int y1, int x2, int y2) { VKE_FRAME(drw, drw->Sub(), drw->ChangeSlpToAng(degrees, x1, y1, x2, y2)); }
VKE_API int VkeDrwRotatePoint(VkiDrw* drw, double angle, int centreX, int centreY, int* xs, int* ys, int count, int yUp) { VKE_FRAME(drw, drw->Sub(), drw->RotatePoint(angle, centreX, centreY, xs, ys, count, yUp)); }
VKE_API int VkeDrwScalePoint(VkiDrw* drw, int num, int den, int* xs, int* ys, int count) { VKE_FRAME(drw, drw->Sub(), drw->ScalePoint(num, den, xs, ys, count)); }
VKE_API int VkeDrwGetDistance(VkiDrw* drw, int* distance, int x1, int y1, int x2, int y2) { VKE_FRAME(drw, drw->Sub(), drw->GetDistance(distance, x1, y1, x2, y2)); }
VKE_API int VkeDrwGetDirection(VkiDrw* drw, int* code, int mode, int x1, int y1, int x2, int y2, int yUp) { VKE_FRAME(drw, drw->Sub(), drw->GetDirection(code, mode, x1, y1, x2, y2, yUp)); }
VKE_API int VkeDrwSetSelectionCtl(VkiDrw* drw, HWND wnd, int start, int end) { VKE_FRAME(drw, drw->Sub(), drw->SetSelectionCtl(wnd, start, end)); }
VKE_API int VkeDrwGetSelectionCtl(VkiDrw* drw, HWND wnd, int* start, int* end) { VKE_FRAME(drw, drw->Sub(), drw->GetSelectionCtl(wnd, start, end)); }
VKE_API int VkeDrwGetFstFcsCtlHandle(VkiDrw* drw, HWND dialog, HWND* out) { VKE_FRAME(drw, drw->Sub(), drw->GetFstFcsCtlHandle(dialog, out)); }
VKE_API int VkeDrwSetFocusWnd(VkiDrw* drw, HWND wnd) { VKE_FRAME(drw, drw->Sub(), drw->SetFocusWnd(wnd)); }
