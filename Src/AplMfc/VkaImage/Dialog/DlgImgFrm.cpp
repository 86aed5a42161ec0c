// The image page's cut frame: tracking, the hit test and cursor, clipping and storing a new
// frame, the default placement, drawing and erasing it on the drawing area's window, its pen,
// and the frame settings shared with the operation panel.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgFrm"
#include "DlgImg.h"
#include "CmnImg.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "DlbPnlOpr.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <algorithm>

namespace {

bool Empty(const RECT& r) { return r.right - r.left < 1 || r.bottom - r.top < 1; }

// One mapping state of the drawing area's window DC, as the area's own pass sets it: drawing
// coordinates scrolled into the client area, clipped to the drawing's visible part. Dropped at
// the end of the scope.
class ScreenMapping {
public:
    ScreenMapping(HDC dc, const RECT& inner, POINT scroll, const RECT& client) : m_dc(dc)
    {
        const int w = inner.right - inner.left, h = inner.bottom - inner.top;
        DrawInfo info = {dc, MM_ANISOTROPIC, scroll.x, scroll.y, w, h, client.left, client.top, w, h,
                         std::max<int>(inner.left, scroll.x), std::max<int>(inner.top, scroll.y),
                         std::min<int>(inner.right, scroll.x + client.right - client.left),
                         std::min<int>(inner.bottom, scroll.y + client.bottom - client.top)};
        if (w < 1 || h < 1 || info.iClipLeft >= info.iClipRight || info.iClipTop >= info.iClipBottom) return;
        m_rc = VkeDrwSetDrawInfoLast(theCmnAppInf.pDrw, &info);
        m_set = m_rc == VKE_OK;
    }
    ~ScreenMapping()
    {
        if (m_set) VkeDrwResetDrawInfo(theCmnAppInf.pDrw, m_dc, 1);
    }
    ScreenMapping(const ScreenMapping&) = delete;
    ScreenMapping& operator=(const ScreenMapping&) = delete;
    // False when none of the drawing is in sight or the mapping failed (Result).
    bool Set() const { return m_set; }
    int Result() const { return m_rc; }

private:
    HDC m_dc;
    bool m_set = false;
    int m_rc = VKE_OK;
};

} // namespace

// ---- Small helpers ----

void DlgImg::ShowPnlCtl(int control)
{
    HalcorApp* app = HalcorGetApp();
    if (DlbPnlOpr* panel = app ? app->GetPnlOpr() : nullptr) panel->SetData(control, 0);
}

bool DlgImg::IsFrmShown() const
{
    return m_bInitImg && m_pIci && m_pIci->pthImg.hImg && theAppInf.poi.fri.bShwFrm == 1;
}

void DlgImg::ViewOf(SIZE* client, RECT* visible)
{
    VkiDra* dra = GetDra();
    RECT c = {};
    ::GetClientRect(GetDraWnd(), &c);
    Ici& ici = *m_pIci;
    VkeDraGetDraHScrPos(dra, &ici.iPosX);
    VkeDraGetDraVScrPos(dra, &ici.iPosY);
    RECT inner = {};
    VkeDraGetInrDraRectSca(dra, &inner);
    *client = SIZE{c.right - c.left, c.bottom - c.top};
    *visible = RECT{std::max<int>(inner.left, ici.iPosX), std::max<int>(inner.top, ici.iPosY),
                    std::min<int>(inner.right, ici.iPosX + client->cx), std::min<int>(inner.bottom, ici.iPosY + client->cy)};
    if (visible->right < visible->left) visible->right = visible->left;
    if (visible->bottom < visible->top) visible->bottom = visible->top;
}

