// The drawing area as an engine object: binding, parameters, Init and Term, properties.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDraBsc"
#include "VkiDra.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkiWnd.h"
#include "VkeEngRes.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <stdlib.h>
#include <string.h>

namespace {

const char kDraName[] = "VkeDra";

bool IsFlag(int v) { return v == 0 || v == 1; }

bool HasSubmenu(HMENU menu) { return IsMenu(menu) && GetSubMenu(menu, 0) != nullptr; }

int PaletteEntries(HPALETTE palette)
{
    WORD count = 0;
    if (GetObjectType(palette) != OBJ_PAL || GetObjectA(palette, sizeof(count), &count) == 0) return 0;
    return count;
}

} // namespace

IMPLEMENT_DYNAMIC(VkiDra, CEdit)

VkiDra::VkiDra() { m_uKillFocusColor = GetSysColor(COLOR_BTNFACE); }

VkiDra::~VkiDra()
{
    // The window goes first, so that its WM_DESTROY still finds the whole object.
    if (m_hWnd) DestroyWindow();
    Term();
}

int VkiDra::Bind(VkiSys* sys) { return VkiBindWindowObject(sys, &m_pSys, &m_pSub, &m_pDrw); }

void VkiDra::Reset()
{
    m_iInit = 0;
    m_dExecVersion = VKE_VERSION;
    m_uTextColor = 0;
    m_uBackColor = 0xFFFFFF;
    m_uSetFocusColor = 0xFF0000;
    m_uKillFocusColor = GetSysColor(COLOR_BTNFACE);
    m_iFrameWidth = 3;
    m_hMenu = nullptr;
    m_hHScrBar = m_hVScrBar = nullptr;
    m_iOwnHScrBar = m_iOwnVScrBar = 0;
    m_rctSca = m_rctBas = RECT{};
    m_iScaleBase = m_iAppliedScaleBase = 5;
    m_iScaleMode = m_iScaleNum = m_iScaleDen = m_iRecoveryNum = m_iRecoveryDen = 1;
    m_iStretchMode = 4;
    m_iArrowH = m_iArrowV = m_iWheelH = m_iWheelV = 0;
    m_dWheelScale = 0.1;
    m_iOwnScrBarLayout = m_iHScrBarAlways = m_iVScrBarAlways = m_iFlipY = 0;
    m_iDrawMemory = m_iCtlEditing = m_iDragAccept = m_iGrabScroll = 0;
    m_iWheelZoom = m_iRedrawNeeded = m_iModified = 0;
    m_iDrawing = m_iPrinting = m_iTracking = m_iPasted = m_iPrintFontMade = 0;
    m_iDraScrPosH = m_iDraScrPosV = 0;
    m_iScaBasPosX = m_iScaBasPosY = -1;
    m_iScaBasPosXNum = m_iScaBasPosYNum = 0;
    m_iScaBasPosXDen = m_iScaBasPosYDen = 1;
    m_ptTrackLast = m_ptTrackStart = POINT{};
    m_iTrackRsv = 0;
    m_pPrintInfo = nullptr;
    m_iPrintDepth = m_iDrawDepth = m_iDrawDepthDrm = m_iDrawRecovered = 0;
    m_rctShownSca = m_rctShownClient = RECT{};
    m_iShownNum = m_iShownDen = 0;
    m_lfScreen = m_lfPrint = m_lfBase = LOGFONTA{};
    m_hPrevCursor = m_hArrowCursor = m_hGrabCursor = m_hHandCursor = nullptr;
}

int VkiDra::InitParam(VkeDraParam* param)
{
    if (!param) return VKE_ERR_ARG;
    memset(param, 0, sizeof(*param));
    param->dExecVersion = VKE_VERSION;
    param->uBackColor = 0xFFFFFF;
    param->uSetFocusColor = 0xFF0000;
    param->uKillFocusColor = GetSysColor(COLOR_BTNFACE);
    param->iFrameWidth = 3;
    param->iScaleBase = 5;
    param->iScaleMode = param->iScaleNum = param->iScaleDen = 1;
    param->iStretchMode = 4;
    param->dWheelScale = 0.1;
    param->iOwnScrBarLayout = 1;
    return VKE_OK;
}

