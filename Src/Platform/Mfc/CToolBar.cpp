#include "CToolBar.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"
#include "MfcState.h"
#include "MsgThunks.h"
#include <algorithm>
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

namespace {

const LPCSTR kToolBarType = MAKEINTRESOURCEA(241); // RT_TOOLBAR

// The state of one button while update handlers run.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        SetState(TBSTATE_ENABLED, bOn ? TBSTATE_ENABLED : 0);
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override
    {
        SetState(TBSTATE_CHECKED | TBSTATE_INDETERMINATE,
                 nCheck == 1 ? TBSTATE_CHECKED : (nCheck == 2 ? TBSTATE_INDETERMINATE : 0));
    }
    void SetText(LPCSTR) override {} // buttons show images only

private:
    void SetState(BYTE mask, BYTE value)
    {
        TBBUTTON button = {};
        HWND bar = m_pOther->m_hWnd;
        if (!::SendMessageA(bar, TB_GETBUTTON, m_nIndex, reinterpret_cast<LPARAM>(&button))) return;
        BYTE state = static_cast<BYTE>((button.fsState & ~mask) | value);
        if (!(state & TBSTATE_ENABLED)) state &= static_cast<BYTE>(~TBSTATE_PRESSED);
        if (state != button.fsState) ::SendMessageA(bar, TB_SETSTATE, button.idCommand, MAKELONG(state, 0));
    }
};

WORD Read16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD Read32(const BYTE* p) { return static_cast<DWORD>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24)); }

// A TOOLBAR resource: 16-bit version (1), width, height, count and ids as the Microsoft
// resource compiler writes it; 32-bit width, height, count and ids without a version as GNU
// windres writes it. Each layout is taken only when the size matches its count exactly
// (up to the resource's padding to 32 bits).
bool ParseToolBar(const BYTE* data, DWORD size, SIZE& image, std::vector<UINT>& ids)
{
    ids.clear();
    if (size >= 8 && Read16(data) == 1) {
        DWORD n = Read16(data + 6);
        if (size >= 8 + 2 * n && size <= 8 + 2 * n + 3) {
            image.cx = Read16(data + 2);
            image.cy = Read16(data + 4);
            for (DWORD i = 0; i < n; ++i) ids.push_back(Read16(data + 8 + 2 * i));
            return image.cx > 0 && image.cy > 0;
        }
    }
    if (size >= 12) {
        DWORD n = Read32(data + 8);
        if (n <= 0xFFFF && size == 12 + 4 * n) {
            image.cx = static_cast<LONG>(Read32(data));
            image.cy = static_cast<LONG>(Read32(data + 4));
            for (DWORD i = 0; i < n; ++i) ids.push_back(Read32(data + 12 + 4 * i));
            return image.cx > 0 && image.cy > 0 && image.cx < 0x8000 && image.cy < 0x8000;
        }
    }
    return false;
}

} // namespace

CToolBar::CToolBar() : m_bDelayedButtonLayout(TRUE), m_sizeImage(16, 15), m_bHasBitmap(FALSE) {}

// ---- Creation and buttons ----

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    // The control wraps to its width; the frame sizes and places it.
    DWORD style = (dwStyle & ~CBRS_ALL) | WS_CHILD | dwCtrlStyle | TBSTYLE_WRAPABLE | CCS_NOPARENTALIGN | CCS_NORESIZE |
                  CCS_NODIVIDER;
    if (m_dwStyle & CBRS_TOOLTIPS) style |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    HINSTANCE inst = AfxGetResourceHandle();
    HRSRC res = ::FindResourceA(inst, MAKEINTRESOURCEA(nIDResource), kToolBarType);
    HGLOBAL handle = res ? ::LoadResource(inst, res) : nullptr;
    const BYTE* data = handle ? static_cast<const BYTE*>(::LockResource(handle)) : nullptr;
    SIZE image = {};
    std::vector<UINT> ids;
    if (!data || !ParseToolBar(data, ::SizeofResource(inst, res), image, ids)) return FALSE;
    HBITMAP bitmap = ::CreateMappedBitmap(inst, nIDResource, 0, nullptr, 0);
    if (!bitmap) return FALSE;
    SetSizes(CSize(image.cx + 7, image.cy + 7), image);
    if (!SetBitmap(bitmap)) return FALSE;
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    HBITMAP bitmap = ::CreateMappedBitmap(AfxGetResourceHandle(), nIDResource, 0, nullptr, 0);
    return bitmap ? SetBitmap(bitmap) : FALSE;
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    BITMAP info = {};
    if (!hbmImageWell || !::GetObjectA(hbmImageWell, sizeof(info), &info)) return FALSE;
    int images = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
    BOOL ok;
    if (!m_bHasBitmap) {
        TBADDBITMAP add = {nullptr, reinterpret_cast<UINT_PTR>(hbmImageWell)};
        ok = SendMessage(TB_ADDBITMAP, images, reinterpret_cast<LPARAM>(&add)) != -1;
    } else {
        TBREPLACEBITMAP replace = {nullptr, reinterpret_cast<UINT_PTR>(m_bitmap.m_hObject), nullptr,
                                   reinterpret_cast<UINT_PTR>(hbmImageWell), images};
        ok = static_cast<BOOL>(SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)));
    }
    if (!ok) {
        ::DeleteObject(hbmImageWell);
        return FALSE;
    }
    m_bitmap.DeleteObject();
    m_bitmap.Attach(hbmImageWell);
    m_bHasBitmap = TRUE;
    Invalidate();
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    for (int i = GetCount(); i-- > 0;) SendMessage(TB_DELETEBUTTON, i);
    if (!lpIDArray || nIDCount <= 0) return TRUE;
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& b = buttons[static_cast<size_t>(i)];
        memset(&b, 0, sizeof(b));
        b.iString = -1;
        if (lpIDArray[i] == ID_SEPARATOR) {
            b.fsStyle = TBSTYLE_SEP;
        } else {
            b.iBitmap = image++;
            b.idCommand = static_cast<int>(lpIDArray[i]);
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
    }
    return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button))) return 0;
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect))) ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button))) return 0;
    return static_cast<UINT>(button.fsStyle | (button.fsState << 16));
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE | TBIF_STATE | TBIF_BYINDEX;
    info.fsStyle = static_cast<BYTE>(nStyle & 0xFF);
    info.fsState = static_cast<BYTE>((nStyle >> 16) & 0xFF);
    SendMessage(TB_SETBUTTONINFOA, nIndex, reinterpret_cast<LPARAM>(&info));
}

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CControlBar::WindowProc(message, wParam, lParam);
    switch (message) {
    case TB_INSERTBUTTONA: case TB_INSERTBUTTONW: case TB_ADDBUTTONSA: case TB_ADDBUTTONSW:
    case TB_DELETEBUTTON: case TB_HIDEBUTTON: case TB_MOVEBUTTON: case TB_SETBUTTONINFOA: case TB_SETBUTTONINFOW:
    case TB_SETBUTTONSIZE: case TB_SETBITMAPSIZE: case TB_SETBUTTONWIDTH:
        // The rows change with the buttons: the frame lays out again.
        m_bDelayedButtonLayout = TRUE;
        if (m_pDockSite) m_pDockSite->DelayRecalcLayout();
        break;
    default:
        break;
    }
    return result;
}

