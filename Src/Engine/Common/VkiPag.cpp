// The print page layout shared by the draw object and the drawing area.
#include "VkiPag.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkiTxt.h"
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

long long Width(const RECT& r) { return static_cast<long long>(r.right) - r.left; }
long long Height(const RECT& r) { return static_cast<long long>(r.bottom) - r.top; }
bool Filled(const RECT& r) { return Width(r) >= 1 && Height(r) >= 1; }
bool IsZero(const RECT& r) { return !r.left && !r.top && !r.right && !r.bottom; }
bool IsFlag(int v) { return v == 0 || v == 1; }
int Clamp(long long v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v); }
int AtLeastOne(long long v) { return v < 1 ? 1 : Clamp(v); }
long long CeilDiv(long long a, long long b) { return (a + b - 1) / b; }

bool ScaleModeOk(int mode) { return mode >= VKE_PRT_SCALE_BASE && mode <= VKE_PRT_SCALE_FIT_HEIGHT; }
bool AlignHOk(int a) { return a == VKE_PRT_ALIGN_LEFT || a == VKE_PRT_ALIGN_RIGHT || a == VKE_PRT_ALIGN_HCENTRE; }
bool AlignVOk(int a) { return a == VKE_PRT_ALIGN_TOP || a == VKE_PRT_ALIGN_BOTTOM || a == VKE_PRT_ALIGN_VCENTRE; }

bool FontOk(const LOGFONTA& lf)
{
    VkiGdiObj<HFONT> font(CreateFontIndirectA(&lf));
    return font.Get() != nullptr;
}

// A line that is printed needs a rectangle and a font.
bool LineOk(int flag, const RECT& r, const LOGFONTA& lf) { return flag != 1 || (Filled(r) && FontOk(lf)); }

// An image side narrowed to out within [*low, *high) by the alignment (low, high or centre).
void Narrow(LONG* low, LONG* high, int out, int align, int lowAlign, int highAlign)
{
    long long room = static_cast<long long>(*high) - *low;
    if (out >= room) return;
    if (align == highAlign) {
        *low = Clamp(static_cast<long long>(*high) - out);
        return;
    }
    if (align != lowAlign) *low = Clamp(*low + (room - out) / 2);
    *high = Clamp(static_cast<long long>(*low) + out);
}

// ---- The font a header or page-number line is printed in ----

// "OS/2", the table of a TrueType file that gives its face's weight, as GetFontData names it.
const DWORD kOs2Table = 0x322F534F;
const DWORD kOs2WeightAt = 4;

// What the DC makes of a font: its metrics, and the weight the chosen face's own file gives it
// (0 when the file does not say). False when the font cannot be selected.
bool Chosen(HDC dc, const LOGFONTA& lf, TEXTMETRICA* tm, int* faceWeight)
{
    VkiGdiObj<HFONT> font(CreateFontIndirectA(&lf));
    VkiSelect selected(dc, font);
    if (!selected.Ok() || !GetTextMetricsA(dc, tm)) return false;
    BYTE weight[2] = {};
    *faceWeight = GetFontData(dc, kOs2Table, kOs2WeightAt, weight, sizeof(weight)) == sizeof(weight)
                      ? weight[0] << 8 | weight[1]
                      : 0;
    return true;
}

