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
};
