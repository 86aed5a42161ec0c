// The About box (template 24976): the program's icon and name, its version and a line about it,
// in the dialogs' colours and fonts; "閉じる" closes it.
#pragma once
#include "CmnDlg.h"

class CmnDlgAbt : public CmnDlg {
    DECLARE_DYNAMIC(CmnDlgAbt)

public:
    explicit CmnDlgAbt(CWnd* pParentWnd = nullptr);

    // The title and the three texts, then Init.
    BOOL OnInitDialog() override;
    using CmnDlg::Init;
    // The dialog's start with its four controls.
    virtual int Init();
    // The three statics and the close button as engine controls, with the texts they show.
    virtual int InitCtl();
};