// ---- Layout ----

CSize CToolBar::MeasureAt(int cxInside)
{
    int count = GetCount();
    if (count == 0) return CSize(0, HIWORD(SendMessage(TB_GETBUTTONSIZE)));
    CRect window, inside(0, 0, 0, 0);
    GetWindowRect(&window);
    CalcInsideRect(inside, IsHorzBar());
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    int cy = std::max(static_cast<int>(window.Height()), 1 - static_cast<int>(inside.Height()));
    SetWindowPos(static_cast<HWND>(nullptr), 0, 0, std::max(cxInside, 1) - inside.Width(), cy, flags);
    CSize extent(0, 0);
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        CRect item;
        if (!SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)) || (button.fsState & TBSTATE_HIDDEN)) continue;
        if (!SendMessage(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
        extent.cx = std::max(extent.cx, item.right);
        extent.cy = std::max(extent.cy, item.bottom);
    }
    SetWindowPos(static_cast<HWND>(nullptr), 0, 0, window.Width(), window.Height(), flags);
    return extent;
}

CSize CToolBar::FitHeight(int cyInside)
{
    CSize widest = MeasureAt(32767);
    if (widest.cy > cyInside) return widest;
    int lo = MeasureAt(0).cx, hi = widest.cx;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (MeasureAt(mid).cy <= cyInside) hi = mid;
        else lo = mid + 1;
    }
    return MeasureAt(lo);
}

CSize CToolBar::WithInsets(CSize inside)
{
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, IsHorzBar());
    return CSize(inside.cx - rect.Width(), inside.cy - rect.Height());
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = WithInsets(MeasureAt(bHorz ? 32767 : 0));
    if (bStretch) (bHorz ? size.cx : size.cy) = 32767;
    return size;
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    m_bDelayedButtonLayout = FALSE;
    if ((dwMode & (LM_HORZDOCK | LM_VERTDOCK)) && nLength == -1)
        return CToolBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0); // a derived bar's may come back here
    CSize inside;
    if (dwMode & LM_MRUWIDTH) inside = MeasureAt(m_nMRUWidth);
    else if (nLength == -1) inside = MeasureAt((dwMode & LM_HORZ) ? 32767 : 0);
    else if (dwMode & LM_LENGTHY) inside = FitHeight(nLength);
    else inside = MeasureAt(nLength);
    if (dwMode & LM_COMMIT) m_nMRUWidth = inside.cx;
    return WithInsets(inside);
}

// ---- Idle update, hit test, dragging ----

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (UINT i = 0; i < state.m_nIndexMax; ++i) {
        TBBUTTON button = {};
        if (!SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)) || (button.fsStyle & TBSTYLE_SEP)) continue;
        state.m_nIndex = i;
        state.m_nID = static_cast<UINT>(button.idCommand);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler); // controls placed on the bar
    if (m_bDelayedButtonLayout && m_pDockSite) m_pDockSite->DelayRecalcLayout();
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        CRect item;
        if (!SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) continue;
        if ((button.fsStyle & TBSTYLE_SEP) || (button.fsState & TBSTATE_HIDDEN)) continue;
        if (!SendMessage(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)) || !item.PtInRect(point)) continue;
        if (pTI) {
            pTI->hwnd = m_hWnd;
            pTI->uId = static_cast<UINT_PTR>(button.idCommand);
            pTI->rect = item;
            pTI->lpszText = LPSTR_TEXTCALLBACKA;
        }
        return button.idCommand;
    }
    return -1;
}

BOOL CToolBar::IsDragPoint(CPoint point) { return OnToolHitTest(point, nullptr) < 0 && CControlBar::IsDragPoint(point); }

// ---- Non-client area ----

LRESULT CToolBar::OnNcHitTest(CPoint) { return HTCLIENT; }

void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(lpncsp->rgrc[0]);
    CalcInsideRect(rect, IsHorzBar());
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    lpncsp->rgrc[0] = rect;
}

void CToolBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, window);
    DrawGripper(&dc, window);
}
