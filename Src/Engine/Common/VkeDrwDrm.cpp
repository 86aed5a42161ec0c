// Draw memories (a memory DC with a DIB section) and the per-DC stack of mapping states.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwDrm"
#include "VkiDrw.h"
#include "VkiScr.h"
#include "VkeFrame.h"
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

// The one-to-one mapping of a DIB of width x height on dc.
DrawInfo OneToOne(HDC dc, int width, int height)
{
    DrawInfo info = {};
    info.hDC = dc;
    info.iMapMode = MM_ANISOTROPIC;
    info.iWindowExtCx = info.iViewportExtCx = width;
    info.iWindowExtCy = info.iViewportExtCy = height;
    return info;
}

bool HasClip(const DrawInfo& info)
{
    return info.iClipLeft || info.iClipTop || info.iClipRight || info.iClipBottom;
}

} // namespace

// ---- Draw memory ----

int VkiDrw::AllocDrm(Drm** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Drm* drm = static_cast<Drm*>(calloc(1, sizeof(Drm)));
    if (!drm) return VKE_ERR_MEMORY;
    int rc = InitDrm(drm);
    if (rc != VKE_OK) {
        free(drm);
        return rc;
    }
    *out = drm;
    return VKE_OK;
}

int VkiDrw::FreeDrm(Drm** drm)
{
    if (!drm) return VKE_ERR_ARG;
    int rc = VKE_OK;
    if (*drm) {
        rc = TermDrm(*drm);
        free(*drm);
    }
    *drm = nullptr;
    return rc;
}

int VkiDrw::InitDrm(Drm* drm)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!drm) return VKE_ERR_ARG;
    memset(drm, 0, sizeof(Drm));
    drm->hDC = CreateCompatibleDC(nullptr);
    return drm->hDC ? VKE_OK : VKE_ERR_MEMORY;
}

int VkiDrw::TermDrm(Drm* drm)
{
    if (!drm) return VKE_ERR_ARG;
    int rc = VKE_OK;
    if (drm->hDC) {
        // The DC goes last, the DIB once it is no longer selected.
        VkiOwnDC dc(drm->hDC);
        VkiGdiObj<HBITMAP> dib(drm->hDIB);
        rc = ClearDrawInfoCore(dc);
        if (drm->hOwnBitmap) SelectObject(dc, drm->hOwnBitmap);
    }
    memset(drm, 0, sizeof(Drm));
    return rc;
}

int VkiDrw::AttachDrmDIB(Drm* drm, HBITMAP dib)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!drm) drm = &m_aDrm[0];
    if (!dib || !drm->hDC) return VKE_ERR_ARG;
    int w = 0, h = 0, bits = 0;
    int rc = GetImageInf(dib, &w, &h, &bits);
    if (rc != VKE_OK) return rc;
    VkiGdiObj<HBITMAP> held;
    rc = DetachDrmDIB(drm, held.Out());
    if (rc != VKE_OK) return rc;
    if (held == dib) held.Release();
    // A bitmap selected into another DC cannot be attached here.
    HGDIOBJ prev = SelectObject(drm->hDC, dib);
    if (!prev) return VKE_ERR_ARG;
    if (!drm->hOwnBitmap) drm->hOwnBitmap = static_cast<HBITMAP>(prev);
    rc = PushDrawInfo(OneToOne(drm->hDC, w, h));
    if (rc != VKE_OK) {
        SelectObject(drm->hDC, drm->hOwnBitmap);
        return rc;
    }
    drm->hDIB = dib;
    drm->iUsedWidth = drm->iDIBWidth = w;
    drm->iUsedHeight = drm->iDIBHeight = h;
    drm->iBitCount = bits;
    drm->iAttached = 1;
    return VKE_OK;
}

