// The image page's edit slots and edit commands: undo and redo over its history, cut and copy of
// its image or of the shown frame's part (at its own size or as shown), paste as new pages, the
// path onto the clipboard and the present state kept as an undo step.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgEdt"
#include "DlgImg.h"
#include "CmnImg.h"
#include "CmnWin.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include <algorithm>

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

} // namespace

// ---- Availability ----

bool DlgImg::EditsImage()
{
    if (DraFocused()) return true;
    HWND focus = ::GetFocus();
    return m_bInitImg && focus != m_hWnd && !::IsChild(m_hWnd, focus) && !theCmnWin.IsTextBox(focus);
}

int DlgImg::PageEditFlag(EditFlag* flags)
{
    if (!flags) return Fail("GetEditFlag", VKE_ERR_ARG);
    VkeSubInitEditFlag(Sub(), flags);
    if (!m_bInitImg) return VKE_OK;
    int rc = VkeSubGetEditFlag(Sub(), m_pEui, flags);
    flags->iCut = flags->iCpy = IsExistDIBHandle();
    int image = 0;
    if (::IsClipboardFormatAvailable(CF_HDROP)) image = 1;
    else theCmnImg.IsExistClbDIB(&image);
    flags->iPst = image == 1 ? 1 : 0;
    return rc == VKE_OK ? rc : Fail("GetEditFlag", rc);
}

int DlgImg::EditWord(int EditFlag::*word, int* out, const char* name)
{
    if (!out) return Fail(name, VKE_ERR_ARG);
    EditFlag flags;
    int rc = PageEditFlag(&flags);
    *out = flags.*word;
    return rc;
}

int DlgImg::GetEditFlag(EditFlag* flags) { return EditsImage() ? PageEditFlag(flags) : CmnDlg::GetEditFlag(flags); }

int DlgImg::GetEditUndFlag(int* out)
{
    return EditsImage() ? EditWord(&EditFlag::iUnd, out, "GetEditUndFlag") : CmnDlg::GetEditUndFlag(out);
}

int DlgImg::GetEditRdoFlag(int* out)
{
    return EditsImage() ? EditWord(&EditFlag::iRdo, out, "GetEditRdoFlag") : CmnDlg::GetEditRdoFlag(out);
}

int DlgImg::GetEditCutFlag(int* out)
{
    return EditsImage() ? EditWord(&EditFlag::iCut, out, "GetEditCutFlag") : CmnDlg::GetEditCutFlag(out);
}

int DlgImg::GetEditCpyFlag(int* out)
{
    return EditsImage() ? EditWord(&EditFlag::iCpy, out, "GetEditCpyFlag") : CmnDlg::GetEditCpyFlag(out);
}

int DlgImg::GetEditPstFlag(int* out)
{
    return EditsImage() ? EditWord(&EditFlag::iPst, out, "GetEditPstFlag") : CmnDlg::GetEditPstFlag(out);
}

// ---- Undo and redo ----

int DlgImg::EditUnd()
{
    if (!EditsImage()) return CmnDlg::EditUnd();
    if (DeferWhileDrawing(ID_EDIT_UNDO)) return VKE_OK;
    int flag = 0;
    GetEditUndFlag(&flag);
    if (flag != 1) return VKE_NOT_DONE;
    EndTracking();
    // The panel's values belong to the present state that redo returns to.
    if (IsCurPage()) GetPoi();
    int rc = VkeSubEditUnd(Sub(), m_hWnd, m_pEui, StepChange, VkaCodIci, m_pIci, 0);
    return rc == VKE_OK || rc == VKE_ERR_NOT_FOUND ? rc : Fail("EditUnd", rc);
}

int DlgImg::EditRdo()
{
    if (!EditsImage()) return CmnDlg::EditRdo();
    if (DeferWhileDrawing(ID_EDIT_REDO)) return VKE_OK;
    int flag = 0;
    GetEditRdoFlag(&flag);
    if (flag != 1) return VKE_NOT_DONE;
    EndTracking();
    int rc = VkeSubEditRdo(Sub(), m_hWnd, m_pEui);
    return rc == VKE_OK || rc == VKE_ERR_NOT_FOUND ? rc : Fail("EditRdo", rc);
}

