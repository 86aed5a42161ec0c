// The drawing area's drawing pass: the DC mapped from the drawing's coordinates, the owner asked
// to draw through VkeWmDrw, the draw memory copied to the window or stretched onto a page, and
// the DCs given back as they were. Also the paint and background messages and the grab's start.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraDrw"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiPag.h"
#include "VkeFrame.h"
#include <algorithm>

namespace {

// The area inside a drawing pass, shared by the areas of the thread (null: none). A pass of
// another area may run inside it; only the same area's is refused.
thread_local VkiDra* g_pDrawing = nullptr;

// What a pass sets on a DC (an opaque background, the area's colours, font, pen and brush), set
// again after the owner's reply and put back as it was at the end of the scope.
class PassState {
public:
    PassState(HDC dc, COLORREF text, COLORREF back, HGDIOBJ font, HGDIOBJ pen, HGDIOBJ brush)
        : m_dc(dc), m_text(text), m_back(back), m_objects{font, pen, brush}
    {
        if (!dc) return;
        m_oldMode = GetBkMode(dc);
        m_oldText = GetTextColor(dc);
        m_oldBack = GetBkColor(dc);
        const UINT kinds[3] = {OBJ_FONT, OBJ_PEN, OBJ_BRUSH};
        for (int i = 0; i < 3; ++i) m_old[i] = GetCurrentObject(dc, kinds[i]);
        Apply();
    }
    ~PassState()
    {
        if (!m_dc) return;
        for (HGDIOBJ old : m_old)
            if (old) SelectObject(m_dc, old);
        SetBkMode(m_dc, m_oldMode);
        SetTextColor(m_dc, m_oldText);
        SetBkColor(m_dc, m_oldBack);
    }
    PassState(const PassState&) = delete;
    PassState& operator=(const PassState&) = delete;
    void Apply()
    {
        if (!m_dc) return;
        SetBkMode(m_dc, OPAQUE);
        SetTextColor(m_dc, m_text);
        SetBkColor(m_dc, m_back);
        for (HGDIOBJ obj : m_objects)
            if (obj) SelectObject(m_dc, obj);
    }

private:
    HDC m_dc;
    COLORREF m_text, m_back;
    HGDIOBJ m_objects[3];
    HGDIOBJ m_old[3] = {};
    int m_oldMode = OPAQUE;
    COLORREF m_oldText = 0, m_oldBack = 0;
};

// The palette realised on a DC, first as a foreground and then as a background palette, and the
// DC's own palette put back at the end of the scope.
class PassPalette {
public:
    PassPalette(HDC dc, HPALETTE palette) : m_select(dc, palette)
    {
        if (!m_select.Ok()) return;
        SelectPalette(dc, palette, TRUE);
        RealizePalette(dc);
    }

private:
    VkiSelectPalette m_select;
};

// A device rectangle in logical units of dc; with the y axis up it is given bottom first, so
// that the logical one still has its top numerically below its bottom.
RECT ToLogical(HDC dc, const RECT& device, bool flip)
{
    RECT r = flip ? RECT{device.left, device.bottom, device.right, device.top} : device;
    DPtoLP(dc, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

// ---- The pass ----

int VkiDra::Draw(HDC dc, const RECT* update, int erase)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!update || !dc || (erase != 0 && erase != 1)) return VKE_ERR_ARG;
    if (g_pDrawing == this) return VKE_ERR_EXISTS;
    bool begun = false;
    int rc;
    {
        VkiAreaGuard guard(&g_pDrawing, this);
        rc = DrawPass(dc, *update, &begun);
    }
    // A pass that failed once it had begun recovers the scale, once until a pass succeeds: the
    // recovery paints again, and a pass that keeps failing must not paint for ever.
    if (rc >= 0) {
        m_iDrawRecovered = 0;
    } else if (begun && !m_iDrawRecovered) {
        m_iDrawRecovered = 1;
        RecoverScale();
    }
    return rc;
}

int VkiDra::DrawPass(HDC dc, const RECT& update, bool* begun)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return VKE_OK;
    if (!VkiIsFilled(&update)) return VKE_NOT_DONE;
    if (!VkiIsDC(dc)) return VKE_ERR_ARG;
    const bool memory = MemoryMode();
    if (memory && !VkiIsDC(m_drm.hDC)) return VKE_ERR_MEMORY;
    int rc = BeginDrawInfo(dc);
    if (rc != VKE_OK) return rc;
    *begun = true;
    rc = DrawContent(dc, update, parent);
    int ended = EndDrawInfo(dc);
    if (ended != VKE_OK && (rc == VKE_OK || rc == VKE_NOT_DONE)) rc = ended;
    return rc;
}

