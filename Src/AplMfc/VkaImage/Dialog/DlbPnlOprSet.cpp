// The operation panel's settings: each goes to the current image page when there is one, else
// into the application's values; the panel's controls then show it.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlOpr"
#include "DlbPnlOpr.h"
#include "CmnSub.h"
#include "DlgImg.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include <string.h>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

bool IsFlag(int value) { return value == 0 || value == 1; }

int Store(int& setting, int value)
{
    setting = value;
    return VKE_OK;
}

bool SameText(AppMem& text, const char* value)
{
    char buffer[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), &text, buffer, sizeof(buffer));
    return strcmp(buffer, value) == 0;
}

bool IsFont(const char* text)
{
    LOGFONTA font = {};
    return text && text[0] && theCmnSub.GetFont(text, &font) == VKE_OK;
}

} // namespace

int DlbPnlOpr::SetPrt(const char* name, bool same, bool valid, int slot, int notify,
                      const std::function<int(DlgImg*)>& put)
{
    if (!CheckReady(name)) return VKE_ERR_NOT_INIT;
    if (same) return VKE_OK;
    if (!valid) return Fail(name, VKE_ERR_ARG);
    int rc = put(GetDlgImg());
    if (rc < 0) Fail(name, rc);
    WriteCtl(slot, notify);
    return rc;
}

void DlbPnlOpr::RedrawFramed(DlgImg* page)
{
    if (page && page->IsFrmShown()) page->Redraw(0);
}

// ---- The cut frame ----

// The getters answer -6 (untraced, as SetData does) before Init.

int DlbPnlOpr::GetFrmMod()
{
    if (!m_inf.bReady) return VKE_ERR_NOT_INIT;
    DlgImg* page = GetDlgImg();
    return page ? page->GetFrmMod() : theAppInf.poi.fri.iMode;
}

int DlbPnlOpr::GetShwFrmFlag()
{
    if (!m_inf.bReady) return VKE_ERR_NOT_INIT;
    DlgImg* page = GetDlgImg();
    return page ? page->GetShwFrmFlag() : theAppInf.poi.fri.bShwFrm;
}

int DlbPnlOpr::GetPagSetFlag()
{
    if (!m_inf.bReady) return VKE_ERR_NOT_INIT;
    DlgImg* page = GetDlgImg();
    return page ? page->GetPagSetFlag() : theAppInf.poi.fri.bPagSet;
}

int DlbPnlOpr::GetHrzScaFlag()
{
    if (!m_inf.bReady) return VKE_ERR_NOT_INIT;
    DlgImg* page = GetDlgImg();
    return page ? page->GetHrzScaFlag() : theAppInf.poi.fri.bHrzSca;
}

int DlbPnlOpr::GetPrtOriFlag() { return m_inf.bReady ? theAppInf.poi.pri.iOrientation : VKE_ERR_NOT_INIT; }

int DlbPnlOpr::PinOrientation(int notify)
{
    const int setting = GetPrtOriFlag();
    if (setting != 1 && setting != 2) return VKE_OK;
    HalcorApp* app = HalcorGetApp();
    int landscape = 1;
    int rc = app ? app->GetPrtOrient(&landscape) : VKE_ERR_SYSTEM;
    if (rc != VKE_OK) {
        // Landscape is assumed; a printer without an orientation is no failure.
        theCmnSub.MsgBoxById(IDS_VKA_ORIENT_GET, MB_OK | MB_ICONEXCLAMATION);
        landscape = 1;
    }
    int set = SetPrtOriFlag(landscape ? 3 : 4, notify);
    if (rc != VKE_OK) return rc;
    return set < 0 ? set : VKE_OK;
}

void DlbPnlOpr::AfterFrameSetting(int notify)
{
    for (int slot : {OprCtlModFree, OprCtlPagSet, OprCtlShwFrm}) WriteCtl(slot, notify);
    EnableCtl();
    const int mode = GetFrmMod();
    if (mode == 2 || (mode == 3 && GetPagSetFlag() != 1)) theCmnSub.PostSetFocus(m_inf.phCtlWnd[OprCtlWidth]);
    else RedrawFramed(GetDlgImg());
}

int DlbPnlOpr::SetFrmMod(int mode, int notify)
{
    if (!CheckReady("SetFrmMod")) return VKE_ERR_NOT_INIT;
    if (mode == GetFrmMod()) return VKE_OK;
    if (mode < 1 || mode > 3) return Fail("SetFrmMod", VKE_ERR_ARG);
    // A failed read of the printer's orientation still lets the mode change.
    const int pinned = mode == 3 && GetPagSetFlag() == 1 ? PinOrientation(notify) : VKE_OK;
    DlgImg* page = GetDlgImg();
    int rc = page ? page->SetFrmMod(mode) : Store(theAppInf.poi.fri.iMode, mode);
    if (rc < 0) return Fail("SetFrmMod", rc);
    AfterFrameSetting(notify);
    if (pinned < 0) Fail("SetFrmMod", pinned);
    return pinned;
}

