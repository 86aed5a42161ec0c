// The docked panel base: start and end, font, colours and menu, painting, sizes and presets, and
// the layout the frame asks for.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlb"
#include "CmnDlb.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "CmnWndFnt.h"
#include "CDockBar.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CmnDlb, CDialogBar)

namespace {

const int kMinSide = CmnDlbMinSide;
const int kGripper = 7;   // the gripper strip of a docked panel

int Traced(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

SIZE AtLeastMin(SIZE size)
{
    return SIZE{size.cx < kMinSide ? kMinSide : size.cx, size.cy < kMinSide ? kMinSide : size.cy};
}

bool ValidPreset(int index) { return index >= 0 && index <= 2; }

// The cursors every panel shows: shared cursors, loaded once for the resources they come from
// (each load costs the platform round trips).
struct PanelCursors {
    HINSTANCE inst;
    HCURSOR arrow, gripper, nwse, nesw, ns, we;
};

const PanelCursors& LoadedCursors()
{
    static PanelCursors cursors = {};
    HINSTANCE inst = AfxGetResourceHandle();
    if (cursors.inst == inst && cursors.arrow && cursors.gripper && cursors.nwse && cursors.nesw && cursors.ns &&
        cursors.we)
        return cursors;
    cursors = PanelCursors{inst,
                           ::LoadCursorA(nullptr, IDC_ARROW),
                           ::LoadCursorA(inst, MAKEINTRESOURCEA(IDC_CMN_DLB_GRIPPER)),
                           ::LoadCursorA(nullptr, IDC_SIZENWSE),
                           ::LoadCursorA(nullptr, IDC_SIZENESW),
                           ::LoadCursorA(nullptr, IDC_SIZENS),
                           ::LoadCursorA(nullptr, IDC_SIZEWE)};
    return cursors;
}

// A getter's answer: -6 before the start, -9 without a place for it.
template <class T>
int Answer(int init, const char* name, T* out, const T& value)
{
    if (!init) return Traced(name, VKE_ERR_NOT_INIT);
    if (!out) return Traced(name, VKE_ERR_ARG);
    *out = value;
    return VKE_OK;
}

} // namespace

CmnDlb::CmnDlb() : CmnDlgOpr(static_cast<CWnd&>(*this))
{
    ClearMember();
}

CmnDlb::~CmnDlb()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

int CmnDlb::CheckInit(const char* name)
{
    return m_bInit ? VKE_OK : Traced(name, VKE_ERR_NOT_INIT);
}

int CmnDlb::ClearMember()
{
    m_font.DeleteObject();
    m_brush.DeleteObject();
    if (m_inf.bAllocated) FreeCmnDlgInf();
    m_bInit = 0;
    memset(m_sizeBri, 0, sizeof(m_sizeBri));
    m_bTracking = 0;
    m_iHit = 0;
    m_ptLast = POINT{};
    m_hParentOld = nullptr;
    m_rctTrack = m_rctFrom = RECT{};
    m_sizeFloat = m_sizeCur = SIZE{};
    memset(&m_lf, 0, sizeof(m_lf));
    m_hCurOld = m_hCurArrow = m_hCurGripper = m_hCurNWSE = m_hCurNESW = m_hCurNS = m_hCurWE = nullptr;
    return 1;
}

int CmnDlb::CheckData(VkiCtl* ctl)
{
    if (!m_inf.bReady) return VKE_OK;
    // A control's check needs a data record: the scratch one of the information.
    int rc = GetData(ctl, ctl ? &m_inf.dti : nullptr, 0);
    if (rc != VKE_OK) ShowErrMsg();
    return rc;
}

// ---- Start and end ----

int CmnDlb::Init(int ctlCnt, int draCnt, int extPrtCnt, SIZE* size)
{
    if (m_bInit) return Traced("Init", VKE_ERR_EXISTS);
    m_bTracking = 0;
    m_iHit = 0;
    m_hParentOld = nullptr;
    int rc = AllocMemory(ctlCnt, draCnt, extPrtCnt);
    if (rc != VKE_OK) return Traced("Init", rc);
    SetSizes(m_sizeDefault);
    m_bInit = 1;
    for (int i = 0; i <= 2; ++i) GetBri(i);
    if (size && size->cx > 0 && size->cy > 0) {
        SetBri(size);
        GetBri(1);
    }
    m_hCurOld = ::GetCursor(); // may be none (Wine)
    const PanelCursors& cursors = LoadedCursors();
    m_hCurArrow = cursors.arrow;
    m_hCurGripper = cursors.gripper;
    m_hCurNWSE = cursors.nwse;
    m_hCurNESW = cursors.nesw;
    m_hCurNS = cursors.ns;
    m_hCurWE = cursors.we;
    if (!m_hCurArrow || !m_hCurGripper || !m_hCurNWSE || !m_hCurNESW || !m_hCurNS || !m_hCurWE)
        return Traced("Init", VKE_ERR_MEMORY);
    EnableToolTips(TRUE);
    return VKE_OK;
}

int CmnDlb::Term()
{
    if (m_inf.bTerminating || !m_bInit) return VKE_NOT_DONE;
    EndDrag();
    m_inf.bTerminating = 1;
    FreeSlots();
    int rc = FreeMemory();
    m_font.DeleteObject();
    m_brush.DeleteObject();
    HCURSOR cursor = m_hCurOld ? m_hCurOld : m_hCurArrow;
    if (cursor) ::SetCursor(cursor);
    m_hCurOld = m_hCurArrow = m_hCurGripper = m_hCurNWSE = m_hCurNESW = m_hCurNS = m_hCurWE = nullptr;
    m_bInit = 0;
    return rc;
}

int CmnDlb::ClearComboSel()
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        ::GetClassNameA(child, name, sizeof(name));
        if (_stricmp(name, "COMBOBOX") != 0 || !::IsWindowVisible(child) || !::IsWindowEnabled(child)) continue;
        ::SendMessageA(child, CB_SETEDITSEL, 0, -1); // a start of -1: no selection
    }
    return VKE_OK;
}

