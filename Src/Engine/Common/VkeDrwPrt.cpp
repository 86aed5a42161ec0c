// The draw object's print pages: the page record and its layout over the default draw memory,
// and one page printed with its header and page number.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwDrw"
#include "VkiDrw.h"
#include "VkiPag.h"
#include "VkiSys.h"
#include "VkeFrame.h"
#include <string.h>

int VkiDrw::InitPrintInfo(PrintInfo* info) { return VkiInitPrintInfo(m_pSub, this, info, false); }

int VkiDrw::CopyPrintInfo(PrintInfo* dst, const PrintInfo* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dst || !src) return VKE_ERR_ARG;
    memmove(dst, src, sizeof(*dst));
    return VKE_OK;
}

int VkiDrw::SetPrintInfoRect(PrintInfo* info, const RECT* page)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiSetPrintInfoRect(this, info, page);
}

int VkiDrw::CheckPrintInfo(PrintInfo* info)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCheckPrintInfo(info);
}

int VkiDrw::SetPrintPageInfo(PrintInfo* info)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = VkiCheckPageRecord(info);
    if (rc != VKE_OK) return rc;
    const Drm& drm = m_aDrm[0];
    if (!drm.iAttached || m_iPrinting) return VKE_ERR_EXISTS;
    info->iPageInfo = 0;
    int dcNum = 0, dcDen = 1;
    rc = GetDCScale(info->hDC, nullptr, &dcNum, &dcDen);
    if (rc != VKE_OK) return rc == VKE_ERR_CUT ? VKE_NOT_DONE : rc;
    RECT source = {0, 0, drm.iUsedWidth, drm.iUsedHeight};
    const RECT& s = info->rctSource;
    if (s.left || s.top || s.right || s.bottom) source = s;
    int w = source.right - source.left, h = source.bottom - source.top;
    return VkiLayOutPages(m_pSys, info, source, w < 1 ? 1 : w, h < 1 ? 1 : h, dcNum, dcDen);
}

int VkiDrw::CheckPrinting()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (m_iPrinting) return VKE_NOT_DONE;
    if (!m_pSys) return VKE_OK;
    int printing = 0, preview = 0;
    int rc = m_pSys->GetPrintingFlag(&printing);
    if (rc == VKE_OK && !printing) rc = m_pSys->GetPrintPreviewFlag(&preview);
    if (rc != VKE_OK) return rc;
    return printing || preview ? VKE_NOT_DONE : VKE_OK;
}

int VkiDrw::BeginPrint(PrintInfo* info)
{
    int rc = VkiCheckPrintInfo(info);
    if (rc != VKE_OK) return rc;
    if (!m_aDrm[0].iAttached || m_iPrinting) return VKE_ERR_EXISTS;
    rc = GetDrawInfoCnt(info->hDC, &m_iPrintDepth);
    if (rc != VKE_OK) return rc;
    m_pPrintInfo = info;
    info->iEmpty = 0;
    m_iPrinting = 1;
    return VKE_OK;
}

// The printing state always ends; a stack that lost records is reported.
int VkiDrw::EndPrint()
{
    int rc = m_pPrintInfo ? VkiCutDrawInfo(this, m_pPrintInfo->hDC, m_iPrintDepth) : VKE_OK;
    m_pPrintInfo = nullptr;
    m_iPrinting = 0;
    m_iPrintDepth = 0;
    return rc;
}

// The page's part of the default draw memory stretched into the page's place on the paper.
int VkiDrw::PrintImage(PrintInfo* info)
{
    VkiDrawInfoScope selected(this, info->hDC);
    int rc = VkiSelectPage(this, info, false);
    if (rc == VKE_OK) rc = selected.Restore();
    if (rc != VKE_OK || info->iEmpty) return rc;
    const RECT p = info->rctPagePart;
    VkiDrawInfoScope mapped(this, info->hDC);
    DrawInfo di = VkiPageMapping(*info, p.left, p.top, false, true);
    rc = SetDrawInfoLast(&di);
    if (rc == VKE_OK)
        rc = StretchImage(info->hDC, p.left, p.top, p.right - p.left, p.bottom - p.top, m_aDrm[0].hDC, p.left, p.top,
                          p.right - p.left, p.bottom - p.top);
    int restored = mapped.Restore();
    if (rc == VKE_OK) rc = restored;
    if (rc == VKE_OK && info->iPageCount == 1) info->iEmpty = 1;
    return rc;
}

int VkiDrw::Print(PrintInfo* info)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = BeginPrint(info);
    if (rc != VKE_OK) return rc;
    {
        VkiPrintingDC printing(info->hDC);
        if (!printing) rc = VKE_ERR_ARG;
        if (rc == VKE_OK && info->iHeader == 1) rc = VkiPrintLine(this, m_pSys, info, true);
        if (rc == VKE_OK) rc = PrintImage(info);
        if (rc == VKE_OK && info->iPageNo == 1) rc = VkiPrintLine(this, m_pSys, info, false);
    }
    int ended = EndPrint();
    return rc != VKE_OK ? rc : ended;
}

// ---- Exports ----

VKE_API int VkeDrwInitPrintInfo(VkiDrw* drw, PrintInfo* info) { VKE_FRAME(drw, drw->Sub(), drw->InitPrintInfo(info)); }
VKE_API int VkeDrwCopyPrintInfo(VkiDrw* drw, PrintInfo* dst, const PrintInfo* src) { VKE_FRAME(drw, drw->Sub(), drw->CopyPrintInfo(dst, src)); }
VKE_API int VkeDrwSetPrintInfoRect(VkiDrw* drw, PrintInfo* info, const RECT* page) { VKE_FRAME(drw, drw->Sub(), drw->SetPrintInfoRect(info, page)); }
VKE_API int VkeDrwCheckPrintInfo(VkiDrw* drw, PrintInfo* info) { VKE_FRAME(drw, drw->Sub(), drw->CheckPrintInfo(info)); }
VKE_API int VkeDrwSetPrintPageInfo(VkiDrw* drw, PrintInfo* info) { VKE_FRAME(drw, drw->Sub(), drw->SetPrintPageInfo(info)); }
VKE_API int VkeDrwCheckPrinting(VkiDrw* drw) { VKE_FRAME(drw, drw->Sub(), drw->CheckPrinting()); }
VKE_API int VkeDrwPrint(VkiDrw* drw, PrintInfo* info) { VKE_FRAME(drw, drw->Sub(), drw->Print(info)); }