void DlgImg::ScrollDra(const int* x, const int* y)
{
    VkiDra* dra = GetDra();
    Ici& ici = *m_pIci;
    int pos = 0;
    // A position outside the drawing (-13) is still converted; the scroll clamps it.
    if (x && *x != ici.iPosX && VkeDraHDraPosToHScrPos(dra, &pos, *x) != VKE_ERR_ARG)
        VkeDraHScroll(dra, SB_THUMBPOSITION, pos);
    if (y && *y != ici.iPosY && VkeDraVDraPosToVScrPos(dra, &pos, *y) != VKE_ERR_ARG)
        VkeDraVScroll(dra, SB_THUMBPOSITION, pos);
    VkeDraGetDraHScrPos(dra, &ici.iPosX);
    VkeDraGetDraVScrPos(dra, &ici.iPosY);
}

void DlgImg::StoreFrm(const RECT& frame)
{
    ClearFrame();
    m_pIci->rctFrm = frame;
    DrawStoredFrm();
}

void DlgImg::DrawStoredFrm()
{
    if (IsFrmShown() && !::GetUpdateRect(GetDraWnd(), nullptr, FALSE)) DrawFrame();
    if (IsCurPage()) ShowStatus();
}

// ---- Hit test, cursor, tracking ----

int DlgImg::HitTest(POINT client, int setCursor, POINT* img)
{
    if (!m_bInitImg || !img) return FrmHitNone;
    Ici& ici = *m_pIci;
    VkeDraGetDraHScrPos(GetDra(), &ici.iPosX);
    VkeDraGetDraVScrPos(GetDra(), &ici.iPosY);
    const POINT disp = {client.x + ici.iPosX, client.y + ici.iPosY};
    int code = FrmHitTest(ici.rctFrm, IsFrmShown(), disp, Scale(), RuleOf(theAppInf.poi.fri), img);
    if (setCursor == 1) SetFrmCursor(code);
    return code;
}

void DlgImg::SetFrmCursor(int code)
{
    int focus = 0;
    VkeDraIsFocus(GetDra(), &focus);
    HCURSOR cursor = m_hCurArrow;
    if (focus == 1) {
        switch (code) {
        case FrmHitTopLeft:
        case FrmHitBottomRight: cursor = m_hCurSize[0]; break;
        case FrmHitTopRight:
        case FrmHitBottomLeft: cursor = m_hCurSize[1]; break;
        case FrmHitLeft:
        case FrmHitRight: cursor = m_hCurSize[3]; break;
        case FrmHitTop:
        case FrmHitBottom: cursor = m_hCurSize[2]; break;
        case FrmHitInside: cursor = m_hCurMove; break;
        default: break;
        }
    }
    if (cursor) ::SetCursor(cursor);
}

int DlgImg::StartTracking(int code, const POINT* point)
{
    if (!m_bInitImg) return Fail("StartTracking", VKE_ERR_NOT_INIT);
    if (m_trk.bRightZoom || IsTracking()) return Fail("StartTracking", VKE_ERR_EXISTS);
    if (!point) return Fail("StartTracking", VKE_ERR_ARG);
    m_trk.iHitCode = code;
    m_trk.ptAnchor = *point;
    m_trk.iOffX = m_trk.iOffY = 0;
    m_trk.iFrmWidth = m_trk.iFrmHeight = 1;
    if (code >= FrmHitTopLeft && code <= FrmHitBottom && IsFrmShown()) {
        const RECT& f = m_pIci->rctFrm;
        POINT& a = m_trk.ptAnchor;
        a.x = std::min<int>(std::max<int>(a.x, f.left), f.right);
        a.y = std::min<int>(std::max<int>(a.y, f.top), f.bottom);
        m_trk.iOffX = a.x - f.left;
        m_trk.iOffY = a.y - f.top;
        m_trk.iFrmWidth = std::max<int>(f.right - f.left, 1);
        m_trk.iFrmHeight = std::max<int>(f.bottom - f.top, 1);
    }
    ::SetCapture(GetDraWnd());
    return VKE_OK;
}

