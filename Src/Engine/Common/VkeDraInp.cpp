// The drawing area's input: keys and characters turned into the parent's scroll messages, edit
// commands and zoom steps; grab scrolling, the scale-base point and the popup menu with the
// mouse; the wheel offered to the parent first; dropped image files pasted; focus, cursor and
// palette. The window is an edit control: only what is named here goes on to its own handling,
// so it never makes a caret, edits its hidden text or keeps the mouse.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraBsc"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGeo.h"
#include "VkiSub.h"
#include "VkeFrame.h"
#include <shellapi.h>
#include <algorithm>

namespace {

// Shared by the areas of the thread: a key, character or wheel message that comes while one of
// the same kind is handled does nothing.
thread_local bool g_bInKey = false;
thread_local bool g_bInChar = false;
thread_local bool g_bInWheel = false;

bool Down(int key) { return GetKeyState(key) < 0; }

bool IsZoomChar(UINT c) { return c == 'A' || c == 'a' || c == '+' || c == 'S' || c == 's' || c == '-'; }

} // namespace

// ---- Focus, cursor, palette ----

void VkiDra::OnSetFocus(CWnd*)
{
    if (!IsInit()) {
        Default();
        return;
    }
    DrawFrame(1);
}

void VkiDra::OnKillFocus(CWnd*)
{
    if (!IsInit()) {
        Default();
        return;
    }
    DrawFrame(0);
}

BOOL VkiDra::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!IsInit()) return static_cast<BOOL>(Default());
    ::SetCursor(::GetFocus() == m_hWnd ? m_hHandCursor : m_hArrowCursor);
    return TRUE;
}

void VkiDra::OnPaletteChanged(CWnd* changer)
{
    Default();
    if (IsInit() && (!changer || changer->m_hWnd != m_hWnd)) Redraw(0);
}

// ---- Keys and characters ----

void VkiDra::SendScroll(bool h, int code)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return;
    UINT msg = h ? WM_HSCROLL : WM_VSCROLL;
    LPARAM bar = reinterpret_cast<LPARAM>(Bar(h));
    ::SendMessageA(parent, msg, MAKEWPARAM(code, 0), bar);
    ::SendMessageA(parent, msg, MAKEWPARAM(SB_ENDSCROLL, 0), bar);
}

void VkiDra::SendCommand(UINT id)
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent) ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(m_hWnd));
}

// A wheel notch at the cursor, through the wheel's own handling.
void VkiDra::WheelNotch(int keys, int delta)
{
    POINT at = {};
    ::GetCursorPos(&at);
    Wheel(keys, delta, at);
}

void VkiDra::OnKeyDown(UINT key, UINT, UINT)
{
    if (!IsInit()) {
        Default();
        return;
    }
    if (g_bInKey || m_iWheelZoom || m_iTracking) return;
    VkiFlagGuard guard(&g_bInKey);
    const bool shift = Down(VK_SHIFT), ctrl = !shift && Down(VK_CONTROL);
    switch (key) {
    case VK_LEFT:
        if (shift) WheelNotch(MK_SHIFT, 120);
        else SendScroll(true, ctrl ? SB_LEFT : SB_LINELEFT);
        break;
    case VK_RIGHT:
        if (shift) WheelNotch(MK_SHIFT, -120);
        else SendScroll(true, ctrl ? SB_RIGHT : SB_LINERIGHT);
        break;
    case VK_UP:
        if (shift) WheelNotch(0, 120);
        else SendScroll(false, ctrl ? SB_TOP : SB_LINEUP);
        break;
    case VK_DOWN:
        if (shift) WheelNotch(0, -120);
        else SendScroll(false, ctrl ? SB_BOTTOM : SB_LINEDOWN);
        break;
    case VK_PRIOR: SendScroll(shift, shift ? SB_PAGELEFT : SB_PAGEUP); break;
    case VK_NEXT: SendScroll(shift, shift ? SB_PAGERIGHT : SB_PAGEDOWN); break;
    case VK_HOME:
    case VK_END:
        if (shift || ctrl) break;
        SendScroll(true, key == VK_HOME ? SB_LEFT : SB_RIGHT);
        SendScroll(false, key == VK_HOME ? SB_TOP : SB_BOTTOM);
        break;
    default: break;
    }
}

