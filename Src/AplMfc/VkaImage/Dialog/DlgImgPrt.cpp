// The image page's paper and printing: its orientation settled against the image, the page
// set-up taken in (the fixed-ratio frame following the printable area), the print-page record,
// and the print job's steps that the tab view hands to the page.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgPrt"
#include "DlgImg.h"
#include "DlbPnlOpr.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "DlgPrt.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include <stdlib.h>

namespace {

// Orientation settings: 2 the one that prints larger, 3 landscape, 4 portrait.
enum { OriLarger = 2, OriLandscape = 3, OriPortrait = 4 };

VkiSub* Sub() { return theCmnAppInf.pSub; }

bool PageSetRatio(const Fri& fri) { return fri.iMode == FrmModeFixedRatio && fri.bPagSet == 1; }

long long Area(const RECT& r)
{
    long long w = static_cast<long long>(r.right) - r.left, h = static_cast<long long>(r.bottom) - r.top;
    return w > 0 && h > 0 ? w * h : 0;
}

// A font text as a font; false for an empty or bad text.
bool FontOf(AppMem& text, LOGFONTA* font)
{
    char buffer[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), &text, buffer, sizeof(buffer));
    return buffer[0] && theCmnSub.GetFont(buffer, font) == VKE_OK;
}

} // namespace

// ---- The print-page record ----

int DlgImg::InitPrintPage(HDC dc)
{
    if (!m_bInitImg) return Fail("InitPrintPage", VKE_ERR_NOT_INIT);
    PrintInfo* info = GetPrintInfo();
    if (!info) return Fail("InitPrintPage", VKE_ERR_NOT_INIT);
    int rc = VkeDraInitPrintInfo(GetDra(), info);
    if (rc != VKE_OK) return Fail("InitPrintPage", rc);
    Pri& pri = PagePoi().pri;
    info->hDC = dc;
    info->iHeader = pri.bHeader == 1 ? 1 : 0;
    info->iPageNo = pri.bFooter == 1 ? 1 : 0;
    LOGFONTA font;
    if (FontOf(pri.amLogFontHdr, &font)) info->lfHeader = font;
    if (FontOf(pri.amLogFontFtr, &font)) info->lfPageNo = font;
    // Texts cut to the record's size on a character boundary.
    VkeSubGetAppMemStr(Sub(), &pri.amHeader, info->amHeader, sizeof(info->amHeader));
    VkeSubGetAppMemStr(Sub(), &pri.amFooter, info->amPageNo, sizeof(info->amPageNo));
    if (info->iHeader == 1 && !info->amHeader[0]) VkeSubCopyStr(Sub(), info->amHeader, GetFileName(), sizeof(info->amHeader));
    return VKE_OK;
}

int DlgImg::SelectAppPrinter(HDC* dc)
{
    *dc = nullptr;
    HalcorApp* app = HalcorGetApp();
    if (!app) return VKE_ERR_SYSTEM;
    HGLOBAL names = nullptr, mode = nullptr;
    int rc = app->GetPrtInf(&names, &mode);
    if (rc == VKE_OK) rc = app->SelectPrinter(names, mode, 1);
    if (rc == VKE_OK) app->GetPrtHDC(dc);
    return rc;
}

int DlgImg::MeasurePrintPage(HDC dc, bool lenient)
{
    RECT page = {};
    int rc = VkeSysPrintCalcRect(theCmnAppInf.pSys, dc, &m_pIci->rctMargin, &page);
    if (rc != VKE_OK) return rc == VKE_ERR_CUT ? rc : Fail("MeasurePrintPage", rc);
    rc = InitPrintPage(dc);
    if (rc == VKE_OK) rc = VkeDraSetPrintInfoRect(GetDra(), GetPrintInfo(), &page);
    if (rc == VKE_ERR_CUT && lenient && Area(GetPrintInfo()->rctImage) > 0) rc = VKE_OK;
    return rc == VKE_OK || rc == VKE_ERR_CUT ? rc : Fail("MeasurePrintPage", rc);
}

int DlgImg::LayOutPrintPage()
{
    HDC dc = nullptr;
    int rc = SelectAppPrinter(&dc);
    if (rc != VKE_OK) {
        ShowMsg(IDS_CMN_PRINTER);
        return rc;
    }
    // A header or page-number line that leaves no room is left out; the rest stands. Margins
    // that leave no room are the caller's message.
    return dc ? MeasurePrintPage(dc, true) : VKE_NOT_DONE;
}

// ---- Paper orientation ----

