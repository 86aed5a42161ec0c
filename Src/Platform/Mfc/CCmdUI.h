// The state of one command's user-interface item (a menu item or a control) while update
// handlers run: they call Enable, SetCheck, SetRadio or SetText.
#pragma once
#include "CCmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;           // position of the item in m_pMenu
    CMenu* m_pMenu = nullptr;    // the popup that holds the item, or null
    CMenu* m_pSubMenu = nullptr; // the item's own popup when it opens one
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;    // the control, when the item is not a menu item
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's update handler for the item; with bDisableIfNoHndler an item that has
    // neither an update handler nor a command handler is disabled. TRUE when a handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // Runs pTarget's update handlers for every command item of the popup (separators and
    // sub-menus are left alone; system commands are never disabled for lack of a handler).
    // A handler may add or remove items: one that moves m_nIndex and m_nIndexMax past its own
    // items is followed; when the menu shrank otherwise, the walk goes on after the items that
    // still carry the handled id, so that no item is skipped or updated twice.
    static void UpdateMenu(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