int VkiDra::CheckParam(VkeDraParam* p, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (!p) return VkiBadField(field, messageNo, 1, 59, VKE_ERR_ARG);
    auto bad = [&](int f, int m) { return VkiBadField(field, messageNo, f, m, VKE_ERR_ARG); };
    if (!VkiExecVersionOk(p->dExecVersion)) return VkiBadField(field, messageNo, 2, 17, VKE_ERR_VERSION);
    if (p->iFrameWidth < 0) return bad(7, 66);
    if (p->hMenu && !HasSubmenu(p->hMenu)) return bad(8, 67);
    if (p->hPalette && PaletteEntries(p->hPalette) < 1) return bad(9, 68);
    if (p->hHScrBar && !IsWindow(p->hHScrBar)) return bad(10, 73);
    if (p->hVScrBar && !IsWindow(p->hVScrBar)) return bad(11, 74);
    if (!p->hHScrBar && p->uHScrBarId < 1) return bad(12, 75);
    if (!p->hVScrBar && p->uVScrBarId < 1) return bad(13, 77);
    if (!p->hVScrBar && p->uVScrBarId == p->uHScrBarId) return bad(12, 76);
    if (!VkiIsFilled(&p->rctDra)) return bad(14, 91);
    if (!VkiIsFilled(&p->rctInrDra)) return bad(15, 92);
    if (p->iScaleBase < 1 || p->iScaleBase > 5) return bad(16, 78);
    if (p->iScaleMode < 1 || p->iScaleMode > 3) return bad(17, 79);
    if (p->iScaleMode == 1 && p->iScaleNum < 1) return bad(18, 81);
    if (p->iScaleMode == 1 && p->iScaleDen < 1) return bad(19, 82);
    if (p->iStretchMode < 0 || p->iStretchMode > 4) return bad(20, 83);
    if (p->iArrowScrSizeH < 1 || p->iArrowScrSizeV < 1) return bad(21, 84);
    if (p->iWheelScrSizeH < 1 || p->iWheelScrSizeV < 1) return bad(22, 87);
    if (!(p->dWheelScale >= 0.01 && p->dWheelScale <= 0.9)) return bad(23, 90);
    const int flags[][3] = {{p->iOwnScrBarLayout, 24, 102}, {p->iHScrBarAlways, 25, 103},
                            {p->iVScrBarAlways, 26, 104},   {p->iFlipY, 27, 105},
                            {p->iDrawMemory, 28, 106},      {p->iCtlEditing, 21, 98},
                            {p->iDragAccept, 22, 107},      {p->iGrabScroll, 23, 108}};
    for (const auto& f : flags)
        if (!IsFlag(f[0])) return bad(f[1], f[2]);
    return VkiBadField(field, messageNo, 0, 0, VKE_OK);
}

// The bars the caller did not give: a horizontal one along the area's bottom and a vertical one
// along its right side, their handles written back into the record.
int VkiDra::MakeBars(VkeDraParam* param)
{
    const RECT& a = param->rctDra;
    int hh = GetSystemMetrics(SM_CYHSCROLL), vw = GetSystemMetrics(SM_CXVSCROLL);
    HWND parent = ::GetParent(m_hWnd);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, exStyle = WS_EX_NOPARENTNOTIFY;
    if (param->hHScrBar) {
        m_hHScrBar = param->hHScrBar;
    } else {
        RECT r = {a.left, a.bottom - hh, a.right - vw, a.bottom};
        int rc = CreateHScrBar(style, exStyle, &r, parent, param->uHScrBarId, &m_hHScrBar);
        if (rc != VKE_OK) return rc;
        m_iOwnHScrBar = 1;
        param->hHScrBar = m_hHScrBar;
    }
    if (param->hVScrBar) {
        m_hVScrBar = param->hVScrBar;
        return VKE_OK;
    }
    RECT r = {a.right - vw, a.top, a.right, a.bottom - hh};
    int rc = CreateVScrBar(style | SBS_VERT, exStyle, &r, parent, param->uVScrBarId, &m_hVScrBar);
    if (rc != VKE_OK) return rc;
    m_iOwnVScrBar = 1;
    param->hVScrBar = m_hVScrBar;
    return VKE_OK;
}