void DlgImg::ResetTrk()
{
    m_trk.bMoving = m_trk.bResizing = m_trk.bGesture = 0;
    m_trk.iHitCode = 0;
    m_trk.ptAnchor = POINT{-1, -1};
    m_trk.iOffX = m_trk.iOffY = 0;
    m_trk.iFrmWidth = m_trk.iFrmHeight = 1;
}

int DlgImg::StopTracking()
{
    if (!m_bInitImg) return Fail("StopTracking", VKE_ERR_NOT_INIT);
    if (!IsTracking()) return Fail("StopTracking", VKE_ERR_EXISTS);
    // The state goes first: letting the capture go tells the area, which asks the page again.
    ResetTrk();
    HWND area = GetDraWnd();
    if (area && ::GetCapture() == area) ::ReleaseCapture();
    return VKE_OK;
}

void DlgImg::EndTracking()
{
    m_trk.bRightZoom = m_trk.bFrameZoom = 0;
    if (IsTracking()) StopTracking();
}

void DlgImg::BeginKeyResize(int code)
{
    const RECT& f = m_pIci->rctFrm;
    m_trk.bResizing = 1;
    m_trk.iHitCode = code;
    m_trk.ptAnchor = FrmHandlePoint(f, code);
    m_trk.iOffX = m_trk.ptAnchor.x - f.left;
    m_trk.iOffY = m_trk.ptAnchor.y - f.top;
    m_trk.iFrmWidth = std::max<int>(f.right - f.left, 1);
    m_trk.iFrmHeight = std::max<int>(f.bottom - f.top, 1);
}

// ---- Clipping and storing ----

int DlgImg::ClipFrmRct(RECT* rect)
{
    if (!m_bInitImg) return Fail("ClipFrmRct", VKE_ERR_NOT_INIT);
    if (!rect) return Fail("ClipFrmRct", VKE_ERR_ARG);
    return ClipFrm(rect, m_trk.bMoving != 0);
}

int DlgImg::ClipFrm(RECT* rect, bool moving)
{
    Fri& fri = theAppInf.poi.fri;
    int rc = FrmClip(rect, moving, RuleOf(fri), ImageSize());
    if (rc != VKE_OK || (fri.iMode != FrmModeFree && fri.iMode != FrmModeFixedSize) || !IsCurPage()) return rc;
    // In free mode the size settings tell the frame's size; a fixed size larger than the image
    // is the image's, and the settings (the panel's boxes) say so.
    const int w = rect->right - rect->left, h = rect->bottom - rect->top;
    if (w == fri.iWidth && h == fri.iHeight) return rc;
    fri.iWidth = m_pIci->poi.fri.iWidth = w;
    fri.iHeight = m_pIci->poi.fri.iHeight = h;
    ShowPnlCtl(OprCtlWidth);
    ShowPnlCtl(OprCtlHeight);
    return rc;
}

