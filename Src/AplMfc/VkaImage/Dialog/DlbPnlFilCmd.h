// The file-command panel (template 104). Until it has its controls it names itself and answers
// the shell neutrally: no automatic display runs, no filter is set.
#pragma once
#include "DlbPnl.h"

class DlbPnlFilCmd : public DlbPnl {
public:
    int Init() { return InitPanel(3); }
    int StopAutoDisplay() { return VKE_NOT_DONE; }
    CString GetFlt() { return CString(); }
};
