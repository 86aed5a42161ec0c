// The batch-print options dialog ("一括印刷", template 117): the four batch-print settings
// (theAppInf.pai) as engine check boxes: print the selected-image page too, only locked pages,
// close the printed pages afterwards, and close locked pages too (enabled only while closing is
// checked; its value is kept while disabled). "実行" stores them and closes with 1; "閉じる"
// changes nothing.
//
//   DlgPrtAll dialog(view);
//   if (dialog.DoModal() == IDOK) ... theAppInf.pai ...
#pragma once
#include "CmnDlg.h"
#include "VkaAppInf.h"

class DlgPrtAll : public CmnDlg {
    DECLARE_DYNAMIC(DlgPrtAll)

public:
    explicit DlgPrtAll(CWnd* pParentWnd = nullptr);

    // The settings read, then Init; a failure shows 27576 and ends the dialog with 3.
    BOOL OnInitDialog() override;
    // The boxes' values stored once they check; else the first error is shown.
    void OnOK() override;
    // The base's check, then the boxes' values (all, or only ctl's) into the settings.
    int GetData(VkiCtl* ctl, void* data, int mode) override;

    using CmnDlg::Init;
    // Six engine controls: "実行", "閉じる" and the four boxes.
    virtual int Init();
    virtual int InitCtl();
    // "ロックされた頁も閉じる" enabled exactly while "印刷後に閉じる" is checked.
    virtual int EnableCtl();
    virtual int LoadPai();
    virtual int SavePai();

protected:
    enum { SlotOk, SlotCancel, SlotSelImg, SlotOnlLcd, SlotPtrCls, SlotClsLcd, SlotCnt };
    // A box's check notice: its setting; closing also enables its companion and moves the focus there.
    afx_msg LRESULT OnVkeWmSetChk(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    Pai m_pai;

private:
    int* Setting(int slot);
};
