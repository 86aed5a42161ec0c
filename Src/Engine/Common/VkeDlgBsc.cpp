// The dialog object: binding, adoption of the dialog window, the parameter record, Init and
// Term, properties, font, colours, popup menu, the two flags, redraw and focus.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDlgBsc"
#include "VkiDlg.h"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSub.h"
#include "VkiSys.h"
#include "VkiTxt.h"
#include "VkiWnd.h"
#include "VkeFrame.h"

IMPLEMENT_DYNCREATE(VkiDlg, CDialog)

namespace {

const char kDlgName[] = "VkeDlg";


// Alloc and bind; the object is freed again when binding fails.
int AllocBound(VkiSys* sys, VkiDlg** out)
{
    int rc = VkiAllocObj(out);
    if (rc != VKE_OK) return rc;
    rc = (*out)->Bind(sys);
    if (rc != VKE_OK) VkiFreeObj(out);
    return rc;
}

} // namespace

VkiDlg::~VkiDlg()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    Terminate();
}

int VkiDlg::Bind(VkiSys* sys) { return VkiBindWindowObject(sys, &m_pSys, &m_pSub, &m_pDrw); }

// ---- Window ----

int VkiDlg::SubclassDlg(HWND wnd)
{
    if (!VkiIsDialog(wnd)) return VKE_ERR_ARG;
    if (m_hWnd) return VKE_ERR_EXISTS;
    if (!SubclassWindow(wnd)) return VKE_ERR_MEMORY;
    m_iSubclassed = 1;
    return VKE_OK;
}

int VkiDlg::UnsubclassDlg(HWND* out)
{
    if (!out) return VKE_ERR_ARG;
    // The dialog gets its own font back while the object still has the window.
    int rc = Terminate();
    int reset = ResetWindowProc();
    if (rc == VKE_OK) rc = reset;
    *out = UnsubclassWindow();
    m_iSubclassed = 0;
    return rc;
}

int VkiDlg::SetWindowProc(WNDPROC proc, WNDPROC* previous)
{
    return VkiSwapWindowProc(m_hWnd, proc, previous, &m_iProcSwapped, &m_pfnSaved);
}

int VkiDlg::ResetWindowProc() { return VkiResetWindowProc(m_hWnd, &m_iProcSwapped, &m_pfnSaved); }

// ---- Parameters, Init and Term ----

int VkiDlg::InitParam(VkeDlgParam* param)
{
    if (!param) return VKE_ERR_ARG;
    VkiInitParamHead(param);
    param->iIgnOKC = 0;
    param->iRetToTab = 1;
    return VKE_OK;
}

int VkiDlg::CheckParam(VkeDlgParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (int rc = VkiCheckParamHead(param, field, messageNo)) return rc;
    if (!VkiIsFlag(param->iIgnOKC)) return VkiBadField(field, messageNo, 6, 71, VKE_ERR_ARG);
    if (!VkiIsFlag(param->iRetToTab)) return VkiBadField(field, messageNo, 7, 72, VKE_ERR_ARG);
    return VkiBadField(field, messageNo, 0, 0, VKE_OK);
}

void VkiDlg::Reset()
{
    m_dExecVersion = VKE_VERSION;
    m_uTextColor = GetSysColor(COLOR_BTNTEXT);
    m_uBackColor = GetSysColor(COLOR_BTNFACE);
    m_hMenu = nullptr;
    m_iIgnOKC = 0;
    m_iRetToTab = 1;
    m_lf = LOGFONTA{};
}

int VkiDlg::Init(VkeDlgParam* param, int* field, int* messageNo)
{
    if (!field || !messageNo) return VKE_ERR_ARG;
    if (IsInit() || !m_hWnd) return VkiBadField(field, messageNo, 0, 0, VKE_ERR_EXISTS);
    int rc = CheckParam(param, field, messageNo);
    if (rc != VKE_OK) return rc;
    Reset();
    LOGFONTA lf = {};
    rc = VkiStartLogFont(m_pSub, m_pDrw, m_hWnd, m_hWnd, &lf);
    if (rc != VKE_OK) return rc;
    m_dExecVersion = param->dExecVersion;
    m_hMenu = param->hMenu;
    m_iIgnOKC = param->iIgnOKC;
    m_iRetToTab = param->iRetToTab;
    m_hOwnFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    m_iInit = 1;
    rc = SetFontByLogFont(&lf);
    if (rc == VKE_OK) rc = SetTextColor(param->uTextColor);
    if (rc == VKE_OK) rc = SetBackColor(param->uBackColor);
    if (rc != VKE_OK) Terminate();
    return rc;
}

