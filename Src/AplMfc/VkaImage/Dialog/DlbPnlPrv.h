// The preview panel (template 103). Until it hosts its drawing area it names itself and answers
// the shell neutrally: nothing is previewed.
#pragma once
#include "DlbPnl.h"

class DlbPnlPrv : public DlbPnl {
public:
    int Init() { return InitPanel(2); }
    int PreviewImage(const char*) { return VKE_NOT_DONE; }
    CString GetPathName() { return CString(); }
};