// The parent's font when it has one, else the message file's face (49) at its size (50).
int VkiDra::InitFont()
{
    char face[VKE_MSG_SIZE] = {}, size[VKE_MSG_SIZE] = {};
    int rc = m_pSub->GetMsg(49, face);
    if (rc == VKE_OK) rc = m_pSub->GetMsg(50, size);
    if (rc != VKE_OK) return rc;
    LOGFONTA font = {};
    HWND parent = ::GetParent(m_hWnd);
    HFONT given = parent ? reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr;
    if (given) {
        if (GetObjectA(given, sizeof(font), &font) != sizeof(font)) return VKE_ERR_SYSTEM;
    } else {
        VkiWndDC dc(m_hWnd);
        if (!dc) return VKE_ERR_MEMORY;
        rc = m_pDrw->GetLogFont(dc, face, atoi(size), &font);
        if (rc != VKE_OK) return rc;
    }
    return SetFontByLogFont(&font);
}

int VkiDra::LoadCursors()
{
    m_hPrevCursor = GetCursor(); // may be none
    auto load = [](HINSTANCE from, LPCSTR id) {
        return static_cast<HCURSOR>(LoadImageA(from, id, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    };
    m_hArrowCursor = load(nullptr, IDC_ARROW);
    m_hHandCursor = load(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_VKI_HAND));
    m_hGrabCursor = load(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_VKI_GRAB));
    return m_hArrowCursor && m_hHandCursor && m_hGrabCursor ? VKE_OK : VKE_ERR_MEMORY;
}

int VkiDra::Init(VkeDraParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (IsInit() || !m_hWnd) return VkiBadField(field, messageNo, 0, 0, VKE_ERR_EXISTS);
    int rc = CheckParam(param, field, messageNo);
    if (rc != VKE_OK) return rc;
    if (!m_pDrw) return VKE_ERR_NOT_INIT;
    Term();
    Reset();
    const HWND givenH = param->hHScrBar, givenV = param->hVScrBar;
    m_rctBas = m_rctSca = param->rctInrDra;
    rc = MakeBars(param);
    if (rc == VKE_OK) {
        m_dExecVersion = param->dExecVersion;
        m_iFrameWidth = param->iFrameWidth;
        m_hMenu = param->hMenu;
        m_iStretchMode = param->iStretchMode;
        m_iArrowH = param->iArrowScrSizeH;
        m_iArrowV = param->iArrowScrSizeV;
        m_iWheelH = param->iWheelScrSizeH;
        m_iWheelV = param->iWheelScrSizeV;
        m_dWheelScale = param->dWheelScale;
        m_iOwnScrBarLayout = param->iOwnScrBarLayout;
        m_iHScrBarAlways = param->iHScrBarAlways;
        m_iVScrBarAlways = param->iVScrBarAlways;
        m_iFlipY = param->iFlipY;
        m_iDrawMemory = param->iDrawMemory;
        m_iCtlEditing = param->iCtlEditing;
        m_iInit = 1;
        ModifyStyle(VKI_DRA_DROPPED_STYLES, VKI_DRA_FORCED_STYLES);
        rc = InitFont();
    }
    if (rc == VKE_OK) rc = SetTextColor(param->uTextColor);
    if (rc == VKE_OK) rc = SetBackColor(param->uBackColor);
    if (rc == VKE_OK) rc = SetSetFocusColor(param->uSetFocusColor);
    if (rc == VKE_OK) rc = SetKillFocusColor(param->uKillFocusColor);
    if (rc == VKE_OK) rc = SetPaletteHandle(param->hPalette);
    if (rc == VKE_OK) {
        VkiWndDC dc(m_hWnd);
        rc = dc ? m_pDrw->ClearDrawInfo(dc) : VKE_ERR_MEMORY;
    }
    if (rc == VKE_OK) rc = MakePens(1);
    if (rc == VKE_OK) rc = LoadCursors();
    if (rc == VKE_OK) rc = m_pDrw->InitDrm(&m_drm);
    if (rc == VKE_OK) rc = m_pDrw->InitDrm(&m_drmPst);
    if (rc == VKE_OK && m_iDrawMemory)
        rc = CreateDrawMemory(m_rctBas.right - m_rctBas.left, m_rctBas.bottom - m_rctBas.top);
    const UINT all = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    if (rc == VKE_OK) rc = SetScrRange(true, all, 1);
    if (rc == VKE_OK) rc = SetScrRange(false, all, 1);
    if (rc == VKE_OK) {
        rc = Move(&param->rctDra, &param->rctInrDra);
        if (rc == VKE_ERR_CUT) rc = VKE_OK;
    }
    if (rc == VKE_OK) rc = HScroll(SB_LEFT, 0);
    if (rc == VKE_OK) rc = VScroll(m_iFlipY ? SB_BOTTOM : SB_TOP, 0);
    if (rc == VKE_OK) rc = SetDragAcceptFlag(param->iDragAccept);
    if (rc == VKE_OK) rc = SetGrabScrollFlag(param->iGrabScroll);
    if (rc == VKE_OK) rc = SetScaleBase(param->iScaleBase);
    if (rc == VKE_OK) {
        rc = SetScaleMode(param->iScaleMode, param->iScaleNum, param->iScaleDen);
        if (rc == VKE_ERR_CUT) rc = VKE_OK;
    }
    if (rc != VKE_OK) {
        Term();
        // The record names no bar that is gone again.
        param->hHScrBar = givenH;
        param->hVScrBar = givenV;
    }
    return rc;
}