bool IsTrueType(const TEXTMETRICA& tm) { return (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0; }

// The line's font as the printer takes it, and how many times the line is drawn, one pixel
// further right each time. A PostScript printer driver downloads a TrueType face's outlines and
// may not take another face (Wine's dies on a CFF OpenType or Type 1 face): such a face gives
// way to the nearest TrueType one, asked for with OUT_TT_ONLY_PRECIS and, where the mapper
// ignores that (Wine), with the face name left to the mapper and the family and pitch kept. A
// bold asked of a face without a bold of its own is drawn at the face's weight and struck about
// a 24th of the em wide: the driver prints the face's outlines unemboldened, and the preview
// shows the same. -8 when no TrueType face comes.
int LineFont(HDC dc, const LOGFONTA& want, LOGFONTA* out, int* strikes)
{
    LOGFONTA lf = want;
    TEXTMETRICA tm = {};
    int faceWeight = 0;
    if (!Chosen(dc, lf, &tm, &faceWeight)) return VKE_ERR_MEMORY;
    if (!IsTrueType(tm)) {
        lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
        if (!Chosen(dc, lf, &tm, &faceWeight)) return VKE_ERR_MEMORY;
    }
    if (!IsTrueType(tm)) {
        // TMPF_FIXED_PITCH set means a variable pitch.
        const BYTE pitch = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) ? VARIABLE_PITCH : FIXED_PITCH;
        lf.lfPitchAndFamily = static_cast<BYTE>((tm.tmPitchAndFamily & 0xF0) | pitch);
        memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
        if (!Chosen(dc, lf, &tm, &faceWeight) || !IsTrueType(tm)) return VKE_ERR_MEMORY;
    }
    *strikes = 1;
    if (want.lfWeight >= FW_SEMIBOLD && faceWeight > 0 && faceWeight < FW_SEMIBOLD) {
        lf.lfWeight = faceWeight;
        const int em = tm.tmHeight - tm.tmInternalLeading;
        *strikes = 1 + (em + 12) / 24;
        if (*strikes < 2) *strikes = 2;
    }
    *out = lf;
    return VKE_OK;
}

} // namespace

bool VkiIsDC(HDC dc)
{
    DWORD type = dc ? GetObjectType(dc) : 0;
    return type == OBJ_DC || type == OBJ_MEMDC || type == OBJ_METADC || type == OBJ_ENHMETADC;
}

int VkiInitPrintInfo(VkiSub* sub, VkiDrw* drw, PrintInfo* pi, bool area)
{
    if (!pi) return VKE_ERR_ARG;
    memset(pi, 0, sizeof(*pi));
    if (!sub || !drw) return VKE_ERR_NOT_INIT;
    char face[VKE_MSG_SIZE] = {}, size[VKE_MSG_SIZE] = {};
    int rc = sub->GetMsg(49, face);
    if (rc == VKE_OK) rc = sub->GetMsg(51, size);
    if (rc == VKE_OK) rc = drw->GetLogFont(nullptr, face, atoi(size), &pi->lfHeader);
    if (rc != VKE_OK) return rc;
    pi->lfPageNo = pi->lfHeader;
    pi->iHeader = pi->iPageNo = 1;
    pi->iScaleMode = area ? VKE_PRT_SCALE_FIT : VKE_PRT_SCALE_BASE;
    pi->iAlignH = area ? VKE_PRT_ALIGN_HCENTRE : VKE_PRT_ALIGN_LEFT;
    pi->iAlignV = area ? VKE_PRT_ALIGN_VCENTRE : VKE_PRT_ALIGN_TOP;
    pi->iPrintedWidth = pi->iSourceWidth = pi->iPrintedHeight = pi->iSourceHeight = 1;
    return VKE_OK;
}

int VkiSetPrintInfoRect(VkiDrw* drw, PrintInfo* pi, const RECT* page)
{
    if (!pi || !page || !Filled(*page) || !pi->hDC) return VKE_ERR_ARG;
    int num = 0, den = 1;
    int rc = drw->GetDCScale(pi->hDC, nullptr, &num, &den);
    LOGFONTA header, pageNo;
    if (rc == VKE_OK) rc = drw->GetLogFontSca(&header, &pi->lfHeader, num, den);
    if (rc == VKE_OK) rc = drw->GetLogFontSca(&pageNo, &pi->lfPageNo, num, den);
    if (rc != VKE_OK) return rc;
    const long long hh = labs(header.lfHeight), ph = labs(pageNo.lfHeight);
    pi->rctImage = *page;
    if (pi->iHeader == 1) {
        pi->rctHeader = RECT{page->left, page->top, page->right, Clamp(page->top + 2 * hh)};
        if (pi->rctHeader.bottom >= page->bottom) {
            pi->iHeader = 0;
            rc = VKE_ERR_CUT;
        } else {
            pi->rctImage.top = pi->rctHeader.bottom;
        }
    } else {
        pi->rctHeader = RECT{};
    }
    if (pi->iPageNo == 1) {
        pi->rctPageNo = RECT{page->left, Clamp(page->bottom - 2 * ph), page->right, page->bottom};
        if (pi->rctPageNo.top > pi->rctImage.top) {
            pi->rctImage.bottom = pi->rctPageNo.top;
        } else {
            pi->iPageNo = 0;
            rc = VKE_ERR_CUT;
        }
    } else {
        pi->rctPageNo = RECT{};
    }
    return rc;
}

