// The image tab view's commands: closing, locking and saving pages (the addressed tab is the one
// last right-clicked, else the selected one; the selected-image page is never closed, locked or
// unlocked by a command), the open-information file, page set-up, batch printing and the image
// commands handed to the current image page. Every handler does nothing, and every item is
// disabled, while the pages are not ready.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildViw"
#include "ChildViw.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "DlbPnlOpr.h"
#include "DlgImg.h"
#include "DlgOpi.h"
#include "DlgPrtAll.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "VkaBatch.h"
#include <vector>

namespace {

enum CloseKind { CloseOne, CloseAll, ClosePrev, CloseNext, CloseOther };

// The close commands: what each closes and whether modified pages ask to be saved first.
struct CloseRow {
    UINT id;
    CloseKind kind;
    int prompt;
};
const CloseRow kCloses[] = {
    {ID_FILE_CLOSE, CloseOne, 1},
    {ID_VKA_CLOSE_NOSAVE, CloseOne, 0},
    {ID_VKA_POP_CLOSE, CloseOne, 1},
    {ID_VKA_POP_CLOSE_NOSAVE, CloseOne, 0},
    {ID_VKA_CLOSE_ALL, CloseAll, 1},
    {ID_VKA_CLOSE_ALL_NOSAVE, CloseAll, 0},
    {ID_VKA_POP_CLOSE_ALL, CloseAll, 1},
    {ID_VKA_POP_CLOSE_ALL_NOSAVE, CloseAll, 0},
    {ID_VKA_POP_CLOSE_PREV, ClosePrev, 1},
    {ID_VKA_POP_CLOSE_PREV_NOSAVE, ClosePrev, 0},
    {ID_VKA_POP_CLOSE_NEXT, CloseNext, 1},
    {ID_VKA_POP_CLOSE_NEXT_NOSAVE, CloseNext, 0},
    {ID_VKA_POP_CLOSE_OTHER, CloseOther, 1},
    {ID_VKA_POP_CLOSE_OTHER_NOSAVE, CloseOther, 0},
};

const CloseRow* FindClose(UINT id)
{
    for (const CloseRow& row : kCloses)
        if (row.id == id) return &row;
    return nullptr;
}

// Results a command does not report: done, skipped, cancelled in a dialog or while running.
bool IsQuiet(int rc) { return rc == VKE_OK || rc == VKE_NOT_DONE || rc == VKE_CANCELLED || rc == VKE_STOPPED; }

// The page set-up's failure as its message: margins too wide, else the printer.
void ShowSetupFailure(int rc)
{
    theCmnSub.MsgBoxById(rc == VKE_ERR_CUT ? IDS_CMN_PRT_MARGIN : IDS_CMN_PRINTER, MB_OK | MB_ICONSTOP);
}

} // namespace

// ---- Targets ----

int ChildViw::AddressedTab()
{
    int tab = -1;
    GetRbcIdx(&tab);
    if (tab < 0) GetCurSel(&tab);
    return tab;
}

bool ChildViw::IsSelImgTab(int index)
{
    return m_pPageSelImg && GetImgPage(index) == m_pPageSelImg;
}

// ---- Enable rules ----

bool ChildViw::CloseEnabled(int kind, int tab)
{
    int count = 0;
    GetPageCnt(&count);
    if (tab < 0 || tab >= count) tab = -1;
    // Two tabs, one the selected-image page: a range that would hold only that page is empty.
    bool pairWithSel = count == 2 && tab >= 0 && IsSelImgTab(1 - tab);
    switch (kind) {
    case CloseOne: {
        int locked = 0;
        if (tab >= 0) GetLockedFlag(tab, &locked);
        return tab >= 0 && !IsSelImgTab(tab) && !(m_pag.bLockOpt == 1 && locked);
    }
    case CloseAll: return count > 0 && !(count == 1 && IsSelImgTab(0));
    case ClosePrev: return tab > 0 && !(pairWithSel && tab == 1);
    case CloseNext: return tab >= 0 && tab < count - 1 && !(pairWithSel && tab == 0);
    case CloseOther: return count > 1 && !pairWithSel;
    }
    return false;
}

bool ChildViw::LockEnabled(int lock, int tab)
{
    int count = 0, locked = 0;
    GetPageCnt(&count);
    if (m_pag.bLockOpt != 1 || tab < 0 || tab >= count || IsSelImgTab(tab)) return false;
    GetLockedFlag(tab, &locked);
    return (locked != 0) != (lock != 0);
}