int VkiDrw::DetachDrmDIB(Drm* drm, HBITMAP* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!drm) drm = &m_aDrm[0];
    if (!out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    if (!drm->hDC) return VKE_ERR_ARG;
    int rc = ClearDrawInfoCore(drm->hDC);
    if (rc != VKE_OK) return rc;
    if (drm->iAttached) {
        SelectObject(drm->hDC, drm->hOwnBitmap);
        *out = drm->hDIB;
    }
    drm->hDIB = nullptr;
    drm->iUsedWidth = drm->iUsedHeight = drm->iDIBWidth = drm->iDIBHeight = 0;
    drm->iBitCount = 0;
    drm->iAttached = 0;
    return VKE_OK;
}

void VkiDrw::EmptyDrm(Drm* drm)
{
    VkiGdiObj<HBITMAP> held;
    DetachDrmDIB(drm, held.Out());
}

int VkiDrw::CreateDrawMemory(Drm* drm, int width, int height, int bitCount)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!drm || !drm->hDC || width < 1 || height < 1 || !(bitCount == 0 || bitCount == -1 || VkiIsBitCnt(bitCount)))
        return VKE_ERR_ARG;
    int bits = 0;
    int rc = ResolveBitCnt(bitCount, 0, &bits);
    if (rc != VKE_OK) return rc;
    if (drm->iAttached && drm->iDIBWidth >= width && drm->iDIBHeight >= height && drm->iBitCount == bits) {
        // Large enough at the same depth: the DIB stays, contents and all.
        rc = ClearDrawInfoCore(drm->hDC);
        if (rc != VKE_OK) return rc;
        drm->iUsedWidth = width;
        drm->iUsedHeight = height;
        HGDIOBJ prev = SelectObject(drm->hDC, drm->hDIB);
        if (prev && !drm->hOwnBitmap && prev != drm->hDIB) drm->hOwnBitmap = static_cast<HBITMAP>(prev);
        return PushDrawInfo(OneToOne(drm->hDC, width, height));
    }
    EmptyDrm(drm);
    VkiGdiObj<HBITMAP> dib;
    rc = CreateDIB(nullptr, width, height, bits, dib.Out());
    if (rc == VKE_OK) rc = AttachDrmDIB(drm, dib);
    if (rc == VKE_OK) dib.Release();
    return rc;
}

int VkiDrw::CopyDrm(Drm* dst, Drm* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dst || !src) return VKE_ERR_ARG;
    if (!src->iAttached) {
        if (dst->iAttached) EmptyDrm(dst);
        return VKE_OK;
    }
    if (!dst->hDC) return VKE_ERR_ARG;
    // The records of src's DC as they are now (a copy into src itself adds to them).
    std::vector<DrawInfo> records;
    for (int i = 0; i < m_iDriCnt; ++i)
        if (m_pDri[i].hDC == src->hDC) records.push_back(m_pDri[i]);
    VkiGdiObj<HBITMAP> copy;
    int rc = VKE_OK;
    {
        // A bitmap can be selected into one DC only: src's DIB leaves its DC for the copy.
        VkiSelect away(src->hDC, src->hOwnBitmap);
        rc = CopyDIBRgn(copy.Out(), src->hDIB, 0, 0, src->iUsedWidth, src->iUsedHeight);
    }
    if (rc != VKE_OK) {
        if (dst->iAttached) EmptyDrm(dst);
        return rc;
    }
    rc = AttachDrmDIB(dst, copy);
    if (rc != VKE_OK) return rc;
    copy.Release();
    for (DrawInfo info : records) {
        info.hDC = dst->hDC;
        rc = PushDrawInfo(info);
        if (rc != VKE_OK) return rc;
    }
    return VKE_OK;
}

int VkiDrw::DupDrm(Drm** out, Drm* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !src) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    Drm* made = nullptr;
    int rc = AllocDrm(&made);
    if (rc != VKE_OK) return rc;
    rc = CopyDrm(made, src);
    if (rc != VKE_OK) {
        FreeDrm(&made);
        return rc;
    }
    *out = made;
    return VKE_OK;
}

int VkiDrw::SetDrm(Drm* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!src) return VKE_ERR_ARG;
    return src == &m_aDrm[0] ? VKE_OK : CopyDrm(&m_aDrm[0], src);
}

