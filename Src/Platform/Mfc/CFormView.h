// A view that is a dialog template: a child dialog window ("#32770") of its frame, made from
// the template with the frame's pane id, its controls filled by UpdateData(FALSE) when the
// dialog starts. Keys go to the frames first (their accelerators) and then to the dialog's
// navigation (Tab, arrows). The view remembers the control that had the focus when it or its
// frame was left and gives it the focus back when the view gets the focus again. The form
// scrolls when its window is smaller than the template.
#pragma once
#include "CScrollView.h"

struct CCreateContext;

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)

public:
    // The child dialog of the template; lpszClassName is not used (a dialog's class).
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, void* pContext = nullptr) override;

    void OnDraw(CDC*) override {}
    // Leaving the view (or activating it while the focus is inside already) remembers the
    // focused control; otherwise the view takes the focus.
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCSTR lpszTemplateName);

    LPCSTR m_lpszTemplateName;

    // Remembers the focused window when it is one of the form's controls.
    BOOL SaveFocusControl();

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CCreateContext* m_pCreateContext; // while the window is being made
    HWND m_hWndFocus;
};