// ---- Font, colours and menu ----

int CmnDlb::SetFont(const char* face, int points)
{
    EndDrag();
    int rc = CheckInit("SetFont");
    if (rc != VKE_OK) return rc;
    LOGFONTA font = {};
    rc = CmnGetWndLogFont(this, face, points, &font);
    return rc == VKE_OK ? SetFontByLogFont(&font) : Traced("SetFont", rc);
}

int CmnDlb::SetFontByLogFont(const LOGFONTA* pFont)
{
    EndDrag();
    int rc = CheckInit("SetFontByLogFont");
    if (rc == VKE_OK) rc = CmnSetWndFont(this, pFont, &m_lf, &m_font);
    return rc == VKE_OK || rc == VKE_ERR_NOT_INIT ? rc : Traced("SetFontByLogFont", rc);
}

int CmnDlb::GetFontName(char* buffer, int size)
{
    int rc = CheckInit("GetFontName");
    if (rc != VKE_OK) return rc;
    rc = buffer && size >= 1 ? VkeSubCopyStr(theCmnAppInf.pSub, buffer, m_lf.lfFaceName, size) : VKE_ERR_ARG;
    return rc == VKE_OK ? rc : Traced("GetFontName", rc);
}

int CmnDlb::GetFontSize(int* points)
{
    return Answer(m_bInit, "GetFontSize", points, CmnGetWndFontSize(this, m_lf));
}

int CmnDlb::GetLogFont(LOGFONTA* pFont) { return Answer(m_bInit, "GetLogFont", pFont, m_lf); }

// The panel keeps its colours and menu in the dialog parameters of its information: it has no
// engine dialog object.
int CmnDlb::TakeColor(const char* name, COLORREF color)
{
    EndDrag();
    int rc = CheckInit(name);
    if (rc != VKE_OK) return rc;
    rc = VkeDrwSetColor(theCmnAppInf.pDrw, color);
    return rc == VKE_OK || rc == VKE_ERR_CUT ? VKE_OK : Traced(name, rc);
}

int CmnDlb::SetTextColor(COLORREF color)
{
    int rc = TakeColor("SetTextColor", color);
    if (rc == VKE_OK) m_inf.dlgParam.uTextColor = color;
    return rc;
}

int CmnDlb::GetTextColor(COLORREF* color)
{
    return Answer(m_bInit, "GetTextColor", color, m_inf.dlgParam.uTextColor);
}

int CmnDlb::SetBackColor(COLORREF color)
{
    int rc = TakeColor("SetBackColor", color);
    if (rc != VKE_OK) return rc;
    CBrush brush;
    if (!brush.CreateSolidBrush(color)) return Traced("SetBackColor", VKE_ERR_MEMORY);
    m_inf.dlgParam.uBackColor = color;
    m_brush.DeleteObject();
    m_brush.Attach(brush.Detach());
    return VKE_OK;
}

int CmnDlb::GetBackColor(COLORREF* color)
{
    return Answer(m_bInit, "GetBackColor", color, m_inf.dlgParam.uBackColor);
}

int CmnDlb::SetMenuHandle(HMENU menu)
{
    EndDrag();
    int rc = CheckInit("SetMenuHandle");
    if (rc == VKE_OK) m_inf.dlgParam.hMenu = menu;
    return rc;
}

int CmnDlb::GetMenuHandle(HMENU* menu) { return Answer(m_bInit, "GetMenuHandle", menu, m_inf.dlgParam.hMenu); }