int VkiDrw::GetDrm(Drm* dst)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dst) return VKE_ERR_ARG;
    return dst == &m_aDrm[0] ? VKE_OK : CopyDrm(dst, &m_aDrm[0]);
}

int VkiDrw::CopyScreen(Drm* drm, int x, int y, int width, int height, int bitCount)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!drm) drm = &m_aDrm[0];
    if (width < 1 || height < 1 || !(bitCount == 0 || bitCount == -1 || VkiIsBitCnt(bitCount))) return VKE_ERR_ARG;
    VkiScreenDC screen;
    if (!screen.Get()) return VKE_ERR_MEMORY;
    int sw = 0, sh = 0;
    int rc = VkiScrSize(&sw, &sh);
    if (rc != VKE_OK) return rc;
    if (x < 0 || y < 0 || x > sw - width || y > sh - height) return VKE_ERR_ARG;
    rc = CreateDrawMemory(drm, width, height, bitCount);
    if (rc != VKE_OK) return rc;
    return CopyImage(drm->hDC, 0, 0, screen.Get(), x, y, width, height);
}

int VkiDrw::WriteScreenDIB(const char* path, Drm* drm, int x, int y, int width, int height, int bitCount)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!path) return VKE_ERR_ARG;
    if (!drm) drm = &m_aDrm[0];
    int rc = CopyScreen(drm, x, y, width, height, bitCount);
    if (rc != VKE_OK) return rc;
    // The DIB leaves its DC while it is read, then goes back.
    VkiSelect away(drm->hDC, drm->hOwnBitmap);
    return WriteDIB(path, nullptr, drm->hDIB, drm->iBitCount);
}

// ---- Draw-info stack ----

int VkiDrw::CountDrawInfo(HDC dc) const
{
    int n = 0;
    for (int i = 0; i < m_iDriCnt; ++i)
        if (m_pDri[i].hDC == dc) ++n;
    return n;
}

int VkiDrw::GrowDrawInfo(int more)
{
    if (m_iDriCnt + more <= m_iDriCapacity) return VKE_OK;
    int capacity = ((m_iDriCnt + more) / 256 + 1) * 256;
    DrawInfo* grown = static_cast<DrawInfo*>(calloc(static_cast<size_t>(capacity), sizeof(DrawInfo)));
    if (!grown) return VKE_ERR_MEMORY;
    for (int i = 0; i < m_iDriCnt; ++i) grown[i] = m_pDri[i];
    free(m_pDri);
    m_pDri = grown;
    m_iDriCapacity = capacity;
    return VKE_OK;
}

void VkiDrw::ReadDrawInfo(HDC dc, DrawInfo* info)
{
    memset(info, 0, sizeof(DrawInfo));
    POINT p = {};
    SIZE s = {};
    info->hDC = dc;
    info->iMapMode = GetMapMode(dc);
    GetWindowOrgEx(dc, &p);
    info->iWindowOrgX = p.x;
    info->iWindowOrgY = p.y;
    GetWindowExtEx(dc, &s);
    info->iWindowExtCx = s.cx;
    info->iWindowExtCy = s.cy;
    GetViewportOrgEx(dc, &p);
    info->iViewportOrgX = p.x;
    info->iViewportOrgY = p.y;
    GetViewportExtEx(dc, &s);
    info->iViewportExtCx = s.cx;
    info->iViewportExtCy = s.cy;
}

void VkiDrw::ApplyDrawInfo(const DrawInfo& info)
{
    HDC dc = info.hDC;
    SetMapMode(dc, info.iMapMode);
    SetWindowOrgEx(dc, info.iWindowOrgX, info.iWindowOrgY, nullptr);
    SetWindowExtEx(dc, info.iWindowExtCx, info.iWindowExtCy, nullptr);
    SetViewportOrgEx(dc, info.iViewportOrgX, info.iViewportOrgY, nullptr);
    SetViewportExtEx(dc, info.iViewportExtCx, info.iViewportExtCy, nullptr);
    if (HasClip(info)) IntersectClipRect(dc, info.iClipLeft, info.iClipTop, info.iClipRight, info.iClipBottom);
}

