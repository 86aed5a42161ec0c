// The printing slots of dialogs and panels, called by the tab view's print architecture: each
// drawing area lays out its own print page set, and the job's pages run through the areas in
// slot order (the first area's pages first).
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlg"
#include "CmnDlgOpr.h"
#include "CmnApp.h"
#include "CmnSub.h"

namespace {

// 0xFFFF would tell the framework that the last page is not known.
const long long kMaxPages = 0xFFFE;

// A rectangle of the printer's logical units in the preview's pixels: the preview DC counts
// from the page corner, which lies at its viewport origin on the preview.
void ToPreview(CDC* pDC, RECT& rect)
{
    pDC->LPtoDP(&rect);
    CPoint origin = pDC->GetViewportOrg();
    ::OffsetRect(&rect, origin.x, origin.y);
}

} // namespace

int CmnDlgOpr::IsPrintable()
{
    for (int i = 0; m_inf.bReady && i < m_inf.iDraCnt; ++i)
        if (m_inf.ppDra[i]) return 1;
    return 0;
}

// The area of slot on the page rectangle: centred, fitted, with a header and page numbers.
// 1 from the engine (the page does not fit the margins) becomes -13.
int CmnDlgOpr::LayOutPrintArea(int slot, HDC dc, const RECT& page)
{
    VkiDra* dra = m_inf.ppDra[slot];
    PrintInfo& info = m_inf.pPrtInf[slot];
    int rc = VkeDraInitPrintInfo(dra, &info);
    if (rc != VKE_OK) return rc;
    info.hDC = dc;
    info.iHeader = 1;
    info.iPageNo = 1;
    info.iScaleMode = VKE_PRT_SCALE_FIT;
    info.iAlignH = VKE_PRT_ALIGN_HCENTRE;
    info.iAlignV = VKE_PRT_ALIGN_VCENTRE;
    info.rctPagePart = RECT{};
    rc = VkeDraSetPrintInfoRect(dra, &info, &page);
    if (rc == VKE_OK) rc = VkeDraSetPrintPageInfo(dra, &info);
    return rc == VKE_NOT_DONE ? VKE_ERR_CUT : rc;
}

int CmnDlgOpr::PreparePrinting(CPrintInfo* pInfo)
{
    EndDrag();
    if (!CheckReady("PreparePrinting")) return VKE_ERR_NOT_INIT;
    CmnDlgInf& inf = m_inf;
    if ((inf.iDraCnt < 1 && inf.iExtPrtCnt < 1) || !pInfo || !pInfo->m_pPD) return VKE_CANCELLED;
    HDC dc = pInfo->m_pPD->m_pd.hDC;
    RECT page = {};
    bool measured = false;
    long long total = 0;
    int rc = VKE_OK;
    for (int i = 0; rc == VKE_OK && i < inf.iDraCnt; ++i) {
        if (!inf.ppDra[i]) continue;
        if (!measured) {
            rc = VkeSysPrintCalcRect(theCmnAppInf.pSys, dc, &theCmnAppInf.rctPrintMargin, &page);
            measured = true;
        }
        if (rc == VKE_OK) rc = LayOutPrintArea(i, dc, page);
        if (rc == VKE_OK) total += inf.pPrtInf[i].iPageCount;
    }
    // Margins that leave no room are the caller's message, not a failure.
    if (rc == VKE_ERR_CUT) return rc;
    if (rc != VKE_OK) return Fail("PreparePrinting", rc);
    if (total < 1) return VKE_CANCELLED;
    pInfo->SetMinPage(1);
    pInfo->SetMaxPage(static_cast<UINT>(total < kMaxPages ? total : kMaxPages));
    return VKE_OK;
}

int CmnDlgOpr::BeginPrintPreview(CDC*, CPrintInfo*)
{
    EndDrag();
    if (!CheckReady("BeginPrintPreview")) return VKE_ERR_NOT_INIT;
    for (int i = 0; i < m_inf.iDraCnt; ++i) {
        if (!m_inf.ppDra[i]) continue;
        VkeDraGetHScrPos(m_inf.ppDra[i], &m_inf.piHScrPos[i]);
        VkeDraGetVScrPos(m_inf.ppDra[i], &m_inf.piVScrPos[i]);
    }
    return VKE_OK;
}

int CmnDlgOpr::EndPrintPreview(CDC*, CPrintInfo*)
{
    EndDrag();
    if (!CheckReady("EndPrintPreview")) return VKE_ERR_NOT_INIT;
    for (int i = 0; i < m_inf.iDraCnt; ++i) {
        if (!m_inf.ppDra[i]) continue;
        VkeDraHScroll(m_inf.ppDra[i], SB_THUMBPOSITION, m_inf.piHScrPos[i]);
        VkeDraVScroll(m_inf.ppDra[i], SB_THUMBPOSITION, m_inf.piVScrPos[i]);
    }
    return VKE_OK;
}

int CmnDlgOpr::BeginPrinting(CDC*, CPrintInfo*)
{
    EndDrag();
    return CheckReady("BeginPrinting") ? VKE_OK : VKE_ERR_NOT_INIT;
}

int CmnDlgOpr::EndPrinting(CDC*, CPrintInfo*)
{
    EndDrag();
    return CheckReady("EndPrinting") ? VKE_OK : VKE_ERR_NOT_INIT;
}

int CmnDlgOpr::PrepareDC(CDC*, CPrintInfo*)
{
    EndDrag();
    return CheckReady("PrepareDC") ? VKE_OK : VKE_ERR_NOT_INIT;
}

int CmnDlgOpr::Print(CDC* pDC, CPrintInfo* pInfo)
{
    if (!CheckReady("Print")) return VKE_ERR_NOT_INIT;
    CmnDlgInf& inf = m_inf;
    if (inf.iDraCnt < 1 || !pDC || !pDC->m_hDC || !pInfo) return Fail("Print", VKE_ERR_SYSTEM);
    if (pInfo->m_rectDraw.Width() < 1 || pInfo->m_rectDraw.Height() < 1) return VKE_NOT_DONE;

    // The area whose page range holds the job's page, and the page within the area.
    long long first = 1, wanted = pInfo->m_nCurPage;
    int slot = -1;
    for (int i = 0; slot < 0 && i < inf.iDraCnt; ++i) {
        if (!inf.ppDra[i]) continue;
        long long count = inf.pPrtInf[i].iPageInfo == 1 ? inf.pPrtInf[i].iPageCount : 0;
        if (wanted >= first && wanted < first + count) slot = i;
        else first += count;
    }
    int rc = VKE_NOT_DONE;
    if (slot >= 0) {
        PrintInfo& info = inf.pPrtInf[slot];
        info.hDC = pDC->m_hDC;
        info.iCurPage = static_cast<int>(wanted - first + 1);
        if (pInfo->m_bPreview) {
            // The preview draws in its own pixels: the page set's device rectangles follow.
            PrintInfo copy = info;
            if (copy.iHeader == 1) ToPreview(pDC, copy.rctHeader);
            if (copy.iPageNo == 1) ToPreview(pDC, copy.rctPageNo);
            ToPreview(pDC, copy.rctImage);
            ToPreview(pDC, copy.rctPrinted);
            rc = VkeDraPrint(inf.ppDra[slot], &copy);
        } else {
            rc = VkeDraPrint(inf.ppDra[slot], &info);
        }
    }
    pInfo->m_bContinuePrinting = FALSE;
    if (rc == VKE_OK || rc == VKE_NOT_DONE) return rc;
    theCmnSub.MsgBoxById(rc, MB_OK | MB_ICONEXCLAMATION);
    return Fail("Print", rc);
}
