// The drawing area's fonts, colours, menu and palette, its rectangles and its draw memories.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraOpr"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiGeo.h"
#include "VkiScr.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <stdlib.h>
#include <string.h>

namespace {

// A font of the LOGFONT; a height of 0 is filled in from the font's metrics on dc.
int MakeFont(HDC dc, LOGFONTA* font, VkiGdiObj<HFONT>* out)
{
    out->Reset(CreateFontIndirectA(font));
    if (!*out) return VKE_ERR_ARG;
    if (font->lfHeight != 0) return VKE_OK;
    if (!dc) return VKE_ERR_MEMORY;
    VkiSelect selected(dc, out->Get());
    TEXTMETRICA tm;
    if (!GetTextMetricsA(dc, &tm)) return VKE_ERR_SYSTEM;
    font->lfHeight = VkiMetricHeight(tm);
    return VKE_OK;
}

} // namespace

// ---- Fonts ----

int VkiDra::SetFont(const char* face, int size)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    VkiWndDC dc(m_hWnd);
    if (!dc) return VKE_ERR_MEMORY;
    LOGFONTA font;
    rc = m_pDrw->GetLogFont(dc, face, size, &font);
    return rc == VKE_OK ? SetFontByLogFont(&font) : rc;
}

int VkiDra::SetFontByLogFont(const LOGFONTA* font)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!font) return VKE_ERR_ARG;
    LOGFONTA lf = *font;
    VkiGdiObj<HFONT> made;
    {
        VkiWndDC dc(m_hWnd);
        rc = MakeFont(dc, &lf, &made);
    }
    if (rc != VKE_OK) return rc;
    TakeScreenFont(made.Release(), lf);
    m_lfBase = lf; // the owner's font at 1:1, whatever the scale
    return VKE_OK;
}

void VkiDra::TakeScreenFont(HFONT font, const LOGFONTA& lf)
{
    HFONT old = m_hFont;
    m_hFont = font;
    m_lfScreen = lf;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
    if (old) DeleteObject(old);
}

int VkiDra::CreateFontPrt(HDC printer, const char* face, int size)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!printer) return VKE_ERR_ARG;
    LOGFONTA font;
    rc = m_pDrw->GetLogFont(printer, face, size, &font);
    return rc == VKE_OK ? CreateFontByLogFontPrt(printer, &font) : rc;
}

int VkiDra::CreateFontByLogFontPrt(HDC printer, const LOGFONTA* font)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!font) return VKE_ERR_ARG;
    LOGFONTA lf = *font;
    VkiGdiObj<HFONT> made;
    rc = MakeFont(printer, &lf, &made);
    if (rc != VKE_OK) return rc == VKE_ERR_MEMORY ? VKE_ERR_ARG : rc;
    if (m_hFontPrt) DeleteObject(m_hFontPrt);
    m_hFontPrt = made.Release();
    m_lfPrint = lf;
    m_iPrintFontMade = 1;
    return VKE_OK;
}

int VkiDra::FaceOf(const LOGFONTA& font, char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!buffer || size < 1) return VKE_ERR_ARG;
    char face[LF_FACESIZE + 1] = {};
    memcpy(face, font.lfFaceName, LF_FACESIZE);
    return VkiCopyStr(buffer, face, size);
}

// Points of the font's height on the window's DC.
int VkiDra::PointsOf(const LOGFONTA& font, int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = 0;
    VkiWndDC dc(m_hWnd);
    if (!dc) return VKE_ERR_MEMORY;
    *out = MulDiv(abs(font.lfHeight), 72, GetDeviceCaps(dc, LOGPIXELSY));
    return VKE_OK;
}

int VkiDra::CopyFont(const LOGFONTA& font, LOGFONTA* out) { return GetValue(font, out); }

// Solid black pens of the width, for the screen and the printer.
int VkiDra::MakePens(int width)
{
    VkiGdiObj<HPEN> screen(CreatePen(PS_SOLID, width, 0)), print(CreatePen(PS_SOLID, width, 0));
    if (!screen || !print) return VKE_ERR_MEMORY;
    if (m_hPen) DeleteObject(m_hPen);
    if (m_hPenPrt) DeleteObject(m_hPenPrt);
    m_hPen = screen.Release();
    m_hPenPrt = print.Release();
    return VKE_OK;
}

// ---- Colours, menu and palette ----

int VkiDra::SetColor(COLORREF* field, COLORREF color)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    rc = m_pDrw->SetColor(color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    *field = color;
    return Redraw(0);
}

int VkiDra::SetBackColor(COLORREF color)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    VkiGdiObj<HBRUSH> screen(CreateSolidBrush(color)), print(CreateSolidBrush(color));
    if (!screen || !print) return VKE_ERR_MEMORY;
    rc = SetColor(&m_uBackColor, color);
    if (rc != VKE_OK) return rc;
    if (m_hBackBrush) DeleteObject(m_hBackBrush);
    if (m_hBackBrushPrt) DeleteObject(m_hBackBrushPrt);
    m_hBackBrush = screen.Release();
    m_hBackBrushPrt = print.Release();
    return VKE_OK;
}