int VkiDrw::PushDrawInfo(const DrawInfo& info)
{
    if (!info.hDC) return VKE_ERR_ARG;
    if (HasClip(info) && (info.iClipLeft == info.iClipRight || info.iClipTop == info.iClipBottom))
        return VKE_ERR_ARG;
    bool first = CountDrawInfo(info.hDC) == 0;
    int rc = GrowDrawInfo(first ? 2 : 1);
    if (rc != VKE_OK) return rc;
    if (first) ReadDrawInfo(info.hDC, &m_pDri[m_iDriCnt++]);
    m_pDri[m_iDriCnt++] = info;
    ApplyDrawInfo(info);
    return VKE_OK;
}

int VkiDrw::ResetDrawInfoCore(HDC dc, int n)
{
    int mine = CountDrawInfo(dc);
    if (!dc || n < 0 || n > m_iDriCnt || n > mine) return VKE_ERR_ARG;
    int keep = mine - n;
    ExtSelectClipRgn(dc, nullptr, RGN_COPY);
    int seen = 0, w = 0;
    for (int r = 0; r < m_iDriCnt; ++r) {
        DrawInfo info = m_pDri[r];
        if (info.hDC == dc) {
            ++seen;
            if (seen <= keep) {
                ApplyDrawInfo(info);
            } else {
                if (keep == 0 && seen == 1) ApplyDrawInfo(info); // back to the state before the first push
                continue;
            }
        }
        m_pDri[w++] = info;
    }
    m_iDriCnt = w;
    return VKE_OK;
}

int VkiDrw::SetDrawInfoLast(DrawInfo* info)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!info) return VKE_ERR_ARG;
    return PushDrawInfo(*info);
}

int VkiDrw::GetDrawInfoCnt(HDC dc, int* count)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !count) return VKE_ERR_ARG;
    *count = CountDrawInfo(dc);
    return VKE_OK;
}

int VkiDrw::GetDrawInfo(HDC dc, int n, DrawInfo* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !out || n < 1 || n > m_iDriCnt) return VKE_ERR_ARG;
    int seen = 0;
    for (int i = 0; i < m_iDriCnt; ++i) {
        if (m_pDri[i].hDC == dc && ++seen == n) {
            *out = m_pDri[i];
            return VKE_OK;
        }
    }
    memset(out, 0, sizeof(DrawInfo));
    return VKE_ERR_NOT_FOUND;
}

int VkiDrw::GetDrawInfoLast(HDC dc, DrawInfo* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc || !out) return VKE_ERR_ARG;
    for (int i = m_iDriCnt - 1; i >= 0; --i) {
        if (m_pDri[i].hDC == dc) {
            *out = m_pDri[i];
            return VKE_OK;
        }
    }
    memset(out, 0, sizeof(DrawInfo));
    return VKE_ERR_NOT_FOUND;
}

int VkiDrw::ResetDrawInfo(HDC dc, int n)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return ResetDrawInfoCore(dc, n);
}

int VkiDrw::ClearDrawInfo(HDC dc)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dc) return VKE_ERR_ARG;
    return ClearDrawInfoCore(dc);
}

int VkiDrw::ClearDrawInfoCore(HDC dc)
{
    // A DC the stack never touched keeps its own state, clip region included.
    int mine = CountDrawInfo(dc);
    return mine ? ResetDrawInfoCore(dc, mine) : VKE_OK;
}

int VkiDrw::CopyDrawInfo(DrawInfo* dst, const DrawInfo* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dst || !src) return VKE_ERR_ARG;
    *dst = *src;
    return VKE_OK;
}

// ---- Exports: draw memory ----