// Steps of the pass between its bracket: the DC states are the area's while the owner draws
// and are put back before the bracket ends.
int VkiDra::DrawContent(HDC dc, const RECT& update, HWND parent)
{
    const bool memory = MemoryMode(), print = m_iPrinting == 1;
    PassState memState(memory ? m_drm.hDC : nullptr, m_uTextColor, m_uBackColor, m_hFont, m_hPen, m_hBackBrush);
    PassState target(dc, m_uTextColor, m_uBackColor, print ? m_hFontPrt : m_hFont, print ? m_hPenPrt : m_hPen,
                     print ? m_hBackBrushPrt : m_hBackBrush);
    PassPalette palette(dc, m_hPalette);
    const RECT e = m_rctSca;
    const int w = VkiClampInt(VkiWidth(e)), h = VkiClampInt(VkiHeight(e));
    int rc = VKE_OK;

    if (memory) {
        // The whole scaled extent onto the draw memory.
        DrawInfo di = {m_drm.hDC, MM_ANISOTROPIC, e.left, e.top, w, h, 0, m_iFlipY ? m_drm.iUsedHeight : 0,
                       m_drm.iUsedWidth, m_iFlipY ? -m_drm.iUsedHeight : m_drm.iUsedHeight, 0, 0, 0, 0};
        rc = m_pDrw->SetDrawInfoLast(&di);
        if (rc == VKE_OK && m_iRedrawNeeded) {
            if (m_iPasted && m_drmPst.iAttached) rc = DrawPaste();
            if (rc != VKE_OK) return rc;
            RECT all = {0, 0, m_drm.iUsedWidth, m_drm.iUsedHeight};
            SendDraw(parent, m_drm.hDC, ToLogical(m_drm.hDC, all, m_iFlipY == 1));
            memState.Apply();
            target.Apply();
            m_iRedrawNeeded = 0;
        }
        return rc == VKE_OK ? CopyMemoryToDC(dc, &update) : rc;
    }
    if (print) {
        if (!m_pPrintInfo) return VKE_ERR_EXISTS;
        PrintInfo& pi = *m_pPrintInfo;
        DrawInfo di = VkiPageMapping(pi, pi.rctPagePart.left, pi.rctPagePart.top, m_iFlipY == 1, true);
        rc = m_pDrw->SetDrawInfoLast(&di);
        if (rc != VKE_OK) return rc;
        SendDraw(parent, dc, pi.rctPagePart);
        target.Apply();
        if (pi.iPageCount == 1) pi.iEmpty = 1;
        return VKE_OK;
    }
    DrawInfo di;
    if (!ScreenMapping(dc, &di)) return VKE_OK; // none of the drawing is in sight
    rc = m_pDrw->SetDrawInfoLast(&di);
    if (rc != VKE_OK) return rc;
    SendDraw(parent, dc, LogicalUpdate(dc, update));
    target.Apply();
    return VKE_OK;
}

void VkiDra::SendDraw(HWND parent, HDC dc, const RECT& rect)
{
    Dri dri = {dc, m_iScaleNum, m_iScaleDen, rect, m_iPrinting, m_iPasted ? 0 : 1};
    ::SendMessageA(parent, VkeWmDrw, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&dri));
}

bool VkiDra::ScreenMapping(HDC dc, DrawInfo* out)
{
    RECT c = {};
    ::GetClientRect(m_hWnd, &c);
    const RECT& e = m_rctSca;
    const int w = VkiClampInt(VkiWidth(e)), h = VkiClampInt(VkiHeight(e));
    const long long x = m_iDraScrPosH, y = m_iDraScrPosV;
    *out = DrawInfo{dc, MM_ANISOTROPIC, m_iDraScrPosH, m_iDraScrPosV, w, h, c.left, m_iFlipY ? c.bottom : c.top,
                    w, m_iFlipY ? -h : h,
                    VkiClampInt(std::max<long long>(e.left, x)), VkiClampInt(std::max<long long>(e.top, y)),
                    VkiClampInt(std::min<long long>(e.right, x + VkiWidth(c))),
                    VkiClampInt(std::min<long long>(e.bottom, y + VkiHeight(c)))};
    return out->iClipLeft < out->iClipRight && out->iClipTop < out->iClipBottom;
}

RECT VkiDra::LogicalUpdate(HDC dc, const RECT& update) const
{
    RECT grown = {update.left - 1, update.top - 1, update.right + 1, update.bottom + 1};
    return ToLogical(dc, grown, m_iFlipY == 1);
}

int VkiDra::BeginDrawInfo(HDC dc)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc) return VKE_ERR_ARG;
    if (m_iDrawing) return VKE_ERR_EXISTS;
    m_iDrawDepth = m_iDrawDepthDrm = 0;
    int rc = MemoryMode() ? m_pDrw->GetDrawInfoCnt(m_drm.hDC, &m_iDrawDepthDrm) : VKE_OK;
    if (rc == VKE_OK) rc = m_pDrw->GetDrawInfoCnt(dc, &m_iDrawDepth);
    if (rc == VKE_OK) m_iDrawing = 1;
    return rc;
}

// The stacks go back to their depths at the bracket's start; the drawing flag is cleared also
// when one of them cannot, so that the area is never left busy.
int VkiDra::EndDrawInfo(HDC dc)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc) return VKE_ERR_ARG;
    if (!m_iDrawing) return VKE_ERR_EXISTS;
    int rc = MemoryMode() ? VkiCutDrawInfo(m_pDrw, m_drm.hDC, m_iDrawDepthDrm) : VKE_OK;
    int own = VkiCutDrawInfo(m_pDrw, dc, m_iDrawDepth);
    if (rc == VKE_OK) rc = own;
    m_iDrawDepth = m_iDrawDepthDrm = 0;
    m_iDrawing = 0;
    return rc;
}