int DlgImg::ChkFrmRct(const RECT& rect, int ch)
{
    if (!m_bInitImg) return Fail("ChkFrmRct", VKE_ERR_NOT_INIT);
    const int code = m_trk.iHitCode;
    if (code < FrmHitTopLeft || code > FrmHitBottom) return Fail("ChkFrmRct", VKE_ERR_EXISTS);
    RECT cand = rect;
    int rc = ClipFrm(&cand, m_trk.bMoving != 0);
    if (rc != VKE_OK) return rc;
    const FrmScale s = Scale();
    SIZE client = {};
    RECT visible = {};
    ViewOf(&client, &visible);
    POINT disp;
    if (m_trk.bMoving) {
        disp = FrmLeadCorner(cand, code, s);
    } else {
        FrmKeepOpposite(&cand, m_pIci->rctFrm, code, ImageSize());
        POINT a = FrmScaleAnchor(cand, m_trk.iOffX, m_trk.iFrmWidth, m_trk.iOffY, m_trk.iFrmHeight);
        if (ch) {
            // The side of the frame's visible part (of the whole frame when none is in sight).
            RECT part = FrmRectToDisp(cand, s, FrmRoundHalf);
            RECT seen = {};
            if (!::IntersectRect(&seen, &part, &visible)) seen = part;
            const int upper = ch & ~0x20; // either case
            if (upper == 'B') a.x = FrmToImg(seen.right, s);
            if (upper == 'T') a.x = FrmToImg(seen.left, s);
            if (upper == 'E') a.y = FrmToImg(seen.top, s);
            if (upper == 'R') a.y = FrmToImg(seen.bottom, s);
        }
        m_trk.ptAnchor = a;
        disp = FrmHandleToDisp(a, code, s);
    }
    // The old frame goes and the new one is stored; it is drawn once its moved side or corner is
    // in sight (a scroll that uncovers a strip leaves it to that strip's paint).
    ClearFrame();
    m_pIci->rctFrm = cand;
    const bool farX = code == FrmHitTopRight || code == FrmHitBottomRight || code == FrmHitRight;
    const bool farY = code == FrmHitBottomRight || code == FrmHitBottomLeft || code == FrmHitBottom;
    int x = 0, y = 0;
    const bool moveX = FrmAutoScroll(disp.x, m_pIci->iPosX, client.cx, farX, &x);
    const bool moveY = FrmAutoScroll(disp.y, m_pIci->iPosY, client.cy, farY, &y);
    if (moveX || moveY) ScrollDra(moveX ? &x : nullptr, moveY ? &y : nullptr);
    DrawStoredFrm();
    return VKE_OK;
}

// ---- Placing ----

int DlgImg::PlaceDefFrame()
{
    if (!m_bInitImg) return Fail("PlaceDefFrame", VKE_ERR_NOT_INIT);
    if (!m_pIci->pthImg.hImg) return VKE_NOT_DONE;
    const FrmScale s = Scale();
    SIZE client = {};
    RECT visible = {};
    ViewOf(&client, &visible);
    const Ici& ici = *m_pIci;
    RECT f = FrmDefault(SIZE{ici.iShwWidth, ici.iShwHeight}, client, visible, s);
    int rc = ClipFrm(&f, true);
    if (rc != VKE_OK) {
        f = RECT{0, 0, ici.pthImg.iWidth, ici.pthImg.iHeight};
        rc = ClipFrm(&f, true);
    }
    if (rc != VKE_OK) return rc;
    if (theAppInf.poi.fri.iMode != FrmModeFixedSize) {
        RECT fitted = FrmFitVisible(f, visible, s);
        if (!::EqualRect(&fitted, &f) && ClipFrm(&fitted, true) == VKE_OK) f = fitted;
    }
    StoreFrm(f);
    if (!IsFrmShown()) return VKE_OK;
    // A frame larger than the view starts 0.1 of the view in from its edge.
    const RECT d = FrmRectToDisp(f, s, FrmRoundDown);
    const int vw = visible.right - visible.left, vh = visible.bottom - visible.top;
    const int x = d.left - vw / 10, y = d.top - vh / 10;
    const bool moveX = vw < d.right - d.left, moveY = vh < d.bottom - d.top;
    if (moveX || moveY) ScrollDra(moveX ? &x : nullptr, moveY ? &y : nullptr);
    return VKE_OK;
}

// ---- Drawing ----

