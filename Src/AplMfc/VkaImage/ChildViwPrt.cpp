// The image tab view's print jobs of image pages: the page prepares its own job (its print
// dialog, its paper and its print-page record); every other target takes the tab view's road.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildViw"
#include "ChildViw.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "DlgImg.h"
#include "HalcorRes.h"

BOOL ChildViw::OnPreparePrinting(CPrintInfo* pInfo)
{
    DlgImg* page = dynamic_cast<DlgImg*>(m_pag.pPrtTgt);
    if (!page || !pInfo || page != CurImgPage()) return CmnTbv::OnPreparePrinting(pInfo);
    int rc = page->SetupPrinter();
    if (rc == VKE_OK) rc = page->PreparePrinting(pInfo);
    if (rc == VKE_OK) return TRUE;
    page->EndPrinting(nullptr, pInfo);
    if (rc != VKE_CANCELLED) {
        const int id = rc == VKE_NOT_DONE ? IDS_VKA_FRAME_MOVED : rc == VKE_ERR_CUT ? IDS_CMN_PRT_MARGIN : IDS_CMN_PRINTER;
        theCmnSub.MsgBoxById(id, MB_OK | MB_ICONEXCLAMATION);
    }
    // A preview that does not start is ended by its command, which still needs the target.
    if (pInfo->m_bPreview) ClearPrintMarks();
    else EndPrintJob();
    return FALSE;
}

int ChildViw::PreparePrintJob(CPrintInfo* pInfo) { return pInfo && DoPreparePrinting(pInfo) ? VKE_OK : VKE_CANCELLED; }