// ---- Painting and focus ----

CRect CmnDlb::GripperRect() const
{
    if (!HasGripper()) return CRect();
    CRect client;
    GetClientRect(&client);
    if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM))
        return CRect(client.left + 2, client.top + 2, client.left + kGripper, client.bottom - 2);
    return CRect(client.left + 2, client.top + 2, client.right - 2, client.top + kGripper);
}

int CmnDlb::RedrawGripper(int erase)
{
    if (erase != 0 && erase != 1) return Traced("RedrawGripper", VKE_ERR_ARG);
    CRect gripper = GripperRect();
    if (!gripper.IsRectEmpty()) InvalidateRect(&gripper, erase);
    return VKE_OK;
}

int CmnDlb::Redraw(int erase)
{
    if (erase != 0 && erase != 1) return Traced("Redraw", VKE_ERR_ARG);
    Invalidate(erase);
    RedrawGripper(erase);
    MoveCtl();
    UpdateWindow();
    return VKE_OK;
}

int CmnDlb::PrevDlgCtl()
{
    EndDrag();
    SendMessage(WM_NEXTDLGCTL, 1, 0);
    return VKE_OK;
}

int CmnDlb::NextDlgCtl()
{
    EndDrag();
    SendMessage(WM_NEXTDLGCTL, 0, 0);
    return VKE_OK;
}

// ---- Sizes ----

void CmnDlb::SetSizes(SIZE size)
{
    m_sizeFloat = m_sizeCur = AtLeastMin(size);
}

int CmnDlb::GetBarRect(RECT* rect)
{
    if (!rect) return Traced("GetBarRect", VKE_ERR_ARG);
    if (HasGripper()) {
        if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) rect->left += kGripper;
        else rect->top += kGripper;
    }
    rect->bottom += ::GetSystemMetrics(SM_CYCAPTION);
    return VKE_OK;
}

int CmnDlb::SetBarSize(int cx, int cy)
{
    SetSizes(SIZE{cx, cy});
    return VKE_OK;
}

int CmnDlb::GetBarSize(int* cx, int* cy)
{
    if (!cx || !cy) return Traced("GetBarSize", VKE_ERR_ARG);
    CSize size = theCmnWin.GetBarSize(this);
    *cx = size.cx;
    *cy = size.cy;
    return VKE_OK;
}

int CmnDlb::SetBri(int index)
{
    if (!ValidPreset(index)) return Traced("SetBri", VKE_ERR_ARG);
    return SetBri(&m_sizeBri[index]);
}

int CmnDlb::SetBri(SIZE* size)
{
    EndDrag();
    if (!size) return Traced("SetBri", VKE_ERR_ARG);
    m_sizeBri[2] = *size;
    SetSizes(*size);
    // A column of the frame's side is as wide as the panel sized last.
    if (CDockBar* dock = SideDock()) SetColumnWidth(dock, dock->GetBarRow(this), m_sizeCur.cx);
    if (m_hWnd) {
        theCmnWin.RedrawBar(this);
        RedrawGripper(1);
    }
    return VKE_OK;
}

int CmnDlb::GetBri(int index)
{
    if (!ValidPreset(index)) return Traced("GetBri", VKE_ERR_ARG);
    return GetBri(index, &m_sizeBri[index]);
}

int CmnDlb::GetBri(int index, SIZE* out)
{
    if (!ValidPreset(index) || !out) return Traced("GetBri", VKE_ERR_ARG);
    m_sizeBri[index] = m_sizeCur;
    *out = m_sizeCur;
    return VKE_OK;
}

// ---- Layout ----

CSize CmnDlb::CalcFixedLayout(BOOL, BOOL)
{
    if (!m_bInit || (m_dwStyle & CBRS_SIZE_FIXED)) return m_sizeDefault;
    return m_sizeCur;
}

CSize CmnDlb::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (!m_bInit || (m_dwStyle & CBRS_SIZE_FIXED)) return m_sizeDefault;
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    if (dwMode & LM_MRUWIDTH) return m_sizeFloat;
    // The end of a floating frame's border drag: the size it was dragged to is the floating
    // size from now on.
    if (dwMode & LM_COMMIT) {
        m_sizeFloat = m_sizeCur;
        return m_sizeFloat;
    }
    if (nLength != -1) {
        if (m_dwStyle & CBRS_FLOATING) {
            int length = nLength < kMinSide ? kMinSide : nLength;
            (dwMode & LM_LENGTHY ? m_sizeCur.cy : m_sizeCur.cx) = length;
            return m_sizeCur;
        }
        CSize size = CalcFixedLayout(FALSE, (dwMode & LM_LENGTHY) == 0);
        m_sizeCur = size;
        return size;
    }
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}
