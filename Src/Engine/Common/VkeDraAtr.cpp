// The drawing area's attributes: stretch mode, flags, GDI handles, redraw, the paste image, the
// focus and its frame, copy and paste, and the guards every setter passes first.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraAtr"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkeFrame.h"

namespace {
bool IsFlag(int v) { return v == 0 || v == 1; }
} // namespace

// ---- Guards ----

int VkiDra::CheckPrinting()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (m_iPrinting) return 1;
    int printing = 0, preview = 0;
    int rc = m_pSys->GetPrintingFlag(&printing);
    if (rc == VKE_OK && !printing) rc = m_pSys->GetPrintPreviewFlag(&preview);
    if (rc != VKE_OK) return rc;
    return printing || preview ? 1 : 0;
}

int VkiDra::CheckBusy()
{
    int rc = CheckPrinting();
    if (rc == 1 || (rc == VKE_OK && m_iDrawing)) return VKE_ERR_EXISTS;
    if (rc == VKE_OK && m_iTracking) rc = EndTracking();
    return rc;
}

int VkiDra::EndTracking()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!m_iTracking) return VKE_ERR_EXISTS;
    if (::GetCapture() == m_hWnd) ReleaseCapture();
    m_iTracking = 0;
    m_ptTrackStart = POINT{};
    return VKE_OK;
}

// A 0/1 flag: with busyCheck the whole busy check, else only printing refuses it.
int VkiDra::SetFlag(int* field, int flag, bool busyCheck)
{
    int rc = busyCheck ? CheckBusy() : CheckPrinting();
    if (rc == 1) return VKE_ERR_EXISTS;
    if (rc != VKE_OK) return rc;
    if (!IsFlag(flag)) return VKE_ERR_ARG;
    *field = flag;
    return VKE_OK;
}

// ---- Stretch mode and flags ----

int VkiDra::SetStretchMode(int mode)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (mode < 0 || mode > 4) return VKE_ERR_ARG;
    m_iStretchMode = mode;
    return Redraw(0);
}

int VkiDra::SetDrawMemoryFlag(int flag)
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!IsFlag(flag)) return VKE_ERR_ARG;
    if (flag == m_iDrawMemory) return VKE_OK;
    rc = ClearPastedFlag();
    if (rc != VKE_OK) return rc;
    m_iDrawMemory = flag;
    if (flag) {
        rc = CreateDrawMemory(static_cast<int>(VkiWidth(m_rctSca)), static_cast<int>(VkiHeight(m_rctSca)));
        if (rc != VKE_OK) {
            m_iDrawMemory = 0;
            return rc;
        }
    } else {
        m_pDrw->EmptyDrm(&m_drm); // the memory is given up
    }
    return Redraw(0);
}

int VkiDra::SetCtlEditingFlag(int flag) { return SetFlag(&m_iCtlEditing, flag, false); }

int VkiDra::SetDragAcceptFlag(int flag)
{
    int rc = SetFlag(&m_iDragAccept, flag, false);
    if (rc == VKE_OK) DragAcceptFiles(flag);
    return rc;
}

int VkiDra::SetGrabScrollFlag(int flag) { return SetFlag(&m_iGrabScroll, flag, true); }

int VkiDra::SetModifiedFlag(int flag) { return SetFlag(&m_iModified, flag, false); }

int VkiDra::Redraw(int erase)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsFlag(erase)) return VKE_ERR_ARG;
    if (MemoryMode()) m_iRedrawNeeded = 1;
    if (Shown()) ::InvalidateRect(m_hWnd, nullptr, erase);
    return VKE_OK;
}

// ---- Paste image ----

int VkiDra::ClearPastedFlag()
{
    int rc = CheckBusy();
    if (rc != VKE_OK || !m_iPasted) return rc;
    m_iPasted = 0;
    m_pDrw->EmptyDrm(&m_drmPst);
    return Redraw(0);
}

// The area owns the bitmap once this returns 0 or -13 (shown, but not fitted to the window);
// after any other result the caller still owns it.
int VkiDra::AttachPasteDIB(HBITMAP dib)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dib) return VKE_ERR_ARG;
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!MemoryMode()) return VKE_ERR_EXISTS;
    rc = ClearPastedFlag();
    int w = 0, h = 0, bits = 0;
    if (rc == VKE_OK) rc = m_pDrw->GetImageInf(dib, &w, &h, &bits);
    if (rc != VKE_OK) return rc;
    if (bits <= 8) {
        HPALETTE made = nullptr;
        rc = m_pDrw->OpenPalette(&made, dib, 0, 0);
        if (rc != VKE_OK) return rc;
        m_pDrw->ClosePalette(&m_hPalette);
        m_hPalette = made;
    } else {
        m_pDrw->ClosePalette(&m_hPalette);
    }
    rc = m_pDrw->AttachDrmDIB(&m_drmPst, dib);
    if (rc != VKE_OK) return rc;
    m_iPasted = 1;
    rc = BeginPaste();
    if (rc != VKE_OK && rc != VKE_ERR_CUT) {
        HBITMAP back = nullptr;
        m_pDrw->DetachDrmDIB(&m_drmPst, &back);
        m_iPasted = 0;
    }
    return rc;
}