void DlgImg::TakeOrientation(int landscape)
{
    const int value = landscape ? OriLandscape : OriPortrait;
    m_pIci->poi.pri.iOrientation = value;
    if (!IsCurPage()) return;
    theAppInf.poi.pri.iOrientation = value;
    ShowPnlCtl(landscape ? OprCtlLandscape : OprCtlPortrait);
}

int DlgImg::LargerOrientation(int* landscape)
{
    HalcorApp* app = HalcorGetApp();
    int now = 0;
    if (app->GetPrtOrient(&now) < 0) ShowMsg(IDS_VKA_ORIENT_GET);
    *landscape = now;
    // The image as printing lays it out, in the present orientation and then in the other.
    long long area[2] = {-1, -1};
    for (int o : {now, 1 - now}) {
        int rc = app->SetPrtOrient(o);
        if (rc < 0) {
            ShowMsg(IDS_VKA_ORIENT_SET);
            return rc;
        }
        if (rc == VKE_NOT_DONE) break; // the printer has no orientation
        rc = LayOutPrintPage();
        if (rc == VKE_OK) rc = VkeDraSetPrintPageInfo(GetDra(), GetPrintInfo());
        if (rc == VKE_OK) area[o] = Area(GetPrintInfo()->rctImage);
        else if (rc < 0 && rc != VKE_ERR_CUT) return rc;
    }
    if (area[0] >= 0 || area[1] >= 0) *landscape = area[1] >= area[0] ? 1 : 0;
    int rc = app->SetPrtOrient(*landscape);
    if (rc < 0) ShowMsg(IDS_VKA_ORIENT_SET);
    return rc < 0 ? rc : VKE_OK;
}

int DlgImg::SetupPrinter()
{
    if (!m_bInitImg) return Fail("SetupPrinter", VKE_ERR_NOT_INIT);
    Ici& ici = *m_pIci;
    if (!ici.pthImg.hImg) return VKE_OK;
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail("SetupPrinter", VKE_ERR_SYSTEM);
    Poi& poi = PagePoi();
    const int setting = poi.pri.iOrientation;
    if (ici.bOrnSet != 1) {
        // The first time a landscape or portrait setting follows the image's shape.
        ici.bOrnSet = 1;
        if (setting == OriLandscape || setting == OriPortrait) {
            const int landscape = ici.pthImg.iWidth < ici.pthImg.iHeight ? 0 : 1;
            int rc = app->SetPrtOrient(landscape);
            if (rc < 0) {
                ShowMsg(IDS_VKA_ORIENT_SET);
                return rc;
            }
            m_bLandscape = landscape;
            TakeOrientation(landscape);
            return VKE_OK;
        }
    }
    int landscape = 0;
    if (app->GetPrtOrient(&landscape) == VKE_OK) m_bLandscape = landscape;
    if (PageSetRatio(poi.fri)) return VKE_OK;
    int rc = VKE_OK;
    if (setting == OriLandscape || setting == OriPortrait) {
        landscape = setting == OriLandscape ? 1 : 0;
        rc = app->SetPrtOrient(landscape);
        if (rc < 0) ShowMsg(IDS_VKA_ORIENT_SET);
    } else if (setting == OriLarger) {
        rc = LargerOrientation(&landscape);
    }
    if (rc < 0) return rc;
    m_bLandscape = landscape;
    return VKE_OK;
}

// ---- Page set-up ----

int DlgImg::PageSetup()
{
    if (!m_bInitImg) return Fail("PageSetup", VKE_ERR_NOT_INIT);
    Ici& ici = *m_pIci;
    if (!ici.pthImg.hImg) return VKE_OK;
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail("PageSetup", VKE_ERR_SYSTEM);
    EndTracking();
    // The application's margins and printer.
    ici.rctMargin = theCmnAppInf.rctPrintMargin;
    HGLOBAL names = nullptr, mode = nullptr;
    int rc = app->GetPrtInf(&names, &mode);
    if (rc == VKE_OK) rc = app->SetPrtInf(&ici.hDevNames, &ici.hDevMode, names, mode);
    if (rc != VKE_OK) return rc;
    // The orientation the set-up left; a turned paper turns a page-set frame.
    Poi& poi = PagePoi();
    bool turn = false;
    if (poi.pri.iOrientation == OriLandscape || poi.pri.iOrientation == OriPortrait) {
        int landscape = 0;
        if (app->GetPrtOrient(&landscape) < 0) {
            ShowMsg(IDS_VKA_ORIENT_GET);
        } else {
            TakeOrientation(landscape);
            turn = PageSetRatio(poi.fri) && landscape != m_bLandscape;
            m_bLandscape = landscape;
        }
    }
    if (!PageSetRatio(poi.fri)) return VKE_OK;
    return FitPageFrame(turn);
}

