// The image page's window: start and end, the drawing area's window procedure and the page's
// messages.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImg"
#include "DlgImg.h"
#include "CmnImg.h"
#include "CmnRes.h"
#include "CmnWin.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "HalcorViw.h"
#include <algorithm>

namespace {

// The drawing areas' own procedure, the same for every page: kept from the first page.
WNDPROC g_pfnDraPrc = nullptr;

} // namespace

LRESULT CALLBACK GF_DlgImgWndPrcDra(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!g_pfnDraPrc) {
        CMN_TRACE("GF_DlgImgWndPrcDra", VKE_ERR_SYSTEM);
        return 0;
    }
    return CmnRflToOwner(::GetParent(hWnd), g_pfnDraPrc, hWnd, message, wParam, lParam);
}

IMPLEMENT_DYNAMIC(DlgImg, CmnDlg)

BEGIN_MESSAGE_MAP(DlgImg, CmnDlg)
    ON_WM_SIZE()
    ON_WM_INITMENU()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_MOUSEWHEEL()
    ON_WM_DROPFILES()
    ON_COMMAND_EX(ID_VKA_SETUP_ALL, &ThisClass::OnPrintCmd)
    ON_UPDATE_COMMAND_UI(ID_VKA_SETUP_ALL, &ThisClass::OnUpdatePrintCmd)
    ON_COMMAND_EX(ID_VKA_PRINT_ALL, &ThisClass::OnPrintCmd)
    ON_UPDATE_COMMAND_UI(ID_VKA_PRINT_ALL, &ThisClass::OnUpdatePrintCmd)
    ON_MESSAGE(VkeWmEudDat, &ThisClass::OnVkeWmEudDat)
    ON_MESSAGE(VkeWmDrw, &ThisClass::OnVkeWmDrw)
    ON_MESSAGE(CmnWmRfl, &ThisClass::OnCmnWmRfl)
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnCmnWmChgOpt)
    ON_COMMAND(ID_VKA_FRM_TOGGLE, &ThisClass::OnFrmToggle)
    ON_UPDATE_COMMAND_UI(ID_VKA_FRM_TOGGLE, &ThisClass::OnUpdateFrmToggle)
    ON_COMMAND_EX_RANGE(ID_VKA_COPY_PATH, ID_VKA_COPY_SHOWN, &ThisClass::OnPageEditCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_COPY_PATH, ID_VKA_COPY_SHOWN, &ThisClass::OnUpdatePageEditCmd)
    ON_COMMAND_EX_RANGE(ID_VKA_IMG_RESIZE, ID_VKA_IMG_FLIP_H, &ThisClass::OnImgChgCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_IMG_RESIZE, ID_VKA_IMG_FLIP_H, &ThisClass::OnUpdateImgChgCmd)
END_MESSAGE_MAP()

DlgImg::DlgImg() : CmnDlg(IDD_DLGIMG) { Reset(); }

