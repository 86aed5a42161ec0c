// The system's font dialog.
#pragma once
#include "CCommonDialog.h"

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)

public:
    explicit CFontDialog(const LOGFONTA* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         HDC hdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;
    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    // The font chosen (while the dialog is up: the one it shows now).
    void GetCurrentFont(LOGFONTA* lplf);
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; } // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic; }
};
