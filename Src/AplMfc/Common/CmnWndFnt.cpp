// A window's own font: made from a face and a size or from a record, measured in points.
#include "CmnWndFnt.h"
#include "CmnAppInf.h"

int CmnGetWndLogFont(CWnd* wnd, const char* face, int points, LOGFONTA* out)
{
    CClientDC dc(wnd);
    return dc.m_hDC ? VkeDrwGetLogFont(theCmnAppInf.pDrw, dc.m_hDC, face, points, out) : VKE_ERR_MEMORY;
}

int CmnSetWndFont(CWnd* wnd, const LOGFONTA* pFont, LOGFONTA* lf, CFont* font)
{
    CFont made;
    if (!pFont || !made.CreateFontIndirect(pFont)) return VKE_ERR_ARG;
    LOGFONTA record = *pFont;
    if (record.lfHeight == 0) {
        // The height the font really has, as a character height.
        CClientDC dc(wnd);
        CDCSelect select(dc.m_hDC, made);
        TEXTMETRICA tm = {};
        if (!dc.m_hDC || !select.Old() || !dc.GetTextMetrics(&tm)) return VKE_ERR_SYSTEM;
        record.lfHeight = tm.tmHeight < 0 ? tm.tmHeight : tm.tmInternalLeading - tm.tmHeight;
    }
    *lf = record;
    wnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(made.m_hObject), TRUE);
    font->DeleteObject();
    font->Attach(made.Detach());
    return VKE_OK;
}

int CmnGetWndFontSize(CWnd* wnd, const LOGFONTA& lf)
{
    CClientDC dc(wnd);
    int size = ::MulDiv(lf.lfHeight, 72, ::GetDeviceCaps(dc.m_hDC, LOGPIXELSY));
    return size < 0 ? -size : size;
}
