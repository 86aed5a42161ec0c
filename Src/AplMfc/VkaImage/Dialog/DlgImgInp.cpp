// The drawing area's input as the image page sees it first (reflected by GF_DlgImgWndPrcDra): the
// cut frame's cursor, dragging its handles and moving it, its keys, characters and wheel, and
// the gestures of the right button. An answer of 0 lets the drawing area have the message.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgImgInp"
#include "DlgImg.h"
#include "ChildViw.h"
#include "CmnSub.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <string.h>
#include <algorithm>

namespace {

// The next mouse move follows the page's own placing of the pointer: it is let go once.
bool g_bIgnoreMove = false;

// A drag of the right button longer than this many pixels is a gesture.
const int kGestureDistance = 20;

bool Down(int key) { return ::GetKeyState(key) < 0; }

POINT PointOf(LPARAM lParam) { return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

// Whether a character code is one of the single-byte characters of a set: a double-byte code
// (a WM_IME_CHAR) never is, whatever its low byte.
bool IsOneOf(UINT c, const char* set) { return c != 0 && c < 0x80 && strchr(set, static_cast<int>(c)) != nullptr; }

// The characters a zoom with the right button held lets through.
bool IsZoomChar(UINT c) { return IsOneOf(c, "+-AaSsXxZz"); }

} // namespace

LRESULT DlgImg::OnDraInput(const MSG& msg)
{
    switch (msg.message) {
    case WM_SETCURSOR: {
        if (!IsFrmShown()) return 0;
        POINT at = {};
        ::GetCursorPos(&at);
        ::ScreenToClient(msg.hwnd, &at);
        POINT img = {};
        HitTest(at, 1, &img);
        return 1;
    }
    case WM_KEYDOWN: return OnDraKeyDown(static_cast<UINT>(msg.wParam));
    case WM_CHAR: return OnDraChar(static_cast<UINT>(msg.wParam));
    case WM_IME_CHAR: {
        int dbcs = 0;
        if (VkeSubIsSjsUINT(theCmnAppInf.pSub, static_cast<UINT>(msg.wParam), &dbcs) != VKE_OK || dbcs != 1) return 0;
        return OnDraChar(static_cast<UINT>(msg.wParam));
    }
    case WM_MOUSEWHEEL: return OnDraWheel(LOWORD(msg.wParam), static_cast<short>(HIWORD(msg.wParam)));
    case WM_LBUTTONDOWN: return OnDraLButtonDown(PointOf(msg.lParam));
    case WM_LBUTTONUP:
        if (m_trk.bRightZoom) return 1;
        if (IsFrmShown() && (m_trk.bMoving || m_trk.bResizing)) {
            StopTracking();
            return 1;
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        if (m_trk.bGesture) StopTracking();
        return 1;
    case WM_MOUSEMOVE: return OnDraMouseMove(PointOf(msg.lParam));
    case WM_RBUTTONDOWN: return OnDraRButtonDown(PointOf(msg.lParam));
    case WM_RBUTTONUP: return OnDraRButtonUp(PointOf(msg.lParam));
    case WM_CAPTURECHANGED:
        // The capture taken away in a drag (another window, a box): the drag ends there.
        if (IsTracking() && reinterpret_cast<HWND>(msg.lParam) != msg.hwnd) {
            m_trk.bRightZoom = m_trk.bFrameZoom = 0;
            ResetTrk();
        }
        return 0;
    default: return 0;
    }
}

// ---- Mouse ----

LRESULT DlgImg::OnDraLButtonDown(POINT point)
{
    if (m_trk.bGesture) StopTracking();
    if (m_trk.bMoving || m_trk.bResizing || m_trk.bRightZoom) return 1;
    VkiDra* dra = GetDra();
    VkeDraSetFocusDra(dra);
    POINT img = {};
    const int code = HitTest(point, 0, &img);
    if (code == FrmHitNone) {
        // Off the frame the button grabs the drawing.
        VkeDraSetGrabScrollFlag(dra, 1);
        return 0;
    }
    VkeDraSetGrabScrollFlag(dra, 0);
    if (StartTracking(code, &img) != VKE_OK) return 1;
    if (code == FrmHitInside) {
        m_trk.bMoving = 1;
        ::SetCursor(m_hCurGrab);
    } else {
        m_trk.bResizing = 1;
        SetFrmCursor(code);
    }
    return 1;
}

LRESULT DlgImg::OnDraMouseMove(POINT point)
{
    if (!(m_trk.bMoving || m_trk.bResizing) || !IsFrmShown()) return 0;
    if (g_bIgnoreMove) {
        g_bIgnoreMove = false;
        return 1;
    }
    HWND area = GetDraWnd();
    if (::GetCapture() != area) {
        m_trk.bRightZoom = m_trk.bFrameZoom = 0;
        StopTracking();
        return 0;
    }
    Ici& ici = *m_pIci;
    VkeDraGetDraHScrPos(GetDra(), &ici.iPosX);
    VkeDraGetDraVScrPos(GetDra(), &ici.iPosY);
    const FrmScale s = Scale();
    POINT img = {FrmToImg(static_cast<long long>(point.x) + ici.iPosX, s),
                 FrmToImg(static_cast<long long>(point.y) + ici.iPosY, s)};
    img.x = std::min<int>(std::max<int>(img.x, 0), ici.pthImg.iWidth);
    img.y = std::min<int>(std::max<int>(img.y, 0), ici.pthImg.iHeight);
    const POINT before = m_trk.ptAnchor;
    if (img.x == before.x && img.y == before.y) return 1;
    const int dx = img.x - before.x, dy = img.y - before.y;
    const RECT& f = ici.rctFrm;
    RECT cand = f;
    if (m_trk.bMoving) {
        ::OffsetRect(&cand, dx, dy);
        m_trk.iHitCode = FrmMoveCode(dx, dy);
    } else {
        int code = m_trk.iHitCode;
        POINT anchor = before;
        if (FrmResize(f, dx, dy, &cand, &code, &anchor)) {
            // The drag goes on with the mirrored handle, from the edge that stood fixed.
            m_trk.iHitCode = code;
            m_trk.ptAnchor = anchor;
            m_trk.iOffX = anchor.x - cand.left;
            m_trk.iOffY = anchor.y - cand.top;
            m_trk.iFrmWidth = std::max<int>(cand.right - cand.left, 1);
            m_trk.iFrmHeight = std::max<int>(cand.bottom - cand.top, 1);
            SetFrmCursor(code);
        }
    }
    ChkFrmRct(cand, 0);
    if (m_trk.bMoving) {
        m_trk.ptAnchor = img;
        m_trk.iHitCode = FrmHitInside;
        return 1;
    }
    // The pointer stays on the handle: where the frame could not follow, it is put back there.
    const POINT a = m_trk.ptAnchor;
    if (a.x == before.x && a.y == before.y) return 1;
    POINT at = {FrmToDisp(a.x, s, FrmRoundHalf) - ici.iPosX, FrmToDisp(a.y, s, FrmRoundHalf) - ici.iPosY};
    if (at.x == point.x && at.y == point.y) return 1;
    MSG pending;
    while (::PeekMessageA(&pending, area, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
    }
    g_bIgnoreMove = true;
    ::ClientToScreen(area, &at);
    ::SetCursorPos(at.x, at.y);
    return 1;
}

LRESULT DlgImg::OnDraRButtonDown(POINT point)
{
    if (IsTracking() || m_trk.bRightZoom) return 0;
    VkeDraSetFocusDra(GetDra());
    if (StartTracking(FrmHitNone, &point) != VKE_OK) return 0;
    m_trk.bGesture = 1;
    ::SetCursor(m_hCurArrow);
    // The area keeps the point as the base of a zoom with the wheel.
    return 0;
}

LRESULT DlgImg::OnDraRButtonUp(POINT point)
{
    if (m_trk.bMoving || m_trk.bResizing) return 1;
    VkeDraClearScaBasPos(GetDra());
    if (m_trk.bGesture) {
        const POINT start = m_trk.ptAnchor;
        StopTracking();
        VkiDrw* drw = theCmnAppInf.pDrw;
        int distance = 0, direction = 0;
        VkeDrwGetDistance(drw, &distance, start.x, start.y, point.x, point.y);
        if (distance > kGestureDistance) {
            VkeDrwGetDirection(drw, &direction, 8, start.x, start.y, point.x, point.y, 0);
            const bool shift = Down(VK_SHIFT);
            UINT id = 0;
            switch (direction) {
            case 1: {
                // Up: locks the page, or unlocks a locked one.
                HalcorViw* view = View();
                int index = -1, locked = 0;
                if (view && view->SchPageByHdl(m_hWnd, &index) == VKE_OK) view->GetLockedFlag(index, &locked);
                id = locked ? ID_VKA_PAGE_UNLOCK : ID_VKA_PAGE_LOCK;
                break;
            }
            case 2: id = ID_FILE_CLOSE; break;
            case 3: id = shift ? ID_VKA_PAGE_FIRST : ID_VKA_PAGE_PREV; break;
            case 4: id = shift ? ID_VKA_PAGE_LAST : ID_VKA_PAGE_NEXT; break;
            default: break; // the diagonals do nothing
            }
            if (id) PostViwCmd(id);
            return 1;
        }
    }
    if (IsFrmShown() && !m_trk.bRightZoom) {
        POINT at = point;
        ::ClientToScreen(GetDraWnd(), &at);
        if (m_inf.pDraMenu && m_inf.pDraMenu->m_hMenu)
            ::TrackPopupMenu(::GetSubMenu(m_inf.pDraMenu->m_hMenu, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
        return 1;
    }
    if (!IsFrmShown()) {
        // The area shows the same menu itself.
        m_trk.bRightZoom = m_trk.bFrameZoom = 0;
        return 0;
    }
    // A zoom happened with the button held: no menu.
    m_trk.bRightZoom = 0;
    if (!m_trk.bFrameZoom) return 0;
    m_trk.bFrameZoom = 0;
    return 1;
}

int DlgImg::PostViwCmd(UINT id)
{
    // Posted: a close destroys this page, which must not happen inside its own handler.
    HalcorApp* app = HalcorGetApp();
    ChildViw* view = app ? app->GetChildViw() : nullptr;
    if (!view || !view->m_hWnd) return Fail("PostViwCmd", VKE_ERR_SYSTEM);
    ::PostMessageA(view->m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return VKE_OK;
}

// ---- Wheel ----

LRESULT DlgImg::OnDraWheel(UINT keys, int delta)
{
    // A turn while the right button is held is a zoom, not a gesture: the gesture ends first,
    // frame or not, else the page would go on taking the wheel as a drag's.
    if (m_trk.bGesture) StopTracking();
    if (!IsFrmShown()) return 0;
    if (m_trk.bMoving || m_trk.bResizing) return 1;
    const int notches = delta / WHEEL_DELTA;
    if (!(keys & MK_RBUTTON)) {
        if (!(keys & MK_CONTROL)) return 0;
        // A move by the wheel steps, a notch away from the user to the left or up.
        const int* steps = theAppInf.sopShi.iScrSize;
        const bool h = (keys & MK_SHIFT) != 0;
        const long long d = -static_cast<long long>(notches) * (h ? steps[2] : steps[3]);
        RECT cand = m_pIci->rctFrm;
        const int dx = h ? static_cast<int>(d) : 0, dy = h ? 0 : static_cast<int>(d);
        ::OffsetRect(&cand, dx, dy);
        ResetTrk();
        m_trk.bMoving = 1;
        m_trk.iHitCode = FrmMoveCode(dx, dy);
        ChkFrmRct(cand, 0);
        ResetTrk();
        return 1;
    }
    const bool frame = Down(VK_CONTROL) || Down('Z') || Down('X') || Down(VK_F9) || Down(VK_F11);
    if (!frame) {
        // The area zooms the image.
        m_trk.bRightZoom = 1;
        return 0;
    }
    m_trk.bRightZoom = m_trk.bFrameZoom = 1;
    ZoomFrame(notches);
    return 1;
}

void DlgImg::ZoomFrame(int notches)
{
    if (theAppInf.poi.fri.iMode == FrmModeFixedSize || notches == 0 || !IsFrmShown()) return;
    const double factor = FrmZoomFactor(notches, theAppInf.sopShi.dScaleWheel);
    int num = 0, den = 0;
    if (factor <= 0 || theCmnSub.GetFraction(factor, 6, &num, &den) != VKE_OK || num < 1 || den < 1) return;
    const RECT f = m_pIci->rctFrm;
    const SIZE size = FrmZoomSize(SIZE{f.right - f.left, f.bottom - f.top}, num, den);
    // The top-left corner stays: a resize by the bottom-right corner.
    const RECT cand = {f.left, f.top, f.left + size.cx, f.top + size.cy};
    const int zoom = m_trk.bRightZoom, frameZoom = m_trk.bFrameZoom;
    ResetTrk();
    BeginKeyResize(FrmHitBottomRight);
    ChkFrmRct(cand, 0);
    ResetTrk();
    m_trk.bRightZoom = zoom;
    m_trk.bFrameZoom = frameZoom;
}

// ---- Keys ----

LRESULT DlgImg::OnDraKeyDown(UINT key)
{
    if (m_trk.bGesture) {
        if (key == VK_SHIFT) return 1;
        StopTracking();
    }
    if (m_trk.bMoving || m_trk.bResizing || m_trk.bRightZoom) return 1;
    VkeDraSetFocusDra(GetDra());
    ResetTrk();
    if (!IsFrmShown()) return 0;
    const Fri& fri = theAppInf.poi.fri;
    if (key >= '1' && key <= '8') {
        // The handles the mode leaves: none in fixed size, no height edges (keys 5 and 7) while
        // the width leads, no width edges (6 and 8) while the height leads.
        if (fri.iMode == FrmModeFixedSize) return 1;
        if (fri.iMode == FrmModeFixedRatio && (fri.bHrzSca ? (key == '5' || key == '7') : (key == '6' || key == '8')))
            return 1;
    }
    RECT cand = {};
    int code = 0;
    bool moving = true;
    if (!FrmKeyRect(m_pIci->rctFrm, key, Down(VK_SHIFT), Down(VK_CONTROL), theAppInf.sopShi.iScrSize, ImageSize(),
                    &cand, &code, &moving))
        return 0;
    // A resize that would empty the frame does nothing.
    if (::IsRectEmpty(&cand)) return 1;
    if (moving) {
        m_trk.bMoving = 1;
        m_trk.iHitCode = code;
    } else {
        BeginKeyResize(code);
    }
    ChkFrmRct(cand, 0);
    ResetTrk();
    return 1;
}

// ---- Characters ----

LRESULT DlgImg::OnDraChar(UINT code)
{
    if (m_trk.bMoving || m_trk.bResizing) return 1;
    if (m_trk.bRightZoom && !IsZoomChar(code)) return 1;
    HalcorApp* app = HalcorGetApp();
    if (!app || !app->GetChildViw()) {
        Fail("OnDraChar", VKE_ERR_SYSTEM);
        return 0;
    }
    const UINT upper = code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
    switch (upper) {
    case '+':
    case '-':
    case 'A':
    case 'S':
        // The area zooms the image; with the right button held no menu follows.
        if (Down(VK_RBUTTON)) m_trk.bRightZoom = 1;
        return 0;
    case 'F':
    case 'L':
    case 'P':
    case 'N':
    case 'K':
    case 'U': {
        // The view's page commands: first, last, previous, next, lock, unlock.
        static const char keys[] = "FLPNKU";
        PostViwCmd(ID_VKA_PAGE_FIRST + static_cast<UINT>(strchr(keys, static_cast<int>(upper)) - keys));
        return 1;
    }
    case 'X':
    case 'Z':
        if (Down(VK_RBUTTON)) return 0;
        ZoomFrame(upper == 'X' ? 1 : -1);
        m_trk.bRightZoom = m_trk.bFrameZoom = 0;
        return 1;
    default: return IsFrmShown() ? OnDraFrameChar(upper) : 0;
    }
}

LRESULT DlgImg::OnDraFrameChar(UINT upper)
{
    if (!IsOneOf(upper, "CIQWRET")) return 0;
    if (upper == 'I') {
        PlaceDefFrame();
        return 1;
    }
    Ici& ici = *m_pIci;
    const FrmScale s = Scale();
    SIZE client = {};
    RECT visible = {};
    ViewOf(&client, &visible);
    ClearFrame();
    const RECT d = FrmRectToDisp(ici.rctFrm, s, FrmRoundDown);
    const int right = FrmToDisp(ici.rctFrm.right, s, FrmRoundUp), bottom = FrmToDisp(ici.rctFrm.bottom, s, FrmRoundUp);
    int x = ici.iPosX, y = ici.iPosY;
    switch (upper) {
    case 'C': {
        // The frame to the middle of the drawing, and the middle of the drawing to the window's.
        RECT inner = {};
        VkeDraGetInrDraRectSca(GetDra(), &inner);
        POINT scroll = {};
        RECT cand = FrmCentred(ici.rctFrm, inner, s, &scroll, client);
        if (ClipFrm(&cand, true) == VKE_OK) ici.rctFrm = cand;
        x = scroll.x;
        y = scroll.y;
        break;
    }
    case 'Q':
        x = d.left;
        y = d.top;
        break;
    case 'W':
        x = right - client.cx;
        y = d.top;
        break;
    case 'R':
        x = d.left;
        y = bottom - client.cy;
        break;
    case 'E':
        x = right - client.cx;
        y = bottom - client.cy;
        break;
    case 'T':
        x = FrmMulDiv(static_cast<long long>(ici.rctFrm.left) + ici.rctFrm.right, s.num, 2LL * s.den, FrmRoundHalf) - client.cx / 2;
        y = FrmMulDiv(static_cast<long long>(ici.rctFrm.top) + ici.rctFrm.bottom, s.num, 2LL * s.den, FrmRoundHalf) - client.cy / 2;
        break;
    default: break;
    }
    ScrollDra(&x, &y);
    if (!::GetUpdateRect(GetDraWnd(), nullptr, FALSE)) DrawFrame();
    if (IsCurPage()) ShowStatus();
    return 1;
}