int VkiDlg::Terminate()
{
    // The dialog keeps no font that is about to go: it gets the one it had.
    if (m_hFont && m_hWnd && reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) == m_hFont)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hOwnFont), FALSE);
    VkiDropFont(m_hFont);
    if (m_hBackBrush) DeleteObject(m_hBackBrush);
    m_hFont = nullptr;
    m_hBackBrush = nullptr;
    m_hOwnFont = nullptr;
    m_iInit = 0;
    return VKE_OK;
}

int VkiDlg::Term() { return Terminate(); }

// ---- Properties ----

int VkiDlg::SetProperty(int id, void* value)
{
    if (!value) return VKE_ERR_ARG;
    switch (id) {
    case VKE_PROP_EXEC_VERSION: return SetCommonProperty(id, value);
    case VKE_DLG_PROP_LOGFONT: return SetFontByLogFont(static_cast<LOGFONTA*>(value));
    case VKE_DLG_PROP_TEXT_COLOR: return SetTextColor(*static_cast<COLORREF*>(value));
    case VKE_DLG_PROP_BACK_COLOR: return SetBackColor(*static_cast<COLORREF*>(value));
    case VKE_DLG_PROP_MENU: return SetMenuHandle(*static_cast<HMENU*>(value));
    case VKE_DLG_PROP_IGN_OKC: return SetIgnOKCFlag(*static_cast<int*>(value));
    case VKE_DLG_PROP_RET_TO_TAB: return SetRetToTabFlag(*static_cast<int*>(value));
    default: return VKE_ERR_ARG;
    }
}

int VkiDlg::GetProperty(int id, void* out)
{
    int rc = GetCommonProperty(id, out, kDlgName);
    if (rc != VKE_NOT_DONE) return rc;
    if (!out) return VKE_ERR_ARG;
    switch (id) {
    case VKE_DLG_PROP_WND: return GetDlgHandle(static_cast<HWND*>(out));
    case VKE_DLG_PROP_LOGFONT: return GetLogFont(static_cast<LOGFONTA*>(out));
    case VKE_DLG_PROP_FONT_NAME: return GetFontName(static_cast<char*>(out), 1024);
    case VKE_DLG_PROP_FONT_SIZE: return GetFontSize(static_cast<int*>(out));
    case VKE_DLG_PROP_TEXT_COLOR: return GetTextColor(static_cast<COLORREF*>(out));
    case VKE_DLG_PROP_BACK_COLOR: return GetBackColor(static_cast<COLORREF*>(out));
    case VKE_DLG_PROP_MENU: return GetMenuHandle(static_cast<HMENU*>(out));
    case VKE_DLG_PROP_IGN_OKC: return GetIgnOKCFlag(static_cast<int*>(out));
    case VKE_DLG_PROP_RET_TO_TAB: return GetRetToTabFlag(static_cast<int*>(out));
    default: return VKE_ERR_ARG;
    }
}

int VkiDlg::GetName(char* buffer, int size) { return VkiCopyStr(buffer, kDlgName, size); }

int VkiDlg::GetDlgHandle(HWND* out) { return VkiAnswer(true, out, m_hWnd); }

// ---- Font ----

int VkiDlg::SetFont(const char* face, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    LOGFONTA lf = {};
    int rc;
    {
        VkiWndDC dc(m_hWnd);
        if (!dc) return VKE_ERR_MEMORY;
        rc = m_pDrw->GetLogFont(dc, face, size, &lf);
    }
    return rc == VKE_OK ? SetFontByLogFont(&lf) : rc;
}

int VkiDlg::SetFontByLogFont(const LOGFONTA* font)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiSetWindowFont(m_hWnd, font, &m_lf, &m_hFont);
}

int VkiDlg::GetFontName(char* buffer, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiCopyStr(buffer, m_lf.lfFaceName, size);
}

