// The operation panel (template 105). Until it has its controls it names itself and answers the
// shell neutrally: its values are the application's, shown nowhere.
#pragma once
#include "DlbPnl.h"

// The panel's controls by number, as SetData takes them: the frame's width and height, the
// header and footer texts, the show-frame switch, landscape and portrait.
enum {
    OprCtlWidth = 3,
    OprCtlHeight = 4,
    OprCtlHeader = 5,
    OprCtlFooter = 6,
    OprCtlShwFrm = 15,
    OprCtlLandscape = 28,
    OprCtlPortrait = 29
};

class DlbPnlOpr : public DlbPnl {
public:
    int Init() { return InitPanel(4); }
    // Writes the application's values into control index (-1 all); nothing to write yet.
    int SetData(int, int) { return VKE_OK; }
    // Reads the controls into the application's values; nothing to read yet.
    int ReadCtlData() { return VKE_OK; }
};