int DlgImg::TakePrintableRatio()
{
    Ici& ici = *m_pIci;
    ici.rctPrtImg = GetPrintInfo()->rctImage;
    const int w = ici.rctPrtImg.right - ici.rctPrtImg.left, h = ici.rctPrtImg.bottom - ici.rctPrtImg.top;
    if (w < 1 || h < 1) return VKE_ERR_CUT;
    Fri& fri = PagePoi().fri;
    fri.iWidth = ici.poi.fri.iWidth = w;
    fri.iHeight = ici.poi.fri.iHeight = h;
    if (IsCurPage()) {
        ShowPnlCtl(OprCtlWidth);
        ShowPnlCtl(OprCtlHeight);
    }
    return VKE_OK;
}

int DlgImg::FitPageFrame(bool turn)
{
    int rc = LayOutPrintPage();
    if (rc == VKE_OK) rc = TakePrintableRatio();
    if (rc != VKE_OK) return rc;
    Ici& ici = *m_pIci;
    if (::IsRectEmpty(&ici.rctFrm)) return VKE_OK;
    RECT f = turn ? FrmTurn(ici.rctFrm, ImageSize()) : ici.rctFrm;
    rc = FrmClip(&f, false, RuleOf(PagePoi().fri), ImageSize());
    if (rc != VKE_OK) return rc;
    if (IsCurPage()) StoreFrm(f);
    else ici.rctFrm = f;
    return VKE_OK;
}

// ---- A stored row's frame on a page that is not current ----

int DlgImg::FitOpiFrame()
{
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail("FitOpiFrame", VKE_ERR_SYSTEM);
    Ici& ici = *m_pIci;
    // The application's printer kept aside; the page's pair in its place, turned as the row says.
    HGLOBAL names = nullptr, mode = nullptr, keptNames = nullptr, keptMode = nullptr;
    int rc = app->GetPrtInf(&names, &mode);
    if (rc == VKE_OK) rc = app->SetPrtInf(&keptNames, &keptMode, names, mode);
    if (rc != VKE_OK) {
        ShowMsg(IDS_CMN_PRINTER);
        return rc;
    }
    if (ici.hDevNames) {
        HGLOBAL pageNames = nullptr, pageMode = nullptr;
        rc = app->SetPrtInf(&pageNames, &pageMode, ici.hDevNames, ici.hDevMode);
        if (rc == VKE_OK) rc = app->SelectPrinter(pageNames, pageMode, 0);
        if (rc != VKE_OK) VkeSysPrintFreeHandle(theCmnAppInf.pSys, &pageNames, &pageMode);
    }
    const int orient = ici.poi.pri.iOrientation;
    if (rc == VKE_OK && (orient == OriLandscape || orient == OriPortrait) &&
        app->SetPrtOrient(orient == OriLandscape ? 1 : 0) < 0)
        ShowMsg(IDS_VKA_ORIENT_SET);
    // The frame under the row's own settings and margins.
    if (rc == VKE_OK && PageSetRatio(ici.poi.fri)) {
        rc = FitPageFrame(false);
    } else if (rc == VKE_OK) {
        RECT f = ici.rctFrm;
        if (FrmClip(&f, false, RuleOf(ici.poi.fri), ImageSize()) == VKE_OK) ici.rctFrm = f;
    }
    // The application's printer back as it was.
    int back = app->SelectPrinter(keptNames, keptMode, 1);
    if (back != VKE_OK) {
        VkeSysPrintFreeHandle(theCmnAppInf.pSys, &keptNames, &keptMode);
        ShowMsg(IDS_CMN_PRINTER);
    }
    if (rc == VKE_NOT_DONE || rc == VKE_ERR_CUT) return VKE_OK; // the frame stays as stored
    return rc != VKE_OK ? rc : back;
}

// ---- Printing: the job's steps the tab view hands to the page ----

int DlgImg::IsPrintable() { return m_inf.bReady && IsExistDIBHandle() ? 1 : 0; }

