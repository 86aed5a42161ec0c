// Text drawing: one primitive that draws a line through GDI (alpha 0) or GDI+ (with alpha,
// rotation, flipping and centring), the horizontal, vertical, angled and sloped forms built on
// it, compacted paths and filled rectangles.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwImg"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiGdp.h"
#include "VkiGeo.h"
#include "VkiSub.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include <limits.h>
#include <stdio.h>
#include <string.h>

namespace {

// Most bytes the primitive draws through GDI+.
const int kMaxGdpText = 1023;

bool IsFlag(int v) { return v == 0 || v == 1; }

int TextLen(const char* text)
{
    size_t n = strlen(text);
    return n < INT_MAX ? static_cast<int>(n) : INT_MAX;
}

SIZE Extent(HDC dc, const char* text, int length)
{
    SIZE s = {};
    if (!GetTextExtentPoint32A(dc, text, length, &s)) s = {};
    return s;
}

// The font of a LOGFONT, deleted at the end of the scope (null when it cannot be made).
struct MadeFont : VkiGdiObj<HFONT> {
    explicit MadeFont(const LOGFONTA* font) : VkiGdiObj<HFONT>(font ? CreateFontIndirectA(font) : nullptr) {}
};

// The y axis of the DC turned over for the scope: the viewport's origin moves to its far edge
// and its extent changes sign, so that a y-up mapping draws y-down.
void FlipViewport(HDC dc)
{
    POINT org = {};
    SIZE ext = {};
    GetViewportOrgEx(dc, &org);
    GetViewportExtEx(dc, &ext);
    SetViewportOrgEx(dc, org.x, org.y + ext.cy, nullptr);
    SetViewportExtEx(dc, ext.cx, -ext.cy, nullptr);
}

// The box GDI+ gives the text at origin, without a string format.
Gdiplus::RectF MeasureAt(Gdiplus::GpGraphics* g, const WCHAR* text, int length, Gdiplus::GpFont* font,
                         const Gdiplus::RectF& origin)
{
    Gdiplus::RectF box(0, 0, 0, 0);
    Gdp::GdipMeasureString(g, text, length, font, &origin, nullptr, &box, nullptr, nullptr);
    return box;
}

} // namespace

// ---- The primitive and the fill ----

int VkiDrw::DrawText(HDC dc, const LOGFONTA* font, int x, int y, const char* text, int length, BYTE alpha,
                     double angle, int flip, int centreX, int centreY)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !text || length < -1) return VKE_ERR_ARG;
    // A length past the terminator stops at it: nothing beyond the text is read.
    length = length == -1 ? TextLen(text) : VkiStrLen(text, length);
    if (length < 1) return VKE_OK;
    if (alpha == 0) {
        TextOutA(dc, x, y, text, length);
        return VKE_OK;
    }
    if (!font || length > kMaxGdpText || !(angle >= -360 && angle <= 360) || !IsFlag(flip) || !IsFlag(centreX) ||
        !IsFlag(centreY))
        return VKE_ERR_ARG;

    VkiSaveDC keep(dc); // the viewport, font and brush come back on every path
    if (flip) {
        SIZE window = {};
        GetWindowExtEx(dc, &window);
        FlipViewport(dc);
        y = window.cy - y;
        if (angle != 0) angle = 360 - angle;
    }
    SIZE gdi = {};
    if (centreX || centreY) gdi = Extent(dc, text, length);
    VkiSelect systemFont(dc, GetStockObject(SYSTEM_FONT));
    VkiSelect noBrush(dc, GetStockObject(NULL_BRUSH));
    WCHAR wide[kMaxGdpText + 1];
    int count = MultiByteToWideChar(CP_ACP, 0, text, length, wide, kMaxGdpText + 1);
    VkiGdpGraphics g;
    VkiGdpFont gdpFont;
    // GDI+ failures draw nothing and are not reported.
    if (count < 1 || Gdp::GdipCreateFromHDC(dc, g.Out()) != Gdiplus::Ok ||
        Gdp::GdipCreateFontFromLogfontA(dc, font, gdpFont.Out()) != Gdiplus::Ok)
        return VKE_OK;

    // Centring puts the GDI+ text where GDI would have drawn it.
    Gdiplus::RectF box = MeasureAt(g, wide, count, gdpFont, Gdiplus::RectF(0, 0, 0, 0));
    if (centreX) x += VkiRoundHalf((gdi.cx - box.Width) / 2);
    if (centreY) y += VkiRoundHalf((gdi.cy - box.Height) / 2);
    Gdiplus::RectF origin(static_cast<float>(x), static_cast<float>(y), 0, 0);
    VkiGdpMatrix turn;
    if (angle != 0 && Gdp::GdipCreateMatrix(turn.Out()) == Gdiplus::Ok) {
        Gdp::GdipRotateMatrix(turn, static_cast<float>(angle), Gdiplus::MatrixOrderAppend);
        Gdp::GdipTranslateMatrix(turn, static_cast<float>(x), static_cast<float>(y), Gdiplus::MatrixOrderAppend);
        Gdp::GdipSetWorldTransform(g, turn);
        origin = Gdiplus::RectF(0, 0, 0, 0);
    }
    if (GetBkMode(dc) == OPAQUE) {
        Gdiplus::RectF back = MeasureAt(g, wide, count, gdpFont, origin);
        VkiGdpSolidFill fill;
        if (Gdp::GdipCreateSolidFill(VkiGdpArgb(255, GetBkColor(dc)), fill.Out()) == Gdiplus::Ok)
            Gdp::GdipFillRectangleI(g, fill, VkiRoundHalf(back.X), VkiRoundHalf(back.Y), VkiRoundHalf(back.Width),
                                    VkiRoundHalf(back.Height));
    }
    VkiGdpSolidFill ink;
    if (Gdp::GdipCreateSolidFill(VkiGdpArgb(alpha, GetTextColor(dc)), ink.Out()) == Gdiplus::Ok)
        Gdp::GdipDrawString(g, wide, count, gdpFont, &origin, nullptr, ink);
    return VKE_OK;
}