// ---- Cut and copy ----

RECT DlgImg::EditSrc()
{
    const CmnVarPthImg& img = m_pIci->pthImg;
    return IsFrmShown() ? m_pIci->rctFrm : RECT{0, 0, img.iWidth, img.iHeight};
}

int DlgImg::StretchShown(HBITMAP* out)
{
    const RECT src = EditSrc();
    const int w = src.right - src.left, h = src.bottom - src.top;
    int tw = 0, th = 0;
    if (IsFrmShown()) {
        const FrmScale s = Scale();
        tw = FrmMulDiv(w, s.num, s.den, FrmRoundHalf);
        th = FrmMulDiv(h, s.num, s.den, FrmRoundHalf);
    } else {
        RECT inner = {};
        VkeDraGetInrDraRectSca(GetDra(), &inner);
        m_pIci->iShwWidth = inner.right - inner.left;
        m_pIci->iShwHeight = inner.bottom - inner.top;
        tw = m_pIci->iShwWidth;
        th = m_pIci->iShwHeight;
    }
    // A part shown smaller than a pixel is still one.
    tw = std::max(tw, 1);
    th = std::max(th, 1);
    const int mode = tw == w && th == h ? 0 : theCmnAppInf.iModeStretch;
    return theCmnImg.StretchDIB(out, tw, th, m_pIci->pthImg.hImg, src.left, src.top, w, h, 0, nullptr, mode);
}

int DlgImg::CopyToClb(const char* name)
{
    EndTracking();
    HBITMAP image = m_pIci->pthImg.hImg;
    if (!image) return VKE_NOT_DONE;
    CmnImgHold part;
    if (IsFrmShown()) {
        const RECT src = EditSrc();
        int rc = theCmnImg.CopyDIBRgn(part.Out(), image, src.left, src.top, src.right - src.left, src.bottom - src.top);
        if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc == VKE_NOT_DONE ? rc : Fail(name, rc);
        image = part.Get();
    }
    int rc = theCmnImg.CopyDIBToClb(m_hWnd, image);
    return rc == VKE_OK ? rc : Fail(name, rc);
}

int DlgImg::CutWith(const char* name, const std::function<int(HBITMAP*)>& make)
{
    if (!m_bInitImg) return Fail(name, VKE_ERR_NOT_INIT);
    return ChangeImage(ImgChg{name, StepCut, 1, 0, false}, make, [this, name] { CopyToClb(name); });
}

bool DlgImg::CutChangesNothing(bool shownSize)
{
    if (IsFrmShown()) return false;
    if (!shownSize) return true;
    RECT inner = {};
    VkeDraGetInrDraRectSca(GetDra(), &inner);
    const CmnVarPthImg& img = m_pIci->pthImg;
    return inner.right - inner.left == img.iWidth && inner.bottom - inner.top == img.iHeight;
}

int DlgImg::CopyInsteadOfCut(const char* name)
{
    if (!m_bInitImg) return Fail(name, VKE_ERR_NOT_INIT);
    return CopyToClb(name);
}

int DlgImg::EditCutDirect()
{
    if (m_bInitImg && CutChangesNothing(false)) return CopyInsteadOfCut("EditCutDirect");
    return CutWith("EditCutDirect", [this](HBITMAP* out) {
        const RECT src = EditSrc();
        return theCmnImg.CopyDIBRgn(out, m_pIci->pthImg.hImg, src.left, src.top, src.right - src.left,
                                    src.bottom - src.top);
    });
}

int DlgImg::EditCutShw()
{
    if (m_bInitImg && CutChangesNothing(true)) return CopyInsteadOfCut("EditCutShw");
    return CutWith("EditCutShw", [this](HBITMAP* out) { return StretchShown(out); });
}

int DlgImg::EditCpyShw()
{
    if (!m_bInitImg) return Fail("EditCpyShw", VKE_ERR_NOT_INIT);
    EndTracking();
    if (!m_pIci->pthImg.hImg) return VKE_NOT_DONE;
    CmnImgHold shown;
    int rc = StretchShown(shown.Out());
    if (rc == VKE_ERR_CUT) rc = VKE_OK;
    if (rc == VKE_OK) rc = theCmnImg.CopyDIBToClb(m_hWnd, shown.Get());
    return rc == VKE_OK || rc == VKE_NOT_DONE ? rc : Fail("EditCpyShw", rc);
}