DlgImg::~DlgImg()
{
    // The window goes while this is still a page, so that Term ends the page's part.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

void DlgImg::Reset()
{
    m_pIci = nullptr;
    m_pEui = nullptr;
    m_drm = Drm();
    m_bDrm = 0;
    m_bInitImg = 0;
    m_bModified = m_bPasted = m_bSaved = m_bPrinted = m_bLandscape = 0;
    m_iDrawing = 0;
    m_hCurInit = m_hCurArrow = m_hCurMove = m_hCurGrab = nullptr;
    for (HCURSOR& cursor : m_hCurSize) cursor = nullptr;
    m_strTitle.Empty();
    m_strPathName.Empty();
    m_strDir.Empty();
    m_strSize.Empty();
    m_trk = FrmTrk();
    m_trk.iFrmWidth = m_trk.iFrmHeight = 1;
    m_penFrm.DeleteObject();
    m_bInvClrFrm = m_iStylePenFrm = 0;
    m_bFrmDrawn = 0;
    m_rctFrmDrawn = RECT{0, 0, 0, 0};
    m_iMsgHold = m_iMsgHeld = 0;
}

HalcorViw* DlgImg::View()
{
    HalcorApp* app = HalcorGetApp();
    // The page stays its view's while a print preview stands in for that view.
    return app ? dynamic_cast<HalcorViw*>(AfxViewBehindPreview(app->GetActiveView())) : nullptr;
}

// ---- Start and end ----

BOOL DlgImg::OnInitDialog()
{
    CmnDlg::OnInitDialog();
    Reset();
    Init();
    return TRUE;
}

int DlgImg::Init()
{
    return StartDialog(0, 1, 0, [this] {
        int rc = InitCtl();
        if (rc == VKE_OK) rc = CreateFrmPen();
        return rc == VKE_OK ? InitRec() : rc;
    });
}

int DlgImg::InitCtl()
{
    CmnDlgInf& inf = m_inf;
    if (!inf.pDraMenu->LoadMenu(IDR_DLGIMG_DRA)) return VKE_ERR_MEMORY;
    CRect client;
    GetClientRect(&client);
    const CmnAppInf& app = theCmnAppInf;
    int rc = InitDraSlot(0, IDC_DLGIMG_DRA, RECT{0, 0, 1, 1}, IDC_DLGIMG_HSCR, IDC_DLGIMG_VSCR, [&](VkeDraParam& p) {
        p.iFrameWidth = 3;
        p.hMenu = inf.pDraMenu->m_hMenu;
        p.hPalette = nullptr;
        p.rctDra = GetDraRect(client.Width(), client.Height());
        p.iScaleBase = app.iScaBas;
        p.iScaleMode = app.iModeScale;
        p.iScaleNum = p.iScaleDen = 1;
        p.iOwnScrBarLayout = 1;
        p.iFlipY = p.iDrawMemory = p.iCtlEditing = p.iDragAccept = p.iGrabScroll = 0;
    });
    WNDPROC old = nullptr;
    if (rc == VKE_OK) rc = VkeDraSetWindowProc(GetDra(), GF_DlgImgWndPrcDra, &old);
    if (rc == VKE_OK && !g_pfnDraPrc) g_pfnDraPrc = old;
    return rc;
}

int DlgImg::InitRec()
{
    m_hCurInit = ::GetCursor(); // may be none (Wine): no failure
    m_hCurArrow = ::LoadCursor(nullptr, IDC_ARROW);
    HINSTANCE inst = AfxGetResourceHandle();
    m_hCurMove = ::LoadCursorA(inst, MAKEINTRESOURCEA(IDC_CMN_MOVE));
    m_hCurGrab = ::LoadCursorA(inst, MAKEINTRESOURCEA(IDC_CMN_DLB_GRIPPER));
    const LPCSTR sizes[] = {IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENS, IDC_SIZEWE};
    bool loaded = m_hCurArrow && m_hCurMove && m_hCurGrab;
    for (int i = 0; i < 4; ++i) loaded = (m_hCurSize[i] = ::LoadCursor(nullptr, sizes[i])) != nullptr && loaded;
    if (!loaded) return VKE_ERR_MEMORY;

    int rc = theVkaSubDat.AllocDat(VkaCodIci, reinterpret_cast<Dat**>(&m_pIci));
    if (rc == VKE_OK) rc = VkeSubInitEui(theCmnAppInf.pSub, m_hWnd, &m_pEui);
    if (rc == VKE_OK) rc = theCmnImg.InitDrm(&m_drm);
    if (rc != VKE_OK) return rc;
    m_bDrm = 1;
    DragAcceptFiles(TRUE);
    m_bInitImg = 1;
    return VKE_OK;
}

int DlgImg::Term()
{
    if (m_inf.bTerminating || !m_bInit) return VKE_NOT_DONE;
    int first = VKE_OK;
    auto keep = [&first](int rc) {
        if (first == VKE_OK) first = rc;
    };
    if (m_bInitImg) EndTracking();
    if (m_hWnd) DragAcceptFiles(FALSE);
    if (m_bDrm) keep(theCmnImg.TermDrm(&m_drm));
    m_bDrm = 0;
    // The undo history's snapshots are freed through this window's records: before the Ici goes.
    if (m_pEui) keep(VkeSubTermEui(theCmnAppInf.pSub, m_hWnd, &m_pEui));
    if (m_pIci) keep(theVkaSubDat.FreeDat(VkaCodIci, reinterpret_cast<Dat**>(&m_pIci)));
    m_penFrm.DeleteObject();
    m_bFrmDrawn = 0;
    if (m_hCurInit || m_hCurArrow) ::SetCursor(m_hCurInit ? m_hCurInit : m_hCurArrow);
    m_hCurInit = m_hCurArrow = nullptr;
    m_bInitImg = 0;
    if (first != VKE_OK) Fail("Term", first);
    int rc = CmnDlg::Term();
    return first != VKE_OK ? first : rc;
}

BOOL DlgImg::PreTranslateMessage(MSG* pMsg)
{
    if (m_bInitImg) {
        // The frame's accelerators before the dialog's own keys.
        CWnd* owner = GetOwner();
        if (!owner || !owner->m_hWnd) owner = GetParent();
        if (owner && owner->PreTranslateMessage(pMsg)) return TRUE;
        for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame())
            if (frame->PreTranslateMessage(pMsg)) return TRUE;
    }
    return CmnDlg::PreTranslateMessage(pMsg);
}