int VkiDra::SetMenuHandle(HMENU menu)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (menu && (!IsMenu(menu) || !GetSubMenu(menu, 0))) return VKE_ERR_ARG;
    m_hMenu = menu;
    return VKE_OK;
}

int VkiDra::SetPaletteHandle(HPALETTE palette)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!palette) {
        rc = m_pDrw->ClosePalette(&m_hPalette);
        return rc == VKE_OK ? Redraw(0) : rc;
    }
    WORD count = 0;
    if (GetObjectType(palette) != OBJ_PAL || !GetObjectA(palette, sizeof(count), &count) || count < 1)
        return VKE_ERR_ARG;
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY e[256];
    } log;
    if (count > 256) count = 256;
    log.version = 0x300;
    log.count = static_cast<WORD>(GetPaletteEntries(palette, 0, count, log.e));
    if (log.count < 1) return VKE_ERR_ARG;
    // The copy is made first: the palette given may be the area's own.
    HPALETTE made = CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
    if (!made) return VKE_ERR_MEMORY;
    m_pDrw->ClosePalette(&m_hPalette);
    m_hPalette = made;
    return Redraw(0);
}

// ---- Rectangles ----

int VkiDra::GetDraRect(RECT* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = RECT{};
    RECT r;
    if (!::GetWindowRect(m_hWnd, &r)) return VKE_ERR_SYSTEM;
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    if (m_iOwnScrBarLayout) {
        int size = 0, rc = VKE_OK;
        if (::IsWindowVisible(m_hHScrBar) && (rc = GetScrBarSize(m_hHScrBar, false, &size)) == VKE_OK) r.bottom += size;
        if (rc == VKE_OK && ::IsWindowVisible(m_hVScrBar) && (rc = GetScrBarSize(m_hVScrBar, true, &size)) == VKE_OK)
            r.right += size;
        if (rc != VKE_OK) return rc;
    }
    *out = r;
    return VKE_OK;
}

// ---- Draw memories ----

int VkiDra::SetDrm(Drm* drm)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!m_iDrawMemory) return VKE_ERR_EXISTS;
    if (!drm) return VKE_ERR_ARG;
    if (drm != &m_drm) rc = m_pDrw->CopyDrm(&m_drm, drm);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    int redrawn = Redraw(0);
    return redrawn != VKE_OK ? redrawn : rc;
}

int VkiDra::GetDrm(Drm* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (!MemoryMode()) return VKE_ERR_NOT_FOUND;
    return m_pDrw->CopyDrm(out, &m_drm);
}

int VkiDra::SetDrmPst(Drm* drm)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!MemoryMode()) return VKE_ERR_EXISTS;
    if (!drm) return VKE_ERR_ARG;
    rc = ClearPastedFlag();
    if (rc == VKE_OK && drm != &m_drmPst) rc = m_pDrw->CopyDrm(&m_drmPst, drm);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    if (!m_drmPst.iAttached) return rc;
    m_iPasted = 1;
    int begun = BeginPaste();
    return begun != VKE_OK ? begun : rc;
}

int VkiDra::GetDrmPst(Drm* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (!MemoryMode() || !m_iPasted || !m_drmPst.iAttached) return VKE_ERR_NOT_FOUND;
    return m_pDrw->CopyDrm(out, &m_drmPst);
}

int VkiDra::CreateDrawMemory(int width, int height)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (width < 1 || height < 1) return VKE_ERR_ARG;
    if (!m_iDrawMemory) return VKE_ERR_EXISTS;
    rc = m_pDrw->CreateDrawMemory(&m_drm, width, height, -1);
    if (rc != VKE_OK) return rc;
    // Up to 8 bits the area's palette is the colour table.
    int entries = VkiTableEntries(m_drm.iBitCount);
    if (m_hPalette && entries) {
        PALETTEENTRY pe[256] = {};
        RGBQUAD table[256] = {};
        int n = static_cast<int>(GetPaletteEntries(m_hPalette, 0, entries, pe));
        for (int i = 0; i < n; ++i) table[i] = {pe[i].peBlue, pe[i].peGreen, pe[i].peRed, 0};
        if (n > 0 && !SetDIBColorTable(m_drm.hDC, 0, n, table)) return VKE_ERR_SYSTEM;
    }
    return Redraw(0);
}

// ---- Exports ----

