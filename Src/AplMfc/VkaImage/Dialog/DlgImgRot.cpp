// The image page's scale slots and its image changes: the one road every change of the image
// takes (undo step, new image, attached in place of the old one), turning and flipping with the
// view's middle, a shown cut frame and the paper following the image, and size conversion.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgRot"
#include "DlgImg.h"
#include "CmnImg.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "DlgCnvSiz.h"
#include "Halcor.h"
#include "HalcorRes.h"

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

// Orientation settings that follow the image: 3 landscape, 4 portrait.
enum { OriLandscape = 3, OriPortrait = 4 };

} // namespace

// ---- The one road of image changes ----

int DlgImg::ChangeImage(const ImgChg& chg, const std::function<int(HBITMAP*)>& make, const std::function<void()>& settle)
{
    if (!m_bInitImg) return Fail(chg.name, VKE_ERR_NOT_INIT);
    EndTracking();
    const CmnVarPthImg& img = m_pIci->pthImg;
    if (!img.hImg) return VKE_NOT_DONE;
    int rc = chg.direct ? VkeSubSetEud(Sub(), m_hWnd, m_pEui, chg.step, chg.step, VkaCodIci, m_pIci, 0)
                        : SetEud(chg.step);
    if (rc != VKE_OK) {
        // Nothing changes that could not be undone.
        if (!chg.direct) theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
        return Fail(chg.name, rc);
    }
    // A view that starts afresh forgets the frame: it goes from the window first.
    if (chg.reset == 1) ClearFrame();
    HBITMAP made = nullptr;
    rc = make(&made);
    if ((rc == VKE_OK || rc == VKE_ERR_CUT) && !made) rc = VKE_ERR_SYSTEM;
    if (rc != VKE_OK && rc != VKE_ERR_CUT) {
        theCmnImg.CloseImage(&made);
        if (chg.failMsg) theCmnSub.MsgBoxById(chg.failMsg, MB_OK | MB_ICONEXCLAMATION);
        return rc == VKE_NOT_DONE ? rc : Fail(chg.name, rc);
    }
    Adi adi = {made,           img.iTypImg,       img.fXRes,         img.fYRes, img.bKnown,
               m_pIci->iModeSca, m_pIci->lScaNum, m_pIci->lScaDen, chg.reset, 0};
    rc = AttachDIB(adi);
    // Only a failed layout leaves the new image the page's: then the change stands.
    if (img.hImg != made) return Fail(chg.name, rc);
    if (settle) settle();
    if (!chg.direct) {
        m_bModified = 1;
        SetFocusDra();
    }
    return rc == VKE_OK ? rc : Fail(chg.name, rc);
}

// ---- Scale ----

bool DlgImg::DraFocused()
{
    void* obj = nullptr;
    return m_bInitImg && GetFocusCtl(&obj) == CmnTypDra;
}

bool DlgImg::EditsImage()
{
    if (DraFocused()) return true;
    HWND focus = ::GetFocus();
    const bool inPage = focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
    return m_bInitImg && !inPage && !CmnWin::IsEditWnd(focus);
}

int DlgImg::IsDIBAttached() { return DraFocused() && m_pIci->pthImg.hImg ? 1 : 0; }

int DlgImg::Rescale(const char* name, const std::function<int()>& apply)
{
    const bool shown = IsFrmShown();
    if (shown) ClearFrame();
    int rc = apply();
    ReadScale();
    if (shown && !::GetUpdateRect(GetDraWnd(), nullptr, FALSE)) DrawFrame();
    return rc == VKE_OK ? rc : Fail(name, rc);
}

int DlgImg::SetScaleMode(int mode, int num, int den)
{
    if (m_bInitImg) EndTracking();
    if (!IsDIBAttached()) return VKE_NOT_DONE;
    return Rescale("SetScaleMode", [&] { return VkeDraSetScaleMode(GetDra(), mode, num, den); });
}

int DlgImg::GetScaleMode(int* out)
{
    if (!out) return Fail("GetScaleMode", VKE_ERR_ARG);
    *out = 0;
    if (!IsDIBAttached()) return VKE_OK;
    int rc = VkeDraGetScaleMode(GetDra(), out);
    return rc == VKE_OK ? rc : Fail("GetScaleMode", rc);
}

int DlgImg::SetScale(int num, int den)
{
    if (m_bInitImg) EndTracking();
    if (!IsDIBAttached()) return VKE_NOT_DONE;
    return Rescale("SetScale", [&] { return VkeDraSetScale(GetDra(), num, den); });
}