int VkiDra::Term()
{
    int rc = VKE_OK;
    auto keep = [&rc](int r) {
        if (rc == VKE_OK) rc = r;
    };
    m_iWheelZoom = 0;
    if (IsInit()) {
        if (m_iTracking) keep(EndTracking());
        m_iDragAccept = 0;
        if (m_hWnd) DragAcceptFiles(FALSE);
    }
    if (m_pDrw) {
        keep(m_pDrw->TermDrm(&m_drm));
        keep(m_pDrw->TermDrm(&m_drmPst));
        if (m_hWnd && m_pDrw->IsInit()) {
            VkiWndDC dc(m_hWnd);
            if (dc) keep(m_pDrw->ClearDrawInfo(dc));
        }
        keep(m_pDrw->ClosePalette(&m_hPalette));
    }
    if (m_iOwnHScrBar) keep(DestroyScrBar(&m_hHScrBar));
    if (m_iOwnVScrBar) keep(DestroyScrBar(&m_hVScrBar));
    m_iOwnHScrBar = m_iOwnVScrBar = 0;
    DeleteGdiObjects();
    if (m_hPrevCursor || m_hArrowCursor) SetCursor(m_hPrevCursor ? m_hPrevCursor : m_hArrowCursor);
    m_hPrevCursor = nullptr;
    m_iInit = 0;
    return rc;
}

void VkiDra::DeleteGdiObjects()
{
    HGDIOBJ* owned[] = {reinterpret_cast<HGDIOBJ*>(&m_hFont),       reinterpret_cast<HGDIOBJ*>(&m_hFontPrt),
                        reinterpret_cast<HGDIOBJ*>(&m_hPen),        reinterpret_cast<HGDIOBJ*>(&m_hPenPrt),
                        reinterpret_cast<HGDIOBJ*>(&m_hBackBrush), reinterpret_cast<HGDIOBJ*>(&m_hBackBrushPrt)};
    for (HGDIOBJ* h : owned) {
        if (*h) DeleteObject(*h);
        *h = nullptr;
    }
    m_iPrintFontMade = 0;
}

