// TEMPORARY: the few operations of the docked panel base the main frame uses, until that base is
// on main. Removed when it lands.
#pragma once
#include "Mfc.h"
#include "VkeEng.h"

class CmnDlb : public CDialogBar {
public:
    virtual int Init(int, int, int, SIZE* size)
    {
        m_size = Min50(m_sizeDefault);
        for (SIZE& s : m_bri) s = m_size;
        if (size && size->cx > 0 && size->cy > 0) {
            SetBri(size);
            GetBri(1);
        }
        m_bInit = 1;
        return 0;
    }
    virtual int Term()
    {
        m_bInit = 0;
        return 0;
    }
    virtual int ClearComboSel() { return 0; }
    virtual int MoveCtl() { return 0; }
    virtual int SetBarSize(int cx, int cy)
    {
        m_size = Min50(CSize(cx, cy));
        return 0;
    }
    virtual int GetBarSize(int* cx, int* cy)
    {
        *cx = m_size.cx;
        *cy = m_size.cy;
        return 0;
    }
    virtual int SetBri(int index) { return index < 0 || index > 2 ? -9 : SetBri(&m_bri[index]); }
    virtual int SetBri(SIZE* size)
    {
        m_bri[2] = *size;
        m_size = Min50(*size);
        if (m_pDockSite) m_pDockSite->RecalcLayout();
        return 0;
    }
    virtual int GetBri(int index) { return GetBri(index, &m_bri[index]); }
    virtual int GetBri(int index, SIZE* out)
    {
        m_bri[index] = m_size;
        *out = m_size;
        return 0;
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        return m_bInit ? CSize(m_size) : CDialogBar::CalcFixedLayout(bStretch, bHorz);
    }
    CSize CalcDynamicLayout(int, DWORD mode) override
    {
        return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZDOCK) != 0);
    }

protected:
    static CSize Min50(CSize s) { return CSize(s.cx < 50 ? 50 : s.cx, s.cy < 50 ? 50 : s.cy); }
    afx_msg void OnSize(UINT, int, int)
    {
        Default();
        if (m_bInit) MoveCtl();
    }
    afx_msg void OnDestroy()
    {
        Term();
        Default();
    }
    DECLARE_MESSAGE_MAP()
    int m_bInit = 0;
    SIZE m_bri[3] = {};
    CSize m_size;
};
