// The progress dialog of a batch of openings, on the progress thread.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgOpnSts"
#include "DlgOpnSts.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorThr.h"
#include "HalcorViw.h"
#include <stdio.h>

namespace {

// The slots of the nine controls, in the template's order.
enum { kDirLbl, kDir, kFilLbl, kFil, kCntLbl, kCnt, kPagLbl, kPag, kAbort, kCtlCnt };

struct CtlRow {
    int type;
    int id;
    int editType;
    const char* format;
    const char* value; // null: the template's text
};
const CtlRow kCtls[kCtlCnt] = {
    {VKE_CTL_STATIC, IDC_DLGOPNSTS_DIR_LBL, VKE_EDIT_NONE, "", nullptr},
    {VKE_CTL_STATIC, IDC_DLGOPNSTS_DIR, VKE_EDIT_NONE, "", ""},
    {VKE_CTL_STATIC, IDC_DLGOPNSTS_FIL_LBL, VKE_EDIT_NONE, "", nullptr},
    {VKE_CTL_STATIC, IDC_DLGOPNSTS_FIL, VKE_EDIT_NONE, "", ""},
    {VKE_CTL_STATIC, IDC_DLGOPNSTS_CNT_LBL, VKE_EDIT_NONE, "", nullptr},
    {VKE_CTL_STATIC, IDC_DLGOPNSTS_CNT, VKE_EDIT_INT, "%,v", "0"},
    {VKE_CTL_STATIC, IDC_DLGOPNSTS_PAG_LBL, VKE_EDIT_NONE, "", nullptr},
    {VKE_CTL_STATIC, IDC_DLGOPNSTS_PAG, VKE_EDIT_INT, "%,v", "0"},
    {VKE_CTL_BUTTON, IDC_DLGOPNSTS_ABORT, VKE_EDIT_NONE, "", nullptr}};

VkiSub* Sub() { return theCmnAppInf.pSub; }

} // namespace

BEGIN_MESSAGE_MAP(DlgOpnSts, CmnDlg)
    ON_MESSAGE(OpnStsWmIsAbort, &ThisClass::OnIsAbort)
    ON_MESSAGE(OpnStsWmSetTop, &ThisClass::OnSetTop)
    ON_MESSAGE(OpnStsWmSetPath, &ThisClass::OnSetPath)
    ON_COMMAND(IDC_DLGOPNSTS_ABORT, &ThisClass::OnBtnAbort)
END_MESSAGE_MAP()

DlgOpnSts::DlgOpnSts() : CmnDlg(IDD_DLGOPNSTS), m_bInitSts(0), m_bAborted(0), m_iFilCnt(0), m_amPath(), m_bPumping(0) {}

BOOL DlgOpnSts::OnInitDialog()
{
    CmnDlg::OnInitDialog();
    m_bInitSts = m_bAborted = m_iFilCnt = m_bPumping = 0;
    m_amPath[0] = '\0';
    Init();
    return TRUE;
}

int DlgOpnSts::Init()
{
    return StartDialog(kCtlCnt, 0, 0, [this]() -> int {
        int rc = InitCtl();
        if (rc != VKE_OK) return rc;
        Place();
        m_iFilCnt = 1;
        m_bInitSts = 1;
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return VKE_OK;
    });
}

int DlgOpnSts::InitCtl()
{
    for (int slot = 0; slot < kCtlCnt; ++slot) {
        const CtlRow& row = kCtls[slot];
        int rc = InitCtlSlot(slot, row.type, row.id, row.editType, row.format, row.value);
        if (rc != VKE_OK) return rc;
    }
    return VKE_OK;
}

// At the main frame's bottom right corner, inside the maximised screen.
void DlgOpnSts::Place()
{
    HalcorApp* app = HalcorGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (!frame) return;
    CRect owner, rect;
    ::GetWindowRect(frame->m_hWnd, &owner);
    GetWindowRect(&rect);
    rect.OffsetRect(owner.right - rect.right, owner.bottom - rect.bottom);
    int cx = ::GetSystemMetrics(SM_CXMAXIMIZED), cy = ::GetSystemMetrics(SM_CYMAXIMIZED);
    rect.OffsetRect(rect.right > cx ? cx - rect.right : 0, rect.bottom > cy ? cy - rect.bottom : 0);
    rect.OffsetRect(rect.left < 0 ? -rect.left : 0, rect.top < 0 ? -rect.top : 0);
    MoveWindow(&rect, FALSE);
}

