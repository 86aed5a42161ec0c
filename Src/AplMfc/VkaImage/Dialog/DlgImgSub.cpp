// The image page's record: attaching an image, laying the drawing area out for it, drawing it
// when the area asks, and the undo data.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgSub"
#include "DlgImg.h"
#include "DlbPnlOpr.h"
#include "CmnImg.h"
#include "Halcor.h"
#include "HalcorViw.h"
#include <algorithm>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

void EmptyText(AppMem* text) { VkeSubSetAppMemStr(Sub(), text, ""); }

// The view state that starts afresh with an image: the shown size is the image's, and the print
// rectangle, the cut frame, the scroll position, rotation, flips and settled flags are cleared.
void ResetView(Ici& ici, int width, int height)
{
    ici.iShwWidth = width;
    ici.iShwHeight = height;
    ici.rctPrtImg = ici.rctFrm = RECT{0, 0, 0, 0};
    ici.iPosX = ici.iPosY = 0;
    ici.dRotate = 0;
    ici.bFlpTb = ici.bFlpLr = ici.bOrnSet = ici.bFrmSet = 0;
}

} // namespace

// ---- Attaching ----

int DlgImg::AttachDIB(const Adi& adi)
{
    HBITMAP fresh = adi.hImg;
    if (!m_bInitImg) {
        theCmnImg.CloseImage(&fresh);
        return Fail("AttachDIB", VKE_ERR_NOT_INIT);
    }
    CmnVarPthImg& img = m_pIci->pthImg;
    HBITMAP old = img.hImg;
    int rc;
    if (adi.hImg) {
        int width = 0, height = 0, bits = 0;
        rc = theCmnImg.GetImageInf(adi.hImg, &width, &height, &bits);
        if (rc == VKE_OK) rc = SetIci(m_strPathName, adi, width, height, bits);
    } else {
        rc = ClearIci(m_strPathName, adi.bClrTxt);
    }
    if (rc != VKE_OK) {
        // The page keeps what it showed; a new image it cannot show goes.
        img.hImg = old;
        if (fresh != old) theCmnImg.CloseImage(&fresh);
        return Fail("AttachDIB", rc);
    }
    // The old image goes only now that the new one stands in its place.
    if (old && old != adi.hImg) theCmnImg.CloseImage(&old);
    return InitialDrawing();
}

int DlgImg::SetIci(const char* path, const Adi& adi, int width, int height, int bitCount)
{
    if (!m_bInitImg) return Fail("SetIci", VKE_ERR_NOT_INIT);
    if (!path) return Fail("SetIci", VKE_ERR_ARG);
    Ici& ici = *m_pIci;
    CmnVarPthImg& img = ici.pthImg;
    int rc = VkeSubSetAppMemStr(Sub(), &img.amPath, path);
    if (rc != VKE_OK) return Fail("SetIci", rc);
    img.hImg = adi.hImg;
    img.iTypImg = adi.iTypImg;
    img.iWidth = width;
    img.iHeight = height;
    img.iBitCnt = bitCount;
    img.fXRes = adi.fXRes;
    img.fYRes = adi.fYRes;
    img.bKnown = adi.bKnown;
    ici.iModeSca = adi.iModeSca;
    ici.lScaNum = adi.lScaNum;
    ici.lScaDen = adi.lScaDen;
    if (adi.bReset) ResetView(ici, width, height);
    TakeImageSize(width, height, adi.bClrTxt, true);
    return VKE_OK;
}

int DlgImg::ClearIci(const char* path, int clearTexts)
{
    if (!m_bInitImg) return Fail("ClearIci", VKE_ERR_NOT_INIT);
    if (!path) return Fail("ClearIci", VKE_ERR_ARG);
    Ici& ici = *m_pIci;
    CmnVarPthImg& img = ici.pthImg;
    int rc = VkeSubSetAppMemStr(Sub(), &img.amPath, path);
    if (rc != VKE_OK) return Fail("ClearIci", rc);
    img.hImg = nullptr;
    img.iTypImg = img.iWidth = img.iHeight = img.iBitCnt = img.bKnown = 0;
    img.fXRes = img.fYRes = 0;
    ici.iModeSca = ici.lScaNum = ici.lScaDen = 1;
    ResetView(ici, 0, 0);
    TakeImageSize(0, 0, clearTexts, false);
    return VKE_OK;
}