int DlgImg::PaintOutline(const RECT& disp, bool restore)
{
    HWND area = GetDraWnd();
    if (!area) return VKE_ERR_SYSTEM;
    CClientDC areaDC(CWnd::FromHandle(area));
    HDC dc = areaDC.m_hDC;
    if (!dc) return VKE_ERR_SYSTEM;
    RECT inner = {}, client = {};
    VkeDraGetInrDraRectSca(GetDra(), &inner);
    ::GetClientRect(area, &client);
    const Ici& ici = *m_pIci;
    ScreenMapping mapping(dc, inner, POINT{ici.iPosX, ici.iPosY}, client);
    if (!mapping.Set()) return mapping.Result();
    if (restore) {
        // The outline's four sides in device pixels, each copied again from the image.
        const int l = disp.left - ici.iPosX + client.left, t = disp.top - ici.iPosY + client.top;
        const int r = disp.right - ici.iPosX + client.left, b = disp.bottom - ici.iPosY + client.top;
        const RECT sides[4] = {{l, t, r, t + 1}, {l, b - 1, r, b}, {l, t, l + 1, b}, {r - 1, t, r, b}};
        return DrawImageParts(dc, inner, client, sides, 4);
    }
    CDCSelect brush(dc, ::GetStockObject(NULL_BRUSH));
    CDCSelect pen(dc, m_penFrm.m_hObject);
    const int rop = ::SetROP2(dc, m_bInvClrFrm ? R2_NOT : R2_COPYPEN);
    // A styled pen's gaps stay untouched (in opaque mode R2_NOT inverts them too).
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    ::Rectangle(dc, disp.left, disp.top, disp.right, disp.bottom);
    ::SetBkMode(dc, mode);
    ::SetROP2(dc, rop);
    return VKE_OK;
}

bool DlgImg::MayDrawFrame()
{
    HalcorApp* app = HalcorGetApp();
    int selecting = 0, changing = 0, printing = 0;
    if (app) {
        app->GetFlgSelImg(&selecting);
        app->GetFlgTabChg(&changing);
    }
    VkeDraGetPrintFlag(GetDra(), &printing);
    return selecting != 1 && changing != 1 && printing != 1 && m_pIci->pthImg.hImg && IsCurPage();
}

int DlgImg::DrawFrame()
{
    if (!m_bInitImg) return Fail("DrawFrame", VKE_ERR_NOT_INIT);
    if (!MayDrawFrame()) return VKE_OK;
    const RECT& f = m_pIci->rctFrm;
    if (Empty(f)) return Fail("DrawFrame", VKE_ERR_SYSTEM);
    VkeDraGetDraHScrPos(GetDra(), &m_pIci->iPosX);
    VkeDraGetDraVScrPos(GetDra(), &m_pIci->iPosY);
    const RECT disp = FrmRectToDisp(f, Scale(), FrmRoundTrunc);
    if (Empty(disp)) return VKE_OK;
    if (m_bFrmDrawn) {
        if (::EqualRect(&disp, &m_rctFrmDrawn)) return VKE_OK;
        ClearFrame();
    }
    int rc = PaintOutline(disp, false);
    if (rc != VKE_OK) return Fail("DrawFrame", rc);
    m_bFrmDrawn = 1;
    m_rctFrmDrawn = disp;
    return VKE_OK;
}

int DlgImg::ClearFrame()
{
    if (!m_bInitImg) return Fail("ClearFrame", VKE_ERR_NOT_INIT);
    if (!m_bFrmDrawn || !MayDrawFrame()) return VKE_OK;
    m_bFrmDrawn = 0;
    VkeDraGetDraHScrPos(GetDra(), &m_pIci->iPosX);
    VkeDraGetDraVScrPos(GetDra(), &m_pIci->iPosY);
    // Inverted once more, or the image under the outline copied again.
    int rc = PaintOutline(m_rctFrmDrawn, !m_bInvClrFrm);
    return rc == VKE_OK ? rc : Fail("ClearFrame", rc);
}

int DlgImg::CreateFrmPen()
{
    COLORREF color = 0;
    const SopShi& shi = theAppInf.sopShi;
    if (theCmnSub.GetColor(shi.strColor[0], &color) != VKE_OK) return Fail("CreateFrmPen", VKE_ERR_MEMORY);
    const bool drawn = m_bInitImg && m_bFrmDrawn;
    if (drawn) ClearFrame();
    CPen pen;
    if (!pen.CreatePen(shi.iStylePenFrm, 1, color)) return Fail("CreateFrmPen", VKE_ERR_MEMORY);
    m_bInvClrFrm = shi.bInvClrFrm;
    m_iStylePenFrm = shi.iStylePenFrm;
    m_penFrm.DeleteObject();
    m_penFrm.Attach(pen.Detach());
    if (drawn) DrawFrame();
    return VKE_OK;
}

