// The drawing area's print pages: the page record laid out over the area's scaled drawing, the
// owner told of each page (VkeWmPrtPage), and one page printed with its header and page number.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraDrw"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiPag.h"
#include "VkiSys.h"
#include "VkeFrame.h"
#include <string.h>

namespace {

// The area inside a page notification, shared by the areas of the thread (null: none).
thread_local VkiDra* g_pNotifying = nullptr;

} // namespace

int VkiDra::InitPrintInfo(PrintInfo* info) { return VkiInitPrintInfo(m_pSub, m_pDrw, info, true); }

int VkiDra::CopyPrintInfo(PrintInfo* dst, const PrintInfo* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dst || !src) return VKE_ERR_ARG;
    memmove(dst, src, sizeof(*dst));
    return VKE_OK;
}

int VkiDra::SetPrintInfoRect(PrintInfo* info, const RECT* page)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiSetPrintInfoRect(m_pDrw, info, page);
}

int VkiDra::CheckPrintInfo(PrintInfo* info)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCheckPrintInfo(info);
}

int VkiDra::SetPrintPageInfo(PrintInfo* info)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = VkiCheckPageRecord(info);
    if (rc != VKE_OK) return rc;
    if (m_iPrinting) return VKE_ERR_EXISTS;
    info->iPageInfo = 0;
    int dcNum = 0, dcDen = 1;
    rc = m_pDrw->GetDCScale(info->hDC, nullptr, &dcNum, &dcDen);
    if (rc != VKE_OK) return rc == VKE_ERR_CUT ? VKE_NOT_DONE : rc;

    // The print font follows the screen font onto this printer unless the owner made one.
    if (!m_iPrintFontMade) {
        LOGFONTA lf;
        rc = m_pDrw->GetLogFontSca(&lf, &m_lfScreen, dcNum, dcDen);
        if (rc != VKE_OK) return rc;
        VkiGdiObj<HFONT> font(CreateFontIndirectA(&lf));
        if (!font) return VKE_ERR_MEMORY;
        if (m_hFontPrt) DeleteObject(m_hFontPrt);
        m_hFontPrt = font.Release();
        m_lfPrint = lf;
    }
    VkiGdiObj<HBRUSH> brush(CreateSolidBrush(m_uBackColor));
    if (!brush) return VKE_ERR_MEMORY;
    if (m_hBackBrushPrt) DeleteObject(m_hBackBrushPrt);
    m_hBackBrushPrt = brush.Release();

    const RECT& given = info->rctSource;
    const RECT source = (given.left || given.top || given.right || given.bottom) ? given : m_rctSca;
    long long w = VkiWidth(source), h = VkiHeight(source);
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    // At the base size the source is measured in the drawing's own units.
    if (info->iScaleMode == VKE_PRT_SCALE_BASE) {
        w = w * m_iScaleDen / m_iScaleNum;
        h = h * m_iScaleDen / m_iScaleNum;
        if (w < 1) w = 1;
        if (h < 1) h = 1;
    }
    return VkiLayOutPages(m_pSys, info, source, VkiClampInt(w), VkiClampInt(h), dcNum, dcDen);
}

// ---- One page ----

int VkiDra::BeginPrint(PrintInfo* info)
{
    int rc = VkiCheckPrintInfo(info);
    if (rc != VKE_OK) return rc;
    if (m_iPrinting) return VKE_ERR_EXISTS;
    rc = m_pDrw->GetDrawInfoCnt(info->hDC, &m_iPrintDepth);
    if (rc != VKE_OK) return rc;
    m_pPrintInfo = info;
    info->iEmpty = 0;
    m_iPrinting = 1;
    return VKE_OK;
}

// The printing state always ends, so that the area is never left refusing everything; a stack
// that cannot go back to its depth is reported.
int VkiDra::EndPrint()
{
    int rc = m_pPrintInfo ? VkiCutDrawInfo(m_pDrw, m_pPrintInfo->hDC, m_iPrintDepth) : VKE_OK;
    m_pPrintInfo = nullptr;
    m_iPrinting = 0;
    m_iPrintDepth = 0;
    return rc;
}

// The current page's part is selected and the owner may change it while the page's mapping is
// on the printer DC.
int VkiDra::NotifyPage()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (g_pNotifying == this) return VKE_ERR_EXISTS;
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return VKE_OK;
    if (!m_iPrinting || !m_pPrintInfo) return VKE_ERR_EXISTS;
    VkiAreaGuard guard(&g_pNotifying, this);
    PrintInfo* pi = m_pPrintInfo;
    VkiDrawInfoScope mapped(m_pDrw, pi->hDC);
    int rc = VkiSelectPage(m_pDrw, pi, m_iFlipY == 1);
    if (rc == VKE_OK &&
        ::SendMessageA(parent, VkeWmPrtPage, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(pi))) {
        if (pi->iEmpty != 0 && pi->iEmpty != 1) rc = VKE_ERR_ARG;
        else if (!VkiClampPagePart(pi)) pi->iEmpty = 1;
    }
    if (pi->iCurPage > pi->iPageCount) pi->iEmpty = 1;
    int dropped = mapped.Restore();
    if (rc == VKE_OK) rc = dropped;
    return rc;
}

int VkiDra::PrintLine(bool header)
{
    if (!m_iPrinting || !m_pPrintInfo) return VKE_ERR_EXISTS;
    return VkiPrintLine(m_pDrw, m_pSys, m_pPrintInfo, header);
}

int VkiDra::Print(PrintInfo* info)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = BeginPrint(info);
    if (rc != VKE_OK) return rc;
    {
        VkiPrintingDC printing(info->hDC);
        rc = printing ? NotifyPage() : VKE_ERR_ARG;
        if (rc == VKE_OK && !info->iEmpty) {
            if (info->iHeader == 1) rc = PrintHeader();
            int drawn = rc == VKE_OK ? Draw(info->hDC, &info->rctImage, 1) : rc;
            if (drawn != VKE_OK && drawn != VKE_NOT_DONE) rc = drawn;
            else if (info->iPageNo == 1) rc = PrintFooter();
            if (rc == VKE_OK) rc = drawn;
        }
    }
    int ended = EndPrint();
    if (ended != VKE_OK && (rc == VKE_OK || rc == VKE_NOT_DONE)) rc = ended;
    return rc;
}

// ---- Exports ----

VKE_API int VkeDraInitPrintInfo(VkiDra* dra, PrintInfo* info) { VKE_FRAME(dra, dra->Sub(), dra->InitPrintInfo(info)); }
VKE_API int VkeDraCopyPrintInfo(VkiDra* dra, PrintInfo* dst, const PrintInfo* src) { VKE_FRAME(dra, dra->Sub(), dra->CopyPrintInfo(dst, src)); }
VKE_API int VkeDraSetPrintInfoRect(VkiDra* dra, PrintInfo* info, const RECT* page) { VKE_FRAME(dra, dra->Sub(), dra->SetPrintInfoRect(info, page)); }
VKE_API int VkeDraCheckPrintInfo(VkiDra* dra, PrintInfo* info) { VKE_FRAME(dra, dra->Sub(), dra->CheckPrintInfo(info)); }
VKE_API int VkeDraSetPrintPageInfo(VkiDra* dra, PrintInfo* info) { VKE_FRAME(dra, dra->Sub(), dra->SetPrintPageInfo(info)); }
VKE_API int VkeDraPrint(VkiDra* dra, PrintInfo* info) { VKE_FRAME(dra, dra->Sub(), dra->Print(info)); }
