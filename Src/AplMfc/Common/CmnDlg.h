// The base of every dialog of the program that hosts engine controls or drawing areas (the
// About box, the scale dialog, the image page, the progress and print dialogs). Beside the
// framework's dialog it has the common information and the shared operations (CmnDlgOpr.h) and
// routes the edit, scale and print commands, the wheel, the areas' scroll bars, popup menus,
// the controls' data check, changed settings and the chooser buttons to them.
//
// A derived dialog adds an Init of its own that starts everything in one order through
// StartDialog, and calls it from its OnInitDialog:
//
//   BOOL DlgXxx::OnInitDialog()
//   {
//       CmnDlg::OnInitDialog();
//       Init();      // StartDialog(2, 0, 0, [this] { return InitCtl(); })
//       return TRUE;
//   }
//
// Life cycle: constructed -> Init (allocated) -> ready (the derived start finished) ->
// WM_DESTROY runs Term -> constructed.
#pragma once
#include "CmnDlgOpr.h"
#include <functional>

class CmnDlg : public CDialog, public CmnDlgOpr {
    DECLARE_DYNCREATE(CmnDlg)

public:
    CmnDlg();
    explicit CmnDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // A window still open goes first, while this is still a CmnDlg that ends its objects.
    ~CmnDlg() override;

    // Allocates the information with the slot counts and turns tooltips on; -7 when
    // initialised already (the first start stays).
    virtual int Init(int ctlCnt, int draCnt, int extPrtCnt);
    // Ends the controls' scratch data, frees every control, drawing area and the engine dialog
    // object, then the information. 1 when there is nothing (left) to end.
    virtual int Term();
    int IsInit() const { return m_bInit; }

    // The information is cleared again (unless a start already took it), then the framework's.
    BOOL OnInitDialog() override;
    // Closes only when every control is valid; else the first error's message and its control
    // takes the focus.
    void OnOK() override;

protected:
    // The tooltip's text requests go to OnTtnNeedText first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The start of a derived dialog: Init with the counts, DlgMenuId as the dialog menu, the
    // engine dialog object (colours and font of dialogs, that menu, Return as Tab from the
    // settings), menu 25085 as the controls' menu, then initCtl; the ready flag is set last.
    // A failure is traced, shows message 27576 and ends the dialog with 3; its code is returned.
    int StartDialog(int ctlCnt, int draCnt, int extPrtCnt, const std::function<int()>& initCtl);

    // The dialog's popup menu: 25084 unless the dialog has one of its own.
    virtual UINT DlgMenuId() const;

    // Every control's data checked: true when valid, else the first error's message is shown and
    // its control takes the focus.
    bool ConfirmData();

    afx_msg void OnDestroy();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnPrintCmd(UINT nID);
    afx_msg void OnUpdatePrintCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnEditCmd(UINT nID);
    afx_msg void OnUpdateEditCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnScaleCmd(UINT nID);
    afx_msg void OnUpdateScaleCmd(CCmdUI* pCmdUI);
    afx_msg LRESULT OnVkeWmDtiToWnd(WPARAM wParam, LPARAM lParam);
    // The settings again: the engine dialog object's colours, font and Return as Tab, then the
    // controls' and drawing areas'; 1, or 0 while not ready.
    afx_msg LRESULT OnCmnWmChgOpt(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnChooser(UINT nID);
    DECLARE_MESSAGE_MAP()

    int m_bInit;

private:
    int InitDlgObj();
};