int DlgImg::EditCut()
{
    if (!EditsImage()) return CmnDlg::EditCut();
    if (DeferWhileDrawing(ID_EDIT_CUT)) return VKE_OK;
    int flag = 0;
    GetEditCutFlag(&flag);
    return flag == 1 ? EditCutDirect() : VKE_NOT_DONE;
}

int DlgImg::EditCpy()
{
    if (!EditsImage()) return CmnDlg::EditCpy();
    int flag = 0;
    GetEditCpyFlag(&flag);
    return flag == 1 ? CopyToClb("EditCpy") : VKE_NOT_DONE;
}

int DlgImg::EditCpyPth()
{
    if (!m_bInitImg) return Fail("EditCpyPth", VKE_ERR_NOT_INIT);
    if (!IsNamed()) return VKE_NOT_DONE;
    EndTracking();
    int rc = theCmnImg.CopyStrToClb(m_hWnd, m_strPathName);
    return rc == VKE_OK ? rc : Fail("EditCpyPth", rc);
}

// ---- Paste ----

int DlgImg::PasteToPages()
{
    EndTracking();
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail("EditPst", VKE_ERR_SYSTEM);
    if (app->IsOpeningBusy()) return VKE_NOT_DONE; // it said so
    int rc = VKE_OK;
    bool quiet = false;
    if (::IsClipboardFormatAvailable(CF_HDROP)) {
        int count = 0;
        rc = app->PasteDropFiles(m_hWnd, 1, 0, &count);
        quiet = rc == VKE_OK || rc == VKE_NOT_DONE || rc == VKE_STOPPED;
    } else {
        rc = app->PasteDIB(m_hWnd);
        quiet = rc == VKE_OK || rc == VKE_NOT_DONE || rc == VKE_ERR_NOT_FOUND || rc == VKE_ERR_CUT;
    }
    if (HalcorViw* view = View()) view->SetFocusCurPage();
    return quiet ? rc : Fail("EditPst", rc);
}

int DlgImg::EditPst()
{
    if (!EditsImage()) return CmnDlg::EditPst();
    int flag = 0;
    GetEditPstFlag(&flag);
    return flag == 1 ? PasteToPages() : VKE_NOT_DONE;
}

// ---- The present state ----

int DlgImg::SaveState()
{
    if (!m_bInitImg) return Fail("SaveState", VKE_ERR_NOT_INIT);
    if (!DraFocused() || !m_pIci->pthImg.hImg) return VKE_NOT_DONE;
    EndTracking();
    return SetEud(StepChange);
}

// ---- The commands ----

BOOL DlgImg::OnPageEditCmd(UINT nID)
{
    if ((nID == ID_VKA_SAVE_STATE || nID == ID_VKA_CUT_SHOWN) && DeferWhileDrawing(nID)) return TRUE;
    int flag = 0;
    switch (nID) {
    case ID_VKA_COPY_PATH: EditCpyPth(); break;
    case ID_VKA_SAVE_STATE: SaveState(); break;
    case ID_VKA_CUT_SHOWN:
        if (GetEditCutFlag(&flag) == VKE_OK && flag == 1) EditCutShw();
        break;
    case ID_VKA_COPY_SHOWN:
        if (GetEditCpyFlag(&flag) == VKE_OK && flag == 1) EditCpyShw();
        break;
    default: break;
    }
    return TRUE;
}

void DlgImg::OnUpdatePageEditCmd(CCmdUI* pCmdUI)
{
    int flag = 0;
    switch (pCmdUI->m_nID) {
    case ID_VKA_COPY_PATH: flag = m_bInitImg && IsNamed(); break;
    case ID_VKA_SAVE_STATE: flag = DraFocused() && m_pIci->pthImg.hImg; break;
    case ID_VKA_CUT_SHOWN: GetEditCutFlag(&flag); break;
    case ID_VKA_COPY_SHOWN: GetEditCpyFlag(&flag); break;
    default: break;
    }
    pCmdUI->Enable(flag == 1);
}