// The cut frame's size becomes the image's, a shown frame goes, the header and footer texts
// empty on request, and an orientation that follows the image turns with it: on the page alone,
// or, for the current page, in the application's values that the page then takes.
void DlgImg::TakeImageSize(int width, int height, int clearTexts, bool orient)
{
    const int follow = width < height ? 4 : 3;
    Poi& page = m_pIci->poi;
    if (!IsCurPage()) {
        GetPoi();
        page.fri.iWidth = width;
        page.fri.iHeight = height;
        page.fri.bShwFrm = 0;
        if (clearTexts == 1) {
            EmptyText(&page.pri.amHeader);
            EmptyText(&page.pri.amFooter);
        }
        int& o = page.pri.iOrientation;
        if (orient && (o == 0 || o == 3 || o == 4)) o = follow;
        return;
    }
    Poi& app = theAppInf.poi;
    page.fri.iWidth = app.fri.iWidth = width;
    page.fri.iHeight = app.fri.iHeight = height;
    ShowPnlCtl(OprCtlWidth);
    ShowPnlCtl(OprCtlHeight);
    if (app.fri.bShwFrm) {
        app.fri.bShwFrm = 0;
        ShowPnlCtl(OprCtlShwFrm);
    }
    if (clearTexts == 1) {
        EmptyText(&app.pri.amHeader);
        EmptyText(&app.pri.amFooter);
        ShowPnlCtl(OprCtlHeader);
        ShowPnlCtl(OprCtlFooter);
    }
    int& o = app.pri.iOrientation;
    if (orient && (o == 3 || o == 4)) {
        o = follow;
        ShowPnlCtl(o == 3 ? OprCtlLandscape : OprCtlPortrait);
    }
    GetPoi();
}

// ---- The drawing area ----

int DlgImg::InitialDrawing()
{
    if (!m_bInitImg) return Fail("InitialDrawing", VKE_ERR_NOT_INIT);
    VkiDra* dra = GetDra();
    const Ici& ici = *m_pIci;
    const CmnVarPthImg& img = ici.pthImg;
    const bool visible = IsWindowVisible() != FALSE;
    if (visible) SetRedraw(FALSE);
    int rc = theCmnImg.ShowOnDra(dra, img, ici.iModeSca, ici.lScaNum, ici.lScaDen);
    // Laid out once more at the new scale: a fit leaves the area short of the scroll bars it
    // needed at 1:1 and no longer shows.
    CRect client;
    GetClientRect(&client);
    CRect area = GetDraRect(client.Width(), client.Height());
    if (rc == VKE_OK) rc = VkeDraMove(dra, &area, nullptr);
    int h = 0, v = 0;
    // A position outside the drawing (-13) is still converted; the scroll clamps it.
    if (rc == VKE_OK && VkeDraHDraPosToHScrPos(dra, &h, ici.iPosX) != VKE_ERR_ARG &&
        VkeDraVDraPosToVScrPos(dra, &v, ici.iPosY) != VKE_ERR_ARG) {
        VkeDraHScroll(dra, SB_THUMBPOSITION, h);
        VkeDraVScroll(dra, SB_THUMBPOSITION, v);
    }
    // A page on a tab not selected stays hidden: the tab control decides which page shows.
    if (visible) SetRedraw(TRUE);
    Redraw(0);
    return rc == VKE_OK ? rc : Fail("InitialDrawing", rc);
}

// ---- Drawing ----

