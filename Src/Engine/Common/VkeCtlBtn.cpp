// Buttons: push buttons drawn by the control in its own colours (face, 3-D frame, a colour
// button's swatch of its value, the dotted focus frame), and clicks made data changes: a check
// box's or radio button's click is one edit step, and the parent hears of every change of check
// state through VkeWmSetChk. An auto radio button's click changes its whole group.
#define VKE_MODULE "Src\\Engine\\Common\\VkeCtlBsc"
#include "VkiCtl.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkeFrame.h"
#include <string.h>

BEGIN_MESSAGE_MAP(VkiCtlBtn, VkiCtl)
    ON_WM_DESTROY()
    ON_WM_DRAWITEM()
    ON_WM_DRAWITEM_REFLECT()
    ON_MESSAGE(WM_LBUTTONUP, &VkiCtlBtn::OnLButtonUp)
    ON_WM_GETDLGCODE()
    ON_MESSAGE(BM_SETSTYLE, &VkiCtlBtn::OnSetStyle)
END_MESSAGE_MAP()

// The pens and brushes of an owner-drawn push button, with the colours they were made in.
struct VkiBtnDraw {
    COLORREF uFrame;
    COLORREF uHighlight;
    COLORREF uDarkShadow;
    COLORREF uShadow;
    COLORREF uFocus;
    COLORREF uSwatch;
    HPEN hFramePen;
    HPEN hHighlightPen;
    HPEN hDarkShadowPen;
    HPEN hShadowPen;
    HPEN hFocusPen;
    HBRUSH hSwatchBrush;
};

namespace {

const COLORREF kFocusGrey = 0x606060;
const COLORREF kGreyText = 0x808080;
const int kText = 1024;

// The click being handled, from its start to its end (the parent's VkeWmSetChk handler may
// pump messages, and another click arrive inside it).
struct ClickMark {
    int busy;
    VkiCtl* button;
};
thread_local ClickMark g_click = {};

class ClickScope {
public:
    explicit ClickScope(VkiCtl* button) : m_saved(g_click) { g_click = ClickMark{1, button}; }
    ~ClickScope() { g_click = m_saved; }
    ClickScope(const ClickScope&) = delete;
    ClickScope& operator=(const ClickScope&) = delete;

private:
    ClickMark m_saved;
};

// Lines through the points with the pen; a line's last point is left out, as LineTo does.
void Lines(HDC dc, HPEN pen, std::initializer_list<POINT> points)
{
    SelectObject(dc, pen);
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

// The outline through the four corners, every corner pixel included.
void Outline(HDC dc, HPEN pen, int left, int top, int right, int bottom)
{
    Lines(dc, pen, {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}});
}

// The left edge at x up from bottom and the top edge at y across to right.
void TopLeft(HDC dc, HPEN pen, int x, int y, int right, int bottom)
{
    Lines(dc, pen, {{x, bottom}, {x, y}, {right, y}});
}

// The right edge at x down from top and the bottom edge at y back to left.
void BottomRight(HDC dc, HPEN pen, int x, int y, int top, int left)
{
    Lines(dc, pen, {{x, top}, {x, y}, {left - 1, y}});
}

} // namespace

VkiCtlBtn::~VkiCtlBtn()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    FreeDraw();
}

// ---- Init and Term ----

int VkiCtlBtn::InitBtn(VkeCtlParam* param, int* field, int* messageNo)
{
    int rc = InitBase(param, field, messageNo);
    if (rc != VKE_OK || IsCheckBox() || IsAutoRadio()) return rc;
    rc = MakeDraw();
    if (rc == VKE_OK) rc = SetTextColor(param->uTextColor);
    if (rc != VKE_OK) {
        FreeDraw();
        TermBase();
    }
    return rc;
}

int VkiCtlBtn::TermBtn()
{
    FreeDraw();
    return TermBase();
}