bool ChildViw::AnyImgPage(bool (*test)(DlgImg&))
{
    for (DlgImg* page : ImgPages())
        if (test(*page)) return true;
    return false;
}

namespace {

bool HoldsImage(DlgImg& page) { return page.IsExistDIBHandle() != 0; }
bool CanSave(DlgImg& page) { return page.IsExistDIBHandle() != 0; }
bool HasPath(DlgImg& page) { return !page.GetPathName().IsEmpty(); }
bool Printable(DlgImg& page) { return page.IsPrintable() == 1; }

} // namespace

bool ChildViw::CmdEnabled(UINT id)
{
    if (!m_pag.bReady) return false;
    if (const CloseRow* row = FindClose(id)) return CloseEnabled(row->kind, AddressedTab());
    DlgImg* current = CurImgPage();
    switch (id) {
    case ID_VKA_POP_OPEN:
    case ID_VKA_READ_OPI:
    case ID_FILE_PAGE_SETUP: return true;
    case ID_VKA_PAGE_LOCK: return LockEnabled(1, AddressedTab());
    case ID_VKA_PAGE_UNLOCK: return LockEnabled(0, AddressedTab());
    case ID_FILE_SAVE: return current && CanSave(*current);
    case ID_VKA_POP_SAVE: {
        DlgImg* page = AddressedImgPage(1);
        return page && CanSave(*page);
    }
    case ID_VKA_SAVE_ALL:
    case ID_VKA_POP_SAVE_ALL: return AnyImgPage(CanSave);
    case ID_VKA_WRITE_OPI: return AnyImgPage(HasPath);
    case ID_VKA_SETUP_ALL: {
        int count = 0;
        GetPageCnt(&count);
        return count > 0;
    }
    case ID_VKA_PRINT_ALL: return HalcorGetApp() && HalcorGetApp()->GetMainFrame() && AnyImgPage(Printable);
    case ID_VKA_SAVE_STATE:
    case ID_VKA_IMG_RESIZE:
    case ID_VKA_IMG_ROT_90:
    case ID_VKA_IMG_ROT_180:
    case ID_VKA_IMG_ROT_270:
    case ID_VKA_IMG_FLIP_V:
    case ID_VKA_IMG_FLIP_H: return current && HoldsImage(*current);
    case ID_EDIT_PASTE: return PasteEnabled();
    default: return false;
    }
}

bool ChildViw::PasteEnabled()
{
    return PasteTarget() || ::IsClipboardFormatAvailable(CF_HDROP) || ::IsClipboardFormatAvailable(CF_DIB);
}

// ---- The command and update handlers ----

BOOL ChildViw::OnViwCmd(UINT nID)
{
    if (!CmdEnabled(nID)) return TRUE;
    if (const CloseRow* row = FindClose(nID)) {
        RunClose(row->kind, row->prompt);
        return TRUE;
    }
    DlgImg* current = CurImgPage();
    // The current page's image changes wait until it has drawn.
    const bool changes = nID == ID_VKA_SAVE_STATE || nID == ID_FILE_SAVE ||
                         (nID >= ID_VKA_IMG_RESIZE && nID <= ID_VKA_IMG_FLIP_H);
    if (changes && current && current->DeferWhileDrawing(nID)) return TRUE;
    int rc = VKE_OK;
    switch (nID) {
    case ID_VKA_POP_OPEN:
        if (CWnd* frame = HalcorGetApp() ? HalcorGetApp()->GetMainFrame() : nullptr)
            frame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
        return TRUE;
    case ID_VKA_PAGE_LOCK:
    case ID_VKA_PAGE_UNLOCK: rc = SetLockedFlag(AddressedTab(), nID == ID_VKA_PAGE_LOCK ? 1 : 0); break;
    case ID_FILE_SAVE: rc = SaveImage(0); break;
    case ID_VKA_POP_SAVE: rc = SaveImage(1); break;
    case ID_VKA_SAVE_ALL:
    case ID_VKA_POP_SAVE_ALL: rc = SaveImageAll(); break;
    case ID_VKA_READ_OPI: rc = OnFileReaOpi(); break;
    case ID_VKA_WRITE_OPI: rc = OnFileWrtOpi(); break;
    case ID_VKA_SETUP_ALL: rc = SetupAll(); break;
    case ID_VKA_PRINT_ALL: rc = OnFilePrtAll(); break;
    case ID_FILE_PAGE_SETUP: rc = PageSetup(); break;
    case ID_VKA_SAVE_STATE: rc = current->SaveState(); break;
    case ID_VKA_IMG_RESIZE: rc = current->CnvSiz(); break;
    case ID_VKA_IMG_ROT_90: rc = current->RotateImage(90.0); break;
    case ID_VKA_IMG_ROT_180: rc = current->RotateImage(180.0); break;
    case ID_VKA_IMG_ROT_270: rc = current->RotateImage(270.0); break;
    case ID_VKA_IMG_FLIP_V: rc = current->ReflectImage(1); break;
    case ID_VKA_IMG_FLIP_H: rc = current->ReflectImage(0); break;
    case ID_EDIT_PASTE: EditPst(); return TRUE; // reports for itself
    default: return TRUE;
    }
    if (!IsQuiet(rc)) CMN_TRACE("OnViwCmd", rc);
    return TRUE;
}