LRESULT DlgImg::OnVkeWmDrw(WPARAM wParam, LPARAM lParam)
{
    const Dri* dri = reinterpret_cast<const Dri*>(lParam);
    if (!wParam || !dri) {
        Fail("Draw", VKE_ERR_ARG);
        return 0;
    }
    ++m_iDrawing;
    Draw(*dri);
    --m_iDrawing;
    return 1;
}

int DlgImg::Draw(const Dri& dri)
{
    if (!m_bInitImg) return Fail("Draw", VKE_ERR_NOT_INIT);
    HalcorApp* app = HalcorGetApp();
    int closing = 0;
    if (app) app->GetFlgClsAll(&closing);
    if (!dri.iPrinting && closing == 1) return VKE_OK;
    if (!dri.hDC) return Fail("Draw", VKE_ERR_SYSTEM);
    VkiDra* dra = GetDra();
    RECT client = {};
    ::GetClientRect(GetDraWnd(), &client);
    RECT target = dri.iPrinting ? dri.rct : client;
    if (!dri.iPrinting) ::DPtoLP(dri.hDC, reinterpret_cast<POINT*>(&target), 2);
    COLORREF back = RGB(255, 255, 255);
    VkeDraGetBackColor(dra, &back);
    Ici& ici = *m_pIci;
    if (!ici.pthImg.hImg) {
        CmnImg::FillBack(dri.hDC, target, back);
        return VKE_OK;
    }
    // A shown frame narrower or lower than a pixel goes.
    const RECT& frm = ici.rctFrm;
    if (theAppInf.poi.fri.bShwFrm == 1 && (frm.right - frm.left < 1 || frm.bottom - frm.top < 1)) {
        ici.poi.fri.bShwFrm = 0;
        ici.rctFrm = RECT{0, 0, 0, 0};
        if (IsCurPage()) {
            theAppInf.poi.fri.bShwFrm = 0;
            ShowPnlCtl(OprCtlShwFrm);
        }
    }
    RECT inner = {};
    int rc = VkeDraGetInrDraRectSca(dra, &inner);
    if (rc == VKE_OK) rc = VkeDraGetDraHScrPos(dra, &ici.iPosX);
    if (rc == VKE_OK) rc = VkeDraGetDraVScrPos(dra, &ici.iPosY);
    if (rc != VKE_OK) return Fail("Draw", rc);
    ici.iShwWidth = inner.right - inner.left;
    ici.iShwHeight = inner.bottom - inner.top;
    ReadScale();
    if (!dri.iPrinting) {
        // A request for part of the area repaints the frame only there: an inverting frame is
        // taken off everywhere first, and drawn whole again after the image.
        RECT covered = {};
        const bool whole = ::IntersectRect(&covered, &dri.rct, &target) && ::EqualRect(&covered, &target);
        if (!whole && m_bFrmDrawn && m_bInvClrFrm) ClearFrame();
        m_bFrmDrawn = 0;
    }
    rc = DrawImage(dri.hDC, inner, client);
    if (!dri.iPrinting) {
        if (IsFrmShown()) DrawFrame();
        // The margins right of and below the image, within the request.
        RECT right = {inner.right, target.top, target.right, target.bottom};
        RECT below = {target.left, inner.bottom, target.right, target.bottom};
        for (RECT part : {right, below})
            if (::IntersectRect(&part, &part, &dri.rct)) CmnImg::FillBack(dri.hDC, part, back);
    }
    ShowStatus();
    return rc == VKE_OK ? rc : Fail("Draw", rc);
}

int DlgImg::DrawImage(HDC dc, const RECT& inner, const RECT& client) { return DrawImageParts(dc, inner, client, nullptr, 0); }