VKE_API int VkeDraSetFont(VkiDra* dra, const char* face, int size) { VKE_FRAME(dra, dra->Sub(), dra->SetFont(face, size)); }
VKE_API int VkeDraSetFontByLogFont(VkiDra* dra, const LOGFONTA* font) { VKE_FRAME(dra, dra->Sub(), dra->SetFontByLogFont(font)); }
VKE_API int VkeDraGetFontName(VkiDra* dra, char* buffer, int size) { VKE_FRAME(dra, dra->Sub(), dra->GetFontName(buffer, size)); }
VKE_API int VkeDraGetFontSize(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetFontSize(out)); }
VKE_API int VkeDraGetLogFont(VkiDra* dra, LOGFONTA* out) { VKE_FRAME(dra, dra->Sub(), dra->GetLogFont(out)); }
VKE_API int VkeDraCreateFontPrt(VkiDra* dra, HDC printer, const char* face, int size) { VKE_FRAME(dra, dra->Sub(), dra->CreateFontPrt(printer, face, size)); }
VKE_API int VkeDraCreateFontByLogFontPrt(VkiDra* dra, HDC printer, const LOGFONTA* font) { VKE_FRAME(dra, dra->Sub(), dra->CreateFontByLogFontPrt(printer, font)); }
VKE_API int VkeDraGetFontNamePrt(VkiDra* dra, char* buffer, int size) { VKE_FRAME(dra, dra->Sub(), dra->GetFontNamePrt(buffer, size)); }
VKE_API int VkeDraGetFontSizePrt(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetFontSizePrt(out)); }
VKE_API int VkeDraGetLogFontPrt(VkiDra* dra, LOGFONTA* out) { VKE_FRAME(dra, dra->Sub(), dra->GetLogFontPrt(out)); }
VKE_API int VkeDraSetTextColor(VkiDra* dra, COLORREF color) { VKE_FRAME(dra, dra->Sub(), dra->SetTextColor(color)); }
VKE_API int VkeDraSetBackColor(VkiDra* dra, COLORREF color) { VKE_FRAME(dra, dra->Sub(), dra->SetBackColor(color)); }
VKE_API int VkeDraSetSetFocusColor(VkiDra* dra, COLORREF color) { VKE_FRAME(dra, dra->Sub(), dra->SetSetFocusColor(color)); }
VKE_API int VkeDraSetKillFocusColor(VkiDra* dra, COLORREF color) { VKE_FRAME(dra, dra->Sub(), dra->SetKillFocusColor(color)); }
VKE_API int VkeDraGetTextColor(VkiDra* dra, COLORREF* out) { VKE_FRAME(dra, dra->Sub(), dra->GetTextColor(out)); }
VKE_API int VkeDraGetBackColor(VkiDra* dra, COLORREF* out) { VKE_FRAME(dra, dra->Sub(), dra->GetBackColor(out)); }
VKE_API int VkeDraGetSetFocusColor(VkiDra* dra, COLORREF* out) { VKE_FRAME(dra, dra->Sub(), dra->GetSetFocusColor(out)); }
VKE_API int VkeDraGetKillFocusColor(VkiDra* dra, COLORREF* out) { VKE_FRAME(dra, dra->Sub(), dra->GetKillFocusColor(out)); }
VKE_API int VkeDraSetMenuHandle(VkiDra* dra, HMENU menu) { VKE_FRAME(dra, dra->Sub(), dra->SetMenuHandle(menu)); }
VKE_API int VkeDraGetMenuHandle(VkiDra* dra, HMENU* out) { VKE_FRAME(dra, dra->Sub(), dra->GetMenuHandle(out)); }
VKE_API int VkeDraSetPaletteHandle(VkiDra* dra, HPALETTE palette) { VKE_FRAME(dra, dra->Sub(), dra->SetPaletteHandle(palette)); }
VKE_API int VkeDraGetPaletteHandle(VkiDra* dra, HPALETTE* out) { VKE_FRAME(dra, dra->Sub(), dra->GetPaletteHandle(out)); }
VKE_API int VkeDraGetHScrBarHandle(VkiDra* dra, HWND* out) { VKE_FRAME(dra, dra->Sub(), dra->GetHScrBarHandle(out)); }
VKE_API int VkeDraGetVScrBarHandle(VkiDra* dra, HWND* out) { VKE_FRAME(dra, dra->Sub(), dra->GetVScrBarHandle(out)); }
VKE_API int VkeDraGetDraRect(VkiDra* dra, RECT* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDraRect(out)); }
VKE_API int VkeDraGetInrDraRectBas(VkiDra* dra, RECT* out) { VKE_FRAME(dra, dra->Sub(), dra->GetInrDraRectBas(out)); }
VKE_API int VkeDraGetInrDraRectSca(VkiDra* dra, RECT* out) { VKE_FRAME(dra, dra->Sub(), dra->GetInrDraRectSca(out)); }
VKE_API int VkeDraSetDrm(VkiDra* dra, Drm* drm) { VKE_FRAME(dra, dra->Sub(), dra->SetDrm(drm)); }
VKE_API int VkeDraGetDrm(VkiDra* dra, Drm* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDrm(out)); }
VKE_API int VkeDraSetDrmPst(VkiDra* dra, Drm* drm) { VKE_FRAME(dra, dra->Sub(), dra->SetDrmPst(drm)); }
VKE_API int VkeDraGetDrmPst(VkiDra* dra, Drm* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDrmPst(out)); }
VKE_API int VkeDraCreateDrawMemory(VkiDra* dra, int width, int height) { VKE_FRAME(dra, dra->Sub(), dra->CreateDrawMemory(width, height)); }
