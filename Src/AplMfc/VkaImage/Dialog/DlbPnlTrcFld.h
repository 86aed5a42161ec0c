// The folder-tree panel (template 101). Until it hosts the folder tree it names itself and
// answers the shell neutrally: actions do nothing (1), the current folder is empty.
#pragma once
#include "DlbPnl.h"

class DlbPnlTrcFld : public DlbPnl {
public:
    int Init() { return InitPanel(0); }
    // The hosted folder tree; none yet.
    CWnd* GetTrcFld() { return nullptr; }
    int SetCurPath(const char*, int) { return VKE_NOT_DONE; }
    int Search(const char*) { return VKE_NOT_DONE; }
    int SetTree() { return VKE_NOT_DONE; }
    int OpenDirectory(const char*) { return VKE_NOT_DONE; }
    int ViewBkw() { return VKE_NOT_DONE; }
    int ViewFrw() { return VKE_NOT_DONE; }
    int IsEnableViewBkw() { return 0; }
    int IsEnableViewFrw() { return 0; }
    CString GetCurPathName() { return CString(); }
};
