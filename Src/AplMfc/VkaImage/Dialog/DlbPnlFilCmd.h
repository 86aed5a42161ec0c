// The file-command panel (template 104). Until it has its controls it names itself and answers
// the shell neutrally: no automatic display runs, no filter is set. HasFilter tells the file-list
// panel whether the panel keeps a filter of its own (its GetFlt "" here would blank the
// settings' filter at exit).
#pragma once
#include "DlbPnl.h"

class DlbPnlFilCmd : public DlbPnl {
public:
    int Init() { return InitPanel(3); }
    int StopAutoDisplay() { return VKE_NOT_DONE; }
    int HasFilter() { return 0; }
    CString GetFlt() { return CString(); }
    int SetFilter(const char*, int) { return VKE_NOT_DONE; }
};
