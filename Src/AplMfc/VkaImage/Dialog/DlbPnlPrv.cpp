// The preview panel: its drawing area, the image it shows, drawing, copying and printing it.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlPrv"
#include "DlbPnlPrv.h"
#include "CmnImg.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <algorithm>

namespace {

// The drawing areas' own procedure, kept from the first area.
WNDPROC g_pfnDraPrc = nullptr;

// The smallest side of the drawing area.
const int kMinSide = 30;

// 0xFFFF would tell the framework that the last page is not known.
const int kMaxPages = 0xFFFE;

VkiSub* Sub() { return theCmnAppInf.pSub; }

CWnd* MainFrame()
{
    HalcorApp* app = HalcorGetApp();
    return app ? app->GetMainFrame() : nullptr;
}

bool InPrintPreview()
{
    int preview = 0;
    VkeSysGetPrintPreviewFlag(theCmnAppInf.pSys, &preview);
    return preview == 1;
}

// A print preview that shows ends: the frame's close ends only the preview then.
void EndShownPreview()
{
    CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, MainFrame());
    if (frame && frame->m_lpfnCloseProc) frame->SendMessage(WM_CLOSE);
}

// A font text as a font; false for an empty or bad text.
bool FontOf(AppMem& text, LOGFONTA* font)
{
    char buffer[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), &text, buffer, sizeof(buffer));
    return buffer[0] && theCmnSub.GetFont(buffer, font) == VKE_OK;
}

} // namespace

LRESULT CALLBACK GF_DlbPnlPrvWndPrcDra(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!g_pfnDraPrc) {
        CMN_TRACE("GF_DlbPnlPrvWndPrcDra", VKE_ERR_SYSTEM);
        return 0;
    }
    return CmnRflToOwner(::GetParent(hWnd), g_pfnDraPrc, hWnd, message, wParam, lParam);
}

BEGIN_MESSAGE_MAP(DlbPnlPrv, DlbPnl)
    ON_WM_SIZE()
    ON_MESSAGE(CmnWmRfl, &ThisClass::OnCmnWmRfl)
    ON_MESSAGE(VkeWmDrw, &ThisClass::OnVkeWmDrw)
END_MESSAGE_MAP()

DlbPnlPrv::DlbPnlPrv() : m_pPthImg(nullptr), m_drm(), m_bDrm(0) {}

DlbPnlPrv::~DlbPnlPrv()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

// ---- Start and end ----

int DlbPnlPrv::Init()
{
    int rc = StartPanel(VkaPnlPrv, 0, 1);
    if (rc != VKE_OK) return rc;
    if (!m_inf.pDlgMenu->LoadMenu(IDR_DLBPNL_PRV)) rc = VKE_ERR_MEMORY;
    if (rc == VKE_OK) rc = SetMenuHandle(m_inf.pDlgMenu->m_hMenu);
    if (rc == VKE_OK) rc = InitCtl();
    if (rc == VKE_OK) rc = theCmnVar.AllocDat(CmnVarCodPthImg, reinterpret_cast<Dat**>(&m_pPthImg));
    if (rc == VKE_OK) rc = theCmnImg.InitDrm(&m_drm);
    if (rc != VKE_OK) {
        CMN_TRACE("Init", rc);
        return rc;
    }
    m_bDrm = 1;
    m_inf.bReady = 1;
    MoveCtl();
    return VKE_OK;
}

int DlbPnlPrv::InitCtl()
{
    CmnDlgInf& inf = m_inf;
    if (!inf.pDraMenu->LoadMenu(IDR_DLBPNL_PRV_DRA)) return VKE_ERR_MEMORY;
    const CmnAppInf& app = theCmnAppInf;
    int rc = InitDraSlot(0, IDC_DLBPNL_PRV_DRA, RECT{0, 0, 1, 1}, IDC_DLGIMG_HSCR, IDC_DLGIMG_VSCR, [&](VkeDraParam& p) {
        p.iFrameWidth = 3;
        p.hMenu = inf.pDraMenu->m_hMenu;
        p.hPalette = nullptr;
        p.iScaleBase = app.iScaBas;
        p.iScaleMode = app.iModeScale;
        p.iScaleNum = p.iScaleDen = 1;
        p.iOwnScrBarLayout = 1;
        p.iFlipY = p.iDrawMemory = p.iCtlEditing = p.iDragAccept = 0;
        p.iGrabScroll = 1;
    });
    WNDPROC old = nullptr;
    if (rc == VKE_OK) rc = VkeDraSetWindowProc(GetDra(), GF_DlbPnlPrvWndPrcDra, &old);
    if (rc == VKE_OK && !g_pfnDraPrc) g_pfnDraPrc = old;
    if (rc != VKE_OK) CMN_TRACE("InitCtl", rc);
    return rc;
}

