// The system's colour dialog.
#pragma once
#include "CCommonDialog.h"

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)

public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    CHOOSECOLORA m_cc;
    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }

private:
    COLORREF m_custColors[16];
};