int DlbPnlOpr::SetPagSetFlag(int flag, int notify)
{
    if (!CheckReady("SetPagSetFlag")) return VKE_ERR_NOT_INIT;
    if (flag == GetPagSetFlag()) return VKE_OK;
    if (!IsFlag(flag)) return Fail("SetPagSetFlag", VKE_ERR_ARG);
    const int pinned = flag == 1 && GetFrmMod() == 3 ? PinOrientation(notify) : VKE_OK;
    DlgImg* page = GetDlgImg();
    int rc = page ? page->SetPagSetFlag(flag) : Store(theAppInf.poi.fri.bPagSet, flag);
    if (rc < 0) return Fail("SetPagSetFlag", rc);
    AfterFrameSetting(notify);
    if (pinned < 0) Fail("SetPagSetFlag", pinned);
    return pinned;
}

int DlbPnlOpr::SetShwFrmFlag(int flag, int notify)
{
    DlgImg* page = nullptr;
    int rc = SetPrt("SetShwFrmFlag", flag == GetShwFrmFlag(), IsFlag(flag), OprCtlShwFrm, notify, [&](DlgImg* p) {
        page = p;
        return p ? p->SetShwFrmFlag(flag) : Store(theAppInf.poi.fri.bShwFrm, flag);
    });
    if (page) page->Redraw(0);
    return rc;
}

int DlbPnlOpr::SetHrzScaFlag(int flag, int notify)
{
    DlgImg* page = nullptr;
    int rc = SetPrt("SetHrzScaFlag", flag == GetHrzScaFlag(), IsFlag(flag), OprCtlHrz, notify, [&](DlgImg* p) {
        page = p;
        return p ? p->SetHrzScaFlag(flag) : Store(theAppInf.poi.fri.bHrzSca, flag);
    });
    RedrawFramed(page);
    return rc;
}

int DlbPnlOpr::SetFrmSiz(int width, int height, int notify)
{
    const Fri& fri = theAppInf.poi.fri;
    const bool same = width == fri.iWidth && height == fri.iHeight, valid = width >= 1 && height >= 1;
    int rc = SetPrt("SetFrmSiz", same, valid, OprCtlWidth, notify, [&](DlgImg* p) -> int {
                        if (p) return p->SetFrmSiz(width, height);
                        theAppInf.poi.fri.iWidth = width;
                        theAppInf.poi.fri.iHeight = height;
                        return VKE_OK;
                    });
    // An unchanged size leaves both edits alone: a height typed meanwhile is still to be read.
    if (m_inf.bReady && !same && valid) WriteCtl(OprCtlHeight, notify);
    return rc;
}

int DlbPnlOpr::SetClbMonFlag(int flag, int notify)
{
    int rc = SetPrt("SetClbMonFlag", flag == theAppInf.poi.fri.bClbMon, IsFlag(flag), OprCtlClbMon, notify,
                    [&](DlgImg* p) -> int {
                        if (p) return p->SetClbMonFlag(flag);
                        HalcorApp* app = HalcorGetApp();
                        HalcorViw* view = app ? app->GetImgViw() : nullptr;
                        if (!view) return VKE_ERR_EXISTS;
                        int set = view->SetClbMonFlag(flag);
                        theAppInf.poi.fri.bClbMon = view->GetClbMonFlag();
                        return set;
                    });
    if (m_inf.bReady) EnableCtl();
    return rc;
}

// ---- Printing ----

int DlbPnlOpr::SetOmtDlgPrtFlag(int flag, int notify)
{
    Pri& pri = theAppInf.poi.pri;
    return SetPrt("SetOmtDlgPrtFlag", flag == pri.bOmtDlgPrt, IsFlag(flag), OprCtlOmtDlg, notify,
                  [&](DlgImg* p) { return p ? p->SetOmtDlgPrtFlag(flag) : Store(pri.bOmtDlgPrt, flag); });
}

int DlbPnlOpr::SetPrtMod(int mode, int notify)
{
    Pri& pri = theAppInf.poi.pri;
    return SetPrt("SetPrtMod", mode == pri.iMode, mode >= 1 && mode <= 6, OprCtlFit, notify,
                  [&](DlgImg* p) { return p ? p->SetPrtMod(mode) : Store(pri.iMode, mode); });
}

