// The image page's print settings: the operation panel's print values, kept in the application's
// Poi (the current page's) and in the page's own copy.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgPri"
#include "DlgImg.h"
#include "CmnSub.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <string.h>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

const int kPrtModeMax = 6;
const int kOrientMax = 4;

bool PageSetRatio(const Fri& fri) { return fri.iMode == FrmModeFixedRatio && fri.bPagSet == 1; }

} // namespace

int DlgImg::SetPrtMod(int mode) { return SetPriInt("SetPrtMod", &Pri::iMode, mode, 1, kPrtModeMax, false); }

int DlgImg::SetOmtDlgPrtFlag(int flag)
{
    if (!m_bInitImg) return Fail("SetOmtDlgPrtFlag", VKE_ERR_NOT_INIT);
    if (flag != 0 && flag != 1) return Fail("SetOmtDlgPrtFlag", VKE_ERR_ARG);
    theAppInf.poi.pri.bOmtDlgPrt = flag;
    return VKE_OK;
}

int DlgImg::SetPrtHdrFlag(int flag) { return SetPriInt("SetPrtHdrFlag", &Pri::bHeader, flag, 0, 1, true); }

int DlgImg::SetPrtHdrFnt(const char* font) { return SetPriText("SetPrtHdrFnt", &Pri::amLogFontHdr, font, true, true); }

int DlgImg::SetPrtHdrStr(const char* text) { return SetPriText("SetPrtHdrStr", &Pri::amHeader, text, false, false); }

int DlgImg::SetPrtFtrFlag(int flag) { return SetPriInt("SetPrtFtrFlag", &Pri::bFooter, flag, 0, 1, true); }

int DlgImg::SetPrtFtrFnt(const char* font) { return SetPriText("SetPrtFtrFnt", &Pri::amLogFontFtr, font, true, true); }

int DlgImg::SetPrtFtrStr(const char* text) { return SetPriText("SetPrtFtrStr", &Pri::amFooter, text, false, false); }

int DlgImg::SetPrtOriFlag(int orientation)
{
    if (!m_bInitImg) return Fail("SetPrtOriFlag", VKE_ERR_NOT_INIT);
    if (orientation < 1 || orientation > kOrientMax) return Fail("SetPrtOriFlag", VKE_ERR_ARG);
    EndTracking();
    m_pIci->bOrnSet = 1;
    Pri& pri = theAppInf.poi.pri;
    if (pri.iOrientation == orientation) return VKE_OK;
    pri.iOrientation = m_pIci->poi.pri.iOrientation = orientation;
    // The printer was turned by the operation panel before: the page set-up reads it.
    return m_pIci->pthImg.hImg && PageSetRatio(theAppInf.poi.fri) ? PageSetup() : VKE_OK;
}

int DlgImg::SetPriInt(const char* name, int Pri::*field, int value, int low, int high, bool refit)
{
    if (!m_bInitImg) return Fail(name, VKE_ERR_NOT_INIT);
    if (value < low || value > high) return Fail(name, VKE_ERR_ARG);
    EndTracking();
    Pri& pri = theAppInf.poi.pri;
    if (pri.*field == value) return VKE_OK;
    pri.*field = m_pIci->poi.pri.*field = value;
    return refit ? RefitForPrintArea() : VKE_OK;
}

int DlgImg::SetPriText(const char* name, AppMem Pri::*field, const char* text, bool font, bool refit)
{
    if (!m_bInitImg) return Fail(name, VKE_ERR_NOT_INIT);
    LOGFONTA lf;
    if (!text || (font && theCmnSub.GetFont(text, &lf) != VKE_OK)) return Fail(name, VKE_ERR_ARG);
    EndTracking();
    AppMem& now = theAppInf.poi.pri.*field;
    char was[sizeof(PrintInfo::amHeader)] = {};
    VkeSubGetAppMemStr(Sub(), &now, was, sizeof(was));
    if (strcmp(was, text) == 0) return VKE_OK;
    int rc = VkeSubSetAppMemStr(Sub(), &now, text);
    if (rc == VKE_OK) rc = VkeSubSetAppMemStr(Sub(), &(m_pIci->poi.pri.*field), text);
    if (rc != VKE_OK) return Fail(name, rc);
    return refit ? RefitForPrintArea() : VKE_OK;
}

// The header and page-number lines take room from the printable area a page-set frame follows.
int DlgImg::RefitForPrintArea() { return IsFrmShown() && PageSetRatio(theAppInf.poi.fri) ? PageSetup() : VKE_OK; }
