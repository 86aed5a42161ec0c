// The image tab view: its start and end, its tabs as the application reaches them, dropped
// files, the selected-image page's lock and changed options.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildViw"
#include "ChildViw.h"
#include "CmnDlb.h"
#include "ChildDoc.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "DlgImg.h"
#include "DlgSetOpt.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "VkaSubOpi.h"

namespace {

// Posted when the tab popup closes: behind the command the popup posted, if any.
const UINT kWmRbcDone = WM_APP + 0x31;

} // namespace

IMPLEMENT_DYNCREATE(ChildViw, CmnTbv)

// A range of commands and their update rule: On<name> with OnUpdate<name>.
#define VIW_COMMANDS(first, last, name) \
    ON_COMMAND_EX_RANGE(first, last, &ThisClass::On##name) \
    ON_UPDATE_COMMAND_UI_RANGE(first, last, &ThisClass::OnUpdate##name)

BEGIN_MESSAGE_MAP(ChildViw, CmnTbv)
    ON_WM_DRAWCLIPBOARD()
    ON_WM_CHANGECBCHAIN()
    ON_WM_DROPFILES()
    ON_MESSAGE(VkeWmSetLocked, &ThisClass::OnSetLocked)
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnChgOpt)
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_EXITMENULOOP, &ThisClass::OnExitMenuLoop)
    ON_MESSAGE(kWmRbcDone, &ThisClass::OnRbcDone)
    // The view's own commands; the tab moves, printing and the edit and scale commands are the
    // base's.
    VIW_COMMANDS(ID_FILE_CLOSE, ID_FILE_CLOSE, ViwCmd)
    VIW_COMMANDS(ID_FILE_SAVE, ID_FILE_SAVE, ViwCmd)
    VIW_COMMANDS(ID_FILE_PAGE_SETUP, ID_FILE_PAGE_SETUP, ViwCmd)
    VIW_COMMANDS(ID_EDIT_PASTE, ID_EDIT_PASTE, ViwCmd)
    VIW_COMMANDS(ID_VKA_POP_SAVE, ID_VKA_POP_SAVE, ViwCmd)
    VIW_COMMANDS(ID_VKA_POP_SAVE_ALL, ID_VKA_POP_SAVE_ALL, ViwCmd)
    VIW_COMMANDS(ID_VKA_IMG_RESIZE, ID_VKA_IMG_FLIP_H, ViwCmd)
    VIW_COMMANDS(ID_VKA_CLOSE_NOSAVE, ID_VKA_SAVE_ALL, ViwCmd)
    VIW_COMMANDS(ID_VKA_READ_OPI, ID_VKA_SETUP_ALL, ViwCmd)
    VIW_COMMANDS(ID_VKA_SAVE_STATE, ID_VKA_SAVE_STATE, ViwCmd)
    VIW_COMMANDS(ID_VKA_POP_OPEN, ID_VKA_POP_CLOSE_OTHER_NOSAVE, ViwCmd)
    VIW_COMMANDS(ID_VKA_PAGE_LOCK, ID_VKA_PAGE_UNLOCK, ViwCmd)
    VIW_COMMANDS(ID_VKA_FRM_TOGGLE, ID_VKA_FRM_TOGGLE, PageCmd)
    VIW_COMMANDS(ID_VKA_CUT_SHOWN, ID_VKA_COPY_SHOWN, PageCmd)
END_MESSAGE_MAP()

ChildViw::ChildViw()
    : CmnTbv(IDD_CHILDVIW), m_bClbMon(0), m_hWndClbNxt(nullptr), m_pPageSelImg(nullptr), m_bRbcLive(0)
{
}

// ---- Start and end ----

void ChildViw::OnInitialUpdate()
{
    if (m_pag.bReady) return;
    CmnTbv::OnInitialUpdate();
    int rc = Init();
    if (rc == VKE_OK) return;
    theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
    PostMessage(WM_CLOSE);
    CMN_TRACE("OnInitialUpdate", rc);
}

int ChildViw::Init()
{
    m_bClbMon = 0;
    m_hWndClbNxt = nullptr;
    m_pPageSelImg = nullptr;
    int rc = CmnTbv::Init(0, 1);
    if (rc == VKE_OK) {
        m_pag.pMenu = new CMenu;
        if (!m_pag.pMenu->LoadMenu(IDR_CHILDVIW_MENU)) rc = VKE_ERR_MEMORY;
    }
    if (rc == VKE_OK) rc = StartTab(IDC_CHILDVIW_TAB, m_pag.pMenu->m_hMenu, 0, 1);
    if (rc == VKE_OK) {
        CRect client;
        GetClientRect(&client);
        if (client.Width() > 0 && client.Height() > 0) MoveTab(client);
        DragAcceptFiles(TRUE);
        rc = SetClbMonFlag(theAppInf.poi.fri.bClbMon);
    }
    if (rc != VKE_OK) CMN_TRACE("Init", rc);
    return rc;
}