int VkiCheckPrintInfo(const PrintInfo* pi)
{
    if (!pi || !pi->hDC || !IsFlag(pi->iHeader) || !IsFlag(pi->iPageNo) || !Filled(pi->rctImage)) return VKE_ERR_ARG;
    if (!ScaleModeOk(pi->iScaleMode) || !AlignHOk(pi->iAlignH) || !AlignVOk(pi->iAlignV)) return VKE_ERR_ARG;
    if (pi->iCurPage < 1) return VKE_ERR_ARG;
    if (!LineOk(pi->iHeader, pi->rctHeader, pi->lfHeader) || !LineOk(pi->iPageNo, pi->rctPageNo, pi->lfPageNo))
        return VKE_ERR_ARG;
    if (pi->iPageInfo == 0) return VKE_ERR_EXISTS;
    if (pi->iPageInfo != 1) return VKE_ERR_ARG;
    if (!Filled(pi->rctSource) || !Filled(pi->rctPrinted)) return VKE_ERR_ARG;
    if (pi->iPagesAcross < 1 || pi->iPagesDown < 1 || pi->iPageCount < 1) return VKE_ERR_ARG;
    if (pi->iPrintedWidth < 1 || pi->iSourceWidth < 1 || pi->iPrintedHeight < 1 || pi->iSourceHeight < 1)
        return VKE_ERR_ARG;
    return VKE_OK;
}

int VkiCheckPageRecord(const PrintInfo* pi)
{
    if (!pi || !pi->hDC || !Filled(pi->rctImage) || !ScaleModeOk(pi->iScaleMode)) return VKE_ERR_ARG;
    if (!AlignHOk(pi->iAlignH) || !AlignVOk(pi->iAlignV)) return VKE_ERR_ARG;
    if (!IsZero(pi->rctSource) && !Filled(pi->rctSource)) return VKE_ERR_ARG;
    return VKE_OK;
}

int VkiLayOutPages(VkiSys* sys, PrintInfo* pi, const RECT& source, int srcW, int srcH, int dcNum, int dcDen)
{
    int devW = AtLeastOne(static_cast<long long>(srcW) * dcNum / dcDen);
    int devH = AtLeastOne(static_cast<long long>(srcH) * dcNum / dcDen);
    int imgW = AtLeastOne(Width(pi->rctImage)), imgH = AtLeastOne(Height(pi->rctImage));
    int outW = 0, outH = 0;
    int rc = sys->GetPrintScaleSize(pi->iScaleMode, imgW, imgH, devW, devH, &outW, &outH);
    if (rc == VKE_ERR_CUT) return VKE_NOT_DONE;
    if (rc != VKE_OK) return rc;

    int across = 1, down = 1;
    switch (pi->iScaleMode) {
    case VKE_PRT_SCALE_FIT_WIDTH: down = Clamp(CeilDiv(outH, imgH)); break;
    case VKE_PRT_SCALE_FIT_HEIGHT: across = Clamp(CeilDiv(outW, imgW)); break;
    case VKE_PRT_SCALE_BASE:
    case VKE_PRT_SCALE_SHOWN:
        across = Clamp(CeilDiv(outW, imgW));
        down = Clamp(CeilDiv(outH, imgH));
        break;
    default: break;
    }
    Narrow(&pi->rctImage.left, &pi->rctImage.right, outW, pi->iAlignH, VKE_PRT_ALIGN_LEFT, VKE_PRT_ALIGN_RIGHT);
    Narrow(&pi->rctImage.top, &pi->rctImage.bottom, outH, pi->iAlignV, VKE_PRT_ALIGN_TOP, VKE_PRT_ALIGN_BOTTOM);
    pi->iPrintedWidth = outW;
    pi->iSourceWidth = srcW;
    pi->iPrintedHeight = outH;
    pi->iSourceHeight = srcH;
    pi->iPagesAcross = across;
    pi->iPagesDown = down;
    pi->iPageCount = Clamp(static_cast<long long>(across) * down);
    if (outW < 1 || outH < 1) return VKE_NOT_DONE;
    if (IsZero(pi->rctSource)) pi->rctSource = source;
    pi->rctPrinted = RECT{pi->rctImage.left, pi->rctImage.top, Clamp(static_cast<long long>(pi->rctImage.left) + outW),
                          Clamp(static_cast<long long>(pi->rctImage.top) + outH)};
    pi->iPageInfo = 1;
    return VKE_OK;
}