int VkiDrw::FillRectangle(HDC dc, const RECT* rect, COLORREF color, BYTE alpha)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !rect) return VKE_ERR_ARG;
    if (alpha == 0) {
        COLORREF old = SetBkColor(dc, color);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
        SetBkColor(dc, old);
        return VKE_OK;
    }
    VkiSelect noBrush(dc, GetStockObject(NULL_BRUSH));
    VkiGdpGraphics g;
    VkiGdpSolidFill fill;
    if (Gdp::GdipCreateFromHDC(dc, g.Out()) == Gdiplus::Ok &&
        Gdp::GdipCreateSolidFill(VkiGdpArgb(alpha, color), fill.Out()) == Gdiplus::Ok)
        Gdp::GdipFillRectangleI(g, fill, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    return VKE_OK;
}

#undef VKE_MODULE
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwDrw"

// ---- Horizontal, vertical, angled and sloped text ----

int VkiDrw::DrawStrAt(HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip,
                      bool hCentre, bool vCentre)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !text || (alpha && !font) || !IsFlag(flip)) return VKE_ERR_ARG;
    // With alpha 0 the text is measured and drawn in the DC's own font.
    MadeFont made(alpha ? font : nullptr);
    if (alpha && !made) return VKE_ERR_ARG;
    VkiSelect selected(dc, made.Get());
    SIZE ext = Extent(dc, text, TextLen(text));
    int atX = hCentre ? x - VkiHalf(ext.cx) : x;
    int atY = vCentre ? (flip ? y + VkiHalf(ext.cy) : y - VkiHalf(ext.cy)) : (flip ? y + ext.cy : y);
    return DrawText(dc, font, atX, atY, text, -1, alpha, 0, flip, hCentre, vCentre);
}

int VkiDrw::DrawVStrAt(HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip,
                       int downward, bool hCentre, bool vCentre)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !text || !font || !IsFlag(flip) || !IsFlag(downward)) return VKE_ERR_ARG;
    MadeFont made(font);
    if (!made) return VKE_ERR_ARG;
    VkiSelect selected(dc, made.Get());
    // The column: as wide as the widest character, as high as all of them.
    int width = 0, height = 0;
    for (const char* p = text; *p; p += VkiChrLen(p)) {
        SIZE s = Extent(dc, p, VkiChrLen(p));
        if (s.cx > width) width = s.cx;
        height += s.cy;
    }
    int left = hCentre ? x - VkiHalf(width) : x;
    int first = vCentre ? (downward ? y - VkiHalf(height) : y + VkiHalf(height)) : y;
    if (alpha == 0 && GetBkMode(dc) == OPAQUE) {
        // The rectangle the characters fill, from the first one on.
        int top = downward ? first : first - height;
        RECT column = {left, top, left + width, top + height};
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &column, nullptr, 0, nullptr);
    }
    int centre = left + VkiHalf(width);
    int at = first;
    for (const char* p = text; *p; p += VkiChrLen(p)) {
        int n = VkiChrLen(p);
        SIZE s = Extent(dc, p, n);
        // Toward growing y the character is drawn before the step (after it when flipped);
        // toward falling y the other way round.
        bool stepFirst = downward == flip;
        if (stepFirst) at += downward ? s.cy : -s.cy;
        int rc = DrawText(dc, font, centre - VkiHalf(s.cx), at, p, n, alpha, 0, flip, 1, vCentre);
        if (rc != VKE_OK) return rc;
        if (!stepFirst) at += downward ? s.cy : -s.cy;
    }
    return VKE_OK;
}