VKE_API int VkeDrwAllocDrm(VkiDrw* drw, Drm** out) { VKE_FRAME(drw, drw->Sub(), drw->AllocDrm(out)); }
VKE_API int VkeDrwFreeDrm(VkiDrw* drw, Drm** drm) { VKE_FRAME(drw, drw->Sub(), drw->FreeDrm(drm)); }
VKE_API int VkeDrwInitDrm(VkiDrw* drw, Drm* drm) { VKE_FRAME(drw, drw->Sub(), drw->InitDrm(drm)); }
VKE_API int VkeDrwTermDrm(VkiDrw* drw, Drm* drm) { VKE_FRAME(drw, drw->Sub(), drw->TermDrm(drm)); }
VKE_API int VkeDrwCopyDrm(VkiDrw* drw, Drm* dst, Drm* src) { VKE_FRAME(drw, drw->Sub(), drw->CopyDrm(dst, src)); }
VKE_API int VkeDrwDupDrm(VkiDrw* drw, Drm** out, Drm* src) { VKE_FRAME(drw, drw->Sub(), drw->DupDrm(out, src)); }
VKE_API int VkeDrwSetDrm(VkiDrw* drw, Drm* src) { VKE_FRAME(drw, drw->Sub(), drw->SetDrm(src)); }
VKE_API int VkeDrwGetDrm(VkiDrw* drw, Drm* dst) { VKE_FRAME(drw, drw->Sub(), drw->GetDrm(dst)); }
VKE_API int VkeDrwAttachDrmDIB(VkiDrw* drw, Drm* drm, HBITMAP dib) { VKE_FRAME(drw, drw->Sub(), drw->AttachDrmDIB(drm, dib)); }
VKE_API int VkeDrwDetachDrmDIB(VkiDrw* drw, Drm* drm, HBITMAP* out) { VKE_FRAME(drw, drw->Sub(), drw->DetachDrmDIB(drm, out)); }
VKE_API int VkeDrwCreateDrawMemory(VkiDrw* drw, Drm* drm, int width, int height, int bitCount) { VKE_FRAME(drw, drw->Sub(), drw->CreateDrawMemory(drm, width, height, bitCount)); }
VKE_API int VkeDrwCopyScreen(VkiDrw* drw, Drm* drm, int x, int y, int width, int height, int bitCount) { VKE_FRAME(drw, drw->Sub(), drw->CopyScreen(drm, x, y, width, height, bitCount)); }
VKE_API int VkeDrwWriteScreenDIB(VkiDrw* drw, const char* path, Drm* drm, int x, int y, int width, int height, int bitCount) { VKE_FRAME(drw, drw->Sub(), drw->WriteScreenDIB(path, drm, x, y, width, height, bitCount)); }

// ---- Exports: draw-info stack ----
#undef VKE_MODULE
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwDrw"

VKE_API int VkeDrwSetDrawInfoLast(VkiDrw* drw, DrawInfo* info) { VKE_FRAME(drw, drw->Sub(), drw->SetDrawInfoLast(info)); }
VKE_API int VkeDrwGetDrawInfoCnt(VkiDrw* drw, HDC dc, int* count) { VKE_FRAME(drw, drw->Sub(), drw->GetDrawInfoCnt(dc, count)); }
VKE_API int VkeDrwGetDrawInfo(VkiDrw* drw, HDC dc, int n, DrawInfo* out) { VKE_FRAME(drw, drw->Sub(), drw->GetDrawInfo(dc, n, out)); }
VKE_API int VkeDrwGetDrawInfoLast(VkiDrw* drw, HDC dc, DrawInfo* out) { VKE_FRAME(drw, drw->Sub(), drw->GetDrawInfoLast(dc, out)); }
VKE_API int VkeDrwResetDrawInfo(VkiDrw* drw, HDC dc, int n) { VKE_FRAME(drw, drw->Sub(), drw->ResetDrawInfo(dc, n)); }
VKE_API int VkeDrwClearDrawInfo(VkiDrw* drw, HDC dc) { VKE_FRAME(drw, drw->Sub(), drw->ClearDrawInfo(dc)); }
VKE_API int VkeDrwCopyDrawInfo(VkiDrw* drw, DrawInfo* dst, const DrawInfo* src) { VKE_FRAME(drw, drw->Sub(), drw->CopyDrawInfo(dst, src)); }
