// The rebar: its band, font and colours, and the settings that change them.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnReb"
#include "CmnReb.h"
#include "CmnDef.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "CmnWndFnt.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CmnReb, CReBar)

BEGIN_MESSAGE_MAP(CmnReb, CReBar)
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnChgOpt)
END_MESSAGE_MAP()

CmnReb::CmnReb() : m_bInit(0), m_lf() {}

CmnReb::~CmnReb()
{
    // The window goes before the font it was given.
    m_bAutoDelete = FALSE;
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

BOOL CmnReb::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    return CReBar::Create(pParentWnd, dwCtrlStyle, dwStyle, nID);
}

int CmnReb::Init(CWnd* pBar, COLORREF clrText, COLORREF clrBack, LPCSTR pszText, DWORD dwStyle)
{
    if (m_bInit) {
        CMN_TRACE("Init", VKE_ERR_EXISTS);
        return VKE_ERR_EXISTS;
    }
    memset(&m_lf, 0, sizeof(m_lf));
    if (!pBar || !::IsWindow(pBar->m_hWnd) || !AddBar(pBar, clrText, clrBack, pszText, dwStyle)) {
        Term();
        CMN_TRACE("Init", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    m_bInit = 1;
    return VKE_OK;
}

int CmnReb::Term()
{
    m_font.DeleteObject();
    m_brush.DeleteObject();
    m_bInit = 0;
    return VKE_OK;
}

void CmnReb::OnDestroy()
{
    Term();
    CReBar::OnDestroy();
}

void CmnReb::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (m_bInit && !bSysMenu && pPopupMenu) theCmnWin.UpdateMenu(this, pPopupMenu, nullptr);
}

int CmnReb::CheckInit(const char* name)
{
    if (m_bInit) return VKE_OK;
    CMN_TRACE(name, VKE_ERR_NOT_INIT);
    return VKE_ERR_NOT_INIT;
}

// ---- Font ----

int CmnReb::SetFont(const char* face, int points)
{
    int rc = CheckInit("SetFont");
    if (rc != VKE_OK) return rc;
    LOGFONTA font = {};
    rc = CmnGetWndLogFont(this, face, points, &font);
    if (rc != VKE_OK) {
        CMN_TRACE("SetFont", rc);
        return rc;
    }
    return SetFontByLogFont(&font);
}

int CmnReb::SetFontByLogFont(const LOGFONTA* pFont)
{
    int rc = CheckInit("SetFontByLogFont");
    if (rc == VKE_OK) {
        rc = CmnSetWndFont(this, pFont, &m_lf, &m_font);
        if (rc != VKE_OK) CMN_TRACE("SetFontByLogFont", rc);
    }
    return rc;
}

int CmnReb::GetFontName(char* buffer, int size)
{
    int rc = CheckInit("GetFontName");
    if (rc != VKE_OK) return rc;
    rc = buffer && size >= 1 ? VkeSubCopyStr(theCmnAppInf.pSub, buffer, m_lf.lfFaceName, size) : VKE_ERR_ARG;
    if (rc != VKE_OK) CMN_TRACE("GetFontName", rc);
    return rc;
}

int CmnReb::GetFontSize(int* points)
{
    int rc = CheckInit("GetFontSize");
    if (rc != VKE_OK) return rc;
    if (!points) {
        CMN_TRACE("GetFontSize", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    *points = CmnGetWndFontSize(this, m_lf);
    return VKE_OK;
}

int CmnReb::GetLogFont(LOGFONTA* pFont)
{
    int rc = CheckInit("GetLogFont");
    if (rc != VKE_OK) return rc;
    if (!pFont) {
        CMN_TRACE("GetLogFont", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    *pFont = m_lf;
    return VKE_OK;
}

// ---- Colours ----

int CmnReb::SetColor(const char* name, COLORREF color, bool text)
{
    int rc = CheckInit(name);
    if (rc != VKE_OK) return rc;
    rc = VkeDrwSetColor(theCmnAppInf.pDrw, color);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) {
        CMN_TRACE(name, rc);
        return rc;
    }
    if (!text) {
        CBrush brush;
        if (!brush.CreateSolidBrush(color)) {
            CMN_TRACE(name, VKE_ERR_MEMORY);
            return VKE_ERR_MEMORY;
        }
        m_brush.DeleteObject();
        m_brush.Attach(brush.Detach());
    }
    SendMessage(text ? RB_SETTEXTCOLOR : RB_SETBKCOLOR, 0, static_cast<LPARAM>(color));
    // A band given colours of its own keeps them whatever the rebar's are: they change too.
    int bands = static_cast<int>(SendMessage(RB_GETBANDCOUNT));
    for (int i = 0; i < bands; ++i) {
        REBARBANDINFOA band = {};
        band.cbSize = REBARBANDINFOA_V6_SIZE;
        band.fMask = RBBIM_COLORS;
        if (!SendMessage(RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&band))) continue;
        (text ? band.clrFore : band.clrBack) = color;
        SendMessage(RB_SETBANDINFOA, i, reinterpret_cast<LPARAM>(&band));
    }
    return Redraw(0);
}

int CmnReb::SetTextColor(COLORREF color) { return SetColor("SetTextColor", color, true); }

int CmnReb::SetBackColor(COLORREF color) { return SetColor("SetBackColor", color, false); }

int CmnReb::GetTextColor(COLORREF* color) { return GetColor("GetTextColor", color, true); }

int CmnReb::GetBackColor(COLORREF* color) { return GetColor("GetBackColor", color, false); }

int CmnReb::GetColor(const char* name, COLORREF* color, bool text)
{
    int rc = CheckInit(name);
    if (rc != VKE_OK) return rc;
    if (!color) {
        CMN_TRACE(name, VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    *color = static_cast<COLORREF>(SendMessage(text ? RB_GETTEXTCOLOR : RB_GETBKCOLOR));
    return VKE_OK;
}

int CmnReb::Redraw(int erase)
{
    int rc = CheckInit("Redraw");
    if (rc != VKE_OK) return rc;
    if (erase != 0 && erase != 1) {
        CMN_TRACE("Redraw", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | (erase ? RDW_ERASE : 0));
    return VKE_OK;
}

// ---- Settings ----

LRESULT CmnReb::OnChgOpt(WPARAM, LPARAM)
{
    if (!m_bInit) return 0;
    COLORREF want = 0, now = 0;
    if (theCmnSub.GetTextColor(CmnKndReb, 0, &want) == VKE_OK && GetTextColor(&now) == VKE_OK && want != now)
        SetTextColor(want);
    if (theCmnSub.GetBackColor(CmnKndReb, 0, &want) == VKE_OK && GetBackColor(&now) == VKE_OK && want != now)
        SetBackColor(want);
    LOGFONTA font = {};
    if (theCmnSub.GetFont(CmnKndReb, 0, &font) == VKE_OK && memcmp(&font, &m_lf, sizeof(font)) != 0)
        SetFontByLogFont(&font);
    return 1;
}