void ChildViw::OnUpdateViwCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(CmdEnabled(pCmdUI->m_nID)); }

// The cut frame and the shown-area cut and copy are the current image page's own commands.
// Without an image page the frame switch turns the operation panel's show-frame setting, which
// the next page opened takes.
BOOL ChildViw::OnPageCmd(UINT nID)
{
    if (!m_pag.bReady) return TRUE;
    if (DlgImg* page = CurImgPage()) page->OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
    else if (DlbPnlOpr* panel = FramePanel(nID)) panel->SetShwFrmFlag(panel->GetShwFrmFlag() == 1 ? 0 : 1, 1);
    return TRUE;
}

void ChildViw::OnUpdatePageCmd(CCmdUI* pCmdUI)
{
    DlgImg* page = m_pag.bReady ? CurImgPage() : nullptr;
    if (page && page->OnCmdMsg(pCmdUI->m_nID, CN_UPDATE_COMMAND_UI, pCmdUI, nullptr)) return;
    DlbPnlOpr* panel = page || !m_pag.bReady ? nullptr : FramePanel(pCmdUI->m_nID);
    pCmdUI->Enable(panel != nullptr);
    if (panel) pCmdUI->SetCheck(panel->GetShwFrmFlag() == 1 ? 1 : 0);
}

DlbPnlOpr* ChildViw::FramePanel(UINT id)
{
    HalcorApp* app = HalcorGetApp();
    DlbPnlOpr* panel = app && id == ID_VKA_FRM_TOGGLE ? app->GetPnlOpr() : nullptr;
    return panel && panel->m_hWnd ? panel : nullptr;
}

void ChildViw::RunClose(int kind, int prompt)
{
    int tab = AddressedTab();
    int rc = VKE_OK;
    switch (kind) {
    case CloseOne: rc = ClosePage(tab, 0, 0, prompt); break;
    case CloseAll: rc = ClosePageAll(0, 0, prompt); break;
    case ClosePrev: rc = ClosePagePrevAll(tab, 0, 0, prompt); break;
    case CloseNext: rc = ClosePageNextAll(tab, 0, 0, prompt); break;
    case CloseOther: rc = ClosePageOtherAll(tab, 0, 0, prompt); break;
    }
    if (!IsQuiet(rc)) CMN_TRACE("RunClose", rc);
}

// ---- Saving ----

int ChildViw::SaveImage(int which)
{
    if (!CheckReady("SaveImage")) return VKE_ERR_NOT_INIT;
    if (which != 0 && which != 1) return Fail("SaveImage", VKE_ERR_ARG);
    DlgImg* page = AddressedImgPage(which);
    if (!page) return Fail("SaveImage", VKE_ERR_SYSTEM);
    int rc = page->SaveAsImage();
    return rc >= VKE_OK && rc <= VKE_STOPPED ? rc : Fail("SaveImage", rc);
}