int DlgImg::GetScale(int* num, int* den)
{
    if (!num || !den) return Fail("GetScale", VKE_ERR_ARG);
    *num = 0;
    *den = 1;
    if (!IsDIBAttached()) return VKE_OK;
    int rc = VkeDraGetScale(GetDra(), num, den);
    return rc == VKE_OK ? rc : Fail("GetScale", rc);
}

int DlgImg::SetScaleByDlg(int decimals)
{
    if (m_bInitImg) EndTracking();
    if (decimals < 0 || !IsDIBAttached()) return VKE_NOT_DONE;
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail("SetScaleByDlg", VKE_ERR_SYSTEM);
    const CmnVarPthImg& img = m_pIci->pthImg;
    int num = 0, den = 1;
    int rc = app->ShowSetScaDlg(decimals, img.iWidth, img.iHeight, &num, &den);
    if (rc == VKE_CANCELLED) return rc;
    if (rc != VKE_OK) return Fail("SetScaleByDlg", rc);
    return Rescale("SetScaleByDlg", [&] { return VkeDraSetScale(GetDra(), num, den); });
}

// ---- Turning and flipping ----

FrmView DlgImg::ViewNow()
{
    VkiDra* dra = GetDra();
    Ici& ici = *m_pIci;
    RECT client = {}, inner = {};
    ::GetClientRect(GetDraWnd(), &client);
    VkeDraGetInrDraRectSca(dra, &inner);
    VkeDraGetDraHScrPos(dra, &ici.iPosX);
    VkeDraGetDraVScrPos(dra, &ici.iPosY);
    return FrmView{SIZE{client.right - client.left, client.bottom - client.top},
                   SIZE{inner.right - inner.left, inner.bottom - inner.top}, POINT{ici.iPosX, ici.iPosY}};
}

void DlgImg::ScrollToMiddle(POINT middle)
{
    const FrmView now = ViewNow();
    const POINT to = FrmMiddleScroll(middle, now.client, now.drawing);
    const int x = to.x, y = to.y;
    ScrollDra(&x, &y);
}

bool DlgImg::HideFrame()
{
    if (!IsFrmShown()) return false;
    ClearFrame();
    theAppInf.poi.fri.bShwFrm = 0;
    return true;
}

void DlgImg::RestoreFrame()
{
    theAppInf.poi.fri.bShwFrm = 1;
    if (!::GetUpdateRect(GetDraWnd(), nullptr, FALSE)) DrawFrame();
}

void DlgImg::ShowMovedFrame(const RECT& frame, bool pageSet, const char* name)
{
    Fri& fri = theAppInf.poi.fri;
    fri.bShwFrm = m_pIci->poi.fri.bShwFrm = 1;
    if (pageSet && fri.iMode == FrmModeFixedRatio && fri.bPagSet == 1) {
        // Made again from the page set-up, whose paper has turned too; without a printer it
        // stays as turned, and the page set-up said why.
        StoreFrm(frame);
        if (PageSetup() == VKE_NOT_DONE) ShowMsg(IDS_CMN_PRINTER);
        return;
    }
    RECT clipped = frame;
    const int rc = ClipFrmRct(&clipped);
    StoreFrm(rc == VKE_OK ? clipped : m_pIci->rctFrm);
    if (rc != VKE_OK) Fail(name, rc);
}

void DlgImg::TurnPaper(int setting)
{
    HalcorApp* app = HalcorGetApp();
    if (!app || (setting != OriLandscape && setting != OriPortrait)) return;
    const int landscape = setting == OriPortrait ? 1 : 0;
    if (app->SetPrtOrient(landscape) < 0) ShowMsg(IDS_VKA_ORIENT_SET);
    m_bLandscape = landscape;
    TakeOrientation(landscape);
}