int VkiDra::BeginPaste()
{
    if (!m_iPasted) return VKE_ERR_EXISTS;
    int mode = m_iScaleMode;
    int rc = SetScale(1, 1);
    RECT area = {};
    if (rc == VKE_OK) rc = GetDraRect(&area);
    RECT extent = {0, 0, m_drmPst.iUsedWidth, m_drmPst.iUsedHeight};
    if (rc == VKE_OK) rc = Move(&area, &extent);
    if (rc != VKE_OK) return rc;
    int fitted = SetScaleMode(mode, 1, 1);
    if (fitted != VKE_OK && fitted != VKE_ERR_CUT) return fitted;
    rc = HScroll(SB_LEFT, 0);
    if (rc == VKE_OK) rc = VScroll(m_iFlipY ? SB_BOTTOM : SB_TOP, 0);
    if (rc == VKE_OK) rc = Redraw(0);
    return rc != VKE_OK ? rc : fitted;
}

// ---- Focus ----

int VkiDra::SetFocusDra()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return m_pDrw->SetFocusWnd(m_hWnd);
}

int VkiDra::IsFocus(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = CheckPrinting() == VKE_OK && ::GetFocus() == m_hWnd ? 1 : 0;
    return VKE_OK;
}

int VkiDra::DrawFrame(int focus)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!IsFlag(focus)) return VKE_ERR_ARG;
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return VKE_OK;
    VkiWndDC dc(parent);
    if (!dc) return VKE_ERR_MEMORY;
    PaintCorner(dc);
    if (m_iFrameWidth < 1) return VKE_OK;
    RECT a;
    int rc = GetDraRect(&a);
    if (rc != VKE_OK) return rc;
    // Four bars round the area; the set-focus ones leave a one-pixel ring of the kill-focus colour.
    auto bars = [&](COLORREF color, int gap) {
        const int f = m_iFrameWidth;
        RECT side[4] = {{a.left - f, a.top - f, a.left - gap, a.bottom + f},
                        {a.left - f, a.top - f, a.right + f, a.top - gap},
                        {a.right + gap, a.top - f, a.right + f, a.bottom + f},
                        {a.left - f, a.bottom + gap, a.right + f, a.bottom + f}};
        VkiGdiObj<HBRUSH> brush(CreateSolidBrush(color));
        if (!brush) return VKE_ERR_MEMORY;
        for (RECT& r : side) {
            DPtoLP(dc, reinterpret_cast<POINT*>(&r), 2);
            FillRect(dc, &r, brush);
        }
        return VKE_OK;
    };
    rc = bars(m_uKillFocusColor, 0);
    return rc == VKE_OK && focus ? bars(m_uSetFocusColor, 1) : rc;
}

void VkiDra::PaintCorner(HDC dc)
{
    // The square between the two bars is no window's: a bar that reached into it before leaves
    // its arrow there unless it is painted over, in the bars' face.
    if (!HasBar(true) || !HasBar(false) || !::IsWindowVisible(m_hHScrBar) || !::IsWindowVisible(m_hVScrBar)) return;
    HWND parent = ::GetParent(m_hWnd);
    RECT h, v;
    ::GetWindowRect(m_hHScrBar, &h);
    ::GetWindowRect(m_hVScrBar, &v);
    RECT corner = {v.left, h.top, v.right, h.bottom};
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&corner), 2);
    if (IsRectEmpty(&corner)) return;
    DPtoLP(dc, reinterpret_cast<POINT*>(&corner), 2);
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
}

// ---- Copy and paste ----

int VkiDra::GetEditFlag(EditFlag* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    int rc = m_pSub->InitEditFlag(out);
    if (rc != VKE_OK) return rc;
    rc = CheckPrinting();
    if (rc == 1 || (rc == VKE_OK && m_iDrawing)) return VKE_NOT_DONE;
    if (rc != VKE_OK || !m_iCtlEditing || !MemoryMode()) return rc;
    out->iCpy = 1;
    return m_pDrw->IsExistClbDIB(&out->iPst);
}

// One availability of GetEditFlag; 0 while busy.
int VkiDra::EditFlagOf(int EditFlag::*which, int* out)
{
    EditFlag flags;
    int rc = out ? GetEditFlag(&flags) : VKE_ERR_ARG;
    if (out) *out = rc == VKE_OK ? flags.*which : 0;
    return rc == VKE_NOT_DONE ? VKE_OK : rc;
}