int VkiCtlBtn::MakeDraw()
{
    FreeDraw();
    auto* d = new (std::nothrow) VkiBtnDraw{};
    if (!d) return VKE_ERR_MEMORY;
    m_pOwnerDraw = d;
    d->uFrame = GetSysColor(COLOR_WINDOWFRAME);
    d->uHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    d->uDarkShadow = GetSysColor(COLOR_3DDKSHADOW);
    d->uShadow = GetSysColor(COLOR_BTNSHADOW);
    d->uFocus = kFocusGrey;
    for (COLORREF color : {d->uFrame, d->uHighlight, d->uDarkShadow, d->uShadow, d->uFocus}) {
        int rc = m_pDrw->SetColor(color);
        if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc; // a full colour list still lets it be used
    }
    d->hFramePen = CreatePen(PS_SOLID, 1, d->uFrame);
    d->hHighlightPen = CreatePen(PS_SOLID, 1, d->uHighlight);
    d->hDarkShadowPen = CreatePen(PS_SOLID, 1, d->uDarkShadow);
    d->hShadowPen = CreatePen(PS_SOLID, 1, d->uShadow);
    bool made = d->hFramePen && d->hHighlightPen && d->hDarkShadowPen && d->hShadowPen;
    return made ? VKE_OK : VKE_ERR_MEMORY;
}

void VkiCtlBtn::FreeDraw()
{
    VkiBtnDraw* d = m_pOwnerDraw;
    if (!d) return;
    for (HGDIOBJ obj : {static_cast<HGDIOBJ>(d->hFramePen), static_cast<HGDIOBJ>(d->hHighlightPen),
                        static_cast<HGDIOBJ>(d->hDarkShadowPen), static_cast<HGDIOBJ>(d->hShadowPen),
                        static_cast<HGDIOBJ>(d->hFocusPen), static_cast<HGDIOBJ>(d->hSwatchBrush)})
        if (obj) DeleteObject(obj);
    delete d;
    m_pOwnerDraw = nullptr;
}

int VkiCtlBtn::MakeFocusPen()
{
    VkiBtnDraw* d = m_pOwnerDraw;
    if (!d) return VKE_OK;
    HPEN pen = VkiDotPen(m_uTextColor == GetSysColor(COLOR_BTNTEXT) ? d->uFocus : m_uTextColor);
    if (!pen) return VKE_ERR_MEMORY;
    if (d->hFocusPen) DeleteObject(d->hFocusPen);
    d->hFocusPen = pen;
    return VKE_OK;
}

// The brush of a colour button's swatch; -7 for other buttons.
int VkiCtlBtn::SetSwatch(COLORREF color)
{
    VkiBtnDraw* d = m_pOwnerDraw;
    if (!d || D().iEditType != VKE_EDIT_COLOR) return VKE_ERR_EXISTS;
    if (d->hSwatchBrush && d->uSwatch == color) return VKE_OK;
    int rc = m_pDrw->SetColor(color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush) return VKE_ERR_MEMORY;
    if (d->hSwatchBrush) DeleteObject(d->hSwatchBrush);
    d->hSwatchBrush = brush;
    d->uSwatch = color;
    return VKE_OK;
}

// ---- Drawing ----