int ChildViw::SaveImageAll()
{
    if (!CheckReady("SaveImageAll")) return VKE_ERR_NOT_INIT;
    HalcorApp* app = HalcorGetApp();
    if (!app) return Fail("SaveImageAll", VKE_ERR_SYSTEM);
    HWND focus = ::GetFocus();
    int current = -1;
    GetCurSel(&current);
    app->SetFlgPrtAll(1);
    app->SetFlgPrtAbt(0);
    // 1 (declined) wins over 0 and 2, 2 over 0; 3 stops and wins; an error stops.
    int result = VKE_OK;
    for (DlgImg* page : ImgPages()) {
        if (!page->IsExistDIBHandle()) continue;
        int rc = page->SaveAsImage();
        if (rc == VKE_OK) continue;
        if (rc == VKE_NOT_DONE || (rc == 2 && result == VKE_OK)) result = rc;
        if (rc == VKE_STOPPED || rc < VKE_OK || rc > VKE_STOPPED) {
            result = rc;
            break;
        }
    }
    app->SetFlgPrtAll(0);
    app->SetFlgPrtAbt(0);
    if (current >= 0) {
        int rc = ShowPage(current);
        if (rc < VKE_OK && result >= VKE_OK) result = rc;
    }
    if (focus && ::IsWindow(focus)) ::SetFocus(focus);
    return result >= VKE_OK && result <= VKE_STOPPED ? result : Fail("SaveImageAll", result);
}

// ---- The open-information file ----

int ChildViw::RunOpiDialog(bool open, std::vector<CString>* names)
{
    char last[CmnPathSize] = {}, folder[CmnPathSize] = {};
    VkeSubGetAppMemStr(theCmnAppInf.pSub, &theAppInf.ooi.amOpiPathName, last, sizeof(last));
    std::vector<char> buffer(VkaOpnNameBufSize, '\0');
    if (*last) {
        VkeSubGetDirPath(theCmnAppInf.pSub, folder, last, sizeof(folder));
        VkeSubGetFileName(theCmnAppInf.pSub, buffer.data(), last, static_cast<int>(buffer.size()));
    } else {
        strcpy(buffer.data(), "*.csv");
    }
    DlgOpi dialog(open ? TRUE : FALSE, nullptr, nullptr, open ? DlgOpi::kOpenFlags : DlgOpi::kSaveFlags,
                  theCmnSub.GetMsgStr(IDS_VKA_OPI_FILTER), this);
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = VkaOpnNameBufSize;
    dialog.m_ofn.lpstrInitialDir = *folder ? folder : nullptr;
    if (dialog.DoModal() != 1) return VKE_STOPPED;
    *names = open ? VkaSelectedNames(buffer.data()) : std::vector<CString>{CString(buffer.data())};
    return VKE_OK;
}

int ChildViw::OnFileReaOpi()
{
    if (!m_pag.bReady) return VKE_NOT_DONE;
    std::vector<CString> names;
    if (RunOpiDialog(true, &names) != VKE_OK) return VKE_STOPPED;
    const Ooi& ooi = theAppInf.ooi;
    // The error when one occurred, else 3, else -11, else 1, else 0.
    int result = VKE_OK;
    for (const CString& path : names) {
        int rc = ReadOpenInfo(path, 1, ooi.bOnlLcd, ooi.bOpnLck);
        if (rc == VKE_NOT_DONE) HalcorApp::MsgPath(IDS_VKA_OPI_CANNOT_READ, path, MB_OK | MB_ICONEXCLAMATION);
        if (rc == VKE_STOPPED || (rc < VKE_OK && rc != VKE_ERR_MSGFILE)) {
            result = rc;
            break;
        }
        if (rc == VKE_ERR_MSGFILE || (rc == VKE_NOT_DONE && result == VKE_OK)) result = rc;
    }
    SetFocusCurPage();
    return result;
}

int ChildViw::OnFileWrtOpi()
{
    if (!m_pag.bReady || !AnyImgPage(HasPath)) return VKE_NOT_DONE;
    std::vector<CString> names;
    if (RunOpiDialog(false, &names) != VKE_OK || names.empty()) return VKE_STOPPED;
    const Ooi& ooi = theAppInf.ooi;
    int rc = WriteOpenInfo(names[0], 1, ooi.bOnlLcd, ooi.bOpnApd, ooi.bImgSel, ooi.bCreBak);
    if (rc != VKE_OK) HalcorApp::MsgPath(IDS_VKA_OPI_CANNOT_WRITE, names[0], MB_OK | MB_ICONEXCLAMATION);
    SetFocusCurPage();
    // The message said it; the file as it was is kept.
    return rc == VKE_OK ? rc : VKE_NOT_DONE;
}