int DlgImg::DrawImageParts(HDC dc, const RECT& inner, const RECT& client, const RECT* parts, int count)
{
    const int width = inner.right - inner.left, height = inner.bottom - inner.top;
    if (width < 1 || height < 1) return VKE_OK;
    CmnDrmImage image(&m_drm, m_pIci->pthImg.hImg);
    if (image.Result() != VKE_OK) return image.Result();
    // The draw memory's DC in the drawing's scaled units, cut to the part in sight.
    const int x = m_pIci->iPosX, y = m_pIci->iPosY;
    DrawInfo info = {m_drm.hDC, MM_ANISOTROPIC, inner.left, inner.top, width, height, 0, 0, m_drm.iUsedWidth,
                     m_drm.iUsedHeight, std::max<int>(inner.left, x), std::max<int>(inner.top, y),
                     std::min<int>(inner.right, x + client.right - client.left),
                     std::min<int>(inner.bottom, y + client.bottom - client.top)};
    int rc = VkeDrwSetDrawInfoLast(theCmnAppInf.pDrw, &info);
    if (rc != VKE_OK) return rc;
    auto copy = [&] {
        return theCmnImg.CopyImageWithMode(dc, inner.left, inner.top, m_drm.hDC, inner.left, inner.top, width, height,
                                           theCmnAppInf.iModeStretch);
    };
    if (!parts) return copy();
    // One copy per part, each within its own clip: a reduction makes only what it lets through.
    for (int i = 0; i < count && rc == VKE_OK; ++i) {
        CDCSave saved(dc);
        CGdiObject part;
        if (!part.Attach(::CreateRectRgnIndirect(&parts[i]))) return VKE_ERR_MEMORY;
        ::ExtSelectClipRgn(dc, static_cast<HRGN>(part.m_hObject), RGN_AND);
        rc = copy();
    }
    return rc;
}

void DlgImg::ReadScale()
{
    VkiDra* dra = GetDra();
    Ici& ici = *m_pIci;
    int mode = 0, num = 0, den = 0;
    if (VkeDraGetScaleMode(dra, &mode) == VKE_OK) ici.iModeSca = mode;
    if (VkeDraGetScale(dra, &num, &den) == VKE_OK) {
        ici.lScaNum = num;
        ici.lScaDen = den;
    }
}

// ---- Undo ----

int DlgImg::SetEud(int kind)
{
    if (!m_bInitImg) return Fail("SetEud", VKE_ERR_NOT_INIT);
    if (IsCurPage()) GetPoi();
    int rc = VkeSubSetEud(Sub(), m_hWnd, m_pEui, kind, kind, VkaCodIci, m_pIci, 0);
    return rc == VKE_OK ? rc : Fail("SetEud", rc);
}

// The engine's requests for the page's snapshots: made, refreshed and freed as copies of the
// record, and put back (request 8), after which the page shows its restored image.
LRESULT DlgImg::OnVkeWmEudDat(WPARAM wParam, LPARAM)
{
    EudReq* req = reinterpret_cast<EudReq*>(wParam);
    if (!m_pIci) {
        Fail("OnVkeWmEudDat", VKE_ERR_NOT_INIT);
        return 0;
    }
    if (!req) {
        Fail("OnVkeWmEudDat", VKE_ERR_SYSTEM);
        return 0;
    }
    Dat** slot1 = reinterpret_cast<Dat**>(req->ppSlot1);
    Dat** slot2 = reinterpret_cast<Dat**>(req->ppSlot2);
    const bool restore = req->iRequest == VKE_EUD_RESTORE;
    req->iResult = restore ? theVkaSubDat.EditDat(req->iRequest, req->iKind, nullptr, slot2, m_pIci)
                           : theVkaSubDat.EditDat(req->iRequest, req->iKind, slot1, slot2, nullptr);
    if (req->iResult == VKE_OK && restore && m_bInitImg) {
        SetPoi();
        const CmnVarPthImg& img = m_pIci->pthImg;
        Adi adi = {img.hImg, img.iTypImg, img.fXRes, img.fYRes, img.bKnown,
                   m_pIci->iModeSca, m_pIci->lScaNum, m_pIci->lScaDen, 0, 0};
        AttachDIB(adi);
        m_bModified = 1;
        SetFocusDra();
    }
    return 1;
}