int VkiDra::EditCpy()
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!m_iCtlEditing || !MemoryMode()) return VKE_ERR_NOT_FOUND;
    UpdateWindow();
    return m_pDrw->CopyDrmToClb(m_hWnd, &m_drm);
}

int VkiDra::EditPst()
{
    int rc = CheckBusy();
    if (rc != VKE_OK) return rc;
    if (!m_iCtlEditing || !MemoryMode()) return VKE_ERR_NOT_FOUND;
    rc = ClearPastedFlag();
    if (rc != VKE_OK) return rc;
    HBITMAP image = nullptr;
    int type = 0;
    float xRes = 0, yRes = 0;
    int fetched = m_pDrw->CopyClbToDIB(m_hWnd, &image, &type, &xRes, &yRes);
    if (!image) return fetched != VKE_OK ? fetched : VKE_ERR_NOT_FOUND;
    rc = AttachPasteDIB(image);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) {
        m_pDrw->CloseImage(&image);
        return rc;
    }
    m_iModified = 1;
    return rc != VKE_OK ? rc : fetched;
}

// ---- Exports ----

VKE_API int VkeDraSetStretchMode(VkiDra* dra, int mode) { VKE_FRAME(dra, dra->Sub(), dra->SetStretchMode(mode)); }
VKE_API int VkeDraGetStretchMode(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetStretchMode(out)); }
VKE_API int VkeDraSetDrawMemoryFlag(VkiDra* dra, int flag) { VKE_FRAME(dra, dra->Sub(), dra->SetDrawMemoryFlag(flag)); }
VKE_API int VkeDraGetDrawMemoryFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDrawMemoryFlag(out)); }
VKE_API int VkeDraSetCtlEditingFlag(VkiDra* dra, int flag) { VKE_FRAME(dra, dra->Sub(), dra->SetCtlEditingFlag(flag)); }
VKE_API int VkeDraGetCtlEditingFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetCtlEditingFlag(out)); }
VKE_API int VkeDraSetDragAcceptFlag(VkiDra* dra, int flag) { VKE_FRAME(dra, dra->Sub(), dra->SetDragAcceptFlag(flag)); }
VKE_API int VkeDraGetDragAcceptFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDragAcceptFlag(out)); }
VKE_API int VkeDraSetGrabScrollFlag(VkiDra* dra, int flag) { VKE_FRAME(dra, dra->Sub(), dra->SetGrabScrollFlag(flag)); }
VKE_API int VkeDraGetGrabScrollFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetGrabScrollFlag(out)); }
VKE_API int VkeDraGetDrawFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDrawFlag(out)); }
VKE_API int VkeDraGetPrintFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetPrintFlag(out)); }
VKE_API int VkeDraGetTrackingFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetTrackingFlag(out)); }
VKE_API int VkeDraClearPastedFlag(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->ClearPastedFlag()); }
VKE_API int VkeDraGetPastedFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetPastedFlag(out)); }
VKE_API int VkeDraGetCreatedMemoryFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetCreatedMemoryFlag(out)); }
VKE_API int VkeDraGetFontHandle(VkiDra* dra, HANDLE* out) { VKE_FRAME(dra, dra->Sub(), dra->GetFontHandle(out)); }
VKE_API int VkeDraGetPenHandle(VkiDra* dra, HANDLE* out) { VKE_FRAME(dra, dra->Sub(), dra->GetPenHandle(out)); }
VKE_API int VkeDraGetBackBrushHandle(VkiDra* dra, HANDLE* out) { VKE_FRAME(dra, dra->Sub(), dra->GetBackBrushHandle(out)); }
VKE_API int VkeDraRedraw(VkiDra* dra, int erase) { VKE_FRAME(dra, dra->Sub(), dra->Redraw(erase)); }
VKE_API int VkeDraAttachPasteDIB(VkiDra* dra, HBITMAP dib) { VKE_FRAME(dra, dra->Sub(), dra->AttachPasteDIB(dib)); }
VKE_API int VkeDraSetFocusDra(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->SetFocusDra()); }
VKE_API int VkeDraIsFocus(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->IsFocus(out)); }
VKE_API int VkeDraGetEditFlag(VkiDra* dra, EditFlag* out) { VKE_FRAME(dra, dra->Sub(), dra->GetEditFlag(out)); }
VKE_API int VkeDraGetEditCpyFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetEditCpyFlag(out)); }
VKE_API int VkeDraGetEditPstFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetEditPstFlag(out)); }
VKE_API int VkeDraEditCpy(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->EditCpy()); }
VKE_API int VkeDraEditPst(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->EditPst()); }
VKE_API int VkeDraSetModifiedFlag(VkiDra* dra, int flag) { VKE_FRAME(dra, dra->Sub(), dra->SetModifiedFlag(flag)); }
VKE_API int VkeDraGetModifiedFlag(VkiDra* dra, int* out) { VKE_FRAME(dra, dra->Sub(), dra->GetModifiedFlag(out)); }