// ---- Page set-up ----

int ChildViw::PageSetup()
{
    // The page settles its paper orientation first and takes the set-up back afterwards.
    DlgImg* page = CurImgPage();
    int rc = page ? page->SetupPrinter() : VKE_OK;
    if (rc == VKE_OK) CmnTbv::OnFilePageSetup();
    if (rc == VKE_OK && page) rc = page->PageSetup();
    if (rc != VKE_OK) ShowSetupFailure(rc);
    return rc;
}

int ChildViw::SetupAll()
{
    if (theCmnSub.MsgBoxById(IDS_VKA_SETUP_ALL_ASK, MB_YESNO | MB_ICONQUESTION) != IDYES) return VKE_STOPPED;
    int failure = VKE_OK;
    for (DlgImg* page : ImgPages()) {
        int rc = page->SetEud(14);
        if (rc == VKE_OK) rc = page->PageSetup();
        // Margins too wide do not hide an earlier other failure.
        if (rc != VKE_OK && (failure == VKE_OK || (failure == VKE_ERR_CUT && rc != VKE_ERR_CUT))) failure = rc;
    }
    if (failure != VKE_OK) ShowSetupFailure(failure);
    SetFocusCurPage();
    return VKE_OK;
}

// ---- Batch printing ----

int ChildViw::RunPrtAllDialog()
{
    DlgPrtAll dialog(this);
    return static_cast<int>(dialog.DoModal());
}

bool ChildViw::BatchPrints(int index)
{
    DlgImg* page = GetImgPage(index);
    if (!page || page->IsPrintable() != 1) return false;
    if (IsSelImgTab(index) && theAppInf.pai.bSelImg != 1) return false;
    int locked = 0;
    GetLockedFlag(index, &locked);
    return theAppInf.pai.bOnlLcd == 0 || locked;
}

void ChildViw::ClearPrintedFlags()
{
    for (DlgImg* page : ImgPages()) page->SetPrintedFlag(0);
}

int ChildViw::OnFilePrtAll()
{
    HalcorApp* app = HalcorGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (!m_pag.bReady || !frame || !AnyImgPage(Printable)) return VKE_NOT_DONE;
    if (RunPrtAllDialog() != IDOK) {
        SetFocusCurPage();
        return VKE_STOPPED;
    }
    ClearPrintedFlags();
    int show = -1;
    GetCurSel(&show);
    app->SetFlgPrtAll(1);
    app->SetFlgPrtAbt(0);
    int result = PrintWalk(frame, &show);
    app->SetFlgPrtAll(0);
    app->SetFlgPrtAbt(0);
    int count = 0;
    GetPageCnt(&count);
    if (show >= 0 && show < count) ShowPage(show);
    ClearPrintedFlags();
    SetFocusCurPage();
    // The frame and every window in it, the view among them: the frame's own background, erased
    // alone, would cover the panels and bars, which nothing would paint again.
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (!IsQuiet(result)) CMN_TRACE("OnFilePrtAll", result);
    return result;
}

int ChildViw::PrintWalk(CWnd* frame, int* show)
{
    HalcorApp* app = HalcorGetApp();
    const Pai& pai = theAppInf.pai;
    int count = 0;
    for (int i = 0; GetPageCnt(&count) == VKE_OK && i < count; ++i) {
        if (!BatchPrints(i)) continue;
        int rc = ShowPage(i);
        if (rc == VKE_NOT_DONE) continue;
        if (rc < VKE_OK) return rc;
        frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
        int aborted = 0;
        app->GetFlgPrtAbt(&aborted);
        if (aborted) return VKE_STOPPED;

        // Close after printing: unlocked pages, locked ones only when that is asked too.
        DlgImg* page = GetImgPage(i);
        int locked = 0;
        GetLockedFlag(i, &locked);
        if (!pai.bPtrCls || !page || IsSelImgTab(i) || !page->GetPrintedFlag() || (locked && !pai.bClsLcd)) continue;
        rc = ClosePage(i, 1, 1, 1);
        if (rc == VKE_NOT_DONE) continue;
        if (rc != VKE_OK) return rc;
        // The next tab moved to this index; the tab to show moves with its page.
        if (i < *show || (i == *show && i == count - 1)) --*show;
        --i;
    }
    return VKE_OK;
}
