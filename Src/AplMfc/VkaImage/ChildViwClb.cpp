// The image tab view's clipboard monitor: the view in the clipboard-viewer chain, images and file
// lists copied by other programs opened as pages, the chain kept whole.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildViw"
#include "ChildViw.h"
#include "CmnDlb.h"
#include "CmnWin.h"
#include "DlgImg.h"
#include "Halcor.h"

namespace {

// A clipboard pass and a chain change running: messages that come back meanwhile are not
// handled again.
int s_bClbPass;
int s_bChainChg;

// The results of a paste that are no fault: done, nothing done, stopped, nothing to paste,
// an image cut to fit.
bool IsQuietPaste(int rc)
{
    return rc == VKE_OK || rc == VKE_NOT_DONE || rc == VKE_STOPPED || rc == VKE_ERR_NOT_FOUND || rc == VKE_ERR_CUT;
}

} // namespace

int ChildViw::SetClbMonFlag(int flag)
{
    if (!m_pag.bReady) {
        CMN_TRACE("SetClbMonFlag", VKE_ERR_NOT_INIT);
        return VKE_ERR_NOT_INIT;
    }
    if (flag != 0 && flag != 1) {
        CMN_TRACE("SetClbMonFlag", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    if (flag == m_bClbMon) return VKE_OK;
    if (flag) {
        m_hWndClbNxt = ::SetClipboardViewer(m_hWnd);
    } else {
        ::ChangeClipboardChain(m_hWnd, m_hWndClbNxt);
        m_hWndClbNxt = nullptr;
    }
    m_bClbMon = flag;
    return VKE_OK;
}

bool ChildViw::IsProgramWindow(HWND owner)
{
    if (!owner) return false;
    HalcorApp* app = HalcorGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (frame && (owner == frame->m_hWnd || ::IsChild(frame->m_hWnd, owner))) return true;
    // A floating panel is no child of the frame.
    for (int i = VkaPnlTrcFld; app && i <= VkaPnlOpr; ++i) {
        CmnDlb* panel = app->GetPanel(i);
        if (panel && panel->m_hWnd && (owner == panel->m_hWnd || ::IsChild(panel->m_hWnd, owner))) return true;
    }
    return false;
}

int ChildViw::PasteFromMonitor()
{
    HalcorApp* app = HalcorGetApp();
    // Brackets never nest: a copy made while files are opening is left alone.
    if (app->IsOpening() || app->IsThreadAlive()) return VKE_NOT_DONE;
    CWnd* frame = app->GetMainFrame();
    if (frame && frame->IsIconic()) frame->ShowWindow(SW_RESTORE);
    return PasteAsPages();
}

int ChildViw::PasteAsPages()
{
    HalcorApp* app = HalcorGetApp();
    int rc = VKE_ERR_NOT_FOUND;
    int count = 0;
    if (::IsClipboardFormatAvailable(CF_HDROP)) rc = app->PasteDropFiles(m_hWnd, 1, 0, &count);
    else if (::IsClipboardFormatAvailable(CF_DIB)) rc = app->PasteDIB(m_hWnd);
    if (rc == VKE_OK) SetFocusCurPage();
    return rc;
}

CmnDlgOpr* ChildViw::PasteTarget()
{
    // The focused panel (its text box or drawing area) or dialog, else the current image page,
    // when it accepts a paste.
    CWnd* panel = nullptr;
    int found = 0;
    theCmnWin.IsExistEdtDlg(&panel, &found);
    for (CmnDlgOpr* opr : {found ? Opr(panel) : nullptr, Opr(CurImgPage())}) {
        int can = 0;
        if (opr && opr->GetEditPstFlag(&can) == VKE_OK && can == 1) return opr;
    }
    return nullptr;
}

int ChildViw::EditPst()
{
    HalcorApp* app = HalcorGetApp();
    if (!app || !m_pag.bReady) return VKE_NOT_DONE;
    if (app->IsOpeningBusy()) return VKE_NOT_DONE;
    CmnDlgOpr* target = PasteTarget();
    int rc = target ? target->EditPst() : PasteAsPages();
    // A text box keeps the keyboard for what is typed next; what the page pasted (new pages)
    // takes it.
    if (target && rc == VKE_OK && target == Opr(CurImgPage())) SetFocusCurPage();
    if (!IsQuietPaste(rc)) CMN_TRACE("EditPst", rc);
    return rc;
}

// The clipboard changed. The notice always goes on down the chain, but for one that comes back
// while a pass runs.
void ChildViw::OnDrawClipboard()
{
    HalcorApp* app = HalcorGetApp();
    CmnDlb* opr = app ? app->GetPanel(VkaPnlOpr) : nullptr;
    bool monitor = m_pag.bReady && app && app->IsStarted() && opr && opr->m_hWnd && m_bClbMon;
    if (monitor && s_bClbPass) return;
    Default();
    int rc = VKE_OK;
    if (monitor) {
        s_bClbPass = 1;
        if (app->GetImgViw() == this && !IsProgramWindow(::GetClipboardOwner())) rc = PasteFromMonitor();
    }
    if (m_hWndClbNxt) ::SendMessageA(m_hWndClbNxt, WM_DRAWCLIPBOARD, 0, 0);
    if (!monitor) return;
    s_bClbPass = 0;
    if (!IsQuietPaste(rc)) CMN_TRACE("OnDrawClipboard", rc);
}

// A window leaves the chain: the one after it becomes the next window, or the news goes on.
void ChildViw::OnChangeCbChain(HWND hWndRemove, HWND hWndAfter)
{
    Default();
    if (!m_pag.bReady || !m_bClbMon || s_bChainChg) return;
    s_bChainChg = 1;
    if (hWndRemove == m_hWndClbNxt) m_hWndClbNxt = hWndAfter;
    else if (m_hWndClbNxt) ::SendMessageA(m_hWndClbNxt, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(hWndRemove),
                                          reinterpret_cast<LPARAM>(hWndAfter));
    s_bChainChg = 0;
}