// The window extent is the source rectangle's size: the page part, the origin and the owner's
// drawing are all in source units, whatever scale the print has.
DrawInfo VkiPageMapping(const PrintInfo& pi, int x, int y, bool flip, bool clip)
{
    DrawInfo di = {};
    di.hDC = pi.hDC;
    di.iMapMode = MM_ANISOTROPIC;
    di.iWindowOrgX = x;
    di.iWindowOrgY = y;
    di.iWindowExtCx = AtLeastOne(Width(pi.rctSource));
    di.iWindowExtCy = AtLeastOne(Height(pi.rctSource));
    di.iViewportOrgX = pi.rctImage.left;
    di.iViewportOrgY = flip ? pi.rctImage.bottom : pi.rctImage.top;
    di.iViewportExtCx = AtLeastOne(Width(pi.rctPrinted));
    di.iViewportExtCy = AtLeastOne(Height(pi.rctPrinted)) * (flip ? -1 : 1);
    if (clip) {
        di.iClipLeft = pi.rctPagePart.left;
        di.iClipTop = pi.rctPagePart.top;
        di.iClipRight = pi.rctPagePart.right;
        di.iClipBottom = pi.rctPagePart.bottom;
    }
    return di;
}

int VkiSelectPage(VkiDrw* drw, PrintInfo* pi, bool flip)
{
    if (!pi->hDC || pi->iCurPage < 1 || pi->iPagesAcross < 1 || pi->iPagesDown < 1 || pi->iPageCount < 1)
        return VKE_ERR_ARG;
    DrawInfo di = VkiPageMapping(*pi, pi->rctSource.left, pi->rctSource.top, flip, false);
    int rc = drw->SetDrawInfoLast(&di);
    if (rc != VKE_OK) return rc;
    RECT cell = pi->rctImage;
    if (!DPtoLP(pi->hDC, reinterpret_cast<POINT*>(&cell), 2)) return VKE_ERR_SYSTEM;
    if (cell.top > cell.bottom) {
        LONG t = cell.top;
        cell.top = cell.bottom;
        cell.bottom = t;
    }
    pi->rctImageSrc = cell;
    if (pi->iPageCount < 2) {
        pi->rctPagePart = cell;
    } else {
        long long pw = Width(cell), ph = Height(cell), n = pi->iCurPage - 1;
        long long left = (n % pi->iPagesAcross) * pw + cell.left, top = (n / pi->iPagesAcross) * ph + cell.top;
        pi->rctPagePart = RECT{Clamp(left), Clamp(top), Clamp(left + pw), Clamp(top + ph)};
    }
    pi->iEmpty = VkiClampPagePart(pi) && pi->iCurPage <= pi->iPageCount ? 0 : 1;
    return VKE_OK;
}