int VkiDlg::GetFontSize(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return VkiFontPoints(m_hWnd, m_lf, out);
}

int VkiDlg::GetLogFont(LOGFONTA* out) { return VkiAnswer(IsInit(), out, m_lf); }

int VkiDlg::GetFontHandle(HFONT* out) { return VkiAnswer(IsInit(), out, m_hFont); }

// ---- Colours ----

int VkiDlg::SetTextColor(COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    // A full colour list only means the colour is not in it.
    int rc = m_pDrw->SetColor(color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    m_uTextColor = color;
    Invalidate(FALSE);
    return VKE_OK;
}

int VkiDlg::SetBackColor(COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    int rc = m_pDrw->SetColor(color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush) return VKE_ERR_MEMORY;
    if (m_hBackBrush) DeleteObject(m_hBackBrush);
    m_hBackBrush = brush;
    m_uBackColor = color;
    Invalidate(FALSE);
    return VKE_OK;
}

int VkiDlg::GetTextColor(COLORREF* out) { return VkiAnswer(IsInit(), out, m_uTextColor); }

int VkiDlg::GetBackColor(COLORREF* out) { return VkiAnswer(IsInit(), out, m_uBackColor); }

int VkiDlg::GetBackBrushHandle(HBRUSH* out) { return VkiAnswer(IsInit(), out, m_hBackBrush); }

// ---- Menu, flags, redraw and focus ----

int VkiDlg::SetMenuHandle(HMENU menu)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (menu && !VkiHasSubmenu(menu)) return VKE_ERR_ARG;
    m_hMenu = menu;
    return VKE_OK;
}

int VkiDlg::GetMenuHandle(HMENU* out) { return VkiAnswer(IsInit(), out, m_hMenu); }

int VkiDlg::SetIgnOKCFlag(int flag)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiIsFlag(flag)) return VKE_ERR_ARG;
    m_iIgnOKC = flag;
    return VKE_OK;
}

int VkiDlg::GetIgnOKCFlag(int* out) { return VkiAnswer(IsInit(), out, m_iIgnOKC); }

int VkiDlg::SetRetToTabFlag(int flag)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiIsFlag(flag)) return VKE_ERR_ARG;
    m_iRetToTab = flag;
    return VKE_OK;
}

int VkiDlg::GetRetToTabFlag(int* out) { return VkiAnswer(IsInit(), out, m_iRetToTab); }

int VkiDlg::Redraw(int erase)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!VkiIsFlag(erase)) return VKE_ERR_ARG;
    Invalidate(erase);
    return VKE_OK;
}

int VkiDlg::SetFocusDlg()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return m_pDrw->SetFocusWnd(m_hWnd);
}