int VkiDra::CopyMemoryToDC(HDC dc, const RECT* update)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !update) return VKE_ERR_ARG;
    if (!VkiIsFilled(update)) return VKE_NOT_DONE;
    if (!MemoryMode()) return VKE_ERR_EXISTS;
    if (!VkiIsDC(dc)) return VKE_ERR_ARG;
    if (!m_iPrinting) {
        DrawInfo di;
        if (!ScreenMapping(dc, &di)) return VKE_OK;
        int rc = m_pDrw->SetDrawInfoLast(&di);
        if (rc != VKE_OK) return rc;
        RECT r = LogicalUpdate(dc, *update);
        return m_pDrw->CopyImage(dc, r.left, r.top, m_drm.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    if (!m_pPrintInfo) return VKE_ERR_EXISTS;
    PrintInfo& pi = *m_pPrintInfo;
    const RECT p = pi.rctPagePart;
    DrawInfo di = VkiPageMapping(pi, p.left, p.top, m_iFlipY == 1, true);
    int rc = m_pDrw->SetDrawInfoLast(&di);
    if (rc == VKE_OK)
        rc = m_pDrw->StretchImageWithMode(dc, p.left, p.top, p.right - p.left, p.bottom - p.top, m_drm.hDC, p.left,
                                          p.top, p.right - p.left, p.bottom - p.top, m_iStretchMode);
    if (pi.iPageCount == 1) pi.iEmpty = 1;
    return rc;
}

// The paste image stretched over the whole scaled extent of the draw memory.
int VkiDra::DrawPaste()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!m_iPasted || !m_drmPst.iAttached) return VKE_ERR_EXISTS;
    const RECT e = m_rctSca;
    const int w = VkiClampInt(VkiWidth(e)), h = VkiClampInt(VkiHeight(e));
    VkiDrawInfoScope pushed(m_pDrw, m_drm.hDC);
    DrawInfo di = {m_drm.hDC, MM_ANISOTROPIC, e.left, e.top, w, h, 0, 0, m_drm.iUsedWidth, m_drm.iUsedHeight,
                   0, 0, 0, 0};
    int rc = m_pDrw->SetDrawInfoLast(&di);
    if (rc == VKE_OK)
        rc = m_pDrw->StretchImageWithMode(m_drm.hDC, e.left, e.top, w, h, m_drmPst.hDC, 0, 0, m_drmPst.iUsedWidth,
                                          m_drmPst.iUsedHeight, m_iStretchMode);
    int dropped = pushed.Restore();
    return rc != VKE_OK ? rc : dropped;
}

int VkiDra::CopyDrawInfo(Dri* dst, const Dri* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dst || !src) return VKE_ERR_ARG;
    *dst = *src;
    return VKE_OK;
}

int VkiDra::BeginTracking(const POINT* point)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!point) return VKE_ERR_ARG;
    if (m_iWheelZoom || m_iTracking) return VKE_ERR_EXISTS;
    m_ptTrackStart = m_ptTrackLast = *point;
    m_iTracking = 1;
    ::SetCursor(m_hGrabCursor);
    SetCapture();
    return VKE_OK;
}

// ---- Paint and background ----

// The update region is validated whatever the pass does, so that a pass that fails is not
// asked again and again.
void VkiDra::OnPaint()
{
    if (!IsInit()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    const RECT r = dc.m_ps.rcPaint;
    if (!VkiIsFilled(&r) || m_iDrawing) return;
    DrawFrame(::GetFocus() == m_hWnd ? 1 : 0);
    int rc = Draw(dc.m_hDC, &r, dc.m_ps.fErase ? 1 : 0);
    // What the window shows now is of this layout (a scroll may move it), unless the pass failed.
    m_iShownNum = rc == VKE_OK || rc == VKE_NOT_DONE ? m_iScaleNum : 0;
    m_iShownDen = m_iScaleDen;
    m_rctShownSca = m_rctSca;
    GetClientRect(&m_rctShownClient);
}

BOOL VkiDra::OnEraseBkgnd(CDC* dc)
{
    if (!IsInit() || !dc) return static_cast<BOOL>(Default());
    RECT c = {};
    GetClientRect(&c);
    DPtoLP(dc->m_hDC, reinterpret_cast<POINT*>(&c), 2);
    FillRect(dc->m_hDC, &c, m_hBackBrush);
    return TRUE;
}

// ---- Exports ----

VKE_API int VkeDraDraw(VkiDra* dra, HDC dc, const RECT* update, int erase) { VKE_FRAME(dra, dra->Sub(), dra->Draw(dc, update, erase)); }
VKE_API int VkeDraCopyDrawInfo(VkiDra* dra, Dri* dst, const Dri* src) { VKE_FRAME(dra, dra->Sub(), dra->CopyDrawInfo(dst, src)); }
VKE_API int VkeDraCheckPrinting(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->CheckPrinting()); }
