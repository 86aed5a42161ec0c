// The image page's state as a row of the open-information file: filled from the page, applied to
// it, and the direct image changes a row brings.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgAtr"
#include "DlgImg.h"
#include "DlbPnlOpr.h"
#include "CmnImg.h"
#include "Halcor.h"
#include "HalcorViw.h"

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

} // namespace

int DlgImg::GetOpi(Opi* opi)
{
    if (!m_bInitImg) return Fail("GetOpi", VKE_ERR_NOT_INIT);
    if (!opi) return Fail("GetOpi", VKE_ERR_ARG);
    Ici& ici = *m_pIci;
    // The image as the row found it; a change the platform refuses leaves it unturned (1).
    int rc = VKE_OK;
    auto keep = [&rc](int one) {
        if (rc == VKE_OK && one != VKE_OK && one != VKE_NOT_DONE) rc = one;
        return one == VKE_OK;
    };
    // The record's turn and flips become the page's, 0 as well; one the image did not take stays 0.
    ici.dRotate = opi->dRotate != 0 && keep(RotateImageDirect(opi->dRotate)) ? opi->dRotate : 0;
    ici.bFlpTb = opi->bFlpTb == 1 && keep(ReflectImageDirect(1)) ? 1 : 0;
    ici.bFlpLr = opi->bFlpLr == 1 && keep(ReflectImageDirect(0)) ? 1 : 0;

    Fri& fri = ici.poi.fri;
    fri.iMode = opi->iFrmMode;
    fri.bShwFrm = opi->bShwFrm;
    fri.bPagSet = opi->bPagSet;
    fri.bHrzSca = opi->bHrzSca;
    fri.iWidth = opi->iWidth;
    fri.iHeight = opi->iHeight;
    ici.poi.pri.iOrientation = opi->iOrientation;
    ici.rctMargin = opi->rctMargin;
    ici.rctFrm = opi->rctFrm;
    const bool framed = !::IsRectEmpty(&opi->rctFrm);
    ici.bOrnSet = ici.bFrmSet = framed ? 1 : 0;
    // The messages of the printer steps show once, at the end.
    MsgHold hold(this);
    if (IsCurPage()) {
        // The current page's values are the operation panel's; its frame is shown through it.
        fri.bShwFrm = 0;
        if (keep(SetPoi()) && opi->bShwFrm == 1 && ici.pthImg.hImg) {
            keep(SetShwFrmFlag(1));
            ShowPnlCtl(OprCtlShwFrm);
        }
    } else if (framed && ici.pthImg.hImg) {
        keep(FitOpiFrame());
    }
    return rc == VKE_OK ? rc : Fail("GetOpi", rc);
}

int DlgImg::SetOpi(Opi* opi)
{
    if (!m_bInitImg) return Fail("SetOpi", VKE_ERR_NOT_INIT);
    if (!opi) return Fail("SetOpi", VKE_ERR_ARG);
    int rc = IsCurPage() ? GetPoi() : VKE_OK;
    if (rc == VKE_OK) rc = VkeSubSetAppMemStr(Sub(), &opi->amPath, m_strPathName);
    int locked = 0, index = -1;
    HalcorViw* view = View();
    if (rc == VKE_OK && view && !IsSelImgPage() && view->SchPageByHdl(m_hWnd, &index) == VKE_OK)
        rc = view->GetLockedFlag(index, &locked);
    if (rc != VKE_OK) return Fail("SetOpi", rc);
    const Ici& ici = *m_pIci;
    const Fri& fri = ici.poi.fri;
    opi->bLock = locked;
    // A saved file holds the turn and the flips already, but no cut frame: the frame stays the
    // page's, in the pixels the file holds. An image not shown has neither.
    const bool shown = ici.pthImg.hImg != nullptr, turned = shown && m_bSaved != 1;
    opi->dRotate = turned ? ici.dRotate : 0;
    opi->bFlpTb = turned ? ici.bFlpTb : 0;
    opi->bFlpLr = turned ? ici.bFlpLr : 0;
    opi->bShwFrm = shown ? fri.bShwFrm : 0;
    opi->rctFrm = shown ? ici.rctFrm : RECT{0, 0, 0, 0};
    opi->iFrmMode = fri.iMode;
    opi->bPagSet = fri.iMode == 3 ? fri.bPagSet : 0;
    opi->bHrzSca = fri.bHrzSca;
    opi->iWidth = fri.iWidth;
    opi->iHeight = fri.iHeight;
    opi->iOrientation = ici.poi.pri.iOrientation;
    opi->rctMargin = ici.rctMargin;
    return VKE_OK;
}

int DlgImg::RotateImageDirect(double degrees)
{
    if (!m_bInitImg) return Fail("RotateImageDirect", VKE_ERR_NOT_INIT);
    if (degrees != 90 && degrees != 180 && degrees != 270) return Fail("RotateImageDirect", VKE_ERR_ARG);
    const HBITMAP img = m_pIci->pthImg.hImg;
    return ChangeImage(ImgChg{"RotateImageDirect", StepChange, 0, 0, true},
                       [&](HBITMAP* out) { return theCmnImg.RotateImage(out, img, degrees); }, nullptr);
}

int DlgImg::ReflectImageDirect(int direction)
{
    if (!m_bInitImg) return Fail("ReflectImageDirect", VKE_ERR_NOT_INIT);
    if (direction != 0 && direction != 1) return Fail("ReflectImageDirect", VKE_ERR_ARG);
    const HBITMAP img = m_pIci->pthImg.hImg;
    return ChangeImage(ImgChg{"ReflectImageDirect", StepChange, 0, 0, true},
                       [&](HBITMAP* out) { return theCmnImg.ReflectImage(out, img, direction); }, nullptr);
}
