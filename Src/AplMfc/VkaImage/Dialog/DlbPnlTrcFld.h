// The folder-tree panel (template 101): hosts the folder tree in place of the template's tree
// view (item 1001), gives it its context menu (25088) and its colours and font, and opens the
// tree's current folder. Return on the tree expands or collapses the selected folder; back and
// forward in its menus are enabled as the main frame's commands are.
#pragma once
#include "CmnTrcFld.h"
#include "DlbPnlBrw.h"

class DlbPnlTrcFld : public DlbPnlBrw {
public:
    DlbPnlTrcFld();
    // A window still open goes first, while this is still the panel that ends its tree.
    ~DlbPnlTrcFld() override;

    // The panel's start with its stored size, the tree in place of item 1001, the panel's menu
    // (25079) as its context menu, then InitCtl: -1 without item 1001, -8 when the tree or a
    // menu cannot be made.
    int Init();
    // The tree's context menu, start (the desktop and its children), colours and font.
    int InitCtl();
    // The tree ends and goes, then the panel.
    int Term() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The hosted folder tree; null before Init and after Term.
    CmnTrcFld* GetTrcFld() { return m_pTrcFld; }
    // What the shell asks of the tree, answered without one as an empty tree would (actions 1,
    // tests 0, the current path empty).
    int SetCurPath(const char* path, int force);
    // 0 when the tree holds the folder (its ancestors expanded).
    int Search(const char* path);
    // The tree built anew from the desktop.
    int SetTree();
    int ViewBkw();
    int ViewFrw();
    int IsEnableViewBkw();
    int IsEnableViewFrw();
    CString GetCurPathName();

protected:
    CWnd* GetBrwCtl() override { return m_pTrcFld; }
    const char* Module() const override;
    // Open selected folder (49158): the tree's current folder through the open bracket.
    afx_msg void OnOpnSelDir();
    afx_msg void OnUpdateOpnSelDir(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    bool IsReady() const { return m_pTrcFld && m_pTrcFld->IsInit(); }
    // The tree ends, its window goes and the object is deleted.
    void DeleteTree();

    CmnTrcFld* m_pTrcFld; // owned: made by Init, gone with Term
    CMenu m_menuPnl;      // the panel's context menu (25079)
    CMenu m_menuTrc;      // the tree's context menu (25088)
};