int VkiDra::SetProperty(int id, void* value)
{
    if (!value) return VKE_ERR_ARG;
    int v = (id >= VKE_DRA_PROP_SCALE_BASE && id <= VKE_DRA_PROP_GRAB_SCROLL) ? *static_cast<int*>(value) : 0;
    switch (id) {
    case VKE_PROP_EXEC_VERSION: return SetCommonProperty(id, value);
    case VKE_DRA_PROP_LOGFONT: return SetFontByLogFont(static_cast<LOGFONTA*>(value));
    case VKE_DRA_PROP_TEXT_COLOR: return SetTextColor(*static_cast<COLORREF*>(value));
    case VKE_DRA_PROP_BACK_COLOR: return SetBackColor(*static_cast<COLORREF*>(value));
    case VKE_DRA_PROP_SET_FOCUS_COLOR: return SetSetFocusColor(*static_cast<COLORREF*>(value));
    case VKE_DRA_PROP_KILL_FOCUS_COLOR: return SetKillFocusColor(*static_cast<COLORREF*>(value));
    case VKE_DRA_PROP_MENU: return SetMenuHandle(*static_cast<HMENU*>(value));
    case VKE_DRA_PROP_PALETTE: return SetPaletteHandle(*static_cast<HPALETTE*>(value));
    case VKE_DRA_PROP_SCALE_BASE: return SetScaleBase(v);
    case VKE_DRA_PROP_SCALE_MODE: return SetScaleMode(v, 1, 1);
    case VKE_DRA_PROP_STRETCH_MODE: return SetStretchMode(v);
    case VKE_DRA_PROP_DRAW_MEMORY: return SetDrawMemoryFlag(v);
    case VKE_DRA_PROP_CTL_EDITING: return SetCtlEditingFlag(v);
    case VKE_DRA_PROP_DRAG_ACCEPT: return SetDragAcceptFlag(v);
    case VKE_DRA_PROP_GRAB_SCROLL: return SetGrabScrollFlag(v);
    default: return VKE_ERR_ARG;
    }
}

int VkiDra::GetProperty(int id, void* out)
{
    if (!out) return VKE_ERR_ARG;
    int rc = GetCommonProperty(id, out, kDraName);
    if (rc != VKE_NOT_DONE) return rc;
    int* i = static_cast<int*>(out);
    COLORREF* c = static_cast<COLORREF*>(out);
    HWND* w = static_cast<HWND*>(out);
    switch (id) {
    case VKE_DRA_PROP_WND: return GetDraHandle(w);
    case VKE_DRA_PROP_LOGFONT: return GetLogFont(static_cast<LOGFONTA*>(out));
    case VKE_DRA_PROP_FONT_NAME: return GetFontName(static_cast<char*>(out), 1024);
    case VKE_DRA_PROP_FONT_SIZE: return GetFontSize(i);
    case VKE_DRA_PROP_TEXT_COLOR: return GetTextColor(c);
    case VKE_DRA_PROP_BACK_COLOR: return GetBackColor(c);
    case VKE_DRA_PROP_SET_FOCUS_COLOR: return GetSetFocusColor(c);
    case VKE_DRA_PROP_KILL_FOCUS_COLOR: return GetKillFocusColor(c);
    case VKE_DRA_PROP_MENU: return GetMenuHandle(static_cast<HMENU*>(out));
    case VKE_DRA_PROP_PALETTE: return GetPaletteHandle(static_cast<HPALETTE*>(out));
    case VKE_DRA_PROP_HSCRBAR: return GetHScrBarHandle(w);
    case VKE_DRA_PROP_VSCRBAR: return GetVScrBarHandle(w);
    case VKE_DRA_PROP_DRA_RECT: return GetDraRect(static_cast<RECT*>(out));
    case VKE_DRA_PROP_SCALE_BASE: return GetScaleBase(i);
    case VKE_DRA_PROP_SCALE_MODE: return GetScaleMode(i);
    case VKE_DRA_PROP_STRETCH_MODE: return GetStretchMode(i);
    case VKE_DRA_PROP_DRAW_MEMORY: return GetDrawMemoryFlag(i);
    case VKE_DRA_PROP_CTL_EDITING: return GetCtlEditingFlag(i);
    case VKE_DRA_PROP_DRAG_ACCEPT: return GetDragAcceptFlag(i);
    case VKE_DRA_PROP_GRAB_SCROLL: return GetGrabScrollFlag(i);
    case VKE_DRA_PROP_DRAWING: return GetDrawFlag(i);
    case VKE_DRA_PROP_PRINTING: return GetPrintFlag(i);
    case VKE_DRA_PROP_TRACKING: return GetTrackingFlag(i);
    case VKE_DRA_PROP_PASTED: return GetPastedFlag(i);
    case VKE_DRA_PROP_CREATED_MEMORY: return GetCreatedMemoryFlag(i);
    case VKE_DRA_PROP_DRA_HSCR_POS: return GetDraScrPos(true, i);
    case VKE_DRA_PROP_DRA_VSCR_POS: return GetDraScrPos(false, i);
    default: return VKE_ERR_ARG;
    }
}

