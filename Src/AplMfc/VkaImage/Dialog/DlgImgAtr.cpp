// The image page's attributes: flags, the values it shares with the operation panel through
// the application, its status line and scale text, redrawing and the focus.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgAtr"
#include "DlgImg.h"
#include "CmnRes.h"
#include "CmnWin.h"
#include "DlbPnlOpr.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include <math.h>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

// The values a page and the application exchange (the clipboard monitor and the print dialog's
// omission stay the application's).
int CopyPoi(Poi& to, Poi& from)
{
    to.fri.iMode = from.fri.iMode;
    to.fri.bShwFrm = from.fri.bShwFrm;
    to.fri.bPagSet = from.fri.bPagSet;
    to.fri.bHrzSca = from.fri.bHrzSca;
    to.fri.iWidth = from.fri.iWidth;
    to.fri.iHeight = from.fri.iHeight;
    to.pri.iMode = from.pri.iMode;
    to.pri.bHeader = from.pri.bHeader;
    to.pri.bFooter = from.pri.bFooter;
    to.pri.iOrientation = from.pri.iOrientation;
    int rc = VKE_OK;
    for (auto text : {&Pri::amLogFontHdr, &Pri::amHeader, &Pri::amLogFontFtr, &Pri::amFooter})
        if (rc == VKE_OK) rc = VkeSubCopyAppMem(Sub(), &(to.pri.*text), &(from.pri.*text));
    return rc;
}

} // namespace

int DlgImg::SetFlag(int* flag, int value, const char* name)
{
    if (value != 0 && value != 1) return Fail(name, VKE_ERR_ARG);
    *flag = value;
    return VKE_OK;
}

int DlgImg::SetModifiedFlag(int value)
{
    int rc = SetFlag(&m_bModified, value, "SetModifiedFlag");
    if (rc == VKE_OK && value == 0 && m_inf.bReady) CmnDlg::SetModifiedFlag(0);
    return rc;
}

bool DlgImg::IsCurPage()
{
    HalcorViw* view = View();
    int index = -1;
    return view && view->GetCurSel(&index) == VKE_OK && index >= 0 && view->GetImgPage(index) == this;
}

bool DlgImg::IsSelImgPage()
{
    HalcorViw* view = View();
    return view && view->GetPageSelImg() == this;
}

int DlgImg::SetClbMonFlag(int flag)
{
    if (flag != 0 && flag != 1) return Fail("SetClbMonFlag", VKE_ERR_ARG);
    int& setting = theAppInf.poi.fri.bClbMon;
    if (flag == setting) return VKE_OK;
    HalcorViw* view = View();
    if (!view) return Fail("SetClbMonFlag", VKE_ERR_SYSTEM);
    int rc = view->SetClbMonFlag(flag);
    setting = view->GetClbMonFlag();
    return rc == VKE_OK ? rc : Fail("SetClbMonFlag", rc);
}

int DlgImg::SelChanging(int* result)
{
    if (!result) return Fail("SelChanging", VKE_ERR_ARG);
    *result = 0;
    return m_bInitImg && IsCurPage() ? GetPoi() : VKE_OK;
}

int DlgImg::SelChange() { return m_bInitImg && IsCurPage() ? SetPoi() : VKE_OK; }

int DlgImg::SetPoi()
{
    if (!m_bInitImg) return Fail("SetPoi", VKE_ERR_NOT_INIT);
    HalcorApp* app = HalcorGetApp();
    int busy = 0;
    if (!app) return Fail("SetPoi", VKE_ERR_SYSTEM);
    if (app->GetFlgSelImg(&busy) == VKE_OK && busy == 1) return VKE_OK;
    Ici& ici = *m_pIci;
    theCmnAppInf.rctPrintMargin = ici.rctMargin;
    int rc = VKE_OK;
    if (ici.hDevNames) {
        // The page's printer becomes the application's: a copy, which the framework keeps.
        HGLOBAL names = nullptr, mode = nullptr;
        rc = app->SetPrtInf(&names, &mode, ici.hDevNames, ici.hDevMode);
        if (rc == VKE_OK) rc = app->SelectPrinter(names, mode, 1);
        if (rc != VKE_OK) VkeSysPrintFreeHandle(theCmnAppInf.pSys, &names, &mode);
    }
    if (rc == VKE_OK) rc = CopyPoi(theAppInf.poi, ici.poi);
    if (rc != VKE_OK) return Fail("SetPoi", rc);
    // Orientation 3 is landscape, 4 portrait: the printer turns with the page.
    const int orient = ici.poi.pri.iOrientation;
    if (orient == 3 || orient == 4) {
        m_bLandscape = orient == 3 ? 1 : 0;
        rc = app->SetPrtOrient(m_bLandscape);
        if (rc < 0) theCmnSub.MsgBoxById(IDS_VKA_ORIENT_SET, MB_OK | MB_ICONEXCLAMATION);
    }
    // The operation panel shows the page's values.
    if (DlbPnlOpr* panel = app->GetPnlOpr()) panel->SetData(-1, 0);
    return rc < 0 ? Fail("SetPoi", rc) : VKE_OK;
}