// Grey text on a hidden or disabled button; the back colour and brush of the control or of the
// state of its data; a colour button's swatch when its value is a colour.
int VkiCtlBtn::PaintColors(COLORREF* text, COLORREF* back, HBRUSH* brush, bool* swatch)
{
    bool usable = (GetStyle() & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
    *text = usable ? m_uTextColor : kGreyText;
    *back = m_uBackColor;
    *brush = m_hBackBrush;
    *swatch = false;
    if (D().iEditType == VKE_EDIT_COLOR) {
        BYTE r = 0, g = 0, b = 0;
        // A value that is no colour (none yet) shows no swatch; the face is drawn all the same.
        if (m_pSub->GetColorStr(VkiCtlStr(D().memWndText), &r, &g, &b) == VKE_OK) {
            int rc = SetSwatch(RGB(r, g, b));
            if (rc != VKE_OK) return rc;
            *swatch = true;
        }
    }
    return StateColor(back, brush);
}

void VkiCtlBtn::DrawFace(const DRAWITEMSTRUCT* dis)
{
    const UINT actions = ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS;
    VkiBtnDraw* d = m_pOwnerDraw;
    if (!d || !dis || !(dis->itemAction & actions)) return;
    COLORREF text = 0, back = 0;
    HBRUSH brush = nullptr;
    bool swatch = false;
    if (PaintColors(&text, &back, &brush, &swatch) != VKE_OK) return;
    HDC dc = dis->hDC;
    VkiSaveDC saved(dc); // pens, brushes, font and colours go back as they were
    const RECT& r = dis->rcItem;
    bool focused = (dis->itemState & ODS_FOCUS) != 0;
    bool pressed = (dis->itemState & ODS_SELECTED) != 0;
    bool color = D().iEditType == VKE_EDIT_COLOR;

    SelectObject(dc, d->hFramePen);
    SelectObject(dc, brush);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    if (swatch) {
        SelectObject(dc, d->hSwatchBrush);
        Rectangle(dc, r.left + 5, r.top + 5, r.left + 15, r.bottom - 5);
        SelectObject(dc, brush);
    }
    DrawFrame(dc, r, focused, pressed);

    RECT t = r;
    if (pressed) OffsetRect(&t, 2, 2);
    t.left += color ? 17 : 2;
    t.top += 2;
    t.right -= 2;
    t.bottom -= 2;
    char caption[kText];
    VkiCtlReadText(m_hWnd, caption);
    if (m_hFont) SelectObject(dc, m_hFont);
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
    DrawTextA(dc, caption, -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (focused) DrawFocus(dc, r, pressed);
}

// The 3-D frame: sunk while pressed, a dark edge while focused, one pixel of frame more on the
// default button.
void VkiCtlBtn::DrawFrame(HDC dc, const RECT& r, bool focused, bool pressed)
{
    VkiBtnDraw* d = m_pOwnerDraw;
    int l = r.left, t = r.top, rr = r.right, b = r.bottom;
    if (focused && pressed) {
        Outline(dc, d->hFramePen, l, t, rr - 1, b - 1);
        Outline(dc, d->hShadowPen, l + 1, t + 1, rr - 2, b - 2);
    } else if (focused) {
        BottomRight(dc, d->hDarkShadowPen, rr - 2, b - 2, t, l);
        TopLeft(dc, d->hFramePen, l, t, rr, b - 1);
    } else {
        int in = m_iDefPush ? 1 : 0;
        BottomRight(dc, d->hShadowPen, rr - 2, b - 2, t + in, l + in);
        TopLeft(dc, d->hHighlightPen, l + in, t + in, rr - 1, b - 2);
    }
}

void VkiCtlBtn::DrawFocus(HDC dc, const RECT& r, bool pressed)
{
    VkiBtnDraw* d = m_pOwnerDraw;
    RECT f = {r.left + 2, r.top + 2, r.right - 4, r.bottom - 4};
    if (!pressed) TopLeft(dc, d->hHighlightPen, f.left, f.top, f.right, f.bottom);
    f.left += 2;
    f.top += 2;
    if (d->hFocusPen) Outline(dc, d->hFocusPen, f.left, f.top, f.right, f.bottom);
}

void VkiCtlBtn::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // A window that hosts the button (a panel) hands its WM_DRAWITEM on to the button.
    if (IsInit() && m_pOwnerDraw && lpDrawItemStruct && lpDrawItemStruct->hwndItem == m_hWnd)
        DrawFace(lpDrawItemStruct);
    else
        Default();
}

void VkiCtlBtn::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (IsInit()) DrawFace(lpDrawItemStruct);
}

// ---- The dialog manager's view ----