bool VkiClampPagePart(PrintInfo* pi)
{
    RECT& p = pi->rctPagePart;
    const RECT& s = pi->rctSource;
    auto into = [](LONG v, LONG low, LONG high) { return v < low ? low : v > high ? high : v; };
    p.left = into(p.left, s.left, s.right);
    p.right = into(p.right, s.left, s.right);
    p.top = into(p.top, s.top, s.bottom);
    p.bottom = into(p.bottom, s.top, s.bottom);
    return Filled(p);
}

int VkiPrintLine(VkiDrw* drw, VkiSys* sys, PrintInfo* pi, bool header)
{
    HDC dc = pi->hDC;
    if (!dc) return VKE_ERR_ARG;
    RECT r = header ? pi->rctHeader : pi->rctPageNo;
    const LOGFONTA& lf = header ? pi->lfHeader : pi->lfPageNo;
    const char* given = header ? pi->amHeader : pi->amPageNo;
    COLORREF color = header ? pi->uHeaderColor : pi->uPageNoColor;
    char text[sizeof(pi->amHeader)] = {};
    int rc = VKE_OK;
    if (given[0]) memcpy(text, given, VkiStrLen(given, sizeof(text) - 1));
    else if (header) rc = sys ? sys->GetModuleName(text, sizeof(text)) : VKE_ERR_NOT_INIT;
    else snprintf(text, sizeof(text), "%d / %d", pi->iCurPage, pi->iPageCount);
    if (rc != VKE_OK) return rc;

    // The line's font is half as high as its rectangle.
    LOGFONTA one, sized;
    rc = drw->GetLogFontSca(&one, &lf, 1, 1);
    if (rc == VKE_OK) rc = drw->GetLogFontSca(&sized, &lf, AtLeastOne(Height(r)), AtLeastOne(2 * labs(one.lfHeight)));
    if (rc != VKE_OK) return rc;
    rc = drw->SetColor(color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;

    VkiDrawInfoScope pushed(drw, dc);
    DrawInfo di = {};
    di.hDC = dc;
    di.iMapMode = MM_ANISOTROPIC;
    di.iWindowOrgX = di.iViewportOrgX = r.left;
    di.iWindowOrgY = di.iViewportOrgY = r.top;
    di.iWindowExtCx = di.iViewportExtCx = AtLeastOne(Width(r));
    di.iWindowExtCy = di.iViewportExtCy = AtLeastOne(Height(r));
    rc = drw->SetDrawInfoLast(&di);
    if (rc != VKE_OK) return rc;
    // The font is chosen in the line's own mapping, where its pixels are counted.
    LOGFONTA printed;
    int strikes = 1;
    rc = LineFont(dc, sized, &printed, &strikes);
    if (rc != VKE_OK) return rc;
    VkiGdiObj<HFONT> font(CreateFontIndirectA(&printed));
    if (!font) return VKE_ERR_MEMORY;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, color);
    {
        VkiSelect selected(dc, font);
        // The strikes stay centred on the line.
        RECT at = r;
        OffsetRect(&at, -(strikes - 1) / 2, 0);
        for (int i = 0; i < strikes; ++i, OffsetRect(&at, 1, 0))
            DrawTextA(dc, text, -1, &at, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    return pushed.Restore();
}

VkiDrawInfoScope::VkiDrawInfoScope(VkiDrw* drw, HDC dc) : m_drw(drw), m_dc(dc)
{
    int depth = 0;
    if (drw && dc && drw->GetDrawInfoCnt(dc, &depth) == VKE_OK) m_depth = depth;
}

int VkiDrawInfoScope::Restore()
{
    if (m_depth < 0) return VKE_OK;
    int rc = VkiCutDrawInfo(m_drw, m_dc, m_depth);
    m_depth = -1;
    return rc;
}

int VkiCutDrawInfo(VkiDrw* drw, HDC dc, int depth)
{
    int now = 0;
    int rc = drw->GetDrawInfoCnt(dc, &now);
    if (rc != VKE_OK || now == depth) return rc;
    return now < depth ? VKE_ERR_ARG : drw->ResetDrawInfo(dc, now - depth);
}