void VkiDra::OnChar(UINT code, UINT, UINT)
{
    if (!IsInit()) {
        Default();
        return;
    }
    if (g_bInChar || m_iTracking || (m_iWheelZoom && !IsZoomChar(code))) return;
    VkiFlagGuard guard(&g_bInChar);
    switch (code) {
    case 3: SendCommand(ID_EDIT_COPY); break;
    case 22: SendCommand(ID_EDIT_PASTE); break;
    case 'A':
    case 'a':
    case '+':
    case 'S':
    case 's':
    case '-':
        // A zoom notch as with the right button held; the zoom state lasts only while it is.
        WheelNotch(MK_RBUTTON, (code == 'S' || code == 's' || code == '-') ? 120 : -120);
        if (GetAsyncKeyState(VK_RBUTTON) >= 0) m_iWheelZoom = 0;
        break;
    case 'C':
    case 'c': Centre(); break;
    case 'B':
    case 'b': ToAnchor(); break;
    default: break;
    }
}

LRESULT VkiDra::OnImeChar(WPARAM code, LPARAM flags)
{
    int dbcs = 0;
    if (!IsInit() || m_pSub->IsSjsUINT(static_cast<UINT>(code), &dbcs) != VKE_OK || dbcs != 1) return Default();
    OnChar(static_cast<UINT>(code), LOWORD(flags), HIWORD(flags));
    return 1;
}

// The bars are set directly, then the parent hears of it as from the bars (position, then the
// end of the scroll), so that it scrolls the area as it always does. The position it hears lies
// within the bar's range: a negative one would arrive as a large 16-bit value.
void VkiDra::ShowDrawingAt(long long x, long long y)
{
    int pos[2] = {};
    BarPosOf(x, y, &pos[0], &pos[1]);
    SCROLLINFO si[2];
    for (int i = 0; i < 2; ++i) {
        const bool h = i == 0;
        if (GetScrInfo(h, &si[i], SIF_ALL) != VKE_OK) return;
        long long last = std::max<long long>(si[i].nMin, static_cast<long long>(si[i].nMax) - si[i].nPage);
        pos[i] = VkiClampInt(std::min<long long>(std::max<long long>(pos[i], si[i].nMin), last));
        ::SetScrollPos(Bar(h), SB_CTL, pos[i], TRUE);
    }
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return;
    for (int i = 0; i < 2; ++i) {
        UINT msg = i == 0 ? WM_HSCROLL : WM_VSCROLL;
        LPARAM bar = reinterpret_cast<LPARAM>(Bar(i == 0));
        ::SendMessageA(parent, msg, MAKEWPARAM(SB_THUMBPOSITION, pos[i]), bar);
        ::SendMessageA(parent, msg, MAKEWPARAM(SB_ENDSCROLL, pos[i]), bar);
    }
}

// "C": the drawing's centre to the client area's centre.
void VkiDra::Centre()
{
    RECT c = {};
    ::GetClientRect(m_hWnd, &c);
    const RECT& s = m_rctSca;
    ShowDrawingAt(s.left + static_cast<long long>(VkiRoundHalf(VkiWidth(s) / 2.0)) - VkiHalf(c.right - c.left),
                  s.top + static_cast<long long>(VkiRoundHalf(VkiHeight(s) / 2.0)) - VkiHalf(c.bottom - c.top));
}

// "B": the drawing's point under the mouse to the scale base's place in the view.
void VkiDra::ToAnchor()
{
    RECT c = {};
    ::GetClientRect(m_hWnd, &c);
    POINT at = {};
    ::GetCursorPos(&at);
    ::ScreenToClient(m_hWnd, &at);
    if (!::PtInRect(&c, at)) return;
    int ax = 0, ay = 0, visW = 0, visH = 0;
    Anchor(&ax, &ay, &visW, &visH);
    if (m_iFlipY) at.y = c.bottom - at.y;
    if (at.x > visW || at.y > visH) return;
    ShowDrawingAt(static_cast<long long>(at.x) - ax + m_iDraScrPosH, static_cast<long long>(at.y) - ay + m_iDraScrPosV);
}

// ---- Mouse ----

void VkiDra::OnLButtonDown(UINT, CPoint point)
{
    Default();
    if (!IsInit() || !m_iGrabScroll || m_iWheelZoom || m_iTracking) return;
    RECT c = {};
    ::GetClientRect(m_hWnd, &c);
    if (VkiWidth(m_rctSca) > VkiWidth(c) || VkiHeight(m_rctSca) > VkiHeight(c)) {
        POINT p = point;
        BeginTracking(&p);
    }
}