// ---- Settings ----

int DlgImg::SetShwFrmFlag(int flag)
{
    if (!m_bInitImg) return Fail("SetShwFrmFlag", VKE_ERR_NOT_INIT);
    if (flag != 0 && flag != 1) return Fail("SetShwFrmFlag", VKE_ERR_ARG);
    EndTracking();
    Fri& fri = theAppInf.poi.fri;
    if (flag == fri.bShwFrm) return VKE_OK;
    if (!m_pIci->pthImg.hImg) {
        fri.bShwFrm = flag;
        return VKE_OK;
    }
    if (flag == 0) {
        ClearFrame();
        fri.bShwFrm = m_pIci->poi.fri.bShwFrm = 0;
        if (IsCurPage()) ShowStatus();
        return VKE_OK;
    }
    return ShowFrame();
}

void DlgImg::ShowMsg(int id)
{
    if (m_iMsgHold <= 0) theCmnSub.MsgBoxById(id, MB_OK | MB_ICONEXCLAMATION);
    else if (!m_iMsgHeld) m_iMsgHeld = id;
}

int DlgImg::ShowFrame()
{
    MsgHold hold(this);
    Ici& ici = *m_pIci;
    Fri& fri = theAppInf.poi.fri;
    if (ici.bOrnSet != 1) SetupPrinter();
    const bool first = ici.bFrmSet != 1;
    if (first) {
        ici.bFrmSet = 1;
        if (fri.iMode != FrmModeFree) {
            // Placed as a free frame first: fixed modes start from its size.
            const Fri kept = fri;
            fri.iMode = FrmModeFree;
            PlaceDefFrame();
            fri.iMode = kept.iMode;
            fri.iWidth = ici.poi.fri.iWidth = kept.iWidth;
            fri.iHeight = ici.poi.fri.iHeight = kept.iHeight;
            ShowPnlCtl(OprCtlWidth);
            ShowPnlCtl(OprCtlHeight);
        }
    }
    if (fri.iMode == FrmModeFixedRatio && fri.bPagSet == 1) {
        // Without a printer the frame stays as placed; the page set-up said why.
        int rc = PageSetup();
        if (rc == VKE_NOT_DONE) ShowMsg(IDS_CMN_PRINTER);
        if (first) PlaceDefFrame();
    } else if (first) {
        PlaceDefFrame();
    } else {
        RECT f = ici.rctFrm;
        if (ClipFrm(&f, false) == VKE_OK) ici.rctFrm = f;
    }
    fri.bShwFrm = ici.poi.fri.bShwFrm = 1;
    DrawFrame();
    if (IsCurPage()) ShowStatus();
    // A frame wholly out of sight: the view goes to 0.1 of its size before the frame's corner.
    SIZE client = {};
    RECT visible = {};
    ViewOf(&client, &visible);
    const RECT d = FrmRectToDisp(ici.rctFrm, Scale(), FrmRoundDown);
    RECT seen = {};
    if (!Empty(d) && !::IntersectRect(&seen, &d, &visible)) {
        ClearFrame();
        const int vw = std::min<int>(client.cx, ici.iShwWidth), vh = std::min<int>(client.cy, ici.iShwHeight);
        const int x = std::max<int>(0, d.left - vw / 10), y = std::max<int>(0, d.top - vh / 10);
        ScrollDra(&x, &y);
    }
    return VKE_OK;
}