int DlbPnlPrv::Term()
{
    if (m_bDrm) theCmnImg.TermDrm(&m_drm);
    m_bDrm = 0;
    if (m_pPthImg) theCmnVar.FreeDat(CmnVarCodPthImg, reinterpret_cast<Dat**>(&m_pPthImg));
    m_pPthImg = nullptr;
    return DlbPnl::Term();
}

// ---- Layout ----

void DlbPnlPrv::MoveCtl()
{
    VkiDra* dra = GetDra();
    if (!m_inf.bReady || !dra || InPrintPreview()) return;
    CRect c;
    GetClientRect(&c);
    // The gripper runs down the left of a panel docked at the top or bottom, else across its top.
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) && !IsFloating();
    RECT r = horz ? RECT{c.left + 9, c.top + 3, c.Width() - 13, c.Height() - 9}
                  : RECT{c.left + 3, c.top + 8, c.Width() - 8, c.Height() - 13};
    r.right = r.left + std::max<int>(r.right, kMinSide);
    r.bottom = r.top + std::max<int>(r.bottom, kMinSide);
    VkeDraMove(dra, &r, nullptr);
}

void DlbPnlPrv::OnSize(UINT nType, int cx, int cy)
{
    DlbPnl::OnSize(nType, cx, cy);
    MoveCtl();
}

// ---- The image ----