int ChildViw::Term()
{
    // The selected-image page still on its tab goes with its element below, like every page;
    // deleting it here too would free it twice.
    if (m_pPageSelImg && !HasElm(m_pPageSelImg)) DeletePage(m_pPageSelImg);
    m_pPageSelImg = nullptr;
    if (m_bClbMon) SetClbMonFlag(0);
    if (m_hWnd) DragAcceptFiles(FALSE);
    return CmnTbv::Term();
}

// Whether an element of the page list holds page.
bool ChildViw::HasElm(const CWnd* page) const
{
    for (const Lke* p = m_pag.lki.pTail; p; p = p->pPrv)
        if (reinterpret_cast<const TbvElm*>(p)->pPage == page) return true;
    return false;
}

// ---- Tabs ----

DlgImg* ChildViw::GetImgPage(int index)
{
    void* page = nullptr;
    int type = 0;
    return GetPage(index, &page, &type) == 1 && type == CmnTypImg ? static_cast<DlgImg*>(page) : nullptr;
}

int ChildViw::SetFocusCurPage()
{
    DlgImg* page = CurImgPage();
    return page ? page->SetFocusDra() : VKE_NOT_DONE;
}

int ChildViw::ReadOpenInfo(const char* path, int remember, int onlyLocked, int openLocked)
{
    return VkaSubOpi::ReadOpenInfo(*this, path, remember, onlyLocked, openLocked);
}

int ChildViw::WriteOpenInfo(const char* path, int remember, int onlyLocked, int append, int withSelImg, int backup)
{
    return VkaSubOpi::WriteOpenInfo(*this, path, remember, onlyLocked, append, withSelImg, backup);
}

int ChildViw::GetRbcIdx(int* out)
{
    int rc = CmnTbv::GetRbcIdx(out);
    if (rc == VKE_OK && out && !m_bRbcLive) *out = -1;
    return rc;
}

// ---- Messages ----

// The only popup the view owns is the tab control's.
void ChildViw::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    if (!bSysMenu) m_bRbcLive = 1;
    CmnTbv::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

// The popup's command, when one was chosen, is in the queue already: the right-click is
// forgotten after it.
LRESULT ChildViw::OnExitMenuLoop(WPARAM, LPARAM)
{
    if (m_bRbcLive) PostMessage(kWmRbcDone);
    return 0;
}

LRESULT ChildViw::OnRbcDone(WPARAM, LPARAM)
{
    m_bRbcLive = 0;
    return 0;
}

// Files dropped on the view open as pages, the frame in front.
void ChildViw::OnDropFiles(HDROP hDropInfo)
{
    HalcorApp* app = HalcorGetApp();
    if (!m_pag.bReady || !app) {
        ::DragFinish(hDropInfo);
        return;
    }
    int count = 0;
    app->OpenDropFiles(hDropInfo, 0, 1, 0, &count);
}

// The tab control asks before a tab's lock changes: the selected-image page stays locked.
LRESULT ChildViw::OnSetLocked(WPARAM wParam, LPARAM lParam)
{
    if (!m_pag.bReady || !wParam || !lParam) return 0;
    VkeTabLockReq* req = reinterpret_cast<VkeTabLockReq*>(lParam);
    TbvElm* e = nullptr;
    if (m_pPageSelImg && SchTbvElm(req->iIndex, &e) == VKE_OK && e->pPage == m_pPageSelImg) req->iHandled = 1;
    return 1;
}

// The colours and font again; a change of the preview's switches moves the preview between its
// panel and the selected-image page.
LRESULT ChildViw::OnChgOpt(WPARAM, LPARAM)
{
    UpdateColor();
    HalcorApp* app = HalcorGetApp();
    if (!app) return 0;
    DlgSetOpt* options = app->GetSetOptDlg();
    if (GetUpdateRect(nullptr, FALSE) && options && options->m_hWnd)
        options->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    int prv = theCmnAppInf.bPrvImg, tab = theAppInf.sopPni.bPrvImgTab;
    if (prv == app->GetPrvImg() && tab == app->GetPrvImgTab()) return 0;
    CWnd* frame = app->GetMainFrame();
    CmnDlb* panel = app->GetPanel(VkaPnlPrv);
    if (app->GetPrvImg() && app->GetPrvImgTab()) HidePageSelImg();
    if (frame && panel && theCmnWin.IsBarVisible(panel)) frame->SendMessage(WM_COMMAND, ID_VKA_PNL_FIRST + 3 * VkaPnlPrv);
    app->SetPrvState(prv, tab);
    if (frame && prv) {
        if (!tab) frame->SendMessage(WM_COMMAND, ID_VKA_PNL_FIRST + 3 * VkaPnlPrv);
        frame->SendMessage(WM_COMMAND, ID_VKA_SEL_IMG_SHOW);
    }
    return 0;
}