int DlgImg::RotateImage(double degrees)
{
    if (!m_bInitImg) return Fail("RotateImage", VKE_ERR_NOT_INIT);
    EndTracking();
    if (degrees != 90 && degrees != 180 && degrees != 270) return Fail("RotateImage", VKE_ERR_ARG);
    const int turn = static_cast<int>(degrees);
    MsgHold hold(this);
    Ici& ici = *m_pIci;
    FrmView before = {};
    RECT frame = {};
    bool hidden = false;
    int setting = 0;
    auto make = [&](HBITMAP* out) {
        before = ViewNow();
        frame = FrmRotate(ici.rctFrm, turn, ImageSize());
        // The orientation as it was: attaching the turned image makes a following one follow.
        setting = PagePoi().pri.iOrientation;
        hidden = HideFrame();
        return theCmnImg.RotateImage(out, ici.pthImg.hImg, degrees);
    };
    auto settle = [&] {
        ScrollToMiddle(FrmTurnMiddle(before, turn));
        ici.dRotate += degrees;
        if (ici.dRotate >= 360) ici.dRotate -= 360;
        if (turn != 180) TurnPaper(setting);
        if (hidden) ShowMovedFrame(frame, true, "RotateImage");
    };
    int rc = ChangeImage(ImgChg{"RotateImage", StepChange, 0, IDS_DLGIMG_ROTATE_FAIL, false}, make, settle);
    if (rc != VKE_OK && hidden) RestoreFrame();
    return rc;
}

int DlgImg::ReflectImage(int direction)
{
    if (!m_bInitImg) return Fail("ReflectImage", VKE_ERR_NOT_INIT);
    EndTracking();
    if (direction != 0 && direction != 1) return Fail("ReflectImage", VKE_ERR_ARG);
    Ici& ici = *m_pIci;
    FrmView before = {};
    RECT frame = {};
    bool hidden = false;
    auto make = [&](HBITMAP* out) {
        before = ViewNow();
        frame = FrmReflect(ici.rctFrm, direction, ImageSize());
        hidden = HideFrame();
        return theCmnImg.ReflectImage(out, ici.pthImg.hImg, direction);
    };
    auto settle = [&] {
        ScrollToMiddle(FrmMirrorMiddle(before, direction));
        int& flipped = direction == 1 ? ici.bFlpTb : ici.bFlpLr;
        flipped = flipped ? 0 : 1;
        if (hidden) ShowMovedFrame(frame, false, "ReflectImage");
    };
    int rc = ChangeImage(ImgChg{"ReflectImage", StepChange, 0, IDS_DLGIMG_REFLECT_FAIL, false}, make, settle);
    if (rc != VKE_OK && hidden) RestoreFrame();
    return rc;
}

// ---- Size conversion ----

int DlgImg::CnvSiz()
{
    if (!m_bInitImg) return Fail("CnvSiz", VKE_ERR_NOT_INIT);
    EndTracking();
    if (!m_pIci->pthImg.hImg) return VKE_NOT_DONE;
    const RECT src = EditSrc();
    const int sw = src.right - src.left, sh = src.bottom - src.top;
    HalcorApp* app = HalcorGetApp();
    DlgCnvSiz dialog(app ? app->GetMainFrame() : nullptr);
    int rc = dialog.SetParam(4, sw, sh);
    if (rc != VKE_OK) return Fail("CnvSiz", rc);
    if (dialog.DoModal() != IDOK) return VKE_CANCELLED;
    int w = 0, h = 0;
    rc = dialog.GetSize(&w, &h);
    if (rc != VKE_OK) return Fail("CnvSiz", rc);
    // The same size is a plain copy.
    const int mode = w == sw && h == sh ? 0 : theCmnAppInf.iModeStretch;
    const HBITMAP img = m_pIci->pthImg.hImg;
    auto make = [&](HBITMAP* out) {
        return theCmnImg.StretchDIB(out, w, h, img, src.left, src.top, sw, sh, 0, nullptr, mode);
    };
    return ChangeImage(ImgChg{"CnvSiz", StepChange, 1, 0, false}, make, nullptr);
}

// ---- The commands ----

BOOL DlgImg::OnImgChgCmd(UINT nID)
{
    if (IsDIBAttached() != 1 || DeferWhileDrawing(nID)) return TRUE;
    switch (nID) {
    case ID_VKA_IMG_RESIZE: CnvSiz(); break;
    case ID_VKA_IMG_ROT_90: RotateImage(90.0); break;
    case ID_VKA_IMG_ROT_180: RotateImage(180.0); break;
    case ID_VKA_IMG_ROT_270: RotateImage(270.0); break;
    case ID_VKA_IMG_FLIP_V: ReflectImage(1); break;
    case ID_VKA_IMG_FLIP_H: ReflectImage(0); break;
    default: break;
    }
    return TRUE;
}

void DlgImg::OnUpdateImgChgCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(IsDIBAttached() == 1); }