int VkiDrw::DrawAngleStr(HDC dc, const LOGFONTA* font, int centreX, int centreY, int x, int y, const char* text,
                         BYTE alpha, double angle, int flip)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !text || !font || !IsFlag(flip)) return VKE_ERR_ARG;
    MadeFont made(font);
    if (!made) return VKE_ERR_ARG;
    if (flip) {
        VkiSelect selected(dc, made.Get());
        y += Extent(dc, text, TextLen(text)).cy;
    }
    int px = x, py = y;
    int rc = RotatePoint(angle, centreX, centreY, &px, &py, 1, 1);
    if (rc != VKE_OK) return rc;
    LOGFONTA turned = *font;
    turned.lfEscapement = turned.lfOrientation = VkiRoundHalf(-10 * angle);
    MadeFont gdiFont(alpha == 0 ? &turned : nullptr);
    if (alpha == 0 && !gdiFont) return VKE_ERR_ARG;
    VkiSelect selected(dc, gdiFont.Get());
    return DrawText(dc, &turned, px, py, text, -1, alpha, angle, flip, 0, 0);
}

int VkiDrw::DrawSlopeStr(HDC dc, const LOGFONTA* font, int x1, int y1, int x2, int y2, int x, int y,
                         const char* text, BYTE alpha, int flip, int fromFirst)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !text || !font || !IsFlag(flip) || !IsFlag(fromFirst)) return VKE_ERR_ARG;
    MadeFont made(font);
    if (!made) return VKE_ERR_ARG;
    // Through GDI the flip is done here, once; GDI+ turns the DC over itself.
    if (alpha == 0) {
        if (flip) {
            VkiSelect selected(dc, made.Get());
            y += Extent(dc, text, TextLen(text)).cy;
        }
        flip = 0;
    }
    double angle = 0;
    int rc = fromFirst ? ChangeSlpToAng(&angle, x1, y1, x2, y2) : ChangeSlpToAng(&angle, x2, y2, x1, y1);
    if (rc != VKE_OK) return rc;
    if (fromFirst) return DrawAngleStr(dc, font, x1, y1, x, y, text, alpha, angle, flip);
    return DrawAngleStr(dc, font, x2, y2, x, y, text, alpha, angle - 180, flip);
}

// ---- Compacted paths ----

namespace {

bool Narrower(HDC dc, const char* text, int width)
{
    SIZE s = {};
    return GetTextExtentPoint32A(dc, text, TextLen(text), &s) && width > s.cx;
}

// "\\" for a network path, "C:\" for a drive path, else empty.
void RootOf(const char* full, char* root)
{
    root[0] = 0;
    if (full[0] == '\\' && full[1] == '\\') strcpy(root, "\\\\");
    else if (full[0] && VkiChrLen(full) == 1 && full[1] == ':') snprintf(root, 4, "%c:\\", full[0]);
}

} // namespace