int DlgImg::PreparePrinting(CPrintInfo* pInfo)
{
    if (!m_bInitImg) return Fail("PreparePrinting", VKE_ERR_NOT_INIT);
    EndTracking();
    if (!m_pIci->pthImg.hImg || !pInfo) return VKE_CANCELLED;
    HalcorApp* app = HalcorGetApp();
    HalcorViw* view = View();
    if (!app || !view) return Fail("PreparePrinting", VKE_ERR_SYSTEM);
    HDC dc = nullptr;
    int rc = SelectAppPrinter(&dc);
    if (rc != VKE_OK) return rc;

    // The program's print dialog on the application's printer, unless the settings omit it.
    delete pInfo->m_pPD;
    pInfo->m_pPD = new DlgPrt(FALSE, DlgPrt::kFlags, app->GetMainFrame());
    PRINTDLGA& pd = pInfo->m_pPD->m_pd;
    pd.nMinPage = 1;
    pd.nMaxPage = 0xFFFF;
    pd.hDC = dc;
    if (theAppInf.poi.pri.bOmtDlgPrt == 1) pInfo->m_bDirect = TRUE;
    rc = view->PreparePrintJob(pInfo);
    Invalidate(FALSE);
    if (rc != VKE_OK) return VKE_CANCELLED;
    return LayOutJob(pInfo);
}

// The dialog's choice laid out: the paper the printer now has, the print-page record on its
// printable area, the page-set frame fitted again, the scale and the part printed, the pages.
int DlgImg::LayOutJob(CPrintInfo* pInfo)
{
    Ici& ici = *m_pIci;
    Poi& poi = PagePoi();
    const bool pageSet = PageSetRatio(poi.fri);
    if (pageSet) {
        int landscape = 0;
        if (HalcorGetApp()->GetPrtOrient(&landscape) < 0) {
            ShowMsg(IDS_VKA_ORIENT_GET);
        } else {
            if (IsCurPage()) TakeOrientation(landscape);
            m_bLandscape = landscape;
        }
    }
    HDC dc = nullptr;
    int rc = SelectAppPrinter(&dc);
    if (rc != VKE_OK) return rc;
    if (!dc) return VKE_ERR_MEMORY;
    rc = MeasurePrintPage(dc, false);
    if (rc != VKE_OK) return rc;
    PrintInfo& info = *GetPrintInfo();
    if (pageSet) {
        rc = RefitPageFrame();
        if (rc != VKE_OK) return rc;
    }
    info.iScaleMode = poi.pri.iMode;
    const bool centred = poi.pri.iMode == VKE_PRT_SCALE_STRETCH || poi.pri.iMode == VKE_PRT_SCALE_FIT;
    info.iAlignH = centred ? VKE_PRT_ALIGN_HCENTRE : VKE_PRT_ALIGN_LEFT;
    info.iAlignV = centred ? VKE_PRT_ALIGN_VCENTRE : VKE_PRT_ALIGN_TOP;
    // The frame's part of the drawing while it is shown, else the whole drawing.
    info.rctSource = IsFrmShown() ? FrmRectToDisp(ici.rctFrm, Scale(), FrmRoundTrunc) : RECT{0, 0, 0, 0};
    rc = VkeDraSetPrintPageInfo(GetDra(), &info);
    if (rc != VKE_OK) return rc == VKE_NOT_DONE ? rc : Fail("PreparePrinting", rc);
    if (info.iPageCount < 1) return VKE_CANCELLED;
    pInfo->SetMinPage(1);
    pInfo->SetMaxPage(static_cast<UINT>(info.iPageCount));
    return VKE_OK;
}

// A page-set frame after the printer's choice: the ratio of the printable area, and a shown
// frame fitted to it. 1 when that moved the frame (more than a pixel in all): the user looks
// at it before printing.
int DlgImg::RefitPageFrame()
{
    int rc = TakePrintableRatio();
    if (rc != VKE_OK || !IsFrmShown()) return rc;
    Ici& ici = *m_pIci;
    RECT f = ici.rctFrm;
    rc = FrmClip(&f, false, RuleOf(PagePoi().fri), ImageSize());
    if (rc != VKE_OK) return rc;
    const RECT& was = ici.rctFrm;
    auto off = [](LONG a, LONG b) { return llabs(static_cast<long long>(a) - b); };
    const long long moved = off(f.left, was.left) + off(f.top, was.top) + off(f.right, was.right) + off(f.bottom, was.bottom);
    if (moved == 0) return VKE_OK;
    StoreFrm(f);
    return moved > 1 ? VKE_NOT_DONE : VKE_OK;
}

int DlgImg::EndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    // The application's printer DC stays the application's: only a DC the dialog made goes with
    // the print information.
    if (pInfo && pInfo->m_pPD) pInfo->m_pPD->m_pd.hDC = nullptr;
    return CmnDlg::EndPrinting(pDC, pInfo);
}

int DlgImg::Print(CDC* pDC, CPrintInfo* pInfo)
{
    int rc = CmnDlg::Print(pDC, pInfo);
    if (rc == VKE_OK) m_bPrinted = 1;
    return rc;
}