int DlbPnlOpr::SetPrtHdrFlag(int flag, int notify)
{
    Pri& pri = theAppInf.poi.pri;
    int rc = SetPrt("SetPrtHdrFlag", flag == pri.bHeader, IsFlag(flag), OprCtlHdrOn, notify,
                    [&](DlgImg* p) { return p ? p->SetPrtHdrFlag(flag) : Store(pri.bHeader, flag); });
    if (m_inf.bReady) EnableCtl();
    return rc;
}

int DlbPnlOpr::SetPrtFtrFlag(int flag, int notify)
{
    Pri& pri = theAppInf.poi.pri;
    int rc = SetPrt("SetPrtFtrFlag", flag == pri.bFooter, IsFlag(flag), OprCtlFtrOn, notify,
                    [&](DlgImg* p) { return p ? p->SetPrtFtrFlag(flag) : Store(pri.bFooter, flag); });
    if (m_inf.bReady) EnableCtl();
    return rc;
}

int DlbPnlOpr::SetPrtHdrFnt(const char* font, int notify)
{
    AppMem& text = theAppInf.poi.pri.amLogFontHdr;
    return SetPrt("SetPrtHdrFnt", font && SameText(text, font), IsFont(font), OprCtlFntHdr, notify,
                  [&](DlgImg* p) { return p ? p->SetPrtHdrFnt(font) : VkeSubSetAppMemStr(Sub(), &text, font); });
}

int DlbPnlOpr::SetPrtFtrFnt(const char* font, int notify)
{
    AppMem& text = theAppInf.poi.pri.amLogFontFtr;
    return SetPrt("SetPrtFtrFnt", font && SameText(text, font), IsFont(font), OprCtlFntFtr, notify,
                  [&](DlgImg* p) { return p ? p->SetPrtFtrFnt(font) : VkeSubSetAppMemStr(Sub(), &text, font); });
}

int DlbPnlOpr::SetPrtHdrStr(const char* text, int notify)
{
    // The text the print-page record holds: 1023 bytes, cut on a character boundary.
    char cut[1024] = {};
    const int fit = text ? VkeSubCopyStr(Sub(), cut, text, sizeof(cut)) : VKE_OK;
    AppMem& header = theAppInf.poi.pri.amHeader;
    int rc = SetPrt("SetPrtHdrStr", text && SameText(header, cut), text != nullptr, OprCtlHeader, notify,
                    [&](DlgImg* p) { return p ? p->SetPrtHdrStr(cut) : VkeSubSetAppMemStr(Sub(), &header, cut); });
    return rc == VKE_OK && fit == VKE_ERR_CUT ? fit : rc;
}

int DlbPnlOpr::SetPrtFtrStr(const char* text, int notify)
{
    char cut[1024] = {};
    const int fit = text ? VkeSubCopyStr(Sub(), cut, text, sizeof(cut)) : VKE_OK;
    AppMem& footer = theAppInf.poi.pri.amFooter;
    int rc = SetPrt("SetPrtFtrStr", text && SameText(footer, cut), text != nullptr, OprCtlFooter, notify,
                    [&](DlgImg* p) { return p ? p->SetPrtFtrStr(cut) : VkeSubSetAppMemStr(Sub(), &footer, cut); });
    return rc == VKE_OK && fit == VKE_ERR_CUT ? fit : rc;
}

int DlbPnlOpr::SetPrtOriFlag(int orientation, int notify)
{
    DlgImg* page = nullptr;
    int rc = SetPrt("SetPrtOriFlag", orientation == GetPrtOriFlag(), orientation >= 1 && orientation <= 4,
                    OprCtlOriCur, notify, [&](DlgImg* p) {
                        page = p;
                        // The printer turns first, so that a page's set-up reads the orientation
                        // chosen; a failure keeps the setting all the same.
                        int turned = VKE_OK;
                        if (orientation == 3 || orientation == 4) {
                            HalcorApp* app = HalcorGetApp();
                            turned = app ? app->SetPrtOrient(orientation == 3 ? 1 : 0) : VKE_ERR_SYSTEM;
                            if (turned < 0) theCmnSub.MsgBoxById(IDS_VKA_ORIENT_SET, MB_OK | MB_ICONEXCLAMATION);
                        }
                        int stored = p ? p->SetPrtOriFlag(orientation) : Store(theAppInf.poi.pri.iOrientation, orientation);
                        return turned < 0 ? turned : stored;
                    });
    RedrawFramed(page);
    return rc;
}