// The edit control took the mouse at the button's press; its release gives it back, grab or not.
void VkiDra::OnLButtonUp(UINT, CPoint)
{
    if (!IsInit()) {
        Default();
        return;
    }
    if (m_iGrabScroll && !m_iWheelZoom && m_iTracking) EndTracking();
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void VkiDra::OnMouseMove(UINT, CPoint point)
{
    Default();
    if (!IsInit() || !m_iTracking || !m_iGrabScroll || m_iWheelZoom) return;
    if (::GetCapture() != m_hWnd) EndTracking();
    else GrabMove(point);
}

// The drawing follows the mouse: the point grabbed stays under it.
void VkiDra::GrabMove(POINT point)
{
    const POINT last = m_ptTrackLast;
    long long dh = static_cast<long long>(m_iDraScrPosH) - point.x + last.x;
    long long dv = m_iFlipY ? static_cast<long long>(m_iDraScrPosV) - last.y + point.y
                            : static_cast<long long>(m_iDraScrPosV) - point.y + last.y;
    ScrollToDrawing(dh, dv);
    Redraw(0);
    m_ptTrackLast = point;
}

void VkiDra::OnRButtonDown(UINT, CPoint point)
{
    if (!IsInit()) {
        Default();
        return;
    }
    if (!m_iWheelZoom && !m_iTracking) SetScaBasPos(point.x, point.y);
}

void VkiDra::OnRButtonUp(UINT, CPoint point)
{
    if (!IsInit()) {
        Default();
        return;
    }
    if (m_iTracking) return;
    ClearScaBasPos();
    if (m_iWheelZoom) {
        m_iWheelZoom = 0; // the button zoomed with the wheel: no menu
        return;
    }
    if (!m_hMenu) {
        Default();
        return;
    }
    POINT at = point;
    ::ClientToScreen(m_hWnd, &at);
    ::TrackPopupMenu(::GetSubMenu(m_hMenu, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, ::GetParent(m_hWnd), nullptr);
}

// The parent sees every turn first; with the right button held the wheel zooms.
LRESULT VkiDra::Wheel(int keys, int delta, POINT screen)
{
    if (m_iTracking) return 1;
    if (g_bInWheel) return 0;
    VkiFlagGuard guard(&g_bInWheel);
    if (keys & MK_RBUTTON) m_iWheelZoom = 1;
    HWND parent = ::GetParent(m_hWnd);
    if (parent) {
        LRESULT answer = ::SendMessageA(parent, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<short>(delta)),
                                        MAKELPARAM(screen.x, screen.y));
        if (answer) return answer;
    }
    if (m_iWheelZoom) MouseScale(keys, delta);
    else MouseWheel(keys, delta);
    return 1;
}

BOOL VkiDra::OnMouseWheel(UINT keys, short delta, CPoint point)
{
    if (!IsInit()) return static_cast<BOOL>(Default());
    return static_cast<BOOL>(Wheel(static_cast<int>(keys), delta, point));
}

// ---- Dropped files ----

// The first file dropped becomes the paste image when the area takes drops into a created draw
// memory; a file that is no image is let go quietly. A drop not taken is still released.
void VkiDra::OnDropFiles(HDROP drop)
{
    const bool can = IsInit() && CheckPrinting() == VKE_OK && !m_iDrawing;
    if (can && m_iTracking) EndTracking();
    if (!can || !m_iDragAccept || !MemoryMode()) {
        Default();
        DragFinish(drop);
        return;
    }
    char path[1024] = {};
    UINT length = DragQueryFileA(drop, 0, path, sizeof(path));
    DragFinish(drop);
    if (length == 0 || length >= sizeof(path)) return;
    HBITMAP image = nullptr;
    int type = 0, known = 0;
    float xRes = 0, yRes = 0;
    if (m_pDrw->OpenImage(path, &image, &type, &xRes, &yRes, &known) != VKE_OK || !image) return;
    ::SetForegroundWindow(::GetAncestor(m_hWnd, GA_ROOT));
    int rc = AttachPasteDIB(image);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) m_pDrw->CloseImage(&image);
}