int VkiDrw::GetCompactPath(char* out, const char* path, int outSize, HDC dc, int width)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (out && outSize >= 1) *out = 0;
    if (!out || !path || !dc || outSize < 1 || width < 1) return VKE_ERR_ARG;
    if (!m_pSub) return VKE_ERR_NOT_INIT;
    char full[1024];
    int rc = m_pSub->GetPathName(full, path, sizeof(full));
    if (rc != VKE_OK) return rc;
    if (Narrower(dc, full, width)) return m_pSub->CopyStr(out, full, outSize);

    char name[1024];
    rc = m_pSub->GetFileName(name, full, sizeof(name));
    if (rc != VKE_OK) return rc;
    char tail[1030], root[4], result[2056];
    snprintf(tail, sizeof(tail), "...\\%s", name);
    RootOf(full, root);
    snprintf(result, sizeof(result), "%s%s", root, tail);
    // Folders are dropped from the file name's end of the path until head + tail fits.
    int at = static_cast<int>(strlen(full) - strlen(name)); // the backslash before the name
    int prev = 0;
    while (at > 1 && (rc = m_pSub->FindStrRev(full, "\\", 0, at - 1, &prev)) == VKE_OK) {
        if (prev == static_cast<int>(strlen(root)) && strncmp(full, root, static_cast<size_t>(prev)) == 0) break;
        char candidate[2056];
        snprintf(candidate, sizeof(candidate), "%.*s%s", prev, full, tail);
        if (Narrower(dc, candidate, width)) {
            strcpy(result, candidate);
            break;
        }
        at = prev;
    }
    if (rc != VKE_OK && rc != VKE_ERR_NOT_FOUND) return rc;
    return m_pSub->CopyStr(out, result, outSize);
}

// ---- Exports ----

VKE_API int VkeDrwDrawStr(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip) { VKE_FRAME(drw, drw->Sub(), drw->DrawStrAt(dc, font, x, y, text, alpha, flip, false, false)); }
VKE_API int VkeDrwDrawStrCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip) { VKE_FRAME(drw, drw->Sub(), drw->DrawStrAt(dc, font, x, y, text, alpha, flip, true, true)); }
VKE_API int VkeDrwDrawStrHCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip) { VKE_FRAME(drw, drw->Sub(), drw->DrawStrAt(dc, font, x, y, text, alpha, flip, true, false)); }
VKE_API int VkeDrwDrawStrVCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip) { VKE_FRAME(drw, drw->Sub(), drw->DrawStrAt(dc, font, x, y, text, alpha, flip, false, true)); }
VKE_API int VkeDrwDrawVStr(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip, int downward) { VKE_FRAME(drw, drw->Sub(), drw->DrawVStrAt(dc, font, x, y, text, alpha, flip, downward, false, false)); }
VKE_API int VkeDrwDrawVStrCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip, int downward) { VKE_FRAME(drw, drw->Sub(), drw->DrawVStrAt(dc, font, x, y, text, alpha, flip, downward, true, true)); }
VKE_API int VkeDrwDrawVStrHCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip, int downward) { VKE_FRAME(drw, drw->Sub(), drw->DrawVStrAt(dc, font, x, y, text, alpha, flip, downward, true, false)); }
VKE_API int VkeDrwDrawVStrVCenter(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip, int downward) { VKE_FRAME(drw, drw->Sub(), drw->DrawVStrAt(dc, font, x, y, text, alpha, flip, downward, false, true)); }
VKE_API int VkeDrwDrawAngleStr(VkiDrw* drw, HDC dc, const LOGFONTA* font, int centreX, int centreY, int x, int y, const char* text, BYTE alpha, double angle, int flip) { VKE_FRAME(drw, drw->Sub(), drw->DrawAngleStr(dc, font, centreX, centreY, x, y, text, alpha, angle, flip)); }
VKE_API int VkeDrwDrawSlopeStr(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x1, int y1, int x2, int y2, int x, int y, const char* text, BYTE alpha, int flip, int fromFirst) { VKE_FRAME(drw, drw->Sub(), drw->DrawSlopeStr(dc, font, x1, y1, x2, y2, x, y, text, alpha, flip, fromFirst)); }
VKE_API int VkeDrwGetCompactPath(VkiDrw* drw, char* out, const char* path, int outSize, HDC dc, int width) { VKE_FRAME(drw, drw->Sub(), drw->GetCompactPath(out, path, outSize, dc, width)); }

#undef VKE_MODULE
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwImg"

VKE_API int VkeDrwDrawText(VkiDrw* drw, HDC dc, const LOGFONTA* font, int x, int y, const char* text, int length, BYTE alpha, double angle, int flip, int centreX, int centreY) { VKE_FRAME(drw, drw->Sub(), drw->DrawText(dc, font, x, y, text, length, alpha, angle, flip, centreX, centreY)); }
VKE_API int VkeDrwFillRectangle(VkiDrw* drw, HDC dc, const RECT* rect, COLORREF color, BYTE alpha) { VKE_FRAME(drw, drw->Sub(), drw->FillRectangle(dc, rect, color, alpha)); }