int DlgImg::GetPoi()
{
    if (!m_bInitImg) return Fail("GetPoi", VKE_ERR_NOT_INIT);
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail("GetPoi", VKE_ERR_SYSTEM);
    // The operation panel's controls first: a value typed there counts.
    if (DlbPnlOpr* panel = app->GetPnlOpr()) panel->ReadCtlData();
    Ici& ici = *m_pIci;
    int rc = CopyPoi(ici.poi, theAppInf.poi);
    if (rc != VKE_OK) return Fail("GetPoi", rc);
    HGLOBAL names = nullptr, mode = nullptr;
    rc = app->GetPrtInf(&names, &mode);
    if (rc == VKE_OK) rc = app->SetPrtInf(&ici.hDevNames, &ici.hDevMode, names, mode);
    if (rc != VKE_OK) {
        theCmnSub.MsgBoxById(IDS_CMN_PRINTER, MB_OK | MB_ICONEXCLAMATION);
        return Fail("GetPoi", rc);
    }
    ici.rctMargin = theCmnAppInf.rctPrintMargin;
    return VKE_OK;
}

// ---- Status line ----

CString DlgImg::GetScaleText(int num, int den)
{
    double percent = den > 0 ? num * 100.0 / den : 0;
    CString text;
    text.Format(percent != floor(percent) ? "%.2lf%%" : "%.0lf%%", percent);
    return text;
}

int DlgImg::ShowStatus()
{
    if (!m_bInitImg) return Fail("ShowStatus", VKE_ERR_NOT_INIT);
    const Ici& ici = *m_pIci;
    const CmnVarPthImg& img = ici.pthImg;
    CString frame;
    const RECT& f = ici.rctFrm;
    if (ici.poi.fri.bShwFrm == 1)
        frame.Format(theCmnSub.GetMsgStr(IDS_DLGIMG_FRAME), f.left, f.top, f.right - f.left, f.bottom - f.top);
    else frame = theCmnSub.GetMsgStr(IDS_DLGIMG_FRAME_OFF);
    HalcorViw* view = View();
    int pages = 0;
    if (view) view->GetPageCnt(&pages);
    CString text;
    text.Format(theCmnSub.GetMsgStr(IDS_DLGIMG_STATUS), img.iWidth, img.iHeight, ici.iShwWidth, ici.iShwHeight,
                static_cast<LPCSTR>(frame), static_cast<LPCSTR>(GetScaleText(ici.lScaNum, ici.lScaDen)),
                static_cast<LPCSTR>(theVkaSubDat.GetFmtDes(img.iTypImg)), img.iBitCnt,
                static_cast<LPCSTR>(m_strSize), "", pages, static_cast<LPCSTR>(m_strDir));
    int rc = theCmnWin.SetStatusBarTxtById(ID_INDICATOR_PAGE, text);
    return rc == VKE_OK ? rc : Fail("ShowStatus", rc);
}

// ---- Redrawing and the focus ----

int DlgImg::Redraw(int erase)
{
    if (!m_bInitImg) return Fail("Redraw", VKE_ERR_NOT_INIT);
    // The area invalidates itself; only an area that cannot is invalidated here.
    int rc = VkeDraRedraw(GetDra(), erase);
    if (rc != VKE_OK) ::InvalidateRect(GetDraWnd(), nullptr, erase);
    return rc == VKE_OK ? rc : Fail("Redraw", rc);
}

bool DlgImg::DeferWhileDrawing(UINT command)
{
    if (!m_iDrawing) return false;
    HalcorApp* app = HalcorGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (frame) frame->PostMessage(WM_COMMAND, command);
    return true;
}

int DlgImg::SetFocusDra()
{
    if (!m_bInitImg) return Fail("SetFocusDra", VKE_ERR_NOT_INIT);
    if (!IsCurPage()) return VKE_NOT_DONE;
    int rc = VkeDraSetFocusDra(GetDra());
    return rc == VKE_OK ? rc : Fail("SetFocusDra", rc);
}
