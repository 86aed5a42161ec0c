// The options dialog: modeless, made hidden at start-up and shown by HalcorApp::ShowSetOptDlg.
// Closing it only hides it.
#pragma once
#include "Mfc.h"

class DlgSetOpt : public CDialog {
public:
    DlgSetOpt() = default;

protected:
    void OnOK() override { ShowWindow(SW_HIDE); }
    void OnCancel() override { ShowWindow(SW_HIDE); }
};