int DlgImg::SetFrmMod(int mode)
{
    if (!m_bInitImg) return Fail("SetFrmMod", VKE_ERR_NOT_INIT);
    if (mode < FrmModeFree || mode > FrmModeFixedRatio) return Fail("SetFrmMod", VKE_ERR_ARG);
    EndTracking();
    Fri& fri = theAppInf.poi.fri;
    if (mode == fri.iMode) return VKE_OK;
    if (!m_pIci->pthImg.hImg) {
        fri.iMode = mode;
        return VKE_OK;
    }
    const int shown = fri.bShwFrm;
    if (shown == 1) ClearFrame();
    if (mode != FrmModeFree) {
        // The fixed size or ratio starts from a default free frame.
        fri.iMode = FrmModeFree;
        PlaceDefFrame();
    }
    fri.iMode = m_pIci->poi.fri.iMode = mode;
    fri.bShwFrm = m_pIci->poi.fri.bShwFrm = 0;
    m_pIci->bFrmSet = 0;
    return SetShwFrmFlag(shown);
}

int DlgImg::SetPagSetFlag(int flag) { return SetFitFlag("SetPagSetFlag", &Fri::bPagSet, flag); }

int DlgImg::SetHrzScaFlag(int flag) { return SetFitFlag("SetHrzScaFlag", &Fri::bHrzSca, flag); }

int DlgImg::SetFitFlag(const char* name, int Fri::*field, int flag)
{
    if (!m_bInitImg) return Fail(name, VKE_ERR_NOT_INIT);
    if (flag != 0 && flag != 1) return Fail(name, VKE_ERR_ARG);
    EndTracking();
    Fri& fri = theAppInf.poi.fri;
    if (flag == fri.*field) return VKE_OK;
    fri.*field = m_pIci->poi.fri.*field = flag;
    return IsFrmShown() ? RefitFrame() : VKE_OK;
}

int DlgImg::RefitFrame()
{
    const Fri& fri = theAppInf.poi.fri;
    if (fri.iMode == FrmModeFixedRatio && fri.bPagSet == 1) return PageSetup();
    RECT f = m_pIci->rctFrm;
    if (ClipFrm(&f, false) == VKE_OK) StoreFrm(f);
    return VKE_OK;
}

int DlgImg::SetFrmSiz(int width, int height)
{
    if (!m_bInitImg) return Fail("SetFrmSiz", VKE_ERR_NOT_INIT);
    if (width < 1 || height < 1) return Fail("SetFrmSiz", VKE_ERR_ARG);
    EndTracking();
    Fri& fri = theAppInf.poi.fri;
    if (width == fri.iWidth && height == fri.iHeight) return VKE_OK;
    fri.iWidth = m_pIci->poi.fri.iWidth = width;
    fri.iHeight = m_pIci->poi.fri.iHeight = height;
    if (!IsFrmShown()) return VKE_OK;
    if (fri.iMode == FrmModeFree || (fri.iMode == FrmModeFixedRatio && fri.bPagSet == 1)) return RefitFrame();
    // A fixed size or ratio: placed afresh, hidden meanwhile.
    ClearFrame();
    fri.bShwFrm = 0;
    int rc = PlaceDefFrame();
    fri.bShwFrm = 1;
    DrawFrame();
    return rc == VKE_OK || rc == VKE_ERR_CUT ? VKE_OK : rc;
}

// ---- The command ----

void DlgImg::OnFrmToggle()
{
    if (!IsExistDIBHandle()) return;
    // The operation panel's show-frame switch, which the page turns and the panel shows.
    SetShwFrmFlag(theAppInf.poi.fri.bShwFrm == 1 ? 0 : 1);
    ShowPnlCtl(OprCtlShwFrm);
}

void DlgImg::OnUpdateFrmToggle(CCmdUI* pCmdUI)
{
    const bool image = IsExistDIBHandle() == 1;
    pCmdUI->Enable(image);
    pCmdUI->SetCheck(image && theAppInf.poi.fri.bShwFrm == 1 ? 1 : 0);
}