// A shown value: set, and not marked as an edit (no modified colour).
int DlgOpnSts::SetValue(int slot, const char* text)
{
    VkiCtl* ctl = m_inf.ppCtl[slot];
    int rc = VkeCtlSetDataValue(ctl, text, 0);
    return rc == VKE_OK ? VkeCtlSetModifiedFlag(ctl, 0) : rc;
}

int DlgOpnSts::SetPathName(const char* path)
{
    if (!m_bInitSts) return Fail("SetPathName", VKE_ERR_NOT_INIT);
    if (!path || !*path) return Fail("SetPathName", VKE_ERR_ARG);
    HalcorApp* app = HalcorGetApp();
    HalcorViw* view = app ? app->GetImgViw() : nullptr;
    if (!view) return Fail("SetPathName", VKE_ERR_SYSTEM);
    char dir[CmnPathSize] = {}, shown[CmnPathSize] = {}, name[CmnPathSize] = {};
    int rc = VkeSubGetPathName(Sub(), m_amPath, path, sizeof(m_amPath));
    if (rc == VKE_OK) rc = VkeSubGetDirPath(Sub(), dir, m_amPath, sizeof(dir));
    if (rc == VKE_OK) {
        // Compacted as the folder's control shows it: with its font, to its width.
        HWND item = m_inf.phCtlWnd[kDir];
        RECT box = {};
        ::GetClientRect(item, &box);
        CClientDC dc(CWnd::FromHandle(item));
        CDCSelect font(dc.m_hDC, reinterpret_cast<HGDIOBJ>(::SendMessageA(item, WM_GETFONT, 0, 0)));
        rc = VkeDrwGetCompactPath(theCmnAppInf.pDrw, shown, dir, sizeof(shown), dc.m_hDC, box.right - box.left);
    }
    if (rc == VKE_OK) rc = VkeSubGetFileName(Sub(), name, m_amPath, sizeof(name));
    int pages = 0;
    if (rc == VKE_OK) rc = view->GetPageCnt(&pages);
    if (rc != VKE_OK) return Fail("SetPathName", rc);
    ++m_iFilCnt;
    char count[16], pageText[16];
    snprintf(count, sizeof(count), "%d", m_iFilCnt);
    snprintf(pageText, sizeof(pageText), "%d", pages);
    rc = SetValue(kDir, shown);
    if (rc == VKE_OK) rc = SetValue(kFil, name);
    if (rc == VKE_OK) rc = SetValue(kCnt, count);
    if (rc == VKE_OK) rc = SetValue(kPag, pageText);
    return rc == VKE_OK ? rc : Fail("SetPathName", rc);
}

// ---- Messages of the main thread ----

LRESULT DlgOpnSts::OnIsAbort(WPARAM wParam, LPARAM lParam)
{
    int* aborted = reinterpret_cast<int*>(wParam);
    int* status = reinterpret_cast<int*>(lParam);
    if (!aborted || !status) return 0;
    *aborted = m_bAborted;
    *status = VKE_OK;
    return 1;
}

LRESULT DlgOpnSts::OnSetTop(WPARAM, LPARAM lParam)
{
    int* status = reinterpret_cast<int*>(lParam);
    if (!status) return 0;
    if (!m_bInitSts) {
        *status = Fail("SetTop", VKE_ERR_NOT_INIT);
        return 1;
    }
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    *status = VKE_OK;
    return 1;
}

LRESULT DlgOpnSts::OnSetPath(WPARAM wParam, LPARAM lParam)
{
    const char* path = reinterpret_cast<const char*>(wParam);
    int* status = reinterpret_cast<int*>(lParam);
    if (!path || !status) return 0;
    *status = SetPathName(path);
    return 1;
}

void DlgOpnSts::OnBtnAbort()
{
    if (m_bAborted) return;
    m_bAborted = 1;
    HalcorApp* app = HalcorGetApp();
    HANDLE stop = app ? app->GetThrStopEvent() : nullptr;
    if (stop) HalcorThr::Wait(&stop, 1, &m_bPumping);
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    if (frame) ::BringWindowToTop(frame->m_hWnd);
    ::PostQuitMessage(3);
}
