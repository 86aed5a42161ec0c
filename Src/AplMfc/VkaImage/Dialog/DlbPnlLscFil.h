// The file-list panel (template 102). Until it hosts the file list it names itself and answers
// the shell neutrally: actions do nothing (1), tests answer 0, the current path is empty and
// there is no sort column (-1).
#pragma once
#include "DlbPnl.h"

class DlbPnlLscFil : public DlbPnl {
public:
    int Init() { return InitPanel(1); }
    // The hosted file list; none yet.
    CWnd* GetLscFil() { return nullptr; }
    int SetList(int, LPCITEMIDLIST) { return VKE_NOT_DONE; }
    int SetCurPath(const char*, int) { return VKE_NOT_DONE; }
    int OpenDirectory(const char*) { return VKE_NOT_DONE; }
    int OpenImage() { return VKE_NOT_DONE; }
    int SortList(int, int) { return VKE_NOT_DONE; }
    int SetListViewMode(int) { return VKE_NOT_DONE; }
    int GetListViewMode() { return 0; }
    int EditSelAll() { return VKE_NOT_DONE; }
    int CanEditSelAll() { return 0; }
    // Hands the list's state to the settings.
    int SetPli() { return VKE_NOT_DONE; }
    int GetSortCol() { return -1; }
    // The first selected path; *selected and *folder as the list's selection (none yet).
    CString IsSelected(int* selected, int* folder)
    {
        if (selected) *selected = 0;
        if (folder) *folder = 0;
        return CString();
    }
    CString GetCurPathName() { return CString(); }
};