int VkiDra::GetName(char* buffer, int size) { return VkiCopyStr(buffer, kDraName, size); }

int VkiDra::GetDraHandle(HWND* out) { return GetValue(m_hWnd, out); }

int VkiDra::GetPair(int a, int b, int* outA, int* outB) const
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!outA || !outB) return VKE_ERR_ARG;
    *outA = a;
    *outB = b;
    return VKE_OK;
}

int VkiDra::SetPair(int* a, int* b, int valueA, int valueB)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (valueA < 1 || valueB < 1) return VKE_ERR_ARG;
    *a = valueA;
    *b = valueB;
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeDraAlloc(VkiSys* sys, VkiDra** out)
{
    if (!sys) return VKE_ERR_ARG;
    int rc = VkiAllocObj(out);
    if (rc == VKE_OK) {
        rc = (*out)->Bind(sys);
        if (rc != VKE_OK) VkiFreeObj(out);
    }
    if (rc != VKE_OK) VKE_TRACE(sys->Sub(), rc);
    return rc;
}

VKE_API int VkeDraFree(VkiDra** out) { return VkiFreeObj(out); }
VKE_API int VkeDraInitParam(VkiDra* dra, VkeDraParam* param) { VKE_FRAME(dra, dra->Sub(), dra->InitParam(param)); }
VKE_API int VkeDraCheckParam(VkiDra* dra, VkeDraParam* param, int* field, int* messageNo) { VKE_FRAME(dra, dra->Sub(), dra->CheckParam(param, field, messageNo)); }
VKE_API int VkeDraInit(VkiDra* dra, VkeDraParam* param, int* field, int* messageNo) { VKE_FRAME(dra, dra->Sub(), dra->Init(param, field, messageNo)); }
VKE_API int VkeDraTerm(VkiDra* dra) { VKE_FRAME(dra, dra->Sub(), dra->Term()); }
VKE_API int VkeDraSetProperty(VkiDra* dra, int id, void* value) { VKE_FRAME(dra, dra->Sub(), dra->SetProperty(id, value)); }
VKE_API int VkeDraGetProperty(VkiDra* dra, int id, void* out) { VKE_FRAME(dra, dra->Sub(), dra->GetProperty(id, out)); }
VKE_API int VkeDraGetName(VkiDra* dra, char* buffer, int size) { VKE_FRAME(dra, dra->Sub(), dra->GetName(buffer, size)); }
VKE_API int VkeDraGetVersion(VkiDra* dra, double* out) { VKE_FRAME(dra, dra->Sub(), dra->GetVersion(out)); }
VKE_API int VkeDraSetExecVersion(VkiDra* dra, double version) { VKE_FRAME(dra, dra->Sub(), dra->SetExecVersion(version)); }
VKE_API int VkeDraGetExecVersion(VkiDra* dra, double* out) { VKE_FRAME(dra, dra->Sub(), dra->GetExecVersion(out)); }
VKE_API int VkeDraGetDraHandle(VkiDra* dra, HWND* out) { VKE_FRAME(dra, dra->Sub(), dra->GetDraHandle(out)); }
