// The tab dialog: a dialog whose client area is an engine tab control holding child pages (each a
// CmnDlg of its own), kept in the dialog's page list (CmnTbvPag.h, records 0x50001 DltElm and
// 0x50002). It forwards the edit and scale commands to the page in front, runs the tab popup's
// commands, takes the pages' data before OK (a page with wrong data cannot be left), keeps the
// focus across activation and cancels itself when its last page closes.
//
// A derived dialog starts in one order and then opens its pages:
//
//   BOOL DlgSetOpt::OnInitDialog()
//   {
//       CmnDlt::OnInitDialog();
//       StartDialog(0, 0, 0, 0, 1, [this] { return InitCtl(); });  // InitCtl calls StartTab
//       return TRUE;
//   }
//
// Life cycle: constructed -> Init (allocated, page list) -> ready (tab control made) ->
// WM_DESTROY runs Term (the pages, then the tab control, then the dialog's objects).
#pragma once
#include "CmnDlg.h"
#include "CmnTbvPag.h"

class CmnDlt : public CmnDlg, public CmnTbvOpr {
    DECLARE_DYNAMIC(CmnDlt)

public:
    CmnDlt();
    explicit CmnDlt(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // A window still open goes first, while this is still a CmnDlt that ends its pages.
    ~CmnDlt() override;

    // Remembers the focused window when it is the tab control or a visible, enabled child of the
    // dialog; 1 when it remembered one.
    virtual int SaveFocus();
    // The dialog base's Init with the three counts, then a fresh page list with the two options
    // (each 0 or 1, else -9); -7 when initialised.
    using CmnDlg::Init;
    virtual int Init(int ctlCnt, int draCnt, int extPrtCnt, int freeIdx, int lockOpt);
    // The pages and the tab control, then the dialog base's objects.
    int Term() override;
    int IsDltInit() const { return m_bDltInit; }

    // ---- The dialog's own flags (the dialog base's are the pages') ----
    int SetErrorFlag(int value) override { return CmnTbvOpr::SetErrorFlag(value); }
    int GetErrorFlag() override { return IsInit() ? CmnTbvOpr::GetErrorFlag() : 0; }
    int SetModifiedFlag(int value) override { return CmnTbvOpr::SetModifiedFlag(value); }
    int GetModifiedFlag() override { return IsInit() ? CmnTbvOpr::GetModifiedFlag() : 0; }
    // A page's data by tab index; the dialog's own controls' by control.
    using CmnTbvOpr::GetData;
    using CmnDlg::GetData;

    // ---- Elements of the page list ----
    virtual int SchDltElm(int index, DltElm** out) { return SchElm(index, out); }
    virtual int SchDltElmByKey(void* page, DltElm** out) { return SchElmByKey(page, out); }
    virtual int SchDltElmByTyp(int type, DltElm** out) { return SchElmByTyp(type, out); }
    virtual int SchDltElmByNo(int no, DltElm** out) { return SchElmByNo(no, out); }
    virtual int SchDltElmByHdl(HWND wnd, DltElm** out) { return SchElmByHdl(wnd, out); }
    virtual int SchCurDltElm(DltElm** out) { return SchCurElm(out); }
    virtual int SchRbcDltElm(DltElm** out) { return SchRbcElm(out); }
    // The focus to the tab control; 1 while not ready.
    virtual int RestoreFocus() { return SetFocusTab(); }

    // The flags, the page list and the remembered focus are cleared again (unless a start took
    // them already), then the dialog base's.
    BOOL OnInitDialog() override;
    // Closes only when every page's data is right; else the dialog stays on the wrong page.
    void OnOK() override;

protected:
    // Failures are traced under the tab dialog's own path.
    using CmnTbvOpr::Fail;
    using CmnTbvOpr::CheckReady;

    // The dialog base's start order with the page list made right after the base's Init.
    using CmnDlg::StartDialog;
    int StartDialog(int ctlCnt, int draCnt, int extPrtCnt, int freeIdx, int lockOpt,
                    const std::function<int()>& initCtl);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The tab control takes every key: Escape pressed on it cancels the dialog, as from any other
    // of its controls.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnLastPageClosed() override { OnCancel(); }

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // VkeWmSetLocked: the dialog takes over a lock request of one of its pages (they stay
    // unlocked); 1, or 0 while not ready or without a request.
    afx_msg LRESULT OnVkeWmSetLocked(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnTargetCmd(UINT nID);
    afx_msg void OnUpdateTargetCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnTabCmd(UINT nID);
    afx_msg void OnUpdateTabCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    int m_bDltInit;

private:
    int InitPageList(int freeIdx, int lockOpt);
};
