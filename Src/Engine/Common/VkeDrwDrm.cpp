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
[[maybe_unused]] DrawInfo OneToOne(HDC dc, int width, int height)
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
        if (CountDrawInfo(drm->hDC) > 0) rc = ResetDrawInfoCore(drm->hDC, CountDrawInfo(drm->hDC));
        if (drm->hOwnBitmap) SelectObject(drm->hDC, drm->hOwnBitmap);
        if (drm->hDIB) DeleteObject(drm->hDIB);
        DeleteDC(drm->hDC);
    }
    memset(drm, 0, sizeof(Drm));
    return rc;
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