// An owner-drawn button would count as no push button at all: Return on it would press the
// dialog's default button. It answers as the push button it was drawn for.
UINT VkiCtlBtn::OnGetDlgCode()
{
    if (!IsPush()) return static_cast<UINT>(Default());
    return DLGC_BUTTON | (m_iDefPush ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The dialog manager makes a push button the default one, or no more, through its style: the
// button keeps being drawn by its owner and remembers which it is.
LRESULT VkiCtlBtn::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    DWORD kind = static_cast<DWORD>(wParam) & BS_TYPEMASK;
    if (!IsPush() || kind > static_cast<DWORD>(BS_DEFPUSHBUTTON)) return Default();
    m_iDefPush = kind == BS_DEFPUSHBUTTON ? 1 : 0;
    LRESULT result = DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
    Invalidate(FALSE);
    return result;
}

void VkiCtlBtn::OnDestroy()
{
    m_iDefPush = 0;
    VkiCtl::OnDestroy();
}

// ---- Clicks ----

bool VkiCtlBtn::SameClick(VkiCtl* handled)
{
    if (handled == this) return true;
    if (!IsAutoRadio()) return false;
    for (VkiCtl* c : Group())
        if (c == handled) return true;
    return false;
}

LRESULT VkiCtlBtn::OnLButtonUp(WPARAM, LPARAM)
{
    // A click arriving while one on the same button is handled gets the platform's handling only:
    // without it the button would keep the capture and stay drawn pressed.
    if (!IsInit() || (g_click.busy && SameClick(g_click.button))) return Default();
    ClickScope scope(this);
    LRESULT result = 0;
    Click(&result);
    return result;
}

void VkiCtlBtn::Click(LRESULT* result)
{
    bool box = IsCheckBox() || IsAutoRadio();
    int type = D().iEditType;
    bool chooser = IsPush() && (type == VKE_EDIT_FONT || type == VKE_EDIT_COLOR);
    bool began = box && m_iCtlEditing && !m_pEdi->iOpen && BeginStep(14, 0, 0, 0) == VKE_OK;
    char kept[kText] = "", before[kText] = "";
    if (chooser) {
        VkiCtlTakeText(kept, VkiCtlStr(D().memWndText), kText - 1);
        WindowValue(before);
    }
    *result = Default(); // the platform checks the box or the radio button, and sends BN_CLICKED
    if (!IsInit() || !m_hWnd) return;
    if (chooser) {
        // Nothing chosen: the value stays as it was.
        char after[kText];
        WindowValue(after);
        if (strcmp(after, before) == 0) {
            m_pSub->SetAppMemStr(&D().memWndText, kept);
            return;
        }
    }
    VkiCtl* changed = this;
    if (ReadDti(nullptr) == VKE_OK) {
        for (VkiCtl* c : Group()) {
            c->D().iData = 1;
            if (IsAutoRadio() && strcmp(VkiCtlStr(c->D().memDataValue), "1") == 0) changed = c;
        }
        int recorded = 0;
        if (!IsPush() && m_iCtlEditing && changed->m_pEdi->iOpen) changed->CommitStep(&recorded);
        if (!IsPush()) Announce(changed);
    }
    if (began) ClearStep();
}

// The parent hears of the check state of the changed button; the other auto radio buttons of
// its group go off, and each engine member of them is announced off too.
void VkiCtlBtn::Announce(VkiCtl* changed)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return;
    HWND wnd = changed->m_hWnd;
    auto state = static_cast<int>(::SendMessageA(wnd, BM_GETCHECK, 0, 0));
    ::SendMessageA(parent, VkeWmSetChk, reinterpret_cast<WPARAM>(changed), state);
    ::InvalidateRect(wnd, nullptr, FALSE);
    if (!changed->IsAutoRadio() || state != BST_CHECKED) return;
    HWND other = nullptr;
    while (changed->SchAutoRdoBtn(&other, 0) == VKE_OK) {
        ::SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
        VkiCtl* member = VkiCtlOf(other);
        if (!member || !member->IsButton() || !member->IsInit()) continue;
        ::SendMessageA(parent, VkeWmSetChk, reinterpret_cast<WPARAM>(member), 0);
        ::InvalidateRect(other, nullptr, FALSE);
    }
}