int DlbPnlPrv::PreviewImage(const char* path)
{
    if (!m_inf.bReady) {
        CMN_TRACE("PreviewImage", VKE_ERR_NOT_INIT);
        return VKE_ERR_NOT_INIT;
    }
    if (!path || !*path) {
        CMN_TRACE("PreviewImage", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    if (!MainFrame()) return VKE_OK;
    EndShownPreview();
    char full[CmnPathSize] = {};
    int normal = 0;
    if (theCmnSub.IsNormalFile(path, full, sizeof(full), &normal) != VKE_OK || !normal) {
        Show("", nullptr);
        return VKE_ERR_NOT_FOUND;
    }
    HBITMAP image = nullptr;
    int type = 0, known = 0;
    float xRes = 0, yRes = 0;
    int rc = theCmnImg.OpenImage(full, &image, &type, &xRes, &yRes, &known);
    if (rc != VKE_OK) {
        // A file that cannot be shown empties the preview: the old picture would stand beside
        // another file's name in the list.
        theCmnImg.CloseImage(&image);
        Show("", nullptr);
        if (rc != VKE_NOT_DONE) CMN_TRACE("PreviewImage", rc);
        return rc;
    }
    m_pPthImg->iTypImg = type;
    m_pPthImg->fXRes = xRes;
    m_pPthImg->fYRes = yRes;
    m_pPthImg->bKnown = known;
    rc = Show(full, image);
    if (rc != VKE_OK) CMN_TRACE("PreviewImage", rc);
    return rc;
}

int DlbPnlPrv::Show(const char* path, HBITMAP image)
{
    CmnVarPthImg& rec = *m_pPthImg;
    HBITMAP old = rec.hImg;
    int width = 0, height = 0, bits = 0;
    int rc = image ? theCmnImg.GetImageInf(image, &width, &height, &bits) : VKE_OK;
    if (rc == VKE_OK) rc = VkeSubSetAppMemStr(Sub(), &rec.amPath, path);
    if (rc != VKE_OK) {
        // The new image goes; the preview empties.
        if (image != old) theCmnImg.CloseImage(&image);
        image = nullptr;
        width = height = bits = 0;
        VkeSubSetAppMemStr(Sub(), &rec.amPath, "");
    }
    if (old && old != image) theCmnImg.CloseImage(&old);
    rec.hImg = image;
    rec.iWidth = width;
    rec.iHeight = height;
    rec.iBitCnt = bits;
    if (!image) rec.iTypImg = rec.bKnown = 0;
    const bool shown = IsWindowVisible() != FALSE;
    if (shown) SetRedraw(FALSE);
    int laid = LayOut();
    if (laid != VKE_OK && rec.hImg) {
        // An image the drawing area cannot take goes again: the preview empties.
        theCmnImg.CloseImage(&rec.hImg);
        rec.iWidth = rec.iHeight = rec.iBitCnt = rec.iTypImg = rec.bKnown = 0;
        VkeSubSetAppMemStr(Sub(), &rec.amPath, "");
        LayOut();
    }
    if (shown) SetRedraw(TRUE);
    VkeDraRedraw(GetDra(), 0);
    ::InvalidateRect(GetDraWnd(), nullptr, FALSE);
    Redraw(0);
    return rc != VKE_OK ? rc : laid;
}

int DlbPnlPrv::LayOut()
{
    VkiDra* dra = GetDra();
    const SopShi& shi = theAppInf.sopShi;
    int rc = theCmnImg.ShowOnDra(dra, *m_pPthImg, shi.iModeSca, shi.lScaNum, shi.lScaDen);
    if (rc == VKE_OK) VkeDraHScroll(dra, SB_THUMBPOSITION, 0);
    if (rc == VKE_OK) VkeDraVScroll(dra, SB_THUMBPOSITION, 0);
    return rc;
}

CString DlbPnlPrv::GetPathName()
{
    if (!m_inf.bReady || !m_pPthImg) {
        CMN_TRACE("GetPathName", VKE_ERR_NOT_INIT);
        return CString();
    }
    if (!m_pPthImg->hImg) return CString();
    char path[CmnPathSize] = {};
    VkeSubGetAppMemStr(Sub(), &m_pPthImg->amPath, path, sizeof(path));
    return CString(path);
}

// ---- Drawing ----

LRESULT DlbPnlPrv::OnVkeWmDrw(WPARAM wParam, LPARAM lParam)
{
    const Dri* dri = reinterpret_cast<const Dri*>(lParam);
    if (!wParam || !dri) {
        CMN_TRACE("Draw", VKE_ERR_ARG);
        return 0;
    }
    int rc = m_inf.bReady ? Draw(*dri) : VKE_ERR_NOT_INIT;
    if (rc != VKE_OK) CMN_TRACE("Draw", rc);
    return 1;
}

int DlbPnlPrv::Draw(const Dri& dri)
{
    if (!dri.hDC) return VKE_ERR_SYSTEM;
    VkiDra* dra = GetDra();
    RECT client = {};
    ::GetClientRect(GetDraWnd(), &client);
    RECT target = dri.iPrinting ? dri.rct : client;
    if (!dri.iPrinting) ::DPtoLP(dri.hDC, reinterpret_cast<POINT*>(&target), 2);
    COLORREF back = RGB(255, 255, 255);
    VkeDraGetBackColor(dra, &back);
    HBITMAP image = GetImage();
    if (!image) {
        CmnImg::FillBack(dri.hDC, target, back);
        return VKE_OK;
    }
    RECT inner = {};
    int x = 0, y = 0;
    int rc = VkeDraGetInrDraRectSca(dra, &inner);
    if (rc == VKE_OK) rc = VkeDraGetDraHScrPos(dra, &x);
    if (rc == VKE_OK) rc = VkeDraGetDraVScrPos(dra, &y);
    if (rc != VKE_OK) return rc;
    const int width = inner.right - inner.left, height = inner.bottom - inner.top;
    if (width > 0 && height > 0) {
        CmnDrmImage attached(&m_drm, image);
        if (attached.Result() != VKE_OK) return attached.Result();
        // The draw memory's DC in the drawing's scaled units, cut to the part in sight on the
        // screen (a printed page takes what its mapping shows).
        DrawInfo info = {m_drm.hDC, MM_ANISOTROPIC, inner.left, inner.top, width, height, 0, 0, m_drm.iUsedWidth,
                         m_drm.iUsedHeight, std::max<int>(inner.left, x), std::max<int>(inner.top, y),
                         std::min<int>(inner.right, x + client.right - client.left),
                         std::min<int>(inner.bottom, y + client.bottom - client.top)};
        if (dri.iPrinting) info.iClipLeft = info.iClipTop = info.iClipRight = info.iClipBottom = 0;
        rc = VkeDrwSetDrawInfoLast(theCmnAppInf.pDrw, &info);
        if (rc == VKE_OK)
            rc = theCmnImg.CopyImageWithMode(dri.hDC, inner.left, inner.top, m_drm.hDC, inner.left, inner.top, width,
                                             height, theCmnAppInf.iModeStretch);
    }
    if (!dri.iPrinting) {
        // The strips right of and below the image, within the request.
        RECT right = {inner.right, target.top, target.right, target.bottom};
        RECT below = {target.left, inner.bottom, target.right, target.bottom};
        for (RECT part : {right, below})
            if (::IntersectRect(&part, &part, &dri.rct)) CmnImg::FillBack(dri.hDC, part, back);
    }
    return rc;
}

// ---- The drawing area's messages ----

LRESULT DlbPnlPrv::OnCmnWmRfl(WPARAM, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (!m_inf.bReady || !msg || msg->message != WM_RBUTTONDOWN) return 0;
    if (InPrintPreview()) return 1;
    theCmnSub.SetFocusWnd(msg->hwnd);
    return 0;
}

// ---- Copy ----

bool DlbPnlPrv::DraFocused()
{
    void* obj = nullptr;
    return GetFocusCtl(&obj) == CmnTypDra;
}

int DlbPnlPrv::GetEditFlag(EditFlag* flags)
{
    if (!DraFocused()) return DlbPnl::GetEditFlag(flags);
    if (!flags) return Fail("GetEditFlag", VKE_ERR_ARG);
    VkeSubInitEditFlag(Sub(), flags);
    flags->iCpy = GetImage() ? 1 : 0;
    return VKE_OK;
}

int DlbPnlPrv::GetEditCpyFlag(int* out)
{
    if (!DraFocused()) return DlbPnl::GetEditCpyFlag(out);
    if (!out) return Fail("GetEditCpyFlag", VKE_ERR_ARG);
    *out = GetImage() ? 1 : 0;
    return VKE_OK;
}

int DlbPnlPrv::EditCpy()
{
    EndDrag();
    EndShownPreview();
    if (!DraFocused()) return DlbPnl::EditCpy();
    int flag = 0;
    GetEditCpyFlag(&flag);
    if (flag != 1) return VKE_NOT_DONE;
    int rc = theCmnImg.CopyDIBToClb(m_hWnd, GetImage());
    return rc == VKE_OK ? rc : Fail("EditCpy", rc);
}

// ---- Printing ----

int DlbPnlPrv::PreparePrinting(CPrintInfo* pInfo)
{
    EndDrag();
    if (!CheckReady("PreparePrinting")) return VKE_ERR_NOT_INIT;
    if (!GetImage() || !pInfo || !pInfo->m_pPD) return VKE_CANCELLED;
    HDC dc = pInfo->m_pPD->m_pd.hDC;
    RECT page = {};
    int rc = VkeSysPrintCalcRect(theCmnAppInf.pSys, dc, &theCmnAppInf.rctPrintMargin, &page);
    VkiDra* dra = GetDra();
    PrintInfo& info = m_inf.pPrtInf[0];
    if (rc == VKE_OK) rc = VkeDraInitPrintInfo(dra, &info);
    if (rc != VKE_OK) return rc == VKE_ERR_CUT ? rc : Fail("PreparePrinting", rc);
    Pri& pri = theAppInf.poi.pri;
    info.hDC = dc;
    info.iHeader = pri.bHeader == 1 ? 1 : 0;
    info.iPageNo = pri.bFooter == 1 ? 1 : 0;
    info.rctSource = info.rctPagePart = RECT{};
    info.iScaleMode = pri.iMode;
    const bool centre = pri.iMode == VKE_PRT_SCALE_STRETCH || pri.iMode == VKE_PRT_SCALE_FIT;
    info.iAlignH = centre ? VKE_PRT_ALIGN_HCENTRE : VKE_PRT_ALIGN_LEFT;
    info.iAlignV = centre ? VKE_PRT_ALIGN_VCENTRE : VKE_PRT_ALIGN_TOP;
    LOGFONTA font;
    if (FontOf(pri.amLogFontHdr, &font)) info.lfHeader = font;
    if (FontOf(pri.amLogFontFtr, &font)) info.lfPageNo = font;
    // Texts cut to the record's size on a character boundary; an empty header is the path.
    VkeSubGetAppMemStr(Sub(), &pri.amHeader, info.amHeader, sizeof(info.amHeader));
    VkeSubGetAppMemStr(Sub(), &pri.amFooter, info.amPageNo, sizeof(info.amPageNo));
    if (info.iHeader == 1 && !info.amHeader[0])
        VkeSubGetAppMemStr(Sub(), &m_pPthImg->amPath, info.amHeader, sizeof(info.amHeader));
    rc = VkeDraSetPrintInfoRect(dra, &info, &page);
    if (rc == VKE_OK) rc = VkeDraSetPrintPageInfo(dra, &info);
    // Margins that leave no room are the caller's message.
    if (rc == VKE_NOT_DONE || rc == VKE_ERR_CUT) return VKE_ERR_CUT;
    if (rc != VKE_OK) return Fail("PreparePrinting", rc);
    if (info.iPageCount < 1) return VKE_CANCELLED;
    pInfo->SetMinPage(1);
    pInfo->SetMaxPage(static_cast<UINT>(std::min(info.iPageCount, kMaxPages)));
    return VKE_OK;
}