// ---- Messages ----

CRect DlgImg::GetDraRect(int cx, int cy) { return CRect(3, 3, 3 + std::max(cx - 6, 100), 3 + std::max(cy - 6, 100)); }

void DlgImg::OnSize(UINT nType, int cx, int cy)
{
    CmnDlg::OnSize(nType, cx, cy);
    if (!m_bInitImg) return;
    EndTracking();
    CRect rect = GetDraRect(cx, cy);
    int rc = VkeDraMove(GetDra(), &rect, nullptr);
    if (rc != VKE_OK) Fail("OnSize", rc);
}

void DlgImg::OnInitMenu(CMenu* pMenu)
{
    Default();
    if (m_bInitImg && pMenu) theCmnWin.UpdateMenu(this, pMenu, nullptr);
}

BOOL DlgImg::OnEraseBkgnd(CDC*) { return TRUE; }

void DlgImg::OnPaint()
{
    CPaintDC dc(this);
    HWND area = GetDraWnd();
    if (!m_bInitImg || !area) return;
    // The part of the area that was to be painted is the area's to paint.
    CRect part, rect;
    ::GetWindowRect(area, &rect);
    ScreenToClient(&rect);
    if (!part.IntersectRect(&dc.m_ps.rcPaint, &rect)) return;
    ::MapWindowPoints(m_hWnd, area, reinterpret_cast<POINT*>(&part), 2);
    ::InvalidateRect(area, &part, FALSE);
}

BOOL DlgImg::OnMouseWheel(UINT nFlags, short zDelta, CPoint)
{
    if (!m_bInitImg) return static_cast<BOOL>(Default());
    if (IsTracking()) return TRUE;
    // The zoom or scroll repaints the area, which draws the frame again.
    const bool shown = IsFrmShown();
    if (shown) ClearFrame();
    if (RunMouseWheel(nFlags, zDelta)) ReadScale();
    if (shown && !::GetUpdateRect(GetDraWnd(), nullptr, FALSE)) DrawFrame();
    return TRUE;
}

void DlgImg::OnDropFiles(HDROP hDropInfo)
{
    if (m_bInitImg) EndTracking();
    HalcorApp* app = HalcorGetApp();
    int count = 0;
    int rc = app ? app->OpenDropFiles(hDropInfo, 0, 1, 0, &count) : VKE_ERR_SYSTEM;
    if (!app) ::DragFinish(hDropInfo);
    if (rc != VKE_OK && rc != VKE_NOT_DONE && rc != VKE_STOPPED) Fail("OnDropFiles", rc);
}

LRESULT DlgImg::OnCmnWmRfl(WPARAM, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (!m_bInitImg || !msg) return 0;
    switch (msg->message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return ::CallWindowProcA(g_pfnDraPrc, msg->hwnd, msg->message, msg->wParam, msg->lParam) | DLGC_WANTALLKEYS;
    default:
        // The cursor, the keys, the characters, the mouse and the wheel: the cut frame's first.
        return OnDraInput(*msg);
    }
}

LRESULT DlgImg::OnCmnWmChgOpt(WPARAM wParam, LPARAM lParam)
{
    LRESULT rc = CmnDlg::OnCmnWmChgOpt(wParam, lParam);
    if (m_bInitImg) CreateFrmPen();
    return rc;
}
