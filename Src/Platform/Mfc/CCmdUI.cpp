#include "CCmdUI.h"
#include "CMenu.h"
#include "CWnd.h"

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu) {
        if (!m_pSubMenu)
            ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther && m_pOther->m_hWnd) {
        // A control that loses its enabled state while it has the focus passes the focus on.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND parent = ::GetParent(m_pOther->m_hWnd);
            if (parent) ::SendMessageA(parent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (!m_pSubMenu) ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther && m_pOther->m_hWnd) {
        if (::SendMessageA(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessageA(m_pOther->m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu && !m_pSubMenu && bOn) {
        ::CheckMenuRadioItem(m_pMenu->m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (!lpszText) lpszText = "";
    if (m_pMenu) {
        if (m_pSubMenu) return;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<LPSTR>(lpszText);
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
    } else if (m_pOther && m_pOther->m_hWnd) {
        ::SetWindowTextA(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pTarget || m_nID == 0 || m_nID == static_cast<UINT>(-1)) return FALSE;
    m_bEnableChanged = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (!handled && bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {nullptr};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

void CCmdUI::UpdateMenu(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler && state.m_nID < 0xF000);
        UINT count = pMenu->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            // May wrap below 0: the loop's step brings it back to the first item.
            state.m_nIndex -= state.m_nIndexMax - count;
            while (state.m_nIndex < count && pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}
