// What the two browsing panels (folder tree and file list) share: the panel's start over its
// template with the stored size and the colours and font of docked panels, its template's
// control replaced by the panel's own control class, the control fitted inside the gripper's
// margins, a folder opened through the application's open bracket, and ANSI notifications.
//
//   int DlbPnlTrcFld::Init()
//   {
//       int rc = InitPanel(VkaPnlTrcFld);          // ready once the rest succeeded too
//       if (rc == VKE_OK) rc = ReplaceCtl(IDC_DLBPNL_TRCFLD, m_pTrcFld, WC_TREEVIEWA);
//       ...
//   }
#pragma once
#include "DlbPnl.h"

class DlbPnlBrw : public DlbPnl {
public:
    // The control fills the client area within the gripper's margins.
    void MoveCtl() override;
    // Opens the folder in one open bracket, then gives the control the focus when the main
    // frame is initialised: the bracket's result; 0 without the control, while the progress
    // thread runs (after its message) or without a main frame; -6 before the start; -9 for a
    // path that is no folder.
    virtual int OpenDirectory(const char* path);

protected:
    DECLARE_MESSAGE_MAP()

    // The panel's own control, or null.
    virtual CWnd* GetBrwCtl() = 0;
    // The template's control id gives way to ctl, a window of class cls made with its rectangle,
    // styles and id: -1 when the template has no such control, -8 when ctl cannot be made.
    int ReplaceCtl(int id, CWnd* ctl, const char* cls);
    // A menu of the program's resources into menu; -8 when it cannot be loaded.
    int LoadMenu(CMenu& menu, UINT id);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // A command of the panel's menus enabled (and checked) as the main frame's update handler
    // says; disabled without a main frame.
    afx_msg void OnUpdateByFrame(CCmdUI* pCmdUI);
    // The panel's controls notify in ANSI.
    afx_msg LRESULT OnNotifyFormat(WPARAM wParam, LPARAM lParam);
    // The source path the panel's failures are traced under.
    virtual const char* Module() const = 0;
};