int VkiDlg::IsFocus(int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = m_hWnd && ::GetFocus() == m_hWnd ? 1 : 0;
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeDlgAlloc(VkiSys* sys, VkiDlg** out) { VKE_FRAME(sys, sys->Sub(), AllocBound(sys, out)); }
VKE_API int VkeDlgFree(VkiDlg** out) { return VkiFreeObj(out); }
VKE_API int VkeDlgSubclassWindow(VkiDlg* dlg, HWND wnd) { VKE_FRAME(dlg, dlg->Sub(), dlg->SubclassDlg(wnd)); }
VKE_API int VkeDlgUnsubclassWindow(VkiDlg* dlg, HWND* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->UnsubclassDlg(out)); }
VKE_API int VkeDlgSetWindowProc(VkiDlg* dlg, WNDPROC proc, WNDPROC* previous) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetWindowProc(proc, previous)); }
VKE_API int VkeDlgResetWindowProc(VkiDlg* dlg) { VKE_FRAME(dlg, dlg->Sub(), dlg->ResetWindowProc()); }
VKE_API int VkeDlgInitParam(VkiDlg* dlg, VkeDlgParam* param) { VKE_FRAME(dlg, dlg->Sub(), dlg->InitParam(param)); }
VKE_API int VkeDlgCheckParam(VkiDlg* dlg, VkeDlgParam* param, int* field, int* messageNo) { VKE_FRAME(dlg, dlg->Sub(), dlg->CheckParam(param, field, messageNo)); }
VKE_API int VkeDlgInit(VkiDlg* dlg, VkeDlgParam* param, int* field, int* messageNo) { VKE_FRAME(dlg, dlg->Sub(), dlg->Init(param, field, messageNo)); }
VKE_API int VkeDlgTerm(VkiDlg* dlg) { VKE_FRAME(dlg, dlg->Sub(), dlg->Term()); }
VKE_API int VkeDlgSetProperty(VkiDlg* dlg, int id, void* value) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetProperty(id, value)); }
VKE_API int VkeDlgGetProperty(VkiDlg* dlg, int id, void* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetProperty(id, out)); }
VKE_API int VkeDlgGetName(VkiDlg* dlg, char* buffer, int size) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetName(buffer, size)); }
VKE_API int VkeDlgGetVersion(VkiDlg* dlg, double* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetVersion(out)); }
VKE_API int VkeDlgSetExecVersion(VkiDlg* dlg, double version) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetExecVersion(version)); }
VKE_API int VkeDlgGetExecVersion(VkiDlg* dlg, double* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetExecVersion(out)); }
VKE_API int VkeDlgGetDlgHandle(VkiDlg* dlg, HWND* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetDlgHandle(out)); }
VKE_API int VkeDlgSetFont(VkiDlg* dlg, const char* face, int size) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetFont(face, size)); }
VKE_API int VkeDlgSetFontByLogFont(VkiDlg* dlg, const LOGFONTA* font) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetFontByLogFont(font)); }
VKE_API int VkeDlgGetFontName(VkiDlg* dlg, char* buffer, int size) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetFontName(buffer, size)); }
VKE_API int VkeDlgGetFontSize(VkiDlg* dlg, int* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetFontSize(out)); }
VKE_API int VkeDlgGetLogFont(VkiDlg* dlg, LOGFONTA* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetLogFont(out)); }
VKE_API int VkeDlgGetFontHandle(VkiDlg* dlg, HFONT* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetFontHandle(out)); }
VKE_API int VkeDlgSetTextColor(VkiDlg* dlg, COLORREF color) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetTextColor(color)); }
VKE_API int VkeDlgGetTextColor(VkiDlg* dlg, COLORREF* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetTextColor(out)); }
VKE_API int VkeDlgSetBackColor(VkiDlg* dlg, COLORREF color) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetBackColor(color)); }
VKE_API int VkeDlgGetBackColor(VkiDlg* dlg, COLORREF* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetBackColor(out)); }
VKE_API int VkeDlgGetBackBrushHandle(VkiDlg* dlg, HBRUSH* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetBackBrushHandle(out)); }
VKE_API int VkeDlgSetMenuHandle(VkiDlg* dlg, HMENU menu) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetMenuHandle(menu)); }
VKE_API int VkeDlgGetMenuHandle(VkiDlg* dlg, HMENU* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetMenuHandle(out)); }
VKE_API int VkeDlgSetIgnOKCFlag(VkiDlg* dlg, int flag) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetIgnOKCFlag(flag)); }
VKE_API int VkeDlgGetIgnOKCFlag(VkiDlg* dlg, int* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetIgnOKCFlag(out)); }
VKE_API int VkeDlgSetRetToTabFlag(VkiDlg* dlg, int flag) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetRetToTabFlag(flag)); }
VKE_API int VkeDlgGetRetToTabFlag(VkiDlg* dlg, int* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->GetRetToTabFlag(out)); }
VKE_API int VkeDlgRedraw(VkiDlg* dlg, int erase) { VKE_FRAME(dlg, dlg->Sub(), dlg->Redraw(erase)); }
VKE_API int VkeDlgSetFocusDlg(VkiDlg* dlg) { VKE_FRAME(dlg, dlg->Sub(), dlg->SetFocusDlg()); }
VKE_API int VkeDlgIsFocus(VkiDlg* dlg, int* out) { VKE_FRAME(dlg, dlg->Sub(), dlg->IsFocus(out)); }
VKE_API int VkeDlgChkDataValue(VkiDlg* dlg, VkiCtl** out) { VKE_FRAME(dlg, dlg->Sub(), dlg->ChkDataValue(out)); }
