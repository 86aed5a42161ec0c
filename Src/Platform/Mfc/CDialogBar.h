// A dialog bar: a dialog template made a child window ("#32770") of a frame and laid out as
// a control bar. Its controls talk to the bar's own message map first and then to the frame;
// Tab and the arrow keys move between them. A docked bar with CBRS_GRIPPER paints its gripper
// in its client area.
#pragma once
#include "CControlBar.h"

class CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)

public:
    CDialogBar();

    // nStyle: window styles (WS_VISIBLE) and CBRS_ styles; nID: the bar's child-window id.
    BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    // The same from a template in memory (size bytes).
    BOOL CreateIndirect(CWnd* pParentWnd, const DLGTEMPLATE* lpTemplate, DWORD size, UINT nStyle, UINT nID);

    CSize m_sizeDefault; // the size of the template

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // For each control: the bar's own update handler, else the target's; with
    // bDisableIfNoHndler a push button that neither handles is disabled.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    // The bar around a child dialog just made (FALSE when it was not).
    BOOL FinishCreate(BOOL bMade, UINT nStyle, UINT nID);
    // Fills the controls (UpdateData(FALSE)); a derived bar's own WM_INITDIALOG entry calls it.
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
