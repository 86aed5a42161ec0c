// What the five docked panels share while they name themselves with one static text (item
// IDC_DLBPNL_NAME of their templates) in place of their own controls: the panel base's start
// with the size the last run stored and the colours and font of docked panels, and the text
// fitted to the panel's width.
#pragma once
#include "CmnDlb.h"
#include <shlobj.h>

class DlbPnl : public CmnDlb {
public:
    // The panel base's Init without controls, with the stored size of panel index (0 folder
    // tree .. 4 operations), then the colours and font of docked panels; the panel is ready.
    int InitPanel(int index);
    // The same with control and drawing-area slots, leaving the panel not ready: the derived
    // start fills the slots and sets the ready flag last.
    int StartPanel(int index, int ctlCnt, int draCnt);
    // The name text keeps the panel's width.
    void MoveCtl() override;
};
